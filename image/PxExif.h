// PxExifInfo: reads the marker sections of a JPEG stream, parses the camera's Exif block and the
// comment into an ExifInfo record, and writes kept sections back out as a JPEG stream. The JPEG codec
// uses it to learn the recorded resolution before decoding and to carry an Exif block into a file it
// has just written.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

class PxFile;

// What the Exif block and the frame header say about a picture. Zero-filled when made.
struct ExifInfo {
  char version[5];
  char cameraMake[32];
  char cameraModel[40];
  char dateTime[20];
  std::int32_t height;
  std::int32_t width;
  std::int32_t orientation;  // 1..8, or 0 when absent or undefined
  std::int32_t isColor;
  std::int32_t process;      // marker code of the frame header
  std::int32_t flashUsed;
  float focalLength;
  float exposureTime;
  float apertureFNumber;
  float distance;
  float ccdWidth;
  float exposureBias;
  std::int32_t whiteBalance;
  std::int32_t meteringMode;
  std::int32_t exposureProgram;
  std::int32_t isoEquivalent;
  std::int32_t compressionLevel;
  float sensorXRes;
  float sensorYRes;
  float sensorUnits;     // inches per unit of the two sensor resolutions
  float xResolution;
  float yResolution;
  float resolutionUnit;  // inches per unit of the two resolutions
  float brightness;
  char comments[1000];
  const std::uint8_t* thumbnailPointer;  // into the kept Exif section
  std::int32_t thumbnailSize;
  bool isExif;           // an Exif block was found and parsed
};

class PxExifInfo {
public:
  // Mode bits of ReadJpegSections.
  static constexpr int kReadInfo = 1;        // parse Exif and comment into the record
  static constexpr int kReadWholeImage = 2;  // at the start of scan, keep the rest of the stream too
  static constexpr int kMaxSections = 20;
  // Pseudo marker of the section that holds everything after the start-of-scan header.
  static constexpr std::int32_t kScanData = 0x123;

  // One marker section: the two big-endian length bytes as they stood in the file, then the payload.
  struct Section {
    std::unique_ptr<std::uint8_t[]> data;
    std::int32_t type = 0;
    std::uint32_t size = 0;
  };

  // Fills the given record, or one of its own when record is null.
  explicit PxExifInfo(ExifInfo* record = nullptr);
  ~PxExifInfo();

  PxExifInfo(const PxExifInfo&) = delete;
  PxExifInfo& operator=(const PxExifInfo&) = delete;

  // Reads the sections from the stream's start-of-image marker on; false on a stream that is not a
  // JPEG or is broken, with the reason in LastError.
  bool ReadJpegSections(PxFile* file, int mode);
  // Parses an APP1 payload ("Exif", two zero bytes, then a TIFF header and its directories).
  bool ProcessExif(const std::uint8_t* payload, std::uint32_t length);
  // Fills comments from a COM section (data starting with its two length bytes).
  void ProcessComment(const std::uint8_t* section, std::uint32_t length);
  // Fills width, height, isColor and process from a frame-header section.
  void ProcessFrameHeader(const std::uint8_t* section, std::uint32_t length, std::int32_t marker);
  // Drops every section but the first Exif APP1 and the first COM, in that order.
  void KeepOnlyExif();
  // A section of the type among all but the last, or null.
  const Section* FindSection(std::int32_t type) const;
  // Writes the sections as a JPEG stream; needs a read in whole-image mode.
  bool WriteSections(PxFile* file);

  const ExifInfo& Info() const { return *FRecord; }
  const char* LastError() const { return FLastError; }
  std::int32_t SectionCount() const { return FSectionCount; }

private:
  bool ProcessDirectory(const std::uint8_t* start, const std::uint8_t* base, std::uint32_t exifLength,
                        int depth);
  void StoreTag(std::uint16_t tag, std::uint16_t format, const std::uint8_t* value, std::uint64_t byteCount,
                std::uint32_t& thumbnailOffset, std::uint32_t& thumbnailLength);
  void StoreUserComment(const std::uint8_t* value, std::uint64_t byteCount);
  double ReadValue(const std::uint8_t* value, std::uint16_t format) const;
  std::uint16_t Get16(const std::uint8_t* p) const;
  std::uint32_t Get32u(const std::uint8_t* p) const;
  std::int32_t Get32s(const std::uint8_t* p) const { return static_cast<std::int32_t>(Get32u(p)); }
  bool AppendSection(std::unique_ptr<std::uint8_t[]> data, std::int32_t type, std::uint32_t size);
  void DropLastSection();
  void SetError(const char* text);

  ExifInfo* FRecord;
  std::unique_ptr<ExifInfo> FOwnedRecord;
  char FLastError[256] = {};
  std::int32_t FExifImageWidth = 0;
  bool FMotorolaOrder = false;
  std::array<Section, kMaxSections> FSections;
  std::int32_t FSectionCount = 0;
  bool FHaveComment = false;
  // Directory offsets already walked in the current Exif block: a link back is not followed again.
  std::array<std::uint32_t, 32> FVisited = {};
  std::size_t FVisitedCount = 0;
};
