// PxImageBMP: Windows bitmaps (uncompressed 1/4/8/16/24/32 bits, RLE8, RLE4, bit fields, with the
// core, classic or newer V4/V5 information headers; written bottom-up and uncompressed with the
// classic header). Also reads a bare information header without the file header.
#pragma once

#include "image/PxImage.h"

class PxImageBMP : public PxImage {
public:
  PxImageBMP() : PxImage(FMT_BMP) {}
  ~PxImageBMP() override = default;

  bool Decode(PxFile* file);
  bool Encode(PxFile* file);

  // Colour masks of 16- and 32-bit pixels; alpha 0 when the pixels carry none.
  struct BitFields {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
    std::uint32_t alpha = 0;
    bool inHeader = false;  // given by a header longer than the classic one
  };

  // Reads and normalises an information header (core, 40-byte and longer forms, V4 and V5 among
  // them); the masks of a longer header go to `fields` when given.
  static bool ReadBitmapInfo(PxFile* file, BITMAPINFOHEADER& header, BitFields* fields = nullptr);

private:
  // 16- or 32-bit rows (2 or 4 bytes a pixel) from the file into the 24-bit pixel block, colours
  // found by their masks; an alpha mask gives the alpha channel.
  void ReadPackedRows(PxFile* file, std::uint32_t bytesPerPixel, const BitFields& fields);
  bool DecodeRle8(PxFile* file);
  bool DecodeRle4(PxFile* file);
};
