#include "ui/controls/StatusPictures.h"

#include <algorithm>
#include <cmath>

// Each picture is a coloured shape with a light or dark symbol on it, described in a 16 x 16
// design grid and sampled 4 x 4 times per pixel, so the edges stay smooth at every size.
namespace {

struct Rgb {
  double r, g, b;
};

struct Point {
  double x, y;
};

enum class Shape { Circle, Triangle, Square };

struct Stroke {
  Point from, to;
  double halfWidth;
};

struct Dot {
  Point centre;
  double radius;
};

// An arc of a ring: the part of the circle (centre, radius) whose angle (screen coordinates,
// 0 = right, 90 = down) is outside the open range (gapFrom, gapTo).
struct Hook {
  Point centre;
  double radius, halfWidth, gapFrom, gapTo;
};

struct Design {
  Shape shape;
  Rgb fill, rim, symbol;
  std::vector<Stroke> strokes;
  std::vector<Dot> dots;
  std::vector<Hook> hooks;
};

constexpr double kGrid = 16.0;
constexpr double kPi = 3.14159265358979323846;
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kInk{35, 35, 35};

Design DesignOf(StatusPicture picture) {
  switch (picture) {
    case StatusPicture::Ready:  // green circle, white tick
      return {Shape::Circle, {46, 160, 67}, {27, 105, 42}, kWhite,
              {{{4.3, 8.3}, {6.9, 10.9}, 1.15}, {{6.9, 10.9}, {11.7, 5.2}, 1.15}}, {}, {}};
    case StatusPicture::Error:  // dark red square, white exclamation mark
      return {Shape::Square, {176, 32, 58}, {112, 16, 36}, kWhite,
              {{{8, 4.2}, {8, 8.8}, 1.15}}, {{{8, 11.6}, 1.25}}, {}};
    case StatusPicture::Achtung:  // yellow triangle, dark exclamation mark
      return {Shape::Triangle, {250, 196, 30}, {186, 132, 0}, kInk,
              {{{8, 6.0}, {8, 9.8}, 1.0}}, {{{8, 12.3}, 1.05}}, {}};
    case StatusPicture::Fehler:  // red circle, white cross
      return {Shape::Circle, {214, 40, 40}, {148, 20, 20}, kWhite,
              {{{5.4, 5.4}, {10.6, 10.6}, 1.15}, {{10.6, 5.4}, {5.4, 10.6}, 1.15}}, {}, {}};
    case StatusPicture::Hilfe:  // blue circle, white question mark
      return {Shape::Circle, {40, 108, 208}, {24, 68, 148}, kWhite,
              {{{8, 8.6}, {8, 9.6}, 1.1}}, {{{8, 12.0}, 1.15}},
              {{{8, 6.2}, 2.3, 1.05, 100, 175}}};
    case StatusPicture::Info:  // light blue circle, white i
      return {Shape::Circle, {30, 132, 200}, {18, 86, 140}, kWhite,
              {{{8, 7.3}, {8, 11.9}, 1.15}}, {{{8, 4.6}, 1.25}}, {}};
    case StatusPicture::Unerreichbar:  // grey circle, three white dots: no answer yet
      return {Shape::Circle, {128, 134, 142}, {84, 90, 98}, kWhite,
              {}, {{{4.6, 8}, 1.25}, {{8, 8}, 1.25}, {{11.4, 8}, 1.25}}, {}};
  }
  return {};
}

double Distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

double DistanceToSegment(Point p, Point a, Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double lengthSquared = dx * dx + dy * dy;
  double t = lengthSquared == 0 ? 0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared;
  t = std::clamp(t, 0.0, 1.0);
  return Distance(p, {a.x + t * dx, a.y + t * dy});
}

// Signed distance to the shape's outline: negative inside.
double ShapeDistance(Shape shape, Point p) {
  switch (shape) {
    case Shape::Circle:
      return Distance(p, {8, 8}) - 7.4;
    case Shape::Square: {
      // A square with rounded corners from 0.6 to 15.4.
      const double qx = std::abs(p.x - 8) - 5.4;
      const double qy = std::abs(p.y - 8) - 5.4;
      const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
      return outside + std::min(std::max(qx, qy), 0.0) - 2.0;
    }
    case Shape::Triangle: {
      const Point corners[3] = {{8, 0.7}, {15.5, 14.8}, {0.5, 14.8}};
      double nearest = 1e9;
      bool inside = true;
      for (int i = 0; i < 3; ++i) {
        const Point a = corners[i];
        const Point b = corners[(i + 1) % 3];
        nearest = std::min(nearest, DistanceToSegment(p, a, b));
        if ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x) < 0) inside = false;
      }
      return inside ? -nearest : nearest;
    }
  }
  return 1;
}

bool OnHook(const Hook& hook, Point p) {
  if (std::abs(Distance(p, hook.centre) - hook.radius) > hook.halfWidth) return false;
  const double angle = std::atan2(p.y - hook.centre.y, p.x - hook.centre.x) * 180.0 / kPi;
  return !(angle > hook.gapFrom && angle < hook.gapTo);
}

bool OnSymbol(const Design& design, Point p) {
  for (const Stroke& s : design.strokes)
    if (DistanceToSegment(p, s.from, s.to) <= s.halfWidth) return true;
  for (const Dot& d : design.dots)
    if (Distance(p, d.centre) <= d.radius) return true;
  for (const Hook& h : design.hooks)
    if (OnHook(h, p)) return true;
  return false;
}

// The colour at one design point, or nothing (transparent) outside the shape.
bool ColourAt(const Design& design, Point p, Rgb& colour) {
  const double d = ShapeDistance(design.shape, p);
  if (d > 0) return false;
  if (OnSymbol(design, p))
    colour = design.symbol;
  else
    colour = d > -1.0 ? design.rim : design.fill;
  return true;
}

uint32_t Premultiplied(double r, double g, double b, double coverage) {
  const auto channel = [](double v) {
    return static_cast<uint32_t>(std::clamp(std::lround(v), 0L, 255L));
  };
  return channel(coverage * 255) << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
}

uint32_t SamplePixel(const Design& design, int x, int y, double scale) {
  constexpr int kSamples = 4;
  double r = 0, g = 0, b = 0;
  int covered = 0;
  for (int sy = 0; sy < kSamples; ++sy)
    for (int sx = 0; sx < kSamples; ++sx) {
      const Point p{(x + (sx + 0.5) / kSamples) * scale, (y + (sy + 0.5) / kSamples) * scale};
      Rgb c{};
      if (!ColourAt(design, p, c)) continue;
      r += c.r;
      g += c.g;
      b += c.b;
      ++covered;
    }
  constexpr double kAll = kSamples * kSamples;
  // Summed colours over all samples are already premultiplied by the coverage.
  return Premultiplied(r / kAll, g / kAll, b / kAll, covered / kAll);
}

}  // namespace

std::wstring_view KeyOf(StatusPicture picture) {
  switch (picture) {
    case StatusPicture::Ready:
      return L"Ready";
    case StatusPicture::Error:
      return L"Error";
    case StatusPicture::Achtung:
      return L"Achtung";
    case StatusPicture::Fehler:
      return L"Fehler";
    case StatusPicture::Hilfe:
      return L"Hilfe";
    case StatusPicture::Info:
      return L"Info";
    case StatusPicture::Unerreichbar:
      return L"Unerreichbar";
  }
  return {};
}

std::vector<uint32_t> DrawStatusPicture(StatusPicture picture, int size) {
  if (size < 1 || size > 256) return {};
  const Design design = DesignOf(picture);
  const double scale = kGrid / size;
  std::vector<uint32_t> pixels(static_cast<size_t>(size) * static_cast<size_t>(size));
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      pixels[static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)] =
          SamplePixel(design, x, y, scale);
  return pixels;
}
