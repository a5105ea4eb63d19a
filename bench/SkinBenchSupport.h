// What the skin benchmarks share: the skin each writes and reads back as a user's skin is read, the
// pictures' shading, the application and plain window classes, the registration that keeps the least
// wall time of nine interleaved repetitions, and the table of each skinned figure against its plain
// peer and target.
#pragma once

#include "bench/BenchSupport.h"

#include "platform/classlib/Bitmap.h"
#include "skin/data/SkinData.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace bench {

// A skin written into a folder of its own under the temporary folder (its description and pictures),
// read back through the skin reader, and removed with the object.
class TBenchSkin {
public:
  // Name tells the folders of several benchmarks apart; Pictures are saved under their file names,
  // which the description names.
  TBenchSkin(const classlib::String& Name, const char* Description,
             const std::vector<std::pair<classlib::String, const classlib::TBitmap*>>& Pictures);
  ~TBenchSkin();
  TBenchSkin(const TBenchSkin&) = delete;
  TBenchSkin& operator=(const TBenchSkin&) = delete;

  skin::TskSkinData Skin{nullptr};

private:
  classlib::String FDir;
  std::vector<classlib::String> FFiles;
};

// Folders made for a benchmark under the system's temporary folder, filled with empty files
// "file<N>.dat" and empty subfolders "folder<N>", and removed with everything made in them.
class TBenchFolders {
public:
  // Name tells the folders of several benchmarks apart.
  explicit TBenchFolders(const classlib::String& Name);
  ~TBenchFolders();
  TBenchFolders(const TBenchFolders&) = delete;
  TBenchFolders& operator=(const TBenchFolders&) = delete;

  // Makes the folder Relative below Base() with Files files and Folders subfolders; its path.
  classlib::String Make(const classlib::String& Relative, int Files, int Folders);
  const classlib::String& Base() const { return FBase; }

private:
  struct TMade {
    classlib::String Path;
    bool Folder;
  };
  classlib::String FBase;
  std::vector<TMade> FMade;  // in the order made, removed backwards
};

// A 24-bit picture of night-blue gradients with a lighter rim every Band rows and Cell columns, so
// that every look cut from it has real pixels to copy.
void Shade(classlib::TBitmap& Picture, int Width, int Height, int Band, int Cell);

// The pieces of skin descriptions the benchmarks of the wrapped views share, their looks all cut from
// one TControlsPicture laid out as a real skin lays out its controls.
// The description up to its control list: the one picture, saved as Picture, and no form, areas or
// objects of its own.
std::string ControlsSkinHead(const std::string& Picture);
// "resizebutton": three 60 x 24 looks, for a push button or a header's sections.
extern const char ResizeButtonSection[];
// "vscrollbar": a 19 x 100 vertical scroll bar with its hot button and three 15 x 16 thumbs.
extern const char VScrollBarSection[];
// The font and colours of a wrapped system view, under the section Name.
std::string ViewSection(const std::string& Name);

// The 240 x 124 picture the shared sections cut their looks from.
struct TControlsPicture {
  classlib::TBitmap Picture;
  TControlsPicture() { Shade(Picture, 240, 124, 25, 60); }
};

// Fills R of the bitmap with one colour (0x00BBGGRR).
void Fill(classlib::TBitmap& Bitmap, const classlib::TRect& R, COLORREF Color);

// The application made ready once, whatever the benchmark constructs first.
void InitApplication();

// Registers a window class of the program's own for a plain peer; its instance is the program's.
void RegisterPlainClass(const wchar_t* Name, WNDPROC Proc, HBRUSH Background = nullptr, UINT Style = 0);

// Registers Body under Name, reported by the least wall time of nine repetitions (a paint's trips to
// the Wine server are part of its cost).
template <typename Body>
void AddTimed(const std::string& Name, benchmark::TimeUnit Unit, Body body) {
  benchmark::RegisterBenchmark(Name.c_str(), body)
      ->Unit(Unit)
      ->UseRealTime()
      ->MinTime(0.1)
      ->Repetitions(9)
      ->ComputeStatistics("min", Least)
      ->ReportAggregatesOnly(true);
}

// Registers Body under Name, run once and reported by that run's wall time (for work too long to repeat).
template <typename Body>
void AddTimedOnce(const std::string& Name, benchmark::TimeUnit Unit, Body body) {
  benchmark::RegisterBenchmark(Name.c_str(), body)->Unit(Unit)->UseRealTime()->Iterations(1);
}

// A skinned figure, the plain one it is measured against and the ratio it may reach.
struct TTarget {
  std::string Name;
  std::string Reference;
  double Ratio;
};

// Runs the registered benchmarks with each side's repetitions alternating with the other's (so that
// a busy spell of the machine does not fall on one side only; given first, the option yields to one on
// the command line), then prints every target's ratio. 1 for a bad command line, else 0.
int RunAgainstTargets(int argc, char** argv, const std::vector<TTarget>& Targets);

}  // namespace bench
