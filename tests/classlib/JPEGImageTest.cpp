#include "tests/support/testing.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/JPEGImage.h"
#include "platform/classlib/Streams.h"

#include <cstdlib>
#include <cstring>

using namespace classlib;
using testing_support::HasTool;
using testing_support::RunTool;
using testing_support::TempDir;

namespace {

// 32 x 16: left half red, right half blue.
void MakeBitmap(TBitmap& Bitmap) {
  Bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  Bitmap.SetSize(32, 16);
  Bitmap.Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(220, 0, 0)));
  Bitmap.Canvas()->FillRect(TRect{0, 0, 16, 16});
  Bitmap.Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(0, 0, 220)));
  Bitmap.Canvas()->FillRect(TRect{16, 0, 32, 16});
}

bool Near(TColor Actual, COLORREF Expected) {
  const auto a = static_cast<COLORREF>(Actual);
  return std::abs(GetRValue(a) - GetRValue(Expected)) < 40 && std::abs(GetGValue(a) - GetGValue(Expected)) < 40 &&
         std::abs(GetBValue(a) - GetBValue(Expected)) < 40;
}

TEST(JPEGImage, EncodesABitmapAndDecodesItBack) {
  TBitmap source;
  MakeBitmap(source);
  TJPEGImage jpeg;
  EXPECT_TRUE(jpeg.Empty());
  jpeg.Assign(source);
  EXPECT_EQ(jpeg.Width(), 32);
  EXPECT_EQ(jpeg.Height(), 16);
  jpeg.SetCompressionQuality(500);
  EXPECT_EQ(jpeg.CompressionQuality(), 100);
  TMemoryStream encoded;
  jpeg.SaveToStream(encoded);
  ASSERT_GT(encoded.Size(), 100);
  EXPECT_EQ(encoded.Memory()[0], 0xFF);
  EXPECT_EQ(encoded.Memory()[1], 0xD8);

  encoded.SetPosition(0);
  TJPEGImage loaded;
  loaded.LoadFromStream(encoded);
  EXPECT_EQ(loaded.Width(), 32);
  EXPECT_EQ(loaded.Height(), 16);
  EXPECT_FALSE(loaded.Grayscale());
  TBitmap decoded;
  loaded.AssignTo(decoded);
  ASSERT_EQ(decoded.Width(), 32);
  EXPECT_TRUE(Near(decoded.Canvas()->Pixels(4, 8), RGB(220, 0, 0)));
  EXPECT_TRUE(Near(decoded.Canvas()->Pixels(28, 8), RGB(0, 0, 220)));

  // A loaded picture saves the very file it came from.
  TMemoryStream again;
  loaded.SaveToStream(again);
  ASSERT_EQ(again.Size(), encoded.Size());
  EXPECT_EQ(std::memcmp(again.Memory(), encoded.Memory(), std::size_t(encoded.Size())), 0);

  // Drawn scaled on a canvas, and copied.
  TBitmap canvas;
  canvas.SetPixelFormat(TPixelFormat::pf24bit);
  canvas.SetSize(64, 32);
  canvas.Canvas()->StretchDraw(TRect{0, 0, 64, 32}, &loaded);
  EXPECT_TRUE(Near(canvas.Canvas()->Pixels(60, 20), RGB(0, 0, 220)));
  const auto clone = loaded.Clone();
  EXPECT_EQ(clone->Width(), 32);
  EXPECT_THROW(loaded.SetWidth(3), EInvalidGraphicOperation);
}

TEST(JPEGImage, BadDataRaisesAndKeepsThePicture) {
  TBitmap source;
  MakeBitmap(source);
  TJPEGImage jpeg;
  jpeg.Assign(source);
  TMemoryStream encoded;
  jpeg.SaveToStream(encoded);

  TJPEGImage kept;
  encoded.SetPosition(0);
  kept.LoadFromStream(encoded);
  const std::int64_t size = encoded.Size();
  for (const std::int64_t length : {std::int64_t{0}, std::int64_t{1}, std::int64_t{20}, size / 2}) {
    TMemoryStream bad;
    bad.Write(encoded.Memory(), int(length));
    bad.SetPosition(0);
    EXPECT_THROW(kept.LoadFromStream(bad), EInvalidGraphic) << length;
    EXPECT_EQ(kept.Width(), 32);
  }
  TMemoryStream foreign;
  foreign.Write("GIF89a not a jpeg", 17);
  foreign.SetPosition(0);
  EXPECT_THROW(kept.LoadFromStream(foreign), EInvalidGraphic);
  EXPECT_EQ(kept.Height(), 16);

  TJPEGImage empty;
  TMemoryStream nothing;
  empty.SaveToStream(nothing);
  EXPECT_EQ(nothing.Size(), 0);
  TBitmap emptied;
  MakeBitmap(emptied);
  empty.AssignTo(emptied);
  EXPECT_TRUE(emptied.Empty());
}

TEST(JPEGImage, ReadsAGreyFileOfAnIndependentEncoder) {
  if (!HasTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  TempDir dir;
  ASSERT_EQ(RunTool("convert -size 12x6 xc:'gray(40%)' -colorspace Gray -type Grayscale '" + dir.unixFile("g.jpg") + "'"), 0);
  TJPEGImage jpeg;
  jpeg.LoadFromFile(dir.windowsFile("g.jpg"));
  EXPECT_EQ(jpeg.Width(), 12);
  EXPECT_EQ(jpeg.Height(), 6);
  EXPECT_TRUE(jpeg.Grayscale());
  TBitmap bitmap;
  jpeg.AssignTo(bitmap);
  EXPECT_TRUE(Near(bitmap.Canvas()->Pixels(5, 3), RGB(102, 102, 102)));
}

}  // namespace
