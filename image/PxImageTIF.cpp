#include "image/PxImageTIF.h"

#include "image/PxFile.h"

// libtiff's headers switch to Windows file handles when they see a Windows compiler; the library
// here is the system's own, built for Unix.
#include "platform/UnixHeadersBegin.h"
#include <tiffio.h>
#include "platform/UnixHeadersEnd.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace {

// Raised inside the codec and caught at its edge, where the text becomes lastError. It is only
// thrown from the codec's own code, never from a procedure libtiff calls.
struct TiffFailure {
  const char* text;
};

[[noreturn]] void Fail(const char* text) { throw TiffFailure{text}; }

// --- Client procedures: libtiff reads and writes through the PxFile it is handed ----------------

PxFile* FileOf(thandle_t handle) { return static_cast<PxFile*>(handle); }

tmsize_t TiffRead(thandle_t handle, void* buffer, tmsize_t size) {
  if (size <= 0) return 0;
  return static_cast<tmsize_t>(FileOf(handle)->Read(buffer, 1, static_cast<std::size_t>(size)));
}

tmsize_t TiffWrite(thandle_t handle, void* buffer, tmsize_t size) {
  if (size <= 0) return 0;
  return static_cast<tmsize_t>(FileOf(handle)->Write(buffer, 1, static_cast<std::size_t>(size)));
}

toff_t TiffSeek(thandle_t handle, toff_t offset, int origin) {
  constexpr toff_t kFailed = static_cast<toff_t>(-1);
  if (offset == kFailed) return kFailed;
  // Offsets relative to the position or the end arrive as unsigned two's complement.
  const auto signedOffset = static_cast<std::int64_t>(offset);
  if (signedOffset > INT32_MAX || signedOffset < INT32_MIN) return kFailed;
  PxFile* file = FileOf(handle);
  if (!file->Seek(static_cast<std::int32_t>(signedOffset), origin)) return kFailed;
  if (origin == SEEK_SET) return offset;
  const std::int32_t position = file->GetPosition();
  return position < 0 ? kFailed : static_cast<toff_t>(position);
}

// The file belongs to the caller.
int TiffClose(thandle_t) { return 0; }

toff_t TiffSize(thandle_t handle) {
  const std::int32_t size = FileOf(handle)->GetSize();
  return size < 0 ? 0 : static_cast<toff_t>(size);
}

int TiffMap(thandle_t, void**, toff_t*) { return 0; }

void TiffUnmap(thandle_t, void*, toff_t) {}

// libtiff's own warnings and errors are dropped: the codec reports its own messages.
void SilentHandler(const char*, const char*, va_list) {}

tiff* TiffOpenFile(PxFile* file, const char* mode) {
  static std::once_flag silenced;
  std::call_once(silenced, [] {
    TIFFSetWarningHandler(SilentHandler);
    TIFFSetErrorHandler(SilentHandler);
  });
  return TIFFClientOpen("TIFF IMAGE", mode, file, TiffRead, TiffWrite, TiffSeek, TiffClose, TiffSize, TiffMap,
                        TiffUnmap);
}

struct TiffCloser {
  void operator()(tiff* handle) const { TIFFClose(handle); }
};
using TiffHandle = std::unique_ptr<tiff, TiffCloser>;

struct FreeDeleter {
  void operator()(void* block) const { std::free(block); }
};

// --- Pixel helpers -------------------------------------------------------------------------------

// Copies bytesPerRow bytes for each of the rows, skipping the gaps after each row.
void CopyTileRows(std::uint8_t* destination, const std::uint8_t* source, std::uint32_t rows, std::uint64_t bytesPerRow,
                  std::uint64_t destinationGap, std::uint64_t sourceGap) {
  for (std::uint32_t row = 0; row < rows; ++row) {
    std::memcpy(destination, source, bytesPerRow);
    destination += bytesPerRow + destinationGap;
    source += bytesPerRow + sourceGap;
  }
}

std::uint8_t SrgbByte(double linear) {
  const double v = linear > 0.00304 ? 1.055 * std::pow(linear, 0.41667) - 0.055 : 12.92 * linear;
  const double scaled = v * 255;
  if (!(scaled > 0)) return 0;
  if (scaled > 255) return 255;
  return static_cast<std::uint8_t>(scaled);
}

// CIELab (L as 0..255, a and b signed) to an sRGB pixel under the D65 white point.
void LabToBgr(std::uint8_t lightness, std::int8_t a, std::int8_t b, std::uint8_t* bgr) {
  const double fY = (lightness * 100.0 / 255 + 16) / 116;
  const double fX = fY + 0.002 * a;
  const double fZ = fY - 0.005 * b;
  const double x = 0.95047 * fX * fX * fX;
  const double y = fY * fY * fY;
  const double z = 1.0883 * fZ * fZ * fZ;
  bgr[2] = SrgbByte(3.240479 * x - 1.53715 * y - 0.498535 * z);
  bgr[1] = SrgbByte(-0.969256 * x + 1.875992 * y + 0.041556 * z);
  bgr[0] = SrgbByte(0.055648 * x - 0.204043 * y + 1.057311 * z);
}

// libtiff's RGBA reader hands colours multiplied by their alpha; the image keeps them straight.
std::uint8_t Unpremultiply(std::uint32_t channel, std::uint32_t alphaValue) {
  if (alphaValue == 0) return 0;
  return static_cast<std::uint8_t>(std::min<std::uint32_t>(255, (channel * 255 + alphaValue / 2) / alphaValue));
}

std::int32_t TruncateToInt(double value) {
  if (!(value > -2147483648.0 && value < 2147483648.0)) return 0;
  return static_cast<std::int32_t>(value);
}

std::uint16_t FieldU16(tiff* handle, ttag_t tag, std::uint16_t fallback) {
  std::uint16_t value = fallback;
  return TIFFGetField(handle, tag, &value) ? value : fallback;
}

std::uint16_t DefaultedU16(tiff* handle, ttag_t tag) {
  std::uint16_t value = 0;
  TIFFGetFieldDefaulted(handle, tag, &value);
  return value;
}

// A page may promise 1 MiB of samples more than its coding could draw from the file's bytes, no more:
// a few bytes cannot make the decoder allocate and clear gigabytes.
constexpr std::uint64_t kPageSlackBytes = 1 << 20;

// Products of 32- and 16-bit tags overflow 64 bits.
using WideSize = unsigned __int128;

// The most sample bytes one byte of coded data can give, for a page whose rows take rowBytes.
WideSize MostBytesPerByte(std::uint16_t compression, WideSize rowBytes) {
  switch (compression) {
    case COMPRESSION_NONE: return 1;
    case COMPRESSION_PACKBITS: return 64;  // a 2-byte run repeats a byte 128 times
    case COMPRESSION_CCITTRLE:
    case COMPRESSION_CCITTRLEW:
    case COMPRESSION_CCITTFAX3:
    case COMPRESSION_CCITTFAX4: return 8 * std::max<WideSize>(rowBytes, 1);  // a row takes a bit at least
    default: return 4096;  // above what LZW (2731) and Deflate (1032) reach, and JPEG's flat blocks
  }
}

}  // namespace

struct PxTiffPage {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint16_t samplesPerPixel = 1;
  std::uint16_t bitsPerSample = 1;
  std::uint32_t rowsPerStrip = 0xFFFFFFFFu;
  std::uint16_t photometric = PHOTOMETRIC_MINISWHITE;
  std::uint16_t orientation = ORIENTATION_TOPLEFT;
  std::uint16_t planar = PLANARCONFIG_CONTIG;
  std::uint16_t compression = COMPRESSION_NONE;
  // Bytes of one row of samples as libtiff delivers them (all samples of a pixel together).
  std::uint64_t bytesPerRow = 0;
};

namespace {

PxTiffPage ReadPageTags(tiff* handle) {
  PxTiffPage page;
  TIFFGetField(handle, TIFFTAG_IMAGEWIDTH, &page.width);
  TIFFGetField(handle, TIFFTAG_IMAGELENGTH, &page.height);
  TIFFGetFieldDefaulted(handle, TIFFTAG_SAMPLESPERPIXEL, &page.samplesPerPixel);
  TIFFGetFieldDefaulted(handle, TIFFTAG_BITSPERSAMPLE, &page.bitsPerSample);
  TIFFGetFieldDefaulted(handle, TIFFTAG_ROWSPERSTRIP, &page.rowsPerStrip);
  page.photometric = FieldU16(handle, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
  TIFFGetFieldDefaulted(handle, TIFFTAG_ORIENTATION, &page.orientation);
  page.planar = DefaultedU16(handle, TIFFTAG_PLANARCONFIG);
  page.compression = DefaultedU16(handle, TIFFTAG_COMPRESSION);
  page.bytesPerRow = (static_cast<std::uint64_t>(page.bitsPerSample) * page.width * page.samplesPerPixel + 7) / 8;
  return page;
}

// RGB pages of three 8-bit samples a pixel, or four with straight (unassociated) alpha, all of a
// pixel's samples together, in strips: the samples libtiff decodes are the colours as they stand,
// so they need no RGBA raster between the strip and the rows (whose alpha multiplied in and out
// would cost the colours of translucent pixels a level). Other extra samples, other sample formats,
// planes and tiles stay with the RGBA reader.
bool IsPlainRgbPage(tiff* handle, const PxTiffPage& page) {
  if (page.photometric != PHOTOMETRIC_RGB || page.bitsPerSample != 8 ||
      (page.samplesPerPixel != 3 && page.samplesPerPixel != 4) || page.planar != PLANARCONFIG_CONTIG ||
      TIFFIsTiled(handle))
    return false;
  std::uint16_t extraSamples = 0;
  std::uint16_t* extraKinds = nullptr;
  TIFFGetFieldDefaulted(handle, TIFFTAG_EXTRASAMPLES, &extraSamples, &extraKinds);
  const bool straightAlpha = page.samplesPerPixel == 4 && extraSamples == 1 && extraKinds &&
                             extraKinds[0] == EXTRASAMPLE_UNASSALPHA;
  return (page.samplesPerPixel == 3 ? extraSamples == 0 : straightAlpha) &&
         DefaultedU16(handle, TIFFTAG_SAMPLEFORMAT) == SAMPLEFORMAT_UINT;
}

// Where a file row lands. The flips are made while the rows are copied, as libtiff's RGBA reader
// makes them for the other colour pages, so the common upright page needs no pass of its own.
// The transposed orientations (5 to 8) are placed as the direct path places its rows, first row
// on top and unmirrored, and turned afterwards by ApplyOrientation.
struct RowPlacement {
  bool firstRowOnTop;
  bool mirrored;
};

RowPlacement PlacementFor(std::uint16_t orientation) {
  switch (orientation) {
    case ORIENTATION_TOPRIGHT: return {true, true};
    case ORIENTATION_BOTRIGHT: return {false, true};
    case ORIENTATION_BOTLEFT: return {false, false};
    default: return {true, false};
  }
}

bool IsTransposed(std::uint16_t orientation) { return orientation >= ORIENTATION_LEFTTOP; }

// The layout asked of libtiff's RGBA reader, whose raster's first row becomes the picture's bottom
// row. Orientations 1 to 4 keep the bottom-left layout, in which the reader makes their flips. It
// takes a transposed page for the flip sharing its first row's corner, so such a page asks for
// that flip upside down: the reader then only reverses the order of the rows, which leaves them
// where the direct path puts them before ApplyOrientation.
std::uint16_t RasterOrientationFor(std::uint16_t orientation) {
  switch (orientation) {
    case ORIENTATION_LEFTTOP: return ORIENTATION_BOTLEFT;
    case ORIENTATION_RIGHTTOP: return ORIENTATION_BOTRIGHT;
    case ORIENTATION_RIGHTBOT: return ORIENTATION_TOPRIGHT;
    case ORIENTATION_LEFTBOT: return ORIENTATION_TOPLEFT;
    default: return ORIENTATION_BOTLEFT;
  }
}

// One row of red, green, blue (and alpha, with 4 samples) samples into a row of blue, green, red
// pixels and a row of alpha values, reversed when mirrored.
void StoreBgrRow(const std::uint8_t* rgb, std::uint8_t* bgr, std::uint8_t* alphaRow, std::uint32_t width,
                 std::uint16_t samples, bool mirrored) {
  for (std::uint32_t x = 0; x < width; ++x, bgr += 3) {
    const std::uint8_t* source = rgb + static_cast<std::size_t>(mirrored ? width - 1 - x : x) * samples;
    bgr[0] = source[2];
    bgr[1] = source[1];
    bgr[2] = source[0];
    if (alphaRow) alphaRow[x] = source[3];
  }
}

// The strip holding file row `top`, read whole into a buffer of at least the page's strip size.
// Without a size libtiff reads the strip's declared bytes and decodes them, as its RGBA reader
// does, so a strip whose byte count is too small fails here as it fails there (with a size, plain
// strips would be read past their declared end). The `wanted` bytes the caller uses are all set.
void ReadWholeStrip(tiff* handle, std::uint32_t top, std::uint8_t* band, std::uint64_t wanted) {
  const tmsize_t read = TIFFReadEncodedStrip(handle, TIFFComputeStrip(handle, top, 0), band, -1);
  if (read < 0) Fail("Corrupted TIFF file!");
  if (static_cast<std::uint64_t>(read) < wanted)
    std::memset(band + read, 0, static_cast<std::size_t>(wanted - static_cast<std::uint64_t>(read)));
}

// Pages whose colours only libtiff's RGBA reader builds: RGB, YCbCr, CMYK and the LogLuv family.
bool IsRgbaPage(const PxTiffPage& page) {
  switch (page.photometric) {
    case PHOTOMETRIC_RGB: return page.bitsPerSample >= 8;
    case PHOTOMETRIC_YCBCR:
    case PHOTOMETRIC_SEPARATED:
    case PHOTOMETRIC_LOGL:
    case PHOTOMETRIC_LOGLUV: return true;
    default: return false;
  }
}

// Layouts whose samples go straight into the pixel rows: gray and palette samples of 1, 2, 4, 8
// or 16 bits (with an alpha sample at 8 or 16 bits) and CIELab pixels of 8 or 16 bits per sample,
// all of a pixel's samples together. Anything else would be misread here; libtiff's RGBA reader
// gets those pages when it knows them.
bool IsDirectLayout(const PxTiffPage& page) {
  if (page.planar != PLANARCONFIG_CONTIG && page.samplesPerPixel > 1) return false;
  const bool byteSamples = page.bitsPerSample == 8 || page.bitsPerSample == 16;
  switch (page.photometric) {
    case PHOTOMETRIC_MINISWHITE:
    case PHOTOMETRIC_MINISBLACK:
      if (page.samplesPerPixel == 1)
        return page.bitsPerSample == 1 || page.bitsPerSample == 2 || page.bitsPerSample == 4 || byteSamples;
      return page.samplesPerPixel == 2 && byteSamples;
    case PHOTOMETRIC_PALETTE:
      if (page.samplesPerPixel == 1)
        return page.bitsPerSample == 1 || page.bitsPerSample == 2 || page.bitsPerSample == 4 || page.bitsPerSample == 8;
      return page.samplesPerPixel == 2 && page.bitsPerSample == 8;
    default: return page.samplesPerPixel >= 3 && byteSamples;
  }
}

}  // namespace

PxImageTIF::~PxImageTIF() { CloseHandle(); }

void PxImageTIF::CloseHandle() {
  if (FHandle) TIFFClose(FHandle);
  FHandle = nullptr;
  FMultiPage = false;
  FPageCount = 0;
}

// --- Decode --------------------------------------------------------------------------------------

bool PxImageTIF::Decode(PxFile* file) {
  try {
    if (!file) Fail("Error encountered while opening TIFF file");
    const TiffHandle handle(TiffOpenFile(file, "rb"));
    if (!handle) Fail("Error encountered while opening TIFF file");
    DecodePage(handle.get());
    return true;
  } catch (const TiffFailure& failure) {
    SetError(failure.text);
  } catch (const std::bad_alloc&) {
    SetError("PxImageTIF can't allocate memory");
  }
  return false;
}

void PxImageTIF::DecodePage(tiff* handle) {
  info.frameCount = static_cast<std::int32_t>(TIFFNumberOfDirectories(handle));
  if (!TIFFSetDirectory(handle, static_cast<std::uint16_t>(info.frameIndex)))
    Fail("Error: page not present in TIFF file");

  PxTiffPage page = ReadPageTags(handle);
  if (info.escape == -1) {
    header.biWidth = static_cast<LONG>(page.width);
    header.biHeight = static_cast<LONG>(page.height);
    SetError("output dimensions returned");
    return;
  }
  CheckPageFitsFile(handle, page);
  ReadResolution(handle);
  info.transparentIndex = -1;
  if (page.rowsPerStrip == 0 || page.rowsPerStrip > page.height) {
    page.rowsPerStrip = page.height;
    if (page.height > 0) TIFFSetField(handle, TIFFTAG_ROWSPERSTRIP, page.height);
  }

  char reason[1024];
  if (IsPlainRgbPage(handle, page)) ReadPlainRgbPage(handle, page);
  else if (IsRgbaPage(page)) ReadRgbaPage(handle, page);
  else if (IsDirectLayout(page)) ReadDirectPage(handle, page);
  else if (TIFFRGBAImageOK(handle, reason)) ReadRgbaPage(handle, page);
  else Fail("TIFF: unsupported sample layout");
}

void PxImageTIF::CheckPageFitsFile(tiff* handle, const PxTiffPage& page) {
  const std::int32_t size = static_cast<PxFile*>(TIFFClientdata(handle))->GetSize();
  const std::uint64_t fileBytes = size > 0 ? static_cast<std::uint64_t>(size) : 0;
  const WideSize rowBytes = (WideSize{page.bitsPerSample} * page.width * page.samplesPerPixel + 7) / 8;
  const WideSize most = WideSize{fileBytes} * MostBytesPerByte(page.compression, rowBytes) + kPageSlackBytes;
  if (rowBytes * page.height > most) Fail("TIFF: page larger than the file can hold");
}

void PxImageTIF::ReadResolution(tiff* handle) {
  const std::uint16_t unit = DefaultedU16(handle, TIFFTAG_RESOLUTIONUNIT);
  auto dotsPerInch = [unit](float resolution) {
    return TruncateToInt(unit == RESUNIT_CENTIMETER ? resolution * 2.54 + 0.5 : resolution);
  };
  float value = 0;
  if (TIFFGetField(handle, TIFFTAG_XRESOLUTION, &value)) SetDpiX(dotsPerInch(value));
  if (TIFFGetField(handle, TIFFTAG_YRESOLUTION, &value)) SetDpiY(dotsPerInch(value));
  if (TIFFGetField(handle, TIFFTAG_XPOSITION, &value)) info.offsetX = TruncateToInt(value);
  if (TIFFGetField(handle, TIFFTAG_YPOSITION, &value)) info.offsetY = TruncateToInt(value);
}

void PxImageTIF::ReadRgbaPage(tiff* handle, const PxTiffPage& page) {
  if (info.escape) Fail("Cancelled");
  if (!Create(page.width, page.height, 24, FMT_TIF)) Fail("PxImageTIF can't create image");
  if (page.samplesPerPixel == 4 || (page.samplesPerPixel == 2 && page.bitsPerSample == 8)) AlphaCreate();
  SetCodecOption(page.compression, FMT_TIF);

  const std::size_t width = page.width;
  const std::unique_ptr<std::uint32_t, FreeDeleter> raster(
      static_cast<std::uint32_t*>(std::malloc(width * page.height * sizeof(std::uint32_t))));
  if (!raster) Fail("No space for raster buffer");
  const std::uint16_t layout = RasterOrientationFor(page.orientation);
  // libtiff's RGBA reader takes an uncompressed tile only when its read buffer is exactly one tile
  // long, which its own buffers (rounded up to 1 KiB) are only when the file is mapped into memory:
  // a buffer of exactly one tile is lent to it for the read.
  std::vector<std::uint8_t> tileBuffer;
  const bool lendBuffer = TIFFIsTiled(handle) && page.compression == COMPRESSION_NONE;
  if (lendBuffer) {
    tileBuffer.resize(static_cast<std::size_t>(TIFFTileSize64(handle)));
    if (tileBuffer.empty() || !TIFFReadBufferSetup(handle, tileBuffer.data(), static_cast<tmsize_t>(tileBuffer.size())))
      Fail("Corrupted tiled TIFF file!");
  }
  const bool read = TIFFReadRGBAImageOriented(handle, page.width, page.height, raster.get(), layout, 1);
  // The handle gets a buffer of its own back before the lent one goes.
  if (lendBuffer) TIFFReadBufferSetup(handle, nullptr, static_cast<tmsize_t>(tileBuffer.size()));
  if (!read) Fail("Corrupted TIFF file!");

  // The raster's first row is the picture's bottom row, as the pixel block stores it.
  for (std::uint32_t y = 0; y < page.height; ++y) {
    if (info.escape) Fail("Cancelled");
    const std::uint32_t* source = raster.get() + y * width;
    std::uint8_t* pixels = RowBits(y);
    std::uint8_t* alphaRow = alpha ? alpha + y * width : nullptr;
    for (std::size_t x = 0; x < width; ++x) {
      const std::uint32_t v = source[x];
      const std::uint32_t a = TIFFGetA(v);
      std::uint8_t* bgr = pixels + 3 * x;
      if (alphaRow) {
        bgr[0] = Unpremultiply(TIFFGetB(v), a);
        bgr[1] = Unpremultiply(TIFFGetG(v), a);
        bgr[2] = Unpremultiply(TIFFGetR(v), a);
        alphaRow[x] = static_cast<std::uint8_t>(a);
      } else {
        bgr[0] = static_cast<std::uint8_t>(TIFFGetB(v));
        bgr[1] = static_cast<std::uint8_t>(TIFFGetG(v));
        bgr[2] = static_cast<std::uint8_t>(TIFFGetR(v));
      }
    }
  }
  if (IsTransposed(page.orientation)) ApplyOrientation(page.orientation);
}

void PxImageTIF::ReadPlainRgbPage(tiff* handle, const PxTiffPage& page) {
  if (info.escape) Fail("Cancelled");
  if (!Create(page.width, page.height, 24, FMT_TIF)) Fail("PxImageTIF can't create image");
  if (page.samplesPerPixel == 4 && !AlphaCreate()) Fail("PxImageTIF can't allocate memory");
  SetCodecOption(page.compression, FMT_TIF);

  const RowPlacement placement = PlacementFor(page.orientation);
  const std::size_t pixelBytes = 3 * static_cast<std::size_t>(page.width);
  const std::uint32_t bandRows = std::min(page.rowsPerStrip, page.height);
  // A strip read without a size limit writes as many bytes as libtiff reckons a full strip holds:
  // the buffer takes that, and at least the rows the loop below takes from it.
  const std::uint64_t stripBytes = TIFFStripSize64(handle);
  if (stripBytes == 0) Fail("Corrupted TIFF file!");
  std::vector<std::uint8_t> band(std::max<std::uint64_t>(stripBytes, bandRows * page.bytesPerRow));

  for (std::uint32_t top = 0; top < page.height; top += bandRows) {
    if (info.escape) Fail("Cancelled");
    const std::uint32_t rows = std::min(bandRows, page.height - top);
    ReadWholeStrip(handle, top, band.data(), rows * page.bytesPerRow);
    for (std::uint32_t i = 0; i < rows; ++i) {
      const std::uint32_t fileRow = top + i;
      const std::uint32_t row = placement.firstRowOnTop ? page.height - 1 - fileRow : fileRow;
      std::uint8_t* target = RowBits(row);
      std::uint8_t* alphaRow = alpha ? alpha + static_cast<std::size_t>(row) * page.width : nullptr;
      StoreBgrRow(band.data() + i * page.bytesPerRow, target, alphaRow, page.width, page.samplesPerPixel,
                  placement.mirrored);
      // The row's padding gets no stale bytes of the allocation either.
      std::memset(target + pixelBytes, 0, info.rowBytes - pixelBytes);
    }
  }
  if (IsTransposed(page.orientation)) ApplyOrientation(page.orientation);
}

void PxImageTIF::ReadDirectPage(tiff* handle, const PxTiffPage& page) {
  std::uint32_t depth = 8;
  if (page.samplesPerPixel >= 3) depth = 24;
  else if (page.samplesPerPixel == 1 && (page.bitsPerSample == 1 || page.bitsPerSample == 4)) depth = page.bitsPerSample;

  if (info.escape) Fail("Cancelled");
  if (!Create(page.width, page.height, depth, FMT_TIF)) Fail("PxImageTIF can't create image");
  if (page.samplesPerPixel == 4 || page.samplesPerPixel == 2) AlphaCreate();
  SetCodecOption(page.compression, FMT_TIF);
  if (depth <= 8) SetPagePalette(handle, page);

  const bool tiled = TIFFIsTiled(handle) != 0;
  std::uint32_t bandRows = page.rowsPerStrip;
  std::vector<std::uint8_t> tile;
  if (tiled) {
    TIFFGetField(handle, TIFFTAG_TILELENGTH, &bandRows);
    std::uint32_t tileWidth = 0;
    TIFFGetField(handle, TIFFTAG_TILEWIDTH, &tileWidth);
    const std::uint64_t tileSize = TIFFTileSize64(handle);
    if (bandRows == 0 || tileWidth == 0 || tileSize == 0) Fail("Corrupted tiled TIFF file!");
    tile.resize(tileSize);
  }
  bandRows = std::min(bandRows, page.height);
  // Every read of a band writes at most bandRows rows of bytesPerRow bytes into this buffer.
  std::vector<std::uint8_t> band(bandRows * page.bytesPerRow);

  for (std::uint32_t top = 0; top < page.height; top += bandRows) {
    if (info.escape) Fail("Cancelled");
    const std::uint32_t rows = std::min(bandRows, page.height - top);
    if (tiled) ReadTileBand(handle, page, top, rows, band.data(), page.bytesPerRow, tile.data());
    else ReadStripBand(handle, top, rows, band.data(), page.bytesPerRow);
    for (std::uint32_t i = 0; i < rows; ++i) StoreRow(page, band.data() + i * page.bytesPerRow, page.height - 1 - (top + i));
  }
  ApplyOrientation(page.orientation);
}

void PxImageTIF::SetPagePalette(tiff* handle, const PxTiffPage& page) {
  const std::uint32_t colours = NumColors();
  if (page.photometric == PHOTOMETRIC_PALETTE) {
    std::uint16_t* red = nullptr;
    std::uint16_t* green = nullptr;
    std::uint16_t* blue = nullptr;
    if (!TIFFGetField(handle, TIFFTAG_COLORMAP, &red, &green, &blue) || !red || !green || !blue) return;
    const std::uint32_t entries = std::min(1u << page.bitsPerSample, colours);
    // Colour maps hold 16-bit values; some writers put 8-bit ones there instead.
    bool wide = false;
    for (std::uint32_t i = 0; i < entries; ++i) wide = wide || red[i] > 255 || green[i] > 255 || blue[i] > 255;
    auto level = [wide](std::uint16_t v) { return static_cast<std::uint8_t>(wide ? v * 255u / 65535u : v); };
    for (std::uint32_t i = 0; i < entries; ++i)
      SetPaletteEntry(static_cast<std::uint8_t>(i), level(red[i]), level(green[i]), level(blue[i]), 0);
    return;
  }
  if (page.photometric != PHOTOMETRIC_MINISBLACK && page.photometric != PHOTOMETRIC_MINISWHITE) return;
  const std::uint8_t invert = page.photometric == PHOTOMETRIC_MINISWHITE ? 255 : 0;
  const std::uint32_t step = 255 / (colours - 1);
  for (std::uint32_t i = 0; i < colours; ++i) {
    const auto v = static_cast<std::uint8_t>((i * step) ^ invert);
    SetPaletteEntry(static_cast<std::uint8_t>(i), v, v, v, 0);
  }
}

void PxImageTIF::ReadStripBand(tiff* handle, std::uint32_t top, std::uint32_t rows, std::uint8_t* band,
                               std::uint64_t rowStride) {
  const tmsize_t wanted = static_cast<tmsize_t>(rows * rowStride);
  const tmsize_t read = TIFFReadEncodedStrip(handle, TIFFComputeStrip(handle, top, 0), band, wanted);
  if (read < 0) Fail("Corrupted TIFF file!");
  // A short strip leaves no stale bytes of the previous band behind.
  if (read < wanted) std::memset(band + read, 0, static_cast<std::size_t>(wanted - read));
}

void PxImageTIF::ReadTileBand(tiff* handle, const PxTiffPage& page, std::uint32_t top, std::uint32_t rows,
                              std::uint8_t* band, std::uint64_t rowStride, std::uint8_t* tile) {
  std::uint32_t tileWidth = 0;
  TIFFGetField(handle, TIFFTAG_TILEWIDTH, &tileWidth);
  const std::uint64_t tileRowBytes = TIFFTileRowSize64(handle);
  std::uint64_t offset = 0;
  for (std::uint32_t x = 0; x < page.width && offset < rowStride; x += tileWidth) {
    if (TIFFReadTile(handle, tile, x, top, 0, 0) < 0) Fail("Corrupted tiled TIFF file!");
    // The last tile column reaches past the picture's right edge: only its part inside is kept.
    const std::uint64_t bytes = std::min(tileRowBytes, rowStride - offset);
    CopyTileRows(band + offset, tile, rows, bytes, rowStride - bytes, tileRowBytes - bytes);
    offset += tileRowBytes;
  }
}

void PxImageTIF::StoreRow(const PxTiffPage& page, const std::uint8_t* source, std::uint32_t row) {
  std::uint8_t* target = RowBits(row);
  const std::uint32_t width = page.width;
  const bool wideSamples = page.bitsPerSample == 16;
  // Sample n of the row as a byte: 16-bit samples (in the machine's order) keep their high byte.
  auto sample = [source, wideSamples](std::size_t n) {
    if (!wideSamples) return source[n];
    std::uint16_t v;
    std::memcpy(&v, source + 2 * n, 2);
    return static_cast<std::uint8_t>(v >> 8);
  };

  if (page.samplesPerPixel == 1) {
    if (page.bitsPerSample == 2) {
      const bool indices = page.photometric == PHOTOMETRIC_PALETTE;
      for (std::uint32_t x = 0; x < width; ++x) {
        const auto v = static_cast<std::uint8_t>((source[x >> 2] >> (6 - 2 * (x & 3))) & 3);
        target[x] = indices ? v : static_cast<std::uint8_t>(v * 85);
      }
    } else if (wideSamples) {
      for (std::uint32_t x = 0; x < width; ++x) target[x] = sample(x);
    } else {
      const std::size_t bytes = static_cast<std::size_t>(std::min<std::uint64_t>(info.rowBytes, page.bytesPerRow));
      std::memcpy(target, source, bytes);
      std::memset(target + bytes, 0, info.rowBytes - bytes);
    }
    return;
  }

  std::uint8_t* alphaRow = alpha ? alpha + static_cast<std::size_t>(row) * width : nullptr;
  if (page.samplesPerPixel == 2) {
    for (std::uint32_t x = 0; x < width; ++x) {
      target[x] = sample(2 * x);
      if (alphaRow) alphaRow[x] = sample(2 * x + 1);
    }
    return;
  }
  const std::size_t stride = page.samplesPerPixel;
  for (std::uint32_t x = 0; x < width; ++x) {
    const std::size_t first = x * stride;
    LabToBgr(sample(first), static_cast<std::int8_t>(sample(first + 1)), static_cast<std::int8_t>(sample(first + 2)),
             target + 3 * x);
    if (alphaRow) alphaRow[x] = sample(first + 3);
  }
}

// The rows were stored as if the file's first row were the picture's top; the tag tells where
// that row really belongs. RIGHTTOP pages (first row on the right) turn clockwise, LEFTBOT pages
// (first row on the left, read upwards) counter-clockwise.
void PxImageTIF::ApplyOrientation(std::uint16_t orientation) {
  bool ok = true;
  switch (orientation) {
    case ORIENTATION_TOPRIGHT: ok = Mirror(); break;
    case ORIENTATION_BOTRIGHT: ok = Flip() && Mirror(); break;
    case ORIENTATION_BOTLEFT: ok = Flip(); break;
    case ORIENTATION_LEFTTOP: ok = RotateRight() && Mirror(); break;
    case ORIENTATION_RIGHTTOP: ok = RotateRight(); break;
    case ORIENTATION_RIGHTBOT: ok = RotateLeft() && Mirror(); break;
    case ORIENTATION_LEFTBOT: ok = RotateLeft(); break;
    default: break;
  }
  if (!ok) Fail("PxImageTIF can't allocate memory");
}

// --- Encode --------------------------------------------------------------------------------------

bool PxImageTIF::Encode(PxFile* file, bool append) {
  if (EncodeCheck(file)) return false;
  try {
    if (!FHandle) {
      FHandle = TiffOpenFile(file, "a");
      if (!FHandle) Fail("initialization fail");
    }
    FMultiPage = append || FPageCount > 0;
    ++FPageCount;
    WriteTiffPage(FHandle, FMultiPage, FPageCount, FPageCount);
    if (append) {
      if (!TIFFWriteDirectory(FHandle)) Fail("Error saving TIFF directory");
      return true;
    }
    // Closing writes the directory but reports nothing; flushing first tells whether it got out.
    if (!TIFFFlush(FHandle)) Fail("Error saving TIFF file");
    CloseHandle();
    if (!file->Flush()) Fail("Error saving TIFF file");
    return true;
  } catch (const TiffFailure& failure) {
    SetError(failure.text);
  } catch (const std::bad_alloc&) {
    SetError("Error saving TIFF file");
  }
  CloseHandle();
  return false;
}

void PxImageTIF::WriteTiffPage(tiff* handle, bool multiPage, std::uint32_t page, std::uint32_t pageCount) {
  auto require = [](int result) {
    if (!result) Fail("Error saving TIFF file");
  };
  const std::uint16_t bpp = Bpp();
  const bool withAlpha = AlphaIsValid() && (bpp == 24 || bpp == 8);
  std::uint16_t samples = bpp == 24 ? 3 : 1;
  if (withAlpha) ++samples;
  const std::uint16_t bitsPerSample = bpp == 24 ? 8 : bpp;
  const std::uint32_t width = static_cast<std::uint32_t>(Width());
  const std::uint32_t height = static_cast<std::uint32_t>(Height());

  // Photometric: 1-bit pictures are written white-is-zero, with their bits inverted when entry 0
  // is the darker one; the caller's picture keeps its palette and bits. Gray ramps are written
  // black-is-zero, other palettes as colour maps.
  std::uint16_t photometric = PHOTOMETRIC_RGB;
  bool invertBits = false;
  if (bpp == 1) {
    photometric = PHOTOMETRIC_MINISWHITE;
    const RGBQUAD first = PaletteColor(0);
    const RGBQUAD second = PaletteColor(1);
    invertBits = CompareGray(reinterpret_cast<const std::uint8_t*>(&first),
                             reinterpret_cast<const std::uint8_t*>(&second)) < 0;
  } else if (bpp <= 8) {
    photometric = PHOTOMETRIC_MINISBLACK;
    const std::uint32_t step = 255 / (NumColors() - 1);
    for (std::uint32_t i = 0; i < NumColors(); ++i) {
      const RGBQUAD entry = PaletteColor(static_cast<std::uint8_t>(i));
      if (!SameRgb(entry, MakeColor(static_cast<std::uint8_t>(i * step), static_cast<std::uint8_t>(i * step),
                                    static_cast<std::uint8_t>(i * step))))
        photometric = PHOTOMETRIC_PALETTE;
    }
  }

  require(TIFFSetField(handle, TIFFTAG_IMAGEWIDTH, width));
  require(TIFFSetField(handle, TIFFTAG_IMAGELENGTH, height));
  require(TIFFSetField(handle, TIFFTAG_SAMPLESPERPIXEL, samples));
  require(TIFFSetField(handle, TIFFTAG_BITSPERSAMPLE, bitsPerSample));
  require(TIFFSetField(handle, TIFFTAG_PHOTOMETRIC, photometric));
  require(TIFFSetField(handle, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG));
  require(TIFFSetField(handle, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT));
  if (withAlpha) {
    // Without this tag readers take the last sample for a colour, and the alpha channel is lost.
    const std::uint16_t extra = EXTRASAMPLE_UNASSALPHA;
    require(TIFFSetField(handle, TIFFTAG_EXTRASAMPLES, 1, &extra));
  }
  std::uint32_t rowsPerStrip = TIFFDefaultStripSize(handle, static_cast<std::uint32_t>(-1));
  require(TIFFSetField(handle, TIFFTAG_ROWSPERSTRIP, rowsPerStrip));
  require(TIFFSetField(handle, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH));
  require(TIFFSetField(handle, TIFFTAG_XRESOLUTION, static_cast<double>(info.dpiX)));
  require(TIFFSetField(handle, TIFFTAG_YRESOLUTION, static_cast<double>(info.dpiY)));
  if (multiPage) {
    require(TIFFSetField(handle, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE));
    require(TIFFSetField(handle, TIFFTAG_PAGENUMBER, static_cast<std::uint16_t>(page),
                         static_cast<std::uint16_t>(pageCount)));
    char pageName[32];
    std::snprintf(pageName, sizeof(pageName), "Page %u", page);
    require(TIFFSetField(handle, TIFFTAG_PAGENAME, pageName));
  } else {
    require(TIFFSetField(handle, TIFFTAG_SUBFILETYPE, 0));
  }

  if (photometric == PHOTOMETRIC_PALETTE) {
    std::uint16_t red[256] = {};
    std::uint16_t green[256] = {};
    std::uint16_t blue[256] = {};
    for (std::uint32_t i = 0; i < NumColors(); ++i) {
      const RGBQUAD entry = PaletteColor(static_cast<std::uint8_t>(i));
      red[i] = static_cast<std::uint16_t>(entry.rgbRed * 65535u / 255u);
      green[i] = static_cast<std::uint16_t>(entry.rgbGreen * 65535u / 255u);
      blue[i] = static_cast<std::uint16_t>(entry.rgbBlue * 65535u / 255u);
    }
    require(TIFFSetField(handle, TIFFTAG_COLORMAP, red, green, blue));
  }

  const std::uint32_t pixelBits = static_cast<std::uint32_t>(samples) * bitsPerSample;
  std::uint32_t compression = CodecOption(FMT_TIF);
  if (compression == 0) {
    if (bpp == 1) compression = COMPRESSION_CCITTFAX4;
    else if (bpp <= 8 || withAlpha) compression = COMPRESSION_LZW;
    else compression = COMPRESSION_JPEG;
  }
  // JPEG would blur the alpha channel as it blurs the colours (13 levels off at quality 75).
  if (withAlpha && (compression == COMPRESSION_JPEG || compression == COMPRESSION_OJPEG)) compression = COMPRESSION_LZW;
  require(TIFFSetField(handle, TIFFTAG_COMPRESSION, compression));
  if (compression == COMPRESSION_LZW && pixelBits >= 8)
    require(TIFFSetField(handle, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL));
  if (compression == COMPRESSION_JPEG) {
    require(TIFFSetField(handle, TIFFTAG_JPEGQUALITY, static_cast<int>(info.jpegQuality)));
    if (rowsPerStrip % 8 != 0) {
      rowsPerStrip += 8 - rowsPerStrip % 8;
      require(TIFFSetField(handle, TIFFTAG_ROWSPERSTRIP, rowsPerStrip));
    }
  }

  const tmsize_t scanline = TIFFScanlineSize(handle);
  if (scanline <= 0) Fail("Error saving TIFF file");
  std::vector<std::uint8_t> line(static_cast<std::size_t>(scanline));
  for (std::uint32_t y = 0; y < height; ++y) {
    const std::uint32_t stored = height - 1 - y;
    const std::uint8_t* pixels = RowBits(stored);
    const std::uint8_t* alphaRow = withAlpha ? alpha + static_cast<std::size_t>(stored) * width : nullptr;
    if (bpp == 24) {
      for (std::uint32_t x = 0; x < width; ++x) {
        std::uint8_t* out = line.data() + x * samples;
        out[0] = pixels[3 * x + 2];
        out[1] = pixels[3 * x + 1];
        out[2] = pixels[3 * x];
        if (alphaRow) out[3] = alphaRow[x];
      }
    } else if (alphaRow) {
      for (std::uint32_t x = 0; x < width; ++x) {
        line[2 * x] = pixels[x];
        line[2 * x + 1] = alphaRow[x];
      }
    } else {
      const std::size_t bytes = std::min<std::size_t>(line.size(), info.rowBytes);
      std::memcpy(line.data(), pixels, bytes);
      if (invertBits) {
        for (std::size_t i = 0; i < bytes; ++i) line[i] = static_cast<std::uint8_t>(~line[i]);
      }
    }
    if (TIFFWriteScanline(handle, line.data(), y, 0) < 0) Fail("Error saving TIFF file");
  }
}
