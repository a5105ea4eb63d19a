// PxImageWBMP: the wireless bitmap (type 0): one bit per pixel, 1 white, rows top first.
#pragma once

#include "image/PxImage.h"

class PxImageWBMP : public PxImage {
public:
  PxImageWBMP() : PxImage(FMT_WBMP) {}
  ~PxImageWBMP() override = default;

  bool Decode(PxFile* file);
  bool Encode(PxFile* file);
};
