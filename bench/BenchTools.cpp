#include "BenchTools.h"

#include <algorithm>
#include <cstdio>

#include "platform/Registry.h"

namespace {
double TicksPerMillisecond() {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(frequency.QuadPart) / 1000.0;
}
}  // namespace

double NowMs() {
  static const double ticksPerMs = TicksPerMillisecond();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs;
}

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

std::wstring Numbered(const wchar_t* format, int n) {
  wchar_t buffer[128];
  swprintf(buffer, 128, format, n);
  return buffer;
}

void PrintRule(std::initializer_list<int> widths) {
  std::string line = "|";
  for (const int width : widths) line += std::string(static_cast<size_t>(width), '-') + "|";
  std::printf("%s\n", line.c_str());
}

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
namespace {
std::wstring InstallationOf(int i) {
  if (i % 4 == 3) return Numbered(L"C:\\Programme\\Fehlt\\fehlt%05d.exe", i);
  if (i % 8 == 1) return L"\"C:\\windows\\system32\\notepad.exe\" /a";
  return L"C:\\windows\\system32\\notepad.exe";
}
}  // namespace

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

HiddenWindow::HiddenWindow() : root_(prompts_) {
  RootOptions options;
  options.runStartup = false;
  options.show = false;
  options.endsProgram = false;
  created_ = root_.Create(GetModuleHandleW(nullptr), options);
}

void HiddenWindow::ShowRegistrations() {
  root_.ReadCatalogue();
  for (const double start = NowMs(); root_.Reading() && NowMs() - start < 120000;) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    if (root_.Reading()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
}
