// The metafile decoder: enhanced and placeable metafiles drawn with GDI, then played back into
// pictures; the size rules; and damaged metafiles.
#include "tests/support/testing.h"

#include "tests/image/ImageFixtures.h"

#include "image/PxImage.h"
#include "image/PxImageWMF.h"
#include "image/PxStream.h"

#include <cstring>
#include <string>
#include <vector>

using image_test::Bytes;
using image_test::DecodeBytes;
using image_test::EncodeBytes;
using image_test::MakePattern;
using image_test::SamePixels;
using testing_support::ReadUnixFile;
using testing_support::TempDir;

namespace {

// Colour of the picture at (x, y) counted from the top, as 0xRRGGBB.
std::uint32_t TopColour(const PxImage& image, std::int32_t x, std::int32_t yFromTop) {
  return PackColor(image.PixelColor(x, image.Height() - 1 - yFromTop, false)) & 0xFFFFFF;
}

std::uint32_t WindowColour() {
  const COLORREF c = GetSysColor(COLOR_WINDOW);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

void Fill(HDC dc, RECT area, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

// An enhanced metafile with a red square at the top left and a blue one at the bottom right,
// written to a file by GDI; returns its bytes.
std::string MakeEnhancedMetafile(const TempDir& dir, const std::string& name) {
  const std::u16string path = PxWideText(dir.windowsFile(name).c_str());
  HDC dc = CreateEnhMetaFileW(nullptr, PxWinText(path), nullptr, nullptr);
  EXPECT_NE(dc, nullptr);
  Fill(dc, RECT{0, 0, 20, 20}, RGB(255, 0, 0));
  Fill(dc, RECT{80, 40, 100, 60}, RGB(0, 0, 255));
  DeleteEnhMetaFile(CloseEnhMetaFile(dc));
  return ReadUnixFile(dir.unixFile(name));
}

// A placeable Windows metafile of 1000 x 500 units at 1000 units per inch: left half red, right half blue.
std::string MakePlaceableMetafile(std::int16_t unitsPerInch = 1000, std::int16_t right = 1000) {
  HDC dc = CreateMetaFileW(nullptr);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, 1000, 500, nullptr);
  Fill(dc, RECT{0, 0, 500, 500}, RGB(255, 0, 0));
  Fill(dc, RECT{500, 0, 1000, 500}, RGB(0, 0, 255));
  HMETAFILE metafile = CloseMetaFile(dc);
  const UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
  std::string bits(size, '\0');
  GetMetaFileBitsEx(metafile, size, bits.data());
  DeleteMetaFile(metafile);

  PxPlaceableMetaHeader header{0x9AC6CDD7, 0, 0, 0, right, 500, static_cast<std::uint16_t>(unitsPerInch), 0, 0};
  std::uint16_t words[10];
  std::memcpy(words, &header, sizeof(words));
  for (const std::uint16_t word : words) header.checksum ^= word;
  return std::string(reinterpret_cast<const char*>(&header), sizeof(header)) + bits;
}

}  // namespace

TEST(WmfCodec, EnhancedMetafilePlaysAtItsBoundsOnTheWindowColour) {
  TempDir dir;
  MakeEnhancedMetafile(dir, "shapes.emf");
  PxImage image;
  ASSERT_TRUE(image.LoadFile(dir.windowsFile("shapes.emf").c_str(), FMT_WMF)) << image.LastError();
  EXPECT_EQ(image.FormatId(), static_cast<std::uint32_t>(FMT_WMF));
  EXPECT_EQ(image.Width(), 99);
  EXPECT_EQ(image.Height(), 59);
  EXPECT_EQ(image.Bpp(), 24);
  EXPECT_EQ(TopColour(image, 5, 5), 0xFF0000u);
  EXPECT_EQ(TopColour(image, 92, 52), 0x0000FFu);
  EXPECT_EQ(TopColour(image, 50, 30), WindowColour());
}

TEST(WmfCodec, PlaceableMetafileScalesByUnitsPerInch) {
  const HDC screen = GetDC(nullptr);
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
  const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, MakePlaceableMetafile(), FMT_WMF)) << image.LastError();
  EXPECT_EQ(image.Width(), dpiX);
  EXPECT_EQ(image.Height(), dpiY / 2);
  EXPECT_EQ(TopColour(image, 2, 2), 0xFF0000u);
  EXPECT_EQ(TopColour(image, image.Width() - 3, image.Height() - 3), 0x0000FFu);
}

TEST(WmfCodec, SizeRules) {
  const struct {
    std::int32_t width, height, shrunkWidth, shrunkHeight;
  } cases[] = {{8000, 2000, 4000, 1000}, {3000, 9000, 1333, 4000}, {4000, 4000, 4000, 4000}, {12, 5, 12, 5}};
  for (const auto& c : cases) {
    std::int32_t w = c.width, h = c.height;
    PxImageWMF::ShrinkMetafile(w, h);
    EXPECT_EQ(w, c.shrunkWidth) << c.width << "x" << c.height;
    EXPECT_EQ(h, c.shrunkHeight) << c.width << "x" << c.height;
  }
  PxPlaceableMetaHeader header{};
  const std::string placeable = MakePlaceableMetafile();
  std::memcpy(&header, placeable.data(), sizeof(header));
  EXPECT_TRUE(PxImageWMF::CheckPlaceableHeader(header));
  for (const std::uint16_t inch : {0, 2541}) {
    PxPlaceableMetaHeader other = header;
    other.checksum ^= static_cast<std::uint16_t>(other.unitsPerInch ^ inch);
    other.unitsPerInch = inch;
    EXPECT_FALSE(PxImageWMF::CheckPlaceableHeader(other)) << inch;
  }
  PxPlaceableMetaHeader badSum = header;
  badSum.checksum ^= 1;
  EXPECT_FALSE(PxImageWMF::CheckPlaceableHeader(badSum));
}

TEST(WmfCodec, CannotSave) {
  PxImage image;
  MakePattern(image, 4, 4, 24);
  bool ok = true;
  EncodeBytes(image, FMT_WMF, &ok);
  EXPECT_FALSE(ok);
  EXPECT_STREQ(image.LastError(), "Save WMF not supported");
}

TEST(WmfCodec, DamagedMetafilesFailCleanly) {
  TempDir dir;
  const std::string emf = MakeEnhancedMetafile(dir, "good.emf");
  ASSERT_GT(emf.size(), 108u);
  auto patched32 = [&](std::size_t at, std::uint32_t value) {
    std::string copy = emf;
    std::memcpy(copy.data() + at, &value, 4);
    return copy;
  };
  std::string wordsTooMany = MakePlaceableMetafile();
  const std::uint32_t words = 0x7FFFFFFF;
  std::memcpy(wordsTooMany.data() + 22 + 6, &words, 4);

  const struct {
    const char* what;
    std::string bytes;
    const char* error;
  } cases[] = {
      {"empty", "", "corrupted WMF"},
      {"text", std::string(300, 'x'), "corrupted WMF"},
      {"enhanced metafile cut", emf.substr(0, emf.size() / 2), "corrupted WMF"},
      {"enhanced header cut", emf.substr(0, 60), "corrupted WMF"},
      {"record sizes past the data", patched32(48, static_cast<std::uint32_t>(emf.size() + 4000)), "corrupted WMF"},
      {"header record larger than the file", patched32(4, 0x7FFFFFF0), "corrupted WMF"},
      {"wrong signature", patched32(40, 0x12345678), "corrupted WMF"},
      {"empty bounds", patched32(16, 0), "empty WMF"},  // right edge on the left one
      {"placeable with 0 units per inch", MakePlaceableMetafile(0), "corrupted WMF"},
      {"placeable without extent", MakePlaceableMetafile(1000, 0), "corrupted WMF"},
      {"placeable metafile longer than the file", wordsTooMany, "corrupted WMF"},
      {"placeable cut", MakePlaceableMetafile().substr(0, 30), "corrupted WMF"},
  };
  for (const auto& c : cases) {
    PxImage image;
    MakePattern(image, 2, 2, 24);
    PxImage before;
    MakePattern(before, 2, 2, 24);
    EXPECT_FALSE(DecodeBytes(image, c.bytes, FMT_WMF)) << c.what;
    EXPECT_STREQ(image.LastError(), c.error) << c.what;
    EXPECT_TRUE(SamePixels(before, image)) << c.what;
  }

  PxImage cancelled;
  cancelled.Info().escape = 1;
  EXPECT_FALSE(DecodeBytes(cancelled, emf, FMT_WMF));
  EXPECT_STREQ(cancelled.LastError(), "Cancelled");
}
