// The main window's controls: what they are, where they sit (pixels at 96 DPI, scaled to the
// monitor, in the window's smallest size), how they follow a larger window, their fonts, the status pictures and the command menu. Fonts and icons go to
// whichever control the design names through the window messages every control answers
// (WM_SETFONT, WM_GETFONT, WM_SETICON, STM_SETICON): a wrapper per control kind would add
// nothing.
#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>

#include "ui/Root.h"
#include "ui/controls/StatusImages.h"
#include "texts/CompareTexts.h"
#include "texts/DetailsTexts.h"
#include "texts/Texts.h"
#include "texts/UndoTexts.h"

namespace {

// Client area at 96 DPI. It is taller than the original design so that the broken-entry count
// below the editor panel is inside the window, not cut off by its bottom edge, and the panel
// has room for a note of up to three lines under its boxes and the program's details below it.
constexpr int kClientWidth = Root::kDesignWidth;
constexpr int kClientHeight = Root::kDesignHeight;

enum class Container { Window, Picture4, Frame1 };
enum class FontKind { Normal, Bold, Count };
// What a control does when the window is larger than its smallest size: the list takes the
// extra width and height, the panel moves down and its boxes take the extra width, the buttons
// beside them move right; the legend's pictures and texts and the labels stay where they are.
enum class Anchor { Stay, Grow, GrowWide, MoveRight, MoveDown, MoveDownGrowWide };

struct ControlDesign {
  int id;
  const wchar_t* windowClass;
  const wchar_t* text;
  DWORD style;  // beside WS_CHILD
  DWORD exStyle;
  Container container;
  int x, y, width, height;  // relative to the container
  FontKind font;
  Anchor anchor = Anchor::Stay;
};

constexpr DWORD kShown = WS_VISIBLE;
constexpr DWORD kEditStyle = kShown | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kLabelStyle = kShown | SS_RIGHT;
constexpr DWORD kLegendTextStyle = kShown | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
constexpr DWORD kLegendPictureStyle = kShown | SS_ICON | SS_REALSIZECONTROL;
constexpr DWORD kButtonStyle = kShown | WS_TABSTOP | BS_PUSHBUTTON;
// A container is created after the controls on it, so it lies below them; clipping its
// siblings keeps it from painting over them.
constexpr DWORD kContainerStyle = kShown | WS_CLIPSIBLINGS;

// Creation order is the tab order: the list first, then the editor panel's boxes and buttons,
// each label in front of the box its access key leads to.
constexpr ControlDesign kDesign[] = {
    {Root::kLstFileList, WC_LISTVIEWW, L"",
     kShown | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
         LVS_SHAREIMAGELISTS | LVS_OWNERDATA,
     WS_EX_CLIENTEDGE, Container::Window, 6, 60, 562, 295, FontKind::Normal, Anchor::Grow},
    {Root::kLabel4, L"STATIC", Texts::kLabelDateiname, kLabelStyle, 0, Container::Frame1, 65, 24,
     69, 14, FontKind::Bold},
    {Root::kText1, L"EDIT", L"", kEditStyle | ES_READONLY, WS_EX_CLIENTEDGE, Container::Frame1, 145,
     21, 347, 22, FontKind::Normal, Anchor::GrowWide},
    // Which key the panel's entry lives in (a new one: where it will be saved).
    {Root::kLabScope, L"STATIC", Texts::kScopeMachine, kShown | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0,
     Container::Frame1, 496, 24, 60, 14, FontKind::Normal, Anchor::MoveRight},
    {Root::kLabel5, L"STATIC", Texts::kLabelInstallation, kLabelStyle, 0, Container::Frame1, 72,
     48, 62, 14, FontKind::Normal},
    {Root::kText2, L"EDIT", L"", kEditStyle, WS_EX_CLIENTEDGE, Container::Frame1, 145, 45, 347, 22,
     FontKind::Normal, Anchor::GrowWide},
    {Root::kBDateiname, L"BUTTON", Texts::kBrowseButton, kButtonStyle, 0, Container::Frame1, 496,
     45, 49, 22, FontKind::Normal, Anchor::MoveRight},
    {Root::kLabel6, L"STATIC", Texts::kLabelVerzeichnis, kLabelStyle, 0, Container::Frame1, 70, 72,
     64, 14, FontKind::Normal},
    {Root::kText3, L"EDIT", L"", kEditStyle | ES_READONLY, WS_EX_CLIENTEDGE, Container::Frame1, 145,
     69, 347, 22, FontKind::Normal, Anchor::GrowWide},
    // The default button: Enter in a box presses it (Root::DefaultButton).
    {Root::kBHinzufügen, L"BUTTON", Texts::kOkButton, kShown | WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
     Container::Frame1, 496, 69, 49, 22, FontKind::Bold, Anchor::MoveRight},
    // The shown entry's status in words and why, up to three lines.
    {Root::kLabPanelNote, L"STATIC", L"", kShown | SS_LEFT | SS_NOPREFIX, 0, Container::Frame1, 16,
     97, 530, 44, FontKind::Normal, Anchor::GrowWide},
    // What the panel's program is (description, maker, version, signature, warnings).
    {Root::kLabDetails, L"STATIC", L"", kShown | SS_LEFT | SS_NOPREFIX, 0, Container::Frame1, 16,
     143, 530, 60, FontKind::Normal, Anchor::GrowWide},
    {Root::kFrame1, L"BUTTON", L"", kContainerStyle | BS_GROUPBOX, 0, Container::Window, 6, 351,
     565, 209, FontKind::Normal, Anchor::MoveDownGrowWide},
    {Root::kPicture1, L"STATIC", L"", kLegendPictureStyle, 0, Container::Picture4, 24, 6, 16, 16,
     FontKind::Normal},
    {Root::kLabel1, L"STATIC", Texts::kLegendReady, kLegendTextStyle, 0, Container::Picture4, 48,
     7, 103, 14, FontKind::Normal},
    {Root::kPicture2, L"STATIC", L"", kLegendPictureStyle, 0, Container::Picture4, 183, 6, 16, 16,
     FontKind::Normal},
    {Root::kLabel2, L"STATIC", Texts::kLegendBroken, kLegendTextStyle, 0, Container::Picture4, 207,
     7, 108, 14, FontKind::Normal},
    {Root::kPicture3, L"STATIC", L"", kLegendPictureStyle, 0, Container::Picture4, 345, 6, 16, 16,
     FontKind::Normal},
    {Root::kLabel3, L"STATIC", Texts::kLegendNotFound, kLegendTextStyle, 0, Container::Picture4,
     369, 7, 155, 14, FontKind::Normal},
    // A second line of the legend for the statuses beyond the original three; "verdeckt" is
    // too long for the third column, so the last picture stands further right.
    {Root::kPictureSettings, L"STATIC", L"", kLegendPictureStyle, 0, Container::Picture4, 24, 27, 16, 16,
     FontKind::Normal},
    {Root::kLabelSettings, L"STATIC", Texts::kLegendSettings, kLegendTextStyle, 0, Container::Picture4,
     48, 28, 120, 14, FontKind::Normal},
    {Root::kPictureHidden, L"STATIC", L"", kLegendPictureStyle, 0, Container::Picture4, 183, 27, 16, 16,
     FontKind::Normal},
    {Root::kLabelHidden, L"STATIC", Texts::kLegendHidden, kLegendTextStyle, 0, Container::Picture4,
     207, 28, 180, 14, FontKind::Normal},
    {Root::kPictureUnreachable, L"STATIC", L"", kLegendPictureStyle, 0, Container::Picture4, 420, 27, 16, 16,
     FontKind::Normal},
    {Root::kLabelUnreachable, L"STATIC", Texts::kLegendUnreachable, kLegendTextStyle, 0,
     Container::Picture4, 444, 28, 100, 14, FontKind::Normal},
    {Root::kPicture4, L"STATIC", L"", kContainerStyle, WS_EX_CLIENTEDGE, Container::Window, 6, 6,
     562, 52, FontKind::Normal, Anchor::GrowWide},
    // Wide enough for the count while the statuses are still being checked.
    {Root::kLabFileError, L"STATIC", Texts::kNoBrokenEntries, kShown | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0,
     Container::Window, 6, 574, 480, 14, FontKind::Count, Anchor::MoveDown},
    // Never shown; it only counts the cache lines, whose texts come from their entries
    // (LBS_NODATA: no copy of 10,000 lines in the list box).
    {Root::kLstFileCache, L"LISTBOX", L"",
     WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | LBS_NODATA | LBS_OWNERDRAWFIXED, 0,
     Container::Window, 12, 225, 550, 116, FontKind::Normal},
};

// Legend pictures and the image key each shows.
struct LegendPicture {
  int id;
  const wchar_t* key;
};
constexpr LegendPicture kLegend[] = {
    {Root::kPicture1, L"Ready"},
    {Root::kPicture2, L"Fehler"},
    {Root::kPicture3, L"Achtung"},
    {Root::kPictureSettings, L"Info"},
    {Root::kPictureHidden, L"Hilfe"},
    {Root::kPictureUnreachable, L"Unerreichbar"}};
static_assert(std::size(kLegend) == Root::kLegendEntries);

struct MenuDesign {
  int id;  // 0: separator
  const wchar_t* caption;
};
constexpr MenuDesign kMenu[] = {
    {Root::kMnuRückgängig, Texts::kMenuRückgängig},   {0, nullptr},
    {Root::kMnuHinzufügen, Texts::kMenuHinzufügen},   {Root::kMnuBearbeiten, Texts::kMenuBearbeiten},
    {0, nullptr},                                     {Root::kMnuUmbenennen, Texts::kMenuUmbenennen},
    {Root::kMnuExportieren, Texts::kMenuExportieren}, {Root::kMnuAusführen, Texts::kMenuAusführen},
    {0, nullptr},                                     {Root::kMnuLöschen, Texts::kMenuLöschen},
    {0, nullptr},                                     {Root::kMnuSuchen, Texts::kMenuSuchen},
    {Root::kMnuWeitersuchen, Texts::kMenuWeitersuchen}, {Root::kMnuBereinigen, Texts::kMenuBereinigen},
    {Root::kMnuVergleichen, Texts::kMenuVergleichen},
    {Root::kMnuAktualisieren, Texts::kMenuAktualisieren},
    {0, nullptr},                                     {Root::kMnuImRegistrierungsEditor, Texts::kMenuImRegistrierungsEditor},
    {Root::kMnuImExplorer, Texts::kMenuImExplorer},   {0, nullptr},
    {Root::kMnuWindowsAusblenden, Texts::kMenuWindowsEinträgeAusblenden},
};

int Scaled(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

HFONT CreateTahoma(int heightHundredthsPt, bool bold, UINT dpi) {
  return CreateFontW(-MulDiv(heightHundredthsPt, static_cast<int>(dpi), 7200), 0, 0, 0,
                     bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

constexpr DWORD kWindowStyle = Root::kWindowStyle;

// Where a control goes in a window `extra` pixels wider and taller than its smallest size.
void Stretch(RECT& r, Anchor anchor, SIZE extra) {
  const bool wide = anchor == Anchor::Grow || anchor == Anchor::GrowWide ||
                    anchor == Anchor::MoveDownGrowWide;
  if (wide) r.right += extra.cx;
  if (anchor == Anchor::Grow) r.bottom += extra.cy;
  if (anchor == Anchor::MoveRight) OffsetRect(&r, extra.cx, 0);
  if (anchor == Anchor::MoveDown || anchor == Anchor::MoveDownGrowWide) OffsetRect(&r, 0, extra.cy);
}

bool IsLabel(const ControlDesign& c) {
  return std::wstring_view(c.windowClass) == L"STATIC" && (c.style & SS_TYPEMASK) != SS_ICON &&
         c.text[0] != L'\0';
}

// The design sizes were made for a font that drew the captions a little narrower; a label that
// is too small for its caption grows (right-aligned ones to the left, the others to the right
// and down) instead of cutting or wrapping the text.
void FitLabelToText(HWND label, bool rightAligned, RECT& r) {
  const std::wstring text = WindowText(label);
  const HDC dc = GetDC(label);
  if (dc == nullptr) return;
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
  RECT needed{0, 0, 0, 0};
  const UINT prefix =
      (GetWindowLongPtrW(label, GWL_STYLE) & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0u;
  DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE | prefix);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  if (needed.right > r.right - r.left) {
    if (rightAligned)
      r.left = r.right - needed.right;
    else
      r.right = r.left + needed.right;
  }
  if (needed.bottom > r.bottom - r.top) r.bottom = r.top + needed.bottom;
}

const wchar_t kWindowClass[] = L"VelmarinRoot";

}  // namespace

bool Root::CreateMainWindow(HINSTANCE instance) {
  instance_ = instance;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &Root::WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  // Registered once per process; a second Root reuses the class.
  if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  hwnd_ = CreateWindowExW(0, kWindowClass, Texts::kCaption, kWindowStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, kClientWidth, kClientHeight, nullptr, nullptr, instance,
                          this);
  if (hwnd_ == nullptr) return false;
  dpi_ = GetDpiForWindow(hwnd_);
  if (dpi_ == 0) dpi_ = 96;
  ReloadWindowIcons();
  return true;
}

// The caption's and the task bar's icons at the sizes of the window's DPI.
void Root::ReloadWindowIcons() {
  const auto load = [&](int cx, int cy) {
    return static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                         GetSystemMetricsForDpi(cx, dpi_),
                                         GetSystemMetricsForDpi(cy, dpi_), LR_DEFAULTCOLOR));
  };
  const HICON big = load(SM_CXICON, SM_CYICON);
  const HICON small = load(SM_CXSMICON, SM_CYSMICON);
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  for (HICON old : {appIcon_, appIconSmall_})
    if (old != nullptr) DestroyIcon(old);
  appIcon_ = big;
  appIconSmall_ = small;
}

void Root::CreateFonts() {
  font_ = CreateTahoma(900, false, dpi_);
  boldFont_ = CreateTahoma(900, true, dpi_);
  countFont_ = CreateTahoma(825, true, dpi_);
}

void Root::DestroyFonts() {
  for (HFONT* font : {&font_, &boldFont_, &countFont_}) {
    if (*font != nullptr) DeleteObject(*font);
    *font = nullptr;
  }
}

void Root::CreateControls() {
  for (const ControlDesign& c : kDesign) {
    CreateWindowExW(c.exStyle, c.windowClass, c.text, WS_CHILD | c.style, 0, 0, 0, 0, hwnd_,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance_, nullptr);
  }
  list_.Attach(Control(kLstFileList), Control(kLstFileCache),
               {[this] { OnRowChosen(); }, [this] { OnListDoubleClick(); },
                [this] { LoadSelectedCacheLine(); }});
  panel_.Attach({Control(kText1), Control(kText2), Control(kText3), Control(kBDateiname),
                 Control(kBHinzufügen), Control(kLabScope), Control(kLabPanelNote),
                 Control(kLabDetails)},
                checks_.get(), machineWritable_);
  ApplyLayout();
  list_.SetUp(dpi_);
  CreateStatusImages();
  CreateCommandMenu();
}

// Positions and fonts for the current DPI. Containers come first, so the controls on them can
// be placed relative to their client area.
void Root::ApplyLayout() {
  for (const ControlDesign& c : kDesign) {
    const HFONT font = c.font == FontKind::Bold ? boldFont_ : c.font == FontKind::Count ? countFont_
                                                                                      : font_;
    SendMessageW(Control(c.id), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  RECT client{};
  GetClientRect(hwnd_, &client);
  const SIZE extra{std::max(0L, client.right - Scaled(kClientWidth, dpi_)),
                   std::max(0L, client.bottom - Scaled(kClientHeight, dpi_))};
  const auto place = [&](const ControlDesign& c, POINT origin) {
    RECT r{origin.x + Scaled(c.x, dpi_), origin.y + Scaled(c.y, dpi_), 0, 0};
    r.right = r.left + Scaled(c.width, dpi_);
    r.bottom = r.top + Scaled(c.height, dpi_);
    if (IsLabel(c)) FitLabelToText(Control(c.id), (c.style & SS_RIGHT) != 0, r);
    Stretch(r, c.anchor, extra);
    SetWindowPos(Control(c.id), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  };
  // A container's client area: inside Picture4's border; Frame1 has none.
  const auto originOf = [&](Container container) {
    POINT origin{0, 0};
    if (container == Container::Window) return origin;
    MapWindowPoints(Control(container == Container::Picture4 ? kPicture4 : kFrame1), hwnd_,
                    &origin, 1);
    return origin;
  };
  for (const ControlDesign& c : kDesign)
    if (c.container == Container::Window) place(c, {0, 0});
  for (const ControlDesign& c : kDesign)
    if (c.container != Container::Window) place(c, originOf(c.container));
  InvalidateRect(hwnd_, nullptr, TRUE);
}

// ImageList1 serves the list's icons and small icons alike, and the legend.
void Root::CreateStatusImages() {
  HIMAGELIST images = CreateStatusImageList(Scaled(16, dpi_));
  if (images == nullptr) return;
  list_.SetImages(images);
  for (size_t i = 0; i < std::size(kLegend); ++i) {
    HICON icon = ImageList_GetIcon(images, StatusImageIndex(kLegend[i].key), ILD_NORMAL);
    SendMessageW(Control(kLegend[i].id), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    if (legendIcons_[i] != nullptr) DestroyIcon(legendIcons_[i]);
    legendIcons_[i] = icon;
  }
  if (images_ != nullptr) ImageList_Destroy(images_);
  images_ = images;
}

void Root::CreateCommandMenu() {
  if (commandMenu_ != nullptr) return;
  commandMenu_ = CreatePopupMenu();
  for (const MenuDesign& item : kMenu) {
    if (item.id == 0)
      AppendMenuW(commandMenu_, MF_SEPARATOR, 0, nullptr);
    else
      AppendMenuW(commandMenu_, MF_STRING, static_cast<UINT_PTR>(item.id), item.caption);
  }
}
