// PxImageTGA: Truevision Targa files: palette, true-colour and gray pictures of 8, 15, 16, 24 and
// 32 bits, uncompressed or run-length coded, from either corner. Pictures are written uncompressed,
// bottom row first: 8-bit with a 256-entry colour map, 24-bit, or 32-bit with the alpha channel.
#pragma once

#include "image/PxImage.h"

class PxImageTGA : public PxImage {
public:
  PxImageTGA() : PxImage(FMT_TGA) {}
  ~PxImageTGA() override = default;

  bool Decode(PxFile* file);
  bool Encode(PxFile* file);

private:
  void DecodePicture(PxFile* file);
  void EncodePicture(PxFile* file);
};
