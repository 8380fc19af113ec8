#pragma once
// The wildcard match of the list search: the whole text against the whole pattern.
//   ?  any one character        *  any sequence, the empty one too     #  one digit 0-9
//   [list]  one character of the list     [!list]  one character not in it
//   in a list: a-z is a range (ascending), - at the start or end is itself, [ ? # * are
//   themselves; ] ends the list; outside a list ] and ! are themselves; [] stands for no character at all.
// The pattern is compiled once into the set of its character positions; a match reads each text
// character once and moves every position at the same time (one machine word of states for up
// to 64 positions), however many stars the pattern has. A literal run after a star is found by a
// plain substring search, and the characters before the first and after the last star are
// tested where they must stand. Platform-free: how characters compare is passed in.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How characters compare. The matcher reads texts in their fold: `fold` maps every character of
// a text once (before the search); `same` and `order` must answer alike for all characters of
// one fold.
struct LikeCharRules {
  // Equality for plain pattern characters and list members (text character, pattern character).
  bool (*same)(wchar_t textChar, wchar_t patternChar);
  // Order for the ends of ranges: negative, zero or positive like a three-way comparison.
  int (*order)(wchar_t left, wchar_t right);
  wchar_t (*fold)(wchar_t c);
  // True when exactly the text characters of the pattern character's fold are `same` as it.
  bool (*foldExact)(wchar_t patternChar);
};

// Letter case significant: characters compare by their codes, texts are read as they are.
const LikeCharRules& CodeCharRules();

class LikePattern {
 public:
  // Nothing when the pattern is malformed: a [ without its ], or a range in descending order.
  // The pattern keeps a reference to `rules`, which must outlive it.
  static std::optional<LikePattern> Compile(std::wstring_view pattern, const LikeCharRules& rules);

  // `foldedText` in the rules' fold. Allocates nothing; not for two threads at once.
  bool Matches(std::wstring_view foldedText) const;
  // True when the empty text matches (the pattern has only stars, or nothing).
  bool MatchesEmpty() const { return positions_.empty(); }

 private:
  enum class Kind { Literal, AnyOne, Digit, List };
  struct ListItem {
    wchar_t low;
    wchar_t high;  // equal to low for a single character
  };
  // One character of the text: every element of the pattern but the star.
  struct Position {
    Kind kind = Kind::Literal;
    wchar_t literal = 0;
    bool negated = false;
    std::vector<ListItem> items;
  };
  // Masks of a few characters beyond the table, found again without asking every position.
  static constexpr size_t kWideSlots = 64;
  static constexpr unsigned kTableSize = 256;

  explicit LikePattern(const LikeCharRules& rules) : rules_(&rules) {}

  bool Parse(std::wstring_view pattern);
  bool ParseList(std::wstring_view pattern, size_t& pos);
  void AddStar();
  void Prepare();
  void PrepareLeadingLiteral();
  bool Accepts(const Position& position, wchar_t c) const;
  bool ListAccepts(const Position& position, wchar_t c) const;
  void FillMask(wchar_t c, uint64_t* mask) const;
  const uint64_t* MaskOf(wchar_t c) const;
  bool AcceptsAt(size_t position, wchar_t c) const;
  bool FixedPartsMatch(std::wstring_view text) const;
  size_t NextLeadStart(std::wstring_view middle, size_t from) const;
  bool MiddleMatchesOneWord(std::wstring_view middle) const;
  bool MiddleMatchesManyWords(std::wstring_view middle) const;

  const LikeCharRules* rules_;
  std::vector<Position> positions_;
  // starAfter_[j]: a star follows position j; leadingStar_: one stands before the first.
  std::vector<bool> starAfter_;
  bool leadingStar_ = false;
  bool hasStar_ = false;
  size_t head_ = 0;  // positions before the first star
  size_t tail_ = 0;  // positions after the last star
  std::wstring lead_;  // the literal run, in the fold, that follows the first star
  size_t words_ = 1;
  std::vector<uint64_t> tableMasks_;  // kTableSize x words_: the positions each character fits
  std::vector<uint64_t> starMask_;    // words_: the positions a star follows
  mutable std::array<wchar_t, kWideSlots> wideKeys_{};
  mutable std::vector<uint64_t> wideMasks_;  // kWideSlots x words_
  mutable std::vector<uint64_t> states_;     // scratch for more than 64 positions
  mutable std::vector<uint64_t> next_;
};

// Compiles and matches in one step, folding `text` first; nothing when the pattern is malformed.
std::optional<bool> LikeMatch(std::wstring_view text, std::wstring_view pattern,
                              const LikeCharRules& rules);
