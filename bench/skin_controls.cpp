// The skinned controls' painting against the system's own buttons, in the same run:
// - a repaint of a 700 x 530 panel holding 40 controls: skinned push buttons, tool buttons and check
//   boxes (TskSkinButton, TskSkinSpeedButton, TskSkinCheckRadioBox, with a skin this program writes)
//   against the same layout of plain BUTTON windows (push buttons and check boxes). Target: at most
//   3 times the plain time.
// - one morph tick of a 75 x 25 skinned button (a step of the hover fade: two button images built,
//   mixed and drawn) against one repaint of a 75 x 25 BUTTON. Target: at most 3 times.
// A repaint is RedrawWindow with RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN, which paints
// before it returns; the morph tick repaints its button the same way. Both panels lie in one shown
// form, one visible at a time. Figures are the least wall time of nine repetitions, the two sides'
// repetitions interleaved: a repaint's trips to the Wine server are part of its cost.

#include "bench/BenchSupport.h"

#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Strings.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/data/SkinData.h"

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace classlib;

namespace {

constexpr int kPanelW = 700, kPanelH = 530;
constexpr int kColumns = 5, kRows = 8;
constexpr UINT kRepaint = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN;

// The looks of one picture, laid out as a real skin lays out its controls: four 60 x 24 push button
// looks, four 25 x 25 tool button looks, two 105 x 25 check box looks and six 13 x 13 check pictures.
const char SkinIni[] = R"([VERSION]
ver=2
skinname=Bench

[PICTURES]
activepicturescount=1
0=controls.bmp

[FORMINFO]
bgpictureindex=-1

[SKINAREAS]
count=0

[SKINOBJECTS]
count=0

[SKINCONTROLS]
count=3
0=button:button
1=toolbutton:button
2=checkbox:checkradio

[button]
pictureindex=0
maskpictureindex=-1
skinrect=0,0,60,24
lefttoppoint=6,6
righttoppoint=54,6
leftbottompoint=6,18
rightbottompoint=54,18
clientrect=6,6,54,18
stretcheffect=1
fontname=Arial
fontheight=14
fontcolor=16116450
activefontcolor=16777215
downfontcolor=16765590
disabledfontcolor=7102040
morphing=1
morphkind=mkdefault
activeskinrect=60,0,120,24
downskinrect=120,0,180,24
disabledskinrect=180,0,240,24

[toolbutton]
pictureindex=0
maskpictureindex=-1
skinrect=0,24,25,49
lefttoppoint=5,5
righttoppoint=20,5
leftbottompoint=5,20
rightbottompoint=20,20
clientrect=5,5,20,20
stretcheffect=1
fontname=Arial
fontheight=14
fontcolor=16116450
activefontcolor=16777215
downfontcolor=16765590
disabledfontcolor=7102040
morphing=1
morphkind=mkdefault
activeskinrect=25,24,50,49
downskinrect=50,24,75,49
disabledskinrect=75,24,100,49

[checkbox]
pictureindex=0
maskpictureindex=-1
skinrect=0,49,105,74
lefttoppoint=20,4
righttoppoint=100,4
leftbottompoint=20,21
rightbottompoint=100,21
clientrect=20,4,100,21
stretcheffect=0
fontname=Arial
fontheight=14
fontcolor=16116450
activefontcolor=16777215
unenabledfontcolor=7102040
framefontcolor=10785414
morphing=1
morphkind=mkdefault
activeskinrect=105,49,210,74
checkimagearea=4,6,17,19
textarea=22,0,103,25
checkimagerect=0,74,13,87
uncheckimagerect=13,74,26,87
activecheckimagerect=26,74,39,87
activeuncheckimagerect=39,74,52,87
unenabledcheckimagerect=52,74,65,87
unenableduncheckimagerect=65,74,78,87
)";

// Night-blue gradients with a lighter rim, so that every look has real pixels to copy.
void DrawControlsPicture(TBitmap& Picture) {
  Picture.SetPixelFormat(TPixelFormat::pf24bit);
  Picture.SetSize(240, 90);
  for (int y = 0; y < 90; ++y) {
    auto* row = static_cast<std::uint8_t*>(Picture.ScanLine(y));
    for (int x = 0; x < 240; ++x) {
      const int shade = (y % 25) * 4 + (x % 60);
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
    FDir = IncludeTrailingPathDelimiter(FromWide(temp)) + "tavrel-bench-skin-" + IntToStr(GetCurrentProcessId());
    ForceDirectories(FDir);
    TStringList ini;
    ini.SetText(SkinIni);
    ini.SaveToFile(FDir + "\\skin.ini");
    TBitmap picture;
    DrawControlsPicture(picture);
    picture.SaveToFile(FDir + "\\controls.bmp");
    Skin.LoadFromFile(FDir + "\\skin.ini");
  }
  ~TBenchSkin() {
    DeleteFile(FDir + "\\skin.ini");
    DeleteFile(FDir + "\\controls.bmp");
    RemoveDirectoryW(ToWide(FDir).c_str());
  }
  TBenchSkin(const TBenchSkin&) = delete;
  TBenchSkin& operator=(const TBenchSkin&) = delete;

  skin::TskSkinData Skin{nullptr};

private:
  String FDir;
};

enum class TKind { PushButton, ToolButton, CheckBox };

// Five columns of eight: push buttons, tool buttons, check boxes, push buttons, check boxes.
struct TCell {
  TKind Kind;
  int X, Y, W, H;
  String Caption;
  bool Checked;
};

std::vector<TCell> Layout() {
  static const TKind columns[kColumns] = {TKind::PushButton, TKind::ToolButton, TKind::CheckBox, TKind::PushButton,
                                          TKind::CheckBox};
  std::vector<TCell> cells;
  for (int row = 0; row < kRows; ++row)
    for (int column = 0; column < kColumns; ++column) {
      const TKind kind = columns[column];
      const int number = row * kColumns + column + 1;
      const bool box = kind == TKind::CheckBox;
      cells.push_back({kind, 20 + column * 136, 15 + row * 64, box ? 120 : 75, 25,
                       (box ? "Option " : "Button ") + IntToStr(number), box && number % 2 == 0});
    }
  return cells;
}

struct TScene {
  TBenchSkin Skin;
  std::unique_ptr<TForm> Form;
  TPanel* Skinned = nullptr;
  TPanel* Plain = nullptr;
  skin::TskSkinButton* SkinnedButton = nullptr;  // the first cell, 75 x 25
  HWND PlainButton = nullptr;
  TFont PlainFont;

  TScene() {
    Application->Initialize();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBorderStyle(TFormBorderStyle::bsSingle);
    Form->SetBounds(0, 0, 100, 100);
    Form->SetClientWidth(kPanelW);
    Form->SetClientHeight(kPanelH);
    Skinned = MakePanel();
    Plain = MakePanel();
    PlainFont.SetName("Arial");
    PlainFont.SetHeight(14);
    Form->Show();
    for (const TCell& cell : Layout()) {
      AddSkinned(cell);
      AddPlain(cell);
    }
    Application->ProcessMessages();
  }

  TPanel* MakePanel() {
    auto* panel = new TPanel(Form.get());
    panel->SetParent(Form.get());
    panel->SetBounds(0, 0, kPanelW, kPanelH);
    return panel;
  }

  void AddSkinned(const TCell& Cell) {
    switch (Cell.Kind) {
      case TKind::PushButton: {
        auto* button = new skin::TskSkinButton(Form.get());
        button->SetParent(Skinned);
        button->SetSkinData(&Skin.Skin);
        Place(*button, Cell);
        if (!SkinnedButton) SkinnedButton = button;
        break;
      }
      case TKind::ToolButton: {
        auto* button = new skin::TskSkinSpeedButton(Form.get());
        button->SetParent(Skinned);
        button->SetSkinData(&Skin.Skin);
        Place(*button, Cell);
        break;
      }
      case TKind::CheckBox: {
        auto* box = new skin::TskSkinCheckRadioBox(Form.get());
        box->SetParent(Skinned);
        box->SetSkinData(&Skin.Skin);
        box->SetChecked(Cell.Checked);
        Place(*box, Cell);
        break;
      }
    }
  }

  static void Place(TControl& Control, const TCell& Cell) {
    Control.SetBounds(Cell.X, Cell.Y, Cell.W, Cell.H);
    Control.SetCaption(Cell.Caption);
  }

  void AddPlain(const TCell& Cell) {
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | (Cell.Kind == TKind::CheckBox ? BS_AUTOCHECKBOX : BS_PUSHBUTTON);
    HWND button = CreateWindowExW(0, L"BUTTON", ToWide(Cell.Caption).c_str(), style, Cell.X, Cell.Y, Cell.W, Cell.H,
                                  Plain->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(PlainFont.Handle()), FALSE);
    if (Cell.Checked) SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    if (!PlainButton) PlainButton = button;
  }

  // Shows one panel over the other and lets everything settle before timing starts.
  void Front(TPanel* Panel) {
    (Panel == Skinned ? Plain : Skinned)->SetVisible(false);
    Panel->SetVisible(true);
    RedrawWindow(Panel->Handle(), nullptr, nullptr, kRepaint);
    Application->ProcessMessages();
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
  AddTimed("panel/plain_BUTTONs", [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.Plain);
    for (auto _ : state) RedrawWindow(s.Plain->Handle(), nullptr, nullptr, kRepaint);
  });
  AddTimed("panel/skinned", [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.Skinned);
    for (auto _ : state) RedrawWindow(s.Skinned->Handle(), nullptr, nullptr, kRepaint);
  });
  AddTimed("button/plain_BUTTON_repaint", [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.Plain);
    for (auto _ : state) RedrawWindow(s.PlainButton, nullptr, nullptr, kRepaint);
  });
  AddTimed("button/skinned_morph_tick", [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.Skinned);
    skin::TskSkinButton& button = *s.SkinnedButton;
    button.Perform(CM_MOUSEENTER, 0, 0);
    // The fade runs up and down between 0.2 and 0.8, so that every tick mixes two images; turning
    // round (the pointer coming and going) is not timed.
    for (auto _ : state) {
      button.DoMorph();
      const double kf = button.MorphKf();
      if ((kf > 0.7 && button.Hovered()) || (kf < 0.3 && !button.Hovered())) {
        state.PauseTiming();
        button.Perform(button.Hovered() ? CM_MOUSELEAVE : CM_MOUSEENTER, 0, 0);
        state.ResumeTiming();
      }
    }
    button.Perform(CM_MOUSELEAVE, 0, 0);
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
  bool all = Check(times, "panel/skinned", "panel/plain_BUTTONs", 3.0);
  all &= Check(times, "button/skinned_morph_tick", "button/plain_BUTTON_repaint", 3.0);
  std::printf("%s\n", all ? "all targets met" : "some targets MISSED");
  TheScene.reset();
  benchmark::Shutdown();
  return 0;
}
