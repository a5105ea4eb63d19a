#include "platform/cdimage/CdDrive.h"

#include "platform/cdimage/CdImage.h"

#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

using cdimage::CdImage;

namespace {

constexpr DWORD kCookedSectorSize = 2048;  // RAW_READ_INFO::DiskOffset counts in these

std::optional<std::u16string> EnvironmentValue(LPCWSTR name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return std::nullopt;
  std::u16string value(size, u'\0');
  const DWORD length = GetEnvironmentVariableW(name, reinterpret_cast<LPWSTR>(value.data()), size);
  if (length == 0 || length >= size) return std::nullopt;
  value.resize(length);
  return value;
}

// Wine shows the Unix root as drive Z:.
std::u16string WindowsPath(std::u16string path) {
  if (!path.starts_with(u"/")) return path;
  for (char16_t& c : path)
    if (c == u'/') c = u'\\';
  return u"Z:" + path;
}

char16_t UpperLetter(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - u'a' + u'A');
  return c >= u'A' && c <= u'Z' ? c : 0;
}

// "E", "E:" or "E:\" (also '/').
char16_t LetterOfDriveName(std::u16string_view name) {
  const bool separatorOk = name.size() < 3 || (name.size() == 3 && (name[2] == u'\\' || name[2] == u'/'));
  if (name.empty() || name.size() > 3 || (name.size() >= 2 && name[1] != u':') || !separatorOk) return 0;
  return UpperLetter(name[0]);
}

char16_t FirstFreeLetter() {
  const DWORD used = GetLogicalDrives();
  for (char16_t letter = u'D'; letter <= u'Z'; ++letter)
    if (!(used & (1u << (letter - u'A')))) return letter;
  return 0;
}

struct ImageDrive {
  char16_t Letter;
  std::u16string CuePath;
};

// Read afresh on every call: setting or changing the variables is inserting or changing the disc.
std::optional<ImageDrive> ConfiguredImageDrive() {
  const std::optional<std::u16string> cue = EnvironmentValue(L"TAVREL_CD_IMAGE");
  if (!cue || cue->empty()) return std::nullopt;
  const std::optional<std::u16string> drive = EnvironmentValue(L"TAVREL_CD_DRIVE");
  const char16_t letter = drive ? LetterOfDriveName(*drive) : FirstFreeLetter();
  if (letter == 0) return std::nullopt;
  return ImageDrive{letter, WindowsPath(*cue)};
}

std::unique_ptr<CdImage> OpenImageAt(char16_t letter) {
  const std::optional<ImageDrive> drive = ConfiguredImageDrive();
  if (letter == 0 || !drive || drive->Letter != letter) return nullptr;
  return CdImage::Open(drive->CuePath);
}

std::u16string_view View(LPCWSTR text) {
  return text ? std::u16string_view(reinterpret_cast<const char16_t*>(text), static_cast<std::size_t>(lstrlenW(text)))
              : std::u16string_view();
}

// The letter of a device path "\\.\X:".
char16_t LetterOfDevicePath(LPCWSTR path) {
  const std::u16string_view text = View(path);
  return text.size() == 6 && text.starts_with(u"\\\\.\\") ? LetterOfDriveName(text.substr(4)) : 0;
}

// Image drives opened with CdCreateFile, by the handle handed out. A read in progress keeps its
// image alive when another thread closes the handle.
class OpenImages {
public:
  void Add(std::shared_ptr<CdImage> image) {
    const std::lock_guard lock(FMutex);
    FImages.emplace(image->FileHandle(), std::move(image));
  }
  std::shared_ptr<CdImage> Find(HANDLE handle) const {
    const std::lock_guard lock(FMutex);
    const auto found = FImages.find(handle);
    return found == FImages.end() ? nullptr : found->second;
  }
  bool Remove(HANDLE handle) {
    const std::lock_guard lock(FMutex);
    return FImages.erase(handle) != 0;
  }

private:
  mutable std::mutex FMutex;
  std::map<HANDLE, std::shared_ptr<CdImage>> FImages;
};

OpenImages& Opened() {
  static OpenImages images;
  return images;
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

BOOL ReadToc(const CdImage& image, LPVOID out, DWORD outSize, LPDWORD bytesReturned) {
  if (!out || outSize < sizeof(CDROM_TOC)) return Fail(ERROR_INSUFFICIENT_BUFFER);
  CDROM_TOC toc;
  const DWORD size = image.ReadToc(toc);
  std::memcpy(out, &toc, sizeof toc);
  if (bytesReturned) *bytesReturned = size;
  return TRUE;
}

BOOL RawRead(const CdImage& image, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize, LPDWORD bytesReturned) {
  RAW_READ_INFO info;
  if (!in || inSize < sizeof info) return Fail(ERROR_INVALID_PARAMETER);
  std::memcpy(&info, in, sizeof info);
  if (info.TrackMode != CDDA || info.DiskOffset.QuadPart < 0) return Fail(ERROR_INVALID_PARAMETER);
  const std::uint64_t size = std::uint64_t{info.SectorCount} * cdimage::kRawSectorSize;
  if (size > outSize || (size != 0 && !out)) return Fail(ERROR_INSUFFICIENT_BUFFER);
  const std::uint64_t firstSector = static_cast<std::uint64_t>(info.DiskOffset.QuadPart) / kCookedSectorSize;
  const DWORD error = image.ReadSectors(firstSector, info.SectorCount, static_cast<BYTE*>(out));
  if (error != ERROR_SUCCESS) return Fail(error);
  if (bytesReturned) *bytesReturned = static_cast<DWORD>(size);
  return TRUE;
}

}  // namespace

UINT CdGetDriveType(LPCWSTR rootPathName) {
  if (OpenImageAt(LetterOfDriveName(View(rootPathName)))) return DRIVE_CDROM;
  return GetDriveTypeW(rootPathName);
}

DWORD CdGetLogicalDriveStrings(DWORD bufferLength, LPWSTR buffer) {
  // The system's drive roots ("C:\" ...), one per letter in letter order, then the image drive's.
  std::u16string drives;
  if (const DWORD size = GetLogicalDriveStringsW(0, nullptr); size != 0) {
    drives.resize(size);
    const DWORD length = GetLogicalDriveStringsW(size, reinterpret_cast<LPWSTR>(drives.data()));
    drives.resize(length <= size ? length : 0);
  }
  const std::optional<ImageDrive> image = ConfiguredImageDrive();
  if (image && CdImage::Open(image->CuePath)) {
    const std::u16string root{image->Letter, u':', u'\\', u'\0'};
    std::size_t at = 0;
    while (at < drives.size() && UpperLetter(drives[at]) < image->Letter) {
      const std::size_t end = drives.find(u'\0', at);
      at = end == std::u16string::npos ? drives.size() : end + 1;
    }
    if (at >= drives.size() || UpperLetter(drives[at]) != image->Letter) drives.insert(at, root);
  }
  const DWORD length = static_cast<DWORD>(drives.size());
  if (!buffer || bufferLength <= length) return length + 1;
  std::memcpy(buffer, drives.data(), drives.size() * sizeof(WCHAR));
  buffer[length] = 0;
  return length;
}

HANDLE CdCreateFile(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                    DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile) {
  if (std::shared_ptr<CdImage> image = OpenImageAt(LetterOfDevicePath(fileName))) {
    const HANDLE handle = image->FileHandle();
    Opened().Add(std::move(image));
    return handle;
  }
  return CreateFileW(fileName, desiredAccess, shareMode, security, creationDisposition, flagsAndAttributes,
                     templateFile);
}

BOOL CdDeviceIoControl(HANDLE device, DWORD ioControlCode, LPVOID inBuffer, DWORD inBufferSize, LPVOID outBuffer,
                       DWORD outBufferSize, LPDWORD bytesReturned, LPOVERLAPPED overlapped) {
  const std::shared_ptr<CdImage> image = Opened().Find(device);
  if (!image)
    return DeviceIoControl(device, ioControlCode, inBuffer, inBufferSize, outBuffer, outBufferSize, bytesReturned,
                           overlapped);
  if (bytesReturned) *bytesReturned = 0;
  switch (ioControlCode) {
    case IOCTL_CDROM_READ_TOC: return ReadToc(*image, outBuffer, outBufferSize, bytesReturned);
    case IOCTL_CDROM_RAW_READ: return RawRead(*image, inBuffer, inBufferSize, outBuffer, outBufferSize, bytesReturned);
    default: return Fail(ERROR_INVALID_FUNCTION);
  }
}

BOOL CdCloseHandle(HANDLE handle) { return Opened().Remove(handle) ? TRUE : CloseHandle(handle); }
