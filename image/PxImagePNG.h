// PxImagePNG: PNG files through libpng. Reading maps every colour type onto 1, 4, 8 or 24 bits per
// pixel with an optional alpha channel and palette alpha, compositing partial transparency over the
// file's background where the picture keeps no alpha; writing produces palette, RGB or RGBA files,
// interlaced when the FMT_PNG codec option is 1.
#pragma once

#include "image/PxImage.h"

#include <cstdint>

class PxImagePNG : public PxImage {
public:
  PxImagePNG() : PxImage(FMT_PNG) {}
  ~PxImagePNG() override = default;

  bool Decode(PxFile* file);
  bool Encode(PxFile* file);

private:
  struct ReadJob;
  struct WriteJob;

  // The library's work between arming its error jump and returning; an error jumps back out of it.
  bool RunDecode(ReadJob& job);
  bool DecodePicture(ReadJob& job);
  bool RunEncode(WriteJob& job);
  bool EncodePicture(WriteJob& job);
  // Chooses the file's colour type, palette and transparency from the picture.
  void DescribePicture(WriteJob& job);
  // One picture row as the file stores it, in the job's row buffer.
  void BuildRow(WriteJob& job, std::uint32_t y);

  // Widens a row of 2-bit pixels in place to 4-bit pixels.
  void ExpandTwoBitRow(std::uint8_t* row) const;
};
