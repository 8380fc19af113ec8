#include "catalogue/FolderTokens.h"

#include "platform/Text.h"

std::wstring ReplaceFolderToken(std::wstring_view field, std::wstring_view token,
                                std::wstring_view folder) {
  std::wstring result(field);
  if (token.empty()) return result;
  const size_t at = FindIgnoreCase(field, token);
  if (at == std::wstring::npos) return result;
  // Whatever stands before the token (a quote, say) is part of the registration and stays.
  result.replace(at, token.size(), folder);
  return result;
}
