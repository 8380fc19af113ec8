#include "ExistenceBench.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/BackgroundChecks.h"
#include "platform/Dateiexistenz.h"
#include "support/SlowFileSystem.h"

namespace {

double NowMs() {
  LARGE_INTEGER frequency{}, now{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / frequency.QuadPart;
}

// Microseconds per call, the best of five rounds of `calls` calls.
double BestMicrosecondsPerCall(int calls, const std::function<void()>& call) {
  double best = 1e300;
  for (int round = 0; round < 5; ++round) {
    const double start = NowMs();
    for (int i = 0; i < calls; ++i) call();
    best = std::min(best, (NowMs() - start) * 1000.0 / calls);
  }
  return best;
}

bool SearchFinds(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

std::wstring WindowsPath(const wchar_t* below) {
  wchar_t windows[MAX_PATH + 1] = {};
  GetWindowsDirectoryW(windows, MAX_PATH + 1);
  return std::wstring(windows) + below;
}

std::wstring TempPath(const wchar_t* below) {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  return std::wstring(temp) + below;
}

struct PathCase {
  const char* kind;
  std::wstring path;
};

}  // namespace

bool BenchExistenceTests() {
  const std::wstring small = TempPath(L"velmarin-bench-small");
  CreateDirectoryW(small.c_str(), nullptr);
  CloseHandle(CreateFileW((small + L"\\tool.exe").c_str(), GENERIC_WRITE, 0, nullptr,
                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  const PathCase cases[] = {
      {"file, folder of 3 entries", small + L"\\tool.exe"},
      {"file, system32", WindowsPath(L"\\system32\\notepad.exe")},
      {"folder", WindowsPath(L"\\system32")},
      {"missing, folder of 3 entries", small + L"\\missing.exe"},
      {"missing, system32", WindowsPath(L"\\system32\\missing.exe")},
      {"missing folder", WindowsPath(L"\\missing\\tool.exe")},
      {"pattern, system32", WindowsPath(L"\\system32\\note*.exe")},
      {"trailing backslash", WindowsPath(L"\\system32\\")},
  };
  std::printf("\nExistence tests: FileExists against the folder search alone (FindFirstFileW),\n"
              "microseconds per call, best of 5 x 2,000 calls\n\n");
  std::printf("| %-30s | %6s | %11s | %11s | %6s |\n", "path", "exists", "search us",
              "FileExists", "ratio");
  std::printf("|%s|%s|%s|%s|%s|\n", std::string(32, '-').c_str(), std::string(8, '-').c_str(),
              std::string(13, '-').c_str(), std::string(13, '-').c_str(),
              std::string(8, '-').c_str());
  bool same = true;
  for (const PathCase& c : cases) {
    const bool exists = SearchFinds(c.path);
    same = same && static_cast<bool>(FileExists(c.path)) == exists;
    const double searchUs = BestMicrosecondsPerCall(2000, [&] { SearchFinds(c.path); });
    const double existsUs = BestMicrosecondsPerCall(2000, [&] { FileExists(c.path); });
    std::printf("| %-30s | %6s | %11.2f | %11.2f | %6.1f |\n", c.kind, exists ? "yes" : "no",
                searchUs, existsUs, searchUs / existsUs);
  }
  DeleteFileW((small + L"\\tool.exe").c_str());
  RemoveDirectoryW(small.c_str());
  if (!same) std::printf("  FileExists and the search answered differently.\n");
  return same;
}

namespace {
constexpr UINT kChecksDone = WM_APP + 7;

// Takes results as the window would, on the message, until `count` arrived (at most 120 s);
// returns when each id's answer arrived, counted from `start`.
std::vector<double> ArrivalTimes(HWND window, BackgroundChecks& checks, size_t count,
                                 double start) {
  std::vector<double> arrived(count, -1);
  size_t taken = 0;
  while (taken < count && NowMs() - start < 120000) {
    MSG message;
    while (PeekMessageW(&message, window, kChecksDone, kChecksDone, PM_REMOVE))
      for (const CheckResult& result : checks.TakeFinished()) {
        arrived.at(result.id) = NowMs() - start;
        ++taken;
      }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_POSTMESSAGE);
  }
  return arrived;
}
}  // namespace

bool BenchBackgroundChecks() {
  const std::optional<SlowFileSystem> slow = LoadedSlowFileSystem();
  if (!slow) {
    std::printf("\nBackground existence tests: skipped, the slow file system is not loaded\n");
    return true;
  }
  constexpr int kPlain = 1000;
  constexpr int kSlow = 10;
  const std::wstring slowProgram = SlowFolderPath(*slow) + L"\\tool.exe";
  const std::wstring plainProgram = WindowsPath(L"\\system32\\notepad.exe");
  const double inPlaceSlowMs = BestMicrosecondsPerCall(1, [&] { FileExists(slowProgram); }) / 1000;
  std::printf("\nBackground existence tests: %d registrations, %d of them on the slow file system\n"
              "(%lu ms per file call there; one FileExists of such a path takes %.0f ms in place)\n\n",
              kPlain + kSlow, kSlow, static_cast<unsigned long>(slow->delayMs), inPlaceSlowMs);

  const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
  auto checks = std::make_unique<BackgroundChecks>(window, kChecksDone, 2);
  const double start = NowMs();
  for (int i = 0; i < kPlain + kSlow; ++i) {
    // The slow ones first, as the worst order for the rest.
    const std::wstring path = i < kSlow ? slowProgram : plainProgram;
    checks->Submit(i, [path] { return FileExists(path) ? 1 : 0; });
  }
  const double submitMs = NowMs() - start;
  const std::vector<double> arrived = ArrivalTimes(window, *checks, kPlain + kSlow, start);
  checks.reset();
  DestroyWindow(window);
  const auto slowEnd = arrived.begin() + kSlow;
  const bool complete = std::find(arrived.begin(), arrived.end(), -1) == arrived.end();
  std::printf("| %-46s | %10s |\n", "window's thread", "ms");
  std::printf("|%s|%s|\n", std::string(48, '-').c_str(), std::string(12, '-').c_str());
  std::printf("| %-46s | %10.2f |\n", "in Submit, all registrations", submitMs);
  if (complete) {
    std::printf("| %-46s | %10.1f |\n", "until the first answer",
                *std::min_element(arrived.begin(), arrived.end()));
    std::printf("| %-46s | %10.1f |\n", "until the last answer on the plain file system",
                *std::max_element(slowEnd, arrived.end()));
    std::printf("| %-46s | %10.1f |\n", "until the last answer on the slow file system",
                *std::max_element(arrived.begin(), slowEnd));
  }
  std::printf("| %-46s | %10.1f |\n", "testing all in place instead (estimate)",
              kSlow * inPlaceSlowMs);
  if (!complete) std::printf("  Some answers did not arrive.\n");
  return complete;
}
