#include "image/PxImagePNG.h"

#include "image/PxFile.h"

// libpng's headers give its functions the Windows calling convention when they see a Windows
// compiler; the library here is the system's own, built without it.
#include "platform/UnixHeadersBegin.h"
#include <png.h>
#include "platform/UnixHeadersEnd.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

void PngReadData(png_structp png, png_bytep data, png_size_t length) {
  auto* file = static_cast<PxFile*>(png_get_io_ptr(png));
  if (file->Read(data, 1, length) != length) png_error(png, "Read Error");
}

void PngWriteData(png_structp png, png_bytep data, png_size_t length) {
  auto* file = static_cast<PxFile*>(png_get_io_ptr(png));
  if (file->Write(data, 1, length) != length) png_error(png, "Write Error");
}

void PngFlushData(png_structp png) {
  auto* file = static_cast<PxFile*>(png_get_io_ptr(png));
  if (!file->Flush()) png_error(png, "Flush Error");
}

// Keeps the library's message in the buffer registered with it (the image's lastError) and jumps
// back to the codec. No C++ object with a destructor lives on the frames in between.
[[noreturn]] void PngError(png_structp png, png_const_charp message) {
  if (auto* buffer = static_cast<char*>(png_get_error_ptr(png))) {
    std::strncpy(buffer, message, 255);
    buffer[255] = '\0';
  }
  png_longjmp(png, 1);
}

// Limits on what the library may claim for a file: no metadata chunk a picture needs comes near
// 8 MB (ICC profiles are a few hundred kB), and a side over a million pixels passes the size limit.
constexpr png_alloc_size_t kLargestChunk = 8 * 1024 * 1024;
constexpr png_uint_32 kMostAncillaryChunks = 1000;
constexpr png_uint_32 kLargestSide = 1000000;
// Chunks the library would read whole into memory that the decoder never uses: texts, suggested
// palettes, calibrations, histograms, times and Exif data.
constexpr png_byte kUnusedChunks[] = "tEXt\0zTXt\0iTXt\0sPLT\0pCAL\0sCAL\0eXIf\0hIST\0tIME\0oFFs\0";
constexpr int kUnusedChunkCount = 10;

std::int32_t DotsPerInch(png_uint_32 pixelsPerMetre) {
  return static_cast<std::int32_t>(std::floor(pixelsPerMetre * 0.0254 + 0.5));
}

// Palette index of pixel x in a row of 1, 4 or 8 bits per pixel.
std::uint8_t IndexAt(const std::uint8_t* row, std::uint32_t x, std::uint16_t bpp) {
  switch (bpp) {
    case 1: return static_cast<std::uint8_t>((row[x >> 3] >> (7 - (x & 7))) & 1);
    case 4: return static_cast<std::uint8_t>((x & 1) ? row[x >> 1] & 15 : row[x >> 1] >> 4);
    default: return row[x];
  }
}

}  // namespace

// Everything the library touches during one decode; nothing in it has a destructor.
struct PxImagePNG::ReadJob {
  PxFile* file;
  png_structp png = nullptr;
  png_infop pngInfo = nullptr;
  std::uint8_t* row = nullptr;  // std::malloc'ed; released after the library's work, jump or not
};

// Everything the library touches during one encode; nothing in it has a destructor.
struct PxImagePNG::WriteJob {
  PxFile* file;
  png_structp png = nullptr;
  png_infop pngInfo = nullptr;
  std::uint8_t* row = nullptr;  // std::malloc'ed
  int colorType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  // The file's palette and transparency, and the index exchange that puts the transparent entry
  // first, applied to each row through a table over whole bytes. The picture itself is not changed.
  png_color palette[256]{};
  int paletteCount = 0;
  png_byte trans[256]{};
  int transCount = 0;
  bool remap = false;
  std::uint8_t byteMap[256]{};
  // 24-bit pictures with a transparent colour are written with alpha 0 where that colour is.
  bool colorKey = false;
  RGBQUAD keyColor{};
};

// --- Decode --------------------------------------------------------------------------------------

bool PxImagePNG::Decode(PxFile* file) {
  ReadJob job{file};
  const bool ok = RunDecode(job);
  std::free(job.row);
  png_destroy_read_struct(&job.png, &job.pngInfo, nullptr);
  return ok;
}

bool PxImagePNG::RunDecode(ReadJob& job) {
  job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!job.png) {
    SetError("Failed to create PNG structure");
    return false;
  }
  job.pngInfo = png_create_info_struct(job.png);
  if (!job.pngInfo) {
    SetError("Failed to initialize PNG info structure");
    return false;
  }
  png_set_error_fn(job.png, info.lastError, PngError, nullptr);
  // A chunk's length field alone would otherwise make the library claim up to 2 GB for it (this
  // libpng only warns when a chunk passes the limit, and still reads metadata chunks whole), and a
  // stream of ancillary chunks would pile up without end. Metadata the decoder has no use for is
  // passed over unread; the picture's own size is checked against the file below.
  png_set_chunk_malloc_max(job.png, kLargestChunk);
  png_set_chunk_cache_max(job.png, kMostAncillaryChunks);
  png_set_user_limits(job.png, kLargestSide, kLargestSide);
  png_set_keep_unknown_chunks(job.png, PNG_HANDLE_CHUNK_NEVER, kUnusedChunks, kUnusedChunkCount);
  if (setjmp(png_jmpbuf(job.png))) return false;
  return DecodePicture(job);
}

bool PxImagePNG::DecodePicture(ReadJob& job) {
  png_structp png = job.png;
  png_infop pngInfo = job.pngInfo;
  png_set_read_fn(png, job.file, PngReadData);
  png_read_info(png, pngInfo);

  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bitDepth = 0;
  int colorType = 0;
  png_get_IHDR(png, pngInfo, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
  const int pixelDepth = bitDepth * png_get_channels(png, pngInfo);

  // A header can promise gigabytes in a few bytes. Deflate packs at most 1032 bytes into one, so
  // the file must hold at least that share of the filtered rows before their block is made.
  const std::uint64_t filteredBytes = ((std::uint64_t{width} * static_cast<std::uint32_t>(pixelDepth) + 7) / 8 + 1) * height;
  const std::int32_t position = job.file->GetPosition();
  const std::int32_t size = job.file->GetSize();
  if (position >= 0 && size >= position && filteredBytes / 1032 > static_cast<std::uint64_t>(size - position)) {
    SetError("PNG file too short for its picture size");
    return false;
  }

  // Partial transparency is composited over the background, except in the 32-bit layouts whose
  // alpha the picture keeps as its alpha channel.
  png_color_16p fileBackground = nullptr;
  const bool hasBackground = png_get_bKGD(png, pngInfo, &fileBackground) != 0 && fileBackground;
  if (pixelDepth != 32) {
    if (hasBackground) {
      png_set_background(png, fileBackground, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
    } else {
      // Light gray; a background not taken from the file is given at the output's 8 bits.
      png_color_16 gray{0, 192, 192, 192, 192};
      png_set_background(png, &gray, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
    }
  } else if (hasBackground) {
    info.transparentColor = RGBQUAD{static_cast<BYTE>(fileBackground->blue & 0xFF),
                                    static_cast<BYTE>(fileBackground->green & 0xFF),
                                    static_cast<BYTE>(fileBackground->red & 0xFF), 0};
  }
  if (bitDepth == 16) png_set_strip_16(png);

  const int depth = pixelDepth > 16 ? 24 : (pixelDepth == 16 ? 8 : pixelDepth);
  if (!Create(width, height, static_cast<std::uint32_t>(depth), FMT_PNG)) return false;

  png_uint_32 xPixelsPerUnit = 0;
  png_uint_32 yPixelsPerUnit = 0;
  int unit = PNG_RESOLUTION_UNKNOWN;
  png_get_pHYs(png, pngInfo, &xPixelsPerUnit, &yPixelsPerUnit, &unit);
  if (unit == PNG_RESOLUTION_METER) {
    SetDpiX(DotsPerInch(xPixelsPerUnit));
    SetDpiY(DotsPerInch(yPixelsPerUnit));
  } else {
    // No pHYs, or one that gives only the pixels' aspect ratio: no resolution is known.
    SetDpiX(0);
    SetDpiY(0);
  }

  png_colorp filePalette = nullptr;
  int filePaletteCount = 0;
  if (png_get_PLTE(png, pngInfo, &filePalette, &filePaletteCount) && filePalette) {
    const std::uint32_t count = std::min<std::uint32_t>(static_cast<std::uint32_t>(filePaletteCount), NumColors());
    for (std::uint32_t i = 0; i < count; ++i)
      SetPaletteEntry(static_cast<std::uint8_t>(i), filePalette[i].red, filePalette[i].green, filePalette[i].blue, 0);
  } else if (bitDepth == 2) {
    for (std::uint8_t i = 0; i < 4; ++i) {
      const auto level = static_cast<std::uint8_t>(i * 0x55);
      SetPaletteEntry(i, level, level, level, 0);
    }
  } else {
    SetGrayPalette();
  }

  if (colorType == PNG_COLOR_TYPE_PALETTE) {
    png_bytep transAlpha = nullptr;
    int transCount = 0;
    if (png_get_tRNS(png, pngInfo, &transAlpha, &transCount, nullptr) && transAlpha && transCount > 0) {
      RGBQUAD* entries = Palette();
      const std::uint32_t count = std::min<std::uint32_t>(static_cast<std::uint32_t>(transCount), NumColors());
      for (std::uint32_t i = 0; i < count; ++i) entries[i].rgbReserved = transAlpha[i];
      if (transCount == 1 && transAlpha[0] == 0) {
        info.transparentIndex = 0;
      } else {
        info.alphaPaletteEnabled = true;
        for (std::uint32_t i = count; i < NumColors(); ++i) entries[i].rgbReserved = 255;
      }
    }
  }

  const bool withAlpha = colorType == PNG_COLOR_TYPE_RGB_ALPHA ||
                         (colorType == PNG_COLOR_TYPE_GRAY_ALPHA && pixelDepth == 32);
  if (withAlpha) {
    if (colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
      png_set_gray_to_rgb(png);
      png_set_expand(png);
    }
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    if (!AlphaCreate()) {
      SetError("PxImage::Create can't allocate memory");
      return false;
    }
  }
  if (colorType & PNG_COLOR_MASK_COLOR) png_set_bgr(png);

  if (info.escape) return false;

  const int passes = png_set_interlace_handling(png);
  SetCodecOption(passes > 1 ? 1 : 0, FMT_PNG);
  png_read_update_info(png, pngInfo);

  // Rows without alpha come out in the pixel block's own layout and go straight into its rows
  // (an interlaced pass merges into what the earlier passes left there); rows with alpha come
  // out as four bytes per pixel and are split into the pixels and the alpha channel.
  const std::size_t outputBytes = png_get_rowbytes(png, pngInfo);
  if (withAlpha ? outputBytes < 4ull * width : outputBytes > info.rowBytes) png_error(png, "Unexpected row layout");
  if (!withAlpha) {
    for (int pass = 0; pass < passes; ++pass) {
      for (png_uint_32 y = 0; y < height; ++y) {
        if (info.escape) return false;
        std::uint8_t* row = RowBits(height - 1 - y);
        png_read_row(png, row, nullptr);
        if (bitDepth == 2 && pass == passes - 1) ExpandTwoBitRow(row);
      }
    }
  } else {
    job.row = static_cast<std::uint8_t*>(std::malloc(outputBytes));
    if (!job.row) png_error(png, "Out of memory");
    std::uint8_t* buffer = job.row;
    for (int pass = 0; pass < passes; ++pass) {
      for (png_uint_32 y = 0; y < height; ++y) {
        if (info.escape) return false;
        const png_uint_32 stored = height - 1 - y;
        std::uint8_t* pixels = RowBits(stored);
        std::uint8_t* alphaRow = alpha + static_cast<std::size_t>(stored) * width;
        if (pass > 0) {
          for (png_uint_32 x = 0; x < width; ++x) {
            std::memcpy(buffer + 4 * x, pixels + 3 * x, 3);
            buffer[4 * x + 3] = alphaRow[x];
          }
        }
        png_read_row(png, buffer, nullptr);
        for (png_uint_32 x = 0; x < width; ++x) {
          std::memcpy(pixels + 3 * x, buffer + 4 * x, 3);
          alphaRow[x] = buffer[4 * x + 3];
        }
      }
    }
  }
  png_read_end(png, nullptr);
  return true;
}

void PxImagePNG::ExpandTwoBitRow(std::uint8_t* row) const {
  // From the right end, so every 2-bit pixel is read before its byte is overwritten.
  for (std::int32_t x = Width() - 1; x >= 0; --x) {
    const auto value = static_cast<std::uint8_t>((row[x >> 2] >> (6 - 2 * (x & 3))) & 3);
    std::uint8_t& target = row[x >> 1];
    target = (x & 1) ? static_cast<std::uint8_t>((target & 0xF0) | value)
                     : static_cast<std::uint8_t>((target & 0x0F) | (value << 4));
  }
}

// --- Encode --------------------------------------------------------------------------------------

bool PxImagePNG::Encode(PxFile* file) {
  if (EncodeCheck(file)) return false;
  WriteJob job{file};
  const bool ok = RunEncode(job);
  std::free(job.row);
  png_destroy_write_struct(&job.png, &job.pngInfo);
  return ok;
}

bool PxImagePNG::RunEncode(WriteJob& job) {
  job.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!job.png) {
    SetError("Failed to create PNG structure");
    return false;
  }
  job.pngInfo = png_create_info_struct(job.png);
  if (!job.pngInfo) {
    SetError("Failed to initialize PNG info structure");
    return false;
  }
  png_set_error_fn(job.png, info.lastError, PngError, nullptr);
  if (setjmp(png_jmpbuf(job.png))) {
    SetError("Error saving PNG file");
    return false;
  }
  return EncodePicture(job);
}

void PxImagePNG::DescribePicture(WriteJob& job) {
  if (AlphaIsValid() || (Bpp() == 24 && info.transparentIndex >= 0)) {
    job.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    job.colorKey = Bpp() == 24 && info.transparentIndex >= 0;
    job.keyColor = TransparentColor();
    return;
  }
  if (!IsIndexed()) {
    job.colorType = PNG_COLOR_TYPE_RGB;
    return;
  }

  job.colorType = PNG_COLOR_TYPE_PALETTE;
  job.bitDepth = Bpp();
  const std::uint32_t colors = NumColors();
  const RGBQUAD* entries = Palette();

  // The transparent entry becomes entry 0, the only one tRNS then needs to name.
  std::uint8_t indexMap[256];
  for (int i = 0; i < 256; ++i) indexMap[i] = static_cast<std::uint8_t>(i);
  const bool transparent = info.transparentIndex >= 0 && static_cast<std::uint32_t>(info.transparentIndex) < colors;
  if (transparent && info.transparentIndex != 0) {
    indexMap[0] = static_cast<std::uint8_t>(info.transparentIndex);
    indexMap[info.transparentIndex] = 0;
    job.remap = true;
    const int bits = job.bitDepth;
    const int perByte = 8 / bits;
    const int mask = (1 << bits) - 1;
    for (int value = 0; value < 256; ++value) {
      int mapped = 0;
      for (int p = 0; p < perByte; ++p) {
        const int shift = p * bits;
        mapped |= indexMap[(value >> shift) & mask] << shift;
      }
      job.byteMap[value] = static_cast<std::uint8_t>(mapped);
    }
  }

  RGBQUAD ordered[256]{};
  for (std::uint32_t i = 0; i < colors; ++i) ordered[indexMap[i]] = entries[i];

  // Small pictures write only the entries up to the highest index they use.
  std::uint32_t count = colors;
  const auto width = static_cast<std::uint32_t>(Width());
  const auto height = static_cast<std::uint32_t>(Height());
  if (colors > 2 && static_cast<std::uint64_t>(width) * height < 65536) {
    std::uint32_t highest = 0;
    for (std::uint32_t y = 0; y < height; ++y) {
      const std::uint8_t* row = RowBits(y);
      for (std::uint32_t x = 0; x < width; ++x)
        highest = std::max<std::uint32_t>(highest, indexMap[IndexAt(row, x, Bpp())]);
    }
    count = std::min(colors, highest + 1);
  }
  job.paletteCount = static_cast<int>(count);
  for (std::uint32_t i = 0; i < count; ++i)
    job.palette[i] = png_color{ordered[i].rgbRed, ordered[i].rgbGreen, ordered[i].rgbBlue};

  if (info.alphaPaletteEnabled) {
    for (std::uint32_t i = 0; i < count; ++i) job.trans[i] = ordered[i].rgbReserved;
    job.transCount = static_cast<int>(count);
  } else if (transparent) {
    job.trans[0] = 0;
    job.transCount = 1;
  }
}

void PxImagePNG::BuildRow(WriteJob& job, std::uint32_t y) {
  const auto height = static_cast<std::uint32_t>(Height());
  const std::uint32_t stored = height - 1 - y;
  const std::uint8_t* pixels = RowBits(stored);
  std::uint8_t* out = job.row;
  if (job.colorType == PNG_COLOR_TYPE_PALETTE) {
    for (std::uint32_t i = 0; i < info.rowBytes; ++i) out[i] = job.byteMap[pixels[i]];
    return;
  }
  const auto width = static_cast<std::uint32_t>(Width());
  const std::uint8_t* alphaRow = alpha ? alpha + static_cast<std::size_t>(stored) * width : nullptr;
  const std::uint16_t bpp = Bpp();
  const RGBQUAD* entries = Palette();
  for (std::uint32_t x = 0; x < width; ++x) {
    RGBQUAD color;
    if (bpp == 24) color = RGBQUAD{pixels[3 * x], pixels[3 * x + 1], pixels[3 * x + 2], 0};
    else color = entries[IndexAt(pixels, x, bpp)];
    unsigned opacity = alphaRow ? alphaRow[x] * static_cast<unsigned>(info.alphaMax) / 255 : info.alphaMax;
    if (job.colorKey && SameRgb(color, job.keyColor)) opacity = 0;
    out[4 * x] = color.rgbRed;
    out[4 * x + 1] = color.rgbGreen;
    out[4 * x + 2] = color.rgbBlue;
    out[4 * x + 3] = static_cast<std::uint8_t>(opacity);
  }
}

bool PxImagePNG::EncodePicture(WriteJob& job) {
  png_structp png = job.png;
  png_infop pngInfo = job.pngInfo;
  png_set_write_fn(png, job.file, PngWriteData, PngFlushData);

  DescribePicture(job);
  const auto width = static_cast<png_uint_32>(Width());
  const auto height = static_cast<png_uint_32>(Height());
  const int interlace = CodecOption(FMT_PNG) == 1 ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE;
  png_set_IHDR(png, pngInfo, width, height, job.bitDepth, job.colorType, interlace, PNG_COMPRESSION_TYPE_BASE,
               PNG_FILTER_TYPE_BASE);

  png_color_16 background{0, 255, 255, 255, 0};
  if (info.transparentIndex != -1) {
    background.red = info.transparentColor.rgbRed;
    background.green = info.transparentColor.rgbGreen;
    background.blue = info.transparentColor.rgbBlue;
  }
  png_set_bKGD(png, pngInfo, &background);
  png_set_pHYs(png, pngInfo, static_cast<png_uint_32>(header.biXPelsPerMeter),
               static_cast<png_uint_32>(header.biYPelsPerMeter), PNG_RESOLUTION_METER);
  if (job.colorType == PNG_COLOR_TYPE_PALETTE) {
    png_set_PLTE(png, pngInfo, job.palette, job.paletteCount);
    if (job.transCount > 0) png_set_tRNS(png, pngInfo, job.trans, job.transCount, nullptr);
  }
  png_write_info(png, pngInfo);

  // RGB rows go out as stored, the library exchanging blue and red on its own copy; palette rows
  // with exchanged indices and RGBA rows are built in the job's buffer.
  const bool direct = job.colorType == PNG_COLOR_TYPE_RGB || (job.colorType == PNG_COLOR_TYPE_PALETTE && !job.remap);
  if (job.colorType == PNG_COLOR_TYPE_RGB) png_set_bgr(png);
  if (!direct) {
    const std::size_t bytes = job.colorType == PNG_COLOR_TYPE_RGB_ALPHA ? 4ull * width : info.rowBytes;
    job.row = static_cast<std::uint8_t*>(std::malloc(bytes));
    if (!job.row) png_error(png, "Out of memory");
  }
  const int passes = png_set_interlace_handling(png);
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = 0; y < height; ++y) {
      if (direct) {
        png_write_row(png, RowBits(height - 1 - y));
      } else {
        BuildRow(job, y);
        png_write_row(png, job.row);
      }
    }
  }
  png_write_end(png, pngInfo);
  return true;
}
