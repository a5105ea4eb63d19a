#include "tests/image/CrossCheckTools.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace cross_check {

namespace {

// Reads netpbm header fields one by one: numbers, or the words of a PAM header.
class HeaderReader {
public:
  HeaderReader(const std::string& bytes, std::size_t pos) : FBytes(bytes), FPos(pos) {}

  std::string Word() {
    SkipBlanksAndRemarks();
    const std::size_t start = FPos;
    while (FPos < FBytes.size() && !std::isspace(static_cast<unsigned char>(FBytes[FPos]))) ++FPos;
    return FBytes.substr(start, FPos - start);
  }
  std::uint32_t Number() { return static_cast<std::uint32_t>(std::strtoul(Word().c_str(), nullptr, 10)); }
  // The data start after the single blank that ends the header.
  std::size_t DataStart() const { return FPos + 1; }

private:
  void SkipBlanksAndRemarks() {
    for (;;) {
      while (FPos < FBytes.size() && std::isspace(static_cast<unsigned char>(FBytes[FPos]))) ++FPos;
      if (FPos >= FBytes.size() || FBytes[FPos] != '#') return;
      while (FPos < FBytes.size() && FBytes[FPos] != '\n') ++FPos;
    }
  }

  const std::string& FBytes;
  std::size_t FPos;
};

std::uint32_t EightBit(std::uint32_t sample, std::uint32_t maximum) {
  return std::min<std::uint32_t>(255, (sample * 255 + maximum / 2) / maximum);
}

int ChannelDifference(std::uint32_t a, std::uint32_t b, int shift) {
  return std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
}

void Put16(std::string& bytes, std::uint32_t v) {
  bytes += static_cast<char>(v & 0xFF);
  bytes += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& bytes, std::uint32_t v) {
  Put16(bytes, v & 0xFFFF);
  Put16(bytes, v >> 16);
}

std::uint32_t Get32(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
  return v;
}

}  // namespace

Argb ParseNetpbmStream(const std::string& bytes, int index) {
  std::size_t pos = 0;
  for (int picture = 0;; ++picture) {
    if (pos + 2 > bytes.size() || bytes[pos] != 'P') return {};
    const char kind = bytes[pos + 1];
    HeaderReader header(bytes, pos + 2);
    std::uint32_t width = 0, height = 0, depth = 0, maximum = 1;
    if (kind == '7') {
      for (std::string word = header.Word(); word != "ENDHDR"; word = header.Word()) {
        if (word.empty()) return {};
        if (word == "WIDTH") width = header.Number();
        else if (word == "HEIGHT") height = header.Number();
        else if (word == "DEPTH") depth = header.Number();
        else if (word == "MAXVAL") maximum = header.Number();
        else if (word == "TUPLTYPE") header.Word();
      }
    } else if (kind >= '4' && kind <= '6') {
      width = header.Number();
      height = header.Number();
      if (kind != '4') maximum = header.Number();
      depth = kind == '6' ? 3 : 1;
    } else {
      return {};
    }
    if (width == 0 || height == 0 || depth == 0 || depth > 4 || maximum == 0 || maximum > 65535) return {};
    pos = header.DataStart();
    const std::size_t sampleBytes = maximum > 255 ? 2 : 1;
    const std::size_t size = kind == '4' ? (width + 7) / 8 * height
                                         : static_cast<std::size_t>(width) * height * depth * sampleBytes;
    if (pos + size > bytes.size()) return {};
    if (picture < index) {
      pos += size;
      continue;
    }
    Argb result{static_cast<int>(width), static_cast<int>(height), {}};
    for (std::uint32_t y = 0; y < height; ++y) {
      for (std::uint32_t x = 0; x < width; ++x) {
        if (kind == '4') {
          const auto byte = static_cast<std::uint8_t>(bytes[pos + y * ((width + 7) / 8) + x / 8]);
          result.pixels.push_back((byte >> (7 - x % 8)) & 1 ? 0xFF000000u : 0xFFFFFFFFu);
          continue;
        }
        std::uint32_t s[4] = {};
        for (std::uint32_t c = 0; c < depth; ++c) {
          const std::size_t at = pos + ((static_cast<std::size_t>(y) * width + x) * depth + c) * sampleBytes;
          const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
          s[c] = EightBit(sampleBytes == 2 ? (p[0] << 8) | p[1] : p[0], maximum);
        }
        const bool colour = depth >= 3;
        const std::uint32_t a = depth == 2 || depth == 4 ? s[depth - 1] : 255;
        const std::uint32_t r = s[0], g = colour ? s[1] : s[0], b = colour ? s[2] : s[0];
        result.pixels.push_back((a << 24) | (r << 16) | (g << 8) | b);
      }
    }
    return result;
  }
}

std::string MakePam(int width, int height, int depth, std::uint32_t maximum, const std::vector<std::uint32_t>& samples) {
  static const char* const kTypes[] = {"GRAYSCALE", "GRAYSCALE_ALPHA", "RGB", "RGB_ALPHA"};
  std::ostringstream header;
  header << "P7\nWIDTH " << width << "\nHEIGHT " << height << "\nDEPTH " << depth << "\nMAXVAL " << maximum
         << "\nTUPLTYPE " << kTypes[depth - 1] << "\nENDHDR\n";
  std::string bytes = header.str();
  for (const std::uint32_t s : samples) {
    if (maximum > 255) bytes += static_cast<char>(s >> 8);
    bytes += static_cast<char>(s & 0xFF);
  }
  return bytes;
}

Argb LibraryArgb(const PxImage& image) {
  Argb result{image.Width(), image.Height(), {}};
  const bool indexed = image.IsIndexed();
  const bool paletteAlpha = indexed && image.Info().alphaPaletteEnabled;
  const std::uint32_t key = PackColor(image.TransparentColor()) & 0xFFFFFF;
  for (std::int32_t y = image.Height() - 1; y >= 0; --y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) {
      const std::uint32_t colour = PackColor(image.PixelColor(x, y, false)) & 0xFFFFFF;
      std::uint32_t a = 255;
      if (image.AlphaIsValid()) {
        a = image.AlphaGet(x, y);
      } else if (paletteAlpha) {
        a = image.PaletteColor(image.PixelIndex(x, y)).rgbReserved;
      } else if (image.IsTransparent()) {
        const bool keyed = indexed ? image.PixelIndex(x, y) == image.TransparentIndex() : colour == key;
        if (keyed) a = 0;
      }
      result.pixels.push_back((a << 24) | colour);
    }
  }
  return result;
}

namespace {

int PixelDifference(std::uint32_t a, std::uint32_t b, bool withAlpha) {
  const bool transparent = withAlpha && (a >> 24) == 0 && (b >> 24) == 0;
  int largest = 0;
  for (int shift = transparent ? 24 : 0; shift <= (withAlpha ? 24 : 16); shift += 8)
    largest = std::max(largest, ChannelDifference(a, b, shift));
  return largest;
}

bool SameSize(const Argb& a, const Argb& b) {
  return a.width == b.width && a.height == b.height && a.pixels.size() == b.pixels.size() && !a.pixels.empty();
}

}  // namespace

int LargestDifference(const Argb& a, const Argb& b, bool withAlpha) {
  if (!SameSize(a, b)) return 256;
  int largest = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) largest = std::max(largest, PixelDifference(a.pixels[i], b.pixels[i], withAlpha));
  return largest;
}

std::string WorstPixel(const Argb& a, const Argb& b, bool withAlpha) {
  if (!SameSize(a, b)) return "sizes differ";
  std::size_t worst = 0;
  for (std::size_t i = 1; i < a.pixels.size(); ++i) {
    if (PixelDifference(a.pixels[i], b.pixels[i], withAlpha) > PixelDifference(a.pixels[worst], b.pixels[worst], withAlpha)) worst = i;
  }
  char text[96];
  std::snprintf(text, sizeof text, "(%d, %d): 0x%08X against 0x%08X", static_cast<int>(worst % static_cast<std::size_t>(a.width)),
                static_cast<int>(worst / static_cast<std::size_t>(a.width)), a.pixels[worst], b.pixels[worst]);
  return text;
}

std::string IconFromBmp(const std::string& bmp, bool (*hidden)(int x, int y), bool cursor) {
  if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M' || Get32(bmp, 14) != 40) return {};
  const std::uint32_t offBits = Get32(bmp, 10);
  const int width = static_cast<int>(Get32(bmp, 18));
  const int height = static_cast<int>(Get32(bmp, 22));
  const std::uint32_t bitCount = Get32(bmp, 28) & 0xFFFF;
  if (width <= 0 || width > 256 || height <= 0 || height > 256 || offBits > bmp.size()) return {};
  if (bitCount <= 8 && 54 + 4 * (std::size_t{1} << bitCount) > offBits) return {};
  const std::size_t rowBytes = (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
  if (offBits + rowBytes * static_cast<std::size_t>(height) > bmp.size()) return {};

  std::string pixels = bmp.substr(offBits, rowBytes * static_cast<std::size_t>(height));
  if (bitCount == 24) {
    // Black under the mask, as icon writers leave it: visible black pixels must stay visible.
    for (int row = 0; row < height; ++row) {
      for (int x = 0; x < width; ++x) {
        if (hidden(x, height - 1 - row)) pixels.replace(static_cast<std::size_t>(row) * rowBytes + 3 * static_cast<std::size_t>(x), 3, 3, '\0');
      }
    }
  }
  std::uint32_t colours = Get32(bmp, 46);
  if (bitCount <= 8) {
    // Only the entries the pixels use (ImageMagick writes all 256): the palette ends early.
    std::uint32_t used = 0;
    for (std::size_t row = 0; row < static_cast<std::size_t>(height); ++row) {
      for (int x = 0; x < width; ++x) {
        const std::size_t bit = static_cast<std::size_t>(x) * bitCount;
        const auto byte = static_cast<std::uint8_t>(pixels[row * rowBytes + bit / 8]);
        const std::uint32_t index = (byte >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
        used = std::max(used, index + 1);
      }
    }
    colours = used;
  }
  std::string entry = bmp.substr(14, 40);
  for (int i = 0; i < 4; ++i) {
    entry[8 + i] = static_cast<char>(((2 * height) >> (8 * i)) & 0xFF);
    entry[32 + i] = static_cast<char>((colours >> (8 * i)) & 0xFF);
  }
  entry += bmp.substr(54, bitCount <= 8 ? 4 * colours : offBits - 54);
  entry += pixels;
  const std::size_t maskRow = (static_cast<std::size_t>(width) + 31) / 32 * 4;
  for (int row = 0; row < height; ++row) {
    std::string bits(maskRow, '\0');
    for (int x = 0; x < width; ++x) {
      if (hidden(x, height - 1 - row)) bits[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
    }
    entry += bits;
  }

  std::string file;
  Put16(file, 0);
  Put16(file, cursor ? 2 : 1);
  Put16(file, 1);
  file += static_cast<char>(width & 0xFF);  // 256 is stored as 0
  file += static_cast<char>(height & 0xFF);
  file += static_cast<char>(colours < 256 && bitCount <= 8 ? colours : 0);
  file += '\0';
  Put16(file, cursor ? 2 : 1);          // planes, or the hot spot's x
  Put16(file, cursor ? 3 : bitCount);   // bit count, or the hot spot's y
  Put32(file, static_cast<std::uint32_t>(entry.size()));
  Put32(file, 22);
  return file + entry;
}

}  // namespace cross_check
