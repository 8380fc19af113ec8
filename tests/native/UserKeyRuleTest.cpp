#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "catalogue/UserKeyRule.h"

// Started with another account's rights, the "Benutzer" scope is the signed-in user's key;
// nothing else makes it leave this process's own.
TEST(UserKeyRule, TheSignedInUsersKeyOnlyWhenTheyAreSomeoneElse) {
  const std::wstring admin = L"S-1-5-21-100-200-300-500", anna = L"S-1-5-21-100-200-300-1001";
  const struct {
    std::wstring own;
    std::optional<std::wstring> desktop, chosen;
  } rows[] = {
      {admin, anna, anna},  {anna, anna, std::nullopt},  {admin, std::nullopt, std::nullopt},
      {L"", anna, std::nullopt},  {admin, L"S-1-5-21-1\\..\\x", std::nullopt},
      {admin, L"S-1-5-", std::nullopt},
  };
  for (const auto& row : rows)
    EXPECT_EQ(OtherDesktopUser(row.own, row.desktop), row.chosen) << row.desktop.value_or(L"-");
  EXPECT_EQ(UsersRootName(anna), L"HKEY_USERS\\" + anna);
}
