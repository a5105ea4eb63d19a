// PxImageBMP: Windows bitmaps (uncompressed 1/4/8/16/24/32 bits, RLE8, RLE4, bit fields; written
// bottom-up and uncompressed). Also reads a bare BITMAPINFOHEADER without the file header.
#pragma once

#include "image/PxImage.h"

class PxImageBMP : public PxImage {
public:
  PxImageBMP() : PxImage(FMT_BMP) {}
  ~PxImageBMP() override = default;

  bool Decode(PxFile* file);
  bool Encode(PxFile* file);

  // Reads and normalises an information header (core, 40-byte and longer forms).
  static bool ReadBitmapInfo(PxFile* file, BITMAPINFOHEADER& header);

private:
  bool DecodeRle8(PxFile* file);
  bool DecodeRle4(PxFile* file);
};
