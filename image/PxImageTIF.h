// PxImageTIF: TIFF pages through libtiff. Reading takes the page chosen by frameIndex and maps it
// onto 1, 4, 8 or 24 bits per pixel with an optional alpha channel: palette, gray and plain 8-bit
// RGB (or RGBA with straight alpha) pages are read strip by strip (or, but for RGB, tile by tile) into the pixel rows, CIELab
// pages are converted to sRGB, and the other RGB, YCbCr, CMYK and LogLuv pages go through
// libtiff's RGBA reader. Writing produces one page, or appends pages to a file kept open between
// calls; pages with alpha are written losslessly. libtiff reads and writes through the PxFile.
#pragma once

#include "image/PxImage.h"

#include <cstdint>

struct tiff;  // libtiff's handle (TIFF)
struct PxTiffPage;  // the tags of one page that decide how it is read

class PxImageTIF : public PxImage {
public:
  PxImageTIF() : PxImage(FMT_TIF) {}
  ~PxImageTIF() override;

  bool Decode(PxFile* file);
  // Writes one page; with append the handle stays open so that the next call adds a page, without
  // it the file is complete when the call returns.
  bool Encode(PxFile* file, bool append = false);

private:
  void DecodePage(tiff* handle);
  // Refuses a page whose samples the file's bytes could not hold, coded as the page is coded.
  void CheckPageFitsFile(tiff* handle, const PxTiffPage& page);
  void ReadResolution(tiff* handle);
  // RGB pages of 8-bit samples (straight alpha among them) in strips, strip by strip into the pixel rows.
  void ReadPlainRgbPage(tiff* handle, const PxTiffPage& page);
  // Pages libtiff turns into RGBA rasters.
  void ReadRgbaPage(tiff* handle, const PxTiffPage& page);
  // Palette, gray and CIELab pages, band by band straight into the pixel rows.
  void ReadDirectPage(tiff* handle, const PxTiffPage& page);
  void SetPagePalette(tiff* handle, const PxTiffPage& page);
  // One band (a strip or a row of tiles) into a buffer of `rows` rows of `rowStride` bytes.
  void ReadStripBand(tiff* handle, std::uint32_t top, std::uint32_t rows, std::uint8_t* band,
                     std::uint64_t rowStride);
  void ReadTileBand(tiff* handle, const PxTiffPage& page, std::uint32_t top, std::uint32_t rows, std::uint8_t* band,
                    std::uint64_t rowStride, std::uint8_t* tile);
  // One file row (samples as libtiff delivers them) into stored row `row`.
  void StoreRow(const PxTiffPage& page, const std::uint8_t* source, std::uint32_t row);
  void ApplyOrientation(std::uint16_t orientation);

  void WriteTiffPage(tiff* handle, bool multiPage, std::uint32_t page, std::uint32_t pageCount);
  void CloseHandle();

  tiff* FHandle = nullptr;
  bool FMultiPage = false;
  std::uint32_t FPageCount = 0;
};
