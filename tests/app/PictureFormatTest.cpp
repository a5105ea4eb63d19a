// The rules that turn file names into picture formats, and the rules that fit a picture into an area.
#include "tests/support/testing.h"

#include "app/PictureFit.h"
#include "app/PictureFormat.h"

namespace {

TEST(PictureFormat, ReadFormatComesFromThreeLettersAfterTheFirstDot) {
  struct Case {
    const char* path;
    PxImageFormat format;
  };
  const Case cases[] = {
      {"a.BMP", FMT_BMP},          {"x.gif", FMT_GIF},           {"x.jpg", FMT_JPG},
      {"x.png", FMT_PNG},          {"x.ico", FMT_ICO},           {"scan.tiff", FMT_TIF},
      {"x.tga", FMT_TGA},          {"x.pcx", FMT_PCX},           {"x.wmf", FMT_WMF},
      {"x.EMF", FMT_WMF},          {"logo.wbmp", FMT_UNKNOWN},   {"photo.jpeg", FMT_UNKNOWN},
      {"archive.tar.gz", FMT_UNKNOWN}, {"photo.png.bmp", FMT_PNG}, {"noextension", FMT_UNKNOWN},
      {"C:\\my.pics\\a.png", FMT_PNG}, {"C:\\my.pics\\readme", FMT_UNKNOWN}, {"x.pn", FMT_UNKNOWN},
      {"x.", FMT_UNKNOWN},         {"", FMT_UNKNOWN},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFromFileName(c.path), c.format) << c.path;
}

TEST(PictureFormat, SaveFormatComesFromTheWholeLastExtension) {
  struct Case {
    const char* path;
    PxImageFormat format;
  };
  const Case cases[] = {
      {"copy.png.bmp", FMT_BMP},   {"copy.jpg.bmp", FMT_BMP},    {"copy.bmp.png", FMT_PNG},
      {"C:\\a.b\\copy.JPG", FMT_JPG}, {"copy.pcx", FMT_PCX},     {"copy.tga", FMT_TGA},
      {"copy.tif", FMT_TIF},       {"copy.gif", FMT_GIF},        {"copy.ico", FMT_ICO},
      {"copy.tiffany", FMT_UNKNOWN}, {"copy.pngx", FMT_UNKNOWN}, {"copy.xyz", FMT_UNKNOWN},
      {"copy", FMT_UNKNOWN},       {"C:\\a.png\\copy", FMT_UNKNOWN}, {"copy.wmf", FMT_UNKNOWN},
      {"copy.emf", FMT_UNKNOWN},
  };
  for (const Case& c : cases) EXPECT_EQ(SaveFormatFromFileName(c.path), c.format) << c.path;
}

TEST(PictureFit, ViewerShrinksByEightNinthsTruncatingEachStep) {
  struct Case {
    int w0, h0;
    TPictureRect expected;
  };
  const Case cases[] = {
      {1024, 768, {31, 26, 638, 478}}, {640, 480, {30, 25, 640, 480}}, {700, 530, {0, 0, 700, 530}},
      {701, 530, {38, 29, 623, 471}},  {700, 531, {39, 29, 622, 472}}, {1, 1, {349, 264, 1, 1}},
      {0, 0, {350, 265, 0, 0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FitPicture(700, 530, c.w0, c.h0), c.expected) << c.w0 << " x " << c.h0;
}

TEST(PictureFit, PreviewKeepsFractionsUntilItDraws) {
  // Seven steps of 8/9 bring 640 x 480 to 280.6 x 210.5 in the dialogs' 287 x 231 preview; the
  // viewer's truncating steps would give 278 x 208 at (4, 11).
  EXPECT_EQ(FitPreview(287, 231, 640, 480), (TPictureRect{3, 10, 280, 210}));
  EXPECT_EQ(FitPicture(287, 231, 640, 480), (TPictureRect{4, 11, 278, 208}));
  EXPECT_EQ(FitPreview(287, 231, 100, 50), (TPictureRect{93, 90, 100, 50}));
  EXPECT_EQ(FitPreview(287, 231, 287, 231), (TPictureRect{0, 0, 287, 231}));
}

}  // namespace
