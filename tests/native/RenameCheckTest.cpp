#include <gtest/gtest.h>

#include <vector>

#include "ui/RenameCheck.h"

namespace {

// Answers the check's questions from a list and records which were asked.
struct Answers {
  std::vector<bool> replies;
  std::vector<RenameQuestion> asked;
  std::function<bool(RenameQuestion)> Confirm() {
    return [this](RenameQuestion q) -> bool {
      asked.push_back(q);
      if (asked.size() > replies.size()) {
        ADD_FAILURE() << "unexpected question";
        return true;
      }
      return replies[asked.size() - 1];
    };
  }
};

const std::wstring kNotepad = L"C:\\WINDOWS\\NOTEPAD.EXE";

}  // namespace

TEST(RenameCheck, NameWithoutDotTakesTheInstallationsTypeAndIsCapitalised) {
  Answers a;
  const auto r = CheckNewName(L"notepad", kNotepad, a.Confirm());
  EXPECT_TRUE(r.accepted);
  EXPECT_EQ(r.name, L"Notepad.exe");
  EXPECT_TRUE(a.asked.empty());
}

TEST(RenameCheck, TypeDifferingOnlyInCaseIsStillQuestioned) {
  Answers ok{{true}};
  auto r = CheckNewName(L"app.exe", L"C:\\X\\APP.EXE", ok.Confirm());
  EXPECT_EQ(ok.asked, std::vector<RenameQuestion>{RenameQuestion::ChangedType});
  EXPECT_TRUE(r.accepted);
  EXPECT_EQ(r.name, L"App.exe");

  Answers cancel{{false}};
  r = CheckNewName(L"app.exe", L"C:\\X\\APP.EXE", cancel.Confirm());
  EXPECT_FALSE(r.accepted);
  EXPECT_EQ(r.name, L"app.EXE");
}

TEST(RenameCheck, ChangedTypeOkKeepsItCancelPutsTheInstallationsTypeBack) {
  Answers ok{{true}};
  auto r = CheckNewName(L"x.com", L"C:\\X\\x.exe", ok.Confirm());
  EXPECT_TRUE(r.accepted);
  EXPECT_EQ(r.name, L"X.com");

  Answers cancel{{false}};
  r = CheckNewName(L"x.com", L"C:\\X\\x.exe", cancel.Confirm());
  EXPECT_FALSE(r.accepted);
  EXPECT_EQ(r.name, L"x.exe");
}

TEST(RenameCheck, NonStandardTypeCancelCutsAfterTheFirstDot) {
  Answers cancel{{false}};
  auto r = CheckNewName(L"Setup.ex", L"C:\\X\\setup.exe", cancel.Confirm());
  EXPECT_EQ(cancel.asked, std::vector<RenameQuestion>{RenameQuestion::NonStandardType});
  EXPECT_FALSE(r.accepted);
  EXPECT_EQ(r.name, L"Setup.exe");

  // OK goes on to the type comparison: "pex" is not "exe".
  Answers both{{true, true}};
  r = CheckNewName(L"Setup.ex", L"C:\\X\\setup.exe", both.Confirm());
  EXPECT_EQ(both.asked,
            (std::vector<RenameQuestion>{RenameQuestion::NonStandardType,
                                         RenameQuestion::ChangedType}));
  EXPECT_TRUE(r.accepted);
  EXPECT_EQ(r.name, L"Setup.ex");
}

TEST(RenameCheck, EmptyNameBecomesDotAndType) {
  Answers a;
  const auto r = CheckNewName(L"", kNotepad, a.Confirm());
  EXPECT_TRUE(r.accepted);
  EXPECT_EQ(r.name, L".exe");
  EXPECT_TRUE(a.asked.empty());
}

TEST(RenameCheck, TypeComesFromTheProgramNotFromQuotesOrArguments) {
  Answers quoted;
  auto r = CheckNewName(L"tool", L"\"C:\\T\\tool.exe\"", quoted.Confirm());
  EXPECT_TRUE(quoted.asked.empty());
  EXPECT_TRUE(r.accepted);
  EXPECT_EQ(r.name, L"Tool.exe");

  Answers withArguments;
  r = CheckNewName(L"tool", L"C:\\T\\tool.exe /s", withArguments.Confirm());
  EXPECT_TRUE(withArguments.asked.empty());
  EXPECT_EQ(r.name, L"Tool.exe");
}

TEST(RenameCheck, ShortNamesAndShortInstallationsNeverFail) {
  // Cancel on a name shorter than three characters leaves nothing to cut: the type replaces it.
  Answers cancel{{false}};
  auto r = CheckNewName(L".a", L"C:\\X\\x.exe", cancel.Confirm());
  EXPECT_EQ(cancel.asked, std::vector<RenameQuestion>{RenameQuestion::ChangedType});
  EXPECT_FALSE(r.accepted);
  EXPECT_EQ(r.name, L"exe");

  // A program without a file type (a folder, a name without extension, nothing at all) gives
  // the name nothing to agree with: it is taken as typed, no question asked.
  for (const wchar_t* installation : {L"ab", L"", L"C:\\velmarin-acc", L"\"C:\\a.b\\tool\" /s"}) {
    Answers none;
    r = CheckNewName(L"dirnew", installation, none.Confirm());
    EXPECT_TRUE(none.asked.empty()) << installation;
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(r.name, L"Dirnew") << installation;
  }
}

TEST(RenameCheck, CapitalisationReachesLettersBeyondAscii) {
  Answers a;
  const auto r = CheckNewName(L"übersicht.EXE", L"C:\\X\\UEBER.EXE", a.Confirm());
  EXPECT_TRUE(r.accepted);
  EXPECT_EQ(r.name, L"Übersicht.exe");
}
