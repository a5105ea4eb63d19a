#include "tools/artwork/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace artwork {

namespace {

// The two headers of a BMP file as they lie on disk (little-endian, no padding).
#pragma pack(push, 1)
struct BmpFileHeader {
  uint16_t type;       // "BM"
  uint32_t size;       // whole file
  uint16_t reserved1;
  uint16_t reserved2;
  uint32_t bitsOffset; // from the start of the file to the first pixel row
};
struct BmpInfoHeader {
  uint32_t size;       // of this header
  int32_t width;
  int32_t height;      // positive: rows are stored bottom-up
  uint16_t planes;
  uint16_t bitCount;
  uint32_t compression;
  uint32_t sizeImage;
  int32_t xPelsPerMeter;
  int32_t yPelsPerMeter;
  uint32_t clrUsed;
  uint32_t clrImportant;
};
#pragma pack(pop)
static_assert(sizeof(BmpFileHeader) == 14);
static_assert(sizeof(BmpInfoHeader) == 40);

constexpr int32_t kPixelsPerMeter = 2835;  // 72 dots per inch
constexpr float kPi = 3.14159265f;

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

// A fixed pseudo-random value in [0, 1) per pixel and channel, so every build writes the same bytes.
float Hash01(uint32_t x, uint32_t y, uint32_t channel) {
  uint32_t h = x * 0x9E3779B1u ^ (y + 0x7F4A7C15u) * 0x85EBCA77u ^ channel * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return static_cast<float>(h >> 8) / static_cast<float>(1u << 24);
}

uint8_t Quantise(float value, int x, int y, int channel) {
  // Triangular noise of one step spreads the rounding error, which hides banding in dark gradients.
  const float noise = Hash01(x, y, channel) + Hash01(x, y, channel + 3) - 1.0f;
  const float scaled = Clamp01(value) * 255.0f + noise;
  return static_cast<uint8_t>(std::clamp(std::lround(scaled), 0L, 255L));
}

float Length(float x, float y) { return std::sqrt(x * x + y * y); }

}  // namespace

Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
Rgb Mix(Rgb a, Rgb b, float t) { return a * (1.0f - t) + b * t; }
Rgb Bytes(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }

ShapeDistance Circle(Point centre, float radius) {
  return [=](Point p) { return Length(p.x - centre.x, p.y - centre.y) - radius; };
}

ShapeDistance Ring(Point centre, float radius, float thickness) {
  return [=](Point p) {
    return std::fabs(Length(p.x - centre.x, p.y - centre.y) - radius) - thickness / 2;
  };
}

ShapeDistance Arc(Point centre, float radius, float thickness, float fromDegrees, float toDegrees) {
  const float from = fromDegrees * (kPi / 180), sweep = (toDegrees - fromDegrees) * (kPi / 180);
  const Point start{centre.x + radius * std::cos(from), centre.y + radius * std::sin(from)};
  const Point end{centre.x + radius * std::cos(from + sweep), centre.y + radius * std::sin(from + sweep)};
  return [=](Point p) {
    const float dx = p.x - centre.x, dy = p.y - centre.y;
    // How far round from the start the point lies, in [0, 2 pi).
    float angle = std::atan2(dy, dx) - from;
    angle -= 2 * kPi * std::floor(angle / (2 * kPi));
    if (angle <= sweep) return std::fabs(Length(dx, dy) - radius) - thickness / 2;
    const float toStart = Length(p.x - start.x, p.y - start.y), toEnd = Length(p.x - end.x, p.y - end.y);
    return std::min(toStart, toEnd) - thickness / 2;
  };
}

ShapeDistance Segment(Point from, Point to, float thickness) {
  return [=](Point p) {
    const float dx = to.x - from.x, dy = to.y - from.y;
    const float lengthSquared = dx * dx + dy * dy;
    const float t = lengthSquared > 0
        ? std::clamp(((p.x - from.x) * dx + (p.y - from.y) * dy) / lengthSquared, 0.0f, 1.0f)
        : 0.0f;
    return Length(p.x - from.x - t * dx, p.y - from.y - t * dy) - thickness / 2;
  };
}

ShapeDistance RoundedBox(float left, float top, float right, float bottom, float radius) {
  const Point centre{(left + right) / 2, (top + bottom) / 2};
  const float halfWidth = (right - left) / 2 - radius, halfHeight = (bottom - top) / 2 - radius;
  return [=](Point p) {
    const float qx = std::fabs(p.x - centre.x) - halfWidth, qy = std::fabs(p.y - centre.y) - halfHeight;
    const float outside = Length(std::max(qx, 0.0f), std::max(qy, 0.0f));
    const float inside = std::min(std::max(qx, qy), 0.0f);
    return outside + inside - radius;
  };
}

Canvas::Canvas(int width, int height, Rgb fill)
    : FWidth(width), FHeight(height), FPixels(static_cast<size_t>(width) * height, fill) {
  if (width <= 0 || height <= 0) throw std::invalid_argument("artwork: empty canvas");
}

Box Canvas::Clip(Box area) const {
  return {std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, FWidth),
          std::min(area.bottom, FHeight)};
}

void Canvas::Shade(const std::function<Rgb(Point)>& colour) {
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) At(x, y) = colour({x + 0.5f, y + 0.5f});
}

void Canvas::Fill(const ShapeDistance& shape, const ShapeInk& ink, Box area) {
  const Box clipped = Clip(area);
  for (int y = clipped.top; y < clipped.bottom; ++y)
    for (int x = clipped.left; x < clipped.right; ++x) {
      const Point p{x + 0.5f, y + 0.5f};
      // A pixel is covered in proportion to how far the outline runs through it.
      const float coverage = Clamp01(0.5f - shape(p));
      if (coverage <= 0) continue;
      const Ink paint = ink(p);
      At(x, y) = Mix(At(x, y), paint.colour, coverage * Clamp01(paint.opacity));
    }
}

void Canvas::Fill(const ShapeDistance& shape, Rgb colour, float opacity, Box area) {
  Fill(shape, [=](Point) { return Ink{colour, opacity}; }, area);
}

void Canvas::Glow(Point centre, float radius, Rgb colour) {
  // Beyond three radii the light is below one step of 8-bit colour.
  const int reach = static_cast<int>(std::ceil(radius * 3));
  const Box area = Clip({static_cast<int>(centre.x) - reach, static_cast<int>(centre.y) - reach,
                         static_cast<int>(centre.x) + reach + 1, static_cast<int>(centre.y) + reach + 1});
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) {
      const float d = Length(x + 0.5f - centre.x, y + 0.5f - centre.y) / radius;
      At(x, y) = At(x, y) + colour * std::exp(-d * d);
    }
}

void Canvas::Halo(const ShapeDistance& shape, float reach, Rgb colour, Box area) {
  const Box clipped = Clip(area);
  for (int y = clipped.top; y < clipped.bottom; ++y)
    for (int x = clipped.left; x < clipped.right; ++x) {
      const float d = std::max(shape({x + 0.5f, y + 0.5f}), 0.0f) / reach;
      At(x, y) = At(x, y) + colour * std::exp(-d * d);
    }
}

void Canvas::Vignette(float strength) {
  const float cx = FWidth / 2.0f, cy = FHeight / 2.0f;
  const float corner = Length(cx, cy);
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) {
      const float d = Length(x + 0.5f - cx, y + 0.5f - cy) / corner;
      At(x, y) = At(x, y) * (1.0f - strength * d * d * d);
    }
}

Canvas Canvas::Crop(Box area) const {
  const Box clipped = Clip(area);
  Canvas part(clipped.right - clipped.left, clipped.bottom - clipped.top);
  for (int y = 0; y < part.FHeight; ++y)
    for (int x = 0; x < part.FWidth; ++x) part.At(x, y) = At(clipped.left + x, clipped.top + y);
  return part;
}

void Canvas::SaveBmp(const std::string& path, bool dither) const {
  const uint32_t rowBytes = (static_cast<uint32_t>(FWidth) * 3 + 3) & ~3u;  // rows end on 4 bytes
  const uint32_t bitsSize = rowBytes * static_cast<uint32_t>(FHeight);
  const uint32_t bitsOffset = sizeof(BmpFileHeader) + sizeof(BmpInfoHeader);

  const BmpFileHeader file{0x4D42, bitsOffset + bitsSize, 0, 0, bitsOffset};
  const BmpInfoHeader info{sizeof(BmpInfoHeader), FWidth, FHeight, 1, 24, 0, bitsSize,
                           kPixelsPerMeter, kPixelsPerMeter, 0, 0};

  std::vector<char> bytes(file.size, 0);
  std::copy_n(reinterpret_cast<const char*>(&file), sizeof file, bytes.begin());
  std::copy_n(reinterpret_cast<const char*>(&info), sizeof info, bytes.begin() + sizeof file);
  for (int y = 0; y < FHeight; ++y) {
    // The last row of the picture comes first in the file.
    char* row = bytes.data() + bitsOffset + static_cast<size_t>(FHeight - 1 - y) * rowBytes;
    for (int x = 0; x < FWidth; ++x) {
      const Rgb& c = At(x, y);
      const auto byte = [&](float value, int channel) {
        return static_cast<char>(dither ? Quantise(value, x, y, channel)
                                        : std::clamp(std::lround(Clamp01(value) * 255.0f), 0L, 255L));
      };
      row[x * 3 + 0] = byte(c.b, 0);
      row[x * 3 + 1] = byte(c.g, 1);
      row[x * 3 + 2] = byte(c.r, 2);
    }
  }

  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("artwork: cannot write " + path);
}

}  // namespace artwork
