// Helpers of the cross-check corpus: netpbm pictures (PAM and the older maps) written as sources
// for the independent tools and read back from their output, a decoded picture seen as colours with
// alpha whatever way it keeps its transparency, and a Windows bitmap wrapped into an icon entry.
#pragma once

#include "image/PxImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cross_check {

// A picture as 0xAARRGGBB, top row first.
struct Argb {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// Picture number `index` of a stream of netpbm pictures (P4, P5, P6 or P7, as the tools write them
// one after another), samples brought to 8 bits rounding to nearest; width 0 when there is none.
Argb ParseNetpbmStream(const std::string& bytes, int index = 0);

// A PAM file (P7) of the given depth (1 gray, 2 gray and alpha, 3 colour, 4 colour and alpha).
std::string MakePam(int width, int height, int depth, std::uint32_t maximum, const std::vector<std::uint32_t>& samples);

// The decoded picture: alpha from its alpha channel, else from its palette's alpha, else 0 where
// its transparent index (palette pictures) or transparent colour (true colour) is, else 255.
Argb LibraryArgb(const PxImage& image);

// Largest difference of any channel; colours of pixels transparent in both don't count, nor any
// alpha when `withAlpha` is false. 256 when the sizes differ.
int LargestDifference(const Argb& a, const Argb& b, bool withAlpha);
// Where the pictures differ most, for the failure message: "(x, y): 0x... against 0x...".
std::string WorstPixel(const Argb& a, const Argb& b, bool withAlpha);

// An icon (or cursor) file of one entry made from a BMP file: its header, palette (cut to the
// entries the pixels use, so that it ends before the depth's full count) and pixels, the height
// doubled as icons store it, and an AND mask that hides every pixel for which `hidden(x, y)` holds
// (y counted from the top); true-colour pixels under the mask are made black, as icon writers leave them.
std::string IconFromBmp(const std::string& bmp, bool (*hidden)(int x, int y), bool cursor = false);

}  // namespace cross_check
