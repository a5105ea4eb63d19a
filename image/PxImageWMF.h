// PxImageWMF: placeable Windows metafiles and enhanced metafiles, played by GDI into an
// off-screen bitmap of the screen's depth. Metafiles cannot be saved.
#pragma once

#include "image/PxImage.h"

#include <cstdint>

#pragma pack(push, 1)
// The 22-byte header in front of a placeable Windows metafile.
struct PxPlaceableMetaHeader {
  std::uint32_t key;
  std::uint16_t handle;
  std::int16_t left;
  std::int16_t top;
  std::int16_t right;
  std::int16_t bottom;
  std::uint16_t unitsPerInch;
  std::uint32_t reserved;
  std::uint16_t checksum;
};
#pragma pack(pop)
static_assert(sizeof(PxPlaceableMetaHeader) == 22, "placeable metafile header is 22 bytes on disk");

class PxImageWMF : public PxImage {
public:
  PxImageWMF() : PxImage(FMT_WMF) {}
  ~PxImageWMF() override = default;

  // maxWidth and maxHeight, when nonzero, replace the picture's own size.
  bool Decode(PxFile* file, std::int32_t maxWidth = 0, std::int32_t maxHeight = 0);
  // Always false: metafiles are read only.
  bool Encode(PxFile* file);

  static bool CheckPlaceableHeader(const PxPlaceableMetaHeader& header);
  // Keeps both sides at 4000 or less, with the aspect ratio.
  static void ShrinkMetafile(std::int32_t& width, std::int32_t& height);

private:
  // Each returns an enhanced metafile handle the caller deletes, or null when the data is not one.
  static HENHMETAFILE ReadPlaceableWmf(PxFile* file, PxPlaceableMetaHeader& header);
  static HENHMETAFILE ReadEnhMetaFile(PxFile* file, ENHMETAHEADER& header);
};
