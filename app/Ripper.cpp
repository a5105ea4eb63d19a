#include "app/Ripper.h"

#include "app/Unit1.h"
#include "platform/cdimage/CdDrive.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "platform/lame/LameEnc.h"

#include <algorithm>
#include <cstring>

using namespace classlib;

std::atomic<bool> Ripping = false;
String RipFolder;
HANDLE CdDrive = INVALID_HANDLE_VALUE;
CDROM_TOC CdToc{};
int RipJobCount = 0;
int RipJobIndex = 0;
int RipTrackIndex = 0;
String RipWavFileName;
String RipMp3FileName;
std::unique_ptr<cap> RipThread;

TRipMessageBox RipMessageBox = [](const String& Text, const String& Caption, UINT Flags) {
  return Application->MessageBox(Text, Caption, Flags);
};

static_assert(sizeof(CDROM_TOC) == 804);

namespace {

constexpr int kSectorsPerSecond = 75;
constexpr int kUnaddressedSectors = 150;  // the first 2 seconds of the disc
constexpr int kReadAttempts = 3;

const char* const kTitle = "Tavrel";
const char* const kConversionErrorCaption = "Wav2Mp3 ERROR";
const char* const kOverwriteQuestion = "the file is already exist do you want to cover?";

// ----- Table of contents -------------------------------------------------------------------

int TocEntryCount(const CDROM_TOC& Toc) {
  // Length counts the bytes after itself, big-endian: the two track numbers and 8 bytes per entry.
  const int length = (Toc.Length[0] << 8) | Toc.Length[1];
  return std::clamp((length - 2) / static_cast<int>(sizeof(TRACK_DATA)), 0, MAXIMUM_NUMBER_TRACKS);
}

const UCHAR* EntryAddress(const CDROM_TOC& Toc, int Entry) { return Toc.TrackData[Entry].Address; }

int EntrySector(const CDROM_TOC& Toc, int Entry) {
  const UCHAR* address = EntryAddress(Toc, Entry);
  return address[1] * 60 * kSectorsPerSecond + address[2] * kSectorsPerSecond + address[3] - kUnaddressedSectors;
}

// ----- Files -------------------------------------------------------------------------------

bool FileExists(const String& Path) { return GetFileAttributesW(ToWide(Path).c_str()) != INVALID_FILE_ATTRIBUTES; }
void DeleteIfExists(const String& Path) { DeleteFileW(ToWide(Path).c_str()); }

// A file opened through Win32, closed when it goes.
class TRawFile {
public:
  TRawFile(const String& Path, DWORD Access, DWORD Disposition)
      : FHandle(CreateFileW(ToWide(Path).c_str(), Access, FILE_SHARE_READ, nullptr, Disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~TRawFile() { Close(); }
  TRawFile(const TRawFile&) = delete;
  TRawFile& operator=(const TRawFile&) = delete;

  bool IsOpen() const { return FHandle != INVALID_HANDLE_VALUE; }
  void Close() {
    if (IsOpen()) CloseHandle(FHandle);
    FHandle = INVALID_HANDLE_VALUE;
  }
  // The bytes read, fewer at the end of the file.
  DWORD Read(void* Buffer, DWORD Count) {
    DWORD done = 0;
    if (!ReadFile(FHandle, Buffer, Count, &done, nullptr)) return 0;
    return done;
  }
  bool ReadExactly(void* Buffer, DWORD Count) { return Read(Buffer, Count) == Count; }
  bool Write(const void* Buffer, DWORD Count) {
    DWORD done = 0;
    return WriteFile(FHandle, Buffer, Count, &done, nullptr) && done == Count;
  }
  void Skip(std::uint32_t Count) {
    LARGE_INTEGER distance{};
    distance.QuadPart = Count;
    SetFilePointerEx(FHandle, distance, nullptr, FILE_CURRENT);
  }

private:
  HANDLE FHandle;
};

std::uint32_t LittleEndian32(const std::uint8_t* Bytes) {
  return Bytes[0] | (Bytes[1] << 8) | (Bytes[2] << 16) | (static_cast<std::uint32_t>(Bytes[3]) << 24);
}
std::uint16_t LittleEndian16(const std::uint8_t* Bytes) { return static_cast<std::uint16_t>(Bytes[0] | (Bytes[1] << 8)); }

// ----- The encoder -------------------------------------------------------------------------

// LAME_ENC.DLL with its four entry points bound by ordinal; unloaded when it goes.
class TLameLibrary {
public:
  TLameLibrary() : FModule(LoadLibraryW(L"LAME_ENC.dll")) {
    if (!FModule) return;
    InitStream = Bind<BEINITSTREAM>(BE_ORDINAL_INIT_STREAM);
    EncodeChunk = Bind<BEENCODECHUNK>(BE_ORDINAL_ENCODE_CHUNK);
    DeinitStream = Bind<BEDEINITSTREAM>(BE_ORDINAL_DEINIT_STREAM);
    CloseStream = Bind<BECLOSESTREAM>(BE_ORDINAL_CLOSE_STREAM);
  }
  ~TLameLibrary() {
    if (FModule) FreeLibrary(FModule);
  }
  TLameLibrary(const TLameLibrary&) = delete;
  TLameLibrary& operator=(const TLameLibrary&) = delete;

  bool Complete() const { return InitStream && EncodeChunk && DeinitStream && CloseStream; }

  BEINITSTREAM InitStream = nullptr;
  BEENCODECHUNK EncodeChunk = nullptr;
  BEDEINITSTREAM DeinitStream = nullptr;
  BECLOSESTREAM CloseStream = nullptr;

private:
  template <class F>
  F Bind(WORD Ordinal) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(FModule, MAKEINTRESOURCEA(Ordinal))));
  }
  HMODULE FModule;
};

void ShowConversionError(const char* Text) { RipMessageBox(Text, kConversionErrorCaption, MB_OK); }

bool MayOverwrite(const String& Path) {
  return !FileExists(Path) || RipMessageBox(kOverwriteQuestion, kTitle, MB_YESNO) == IDYES;
}

String TrackFileName(int Index, const char* Extension) { return RipFolder + "\\" + IntToStr(Index) + Extension; }

// A read that fails is tried again before the track is given up: a scratch or a drive still
// spinning up often reads on the next attempt.
bool ReadRawSectorsRetrying(int FirstSector, int Count, std::uint8_t* Buffer) {
  for (int attempt = 0; attempt < kReadAttempts; ++attempt)
    if (ReadRawSectors(FirstSector, Count, Buffer)) return true;
  return false;
}

}  // namespace

bool TocHasTrack(const CDROM_TOC& Toc, int Track) {
  const int entry = Track - Toc.FirstTrack;
  return Track >= Toc.FirstTrack && Track <= Toc.LastTrack && entry + 1 < TocEntryCount(Toc);
}

std::vector<int> TocTracks(const CDROM_TOC& Toc) {
  std::vector<int> tracks;
  for (int track = Toc.FirstTrack; TocHasTrack(Toc, track); ++track) tracks.push_back(track);
  return tracks;
}

int TrackStartSector(const CDROM_TOC& Toc, int Track) { return EntrySector(Toc, Track - Toc.FirstTrack); }
int TrackEndSector(const CDROM_TOC& Toc, int Track) { return EntrySector(Toc, Track - Toc.FirstTrack + 1) - 1; }

std::vector<TTrackRow> TrackRows(const CDROM_TOC& Toc) {
  std::vector<TTrackRow> rows;
  for (const int track : TocTracks(Toc)) {
    const int start = TrackStartSector(Toc, track);
    const int end = TrackEndSector(Toc, track);
    const std::uint32_t size = (static_cast<std::uint32_t>(end - start) * kRawSectorSize) >> 20;
    const UCHAR* from = EntryAddress(Toc, track - Toc.FirstTrack);
    const UCHAR* to = EntryAddress(Toc, track - Toc.FirstTrack + 1);
    // Frames are left out of the length.
    const int seconds = (to[1] - from[1]) * 60 + (to[2] - from[2]);
    const String sizeText = IntToStr(size);
    rows.push_back({Format("#Track%d", track),
                    {IntToStr(track), sizeText, IntToStr(seconds / 60) + ":" + IntToStr(seconds % 60), sizeText,
                     sizeText}});
  }
  return rows;
}

std::array<std::uint8_t, kWavHeaderSize> WavHeader(std::uint32_t DataSize) {
  std::array<std::uint8_t, kWavHeaderSize> header{};
  std::size_t at = 0;
  auto text = [&](const char* Id) {
    std::memcpy(&header[at], Id, 4);
    at += 4;
  };
  auto number = [&](std::uint32_t Value, int Bytes) {
    for (int i = 0; i < Bytes; ++i) header[at++] = static_cast<std::uint8_t>(Value >> (8 * i));
  };
  text("RIFF");
  number(DataSize + 38, 4);
  text("WAVE");
  text("fmt ");
  number(18, 4);      // format chunk size
  number(1, 2);       // PCM
  number(2, 2);       // channels
  number(44100, 4);   // samples per second
  number(176400, 4);  // bytes per second
  number(4, 2);       // block size
  number(16, 2);      // bits per sample
  number(0, 2);       // extra format bytes
  text("data");
  number(DataSize, 4);
  return header;
}

bool ReadRawSectors(int FirstSector, int Count, std::uint8_t* Buffer) {
  RAW_READ_INFO request{};
  request.DiskOffset.QuadPart = static_cast<LONGLONG>(static_cast<std::uint32_t>(FirstSector) * 2048u);
  request.SectorCount = static_cast<ULONG>(Count);
  request.TrackMode = CDDA;
  DWORD returned = 0;
  return CdDeviceIoControl(CdDrive, IOCTL_CDROM_RAW_READ, &request, sizeof request, Buffer,
                           static_cast<DWORD>(Count) * kRawSectorSize, &returned, nullptr) &&
         returned == static_cast<DWORD>(Count) * kRawSectorSize;
}

// ----- The thread --------------------------------------------------------------------------

void cap::Execute() {
  SetThreadDescription(GetCurrentThread(), L"cap");
  RipJobCount = static_cast<int>(FTracks.size());
  RipJobIndex = 0;
  FWavUnfinished = false;
  FMp3Unfinished = false;

  bool failed = false;
  for (const int track : FTracks) {
    if (!Ripping) break;
    ++RipJobIndex;
    Form1->skSkinGauge1->SetProgressText("Doing job " + String("  ") + IntToStr(RipJobIndex) + "  " + "of" + "  " +
                                         IntToStr(RipJobCount) + ".........  ");
    if (RipTrack(track) == TOutcome::Failed) failed = true;
  }
  // A job stopped by "Stop" or by closing the program has not completed: it only cleans up, and
  // says nothing (each failed track was reported when it failed).
  const bool stopped = !Ripping;
  if (stopped) DeleteUnfinishedFiles();
  Ripping = false;
  if (!stopped) RipMessageBox(failed ? "Some tracks could not be ripped" : "Complete", kTitle, MB_OK);
  // The gauge is safe to set from here; the rest of the page belongs to the window's thread.
  Form1->skSkinGauge1->SetValue(0);
  if (FNotifyWindow) PostMessageW(FNotifyWindow, WM_RIPJOBENDED, 0, 0);
}

void cap::DeleteUnfinishedFiles() {
  if (FWavUnfinished) DeleteIfExists(RipWavFileName);
  if (FMp3Unfinished) DeleteIfExists(TrackFileName(RipTrackIndex, ".mp3"));
  FWavUnfinished = false;
  FMp3Unfinished = false;
}

cap::TOutcome cap::RipTrack(int Index) {
  RipTrackIndex = Index;
  RipWavFileName = TrackFileName(Index, ".wav");
  if (!MayOverwrite(RipWavFileName)) return TOutcome::Skipped;

  TOutcome outcome = TOutcome::Done;
  {
    TRawFile wav(RipWavFileName, GENERIC_WRITE, CREATE_ALWAYS);
    FWavUnfinished = wav.IsOpen();
    const int track = CdToc.FirstTrack + Index;
    if (!wav.IsOpen() || !TocHasTrack(CdToc, track)) {
      outcome = TOutcome::Failed;
    } else {
      const int first = TrackStartSector(CdToc, track);
      const int end = TrackEndSector(CdToc, track);
      const std::uint32_t size = static_cast<std::uint32_t>(end - first) * kRawSectorSize;
      Form1->skSkinGauge1->SetValue(0);
      Form1->skSkinGauge1->SetMaxValue(static_cast<int>(size / 2));
      const auto header = WavHeader(size);
      bool written = wav.Write(header.data(), static_cast<DWORD>(header.size()));
      std::uint32_t position = kWavHeaderSize;
      std::vector<std::uint8_t> buffer(kSectorsPerRead * kRawSectorSize);
      for (int s = first; written && s < end; s += kSectorsPerRead) {
        if (!Ripping) return TOutcome::Stopped;  // the file is deleted by the job's clean-up
        const int count = std::min<int>(kSectorsPerRead, end - s);
        if (!ReadRawSectorsRetrying(s, count, buffer.data())) {
          RipMessageBox("Cannot read track " + IntToStr(track) + " of the CD", kTitle, MB_OK);
          written = false;
          break;
        }
        const DWORD bytes = static_cast<DWORD>(count) * kRawSectorSize;
        written = wav.Write(buffer.data(), bytes);
        position += bytes;
        Form1->skSkinGauge1->SetValue(static_cast<int>(position / 4));
      }
      if (!written) outcome = TOutcome::Failed;
    }
  }
  if (outcome == TOutcome::Done) outcome = ConvertWavToMp3(Index);
  // A stopped conversion leaves its WAV to the job's clean-up, like a stopped read.
  if (outcome != TOutcome::Stopped) {
    DeleteIfExists(RipWavFileName);
    FWavUnfinished = false;
  }
  return outcome;
}

cap::TOutcome cap::ConvertWavToMp3(int Index) {
  TRawFile wav(RipWavFileName, GENERIC_READ, OPEN_EXISTING);
  if (!wav.IsOpen()) return TOutcome::Failed;

  std::uint8_t riff[12], format[24];
  if (!wav.ReadExactly(riff, sizeof riff) || !wav.ReadExactly(format, sizeof format) ||
      std::memcmp(format, "fmt ", 4) != 0) {
    ShowConversionError("This is not a valid Wave file");
    return TOutcome::Failed;
  }
  const std::uint32_t formatSize = LittleEndian32(format + 4);
  const std::uint16_t formatTag = LittleEndian16(format + 8);
  const std::uint16_t channels = LittleEndian16(format + 10);
  const std::uint32_t sampleRate = LittleEndian32(format + 12);
  if (formatTag != 1) {
    ShowConversionError("Cannot handle compressed Wave file");
    return TOutcome::Failed;
  }
  if (sampleRate != 32000 && sampleRate != 44100 && sampleRate != 48000) {
    ShowConversionError("Unsuported sample rate");
    return TOutcome::Failed;
  }

  BE_CONFIG config{};
  config.dwConfig = BE_CONFIG_MP3;
  config.format.mp3.dwSampleRate = sampleRate;
  config.format.mp3.byMode = channels == 1 ? BE_MP3_MODE_MONO : BE_MP3_MODE_STEREO;
  config.format.mp3.wBitrate = Mp3Bitrate;

  if (formatSize > 16) wav.Skip(formatSize - 16);
  std::uint32_t dataSize = 0;
  for (;;) {
    std::uint8_t chunk[8];
    // A file that ends before its "data" chunk is no WAV file.
    if (!wav.ReadExactly(chunk, sizeof chunk)) {
      ShowConversionError("This is not a valid Wave file");
      return TOutcome::Failed;
    }
    const std::uint32_t size = LittleEndian32(chunk + 4);
    if (std::memcmp(chunk, "data", 4) == 0) {
      dataSize = size;
      break;
    }
    wav.Skip(size);
  }

  const TLameLibrary lame;
  DWORD samplesPerChunk = 0, outputSize = 0;
  HBE_STREAM stream = 0;
  if (!lame.Complete() || lame.InitStream(&config, &samplesPerChunk, &outputSize, &stream) != BE_ERR_SUCCESSFUL) {
    ShowConversionError("Cannot perform compression");
    return TOutcome::Failed;
  }

  RipMp3FileName = TrackFileName(Index, ".mp3");
  if (!MayOverwrite(RipMp3FileName)) {
    lame.CloseStream(stream);
    return TOutcome::Skipped;
  }
  TRawFile mp3(RipMp3FileName, GENERIC_WRITE, CREATE_ALWAYS);
  FMp3Unfinished = mp3.IsOpen();
  std::vector<BYTE> output(outputSize);
  std::vector<SHORT> input(samplesPerChunk);
  const DWORD chunkBytes = samplesPerChunk * 2;

  Form1->skSkinGauge1->SetValue(0);
  Form1->skSkinGauge1->SetMaxValue(static_cast<int>(dataSize));
  const int maximum = Form1->skSkinGauge1->MaxValue();
  bool good = mp3.IsOpen();
  std::uint32_t done = 0;
  while (good && done < dataSize && Ripping) {
    // Only the bytes of the data chunk that the file holds are encoded: the last chunk is shorter.
    const DWORD bytes = wav.Read(input.data(), std::min<DWORD>(chunkBytes, dataSize - done));
    if (bytes == 0) break;
    done += bytes;
    DWORD produced = 0;
    if (lame.EncodeChunk(stream, bytes / 2, input.data(), output.data(), &produced) != BE_ERR_SUCCESSFUL) {
      ShowConversionError("Cannot perform compression");
      good = false;
      break;
    }
    Form1->skSkinGauge1->SetValue(maximum / 2 + static_cast<int>(done / 2));
    good = mp3.Write(output.data(), produced);
  }
  const bool stopped = !Ripping;
  DWORD produced = 0;
  if (lame.DeinitStream(stream, output.data(), &produced) == BE_ERR_SUCCESSFUL && good)
    good = mp3.Write(output.data(), produced);
  lame.CloseStream(stream);
  mp3.Close();
  if (stopped) return TOutcome::Stopped;
  if (!good) {
    // A broken MP3 is worth nothing to the user.
    DeleteIfExists(RipMp3FileName);
    FMp3Unfinished = false;
    return TOutcome::Failed;
  }
  FMp3Unfinished = false;
  return TOutcome::Done;
}
