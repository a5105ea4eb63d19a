// PxSunRaster: Sun raster files of 1, 8, 24 or 32 bits per pixel, plain or run-length encoded,
// with or without a colour map. Mapped and true-colour pictures give red, green and blue planes,
// the others one gray plane (1-bit pixels: 1 black).
#pragma once

#include <cstddef>
#include <cstdint>

class PxFile;
struct PxJasImage;

bool IsSunRaster(const std::uint8_t* head, std::size_t length);
bool ReadSunRaster(PxFile& file, PxJasImage& image);
// One 8-bit plane as an 8-bit gray raster, three as a 24-bit one; plain encoding, no colour map.
bool WriteSunRaster(const PxJasImage& image, PxFile& file);
