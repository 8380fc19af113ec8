#include "support/ReferenceLike.h"

#include <algorithm>

namespace {
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
}  // namespace

std::optional<ReferenceLikePattern> ReferenceLikePattern::Compile(std::wstring_view pattern,
                                                const LikeCharRules& rules) {
  ReferenceLikePattern compiled(rules);
  size_t pos = 0;
  while (pos < pattern.size()) {
    const wchar_t c = pattern[pos++];
    Element element;
    switch (c) {
      case L'?': element.kind = Kind::AnyOne; break;
      case L'#': element.kind = Kind::Digit; break;
      case L'*': element.kind = Kind::AnySequence; break;
      case L'[':
        if (!compiled.ParseList(pattern, pos)) return std::nullopt;
        continue;
      default: element.literal = c; break;
    }
    compiled.Append(std::move(element));
  }
  return compiled;
}

bool ReferenceLikePattern::ParseList(std::wstring_view pattern, size_t& pos) {
  Element list;
  list.kind = Kind::List;
  if (pos < pattern.size() && pattern[pos] == L'!') {
    list.negated = true;
    ++pos;
  }
  const size_t first = pos;
  for (;;) {
    if (pos >= pattern.size()) return false;  // no closing bracket
    const wchar_t c = pattern[pos];
    if (c == L']') break;
    // A hyphen joins two characters into a range unless it stands first or last in the list.
    const bool startsRange = pos != first || c != L'-';
    if (startsRange && pos + 2 < pattern.size() && pattern[pos + 1] == L'-' &&
        pattern[pos + 2] != L']') {
      const wchar_t high = pattern[pos + 2];
      if (rules_->order(c, high) > 0) return false;
      list.items.push_back({c, high});
      pos += 3;
    } else {
      list.items.push_back({c, c});
      ++pos;
    }
  }
  ++pos;  // past ']'
  // "[]" stands for no character at all, so it adds nothing to match.
  if (!list.items.empty() || list.negated) Append(std::move(list));
  return true;
}

void ReferenceLikePattern::Append(Element element) {
  // Runs of '*' mean the same as one.
  if (element.kind == Kind::AnySequence && !elements_.empty() &&
      elements_.back().kind == Kind::AnySequence)
    return;
  elements_.push_back(std::move(element));
}

bool ReferenceLikePattern::ElementMatches(const Element& element, wchar_t c) const {
  switch (element.kind) {
    case Kind::Literal: return rules_->same(c, element.literal);
    case Kind::AnyOne: return true;
    case Kind::Digit: return IsDigit(c);
    case Kind::AnySequence: return true;
    case Kind::List: return ListMatches(element, c) != element.negated;
  }
  return false;
}

bool ReferenceLikePattern::ListMatches(const Element& element, wchar_t c) const {
  return std::any_of(element.items.begin(), element.items.end(), [&](const ListItem& item) {
    if (item.low == item.high) return rules_->same(c, item.low);
    return rules_->order(item.low, c) <= 0 && rules_->order(c, item.high) <= 0;
  });
}

// A '*' may also match nothing: wherever a '*' is reached, the position after it is reached too.
void ReferenceLikePattern::CloseOverSequences(std::vector<char>& states) const {
  for (size_t i = 0; i < elements_.size(); ++i)
    if (states[i] && elements_[i].kind == Kind::AnySequence) states[i + 1] = 1;
}

// states[i] is set when the text read so far can be matched by the first i elements.
bool ReferenceLikePattern::Matches(std::wstring_view text) const {
  const size_t n = elements_.size();
  std::vector<char> states(n + 1, 0);
  std::vector<char> next(n + 1, 0);
  states[0] = 1;
  CloseOverSequences(states);
  for (const wchar_t c : text) {
    std::fill(next.begin(), next.end(), 0);
    bool alive = false;
    for (size_t i = 0; i < n; ++i) {
      if (!states[i]) continue;
      const Element& element = elements_[i];
      if (element.kind == Kind::AnySequence) {
        next[i] = 1;
        alive = true;
      } else if (ElementMatches(element, c)) {
        next[i + 1] = 1;
        alive = true;
      }
    }
    if (!alive) return false;
    CloseOverSequences(next);
    states.swap(next);
  }
  return states[n] != 0;
}

std::optional<bool> ReferenceLikeMatch(std::wstring_view text, std::wstring_view pattern,
                              const LikeCharRules& rules) {
  const std::optional<ReferenceLikePattern> compiled = ReferenceLikePattern::Compile(pattern, rules);
  if (!compiled) return std::nullopt;
  return compiled->Matches(text);
}
