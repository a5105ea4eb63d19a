// The cross-check corpus: files of the variants users meet, made at test time by independent tools
// (ImageMagick, netpbm, libtiff's and giflib's tools, icoutils, OpenJPEG's), each decoded by the
// library and by an independent decoder and compared pixel by pixel; then a picture of every depth
// each writer takes, written by the library and read back by an independent decoder.
// One row per variant: how the file is made, how it is decoded independently, and the tolerance
// (0 for lossless formats).
#include "tests/image/CodecTestTools.h"
#include "tests/image/CrossCheckTools.h"
#include "tests/image/ImageFixtures.h"

#include "image/PxImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

using cross_check::Argb;
using cross_check::IconFromBmp;
using cross_check::LargestDifference;
using cross_check::LibraryArgb;
using cross_check::MakePam;
using cross_check::ParseNetpbmStream;
using cross_check::WorstPixel;
using testing_support::HasTool;
using testing_support::ReadUnixFile;
using testing_support::TempDir;
using testing_support::ToolOutput;
using testing_support::WriteUnixFile;

constexpr int kWidth = 37;  // odd sizes: rows end inside bytes and need padding, tiles reach past the edge
constexpr int kHeight = 23;

// A colour without symmetry at (x, y), black on a diagonal grid so that black pixels are seen.
std::uint32_t SourceColour(int x, int y, int colours) {
  if ((x + y) % 9 == 0) return 0;
  if (colours == 0) {
    return (static_cast<std::uint32_t>(x * 255 / kWidth) << 16) | (static_cast<std::uint32_t>(y * 255 / kHeight) << 8) |
           static_cast<std::uint32_t>((x * y * 7) % 256);
  }
  const int c = (x * 7 + y * y * 3 + (x * y) % 5) % colours;
  return (static_cast<std::uint32_t>(c * 37 % 256) << 16) | (static_cast<std::uint32_t>(255 - c * 11 % 256) << 8) |
         static_cast<std::uint32_t>(c * 89 % 256 | 1);
}

// Hidden pixels of the pictures with a binary mask, and the partial alpha of the others.
bool Masked(int x, int y) { return (x * 3 + y) % 7 == 0; }
std::uint32_t PartialAlpha(int x, int y) { return x % 5 == 0 ? 0 : y % 4 == 0 ? 255 : static_cast<std::uint32_t>((x * 7 + y * 11) % 256); }

enum class Alpha { kNone, kMask, kPartial };

std::string SourcePam(int width, int height, int colours, Alpha alpha, bool gray = false) {
  std::vector<std::uint32_t> samples;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = SourceColour(x % kWidth, y % kHeight, colours);
      if (gray) {
        samples.push_back(((c >> 16) + ((c >> 8) & 0xFF) + (c & 0xFF)) / 3);
      } else {
        samples.insert(samples.end(), {c >> 16, (c >> 8) & 0xFF, c & 0xFF});
      }
      if (alpha == Alpha::kMask) samples.push_back(Masked(x, y) ? 0 : 255);
      if (alpha == Alpha::kPartial) samples.push_back(PartialAlpha(x, y));
    }
  }
  const int depth = (gray ? 1 : 3) + (alpha == Alpha::kNone ? 0 : 1);
  return MakePam(width, height, depth, 255, samples);
}

// The source pictures in {dir}: PPM and PGM for the tools that take only those, PAM with alpha.
void WriteSources(const TempDir& dir) {
  const auto write = [&](const char* name, const std::string& pam, const char* plain) {
    WriteUnixFile(dir.unixFile(name), pam);
    if (plain) testing_support::RunTool("pamtopnm " + dir.unixFile(name) + " > " + dir.unixFile(plain) + " 2>/dev/null");
  };
  write("rgb.pam", SourcePam(kWidth, kHeight, 0, Alpha::kNone), "rgb.ppm");
  write("few.pam", SourcePam(kWidth, kHeight, 200, Alpha::kNone), "few.ppm");
  write("twelve.pam", SourcePam(kWidth, kHeight, 12, Alpha::kNone), "twelve.ppm");
  write("two.pam", SourcePam(kWidth, kHeight, 2, Alpha::kNone), "two.ppm");
  write("gray.pam", SourcePam(kWidth, kHeight, 0, Alpha::kNone, true), "gray.pgm");
  write("rgba.pam", SourcePam(kWidth, kHeight, 0, Alpha::kPartial), nullptr);
  write("masked.pam", SourcePam(kWidth, kHeight, 12, Alpha::kMask), nullptr);
  write("fewmasked.pam", SourcePam(kWidth, kHeight, 200, Alpha::kMask), nullptr);
  write("twomasked.pam", SourcePam(kWidth, kHeight, 2, Alpha::kMask), nullptr);
  write("grayalpha.pam", SourcePam(kWidth, kHeight, 0, Alpha::kPartial, true), nullptr);
  write("big.pam", SourcePam(256, 256, 0, Alpha::kPartial), nullptr);
}

// Independent decoders: each prints netpbm pictures of {out} on standard output. With {frame} in
// the command it prints that picture only; without, all of them and the row's frame is picked.
constexpr const char* kMagick = "convert {out}[{frame}] -depth 8 pam:-";
constexpr const char* kMagickComposed = "convert {out} -coalesce -depth 8 pam:-";
constexpr const char* kLibtiff = "tiff2rgba -c none {out} {dir}/ref.tif && convert {dir}/ref.tif -depth 8 pam:-";
// ImageMagick 6 stores TGA rows top first under a bottom-up header and reads them back the same
// way; netpbm reads the header as written, as the library does.
constexpr const char* kTga = "tgatoppm {out}";
constexpr const char* kTgaAlpha = "tgatoppm -alphaout={dir}/a.pgm {out} > {dir}/c.ppm && pamstack {dir}/c.ppm {dir}/a.pgm";
constexpr const char* kPngAlpha = "pngtopam -alphapam {out}";
// What the library shows of PNG pictures whose transparency it composites: light gray behind.
constexpr const char* kPngMixed = "pngtopam -mix -background=rgb:c0/c0/c0 {out}";
constexpr const char* kOpenJpeg = "opj_decompress -i {out} -o {dir}/ref.pnm >/dev/null && cat {dir}/ref.pnm";

std::string WrapIcon(const std::string& bmp) { return IconFromBmp(bmp, Masked); }
std::string WrapCursor(const std::string& bmp) { return IconFromBmp(bmp, Masked, true); }

struct Variant {
  const char* name;
  const char* make;       // makes {out} from the sources in {dir}
  const char* ext;
  std::uint32_t id;
  const char* reference;  // an independent decoder (see above)
  int tolerance;          // largest difference of any channel
  bool withAlpha;         // transparency compared too
  int frames;             // frames or pages compared, from the first
  std::string (*finish)(const std::string&);  // turns the tool's file into the variant, when set
};

const Variant kVariants[] = {
    // Icons and cursors. icotool writes the AND mask from the PNG's alpha and picks the depth by the
    // colour count; the small palettes are ImageMagick's BMP files wrapped as icon entries.
    {"icon, 4-bit palette with AND mask", "pamtopng {dir}/masked.pam > {dir}/a.png && icotool -c -o {out} {dir}/a.png", "ico", FMT_ICO, kMagick, 0, true, 1, nullptr},
    {"icon, 8-bit palette with AND mask", "pamtopng {dir}/fewmasked.pam > {dir}/a.png && icotool -c -o {out} {dir}/a.png", "ico", FMT_ICO, kMagick, 0, true, 1, nullptr},
    {"icon, 1-bit with AND mask", "pamtopng {dir}/twomasked.pam > {dir}/a.png && icotool -c -o {out} {dir}/a.png", "ico", FMT_ICO, kMagick, 0, true, 1, nullptr},
    {"icon, 32-bit with alpha", "pamtopng {dir}/rgba.pam > {dir}/a.png && icotool -c -o {out} {dir}/a.png", "ico", FMT_ICO, kMagick, 0, true, 1, nullptr},
    {"icon, 8-bit with a 200-entry palette", "convert {dir}/few.ppm -type palette bmp3:{out}", "ico", FMT_ICO, kMagick, 0, true, 1, WrapIcon},
    {"icon, 12-entry palette", "convert {dir}/twelve.ppm -type palette bmp3:{out}", "ico", FMT_ICO, kMagick, 0, true, 1, WrapIcon},
    {"icon, 24-bit with visible black pixels", "convert {dir}/twelve.ppm -type truecolor bmp3:{out}", "ico", FMT_ICO, kMagick, 0, true, 1, WrapIcon},
    {"icon, 256 pixels as a BMP entry", "pamtopng {dir}/big.pam > {dir}/a.png && icotool -c -o {out} {dir}/a.png", "ico", FMT_ICO, kMagick, 0, true, 1, nullptr},
    {"icon, 256 pixels as a PNG entry", "pamtopng {dir}/big.pam > {dir}/a.png && icotool -c -r {dir}/a.png -o {out}", "ico", FMT_ICO, kMagick, 0, true, 1, nullptr},
    {"icon, small PNG entry", "pamtopng {dir}/rgba.pam > {dir}/a.png && icotool -c -r {dir}/a.png -o {out}", "ico", FMT_ICO, kMagick, 0, true, 1, nullptr},
    {"icon, two entries", "pamtopng {dir}/masked.pam > {dir}/a.png && pamtopng {dir}/rgba.pam > {dir}/b.png && icotool -c -o {out} {dir}/a.png {dir}/b.png", "ico", FMT_ICO, kMagick, 0, true, 2, nullptr},
    {"cursor, 4-bit palette with AND mask", "pamtopng {dir}/masked.pam > {dir}/a.png && icotool -c --cursor --hotspot-x=2 --hotspot-y=3 -o {out} {dir}/a.png", "cur", FMT_ICO, kMagick, 0, true, 1, nullptr},
    {"cursor, 32-bit with alpha", "pamtopng {dir}/rgba.pam > {dir}/a.png && icotool -c --cursor --hotspot-x=2 --hotspot-y=3 -o {out} {dir}/a.png", "cur", FMT_ICO, kMagick, 0, true, 1, nullptr},
    {"cursor, 200-entry palette", "convert {dir}/few.ppm -type palette bmp3:{out}", "cur", FMT_ICO, kMagick, 0, true, 1, WrapCursor},

    // BMP with the newer headers, as ImageMagick writes them by default, and the classic ones.
    {"BMP V5, 32-bit with alpha", "convert {dir}/rgba.pam bmp:{out}", "bmp", FMT_BMP, kMagick, 0, true, 1, nullptr},
    {"BMP V5, 24-bit", "convert {dir}/rgb.ppm bmp:{out}", "bmp", FMT_BMP, kMagick, 0, true, 1, nullptr},
    {"BMP V4, 24-bit", "convert {dir}/rgb.ppm -define bmp:format=bmp4 bmp:{out}", "bmp", FMT_BMP, kMagick, 0, true, 1, nullptr},
    {"BMP V4, 8-bit palette", "convert {dir}/few.ppm -type palette -define bmp:format=bmp4 bmp:{out}", "bmp", FMT_BMP, kMagick, 0, true, 1, nullptr},
    // Five- and six-bit samples are widened by a shift, as Windows does; ImageMagick repeats the top bits.
    {"BMP V5, 16-bit bit fields", "convert {dir}/rgb.ppm -define bmp:subtype=RGB565 bmp:{out}", "bmp", FMT_BMP, kMagick, 7, true, 1, nullptr},
    {"BMP 3, 8-bit run-length", "convert {dir}/few.ppm -type palette -compress RLE bmp3:{out}", "bmp", FMT_BMP, kMagick, 0, true, 1, nullptr},
    {"BMP 3, 1-bit (netpbm)", "ppmtobmp {dir}/two.ppm > {out}", "bmp", FMT_BMP, "bmptopnm {out}", 0, true, 1, nullptr},
    {"BMP OS/2 header", "ppmtobmp -os2 {dir}/few.ppm > {out}", "bmp", FMT_BMP, "bmptopnm {out}", 0, true, 1, nullptr},

    // Animated GIF: frames with their own colour tables, offsets, transparency and each disposal.
    {"GIF animation with local tables, optimised frames",
     "convert -delay 10 {dir}/rgb.ppm \\( {dir}/rgb.ppm -fill 'rgb(250,20,20)' -draw 'rectangle 5,5 15,12' \\) "
     "\\( {dir}/rgb.ppm -fill 'rgb(250,20,20)' -draw 'rectangle 5,5 15,12' -fill 'rgb(20,210,40)' -draw 'circle 25,12 30,16' \\) "
     "-layers OptimizeFrame {out}",
     "gif", FMT_GIF, kMagickComposed, 0, true, 3, nullptr},
    {"GIF frames at offsets, disposal none",
     "convert -dispose None -delay 5 {dir}/few.ppm \\( {dir}/masked.pam -resize 20x12! -repage 37x23+5+4 \\) "
     "\\( {dir}/twelve.ppm -resize 9x7! -repage 37x23+20+9 \\) \\( {dir}/two.ppm -resize 6x5! -repage 37x23+2+15 \\) {out}",
     "gif", FMT_GIF, kMagickComposed, 0, true, 4, nullptr},
    {"GIF frames at offsets, disposal to background",
     "convert -delay 5 {dir}/masked.pam -dispose Background \\( {dir}/few.ppm -resize 20x12! -repage 37x23+5+4 \\) "
     "\\( {dir}/twelve.ppm -resize 9x7! -repage 37x23+12+9 \\) \\( {dir}/two.ppm -resize 6x5! -repage 37x23+2+15 \\) {out}",
     "gif", FMT_GIF, kMagickComposed, 0, true, 4, nullptr},
    {"GIF frames at offsets, disposal to previous",
     "convert -delay 5 {dir}/few.ppm -dispose Previous \\( {dir}/masked.pam -resize 20x12! -repage 37x23+5+4 \\) "
     "\\( {dir}/twelve.ppm -resize 9x7! -repage 37x23+12+9 \\) \\( {dir}/two.ppm -resize 6x5! -repage 37x23+2+15 \\) {out}",
     "gif", FMT_GIF, kMagickComposed, 0, true, 4, nullptr},
    {"GIF, netpbm, interlaced", "pamtogif -interlace {dir}/twelve.ppm > {out}", "gif", FMT_GIF, "giftopnm {out}", 0, true, 1, nullptr},

    // PNG: deep samples, gray with alpha, tRNS. The library keeps alpha of 8-bit colour and 16-bit
    // gray pictures and composites the others' transparency over light gray.
    {"PNG, 16-bit colour", "pamdepth 65535 {dir}/rgb.pam | pamtopng > {out}", "png", FMT_PNG, "pngtopam {out}", 0, true, 1, nullptr},
    {"PNG, 16-bit gray", "pamdepth 65535 {dir}/gray.pam | pamtopng > {out}", "png", FMT_PNG, "pngtopam {out}", 0, true, 1, nullptr},
    {"PNG, colour with alpha", "pamtopng {dir}/rgba.pam > {out}", "png", FMT_PNG, kPngAlpha, 0, true, 1, nullptr},
    {"PNG, 16-bit colour with alpha", "pamdepth 65535 {dir}/rgba.pam | pamtopng > {out}", "png", FMT_PNG, kPngMixed, 1, false, 1, nullptr},
    {"PNG, gray with alpha", "pamtopng {dir}/grayalpha.pam > {out}", "png", FMT_PNG, kPngMixed, 1, true, 1, nullptr},
    {"PNG, 16-bit gray with alpha", "pamdepth 65535 {dir}/grayalpha.pam | pamtopng > {out}", "png", FMT_PNG, kPngAlpha, 0, true, 1, nullptr},
    {"PNG, palette with tRNS", "convert {dir}/masked.pam png8:{out}", "png", FMT_PNG, kPngAlpha, 0, true, 1, nullptr},
    {"PNG, gray with tRNS", "pnmtopng -transparent==rgb:00/00/00 {dir}/gray.pgm > {out}", "png", FMT_PNG, kPngMixed, 1, true, 1, nullptr},
    {"PNG, colour with tRNS", "pnmtopng -force -transparent==rgb:00/00/00 {dir}/rgb.ppm > {out}", "png", FMT_PNG, kPngMixed, 1, true, 1, nullptr},
    {"PNG, interlaced palette", "pnmtopng -interlace {dir}/few.ppm > {out}", "png", FMT_PNG, kPngAlpha, 0, true, 1, nullptr},

    // TIFF: every compression, tiles, planes, alpha, CMYK and CIELab, read back through libtiff's
    // RGBA reader by tiff2rgba.
    {"TIFF, uncompressed", "convert {dir}/rgb.ppm -compress none {out}", "tif", FMT_TIF, kLibtiff, 0, true, 1, nullptr},
    {"TIFF, LZW", "convert {dir}/rgb.ppm {dir}/b.tif && tiffcp -c lzw {dir}/b.tif {out}", "tif", FMT_TIF, kLibtiff, 0, true, 1, nullptr},
    {"TIFF, LZW with predictor", "convert {dir}/rgb.ppm {dir}/b.tif && tiffcp -c lzw:2 {dir}/b.tif {out}", "tif", FMT_TIF, kLibtiff, 0, true, 1, nullptr},
    {"TIFF, PackBits", "convert {dir}/rgb.ppm {dir}/b.tif && tiffcp -c packbits {dir}/b.tif {out}", "tif", FMT_TIF, kLibtiff, 0, true, 1, nullptr},
    {"TIFF, Deflate", "convert {dir}/rgb.ppm {dir}/b.tif && tiffcp -c zip {dir}/b.tif {out}", "tif", FMT_TIF, kLibtiff, 0, true, 1, nullptr},
    {"TIFF, JPEG", "convert {dir}/rgb.ppm {dir}/b.tif && tiffcp -c jpeg {dir}/b.tif {out}", "tif", FMT_TIF, kLibtiff, 3, true, 1, nullptr},
    {"TIFF, CCITT Group 3", "convert {dir}/two.ppm -monochrome -depth 1 {dir}/b.tif && tiffcp -c g3 {dir}/b.tif {out}", "tif", FMT_TIF, kLibtiff, 0, true, 1, nullptr},
    {"TIFF, CCITT Group 4", "convert {dir}/two.ppm -monochrome -depth 1 {dir}/b.tif && tiffcp -c g4 {dir}/b.tif {out}", "tif", FMT_TIF, kLibtiff, 0, true, 1, nullptr},
    {"TIFF, uncompressed 16 x 16 tiles", "convert {dir}/rgb.ppm {dir}/b.tif && tiffcp -c none -t -w 16 -l 16 {dir}/b.tif {out}", "tif", FMT_TIF, kLibtiff, 0, true, 1, nullptr},
    {"TIFF, uncompressed gray tiles", "convert {dir}/gray.pgm {dir}/b.tif && tiffcp -c none -t -w 16 -l 16 {dir}/b.tif {out}", "tif", FMT_TIF, kLibtiff, 0, true, 1, nullptr},
    {"TIFF, LZW tiles", "convert {dir}/rgb.ppm {dir}/b.tif && tiffcp -c lzw -t -w 16 -l 16 {dir}/b.tif {out}", "tif", FMT_TIF, kLibtiff, 0, true, 1, nullptr},
    {"TIFF, separate planes", "convert {dir}/rgb.ppm {dir}/b.tif && tiffcp -p separate {dir}/b.tif {out}", "tif", FMT_TIF, kLibtiff, 0, true, 1, nullptr},
    {"TIFF, 16-bit colour", "convert {dir}/rgb.ppm -depth 16 {out}", "tif", FMT_TIF, kLibtiff, 1, true, 1, nullptr},
    {"TIFF, palette 8-bit", "convert {dir}/few.ppm -type palette {out}", "tif", FMT_TIF, kLibtiff, 0, true, 1, nullptr},
    {"TIFF, gray 4-bit", "convert {dir}/gray.pgm -depth 4 {out}", "tif", FMT_TIF, kLibtiff, 0, true, 1, nullptr},
    {"TIFF, colour with unassociated alpha", "pamtotiff {dir}/rgba.pam > {out}", "tif", FMT_TIF, kLibtiff, 1, true, 1, nullptr},
    {"TIFF, colour with associated alpha", "convert {dir}/rgba.pam -define tiff:alpha=associated {out}", "tif", FMT_TIF, kLibtiff, 2, true, 1, nullptr},
    {"TIFF, gray with alpha", "pamtotiff {dir}/grayalpha.pam > {out}", "tif", FMT_TIF, kLibtiff, 1, true, 1, nullptr},
    {"TIFF, CMYK", "convert {dir}/rgb.ppm -colorspace CMYK {out}", "tif", FMT_TIF, kLibtiff, 1, false, 1, nullptr},
    // libtiff's own CIELab conversion clips dark tones (0x1B1638 comes out 0x00003C): ImageMagick
    // converts this one. It reads the stored a and b half a step off, which moves a channel by up to
    // 30 levels near the gamut's edge and by 10 inside it: the colours stay inside.
    {"TIFF, CIELab", "convert {dir}/rgb.ppm +level 20%,80% -colorspace Lab {out}", "tif", FMT_TIF, "convert {out} -colorspace sRGB -depth 8 pam:-", 12, false, 1, nullptr},

    // JPEG, read back by netpbm's jpegtopnm.
    {"JPEG, baseline 4:2:0", "convert {dir}/rgb.ppm -quality 85 {out}", "jpg", FMT_JPG, "jpegtopnm {out}", 2, true, 1, nullptr},
    {"JPEG, 4:4:4", "convert {dir}/rgb.ppm -sampling-factor 1x1 {out}", "jpg", FMT_JPG, "jpegtopnm {out}", 2, true, 1, nullptr},
    {"JPEG, progressive", "convert {dir}/rgb.ppm -interlace Plane {out}", "jpg", FMT_JPG, "jpegtopnm {out}", 2, true, 1, nullptr},
    {"JPEG, gray", "convert {dir}/gray.pgm {out}", "jpg", FMT_JPG, "jpegtopnm {out}", 1, true, 1, nullptr},
    {"JPEG, CMYK", "convert {dir}/rgb.ppm -colorspace CMYK -quality 95 {out}", "jpg", FMT_JPG, "jpegtopnm {out}", 3, false, 1, nullptr},
    {"JPEG, CMYK progressive", "convert {dir}/rgb.ppm -colorspace CMYK -interlace Plane {out}", "jpg", FMT_JPG, "jpegtopnm {out}", 3, false, 1, nullptr},

    // PNM of maximum values other than 255 and 65535, scaled to 8 bits by pamdepth.
    {"PNM, colour of maximum 1000", "pamdepth 1000 {dir}/rgb.ppm > {out}", "ppm", FMT_PNM, "pamdepth 255 {out}", 0, true, 1, nullptr},
    {"PNM, colour of maximum 100", "pamdepth 100 {dir}/rgb.ppm > {out}", "ppm", FMT_PNM, "pamdepth 255 {out}", 0, true, 1, nullptr},
    {"PNM, gray of maximum 7", "pamdepth 7 {dir}/gray.pgm > {out}", "pgm", FMT_PNM, "pamdepth 255 {out}", 0, true, 1, nullptr},
    {"PNM, gray of maximum 4095", "pamdepth 4095 {dir}/gray.pgm > {out}", "pgm", FMT_PNM, "pamdepth 255 {out}", 0, true, 1, nullptr},
    {"PNM, plain colour of maximum 300", "pamdepth 300 {dir}/rgb.ppm | pnmtoplainpnm > {out}", "ppm", FMT_PNM, "pamdepth 255 {out}", 0, true, 1, nullptr},

    // TGA of every depth (16-bit samples widened by a shift, as for BMP).
    {"TGA, 8-bit gray", "convert {dir}/gray.pgm -type grayscale tga:{out}", "tga", FMT_TGA, kTga, 0, true, 1, nullptr},
    {"TGA, 8-bit gray run-length", "convert {dir}/gray.pgm -type grayscale -compress RLE tga:{out}", "tga", FMT_TGA, kTga, 0, true, 1, nullptr},
    {"TGA, 8-bit colour map", "convert {dir}/few.ppm -type palette tga:{out}", "tga", FMT_TGA, kTga, 0, true, 1, nullptr},
    {"TGA, 8-bit colour map run-length (netpbm)", "pamtotga -cmap {dir}/few.ppm > {out}", "tga", FMT_TGA, kTga, 0, true, 1, nullptr},
    {"TGA, 16-bit", "convert {dir}/rgb.ppm -depth 5 tga:{out}", "tga", FMT_TGA, kTga, 7, true, 1, nullptr},
    {"TGA, 24-bit", "convert {dir}/rgb.ppm tga:{out}", "tga", FMT_TGA, kTga, 0, true, 1, nullptr},
    {"TGA, 24-bit run-length, top-down", "convert {dir}/rgb.ppm -compress RLE -orient TopLeft tga:{out}", "tga", FMT_TGA, kTga, 0, true, 1, nullptr},
    {"TGA, 32-bit with alpha", "convert {dir}/rgba.pam tga:{out}", "tga", FMT_TGA, kTgaAlpha, 0, true, 1, nullptr},
    {"TGA, 32-bit run-length", "convert {dir}/rgba.pam -compress RLE tga:{out}", "tga", FMT_TGA, kTgaAlpha, 0, true, 1, nullptr},

    // PCX of every depth, read back by netpbm's pcxtoppm.
    {"PCX, 1 plane of 1 bit", "ppmtopcx {dir}/two.ppm > {out}", "pcx", FMT_PCX, "pcxtoppm {out}", 0, true, 1, nullptr},
    {"PCX, 2 planes", "pnmquant 4 {dir}/twelve.ppm 2>/dev/null | ppmtopcx > {out}", "pcx", FMT_PCX, "pcxtoppm {out}", 0, true, 1, nullptr},
    {"PCX, 3 planes", "pnmquant 8 {dir}/twelve.ppm 2>/dev/null | ppmtopcx > {out}", "pcx", FMT_PCX, "pcxtoppm {out}", 0, true, 1, nullptr},
    {"PCX, 4 planes", "ppmtopcx {dir}/twelve.ppm > {out}", "pcx", FMT_PCX, "pcxtoppm {out}", 0, true, 1, nullptr},
    {"PCX, packed 2-bit", "pnmquant 4 {dir}/twelve.ppm 2>/dev/null | ppmtopcx -packed > {out}", "pcx", FMT_PCX, "pcxtoppm {out}", 0, true, 1, nullptr},
    {"PCX, packed 4-bit", "ppmtopcx -packed {dir}/twelve.ppm > {out}", "pcx", FMT_PCX, "pcxtoppm {out}", 0, true, 1, nullptr},
    {"PCX, 8-bit palette", "ppmtopcx {dir}/few.ppm > {out}", "pcx", FMT_PCX, "pcxtoppm {out}", 0, true, 1, nullptr},
    {"PCX, 24-bit", "ppmtopcx -24bit {dir}/rgb.ppm > {out}", "pcx", FMT_PCX, "pcxtoppm {out}", 0, true, 1, nullptr},
    {"PCX, 32-bit with alpha", "convert {dir}/rgba.pam pcx:{out}", "pcx", FMT_PCX, kMagick, 0, true, 1, nullptr},

    // The JPEG-2000 family and the other simple formats.
    {"JPEG-2000 JP2, colour", "opj_compress -n 3 -i {dir}/rgb.ppm -o {out} >/dev/null", "jp2", FMT_JP2, kOpenJpeg, 0, true, 1, nullptr},
    {"JPEG-2000 code stream, gray", "opj_compress -n 3 -i {dir}/gray.pgm -o {out} >/dev/null", "j2k", FMT_JPC, kOpenJpeg, 0, true, 1, nullptr},
    {"PGX from OpenJPEG", "opj_compress -n 3 -i {dir}/gray.pgm -o {dir}/g.j2k >/dev/null && opj_decompress -i {dir}/g.j2k -o {dir}/g.pgx >/dev/null && mv {dir}/g_0.pgx {out}",
     "pgx", FMT_PGX, "cat {dir}/gray.pgm", 0, true, 1, nullptr},
    {"Sun raster, 8-bit colour map", "pnmtorast {dir}/few.ppm > {out}", "ras", FMT_RAS, "rasttopnm {out}", 0, true, 1, nullptr},
    {"WBMP", "pamthreshold {dir}/gray.pgm | pamtopnm | pbmtowbmp > {out}", "wbmp", FMT_WBMP, "wbmptopbm {out}", 0, true, 1, nullptr},
};

// The netpbm picture an independent decoder prints for frame `frame` of the file.
Argb Reference(const char* reference, const TempDir& dir, const std::string& out, int frame) {
  const std::string command = reference;
  const bool chooses = command.find("{frame}") != std::string::npos;
  const std::string filled = codec_test::FillCommand(
      command, {{"out", codec_test::Shell(out)}, {"dir", dir.unixPath()}, {"frame", std::to_string(frame)}});
  return ParseNetpbmStream(ToolOutput("(" + filled + ") 2>/dev/null"), chooses ? 0 : frame);
}

// --- What the library writes ---------------------------------------------------------------------

struct Written {
  const char* name;
  std::uint32_t id;
  std::uint32_t bpp;
  Alpha alpha;              // none, or an alpha channel with a binary or a partial pattern
  std::uint32_t option;     // the codec option the picture is written with
  const char* ext;
  const char* reference;    // an independent decoder (see above)
  bool lossy;               // compared with the library's own decode of the file, not with the picture
  int tolerance;
};

// TIFF compression numbers, as the codec option takes them.
constexpr std::uint32_t kTiffNone = 1;
constexpr std::uint32_t kTiffLzw = 5;
constexpr std::uint32_t kTiffDeflate = 8;
constexpr std::uint32_t kTiffPackBits = 32773;

const Written kWritten[] = {
    {"BMP 1-bit", FMT_BMP, 1, Alpha::kNone, 0, "bmp", "bmptopnm {out}", false, 0},
    {"BMP 4-bit", FMT_BMP, 4, Alpha::kNone, 0, "bmp", "bmptopnm {out}", false, 0},
    {"BMP 8-bit", FMT_BMP, 8, Alpha::kNone, 0, "bmp", "bmptopnm {out}", false, 0},
    {"BMP 24-bit", FMT_BMP, 24, Alpha::kNone, 0, "bmp", "bmptopnm {out}", false, 0},
    {"GIF 8-bit", FMT_GIF, 8, Alpha::kNone, 0, "gif", "giftopnm {out}", false, 0},
    {"GIF 4-bit", FMT_GIF, 4, Alpha::kNone, 0, "gif", "giftopnm {out}", false, 0},
    {"GIF 1-bit", FMT_GIF, 1, Alpha::kNone, 0, "gif", "giftopnm {out}", false, 0},
    {"JPEG colour", FMT_JPG, 24, Alpha::kNone, 0, "jpg", "jpegtopnm {out}", true, 2},
    {"PNG 1-bit", FMT_PNG, 1, Alpha::kNone, 0, "png", kPngAlpha, false, 0},
    {"PNG 4-bit", FMT_PNG, 4, Alpha::kNone, 0, "png", kPngAlpha, false, 0},
    {"PNG 8-bit", FMT_PNG, 8, Alpha::kNone, 0, "png", kPngAlpha, false, 0},
    {"PNG 24-bit", FMT_PNG, 24, Alpha::kNone, 0, "png", kPngAlpha, false, 0},
    {"PNG 24-bit with alpha", FMT_PNG, 24, Alpha::kPartial, 0, "png", kPngAlpha, false, 0},
    {"PNG interlaced", FMT_PNG, 24, Alpha::kNone, 1, "png", kPngAlpha, false, 0},
    {"icon 4-bit", FMT_ICO, 4, Alpha::kNone, 0, "ico", kMagick, false, 0},
    {"icon 8-bit", FMT_ICO, 8, Alpha::kNone, 0, "ico", kMagick, false, 0},
    {"icon 24-bit", FMT_ICO, 24, Alpha::kNone, 0, "ico", kMagick, false, 0},
    {"icon 24-bit with a mask", FMT_ICO, 24, Alpha::kMask, 0, "ico", kMagick, false, 0},
    {"icon 24-bit with alpha", FMT_ICO, 24, Alpha::kPartial, 0, "ico", kMagick, false, 0},
    {"TIFF 1-bit", FMT_TIF, 1, Alpha::kNone, 0, "tif", kLibtiff, false, 0},
    {"TIFF 4-bit", FMT_TIF, 4, Alpha::kNone, 0, "tif", kLibtiff, false, 0},
    {"TIFF 8-bit", FMT_TIF, 8, Alpha::kNone, 0, "tif", kLibtiff, false, 0},
    {"TIFF 24-bit", FMT_TIF, 24, Alpha::kNone, 0, "tif", kLibtiff, true, 3},
    {"TIFF 24-bit uncompressed", FMT_TIF, 24, Alpha::kNone, kTiffNone, "tif", kLibtiff, false, 0},
    {"TIFF 24-bit LZW", FMT_TIF, 24, Alpha::kNone, kTiffLzw, "tif", kLibtiff, false, 0},
    {"TIFF 24-bit Deflate", FMT_TIF, 24, Alpha::kNone, kTiffDeflate, "tif", kLibtiff, false, 0},
    {"TIFF 24-bit PackBits", FMT_TIF, 24, Alpha::kNone, kTiffPackBits, "tif", kLibtiff, false, 0},
    // Alpha is kept exactly whatever the compression chosen for the colours. libtiff's RGBA reader
    // premultiplies, which loses the colour of nearly transparent pixels: ImageMagick reads these.
    {"TIFF 24-bit with alpha", FMT_TIF, 24, Alpha::kPartial, 0, "tif", kMagick, false, 0},
    {"TIFF 24-bit with alpha, LZW", FMT_TIF, 24, Alpha::kPartial, kTiffLzw, "tif", kMagick, false, 0},
    {"TGA 8-bit", FMT_TGA, 8, Alpha::kNone, 0, "tga", kTga, false, 0},
    {"TGA 24-bit", FMT_TGA, 24, Alpha::kNone, 0, "tga", kTga, false, 0},
    {"TGA 24-bit with alpha", FMT_TGA, 24, Alpha::kPartial, 0, "tga", kTgaAlpha, false, 0},
    {"PCX 1-bit", FMT_PCX, 1, Alpha::kNone, 0, "pcx", "pcxtoppm {out}", false, 0},
    {"PCX 4-bit", FMT_PCX, 4, Alpha::kNone, 0, "pcx", "pcxtoppm {out}", false, 0},
    {"PCX 8-bit", FMT_PCX, 8, Alpha::kNone, 0, "pcx", "pcxtoppm {out}", false, 0},
    {"PCX 24-bit", FMT_PCX, 24, Alpha::kNone, 0, "pcx", "pcxtoppm {out}", false, 0},
    {"WBMP", FMT_WBMP, 1, Alpha::kNone, 0, "wbmp", "wbmptopbm {out}", false, 0},
    {"JPEG-2000 JP2", FMT_JP2, 24, Alpha::kNone, 0, "jp2", kOpenJpeg, true, 1},
    {"JPEG-2000 code stream", FMT_JPC, 24, Alpha::kNone, 0, "j2k", kOpenJpeg, true, 1},
    {"PNM colour", FMT_PNM, 24, Alpha::kNone, 0, "ppm", "pamdepth 255 {out}", false, 0},
    {"Sun raster 8-bit", FMT_RAS, 8, Alpha::kNone, 0, "ras", "rasttopnm {out}", false, 0},
    {"Sun raster 24-bit", FMT_RAS, 24, Alpha::kNone, 0, "ras", "rasttopnm {out}", false, 0},
};

// The picture a writer is given: the fixtures' pattern, black and white at one bit (what every
// one-bit reader shows), with an alpha channel when asked.
void WrittenPicture(PxImage& image, const Written& w) {
  image_test::MakePattern(image, kWidth, kHeight, w.bpp);
  if (w.bpp == 1) {
    image.SetPaletteEntry(0, 0, 0, 0, 0);
    image.SetPaletteEntry(1, 255, 255, 255, 0);
  }
  if (w.alpha == Alpha::kNone || !image.AlphaCreate()) return;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const std::uint32_t a = w.alpha == Alpha::kMask ? (Masked(x, y) ? 0 : 255) : PartialAlpha(x, y);
      image.AlphaSet(x, kHeight - 1 - y, static_cast<std::uint8_t>(a));
    }
  }
}

}  // namespace

TEST(CrossCheck, FilesOfIndependentToolsDecodeAsTheToolsDecodeThem) {
  for (const char* tool : {"convert", "icotool", "tiffcp", "tiff2rgba", "pamtopng", "opj_compress", "pamstack"}) {
    if (!HasTool(tool)) GTEST_SKIP() << tool << " is not installed (scripts/setup installs it)";
  }
  TempDir dir;
  WriteSources(dir);
  for (const Variant& v : kVariants) {
    SCOPED_TRACE(v.name);
    const std::string name = std::string("out.") + v.ext;
    const std::string out = dir.unixFile(name);
    testing_support::RunTool("rm -f " + codec_test::Shell(out));  // no earlier row's file is taken for this one's
    const ::testing::AssertionResult made = codec_test::MakeWithTool(v.make, "", out, dir);
    if (!made) {
      ADD_FAILURE() << made.message();
      continue;
    }
    if (v.finish) WriteUnixFile(out, v.finish(ReadUnixFile(out)));
    for (int frame = 0; frame < v.frames; ++frame) {
      SCOPED_TRACE("frame " + std::to_string(frame));
      const Argb reference = Reference(v.reference, dir, out, frame);
      if (reference.width == 0) {
        ADD_FAILURE() << "the independent decoder failed: " << v.reference;
        continue;
      }
      PxImage image;
      image.SelectFrame(frame);
      if (!image.LoadFile(dir.windowsFile(name).c_str(), v.id)) {
        ADD_FAILURE() << "refused: " << image.LastError();
        continue;
      }
      const Argb ours = LibraryArgb(image);
      EXPECT_EQ(ours.width, reference.width);
      EXPECT_EQ(ours.height, reference.height);
      EXPECT_LE(LargestDifference(ours, reference, v.withAlpha), v.tolerance)
          << "ours against the tool's, top row first, worst at " << WorstPixel(ours, reference, v.withAlpha);
    }
  }
}

TEST(CrossCheck, WhatTheLibraryWritesIndependentToolsRead) {
  for (const char* tool : {"convert", "tiff2rgba", "pngtopam", "opj_decompress", "wbmptopbm", "pamstack"}) {
    if (!HasTool(tool)) GTEST_SKIP() << tool << " is not installed (scripts/setup installs it)";
  }
  TempDir dir;
  for (const Written& w : kWritten) {
    SCOPED_TRACE(w.name);
    PxImage picture;
    WrittenPicture(picture, w);
    ASSERT_TRUE(picture.SetCodecOption(w.option, w.id));
    const std::string name = std::string("w.") + w.ext;
    if (!picture.SaveFile(dir.windowsFile(name).c_str(), w.id)) {
      ADD_FAILURE() << "not written: " << picture.LastError();
      continue;
    }
    const Argb reference = Reference(w.reference, dir, dir.unixFile(name), 0);
    if (reference.width == 0) {
      ADD_FAILURE() << "the independent decoder failed: " << w.reference;
      continue;
    }
    Argb expected = LibraryArgb(picture);
    if (w.lossy) {
      PxImage decoded;
      ASSERT_TRUE(decoded.LoadFile(dir.windowsFile(name).c_str(), w.id)) << decoded.LastError();
      expected = LibraryArgb(decoded);
    }
    EXPECT_LE(LargestDifference(expected, reference, true), w.tolerance)
        << "ours against the tool's, top row first, worst at " << WorstPixel(expected, reference, true);
  }
}
