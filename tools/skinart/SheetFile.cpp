#include "tools/skinart/SheetFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace skinart {

namespace {

void PutLe(std::vector<char>& bytes, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

char Byte(float value) { return static_cast<char>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f)); }

}  // namespace

void SaveSheet(const artwork::Canvas& sheet, const std::string& path) {
  const uint32_t width = static_cast<uint32_t>(sheet.Width()), height = static_cast<uint32_t>(sheet.Height());
  const uint32_t rowBytes = (width * 3 + 3) & ~3u;  // rows end on 4 bytes
  const uint32_t bitsOffset = 14 + 40;
  std::vector<char> bytes;
  bytes.reserve(bitsOffset + rowBytes * height);
  // BITMAPFILEHEADER, then BITMAPINFOHEADER: no compression, bottom-up rows, 72 dots per inch.
  bytes.push_back('B');
  bytes.push_back('M');
  PutLe(bytes, bitsOffset + rowBytes * height, 4);
  PutLe(bytes, 0, 4);
  PutLe(bytes, bitsOffset, 4);
  PutLe(bytes, 40, 4);
  PutLe(bytes, width, 4);
  PutLe(bytes, height, 4);
  PutLe(bytes, 1, 2);
  PutLe(bytes, 24, 2);
  PutLe(bytes, 0, 4);
  PutLe(bytes, rowBytes * height, 4);
  PutLe(bytes, 2835, 4);
  PutLe(bytes, 2835, 4);
  PutLe(bytes, 0, 4);
  PutLe(bytes, 0, 4);
  for (int y = sheet.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < sheet.Width(); ++x) {
      const artwork::Rgb& c = sheet.At(x, y);
      bytes.push_back(Byte(c.b));
      bytes.push_back(Byte(c.g));
      bytes.push_back(Byte(c.r));
    }
    for (uint32_t pad = width * 3; pad < rowBytes; ++pad) bytes.push_back(0);
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace skinart
