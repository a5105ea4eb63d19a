#include "tests/support/testing.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Streams.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>

using namespace classlib;
using testing_support::HasTool;
using testing_support::ReadUnixFile;
using testing_support::RunTool;
using testing_support::TempDir;
using testing_support::ToolOutput;
using testing_support::WriteUnixFile;

namespace {

std::unique_ptr<TBitmap> MakeBitmap(TPixelFormat format, int width, int height, TColor background) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(format);
  bitmap->SetSize(width, height);
  bitmap->Canvas()->Brush()->SetColor(background);
  bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
  return bitmap;
}

int BitsPerPixel(TPixelFormat format) {
  switch (format) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf4bit: return 4;
    case TPixelFormat::pf8bit: return 8;
    case TPixelFormat::pf15bit:
    case TPixelFormat::pf16bit: return 16;
    case TPixelFormat::pf24bit: return 24;
    default: return 32;
  }
}

// ---- BMP files made byte by byte, for layouts other writers produce ----

template <class T>
void Put(std::string& out, T value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

struct BmpSpec {
  DWORD headerSize = 40;
  int width = 0;
  int height = 0;  // negative: top-down
  WORD bitCount = 24;
  DWORD compression = BI_RGB;
  std::vector<RGBQUAD> palette{};
  std::vector<DWORD> masks{};  // BI_BITFIELDS: after a 40-byte header, inside a longer one
  std::string pixels{};
  DWORD clrUsed = 0;
  DWORD sizeImage = 0;
  std::optional<DWORD> offBits{};  // default: right after the palette
  std::string gap{};               // bytes between the palette and the pixels
};

std::string BuildBmp(const BmpSpec& spec) {
  std::string dib;
  if (spec.headerSize == 12) {
    Put(dib, DWORD(12));
    Put(dib, WORD(spec.width));
    Put(dib, WORD(spec.height));
    Put(dib, WORD(1));
    Put(dib, spec.bitCount);
    for (const RGBQUAD& c : spec.palette) dib += {char(c.rgbBlue), char(c.rgbGreen), char(c.rgbRed)};
  } else {
    Put(dib, spec.headerSize);
    Put(dib, LONG(spec.width));
    Put(dib, LONG(spec.height));
    Put(dib, WORD(1));
    Put(dib, spec.bitCount);
    Put(dib, spec.compression);
    Put(dib, spec.sizeImage);
    Put(dib, LONG(0));
    Put(dib, LONG(0));
    Put(dib, spec.clrUsed);
    Put(dib, DWORD(0));
    if (spec.headerSize > 40) {
      for (DWORD m : spec.masks) Put(dib, m);
      dib.resize(spec.headerSize, '\0');
    } else {
      for (DWORD m : spec.masks) Put(dib, m);
    }
    for (const RGBQUAD& c : spec.palette) Put(dib, c);
  }
  dib += spec.gap;
  std::string file;
  Put(file, WORD(0x4D42));
  Put(file, DWORD(14 + dib.size() + spec.pixels.size()));
  Put(file, DWORD(0));
  Put(file, spec.offBits.value_or(DWORD(14 + dib.size())));
  return file + dib + spec.pixels;
}

// Loads BMP bytes through a memory stream.
void LoadBytes(TBitmap& bitmap, const std::string& bytes) {
  TMemoryStream stream;
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), int(bytes.size()));
  stream.SetPosition(0);
  bitmap.LoadFromStream(stream);
}

std::string SaveBytes(const TBitmap& bitmap) {
  TMemoryStream stream;
  bitmap.SaveToStream(stream);
  return std::string(reinterpret_cast<const char*>(stream.Memory()), std::size_t(stream.Size()));
}

TEST(Bitmap, ScanLineZeroIsTheTopRowAndRowsAreChecked) {
  auto bitmap = MakeBitmap(TPixelFormat::pf24bit, 3, 2, clWhite);
  bitmap->Canvas()->SetPixels(0, 0, clRed);
  bitmap->Canvas()->SetPixels(2, 1, clBlue);
  const auto* top = static_cast<const std::uint8_t*>(bitmap->ScanLine(0));
  const auto* bottom = static_cast<const std::uint8_t*>(bitmap->ScanLine(1));
  EXPECT_EQ(top[0], 0);
  EXPECT_EQ(top[2], 255);  // blue, green, red
  EXPECT_EQ(bottom[6], 255);
  EXPECT_EQ(bottom[8], 0);
  EXPECT_EQ(static_cast<const std::uint8_t*>(bitmap->ScanLine(0)) - bottom, 12);  // rows padded to 4 bytes

  for (int row : {-1, 2}) {
    try {
      bitmap->ScanLine(row);
      ADD_FAILURE() << row;
    } catch (const EInvalidGraphicOperation& e) {
      EXPECT_EQ(e.Message(), "Scan line index out of range");
    }
  }
  TBitmap empty;
  EXPECT_THROW(empty.ScanLine(0), EInvalidGraphicOperation);
  EXPECT_THROW(SaveBytes(empty), EInvalidGraphicOperation);
}

TEST(Bitmap, ResizingKeepsTheTopLeftAndFillsWithTheBrushColour) {
  auto bitmap = MakeBitmap(TPixelFormat::pf32bit, 4, 4, clRed);
  bitmap->Canvas()->SetPixels(0, 0, clBlue);
  bitmap->Canvas()->SetPixels(3, 2, clLime);
  int changes = 0;
  bitmap->OnChange = [&](TObject*) { ++changes; };
  bitmap->Canvas()->Brush()->SetColor(clYellow);
  bitmap->SetSize(6, 3);
  EXPECT_EQ(changes, 1);
  TCanvas& canvas = *bitmap->Canvas();
  EXPECT_EQ(canvas.Pixels(0, 0), clBlue);
  EXPECT_EQ(canvas.Pixels(3, 2), clLime);
  EXPECT_EQ(canvas.Pixels(1, 1), clRed);
  EXPECT_EQ(canvas.Pixels(5, 0), clYellow);
  // The canvas draws into the new section.
  canvas.SetPixels(5, 2, clBlack);
  const auto* row = static_cast<const std::uint8_t*>(bitmap->ScanLine(2));
  EXPECT_EQ(row[5 * 4 + 2], 0);

  bitmap->SetWidth(0);
  EXPECT_TRUE(bitmap->Empty());
  EXPECT_EQ(bitmap->Handle(), nullptr);
  bitmap->SetWidth(-5);
  EXPECT_EQ(bitmap->Width(), 0);
  bitmap->SetSize(2, 2);
  EXPECT_FALSE(bitmap->Empty());
  EXPECT_EQ(bitmap->PixelFormat(), TPixelFormat::pf32bit);
}

TEST(Bitmap, PixelFormatChangesKeepTheColoursEachFormatCanHold) {
  struct Case {
    TPixelFormat format;
    std::vector<TColor> colours;
  };
  const std::vector<TColor> primaries = {clBlack, clWhite, clRed, clLime, clBlue, clYellow, clAqua, clFuchsia};
  const Case cases[] = {
      {TPixelFormat::pf32bit, {clBlack, clWhite, clOlive, 0x123456, 0xFEDCBA}},
      {TPixelFormat::pf24bit, {clBlack, clWhite, clOlive, 0x123456, 0xFEDCBA}},
      {TPixelFormat::pf16bit, primaries},
      {TPixelFormat::pf15bit, primaries},
      {TPixelFormat::pf8bit, {clBlack, clWhite, 0x404040, 0x818181, 0xFEFEFE}},  // the grey ramp
      {TPixelFormat::pf4bit, {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clSilver, clGray, clRed,
                              clLime, clYellow, clBlue, clFuchsia, clAqua, clWhite}},
      {TPixelFormat::pf1bit, {clBlack, clWhite}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.format));
    const int n = int(c.colours.size());
    auto bitmap = MakeBitmap(TPixelFormat::pf24bit, n, 2, clWhite);
    for (int i = 0; i < n; ++i) bitmap->Canvas()->SetPixels(i, 1, c.colours[std::size_t(i)]);
    bitmap->SetPixelFormat(c.format);
    EXPECT_EQ(bitmap->PixelFormat(), c.format);
    for (int i = 0; i < n; ++i) EXPECT_EQ(bitmap->Canvas()->Pixels(i, 1), c.colours[std::size_t(i)]) << i;
    bitmap->SetPixelFormat(TPixelFormat::pf24bit);
    for (int i = 0; i < n; ++i) {
      const auto* row = static_cast<const std::uint8_t*>(bitmap->ScanLine(1));
      EXPECT_EQ(TColor(RGB(row[3 * i + 2], row[3 * i + 1], row[3 * i])), c.colours[std::size_t(i)]) << i;
    }
  }
  // An 8-bit bitmap holds the grey level itself as the index.
  auto grey = MakeBitmap(TPixelFormat::pf8bit, 2, 1, 0x505050);
  EXPECT_EQ(static_cast<const std::uint8_t*>(grey->ScanLine(0))[1], 0x50);
}

// Every format survives save and load byte for byte, and an independent reader sees the same pixels.
TEST(Bitmap, SavedFilesLoadBackExactlyAndOpenElsewhere) {
  const bool haveMagick = HasTool("identify") && HasTool("convert");
  if (!haveMagick) std::fprintf(stderr, "ImageMagick missing: the independent check is skipped\n");
  TempDir dir;
  std::mt19937 random(7);
  const TPixelFormat formats[] = {TPixelFormat::pf1bit,  TPixelFormat::pf4bit,  TPixelFormat::pf8bit,
                                  TPixelFormat::pf15bit, TPixelFormat::pf16bit, TPixelFormat::pf24bit,
                                  TPixelFormat::pf32bit};
  for (TPixelFormat format : formats) {
    SCOPED_TRACE(int(format));
    const int width = 13;
    const int height = 7;
    const int rowBytes = (width * BitsPerPixel(format) + 7) / 8;
    TBitmap bitmap;
    bitmap.SetPixelFormat(format);
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y) {
      auto* row = static_cast<std::uint8_t*>(bitmap.ScanLine(y));
      for (int i = 0; i < rowBytes; ++i) row[i] = std::uint8_t(random());
    }
    const String name = "f" + std::to_string(int(format)) + ".bmp";
    bitmap.SaveToFile(dir.windowsFile(name));

    TBitmap loaded;
    loaded.LoadFromFile(dir.windowsFile(name));
    ASSERT_EQ(loaded.Width(), width);
    ASSERT_EQ(loaded.Height(), height);
    EXPECT_EQ(loaded.PixelFormat(), format);
    for (int y = 0; y < height; ++y)
      EXPECT_EQ(std::memcmp(loaded.ScanLine(y), bitmap.ScanLine(y), std::size_t(rowBytes)), 0) << "row " << y;

    if (!haveMagick) continue;
    const std::string file = dir.unixFile(name);
    EXPECT_EQ(ToolOutput("identify -format '%w %h' '" + file + "' 2>&1"), "13 7");
    ASSERT_EQ(RunTool("convert '" + file + "' -depth 8 'rgb:" + file + ".rgb'"), 0);
    const std::string rgb = ReadUnixFile(file + ".rgb");
    ASSERT_EQ(rgb.size(), std::size_t(width * height * 3));
    // Five-bit channels widen a little differently from reader to reader.
    const int tolerance = BitsPerPixel(format) == 16 ? 2 : 0;
    int mismatches = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const COLORREF ours = COLORREF(loaded.Canvas()->Pixels(x, y));
        const auto* theirs = reinterpret_cast<const std::uint8_t*>(rgb.data()) + 3 * (y * width + x);
        const bool close = std::abs(int(GetRValue(ours)) - theirs[0]) <= tolerance &&
                           std::abs(int(GetGValue(ours)) - theirs[1]) <= tolerance &&
                           std::abs(int(GetBValue(ours)) - theirs[2]) <= tolerance;
        mismatches += !close;
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
}

TEST(Bitmap, ReadsLayoutsOfOtherWriters) {
  const RGBQUAD quad[4] = {{0, 0, 0, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};  // black, red, lime, blue
  const std::vector<RGBQUAD> palette(quad, quad + 4);
  std::vector<RGBQUAD> fullPalette = palette;  // the old header has no colour count: always 2^bits entries
  fullPalette.resize(256, RGBQUAD{0, 0, 0, 0});
  struct Case {
    const char* name;
    BmpSpec spec;
    TPixelFormat format;
    std::vector<std::vector<TColor>> rows;  // top first
  };
  const Case cases[] = {
      {"top-down rows",
       {.width = 2,
        .height = -2,
        .bitCount = 24,
        .pixels = std::string("\0\0\xFF\xFF\0\0\0\0", 8) + std::string("\0\xFF\0\xFF\xFF\xFF\0\0", 8)},
       TPixelFormat::pf24bit,
       {{clRed, clBlue}, {clLime, clWhite}}},
      {"old 12-byte header with a triple palette",
       {.headerSize = 12, .width = 3, .height = 1, .bitCount = 8, .palette = fullPalette,
        .pixels = std::string("\1\2\3\0", 4)},
       TPixelFormat::pf8bit,
       {{clRed, clLime, clBlue}}},
      {"16 bits, no fields: 5-5-5",
       {.width = 2, .height = 1, .bitCount = 16, .pixels = std::string("\x00\x7C\x1F\x00", 4)},
       TPixelFormat::pf15bit,
       {{clRed, clBlue}}},
      {"16 bits with 5-6-5 fields",
       {.width = 2, .height = 1, .bitCount = 16, .compression = BI_BITFIELDS, .masks = {0xF800, 0x07E0, 0x001F},
        .pixels = std::string("\xE0\x07\x00\xF8", 4)},
       TPixelFormat::pf16bit,
       {{clLime, clRed}}},
      {"32 bits with fields in another order",
       {.width = 1, .height = 1, .bitCount = 32, .compression = BI_BITFIELDS, .masks = {0x0000FF, 0x00FF00, 0xFF0000},
        .pixels = std::string("\x11\x22\x33\x00", 4)},
       TPixelFormat::pf32bit,
       {{TColor(RGB(0x11, 0x22, 0x33))}}},
      {"version 5 header",
       {.headerSize = 124, .width = 1, .height = 1, .bitCount = 32, .compression = BI_BITFIELDS,
        .masks = {0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000}, .pixels = std::string("\x33\x22\x11\xFF", 4)},
       TPixelFormat::pf32bit,
       {{TColor(RGB(0x11, 0x22, 0x33))}}},
      {"run-length, 8 bits",
       {.width = 4, .height = 2, .bitCount = 8, .compression = BI_RLE8, .palette = palette,
        .pixels = std::string("\x04\x01\x00\x00\x00\x03\x02\x03\x02\x00\x01\x01\x00\x01", 14), .clrUsed = 4},
       TPixelFormat::pf8bit,
       {{clLime, clBlue, clLime, clRed}, {clRed, clRed, clRed, clRed}}},
      {"run-length, 4 bits",
       {.width = 4, .height = 1, .bitCount = 4, .compression = BI_RLE4, .palette = palette,
        .pixels = std::string("\x04\x12\x00\x01", 4), .clrUsed = 4},
       TPixelFormat::pf4bit,
       {{clRed, clLime, clRed, clLime}}},
      {"pixels after a gap",
       {.width = 1, .height = 1, .bitCount = 24, .pixels = std::string("\xFF\0\0\0", 4), .gap = "gap!"},
       TPixelFormat::pf24bit,
       {{clBlue}}},
      {"no pixel offset in the file header",
       {.width = 1, .height = 1, .bitCount = 1, .palette = std::vector<RGBQUAD>(quad, quad + 2),
        .pixels = std::string("\x80\0\0\0", 4), .clrUsed = 2, .offBits = 0},
       TPixelFormat::pf1bit,
       {{clRed}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TBitmap bitmap;
    ASSERT_NO_THROW(LoadBytes(bitmap, BuildBmp(c.spec)));
    EXPECT_EQ(bitmap.PixelFormat(), c.format);
    ASSERT_EQ(bitmap.Height(), int(c.rows.size()));
    ASSERT_EQ(bitmap.Width(), int(c.rows[0].size()));
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x)
        EXPECT_EQ(bitmap.Canvas()->Pixels(x, y), c.rows[std::size_t(y)][std::size_t(x)]) << x << "," << y;
  }
}

TEST(Bitmap, ReadsImageMagicksRunLengthFiles) {
  if (!HasTool("convert")) GTEST_SKIP() << "ImageMagick missing";
  TempDir dir;
  const std::string file = dir.unixFile("rle.bmp");
  ASSERT_EQ(RunTool("convert -size 9x5 xc:red -fill blue -draw 'rectangle 2,1 6,2' -fill lime -draw 'point 8,4' "
                    "-type Palette -compress RLE 'BMP3:" + file + "'"),
            0);
  ASSERT_EQ(ToolOutput("identify -format '%C' '" + file + "'"), "RLE");
  ASSERT_EQ(RunTool("convert '" + file + "' -depth 8 'rgb:" + file + ".rgb'"), 0);
  const std::string rgb = ReadUnixFile(file + ".rgb");
  TBitmap bitmap;
  bitmap.LoadFromFile(dir.windowsFile("rle.bmp"));
  ASSERT_EQ(bitmap.Width(), 9);
  ASSERT_EQ(bitmap.Height(), 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 9; ++x) {
      const auto* p = reinterpret_cast<const std::uint8_t*>(rgb.data()) + 3 * (y * 9 + x);
      EXPECT_EQ(bitmap.Canvas()->Pixels(x, y), TColor(RGB(p[0], p[1], p[2]))) << x << "," << y;
    }
  }
}

// A BMP inside a longer stream (a packed skin holds several back to back) is read by its own length.
TEST(Bitmap, ReadsExactlyOneFileFromAStream) {
  auto first = MakeBitmap(TPixelFormat::pf24bit, 3, 3, clRed);
  auto second = MakeBitmap(TPixelFormat::pf8bit, 5, 2, 0x303030);
  TMemoryStream stream;
  first->SaveToStream(stream);
  const std::int64_t firstEnd = stream.Position();
  second->SaveToStream(stream);
  const std::int64_t secondEnd = stream.Position();
  stream.WriteBuffer("tail", 4);
  stream.SetPosition(0);

  TBitmap a;
  a.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), firstEnd);
  TBitmap b;
  b.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), secondEnd);
  char tail[4];
  stream.ReadBuffer(tail, 4);
  EXPECT_EQ(std::string(tail, 4), "tail");
  EXPECT_EQ(a.Canvas()->Pixels(2, 2), clRed);
  EXPECT_EQ(b.Width(), 5);
  EXPECT_EQ(b.Canvas()->Pixels(4, 1), 0x303030);
}

TEST(Bitmap, CorruptFilesRaiseAndLeaveThePictureAsItWas) {
  const RGBQUAD grey[4] = {{0, 0, 0, 0}, {85, 85, 85, 0}, {170, 170, 170, 0}, {255, 255, 255, 0}};
  const BmpSpec base{.width = 4, .height = 4, .bitCount = 8, .palette = std::vector<RGBQUAD>(grey, grey + 4),
                     .pixels = std::string(16, '\1'), .clrUsed = 4};
  const std::string good = BuildBmp(base);
  {
    TBitmap check;
    LoadBytes(check, good);
    ASSERT_EQ(check.Width(), 4);
  }
  auto patched = [&good](std::size_t offset, auto value) {
    std::string bytes = good;
    std::memcpy(bytes.data() + offset, &value, sizeof value);
    return bytes;
  };
  auto variant = [&base](auto change) {
    BmpSpec spec = base;
    change(spec);
    return BuildBmp(spec);
  };
  // Offsets: 10 pixel offset; 14 header size, 18 width, 22 height, 26 planes, 28 bit count,
  // 30 compression, 34 image size, 46 colours used; the palette starts at 54.
  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"file header only", good.substr(0, 14)},
      {"not a BMP", "BX" + good.substr(2)},
      {"pixels cut short", good.substr(0, good.size() - 1)},
      {"palette cut short", good.substr(0, 60)},
      {"header size 0", patched(14, DWORD(0))},
      {"header size 64K", patched(14, DWORD(0x10000))},
      {"width 0", patched(18, LONG(0))},
      {"height 0", patched(22, LONG(0))},
      {"negative width", patched(18, LONG(-4))},
      {"absurd width", patched(18, LONG(0x7FFFFFFF))},
      {"absurd top-down height", patched(22, LONG(-0x7FFFFFFF))},
      {"too many pixels for a small file", variant([](BmpSpec& s) { s.width = 60000; s.height = 60000; })},
      {"two planes", patched(26, WORD(2))},
      {"7 bits per pixel", patched(28, WORD(7))},
      {"JPEG inside", patched(30, DWORD(BI_JPEG))},
      {"run-length with 24 bits", variant([](BmpSpec& s) { s.bitCount = 24; s.compression = BI_RLE8; })},
      {"run-length top-down", variant([](BmpSpec& s) { s.compression = BI_RLE8; s.height = -4; })},
      {"run-length longer than the file", variant([](BmpSpec& s) { s.compression = BI_RLE8; s.sizeImage = 1000; })},
      {"300 colours for 8 bits", patched(46, DWORD(300))},
      {"pixels inside the header", patched(10, DWORD(20))},
      {"pixels inside the palette", patched(10, DWORD(60))},
      {"pixels past the end", patched(10, DWORD(1000))},
      {"pixel offset 4G", patched(10, DWORD(0xFFFFFFFF))},
      {"a zero bit field", variant([](BmpSpec& s) {
         s.bitCount = 16;
         s.compression = BI_BITFIELDS;
         s.palette.clear();
         s.clrUsed = 0;
         s.masks = {0xF800, 0, 0x1F};
         s.pixels = std::string(16, '\0');
       })},
  };
  TBitmap bitmap;
  LoadBytes(bitmap, BuildBmp({.width = 3, .height = 2, .bitCount = 24, .pixels = std::string(24, '\x7F')}));
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    try {
      LoadBytes(bitmap, bytes);
      ADD_FAILURE() << "loaded";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), "Bitmap image is not valid");
    }
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.Canvas()->Pixels(2, 1), 0x7F7F7F);
  }
}

// Run-length data that runs off the picture or its own end must neither crash nor write outside.
TEST(Bitmap, BrokenRunLengthDataIsContained) {
  const RGBQUAD two[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  const std::string streams[] = {
      std::string("\x0A\x01\x00\x01", 4),                  // a run wider than the picture
      std::string("\x00\x02\xC8\xC8\x02\x01\x00\x01", 8),  // a jump far outside
      std::string("\x00\x32\x01\x01", 4),                  // literal pixels past the data's end
      std::string("\x02\x01", 2),                          // no end marker
      std::string(40, '\0') + std::string("\x04\x01\x00\x01", 4),  // more lines than the picture has
  };
  for (const std::string& data : streams) {
    TBitmap bitmap;
    try {
      LoadBytes(bitmap, BuildBmp({.width = 4, .height = 4, .bitCount = 8, .compression = BI_RLE8,
                                  .palette = std::vector<RGBQUAD>(two, two + 2), .pixels = data, .clrUsed = 2}));
      EXPECT_EQ(bitmap.Width(), 4);
      EXPECT_EQ(bitmap.Height(), 4);
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), "Bitmap image is not valid");
    }
  }
}

TEST(Bitmap, LoadsBitmapResources) {
  // The system's own bitmaps are BITMAP resources of user32 (OBM_CLOSE is 32754).
  HINSTANCE user32 = GetModuleHandleW(L"user32.dll");
  ASSERT_NE(user32, nullptr);
  TBitmap bitmap;
  bitmap.LoadFromResourceName(user32, "#32754");
  HBITMAP reference = LoadBitmapW(nullptr, MAKEINTRESOURCEW(32754));
  ASSERT_NE(reference, nullptr);
  BITMAP info{};
  GetObjectW(reference, sizeof info, &info);
  DeleteObject(reference);
  EXPECT_EQ(bitmap.Width(), info.bmWidth);
  EXPECT_EQ(bitmap.Height(), info.bmHeight);
  try {
    bitmap.LoadFromResourceName(user32, "NOSUCHBITMAP");
    ADD_FAILURE() << "loaded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Resource NOSUCHBITMAP not found");
  }
  EXPECT_EQ(bitmap.Width(), info.bmWidth);
}

TEST(Bitmap, HandlesAreOwnedOrBorrowedAsTheCallerSays) {
  // A borrowed top-down section: used in place, never deleted by the bitmap.
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, -2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(section, nullptr);
  static_cast<std::uint8_t*>(bits)[2] = 255;  // first row in memory, first pixel: red
  {
    TBitmap bitmap;
    bitmap.SetHandle(section, false);
    EXPECT_FALSE(bitmap.OwnsHandle());
    EXPECT_EQ(bitmap.Handle(), section);
    EXPECT_EQ(bitmap.ScanLine(0), bits);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clRed);
    TBitmap copy;
    LoadBytes(copy, SaveBytes(bitmap));  // written bottom-up
    EXPECT_EQ(copy.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(copy.Canvas()->Pixels(0, 1), clBlack);
  }
  EXPECT_EQ(GetObjectType(section), DWORD(OBJ_BITMAP));
  info.bmiHeader.biHeight = 2;  // bottom-up: the top row is the last in memory
  void* bottomUpBits = nullptr;
  HBITMAP bottomUp = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bottomUpBits, nullptr, 0);
  {
    TBitmap bitmap;
    bitmap.SetHandle(bottomUp, false);
    EXPECT_EQ(bitmap.ScanLine(0), static_cast<std::uint8_t*>(bottomUpBits) + 8);
  }
  DeleteObject(bottomUp);

  // Owned: deleted with the bitmap, unless released first.
  {
    TBitmap bitmap;
    bitmap.SetHandle(section);
    EXPECT_TRUE(bitmap.OwnsHandle());
    EXPECT_EQ(bitmap.ReleaseHandle(), section);
    EXPECT_TRUE(bitmap.Empty());
  }
  EXPECT_EQ(GetObjectType(section), DWORD(OBJ_BITMAP));
  {
    TBitmap bitmap;
    bitmap.SetHandle(section);
  }
  EXPECT_EQ(GetObjectType(section), 0u);

  // A device-dependent bitmap is copied into a section.
  HDC screen = GetDC(nullptr);
  HBITMAP device = CreateCompatibleBitmap(screen, 3, 3);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, device);
  HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
  const RECT all{0, 0, 3, 3};
  FillRect(dc, &all, green);
  DeleteObject(green);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  TBitmap adopted;
  adopted.SetHandle(device);
  EXPECT_NE(adopted.Handle(), device);
  EXPECT_EQ(GetObjectType(device), 0u);  // owned, so freed once copied
  EXPECT_EQ(adopted.Width(), 3);
  EXPECT_EQ(adopted.Canvas()->Pixels(1, 1), clGreen);
}

TEST(Bitmap, AssignAndCloneMakeIndependentCopies) {
  const RGBQUAD odd[2] = {{10, 20, 30, 0}, {200, 100, 50, 0}};
  TBitmap source;
  LoadBytes(source, BuildBmp({.width = 2, .height = 1, .bitCount = 1, .palette = std::vector<RGBQUAD>(odd, odd + 2),
                              .pixels = std::string("\x40\0\0\0", 4)}));
  source.SetTransparent(true);
  TBitmap copy;
  copy.Assign(source);
  EXPECT_EQ(copy.PixelFormat(), TPixelFormat::pf1bit);
  EXPECT_TRUE(copy.Transparent());
  EXPECT_EQ(copy.Canvas()->Pixels(0, 0), TColor(RGB(30, 20, 10)));
  EXPECT_EQ(copy.Canvas()->Pixels(1, 0), TColor(RGB(50, 100, 200)));
  EXPECT_NE(copy.Handle(), source.Handle());
  copy.Canvas()->SetPixels(1, 0, TColor(RGB(30, 20, 10)));
  EXPECT_EQ(source.Canvas()->Pixels(1, 0), TColor(RGB(50, 100, 200)));

  std::unique_ptr<TGraphic> clone = source.Clone();
  auto* bitmap = dynamic_cast<TBitmap*>(clone.get());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(SaveBytes(*bitmap), SaveBytes(source));
}

}  // namespace
