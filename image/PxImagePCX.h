// PxImagePCX: ZSoft PCX files with their run-length coding: 1-bit planes (up to 4, so up to 16
// colours), packed 1-, 2-, 4- and 8-bit pixels, and 24-bit colour as 3 planes (4 with alpha).
#pragma once

#include "image/PxImage.h"

class PxImagePCX : public PxImage {
public:
  PxImagePCX() : PxImage(FMT_PCX) {}
  ~PxImagePCX() override = default;

  bool Decode(PxFile* file);
  bool Encode(PxFile* file);

private:
  void DecodePicture(PxFile* file);
  void EncodePicture(PxFile* file);
};
