#pragma once
// The wildcard match of the list search: the whole text against the whole pattern.
//   ?  any one character        *  any sequence, the empty one too     #  one digit 0-9
//   [list]  one character of the list     [!list]  one character not in it
//   in a list: a-z is a range (ascending), - at the start or end is itself, [ ? # * are
//   themselves; ] ends the list; outside a list ] and ! are themselves; [] stands for no character at all.
// The pattern is compiled once and matched by stepping a set of pattern positions through the
// text, so a match costs at most text length x pattern length steps, whatever the pattern.
// Platform-free: how characters compare is passed in.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How two characters compare: equality for plain pattern characters and list members, order for
// the ends of ranges (negative, zero or positive like a three-way comparison).
struct LikeCharRules {
  bool (*same)(wchar_t textChar, wchar_t patternChar);
  int (*order)(wchar_t left, wchar_t right);
};

// Letter case significant: characters compare by their codes.
const LikeCharRules& CodeCharRules();

class LikePattern {
 public:
  // Nothing when the pattern is malformed: a [ without its ], or a range in descending order.
  // The pattern keeps a reference to `rules`, which must outlive it.
  static std::optional<LikePattern> Compile(std::wstring_view pattern, const LikeCharRules& rules);

  bool Matches(std::wstring_view text) const;

 private:
  enum class Kind { Literal, AnyOne, Digit, AnySequence, List };
  struct ListItem {
    wchar_t low;
    wchar_t high;  // equal to low for a single character
  };
  struct Element {
    Kind kind = Kind::Literal;
    wchar_t literal = 0;
    bool negated = false;
    std::vector<ListItem> items;
  };

  explicit LikePattern(const LikeCharRules& rules) : rules_(&rules) {}

  // Reads the list that starts after the '[' at `pos`; advances `pos` past its ']'. False when
  // the list is malformed.
  bool ParseList(std::wstring_view pattern, size_t& pos);
  void Append(Element element);
  bool ElementMatches(const Element& element, wchar_t c) const;
  bool ListMatches(const Element& element, wchar_t c) const;
  void CloseOverSequences(std::vector<char>& states) const;

  const LikeCharRules* rules_;
  std::vector<Element> elements_;
};

// Compiles and matches in one step; nothing when the pattern is malformed.
std::optional<bool> LikeMatch(std::wstring_view text, std::wstring_view pattern,
                              const LikeCharRules& rules);
