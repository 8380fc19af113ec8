#pragma once
// The matcher the search used before ui/Like: the same pattern language (see there), matched by
// stepping every pattern position through the raw text, so a match costs text length x pattern
// length steps. Kept only as the reference the fast matcher is tested against and as the old
// figure of the benchmark; it reads the rules' `same` and `order` and folds nothing.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Like.h"

class ReferenceLikePattern {
 public:
  // Nothing when the pattern is malformed: a [ without its ], or a range in descending order.
  // The pattern keeps a reference to `rules`, which must outlive it.
  static std::optional<ReferenceLikePattern> Compile(std::wstring_view pattern, const LikeCharRules& rules);

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

  explicit ReferenceLikePattern(const LikeCharRules& rules) : rules_(&rules) {}

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
std::optional<bool> ReferenceLikeMatch(std::wstring_view text, std::wstring_view pattern,
                              const LikeCharRules& rules);
