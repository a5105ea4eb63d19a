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

#include "bench/SkinBenchSupport.h"

#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinSpeedButton.h"

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

// The controls' picture, the skin's only one.
struct TControlsPicture {
  TBitmap Picture;
  TControlsPicture() { bench::Shade(Picture, 240, 90, 25, 60); }
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
  TControlsPicture Picture;
  bench::TBenchSkin Skin{"skin", SkinIni, {{"controls.bmp", &Picture.Picture}}};
  std::unique_ptr<TForm> Form;
  TPanel* Skinned = nullptr;
  TPanel* Plain = nullptr;
  skin::TskSkinButton* SkinnedButton = nullptr;  // the first cell, 75 x 25
  HWND PlainButton = nullptr;
  TFont PlainFont;

  TScene() {
    bench::InitApplication();
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

void Register() {
  bench::AddTimed("panel/plain_BUTTONs", benchmark::kMicrosecond, [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.Plain);
    for (auto _ : state) RedrawWindow(s.Plain->Handle(), nullptr, nullptr, kRepaint);
  });
  bench::AddTimed("panel/skinned", benchmark::kMicrosecond, [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.Skinned);
    for (auto _ : state) RedrawWindow(s.Skinned->Handle(), nullptr, nullptr, kRepaint);
  });
  bench::AddTimed("button/plain_BUTTON_repaint", benchmark::kMicrosecond, [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.Plain);
    for (auto _ : state) RedrawWindow(s.PlainButton, nullptr, nullptr, kRepaint);
  });
  bench::AddTimed("button/skinned_morph_tick", benchmark::kMicrosecond, [](benchmark::State& state) {
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

}  // namespace

int main(int argc, char** argv) {
  TheScene = std::make_unique<TScene>();
  Register();
  const int status = bench::RunAgainstTargets(argc, argv,
                                              {{"panel/skinned", "panel/plain_BUTTONs", 3.0},
                                               {"button/skinned_morph_tick", "button/plain_BUTTON_repaint", 3.0}});
  TheScene.reset();
  return status;
}
