// The registry against a registration file: which registrations came, went or changed, and
// what changed in them, names compared as the registry compares them.
#include <gtest/gtest.h>

#include "catalogue/Comparison.h"

using Registry::KeyTree;
using Registry::RawValue;

TEST(Comparison, NamesAddedRemovedAndChangedRegistrationsAndTheirChangedValuesAndSubKeys) {
  const RawValue path = Registry::TextValue(L"Path", L"C:\\x");
  const RawValue expandPath = Registry::TextValue(L"Path", L"C:\\x", Registry::kTypeExpandString);
  const RawValue one{L"v", Registry::kTypeBinary, {1}};
  const RawValue two{L"v", Registry::kTypeBinary, {2}};
  const KeyTree now{L"App Paths",
                    {},
                    {{L"same.exe", {Registry::TextValue(L"", L"a"), path}, {{L"Sub", {one}, {}}}},
                     {L"NEW.EXE", {}, {}},
                     {L"Typed.exe",
                      {Registry::TextValue(L"", L"a"), expandPath, {L"extra", 4, {1, 0, 0, 0}}},
                      {{L"S1", {one}, {}}, {L"S2", {}, {}}, {L"S4", {one}, {}}}}}};
  // Other letter case and order, which the registry does not tell apart.
  const KeyTree file{L"App Paths",
                     {},
                     {{L"TYPED.EXE",
                       {path, Registry::TextValue(L"", L"b")},
                       {{L"s1", {two}, {}}, {L"S3", {}, {}}, {L"s4", {one}, {}}}},
                      {L"SAME.EXE", {path, Registry::TextValue(L"", L"a")}, {{L"SUB", {one}, {}}}},
                      {L"Gone.exe", {}, {}}}};
  const std::vector<Difference> expected = {{Scope::User, Change::Removed, L"Gone.exe", {}},
                                            {Scope::User, Change::Added, L"NEW.EXE", {}},
                                            {Scope::User,
                                             Change::Changed,
                                             L"Typed.exe",
                                             {{false, L""},
                                              {false, L"extra"},
                                              {false, L"Path"},
                                              {true, L"S1"},
                                              {true, L"S2"},
                                              {true, L"S3"}}}};
  EXPECT_EQ(CompareScope(Scope::User, now, file), expected);

  // Only the scopes the file holds; a scope the registry lacks is empty.
  EXPECT_EQ(Compare(AppPathsKeys{now, now}, AppPathsKeys{std::nullopt, file}), expected);
  const std::vector<Difference> allRemoved =
      Compare(AppPathsKeys{}, AppPathsKeys{file, std::nullopt});
  ASSERT_EQ(allRemoved.size(), 3u);
  for (const Difference& difference : allRemoved)
    EXPECT_TRUE(difference.scope == Scope::Machine && difference.change == Change::Removed);
}
