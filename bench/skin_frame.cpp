// The skinned form frame against a plain Win32 window with its system caption, in the same run:
// - a frame repaint of a 700 x 530 form (RedrawWindow with RDW_FRAME | RDW_INVALIDATE |
//   RDW_UPDATENOW): the skinned frame (pieces, caption, six caption buttons) against the system's
//   caption and borders. Target: at most 2 times the plain time.
// - one resize step of the same forms (the width changes by one pixel): for the skinned form the
//   layout, the four mask pieces and the new window region. Target: at most 3 times the plain
//   window's resize.
// - the region of a 700 x 530 mask with rounded corners and a shaped edge: the frame's region from the
//   mask's black runs against uniting one rectangle per black run with CombineRgn.
//   Target: at most 0.5 times.
// Figures are the least wall time of nine repetitions, the two sides' repetitions interleaved.

#include "bench/BenchSupport.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/Strings.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/data/SkinData.h"
#include "skin/data/Skutils.h"
#include "skin/form/FormSkin.h"

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace classlib;

namespace {

constexpr int kFormW = 700, kFormH = 530;
constexpr UINT kFrameRepaint = RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW;

// A 240 x 140 frame as the program's own skins draw it: a caption band, six caption buttons, borders
// of 4 and a mask with rounded corners.
const char SkinIni[] = R"([VERSION]
ver=2
skinname=Bench frame

[PICTURES]
picture=frame.bmp
mask=mask.bmp
activepicturescount=0

[FORMINFO]
lefttoppoint=50,26
righttoppoint=170,26
leftbottompoint=50,136
rightbottompoint=170,136
clientrect=4,26,236,136
bgpictureindex=-1
borderwidth=4

[SKINAREAS]
count=0

[SKINOBJECTS]
count=7
0=caption:caption
1=closebutton:stdbutton
2=maxbutton:stdbutton
3=minbutton:stdbutton
4=rollupbutton:stdbutton
5=traybutton:stdbutton
6=sysmenubutton:stdbutton

[caption]
skinrect=26,2,150,24
textrect=0,0,124,22
fontname=Arial
fontheight=14
fontcolor=16777215
activefontcolor=16777215
defaultcaption=1

[closebutton]
skinrect=218,5,234,21
command=cmclose

[maxbutton]
skinrect=200,5,216,21
command=cmmaximize

[minbutton]
skinrect=182,5,198,21
command=cmminimize

[rollupbutton]
skinrect=164,5,180,21
command=cmrollup

[traybutton]
skinrect=152,5,162,21
command=cmminimizetotray

[sysmenubutton]
skinrect=6,5,22,21
command=cmsysmenu

[SKINCONTROLS]
count=0
)";

void Fill(TBitmap& Bitmap, const TRect& R, COLORREF Color) {
  Bitmap.Canvas()->Brush()->SetColor(static_cast<TColor>(Color));
  Bitmap.Canvas()->FillRect(R);
}

// White outside a rounded rectangle of radius Radius, black inside; a wavy lower edge gives the
// rows several runs.
void DrawMask(TBitmap& Mask, int Width, int Height, int Radius) {
  Mask.SetPixelFormat(TPixelFormat::pf24bit);
  Mask.SetSize(Width, Height);
  Fill(Mask, Rect(0, 0, Width, Height), 0xFFFFFF);
  TCanvas& c = *Mask.Canvas();
  c.Brush()->SetColor(0);
  c.Pen()->SetColor(0);
  const HRGN shape = CreateRoundRectRgn(0, 0, Width + 1, Height + 1, 2 * Radius, 2 * Radius);
  FillRgn(c.Handle(), shape, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  DeleteObject(shape);
  for (int x = Radius; x < Width - Radius; x += 8) Fill(Mask, Rect(x, Height - 3, x + 3, Height), 0xFFFFFF);
}

class TBenchSkin {
public:
  TBenchSkin() {
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    FDir = IncludeTrailingPathDelimiter(FromWide(temp)) + "tavrel-bench-frame-" + IntToStr(GetCurrentProcessId());
    ForceDirectories(FDir);
    TStringList ini;
    ini.SetText(SkinIni);
    ini.SaveToFile(FDir + "\\skin.ini");
    TBitmap frame;
    frame.SetPixelFormat(TPixelFormat::pf24bit);
    frame.SetSize(240, 140);
    Fill(frame, Rect(0, 0, 240, 140), 0x804020);
    Fill(frame, Rect(4, 26, 236, 136), 0xE0E0E0);
    Fill(frame, Rect(26, 2, 150, 24), 0xA06040);
    for (int x : {6, 152, 164, 182, 200, 218}) Fill(frame, Rect(x, 5, x + 16, 21), 0x4040C0);
    frame.SaveToFile(FDir + "\\frame.bmp");
    TBitmap mask;
    DrawMask(mask, 240, 140, 10);
    mask.SaveToFile(FDir + "\\mask.bmp");
    Skin.LoadFromFile(FDir + "\\skin.ini");
  }
  ~TBenchSkin() {
    for (const char* name : {"\\skin.ini", "\\frame.bmp", "\\mask.bmp"}) DeleteFile(FDir + name);
    RemoveDirectoryW(ToWide(FDir).c_str());
  }
  TBenchSkin(const TBenchSkin&) = delete;
  TBenchSkin& operator=(const TBenchSkin&) = delete;

  skin::TskSkinData Skin{nullptr};

private:
  String FDir;
};

LRESULT CALLBACK PlainProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  return DefWindowProcW(Window, Msg, WParam, LParam);
}

struct TScene {
  TBenchSkin Skin;
  std::unique_ptr<TForm> Form;
  HWND Plain = nullptr;
  TBitmap BigMask;

  TScene() {
    Application->Initialize();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, kFormW, kFormH);
    Form->SetCaption("Skinned frame");
    auto* frame = new skin::TskFormSkin(Form.get());
    frame->SetSkinData(&Skin.Skin);
    Form->Show();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = L"TavrelBenchPlainFrame";
    RegisterClassExW(&wc);
    Plain = CreateWindowExW(0, wc.lpszClassName, L"Plain frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, kFormW,
                            kFormH, nullptr, nullptr, wc.hInstance, nullptr);
    DrawMask(BigMask, kFormW, kFormH, 24);
    Application->ProcessMessages();
  }
  ~TScene() { DestroyWindow(Plain); }

  void Front(HWND Window) {
    SetWindowPos(Window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Application->ProcessMessages();
  }
};

std::unique_ptr<TScene> TheScene;

TScene& Scene() { return *TheScene; }

class TLeastRealTimeReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (!run.error_occurred && run.run_type == Run::RT_Aggregate && run.aggregate_name == "min")
        FTimes[run.run_name.function_name] = run.GetAdjustedRealTime();
  }
  const std::map<std::string, double>& Times() const { return FTimes; }

private:
  std::map<std::string, double> FTimes;
};

template <typename Body>
void AddTimed(const std::string& Name, Body body) {
  benchmark::RegisterBenchmark(Name.c_str(), body)
      ->Unit(benchmark::kMicrosecond)
      ->UseRealTime()
      ->MinTime(0.1)
      ->Repetitions(9)
      ->ComputeStatistics("min", bench::Least)
      ->ReportAggregatesOnly(true);
}

// Toggles the width between 700 and 701.
void ResizeStep(HWND Window, int& Width) {
  Width = Width == kFormW ? kFormW + 1 : kFormW;
  SetWindowPos(Window, nullptr, 0, 0, Width, kFormH, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// One rectangle per horizontal run of black pixels, united one at a time.
HRGN RunByRunRegion(TBitmap& Mask) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  HRGN run = CreateRectRgn(0, 0, 0, 0);
  const int w = Mask.Width(), h = Mask.Height();
  for (int y = 0; y < h; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(Mask.ScanLine(y));
    for (int x = 0; x < w;) {
      while (x < w && (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) != 0) ++x;
      const int start = x;
      while (x < w && (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) == 0) ++x;
      if (x > start) {
        SetRectRgn(run, start, y, x, y + 1);
        CombineRgn(region, region, run, RGN_OR);
      }
    }
  }
  DeleteObject(run);
  return region;
}

void Register() {
  AddTimed("repaint/plain_caption", [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.Plain);
    for (auto _ : state) RedrawWindow(s.Plain, nullptr, nullptr, kFrameRepaint);
  });
  AddTimed("repaint/skinned_frame", [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.Form->Handle());
    for (auto _ : state) RedrawWindow(s.Form->Handle(), nullptr, nullptr, kFrameRepaint);
  });
  AddTimed("resize/plain_window", [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.Plain);
    int width = kFormW;
    for (auto _ : state) ResizeStep(s.Plain, width);
  });
  AddTimed("resize/skinned_frame", [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.Form->Handle());
    int width = kFormW;
    for (auto _ : state) ResizeStep(s.Form->Handle(), width);
  });
  AddTimed("region/CombineRgn_per_run", [](benchmark::State& state) {
    TScene& s = Scene();
    for (auto _ : state) DeleteObject(RunByRunRegion(s.BigMask));
  });
  AddTimed("region/skin_mask", [](benchmark::State& state) {
    TScene& s = Scene();
    for (auto _ : state) DeleteObject(skin::CreateMaskRegion(s.BigMask, 0, 0));
  });
}

bool Check(const std::map<std::string, double>& Times, const std::string& Name, const std::string& Reference,
           double Target) {
  const auto time = Times.find(Name), reference = Times.find(Reference);
  if (time == Times.end() || reference == Times.end()) {
    std::printf("%-32s %10s\n", Name.c_str(), "n/a");
    return false;
  }
  const double ratio = time->second / reference->second;
  const bool met = ratio <= Target;
  std::printf("%-32s %10.1f %10.1f %8.2f %8.2f  %s\n", Name.c_str(), time->second, reference->second, ratio, Target,
              met ? "met" : "MISSED");
  return met;
}

}  // namespace

int main(int argc, char** argv) {
  TheScene = std::make_unique<TScene>();
  Register();
  std::vector<char*> args(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);
  argc = static_cast<int>(args.size());
  argv = args.data();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TLeastRealTimeReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto& times = reporter.Times();
  std::printf("\n%-32s %10s %10s %8s %8s\n", "operation", "us", "plain us", "ratio", "target");
  bool all = Check(times, "repaint/skinned_frame", "repaint/plain_caption", 2.0);
  all &= Check(times, "resize/skinned_frame", "resize/plain_window", 3.0);
  all &= Check(times, "region/skin_mask", "region/CombineRgn_per_run", 0.5);
  std::printf("%s\n", all ? "all targets met" : "some targets MISSED");
  TheScene.reset();
  benchmark::Shutdown();
  return 0;
}
