// The colour dialog's palette against a plain loop over a DIB section, in the same run:
// - the square (107 x 107 HSL conversions written into the 32-bit picture) redrawn for 100 hue
//   changes, each with the cursors taken away and drawn again as a press on the ring does;
// - the whole picture built once (background, the ring with its region test and angle for each
//   pixel, the square and the cursors).
// The plain peer converts the same colours with the textbook HSL formula and writes them into the
// rows of a DIB section. Targets: both within 1.5 times the plain loop; one hue change (a hundredth
// of the square figure) under 16 ms, so that a drag on the ring keeps up with the mouse.
// The palette's form stays hidden: on a shown window each change also asks the Wine server to
// invalidate the image (about 0.1 ms here), a cost of the window system that the plain loop,
// which has no window, does not share.

#include "bench/SkinBenchSupport.h"

#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "skin/boxes/SkinColorPalette.h"

#include <cmath>
#include <cstdint>
#include <memory>

using namespace classlib;

namespace {

constexpr int kSide = 195, kHues = 100;
constexpr int kSquareLeft = 44, kSquareSpan = 106;

struct TPaletteBench {
  TPaletteBench() {
    bench::InitApplication();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(50, 50, 260, 260);
    Image = new TImage(Form.get());  // owned by the form
    Image->SetParent(Form.get());
    Image->SetBounds(10, 10, kSide, kSide);
    Palette = std::make_unique<skin::TskColorPalette>(*Image);
    Palette->PaletteColor.SetRGB({255, 0, 0});
    Application->ProcessMessages();
  }
  std::unique_ptr<TForm> Form;
  TImage* Image = nullptr;
  std::unique_ptr<skin::TskColorPalette> Palette;
};

// A 32-bit top-down DIB section of the palette's size.
class TPlainPicture {
public:
  TPlainPicture() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kSide;
    info.bmiHeader.biHeight = -kSide;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    FBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0);
  }
  ~TPlainPicture() { DeleteObject(FBitmap); }
  TPlainPicture(const TPlainPicture&) = delete;
  TPlainPicture& operator=(const TPlainPicture&) = delete;

  std::uint32_t* Row(int Y) { return FBits + Y * kSide; }

private:
  HBITMAP FBitmap = nullptr;
  std::uint32_t* FBits = nullptr;
};

double Channel(double P, double Q, double T) {
  if (T < 0) T += 1;
  if (T > 1) T -= 1;
  if (T < 1.0 / 6) return P + (Q - P) * 6 * T;
  if (T < 0.5) return Q;
  if (T < 2.0 / 3) return P + (Q - P) * (2.0 / 3 - T) * 6;
  return P;
}

std::uint32_t PlainHSL(double H, double S, double L) {
  const auto byte = [](double V) { return static_cast<std::uint32_t>(std::lround(V * 255)); };
  if (S == 0) return byte(L) * 0x010101u;
  const double q = L < 0.5 ? L * (1 + S) : L + S - L * S;
  const double p = 2 * L - q;
  return byte(Channel(p, q, H + 1.0 / 3)) << 16 | byte(Channel(p, q, H)) << 8 | byte(Channel(p, q, H - 1.0 / 3));
}

void PlainSquare(TPlainPicture& Picture, double Hue) {
  for (int y = kSquareLeft; y <= kSquareLeft + kSquareSpan; ++y) {
    std::uint32_t* row = Picture.Row(y);
    for (int x = kSquareLeft; x <= kSquareLeft + kSquareSpan; ++x)
      row[x] = PlainHSL(Hue, static_cast<double>(x - kSquareLeft) / kSquareSpan,
                        static_cast<double>(y - kSquareLeft) / kSquareSpan);
  }
}

void PlainRing(TPlainPicture& Picture) {
  std::uint32_t hues[360];
  for (int i = 0; i < 360; ++i) hues[i] = PlainHSL(i / 359.0, 1.0, 0.47);
  const std::uint32_t face = GetSysColor(COLOR_BTNFACE);
  const double centre = kSide / 2.0, outer = kSide / 2.0, inner = outer - 20;
  for (int y = 0; y < kSide; ++y) {
    std::uint32_t* row = Picture.Row(y);
    for (int x = 0; x < kSide; ++x) {
      const double dx = x + 0.5 - centre, dy = y + 0.5 - centre;
      const double d = dx * dx + dy * dy;
      if (d > outer * outer || d < inner * inner) {
        row[x] = face;
        continue;
      }
      // Clockwise from the top, as the palette counts.
      int angle = static_cast<int>(std::lround(std::atan2(dx, -dy) * 180 / 3.14159265358979)) % 360;
      if (angle < 0) angle += 360;
      row[x] = hues[359 - angle];
    }
  }
  PlainSquare(Picture, 0);
}

void PaletteSquare(benchmark::State& State) {
  TPaletteBench b;
  b.Palette->InitWheelPalette();
  for (auto _ : State)
    for (int i = 0; i < kHues; ++i) {
      const skin::THSLWheel current = b.Palette->PaletteColor.HSLWheelValue();
      b.Palette->DrawCursor();
      b.Palette->PaletteColor.SeTHSLWheel({static_cast<std::uint8_t>(i * 255 / kHues), current.S, current.L});
      b.Palette->DrawWheelPalette();
    }
}

void PlainSquares(benchmark::State& State) {
  TPlainPicture picture;
  for (auto _ : State)
    for (int i = 0; i < kHues; ++i) PlainSquare(picture, static_cast<double>(i * 255 / kHues) / 255);
}

void PaletteBuild(benchmark::State& State) {
  TPaletteBench b;
  for (auto _ : State) b.Palette->InitWheelPalette();
}

void PlainBuild(benchmark::State& State) {
  TPlainPicture picture;
  for (auto _ : State) PlainRing(picture);
}

}  // namespace

int main(int argc, char** argv) {
  constexpr auto ms = benchmark::kMillisecond;
  bench::AddTimed("square_100_hues/palette", ms, PaletteSquare);
  bench::AddTimed("square_100_hues/plain", ms, PlainSquares);
  bench::AddTimed("whole_picture/palette", ms, PaletteBuild);
  bench::AddTimed("whole_picture/plain", ms, PlainBuild);
  return bench::RunAgainstTargets(argc, argv,
                                  {{"square_100_hues/palette", "square_100_hues/plain", 1.5},
                                   {"whole_picture/palette", "whole_picture/plain", 1.5}});
}
