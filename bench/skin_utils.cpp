// The skin engine's image building and region building, each against a plain reference in the same
// run:
// - image building: CreateSkinImage (tiled, with the client) and CreateSkinBorderImages make a
//   1920 x 1080 frame from a 150 x 120 skin rectangle; the reference is one StretchBlt of that
//   rectangle to 1920 x 1080. Target: at most twice the reference.
// - regions: CreateSkinSimplyRegion of a 1920 x 1080 rounded frame mask and of a 200 x 101
//   checkerboard (10,100 runs); the reference finds the same runs and unites them one CombineRgn
//   (RGN_OR) at a time. Target: never slower, and at most a tenth of it on the checkerboard. The
//   system's ExtCreateRegion over the same data is shown for comparison.
// Figures are the least processor time of five repetitions.

#include "bench/BenchSupport.h"

#include "skin/data/Skutils.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

using classlib::TBitmap;
using classlib::TPoint;
using classlib::TRect;

namespace {

constexpr int kW = 1920, kH = 1080;

// A 150 x 120 skin rectangle with a gradient, at (10, 10) of its picture.
struct TSkinFixture {
  TBitmap Skin;
  TRect R{10, 10, 160, 130};
  TRect Cl{12, 26, 138, 104};
  TPoint LT{30, 30}, RT{120, 30}, LB{30, 90}, RB{120, 90};
  // The same anchors in the 1920 x 1080 target: right of the middles by the width gained, below by
  // the height gained.
  TPoint NewLT{30, 30}, NewRT{120 + kW - 150, 30}, NewLB{30, 90 + kH - 120}, NewRB{120 + kW - 150, 90 + kH - 120};
  TRect NewCl{12, 26, 138 + kW - 150, 104 + kH - 120};

  TSkinFixture() {
    Skin.SetPixelFormat(classlib::TPixelFormat::pf24bit);
    Skin.SetSize(170, 140);
    for (int y = 0; y < 140; ++y) {
      auto* row = static_cast<std::uint8_t*>(Skin.ScanLine(y));
      for (int x = 0; x < 170; ++x) {
        row[3 * x] = static_cast<std::uint8_t>(x);
        row[3 * x + 1] = static_cast<std::uint8_t>(y);
        row[3 * x + 2] = static_cast<std::uint8_t>(x + y);
      }
    }
  }
};

// A black-and-white mask drawn by a rule (true: black, inside).
void MakeMask(TBitmap& Mask, int Width, int Height, const std::function<bool(int, int)>& Black) {
  Mask.SetPixelFormat(classlib::TPixelFormat::pf24bit);
  Mask.SetSize(Width, Height);
  for (int y = 0; y < Height; ++y) {
    auto* row = static_cast<std::uint8_t*>(Mask.ScanLine(y));
    for (int x = 0; x < Width; ++x) std::memset(row + 3 * x, Black(x, y) ? 0 : 255, 3);
  }
}

// Inside a rounded rectangle of the given corner radius.
bool InRounded(int x, int y, int Left, int Top, int Right, int Bottom, int Radius) {
  if (x < Left || y < Top || x >= Right || y >= Bottom) return false;
  const int dx = x < Left + Radius ? Left + Radius - x : x >= Right - Radius ? x - (Right - Radius - 1) : 0;
  const int dy = y < Top + Radius ? Top + Radius - y : y >= Bottom - Radius ? y - (Bottom - Radius - 1) : 0;
  return dx * dx + dy * dy <= Radius * Radius;
}

// One union per run of the mask's region data.
HRGN UnitePerRun(TBitmap& Mask) {
  skin::TRegionData data;
  skin::CreateRgnFromBmp(Mask, 0, 0, data);
  RGNDATAHEADER header;
  std::memcpy(&header, data.data(), sizeof header);
  const auto* rects = reinterpret_cast<const RECT*>(data.data() + sizeof header);
  HRGN result = CreateRectRgn(0, 0, 0, 0);
  for (DWORD i = 0; i < header.nCount; ++i) {
    const HRGN run = CreateRectRgnIndirect(&rects[i]);
    CombineRgn(result, result, run, RGN_OR);
    DeleteObject(run);
  }
  return result;
}

HRGN SystemRegion(TBitmap& Mask) {
  skin::TRegionData data;
  const int size = skin::CreateRgnFromBmp(Mask, 0, 0, data);
  return ExtCreateRegion(nullptr, static_cast<DWORD>(size), reinterpret_cast<const RGNDATA*>(data.data()));
}

struct TFixtures {
  TSkinFixture Skin;
  TBitmap Target, LeftB, TopB, RightB, BottomB;
  TBitmap FrameMask, Checkerboard;

  TFixtures() {
    Target.SetPixelFormat(classlib::TPixelFormat::pf24bit);
    Target.SetSize(kW, kH);
    MakeMask(FrameMask, kW, kH, [](int x, int y) {
      return InRounded(x, y, 0, 0, kW, kH, 40) && !InRounded(x, y, 60, 60, kW - 60, kH - 60, 20);
    });
    MakeMask(Checkerboard, 200, 101, [](int x, int y) { return (x + y) % 2 == 0; });
  }
};

TFixtures& Fixtures() {
  static TFixtures fixtures;
  return fixtures;
}

void Register() {
  bench::AddTimed("images/StretchBlt_reference", [](benchmark::State& state) {
    TFixtures& f = Fixtures();
    const HDC target = f.Target.Canvas()->Handle();
    const HDC source = f.Skin.Skin.Canvas()->Handle();
    for (auto _ : state) {
      SetStretchBltMode(target, COLORONCOLOR);
      StretchBlt(target, 0, 0, kW, kH, source, f.Skin.R.left, f.Skin.R.top, 150, 120, SRCCOPY);
      GdiFlush();
    }
  });
  bench::AddTimed("images/CreateSkinImage", [](benchmark::State& state) {
    TFixtures& f = Fixtures();
    const TSkinFixture& s = f.Skin;
    for (auto _ : state) {
      skin::CreateSkinImage(s.LT, s.RT, s.LB, s.RB, s.Cl, s.NewLT, s.NewRT, s.NewLB, s.NewRB, s.NewCl, f.Target,
                            f.Skin.Skin, s.R, kW, kH, true);
      GdiFlush();
    }
  });
  bench::AddTimed("images/CreateSkinBorderImages", [](benchmark::State& state) {
    TFixtures& f = Fixtures();
    const TSkinFixture& s = f.Skin;
    for (auto _ : state) {
      skin::CreateSkinBorderImages(s.LT, s.RT, s.LB, s.RB, s.Cl, s.NewLT, s.NewRT, s.NewLB, s.NewRB, s.NewCl, f.LeftB,
                                   f.TopB, f.RightB, f.BottomB, f.Skin.Skin, s.R, kW, kH, false, false, false, false);
      GdiFlush();
    }
  });

  const struct {
    const char* name;
    TBitmap TFixtures::*mask;
  } masks[] = {{"frame", &TFixtures::FrameMask}, {"checkerboard", &TFixtures::Checkerboard}};
  for (const auto& m : masks) {
    const auto mask = m.mask;
    bench::AddTimed(std::string("regions/") + m.name + "/union_per_run_reference", [mask](benchmark::State& state) {
      for (auto _ : state) DeleteObject(UnitePerRun(Fixtures().*mask));
    });
    bench::AddTimed(std::string("regions/") + m.name + "/ExtCreateRegion", [mask](benchmark::State& state) {
      for (auto _ : state) DeleteObject(SystemRegion(Fixtures().*mask));
    });
    bench::AddTimed(std::string("regions/") + m.name + "/CreateSkinSimplyRegion", [mask](benchmark::State& state) {
      for (auto _ : state) {
        HRGN rgn = nullptr;
        skin::CreateSkinSimplyRegion(rgn, Fixtures().*mask);
        DeleteObject(rgn);
      }
    });
  }
}

bool Check(const std::map<std::string, double>& Times, const std::string& Name, const std::string& Reference,
           double Target) {
  const auto time = Times.find(Name), reference = Times.find(Reference);
  if (time == Times.end() || reference == Times.end()) {
    std::printf("%-48s %10s\n", Name.c_str(), "n/a");
    return false;
  }
  const double ratio = time->second / reference->second;
  const bool met = ratio <= Target;
  std::printf("%-48s %10.3f %10.3f %8.3f %8.2f  %s\n", Name.c_str(), time->second, reference->second, ratio, Target,
              met ? "met" : "MISSED");
  return met;
}

}  // namespace

int main(int argc, char** argv) {
  Fixtures();
  Register();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bench::LeastTimeReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto& times = reporter.Times();
  std::printf("\n%-48s %10s %10s %8s %8s\n", "operation", "ms", "ref ms", "ratio", "target");
  bool all = Check(times, "images/CreateSkinImage", "images/StretchBlt_reference", 2.0);
  all &= Check(times, "images/CreateSkinBorderImages", "images/StretchBlt_reference", 2.0);
  all &= Check(times, "regions/frame/CreateSkinSimplyRegion", "regions/frame/union_per_run_reference", 1.0);
  all &= Check(times, "regions/checkerboard/CreateSkinSimplyRegion", "regions/checkerboard/union_per_run_reference", 0.1);
  Check(times, "regions/frame/ExtCreateRegion", "regions/frame/union_per_run_reference", 1e9);
  Check(times, "regions/checkerboard/ExtCreateRegion", "regions/checkerboard/union_per_run_reference", 1e9);
  std::printf("%s\n", all ? "all targets met" : "some targets MISSED");
  benchmark::Shutdown();
  return 0;
}
