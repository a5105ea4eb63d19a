#include "platform/cdimage/CdImage.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace cdimage {
namespace {

// A CUE sheet is a few lines per track; anything much larger is not one.
constexpr LONGLONG kMaxCueSheetSize = 1 << 20;
// The last address a table of contents can express: 99:59:74.
constexpr std::uint64_t kMaxDiscSectors = 100 * 60 * 75 - kLeadInSectors;
constexpr BYTE kLeadOutTrack = 0xAA;
// Q sub-channel control and address nibbles of an entry.
constexpr BYTE kControlAudio = 0x0;
constexpr BYTE kControlData = 0x4;
constexpr BYTE kAdrPosition = 0x1;

LPCWSTR Wide(const std::u16string& text) { return reinterpret_cast<LPCWSTR>(text.c_str()); }

class OwnedHandle {
public:
  explicit OwnedHandle(HANDLE handle) : FHandle(handle) {}
  ~OwnedHandle() {
    if (Valid()) CloseHandle(FHandle);
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  bool Valid() const { return FHandle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return FHandle; }
  HANDLE Release() { return std::exchange(FHandle, INVALID_HANDLE_VALUE); }

private:
  HANDLE FHandle;
};

HANDLE OpenForReading(const std::u16string& path) {
  return CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

std::optional<std::string> ReadSmallFile(const std::u16string& path) {
  const OwnedHandle file(OpenForReading(path));
  LARGE_INTEGER size;
  if (!file.Valid() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxCueSheetSize) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                         read != bytes.size()))
    return std::nullopt;
  return bytes;
}

// Sheets are written in UTF-8 or, by older tools, in the system's ANSI code page.
std::u16string DecodeName(const std::string& name) {
  const auto decode = [&](UINT codePage, DWORD flags) {
    const int size = static_cast<int>(name.size());
    const int length = MultiByteToWideChar(codePage, flags, name.data(), size, nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(std::max(length, 0)), u'\0');
    if (length > 0)
      MultiByteToWideChar(codePage, flags, name.data(), size, reinterpret_cast<LPWSTR>(wide.data()), length);
    return wide;
  };
  const std::u16string utf8 = decode(CP_UTF8, MB_ERR_INVALID_CHARS);
  return utf8.empty() ? decode(CP_ACP, 0) : utf8;
}

// The image file's Windows path: as written when absolute (a Unix path lies on drive Z:),
// otherwise beside the sheet.
std::u16string ImagePath(const std::u16string& cuePath, const std::string& imageFile) {
  std::u16string name = DecodeName(imageFile);
  std::replace(name.begin(), name.end(), u'/', u'\\');
  const bool hasDrive = name.size() >= 2 && name[1] == u':';
  if (hasDrive || name.starts_with(u"\\\\")) return name;
  if (name.starts_with(u"\\")) return u"Z:" + name;
  const std::size_t folderEnd = cuePath.find_last_of(u"\\/");
  return folderEnd == std::u16string::npos ? name : cuePath.substr(0, folderEnd + 1) + name;
}

void SetAddress(TRACK_DATA& entry, DWORD sector) {
  const DWORD address = sector + kLeadInSectors;
  entry.Address[0] = 0;
  entry.Address[1] = static_cast<UCHAR>(address / (60 * 75));
  entry.Address[2] = static_cast<UCHAR>(address / 75 % 60);
  entry.Address[3] = static_cast<UCHAR>(address % 75);
}

}  // namespace

std::unique_ptr<CdImage> CdImage::Open(const std::u16string& cuePath) {
  const std::optional<std::string> text = ReadSmallFile(cuePath);
  if (!text) return nullptr;
  std::optional<CueSheet> sheet = ParseCueSheet(*text);
  if (!sheet) return nullptr;
  OwnedHandle file(OpenForReading(ImagePath(cuePath, sheet->ImageFile)));
  LARGE_INTEGER size;
  if (!file.Valid() || !GetFileSizeEx(file.Get(), &size)) return nullptr;
  // A partial sector at the end (a cut-off copy) is no sector of the disc.
  const std::uint64_t sectors = static_cast<std::uint64_t>(size.QuadPart) / kRawSectorSize;
  if (sectors > kMaxDiscSectors || sheet->Tracks.back().StartSector >= sectors) return nullptr;
  return std::unique_ptr<CdImage>(new CdImage(file.Release(), static_cast<DWORD>(sectors), std::move(*sheet)));
}

CdImage::CdImage(HANDLE file, DWORD sectorCount, CueSheet sheet)
    : FFile(file), FSectorCount(sectorCount), FSheet(std::move(sheet)) {}

CdImage::~CdImage() { CloseHandle(FFile); }

DWORD CdImage::ReadToc(CDROM_TOC& toc) const {
  toc = {};
  const std::vector<CueTrack>& tracks = FSheet.Tracks;
  toc.FirstTrack = static_cast<UCHAR>(tracks.front().Number);
  toc.LastTrack = static_cast<UCHAR>(tracks.back().Number);
  for (std::size_t i = 0; i <= tracks.size(); ++i) {
    TRACK_DATA& entry = toc.TrackData[i];
    const CueTrack& track = tracks[std::min(i, tracks.size() - 1)];
    // The lead-out entry takes the control bits of the last track.
    entry.Control = track.Audio ? kControlAudio : kControlData;
    entry.Adr = kAdrPosition;
    entry.TrackNumber = i < tracks.size() ? static_cast<UCHAR>(track.Number) : kLeadOutTrack;
    SetAddress(entry, i < tracks.size() ? track.StartSector : FSectorCount);
  }
  // Length counts the bytes after itself, big-endian.
  const DWORD length = 2 + static_cast<DWORD>(tracks.size() + 1) * sizeof(TRACK_DATA);
  toc.Length[0] = static_cast<UCHAR>(length >> 8);
  toc.Length[1] = static_cast<UCHAR>(length & 0xFF);
  return length + 2;
}

DWORD CdImage::ReadSectors(std::uint64_t firstSector, DWORD count, BYTE* output) const {
  if (firstSector > FSectorCount || count > FSectorCount - firstSector) return ERROR_SECTOR_NOT_FOUND;
  const std::uint64_t offset = firstSector * kRawSectorSize;
  OVERLAPPED at = {};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  const DWORD size = count * kRawSectorSize;
  DWORD read = 0;
  // Reading at an explicit offset leaves no shared file position for two threads to race on.
  // An image that shrank since it was opened ends early: its lost sectors are unreadable, as on a
  // damaged disc.
  if (!ReadFile(FFile, output, size, &read, &at)) {
    const DWORD error = GetLastError();
    return error == ERROR_HANDLE_EOF ? ERROR_CRC : error;
  }
  return read == size ? ERROR_SUCCESS : ERROR_CRC;
}

}  // namespace cdimage
