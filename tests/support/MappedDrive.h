// A drive letter of the test's Wine prefix mapped to a folder for the life of the object, so that
// tests of drive lists and paths can work on a drive holding only their own fixture.
//
// Under Wine two things make a drive: the prefix's dosdevices link (Wine resolves file names through
// it) and the DOS device object (GetLogicalDrives lists the objects only). Either alone is not
// enough; with both, the drive is listed, GetDriveTypeW calls it fixed, files open through it and
// the shell names it " (X:)". Both are Wine's own mechanics, kept to this test helper.
#pragma once

#include "tests/support/testing.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace testing_support {

class MappedDrive {
public:
  // Maps the highest free letter from Y: down to D: to unixFolder (an existing folder, as
  // TempDir::unixPath gives it). Throws std::runtime_error when no letter can be mapped.
  explicit MappedDrive(const std::string& unixFolder) {
    const std::string devices = DosDevicesFolder();
    const DWORD used = GetLogicalDrives();
    for (char letter = 'Y'; letter >= 'D'; --letter) {
      if (used & (1u << (letter - 'A'))) continue;
      const std::string link = devices + static_cast<char>(letter - 'A' + 'a') + ":";
      RemoveDanglingLink(link);
      // symlink fails when the name exists: that settles a race with another test program
      // mapping a drive in the same prefix.
      if (symlink(unixFolder.c_str(), link.c_str()) != 0) continue;
      const std::vector<WCHAR> target = Wide("\\??\\" + UnixToWindowsPath(unixFolder));
      const WCHAR device[] = {static_cast<WCHAR>(letter), L':', 0};
      if (!DefineDosDeviceW(DDD_RAW_TARGET_PATH, device, target.data())) {
        unlink(link.c_str());
        continue;
      }
      FLetter = letter;
      FLink = link;
      FTarget = target;
      return;
    }
    throw std::runtime_error("no free drive letter to map " + unixFolder);
  }

  ~MappedDrive() {
    const WCHAR device[] = {static_cast<WCHAR>(FLetter), L':', 0};
    DefineDosDeviceW(DDD_RAW_TARGET_PATH | DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE,
                     device, FTarget.data());
    unlink(FLink.c_str());
  }

  MappedDrive(const MappedDrive&) = delete;
  MappedDrive& operator=(const MappedDrive&) = delete;

  // The letter in upper case ('M'), the drive ("M:") and its root ("M:\").
  char letter() const { return FLetter; }
  std::string drive() const { return std::string(1, FLetter) + ":"; }
  std::string root() const { return drive() + "\\"; }

private:
  static std::string DosDevicesFolder() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
      return std::string(prefix) + "/dosdevices/";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.wine/dosdevices/";
  }

  // A link whose folder is gone was left by a test program that died before unmapping: its
  // letter is free again.
  static void RemoveDanglingLink(const std::string& link) {
    struct stat info;
    if (lstat(link.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && stat(link.c_str(), &info) != 0 &&
        errno == ENOENT)
      unlink(link.c_str());
  }

  static std::vector<WCHAR> Wide(const std::string& text) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::vector<WCHAR> result(static_cast<size_t>(n));
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, result.data(), n);
    return result;
  }

  char FLetter = 0;
  std::string FLink;
  std::vector<WCHAR> FTarget;
};

}  // namespace testing_support
