#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <set>
#include <string>

#include "ui/controls/StatusPictures.h"

namespace {

struct Argb {
  int a, r, g, b;
};

Argb At(const std::vector<uint32_t>& pixels, int size, int x, int y) {
  const uint32_t p = pixels[static_cast<size_t>(y * size + x)];
  return {static_cast<int>(p >> 24), static_cast<int>((p >> 16) & 0xFF),
          static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
}

TEST(StatusPictures, KeysFollowTheImageListOrder) {
  std::wstring keys;
  for (StatusPicture p : kStatusPictures) keys += std::wstring(KeyOf(p)) + L",";
  EXPECT_EQ(keys, L"Ready,Error,Achtung,Fehler,Hilfe,Info,Unerreichbar,");
}

TEST(StatusPictures, HaveTheRequestedSizeAndNoneForImpossibleSizes) {
  for (int size : {1, 16, 20, 32}) {
    EXPECT_EQ(DrawStatusPicture(StatusPicture::Ready, size).size(),
              static_cast<size_t>(size * size));
  }
  EXPECT_TRUE(DrawStatusPicture(StatusPicture::Ready, 0).empty());
  EXPECT_TRUE(DrawStatusPicture(StatusPicture::Ready, -16).empty());
  EXPECT_TRUE(DrawStatusPicture(StatusPicture::Ready, 100000).empty());
}

// Premultiplied alpha: no colour channel may exceed the pixel's alpha, or the image list would
// blend it wrongly.
TEST(StatusPictures, ArePremultipliedWithTransparentCorners) {
  for (StatusPicture picture : kStatusPictures) {
    for (int size : {16, 24, 32}) {
      const auto pixels = DrawStatusPicture(picture, size);
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
          const Argb p = At(pixels, size, x, y);
          ASSERT_LE(p.r, p.a);
          ASSERT_LE(p.g, p.a);
          ASSERT_LE(p.b, p.a);
        }
      EXPECT_EQ(At(pixels, size, 0, 0).a, 0) << static_cast<int>(picture);
      EXPECT_EQ(At(pixels, size, size - 1, 0).a, 0) << static_cast<int>(picture);
    }
  }
}

// The legend tells the statuses apart by colour: green, red and yellow where the shape is
// filled (left of the centre, clear of the symbol).
TEST(StatusPictures, ShowTheirStatusColours) {
  const auto ready = DrawStatusPicture(StatusPicture::Ready, 16);
  const Argb green = At(ready, 16, 2, 8);
  EXPECT_EQ(green.a, 255);
  EXPECT_GT(green.g, green.r + 60);
  EXPECT_GT(green.g, green.b + 60);

  const auto fehler = DrawStatusPicture(StatusPicture::Fehler, 16);
  const Argb red = At(fehler, 16, 3, 8);
  EXPECT_EQ(red.a, 255);
  EXPECT_GT(red.r, red.g + 100);
  EXPECT_GT(red.r, red.b + 100);

  const auto achtung = DrawStatusPicture(StatusPicture::Achtung, 16);
  const Argb yellow = At(achtung, 16, 5, 12);
  EXPECT_EQ(yellow.a, 255);
  EXPECT_GT(yellow.r, 200);
  EXPECT_GT(yellow.g, 150);
  EXPECT_LT(yellow.b, 80);
  // A triangle: the top corners are empty, the bottom edge is not.
  EXPECT_EQ(At(achtung, 16, 2, 2).a, 0);
  EXPECT_GT(At(achtung, 16, 2, 14).a, 0);
}

TEST(StatusPictures, AllDiffer) {
  std::set<std::vector<uint32_t>> distinct;
  for (StatusPicture picture : kStatusPictures) distinct.insert(DrawStatusPicture(picture, 16));
  EXPECT_EQ(distinct.size(), std::size(kStatusPictures));
}

}  // namespace
