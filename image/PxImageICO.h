// PxImageICO: Windows icons and cursors (any entry of the directory, bitmap or PNG, up to 256 pixels a
// side); writes single-image icons.
#pragma once

#include "image/PxImage.h"

class PxImageICO : public PxImage {
public:
  PxImageICO() : PxImage(FMT_ICO) {}
  ~PxImageICO() override = default;

  bool Decode(PxFile* file);
  bool Encode(PxFile* file);

private:
  // An entry that holds a PNG file, read by the PNG codec.
  bool DecodePngEntry(PxFile* file);
  // Turns the AND mask into transparency: alpha, one transparent colour or one free palette index.
  void ApplyMask(const std::uint8_t* mask, std::uint32_t maskRowBytes, std::uint16_t bitCount);
};
