#include "platform/Others.h"

#include <algorithm>

#include "platform/FileDirPath.h"

namespace {
constexpr double kSecondsPerDay = 86400.0;
// A clock step backwards by more than half a day can only be midnight; a smaller one is the
// clock being set back and must not end (or lengthen without bound) the wait.
constexpr double kMidnightJump = kSecondsPerDay / 2;
// Between two looks at the clock the thread sleeps at most this long (or until a message comes).
constexpr double kIdleSlice = 0.01;

double ElapsedBetween(double earlier, double later) {
  const double step = later - earlier;
  if (step >= 0) return step;
  return step < -kMidnightJump ? step + kSecondsPerDay : 0.0;
}

void IdleBriefly(double remaining) {
  const double slice = std::clamp(remaining, 0.0, kIdleSlice);
  MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(slice * 1000.0), QS_ALLINPUT);
}

std::wstring WithoutTrailingLineBreaks(std::wstring text) {
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
    text.pop_back();
  return text;
}
}  // namespace

double SecondsSinceMidnight() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}

void ProcessPendingEvents() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The main loop must still see the request to end, so it goes back into the queue.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void WaitSeconds(double seconds, const std::function<double()>& now,
                 const std::function<void()>& pump) {
  if (!(seconds > 0)) return;
  double last = now();
  double elapsed = 0;
  for (;;) {
    pump();
    const double current = now();
    elapsed += ElapsedBetween(last, current);
    last = current;
    if (elapsed >= seconds) return;
    IdleBriefly(seconds - elapsed);
  }
}

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
  std::wstring folder = DirectoryPart(path);
  if (!folder.empty()) folder.pop_back();
  return folder;
}

std::wstring SystemMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (length == 0 || buffer == nullptr) return {};
  std::wstring text(buffer, length);
  LocalFree(buffer);
  return WithoutTrailingLineBreaks(std::move(text));
}
