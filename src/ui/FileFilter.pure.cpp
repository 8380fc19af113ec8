#include "ui/FileFilter.h"

#include <algorithm>

std::wstring NulSeparatedFilter(std::wstring_view barSeparated) {
  if (barSeparated.empty()) return {};
  std::wstring filter(barSeparated);
  std::replace(filter.begin(), filter.end(), L'|', L'\0');
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  return filter;
}
