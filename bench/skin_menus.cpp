// Opening a skinned popup menu against showing a plain popup window, in the same run:
// - a 30-item menu opened by the skinned menu engine (TskSkinMenu::Popup with a skin this program
//   writes: a framed, masked "POPUPWINDOW" and a "MENUITEM" object) until its window has painted;
// - a plain WS_POPUP window of the same size, created, shown and painted with 30 lines of DrawText.
// Target: at most 3 times the plain time. Closing either is not timed. Figures are the least wall
// time of nine repetitions, the two sides' repetitions interleaved.

#include "bench/BenchSupport.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/Strings.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinMenu.h"

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace classlib;

namespace {

constexpr int kItems = 30;

const char SkinIni[] = R"([VERSION]
ver=2
skinname=Bench menus

[PICTURES]
activepicturescount=3
0=window.bmp
1=mask.bmp
2=items.bmp

[FORMINFO]
bgpictureindex=-1

[SKINAREAS]
count=0

[SKINOBJECTS]
count=1
0=MENUITEM:menuitem

[SKINCONTROLS]
count=0

[POPUPWINDOW]
windowpictureindex=0
maskpictureindex=1
lefttoppoint=6,6
righttoppoint=34,6
leftbottompoint=6,34
rightbottompoint=34,34
itemsrect=4,4,36,36
scrollmarkercolor=16777215
scrollmarkeractivecolor=65535

[MENUITEM]
activepictureindex=2
skinrect=0,0,60,20
activeskinrect=0,20,60,40
dividerrect=0,40,60,46
itemleftoffset=4
itemrightoffset=4
textrect=4,0,56,20
fontname=Arial
fontheight=14
fontcolor=16116450
activefontcolor=16777215
unenabledfontcolor=7102040
stretcheffect=1
)";

// Gradients with a lighter rim, so that every piece has real pixels to copy.
void Shade(TBitmap& Picture, int Width, int Height) {
  Picture.SetPixelFormat(TPixelFormat::pf24bit);
  Picture.SetSize(Width, Height);
  for (int y = 0; y < Height; ++y) {
    auto* row = static_cast<std::uint8_t*>(Picture.ScanLine(y));
    for (int x = 0; x < Width; ++x) {
      const int shade = (y % 20) * 4 + (x % 40);
      row[3 * x] = static_cast<std::uint8_t>(90 + shade);
      row[3 * x + 1] = static_cast<std::uint8_t>(40 + shade / 2);
      row[3 * x + 2] = static_cast<std::uint8_t>(20 + shade / 3);
    }
  }
}

// The skin, written into a folder of its own under the temporary folder and read back the way a
// user's skin is.
class TBenchSkin {
public:
  TBenchSkin() {
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    FDir = IncludeTrailingPathDelimiter(FromWide(temp)) + "tavrel-bench-menus-" + IntToStr(GetCurrentProcessId());
    ForceDirectories(FDir);
    TStringList ini;
    ini.SetText(SkinIni);
    ini.SaveToFile(FDir + "\\skin.ini");
    TBitmap picture;
    Shade(picture, 40, 40);
    picture.SaveToFile(FDir + "\\window.bmp");
    // The mask rounds the window's corners off.
    TBitmap mask;
    mask.SetPixelFormat(TPixelFormat::pf24bit);
    mask.SetSize(40, 40);
    mask.Canvas()->Brush()->SetColor(0);
    mask.Canvas()->FillRect(Rect(0, 0, 40, 40));
    for (const TPoint& corner : {Point(0, 0), Point(39, 0), Point(0, 39), Point(39, 39)})
      mask.Canvas()->SetPixels(corner.x, corner.y, clWhite);
    mask.SaveToFile(FDir + "\\mask.bmp");
    Shade(picture, 60, 46);
    picture.SaveToFile(FDir + "\\items.bmp");
    Skin.LoadFromFile(FDir + "\\skin.ini");
  }
  ~TBenchSkin() {
    for (const char* name : {"skin.ini", "window.bmp", "mask.bmp", "items.bmp"}) DeleteFile(FDir + "\\" + name);
    RemoveDirectoryW(ToWide(FDir).c_str());
  }
  TBenchSkin(const TBenchSkin&) = delete;
  TBenchSkin& operator=(const TBenchSkin&) = delete;

  skin::TskSkinData Skin{nullptr};

private:
  String FDir;
};

LRESULT CALLBACK PlainProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg != WM_PAINT) return DefWindowProcW(Window, Msg, WParam, LParam);
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(Window, &ps);
  RECT client;
  GetClientRect(Window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(GetWindowLongPtrW(Window, GWLP_USERDATA)));
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < kItems; ++i) {
    RECT line{24, 3 + i * 20, client.right - 3, 3 + (i + 1) * 20};
    const WideString text = ToWide("Menu item " + IntToStr(i + 1));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &line, DT_SINGLELINE | DT_VCENTER);
  }
  SelectObject(dc, old);
  EndPaint(Window, &ps);
  return 0;
}

struct TScene {
  TBenchSkin Skin;
  std::unique_ptr<TForm> Form;
  std::unique_ptr<TPopupMenu> Menu;
  std::unique_ptr<skin::TskSkinMenu> Engine;
  TFont PlainFont;
  int Width = 0;
  int Height = 0;

  TScene() {
    Application->Initialize();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 300, 200);
    Form->Show();
    Menu = std::make_unique<TPopupMenu>(nullptr);
    for (int i = 0; i < kItems; ++i) {
      auto* item = new TMenuItem(Menu.get());
      item->SetCaption("Menu item " + IntToStr(i + 1));
      Menu->Items()->Add(item);
    }
    Engine = std::make_unique<skin::TskSkinMenu>(nullptr, Form.get());
    PlainFont.SetName("Arial");
    PlainFont.SetHeight(14);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TavrelBenchPlainPopup";
    wc.style = CS_SAVEBITS;
    RegisterClassExW(&wc);
    // The plain window takes the skinned menu's size.
    OpenSkinned();
    Width = Engine->PopupWindows.at(0)->Width();
    Height = Engine->PopupWindows.at(0)->Height();
    Engine->CloseMenu(0);
    Application->ProcessMessages();
  }

  void OpenSkinned() {
    Engine->Popup(nullptr, &Skin.Skin, 0, Rect(400, 100, 400, 100), Menu->Items(), false);
    UpdateWindow(Engine->PopupWindows.at(0)->Handle());
  }

  HWND OpenPlain() {
    const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"TavrelBenchPlainPopup", L"", WS_POPUP, 400,
                                        100, Width, Height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(PlainFont.Handle()));
    ShowWindow(window, SW_SHOWNA);
    UpdateWindow(window);
    return window;
  }
};

// Made in main and freed before the program ends, while the application still runs.
std::unique_ptr<TScene> TheScene;

TScene& Scene() { return *TheScene; }

// Least wall time per iteration of each benchmark, beside the console table.
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

void Register() {
  AddTimed("menu/plain_WS_POPUP", [](benchmark::State& state) {
    TScene& s = Scene();
    for (auto _ : state) {
      const HWND window = s.OpenPlain();
      state.PauseTiming();
      DestroyWindow(window);
      Application->ProcessMessages();
      state.ResumeTiming();
    }
  });
  AddTimed("menu/skinned_30_items", [](benchmark::State& state) {
    TScene& s = Scene();
    for (auto _ : state) {
      s.OpenSkinned();
      state.PauseTiming();
      s.Engine->CloseMenu(0);
      Application->ProcessMessages();
      state.ResumeTiming();
    }
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
  // Each side's repetitions alternate with the other's, so that a busy spell of the machine does not
  // fall on one side only. Given first, the option yields to one on the command line.
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
  const bool all = Check(times, "menu/skinned_30_items", "menu/plain_WS_POPUP", 3.0);
  std::printf("%s\n", all ? "all targets met" : "some targets MISSED");
  TheScene.reset();
  benchmark::Shutdown();
  return 0;
}
