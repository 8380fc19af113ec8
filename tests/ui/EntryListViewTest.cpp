// How the entry list orders two entries by a column: by the text their rows show there, in the
// user's collation with letter case ignored (the collation is the system's, hence under Wine).
#include <gtest/gtest.h>

#include <string>

#include "ui/EntryListView.h"

namespace {

AppPathEntry Entry(const std::wstring& key, const std::wstring& installation = L"",
                   const std::wstring& directory = L"", Scope scope = Scope::Machine) {
  AppPathEntry entry;
  entry.KeyName = key;
  entry.FileName = FileNameFromKeyName(key);
  entry.Installation = installation;
  entry.Directory = directory;
  entry.Scope = scope;
  return entry;
}

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(EntryListViewSort, EntriesCompareByTheTextTheirRowShowsInTheColumn) {
  using V = EntryListView;
  AppPathEntry draft = Entry(L"XXX");
  draft.FileName = L"Neuer Eintrag";
  draft.Draft = true;
  struct Case {
    int column;
    AppPathEntry a;
    AppPathEntry b;
    int sign;
    const char* why;
  };
  const Case cases[] = {
      {V::kColumnFileName, Entry(L"ALPHA.EXE"), Entry(L"beta.exe"), -1, "by file name"},
      {V::kColumnFileName, Entry(L"TOOL.EXE"), Entry(L"tool.exe"), 0, "letter case alone"},
      {V::kColumnFileName, Entry(L"ÄPFEL.EXE"), Entry(L"BIRNE.EXE"), -1, "the locale's order"},
      {V::kColumnKeyname, Entry(L"b.EXE"), Entry(L"A.exe"), 1, "by the key as stored"},
      {V::kColumnInstallation, Entry(L"A.EXE", L"C:\\Z\\a.exe"), Entry(L"B.EXE", L"C:\\Y\\b.exe"),
       1, "by installation, not by name"},
      {V::kColumnDirectory, Entry(L"A.EXE", L"", L""), Entry(L"B.EXE", L"", L"C:\\A;"), -1,
       "an empty text first"},
      {V::kColumnScope, Entry(L"A.EXE"), Entry(L"A.EXE", L"", L"", Scope::User), 1,
       "Computer after Benutzer"},
      {V::kColumnScope, draft, Entry(L"A.EXE", L"", L"", Scope::User), -1,
       "a new entry's row shows no scope"},
      {V::kColumnFileName, draft, Entry(L"OMEGA.EXE"), -1, "a new entry by its row's text"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Sign(V::Compare(c.a, c.b, c.column)), c.sign) << c.why;
    EXPECT_EQ(Sign(V::Compare(c.b, c.a, c.column)), -c.sign) << c.why << " (turned round)";
  }
}

}  // namespace
