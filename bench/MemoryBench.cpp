// velmarin.exe as a user starts it, from a folder of its own (so that its backup is new and
// asks nothing), with 100 and with 10,000 registrations: its private memory once every row is
// shown and the figure has settled. Under Wine "private" is the process's anonymous memory
// (the executable's sections included, which Wine copies into memory).
#include "MemoryBench.h"

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchTools.h"

namespace {

std::wstring FolderOfThisProgram() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// A copy of the program in an empty folder of the temp folder; empty text when it failed.
std::wstring CopyOfProgram() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"velmarin-memory\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring copy = folder + L"velmarin.exe";
  if (!CopyFileW((FolderOfThisProgram() + L"velmarin.exe").c_str(), copy.c_str(), FALSE))
    return {};
  return copy;
}

struct FoundWindow {
  DWORD process;
  HWND hwnd;
};

BOOL CALLBACK TakeRootWindow(HWND hwnd, LPARAM param) {
  auto* found = reinterpret_cast<FoundWindow*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (process != found->process || std::wstring(name) != L"VelmarinRoot") return TRUE;
  found->hwnd = hwnd;
  return FALSE;
}

int ShownRows(DWORD process) {
  FoundWindow found{process, nullptr};
  EnumWindows(TakeRootWindow, reinterpret_cast<LPARAM>(&found));
  if (found.hwnd == nullptr) return -1;
  DWORD_PTR rows = 0;
  if (!SendMessageTimeoutW(GetDlgItem(found.hwnd, Root::kLstFileList), LVM_GETITEMCOUNT, 0, 0,
                           SMTO_NORMAL, 2000, &rows))
    return -1;
  return static_cast<int>(rows);
}

// The commit charge, which is the process's private memory (PagefileUsage: Wine reports
// PrivateUsage only for the calling process).
double PrivateMb(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (!GetProcessMemoryInfo(process, &counters, sizeof(counters))) return -1;
  return static_cast<double>(counters.PagefileUsage) / (1024.0 * 1024.0);
}

// Waits for every row, then until the figures of ten seconds in a row differ by less than
// 1 %: the workers end two seconds after their last job, and the figure falls then.
double SettledPrivateMb(const PROCESS_INFORMATION& started, int rows) {
  const double start = NowMs();
  while (ShownRows(started.dwProcessId) != rows && NowMs() - start < 180000) Sleep(200);
  if (ShownRows(started.dwProcessId) != rows) return -1;
  std::vector<double> last;
  double now = PrivateMb(started.hProcess);
  for (int i = 0; i < 60 && now > 0; ++i) {
    last.push_back(now);
    if (last.size() > 10) last.erase(last.begin());
    const auto [low, high] = std::minmax_element(last.begin(), last.end());
    if (last.size() == 10 && *high - *low < *low * 0.01) break;
    Sleep(1000);
    now = PrivateMb(started.hProcess);
  }
  return now;
}

// Every run finds no backup beside the program, so it writes its own and asks nothing (the
// previous run's backup would bring the start-up's question and its comparison).
void RemoveBackupsBeside(const std::wstring& program) {
  const std::wstring folder = program.substr(0, program.find_last_of(L'\\') + 1);
  DeleteFileW((folder + L"AppBackup.reg").c_str());
  DeleteFileW((folder + L"AppBackupBenutzer.reg").c_str());
}

double MeasureProgram(const std::wstring& program, int rows) {
  RemoveBackupsBeside(program);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  std::wstring commandLine = L"\"" + program + L"\"";
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &started))
    return -1;
  const double mb = SettledPrivateMb(started, rows);
  FoundWindow found{started.dwProcessId, nullptr};
  EnumWindows(TakeRootWindow, reinterpret_cast<LPARAM>(&found));
  if (found.hwnd != nullptr) PostMessageW(found.hwnd, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(started.hProcess, 10000) != WAIT_OBJECT_0)
    TerminateProcess(started.hProcess, 1);
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return mb;
}

}  // namespace

bool BenchMemory() {
  const std::wstring program = CopyOfProgram();
  if (program.empty()) {
    std::printf("\nMemory: velmarin.exe could not be copied beside the benchmark\n");
    return false;
  }
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(program.c_str(), GetFileExInfoStandard, &data);
  std::printf("\nMemory: velmarin.exe (%lu KB) started with the registrations, its private "
              "memory once every row is shown and the figure has settled\n\n",
              static_cast<unsigned long>(data.nFileSizeLow / 1024));
  std::printf("| %13s | %10s |\n", "registrations", "private MB");
  PrintRule({15, 12});
  bool sane = true;
  for (const int count : {100, 10000}) {
    if (!WriteRegistrations(count)) return false;
    const double mb = MeasureProgram(program, count);
    std::printf("| %13d | %10.1f |\n", count, mb);
    sane = sane && mb > 0;
  }
  EmptyAppPaths();
  return sane;
}
