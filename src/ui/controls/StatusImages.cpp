#include "ui/controls/StatusImages.h"

#include <cstring>
#include <iterator>

#include "ui/controls/StatusPictures.h"

namespace {

// A 32-bit top-down DIB section holding the pixels; nullptr on failure.
HBITMAP BitmapOf(const std::vector<uint32_t>& pixels, int size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || bits == nullptr) return nullptr;
  std::memcpy(bits, pixels.data(), pixels.size() * sizeof(uint32_t));
  return bitmap;
}

bool AddPicture(HIMAGELIST list, StatusPicture picture, int size) {
  const std::vector<uint32_t> pixels = DrawStatusPicture(picture, size);
  if (pixels.empty()) return false;
  HBITMAP bitmap = BitmapOf(pixels, size);
  if (bitmap == nullptr) return false;
  const int index = ImageList_Add(list, bitmap, nullptr);
  DeleteObject(bitmap);
  return index >= 0;
}

}  // namespace

HIMAGELIST CreateStatusImageList(int size) {
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32, static_cast<int>(std::size(kStatusPictures)), 0);
  if (list == nullptr) return nullptr;
  for (StatusPicture picture : kStatusPictures) {
    if (!AddPicture(list, picture, size)) {
      ImageList_Destroy(list);
      return nullptr;
    }
  }
  return list;
}

std::vector<std::wstring> StatusImageKeys() {
  std::vector<std::wstring> keys;
  for (StatusPicture picture : kStatusPictures) keys.emplace_back(KeyOf(picture));
  return keys;
}

int StatusImageIndex(const std::wstring& key) {
  const std::vector<std::wstring> keys = StatusImageKeys();
  for (size_t i = 0; i < keys.size(); ++i)
    if (keys[i] == key) return static_cast<int>(i);
  return -1;
}
