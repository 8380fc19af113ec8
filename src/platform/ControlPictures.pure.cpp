#include "platform/ControlPictures.h"

namespace {
constexpr wchar_t kFirstPicture = 0x2400;    // SYMBOL FOR NULL
constexpr wchar_t kDeletePicture = 0x2421;   // SYMBOL FOR DELETE
constexpr wchar_t kDelete = 0x7F;

wchar_t PictureOf(wchar_t c) {
  if (c < L' ') return static_cast<wchar_t>(kFirstPicture + c);
  return c == kDelete ? kDeletePicture : c;
}
}  // namespace

std::wstring WithControlPictures(std::wstring_view text) {
  std::wstring shown(text);
  for (wchar_t& c : shown) c = PictureOf(c);
  return shown;
}
