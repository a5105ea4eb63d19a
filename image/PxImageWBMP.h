// PxImageWBMP: the wireless bitmap (type 0): one bit per pixel, 1 white, rows top first.
#pragma once

#include "image/PxImage.h"

class PxImageWBMP : public PxImage {
public:
  PxImageWBMP() : PxImage(FMT_WBMP) {}
  ~PxImageWBMP() override = default;

  // A probe (probing true) accepts only a file that is exactly one type 0 picture: a zero fixed
  // header byte and just the bytes its rows need. Any first byte of 0 would do otherwise, and damaged
  // files of other formats would come out as noise.
  bool Decode(PxFile* file, bool probing = false);
  bool Encode(PxFile* file);
};
