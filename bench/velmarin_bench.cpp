// Benchmarks (not tests: they print figures and judge nothing but their own sanity).
//   1. The matcher against long texts with the pattern that makes a backtracking matcher take
//      exponential time (SearchBench).
//   2. Start-up with 100, 1,000 and 10,000 registrations: the window's scan plus list fill,
//      against the bare platform work the same catalogue needs (enumerate, read the two values,
//      one existence test per key). A ratio that grows with the count would mean the fill is
//      worse than linear.
//   3. Existence tests: FileExists against the folder search it replaced, per kind of path.
//   4. Existence tests on the slow file system (when tools/run-bench loaded it): the time the
//      window's thread spends submitting them and waits for their answers.
//   5. The window's search over its registrations' data (SearchBench), and its answer time
//      over a slow share.
//   6. What reading a program's details costs, a signature check above all.
//   7. The program's private memory with 100 and 10,000 registrations (MemoryBench).
// It rewrites HKEY_LOCAL_MACHINE\...\App Paths, so it runs only where the tests may run.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "BenchTools.h"
#include "DetailsBench.h"
#include "ExistenceBench.h"
#include "MemoryBench.h"
#include "SearchBench.h"
#include "catalogue/InstallationText.h"
#include "platform/Dateiexistenz.h"
#include "platform/Registry.h"
#include "support/SlowFileSystem.h"
#include "support/WineGuard.h"
#include "ui/Root.h"

namespace {

// ---- 2. Start-up ----

// One text value as a plain reader gets it: the key opened, the value read, the key closed.
std::wstring ReadText(const std::wstring& path, const wchar_t* name) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof(buffer);
  RegGetValueW(HKEY_LOCAL_MACHINE, path.c_str(), name,
               RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, buffer, &size);
  return buffer;
}

// The registry work any program showing this catalogue must do (enumerate, read two values per
// key), and with `search` the old start-up's floor: one file search per key besides, in turn.
int BarePlatformWork(bool search) {
  std::vector<std::wstring> names;
  Registry::EnumerateKeys(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey, names);
  int found = 0;
  for (const std::wstring& name : names) {
    const std::wstring path = Registry::kAppPathsPrefix + name;
    const std::wstring installation = ReadText(path, L"");
    ReadText(path, L"Path");
    if (!search) continue;
    WIN32_FIND_DATAW data{};
    const HANDLE handle = FindFirstFileW(TestedPath(installation).c_str(), &data);
    if (handle != INVALID_HANDLE_VALUE) ++found, FindClose(handle);
  }
  return found;
}

// Lets the window take what its queue holds (the existence tests' answers among it).
void PumpFor(double ms) {
  const double end = NowMs() + ms;
  do {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  } while (NowMs() < end);
}

struct WindowTimes {
  double rowsMs = 0;      // until every row is shown
  double statusesMs = 0;  // until every status is known
  int rows = 0;
};

// The window's own start-up on a fresh, hidden main window: the catalogue and its rows, then the
// existence tests' answers as the message loop takes them.
WindowTimes WindowStartup() {
  HiddenWindow window;
  Root& root = window.Window();
  WindowTimes times;
  if (!window.Created()) return times;
  const double start = NowMs();
  window.ShowRegistrations();
  times.rowsMs = NowMs() - start;
  while (root.PendingChecks() > 0 && NowMs() - start < 120000) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    if (root.PendingChecks() > 0)
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  times.statusesMs = NowMs() - start;
  times.rows = root.EntryList().Count();
  return times;
}

bool BenchStartup() {
  std::printf("\nStart-up on a hidden Root window: until every row is shown, against the bare\n"
              "registry work (enumerate, two value reads per key); until every status is known,\n"
              "against the old floor (the same plus one file search per key, in turn)\n\n");
  std::printf("| %13s | %11s | %9s | %6s | %11s | %11s | %6s |\n", "registrations",
              "registry ms", "rows ms", "ratio", "floor ms", "statuses ms", "ratio");
  std::printf("|%s|%s|%s|%s|%s|%s|%s|\n", std::string(15, '-').c_str(),
              std::string(13, '-').c_str(), std::string(11, '-').c_str(),
              std::string(8, '-').c_str(), std::string(13, '-').c_str(),
              std::string(13, '-').c_str(), std::string(8, '-').c_str());
  bool sane = true;
  for (const int count : {100, 1000, 10000}) {
    if (!WriteRegistrations(count)) {
      std::printf("| %13d | could not write the registrations\n", count);
      return false;
    }
    const int runs = count >= 10000 ? 2 : 3;
    BarePlatformWork(true);  // warm the file system's and the registry's caches alike for all
    const double registryMs = BestOfMs(runs, [] { BarePlatformWork(false); });
    const double floorMs = BestOfMs(runs, [] { BarePlatformWork(true); });
    WindowTimes best{1e300, 1e300, 0};
    for (int i = 0; i < runs; ++i) {
      const WindowTimes times = WindowStartup();
      best.rowsMs = std::min(best.rowsMs, times.rowsMs);
      best.statusesMs = std::min(best.statusesMs, times.statusesMs);
      best.rows = times.rows;
    }
    std::printf("| %13d | %11.1f | %9.1f | %6.2f | %11.1f | %11.1f | %6.2f |\n", count,
                registryMs, best.rowsMs, best.rowsMs / registryMs, floorMs, best.statusesMs,
                best.statusesMs / floorMs);
    if (best.rows != count) {
      std::printf("  (the window showed %d rows instead of %d)\n", best.rows, count);
      sane = false;
    }
  }
  EmptyAppPaths();
  return sane;
}

// Registrations on a file system that takes its time (tools/slowfs): how long the window takes
// to answer a message sent from another thread, at any moment from its start-up until every
// status is known, with such a row in the panel (its OK test runs every tick).
bool BenchSlowWindow() {
  const std::optional<SlowFileSystem> slow = LoadedSlowFileSystem();
  if (!slow) {
    std::printf("\nWindow on a slow file system: skipped, the slow file system is not loaded\n");
    return true;
  }
  constexpr int kSlow = 20;
  const std::wstring folder = SlowFolderPath(*slow) + L"-window";
  CreateDirectoryW(folder.c_str(), nullptr);
  if (!WriteRegistrations(200)) return false;
  HKEY appPaths = OpenAppPaths();
  for (int i = 0; i < kSlow && appPaths != nullptr; ++i) {
    HKEY key = nullptr;
    RegCreateKeyExW(appPaths, Numbered(L"SLOW%02d.EXE", i).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &key, nullptr);
    PutText(key, nullptr, folder + Numbered(L"\\slow%02d.exe", i));
    RegCloseKey(key);
  }
  if (appPaths != nullptr) RegCloseKey(appPaths);

  ScriptedPrompts prompts;
  Root root(prompts);
  RootOptions options;
  options.runStartup = false;
  options.endsProgram = false;
  if (!root.Create(GetModuleHandleW(nullptr), options)) return false;
  const HWND window = root.Handle();
  std::atomic<bool> done{false};
  std::atomic<int> probes{0};
  std::atomic<int> late{0};
  std::atomic<bool> stopped{false};
  double worstMs = 0;
  double lateAt = 0;
  std::thread prober([&] {
    while (!done) {
      const double sent = NowMs();
      DWORD_PTR ignored = 0;
      SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
      const double took = NowMs() - sent;
      worstMs = std::max(worstMs, took);
      if (took > 100) {
        ++late;
        lateAt = sent;
      }
      ++probes;
      Sleep(5);
    }
    stopped = true;
  });
  const double start = NowMs();
  // As the start-up reads the registry: on a worker thread, the rows when it is done.
  root.ReadCatalogue();
  while (root.Reading() && NowMs() - start < 60000) PumpFor(1);
  root.Select(root.Entries().FindByKey(Scope::Machine, L"SLOW00.EXE")->Id, false);
  while (root.PendingChecks() > 0 && NowMs() - start < 300000) PumpFor(10);
  const double statusesMs = NowMs() - start;
  PumpFor(3000);  // the panel's row stays slow: its test runs again on every change
  done = true;
  while (!stopped) PumpFor(1);  // the prober must not wait for a loop that is gone
  prober.join();
  std::printf("\nWindow on a slow file system: 200 registrations, %d on a path whose every file\n"
              "call takes %lu ms; a thread sends WM_NULL to the window every 5 ms\n\n",
              kSlow, static_cast<unsigned long>(slow->delayMs));
  std::printf("| %-44s | %10s |\n", "", "value");
  std::printf("|%s|%s|\n", std::string(46, '-').c_str(), std::string(12, '-').c_str());
  std::printf("| %-44s | %10.0f |\n", "ms until every status was known", statusesMs);
  std::printf("| %-44s | %10d |\n", "messages sent", probes.load());
  std::printf("| %-44s | %10.1f |\n", "longest answer, ms", worstMs);
  std::printf("| %-44s | %10d |\n", "answers later than 100 ms", late.load());
  if (late > 0)
    std::printf("| %-44s | %10.0f |\n", "the last of them, ms after the start",
                lateAt - start);
  EmptyAppPaths();
  return late == 0;
}

}  // namespace

// With the argument "slow-window" only the window on the slow file system is measured: it
// wants a longer delay than the other measurements (tools/run-bench runs it on its own).
// "search" measures only the window's search, "details" only the program details, "memory"
// only the program's memory.
int main(int argc, char** argv) {
  if (!MayTouchThisRegistry()) return 2;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc > 1 && std::string(argv[1]) == "slow-window") return BenchSlowWindow() ? 0 : 1;
  if (argc > 1 && std::string(argv[1]) == "search") return BenchDataSearch() ? 0 : 1;
  if (argc > 1 && std::string(argv[1]) == "details") return BenchProgramDetails() ? 0 : 1;
  if (argc > 1 && std::string(argv[1]) == "memory") return BenchMemory() ? 0 : 1;

  bool sane = BenchManyStars();
  sane = BenchStartup() && sane;
  sane = BenchDataSearch() && sane;
  sane = BenchExistenceTests() && sane;
  sane = BenchBackgroundChecks() && sane;
  sane = BenchProgramDetails() && sane;
  sane = BenchMemory() && sane;
  std::printf("\n%s\n", sane ? "All measurements ran." : "Some measurements went wrong (see above).");
  return sane ? 0 : 1;
}
