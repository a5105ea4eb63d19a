#include "transitions/TveffectRaster.h"

#include "platform/classlib/Threads.h"
#include "tests/support/testing.h"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using classlib::TBitmap;
using classlib::TPixelFormat;
using classlib::TRect;
using transitions::TFrame;
using transitions::TVEffects;

constexpr int W = 40, H = 30;

std::unique_ptr<TBitmap> MakeBitmap(int Width, int Height, TPixelFormat Format = TPixelFormat::pf32bit) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(Format);
  bitmap->SetSize(Width, Height);
  return bitmap;
}

// A pixel that tells where it came from: the position, and whether it is the old or the new picture.
std::uint32_t Encoded(int X, int Y, bool Old) {
  return (Old ? 0x800000u : 0u) | (static_cast<std::uint32_t>(Y) << 8) | static_cast<std::uint32_t>(X);
}

std::unique_ptr<TBitmap> EncodedBitmap(bool Old, TPixelFormat Format = TPixelFormat::pf32bit) {
  auto bitmap = MakeBitmap(W, H, Format);
  const int bytes = Format == TPixelFormat::pf24bit ? 3 : 4;
  for (int y = 0; y < H; ++y) {
    auto* row = static_cast<std::uint8_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < W; ++x) {
      const std::uint32_t pixel = Encoded(x, y, Old);
      std::memcpy(row + x * bytes, &pixel, static_cast<std::size_t>(bytes));
    }
  }
  return bitmap;
}

std::uint32_t At(TBitmap& Bitmap, int X, int Y) {
  return static_cast<const std::uint32_t*>(Bitmap.ScanLine(Y))[X] & 0xFFFFFF;
}

// Copies A of the new picture to B of a frame holding the old one.
std::unique_ptr<TBitmap> Copied(const TRect& A, const TRect& B, TPixelFormat ImageFormat = TPixelFormat::pf32bit) {
  auto display = EncodedBitmap(true);
  auto image = EncodedBitmap(false, ImageFormat);
  TFrame frame(*display, *image, transitions::TExtents{W, H, 0, 0, 0}, 1, 50);
  frame.Copy(A, B);
  return display;
}

std::string Describe(const TRect& A, const TRect& B) {
  auto text = [](const TRect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
  };
  return text(A) + " to " + text(B);
}

// Scaled copies land on B clipped to the frame, each pixel taking the source pixel under its centre,
// for rectangles reaching past any edge of the frame, of odd sizes, or a pixel wide.
TEST(TFrameCopy, EachPixelTakesTheSourcePixelUnderItsCentre) {
  const TRect all{0, 0, W, H};
  const struct {
    TRect A, B;
  } cases[] = {
      {all, all},
      {{5, 5, 15, 10}, all},
      {all, {10, 5, 23, 16}},
      {all, {-17, -9, 25, 20}},
      {{3, 1, 40, 30}, {30, 25, 77, 61}},
      {all, {50, 0, 90, 30}},
      {all, {-40, -30, 0, 0}},
      {{39, 29, 40, 30}, all},
      {all, {7, 7, 8, 8}},
      {{0, 29, 40, 30}, {0, 0, 40, 3}},
      {{0, 0, 1, 30}, {-3, 0, 45, 30}},
  };
  for (const auto& c : cases) {
    auto display = Copied(c.A, c.B);
    const int sw = c.A.right - c.A.left, sh = c.A.bottom - c.A.top;
    const int dw = c.B.right - c.B.left, dh = c.B.bottom - c.B.top;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        const bool inside = x >= c.B.left && x < c.B.right && y >= c.B.top && y < c.B.bottom;
        const std::uint32_t expected =
            inside ? Encoded(c.A.left + (2 * (x - c.B.left) + 1) * sw / (2 * dw),
                             c.A.top + (2 * (y - c.B.top) + 1) * sh / (2 * dh), false)
                   : Encoded(x, y, true);
        if (At(*display, x, y) != expected) {
          ADD_FAILURE() << Describe(c.A, c.B) << " at (" << x << ", " << y << "): " << std::hex << At(*display, x, y)
                        << " for " << expected;
          y = H;
          break;
        }
      }
  }
}

// Where the rows cannot be copied directly the system's stretching does the copy, honouring the
// frame's clipping and origin, mirroring, and a source reaching past its picture.
TEST(TFrameCopy, OtherCasesGoThroughTheSystem) {
  const TRect all{0, 0, W, H};
  {
    // A 24-bit picture: converted on the way, the same colours.
    auto display = Copied(all, all, TPixelFormat::pf24bit);
    EXPECT_EQ(At(*display, 17, 11), Encoded(17, 11, false));
  }
  {
    auto display = EncodedBitmap(true);
    auto image = EncodedBitmap(false);
    TFrame frame(*display, *image, transitions::TExtents{W, H, 0, 0, 0}, 1, 50);
    const HDC dc = display->Canvas()->Handle();
    IntersectClipRect(dc, 0, 0, 20, H);
    frame.Copy(all, all);
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(At(*display, 19, 5), Encoded(19, 5, false));
    EXPECT_EQ(At(*display, 20, 5), Encoded(20, 5, true));

    SetViewportOrgEx(dc, 5, 3, nullptr);
    frame.Copy(all, all);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    EXPECT_EQ(At(*display, 25, 13), Encoded(20, 10, false));
  }
  for (const TRect& b : {TRect{W, 0, 0, H}, TRect{0, H, W, 0}}) {
    // Mirrored: every pixel from the same row or column of the new picture.
    auto display = Copied(all, b);
    const bool horizontal = b.left > b.right;
    const std::uint32_t pixel = At(*display, 13, 7);
    EXPECT_EQ(pixel & 0x800000u, 0u);
    EXPECT_EQ(horizontal ? (pixel >> 8) & 0xFF : pixel & 0xFF, horizontal ? 7u : 13u);
  }
  {
    auto display = Copied({30, 0, 50, H}, {0, 0, 20, H});
    for (int y = 0; y < H; ++y) EXPECT_EQ(At(*display, 25, y), Encoded(25, y, true));
  }
}

// Several threads composing at once, each its own frames: the pushes copy the old screen through a
// scratch bitmap, and region styles convert a picture of another format through one.
class TComposer : public classlib::TThread {
public:
  TComposer(int Width, int Height, std::atomic<int>& Mismatches)
      : TThread(true), FWidth(Width), FHeight(Height), FMismatches(Mismatches) {
    for (int style : kStyles) FExpected.push_back(Compose(style));
  }
  ~TComposer() override { TerminateAndWait(); }

  static constexpr int kStyles[] = {128, 130, 133, 135, 60};

protected:
  void Execute() override {
    for (int round = 0; round < 20; ++round)
      for (std::size_t i = 0; i < std::size(kStyles); ++i)
        if (Compose(kStyles[i]) != FExpected[i]) ++FMismatches;
  }

private:
  // The 16-bit frame of one style at 37 %, as bytes.
  std::vector<std::uint8_t> Compose(int Style) const {
    auto display = MakeBitmap(FWidth, FHeight, TPixelFormat::pf16bit);
    auto image = MakeBitmap(FWidth, FHeight, TPixelFormat::pf24bit);
    for (int y = 0; y < FHeight; ++y) {
      auto* old = static_cast<std::uint8_t*>(display->ScanLine(y));
      auto* picture = static_cast<std::uint8_t*>(image->ScanLine(y));
      for (int x = 0; x < FWidth * 2; ++x) old[x] = static_cast<std::uint8_t>(x * 5 + y);
      for (int x = 0; x < FWidth * 3; ++x) picture[x] = static_cast<std::uint8_t>(x * 3 + y * 7 + 1);
    }
    TVEffects(Style).Proc(*display, *image, TRect{0, 0, FWidth, FHeight}, 4, 37);
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < FHeight; ++y) {
      const auto* row = static_cast<const std::uint8_t*>(display->ScanLine(y));
      bytes.insert(bytes.end(), row, row + FWidth * 2);
    }
    return bytes;
  }

  int FWidth, FHeight;
  std::atomic<int>& FMismatches;
  std::vector<std::vector<std::uint8_t>> FExpected;
};

TEST(TFrameScratch, ThreadsComposingAtOnceEachGetTheirOwnFrames) {
  std::atomic<int> mismatches{0};
  std::vector<std::unique_ptr<TComposer>> composers;
  for (const auto& [w, h] : {std::pair{160, 120}, std::pair{200, 90}, std::pair{90, 200}, std::pair{33, 17}})
    composers.push_back(std::make_unique<TComposer>(w, h, mismatches));
  for (auto& composer : composers) composer->Start();
  for (auto& composer : composers) composer->WaitFor();
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
