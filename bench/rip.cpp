// Ripping and encoding a 10-minute disc image with the ripper, against Debian's lame encoding the
// same PCM at the ripper's settings (224 kbit/s CBR, stereo), in the same run. Target: within 10%.
#include "tests/app/AppTesting.h"
#include "tests/support/DiscImage.h"

#include "app/Ripper.h"
#include "app/Unit1.h"
#include "platform/cdimage/CdDrive.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

// 45,000 sectors of 1/75 s: two tracks of five minutes.
constexpr std::uint32_t kTrackSectors = 22500;
constexpr int kRuns = 2;

double BestSeconds(const std::function<bool()>& Run) {
  double best = 1e9;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = std::chrono::steady_clock::now();
    if (!Run()) return -1;
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

bool OpenImageDrive() {
  CdDrive = CdCreateFile(L"\\\\.\\T:", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (CdDrive == INVALID_HANDLE_VALUE) return false;
  DWORD returned = 0;
  return CdDeviceIoControl(CdDrive, IOCTL_CDROM_READ_TOC, nullptr, 0, &CdToc, sizeof CdToc, &returned, nullptr) &&
         TocTracks(CdToc).size() == 2;
}

// The MP3 files of the previous run go first, so the ripper does not ask to overwrite them.
bool RipDisc(const std::string& Folder) {
  const int tracks = static_cast<int>(TocTracks(CdToc).size());
  for (int index = 0; index < tracks; ++index) std::remove((Folder + "/" + std::to_string(index) + ".mp3").c_str());
  cap ripper(true);
  Ripping = true;
  for (int index = 0; index < tracks; ++index)
    if (ripper.RipTrack(index) != cap::TOutcome::Done) return false;
  Ripping = false;
  return true;
}

}  // namespace

int main() {
  char pattern[] = "/tmp/tavrel-ripbench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const std::string folder = pattern;
  const auto disc = testing_support::WriteToneDisc(folder, {kTrackSectors, kTrackSectors});
  SetEnvironmentVariableA("TAVREL_CD_IMAGE", disc.CuePath.c_str());
  SetEnvironmentVariableA("TAVREL_CD_DRIVE", "T");

  const auto form = apptesting::MakeForm<TForm1>();
  Form1 = form.get();
  RipFolder = testing_support::UnixToWindowsPath(folder);
  RipMessageBox = [](const classlib::String& Text, const classlib::String&, UINT) {
    std::printf("ripper: %s\n", Text.c_str());
    return IDYES;
  };

  int status = 1;
  if (!OpenImageDrive()) {
    std::printf("rip: the disc image gives no drive\n");
  } else {
    const double ripper = BestSeconds([&] { return RipDisc(folder); });
    const std::string lame = "lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian -m s -b 224 --cbr '" +
                             disc.BinPath + "' '" + folder + "/lame.mp3' 2>/dev/null";
    const double reference = BestSeconds([&] { return std::system(lame.c_str()) == 0; });
    if (ripper < 0 || reference < 0) {
      std::printf("rip: a run failed (ripper %.2f s, lame %.2f s)\n", ripper, reference);
    } else {
      const double ratio = ripper / reference;
      std::printf("10-minute disc, best of %d: ripper %.2f s, lame %.2f s, ratio %.2f (target <= 1.10: %s)\n", kRuns,
                  ripper, reference, ratio, ratio <= 1.10 ? "met" : "missed");
      status = 0;
    }
    CdCloseHandle(CdDrive);
    CdDrive = INVALID_HANDLE_VALUE;
  }
  Form1 = nullptr;
  std::system(("rm -rf '" + folder + "'").c_str());
  return status;
}
