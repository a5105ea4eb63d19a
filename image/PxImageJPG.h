// PxImageJPG: JPEG files through the IJG library (baseline and progressive; gray, YCbCr/RGB and
// CMYK/YCCK on reading). Pictures are written as three-component YCbCr, or as one gray component
// when every colour of the picture is a gray. A codec object that decoded a file with an Exif block
// carries that block into the next file it writes.
#pragma once

#include "image/PxExif.h"
#include "image/PxImage.h"

#include <cstdint>
#include <memory>

struct jpeg_compress_struct;
struct jpeg_decompress_struct;

class PxImageJPG : public PxImage {
public:
  using PxExifInfo = ::PxExifInfo;
  // The library's byte source and byte sink over a PxFile (defined with the codec).
  struct PxFileJpg;

  // Bits of the FMT_JPG codec option.
  static constexpr std::uint32_t kOptionBaseline = 0x01;
  static constexpr std::uint32_t kOptionArithmetic = 0x02;
  static constexpr std::uint32_t kOptionGrayOutput = 0x04;
  static constexpr std::uint32_t kOptionOptimize = 0x08;
  static constexpr std::uint32_t kOptionProgressive = 0x10;
  static constexpr std::uint32_t kOptionSmoothing = 0x40;
  static constexpr std::uint32_t kOptionDecodeGray = 0x80;
  static constexpr std::uint32_t kOptionQuantize = 0x100;
  static constexpr std::uint32_t kOptionDither = 0x200;
  static constexpr std::uint32_t kOptionOnePassQuantize = 0x400;
  static constexpr std::uint32_t kOptionNoFancyUpsampling = 0x800;

  PxImageJPG();
  ~PxImageJPG() override;

  bool Decode(PxFile* file);
  bool Encode(PxFile* file);
  // Reads the stream's sections up to the scan and parses its Exif block; the file position is kept.
  bool ReadExif(PxFile* file);

private:
  struct DecodeJob;
  struct EncodeJob;

  // The library's work between arming its error jump and returning; an error jumps back out of it.
  bool RunDecode(DecodeJob& job, bool exif);
  bool DecodePicture(DecodeJob& job, bool exif);
  bool RunEncode(EncodeJob& job);
  bool EncodePicture(EncodeJob& job);
  void ApplyDensity(const jpeg_decompress_struct& cinfo, bool exif);
  // Rewrites the stream just written at start with the Exif block of the file this object decoded.
  bool WriteBackExif(PxFile* file, std::int32_t start);

  std::unique_ptr<PxExifInfo> FExif;
  ExifInfo FExifInfo{};
  std::int32_t FSmoothingFactor = 0;
  std::uint8_t FDitherMode = 0;
};
