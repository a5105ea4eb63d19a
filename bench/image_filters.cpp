// The viewer's filters (3x3 kernel, brightness and contrast, turn by any angle, quarter turn left,
// gray scale) through PxImage, against libvips (`vips`, one thread) and ImageMagick (`convert`,
// one thread) doing the same operation on the same generated pictures of 1 and 12 megapixels, in
// one run. PxImage works in memory; the tools are separate programs that start, read a PPM file
// and write one, so each tool's figure is its time for the operation minus its time for a plain
// copy of the same file (`vips copy`, `convert in out`): what remains is the operation alone.
// All figures are processor time (for the tools: of the finished child processes), because a busy
// machine disturbs it least, and the least of a few runs of each, PxImage call or tool command,
// since other work and start-up scatter only ever add to a time. Prints Google Benchmark's table,
// then the ratio of each PxImage time to each tool's.

#include "bench/BenchSupport.h"

#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct PictureSize {
  const char* name;
  std::uint32_t width;
  std::uint32_t height;
  int toolRuns;  // runs of each external command; the quickest counts
};

const PictureSize kSizes[] = {{"1MP", 1152, 864, 7}, {"12MP", 4000, 3000, 5}};

// A soft blur: the kernel weights, their sum as the divisor.
const std::int32_t kBlur[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
constexpr std::int32_t kBlurDivisor = 16;
constexpr std::int32_t kBrightness = 20;
constexpr std::int32_t kContrast = 20;
constexpr float kAngle = 30;  // clockwise

// Each filter within 1.5 times libvips' time and quicker than ImageMagick's.
constexpr double kVipsTarget = 1.5;
constexpr double kConvertTarget = 1.0;

// --- The external tools ----------------------------------------------------------------------------

// The tools read the picture as a binary PPM: the simplest file both load, so the copy that is
// subtracted costs little beside the operation.
bool WritePpm(const PxImage& image, const std::string& path) {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const auto width = static_cast<std::uint32_t>(image.Width());
  const auto height = static_cast<std::uint32_t>(image.Height());
  std::fprintf(out, "P6\n%u %u\n255\n", width, height);
  std::vector<std::uint8_t> line(3 * static_cast<std::size_t>(width));
  for (std::uint32_t y = 0; y < height; ++y) {
    const std::uint8_t* bgr = image.RowBits(height - 1 - y);
    for (std::uint32_t x = 0; x < width; ++x) {
      line[3 * x] = bgr[3 * x + 2];
      line[3 * x + 1] = bgr[3 * x + 1];
      line[3 * x + 2] = bgr[3 * x];
    }
    std::fwrite(line.data(), 1, line.size(), out);
  }
  return std::fclose(out) == 0;
}

bool HasTool(const std::string& program) {
  const int status = std::system(("command -v '" + program + "' >/dev/null 2>&1").c_str());
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double ChildrenCpuMilliseconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Least processor time of the command's runs, negative when it fails.
double TimeCommand(const std::string& command, int runs) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double before = ChildrenCpuMilliseconds();
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "bench: failed: %s\n", command.c_str());
      return -1;
    }
    times.push_back(ChildrenCpuMilliseconds() - before);
  }
  return *std::min_element(times.begin(), times.end());
}

struct Operation {
  const char* name;
  const char* vipsArguments;    // after "vips"; {in}, {out} and {dir} replaced ("--" lets numbers be negative)
  const char* convertOptions;   // between the input and the output file
  const char* outputExtension;
};

// Each tool doing what the PxImage call does: the same kernel and divisor, the same straight line
// of brightness and contrast (value = (v - 128) * 1.2 + 148), the same turns (vips turns
// anticlockwise, convert clockwise), nearest-pixel sampling where the tool lets one choose.
const Operation kOperations[] = {
    {"kernel 3x3", "conv {in} {out} {dir}/blur.mat --precision integer", "-convolve 1,2,1,2,4,2,1,2,1", "ppm"},
    {"bright/contrast", "linear --uchar -- {in} {out} 1.2 -5.6", "-brightness-contrast 20x20", "ppm"},
    {"rotate 30", "rotate --interpolate nearest -- {in} {out} -30", "-rotate 30", "ppm"},
    {"rotate left", "rot {in} {out} d270", "-rotate -90", "ppm"},
    {"gray scale", "colourspace {in} {out} b-w", "-colorspace Gray", "pgm"},
};

std::string Substitute(std::string text, const std::string& key, const std::string& value) {
  for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size()))
    text.replace(at, key.size(), value);
  return text;
}

struct ToolTimes {
  std::map<std::string, double> vips;     // "operation/size" -> ms, the copy subtracted
  std::map<std::string, double> convert;
};

void TimeTools(const std::string& dir, const PictureSize& size, ToolTimes& times) {
  const std::string in = dir + "/" + size.name + ".ppm";
  const bool vips = HasTool("vips");
  const bool convert = HasTool("convert");
  const std::string vipsCommand = "VIPS_CONCURRENCY=1 vips ";
  const std::string convertCommand = "convert -limit thread 1 " + in + " ";
  const double vipsCopy = vips ? TimeCommand(vipsCommand + "copy " + in + " " + dir + "/copy.ppm", size.toolRuns) : -1;
  const double convertCopy = convert ? TimeCommand(convertCommand + dir + "/copy.ppm", size.toolRuns) : -1;
  for (const Operation& operation : kOperations) {
    const std::string out = dir + "/out." + operation.outputExtension;
    const std::string key = std::string(operation.name) + "/" + size.name;
    if (vipsCopy >= 0) {
      std::string arguments = Substitute(operation.vipsArguments, "{in}", in);
      arguments = Substitute(arguments, "{out}", out);
      arguments = Substitute(arguments, "{dir}", dir);
      const double total = TimeCommand(vipsCommand + arguments, size.toolRuns);
      if (total >= 0) times.vips[key] = total - vipsCopy;
    }
    if (convertCopy >= 0) {
      const double total = TimeCommand(convertCommand + operation.convertOptions + " " + out, size.toolRuns);
      if (total >= 0) times.convert[key] = total - convertCopy;
    }
  }
}

// --- PxImage's filters -------------------------------------------------------------------------------

struct Fixture {
  PictureSize size;
  std::unique_ptr<PxImage> image;
};

std::vector<std::unique_ptr<Fixture>>& Fixtures() {
  static std::vector<std::unique_ptr<Fixture>> fixtures;
  return fixtures;
}

// Filters that change the image in place work on a fresh copy each time; making it is not timed.
void InPlace(benchmark::State& state, const Fixture& f, const std::function<bool(PxImage&)>& filter) {
  for (auto _ : state) {
    state.PauseTiming();
    PxImage work(*f.image, true, false, false);
    state.ResumeTiming();
    if (!filter(work)) {
      state.SkipWithError(work.LastError());
      break;
    }
    benchmark::DoNotOptimize(work.RowBits(0));
  }
}

// Turns write into a destination image and leave the source alone.
void IntoDestination(benchmark::State& state, const Fixture& f,
                     const std::function<bool(PxImage&, PxImage&)>& turn) {
  for (auto _ : state) {
    PxImage turned;
    if (!turn(*f.image, turned)) {
      state.SkipWithError(f.image->LastError());
      break;
    }
    benchmark::DoNotOptimize(turned.RowBits(0));
  }
}

void Register(const Fixture& f) {
  const std::string size = f.size.name;
  const auto add = [](const std::string& name, auto body) { bench::AddTimed(name, body); };
  add("kernel 3x3/" + size, [&f](benchmark::State& s) {
    InPlace(s, f, [](PxImage& image) { return image.ApplyKernel(kBlur, 3, kBlurDivisor, 0); });
  });
  add("bright/contrast/" + size, [&f](benchmark::State& s) {
    InPlace(s, f, [](PxImage& image) { return image.BrightContrast(kBrightness, kContrast); });
  });
  add("rotate 30/" + size, [&f](benchmark::State& s) {
    IntoDestination(s, f, [](PxImage& image, PxImage& turned) { return image.Rotate(kAngle, &turned); });
  });
  add("rotate left/" + size, [&f](benchmark::State& s) {
    IntoDestination(s, f, [](PxImage& image, PxImage& turned) { return image.RotateLeft(&turned); });
  });
  add("gray scale/" + size, [&f](benchmark::State& s) {
    InPlace(s, f, [](PxImage& image) { return image.GrayScale(); });
  });
}

// A tool's figure, its ratio to PxImage's, or why there is none: "n/a" when the tool is missing or
// failed, "noise" when its operation cost less than the scatter of its start-up (the run came out
// no dearer than the plain copy), as happens with the quick operations on the small picture.
// Prints the tool's columns; answers whether PxImage keeps within `target` times the tool's figure,
// counting a figure lost in noise as kept (the tool's run was no dearer than a copy).
bool PrintToolColumns(double px, const std::map<std::string, double>& times, const std::string& key,
                      double target) {
  const auto found = times.find(key);
  if (found == times.end()) {
    std::printf(" %10s %9s", "n/a", "n/a");
    return true;
  }
  if (found->second <= 0) {
    std::printf(" %10s %9s", "noise", "n/a");
    return true;
  }
  std::printf(" %10.2f %9.3f", found->second, px / found->second);
  return px / found->second <= target;
}

void PrintRatios(const std::map<std::string, double>& ours, const ToolTimes& tools) {
  std::printf("\n%-22s %10s %10s %9s %10s %9s  %s\n", "filter", "PxImage ms", "vips ms", "Px/vips", "convert ms",
              "Px/conv", "targets (<=1.5 vips, <1 convert)");
  for (const PictureSize& size : kSizes) {
    for (const Operation& operation : kOperations) {
      const std::string key = std::string(operation.name) + "/" + size.name;
      const auto px = ours.find(key);
      if (px == ours.end() || px->second <= 0) continue;
      std::printf("%-22s %10.2f", (std::string(operation.name) + " " + size.name).c_str(), px->second);
      const bool nearVips = PrintToolColumns(px->second, tools.vips, key, kVipsTarget);
      const bool beatsConvert = PrintToolColumns(px->second, tools.convert, key, kConvertTarget);
      std::printf("  %s\n", nearVips && beatsConvert ? "met" : "MISSED");
    }
  }
  std::printf("(tool figures: the least processor time of the operation's run minus that of a plain copy of the "
              "same PPM)\n");
}

}  // namespace

int main(int argc, char** argv) {
  char pattern[] = "/tmp/tavrel-bench-XXXXXX";
  if (!mkdtemp(pattern)) {
    std::fprintf(stderr, "bench: cannot make a temporary folder\n");
    return 1;
  }
  const std::string dir = pattern;
  if (FILE* mask = std::fopen((dir + "/blur.mat").c_str(), "w")) {
    std::fprintf(mask, "3 3 %d 0\n1 2 1\n2 4 2\n1 2 1\n", kBlurDivisor);
    std::fclose(mask);
  }
  for (const PictureSize& size : kSizes) {
    auto f = std::make_unique<Fixture>();
    f->size = size;
    f->image = bench::MakePicture(size.width, size.height);
    if (!WritePpm(*f->image, dir + "/" + size.name + ".ppm"))
      std::fprintf(stderr, "bench: cannot write the %s picture\n", size.name);
    Fixtures().push_back(std::move(f));
  }
  for (const auto& f : Fixtures()) Register(*f);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bench::LeastTimeReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  ToolTimes tools;
  for (const PictureSize& size : kSizes) TimeTools(dir, size, tools);
  PrintRatios(reporter.Times(), tools);
  benchmark::Shutdown();
  if (std::system(("rm -rf '" + dir + "'").c_str()) != 0)
    std::fprintf(stderr, "bench: %s is left behind\n", dir.c_str());
  return 0;
}
