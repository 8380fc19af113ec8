#include "catalogue/Comparison.h"

#include <algorithm>
#include <map>

#include "platform/Text.h"

namespace {

using Registry::KeyTree;
using Registry::RawValue;

// Upper-case name -> the item, so that either side is looked up as the registry would.
template <typename Item>
std::map<std::wstring, const Item*> ByName(const std::vector<Item>& items) {
  std::map<std::wstring, const Item*> byName;
  for (const Item& item : items) byName.emplace(ToUpper(item.name), &item);
  return byName;
}

bool SameTree(const KeyTree& a, const KeyTree& b);

bool SameValues(const std::vector<RawValue>& a, const std::vector<RawValue>& b) {
  if (a.size() != b.size()) return false;
  const auto inB = ByName(b);
  return std::all_of(a.begin(), a.end(), [&](const RawValue& value) {
    const auto other = inB.find(ToUpper(value.name));
    return other != inB.end() && other->second->type == value.type &&
           other->second->data == value.data;
  });
}

bool SameSubKeys(const std::vector<KeyTree>& a, const std::vector<KeyTree>& b) {
  if (a.size() != b.size()) return false;
  const auto inB = ByName(b);
  return std::all_of(a.begin(), a.end(), [&](const KeyTree& key) {
    const auto other = inB.find(ToUpper(key.name));
    return other != inB.end() && SameTree(key, *other->second);
  });
}

bool SameTree(const KeyTree& a, const KeyTree& b) {
  return SameValues(a.values, b.values) && SameSubKeys(a.subKeys, b.subKeys);
}

bool SameItem(const RawValue& a, const RawValue& b) { return a.type == b.type && a.data == b.data; }
bool SameItem(const KeyTree& a, const KeyTree& b) { return SameTree(a, b); }

// The items of either side that the other lacks or holds otherwise, by upper-case name; the
// registry's spelling where it has the item.
template <typename Item>
void AppendChanged(const std::vector<Item>& now, const std::vector<Item>& file, bool subKey,
                   std::vector<ChangedPart>& parts) {
  const auto nowByName = ByName(now);
  auto fileByName = ByName(file);
  for (const auto& [upper, item] : nowByName) {
    const auto other = fileByName.find(upper);
    if (other == fileByName.end() || !SameItem(*item, *other->second))
      parts.push_back(ChangedPart{subKey, item->name});
    if (other != fileByName.end()) fileByName.erase(other);
  }
  for (const auto& [upper, item] : fileByName)
    if (!nowByName.count(upper)) parts.push_back(ChangedPart{subKey, item->name});
}

std::vector<ChangedPart> ChangedParts(const KeyTree& now, const KeyTree& file) {
  std::vector<ChangedPart> parts;
  AppendChanged(now.values, file.values, false, parts);
  const size_t values = parts.size();
  AppendChanged(now.subKeys, file.subKeys, true, parts);
  const auto byUpperName = [](const ChangedPart& a, const ChangedPart& b) {
    return ToUpper(a.name) < ToUpper(b.name);
  };
  std::sort(parts.begin(), parts.begin() + values, byUpperName);
  std::sort(parts.begin() + values, parts.end(), byUpperName);
  return parts;
}

}  // namespace

std::vector<Difference> CompareScope(Scope scope, const KeyTree& now, const KeyTree& file) {
  // Ordered by upper-case name, so the differences come out sorted.
  const auto nowByName = ByName(now.subKeys);
  const auto fileByName = ByName(file.subKeys);
  std::vector<Difference> differences;
  auto nowAt = nowByName.begin();
  auto fileAt = fileByName.begin();
  while (nowAt != nowByName.end() || fileAt != fileByName.end()) {
    if (fileAt == fileByName.end() || (nowAt != nowByName.end() && nowAt->first < fileAt->first)) {
      differences.push_back(Difference{scope, Change::Added, nowAt->second->name, {}});
      ++nowAt;
    } else if (nowAt == nowByName.end() || fileAt->first < nowAt->first) {
      differences.push_back(Difference{scope, Change::Removed, fileAt->second->name, {}});
      ++fileAt;
    } else {
      std::vector<ChangedPart> parts = ChangedParts(*nowAt->second, *fileAt->second);
      if (!parts.empty())
        differences.push_back(
            Difference{scope, Change::Changed, nowAt->second->name, std::move(parts)});
      ++nowAt;
      ++fileAt;
    }
  }
  return differences;
}

std::vector<Difference> Compare(const AppPathsKeys& now, const AppPathsKeys& file) {
  std::vector<Difference> differences;
  for (const Scope scope : {Scope::Machine, Scope::User}) {
    if (!file.Of(scope)) continue;
    const KeyTree none;
    const std::vector<Difference> ofScope =
        CompareScope(scope, now.Of(scope) ? *now.Of(scope) : none, *file.Of(scope));
    differences.insert(differences.end(), ofScope.begin(), ofScope.end());
  }
  return differences;
}

ChangeCounts CountChanges(const std::vector<Difference>& differences) {
  ChangeCounts counts;
  for (const Difference& difference : differences) {
    if (difference.change == Change::Added) ++counts.added;
    if (difference.change == Change::Removed) ++counts.removed;
    if (difference.change == Change::Changed) ++counts.changed;
  }
  return counts;
}
