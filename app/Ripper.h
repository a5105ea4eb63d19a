// The CD ripper's shared state and its worker thread `cap`: for every checked track of the CD
// page it reads the raw audio sectors into a WAV file, converts that file to MP3 through
// LAME_ENC.DLL, deletes the WAV file and reports its progress on the page's gauge.
#pragma once

#include "platform/classlib/Threads.h"
#include "platform/classlib/Types.h"

#include <windows.h>
#include <winioctl.h>
#include <ntddcdrm.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// Application-wide state of the ripper, shared by the CD page and the ripping thread.
// Ripping is set by "Start" and cleared by "Stop" on the user-interface thread while the worker
// polls it, hence atomic.
extern std::atomic<bool> Ripping;
extern classlib::String RipFolder;  // without a trailing separator, except for a drive root
extern HANDLE CdDrive;
extern CDROM_TOC CdToc;
extern int RipJobCount;
extern int RipJobIndex;
extern int RipTrackIndex;
extern classlib::String RipWavFileName;
extern classlib::String RipMp3FileName;
constexpr std::uint16_t Mp3Bitrate = 224;  // kbit/s

constexpr std::uint32_t kRawSectorSize = 2352;
constexpr std::uint32_t kSectorsPerRead = 13;

// Posted by the ripping thread to the window it was given when its job has ended; that window's
// thread then gives the CD page's controls back. The thread only posts and never waits for the
// window's thread, so closing the program while it rips cannot deadlock.
constexpr UINT WM_RIPJOBENDED = WM_APP + 2;

// How the ripper asks and tells the user, from its own thread; tests put their own here.
using TRipMessageBox =
    std::function<int(const classlib::String& Text, const classlib::String& Caption, UINT Flags)>;
extern TRipMessageBox RipMessageBox;

// ----- Table of contents -------------------------------------------------------------------
// Track numbers run from the record's first track; a track is known only when the record's own
// length holds both its entry and the next one (the following track's or the lead-out's start).
bool TocHasTrack(const CDROM_TOC& Toc, int Track);
// The tracks the record describes completely, in disc order.
std::vector<int> TocTracks(const CDROM_TOC& Toc);
// The track's first sector, and its last one (the next entry's start minus one), counted from
// the first addressed sector (2 seconds into the disc).
int TrackStartSector(const CDROM_TOC& Toc, int Track);
int TrackEndSector(const CDROM_TOC& Toc, int Track);

// One line of the CD page's track list.
struct TTrackRow {
  classlib::String Caption;
  std::vector<classlib::String> SubItems;  // track, size in MB, length, size, size
};
std::vector<TTrackRow> TrackRows(const CDROM_TOC& Toc);

// ----- Ripped-track WAV file ---------------------------------------------------------------
constexpr std::size_t kWavHeaderSize = 46;
std::array<std::uint8_t, kWavHeaderSize> WavHeader(std::uint32_t DataSize);

// One raw read of Count (at most 13) audio sectors from CdDrive into Buffer.
bool ReadRawSectors(int FirstSector, int Count, std::uint8_t* Buffer);

// ----- The thread --------------------------------------------------------------------------
class cap : public classlib::TThread {
public:
  // Tracks are the list indices of the tracks to rip, noted on the window thread when the job
  // starts; NotifyWindow receives WM_RIPJOBENDED at the end.
  explicit cap(bool CreateSuspended, std::vector<int> Tracks = {}, HWND NotifyWindow = nullptr)
      : TThread(CreateSuspended), FTracks(std::move(Tracks)), FNotifyWindow(NotifyWindow) {}
  ~cap() override { TerminateAndWait(); }

  enum class TOutcome { Done, Skipped, Stopped, Failed };

  // Rips the track of the given list index and converts it.
  TOutcome RipTrack(int Index);
  // Converts RipWavFileName to RipMp3FileName.
  TOutcome ConvertWavToMp3(int Index);

protected:
  void Execute() override;

private:
  void DeleteUnfinishedFiles();

  const std::vector<int> FTracks;
  const HWND FNotifyWindow;

  // Which files of the track in work this job has created and not finished: a stop removes only
  // these, never a file that was there before or a track already done.
  bool FWavUnfinished = false;
  bool FMp3Unfinished = false;
};

// The thread of the last job started; kept after the job ends.
extern std::unique_ptr<cap> RipThread;
