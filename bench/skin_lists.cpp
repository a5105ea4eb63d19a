// The skinned list view and the player's controls against the system's own, in the same run:
// - paging a report view of 10,000 items 200 times, each page painted: the skinned TskSkinListView
//   paged through its skinned vertical TskSkinScrollBar (a page step as a click on the track below
//   the thumb makes it), against the system's list view with its own bar paged by WM_VSCROLL
//   SB_PAGEDOWN. Target: at most 1.3 times the plain time.
// - a repaint of a 700 x 530 player page: a row of tool and push buttons, a seek bar, a volume bar
//   and a progress gauge (TskSkinSpeedButton, TskSkinButton, TskSkinTrackBar, TskSkinGauge, with a
//   skin this program writes) against the same layout of BUTTON, msctls_trackbar32 and
//   msctls_progress32 windows. Target: at most 3 times.
// A page is painted by UpdateWindow after each step; a repaint is RedrawWindow with RDW_INVALIDATE |
// RDW_UPDATENOW | RDW_ALLCHILDREN. All four panels lie in one shown form, one visible at a time.
// Figures are the least wall time of nine repetitions, the two sides' repetitions interleaved: a
// paint's trips to the Wine server are part of its cost.

#include "bench/SkinBenchSupport.h"

#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinGauge.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinTrackBar.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

using namespace classlib;

namespace {

constexpr int kPanelW = 700, kPanelH = 530;
constexpr int kItems = 10000, kPages = 200;
constexpr int kListW = 480, kListH = 400, kBarW = 19;
constexpr UINT kRepaint = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN;

// The looks of one picture, laid out as a real skin lays out its controls: four 60 x 24 push button
// looks (the column header's too), four 25 x 25 tool button looks, a 100 x 20 track with its two
// 10 x 16 thumbs, a 100 x 20 gauge with its 30 x 16 progress strip, and the shared vertical scroll
// bar. These are the sections of this skin alone; the resize button, the bar and the view's colours
// are the shared ones.
const char ControlSections[] = R"([SKINCONTROLS]
count=7
0=button:button
1=toolbutton:button
2=resizebutton:button
3=htrackbar:trackbar
4=gauge:gauge
5=vscrollbar:scrollbar
6=listview:listview

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
)";

const char TrackAndGaugeSections[] = R"([htrackbar]
pictureindex=0
skinrect=0,49,100,69
lefttoppoint=4,0
righttoppoint=96,0
trackarea=2,2,98,18
buttonrect=100,49,110,65
activebuttonrect=110,49,120,65

[gauge]
pictureindex=0
skinrect=0,69,100,89
lefttoppoint=4,0
righttoppoint=96,0
progressarea=2,2,98,18
progressrect=0,89,30,105
beginoffset=4
endoffset=4
fontcolor=16777215
)";

std::string SkinIni() {
  return bench::ControlsSkinHead("controls.bmp") + "\n" + ControlSections + "\n" + bench::ResizeButtonSection + "\n" +
         TrackAndGaugeSections + "\n" + bench::VScrollBarSection + "\n" + bench::ViewSection("listview");
}

enum class TKind { ToolButton, PushButton, SeekBar, VolumeBar, Progress };

struct TCell {
  TKind Kind;
  int X, Y, W, H;
  String Caption;
};

// A player's bottom half: the progress gauge over the seek bar, then a row of eight transport tool
// buttons with the volume bar at their end, then four push buttons.
std::vector<TCell> PlayerLayout() {
  std::vector<TCell> cells;
  cells.push_back({TKind::Progress, 20, 360, 660, 20, ""});
  cells.push_back({TKind::SeekBar, 20, 395, 660, 20, ""});
  static const char* const transport[] = {"|<", "<<", ">", "||", "[]", ">>", ">|", "^"};
  for (int i = 0; i < 8; ++i) cells.push_back({TKind::ToolButton, 20 + i * 33, 430, 25, 25, transport[i]});
  cells.push_back({TKind::VolumeBar, 540, 432, 140, 20, ""});
  static const char* const pushes[] = {"Open", "Playlist", "Equalizer", "Options"};
  for (int i = 0; i < 4; ++i) cells.push_back({TKind::PushButton, 20 + i * 90, 475, 75, 25, pushes[i]});
  return cells;
}

String ItemCaption(int Index) { return "Track " + IntToStr(Index + 1); }

void FillList(TListView& View) {
  static const struct {
    const char* Caption;
    int Width;
  } columns[] = {{"Title", 220}, {"Artist", 150}, {"Length", 80}};
  for (const auto& column : columns) {
    TListColumn* added = View.Columns().Add();
    added->SetCaption(column.Caption);
    added->SetWidth(column.Width);
  }
  // Wine repaints after every new item of a shown list.
  SendMessageW(View.Handle(), WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < kItems; ++i) {
    TListItem* item = View.Items().Add();
    item->SetCaption(ItemCaption(i));
    item->SubItems().Add("Artist " + IntToStr(i % 97 + 1));
    item->SubItems().Add(IntToStr(2 + i % 5) + ":" + IntToStr(10 + i % 50));
  }
  SendMessageW(View.Handle(), WM_SETREDRAW, TRUE, 0);
}

struct TScene {
  bench::TControlsPicture Picture;
  bench::TBenchSkin Skin{"lists", SkinIni().c_str(), {{"controls.bmp", &Picture.Picture}}};
  std::unique_ptr<TForm> Form;
  TPanel* SkinnedPlayer = nullptr;
  TPanel* PlainPlayer = nullptr;
  TPanel* SkinnedLists = nullptr;
  TPanel* PlainLists = nullptr;
  skin::TskSkinListView* SkinnedList = nullptr;
  skin::TskSkinScrollBar* SkinnedBar = nullptr;
  TListView* PlainList = nullptr;
  TFont PlainFont;

  TScene() {
    bench::InitApplication();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBorderStyle(TFormBorderStyle::bsSingle);
    Form->SetBounds(0, 0, 100, 100);
    Form->SetClientWidth(kPanelW);
    Form->SetClientHeight(kPanelH);
    SkinnedPlayer = MakePanel();
    PlainPlayer = MakePanel();
    SkinnedLists = MakePanel();
    PlainLists = MakePanel();
    PlainFont.SetName("Arial");
    PlainFont.SetHeight(14);
    Form->Show();
    for (const TCell& cell : PlayerLayout()) {
      AddSkinned(cell);
      AddPlain(cell);
    }
    MakeLists();
    Application->ProcessMessages();
  }

  TPanel* MakePanel() {
    auto* panel = new TPanel(Form.get());
    panel->SetParent(Form.get());
    panel->SetBounds(0, 0, kPanelW, kPanelH);
    return panel;
  }

  template <typename TSkinned>
  TSkinned& Skinned(const TCell& Cell) {
    auto* control = new TSkinned(Form.get());
    control->SetParent(SkinnedPlayer);
    control->SetSkinData(&Skin.Skin);
    control->SetBounds(Cell.X, Cell.Y, Cell.W, Cell.H);
    control->SetCaption(Cell.Caption);
    return *control;
  }

  void AddSkinned(const TCell& Cell) {
    switch (Cell.Kind) {
      case TKind::ToolButton: Skinned<skin::TskSkinSpeedButton>(Cell); break;
      case TKind::PushButton: Skinned<skin::TskSkinButton>(Cell); break;
      case TKind::SeekBar:
      case TKind::VolumeBar: {
        auto& bar = Skinned<skin::TskSkinTrackBar>(Cell);
        bar.SetMaxValue(100);
        bar.SetValue(Cell.Kind == TKind::SeekBar ? 35 : 80);
        break;
      }
      case TKind::Progress: {
        auto& gauge = Skinned<skin::TskSkinGauge>(Cell);
        gauge.SetMaxValue(100);
        gauge.SetValue(35);
        break;
      }
    }
  }

  HWND AddPlainWindow(const wchar_t* Class, const TCell& Cell, DWORD Style) {
    HWND window = CreateWindowExW(0, Class, ToWide(Cell.Caption).c_str(), WS_CHILD | WS_VISIBLE | Style, Cell.X,
                                  Cell.Y, Cell.W, Cell.H, PlainPlayer->Handle(), nullptr, GetModuleHandleW(nullptr),
                                  nullptr);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(PlainFont.Handle()), FALSE);
    return window;
  }

  void AddPlain(const TCell& Cell) {
    switch (Cell.Kind) {
      case TKind::ToolButton:
      case TKind::PushButton: AddPlainWindow(L"BUTTON", Cell, WS_TABSTOP | BS_PUSHBUTTON); break;
      case TKind::SeekBar:
      case TKind::VolumeBar: {
        HWND bar = AddPlainWindow(TRACKBAR_CLASSW, Cell, WS_TABSTOP | TBS_HORZ | TBS_NOTICKS);
        SendMessageW(bar, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
        SendMessageW(bar, TBM_SETPOS, TRUE, Cell.Kind == TKind::SeekBar ? 35 : 80);
        break;
      }
      case TKind::Progress: {
        HWND progress = AddPlainWindow(PROGRESS_CLASSW, Cell, 0);
        SendMessageW(progress, PBM_SETRANGE32, 0, 100);
        SendMessageW(progress, PBM_SETPOS, 35, 0);
        break;
      }
    }
  }

  void MakeLists() {
    SkinnedBar = new skin::TskSkinScrollBar(Form.get());
    SkinnedBar->SetParent(SkinnedLists);
    SkinnedBar->SetKind(TScrollBarKind::sbVertical);
    SkinnedBar->SetSkinData(&Skin.Skin);
    SkinnedBar->SetBounds(20 + kListW, 20, kBarW, kListH);
    SkinnedList = new skin::TskSkinListView(Form.get());
    SkinnedList->SetParent(SkinnedLists);
    SkinnedList->SetBounds(20, 20, kListW, kListH);
    SkinnedList->SetViewStyle(TViewStyle::vsReport);
    SkinnedList->SetSkinData(&Skin.Skin);
    SkinnedList->SetVScrollBar(SkinnedBar);
    FillList(*SkinnedList);
    // The plain view is as wide as the skinned one with its bar: its own bar lies inside.
    PlainList = new TListView(Form.get());
    PlainList->SetParent(PlainLists);
    PlainList->SetBounds(20, 20, kListW + kBarW, kListH);
    PlainList->SetViewStyle(TViewStyle::vsReport);
    PlainList->Font().Assign(PlainFont);
    FillList(*PlainList);
  }

  // Shows one panel over the others and lets everything settle before timing starts.
  void Front(TPanel* Panel) {
    for (TPanel* other : {SkinnedPlayer, PlainPlayer, SkinnedLists, PlainLists})
      if (other != Panel) other->SetVisible(false);
    Panel->SetVisible(true);
    RedrawWindow(Panel->Handle(), nullptr, nullptr, kRepaint);
    Application->ProcessMessages();
  }
};

// Made in main and freed before the program ends, while the application still runs.
std::unique_ptr<TScene> TheScene;

TScene& Scene() { return *TheScene; }

// Back to the first page, untimed, so that every run pages through the same rows.
void Rewind(benchmark::State& State, HWND View, void (*Home)(TScene&)) {
  State.PauseTiming();
  Home(Scene());
  UpdateWindow(View);
  Application->ProcessMessages();
  if (SendMessageW(View, LVM_GETTOPINDEX, 0, 0) != 0) State.SkipWithError("the view did not go back to its first row");
  State.ResumeTiming();
}

// Untimed: every page step scrolled the view by a whole page. A step that finds the view already at
// its last row scrolls and paints nothing, and would make a run look quicker than it is.
void ExpectPaged(benchmark::State& State, HWND View) {
  State.PauseTiming();
  const LRESULT rows = SendMessageW(View, LVM_GETCOUNTPERPAGE, 0, 0);
  if (rows <= 0 || SendMessageW(View, LVM_GETTOPINDEX, 0, 0) != kPages * rows)
    State.SkipWithError("the view did not move by a whole page at every step");
  State.ResumeTiming();
}

void Register() {
  bench::AddTimed("list/plain_SysListView32_200_pages", benchmark::kMillisecond, [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.PlainLists);
    const HWND view = s.PlainList->Handle();
    for (auto _ : state) {
      // Wine's list view takes no SB_TOP (it stays where it is): its first item is brought into view
      // instead.
      Rewind(state, view, [](TScene& t) { SendMessageW(t.PlainList->Handle(), LVM_ENSUREVISIBLE, 0, FALSE); });
      for (int page = 0; page < kPages; ++page) {
        SendMessageW(view, WM_VSCROLL, SB_PAGEDOWN, 0);
        UpdateWindow(view);
      }
      ExpectPaged(state, view);
    }
  });
  bench::AddTimed("list/skinned_200_pages", benchmark::kMillisecond, [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.SkinnedLists);
    const HWND view = s.SkinnedList->Handle();
    skin::TskSkinScrollBar& bar = *s.SkinnedBar;
    for (auto _ : state) {
      Rewind(state, view, [](TScene& t) { t.SkinnedBar->SetPosition(t.SkinnedBar->Min()); });
      for (int page = 0; page < kPages; ++page) {
        // What a click on the track below the thumb does.
        bar.SetPosition(bar.Position() + bar.LargeChange());
        UpdateWindow(view);
        UpdateWindow(bar.Handle());
      }
      ExpectPaged(state, view);
    }
  });
  bench::AddTimed("player/plain_controls", benchmark::kMicrosecond, [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.PlainPlayer);
    for (auto _ : state) RedrawWindow(s.PlainPlayer->Handle(), nullptr, nullptr, kRepaint);
  });
  bench::AddTimed("player/skinned", benchmark::kMicrosecond, [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.SkinnedPlayer);
    for (auto _ : state) RedrawWindow(s.SkinnedPlayer->Handle(), nullptr, nullptr, kRepaint);
  });
}

}  // namespace

int main(int argc, char** argv) {
  TheScene = std::make_unique<TScene>();
  Register();
  const int status =
      bench::RunAgainstTargets(argc, argv,
                               {{"list/skinned_200_pages", "list/plain_SysListView32_200_pages", 1.3},
                                {"player/skinned", "player/plain_controls", 3.0}});
  TheScene.reset();
  return status;
}
