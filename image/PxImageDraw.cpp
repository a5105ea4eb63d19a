// PxImage: drawing into a device context, and the interpolating pixel reader used when smoothing.
#include "image/PxImage.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;

double Cube(double v) { return v * v * v; }
double PositiveCube(double v) { return v > 0 ? Cube(v) : 0; }

// Weight of a sample at distance x for the kernel interpolation methods 3..16.
double KernelWeight(std::uint8_t method, double x) {
  const double ax = std::fabs(x);
  switch (method) {
    case 3:  // cubic B-spline
      if (x > 2) return 0;
      return (PositiveCube(x + 2) - 4 * PositiveCube(x + 1) + 6 * PositiveCube(x) - 4 * PositiveCube(x - 1)) / 6;
    case 4:  // cubic convolution, a = -1
      if (ax < 1) return 1 - 2 * x * x + Cube(ax);
      if (ax < 2) return 4 - 8 * ax + 5 * x * x - Cube(ax);
      return 0;
    case 5: {  // cubic convolution, a = -0.5
      const double a = -0.5;
      if (ax < 1) return (a + 2) * Cube(ax) - (a + 3) * x * x + 1;
      if (ax < 2) return a * Cube(ax) - 5 * a * x * x + 8 * a * ax - 4 * a;
      return 0;
    }
    case 6:  // Lanczos, radius 6
      if (ax > 6) return 0;
      if (x == 0) return 1;
      return std::sin(kPi * x) / (kPi * x) * std::sin(kPi * x / 6) / (kPi * x / 6);
    case 7:  // box
      return (x >= -0.5 && x < 0.5) ? 1 : 0;
    case 8:  // Hermite
      return ax < 1 ? 2 * Cube(ax) - 3 * x * x + 1 : 0;
    case 9:
      return ax < 1 ? 0.92 * (2 * Cube(ax) - 3 * x * x) + 1 : 0;
    case 10:  // sinc
      return x == 0 ? 1 : std::sin(kPi * x) / (kPi * x);
    case 11:  // Blackman window
      return 0.42 + 0.5 * std::cos(kPi * x) + 0.08 * std::cos(2 * kPi * x);
    case 12:  // Bessel
      return x == 0 ? kPi / 4 : std::cyl_bessel_j(1.0, kPi * ax) / (2 * ax);
    case 13:  // Gaussian
      return std::exp(-2 * x * x) * std::sqrt(2 / kPi);
    case 14:  // quadratic B-spline
      if (ax < 0.5) return 0.75 - x * x;
      if (ax < 1.5) return 0.5 * (ax - 1.5) * (ax - 1.5);
      return 0;
    case 15:  // Mitchell-Netravali, B = C = 1/3
      if (ax < 1) return (7.0 / 6.0) * Cube(ax) - 2 * x * x + 8.0 / 9.0;
      if (ax < 2) return -(7.0 / 18.0) * Cube(ax) + 2 * x * x - (10.0 / 3.0) * ax + 16.0 / 9.0;
      return 0;
    case 16:  // Catmull-Rom
      if (ax < 1) return (3 * Cube(ax) - 5 * x * x + 2) / 2;
      if (ax < 2) return (-Cube(ax) + 5 * x * x - 8 * ax + 4) / 2;
      return 0;
    default:
      return 0;
  }
}

std::uint8_t ClampToByte(double v) {
  if (v <= 0) return 0;
  if (v >= 255) return 255;
  return static_cast<std::uint8_t>(v);
}

// Memory DC with a 24-bit section selected; everything released in the destructor.
class RenderTarget {
public:
  RenderTarget(HDC reference, std::int32_t width, std::int32_t height) {
    FInfo.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    FInfo.bmiHeader.biWidth = width;
    FInfo.bmiHeader.biHeight = height;
    FInfo.bmiHeader.biPlanes = 1;
    FInfo.bmiHeader.biBitCount = 24;
    FInfo.bmiHeader.biCompression = BI_RGB;
    FRowBytes = ((static_cast<std::size_t>(std::max(width, 0)) * 24 + 31) / 32) * 4;
    FDC = CreateCompatibleDC(reference);
    void* bits = nullptr;
    if (width > 0 && height > 0) FBitmap = CreateDIBSection(reference, &FInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
    FBits = static_cast<std::uint8_t*>(bits);
    if (FDC && FBitmap) FOldBitmap = SelectObject(FDC, FBitmap);
  }
  ~RenderTarget() {
    if (FOldBitmap) SelectObject(FDC, FOldBitmap);
    if (FBitmap) DeleteObject(FBitmap);
    if (FDC) DeleteDC(FDC);
  }
  RenderTarget(const RenderTarget&) = delete;
  RenderTarget& operator=(const RenderTarget&) = delete;

  HDC DC() const { return FDC; }
  std::uint8_t* Bits() const { return FOldBitmap ? FBits : nullptr; }
  std::size_t RowBytes() const { return FRowBytes; }
  const BITMAPINFO& Info() const { return FInfo; }

private:
  BITMAPINFO FInfo{};
  std::size_t FRowBytes = 0;
  HDC FDC = nullptr;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
  std::uint8_t* FBits = nullptr;
};

// Applies a clip rectangle to a device context and puts the previous clipping back afterwards.
class ClipGuard {
public:
  ClipGuard(HDC dc, const RECT* clip) : FDC(dc) {
    if (!clip) return;
    FActive = true;
    FSaved = CreateRectRgn(0, 0, 0, 0);
    FHadRegion = FSaved && GetClipRgn(dc, FSaved) == 1;
    HRGN region = CreateRectRgnIndirect(clip);
    ExtSelectClipRgn(dc, region, RGN_AND);
    DeleteObject(region);
  }
  ~ClipGuard() {
    if (!FActive) return;
    SelectClipRgn(FDC, FHadRegion ? FSaved : nullptr);
    if (FSaved) DeleteObject(FSaved);
  }
  ClipGuard(const ClipGuard&) = delete;
  ClipGuard& operator=(const ClipGuard&) = delete;

private:
  HDC FDC;
  bool FActive = false;
  bool FHadRegion = false;
  HRGN FSaved = nullptr;
};

}  // namespace

bool PxImage::DrawToDC(HDC hdc, std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                       const RECT* clipRect, bool smooth) const {
  if (!dib || !hdc || cx == 0 || cy == 0 || !info.enabled) return false;
  const std::int32_t width = Width();
  const std::int32_t height = Height();
  if (cx < 0) cx = width;
  if (cy < 0) cy = height;
  const bool transparent = info.transparentIndex != -1;
  const bool withAlpha = alpha != nullptr;
  const bool indexed = header.biClrUsed != 0;

  ClipGuard clipGuard(hdc, clipRect);
  RECT box{};
  GetClipBox(hdc, &box);
  const std::int32_t xmin = std::min<std::int32_t>(box.right, std::max<std::int32_t>(x, box.left));
  const std::int32_t ymin = std::min<std::int32_t>(box.bottom, std::max<std::int32_t>(y, box.top));
  const std::int32_t xmax = std::max<std::int32_t>(box.left, std::min<std::int64_t>(box.right, static_cast<std::int64_t>(x) + cx));
  const std::int32_t ymax = std::max<std::int32_t>(box.top, std::min<std::int64_t>(box.bottom, static_cast<std::int64_t>(y) + cy));
  const std::int32_t destW = xmax - xmin;
  const std::int32_t destH = ymax - ymin;

  RenderTarget target(hdc, destW, destH);
  std::uint8_t* bits = target.Bits();
  const bool scaled = cx != width || cy != height;
  const float fx = static_cast<float>(width) / static_cast<float>(cx);
  const float fy = static_cast<float>(height) / static_cast<float>(cy);

  // Source column and row of each section pixel, and the unrounded positions for smoothing.
  std::vector<std::int32_t> sourceX(bits ? static_cast<std::size_t>(destW) : 0);
  std::vector<float> exactX(sourceX.size());
  for (std::size_t m = 0; m < sourceX.size(); ++m) {
    exactX[m] = static_cast<float>(static_cast<std::int64_t>(m) + xmin - x) * fx;
    sourceX[m] = std::clamp(static_cast<std::int32_t>(std::floor(exactX[m])), 0, width - 1);
  }
  auto sourceRow = [&](std::int32_t k, float& exact) {
    exact = static_cast<float>(height) - static_cast<float>(static_cast<std::int64_t>(ymax) - k - y) * fy;
    return std::clamp(static_cast<std::int32_t>(std::floor(exact)), 0, height - 1);
  };

  if (bits && (transparent || withAlpha || info.alphaPaletteEnabled)) {
    BitBlt(target.DC(), 0, 0, destW, destH, hdc, xmin, ymin, SRCCOPY);
    GdiFlush();  // the section's bits are read directly below
    const RGBQUAD transparentColor = TransparentColor();
    const std::int32_t transparentIndex = info.transparentIndex;
    for (std::int32_t k = 0; k < destH; ++k) {
      float exactY = 0;
      const std::int32_t sy = scaled ? sourceRow(k, exactY) : height + y - ymax + k;
      std::uint8_t* out = bits + static_cast<std::size_t>(k) * target.RowBytes();
      for (std::int32_t m = 0; m < destW; ++m, out += 3) {
        const std::int32_t sx = scaled ? sourceX[static_cast<std::size_t>(m)] : xmin - x + m;
        std::uint32_t a = withAlpha ? BlindAlphaGet(sx, sy) : 255;
        a = a * (info.alphaMax + 1u) >> 8;
        RGBQUAD color;
        bool skip = false;
        if (indexed) {
          const std::uint8_t index = PixelIndex(sx, sy);
          color = (scaled && smooth) ? PixelColorInterpolated(exactX[static_cast<std::size_t>(m)] - 0.5f, exactY - 0.5f, 2, 5)
                                     : PaletteColor(index);
          if (info.alphaPaletteEnabled) a = a * (color.rgbReserved + 1u) >> 8;
          skip = transparent && index == transparentIndex;
        } else {
          color = (scaled && smooth) ? PixelColorInterpolated(exactX[static_cast<std::size_t>(m)] - 0.5f, exactY - 0.5f, 2, 5)
                                     : BlindPixelColor(sx, sy);
          skip = transparent && SameRgb(color, transparentColor);
        }
        if (skip || a == 0) continue;
        if (a == 255) {
          out[0] = color.rgbBlue;
          out[1] = color.rgbGreen;
          out[2] = color.rgbRed;
        } else {
          out[0] = static_cast<std::uint8_t>((out[0] * (255 - a) + color.rgbBlue * a) >> 8);
          out[1] = static_cast<std::uint8_t>((out[1] * (255 - a) + color.rgbGreen * a) >> 8);
          out[2] = static_cast<std::uint8_t>((out[2] * (255 - a) + color.rgbRed * a) >> 8);
        }
      }
    }
  } else if (bits) {
    for (std::int32_t k = 0; k < destH; ++k) {
      float exactY = 0;
      const std::int32_t sy = sourceRow(k, exactY);
      std::uint8_t* out = bits + static_cast<std::size_t>(k) * target.RowBytes();
      for (std::int32_t m = 0; m < destW; ++m, out += 3) {
        const std::int32_t sx = sourceX[static_cast<std::size_t>(m)];
        const RGBQUAD color = smooth ? PixelColorInterpolated(exactX[static_cast<std::size_t>(m)] - 0.5f, exactY - 0.5f, 2, 5)
                                     : (indexed ? PaletteColor(BlindPixelIndex(sx, sy)) : BlindPixelColor(sx, sy));
        out[0] = color.rgbBlue;
        out[1] = color.rgbGreen;
        out[2] = color.rgbRed;
      }
    }
  }

  if (bits) {
    SetDIBitsToDevice(hdc, xmin, ymin, static_cast<DWORD>(destW), static_cast<DWORD>(destH), 0, 0, 0,
                      static_cast<UINT>(destH), bits, &target.Info(), DIB_RGB_COLORS);
  }
  return true;
}

void PxImage::OverflowCoordinates(std::int32_t& x, std::int32_t& y, std::uint8_t overflow) const {
  if (IsInside(x, y)) return;
  const std::int32_t width = Width();
  const std::int32_t height = Height();
  if (width <= 0 || height <= 0) return;
  switch (overflow) {
    case 4:
      x %= width;
      if (x < 0) x += width;
      y %= height;
      if (y < 0) y += height;
      break;
    case 5:
      x = std::clamp(x, 0, width - 1);
      y = std::clamp(y, 0, height - 1);
      break;
    case 6:
      if (x < 0) x = static_cast<std::int32_t>((-static_cast<std::int64_t>(x)) % width);
      else if (x >= width) x = width - (x % width) - 1;
      if (y < 0) y = static_cast<std::int32_t>((-static_cast<std::int64_t>(y)) % height);
      else if (y >= height) y = height - (y % height) - 1;
      break;
    default:
      break;
  }
}

void PxImage::OverflowCoordinates(float& x, float& y, std::uint8_t overflow) const {
  const float width = static_cast<float>(Width());
  const float height = static_cast<float>(Height());
  if (x >= 0 && x < width && y >= 0 && y < height) return;
  if (width <= 0 || height <= 0) return;
  switch (overflow) {
    case 4:
      x = std::fmod(x, width);
      if (x < 0) x += width;
      y = std::fmod(y, height);
      if (y < 0) y += height;
      break;
    case 5:
      x = std::clamp(x, 0.0f, width - 1);
      y = std::clamp(y, 0.0f, height - 1);
      break;
    case 6:
      if (x < 0) x = std::fmod(-x, width);
      else if (x >= width) x = width - (std::fmod(x, width) + 1);
      if (y < 0) y = std::fmod(-y, height);
      else if (y >= height) y = height - (std::fmod(y, height) + 1);
      break;
    default:
      break;
  }
}

RGBQUAD PxImage::PixelColorWithOverflow(std::int32_t x, std::int32_t y, std::uint8_t overflow,
                                        const RGBQUAD* replacement) const {
  if (dib && IsInside(x, y)) return BlindPixelColor(x, y);
  RGBQUAD color = replacement ? *replacement : RGBQUAD{255, 255, 255, 0};
  if (!dib) return color;
  switch (overflow) {
    case 2:  // background
      if (info.transparentIndex == -1) return color;
      if (header.biBitCount == 24) return info.transparentColor;
      return PaletteColor(static_cast<std::uint8_t>(info.transparentIndex));
    case 3:  // transparent
      if (alpha) {
        color.rgbReserved = 0;
        return color;
      }
      if (info.transparentIndex == -1) return color;
      return TransparentColor();
    case 4:
    case 5:
    case 6:
      OverflowCoordinates(x, y, overflow);
      if (!IsInside(x, y)) return color;
      return BlindPixelColor(x, y);
    default:
      return color;
  }
}

RGBQUAD PxImage::PixelColorInterpolated(float x, float y, std::uint8_t method, std::uint8_t overflow,
                                        const RGBQUAD* replacement) const {
  if (method == 1)
    return PixelColorWithOverflow(static_cast<std::int32_t>(x + 0.5f), static_cast<std::int32_t>(y + 0.5f), overflow,
                                  replacement);

  const bool bilinear = method == 0 || method == 2 || method >= 17;
  // Window of samples around (x, y): first offset from the integer position and its width.
  const std::int32_t first = bilinear ? 0 : (method == 6 ? -5 : -1);
  const std::int32_t span = bilinear ? 2 : (method == 6 ? 12 : 4);
  const std::int32_t width = Width();
  const std::int32_t height = Height();
  const bool trueColor = header.biClrUsed == 0;

  auto windowOutside = [&](std::int32_t xi, std::int32_t yi) {
    return xi + first + span - 1 < 0 || xi + first >= width || yi + first + span - 1 < 0 || yi + first >= height;
  };
  auto windowInside = [&](std::int32_t xi, std::int32_t yi) {
    return xi + first >= 0 && xi + first + span - 1 < width && yi + first >= 0 && yi + first + span - 1 < height;
  };

  std::int32_t xi = static_cast<std::int32_t>(std::floor(x));
  std::int32_t yi = static_cast<std::int32_t>(std::floor(y));
  if (!dib) return PixelColorWithOverflow(xi, yi, overflow, replacement);
  if (!windowInside(xi, yi)) {
    if (windowOutside(xi, yi) && overflow >= 1 && overflow <= 3)
      return PixelColorWithOverflow(-width - 16, -height - 16, overflow, replacement);
    OverflowCoordinates(x, y, overflow);
    xi = static_cast<std::int32_t>(std::floor(x));
    yi = static_cast<std::int32_t>(std::floor(y));
  }
  const bool direct = trueColor && windowInside(xi, yi);
  auto sample = [&](std::int32_t sx, std::int32_t sy) {
    return direct ? BlindPixelColor(sx, sy) : PixelColorWithOverflow(sx, sy, overflow, replacement);
  };

  if (bilinear && direct) {
    // Fixed point: weights in 1/256.
    const std::int32_t tx = static_cast<std::int32_t>((x - static_cast<float>(xi)) * 256);
    const std::int32_t ty = static_cast<std::int32_t>((y - static_cast<float>(yi)) * 256);
    const std::int32_t d = tx * ty >> 8;
    const std::int32_t weights[4] = {256 - tx - ty + d, tx - d, ty - d, d};
    const RGBQUAD p[4] = {sample(xi, yi), sample(xi + 1, yi), sample(xi, yi + 1), sample(xi + 1, yi + 1)};
    std::int32_t blue = 0, green = 0, red = 0, alphaSum = 0;
    for (int i = 0; i < 4; ++i) {
      blue += weights[i] * p[i].rgbBlue;
      green += weights[i] * p[i].rgbGreen;
      red += weights[i] * p[i].rgbRed;
      alphaSum += weights[i] * p[i].rgbReserved;
    }
    return RGBQUAD{ClampToByte(blue >> 8), ClampToByte(green >> 8), ClampToByte(red >> 8),
                   alpha ? ClampToByte(alphaSum >> 8) : std::uint8_t{0}};
  }

  double weightX[12];
  double weightY[12];
  if (bilinear) {
    const double t = x - xi;
    const double u = y - yi;
    weightX[0] = 1 - t;
    weightX[1] = t;
    weightY[0] = 1 - u;
    weightY[1] = u;
  } else {
    for (std::int32_t i = 0; i < span; ++i) {
      weightX[i] = KernelWeight(method, static_cast<double>(xi + first + i) - x);
      weightY[i] = KernelWeight(method, static_cast<double>(yi + first + i) - y);
    }
  }
  double blue = 0, green = 0, red = 0, alphaSum = 0;
  for (std::int32_t j = 0; j < span; ++j) {
    for (std::int32_t i = 0; i < span; ++i) {
      const double weight = weightX[i] * weightY[j];
      const RGBQUAD c = sample(xi + first + i, yi + first + j);
      blue += weight * c.rgbBlue;
      green += weight * c.rgbGreen;
      red += weight * c.rgbRed;
      alphaSum += weight * c.rgbReserved;
    }
  }
  return RGBQUAD{ClampToByte(blue), ClampToByte(green), ClampToByte(red), alpha ? ClampToByte(alphaSum) : std::uint8_t{0}};
}
