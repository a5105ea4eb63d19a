// image_fuzz: the image library's decoders fed mutated files of one family of formats, in one
// process, for a given time. Each input gets a limit of processor time (a watchdog thread); the memory limit is
// the sanitizer's (scripts/fuzz sets it). An input that crashes, hangs or blows the memory limit is
// left as last.<ext> with last.txt beside it in the output folder, and the process ends; scripts/fuzz
// files it and starts the next run. A decode that claims success without a picture is saved as
// invalid-<n>.<ext> and the run goes on.
//
//   image_fuzz --family bmp --seeds <folder> --out <folder> [--seconds 60] [--timeout 5] [--seed 1]
//   image_fuzz --replay <file> [--id <format>] [--frame <n>]      (runs one file as the loop would)
// Folders and files are Windows paths (Z:\...).
#include "tests/fuzz/FuzzMutator.h"
#include "tests/fuzz/FuzzSeeds.h"

#include "image/PxFile.h"
#include "image/PxImage.h"

#include <windows.h>

#if defined(__SANITIZE_ADDRESS__)
#include "platform/UnixHeadersBegin.h"
#include <sanitizer/common_interface_defs.h>
#include "platform/UnixHeadersEnd.h"
#endif

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using fuzz::FuzzMutator;
using fuzz::Seed;

constexpr std::size_t kMaximumInput = 1 << 20;
constexpr std::size_t kPoolSize = 1000;

// What runs now, for the paths that end the process (sanitizer report, exception, watchdog).
struct Current {
  std::string outFolder;
  const std::string* input = nullptr;
  std::string seedName;
  std::uint32_t id = 0;
  std::int32_t frame = 0;
  const char* operation = "";
  char picture[64] = "";                    // what the decoder made of it, once it did
  std::atomic<std::uint64_t> startedAt{0};  // tick count when the input began, 0 while idle
  std::atomic<std::uint64_t> cpuAtStart{0}; // the running thread's processor time then, in 100 ns
  HANDLE thread = nullptr;                  // the thread that runs the inputs
  DWORD timeoutMs = 5000;
};

Current gCurrent;

// Ends the process at once with the given status: under Wine the sanitizer fails its own checks
// while threads are torn down at a normal exit, which would read as a crash.
// (Winelib work-around: the C library's _exit leaves at once, without Wine's thread teardown.)
[[noreturn]] void Finish(int status) {
  std::fflush(stdout);
  std::_Exit(status);
}

// The note saved beside an input: what happened and how to run it again.
std::string Note(const char* what) {
  char note[1024];
  std::snprintf(note, sizeof note,
                "%s\nmutated from: %s\nformat id asked: %u (0 probes every codec)\nframe: %d\noperation: %s\npicture: %s\n"
                "again: image_fuzz --replay <this file> --id %u --frame %d\n",
                what, gCurrent.seedName.c_str(), gCurrent.id, gCurrent.frame, gCurrent.operation,
                gCurrent.picture[0] ? gCurrent.picture : "none yet", gCurrent.id, gCurrent.frame);
  return note;
}

// Writes the running input and what was done with it as <stem>.<ext> and <stem>.txt.
void SaveCurrent(const std::string& stem, const char* what) {
  if (!gCurrent.input || gCurrent.outFolder.empty()) return;
  const std::size_t dot = gCurrent.seedName.find_last_of('.');
  const std::string extension = dot == std::string::npos ? "bin" : gCurrent.seedName.substr(dot + 1);
  const std::string base = gCurrent.outFolder + "\\" + stem;
  fuzz::WriteWholeFile(base + "." + extension, *gCurrent.input);
  fuzz::WriteWholeFile(base + ".txt", Note(what));
}

// The running input and its note, kept in a file mapped into memory: a death that no handler sees
// (Wine tearing the process down, or a fault on its own stack) still leaves them for scripts/fuzz.
// Layout of current.map: note length and input length (32 bits each), the note from byte 8, the
// input from byte kMirrorInput.
constexpr std::size_t kMirrorInput = 4096;

class InputMirror {
public:
  bool Open(const std::string& folder) {
    const std::string path = folder + "\\current.map";
    FFile = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FFile == INVALID_HANDLE_VALUE) return false;
    const DWORD size = static_cast<DWORD>(kMirrorInput + kMaximumInput);
    FMapping = CreateFileMappingA(FFile, nullptr, PAGE_READWRITE, 0, size, nullptr);
    if (FMapping) FView = static_cast<std::uint8_t*>(MapViewOfFile(FMapping, FILE_MAP_WRITE, 0, 0, size));
    return FView != nullptr;
  }
  void Store(const std::string& input) {
    if (!FView) return;
    const std::string note = Note("the process died without a report (see the log)");
    const auto noteBytes = static_cast<std::uint32_t>(std::min(note.size(), kMirrorInput - 8));
    const auto inputBytes = static_cast<std::uint32_t>(std::min(input.size(), kMaximumInput));
    std::memcpy(FView, &noteBytes, 4);
    std::memcpy(FView + 4, &inputBytes, 4);
    std::memcpy(FView + 8, note.data(), noteBytes);
    std::memcpy(FView + kMirrorInput, input.data(), inputBytes);
  }

private:
  HANDLE FFile = INVALID_HANDLE_VALUE;
  HANDLE FMapping = nullptr;
  std::uint8_t* FView = nullptr;
};

#if defined(__SANITIZE_ADDRESS__)
void OnSanitizerDeath() { SaveCurrent("last", "sanitizer report (see the log)"); }
#endif

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
  char what[128];
  std::snprintf(what, sizeof what, "exception 0x%08lx at %p", static_cast<unsigned long>(pointers->ExceptionRecord->ExceptionCode),
                pointers->ExceptionRecord->ExceptionAddress);
  SaveCurrent("last", what);
  std::printf("image_fuzz: crash: %s during %s of %s\n", what, gCurrent.operation, gCurrent.seedName.c_str());
  Finish(2);
}

// Processor time the thread has used, in 100 ns units.
std::uint64_t ThreadTime(HANDLE thread) {
  FILETIME created, exited, kernel, user;
  if (!GetThreadTimes(thread, &created, &exited, &kernel, &user)) return 0;
  const auto value = [](const FILETIME& t) { return (std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
  return value(kernel) + value(user);
}

// Marks the start (or, with false, the end) of one input for the watchdog.
void Running(bool running) {
  if (running) gCurrent.cpuAtStart.store(ThreadTime(gCurrent.thread), std::memory_order_relaxed);
  gCurrent.startedAt.store(running ? GetTickCount64() : 0, std::memory_order_release);
}

// The limit counts processor time, so that other work on the machine doesn't make timeouts; ten
// times the limit in wall time catches an input that waits instead of working.
DWORD WINAPI Watchdog(LPVOID) {
  for (;;) {
    Sleep(50);
    const std::uint64_t started = gCurrent.startedAt.load(std::memory_order_acquire);
    if (started == 0) continue;
    const std::uint64_t used = (ThreadTime(gCurrent.thread) - gCurrent.cpuAtStart.load(std::memory_order_relaxed)) / 10000;
    if (gCurrent.startedAt.load(std::memory_order_acquire) != started) continue;
    if (used > gCurrent.timeoutMs || GetTickCount64() - started > 10ull * gCurrent.timeoutMs) {
      SaveCurrent("last", "timeout");
      std::printf("image_fuzz: timeout: %s of %s (picture: %s) took over %lu ms of processor time\n", gCurrent.operation,
                  gCurrent.seedName.c_str(), gCurrent.picture, static_cast<unsigned long>(gCurrent.timeoutMs));
      Finish(3);
    }
  }
}

// One input through the library as the program would use it: decoded (or only its header read);
// a picture that came out is checked, and sometimes written again or turned.
// False when the decoder claimed success without a usable picture.
bool RunOne(const std::string& input, std::uint32_t id, std::int32_t frame, int extra) {
  std::string copy = input;
  PxMemFile file(reinterpret_cast<std::uint8_t*>(copy.data()), static_cast<std::int32_t>(copy.size()));
  PxImage image;
  image.SelectFrame(frame);
  const bool headerOnly = extra == 1;
  if (headerOnly) image.Info().escape = -1;
  gCurrent.operation = headerOnly ? "header decode" : "decode";
  gCurrent.picture[0] = '\0';
  const bool decoded = image.Decode(&file, id);
  if (!decoded || headerOnly) return true;
  if (!image.IsValid() || image.Width() <= 0 || image.Height() <= 0) return false;
  std::snprintf(gCurrent.picture, sizeof gCurrent.picture, "%d x %d at %u bits", image.Width(), image.Height(),
                static_cast<unsigned>(image.Bpp()));
  // Turns run where they are quick, or where the result passes the library's size limit and has to be
  // refused; pictures in between would only measure the rotation's speed.
  const double width = image.Width();
  const double height = image.Height();
  const double turnedBox = (width * 0.866 + height * 0.5) * (width * 0.5 + height * 0.866);
  const bool quickTurn = turnedBox <= double(1 << 22) || turnedBox * image.Bpp() / 8 > double(PXIMAGE_MAX_MEMORY);
  if (extra == 2 || extra == 3) {
    gCurrent.operation = "encode in the decoded format";
    PxMemFile out;
    out.Open();
    image.Encode(&out, image.FormatId());
  } else if (extra == 4 && width * height <= double(1 << 22)) {
    gCurrent.operation = "rotate right";
    image.RotateRight();
  } else if (extra == 5 && quickTurn) {
    gCurrent.operation = "rotate 30 degrees";
    image.Rotate(30.0f);
  }
  return true;
}

struct Options {
  std::string family;
  std::string seeds;
  std::string out;
  std::string replay;
  std::uint32_t seconds = 60;
  std::uint32_t timeout = 5;
  std::uint64_t seed = 1;
  std::int64_t id = -1;  // replay: the format asked for, -1 for the file name's
  std::int32_t frame = 0;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    const char* value = argv[i + 1];
    if (name == "--family") options.family = value;
    else if (name == "--seeds") options.seeds = value;
    else if (name == "--out") options.out = value;
    else if (name == "--replay") options.replay = value;
    else if (name == "--seconds") options.seconds = static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10));
    else if (name == "--timeout") options.timeout = static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10));
    else if (name == "--seed") options.seed = std::strtoull(value, nullptr, 10);
    else if (name == "--id") options.id = std::strtol(value, nullptr, 10);
    else if (name == "--frame") options.frame = static_cast<std::int32_t>(std::strtol(value, nullptr, 10));
    else return false;
  }
  return argc % 2 == 1 && (!options.replay.empty() || (!options.family.empty() && !options.out.empty()));
}

[[noreturn]] void Replay(const Options& options) {
  std::string input;
  if (!fuzz::ReadWholeFile(options.replay, input)) {
    std::printf("image_fuzz: cannot read %s\n", options.replay.c_str());
    Finish(1);
  }
  const std::uint32_t id = options.id >= 0 ? static_cast<std::uint32_t>(options.id) : fuzz::FormatOfName(options.replay);
  gCurrent.input = &input;
  gCurrent.seedName = options.replay;
  gCurrent.id = id;
  gCurrent.frame = options.frame;
  for (int extra = 0; extra < 6; ++extra) {
    Running(true);
    if (!RunOne(input, id, options.frame, extra)) std::printf("image_fuzz: success without a picture\n");
    Running(false);
  }
  std::printf("image_fuzz: %s ran cleanly\n", options.replay.c_str());
  Finish(0);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::printf("usage: image_fuzz --family <bmp|gif|jpeg|png|tiff|tga|wmf|jpeg2000> --seeds <folder> --out <folder>\n"
                "                  [--seconds <n>] [--timeout <seconds>] [--seed <n>]\n"
                "       image_fuzz --replay <file> [--id <format id>] [--frame <n>]\n");
    return 1;
  }
  gCurrent.outFolder = options.out;
  gCurrent.timeoutMs = options.timeout * 1000;
#if defined(__SANITIZE_ADDRESS__)
  __sanitizer_set_death_callback(OnSanitizerDeath);
#endif
  SetUnhandledExceptionFilter(OnUnhandledException);
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  if (!DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &gCurrent.thread, 0, FALSE,
                       DUPLICATE_SAME_ACCESS))
    return 1;
  HANDLE watchdog = CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);
  if (!watchdog) return 1;
  CloseHandle(watchdog);
  if (!options.replay.empty()) Replay(options);

  const std::vector<std::uint32_t> formats = fuzz::FamilyFormats(options.family);
  if (formats.empty()) {
    std::printf("image_fuzz: unknown family %s\n", options.family.c_str());
    return 1;
  }
  std::vector<Seed> seeds = fuzz::ReadSeedFolder(options.seeds, formats);
  if (options.family == "wmf") {
    for (Seed& seed : fuzz::MetafileSeeds()) seeds.push_back(std::move(seed));
  }
  if (seeds.empty()) {
    std::printf("image_fuzz: no seed files of family %s in %s\n", options.family.c_str(), options.seeds.c_str());
    return 1;
  }
  std::vector<std::string> seedBytes;
  for (const Seed& seed : seeds) seedBytes.push_back(seed.bytes);

  // Inputs that decoded join the pool, so later mutations start from files that get further in.
  std::vector<std::size_t> poolSeed;
  std::vector<std::string> pool;
  FuzzMutator mutator(options.seed, kMaximumInput);
  std::uint64_t runs = 0;
  std::uint32_t invalid = 0;
  const std::uint64_t start = GetTickCount64();
  const std::uint64_t deadline = start + std::uint64_t{options.seconds} * 1000;
  std::uint64_t nextReport = start + 10000;
  std::string input;
  gCurrent.input = &input;
  InputMirror mirror;
  if (!mirror.Open(options.out)) std::printf("image_fuzz: cannot map %s\\current.map\n", options.out.c_str());
  while (GetTickCount64() < deadline) {
    const bool fromPool = !pool.empty() && mutator.Below(2) == 0;
    const std::size_t poolIndex = mutator.Below(pool.size());
    const std::size_t seedIndex = fromPool ? poolSeed[poolIndex] : mutator.Below(seeds.size());
    input = mutator.Mutate(fromPool ? pool[poolIndex] : seeds[seedIndex].bytes, seedBytes);

    std::uint32_t id = seeds[seedIndex].id;
    const std::size_t choice = mutator.Below(16);
    if (choice < 4) id = FMT_UNKNOWN;  // probe every codec, as a file of unknown type is
    else if (choice == 4) id = formats[mutator.Below(formats.size())];
    const std::int32_t frame = mutator.Below(4) == 0 ? static_cast<std::int32_t>(mutator.Below(4)) : 0;
    const int extra = static_cast<int>(mutator.Below(16));

    gCurrent.seedName = seeds[seedIndex].name;
    gCurrent.id = id;
    gCurrent.frame = frame;
    gCurrent.operation = "decode";
    gCurrent.picture[0] = '\0';
    mirror.Store(input);
    Running(true);
    const bool sound = RunOne(input, id, frame, extra);
    Running(false);
    ++runs;

    if (!sound) {
      ++invalid;
      SaveCurrent("invalid-" + std::to_string(invalid), "success without a picture");
      std::printf("image_fuzz: success without a picture (saved as invalid-%u)\n", invalid);
    } else if (extra != 1 && mutator.Below(8) == 0) {
      // Kept when it still decodes: probing it again is cheap next to what it may open up.
      std::string copy = input;
      PxMemFile file(reinterpret_cast<std::uint8_t*>(copy.data()), static_cast<std::int32_t>(copy.size()));
      PxImage image;
      image.Info().escape = -1;
      if (image.Decode(&file, seeds[seedIndex].id)) {
        if (pool.size() < kPoolSize) {
          pool.push_back(input);
          poolSeed.push_back(seedIndex);
        } else {
          const std::size_t replaced = mutator.Below(pool.size());
          pool[replaced] = input;
          poolSeed[replaced] = seedIndex;
        }
      }
    }
    if (GetTickCount64() >= nextReport) {
      nextReport += 10000;
      std::printf("image_fuzz: %s: %llu inputs, %zu in the pool\n", options.family.c_str(),
                  static_cast<unsigned long long>(runs), pool.size());
      std::fflush(stdout);
    }
  }
  std::printf("image_fuzz: %s: done, %llu inputs in %llu s, %u decoded without a picture\n", options.family.c_str(),
              static_cast<unsigned long long>(runs), static_cast<unsigned long long>((GetTickCount64() - start) / 1000),
              invalid);
  Finish(0);
}
