// Point and neighbourhood filters: brightness and contrast through a lookup table, the mean gray
// level, kernel convolution, erosion, dilation and colour offsets.
//
// The neighbourhood filters read this image and write a working copy that is moved in at the end;
// the point filters change the image in place. Pixels beyond the border read as PixelColor answers
// there, which is what the convolution sees along the edges.
#include "image/PxImage.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <type_traits>
#include <vector>

namespace {

// Columns [x0, x1) and stored rows [y0, y1) that a selection-aware filter walks: the selection box
// when a mask exists, else the whole image; clipped to the image, since no pixel outside it is selected.
struct Area {
  std::int32_t x0, x1, y0, y1;
};

Area WalkedArea(const PxImage& image, bool hasMask) {
  if (!hasMask) return {0, image.Width(), 0, image.Height()};
  const RECT& box = image.Info().selectionBox;
  return {std::max<std::int32_t>(box.left, 0), std::min<std::int32_t>(box.right, image.Width()),
          std::max<std::int32_t>(box.bottom, 0), std::min<std::int32_t>(box.top, image.Height())};
}

inline std::uint8_t ClampByte(std::int64_t value) {
  return static_cast<std::uint8_t>(std::clamp<std::int64_t>(value, 0, 255));
}

// Palette index of pixel x in a stored row of 1, 4 or 8 bits per pixel (packed from the high bit).
inline std::uint8_t IndexInRow(const std::uint8_t* row, std::int32_t x, std::uint16_t bpp) {
  switch (bpp) {
    case 1: return static_cast<std::uint8_t>((row[x >> 3] >> (7 - (x & 7))) & 1);
    case 4: return static_cast<std::uint8_t>((x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4));
    default: return row[x];
  }
}

// Reads colours the way PixelColor does, through row pointers and a palette table instead of the
// bounds-tested accessor: inside the picture the pixel's colour, outside it the one colour that
// PixelColor answers there.
class ColorSource {
public:
  explicit ColorSource(const PxImage& image)
      : FBase(image.RowBits(0)),
        FStride(image.RowBytes()),
        FWidth(image.Width()),
        FHeight(image.Height()),
        FBpp(image.Bpp()),
        FOutside(image.PixelColor(-1, -1, true)) {
    for (std::uint32_t i = 0; i < 256; ++i) FPalette[i] = image.PaletteColor(static_cast<std::uint8_t>(i));
  }

  bool IsInside(std::int32_t x, std::int32_t y) const { return x >= 0 && y >= 0 && x < FWidth && y < FHeight; }
  const std::uint8_t* Row(std::int32_t y) const { return FBase + static_cast<std::size_t>(y) * FStride; }
  const RGBQUAD& Outside() const { return FOutside; }

  RGBQUAD At(std::int32_t x, std::int32_t y) const {
    if (!IsInside(x, y)) return FOutside;
    if (FBpp == 24) {
      const std::uint8_t* pixel = Row(y) + 3 * static_cast<std::size_t>(x);
      return RGBQUAD{pixel[0], pixel[1], pixel[2], 0};
    }
    return FPalette[IndexInRow(Row(y), x, FBpp)];
  }

private:
  const std::uint8_t* FBase;
  std::size_t FStride;
  std::int32_t FWidth;
  std::int32_t FHeight;
  std::uint16_t FBpp;
  RGBQUAD FOutside;
  RGBQUAD FPalette[256];
};

// The square window of a neighbourhood filter: pixel (x, y) sees columns x - k2 .. x + kmax - 1 and
// stored rows y - k2 .. y + kmax - 1, element [r * size + c] at column x - k2 + c, row y - k2 + r.
// FixedSize, when not 0, is the side known at compile time, so that the window loops unroll.
template <std::int32_t FixedSize>
class Window {
public:
  explicit Window(std::int32_t side) : FSide(side) {}
  std::int32_t Size() const { return FixedSize ? FixedSize : FSide; }
  std::int32_t K2() const { return Size() / 2; }
  std::int32_t Kmax() const { return Size() - Size() / 2; }
  bool FitsRows(std::int32_t y, std::int32_t height) const { return y - K2() >= 0 && y + Kmax() - 1 < height; }
  bool FitsColumns(std::int32_t x, std::int32_t width) const { return x - K2() >= 0 && x + Kmax() - 1 < width; }

private:
  std::int32_t FSide;
};

// Calls walk with the window of the given side; the sides the viewer uses (2 and 3) get a window
// of fixed size.
template <typename Walk>
void WithWindow(std::int32_t side, Walk walk) {
  switch (side) {
    case 2: walk(Window<2>(side)); break;
    case 3: walk(Window<3>(side)); break;
    default: walk(Window<0>(side)); break;
  }
}

// What the walk of the neighbourhood filters shares: the working copy, the walked area, and the
// image's progress and escape fields.
struct FilterRun {
  const PxImage& source;
  PxImage& target;
  Area area;
  bool hasMask;
  std::int32_t& progress;
  const std::int32_t& escape;
};

// Gives every selected pixel of the area the colour that op combines from its window, per channel;
// true-colour results are stored as bytes, palette results through SetPixelColor (the nearest entry).
// op offers Begin(), Add(element, blue, green, red) and Result() -> RGBQUAD. When given, interiorRow
// (y, x0, x1, dst) filters the pixels [x0, x1) of a true-colour row without mask whose windows lie
// wholly inside the picture, in one go.
template <typename WindowType, typename Op, typename InteriorRow = std::nullptr_t>
void FilterColorWindows(const FilterRun& run, const WindowType& window, Op op, InteriorRow interiorRow = nullptr) {
  const ColorSource colors(run.source);
  const std::int32_t width = run.source.Width();
  const std::int32_t height = run.source.Height();
  const bool trueColor = !run.source.IsIndexed();
  const std::int32_t size = window.Size();
  const std::int32_t k2 = window.K2();
  for (std::int32_t y = run.area.y0; y < run.area.y1; ++y) {
    run.progress = static_cast<std::int32_t>(static_cast<std::int64_t>(y) * 100 / height);
    if (run.escape) break;
    const bool rowsFit = window.FitsRows(y, height);
    std::uint8_t* dst = run.target.RowBits(y);
    const auto filterPixel = [&](std::int32_t x) {
      if (run.hasMask && !run.source.SelectionIsInside(x, y)) return;
      op.Begin();
      if (trueColor && rowsFit && window.FitsColumns(x, width)) {
#pragma GCC unroll 3
        for (std::int32_t r = 0; r < size; ++r) {
          const std::uint8_t* pixel = colors.Row(y - k2 + r) + 3 * static_cast<std::size_t>(x - k2);
#pragma GCC unroll 3
          for (std::int32_t c = 0; c < size; ++c, pixel += 3) op.Add(r * size + c, pixel[0], pixel[1], pixel[2]);
        }
      } else {
        for (std::int32_t r = 0; r < size; ++r) {
          for (std::int32_t c = 0; c < size; ++c) {
            const RGBQUAD color = colors.At(x - k2 + c, y - k2 + r);
            op.Add(r * size + c, color.rgbBlue, color.rgbGreen, color.rgbRed);
          }
        }
      }
      const RGBQUAD result = op.Result();
      if (trueColor) {
        std::uint8_t* out = dst + 3 * static_cast<std::size_t>(x);
        out[0] = result.rgbBlue;
        out[1] = result.rgbGreen;
        out[2] = result.rgbRed;
      } else {
        run.target.SetPixelColor(x, y, result, false);
      }
    };

    std::int32_t x = run.area.x0;
    if constexpr (!std::is_same_v<InteriorRow, std::nullptr_t>) {
      const std::int32_t interiorBegin = std::max(run.area.x0, k2);
      const std::int32_t interiorEnd = std::min(run.area.x1, width - window.Kmax() + 1);
      if (trueColor && !run.hasMask && rowsFit && interiorBegin < interiorEnd) {
        for (; x < interiorBegin; ++x) filterPixel(x);
        interiorRow(y, interiorBegin, interiorEnd, dst);
        x = interiorEnd;
      }
    }
    for (; x < run.area.x1; ++x) filterPixel(x);
  }
}

// The minimum or maximum of each channel over the window (erosion and dilation).
template <typename Pick>
class ExtremeOp {
public:
  ExtremeOp(std::uint8_t start, Pick pick) : FStart(start), FPick(pick) {}
  void Begin() { FBlue = FGreen = FRed = FStart; }
  void Add(std::int32_t, std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
    FBlue = FPick(FBlue, blue);
    FGreen = FPick(FGreen, green);
    FRed = FPick(FRed, red);
  }
  RGBQUAD Result() const { return RGBQUAD{FBlue, FGreen, FRed, 0}; }

private:
  std::uint8_t FStart;
  Pick FPick;
  std::uint8_t FBlue = 0, FGreen = 0, FRed = 0;
};

// The weighted sum of each channel over the window, divided (unless the divisor is 0), offset and
// clamped. Sum is 32-bit when no window can overflow it (WindowSumBound), else 64-bit.
template <typename Sum>
class KernelOp {
public:
  KernelOp(const std::int32_t* kernel, std::int32_t divisor, std::int32_t offset)
      : FKernel(kernel), FDivisor(divisor), FOffset(offset) {}
  void Begin() { FBlue = FGreen = FRed = 0; }
  void Add(std::int32_t element, std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
    const Sum weight = FKernel[element];
    FBlue += weight * blue;
    FGreen += weight * green;
    FRed += weight * red;
  }
  RGBQUAD Result() const { return RGBQUAD{Channel(FBlue), Channel(FGreen), Channel(FRed), 0}; }

private:
  std::uint8_t Channel(Sum sum) const { return ClampByte(std::int64_t{FDivisor ? sum / FDivisor : sum} + FOffset); }

  const std::int32_t* FKernel;
  std::int32_t FDivisor;
  std::int32_t FOffset;
  Sum FBlue = 0, FGreen = 0, FRed = 0;
};

// The largest |window sum| of 8-bit values the kernel can give, 255 times the sum of |weight|;
// counting stops once past the 32-bit range, the widest sum any path below asks about.
std::int64_t WindowSumBound(const std::int32_t* kernel, std::int32_t size) {
  std::int64_t bound = 0;
  for (std::int64_t i = 0; i < std::int64_t{size} * size && bound <= INT32_MAX; ++i)
    bound += 255 * std::abs(std::int64_t{kernel[i]});
  return bound;
}

// Below this bound on |window sum| and |divisor|, both are exact floats and their float quotient
// cannot round onto or across an integer (an integer lies at least 1/|divisor| away from the true
// quotient, further than its rounding error), so truncating it gives the integer division's result.
constexpr std::int64_t kExactInFloat = std::int64_t{1} << 24;

// The interior of a true-colour row under a 3 x 3 kernel, a byte at a time: each byte's window holds
// the same channel of the pixels around it, 3 bytes apart, so whole rows go through plain loops that
// the compiler turns into vector code. Sum must hold every window sum (16 bits cover the viewer's
// kernels and take twice the bytes per instruction of 32), and window sums and divisor must stay
// below kExactInFloat; the results equal KernelOp's.
template <typename Sum>
class Kernel3x3Rows {
public:
  Kernel3x3Rows(const PxImage& source, const std::int32_t* kernel, std::int32_t divisor, std::int32_t offset)
      : FSource(source),
        FKernel(kernel),
        FDivisor(static_cast<float>(divisor)),
        // Quotients stay below 2^24, so a larger offset clamps the same way as 2^25 does, and the sum
        // below cannot overflow.
        FOffset(static_cast<std::int32_t>(std::clamp<std::int64_t>(offset, -2 * kExactInFloat, 2 * kExactInFloat))),
        FSums(3 * static_cast<std::size_t>(source.Width())) {}

  void operator()(std::int32_t y, std::int32_t x0, std::int32_t x1, std::uint8_t* dst) {
    const std::size_t count = 3 * static_cast<std::size_t>(x1 - x0);
    Sum* sums = FSums.data();
    for (std::int32_t r = 0; r < 3; ++r) {
      // Byte i of the span sees bytes i, i + 3 and i + 6 from one pixel to the left.
      const std::uint8_t* row = FSource.RowBits(y - 1 + r) + 3 * static_cast<std::size_t>(x0 - 1);
      const Sum left = static_cast<Sum>(FKernel[3 * r]);
      const Sum middle = static_cast<Sum>(FKernel[3 * r + 1]);
      const Sum right = static_cast<Sum>(FKernel[3 * r + 2]);
      if (r == 0) {
        for (std::size_t i = 0; i < count; ++i)
          sums[i] = static_cast<Sum>(left * row[i] + middle * row[i + 3] + right * row[i + 6]);
      } else {
        for (std::size_t i = 0; i < count; ++i)
          sums[i] = static_cast<Sum>(sums[i] + left * row[i] + middle * row[i + 3] + right * row[i + 6]);
      }
    }
    std::uint8_t* out = dst + 3 * static_cast<std::size_t>(x0);
    if (FDivisor == 0 || FDivisor == 1) {
      for (std::size_t i = 0; i < count; ++i) out[i] = ToByte(sums[i] + FOffset);
    } else {
      for (std::size_t i = 0; i < count; ++i) {
        out[i] = ToByte(static_cast<std::int32_t>(static_cast<float>(sums[i]) / FDivisor) + FOffset);
      }
    }
  }

private:
  static std::uint8_t ToByte(std::int32_t value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

  const PxImage& FSource;
  const std::int32_t* FKernel;
  float FDivisor;
  std::int32_t FOffset;
  std::vector<Sum> FSums;
};

// Erosion and dilation of an 8-bit image with the gray ramp: the extreme gray (v, v, v) of a window
// has the nearest palette index v, so the indices themselves are compared.
template <typename WindowType, typename Pick>
void PickGrayWindows(const FilterRun& run, const WindowType& window, std::uint8_t start, Pick pick) {
  const ColorSource levels(run.source);
  const std::uint8_t outside = levels.Outside().rgbBlue;
  const std::int32_t width = run.source.Width();
  const std::int32_t height = run.source.Height();
  for (std::int32_t y = run.area.y0; y < run.area.y1; ++y) {
    run.progress = static_cast<std::int32_t>(static_cast<std::int64_t>(y) * 100 / height);
    if (run.escape) break;
    const bool rowsFit = window.FitsRows(y, height);
    std::uint8_t* dst = run.target.RowBits(y);
    for (std::int32_t x = run.area.x0; x < run.area.x1; ++x) {
      if (run.hasMask && !run.source.SelectionIsInside(x, y)) continue;
      const std::int32_t size = window.Size();
      const std::int32_t k2 = window.K2();
      std::uint8_t value = start;
      if (rowsFit && window.FitsColumns(x, width)) {
        for (std::int32_t r = 0; r < size; ++r) {
          const std::uint8_t* level = levels.Row(y - k2 + r) + (x - k2);
          for (std::int32_t c = 0; c < size; ++c) value = pick(value, level[c]);
        }
      } else {
        for (std::int32_t r = 0; r < size; ++r) {
          const std::int32_t row = y - k2 + r;
          for (std::int32_t c = 0; c < size; ++c) {
            const std::int32_t column = x - k2 + c;
            value = pick(value, levels.IsInside(column, row) ? levels.Row(row)[column] : outside);
          }
        }
      }
      dst[x] = value;
    }
  }
}

// Convolution of an 8-bit image with the gray ramp, on the indices themselves: only pixels whose
// whole window lies inside are filtered, the others keep their values; a divisor of 0 counts as 1.
template <typename WindowType>
void ConvolveGrayWindows(const FilterRun& run, const WindowType& window, const std::int32_t* kernel,
                         std::int32_t divisor, std::int32_t offset) {
  const ColorSource levels(run.source);
  const std::int32_t gradeDivisor = divisor ? divisor : 1;
  const std::int32_t width = run.source.Width();
  const std::int32_t height = run.source.Height();
  const std::int32_t size = window.Size();
  const std::int32_t k2 = window.K2();
  for (std::int32_t y = run.area.y0; y < run.area.y1; ++y) {
    run.progress = static_cast<std::int32_t>(static_cast<std::int64_t>(y) * 100 / height);
    if (run.escape) break;
    if (!window.FitsRows(y, height)) continue;
    std::uint8_t* dst = run.target.RowBits(y);
    for (std::int32_t x = run.area.x0; x < run.area.x1; ++x) {
      if (!window.FitsColumns(x, width) || (run.hasMask && !run.source.SelectionIsInside(x, y))) continue;
      std::int64_t sum = 0;
      for (std::int32_t r = 0; r < size; ++r) {
        const std::uint8_t* level = levels.Row(y - k2 + r) + (x - k2);
        const std::int32_t* weights = kernel + r * size;
        for (std::int32_t c = 0; c < size; ++c) sum += static_cast<std::int64_t>(weights[c]) * level[c];
      }
      dst[x] = ClampByte(sum / gradeDivisor + offset);
    }
  }
}

constexpr auto kMinimum = [](std::uint8_t a, std::uint8_t b) { return std::min(a, b); };
constexpr auto kMaximum = [](std::uint8_t a, std::uint8_t b) { return std::max(a, b); };

}  // namespace

bool PxImage::BrightContrast(std::int32_t brightness, std::int32_t contrast) {
  const float factor = static_cast<float>((100.0 + contrast) * 0.01);
  const float shift = static_cast<float>(static_cast<std::int64_t>(brightness) + 128);
  std::uint8_t table[256];
  for (std::int32_t i = 0; i < 256; ++i) {
    // Clamping before the conversion gives the truncated value's clamp without overflowing an int.
    const float value = static_cast<float>(i - 128) * factor + shift;
    table[i] = value < 0 ? 0 : value > 255 ? 255 : static_cast<std::uint8_t>(value);
  }
  return ApplyTable(table);
}

bool PxImage::ApplyTable(const std::uint8_t* table) {
  if (!IsValid() || !table) return false;
  const Area area = WalkedArea(*this, selection != nullptr);

  if (IsIndexed()) {
    if (selection && header.biBitCount == 8 && IsGrayScale()) {
      for (std::int32_t y = area.y0; y < area.y1; ++y) {
        info.progress = static_cast<std::int32_t>(static_cast<std::int64_t>(y) * 100 / header.biHeight);
        std::uint8_t* row = RowBits(y);
        for (std::int32_t x = area.x0; x < area.x1; ++x) {
          if (SelectionIsInside(x, y)) row[x] = table[row[x]];
        }
      }
      return true;
    }
    RGBQUAD* palette = Palette();
    for (std::uint32_t i = 0; i < header.biClrUsed; ++i) {
      palette[i].rgbBlue = table[palette[i].rgbBlue];
      palette[i].rgbGreen = table[palette[i].rgbGreen];
      palette[i].rgbRed = table[palette[i].rgbRed];
    }
    ClearNearestCache();
    return true;
  }

  if (selection) {
    for (std::int32_t y = area.y0; y < area.y1; ++y) {
      std::uint8_t* row = RowBits(y);
      for (std::int32_t x = area.x0; x < area.x1; ++x) {
        if (!SelectionIsInside(x, y)) continue;
        std::uint8_t* pixel = row + 3 * static_cast<std::size_t>(x);
        pixel[0] = table[pixel[0]];
        pixel[1] = table[pixel[1]];
        pixel[2] = table[pixel[2]];
      }
    }
  } else {
    std::uint8_t* bytes = info.pixels;
    for (std::uint32_t i = 0; i < header.biSizeImage; ++i) bytes[i] = table[bytes[i]];
  }
  return true;
}

float PxImage::AverageLevel() {
  if (!IsValid()) return 0;
  const Area area = WalkedArea(*this, selection != nullptr);
  if (area.x1 <= area.x0 || area.y1 <= area.y0) return 0;

  // The gray level of every pixel, as GrayScale would leave it; summed in 64 bits because a float
  // sum stops adding small levels long before a photo's total is reached.
  std::uint8_t levelOfIndex[256] = {};
  for (std::uint32_t i = 0; i < header.biClrUsed && i < 256; ++i) {
    levelOfIndex[i] = GrayLevel(PaletteColor(static_cast<std::uint8_t>(i)));
  }
  const std::uint16_t bpp = header.biBitCount;
  std::uint64_t sum = 0;
  for (std::int32_t y = area.y0; y < area.y1; ++y) {
    info.progress = static_cast<std::int32_t>(static_cast<std::int64_t>(y) * 100 / area.y1);
    const std::uint8_t* row = RowBits(y);
    if (bpp == 24) {
      const std::uint8_t* pixel = row + 3 * static_cast<std::size_t>(area.x0);
      for (std::int32_t x = area.x0; x < area.x1; ++x, pixel += 3) sum += GrayLevel(pixel[0], pixel[1], pixel[2]);
    } else {
      for (std::int32_t x = area.x0; x < area.x1; ++x) sum += levelOfIndex[IndexInRow(row, x, bpp)];
    }
  }
  return static_cast<float>(static_cast<double>(sum) / (area.x1 - area.x0) / (area.y1 - area.y0));
}

bool PxImage::ApplyKernel(const std::int32_t* kernel, std::int32_t size, std::int32_t divisor, std::int32_t offset) {
  if (!IsValid() || !kernel) return false;
  // The copy starts with this image's pixels, so pixels the walk leaves alone (border pixels of the
  // gray path, rows after an escape) keep their values instead of holding stray memory.
  PxImage filtered(*this, true, true, true);
  if (!filtered.IsValid()) {
    SetError(filtered.LastError());
    return false;
  }
  const FilterRun run{*this, filtered, WalkedArea(*this, selection != nullptr), selection != nullptr, info.progress,
                      info.escape};
  const bool gray = header.biBitCount == 8 && IsGrayScale();
  const std::int64_t bound = WindowSumBound(kernel, size);
  const bool rowsAtOnce = size == 3 && bound < kExactInFloat && std::abs(std::int64_t{divisor}) < kExactInFloat;
  WithWindow(size, [&](const auto& window) {
    if (gray) {
      ConvolveGrayWindows(run, window, kernel, divisor, offset);
      return;
    }
    const KernelOp<std::int32_t> narrowOp(kernel, divisor, offset);
    if constexpr (std::is_same_v<std::decay_t<decltype(window)>, Window<3>>) {
      if (rowsAtOnce && bound <= INT16_MAX) {
        FilterColorWindows(run, window, narrowOp, Kernel3x3Rows<std::int16_t>(*this, kernel, divisor, offset));
        return;
      }
      if (rowsAtOnce) {
        FilterColorWindows(run, window, narrowOp, Kernel3x3Rows<std::int32_t>(*this, kernel, divisor, offset));
        return;
      }
    }
    if (bound <= INT32_MAX) {
      FilterColorWindows(run, window, narrowOp);
    } else {
      FilterColorWindows(run, window, KernelOp<std::int64_t>(kernel, divisor, offset));
    }
  });
  return Transfer(filtered);
}

template <class Pick>
bool PxImage::FilterWindowExtreme(std::int32_t size, std::uint8_t start, Pick pick) {
  if (!IsValid()) return false;
  PxImage filtered(*this, true, true, true);
  if (!filtered.IsValid()) {
    SetError(filtered.LastError());
    return false;
  }
  const FilterRun run{*this, filtered, WalkedArea(*this, selection != nullptr), selection != nullptr, info.progress,
                      info.escape};
  // The gray shortcut holds only while the nearest-colour search covers the whole ramp.
  const bool gray = header.biBitCount == 8 && IsGrayScale() && header.biClrImportant == 0;
  WithWindow(size, [&](const auto& window) {
    if (gray) {
      PickGrayWindows(run, window, start, pick);
    } else {
      FilterColorWindows(run, window, ExtremeOp(start, pick));
    }
  });
  return Transfer(filtered);
}

bool PxImage::Erode(std::int32_t size) { return FilterWindowExtreme(size, 255, kMinimum); }

bool PxImage::Dilate(std::int32_t size) { return FilterWindowExtreme(size, 0, kMaximum); }

bool PxImage::OffsetRGB(std::int32_t red, std::int32_t green, std::int32_t blue) {
  if (!IsValid()) return false;
  if (IsIndexed()) {
    RGBQUAD* palette = Palette();
    for (std::uint32_t i = 0; i < header.biClrUsed; ++i) {
      palette[i].rgbRed = ClampByte(std::int64_t{palette[i].rgbRed} + red);
      palette[i].rgbGreen = ClampByte(std::int64_t{palette[i].rgbGreen} + green);
      palette[i].rgbBlue = ClampByte(std::int64_t{palette[i].rgbBlue} + blue);
    }
    ClearNearestCache();
    return true;
  }
  const Area area = WalkedArea(*this, selection != nullptr);
  for (std::int32_t y = area.y0; y < area.y1; ++y) {
    std::uint8_t* pixel = RowBits(y) + 3 * static_cast<std::size_t>(area.x0);
    for (std::int32_t x = area.x0; x < area.x1; ++x, pixel += 3) {
      if (selection && !SelectionIsInside(x, y)) continue;
      pixel[0] = ClampByte(std::int64_t{pixel[0]} + blue);
      pixel[1] = ClampByte(std::int64_t{pixel[1]} + green);
      pixel[2] = ClampByte(std::int64_t{pixel[2]} + red);
    }
  }
  return true;
}
