// What the card's video frames carry in a form a program can read back from a picture of them,
// however scaled: a strip across the top of the frame with the tuned channel as 16 black or white
// blocks (signed, most significant bit first, white = 1) followed by a block in the colour of the
// input the crossbar routes to the video decoder.
#pragma once

#include <windows.h>

#include <optional>

namespace tvcard {

inline constexpr int kFrameWidth = 640;
inline constexpr int kFrameHeight = 480;
inline constexpr int kStripHeight = 48;
inline constexpr int kStripBits = 16;
inline constexpr int kStripBitWidth = 32;  // the colour block takes the rest of the row

// The inputs' physical connector types (PhysConn_Video_Tuner, _Composite, _SVideo) and colours.
struct TInputColour {
  long Type;
  COLORREF Colour;
};
inline constexpr TInputColour kInputColours[] = {
    {1, RGB(255, 0, 0)}, {2, RGB(0, 255, 0)}, {3, RGB(0, 0, 255)}};

struct TStripReading {
  int Channel;
  long InputType;
};

// Reads the strip through Pixel(x, y), the colour at a point given in frame coordinates (the caller
// scales them to its picture). Each block is read at its centre; nothing when the colour block is
// not one of the inputs' colours, that is when no frame of the card is there.
template <class PixelAt>
std::optional<TStripReading> ReadStrip(PixelAt Pixel) {
  const auto level = [](COLORREF c, int shift) { return (c >> shift) & 0xFF; };
  const int y = kStripHeight / 2;
  const COLORREF mark = Pixel((kStripBits * kStripBitWidth + kFrameWidth) / 2, y);
  std::optional<TStripReading> reading;
  for (const TInputColour& input : kInputColours) {
    bool matches = true;
    for (int shift = 0; shift < 24; shift += 8) {
      const int want = static_cast<int>(level(input.Colour, shift)), got = static_cast<int>(level(mark, shift));
      matches = matches && (want > got ? want - got : got - want) < 64;
    }
    if (matches) reading = TStripReading{0, input.Type};
  }
  if (!reading) return reading;
  unsigned bits = 0;
  for (int bit = 0; bit < kStripBits; ++bit) {
    const COLORREF c = Pixel(bit * kStripBitWidth + kStripBitWidth / 2, y);
    bits = bits << 1 | (level(c, 0) + level(c, 8) + level(c, 16) > 3 * 128 ? 1u : 0u);
  }
  reading->Channel = static_cast<short>(bits);
  return reading;
}

}  // namespace tvcard
