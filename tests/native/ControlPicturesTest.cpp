#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/ControlPictures.h"

TEST(ControlPictures, ControlCharactersShowAsTheirPicturesAndNothingElseChanges) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {std::wstring(L"FOO.EXE\0X", 9), L"FOO.EXE\u2400X"},
      {L"a\tb\nc\rd\x1B[2J\x01\x1F", L"a\u2409b\u240Ac\u240Dd\u241B[2J\u2401\u241F"},
      {L"x\x7Fy", L"x\u2421y"},
      {L" ~\x80\xA0\u2400 Größe.exe", L" ~\x80\xA0\u2400 Größe.exe"},  // all else stays
  };
  for (const auto& [stored, shown] : cases) EXPECT_EQ(WithControlPictures(stored), shown);
}
