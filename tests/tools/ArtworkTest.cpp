// The pictures the build draws: each one must be a BMP that both an independent tool and Windows
// read at the size the program lays out, must show something, and the highlight bars must sit on
// the home background where the layout puts them.
#include "tests/support/testing.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <utility>

using namespace testing_support;

namespace {

struct Picture {
  const char* file;  // under the build folder
  int width, height;
};

const Picture kPictures[] = {
    {"app/art/HOME_BACKGROUND.bmp", 701, 529}, {"app/art/HILITE_PICTURES.bmp", 228, 40},
    {"app/art/HILITE_PLAYER.bmp", 184, 40},    {"app/art/HILITE_TV.bmp", 144, 40},
    {"app/art/HILITE_CD.bmp", 160, 40},        {"app/art/PAGE_BACKGROUND.bmp", 701, 529},
    {"app/art/LIST_BACKGROUND.bmp", 469, 463}, {"app/can.bmp", 700, 530},
};

std::string UnixPath(const char* file) { return std::string(TAVREL_BINARY_DIR) + "/" + file; }

std::u16string WindowsPath(const char* file) {
  const std::string path = UnixToWindowsPath(UnixPath(file));
  const int n = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
  std::u16string wide(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, reinterpret_cast<WCHAR*>(wide.data()), n);
  wide.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
  return wide;
}

uint32_t Le32(const std::string& bytes, size_t at) {
  uint32_t v;
  std::memcpy(&v, bytes.data() + at, 4);
  return v;
}
uint16_t Le16(const std::string& bytes, size_t at) {
  uint16_t v;
  std::memcpy(&v, bytes.data() + at, 2);
  return v;
}

struct Rgb {
  int r, g, b;
};

// A pixel of a 24-bit bottom-up BMP, counted from the top left as the picture is seen.
Rgb PixelAt(const std::string& bmp, int x, int y) {
  const int width = static_cast<int>(Le32(bmp, 18)), height = static_cast<int>(Le32(bmp, 22));
  const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  const size_t at = Le32(bmp, 10) + static_cast<size_t>(height - 1 - y) * rowBytes + static_cast<size_t>(x) * 3;
  const auto byte = [&](size_t i) { return static_cast<int>(static_cast<uint8_t>(bmp[i])); };
  return {byte(at + 2), byte(at + 1), byte(at)};
}

int Brightness(Rgb c) { return c.r + c.g + c.b; }

TEST(Artwork, EveryPictureIsA24BitBottomUpBmpOfItsSize) {
  for (const Picture& picture : kPictures) {
    SCOPED_TRACE(picture.file);
    const std::string bytes = ReadUnixFile(UnixPath(picture.file));
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(Le32(bytes, 2), bytes.size());
    EXPECT_EQ(Le32(bytes, 14), 40u);
    EXPECT_EQ(static_cast<int32_t>(Le32(bytes, 18)), picture.width);
    EXPECT_EQ(static_cast<int32_t>(Le32(bytes, 22)), picture.height);  // positive: bottom-up
    EXPECT_EQ(Le16(bytes, 28), 24);
    EXPECT_EQ(Le32(bytes, 30), 0u);  // not compressed

    const std::u16string path = WindowsPath(picture.file);
    HANDLE loaded = LoadImageW(nullptr, reinterpret_cast<const WCHAR*>(path.c_str()), IMAGE_BITMAP, 0, 0,
                               LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    ASSERT_NE(loaded, nullptr) << "Windows cannot load it";
    BITMAP info{};
    GetObjectW(loaded, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, picture.width);
    EXPECT_EQ(info.bmHeight, picture.height);
    DeleteObject(loaded);
  }
}

TEST(Artwork, AnIndependentToolReadsEveryPictureAndFindsItNotBlank) {
  if (!HasTool("identify")) GTEST_SKIP() << "ImageMagick's identify is not installed";
  for (const Picture& picture : kPictures) {
    SCOPED_TRACE(picture.file);
    std::istringstream answer(
        ToolOutput("identify -format '%w %h %[fx:standard_deviation]' '" + UnixPath(picture.file) + "' 2>&1"));
    int width = 0, height = 0;
    double deviation = 0;
    ASSERT_TRUE(answer >> width >> height >> deviation) << answer.str();
    EXPECT_EQ(width, picture.width);
    EXPECT_EQ(height, picture.height);
    // Dithering alone moves values by about one step in 255; a picture shows far more than that.
    EXPECT_GT(deviation, 0.01);
  }
}

TEST(Artwork, HighlightBarsGlowOverTheHomeBackgroundWhereTheyArePlaced) {
  // The layout the application places them by: left 60, tops 155, 235, 315, 395.
  const std::string home = ReadUnixFile(UnixPath("app/art/HOME_BACKGROUND.bmp"));
  ASSERT_GE(home.size(), 54u);
  for (int i = 0; i < 4; ++i) {
    const Picture& bar = kPictures[1 + i];
    SCOPED_TRACE(bar.file);
    const std::string bytes = ReadUnixFile(UnixPath(bar.file));
    ASSERT_GE(bytes.size(), 54u);
    const int left = 60, top = 155 + 80 * i;
    // The rounded ends leave the background showing, so a bar drawn at its place shows no seam.
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{bar.width - 1, 0}, std::pair{0, 39},
                               std::pair{bar.width - 1, 39}}) {
      EXPECT_NEAR(Brightness(PixelAt(bytes, x, y)), Brightness(PixelAt(home, left + x, top + y)), 12)
          << "corner " << x << "," << y;
    }
    // The middle of the bar stands out clearly from the dark background.
    const int middle = Brightness(PixelAt(bytes, bar.width / 4, 20));
    EXPECT_GT(middle, Brightness(PixelAt(home, left + bar.width / 4, top + 20)) + 150);
  }
}

}  // namespace
