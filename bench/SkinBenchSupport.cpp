#include "bench/SkinBenchSupport.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/Strings.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"

#include <cstdio>

using namespace classlib;

namespace bench {

namespace {

// Each benchmark's least wall time per iteration (or its one run's), and its unit, beside the usual
// console table.
class TLeastRealTimeReporter : public benchmark::ConsoleReporter {
public:
  struct TFigure {
    double Time;
    benchmark::TimeUnit Unit;
  };

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool least = run.run_type == Run::RT_Aggregate && run.aggregate_name == "min";
      const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      if (least || single) FFigures[run.run_name.function_name] = TFigure{run.GetAdjustedRealTime(), run.time_unit};
    }
  }
  const std::map<std::string, TFigure>& Figures() const { return FFigures; }

private:
  std::map<std::string, TFigure> FFigures;
};

bool Check(const std::map<std::string, TLeastRealTimeReporter::TFigure>& Figures, const TTarget& Target) {
  const auto time = Figures.find(Target.Name), reference = Figures.find(Target.Reference);
  if (time == Figures.end() || reference == Figures.end()) {
    std::printf("%-32s %10s\n", Target.Name.c_str(), "n/a");
    return false;
  }
  const double ratio = time->second.Time / reference->second.Time;
  const bool met = ratio <= Target.Ratio;
  std::printf("%-32s %10.1f %10.1f %4s %8.2f %8.2f  %s\n", Target.Name.c_str(), time->second.Time,
              reference->second.Time, benchmark::GetTimeUnitString(time->second.Unit), ratio, Target.Ratio,
              met ? "met" : "MISSED");
  return met;
}

}  // namespace

std::string ControlsSkinHead(const std::string& Picture) {
  return R"([VERSION]
ver=2
skinname=Bench

[PICTURES]
activepicturescount=1
0=)" + Picture + R"(

[FORMINFO]
bgpictureindex=-1

[SKINAREAS]
count=0

[SKINOBJECTS]
count=0
)";
}

const char ResizeButtonSection[] = R"([resizebutton]
pictureindex=0
skinrect=0,0,60,24
activeskinrect=60,0,120,24
downskinrect=120,0,180,24
lefttoppoint=6,6
righttoppoint=54,6
leftbottompoint=6,18
rightbottompoint=54,18
clientrect=6,6,54,18
fontcolor=16116450
activefontcolor=16777215
downfontcolor=16765590
)";

const char VScrollBarSection[] = R"([vscrollbar]
pictureindex=0
skinrect=220,24,239,124
lefttoppoint=0,19
leftbottompoint=0,80
clientrect=0,19,19,80
trackarea=0,19,19,81
downbuttonrect=0,0,19,19
upbuttonrect=0,81,19,100
activeupbuttonrect=120,49,139,68
activedownbuttonrect=120,49,139,68
thumbrect=140,49,155,65
activethumbrect=156,49,171,65
downthumbrect=172,49,187,65
glyphrect=188,49,192,53
)";

std::string ViewSection(const std::string& Name) {
  return "[" + Name + R"(]
fontname=Arial
fontheight=14
fontcolor=16116450
bgcolor=4202512
)";
}

TBenchSkin::TBenchSkin(const String& Name, const char* Description,
                       const std::vector<std::pair<String, const TBitmap*>>& Pictures) {
  WCHAR temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  FDir = IncludeTrailingPathDelimiter(FromWide(temp)) + "tavrel-bench-" + Name + "-" + IntToStr(GetCurrentProcessId());
  ForceDirectories(FDir);
  TStringList ini;
  ini.SetText(Description);
  FFiles.push_back(FDir + "\\skin.ini");
  ini.SaveToFile(FFiles.back());
  for (const auto& [file, picture] : Pictures) {
    FFiles.push_back(FDir + "\\" + file);
    picture->SaveToFile(FFiles.back());
  }
  Skin.LoadFromFile(FDir + "\\skin.ini");
}

TBenchSkin::~TBenchSkin() {
  for (const String& file : FFiles) DeleteFile(file);
  RemoveDirectoryW(ToWide(FDir).c_str());
}

TBenchFolders::TBenchFolders(const String& Name) {
  WCHAR temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  FBase = IncludeTrailingPathDelimiter(FromWide(temp)) + "tavrel-bench-" + Name + "-" + IntToStr(GetCurrentProcessId());
  ForceDirectories(FBase);
}

TBenchFolders::~TBenchFolders() {
  for (auto made = FMade.rbegin(); made != FMade.rend(); ++made) {
    const WideString path = ToWide(made->Path);
    if (made->Folder)
      RemoveDirectoryW(path.c_str());
    else
      DeleteFileW(path.c_str());
  }
  RemoveDirectoryW(ToWide(FBase).c_str());
}

String TBenchFolders::Make(const String& Relative, int Files, int Folders) {
  const String folder = FBase + "\\" + Relative;
  if (CreateDirectoryW(ToWide(folder).c_str(), nullptr)) FMade.push_back({folder, true});
  for (int i = 0; i < Files; ++i) {
    const String file = folder + "\\file" + IntToStr(i) + ".dat";
    const HANDLE handle = CreateFileW(ToWide(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) continue;
    CloseHandle(handle);
    FMade.push_back({file, false});
  }
  for (int i = 0; i < Folders; ++i) {
    const String sub = folder + "\\folder" + IntToStr(i);
    if (CreateDirectoryW(ToWide(sub).c_str(), nullptr)) FMade.push_back({sub, true});
  }
  return folder;
}

void Shade(TBitmap& Picture, int Width, int Height, int Band, int Cell) {
  Picture.SetPixelFormat(TPixelFormat::pf24bit);
  Picture.SetSize(Width, Height);
  for (int y = 0; y < Height; ++y) {
    auto* row = static_cast<std::uint8_t*>(Picture.ScanLine(y));
    for (int x = 0; x < Width; ++x) {
      const int shade = (y % Band) * 4 + (x % Cell);
      row[3 * x] = static_cast<std::uint8_t>(90 + shade);
      row[3 * x + 1] = static_cast<std::uint8_t>(40 + shade / 2);
      row[3 * x + 2] = static_cast<std::uint8_t>(20 + shade / 3);
    }
  }
}

void Fill(TBitmap& Bitmap, const TRect& R, COLORREF Color) {
  Bitmap.Canvas()->Brush()->SetColor(static_cast<TColor>(Color));
  Bitmap.Canvas()->FillRect(R);
}

void InitApplication() {
  static const bool ready = [] {
    Application->Initialize();
    return true;
  }();
  (void)ready;
}

void RegisterPlainClass(const wchar_t* Name, WNDPROC Proc, HBRUSH Background, UINT Style) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = Background;
  wc.lpszClassName = Name;
  wc.style = Style;
  RegisterClassExW(&wc);
}

int RunAgainstTargets(int argc, char** argv, const std::vector<TTarget>& Targets) {
  std::vector<char*> args(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);
  argc = static_cast<int>(args.size());
  argv = args.data();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TLeastRealTimeReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\n%-32s %10s %10s %4s %8s %8s\n", "operation", "time", "plain", "unit", "ratio", "target");
  bool all = true;
  for (const TTarget& target : Targets) all &= Check(reporter.Figures(), target);
  std::printf("%s\n", all ? "all targets met" : "some targets MISSED");
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
