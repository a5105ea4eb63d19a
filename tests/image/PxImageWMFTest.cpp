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

std::string Placeable(const std::string& bits, std::int16_t unitsPerInch, std::int16_t right);

void FillHalves(HDC dc) {
  Fill(dc, RECT{0, 0, 500, 500}, RGB(255, 0, 0));
  Fill(dc, RECT{500, 0, 1000, 500}, RGB(0, 0, 255));
}

// A placeable Windows metafile of 1000 x 500 units at 1000 units per inch, drawn by `draw` (by
// default: left half red, right half blue).
std::string MakePlaceableMetafile(std::int16_t unitsPerInch = 1000, std::int16_t right = 1000,
                                  void (*draw)(HDC) = FillHalves) {
  HDC dc = CreateMetaFileW(nullptr);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, 1000, 500, nullptr);
  draw(dc);
  HMETAFILE metafile = CloseMetaFile(dc);
  const UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
  std::string bits(size, '\0');
  GetMetaFileBitsEx(metafile, size, bits.data());
  DeleteMetaFile(metafile);
  return Placeable(bits, unitsPerInch, right);
}

// A standard metafile's bits behind a placeable header of 1000 x 500 units.
std::string Placeable(const std::string& bits, std::int16_t unitsPerInch, std::int16_t right) {
  PxPlaceableMetaHeader header{0x9AC6CDD7, 0, 0, 0, right, 500, static_cast<std::uint16_t>(unitsPerInch), 0, 0};
  std::uint16_t words[10];
  std::memcpy(words, &header, sizeof(words));
  for (const std::uint16_t word : words) header.checksum ^= word;
  return std::string(reinterpret_cast<const char*>(&header), sizeof(header)) + bits;
}

// Draws one of each kind of record whose fields carry counts, offsets or object indices.
void DrawEveryKind(HDC dc) {
  HPEN pen = CreatePen(PS_SOLID, 3, RGB(0, 128, 0));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  const POINT line[] = {{10, 10}, {200, 40}, {90, 300}, {400, 20}};
  Polyline(dc, line, 4);
  Polygon(dc, line, 3);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  const WCHAR text[] = {'T', 'a', 'v', 'r', 'e', 'l'};
  ExtTextOutW(dc, 20, 200, 0, nullptr, text, 6, nullptr);
  BITMAPINFO bitmap{};
  bitmap.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 4, 4, 1, 24, BI_RGB, 48, 0, 0, 0, 0};
  std::uint8_t pixels[4 * 12];
  for (std::size_t i = 0; i < sizeof(pixels); ++i) pixels[i] = static_cast<std::uint8_t>(i * 37);
  StretchDIBits(dc, 600, 100, 200, 200, 0, 0, 4, 4, pixels, &bitmap, DIB_RGB_COLORS, SRCCOPY);
  HRGN region = CreateRectRgn(700, 300, 900, 450);
  HBRUSH brush = CreateSolidBrush(RGB(200, 0, 200));
  FillRgn(dc, region, brush);
  DeleteObject(brush);
  DeleteObject(region);
}

std::string MakeEveryKindEnhanced(const TempDir& dir) {
  const std::u16string path = PxWideText(dir.windowsFile("kinds.emf").c_str());
  HDC dc = CreateEnhMetaFileW(nullptr, PxWinText(path), nullptr, nullptr);
  EXPECT_NE(dc, nullptr);
  DrawEveryKind(dc);
  DeleteEnhMetaFile(CloseEnhMetaFile(dc));
  return ReadUnixFile(dir.unixFile("kinds.emf"));
}

std::uint32_t Read32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

void Write32(std::string& bytes, std::size_t at, std::uint32_t value) { std::memcpy(bytes.data() + at, &value, 4); }

void Write16(std::string& bytes, std::size_t at, std::uint16_t value) { std::memcpy(bytes.data() + at, &value, 2); }

// Offset of the first enhanced record of the type; npos when there is none.
std::size_t FindEnhRecord(const std::string& emf, std::uint32_t type) {
  for (std::size_t at = 0; at + 8 <= emf.size() && Read32(emf, at + 4) >= 8; at += Read32(emf, at + 4)) {
    if (Read32(emf, at) == type) return at;
  }
  return std::string::npos;
}

// Offset of the first record of a placeable metafile with the function; npos when there is none.
std::size_t FindWinRecord(const std::string& wmf, std::uint16_t function) {
  for (std::size_t at = 22 + 18; at + 6 <= wmf.size() && Read32(wmf, at) >= 3; at += 2 * Read32(wmf, at)) {
    std::uint16_t found = 0;
    std::memcpy(&found, wmf.data() + at + 4, 2);
    if (found == function) return at;
  }
  return std::string::npos;
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

// GDI plays a metafile by the sizes, counts, offsets and object indices its records state; damaged
// ones crashed or hung the program inside it. Each record is checked before the file is played.
TEST(WmfCodec, DamagedRecordsAreRefusedBeforePlaying) {
  TempDir dir;
  const std::string emf = MakeEveryKindEnhanced(dir);
  const std::string wmf = MakePlaceableMetafile(1000, 1000, DrawEveryKind);
  PxImage sound;
  ASSERT_TRUE(DecodeBytes(sound, emf, FMT_WMF)) << sound.LastError();
  ASSERT_TRUE(DecodeBytes(sound, wmf, FMT_WMF)) << sound.LastError();

  // A copy of a metafile with a field of one record changed; the record must be there.
  const auto enh = [&](std::uint32_t type, std::size_t field, std::uint32_t value) {
    const std::size_t at = FindEnhRecord(emf, type);
    EXPECT_NE(at, std::string::npos) << "no enhanced record of type " << type;
    std::string copy = emf;
    if (at != std::string::npos) Write32(copy, at + field, value);
    return copy;
  };
  const auto win = [&](std::uint16_t function, std::size_t field, std::uint16_t value) {
    const std::size_t at = FindWinRecord(wmf, function);
    EXPECT_NE(at, std::string::npos) << "no record of function " << function;
    std::string copy = wmf;
    if (at != std::string::npos) Write16(copy, at + field, value);
    return copy;
  };
  const std::size_t eof = FindEnhRecord(emf, EMR_EOF);
  ASSERT_NE(eof, std::string::npos);
  std::string unknownType = emf;
  Write32(unknownType, FindEnhRecord(emf, EMR_POLYLINE16), 200);
  std::string noEnd = emf.substr(0, eof);
  Write32(noEnd, 48, static_cast<std::uint32_t>(noEnd.size()));
  std::string winNoEnd = wmf.substr(0, wmf.size() - 6);
  Write32(winNoEnd, 22 + 6, static_cast<std::uint32_t>((winNoEnd.size() - 22) / 2));

  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      // Enhanced metafiles.
      {"palette of 715 million entries", enh(EMR_HEADER, 68, 0x2AAAAAAA)},
      {"record of size 0", enh(EMR_POLYLINE16, 4, 0)},
      {"record size not a multiple of 4", enh(EMR_POLYLINE16, 4, 30)},
      {"record past the end", enh(EMR_POLYLINE16, 4, 0x100000)},
      {"polyline of 2^28 points", enh(EMR_POLYLINE16, 24, 0x10000000)},
      {"text of 2^30 characters", enh(EMR_EXTTEXTOUTW, 44, 0x40000000)},
      {"text offset past the record", enh(EMR_EXTTEXTOUTW, 48, 0x7FFFFFF0)},
      {"bitmap bits past the record", enh(EMR_STRETCHDIBITS, 60, 0x100000)},
      {"bitmap wider than its bits", enh(EMR_STRETCHDIBITS, Read32(emf, FindEnhRecord(emf, EMR_STRETCHDIBITS) + 48) + 4, 60000)},
      {"region of 2^24 rectangles", enh(EMR_FILLRGN, 32 + 8, 0x1000000)},
      {"object index beyond the table", enh(EMR_SELECTOBJECT, 8, 5000)},
      {"pen created beyond the table", enh(EMR_CREATEPEN, 8, 5000)},
      // The player looks up stock objects only when selecting; elsewhere it reads or clears the
      // slot of the index as it stands, two billion entries past the table.
      {"stock object deleted", enh(EMR_DELETEOBJECT, 8, 0xF2000001)},
      {"stock brush filling a region", enh(EMR_FILLRGN, 28, 0x80000004)},
      {"unknown record type", unknownType},
      {"no end record", noEnd},
      // Placeable Windows metafiles.
      {"record of size 0", win(0x0324, 0, 0)},
      {"record past the end", win(0x0324, 2, 0x10)},
      {"polygon of 65535 points", win(0x0324, 6, 0xFFFF)},
      {"text of 65535 characters", win(0x0A32, 6 + 4, 0xFFFF)},
      {"bitmap wider than its bits", win(0x0F43, 6 + 22 + 4, 60000)},
      {"object index beyond the table", win(0x012D, 6, 40)},
      {"region index beyond the table", win(0x0228, 6, 40)},
      {"no end record", winNoEnd},
  };
  for (const auto& c : cases) {
    PxImage image;
    MakePattern(image, 2, 2, 24);
    PxImage before;
    MakePattern(before, 2, 2, 24);
    EXPECT_FALSE(DecodeBytes(image, c.bytes, FMT_WMF)) << c.what;
    EXPECT_STREQ(image.LastError(), "corrupted WMF") << c.what;
    EXPECT_TRUE(SamePixels(before, image)) << c.what;
  }
}

// A Windows metafile converted from an enhanced one carries the original in comment escapes, which
// the system plays in its place: the original is checked as well.
TEST(WmfCodec, EnhancedOriginalInsideAWindowsMetafileIsCheckedToo) {
  TempDir dir;
  const std::string emf = MakeEveryKindEnhanced(dir);
  HENHMETAFILE handle = SetEnhMetaFileBits(static_cast<UINT>(emf.size()), reinterpret_cast<const BYTE*>(emf.data()));
  ASSERT_NE(handle, nullptr);
  HDC screen = GetDC(nullptr);
  const UINT size = GetWinMetaFileBits(handle, 0, nullptr, MM_ANISOTROPIC, screen);
  std::string bits(size, '\0');
  GetWinMetaFileBits(handle, size, reinterpret_cast<BYTE*>(bits.data()), MM_ANISOTROPIC, screen);
  ReleaseDC(nullptr, screen);
  DeleteEnhMetaFile(handle);
  const std::string wmf = Placeable(bits, 1000, 1000);
  const std::size_t polyline = FindEnhRecord(emf, EMR_POLYLINE16);
  ASSERT_NE(polyline, std::string::npos);
  const std::size_t embedded = wmf.find(emf.substr(polyline, 28));
  if (wmf.find("WMFC") == std::string::npos || embedded == std::string::npos)
    GTEST_SKIP() << "the system does not embed the enhanced original";

  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, wmf, FMT_WMF)) << image.LastError();
  std::string damaged = wmf;
  Write32(damaged, embedded + 24, 0x10000000);
  PxImage before;
  MakePattern(before, 2, 2, 24);
  MakePattern(image, 2, 2, 24);
  EXPECT_FALSE(DecodeBytes(image, damaged, FMT_WMF));
  EXPECT_STREQ(image.LastError(), "corrupted WMF");
  EXPECT_TRUE(SamePixels(before, image));
}

namespace {

// An enhanced metafile made in memory with a frame of 26 x 26 mm, drawn by `draw`, whose header
// gives `bounds` (the picture's size in pixels) whatever was drawn.
std::string DrawnEnhanced(void (*draw)(HDC), const RECT& bounds = RECT{0, 0, 99, 99}) {
  const RECT frame{0, 0, 2600, 2600};  // hundredths of a millimetre
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  EXPECT_NE(dc, nullptr);
  if (!dc) return {};
  draw(dc);
  HENHMETAFILE metafile = CloseEnhMetaFile(dc);
  std::string bytes(GetEnhMetaFileBits(metafile, 0, nullptr), '\0');
  GetEnhMetaFileBits(metafile, static_cast<UINT>(bytes.size()), reinterpret_cast<BYTE*>(bytes.data()));
  DeleteEnhMetaFile(metafile);
  if (bytes.size() >= 24) std::memcpy(bytes.data() + 8, &bounds, sizeof(bounds));
  return bytes;
}

void SelectNewPen(HDC dc, int width) { SelectObject(dc, CreatePen(PS_SOLID, width, RGB(0, 0, 200))); }

}  // namespace

// Sound records can still ask GDI for drawings far larger than the picture, which Wine's GDI
// builds in full: an ellipse or polygon a million pixels across took gigabytes and seconds. What a
// record would draw is measured on the device before it is played; a file reaching that far is
// refused, while drawings a little beyond the frame play as before.
TEST(WmfCodec, DrawingsFarBeyondThePictureAreRefused) {
  using image_test::CheckHostileFile;
  using image_test::HostileFile;
  const HostileFile cases[] = {
      {"ellipse a million units across", DrawnEnhanced([](HDC dc) { Ellipse(dc, -500000, -500000, 500000, 500000); }),
       "corrupted WMF"},
      {"polygon three million units high", DrawnEnhanced([](HDC dc) {
         const POINT points[] = {{0, 0}, {50, 3000000}, {100, 0}};
         Polygon(dc, points, 3);
       }),
       "corrupted WMF"},
      {"pen 200000 units wide", DrawnEnhanced([](HDC dc) {
         SelectNewPen(dc, 200000);
         MoveToEx(dc, 10, 10, nullptr);
         LineTo(dc, 60, 60);
       }),
       "corrupted WMF"},
      {"font 300000 units high", DrawnEnhanced([](HDC dc) {
         SelectObject(dc, CreateFontW(-300000, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
         const WCHAR text[] = {'T', 'a', 'v'};
         ExtTextOutW(dc, 0, 0, 0, nullptr, text, 3, nullptr);
       }),
       "corrupted WMF"},
      {"world transform scaling a million times", DrawnEnhanced([](HDC dc) {
         SetGraphicsMode(dc, GM_ADVANCED);
         const XFORM scale{1000000, 0, 0, 1000000, 0, 0};
         SetWorldTransform(dc, &scale);
         Ellipse(dc, 0, 0, 50, 50);
       }),
       "corrupted WMF"},
      {"viewport making a unit 100000 pixels", DrawnEnhanced([](HDC dc) {
         SetMapMode(dc, MM_ANISOTROPIC);
         SetWindowExtEx(dc, 1, 1, nullptr);
         SetViewportExtEx(dc, 100000, 100000, nullptr);
         const POINT points[] = {{0, 0}, {5, 90}, {10, 0}};
         Polygon(dc, points, 3);
       }),
       "corrupted WMF"},
      // Bounds of 65000 x 70 pixels for a square frame squeeze it 1000 times more across than
      // along; Wine's outline of a wide pen then corrupted its memory.
      {"wide pen squeezed flat", DrawnEnhanced(
                                     [](HDC dc) {
                                       SelectNewPen(dc, 1);
                                       Ellipse(dc, 20, 10, 89, 69);
                                     },
                                     RECT{0, 0, 64999, 69}),
       "corrupted WMF"},
  };
  for (const HostileFile& c : cases) CheckHostileFile(c, FMT_WMF);

  // Drawings reaching out of the frame on every side, with a thick pen and large text, still play.
  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, DrawnEnhanced([](HDC dc) {
                            SelectNewPen(dc, 40);
                            Ellipse(dc, -300, -300, 600, 600);
                            SelectObject(dc, CreateFontW(-120, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                                         L"Arial"));
                            const WCHAR text[] = {'T', 'a', 'v', 'r', 'e', 'l'};
                            ExtTextOutW(dc, -50, 20, 0, nullptr, text, 6, nullptr);
                          }),
                          FMT_WMF))
      << image.LastError();
  EXPECT_GT(image.Width(), 0);
}
