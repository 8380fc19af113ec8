// Benchmarks (not tests: they print figures and judge nothing but their own sanity).
//   1. The list search over a real list view of 10,000 rows x 4 columns, and the pattern that
//      makes a backtracking matcher take exponential time, against 1,000 and 10,000 letters.
//   2. Start-up with 100, 1,000 and 10,000 registrations: the window's scan plus list fill,
//      against the bare platform work the same catalogue needs (enumerate, read the two values,
//      one existence test per key). A ratio that grows with the count would mean the fill is
//      worse than linear.
//   3. Existence tests: FileExists against the folder search it replaced, per kind of path.
//   4. Existence tests on the slow file system (when tools/run-bench loaded it): the time the
//      window's thread spends submitting them and waits for their answers.
//   5. The window's search over its rows' data, and its answer time over a slow share.
//   6. What reading a program's details costs, a signature check above all.
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

#include "DetailsBench.h"
#include "ExistenceBench.h"
#include "catalogue/EntryList.h"
#include "platform/Dateiexistenz.h"
#include "platform/Registry.h"
#include "support/ScriptedPrompts.h"
#include "support/SlowFileSystem.h"
#include "support/WineGuard.h"
#include "ui/Like.h"
#include "ui/ListView.h"
#include "ui/Root.h"
#include "ui/modLikeCompareText.h"
#include "ui/modListViewFind.h"

namespace {

// ---- Timing ----

double TicksPerMillisecond() {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(frequency.QuadPart) / 1000.0;
}

double NowMs() {
  static const double ticksPerMs = TicksPerMillisecond();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs;
}

// The fastest of `runs` runs: the figure least disturbed by the rest of the machine.
double BestOfMs(int runs, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    const double start = NowMs();
    work();
    best = std::min(best, NowMs() - start);
  }
  return best;
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (const wchar_t c : text) out += (c < 0x80) ? static_cast<char>(c) : '?';
  return out;
}

std::string Shortened(const std::wstring& text, size_t width) {
  std::string out = Narrow(text);
  if (out.size() > width) out = out.substr(0, width - 3) + "...";
  return out;
}

// ---- A list view of the entry list's shape ----

class ListHost {
 public:
  ListHost() {
    host_ = CreateWindowExW(0, L"STATIC", L"Bench", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0,
                                560, 316, host_, nullptr, GetModuleHandleW(nullptr), nullptr);
    list_.Attach(list);
    list_.AddColumn(L"Dateiname", 120);
    list_.AddColumn(L"Keyname", 0);
    list_.AddColumn(L"Installation", 233);
    list_.AddColumn(L"Verzeichnis", 187);
  }
  ~ListHost() { DestroyWindow(host_); }
  ListHost(const ListHost&) = delete;
  ListHost& operator=(const ListHost&) = delete;

  bool Ready() const { return list_.Handle() != nullptr && list_.ColumnCount() == 4; }
  ListView& List() { return list_; }

  void AddRow(const std::wstring& fileName, const std::wstring& keyName,
              const std::wstring& installation, const std::wstring& directory) {
    const int row = list_.InsertRow(list_.Count(), fileName, L"");
    list_.SetText(row, 1, keyName);
    list_.SetText(row, 2, installation);
    list_.SetText(row, 3, directory);
  }

 private:
  HWND host_ = nullptr;
  ListView list_;
};

std::wstring Numbered(const wchar_t* format, int n) {
  wchar_t buffer[128];
  swprintf(buffer, 128, format, n);
  return buffer;
}

// Without repainting row by row, as the window fills its list.
void FillToolRows(ListHost& host, int rows) {
  const HWND list = host.List().Handle();
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < rows; ++i)
    host.AddRow(Numbered(L"Tool%05d.exe", i), Numbered(L"TOOL%05d.EXE", i),
                Numbered(L"C:\\Programme\\Werkzeug\\tool%05d.exe", i),
                Numbered(L"C:\\Programme\\Werkzeug\\Daten%05d", i));
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

// ---- 1. Search ----

struct SearchCase {
  std::wstring pattern;
  int scope;
  int mode;
};

const wchar_t kManyStars[] = L"*a*a*a*a*a*a*a*a*a*a*a*a*b";

void PrintSearchRow(const SearchCase& c, const std::optional<std::vector<ListViewMatch>>& found,
                    double ms) {
  const std::string matches = found ? std::to_string(found->size()) : "malformed";
  std::printf("| %-36s | %5d | %4d | %9s | %11.1f |\n", Shortened(c.pattern, 36).c_str(), c.scope,
              c.mode, matches.c_str(), ms);
}

bool BenchSearchOverList() {
  constexpr int kRows = 10000;
  ListHost host;
  if (!host.Ready()) {
    std::printf("The list view could not be created.\n");
    return false;
  }
  const double fillMs = BestOfMs(1, [&] { FillToolRows(host, kRows); });
  std::printf("\nSearch: ListViewFind over %d rows x 4 columns (list filled in %.0f ms)\n\n",
              host.List().Count(), fillMs);
  const std::vector<SearchCase> cases = {
      {L"tool09999.exe", kFindRowsAndSubItems, kCompareIgnoringCase},
      {L"Tool09999.exe", kFindRowsAndSubItems, kCompareByCode},
      {L"tool09999.exe", kFindRowTexts, kCompareIgnoringCase},
      {L"tool0999[?].exe", kFindRowsAndSubItems, kCompareIgnoringCase},
      {L"tool0#9#?.exe", kFindRowsAndSubItems, kCompareIgnoringCase},
      {L"c:\\programme\\*\\tool*[5-7].exe", kFindSubItems, kCompareIgnoringCase},
      {L"*[!0-9].exe", kFindRowsAndSubItems, kCompareByCode},
      {L"*", kFindRowsAndSubItems, kCompareByCode},
      {kManyStars, kFindRowsAndSubItems, kCompareIgnoringCase},
      {L"[z-a]*", kFindRowsAndSubItems, kCompareIgnoringCase},
  };
  std::printf("| %-36s | %5s | %4s | %9s | %11s |\n", "pattern", "scope", "mode", "matches",
              "ms (best 3)");
  std::printf("|%s|%s|%s|%s|%s|\n", std::string(38, '-').c_str(), std::string(7, '-').c_str(),
              std::string(6, '-').c_str(), std::string(11, '-').c_str(),
              std::string(13, '-').c_str());
  for (const SearchCase& c : cases) {
    std::optional<std::vector<ListViewMatch>> found;
    const double ms = BestOfMs(3, [&] {
      found = ListViewFind(host.List(), c.pattern, c.scope, true, c.mode, true);
    });
    PrintSearchRow(c, found, ms);
  }
  return true;
}

void PrintStarsRow(const char* where, size_t length, int mode, std::optional<bool> result,
                   double ms) {
  const char* answer = !result ? "malformed" : (*result ? "match" : "no match");
  std::printf("| %-26s | %7zu | %4d | %-9s | %11.3f |\n", where, length, mode, answer, ms);
}

bool BenchManyStars() {
  std::printf("\nSearch: %s against texts of the letter a alone\n\n", Narrow(kManyStars).c_str());
  std::printf("| %-26s | %7s | %4s | %-9s | %11s |\n", "where", "letters", "mode", "answer",
              "ms (best 3)");
  std::printf("|%s|%s|%s|%s|%s|\n", std::string(28, '-').c_str(), std::string(9, '-').c_str(),
              std::string(6, '-').c_str(), std::string(11, '-').c_str(),
              std::string(13, '-').c_str());
  bool sane = true;
  for (const size_t length : {size_t{1000}, size_t{10000}}) {
    const std::wstring text(length, L'a');
    std::optional<bool> result;
    double ms = BestOfMs(3, [&] { result = LikeMatch(text, kManyStars, CodeCharRules()); });
    PrintStarsRow("matcher, codes", length, 0, result, ms);
    sane = sane && result == false;
    ms = BestOfMs(3, [&] { result = LikeCompareText(text, kManyStars); });
    PrintStarsRow("LikeCompareText", length, 1, result, ms);
    sane = sane && result == false;

    ListHost host;
    host.AddRow(text, text, text, text);
    std::optional<std::vector<ListViewMatch>> found;
    ms = BestOfMs(3, [&] {
      found = ListViewFind(host.List(), kManyStars, kFindRowsAndSubItems, true, 1, true);
    });
    PrintStarsRow("ListViewFind, 1 row x 4", length, 1,
                  found ? std::optional<bool>(!found->empty()) : std::nullopt, ms);
    sane = sane && found && found->empty();
  }
  return sane;
}

// ---- 2. Start-up ----

HKEY OpenAppPaths() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey, 0, nullptr, 0,
                      KEY_CREATE_SUB_KEY, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

bool EmptyAppPaths() {
  const LSTATUS r = RegDeleteTreeW(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey);
  if (r != ERROR_SUCCESS && r != ERROR_FILE_NOT_FOUND) return false;
  HKEY key = OpenAppPaths();
  if (key == nullptr) return false;
  RegCloseKey(key);
  return true;
}

bool PutText(HKEY key, const wchar_t* name, const std::wstring& text) {
  const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        bytes) == ERROR_SUCCESS;
}

// Registration i: three in four name a program that exists (so the existence test finds it),
// the fourth one that does not; every eighth is quoted with an argument, as installers write.
std::wstring InstallationOf(int i) {
  if (i % 4 == 3) return Numbered(L"C:\\Programme\\Fehlt\\fehlt%05d.exe", i);
  if (i % 8 == 1) return L"\"C:\\windows\\system32\\notepad.exe\" /a";
  return L"C:\\windows\\system32\\notepad.exe";
}

bool WriteRegistrations(int count) {
  if (!EmptyAppPaths()) return false;
  HKEY appPaths = OpenAppPaths();
  if (appPaths == nullptr) return false;
  bool ok = true;
  for (int i = 0; i < count && ok; ++i) {
    HKEY key = nullptr;
    ok = RegCreateKeyExW(appPaths, Numbered(L"APP%05d.EXE", i).c_str(), 0, nullptr, 0,
                         KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS;
    if (!ok) break;
    ok = PutText(key, nullptr, InstallationOf(i)) &&
         PutText(key, L"Path", Numbered(L"C:\\Programme\\App%05d", i));
    RegCloseKey(key);
  }
  RegCloseKey(appPaths);
  return ok;
}

// The registry work any program showing this catalogue must do (enumerate, read two values per
// key), and with `search` the old start-up's floor: one file search per key besides, in turn.
int BarePlatformWork(bool search) {
  std::vector<std::wstring> names;
  Registry::EnumerateKeys(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey, names);
  int found = 0;
  for (const std::wstring& name : names) {
    const std::wstring path = Registry::kAppPathsPrefix + name;
    Registry::RegValue installation;
    Registry::RegValue directory;
    Registry::QueryKeyValue(HKEY_LOCAL_MACHINE, path, L"", installation);
    Registry::QueryKeyValue(HKEY_LOCAL_MACHINE, path, L"Path", directory);
    if (!search) continue;
    WIN32_FIND_DATAW data{};
    const HANDLE handle = FindFirstFileW(TestedPath(Registry::TextOf(installation)).c_str(), &data);
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

// A hidden main window without its start-up, as the measurements need it.
class HiddenWindow {
 public:
  HiddenWindow() : root_(prompts_) {
    RootOptions options;
    options.runStartup = false;
    options.show = false;
    options.endsProgram = false;
    created_ = root_.Create(GetModuleHandleW(nullptr), options);
  }
  bool Created() const { return created_; }
  Root& Window() { return root_; }
  ScriptedPrompts& Prompts() { return prompts_; }

 private:
  ScriptedPrompts prompts_;
  Root root_;
  bool created_ = false;
};

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
  if (root.GetFileCaches(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey)) root.GetFileListe();
  times.rowsMs = NowMs() - start;
  while (root.PendingChecks() > 0 && NowMs() - start < 120000) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    if (root.PendingChecks() > 0)
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  times.statusesMs = NowMs() - start;
  times.rows = root.LstFileList().Count();
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

// "Suchen ..." and "Weitersuchen" on the window: the rows' own data against the pattern, all
// columns, from the selected row round the whole list (no row matches, so every row is read).
bool BenchDataSearch() {
  constexpr int kCount = 10000;
  if (!WriteRegistrations(kCount)) return false;
  HiddenWindow window;
  Root& root = window.Window();
  ScriptedPrompts& prompts = window.Prompts();
  if (!window.Created()) return false;
  if (root.GetFileCaches(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey)) root.GetFileListe();
  std::printf("\nSearch on the window (Suchen, Weitersuchen): the rows' data, %d rows x 4 texts\n\n",
              root.LstFileList().Count());
  std::printf("| %-36s | %7s | %11s |\n", "pattern", "columns", "ms (best 3)");
  std::printf("|%s|%s|%s|\n", std::string(38, '-').c_str(), std::string(9, '-').c_str(),
              std::string(13, '-').c_str());
  bool sane = true;
  for (const SearchRequest& request : {SearchRequest{kManyStars, true, false},
                                       SearchRequest{L"app09999.exe", false, false},
                                       SearchRequest{L"c:\\programme\\*[5-7]", true, false}}) {
    prompts.searchAnswers.push_back(request);
    root.Search();  // the dialog's answer, then the first search
    const double ms = BestOfMs(3, [&] { root.SearchNext(); });
    std::printf("| %-36s | %7s | %11.1f |\n", Shortened(request.pattern, 36).c_str(),
                request.allColumns ? "all" : "name", ms);
    sane = sane && root.LstFileList().Count() == kCount;
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
  root.ReadCatalogueInBackground();
  while (root.Entries().Entries().empty() && NowMs() - start < 60000) PumpFor(1);
  const int slowRow = root.LstFileList().IndexOfId(
      static_cast<LPARAM>(root.Entries().FindByKey(Scope::Machine, L"SLOW00.EXE")->Id));
  root.LstFileList().Select(slowRow);
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
// "search" measures only the window's search, "details" only the program details.
int main(int argc, char** argv) {
  if (!MayTouchThisRegistry()) return 2;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc > 1 && std::string(argv[1]) == "slow-window") return BenchSlowWindow() ? 0 : 1;
  if (argc > 1 && std::string(argv[1]) == "search") return BenchDataSearch() ? 0 : 1;
  if (argc > 1 && std::string(argv[1]) == "details") return BenchProgramDetails() ? 0 : 1;

  bool sane = BenchSearchOverList();
  sane = BenchManyStars() && sane;
  sane = BenchStartup() && sane;
  sane = BenchDataSearch() && sane;
  sane = BenchExistenceTests() && sane;
  sane = BenchBackgroundChecks() && sane;
  sane = BenchProgramDetails() && sane;
  std::printf("\n%s\n", sane ? "All measurements ran." : "Some measurements went wrong (see above).");
  return sane ? 0 : 1;
}
