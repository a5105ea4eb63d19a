// A disc served from an image: a CUE sheet and the file of raw 2352-byte sectors it names.
#pragma once

#include "platform/cdimage/CueSheet.h"

#include <windows.h>
#include <winioctl.h>
#include <ntddcdrm.h>

#include <cstdint>
#include <memory>
#include <string>

namespace cdimage {

// The records exactly as the CD-ROM driver hands them over.
static_assert(sizeof(TRACK_DATA) == 8);
static_assert(sizeof(CDROM_TOC) == 804);
static_assert(sizeof(RAW_READ_INFO) == 16);

constexpr DWORD kRawSectorSize = 2352;
// Table-of-contents addresses count the 2-second lead-in that no read can reach.
constexpr DWORD kLeadInSectors = 150;

class CdImage {
public:
  // Opens the sheet at cuePath (a Windows path) and its image file. nullptr when either is missing,
  // unreadable or malformed, or the image ends before its last track starts.
  static std::unique_ptr<CdImage> Open(const std::u16string& cuePath);

  ~CdImage();
  CdImage(const CdImage&) = delete;
  CdImage& operator=(const CdImage&) = delete;

  // The table of contents: the tracks, then the lead-out at the end of the image.
  // Returns the bytes the driver would transfer (header plus entries).
  DWORD ReadToc(CDROM_TOC& toc) const;

  // Reads count raw sectors from the disc address firstSector (0 = first sector of the image) into
  // output; ERROR_SUCCESS or the error a drive reports.
  DWORD ReadSectors(std::uint64_t firstSector, DWORD count, BYTE* output) const;

  // The handle of the open image file; also serves as the handle of the opened drive.
  HANDLE FileHandle() const { return FFile; }

private:
  CdImage(HANDLE file, DWORD sectorCount, CueSheet sheet);

  HANDLE FFile;
  DWORD FSectorCount;
  CueSheet FSheet;
};

}  // namespace cdimage
