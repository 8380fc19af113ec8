// What the window shows of a registration's program: the optional columns from the header's
// menu, remembered for the next window; the panel's lines for a signed, an unsigned and a
// tampered program; the choice to hide Windows' rows; the jumps to the registry editor and the
// Explorer.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "commands/Commands.h"
#include "platform/Registry.h"
#include "support/TestPrograms.h"
#include "ui/PanelWindowFixture.h"
#include "ui/UserSettings.h"

namespace {

using V = EntryListView;

class DetailsWindowTest : public PanelWindowFixture {
 protected:
  // Every program's details have come (at most twenty seconds: signatures take their time).
  bool DetailsSettled() {
    for (const ULONGLONG end = GetTickCount64() + 20000; W().PendingDetails() > 0;) {
      if (GetTickCount64() > end) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_POSTMESSAGE);
      Pump();
    }
    return true;
  }
  void OpenSettled() {
    OpenWindow();
    ASSERT_TRUE(DetailsSettled());
  }
  // A new window over the same registry, as the next start of the program makes it.
  void Reopen() {
    root_.reset();
    OpenSettled();
  }
  // A right click on the header, as the mouse sends it; the menu closes by itself.
  void RightClickHeader() {
    MenuCloser closer;
    const HWND header = List().Header();
    SendMessageW(header, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 5));
    SendMessageW(header, WM_RBUTTONUP, 0, MAKELPARAM(20, 5));
    Pump();
  }
  bool MenuChecked(HMENU menu, int id) {
    return (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
  }
  std::wstring HeaderText(int column) {
    wchar_t text[64] = {};
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT;
    info.pszText = text;
    info.cchTextMax = 64;
    ListView_GetColumn(ListHandle(), column, &info);
    return text;
  }
  std::wstring PanelDetails() { return WindowText(W().LabDetails()); }
};

TEST_F(DetailsWindowTest, ColumnsComeFromTheHeaderMenuAndStayForTheNextWindow) {
  PutRegistration(L"A.EXE", L"C:\\windows\\notepad.exe");
  OpenSettled();
  for (int column = V::kColumnCompany; V::IsDetailColumn(column); ++column)
    EXPECT_EQ(List().ColumnWidth(column), 0) << "hidden until the user asks";
  RightClickHeader();
  ASSERT_EQ(W().ColumnMenuOpenings(), 1);
  EXPECT_EQ(MenuLoops(), 1);
  EXPECT_EQ(W().CommandMenuOpenings(), 0) << "the header's menu, not the rows'";
  EXPECT_FALSE(MenuChecked(W().ColumnMenu(), Root::kMnuSpalten + V::kColumnSignature));

  SendCommand(Root::kMnuSpalten + V::kColumnCompany);
  SendCommand(Root::kMnuSpalten + V::kColumnSignature);
  EXPECT_GT(List().ColumnWidth(V::kColumnCompany), 0);
  EXPECT_GT(List().ColumnWidth(V::kColumnSignature), 0);
  EXPECT_EQ(List().ColumnWidth(V::kColumnVersion), 0);
  EXPECT_EQ(HeaderText(V::kColumnCompany), L"Hersteller");
  EXPECT_EQ(HeaderText(V::kColumnHint), L"Hinweis");
  RightClickHeader();
  EXPECT_TRUE(MenuChecked(W().ColumnMenu(), Root::kMnuSpalten + V::kColumnSignature));
  EXPECT_FALSE(MenuChecked(W().ColumnMenu(), Root::kMnuSpalten + V::kColumnHint));

  Reopen();
  EXPECT_GT(List().ColumnWidth(V::kColumnCompany), 0);
  EXPECT_GT(List().ColumnWidth(V::kColumnSignature), 0);
  EXPECT_EQ(List().ColumnWidth(V::kColumnVersion), 0);
  EXPECT_EQ(List().ColumnWidth(V::kColumnKeyname), 0);
  SendCommand(Root::kMnuSpalten + V::kColumnCompany);
  EXPECT_EQ(List().ColumnWidth(V::kColumnCompany), 0) << "a second choice hides it again";
  EXPECT_EQ(ReadUserSetting(kDetailColumnsSetting), V::DetailColumnBit(V::kColumnSignature));
}

// The window asks for a few hundred details at a time: the rest follow as answers come.
TEST_F(DetailsWindowTest, EveryRegistrationGetsItsDetailsBeyondTheFirstRequests) {
  for (int i = 0; i < 600; ++i)
    PutRegistration((L"MANY" + std::to_wstring(i) + L".EXE").c_str(), L"C:\\windows\\notepad.exe");
  OpenSettled();
  int withDetails = 0;
  for (const AppPathEntry& entry : W().Entries().Entries())
    withDetails += W().Entries().Details(entry.Id) != nullptr ? 1 : 0;
  EXPECT_EQ(withDetails, 600);
}

TEST_F(DetailsWindowTest, RowsAndPanelSayWhoSignedTheProgram) {
  if (!SigningFilesExist()) GTEST_SKIP() << "made by the signing step";
  ASSERT_TRUE(TrustTestRoot());
  PutRegistration(L"SIGNED.EXE", SigningFile(L"signed.exe").c_str());
  PutRegistration(L"TAMPERED.EXE", SigningFile(L"tampered.exe").c_str());
  PutRegistration(L"PLAIN.EXE", TestProgram(L"version_probe.exe").c_str());
  PutRegistration(L"GONE.EXE", L"C:\\velmarin-nowhere\\gone.exe");
  OpenSettled();
  struct Case {
    const wchar_t* row;
    const wchar_t* signature;
    std::wstring panel;
  };
  const std::wstring probe =
      L"Beschreibung: Prüfprogramm mit Versionsangaben\n"
      L"Hersteller: Velmarin Prüfstand GmbH    Version: 3.1.4.15 (Prüfstand)\n";
  const Case cases[] = {
      {L"Signed.exe", L"Signiert: Velmarin Testsignatur",
       probe + L"Signiert: Velmarin Testsignatur\n"},
      {L"Tampered.exe", L"Signatur ungültig", probe + L"Signatur ungültig\n"},
      {L"Plain.exe", L"Nicht signiert", probe + L"Nicht signiert\n"},
      {L"Gone.exe", L"", L"\n\n\n"},
  };
  for (const Case& c : cases) {
    SelectRow(c.row);
    EXPECT_EQ(List().Text(RowOf(c.row), V::kColumnSignature), c.signature) << Narrow(c.row);
    EXPECT_EQ(PanelDetails(), c.panel) << Narrow(c.row);
  }
  // Sorting by the maker puts the three programs that have one behind the one that has none.
  W().EntryList().SortBy(V::kColumnCompany);
  EXPECT_EQ(List().Text(0), L"Gone.exe");
  EXPECT_EQ(List().Text(0, V::kColumnCompany), L"");
  EXPECT_EQ(List().Text(3, V::kColumnCompany), L"Velmarin Prüfstand GmbH");
}

TEST_F(DetailsWindowTest, HintColumnWarnsOfAUserEntryHidingWindowsProgram) {
  PutRegistration(L"NOTEPAD.EXE", L"C:\\windows\\notepad.exe");
  PutUserRegistration(L"NOTEPAD.EXE", L"C:\\windows\\regedit.exe");
  OpenSettled();
  int user = -1;
  for (int row = 0; row < List().Count(); ++row)
    if (List().Text(row, V::kColumnScope) == L"Benutzer") user = row;
  ASSERT_GE(user, 0);
  EXPECT_EQ(List().Text(user, V::kColumnHint), L"Verdeckt Windows-Programm");
  ASSERT_TRUE(List().Select(user));
  W().LoadSelectedRow();
  EXPECT_NE(PanelDetails().find(L"\nHinweis: Verdeckt Windows-Programm"), std::wstring::npos);
}

// Wine has no program signed by Microsoft, so no row goes; the choice, its check mark and the
// count of broken entries are what can be seen.
TEST_F(DetailsWindowTest, HidingWindowsEntriesIsRememberedAndKeepsTheCount) {
  PutRegistration(L"A.EXE", L"C:\\windows\\notepad.exe");
  PutRegistration(L"GONE.EXE", L"C:\\velmarin-nowhere\\gone.exe");
  OpenSettled();
  const std::wstring count = WindowText(W().LabFileError());
  EXPECT_FALSE(MenuChecked(W().CommandMenu(), Root::kMnuWindowsAusblenden));
  SendCommand(Root::kMnuWindowsAusblenden);
  EXPECT_TRUE(MenuChecked(W().CommandMenu(), Root::kMnuWindowsAusblenden));
  EXPECT_EQ(List().Count(), 2) << "nothing here is signed by Microsoft";
  EXPECT_EQ(WindowText(W().LabFileError()), count);
  Reopen();
  EXPECT_TRUE(MenuChecked(W().CommandMenu(), Root::kMnuWindowsAusblenden));
  EXPECT_EQ(ReadUserSetting(kHideWindowsEntriesSetting), 1u);
  EXPECT_EQ(WindowText(W().LabFileError()), count);
}

TEST_F(DetailsWindowTest, RegistryEditorOpensAtTheRowsKey) {
  PutRegistration(L"Tool.exe", L"C:\\windows\\notepad.exe");
  OpenSettled();
  InstallCommands(W());
  SelectRow(L"Tool.exe");
  SendCommand(Root::kMnuImRegistrierungsEditor);
  EXPECT_TRUE(prompts_.messages.empty());
  const auto values = Registry::ReadValues(
      HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit");
  ASSERT_TRUE(values);
  const Registry::RawValue* lastKey = Registry::FindValue(*values, L"LastKey");
  ASSERT_NE(lastKey, nullptr);
  EXPECT_EQ(Registry::TextOfRaw(*lastKey),
            L"Computer\\HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App "
            L"Paths\\Tool.exe");
  HWND editor = nullptr;
  for (int i = 0; i < 500 && editor == nullptr; ++i, Sleep(10))
    editor = FindWindowW(L"RegEdit_RegEdit", nullptr);
  EXPECT_NE(editor, nullptr) << "the registry editor did not start";
  if (editor != nullptr) PostMessageW(editor, WM_CLOSE, 0, 0);
}

TEST_F(DetailsWindowTest, ExplorerShowsNoProgramThatIsNotThere) {
  PutRegistration(L"GONE.EXE", L"C:\\velmarin-nowhere\\gone.exe");
  OpenSettled();
  InstallCommands(W());
  SelectRow(L"Gone.exe");
  SendCommand(Root::kMnuImExplorer);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text,
            L"Das Programm dieses Eintrags gibt es nicht; es kann nicht angezeigt werden.");
}

}  // namespace
