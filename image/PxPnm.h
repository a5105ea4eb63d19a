// PxPnm: the netpbm formats P1 to P6 (bitmaps, gray maps and pixel maps, plain text or binary) as
// component planes: one gray plane or red, green and blue planes, of as many bits as the file's
// maximum value needs when it fills them (255, 65535...), else of 8 bits scaled by that maximum.
// Bitmap bits (1 black) become intensities (0 black).
#pragma once

#include <cstddef>
#include <cstdint>

class PxFile;
struct PxJasImage;

// Whether the bytes begin a PNM file.
bool IsPnm(const std::uint8_t* head, std::size_t length);
bool ReadPnm(PxFile& file, PxJasImage& image);
// One plane as a binary gray map, three as a binary pixel map.
bool WritePnm(const PxJasImage& image, PxFile& file);
