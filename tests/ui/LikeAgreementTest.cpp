#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "support/ReferenceLike.h"
#include "ui/Like.h"
#include "ui/modLikeCompareText.h"

namespace {

// Letters with their other case, beyond A to Z too: umlauts, sharp s, Greek with its final
// sigma, and the letters whose cases are not pairs (dotless ı and dotted İ, long ſ, the Kelvin
// and Ohm signs); digits, separators and the pattern's own characters.
const std::wstring kLetters =
    L"aAbBxXsSkKiI19-. \u00E4\u00C4\u00F6\u00D6\u00DF\u0131\u0130\u017F\u212A\u2126\u03C9"
    L"\u03A9\u03C3\u03C2\u03A3*?#[]!";
const std::vector<std::wstring> kLists = {
    L"[a-c]", L"[!a-c]", L"[\u00E4\u00F6]", L"[!x\u00DF]", L"[-a]",  L"[a-]", L"[0-9]",
    L"[*]",   L"[?]",    L"[#]",            L"[[]",        L"[A-Z]", L"[!]",  L"[]",
    L"[i]",   L"[\u03C3\u03C2]", L"[a-z0-9]", L"[!-/]", L"[z-a]", L"[ab"};

class Table {
 public:
  wchar_t Letter() { return kLetters[Pick(kLetters.size())]; }

  // Atoms of every kind; a few patterns are long enough to need more than one word of states.
  std::wstring Pattern() {
    const size_t atoms = Pick(10) == 0 ? 60 + Pick(30) : 1 + Pick(9);
    std::wstring pattern;
    for (size_t i = 0; i < atoms; ++i) {
      switch (Pick(8)) {
        case 0: pattern += L'*'; break;
        case 1: pattern += L'?'; break;
        case 2: pattern += L'#'; break;
        case 3: pattern += kLists[Pick(kLists.size())]; break;
        default: pattern += PlainLetter(); break;
      }
    }
    return pattern;
  }

  // A text the pattern may well match: its letters in either case, something for each
  // wildcard, now and then a letter changed.
  std::wstring TextFor(const std::wstring& pattern) {
    std::wstring text;
    for (const wchar_t c : pattern) {
      if (c == L'*') text.append(Pick(4), Letter());
      else if (c == L'#') text += static_cast<wchar_t>(L'0' + Pick(10));
      else if (c == L'?' || c == L'[' || c == L']' || c == L'!' || c == L'-') text += Letter();
      else text += CaseVariant(c);
    }
    if (!text.empty() && Pick(3) == 0) text[Pick(text.size())] = Letter();
    return text;
  }

  std::wstring RandomText() {
    std::wstring text;
    for (size_t n = Pick(12); n > 0; --n) text += Letter();
    return text;
  }

 private:
  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }
  wchar_t PlainLetter() {
    for (;;) {
      const wchar_t c = Letter();
      if (c != L'*' && c != L'?' && c != L'#' && c != L'[') return c;
    }
  }
  // Any letter equal to `c` in either case (for i also ı and İ).
  wchar_t CaseVariant(wchar_t c) {
    std::wstring variants;
    for (const wchar_t v : kLetters)
      if (UpperUnit(v) == UpperUnit(c) || LowerUnit(v) == LowerUnit(c)) variants += v;
    return variants.empty() ? c : variants[Pick(variants.size())];
  }

  std::mt19937 random_{27};
};

std::optional<bool> FastMatch(const std::wstring& text, const std::wstring& pattern,
                              const LikeCharRules& rules) {
  const std::optional<LikePattern> compiled = LikePattern::Compile(pattern, rules);
  if (!compiled) return std::nullopt;
  std::wstring folded = text;
  for (wchar_t& c : folded) c = rules.fold(c);
  return compiled->Matches(folded);
}

std::string Shown(const std::wstring& text) {
  std::string out;
  for (const wchar_t c : text)
    out += c < 0x80 ? std::string(1, static_cast<char>(c)) : "\\u" + std::to_string(c);
  return out;
}

}  // namespace

// The matcher answers as the one it replaced, by codes and by the user's locale, on texts in
// their fold: a large generated table of patterns and texts.
TEST(LikeAgreement, AnswersAsTheReferenceMatcher) {
  Table table;
  int matches = 0;
  int failures = 0;
  int malformed = 0;
  for (int p = 0; p < 300; ++p) {
    const std::wstring pattern = table.Pattern();
    std::vector<std::wstring> texts;
    for (int t = 0; t < 25; ++t) texts.push_back(table.TextFor(pattern));
    for (int t = 0; t < 15; ++t) texts.push_back(table.RandomText());
    for (const LikeCharRules* rules : {&CodeCharRules(), &UserLocaleCharRules()})
      for (const std::wstring& text : texts) {
        const std::optional<bool> expected = ReferenceLikeMatch(text, pattern, *rules);
        const std::optional<bool> answer = FastMatch(text, pattern, *rules);
        matches += expected.value_or(false) ? 1 : 0;
        malformed += expected ? 0 : 1;
        if (answer == expected) continue;
        if (++failures <= 10)
          ADD_FAILURE() << "pattern " << Shown(pattern) << " text " << Shown(text) << " rules "
                        << (rules == &CodeCharRules() ? "codes" : "locale");
      }
  }
  EXPECT_EQ(failures, 0);
  // The table holds matches, failures and malformed patterns alike.
  EXPECT_GT(matches, 2000);
  EXPECT_GT(malformed, 200);
}
