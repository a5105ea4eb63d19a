// PxOpenJpeg: JPEG-2000 files (JP2) and bare code streams (J2K/JPC) through OpenJPEG, which reads
// and writes through the PxFile.
#pragma once

#include <cstddef>
#include <cstdint>

class PxFile;
struct PxJasImage;

bool IsJp2File(const std::uint8_t* head, std::size_t length);
bool IsJpcStream(const std::uint8_t* head, std::size_t length);
// A damaged or cut stream fails rather than giving a partly decoded picture.
bool ReadJpeg2000(PxFile& file, bool codeStream, PxJasImage& image);
// Planes of equal size; `rate` is the fraction of the raw size the code stream may take, 1 or
// more for a lossless one (reversible wavelet throughout).
bool WriteJpeg2000(const PxJasImage& image, PxFile& file, bool codeStream, double rate);
