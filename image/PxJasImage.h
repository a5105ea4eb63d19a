// PxJasImage: a picture as component planes, the form in which the JPEG-2000 family codec meets
// its file formats (JPEG-2000 files and code streams, PGX, PNM and Sun raster). Readers recognise
// their format by its first bytes and fill the planes; writers take planes and write one format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class PxFile;

enum class PxJasColorSpace { Unknown, Gray, Rgb };

// One plane of samples, top row first.
struct PxJasComponent {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t precision = 8;  // bits per sample
  bool isSigned = false;
  std::vector<std::int32_t> samples;

  std::int32_t At(std::uint32_t x, std::uint32_t y) const { return samples[static_cast<std::size_t>(y) * width + x]; }
  std::int32_t& At(std::uint32_t x, std::uint32_t y) { return samples[static_cast<std::size_t>(y) * width + x]; }
};

struct PxJasImage {
  PxJasColorSpace colorSpace = PxJasColorSpace::Unknown;
  std::vector<PxJasComponent> components;

  // A plane of the given size and precision, unsigned, its samples zero.
  PxJasComponent& AddComponent(std::uint32_t width, std::uint32_t height, std::uint32_t precision);
};

enum class PxJasFormat { Jp2, Jpc, Pgx, Pnm, Ras };

// The samples any one picture may hold, all planes together: checked before a reader allocates.
constexpr std::uint64_t kMaxJasSamples = 1ull << 28;

// Bytes between the file's position and its end (0 when unknown).
std::uint64_t JasBytesLeft(PxFile& file);
// Whole reads and writes; false when fewer bytes moved.
bool JasReadAll(PxFile& file, void* buffer, std::size_t size);
bool JasWriteAll(PxFile& file, const void* buffer, std::size_t size);

// Reads whichever of the formats the bytes at the file's position are; false when none is or the
// data is damaged. The planes are unsigned unless the format says otherwise.
bool ReadJasImage(PxFile& file, PxJasImage& image);

// Writes the planes in the given format; `rate` is the fraction of the raw size a JPEG-2000 code
// stream may take (1 or more: lossless). False when the format cannot hold the planes or a write
// fails.
bool WriteJasImage(const PxJasImage& image, PxFile& file, PxJasFormat format, double rate);

// Turns the planes into three 8-bit sRGB planes (gray repeated in all three); false for colour
// spaces other than gray and RGB.
bool ConvertToSrgb(PxJasImage& image);
