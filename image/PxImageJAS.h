// PxImageJAS: the one codec of the JPEG-2000 family and its companions: JPEG-2000 files and code
// streams, PGX, PNM and Sun raster. Reading recognises whichever of them the data is, whatever
// format id it was asked for, and turns the component planes into a 24-bit picture (three planes
// alike) or into 8-bit (or smaller) gray frames, one per plane. Writing builds planes from the
// picture, three colour planes or one gray plane, and writes the format the id names.
#pragma once

#include "image/PxImage.h"

#include <cstdint>

struct PxJasImage;

class PxImageJAS : public PxImage {
public:
  PxImageJAS() : PxImage(FMT_UNKNOWN) {}
  ~PxImageJAS() override = default;

  // formatId is the id the picture gets (0 while probing).
  bool Decode(PxFile* file, std::uint32_t formatId);
  bool Encode(PxFile* file, std::uint32_t formatId);

private:
  bool TakeColourPlanes(const PxJasImage& planes, std::uint32_t formatId);
  bool TakeGrayFrame(const PxJasImage& planes, std::uint32_t formatId);
  // Gray pictures (every palette entry gray) give one plane of their gray levels, the others
  // three colour planes; palette pictures are looked up through their palette.
  void BuildPlanes(PxJasImage& planes) const;
};

// The format table's entry points: run the codec on a PxImageJAS for the id asked for.
bool DecodeJasFormat(PxImage& object, PxFile* file, std::uint32_t formatId);
bool EncodeJasFormat(PxImage& object, PxFile* file, std::uint32_t formatId);
