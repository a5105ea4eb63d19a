// PxPgx: the JPEG-2000 test format PGX, one plane of 1 to 16 bits, signed or not, in either byte
// order behind a one-line text header ("PG ML + 8 640 480").
#pragma once

#include <cstddef>
#include <cstdint>

class PxFile;
struct PxJasImage;

bool IsPgx(const std::uint8_t* head, std::size_t length);
bool ReadPgx(PxFile& file, PxJasImage& image);
// Writes the only plane, big-endian; false for any other number of planes.
bool WritePgx(const PxJasImage& image, PxFile& file);
