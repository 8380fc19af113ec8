// A folder the file system refuses to look into (the slow file system fails paths holding
// SLOWFS_FAIL_MARKER with EACCES): "access denied" says nothing about whether the program is
// there, so it is not counted (nor offered: see CleanUpTest). The folder stays in the
// throwaway prefix: it cannot be removed either.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/RootFixture.h"

using RefusedAccessTest = RootFixture;

TEST_F(RefusedAccessTest, AProgramBehindRefusedAccessIsNotCalledMissing) {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring folder = temp + std::wstring(L"velmarin-denied");
  CreateDirectoryW(folder.c_str(), nullptr);  // making it asks nothing the library refuses
  const std::wstring program = folder + L"\\tool.exe";
  ASSERT_EQ(GetFileAttributesW(program.c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << "SLOWFS_FAIL_MARKER unset";
  PutRegistration(L"REFUSED.EXE", program.c_str());
  PutRegistration(L"GONE.EXE", L"C:\\Nirgends\\gone.exe");
  OpenWindow();
  EXPECT_EQ(ImageKey(RowOf(L"Refused.exe")), L"Unerreichbar");
  EXPECT_EQ(WindowText(root_->LabFileError()), L" 1 fehlerhafter Eintrag");
}
