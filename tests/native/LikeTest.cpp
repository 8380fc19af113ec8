#include <gtest/gtest.h>

#include <string>

#include "ui/Like.h"

namespace {
// A case-blind rule set of the kind the locale mode injects: letters equal in either case,
// ranges ordered by the upper-case form. Its own folding of ASCII and Latin-1 letters, so it
// answers alike whatever the C library's locale supports.
wchar_t Upper(wchar_t c) {
  const bool asciiLower = c >= L'a' && c <= L'z';
  const bool latin1Lower = c >= 0xE0 && c <= 0xFE && c != 0xF7;
  return (asciiLower || latin1Lower) ? static_cast<wchar_t>(c - 0x20) : c;
}
bool SameIgnoringCase(wchar_t a, wchar_t b) { return Upper(a) == Upper(b); }
int OrderIgnoringCase(wchar_t a, wchar_t b) {
  const wchar_t ua = Upper(a);
  const wchar_t ub = Upper(b);
  return (ua > ub) - (ua < ub);
}
bool Exact(wchar_t) { return true; }
const LikeCharRules kCaseBlind{SameIgnoringCase, OrderIgnoringCase, Upper, Exact};

// 1 match, 0 no match, -1 malformed pattern.
int Code(const std::wstring& text, const std::wstring& pattern) {
  const std::optional<bool> r = LikeMatch(text, pattern, CodeCharRules());
  return r ? (*r ? 1 : 0) : -1;
}
int Blind(const std::wstring& text, const std::wstring& pattern) {
  const std::optional<bool> r = LikeMatch(text, pattern, kCaseBlind);
  return r ? (*r ? 1 : 0) : -1;
}
}  // namespace

TEST(Like, PlainCharactersMatchTheWholeText) {
  EXPECT_EQ(Code(L"notepad.exe", L"notepad.exe"), 1);
  EXPECT_EQ(Code(L"notepad.exe", L"notepad.ex"), 0);   // pattern shorter than text
  EXPECT_EQ(Code(L"notepad.ex", L"notepad.exe"), 0);   // text shorter than pattern
  EXPECT_EQ(Code(L"xnotepad.exe", L"notepad.exe"), 0);  // no search for a part
  EXPECT_EQ(Code(L"", L""), 1);
  EXPECT_EQ(Code(L"a", L""), 0);
  EXPECT_EQ(Code(L"", L"a"), 0);
}

TEST(Like, LetterCaseDependsOnTheRules) {
  EXPECT_EQ(Code(L"Notepad.exe", L"notepad.exe"), 0);
  EXPECT_EQ(Blind(L"Notepad.exe", L"notepad.exe"), 1);
  EXPECT_EQ(Blind(L"NOTEPAD.EXE", L"notepad.exe"), 1);
  EXPECT_EQ(Code(L"\u00C4rger", L"\u00E4rger"), 0);   // Ä vs ä
  EXPECT_EQ(Blind(L"\u00C4rger", L"\u00E4rger"), 1);
  EXPECT_EQ(Blind(L"\u00C4rger", L"arger"), 0);       // case-blind is not accent-blind
}

TEST(Like, QuestionMarkIsExactlyOneCharacter) {
  EXPECT_EQ(Code(L"abc", L"a?c"), 1);
  EXPECT_EQ(Code(L"ac", L"a?c"), 0);
  EXPECT_EQ(Code(L"abbc", L"a?c"), 0);
  EXPECT_EQ(Code(L"a?c", L"a?c"), 1);
  EXPECT_EQ(Code(L"", L"?"), 0);
  EXPECT_EQ(Code(L"\u00DF", L"?"), 1);
}

TEST(Like, StarIsAnySequenceIncludingTheEmptyOne) {
  EXPECT_EQ(Code(L"", L"*"), 1);
  EXPECT_EQ(Code(L"anything at all", L"*"), 1);
  EXPECT_EQ(Code(L"ab", L"a*b"), 1);
  EXPECT_EQ(Code(L"a--b", L"a*b"), 1);
  EXPECT_EQ(Code(L"a--bc", L"a*b"), 0);
  EXPECT_EQ(Code(L"abcabc", L"*abc"), 1);
  EXPECT_EQ(Code(L"abab", L"*ab*ab*"), 1);
  EXPECT_EQ(Code(L"aba", L"*ab*ab*"), 0);
  EXPECT_EQ(Code(L"x", L"***"), 1);
  EXPECT_EQ(Code(L"setup.exe", L"*.exe"), 1);
  EXPECT_EQ(Code(L"setup.exe.bak", L"*.exe"), 0);
}

TEST(Like, HashIsOneDigit) {
  EXPECT_EQ(Code(L"c1.exe", L"c#.exe"), 1);
  EXPECT_EQ(Code(L"c#.exe", L"c#.exe"), 0);
  EXPECT_EQ(Code(L"c12.exe", L"c#.exe"), 0);
  EXPECT_EQ(Code(L"c.exe", L"c#.exe"), 0);
  for (wchar_t d = L'0'; d <= L'9'; ++d) EXPECT_EQ(Code(std::wstring(1, d), L"#"), 1) << static_cast<int>(d);
  EXPECT_EQ(Code(L"/", L"#"), 0);  // the codes either side of the digits
  EXPECT_EQ(Code(L":", L"#"), 0);
  EXPECT_EQ(Code(L"\u0663", L"#"), 0);  // an Arabic-Indic digit is not 0 to 9
  EXPECT_EQ(Blind(L"7", L"#"), 1);
}

TEST(Like, ListsAndNegatedLists) {
  EXPECT_EQ(Code(L"b", L"[abc]"), 1);
  EXPECT_EQ(Code(L"d", L"[abc]"), 0);
  EXPECT_EQ(Code(L"d", L"[!abc]"), 1);
  EXPECT_EQ(Code(L"a", L"[!abc]"), 0);
  EXPECT_EQ(Code(L"", L"[abc]"), 0);
  EXPECT_EQ(Code(L"ab", L"[abc]"), 0);  // a list is one character
  EXPECT_EQ(Code(L"B", L"[abc]"), 0);
  EXPECT_EQ(Blind(L"B", L"[abc]"), 1);
  EXPECT_EQ(Blind(L"B", L"[!abc]"), 0);
  EXPECT_EQ(Code(L"x1.exe", L"[wx]#.exe"), 1);
}

TEST(Like, RangesInsideLists) {
  EXPECT_EQ(Code(L"m", L"[a-z]"), 1);
  EXPECT_EQ(Code(L"a", L"[a-z]"), 1);
  EXPECT_EQ(Code(L"z", L"[a-z]"), 1);
  EXPECT_EQ(Code(L"M", L"[a-z]"), 0);
  EXPECT_EQ(Blind(L"M", L"[a-z]"), 1);
  EXPECT_EQ(Code(L"5", L"[a-z0-9]"), 1);
  EXPECT_EQ(Code(L"_", L"[a-z0-9]"), 0);
  EXPECT_EQ(Code(L"_", L"[!a-z0-9]"), 1);
  EXPECT_EQ(Code(L"q", L"[!a-z]"), 0);
  EXPECT_EQ(Code(L"a", L"[a-a]"), 1);  // a range of one character is ascending
  EXPECT_EQ(Code(L"-", L"[a-b-c]"), 1);  // a hyphen after a range joins nothing
  EXPECT_EQ(Code(L"c", L"[a-b-c]"), 1);
}

TEST(Like, HyphenAtEitherEndOfAListIsItself) {
  EXPECT_EQ(Code(L"-", L"[-a]"), 1);
  EXPECT_EQ(Code(L"a", L"[-a]"), 1);
  EXPECT_EQ(Code(L"-", L"[a-]"), 1);
  EXPECT_EQ(Code(L"b", L"[a-]"), 0);
  EXPECT_EQ(Code(L"-", L"[-]"), 1);
  EXPECT_EQ(Code(L"-", L"[!-a]"), 0);
  EXPECT_EQ(Code(L"b", L"[!-a]"), 1);
  EXPECT_EQ(Code(L"-", L"[--/]"), 1);  // first hyphen literal, then '-' and '/'
  EXPECT_EQ(Code(L".", L"[--/]"), 0);
}

TEST(Like, SpecialCharactersInsideBracketsAreThemselves) {
  EXPECT_EQ(Code(L"[", L"[[]"), 1);
  EXPECT_EQ(Code(L"?", L"[?]"), 1);
  EXPECT_EQ(Code(L"x", L"[?]"), 0);
  EXPECT_EQ(Code(L"#", L"[#]"), 1);
  EXPECT_EQ(Code(L"1", L"[#]"), 0);
  EXPECT_EQ(Code(L"*", L"[*]"), 1);
  EXPECT_EQ(Code(L"ab", L"[*]"), 0);
  EXPECT_EQ(Code(L"c#.exe", L"c[#].exe"), 1);
  EXPECT_EQ(Code(L"c1.exe", L"c[#].exe"), 0);
  EXPECT_EQ(Code(L"!", L"[!!]"), 0);
  EXPECT_EQ(Code(L"x", L"[!!]"), 1);
}

TEST(Like, ClosingBracketAndExclamationMarkOutsideAListAreThemselves) {
  EXPECT_EQ(Code(L"]", L"]"), 1);
  EXPECT_EQ(Code(L"a]b", L"a]b"), 1);
  EXPECT_EQ(Code(L"!", L"!"), 1);
  EXPECT_EQ(Code(L"x", L"!"), 0);
  EXPECT_EQ(Code(L"hi!.exe", L"hi!.exe"), 1);
  // A list ends at the first ']', so "[]]" is the empty list followed by ']'.
  EXPECT_EQ(Code(L"]", L"[]]"), 1);
}

TEST(Like, EmptyBracketsMatchTheEmptyText) {
  EXPECT_EQ(Code(L"", L"[]"), 1);
  EXPECT_EQ(Code(L"a", L"[]"), 0);
  EXPECT_EQ(Code(L"ab", L"a[]b"), 1);
  EXPECT_EQ(Code(L"a", L"[!]"), 1);  // nothing excluded: any one character
  EXPECT_EQ(Code(L"", L"[!]"), 0);
}

TEST(Like, MalformedPatternsAreAnErrorNotAnAnswer) {
  EXPECT_EQ(Code(L"a", L"["), -1);
  EXPECT_EQ(Code(L"a", L"[a"), -1);
  EXPECT_EQ(Code(L"a", L"[!"), -1);
  EXPECT_EQ(Code(L"a", L"[a-"), -1);
  EXPECT_EQ(Code(L"b", L"a["), -1);  // error even where the text fails earlier
  EXPECT_EQ(Code(L"m", L"[z-a]"), -1);
  EXPECT_EQ(Code(L"m", L"[!z-a]"), -1);
  EXPECT_EQ(Code(L"m", L"x*[b-a]"), -1);
  EXPECT_EQ(Blind(L"m", L"[z-a]"), -1);
  // Mode decides what is descending: by codes "Z" (0x5A) < "a" (0x61), case-blind "A" < "Z".
  EXPECT_EQ(Code(L"_", L"[Z-a]"), 1);
  EXPECT_EQ(Blind(L"_", L"[Z-a]"), -1);
  EXPECT_FALSE(LikePattern::Compile(L"[", CodeCharRules()).has_value());
}

TEST(Like, CompiledPatternAnswersManyTexts) {
  const std::optional<LikePattern> pattern = LikePattern::Compile(L"*.e[x]e", CodeCharRules());
  ASSERT_TRUE(pattern.has_value());
  EXPECT_TRUE(pattern->Matches(L"a.exe"));
  EXPECT_FALSE(pattern->Matches(L"a.com"));
  EXPECT_TRUE(pattern->Matches(L".exe"));
}

// A backtracking matcher takes exponential time here; stepping a set of positions does not.
TEST(Like, ManyStarsAgainstALongTextFinishAtOnce) {
  const std::wstring pattern = L"*a*a*a*a*a*a*a*a*a*a*a*a*b";
  EXPECT_EQ(Code(std::wstring(10000, L'a'), pattern), 0);
  EXPECT_EQ(Blind(std::wstring(10000, L'A'), pattern), 0);
  EXPECT_EQ(Code(std::wstring(10000, L'a') + L"b", pattern), 1);
  EXPECT_EQ(Code(std::wstring(10000, L'a'), L"*?*?*?*?*?*?*?*?*?*?*?*#"), 0);
}


// Past 64 positions the states take several words; the shift must carry from one to the next.
TEST(Like, PatternsOfMoreThanOneWordOfPositions) {
  std::wstring run;
  for (int i = 0; i < 35; ++i) run += L"ab";
  EXPECT_EQ(Code(L"x" + run + L"y", L"*" + run + L"*"), 1);
  EXPECT_EQ(Code(L"x" + run.substr(2) + L"y", L"*" + run + L"*"), 0);
  EXPECT_EQ(Code(L"x" + run + run, L"x*" + run + L"?*" + run), 0);
  EXPECT_EQ(Code(L"x" + run + L"y" + run, L"x*" + run + L"?*" + run), 1);
  EXPECT_EQ(Code(run + run, L"*ba" + run + L"*"), 0);
}

// Where folds do not say everything: i and the dotless \u0131 share their upper case I, so an i
// in a pattern is the same as both, though they fold apart. Such a letter is never searched for
// by its fold.
TEST(Like, LetterOfTwoFoldsIsMatchedByItsRuleNotItsFold) {
  struct DotlessRules {
    static wchar_t Up(wchar_t c) {
      return c == 0x131 ? L'I' : c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c;
    }
    static wchar_t Down(wchar_t c) {
      return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c;
    }
    static bool Same(wchar_t t, wchar_t p) { return Up(t) == Up(p) || Down(t) == Down(p); }
    static wchar_t Fold(wchar_t c) { return c == 0x131 ? c : Up(c); }
    static bool Exact(wchar_t c) { return Up(c) != L'I'; }
  };
  const LikeCharRules rules{DotlessRules::Same, OrderIgnoringCase, DotlessRules::Fold,
                            DotlessRules::Exact};
  for (const wchar_t* pattern : {L"*xi*", L"*xi", L"xi*", L"xi", L"*x*i*"}) {
    EXPECT_EQ(LikeMatch(L"x\u0131", pattern, rules), true) << pattern;
    EXPECT_EQ(LikeMatch(L"XI", pattern, rules), true) << pattern;
    EXPECT_EQ(LikeMatch(L"xj", pattern, rules), false) << pattern;
  }
}
