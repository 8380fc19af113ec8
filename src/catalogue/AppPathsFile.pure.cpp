#include "catalogue/AppPathsFile.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "catalogue/KeyNameRules.h"
#include "platform/Text.h"

namespace {

using RegFile::ReadProblem;
using Registry::KeyTree;
using Registry::RawValue;

// The parts of the App Paths keys' path below their root.
constexpr std::wstring_view kAppPathsParts[] = {L"Software", L"Microsoft", L"Windows",
                                                L"CurrentVersion", L"App Paths"};

// Root and the fixed path are ASCII: compared without the user's locale (a Turkish dotless i).
bool SameAscii(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t at = 0; at < a.size(); ++at) {
    const auto upper = [](wchar_t c) { return c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c; };
    if (upper(a[at]) != upper(b[at])) return false;
  }
  return true;
}

std::vector<std::wstring> PartsOf(const std::wstring& path) {
  std::vector<std::wstring> parts;
  for (size_t start = 0;;) {
    const size_t slash = path.find(L'\\', start);
    parts.push_back(path.substr(start, slash - start));
    if (slash == std::wstring::npos) return parts;
    start = slash + 1;
  }
}

// A key while the file is applied: sub-keys found by their upper-case name, as the registry
// finds them, in time independent of how many registrations the file holds.
struct Node {
  std::wstring name;
  std::vector<RawValue> values;
  std::vector<Node> children;
  std::unordered_map<std::wstring, size_t> byName;  // upper case -> index; removed ones leave it

  Node* Find(const std::wstring& childName) {
    const auto found = byName.find(ToUpper(childName));
    return found == byName.end() ? nullptr : &children[found->second];
  }
  // The registry keeps the spelling the key was created with.
  Node& Open(const std::wstring& childName) {
    const auto [at, added] = byName.try_emplace(ToUpper(childName), children.size());
    if (added) children.push_back(Node{childName, {}, {}, {}});
    return children[at->second];
  }
  void Remove(const std::wstring& childName) { byName.erase(ToUpper(childName)); }

  // An existing value keeps its spelling too.
  void Set(RawValue value) {
    for (RawValue& existing : values) {
      if (existing.name.size() == value.name.size() &&
          ToUpper(existing.name) == ToUpper(value.name)) {
        existing.type = value.type;
        existing.data = std::move(value.data);
        return;
      }
    }
    values.push_back(std::move(value));
  }

  KeyTree Tree() && {
    KeyTree tree{std::move(name), std::move(values), {}};
    std::vector<bool> kept(children.size(), false);
    for (const auto& [upper, index] : byName) kept[index] = true;
    for (size_t index = 0; index < children.size(); ++index)
      if (kept[index]) tree.subKeys.push_back(std::move(children[index]).Tree());
    return tree;
  }
};

class Builder {
 public:
  // Nothing when the section was applied; else what is wrong with its key.
  std::optional<ReadProblem> Apply(RegFile::Section& section) {
    const std::vector<std::wstring> parts = PartsOf(section.path);
    for (const std::wstring& part : parts)
      if (part.empty()) return ReadProblem::BadKeyName;
    const std::optional<Scope> scope = ScopeOf(parts);
    if (!scope) return ReadProblem::KeyOutsideAppPaths;
    for (size_t at = 1 + std::size(kAppPathsParts); at < parts.size(); ++at)
      if (CheckKeyName(parts[at]) != KeyNameProblem::None) return ReadProblem::BadKeyName;
    std::optional<Node>& root = Of(*scope);
    if (!root) root = Node{std::wstring(kAppPathsParts[std::size(kAppPathsParts) - 1]), {}, {}, {}};
    const size_t below = 1 + std::size(kAppPathsParts);
    if (section.removal)
      Remove(*root, parts, below);
    else
      Write(*root, parts, below, std::move(section.values));
    return std::nullopt;
  }

  AppPathsKeys Result() && {
    AppPathsKeys keys;
    if (machine_) keys.machine = std::move(*machine_).Tree();
    if (user_) keys.user = std::move(*user_).Tree();
    return keys;
  }

 private:
  static std::optional<Scope> ScopeOf(const std::vector<std::wstring>& parts) {
    if (parts.size() <= std::size(kAppPathsParts)) return std::nullopt;
    for (size_t at = 0; at < std::size(kAppPathsParts); ++at)
      if (!SameAscii(parts[at + 1], kAppPathsParts[at])) return std::nullopt;
    if (SameAscii(parts[0], L"HKEY_LOCAL_MACHINE")) return Scope::Machine;
    if (SameAscii(parts[0], L"HKEY_CURRENT_USER")) return Scope::User;
    return std::nullopt;
  }

  std::optional<Node>& Of(Scope scope) { return scope == Scope::Machine ? machine_ : user_; }

  // Removing the App Paths key itself leaves it empty: the file still holds the scope.
  static void Remove(Node& appPaths, const std::vector<std::wstring>& parts, size_t below) {
    if (below == parts.size()) {
      appPaths = Node{std::move(appPaths.name), {}, {}, {}};
      return;
    }
    Node* parent = &appPaths;
    for (size_t at = below; parent != nullptr && at + 1 < parts.size(); ++at)
      parent = parent->Find(parts[at]);
    if (parent != nullptr) parent->Remove(parts.back());
  }

  // Like the import, a section creates every key on its path.
  static void Write(Node& appPaths, const std::vector<std::wstring>& parts, size_t below,
                    std::vector<RawValue> values) {
    Node* key = &appPaths;
    for (size_t at = below; at < parts.size(); ++at) key = &key->Open(parts[at]);
    for (RawValue& value : values) key->Set(std::move(value));
  }

  std::optional<Node> machine_;
  std::optional<Node> user_;
};

}  // namespace

AppPathsReading ReadAppPathsFile(const std::vector<uint8_t>& bytes) {
  RegFile::Reading reading = RegFile::ReadBytes(bytes);
  if (reading.problem != ReadProblem::None)
    return AppPathsReading{{}, reading.problem, reading.line};
  Builder builder;
  for (RegFile::Section& section : reading.sections)
    if (const std::optional<ReadProblem> problem = builder.Apply(section))
      return AppPathsReading{{}, *problem, section.line};
  return AppPathsReading{std::move(builder).Result()};
}
