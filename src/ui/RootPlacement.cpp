// The window's size and place: its smallest size is the layout of RootLayout.cpp, a larger one
// gives the list and the panel's boxes the room (the columns keep their proportions), and its
// place, size and the list's column widths and order are remembered per user.
#include <algorithm>
#include <optional>
#include <vector>

#include "platform/Registry.h"
#include "ui/Root.h"
#include "ui/UserSettings.h"
#include "ui/WindowSettings.h"

namespace {

constexpr wchar_t kPlacementValue[] = L"WindowPlacement";
constexpr wchar_t kWidthsValue[] = L"ColumnWidths";
constexpr wchar_t kOrderValue[] = L"ColumnOrder";

int Scaled(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

std::optional<std::wstring> ReadSetting(const std::vector<Registry::RawValue>& values,
                                        const wchar_t* name) {
  const Registry::RawValue* value = Registry::FindValue(values, name);
  return value != nullptr ? Registry::TextOfRaw(*value) : std::nullopt;
}

// A window that ends while the settings cannot be written starts centred next time; that is not
// worth a message when the user closes the program.
void WriteSetting(const wchar_t* name, const std::wstring& text) {
  Registry::SetRawValue(HKEY_CURRENT_USER, kSettingsKey, Registry::TextValue(name, text));
}

int Width(const RECT& r) { return r.right - r.left; }

}  // namespace

// The smallest window of the layout at this DPI.
SIZE Root::DesignFrameSize() const {
  RECT frame{0, 0, Scaled(kDesignWidth, dpi_), Scaled(kDesignHeight, dpi_)};
  AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, 0, dpi_);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void Root::SizeAndCentre() {
  const SIZE size = DesignFrameSize();
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor))
    area = monitor.rcWork;
  const int x = area.left + (Width(area) - size.cx) / 2;
  const int y = area.top + ((area.bottom - area.top) - size.cy) / 2;
  SetWindowPos(hwnd_, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Root::OnMinMaxInfo(MINMAXINFO& info) const {
  const SIZE size = DesignFrameSize();
  info.ptMinTrackSize = {size.cx, size.cy};
}

int Root::ListWidth() const {
  RECT r{};
  return GetWindowRect(Control(kLstFileList), &r) ? Width(r) : 0;
}

void Root::OnSize(UINT kind) {
  if (kind == SIZE_MINIMIZED || list_.LstFileList().Handle() == nullptr) return;
  const int before = ListWidth();
  ApplyLayout();
  if (!resizingForDpi_) list_.FitColumns(before, ListWidth());
}

// Everything that depends on the DPI is made again; the window keeps its place and size (never
// below the layout's), and the columns keep the widths the user gave them, scaled.
void Root::OnDpiChanged(UINT dpi, const RECT& suggested) {
  const UINT oldDpi = dpi_;
  dpi_ = dpi == 0 ? 96 : dpi;
  const HFONT oldFonts[] = {font_, boldFont_, countFont_};
  CreateFonts();
  const SIZE least = DesignFrameSize();
  resizingForDpi_ = true;
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top,
               std::max<int>(Width(suggested), least.cx),
               std::max<int>(suggested.bottom - suggested.top, least.cy),
               SWP_NOZORDER | SWP_NOACTIVATE);
  resizingForDpi_ = false;
  ApplyLayout();
  for (HFONT font : oldFonts)
    if (font != nullptr) DeleteObject(font);
  list_.ScaleColumns(oldDpi, dpi_);
  CreateStatusImages();
  ReloadWindowIcons();
}

// A place on a monitor that is no longer there (a notebook without its second screen) is not
// taken: the window then starts centred, as the first time.
void Root::RestoreWindowSettings() {
  const auto values = Registry::ReadValues(HKEY_CURRENT_USER, kSettingsKey);
  if (!values) return;
  if (const auto text = ReadSetting(*values, kPlacementValue))
    if (const std::optional<SavedPlacement> saved = ParsePlacement(*text)) {
      const SIZE least = DesignFrameSize();
      RECT r{saved->left, saved->top, std::max<LONG>(saved->right, saved->left + least.cx),
             std::max<LONG>(saved->bottom, saved->top + least.cy)};
      if (MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        placement.showCmd = SW_HIDE;  // shown by ShowWindowNow
        placement.rcNormalPosition = r;
        SetWindowPlacement(hwnd_, &placement);
        maximizeOnShow_ = saved->maximized;
      }
    }
  const auto columns = static_cast<size_t>(list_.LstFileList().ColumnCount());
  if (const auto text = ReadSetting(*values, kWidthsValue))
    if (const auto widths = ParseNumbers(*text, columns)) list_.SetDesignColumnWidths(*widths, dpi_);
  if (const auto text = ReadSetting(*values, kOrderValue))
    if (const auto order = ParseNumbers(*text, columns)) list_.ApplyColumnOrder(*order);
}

// The widths are kept as they are in the window's normal size: a maximised window's list is
// wider by what the window is.
void Root::SaveWindowSettings() const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  RECT now{};
  if (!GetWindowPlacement(hwnd_, &placement) || !GetWindowRect(hwnd_, &now)) return;
  Registry::CreateKey(HKEY_CURRENT_USER, kSettingsKey, L"");  // false when it exists
  const RECT& normal = placement.rcNormalPosition;
  const bool maximized = placement.showCmd == SW_SHOWMAXIMIZED || IsZoomed(hwnd_) != FALSE;
  WriteSetting(kPlacementValue, FormatPlacement({static_cast<int>(normal.left),
                                                 static_cast<int>(normal.top),
                                                 static_cast<int>(normal.right),
                                                 static_cast<int>(normal.bottom), maximized}));
  std::vector<int> widths = list_.DesignColumnWidths(dpi_);
  const int list = ListWidth();
  if (maximized && list > 0)
    widths = ScaledWidths(widths, list, std::max(1, list - (Width(now) - Width(normal))));
  WriteSetting(kWidthsValue, FormatNumbers(widths));
  WriteSetting(kOrderValue, FormatNumbers(list_.ColumnOrder()));
}
