// What the image benchmarks share: Google Benchmark, the generated photograph-like picture, the
// registration that keeps the least of five repetitions, and a reporter that collects those least
// times for the ratio tables printed after the run.
#pragma once

// On seeing a Windows compiler, Google Benchmark's headers would ask for DLL imports; the library
// here is the system's own.
#include "platform/UnixHeadersBegin.h"
#include <benchmark/benchmark.h>
#include "platform/UnixHeadersEnd.h"

#include "image/PxImage.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace bench {

// A photograph-like 24-bit picture: smooth gradients with fine texture.
inline std::unique_ptr<PxImage> MakePicture(std::uint32_t width, std::uint32_t height) {
  auto image = std::make_unique<PxImage>();
  image->Create(width, height, 24, FMT_UNKNOWN);
  std::uint32_t noise = 12345;
  for (std::uint32_t y = 0; y < height; ++y) {
    std::uint8_t* row = image->RowBits(height - 1 - y);
    for (std::uint32_t x = 0; x < width; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int grain = static_cast<int>((noise >> 16) & 15) - 8;
      const double fx = static_cast<double>(x) / width;
      const double fy = static_cast<double>(y) / height;
      const int red = static_cast<int>(255 * fx) + grain;
      const int green = static_cast<int>(127 + 120 * std::sin(fx * 9 + fy * 4)) + grain;
      const int blue = static_cast<int>(255 * fy * (1 - fx)) + grain;
      row[3 * x] = static_cast<std::uint8_t>(std::clamp(blue, 0, 255));
      row[3 * x + 1] = static_cast<std::uint8_t>(std::clamp(green, 0, 255));
      row[3 * x + 2] = static_cast<std::uint8_t>(std::clamp(red, 0, 255));
    }
  }
  return image;
}

// Other work on the machine only ever adds to a run's time, so the quickest repetition is the one
// that tells the code's own cost.
inline double Least(const std::vector<double>& times) { return *std::min_element(times.begin(), times.end()); }

// Registers body under name, timed in milliseconds, reported by its least repetition only.
template <typename Body>
void AddTimed(const std::string& name, Body body) {
  benchmark::RegisterBenchmark(name.c_str(), body)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(0.1)
      ->Repetitions(5)
      ->ComputeStatistics("min", Least)
      ->ReportAggregatesOnly(true);
}

// Keeps each benchmark's least processor time per iteration beside the usual console table. The
// benchmarks are single-threaded, and processor time is what a busy machine disturbs least.
class LeastTimeReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (!run.error_occurred && run.run_type == Run::RT_Aggregate && run.aggregate_name == "min")
        FTimes[run.run_name.function_name] = run.GetAdjustedCPUTime();
    }
  }
  const std::map<std::string, double>& Times() const { return FTimes; }

private:
  std::map<std::string, double> FTimes;
};

}  // namespace bench
