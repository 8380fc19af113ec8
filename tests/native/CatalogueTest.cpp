#include <gtest/gtest.h>

#include "catalogue/Catalogue.h"

namespace {
AppPathEntry Entry(const wchar_t* key, Scope scope = Scope::Machine) {
  AppPathEntry entry;
  entry.KeyName = key;
  entry.Scope = scope;
  return entry;
}

ProgramDetails Made(const wchar_t* company) {
  ProgramDetails details;
  details.Company = company;
  return details;
}
}  // namespace

// Entries are found by id and by key through every change, and a changed or removed entry's
// details go while others that shared the same record keep it.
TEST(Catalogue, EntriesAndSharedDetailsFollowEveryChange) {
  Catalogue catalogue;
  catalogue.Reset({Entry(L"A.EXE"), Entry(L"B.EXE"), Entry(L"C.EXE"), Entry(L"A.EXE", Scope::User)});
  const EntryId a = catalogue.Entries()[0].Id, b = catalogue.Entries()[1].Id,
                c = catalogue.Entries()[2].Id, userA = catalogue.Entries()[3].Id;
  for (const EntryId id : {a, b, c}) ASSERT_TRUE(catalogue.SetDetails(id, Made(L"Wine")));
  ASSERT_TRUE(catalogue.SetDetails(userA, Made(L"Other")));
  EXPECT_EQ(catalogue.Details(a), catalogue.Details(c));  // one record for equal details
  EXPECT_NE(catalogue.Details(a), catalogue.Details(userA));

  ASSERT_TRUE(catalogue.SetDetails(b, Made(L"Changed")));
  EXPECT_EQ(catalogue.Details(a)->Company, L"Wine");
  EXPECT_EQ(catalogue.Details(b)->Company, L"Changed");

  EXPECT_TRUE(catalogue.Remove(a));
  EXPECT_EQ(catalogue.Find(a), nullptr);
  EXPECT_EQ(catalogue.Details(a), nullptr);
  ASSERT_NE(catalogue.Details(c), nullptr);
  EXPECT_EQ(catalogue.Details(c)->Company, L"Wine");

  const EntryId upserted = catalogue.Upsert(Entry(L"c.exe"));  // same key, other case
  EXPECT_EQ(upserted, c);
  EXPECT_EQ(catalogue.Details(c), nullptr);
  const EntryId added = catalogue.Upsert(Entry(L"D.EXE"));
  EXPECT_GT(added, userA);
  for (const EntryId id : {b, c, userA, added}) {
    ASSERT_NE(catalogue.Find(id), nullptr) << id;
    EXPECT_EQ(catalogue.Find(id)->Id, id);
  }
  EXPECT_EQ(catalogue.FindByKey(Scope::User, L"a.exe")->Id, userA);
  EXPECT_EQ(catalogue.FindByKey(Scope::Machine, L"A.EXE"), nullptr);
  EXPECT_FALSE(catalogue.SetDetails(a, Made(L"Wine")));
}
