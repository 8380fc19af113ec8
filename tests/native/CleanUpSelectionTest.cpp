#include <gtest/gtest.h>

#include <vector>

#include "catalogue/CleanUpSelection.h"

namespace {
AppPathEntry Entry(Scope scope, const wchar_t* name, EntryStatus status) {
  AppPathEntry entry;
  entry.Scope = scope;
  entry.KeyName = name;
  entry.Status = status;
  return entry;
}
}  // namespace

TEST(CleanUpSelection, OnlyProgramsWindowsCannotStartCountAndOnlyWritableUnprotectedOnesGo) {
  using enum EntryStatus;
  const struct {
    AppPathEntry entry;
    bool listed;
    KeptBecause withMachineWritable, withMachineReadOnly;
  } cases[] = {
      {Entry(Scope::Machine, L"GONE.EXE", FileNotFound), true, KeptBecause::Nothing,
       KeptBecause::ReadOnlyScope},
      {Entry(Scope::Machine, L"EMPTY.EXE", Broken), true, KeptBecause::Nothing,
       KeptBecause::ReadOnlyScope},
      {Entry(Scope::User, L"MINE.EXE", FileNotFound), true, KeptBecause::Nothing,
       KeptBecause::Nothing},
      {Entry(Scope::Machine, L"Setup.exe", Broken), true, KeptBecause::ProtectedName,
       KeptBecause::ProtectedName},
      {Entry(Scope::User, L"WINNT32.EXE", FileNotFound), true, KeptBecause::ProtectedName,
       KeptBecause::ProtectedName},
      {Entry(Scope::Machine, L"FINE.EXE", Fine), false},
      {Entry(Scope::Machine, L"INSTALL.EXE", SettingsOnly), false},
      {Entry(Scope::Machine, L"TWIN.EXE", Hidden), false},
      {Entry(Scope::User, L"SLOW.EXE", Checking), false},
  };
  std::vector<AppPathEntry> entries;
  for (const auto& c : cases) entries.push_back(c.entry);
  for (const bool machineWritable : {true, false}) {
    const std::vector<CleanUpCandidate> broken = BrokenEntries(entries, machineWritable);
    size_t next = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
      if (!cases[i].listed) continue;
      ASSERT_LT(next, broken.size());
      EXPECT_EQ(broken[next].entry, &entries[i]);
      const KeptBecause expected =
          machineWritable ? cases[i].withMachineWritable : cases[i].withMachineReadOnly;
      EXPECT_EQ(broken[next].kept, expected) << i;
      EXPECT_EQ(broken[next++].removable(), expected == KeptBecause::Nothing);
    }
    EXPECT_EQ(next, broken.size());
  }
}
