// Benchmarks (not tests: they print figures and judge nothing but their own sanity).
//   1. The list search over a real list view of 10,000 rows x 4 columns, and the pattern that
//      makes a backtracking matcher take exponential time, against 1,000 and 10,000 letters.
//   2. Start-up with 100, 1,000 and 10,000 registrations: the window's scan plus list fill,
//      against the bare platform work the same catalogue needs (enumerate, read the two values,
//      one existence test per key). A ratio that grows with the count would mean the fill is
//      worse than linear.
// It rewrites HKEY_LOCAL_MACHINE\...\App Paths, so it runs only where the tests may run.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/EntryList.h"
#include "platform/Dateiexistenz.h"
#include "platform/Registry.h"
#include "support/ScriptedPrompts.h"
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

// What any program showing this catalogue must do at least: returns how many files exist.
int BarePlatformWork() {
  std::vector<std::wstring> names;
  Registry::EnumerateKeys(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey, names);
  int existing = 0;
  for (const std::wstring& name : names) {
    const std::wstring path = Registry::kAppPathsPrefix + name;
    Registry::RegValue installation;
    Registry::RegValue directory;
    Registry::QueryKeyValue(HKEY_LOCAL_MACHINE, path, L"", installation);
    Registry::QueryKeyValue(HKEY_LOCAL_MACHINE, path, L"Path", directory);
    if (FileExists(TestedPath(Registry::TextOf(installation)))) ++existing;
  }
  return existing;
}

// The window's own start-up work on a fresh, hidden main window; returns the rows it shows.
// `scanMs` is the part GetFileCaches takes.
int WindowScanAndFill(double& ms, double& scanMs) {
  ScriptedPrompts prompts;
  Root root(prompts);
  RootOptions options;
  options.runStartup = false;
  options.show = false;
  if (!root.Create(GetModuleHandleW(nullptr), options)) return -1;
  const double start = NowMs();
  const bool scanned = root.GetFileCaches(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey);
  scanMs = NowMs() - start;
  if (scanned) root.GetFileListe();
  ms = NowMs() - start;
  return root.LstFileList().Count();
}

bool BenchStartup() {
  std::printf("\nStart-up: GetFileCaches + GetFileListe on a hidden Root window, against the bare\n"
              "platform work (enumerate, read the two values, one existence test per key)\n\n");
  std::printf("| %13s | %11s | %11s | %6s | %11s | %11s | %7s |\n", "registrations",
              "platform ms", "window ms", "ratio", "platform/key", "window/key", "scan ms");
  std::printf("|%s|%s|%s|%s|%s|%s|%s|\n", std::string(15, '-').c_str(),
              std::string(13, '-').c_str(), std::string(13, '-').c_str(),
              std::string(8, '-').c_str(), std::string(14, '-').c_str(),
              std::string(13, '-').c_str(), std::string(9, '-').c_str());
  bool sane = true;
  for (const int count : {100, 1000, 10000}) {
    if (!WriteRegistrations(count)) {
      std::printf("| %13d | could not write the registrations\n", count);
      return false;
    }
    const int runs = count >= 10000 ? 2 : 3;
    BarePlatformWork();  // warm the file system's and the registry's caches alike for both
    const double platformMs = BestOfMs(runs, [] { BarePlatformWork(); });
    double windowMs = 1e300;
    double scanMs = 0;
    int rows = 0;
    for (int i = 0; i < runs; ++i) {
      double ms = 0;
      double scan = 0;
      rows = WindowScanAndFill(ms, scan);
      if (ms < windowMs) windowMs = ms, scanMs = scan;
    }
    std::printf("| %13d | %11.1f | %11.1f | %6.2f | %9.1f us | %8.1f us | %7.1f |\n", count,
                platformMs, windowMs, windowMs / platformMs, 1000.0 * platformMs / count,
                1000.0 * windowMs / count, scanMs);
    if (rows != count) {
      std::printf("  (the window showed %d rows instead of %d)\n", rows, count);
      sane = false;
    }
  }
  EmptyAppPaths();
  return sane;
}

}  // namespace

int main() {
  if (!MayTouchThisRegistry()) return 2;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  std::setvbuf(stdout, nullptr, _IONBF, 0);

  bool sane = BenchSearchOverList();
  sane = BenchManyStars() && sane;
  sane = BenchStartup() && sane;
  std::printf("\n%s\n", sane ? "All measurements ran." : "Some measurements went wrong (see above).");
  return sane ? 0 : 1;
}
