#include "image/PxExif.h"

#include "image/PxFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

namespace {

// JPEG markers the reader treats by name.
constexpr std::int32_t kStartOfScan = 0xDA;
constexpr std::int32_t kEndOfImage = 0xD9;
constexpr std::int32_t kJfif = 0xE0;
constexpr std::int32_t kExif = 0xE1;
constexpr std::int32_t kComment = 0xFE;

// Exif tags the parser stores.
enum ExifTag : std::uint16_t {
  TAG_MAKE = 271,
  TAG_MODEL = 272,
  TAG_ORIENTATION = 274,
  TAG_X_RESOLUTION = 282,
  TAG_Y_RESOLUTION = 283,
  TAG_RESOLUTION_UNIT = 296,
  TAG_THUMBNAIL_OFFSET = 513,
  TAG_THUMBNAIL_LENGTH = 514,
  TAG_EXPOSURETIME = 33434,
  TAG_FNUMBER = 33437,
  TAG_EXPOSURE_PROGRAM = 34850,
  TAG_EXIF_OFFSET = 34665,
  TAG_ISO_EQUIVALENT = 34855,
  TAG_EXIF_VERSION = 0x9000,
  TAG_DATETIME_ORIGINAL = 36867,
  TAG_COMPRESSION_LEVEL = 37122,
  TAG_SHUTTERSPEED = 37377,
  TAG_APERTURE = 37378,
  TAG_BRIGHTNESS = 37379,
  TAG_EXPOSURE_BIAS = 37380,
  TAG_MAXAPERTURE = 37381,
  TAG_SUBJECT_DISTANCE = 37382,
  TAG_METERING_MODE = 37383,
  TAG_WHITEBALANCE = 37384,
  TAG_FLASH = 37385,
  TAG_FOCALLENGTH = 37386,
  TAG_USERCOMMENT = 37510,
  TAG_EXIF_IMAGEWIDTH = 40962,
  TAG_EXIF_IMAGELENGTH = 40963,
  TAG_INTEROP_OFFSET = 40965,
  TAG_FOCALPLANEXRES = 41486,
  TAG_FOCALPLANEYRES = 41487,
  TAG_FOCALPLANEUNITS = 41488,
};

// Bytes per component of the twelve TIFF value formats (index 0 unused).
constexpr std::uint8_t kBytesPerFormat[13] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};

// How deep directories may link into each other; real files need three levels.
constexpr int kMaxDirectoryDepth = 10;

constexpr std::size_t kMaxCommentBytes = 1000;
constexpr std::size_t kMaxUserComment = 199;

// The JFIF header written in front of sections that start without one: version 1.01, dots per inch,
// 300 x 300, no thumbnail.
constexpr std::uint8_t kJfifHeader[18] = {0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00,
                                          0x01, 0x01, 0x01, 0x01, 0x2C, 0x01, 0x2C, 0x00, 0x00};

std::uint16_t Get16m(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }

// Exif unit codes as inches per unit; false for an unknown code.
bool InchesPerUnit(int code, float& inches) {
  switch (code) {
    case 1:
    case 2: inches = 1.0f; return true;
    case 3: inches = 0.3937008f; return true;
    case 4: inches = 0.03937008f; return true;
    case 5: inches = 0.00003937008f; return true;
    default: return false;
  }
}

// Copies at most field - 1 characters of a text value that holds byteCount bytes; the rest of the
// field is cleared, so the text is always terminated.
void CopyText(char* field, std::size_t fieldSize, const std::uint8_t* value, std::uint64_t byteCount) {
  std::memset(field, 0, fieldSize);
  const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(byteCount, fieldSize - 1));
  std::memcpy(field, value, count);
}

// A double as a 32-bit integer, truncated toward zero; values out of range count as 0.
std::int32_t TruncatedInt(double value) {
  if (!(value > -2147483649.0 && value < 2147483648.0)) return 0;
  return static_cast<std::int32_t>(value);
}

bool Fits(std::uint64_t offset, std::uint64_t count, std::uint64_t length) {
  return offset <= length && count <= length - offset;
}

}  // namespace

PxExifInfo::PxExifInfo(ExifInfo* record) : FRecord(record) {
  if (!FRecord) {
    FOwnedRecord = std::make_unique<ExifInfo>();
    FRecord = FOwnedRecord.get();
  }
}

PxExifInfo::~PxExifInfo() = default;

void PxExifInfo::SetError(const char* text) {
  std::strncpy(FLastError, text, sizeof(FLastError) - 1);
  FLastError[sizeof(FLastError) - 1] = '\0';
}

std::uint16_t PxExifInfo::Get16(const std::uint8_t* p) const {
  return FMotorolaOrder ? Get16m(p) : static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t PxExifInfo::Get32u(const std::uint8_t* p) const {
  if (FMotorolaOrder)
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | p[3];
  return (static_cast<std::uint32_t>(p[3]) << 24) | (static_cast<std::uint32_t>(p[2]) << 16) |
         (static_cast<std::uint32_t>(p[1]) << 8) | p[0];
}

bool PxExifInfo::AppendSection(std::unique_ptr<std::uint8_t[]> data, std::int32_t type, std::uint32_t size) {
  if (FSectionCount >= kMaxSections) {
    SetError("Too many sections in jpg file");
    return false;
  }
  Section& section = FSections[static_cast<std::size_t>(FSectionCount++)];
  section.data = std::move(data);
  section.type = type;
  section.size = size;
  return true;
}

void PxExifInfo::DropLastSection() {
  Section& section = FSections[static_cast<std::size_t>(--FSectionCount)];
  section.data.reset();
  section.type = 0;
  section.size = 0;
}

bool PxExifInfo::ReadJpegSections(PxFile* file, int mode) {
  if (!file || file->GetByte() != 0xFF || file->GetByte() != 0xD8) return false;

  for (;;) {
    if (FSectionCount >= kMaxSections) {
      SetError("Too many sections in jpg file");
      return false;
    }

    // Markers may be padded with 0xFF bytes; a leading 0xFF is not required.
    std::int32_t marker = 0;
    for (int padding = 0;; ++padding) {
      marker = file->GetByte();
      if (marker != 0xFF) break;
      if (padding >= 6) {
        std::fputs("too many padding bytes\n", stdout);
        return false;
      }
    }
    const std::int32_t high = marker < 0 ? -1 : file->GetByte();
    const std::int32_t low = high < 0 ? -1 : file->GetByte();
    if (low < 0) {
      SetError("Premature end of file?");
      return false;
    }
    const std::uint32_t length = static_cast<std::uint32_t>((high << 8) | low);
    if (length < 2) {
      SetError("invalid marker");
      return false;
    }

    std::unique_ptr<std::uint8_t[]> data(new (std::nothrow) std::uint8_t[length]);
    if (!data) {
      SetError("Could not allocate memory");
      return false;
    }
    data[0] = static_cast<std::uint8_t>(high);
    data[1] = static_cast<std::uint8_t>(low);
    if (file->Read(data.get() + 2, 1, length - 2) != length - 2) {
      SetError("Premature end of file?");
      return false;
    }
    const std::uint8_t* section = data.get();
    AppendSection(std::move(data), marker, length);

    switch (marker) {
      case 0xC0: case 0xC1: case 0xC2: case 0xC3:
      case 0xC5: case 0xC6: case 0xC7:
      case 0xC9: case 0xCA: case 0xCB:
      case 0xCD: case 0xCE: case 0xCF:
        ProcessFrameHeader(section, length, marker);
        break;

      case kEndOfImage:
        std::fputs("No image in jpeg!\n", stdout);
        return false;

      case kStartOfScan: {
        if ((mode & kReadWholeImage) == 0) return true;
        const std::int64_t position = file->GetPosition();
        const std::int64_t size = static_cast<std::int64_t>(file->GetSize()) - position;
        if (position < 0 || size < 0 || size > std::numeric_limits<std::int32_t>::max()) {
          SetError("could not read the rest of the image");
          return false;
        }
        const auto restSize = static_cast<std::size_t>(size);
        std::unique_ptr<std::uint8_t[]> rest(new (std::nothrow) std::uint8_t[restSize == 0 ? 1 : restSize]);
        if (!rest) {
          SetError("could not allocate data for entire image");
          return false;
        }
        if (file->Read(rest.get(), 1, restSize) != restSize) {
          SetError("could not read the rest of the image");
          return false;
        }
        return AppendSection(std::move(rest), kScanData, static_cast<std::uint32_t>(restSize));
      }

      case kJfif:
        DropLastSection();
        break;

      case kExif:
        if ((mode & kReadInfo) != 0 && length >= 8 && std::memcmp(section + 2, "Exif", 4) == 0) {
          FRecord->isExif = ProcessExif(section + 2, length - 2);
        } else {
          DropLastSection();
        }
        break;

      case kComment:
        if ((mode & kReadInfo) != 0 && !FHaveComment) {
          ProcessComment(section, length);
          FHaveComment = true;
        } else {
          DropLastSection();
        }
        break;

      default:
        break;
    }
  }
}

bool PxExifInfo::ProcessExif(const std::uint8_t* payload, std::uint32_t length) {
  FRecord->flashUsed = 0;
  FRecord->comments[0] = '\0';
  FExifImageWidth = 0;
  FVisitedCount = 0;

  static constexpr std::uint8_t kExifHeader[6] = {'E', 'x', 'i', 'f', 0, 0};
  if (length < 6 || std::memcmp(payload, kExifHeader, sizeof(kExifHeader)) != 0) {
    SetError("Incorrect Exif header");
    return false;
  }
  if (length < 14) {
    SetError("Invalid Exif alignment marker.");
    return false;
  }
  if (payload[6] == 'I' && payload[7] == 'I') {
    FMotorolaOrder = false;
  } else if (payload[6] == 'M' && payload[7] == 'M') {
    FMotorolaOrder = true;
  } else {
    SetError("Invalid Exif alignment marker.");
    return false;
  }
  if (Get16(payload + 8) != 42) {
    SetError("Invalid Exif start (1)");
    return false;
  }

  // Offsets inside the block count from the byte-order mark.
  const std::uint8_t* base = payload + 6;
  const std::uint32_t exifLength = length - 6;
  const std::uint32_t firstOffset = Get32u(payload + 10);

  if (!ProcessDirectory(base + 8, base, exifLength, 0)) return false;
  if (firstOffset > 8) {
    if (firstOffset >= exifLength) {
      SetError("Illegal subdirectory link");
      return false;
    }
    if (!ProcessDirectory(base + firstOffset, base, exifLength, 0)) return false;
  }

  if (FRecord->sensorXRes != 0.0f)
    FRecord->ccdWidth = static_cast<float>(FExifImageWidth) * FRecord->sensorUnits / FRecord->sensorXRes;
  return true;
}

bool PxExifInfo::ProcessDirectory(const std::uint8_t* start, const std::uint8_t* base, std::uint32_t exifLength,
                                  int depth) {
  const auto offset = static_cast<std::uint64_t>(start - base);
  if (!Fits(offset, 2, exifLength)) {
    SetError("Illegally sized directory");
    return false;
  }
  // A directory reached a second time (a loop of links) or too deep adds nothing: stop there.
  if (depth > kMaxDirectoryDepth || FVisitedCount >= FVisited.size()) {
    SetError("Illegal subdirectory link");
    return false;
  }
  const auto visited = FVisited.begin() + static_cast<std::ptrdiff_t>(FVisitedCount);
  if (std::find(FVisited.begin(), visited, static_cast<std::uint32_t>(offset)) != visited) return true;
  FVisited[FVisitedCount++] = static_cast<std::uint32_t>(offset);

  const std::uint32_t entries = Get16(start);
  const std::uint64_t directoryBytes = 2 + 12ull * entries;
  if (!Fits(offset, directoryBytes, exifLength)) {
    SetError("Illegally sized directory");
    return false;
  }

  std::uint32_t thumbnailOffset = 0;
  std::uint32_t thumbnailLength = 0;
  for (std::uint32_t i = 0; i < entries; ++i) {
    const std::uint8_t* entry = start + 2 + 12 * i;
    const std::uint16_t tag = Get16(entry);
    const std::uint16_t format = Get16(entry + 2);
    const std::uint32_t components = Get32u(entry + 4);
    if (format > 12) {
      SetError("Illegal format code in EXIF dir");
      return false;
    }
    const std::uint64_t byteCount = static_cast<std::uint64_t>(components) * kBytesPerFormat[format];
    const std::uint8_t* value = entry + 8;
    if (byteCount > 4) {
      const std::uint32_t valueOffset = Get32u(entry + 8);
      if (!Fits(valueOffset, byteCount, exifLength)) {
        SetError("Illegal pointer offset value in EXIF.");
        return false;
      }
      value = base + valueOffset;
    }

    if (tag == TAG_EXIF_OFFSET || tag == TAG_INTEROP_OFFSET) {
      if (byteCount < 4) continue;
      const std::uint32_t link = Get32u(value);
      if (link <= 8) continue;
      if (link >= exifLength) {
        SetError("Illegal subdirectory link");
        return false;
      }
      ProcessDirectory(base + link, base, exifLength, depth + 1);
      continue;
    }
    // A value of no components holds nothing to read.
    if (byteCount == 0) continue;
    StoreTag(tag, format, value, byteCount, thumbnailOffset, thumbnailLength);
  }

  // The link to the next directory follows the entries, when the block still holds it.
  if (Fits(offset + directoryBytes, 4, exifLength)) {
    const std::uint32_t next = Get32u(start + directoryBytes);
    if (next != 0) {
      if (next >= exifLength) {
        SetError("Illegal subdirectory link");
        return false;
      }
      ProcessDirectory(base + next, base, exifLength, depth + 1);
    }
  }

  if (thumbnailOffset != 0 && thumbnailLength != 0 && Fits(thumbnailOffset, thumbnailLength, exifLength)) {
    FRecord->thumbnailPointer = base + thumbnailOffset;
    FRecord->thumbnailSize = static_cast<std::int32_t>(thumbnailLength);
  }
  return true;
}

void PxExifInfo::StoreTag(std::uint16_t tag, std::uint16_t format, const std::uint8_t* value,
                          std::uint64_t byteCount, std::uint32_t& thumbnailOffset, std::uint32_t& thumbnailLength) {
  ExifInfo& record = *FRecord;
  const double number = ReadValue(value, format);
  switch (tag) {
    case TAG_MAKE: CopyText(record.cameraMake, sizeof(record.cameraMake), value, byteCount); break;
    case TAG_MODEL: CopyText(record.cameraModel, sizeof(record.cameraModel), value, byteCount); break;
    case TAG_DATETIME_ORIGINAL: CopyText(record.dateTime, sizeof(record.dateTime), value, byteCount); break;
    case TAG_EXIF_VERSION: CopyText(record.version, sizeof(record.version), value, byteCount); break;
    case TAG_ORIENTATION:
      record.orientation = TruncatedInt(number);
      if (record.orientation < 1 || record.orientation > 8) {
        SetError("Undefined rotation value");
        record.orientation = 0;
      }
      break;
    case TAG_X_RESOLUTION: record.xResolution = static_cast<float>(number); break;
    case TAG_Y_RESOLUTION: record.yResolution = static_cast<float>(number); break;
    case TAG_RESOLUTION_UNIT: InchesPerUnit(TruncatedInt(number), record.resolutionUnit); break;
    case TAG_THUMBNAIL_OFFSET: thumbnailOffset = static_cast<std::uint32_t>(TruncatedInt(number)); break;
    case TAG_THUMBNAIL_LENGTH: thumbnailLength = static_cast<std::uint32_t>(TruncatedInt(number)); break;
    case TAG_EXPOSURETIME: record.exposureTime = static_cast<float>(number); break;
    case TAG_FNUMBER: record.apertureFNumber = static_cast<float>(number); break;
    case TAG_EXPOSURE_PROGRAM: record.exposureProgram = TruncatedInt(number); break;
    case TAG_ISO_EQUIVALENT:
      record.isoEquivalent = TruncatedInt(number);
      // Some cameras store the ISO setting divided by 200.
      if (record.isoEquivalent < 50) record.isoEquivalent *= 200;
      break;
    case TAG_COMPRESSION_LEVEL: record.compressionLevel = TruncatedInt(number); break;
    case TAG_SHUTTERSPEED:
      if (record.exposureTime == 0.0f) record.exposureTime = static_cast<float>(1.0 / std::exp2(number));
      break;
    case TAG_APERTURE:
    case TAG_MAXAPERTURE:
      if (record.apertureFNumber == 0.0f) record.apertureFNumber = static_cast<float>(std::exp2(number / 2));
      break;
    case TAG_BRIGHTNESS: record.brightness = static_cast<float>(number); break;
    case TAG_EXPOSURE_BIAS: record.exposureBias = static_cast<float>(number); break;
    case TAG_SUBJECT_DISTANCE: record.distance = static_cast<float>(number); break;
    case TAG_METERING_MODE: record.meteringMode = TruncatedInt(number); break;
    case TAG_WHITEBALANCE: record.whiteBalance = TruncatedInt(number); break;
    case TAG_FLASH: record.flashUsed = (TruncatedInt(number) & 7) != 0 ? 1 : 0; break;
    case TAG_FOCALLENGTH: record.focalLength = static_cast<float>(number); break;
    case TAG_USERCOMMENT: StoreUserComment(value, byteCount); break;
    case TAG_EXIF_IMAGEWIDTH:
    case TAG_EXIF_IMAGELENGTH: FExifImageWidth = std::max(FExifImageWidth, TruncatedInt(number)); break;
    case TAG_FOCALPLANEXRES: record.sensorXRes = static_cast<float>(number); break;
    case TAG_FOCALPLANEYRES: record.sensorYRes = static_cast<float>(number); break;
    case TAG_FOCALPLANEUNITS: InchesPerUnit(TruncatedInt(number), record.sensorUnits); break;
    default: break;
  }
}

void PxExifInfo::StoreUserComment(const std::uint8_t* value, std::uint64_t byteCount) {
  // Trailing spaces end the text; the block itself stays as it was, since it may be written back.
  std::uint64_t end = byteCount;
  while (end > 0 && value[end - 1] == ' ') --end;
  auto at = [&](std::uint64_t i) { return i < end ? value[i] : std::uint8_t{0}; };

  std::uint64_t first = 0;
  if (end >= 5 && std::memcmp(value, "ASCII", 5) == 0) {
    // "ASCII" and its padding, then the text from the first byte that is neither zero nor a space.
    first = end;
    for (std::uint64_t i = 5; i < 10; ++i) {
      if (at(i) != 0 && at(i) != ' ') {
        first = i;
        break;
      }
    }
  }
  std::size_t count = 0;
  while (count < kMaxUserComment && at(first + count) != 0) {
    FRecord->comments[count] = static_cast<char>(at(first + count));
    ++count;
  }
  FRecord->comments[count] = '\0';
}

double PxExifInfo::ReadValue(const std::uint8_t* value, std::uint16_t format) const {
  switch (format) {
    case 1: return value[0];
    case 3: return Get16(value);
    case 4: return Get32u(value);
    case 5:
    case 10: {
      const std::int32_t numerator = Get32s(value);
      const std::int32_t denominator = Get32s(value + 4);
      return denominator == 0 ? 0.0 : static_cast<double>(numerator) / denominator;
    }
    case 6: return static_cast<std::int8_t>(value[0]);
    case 8: return static_cast<std::int16_t>(Get16(value));
    case 9: return Get32s(value);
    case 11: {
      const std::uint32_t bits = Get32u(value);
      float number;
      std::memcpy(&number, &bits, sizeof(number));
      return std::isfinite(number) ? number : 0.0;
    }
    case 12: {
      const std::uint64_t bits = FMotorolaOrder
                                     ? (static_cast<std::uint64_t>(Get32u(value)) << 32) | Get32u(value + 4)
                                     : (static_cast<std::uint64_t>(Get32u(value + 4)) << 32) | Get32u(value);
      double number;
      std::memcpy(&number, &bits, sizeof(number));
      return std::isfinite(number) ? number : 0.0;
    }
    default: return 0.0;
  }
}

void PxExifInfo::ProcessComment(const std::uint8_t* section, std::uint32_t length) {
  const std::size_t end = std::min<std::size_t>(length, kMaxCommentBytes);
  std::size_t count = 0;
  for (std::size_t i = 2; i < end; ++i) {
    const std::uint8_t ch = section[i];
    // A carriage return before a line feed is dropped.
    if (ch == '\r' && i + 1 < end && section[i + 1] == '\n') continue;
    FRecord->comments[count++] = (ch >= 32 || ch == '\n' || ch == '\t') ? static_cast<char>(ch) : '?';
  }
  FRecord->comments[count] = '\0';
}

void PxExifInfo::ProcessFrameHeader(const std::uint8_t* section, std::uint32_t length, std::int32_t marker) {
  if (length < 8) return;
  FRecord->height = Get16m(section + 3);
  FRecord->width = Get16m(section + 5);
  FRecord->isColor = section[7] == 3 ? 1 : 0;
  FRecord->process = marker;
}

void PxExifInfo::KeepOnlyExif() {
  Section exif;
  Section comment;
  for (std::int32_t i = 0; i < FSectionCount; ++i) {
    Section& section = FSections[static_cast<std::size_t>(i)];
    if (section.type == kExif && !exif.data) exif = std::move(section);
    else if (section.type == kComment && !comment.data) comment = std::move(section);
    section = Section{};
  }
  FSectionCount = 0;
  if (exif.data) FSections[static_cast<std::size_t>(FSectionCount++)] = std::move(exif);
  if (comment.data) FSections[static_cast<std::size_t>(FSectionCount++)] = std::move(comment);
  FHaveComment = FSectionCount > 0 && FSections[static_cast<std::size_t>(FSectionCount - 1)].type == kComment;
}

const PxExifInfo::Section* PxExifInfo::FindSection(std::int32_t type) const {
  for (std::int32_t i = 0; i + 1 < FSectionCount; ++i) {
    if (FSections[static_cast<std::size_t>(i)].type == type) return &FSections[static_cast<std::size_t>(i)];
  }
  return nullptr;
}

bool PxExifInfo::WriteSections(PxFile* file) {
  if (!FindSection(kStartOfScan)) {
    SetError("Can't write exif : didn't read all");
    return false;
  }
  auto write = [&](const std::uint8_t* bytes, std::size_t count) {
    return count == 0 || file->Write(bytes, 1, count) == count;
  };
  static constexpr std::uint8_t kStartOfImage[2] = {0xFF, 0xD8};
  bool ok = write(kStartOfImage, sizeof(kStartOfImage));
  if (ok && FSections[0].type != kExif && FSections[0].type != kJfif) ok = write(kJfifHeader, sizeof(kJfifHeader));
  for (std::int32_t i = 0; ok && i + 1 < FSectionCount; ++i) {
    const Section& section = FSections[static_cast<std::size_t>(i)];
    const std::uint8_t marker[2] = {0xFF, static_cast<std::uint8_t>(section.type)};
    ok = write(marker, sizeof(marker)) && write(section.data.get(), section.size);
  }
  const Section& last = FSections[static_cast<std::size_t>(FSectionCount - 1)];
  if (ok) ok = write(last.data.get(), last.size);
  if (!ok) {
    SetError("Output file write error --- out of disk space?");
    return false;
  }
  return true;
}
