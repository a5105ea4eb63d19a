// JPEG, PNG and TIFF decoding and encoding through PxImage, against the format libraries called
// directly (the floor: the same library settings and the same blue, green, red rows, to and from
// memory), on generated pictures of 1 and 12 megapixels, in one run; and a whole BMP save through
// PxImage::SaveFile (encoding into a growing memory file, then the file written and moved into
// place) against writing the same bytes to a file with WriteFile. Prints Google Benchmark's table,
// then the ratio of each PxImage time to the floor's.

#include "bench/BenchSupport.h"

// On seeing a Windows compiler, libpng's headers would give its functions the Windows calling
// convention; the library here is the system's own.
#include "platform/UnixHeadersBegin.h"
#include <png.h>
#include <tiffio.h>
#include "platform/UnixHeadersEnd.h"

#include "image/PxFile.h"
#include "image/PxPixelBlock.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

// jpeglib's `boolean` is renamed while its headers are read (the Windows headers have their own).
#define boolean jpeg_boolean
#include <jpeglib.h>
#undef boolean

namespace {

constexpr int kQuality = 90;
// PxImage may take this much of the library's own time, and no more.
constexpr double kCodecTarget = 1.10;

struct PictureSize {
  const char* name;
  std::uint32_t width;
  std::uint32_t height;
};

// The smallest and the largest picture of the range: the middle one told nothing the two don't.
const PictureSize kSizes[] = {{"1MP", 1152, 864}, {"12MP", 4000, 3000}};

// --- The libraries called directly ---------------------------------------------------------------
// They read and write the same blue, green, red rows the pixel block holds, so the comparison
// measures what PxImage adds, not a different pixel layout.

std::vector<std::uint8_t> PlainJpegEncode(const PxImage& image) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr error{};
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long length = 0;
  jpeg_mem_dest(&cinfo, &buffer, &length);
  cinfo.image_width = static_cast<JDIMENSION>(image.Width());
  cinfo.image_height = static_cast<JDIMENSION>(image.Height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, kQuality, FALSE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.RowBits(cinfo.image_height - 1 - cinfo.next_scanline));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<std::uint8_t> out(buffer, buffer + length);
  std::free(buffer);
  return out;
}

// Decodes into a fresh picture buffer, as a decode into a new image must, taken from the same
// allocator as PxImage's blocks so that only the decoding differs.
PixelBlock PlainJpegDecode(const std::vector<std::uint8_t>& jpeg) {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr error{};
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, jpeg.data(), jpeg.size());
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&cinfo);
  const std::size_t stride = static_cast<std::size_t>(cinfo.output_width) * cinfo.output_components;
  PixelBlock bgr(AllocatePixelBlock(stride * cinfo.output_height));
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = bgr.get() + cinfo.output_scanline * stride;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return bgr;
}

struct MemoryReader {
  const std::vector<std::uint8_t>* data;
  std::size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (reader->position + length > reader->data->size()) png_error(png, "read past the end");
  std::memcpy(out, reader->data->data() + reader->position, length);
  reader->position += length;
}

void WriteToMemory(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void FlushMemory(png_structp) {}

std::vector<std::uint8_t> PlainPngEncode(const PxImage& image) {
  std::vector<std::uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, WriteToMemory, FlushMemory);
  const auto height = static_cast<png_uint_32>(image.Height());
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.Width()), height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  png_set_pHYs(png, info, 3780, 3780, PNG_RESOLUTION_METER);
  png_write_info(png, info);
  png_set_bgr(png);
  for (png_uint_32 y = 0; y < height; ++y) png_write_row(png, image.RowBits(height - 1 - y));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

PixelBlock PlainPngDecode(const std::vector<std::uint8_t>& file) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  MemoryReader reader{&file, 0};
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_read_info(png, info);
  png_set_bgr(png);
  png_read_update_info(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  const std::size_t stride = png_get_rowbytes(png, info);
  PixelBlock bgr(AllocatePixelBlock(stride * height));
  for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, bgr.get() + y * stride, nullptr);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return bgr;
}

// libtiff reads and writes through this growable block, as PxImage's TIFF codec does through its file.
struct TiffMemory {
  std::vector<std::uint8_t> bytes;
  std::size_t position = 0;
};

TiffMemory& MemoryOf(thandle_t handle) { return *static_cast<TiffMemory*>(handle); }

tmsize_t TiffMemoryRead(thandle_t handle, void* out, tmsize_t length) {
  TiffMemory& memory = MemoryOf(handle);
  const std::size_t available = memory.position < memory.bytes.size() ? memory.bytes.size() - memory.position : 0;
  const std::size_t count = std::min(available, static_cast<std::size_t>(length));
  std::memcpy(out, memory.bytes.data() + memory.position, count);
  memory.position += count;
  return static_cast<tmsize_t>(count);
}

tmsize_t TiffMemoryWrite(thandle_t handle, void* data, tmsize_t length) {
  TiffMemory& memory = MemoryOf(handle);
  const std::size_t end = memory.position + static_cast<std::size_t>(length);
  if (end > memory.bytes.size()) memory.bytes.resize(end);
  std::memcpy(memory.bytes.data() + memory.position, data, static_cast<std::size_t>(length));
  memory.position = end;
  return length;
}

toff_t TiffMemorySeek(thandle_t handle, toff_t offset, int whence) {
  TiffMemory& memory = MemoryOf(handle);
  if (whence == SEEK_CUR) offset += memory.position;
  else if (whence == SEEK_END) offset += memory.bytes.size();
  memory.position = static_cast<std::size_t>(offset);
  return offset;
}

int TiffMemoryClose(thandle_t) { return 0; }
toff_t TiffMemorySize(thandle_t handle) { return MemoryOf(handle).bytes.size(); }
int TiffMemoryMap(thandle_t, void**, toff_t*) { return 0; }
void TiffMemoryUnmap(thandle_t, void*, toff_t) {}

TIFF* TiffMemoryOpen(TiffMemory& memory, const char* mode) {
  return TIFFClientOpen("memory", mode, &memory, TiffMemoryRead, TiffMemoryWrite, TiffMemorySeek, TiffMemoryClose,
                        TiffMemorySize, TiffMemoryMap, TiffMemoryUnmap);
}

// The page PxImage writes for a 24-bit picture: RGB samples, JPEG-compressed strips at its quality.
std::vector<std::uint8_t> PlainTiffEncode(const PxImage& image) {
  TiffMemory memory;
  TIFF* tif = TiffMemoryOpen(memory, "w");
  const auto width = static_cast<std::uint32_t>(image.Width());
  const auto height = static_cast<std::uint32_t>(image.Height());
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_JPEG);
  TIFFSetField(tif, TIFFTAG_JPEGQUALITY, kQuality);
  std::uint32_t rowsPerStrip = TIFFDefaultStripSize(tif, static_cast<std::uint32_t>(-1));
  rowsPerStrip += (8 - rowsPerStrip % 8) % 8;
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
  std::vector<std::uint8_t> line(static_cast<std::size_t>(TIFFScanlineSize(tif)));
  for (std::uint32_t y = 0; y < height; ++y) {
    const std::uint8_t* bgr = image.RowBits(height - 1 - y);
    for (std::uint32_t x = 0; x < width; ++x) {
      line[3 * x] = bgr[3 * x + 2];
      line[3 * x + 1] = bgr[3 * x + 1];
      line[3 * x + 2] = bgr[3 * x];
    }
    TIFFWriteScanline(tif, line.data(), y, 0);
  }
  TIFFClose(tif);
  return std::move(memory.bytes);
}

// Strip by strip into a fresh blue, green, red buffer: the least work a reader of this page can do.
PixelBlock PlainTiffDecode(const std::vector<std::uint8_t>& file) {
  TiffMemory memory{file, 0};
  TIFF* tif = TiffMemoryOpen(memory, "r");
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  PixelBlock bgr(AllocatePixelBlock(stride * height));
  const tstrip_t strips = TIFFNumberOfStrips(tif);
  tmsize_t offset = 0;
  for (tstrip_t strip = 0; strip < strips; ++strip) {
    const tmsize_t read = TIFFReadEncodedStrip(tif, strip, bgr.get() + offset, -1);
    if (read < 0) break;
    offset += read;
  }
  for (std::size_t i = 0; i + 2 < stride * height; i += 3) std::swap(bgr[i], bgr[i + 2]);
  TIFFClose(tif);
  return bgr;
}

// A path in the temporary folder, as a Windows path in UTF-8 (what SaveFile takes) and in UTF-16.
struct TempPath {
  std::string utf8;
  std::u16string wide;
};

TempPath MakeTempPath(const char* name) {
  WCHAR folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  std::u16string wide(reinterpret_cast<const char16_t*>(folder));
  for (const char* c = name; *c; ++c) wide.push_back(static_cast<char16_t>(*c));
  char utf8[4 * MAX_PATH] = {};
  WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<LPCWSTR>(wide.c_str()), -1, utf8, sizeof(utf8), nullptr, nullptr);
  return TempPath{utf8, wide};
}

// The least a save can do: the finished bytes written to a fresh file.
bool PlainWriteFile(const std::u16string& path, const std::vector<std::uint8_t>& bytes) {
  HANDLE handle = CreateFileW(reinterpret_cast<LPCWSTR>(path.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  return CloseHandle(handle) && ok;
}

// --- The pictures, their files, and the benchmarks ----------------------------------------------

struct Fixture {
  PictureSize size;
  std::unique_ptr<PxImage> image;
  std::vector<std::uint8_t> jpeg;
  std::vector<std::uint8_t> png;
  std::vector<std::uint8_t> tiff;
  std::vector<std::uint8_t> bmp;  // what a BMP save writes, for the floor of the save benchmark
};

std::vector<std::unique_ptr<Fixture>>& Fixtures() {
  static std::vector<std::unique_ptr<Fixture>> fixtures;
  return fixtures;
}

void PxDecode(benchmark::State& state, const Fixture& f, const std::vector<std::uint8_t>& bytes, std::uint32_t format) {
  std::vector<std::uint8_t> copy = bytes;
  for (auto _ : state) {
    PxMemFile file(copy.data(), static_cast<std::int32_t>(copy.size()));
    PxImage image;
    if (!image.Decode(&file, format) || image.Width() != static_cast<std::int32_t>(f.size.width)) {
      state.SkipWithError(image.LastError());
      break;
    }
    benchmark::DoNotOptimize(image.RowBits(0));
  }
}

void PxEncode(benchmark::State& state, const Fixture& f, std::uint32_t format) {
  for (auto _ : state) {
    PxMemFile file;
    file.Open();
    if (!f.image->Encode(&file, format)) {
      state.SkipWithError(f.image->LastError());
      break;
    }
    benchmark::DoNotOptimize(file.GetSize());
  }
}

void PxSaveFile(benchmark::State& state, const Fixture& f, const TempPath& path) {
  for (auto _ : state) {
    if (!f.image->SaveFile(path.utf8.c_str(), FMT_BMP)) {
      state.SkipWithError(f.image->LastError());
      break;
    }
  }
  DeleteFileW(reinterpret_cast<LPCWSTR>(path.wide.c_str()));
}

void Register(const Fixture& f) {
  const std::string size = f.size.name;
  const auto add = [](const std::string& name, auto body) { bench::AddTimed(name, body); };
  add("JPEG decode/PxImage/" + size, [&f](benchmark::State& s) { PxDecode(s, f, f.jpeg, FMT_JPG); });
  add("JPEG decode/libjpeg/" + size, [&f](benchmark::State& s) {
    for (auto _ : s) benchmark::DoNotOptimize(PlainJpegDecode(f.jpeg).get());
  });
  add("JPEG encode/PxImage/" + size, [&f](benchmark::State& s) { PxEncode(s, f, FMT_JPG); });
  add("JPEG encode/libjpeg/" + size, [&f](benchmark::State& s) {
    for (auto _ : s) benchmark::DoNotOptimize(PlainJpegEncode(*f.image).size());
  });
  add("PNG decode/PxImage/" + size, [&f](benchmark::State& s) { PxDecode(s, f, f.png, FMT_PNG); });
  add("PNG decode/libpng/" + size, [&f](benchmark::State& s) {
    for (auto _ : s) benchmark::DoNotOptimize(PlainPngDecode(f.png).get());
  });
  add("PNG encode/PxImage/" + size, [&f](benchmark::State& s) { PxEncode(s, f, FMT_PNG); });
  add("PNG encode/libpng/" + size, [&f](benchmark::State& s) {
    for (auto _ : s) benchmark::DoNotOptimize(PlainPngEncode(*f.image).size());
  });
  add("TIFF decode/PxImage/" + size, [&f](benchmark::State& s) { PxDecode(s, f, f.tiff, FMT_TIF); });
  add("TIFF decode/libtiff/" + size, [&f](benchmark::State& s) {
    for (auto _ : s) benchmark::DoNotOptimize(PlainTiffDecode(f.tiff).get());
  });
  add("TIFF encode/PxImage/" + size, [&f](benchmark::State& s) { PxEncode(s, f, FMT_TIF); });
  add("TIFF encode/libtiff/" + size, [&f](benchmark::State& s) {
    for (auto _ : s) benchmark::DoNotOptimize(PlainTiffEncode(*f.image).size());
  });
  if (f.bmp.empty()) return;
  add("BMP save/PxImage/" + size, [&f](benchmark::State& s) { PxSaveFile(s, f, MakeTempPath("pxbench-save.bmp")); });
  add("BMP save/WriteFile/" + size, [&f](benchmark::State& s) {
    const TempPath path = MakeTempPath("pxbench-plain.bmp");
    for (auto _ : s) {
      if (!PlainWriteFile(path.wide, f.bmp)) {
        s.SkipWithError("WriteFile failed");
        break;
      }
    }
    DeleteFileW(reinterpret_cast<LPCWSTR>(path.wide.c_str()));
  });
}

// "operation/PxImage/size" against "operation/<library>/size".
void PrintRatios(const std::map<std::string, double>& times) {
  std::printf("\n%-26s %12s %12s %8s  %s\n", "PxImage against library", "PxImage ms", "library ms", "ratio",
              "within 10%");
  for (const auto& [name, time] : times) {
    const std::size_t first = name.find('/');
    const std::size_t second = name.find('/', first + 1);
    if (name.compare(first + 1, second - first - 1, "PxImage") != 0) continue;
    const std::string operation = name.substr(0, first);
    const std::string size = name.substr(second + 1);
    const std::string library = operation.rfind("JPEG", 0) == 0  ? "libjpeg"
                                : operation.rfind("PNG", 0) == 0 ? "libpng"
                                : operation.rfind("BMP", 0) == 0 ? "WriteFile"
                                                                 : "libtiff";
    const auto floor = times.find(operation + "/" + library + "/" + size);
    if (floor == times.end() || floor->second <= 0) continue;
    const double ratio = time / floor->second;
    // A save encodes, then writes beside the target and replaces it: its floor, a bare write of the
    // finished bytes, shows what that adds, and the codecs' target does not apply.
    const bool save = operation.find("save") != std::string::npos;
    std::printf("%-26s %12.2f %12.2f %8.3f  %s\n", (operation + " " + size).c_str(), time, floor->second, ratio,
                save ? "-" : ratio <= kCodecTarget ? "yes" : "NO");
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (const PictureSize& size : kSizes) {
    auto f = std::make_unique<Fixture>();
    f->size = size;
    f->image = bench::MakePicture(size.width, size.height);
    f->jpeg = PlainJpegEncode(*f->image);
    f->png = PlainPngEncode(*f->image);
    f->tiff = PlainTiffEncode(*f->image);
    // The save benchmark runs on the 12-megapixel picture, where a memory file growing by a fixed
    // step turned quadratic.
    if (size.width * size.height >= 12000000) {
      PxMemFile encoded;
      if (encoded.Open() && f->image->Encode(&encoded, FMT_BMP))
        f->bmp.assign(encoded.Buffer(false), encoded.Buffer(false) + encoded.GetSize());
    }
    Fixtures().push_back(std::move(f));
  }
  for (const auto& f : Fixtures()) Register(*f);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bench::LeastTimeReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintRatios(reporter.Times());
  benchmark::Shutdown();
  return 0;
}
