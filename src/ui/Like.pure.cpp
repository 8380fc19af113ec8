#include "ui/Like.h"

#include <algorithm>

namespace {
bool SameCode(wchar_t textChar, wchar_t patternChar) { return textChar == patternChar; }
int CodeOrder(wchar_t left, wchar_t right) { return (left > right) - (left < right); }
wchar_t AsItIs(wchar_t c) { return c; }
bool AlwaysExact(wchar_t) { return true; }
const LikeCharRules kCodeRules{SameCode, CodeOrder, AsItIs, AlwaysExact};

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
uint32_t Code(wchar_t c) { return static_cast<uint32_t>(c); }

constexpr size_t kWordBits = 64;
uint64_t Bit(size_t position) { return uint64_t{1} << (position % kWordBits); }
}  // namespace

const LikeCharRules& CodeCharRules() { return kCodeRules; }

std::optional<LikePattern> LikePattern::Compile(std::wstring_view pattern,
                                                const LikeCharRules& rules) {
  LikePattern compiled(rules);
  if (!compiled.Parse(pattern)) return std::nullopt;
  compiled.Prepare();
  return compiled;
}

// ---- Reading the pattern ----

bool LikePattern::Parse(std::wstring_view pattern) {
  size_t pos = 0;
  while (pos < pattern.size()) {
    const wchar_t c = pattern[pos++];
    Position position;
    switch (c) {
      case L'?': position.kind = Kind::AnyOne; break;
      case L'#': position.kind = Kind::Digit; break;
      case L'*': AddStar(); continue;
      case L'[':
        if (!ParseList(pattern, pos)) return false;
        continue;
      default: position.literal = c; break;
    }
    positions_.push_back(std::move(position));
    starAfter_.push_back(false);
  }
  return true;
}

bool LikePattern::ParseList(std::wstring_view pattern, size_t& pos) {
  Position list;
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
  if (list.items.empty() && !list.negated) return true;
  positions_.push_back(std::move(list));
  starAfter_.push_back(false);
  return true;
}

// Runs of '*' mean the same as one.
void LikePattern::AddStar() {
  hasStar_ = true;
  if (positions_.empty())
    leadingStar_ = true;
  else
    starAfter_.back() = true;
}

// ---- Compiling ----

void LikePattern::Prepare() {
  const size_t m = positions_.size();
  words_ = std::max<size_t>(1, (m + kWordBits - 1) / kWordBits);
  // Without a star every position is fixed from the start; the tail is then empty.
  const auto firstStar = std::find(starAfter_.begin(), starAfter_.end(), true);
  const auto lastStar = std::find(starAfter_.rbegin(), starAfter_.rend(), true);
  head_ = leadingStar_ ? 0 : static_cast<size_t>(firstStar - starAfter_.begin()) + 1;
  head_ = std::min(head_, m);
  tail_ = hasStar_ ? static_cast<size_t>(lastStar - starAfter_.rbegin()) : 0;
  starMask_.assign(words_, 0);
  for (size_t j = 0; j < m; ++j)
    if (starAfter_[j]) starMask_[j / kWordBits] |= Bit(j);
  tableMasks_.assign(kTableSize * words_, 0);
  for (uint32_t c = 0; c < kTableSize; ++c)
    FillMask(static_cast<wchar_t>(c), &tableMasks_[c * words_]);
  wideMasks_.assign(kWideSlots * words_, 0);
  states_.assign(words_, 0);
  next_.assign(words_, 0);
  PrepareLeadingLiteral();
}

// The literal characters right after the first star, as far as each stands for its fold alone.
void LikePattern::PrepareLeadingLiteral() {
  if (!hasStar_) return;
  for (size_t j = head_; j + tail_ < positions_.size(); ++j) {
    const Position& position = positions_[j];
    if (position.kind != Kind::Literal || !rules_->foldExact(position.literal)) break;
    lead_.push_back(rules_->fold(position.literal));
    if (starAfter_[j]) break;
  }
}

bool LikePattern::Accepts(const Position& position, wchar_t c) const {
  switch (position.kind) {
    case Kind::Literal: return rules_->same(c, position.literal);
    case Kind::AnyOne: return true;
    case Kind::Digit: return IsDigit(c);
    case Kind::List: return ListAccepts(position, c) != position.negated;
  }
  return false;
}

bool LikePattern::ListAccepts(const Position& position, wchar_t c) const {
  return std::any_of(position.items.begin(), position.items.end(), [&](const ListItem& item) {
    if (item.low == item.high) return rules_->same(c, item.low);
    return rules_->order(item.low, c) <= 0 && rules_->order(c, item.high) <= 0;
  });
}

void LikePattern::FillMask(wchar_t c, uint64_t* mask) const {
  std::fill(mask, mask + words_, 0);
  for (size_t j = 0; j < positions_.size(); ++j)
    if (Accepts(positions_[j], c)) mask[j / kWordBits] |= Bit(j);
}

// The positions `c` fits: from the table, or for a rarer character from a slot of its own.
const uint64_t* LikePattern::MaskOf(wchar_t c) const {
  if (Code(c) < kTableSize) return &tableMasks_[Code(c) * words_];
  const size_t slot = Code(c) % kWideSlots;
  uint64_t* mask = &wideMasks_[slot * words_];
  if (wideKeys_[slot] != c) {
    FillMask(c, mask);
    wideKeys_[slot] = c;
  }
  return mask;
}

bool LikePattern::AcceptsAt(size_t position, wchar_t c) const {
  return (MaskOf(c)[position / kWordBits] & Bit(position)) != 0;
}

// ---- Matching ----

// The characters before the first star and after the last one stand at fixed places.
bool LikePattern::FixedPartsMatch(std::wstring_view text) const {
  const size_t m = positions_.size();
  if (hasStar_ ? text.size() < m : text.size() != m) return false;
  for (size_t j = 0; j < head_; ++j)
    if (!AcceptsAt(j, text[j])) return false;
  const size_t tailText = text.size() - tail_;
  for (size_t k = 0; k < tail_; ++k)
    if (!AcceptsAt(m - tail_ + k, text[tailText + k])) return false;
  return true;
}

// Where the literal after the first star next occurs: before it no position past the star can
// get anywhere. The end of `middle` when it does not occur.
size_t LikePattern::NextLeadStart(std::wstring_view middle, size_t from) const {
  if (lead_.empty() || from >= middle.size()) return from;
  const size_t found = middle.find(lead_, from);
  return found == std::wstring_view::npos ? middle.size() : found;
}

bool LikePattern::Matches(std::wstring_view foldedText) const {
  if (!FixedPartsMatch(foldedText)) return false;
  if (head_ + tail_ == positions_.size()) return true;  // only stars between them
  const std::wstring_view middle =
      foldedText.substr(head_, foldedText.size() - head_ - tail_);
  return words_ == 1 ? MiddleMatchesOneWord(middle) : MiddleMatchesManyWords(middle);
}

// Bit j: the text read so far ends where position j was matched (the star state before the
// middle is always there). The last middle position is followed by the last star, so reaching
// it is a match whatever comes after.
bool LikePattern::MiddleMatchesOneWord(std::wstring_view middle) const {
  const uint64_t enter = Bit(head_);
  const uint64_t done = Bit(positions_.size() - tail_ - 1);
  const uint64_t stars = starMask_[0];
  uint64_t states = 0;
  size_t i = NextLeadStart(middle, 0);
  while (i < middle.size()) {
    states = (((states << 1) | enter) & *MaskOf(middle[i])) | (states & stars);
    if ((states & done) != 0) return true;
    ++i;
    if (states == 0) i = NextLeadStart(middle, i);
  }
  return false;
}

// The same over several words, the shift carrying from each word into the next.
bool LikePattern::MiddleMatchesManyWords(std::wstring_view middle) const {
  const size_t enterWord = head_ / kWordBits;
  const size_t last = positions_.size() - tail_ - 1;
  std::fill(states_.begin(), states_.end(), 0);
  size_t i = NextLeadStart(middle, 0);
  while (i < middle.size()) {
    const uint64_t* mask = MaskOf(middle[i]);
    uint64_t carry = 0;
    uint64_t any = 0;
    for (size_t w = 0; w < words_; ++w) {
      uint64_t shifted = (states_[w] << 1) | carry;
      if (w == enterWord) shifted |= Bit(head_);
      carry = states_[w] >> (kWordBits - 1);
      next_[w] = (shifted & mask[w]) | (states_[w] & starMask_[w]);
      any |= next_[w];
    }
    states_.swap(next_);
    if ((states_[last / kWordBits] & Bit(last)) != 0) return true;
    ++i;
    if (any == 0) i = NextLeadStart(middle, i);
  }
  return false;
}

std::optional<bool> LikeMatch(std::wstring_view text, std::wstring_view pattern,
                              const LikeCharRules& rules) {
  const std::optional<LikePattern> compiled = LikePattern::Compile(pattern, rules);
  if (!compiled) return std::nullopt;
  std::wstring folded(text);
  for (wchar_t& c : folded) c = rules.fold(c);
  return compiled->Matches(folded);
}
