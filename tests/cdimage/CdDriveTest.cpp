#include "tests/support/testing.h"

#include "platform/cdimage/CdDrive.h"
#include "tests/support/DiscImage.h"

#include <winioctl.h>
#include <ntddcdrm.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

std::u16string Wide(const std::string& text) {
  std::u16string wide(text.size(), u'\0');
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         reinterpret_cast<LPWSTR>(wide.data()), static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(length));
  return wide;
}
LPCWSTR W(const std::u16string& text) { return reinterpret_cast<LPCWSTR>(text.c_str()); }

void SetVariable(LPCWSTR name, const std::string& value) {
  SetEnvironmentVariableW(name, value.empty() ? nullptr : W(Wide(value)));
}

// The drive strings as a list of roots.
std::vector<std::string> Roots(DWORD (*list)(DWORD, LPWSTR)) {
  const DWORD size = list(0, nullptr);
  std::vector<WCHAR> buffer(size);
  const DWORD length = list(size, buffer.data());
  EXPECT_EQ(length + 1, size);
  std::vector<std::string> roots;
  std::string root;
  for (DWORD i = 0; i < length; ++i) {
    if (buffer[i] == 0) {
      roots.push_back(root);
      root.clear();
    } else {
      root += static_cast<char>(buffer[i]);
    }
  }
  return roots;
}
DWORD SystemDriveStrings(DWORD length, LPWSTR buffer) { return GetLogicalDriveStringsW(length, buffer); }

std::string DevicePath(char letter) { return std::string("\\\\.\\") + letter + ":"; }

HANDLE OpenDevice(char letter) {
  return CdCreateFile(W(Wide(DevicePath(letter))), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, 0, nullptr);
}

// A disc of three tone tracks, served at drive K: unless a test says otherwise.
class CdDrive : public ::testing::Test {
protected:
  static constexpr char kDrive = 'K';
  const std::vector<std::uint32_t> kTrackSectors{300, 451, 1000};

  void SetUp() override {
    Disc = WriteToneDisc(Dir.unixPath(), kTrackSectors);
    SetVariable(L"TAVREL_CD_IMAGE", Disc.CuePath);
    SetVariable(L"TAVREL_CD_DRIVE", std::string(1, kDrive));
  }
  void TearDown() override {
    SetVariable(L"TAVREL_CD_IMAGE", "");
    SetVariable(L"TAVREL_CD_DRIVE", "");
  }

  static bool IsCdDrive(char letter) {
    return CdGetDriveType(W(Wide(std::string(1, letter) + ":\\"))) == DRIVE_CDROM;
  }

  static BOOL RawRead(HANDLE drive, std::uint64_t sector, DWORD count, std::vector<BYTE>& out,
                      TRACK_MODE_TYPE mode = CDDA) {
    RAW_READ_INFO info = {};
    info.DiskOffset.QuadPart = static_cast<LONGLONG>(sector * 2048);
    info.SectorCount = count;
    info.TrackMode = mode;
    DWORD returned = 0;
    const BOOL ok = CdDeviceIoControl(drive, IOCTL_CDROM_RAW_READ, &info, sizeof info, out.data(),
                                      static_cast<DWORD>(out.size()), &returned, nullptr);
    if (ok) {
      EXPECT_EQ(returned, count * kCdSectorSize);
    }
    return ok;
  }

  TempDir Dir;
  DiscImage Disc;
};

TEST_F(CdDrive, TheImageIsACdRomDriveInTheDriveList) {
  EXPECT_TRUE(IsCdDrive(kDrive));
  EXPECT_EQ(CdGetDriveType(L"k:"), static_cast<UINT>(DRIVE_CDROM));
  EXPECT_EQ(CdGetDriveType(L"K:/"), static_cast<UINT>(DRIVE_CDROM));

  std::vector<std::string> expected = Roots(SystemDriveStrings);
  expected.push_back("K:\\");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Roots(CdGetLogicalDriveStrings), expected);

  // Too small a buffer: the size needed, and nothing written.
  WCHAR tooSmall[4] = {L'x', L'x', L'x', L'x'};
  EXPECT_EQ(CdGetLogicalDriveStrings(4, tooSmall), 4 * expected.size() + 1);
  EXPECT_EQ(tooSmall[0], L'x');
}

TEST_F(CdDrive, ByDefaultTheImageTakesTheFirstFreeLetterFromD) {
  SetVariable(L"TAVREL_CD_DRIVE", "");
  char letter = 'D';
  while (GetLogicalDrives() & (1u << (letter - 'A'))) ++letter;
  EXPECT_TRUE(IsCdDrive(letter));
  EXPECT_FALSE(IsCdDrive(kDrive));
  const HANDLE drive = OpenDevice(letter);
  ASSERT_NE(drive, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(CdCloseHandle(drive));
}

TEST_F(CdDrive, AWindowsPathToTheSheetServesTooAndABadDriveNameGivesNoDrive) {
  SetVariable(L"TAVREL_CD_IMAGE", UnixToWindowsPath(Disc.CuePath));
  EXPECT_TRUE(IsCdDrive(kDrive));
  for (const char* name : {"KK", "K:x", "1", "K\\"}) {
    SetVariable(L"TAVREL_CD_DRIVE", name);
    EXPECT_FALSE(IsCdDrive(kDrive)) << name;
  }
}

TEST_F(CdDrive, TableOfContentsCountsTheLeadIn) {
  const HANDLE drive = OpenDevice(kDrive);
  ASSERT_NE(drive, INVALID_HANDLE_VALUE);
  CDROM_TOC toc;
  std::memset(&toc, 0xCC, sizeof toc);
  DWORD returned = 0;
  ASSERT_TRUE(CdDeviceIoControl(drive, IOCTL_CDROM_READ_TOC, nullptr, 0, &toc, sizeof toc, &returned, nullptr));
  EXPECT_EQ(returned, 4u + 4 * 8);
  EXPECT_EQ(toc.Length[0], 0);
  EXPECT_EQ(toc.Length[1], 2 + 4 * 8);
  EXPECT_EQ(toc.FirstTrack, 1);
  EXPECT_EQ(toc.LastTrack, 3);
  // Starts 0, 300, 751 and the lead-out at 1751, each plus 150 sectors of lead-in.
  const struct {
    int number, minute, second, frame;
  } entries[] = {{1, 0, 2, 0}, {2, 0, 6, 0}, {3, 0, 12, 1}, {0xAA, 0, 25, 26}};
  for (int i = 0; i < 4; ++i) {
    const TRACK_DATA& entry = toc.TrackData[i];
    EXPECT_EQ(entry.TrackNumber, entries[i].number) << i;
    EXPECT_EQ(entry.Control, 0) << i;
    EXPECT_EQ(entry.Adr, 1) << i;
    EXPECT_EQ(entry.Address[0], 0) << i;
    EXPECT_EQ(entry.Address[1], entries[i].minute) << i;
    EXPECT_EQ(entry.Address[2], entries[i].second) << i;
    EXPECT_EQ(entry.Address[3], entries[i].frame) << i;
    const int sector = (entry.Address[1] * 60 + entry.Address[2]) * 75 + entry.Address[3] - 150;
    EXPECT_EQ(sector, i < 3 ? static_cast<int>(Disc.TrackStarts[i]) : static_cast<int>(Disc.SectorCount)) << i;
  }
  EXPECT_EQ(toc.TrackData[4].TrackNumber, 0) << "entries past the lead-out are empty";

  CDROM_TOC* nothing = nullptr;
  EXPECT_FALSE(CdDeviceIoControl(drive, IOCTL_CDROM_READ_TOC, nullptr, 0, &toc, 100, &returned, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_FALSE(CdDeviceIoControl(drive, IOCTL_CDROM_READ_TOC, nullptr, 0, nothing, sizeof toc, &returned, nullptr));
  EXPECT_TRUE(CdCloseHandle(drive));
}

TEST_F(CdDrive, RawReadsReturnTheImageSectors) {
  const std::string audio = ReadUnixFile(Disc.BinPath);
  ASSERT_EQ(audio.size(), std::size_t{Disc.SectorCount} * kCdSectorSize);
  const HANDLE drive = OpenDevice(kDrive);
  ASSERT_NE(drive, INVALID_HANDLE_VALUE);
  const struct {
    std::uint32_t sector, count;
  } reads[] = {{0, 1}, {299, 2}, {1000, 13}, {1751 - 13, 13}, {1750, 1}};
  for (const auto& r : reads) {
    std::vector<BYTE> out(13 * kCdSectorSize);
    ASSERT_TRUE(RawRead(drive, r.sector, r.count, out)) << r.sector << " error " << GetLastError();
    EXPECT_EQ(std::memcmp(out.data(), audio.data() + std::size_t{r.sector} * kCdSectorSize, r.count * kCdSectorSize), 0)
        << r.sector;
  }
  EXPECT_TRUE(CdCloseHandle(drive));
}

TEST_F(CdDrive, BadReadRequestsFailAsADriveFailsThem) {
  const HANDLE drive = OpenDevice(kDrive);
  ASSERT_NE(drive, INVALID_HANDLE_VALUE);
  std::vector<BYTE> out(13 * kCdSectorSize);
  const struct {
    const char* what;
    std::uint64_t sector;
    DWORD count;
    std::size_t outSize;
    TRACK_MODE_TYPE mode;
    DWORD error;
  } cases[] = {
      {"at the lead-out", 1751, 1, out.size(), CDDA, ERROR_SECTOR_NOT_FOUND},
      {"across the lead-out", 1745, 13, out.size(), CDDA, ERROR_SECTOR_NOT_FOUND},
      {"far past the end", 0xFFFFFFFFull, 13, out.size(), CDDA, ERROR_SECTOR_NOT_FOUND},
      {"output too small", 0, 13, 12 * kCdSectorSize, CDDA, ERROR_INSUFFICIENT_BUFFER},
      {"data mode", 0, 1, out.size(), YellowMode2, ERROR_INVALID_PARAMETER},
  };
  for (const auto& c : cases) {
    std::vector<BYTE> buffer(c.outSize);
    EXPECT_FALSE(RawRead(drive, c.sector, c.count, buffer, c.mode)) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
  }
  DWORD returned = 0;
  RAW_READ_INFO info = {};
  EXPECT_FALSE(CdDeviceIoControl(drive, IOCTL_CDROM_RAW_READ, &info, sizeof info - 1, out.data(),
                                 static_cast<DWORD>(out.size()), &returned, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(CdDeviceIoControl(drive, IOCTL_STORAGE_EJECT_MEDIA, nullptr, 0, nullptr, 0, &returned, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FUNCTION));

  // The image shrinking under an open drive leaves its lost sectors unreadable, as on a damaged disc.
  ASSERT_EQ(RunTool("truncate -s " + std::to_string(1000 * kCdSectorSize) + " '" + Disc.BinPath + "'"), 0);
  EXPECT_TRUE(RawRead(drive, 980, 13, out));
  EXPECT_FALSE(RawRead(drive, 995, 13, out));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CRC));

  EXPECT_TRUE(CdCloseHandle(drive));
  // A closed drive handle is no image drive any more.
  EXPECT_FALSE(RawRead(drive, 0, 1, out));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(CdDrive, OtherDrivesAndHandlesGoToTheSystem) {
  EXPECT_EQ(CdGetDriveType(L"C:\\"), GetDriveTypeW(L"C:\\"));
  EXPECT_EQ(CdGetDriveType(L"Z:\\"), GetDriveTypeW(L"Z:\\"));
  EXPECT_EQ(CdGetDriveType(L"L:\\"), GetDriveTypeW(L"L:\\"));
  EXPECT_EQ(CdGetDriveType(nullptr), GetDriveTypeW(nullptr));
  SetLastError(0);
  EXPECT_EQ(OpenDevice('L'), INVALID_HANDLE_VALUE);
  EXPECT_NE(GetLastError(), 0u);

  // A file opened through the same call is the system's handle: its control requests fail as the
  // system fails them, and it closes as usual.
  const std::string file = Dir.windowsFile("plain.txt");
  const HANDLE plain = CdCreateFile(W(Wide(file)), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(plain, INVALID_HANDLE_VALUE);
  CDROM_TOC toc;
  DWORD returned = 0;
  EXPECT_FALSE(CdDeviceIoControl(plain, IOCTL_CDROM_READ_TOC, nullptr, 0, &toc, sizeof toc, &returned, nullptr));
  const DWORD cdError = GetLastError();
  EXPECT_FALSE(DeviceIoControl(plain, IOCTL_CDROM_READ_TOC, nullptr, 0, &toc, sizeof toc, &returned, nullptr));
  EXPECT_EQ(cdError, GetLastError());
  EXPECT_TRUE(CdCloseHandle(plain));
  EXPECT_NE(GetFileAttributesW(W(Wide(file))), INVALID_FILE_ATTRIBUTES);

  // With no image set, the list is the system's.
  SetVariable(L"TAVREL_CD_IMAGE", "");
  EXPECT_FALSE(IsCdDrive(kDrive));
  EXPECT_EQ(Roots(CdGetLogicalDriveStrings), Roots(SystemDriveStrings));
}

// Each fault leaves the image without a drive; nothing crashes and nothing opens.
TEST_F(CdDrive, ABrokenImageGivesNoDrive) {
  const std::string fileLine = "FILE \"disc.bin\" BINARY\n";
  const std::string tracks = "TRACK 01 AUDIO\nINDEX 01 00:00:00\nTRACK 02 AUDIO\nINDEX 01 00:04:00\n";
  const struct {
    const char* what;
    std::string cue;
    std::int64_t binSize;  // -1: no image file
  } cases[] = {
      {"cue without FILE", tracks, 1751 * kCdSectorSize},
      {"bad INDEX", fileLine + "TRACK 01 AUDIO\nINDEX 01 00:00:99\n", 1751 * kCdSectorSize},
      {"missing image file", fileLine + tracks, -1},
      {"empty image file", fileLine + tracks, 0},
      {"image ends where the last track starts", fileLine + tracks, 300 * kCdSectorSize},
      {"image ends within the last track's first sector", fileLine + tracks, 301 * kCdSectorSize - 1},
      {"binary garbage as the sheet", std::string("\x00\xFF\x13\x37 FILE\x01", 10), 1751 * kCdSectorSize},
  };
  for (const auto& c : cases) {
    RunTool("rm -f '" + Disc.BinPath + "'");
    if (c.binSize >= 0) {
      ASSERT_EQ(RunTool("truncate -s " + std::to_string(c.binSize) + " '" + Disc.BinPath + "'"), 0);
    }
    WriteUnixFile(Disc.CuePath, c.cue);
    EXPECT_FALSE(IsCdDrive(kDrive)) << c.what;
    SetLastError(0);
    EXPECT_EQ(OpenDevice(kDrive), INVALID_HANDLE_VALUE) << c.what;
    EXPECT_NE(GetLastError(), 0u) << c.what;
    const std::vector<std::string> roots = Roots(CdGetLogicalDriveStrings);
    EXPECT_EQ(std::count(roots.begin(), roots.end(), "K:\\"), 0) << c.what;
  }
  SetVariable(L"TAVREL_CD_IMAGE", Dir.unixFile("absent.cue"));
  EXPECT_FALSE(IsCdDrive(kDrive));
}

TEST_F(CdDrive, TheSheetFindsItsImageBesideItOrByAbsolutePath) {
  RunTool("mkdir -p '" + Dir.unixFile("sub") + "' && mv '" + Disc.BinPath + "' '" + Dir.unixFile("sub") + "/'");
  const std::string tracks = " BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n";
  for (const std::string& name : {std::string("sub/disc.bin"), std::string("sub\\disc.bin"),
                                  Dir.unixFile("sub/disc.bin"), Dir.windowsFile("sub\\disc.bin")}) {
    WriteUnixFile(Disc.CuePath, "FILE \"" + name + "\"" + tracks);
    EXPECT_TRUE(IsCdDrive(kDrive)) << name;
  }
}

// Data tracks carry the data bit in the table of contents, and the lead-out takes the last track's.
TEST_F(CdDrive, TheTableFollowsTheSheet) {
  WriteUnixFile(Disc.CuePath, "FILE \"disc.bin\" BINARY\nTRACK 01 MODE1/2352\nINDEX 01 00:00:00\n"
                              "TRACK 02 AUDIO\nINDEX 00 00:08:00\nINDEX 01 00:10:00\n");
  const HANDLE drive = OpenDevice(kDrive);
  ASSERT_NE(drive, INVALID_HANDLE_VALUE);
  CDROM_TOC toc;
  DWORD returned = 0;
  ASSERT_TRUE(CdDeviceIoControl(drive, IOCTL_CDROM_READ_TOC, nullptr, 0, &toc, sizeof toc, &returned, nullptr));
  EXPECT_EQ(toc.LastTrack, 2);
  EXPECT_EQ(toc.TrackData[0].Control, 4);
  EXPECT_EQ(toc.TrackData[1].Control, 0);
  EXPECT_EQ(toc.TrackData[1].Address[2], 12);
  EXPECT_EQ(toc.TrackData[2].TrackNumber, 0xAA);
  EXPECT_EQ(toc.TrackData[2].Control, 0);
  EXPECT_TRUE(CdCloseHandle(drive));
}

// A partial sector at the end of the image is no sector: the lead-out comes before it.
TEST_F(CdDrive, ATrailingPartialSectorIsNotOnTheDisc) {
  ASSERT_EQ(RunTool("truncate -s +1000 '" + Disc.BinPath + "'"), 0);
  const HANDLE drive = OpenDevice(kDrive);
  ASSERT_NE(drive, INVALID_HANDLE_VALUE);
  CDROM_TOC toc;
  DWORD returned = 0;
  ASSERT_TRUE(CdDeviceIoControl(drive, IOCTL_CDROM_READ_TOC, nullptr, 0, &toc, sizeof toc, &returned, nullptr));
  EXPECT_EQ(toc.TrackData[3].Address[2], 25);
  EXPECT_EQ(toc.TrackData[3].Address[3], 26);
  std::vector<BYTE> out(kCdSectorSize);
  EXPECT_FALSE(RawRead(drive, 1751, 1, out));
  EXPECT_TRUE(CdCloseHandle(drive));
}

}  // namespace
