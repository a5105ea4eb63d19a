#include "image/PxImagePCX.h"

#include "image/PxFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

#pragma pack(push, 1)
struct PcxHeader {
  std::uint8_t manufacturer;
  std::uint8_t version;
  std::uint8_t encoding;
  std::uint8_t bitsPerPixel;  // per plane
  std::uint16_t xMin;
  std::uint16_t yMin;
  std::uint16_t xMax;
  std::uint16_t yMax;
  std::uint16_t horizontalResolution;
  std::uint16_t verticalResolution;
  std::uint8_t colorMap[48];  // 16 entries of red, green, blue
  std::uint8_t reserved;
  std::uint8_t planes;
  std::uint16_t bytesPerLine;  // per plane
  std::uint16_t paletteInfo;
  std::uint8_t filler[58];
};
#pragma pack(pop)
static_assert(sizeof(PcxHeader) == 128, "the PCX header is 128 bytes on disk");

constexpr std::uint8_t kManufacturer = 10;
constexpr std::uint8_t kRunLengthEncoding = 1;
constexpr std::uint8_t kPaletteSignature = 12;
constexpr std::uint8_t kRunFlag = 0xC0;
constexpr std::uint32_t kLongestRun = 63;

// A failure inside the codec; its text becomes lastError at the codec's edge (null: lastError
// already holds the reason).
struct PcxFailure {
  const char* text;
};

[[noreturn]] void Fail(const char* text) { throw PcxFailure{text}; }

// Hands out the run-length coded bytes of the picture, however the runs fall across rows.
class PcxRunReader {
public:
  PcxRunReader(PxFile* file, std::uint64_t pictureBytes) : FFile(file), FLeft(pictureBytes) {}

  void Fill(std::uint8_t* destination, std::size_t count) {
    std::size_t filled = 0;
    while (filled < count) {
      if (FRepeat > 0) {
        const std::size_t take = std::min<std::size_t>(FRepeat, count - filled);
        std::memset(destination + filled, FValue, take);
        FRepeat -= static_cast<std::uint32_t>(take);
        filled += take;
        continue;
      }
      const std::int32_t code = FFile->GetByte();
      if (code < 0) Fail("corrupted PCX");
      if (code >= kRunFlag) {
        const std::uint32_t repeat = static_cast<std::uint32_t>(code) & 0x3F;
        const std::int32_t value = FFile->GetByte();
        if (value < 0) Fail("corrupted PCX");
        if (repeat > FLeft) Fail("repeat count spans end of image");
        FLeft -= repeat;
        FRepeat = repeat;
        FValue = static_cast<std::uint8_t>(value);
      } else {
        --FLeft;
        destination[filled++] = static_cast<std::uint8_t>(code);
      }
    }
  }

private:
  PxFile* FFile;
  std::uint64_t FLeft;  // bytes of the picture not yet handed out or pending in a run
  std::uint32_t FRepeat = 0;
  std::uint8_t FValue = 0;
};

// One plane of packed pixels into indices, most significant bits first.
void PcxUnpackPixels(std::uint8_t* pixels, const std::uint8_t* planes, std::uint32_t bytesPerLine,
                     std::uint32_t planeCount, std::uint32_t bitsPerPixel) {
  if (planeCount > 1) Fail("Can't handle packed pixels with more than 1 plane.");
  if (bitsPerPixel == 8) {
    std::memcpy(pixels, planes, bytesPerLine);
    return;
  }
  const std::uint32_t perByte = 8 / bitsPerPixel;
  const std::uint8_t mask = static_cast<std::uint8_t>((1u << bitsPerPixel) - 1);
  for (std::uint32_t i = 0; i < bytesPerLine; ++i) {
    for (std::uint32_t k = 0; k < perByte; ++k) {
      const std::uint32_t shift = 8 - bitsPerPixel * (k + 1);
      *pixels++ = static_cast<std::uint8_t>((planes[i] >> shift) & mask);
    }
  }
}

// 1-bit planes into indices: plane p contributes bit p of every pixel's index.
void PcxPlanesToPixels(std::uint8_t* pixels, const std::uint8_t* planes, std::uint32_t bytesPerLine,
                       std::uint32_t planeCount, std::uint32_t bitsPerPixel) {
  if (planeCount > 4) Fail("Can't handle more than 4 planes");
  if (bitsPerPixel > 1) Fail("Can't handle more than 1 bit per pixel");
  std::memset(pixels, 0, static_cast<std::size_t>(bytesPerLine) * 8);
  for (std::uint32_t p = 0; p < planeCount; ++p) {
    const std::uint8_t* plane = planes + static_cast<std::size_t>(p) * bytesPerLine;
    for (std::uint32_t i = 0; i < bytesPerLine; ++i) {
      for (std::uint32_t bit = 0; bit < 8; ++bit) {
        if (plane[i] & (0x80 >> bit)) pixels[i * 8 + bit] |= static_cast<std::uint8_t>(1u << p);
      }
    }
  }
}

// Bit `plane` of each index into one 1-bit plane row; bits past the last pixel stay zero.
void PcxPixelsToPlanes(const std::uint8_t* pixels, std::uint32_t width, std::uint8_t* plane,
                       std::uint32_t planeNumber) {
  for (std::uint32_t x = 0; x < width; ++x) {
    if (pixels[x] & (1u << planeNumber)) plane[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
  }
}

// Coded bytes gathered in memory; a failed grow is remembered and reported at the end.
class PcxOutput {
public:
  PcxOutput() { FOk = FData.Open(); }

  void Put(std::uint8_t byte) {
    if (!FData.PutByte(byte)) FOk = false;
  }

  bool CopyTo(PxFile* file) {
    const std::int32_t size = FData.GetSize();
    if (!FOk || size < 0) return false;
    return size == 0 || file->Write(FData.Buffer(false), static_cast<std::size_t>(size), 1) == 1;
  }

private:
  PxMemFile FData;
  bool FOk = false;
};

void WriteRun(std::uint8_t value, std::uint32_t count, PcxOutput& out) {
  if (count != 1 || value >= kRunFlag) out.Put(static_cast<std::uint8_t>(kRunFlag | count));
  out.Put(value);
}

// Feeds one byte into the current run; a negative value ends the run (the end of a row).
void PcxPackRun(std::int32_t value, std::uint8_t& runByte, std::uint32_t& runCount, PcxOutput& out) {
  if (runCount > 0 && value != runByte) {
    WriteRun(runByte, runCount, out);
    runCount = 0;
  }
  if (value < 0) return;
  runByte = static_cast<std::uint8_t>(value);
  if (++runCount == kLongestRun) {
    WriteRun(runByte, runCount, out);
    runCount = 0;
  }
}

void PcxPackBytes(const std::uint8_t* buffer, std::uint32_t length, PcxOutput& out) {
  std::uint32_t i = 0;
  while (i < length) {
    std::uint32_t run = 1;
    while (i + run < length && run < kLongestRun && buffer[i + run] == buffer[i]) ++run;
    WriteRun(buffer[i], run, out);
    i += run;
  }
}

// Packs one plane row through PcxPackRun and ends it with the padding byte of an odd width.
template <class ByteAt>
void PackPlaneRow(std::uint32_t width, ByteAt byteAt, PcxOutput& out) {
  std::uint8_t runByte = 0;
  std::uint32_t runCount = 0;
  for (std::uint32_t x = 0; x < width; ++x) PcxPackRun(byteAt(x), runByte, runCount, out);
  PcxPackRun(-1, runByte, runCount, out);
  if (width & 1) out.Put(0);
}

}  // namespace

bool PxImagePCX::Decode(PxFile* file) {
  if (!file) return false;
  try {
    DecodePicture(file);
  } catch (const PcxFailure& failure) {
    if (failure.text) SetError(failure.text);
    return false;
  }
  return true;
}

void PxImagePCX::DecodePicture(PxFile* file) {
  PcxHeader pcx;
  if (file->Read(&pcx, sizeof(pcx), 1) != 1) Fail("Can't read PCX image");
  if (pcx.manufacturer != kManufacturer) Fail("Error: Not a PCX file");
  if (pcx.encoding != kRunLengthEncoding) Fail("PCX file has unknown encoding scheme");
  if (pcx.planes > 4) Fail("Can't handle image with more than 4 planes");
  if (pcx.planes == 0 || pcx.xMax < pcx.xMin || pcx.yMax < pcx.yMin) Fail("corrupted PCX");

  const std::uint32_t bits = pcx.bitsPerPixel;
  const std::uint32_t planes = pcx.planes;
  const bool trueColor = bits == 8 && planes >= 3;
  if (bits != 1 && bits != 2 && bits != 4 && bits != 8) Fail("Can't handle PCX with this number of bits per pixel");
  if (planes > 1 && bits > 1 && !trueColor) Fail("Can't handle more than 1 bit per pixel");

  const std::uint32_t width = static_cast<std::uint32_t>(pcx.xMax - pcx.xMin) + 1;
  const std::uint32_t height = static_cast<std::uint32_t>(pcx.yMax - pcx.yMin) + 1;
  const std::uint32_t bytesPerLine = pcx.bytesPerLine;
  // A line shorter than the width needs would leave pixels unread and send the rows out of step.
  if (static_cast<std::uint64_t>(bytesPerLine) * 8 < static_cast<std::uint64_t>(width) * bits)
    Fail("PCX bytes per line too small for the width");

  // Two coded bytes give at most 63 picture bytes: a shorter file cannot hold the picture.
  const std::uint64_t lineBytes = static_cast<std::uint64_t>(bytesPerLine) * planes;
  const std::uint64_t pictureBytes = lineBytes * height;
  const std::int32_t size = file->GetSize();
  const std::int32_t position = file->GetPosition();
  if (size >= 0 && position >= 0 && (pictureBytes / kLongestRun) * 2 > static_cast<std::uint64_t>(size - position))
    Fail("corrupted PCX");

  // 1-bit planes hold one index bit each: two or three planes give 4 or 8 colours.
  const std::uint32_t depth = trueColor ? 24 : bits * planes;
  if (!Create(width, height, depth, FMT_PCX)) throw PcxFailure{nullptr};
  if (trueColor && planes == 4 && !AlphaCreate()) Fail("PxImage::Create can't allocate memory");
  info.dpiX = pcx.horizontalResolution;
  info.dpiY = pcx.verticalResolution;

  if (!trueColor) {
    if (bits == 1 && planes == 1) {
      SetPaletteEntry(0, 0, 0, 0, 0);
      SetPaletteEntry(1, 255, 255, 255, 0);
    } else {
      for (std::uint32_t i = 0; i < std::min<std::uint32_t>(16, NumColors()); ++i) {
        SetPaletteEntry(static_cast<std::uint8_t>(i), pcx.colorMap[3 * i], pcx.colorMap[3 * i + 1],
                        pcx.colorMap[3 * i + 2], 0);
      }
    }
  }

  PcxRunReader reader(file, pictureBytes);
  std::vector<std::uint8_t> line(static_cast<std::size_t>(lineBytes));
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(bytesPerLine) * 8);
  for (std::uint32_t fileRow = 0; fileRow < height; ++fileRow) {
    if (info.escape) Fail("Cancelled");
    reader.Fill(line.data(), line.size());
    const auto y = static_cast<std::int32_t>(height - 1 - fileRow);
    if (trueColor) {
      std::uint8_t* pixel = RowBits(static_cast<std::uint32_t>(y));
      const std::uint8_t* red = line.data();
      const std::uint8_t* green = red + bytesPerLine;
      const std::uint8_t* blue = green + bytesPerLine;
      for (std::uint32_t x = 0; x < width; ++x, pixel += 3) {
        pixel[0] = blue[x];
        pixel[1] = green[x];
        pixel[2] = red[x];
      }
      if (planes == 4) {
        const std::uint8_t* alphaPlane = blue + bytesPerLine;
        for (std::uint32_t x = 0; x < width; ++x) AlphaSet(static_cast<std::int32_t>(x), y, alphaPlane[x]);
      }
      continue;
    }
    if (planes == 1) {
      PcxUnpackPixels(indices.data(), line.data(), bytesPerLine, planes, bits);
    } else {
      PcxPlanesToPixels(indices.data(), line.data(), bytesPerLine, planes, bits);
    }
    for (std::uint32_t x = 0; x < width; ++x) SetPixelIndex(static_cast<std::int32_t>(x), y, indices[x]);
  }

  if (bits == 8 && planes == 1) {
    const std::int32_t signature = file->GetByte();
    if (signature != kPaletteSignature) Fail("bad color map signature");
    std::uint8_t triples[768];
    if (file->Read(triples, 1, sizeof(triples)) != sizeof(triples)) Fail("corrupted PCX");
    for (std::uint32_t i = 0; i < 256; ++i) {
      SetPaletteEntry(static_cast<std::uint8_t>(i), triples[3 * i], triples[3 * i + 1], triples[3 * i + 2], 0);
    }
  }
}

bool PxImagePCX::Encode(PxFile* file) {
  if (EncodeCheck(file)) return false;
  try {
    EncodePicture(file);
  } catch (const PcxFailure& failure) {
    SetError(failure.text);
    return false;
  }
  return true;
}

void PxImagePCX::EncodePicture(PxFile* file) {
  const std::uint32_t width = static_cast<std::uint32_t>(Width());
  const std::uint32_t height = static_cast<std::uint32_t>(Height());
  const std::uint32_t bpp = Bpp();
  const bool trueColor = bpp > 8;

  std::uint32_t bits = 8;
  std::uint32_t planes = 1;
  std::uint64_t bytesPerLine = width;
  if (trueColor) {
    planes = AlphaIsValid() ? 4 : 3;
  } else if (bpp < 8) {
    bits = 1;
    planes = NumColors() == 16 ? 4 : 1;
    bytesPerLine = (static_cast<std::uint64_t>(width) + 7) / 8;
  }
  if (bytesPerLine & 1) ++bytesPerLine;
  if (width > 0x10000 || height > 0x10000 || bytesPerLine > 0xFFFF) Fail("Image too large for PCX");

  PcxHeader pcx{};
  pcx.manufacturer = kManufacturer;
  pcx.version = 5;
  pcx.encoding = kRunLengthEncoding;
  pcx.bitsPerPixel = static_cast<std::uint8_t>(bits);
  pcx.xMax = static_cast<std::uint16_t>(width - 1);
  pcx.yMax = static_cast<std::uint16_t>(height - 1);
  pcx.horizontalResolution = static_cast<std::uint16_t>(std::clamp(info.dpiX, 0, 0xFFFF));
  pcx.verticalResolution = static_cast<std::uint16_t>(std::clamp(info.dpiY, 0, 0xFFFF));
  if (bpp == 1) {
    std::memset(pcx.colorMap + 3, 255, 3);
  } else if (bpp == 4) {
    for (std::uint32_t i = 0; i < 16; ++i) {
      const RGBQUAD entry = PaletteColor(static_cast<std::uint8_t>(i));
      pcx.colorMap[3 * i] = entry.rgbRed;
      pcx.colorMap[3 * i + 1] = entry.rgbGreen;
      pcx.colorMap[3 * i + 2] = entry.rgbBlue;
    }
  }
  pcx.planes = static_cast<std::uint8_t>(planes);
  pcx.bytesPerLine = static_cast<std::uint16_t>(bytesPerLine);
  pcx.paletteInfo = trueColor ? 1 : 0;
  if (file->Write(&pcx, sizeof(pcx), 1) != 1) Fail("cannot write PCX header");

  PcxOutput out;
  std::vector<std::uint8_t> indices(width);
  std::vector<std::uint8_t> plane(static_cast<std::size_t>(bytesPerLine));
  // A 1-bit picture whose entry 0 is the lighter one is written with its indices swapped, so the
  // file's black-and-white map shows it as it looks; the caller's pixels stay as they are.
  const RGBQUAD entry0 = PaletteColor(0);
  const RGBQUAD entry1 = PaletteColor(1);
  const bool invert = bpp == 1 && CompareGray(&entry0.rgbBlue, &entry1.rgbBlue) > 0;

  for (std::int32_t y = static_cast<std::int32_t>(height) - 1; y >= 0; --y) {
    if (info.escape) Fail("Cancelled");
    if (trueColor) {
      const std::uint8_t* row = RowBits(static_cast<std::uint32_t>(y));
      for (std::uint32_t p = 0; p < planes; ++p) {
        if (p == 3) {
          PackPlaneRow(
              width, [&](std::uint32_t x) { return AlphaGet(static_cast<std::int32_t>(x), y); }, out);
        } else {
          // Planes are red, green, blue; the row stores blue, green, red.
          PackPlaneRow(
              width, [&](std::uint32_t x) { return row[3 * x + 2 - p]; }, out);
        }
      }
      continue;
    }
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::uint8_t index = BlindPixelIndex(static_cast<std::int32_t>(x), y);
      indices[x] = invert ? static_cast<std::uint8_t>(1 - index) : index;
    }
    if (bpp == 8) {
      PackPlaneRow(
          width, [&](std::uint32_t x) { return indices[x]; }, out);
      continue;
    }
    for (std::uint32_t p = 0; p < planes; ++p) {
      std::fill(plane.begin(), plane.end(), 0);
      PcxPixelsToPlanes(indices.data(), width, plane.data(), p);
      PcxPackBytes(plane.data(), static_cast<std::uint32_t>(bytesPerLine), out);
    }
  }

  if (bpp == 8) {
    out.Put(kPaletteSignature);
    for (std::uint32_t i = 0; i < 256; ++i) {
      const RGBQUAD entry = PaletteColor(static_cast<std::uint8_t>(i));
      out.Put(entry.rgbRed);
      out.Put(entry.rgbGreen);
      out.Put(entry.rgbBlue);
    }
  }
  if (!out.CopyTo(file)) Fail("PCX: write error");
}
