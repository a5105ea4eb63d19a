#include "image/PxImageJPG.h"

#include "image/PxFile.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstring>

// jpeglib's own `boolean` (an int) would clash with the Windows headers' `boolean` (a byte): the
// library's is renamed while its headers are read, so its structures keep their real layout.
#define boolean jpeg_boolean
#include <jerror.h>
#include <jpeglib.h>
#undef boolean

#if !defined(JCS_EXTENSIONS)
#error "the JPEG codec needs libjpeg-turbo's BGR colour spaces"
#endif

namespace {

// The library decodes Huffman data on its fast path only while a few kilobytes of input are at
// hand, so the input buffer holds many times that.
constexpr std::size_t kBufferSize = 64 * 1024;

// A legitimate progressive file has a few dozen scans; a crafted one with thousands would make the
// decoder revisit every coefficient thousands of times.
constexpr int kMaxScans = 1000;

// The library's error manager, extended by the jump back into the codec and the text buffer
// (the image's lastError) that receives the formatted message.
struct JpegErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char* message;
};

// Leaves the library's work for the codec's jump context. No C++ object with a destructor lives
// on the frames between the jump context and here.
[[noreturn]] void JumpOut(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegErrorManager*>(cinfo->err)->jump, 1);
}

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  // Library messages are at most JMSG_LENGTH_MAX (200) characters, within lastError's 256.
  (*cinfo->err->format_message)(cinfo, reinterpret_cast<JpegErrorManager*>(cinfo->err)->message);
  JumpOut(cinfo);
}

void LimitScans(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= kMaxScans) return;
  std::strcpy(reinterpret_cast<JpegErrorManager*>(cinfo->err)->message, "Too many scans in JPEG file");
  JumpOut(cinfo);
}

// The library scales by 1/8, 1/4 or 1/2, or not at all; other denominators are rounded down to
// one of those.
unsigned int ScaleDenominator(std::uint8_t scale) {
  if (scale >= 8) return 8;
  if (scale >= 4) return 4;
  if (scale >= 2) return 2;
  return 1;
}

// Inverted CMYK (as Adobe writes it) to blue, green, red.
void ConvertCmykRow(const JSAMPLE* source, std::size_t sourceLength, std::uint8_t* target,
                    std::size_t targetLength) {
  for (std::size_t s = 0, d = 0; s + 4 <= sourceLength && d + 3 <= targetLength; s += 4, d += 3) {
    const unsigned k = source[s + 3];
    target[d] = static_cast<std::uint8_t>(k * source[s + 2] / 255);
    target[d + 1] = static_cast<std::uint8_t>(k * source[s + 1] / 255);
    target[d + 2] = static_cast<std::uint8_t>(k * source[s] / 255);
  }
}

// Palette index of pixel x in a row of 1, 4 or 8 bits per pixel.
std::uint8_t IndexAt(const std::uint8_t* row, std::uint32_t x, std::uint16_t bpp) {
  switch (bpp) {
    case 1: return static_cast<std::uint8_t>((row[x >> 3] >> (7 - (x & 7))) & 1);
    case 4: return static_cast<std::uint8_t>((x & 1) ? row[x >> 1] & 15 : row[x >> 1] >> 4);
    default: return row[x];
  }
}

bool AllEntriesGray(const RGBQUAD* palette, std::uint32_t count) {
  return std::all_of(palette, palette + count, [](const RGBQUAD& entry) {
    return entry.rgbRed == entry.rgbGreen && entry.rgbGreen == entry.rgbBlue;
  });
}

}  // namespace

// The byte sink (encode) and byte source (decode) over a PxFile. It has no destructor, so the
// library's error jump may leave it behind; its buffer belongs to the library's permanent pool and
// goes with the compressor or decompressor.
struct PxImageJPG::PxFileJpg {
  jpeg_destination_mgr destination{};
  jpeg_source_mgr source{};
  PxFile* file;
  JOCTET* buffer = nullptr;
  bool startOfFile = true;

  explicit PxFileJpg(PxFile* target) : file(target) {
    destination.init_destination = InitDestination;
    destination.empty_output_buffer = EmptyOutputBuffer;
    destination.term_destination = TermDestination;
    source.init_source = InitSource;
    source.fill_input_buffer = FillInputBuffer;
    source.skip_input_data = SkipInputData;
    source.resync_to_restart = jpeg_resync_to_restart;
    source.term_source = TermSource;
    source.next_input_byte = nullptr;
    source.bytes_in_buffer = 0;
  }

  void AllocateBuffer(j_common_ptr cinfo) {
    buffer = static_cast<JOCTET*>((*cinfo->mem->alloc_small)(cinfo, JPOOL_PERMANENT, kBufferSize));
  }

  static PxFileJpg& Of(j_compress_ptr cinfo) { return *reinterpret_cast<PxFileJpg*>(cinfo->dest); }
  static PxFileJpg& Of(j_decompress_ptr cinfo) {
    return *reinterpret_cast<PxFileJpg*>(reinterpret_cast<char*>(cinfo->src) - offsetof(PxFileJpg, source));
  }

  static void InitSource(j_decompress_ptr cinfo) { Of(cinfo).startOfFile = true; }

  static jpeg_boolean FillInputBuffer(j_decompress_ptr cinfo) {
    PxFileJpg& self = Of(cinfo);
    std::size_t count = self.file->Read(self.buffer, 1, kBufferSize);
    if (count == 0) {
      if (self.startOfFile) ERREXIT(cinfo, JERR_INPUT_EMPTY);
      // A stream cut short ends as if its end-of-image marker had come; the library fills the rest.
      WARNMS(cinfo, JWRN_JPEG_EOF);
      self.buffer[0] = 0xFF;
      self.buffer[1] = JPEG_EOI;
      count = 2;
    }
    self.source.next_input_byte = self.buffer;
    self.source.bytes_in_buffer = count;
    self.startOfFile = false;
    return TRUE;
  }

  static void SkipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0) return;
    PxFileJpg& self = Of(cinfo);
    while (count > static_cast<long>(self.source.bytes_in_buffer)) {
      count -= static_cast<long>(self.source.bytes_in_buffer);
      FillInputBuffer(cinfo);
    }
    self.source.next_input_byte += count;
    self.source.bytes_in_buffer -= static_cast<std::size_t>(count);
  }

  static void TermSource(j_decompress_ptr) {}

  static void InitDestination(j_compress_ptr cinfo) {
    PxFileJpg& self = Of(cinfo);
    self.destination.next_output_byte = self.buffer;
    self.destination.free_in_buffer = kBufferSize;
  }

  static jpeg_boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    PxFileJpg& self = Of(cinfo);
    if (self.file->Write(self.buffer, 1, kBufferSize) != kBufferSize) ERREXIT(cinfo, JERR_FILE_WRITE);
    InitDestination(cinfo);
    return TRUE;
  }

  static void TermDestination(j_compress_ptr cinfo) {
    PxFileJpg& self = Of(cinfo);
    const std::size_t count = kBufferSize - self.destination.free_in_buffer;
    if (count > 0 && self.file->Write(self.buffer, 1, count) != count) ERREXIT(cinfo, JERR_FILE_WRITE);
    if (!self.file->Flush() || self.file->HasError()) ERREXIT(cinfo, JERR_FILE_WRITE);
  }
};

// Everything the library touches during one decode; nothing in it has a destructor.
struct PxImageJPG::DecodeJob {
  jpeg_decompress_struct cinfo{};
  JpegErrorManager error{};
  jpeg_progress_mgr progress{};
  PxFileJpg io;
  std::uint64_t fileBytes = 0;  // from the decode's start to the end of the file (0: unknown)

  explicit DecodeJob(PxFile* file) : io(file) {}
};

// Everything the library touches during one encode; nothing in it has a destructor.
struct PxImageJPG::EncodeJob {
  jpeg_compress_struct cinfo{};
  JpegErrorManager error{};
  PxFileJpg io;
  // Palette pictures are written through their colours: red, green, blue per index.
  JSAMPLE colors[256][3]{};

  explicit EncodeJob(PxFile* file) : io(file) {}
};

PxImageJPG::PxImageJPG() : PxImage(FMT_JPG) {}

PxImageJPG::~PxImageJPG() = default;

bool PxImageJPG::ReadExif(PxFile* file) {
  FExifInfo = ExifInfo{};
  FExif = std::make_unique<PxExifInfo>(&FExifInfo);
  const std::int32_t position = file->GetPosition();
  FExif->ReadJpegSections(file, PxExifInfo::kReadInfo);
  file->Seek(position, SEEK_SET);
  return FExifInfo.isExif;
}

bool PxImageJPG::Decode(PxFile* file) {
  if (!file) {
    SetError("null file handler");
    return false;
  }
  const std::int32_t start = file->GetPosition();
  const std::int32_t size = file->GetSize();
  const bool exif = ReadExif(file);
  DecodeJob job(file);
  if (start >= 0 && size > start) job.fileBytes = static_cast<std::uint64_t>(size - start);
  const bool ok = RunDecode(job, exif);
  // Safe after any step, including an error before the decompressor existed.
  jpeg_destroy_decompress(&job.cinfo);
  return ok;
}

bool PxImageJPG::RunDecode(DecodeJob& job, bool exif) {
  job.cinfo.err = jpeg_std_error(&job.error.pub);
  job.error.pub.error_exit = ErrorExit;
  job.error.message = info.lastError;
  if (setjmp(job.error.jump)) return false;
  return DecodePicture(job, exif);
}

bool PxImageJPG::DecodePicture(DecodeJob& job, bool exif) {
  jpeg_decompress_struct& cinfo = job.cinfo;
  jpeg_create_decompress(&cinfo);
  // Progressive pictures keep every coefficient in memory: the library stops before it would
  // claim more than a picture may take.
  cinfo.mem->max_memory_to_use = static_cast<long>(PXIMAGE_MAX_MEMORY);
  job.io.AllocateBuffer(reinterpret_cast<j_common_ptr>(&cinfo));
  job.progress.progress_monitor = LimitScans;
  cinfo.progress = &job.progress;
  cinfo.src = &job.io.source;
  jpeg_read_header(&cinfo, TRUE);

  const std::uint32_t options = CodecOption(FMT_JPG);
  if (options & kOptionDecodeGray) cinfo.out_color_space = JCS_GRAYSCALE;
  if (options & kOptionQuantize) {
    cinfo.quantize_colors = TRUE;
    cinfo.desired_number_of_colors = info.jpegQuality;
  }
  if (options & kOptionDither) cinfo.dither_mode = static_cast<J_DITHER_MODE>(FDitherMode);
  if (options & kOptionOnePassQuantize) cinfo.two_pass_quantize = FALSE;
  if (options & kOptionNoFancyUpsampling) cinfo.do_fancy_upsampling = FALSE;
  cinfo.scale_num = 1;
  cinfo.scale_denom = ScaleDenominator(info.jpegScale);

  if (info.escape == -1) {
    jpeg_calc_output_dimensions(&cinfo);
    header.biWidth = static_cast<LONG>(cinfo.output_width);
    header.biHeight = static_cast<LONG>(cinfo.output_height);
    return true;
  }

  // A few header bytes can promise a picture of gigabytes. Every 8 x 8 block of a Huffman-coded
  // picture takes at least one bit of the file, so a file too short for its blocks is refused before
  // anything is allocated; so is a picture beyond the library's size limit.
  const std::uint64_t blocks =
      ((std::uint64_t{cinfo.image_width} + 7) / 8) * ((std::uint64_t{cinfo.image_height} + 7) / 8);
  if (!cinfo.arith_code && job.fileBytes > 0 && blocks / 8 > job.fileBytes) {
    SetError("JPEG file too short for its picture size");
    return false;
  }
  jpeg_calc_output_dimensions(&cinfo);
  if (!FitsSizeLimit(cinfo.output_width, cinfo.output_height, 8u * static_cast<unsigned>(cinfo.output_components))) {
    SetError("PXIMAGE_MAX_MEMORY exceeded");
    return false;
  }

  const bool quantize = cinfo.quantize_colors;
  // Colour rows come out in the pixel block's blue, green, red order, straight into its rows.
  if (!quantize && cinfo.out_color_space == JCS_RGB) cinfo.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&cinfo);
  const int components = cinfo.output_components;
  if (components != 1 && components != 3 && components != 4) ERREXIT(&cinfo, JERR_CONVERSION_NOTIMPL);

  if (!Create(cinfo.output_width, cinfo.output_height, 8u * static_cast<unsigned>(components), FMT_JPG))
    return false;
  ApplyDensity(cinfo, exif);
  if (quantize) {
    const int colorComponents = cinfo.out_color_components;
    SetPaletteRGB(static_cast<std::uint32_t>(cinfo.actual_number_of_colors), cinfo.colormap[0],
                  colorComponents > 1 ? cinfo.colormap[1] : nullptr, colorComponents > 2 ? cinfo.colormap[2] : nullptr);
  } else if (cinfo.out_color_space == JCS_GRAYSCALE) {
    SetGrayPalette();
  }

  const bool cmyk = components == 4;
  // Three components in an order the library could not turn into BGR are swapped row by row.
  const bool swapRedBlue = components == 3 && cinfo.out_color_space != JCS_EXT_BGR;
  JSAMPARRAY cmykRow =
      cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, cinfo.output_width * 4, 1)
           : nullptr;
  const std::uint32_t height = cinfo.output_height;
  while (cinfo.output_scanline < height) {
    if (info.escape) return false;
    JSAMPROW row = RowBits(height - 1 - cinfo.output_scanline);
    if (cmyk) {
      jpeg_read_scanlines(&cinfo, cmykRow, 1);
      ConvertCmykRow(cmykRow[0], static_cast<std::size_t>(cinfo.output_width) * 4, row, info.rowBytes);
    } else {
      jpeg_read_scanlines(&cinfo, &row, 1);
      if (swapRedBlue) SwapRedBlue(row, static_cast<std::int32_t>(info.rowBytes));
    }
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

void PxImageJPG::ApplyDensity(const jpeg_decompress_struct& cinfo, bool exif) {
  if (exif) {
    // Resolution per inch from the camera's resolution and its unit in inches.
    auto perInch = [this](float resolution) -> std::int32_t {
      const double dpi = static_cast<double>(resolution) / FExifInfo.resolutionUnit;
      return dpi > 0 && dpi < 2147483647.0 ? static_cast<std::int32_t>(dpi) : 0;
    };
    if (FExifInfo.xResolution != 0.0f && FExifInfo.resolutionUnit != 0.0f) SetDpiX(perInch(FExifInfo.xResolution));
    if (FExifInfo.yResolution != 0.0f && FExifInfo.resolutionUnit != 0.0f) SetDpiY(perInch(FExifInfo.yResolution));
    return;
  }
  switch (cinfo.density_unit) {
    case 1:
      SetDpiX(cinfo.X_density);
      SetDpiY(cinfo.Y_density);
      break;
    case 2:
      SetDpiX(static_cast<std::int32_t>(std::floor(cinfo.X_density * 2.54 + 0.5)));
      SetDpiY(static_cast<std::int32_t>(std::floor(cinfo.Y_density * 2.54 + 0.5)));
      break;
    default:
      // Without a unit the densities give only the pixels' aspect ratio, no resolution.
      SetDpiX(0);
      SetDpiY(0);
      break;
  }
}

bool PxImageJPG::Encode(PxFile* file) {
  if (EncodeCheck(file)) return false;
  const std::int32_t start = file->GetPosition();
  EncodeJob job(file);
  const bool ok = RunEncode(job);
  jpeg_destroy_compress(&job.cinfo);
  if (!ok) return false;
  if (FExif && FExifInfo.isExif) return WriteBackExif(file, start);
  return true;
}

bool PxImageJPG::RunEncode(EncodeJob& job) {
  job.cinfo.err = jpeg_std_error(&job.error.pub);
  job.error.pub.error_exit = ErrorExit;
  job.error.message = info.lastError;
  if (setjmp(job.error.jump)) return false;
  return EncodePicture(job);
}

bool PxImageJPG::EncodePicture(EncodeJob& job) {
  jpeg_compress_struct& cinfo = job.cinfo;
  jpeg_create_compress(&cinfo);
  job.io.AllocateBuffer(reinterpret_cast<j_common_ptr>(&cinfo));
  cinfo.dest = &job.io.destination;
  cinfo.image_width = static_cast<JDIMENSION>(Width());
  cinfo.image_height = static_cast<JDIMENSION>(Height());

  // A palette picture goes out through its colours: one gray component when every entry is a
  // gray, red, green and blue otherwise. True-colour rows go out as they are stored.
  const bool indexed = IsIndexed();
  if (indexed) {
    const RGBQUAD* palette = Palette();
    const std::uint32_t count = std::min<std::uint32_t>(NumColors(), 256);
    const bool gray = AllEntriesGray(palette, count);
    for (std::uint32_t i = 0; i < count; ++i) {
      job.colors[i][0] = palette[i].rgbRed;
      job.colors[i][1] = palette[i].rgbGreen;
      job.colors[i][2] = palette[i].rgbBlue;
    }
    cinfo.input_components = gray ? 1 : 3;
    cinfo.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
  } else {
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;
  }
  jpeg_set_defaults(&cinfo);

  const std::uint32_t options = CodecOption(FMT_JPG);
  if (options & kOptionArithmetic) cinfo.arith_code = TRUE;
  if (options & kOptionOptimize) cinfo.optimize_coding = TRUE;
  if (options & kOptionGrayOutput) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
  if (options & kOptionSmoothing) cinfo.smoothing_factor = FSmoothingFactor;
  jpeg_set_quality(&cinfo, info.jpegQuality, (options & kOptionBaseline) ? TRUE : FALSE);
  if (options & kOptionProgressive) jpeg_simple_progression(&cinfo);

  cinfo.density_unit = 1;
  cinfo.X_density = static_cast<UINT16>(std::clamp(info.dpiX, 1, 65535));
  cinfo.Y_density = static_cast<UINT16>(std::clamp(info.dpiY, 1, 65535));
  jpeg_start_compress(&cinfo, TRUE);

  const int components = cinfo.input_components;
  JSAMPARRAY expanded =
      indexed ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                            cinfo.image_width * static_cast<JDIMENSION>(components), 1)
              : nullptr;
  const std::uint32_t height = cinfo.image_height;
  const std::uint16_t bpp = Bpp();
  while (cinfo.next_scanline < height) {
    const std::uint8_t* stored = RowBits(height - 1 - cinfo.next_scanline);
    JSAMPROW row;
    if (indexed) {
      row = expanded[0];
      JSAMPLE* out = row;
      for (std::uint32_t x = 0; x < cinfo.image_width; ++x) {
        const JSAMPLE* color = job.colors[IndexAt(stored, x, bpp)];
        for (int c = 0; c < components; ++c) *out++ = color[c];
      }
    } else {
      // The library only reads the rows it is given; the picture is not changed.
      row = const_cast<JSAMPROW>(stored);
    }
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  return true;
}

bool PxImageJPG::WriteBackExif(PxFile* file, std::int32_t start) {
  const std::int32_t end = file->GetPosition();
  FExif->KeepOnlyExif();
  // A stream that cannot be read back keeps the file as written, without the Exif block.
  if (!file->Seek(start, SEEK_SET) || !FExif->ReadJpegSections(file, PxExifInfo::kReadWholeImage)) {
    file->Seek(end, SEEK_SET);
    return true;
  }
  if (!file->Seek(start, SEEK_SET) || !FExif->WriteSections(file)) {
    SetError("Output file write error --- out of disk space?");
    return false;
  }
  return true;
}
