// A floating-point RGB picture with the few soft-edged drawing operations the artwork needs,
// and its writer as a 24-bit bottom-up BMP file.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace artwork {

struct Rgb {
  float r = 0, g = 0, b = 0;
};

Rgb operator+(Rgb a, Rgb b);
Rgb operator*(Rgb a, float k);
Rgb Mix(Rgb a, Rgb b, float t);
// 0..255 components, as colours are usually written down.
Rgb Bytes(int r, int g, int b);

struct Point {
  float x = 0, y = 0;
};

// Signed distance in pixels from a point to a shape's outline: negative inside, positive outside.
using ShapeDistance = std::function<float(Point)>;
// Colour and opacity (0..1) of paint at one point.
struct Ink {
  Rgb colour;
  float opacity = 1;
};
// The paint of a shape at a point, so fills can carry their own gradients and fades.
using ShapeInk = std::function<Ink(Point)>;

// Ready-made shapes; distances are exact enough for one-pixel antialiasing.
ShapeDistance Circle(Point centre, float radius);
ShapeDistance Ring(Point centre, float radius, float thickness);
// Part of a ring with round ends; angles in degrees, clockwise from the +x axis (y points down).
ShapeDistance Arc(Point centre, float radius, float thickness, float fromDegrees, float toDegrees);
ShapeDistance Segment(Point from, Point to, float thickness);
ShapeDistance RoundedBox(float left, float top, float right, float bottom, float radius);

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

class Canvas {
public:
  Canvas(int width, int height, Rgb fill = {});

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  Rgb& At(int x, int y) { return FPixels[static_cast<size_t>(y) * FWidth + x]; }
  const Rgb& At(int x, int y) const { return FPixels[static_cast<size_t>(y) * FWidth + x]; }

  // Sets every pixel from a function of its centre.
  void Shade(const std::function<Rgb(Point)>& colour);
  // Blends a shape over the picture with antialiased edges; only pixels inside `area` are visited.
  void Fill(const ShapeDistance& shape, const ShapeInk& ink, Box area);
  void Fill(const ShapeDistance& shape, Rgb colour, float opacity, Box area);
  // Adds light that falls off as a Gaussian of the distance from the centre.
  void Glow(Point centre, float radius, Rgb colour);
  // Adds light around a shape, falling off with the distance from its outline.
  void Halo(const ShapeDistance& shape, float reach, Rgb colour, Box area);
  // Darkens towards the corners; `strength` is the darkening at the far corners (0..1).
  void Vignette(float strength);
  // A copy of a part of the picture.
  Canvas Crop(Box area) const;
  // Whole area of the picture.
  Box Bounds() const { return {0, 0, FWidth, FHeight}; }

  // Writes a 24-bit bottom-up BMP, dithering the quantisation so gradients show no bands (unless
  // `dither` is off: small pixel pictures whose corner colour marks transparency keep exact bytes).
  // Throws std::runtime_error when the file cannot be written.
  void SaveBmp(const std::string& path, bool dither = true) const;

private:
  Box Clip(Box area) const;

  int FWidth;
  int FHeight;
  std::vector<Rgb> FPixels;
};

}  // namespace artwork
