#include "skin/data/Skeffbmp.h"

#include "platform/classlib/ExtendedPrecision.h"
#include "platform/classlib/Random.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace skin {

using classlib::TExtendedPrecision;

namespace {

// The nearest integer, halves to even (the x87 unit's own rounding). Callers hold a
// TExtendedPrecision, so that a value that is a hair above a half in 64 bits is not first
// rounded onto the half in 53.
long long RoundEven(long double Value) {
  if (std::isnan(Value)) return 0;
  return std::llrint(std::clamp(Value, -1.0e18L, 1.0e18L));
}

std::uint8_t ClampChannel(long long Value) { return static_cast<std::uint8_t>(std::clamp<long long>(Value, 0, 255)); }

// A factor outside 0..1 (NaN too) is brought to the nearer end.
double ClampFactor(double Kf) {
  if (!(Kf >= 0)) return 0;
  return Kf > 1 ? 1 : Kf;
}

// Each channel becomes (1 - K) * own + K * src.
void Mix(std::uint8_t* Own, const std::uint8_t* Src, double K) {
  const long double k = K;
  for (int c = 2; c >= 0; --c) Own[c] = ClampChannel(RoundEven((1.0L - k) * Own[c] + k * Src[c]));
}

// Each channel becomes W * own + (1 - W) * src.
void Blend(std::uint8_t* Own, const std::uint8_t* Src, double W) {
  const long double w = W;
  for (int c = 2; c >= 0; --c) Own[c] = ClampChannel(RoundEven(w * Own[c] + (1.0L - w) * Src[c]));
}

void CopyPixel(std::uint8_t* To, const std::uint8_t* From) { std::memcpy(To, From, 3); }

// A column or row count from a factor: Round(Side * Kf), kept within int.
int Scaled(int Side, double Kf) {
  return static_cast<int>(std::clamp<long long>(RoundEven(static_cast<long double>(Side) * Kf), -(1LL << 30), 1LL << 30));
}

classlib::TRandomGenerator& Noise() {
  thread_local classlib::TRandomGenerator generator = [] {
    classlib::TRandomGenerator g;
    g.Randomize();
    return g;
  }();
  return generator;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction and access

void TskEffectBmp::CreateSection(int AWidth, int AHeight) {
  if (AWidth <= 0 || AHeight <= 0) return;
  FBitmapHeader.biSize = sizeof(BITMAPINFOHEADER);
  FBitmapHeader.biWidth = AWidth;
  FBitmapHeader.biHeight = -AHeight;  // top-down
  FBitmapHeader.biPlanes = 1;
  FBitmapHeader.biBitCount = 24;
  FBitmapHeader.biCompression = BI_RGB;
  FBitmapInfo.bmiHeader = FBitmapHeader;
  void* bits = nullptr;
  FHandle = CreateDIBSection(nullptr, &FBitmapInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!FHandle) return;
  FBits = static_cast<std::uint8_t*>(bits);
  FWidth = AWidth;
  FHeight = AHeight;
  FRowSize = AWidth * 3 + AWidth % 4;
  FSize = FRowSize * AHeight;
}

TskEffectBmp::TskEffectBmp(int AWidth, int AHeight) { CreateSection(AWidth, AHeight); }

TskEffectBmp::TskEffectBmp(HBITMAP Bitmap) {
  BITMAP source{};
  if (!Bitmap || GetObjectA(Bitmap, sizeof source, &source) == 0) return;
  CreateSection(source.bmWidth, std::abs(source.bmHeight));
  Load(Bitmap);
}

bool TskEffectBmp::Load(HBITMAP Bitmap) {
  BITMAP source{};
  if (Empty() || !Bitmap || GetObjectA(Bitmap, sizeof source, &source) == 0) return false;
  if (source.bmWidth != FWidth || std::abs(source.bmHeight) != FHeight) return false;
  GdiFlush();
  // Any DC serves for RGB pixels; a memory DC costs little, where a display DC goes through the
  // display driver each time (under Wine, more than all the rest of a morph step).
  const HDC memory = CreateCompatibleDC(nullptr);
  GetDIBits(memory, Bitmap, 0, static_cast<UINT>(FHeight), FBits, &FBitmapInfo, DIB_RGB_COLORS);
  DeleteDC(memory);
  return true;
}

TskEffectBmp::TskEffectBmp(const TskEffectBmp& Source) {
  CreateSection(Source.FWidth, Source.FHeight);
  if (!Empty()) std::memcpy(FBits, Source.FBits, static_cast<std::size_t>(FSize));
}

TskEffectBmp::~TskEffectBmp() {
  if (FHandle) DeleteObject(FHandle);
}

void TskEffectBmp::SetPixel(int X, int Y, int Color) {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return;
  std::uint8_t* p = Pixel(X, Y);
  p[0] = static_cast<std::uint8_t>(Color);
  p[1] = static_cast<std::uint8_t>(Color >> 8);
  p[2] = static_cast<std::uint8_t>(Color >> 16);
}

int TskEffectBmp::GetPixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return 0;
  const std::uint8_t* p = Pixel(X, Y);
  return p[0] | p[1] << 8 | p[2] << 16;
}

std::uint8_t* TskEffectBmp::GetLine(int Row) { return Pixel(0, Row); }

void TskEffectBmp::SetLine(int Row, const void* Buffer) {
  std::memcpy(Pixel(0, Row), Buffer, 3 * static_cast<std::size_t>(FWidth));
}

void TskEffectBmp::GetScanLine(int Row, void* Buffer) const {
  std::memcpy(Buffer, Pixel(0, Row), 3 * static_cast<std::size_t>(FWidth));
}

void TskEffectBmp::Draw(HDC DC, int X, int Y) const {
  if (Empty()) return;
  SetDIBitsToDevice(DC, X, Y, static_cast<DWORD>(FWidth), static_cast<DWORD>(FHeight), 0, 0, 0,
                    static_cast<UINT>(FHeight), FBits, &FBitmapInfo, DIB_RGB_COLORS);
}

void TskEffectBmp::Stretch(HDC DC, int X, int Y, int W, int H) const {
  if (Empty()) return;
  StretchDIBits(DC, X, Y, W, H, 0, 0, FWidth, FHeight, FBits, &FBitmapInfo, DIB_RGB_COLORS, SRCCOPY);
}

void TskEffectBmp::DrawRect(HDC DC, int X, int Y, int SrcX, int SrcY, int W, int H) const {
  if (Empty()) return;
  StretchDIBits(DC, X, Y + H - 1, W, 1 - H, SrcX, FHeight - SrcY, W, 1 - H, FBits, &FBitmapInfo, DIB_RGB_COLORS,
                SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// Two-buffer operations

void TskEffectBmp::Morph(const TskEffectBmp& Src, double Kf) {
  if (Empty() || !SameSize(Src)) return;
  const TExtendedPrecision precision;
  const double k = ClampFactor(Kf);
  for (int y = 0; y < FHeight; ++y) {
    std::uint8_t* own = Pixel(0, y);
    const std::uint8_t* src = Src.Pixel(0, y);
    for (int x = 0; x < FWidth; ++x) Mix(own + 3 * x, src + 3 * x, k);
  }
}

void TskEffectBmp::MorphRect(const TskEffectBmp& Src, double Kf, const TRect& R, int X, int Y) {
  if (Empty() || Src.Empty()) return;
  const TExtendedPrecision precision;
  const double k = ClampFactor(Kf);
  const int top = std::max<LONG>(R.top, 0), bottom = std::min<LONG>(R.bottom, FHeight);
  const int left = std::max<LONG>(R.left, 0), right = std::min<LONG>(R.right, FWidth);
  for (int y = top; y < bottom; ++y) {
    const int sy = std::clamp<long long>(static_cast<long long>(Y) + y - R.top, 0, Src.FHeight - 1);
    for (int x = left; x < right; ++x) {
      const int sx = std::clamp<long long>(static_cast<long long>(X) + x - R.left, 0, Src.FWidth - 1);
      Mix(Pixel(x, y), Src.Pixel(sx, sy), k);
    }
  }
}

void TskEffectBmp::CopyRect(const TskEffectBmp& Src, const TRect& R, int X, int Y) {
  if (Empty() || Src.Empty()) return;
  const int top = std::max<LONG>(R.top, 0), bottom = std::min<LONG>(R.bottom, FHeight - 1);
  const int left = std::max<LONG>(R.left, 0), right = std::min<LONG>(R.right, FWidth - 1);
  for (int y = top; y <= bottom; ++y) {
    const int sy = std::clamp<long long>(static_cast<long long>(Y) + y - R.top, 0, Src.FHeight - 1);
    for (int x = left; x <= right; ++x) {
      const int sx = std::clamp<long long>(static_cast<long long>(X) + x - R.left, 0, Src.FWidth - 1);
      CopyPixel(Pixel(x, y), Src.Pixel(sx, sy));
    }
  }
}

void TskEffectBmp::MorphGrad(const TskEffectBmp& Src, double Kf) {
  if (FWidth < FHeight)
    MorphVGrad(Src, Kf);
  else
    MorphHGrad(Src, Kf);
}

void TskEffectBmp::MorphHGrad(const TskEffectBmp& Src, double Kf) {
  if (Empty() || !SameSize(Src)) return;
  const TExtendedPrecision precision;
  const int W = FWidth;
  const int a = Scaled(W, Kf);
  const int b = (W - a) / 2;
  const double step = b != 0 ? 1.0 / b : 1.0;
  // The opening's edges, kept inside the row even for a factor beyond 0..1.
  const int g = std::clamp(W / 2 - a / 2, 0, W - 1);
  const int c = std::clamp(W / 2 + a / 2, 0, W - 1);
  for (int y = 0; y < FHeight; ++y) {
    std::uint8_t* own = Pixel(0, y);
    const std::uint8_t* src = Src.Pixel(0, y);
    for (int x = g; x <= c; ++x) CopyPixel(own + 3 * x, src + 3 * x);
    double w = 0;
    for (int x = g; x >= 0; --x) {
      Blend(own + 3 * x, src + 3 * x, w);
      w = std::min(1.0, w + step);
    }
    w = 0;
    for (int x = c; x < W; ++x) {
      Blend(own + 3 * x, src + 3 * x, w);
      w = std::min(1.0, w + step);
    }
  }
}

void TskEffectBmp::MorphVGrad(const TskEffectBmp& Src, double Kf) {
  if (Empty() || !SameSize(Src)) return;
  const TExtendedPrecision precision;
  const int H = FHeight;
  const int a = Scaled(H, Kf);
  const int b = (H - 1 - a) / 2;
  const double step = b != 0 ? 1.0 / b : 0.0;
  const int g = std::clamp(H / 2 - a / 2, 0, H - 1);
  const int c = std::clamp(H / 2 + a / 2, 0, H - 1);
  const auto rowBytes = 3 * static_cast<std::size_t>(FWidth);
  for (int y = g; y <= c; ++y) std::memcpy(Pixel(0, y), Src.Pixel(0, y), rowBytes);
  auto blendRow = [&](int y, double w) {
    std::uint8_t* own = Pixel(0, y);
    const std::uint8_t* src = Src.Pixel(0, y);
    for (int x = 0; x < FWidth; ++x) Blend(own + 3 * x, src + 3 * x, w);
  };
  double w = 0;
  for (int y = g; y >= 0; --y) {
    blendRow(y, w);
    w = std::min(1.0, w + step);
  }
  w = 0;
  for (int y = c; y < H; ++y) {
    blendRow(y, w);
    w = std::min(1.0, w + step);
  }
}

void TskEffectBmp::MorphLeftGrad(const TskEffectBmp& Src, double Kf) {
  if (Empty() || !SameSize(Src)) return;
  const TExtendedPrecision precision;
  int a = Scaled(FWidth, Kf);
  if (a <= 0) a = 1;
  if (a > FWidth - 1) a = FWidth - 1;
  const double step = a > 0 ? 1.0 / a : 1.0;
  for (int y = 0; y < FHeight; ++y) {
    std::uint8_t* own = Pixel(0, y);
    const std::uint8_t* src = Src.Pixel(0, y);
    double w = 0;
    for (int x = 0; x <= a; ++x) {
      Blend(own + 3 * x, src + 3 * x, w);
      w = std::min(1.0, w + step);
    }
  }
}

void TskEffectBmp::MorphRightGrad(const TskEffectBmp& Src, double Kf) {
  if (Empty() || !SameSize(Src)) return;
  const TExtendedPrecision precision;
  const int W = FWidth;
  const int b = std::clamp(W - Scaled(W, Kf), 0, W - 1);
  const double step = W - b > 0 ? 1.0 / (W - b) : 1.0;
  for (int y = 0; y < FHeight; ++y) {
    std::uint8_t* own = Pixel(0, y);
    const std::uint8_t* src = Src.Pixel(0, y);
    double w = 0;
    for (int x = W - 1; x >= b; --x) {
      Blend(own + 3 * x, src + 3 * x, w);
      w = std::min(1.0, w + step);
    }
  }
}

void TskEffectBmp::MorphPush(const TskEffectBmp& Src, double Kf) {
  if (Empty() || !SameSize(Src)) return;
  const TExtendedPrecision precision;
  const int W = FWidth;
  const int a = std::clamp(Scaled(W, Kf), 0, W - 1);
  for (int y = 0; y < FHeight; ++y) {
    std::uint8_t* own = Pixel(0, y);
    const std::uint8_t* src = Src.Pixel(0, y);
    // From the right, so that each pixel is read before it is overwritten.
    for (int j = W - 1; j >= a; --j) CopyPixel(own + 3 * j, own + 3 * std::max(0, j - a - 1));
    for (int k = 0; k <= a; ++k) CopyPixel(own + 3 * k, src + 3 * std::min(W - 1, W - a - 1 + k));
  }
}

void TskEffectBmp::MorphLeftSlide(const TskEffectBmp& Src, double Kf) {
  if (Empty() || !SameSize(Src)) return;
  const TExtendedPrecision precision;
  const int W = FWidth;
  const int a = std::max(0, std::min(std::max(Scaled(W, Kf), 1), W - 1));
  for (int y = 0; y < FHeight; ++y)
    std::memcpy(Pixel(0, y), Src.Pixel(W - a, y), 3 * static_cast<std::size_t>(a));
}

void TskEffectBmp::MorphRightSlide(const TskEffectBmp& Src, double Kf) {
  if (Empty() || !SameSize(Src)) return;
  const TExtendedPrecision precision;
  const int W = FWidth;
  const int a = std::max(0, std::min(std::max(Scaled(W, Kf), 1), W - 1));
  for (int y = 0; y < FHeight; ++y)
    std::memcpy(Pixel(W - a, y), Src.Pixel(0, y), 3 * static_cast<std::size_t>(a));
}

// ---------------------------------------------------------------------------------------------
// Geometry into another buffer

void TskEffectBmp::Resize(TskEffectBmp& Dest) const {
  if (Empty() || Dest.Empty()) return;
  const TExtendedPrecision precision;
  const double xs = static_cast<double>(Dest.FWidth - 1) / FWidth;
  const double ys = static_cast<double>(Dest.FHeight - 1) / FHeight;
  const long long blockW = RoundEven(xs) + 1, blockH = RoundEven(ys) + 1;
  for (int y = 0; y < FHeight; ++y) {
    const long long top = RoundEven(static_cast<long double>(y) * ys);
    for (int x = 0; x < FWidth; ++x) {
      const long long left = RoundEven(static_cast<long double>(x) * xs);
      const int color = GetPixel(x, y);
      // Rounded blocks can reach a column or row past Dest: those pixels are left out.
      const long long bottom = std::min<long long>(top + blockH, Dest.FHeight);
      const long long right = std::min<long long>(left + blockW, Dest.FWidth);
      for (long long dy = top; dy < bottom; ++dy)
        for (long long dx = left; dx < right; ++dx) Dest.SetPixel(static_cast<int>(dx), static_cast<int>(dy), color);
    }
  }
}

void TskEffectBmp::Rotate90_1(TskEffectBmp& Dest) const {
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) Dest.SetPixel(y, FWidth - 1 - x, GetPixel(x, y));
}

void TskEffectBmp::Rotate90_2(TskEffectBmp& Dest) const {
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) Dest.SetPixel(FHeight - 1 - y, x, GetPixel(x, y));
}

void TskEffectBmp::FlipVert(TskEffectBmp& Dest) const {
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) Dest.SetPixel(x, FHeight - 1 - y, GetPixel(x, y));
}

// ---------------------------------------------------------------------------------------------
// Effects

void TskEffectBmp::ChangeBrightness(double Kf) {
  if (Empty()) return;
  const TExtendedPrecision precision;
  const long double k = ClampFactor(Kf);
  // Every channel value maps the same way: the table is the whole effect.
  std::uint8_t table[256];
  for (int v = 0; v < 256; ++v) table[v] = ClampChannel(RoundEven((1.0L - k) * v + k * 255));
  for (int y = 0; y < FHeight; ++y) {
    std::uint8_t* row = Pixel(0, y);
    for (int i = 0; i < 3 * FWidth; ++i) row[i] = table[row[i]];
  }
}

void TskEffectBmp::ChangeDarkness(double Kf) {
  if (Empty()) return;
  const TExtendedPrecision precision;
  const long double k = ClampFactor(Kf);
  std::uint8_t table[256];
  for (int v = 0; v < 256; ++v) table[v] = ClampChannel(RoundEven((1.0L - k) * v));
  for (int y = 0; y < FHeight; ++y) {
    std::uint8_t* row = Pixel(0, y);
    for (int i = 0; i < 3 * FWidth; ++i) row[i] = table[row[i]];
  }
}

void TskEffectBmp::GrayScale() {
  if (Empty()) return;
  const TExtendedPrecision precision;
  for (int y = 0; y < FHeight; ++y) {
    std::uint8_t* p = Pixel(0, y);
    for (int x = 0; x < FWidth; ++x, p += 3) {
      const std::uint8_t gray = ClampChannel(RoundEven(0.3L * p[2] + 0.59L * p[1] + 0.11L * p[0]));
      p[0] = p[1] = p[2] = gray;
    }
  }
}

void TskEffectBmp::Invert() {
  for (int y = 0; y < FHeight; ++y) {
    std::uint8_t* row = Pixel(0, y);
    for (int i = 0; i < 3 * FWidth; ++i) row[i] = static_cast<std::uint8_t>(255 - row[i]);
  }
}

void TskEffectBmp::SplitBlur(int Amount) {
  if (Empty() || Amount == 0) return;
  const int W = FWidth, H = FHeight;
  // A neighbour beyond the last row or column is that edge row or column; every index is then
  // kept inside, whatever the amount's size or sign.
  auto neighbours = [](int i, int amount, int side, int& low, int& high) {
    low = i - amount < 0 ? i : i - amount;
    high = i + amount >= side ? side - 1 : i + amount;
    low = std::clamp(low, 0, side - 1);
    high = std::clamp(high, 0, side - 1);
  };
  for (int y = 0; y < H; ++y) {
    int upper, lower;
    neighbours(y, Amount, H, upper, lower);
    for (int x = 0; x < W; ++x) {
      int left, right;
      neighbours(x, Amount, W, left, right);
      const std::uint8_t* a = Pixel(left, upper);
      const std::uint8_t* b = Pixel(left, lower);
      const std::uint8_t* c = Pixel(right, upper);
      const std::uint8_t* d = Pixel(right, lower);
      std::uint8_t* p = Pixel(x, y);
      for (int ch = 0; ch < 3; ++ch) p[ch] = static_cast<std::uint8_t>((a[ch] + b[ch] + c[ch] + d[ch]) / 4);
    }
  }
}

void TskEffectBmp::Mosaic(int Size) {
  if (Empty() || Size <= 1) return;
  for (int top = 0; top < FHeight; top += Size) {
    for (int left = 0; left < FWidth; left += Size) {
      std::uint8_t color[3];
      CopyPixel(color, Pixel(left, top));
      const int bottom = std::min(top + Size, FHeight), right = std::min(left + Size, FWidth);
      for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) CopyPixel(Pixel(x, y), color);
    }
  }
}

void TskEffectBmp::AddMonoNoise(int Amount) {
  if (Empty() || Amount < 1) return;
  classlib::TRandomGenerator& random = Noise();
  for (int y = 0; y < FHeight; ++y) {
    std::uint8_t* p = Pixel(0, y);
    for (int x = 0; x < FWidth; ++x, p += 3) {
      const int n = random.Random(Amount) - Amount / 2;
      for (int c = 2; c >= 0; --c) p[c] = ClampChannel(p[c] + n);
    }
  }
}

void TskEffectBmp::AddColorNoise(int Amount) {
  if (Empty() || Amount < 1) return;
  classlib::TRandomGenerator& random = Noise();
  for (int y = 0; y < FHeight; ++y) {
    std::uint8_t* p = Pixel(0, y);
    for (int x = 0; x < FWidth; ++x, p += 3)
      for (int c = 2; c >= 0; --c) p[c] = ClampChannel(p[c] + random.Random(Amount) - Amount / 2);
  }
}

}  // namespace skin
