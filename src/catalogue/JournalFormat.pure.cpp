#include "catalogue/JournalFormat.h"

#include <array>
#include <string>

namespace {

constexpr std::array<uint8_t, 8> kMagic = {'V', 'M', 'J', 'O', 'U', 'R', 'N', 'L'};
// The registry nests keys at most 512 deep; a deeper tree in a file is damage, and following
// it would only exhaust the stack.
constexpr int kMaxDepth = 512;

uint32_t Crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

class Writer {
 public:
  void U8(uint8_t value) { bytes_.push_back(value); }
  void U32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
      bytes_.push_back(static_cast<uint8_t>(value >> shift));
  }
  // Names hold UTF-16 units, one per wchar_t, as the registry gives them.
  void Name(const std::wstring& name) {
    U32(static_cast<uint32_t>(name.size()));
    for (const wchar_t unit : name) {
      bytes_.push_back(static_cast<uint8_t>(unit & 0xFF));
      bytes_.push_back(static_cast<uint8_t>((unit >> 8) & 0xFF));
    }
  }
  void Data(const std::vector<uint8_t>& data) {
    U32(static_cast<uint32_t>(data.size()));
    bytes_.insert(bytes_.end(), data.begin(), data.end());
  }
  void Tree(const Registry::KeyTree& tree) {
    Name(tree.name);
    U32(static_cast<uint32_t>(tree.values.size()));
    for (const Registry::RawValue& value : tree.values) {
      Name(value.name);
      U32(value.type);
      Data(value.data);
    }
    U32(static_cast<uint32_t>(tree.subKeys.size()));
    for (const Registry::KeyTree& sub : tree.subKeys) Tree(sub);
  }
  void MaybeTree(const std::optional<Registry::KeyTree>& tree) {
    U8(tree ? 1 : 0);
    if (tree) Tree(*tree);
  }
  std::vector<uint8_t> Finish() {
    U32(Crc32(bytes_.data(), bytes_.size()));
    return std::move(bytes_);
  }

 private:
  std::vector<uint8_t> bytes_;
};

// Reads within `end`; every read that would pass it fails, and so does everything after.
class Reader {
 public:
  Reader(const uint8_t* begin, const uint8_t* end) : at_(begin), end_(end) {}

  bool U8(uint8_t& value) {
    if (Left() < 1) return false;
    value = *at_++;
    return true;
  }
  bool U32(uint32_t& value) {
    if (Left() < 4) return false;
    value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= static_cast<uint32_t>(*at_++) << shift;
    return true;
  }
  bool Flag(bool& value) {
    uint8_t byte = 0;
    if (!U8(byte) || byte > 1) return false;
    value = byte == 1;
    return true;
  }
  // A count of things each at least `minimumSize` bytes long, which the rest must be able to hold.
  bool Count(uint32_t& count, size_t minimumSize) {
    return U32(count) && count <= Left() / minimumSize;
  }
  bool Name(std::wstring& name) {
    uint32_t units = 0;
    if (!U32(units) || units > Left() / 2) return false;
    name.resize(units);
    for (wchar_t& unit : name) {
      unit = static_cast<wchar_t>(at_[0] | (at_[1] << 8));
      at_ += 2;
    }
    return true;
  }
  bool Data(std::vector<uint8_t>& data) {
    uint32_t size = 0;
    if (!U32(size) || size > Left()) return false;
    data.assign(at_, at_ + size);
    at_ += size;
    return true;
  }
  bool Tree(Registry::KeyTree& tree, int depth) {
    uint32_t values = 0;
    if (depth > kMaxDepth || !Name(tree.name) || !Count(values, 12)) return false;
    tree.values.resize(values);
    for (Registry::RawValue& value : tree.values)
      if (!Name(value.name) || !U32(value.type) || !Data(value.data)) return false;
    uint32_t subKeys = 0;
    if (!Count(subKeys, 12)) return false;
    tree.subKeys.resize(subKeys);
    for (Registry::KeyTree& sub : tree.subKeys)
      if (!Tree(sub, depth + 1)) return false;
    return true;
  }
  bool MaybeTree(std::optional<Registry::KeyTree>& tree) {
    bool present = false;
    if (!Flag(present)) return false;
    if (!present) return true;
    tree.emplace();
    return Tree(*tree, 1);
  }
  size_t Left() const { return static_cast<size_t>(end_ - at_); }

 private:
  const uint8_t* at_;
  const uint8_t* end_;
};

bool ReadKey(Reader& in, JournalKey& key) {
  uint8_t scope = 0;
  if (!in.U8(scope) || scope > 1) return false;
  key.scope = scope == 0 ? Scope::Machine : Scope::User;
  return in.Name(key.keyName) && in.MaybeTree(key.before) && in.MaybeTree(key.after);
}

bool ReadEntry(Reader& in, JournalEntry& entry) {
  uint8_t action = 0;
  uint32_t keys = 0;
  if (!in.U8(action) || action < static_cast<uint8_t>(JournalAction::Delete) ||
      action > static_cast<uint8_t>(JournalAction::Restore) || !in.Flag(entry.undone) ||
      !in.Count(keys, 7))
    return false;
  entry.action = static_cast<JournalAction>(action);
  entry.keys.resize(keys);
  for (JournalKey& key : entry.keys)
    if (!ReadKey(in, key)) return false;
  return true;
}

bool ReadHeader(Reader& in) {
  for (const uint8_t expected : kMagic) {
    uint8_t byte = 0;
    if (!in.U8(byte) || byte != expected) return false;
  }
  uint32_t version = 0;
  return in.U32(version) && version == kJournalFormatVersion;
}

}  // namespace

std::vector<uint8_t> EncodeJournal(const std::vector<JournalEntry>& entries) {
  Writer out;
  for (const uint8_t byte : kMagic) out.U8(byte);
  out.U32(kJournalFormatVersion);
  out.U32(static_cast<uint32_t>(entries.size()));
  for (const JournalEntry& entry : entries) {
    out.U8(static_cast<uint8_t>(entry.action));
    out.U8(entry.undone ? 1 : 0);
    out.U32(static_cast<uint32_t>(entry.keys.size()));
    for (const JournalKey& key : entry.keys) {
      out.U8(key.scope == Scope::Machine ? 0 : 1);
      out.Name(key.keyName);
      out.MaybeTree(key.before);
      out.MaybeTree(key.after);
    }
  }
  return out.Finish();
}

std::optional<std::vector<JournalEntry>> DecodeJournal(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 4) return std::nullopt;
  const size_t body = bytes.size() - 4;
  uint32_t stored = 0;
  Reader trailer(bytes.data() + body, bytes.data() + bytes.size());
  if (!trailer.U32(stored) || stored != Crc32(bytes.data(), body)) return std::nullopt;

  Reader in(bytes.data(), bytes.data() + body);
  uint32_t count = 0;
  if (!ReadHeader(in) || !in.Count(count, 6)) return std::nullopt;
  std::vector<JournalEntry> entries(count);
  for (JournalEntry& entry : entries)
    if (!ReadEntry(in, entry)) return std::nullopt;
  if (in.Left() != 0) return std::nullopt;
  return entries;
}
