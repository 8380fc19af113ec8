#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/Environment.h"

namespace {
std::wstring Repeated(const std::wstring& piece, size_t times) {
  std::wstring text;
  for (size_t i = 0; i < times; ++i) text += piece;
  return text;
}
}  // namespace

// Texts far beyond the 32767 characters one system call takes, in and out, come back whole.
TEST(ExpandEnvironment, EveryVariableOnceUnsetOnesAsTheSystemLeavesThem) {
  const std::wstring longValue(30000, L'v');
  const std::wstring manyUnset = Repeated(L"%VELMARIN_ENV_UNSET%", 2000) + L"%";
  ASSERT_TRUE(SetEnvironmentVariableW(L"VELMARIN_ENV_A", L"alpha"));
  ASSERT_TRUE(SetEnvironmentVariableW(L"VELMARIN_ENV_REF", L"%VELMARIN_ENV_A%"));
  ASSERT_TRUE(SetEnvironmentVariableW(L"VELMARIN_ENV_LONG", longValue.c_str()));
  SetEnvironmentVariableW(L"VELMARIN_ENV_UNSET", nullptr);
  struct Case {
    std::wstring text;
    std::wstring expanded;
  };
  const Case cases[] = {
      {L"%VELMARIN_ENV_A%\\x.exe", L"alpha\\x.exe"},
      {L"%velmarin_env_a%", L"alpha"},
      {L"%VELMARIN_ENV_REF%", L"%VELMARIN_ENV_A%"},
      {L"%VELMARIN_ENV_UNSET%\\x.exe", L"%VELMARIN_ENV_UNSET%\\x.exe"},
      {L"100% %VELMARIN_ENV_A", L"100% %VELMARIN_ENV_A"},
      {L"", L""},
      {Repeated(L"%VELMARIN_ENV_A%;", 3000), Repeated(L"alpha;", 3000)},
      {manyUnset, manyUnset},
      {L"%VELMARIN_ENV_LONG%;%VELMARIN_ENV_LONG%", longValue + L";" + longValue},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExpandEnvironment(c.text), c.expanded) << c.text.substr(0, 60).c_str();
  SetEnvironmentVariableW(L"VELMARIN_ENV_A", nullptr);
  SetEnvironmentVariableW(L"VELMARIN_ENV_REF", nullptr);
  SetEnvironmentVariableW(L"VELMARIN_ENV_LONG", nullptr);
}
