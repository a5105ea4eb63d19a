// The skinned tree view and header against the system's own, in the same run:
// - paging a tree of 10,000 nodes 200 times, each page painted: the skinned TskSkinTreeView paged
//   through its skinned vertical TskSkinScrollBar (a page step as a click on the track below the
//   thumb makes it), against the system's tree view paged by its own bar (WM_VSCROLL SB_PAGEDOWN).
//   Target: at most 1.3 times the plain time.
// - a repaint of a header of 20 sections: the skinned TskSkinHeaderControl, whose sections are cut
//   from the skin's "resizebutton" picture, against the system's header control. Target: at most 3.
// A page is painted by UpdateWindow after each step; a repaint is RedrawWindow with RDW_INVALIDATE |
// RDW_UPDATENOW | RDW_ALLCHILDREN. All four panels lie in one shown form, one visible at a time.

#include "bench/SkinBenchSupport.h"

#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/HeaderControl.h"
#include "platform/classlib/TreeView.h"
#include "platform/classlib/SysUtils.h"
#include "skin/controls/SkinHeaderControl.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinTreeView.h"

#include <commctrl.h>

#include <memory>

using namespace classlib;

namespace {

constexpr int kPanelW = 700, kPanelH = 530;
constexpr int kNodes = 10000, kPages = 200, kSections = 20;
constexpr int kTreeW = 480, kTreeH = 400, kBarW = 19;
constexpr UINT kRepaint = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN;

// One picture: the header section's three looks (60 x 24 each) and a 19 x 100 vertical scroll bar
// with its hot button and three 15 x 16 thumbs, as a real skin lays them out.
std::string SkinIni() {
  return bench::ControlsSkinHead("views.bmp") + R"(
[SKINCONTROLS]
count=3
0=resizebutton:button
1=vscrollbar:scrollbar
2=treeview:treeview

)" + bench::ResizeButtonSection +
         // Here the resize button names its font as well.
         "fontname=Arial\nfontheight=14\n\n" + bench::VScrollBarSection + "\n" + bench::ViewSection("treeview");
}

struct TScene {
  bench::TControlsPicture Pictures;
  bench::TBenchSkin Skin{"skin_views", SkinIni().c_str(), {{"views.bmp", &Pictures.Picture}}};
  std::unique_ptr<TForm> Form;
  TPanel *SkinnedTrees = nullptr, *PlainTrees = nullptr, *SkinnedHeaders = nullptr, *PlainHeaders = nullptr;
  skin::TskSkinTreeView* SkinnedTree = nullptr;
  skin::TskSkinScrollBar* SkinnedBar = nullptr;
  TTreeView* PlainTree = nullptr;
  skin::TskSkinHeaderControl* SkinnedHeader = nullptr;
  THeaderControl* PlainHeader = nullptr;
  TFont PlainFont;

  TScene() {
    bench::InitApplication();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBorderStyle(TFormBorderStyle::bsSingle);
    Form->SetBounds(0, 0, 100, 100);
    Form->SetClientWidth(kPanelW);
    Form->SetClientHeight(kPanelH);
    SkinnedTrees = MakePanel();
    PlainTrees = MakePanel();
    SkinnedHeaders = MakePanel();
    PlainHeaders = MakePanel();
    PlainFont.SetName("Arial");
    PlainFont.SetHeight(14);
    Form->Show();
    MakeTrees();
    MakeHeaders();
    Application->ProcessMessages();
  }

  TPanel* MakePanel() {
    auto* panel = new TPanel(Form.get());
    panel->SetParent(Form.get());
    panel->SetBounds(0, 0, kPanelW, kPanelH);
    return panel;
  }

  static void FillTree(TTreeView& Tree) {
    Tree.Items().BeginUpdate();
    for (int i = 0; i < kNodes; ++i) Tree.Items().Add(nullptr, "Node " + IntToStr(i));
    Tree.Items().EndUpdate();
  }

  void MakeTrees() {
    SkinnedBar = new skin::TskSkinScrollBar(Form.get());
    SkinnedBar->SetParent(SkinnedTrees);
    SkinnedBar->SetKind(TScrollBarKind::sbVertical);
    SkinnedBar->SetSkinData(&Skin.Skin);
    SkinnedBar->SetBounds(20 + kTreeW, 20, kBarW, kTreeH);
    SkinnedTree = new skin::TskSkinTreeView(Form.get());
    SkinnedTree->SetParent(SkinnedTrees);
    SkinnedTree->SetBounds(20, 20, kTreeW, kTreeH);
    SkinnedTree->SetSkinData(&Skin.Skin);
    SkinnedTree->SetVScrollBar(SkinnedBar);
    FillTree(*SkinnedTree);
    // The tree leaves the bar's steps to the application: a click on the track pages.
    SkinnedBar->SetLargeChange(static_cast<int>(SendMessageW(SkinnedTree->Handle(), TVM_GETVISIBLECOUNT, 0, 0)));
    // The plain tree is as wide as the skinned one with its bar: its own bar lies inside.
    PlainTree = new TTreeView(Form.get());
    PlainTree->SetParent(PlainTrees);
    PlainTree->SetBounds(20, 20, kTreeW + kBarW, kTreeH);
    PlainTree->Font().Assign(PlainFont);
    FillTree(*PlainTree);
  }

  static void AddSections(THeaderControl& Header) {
    for (int i = 0; i < kSections; ++i) {
      THeaderSection* section = Header.Sections().Add();
      section->SetText("Column " + IntToStr(i + 1));
      section->SetWidth(60);
    }
  }

  void MakeHeaders() {
    SkinnedHeader = new skin::TskSkinHeaderControl(Form.get());
    SkinnedHeader->SetParent(SkinnedHeaders);
    SkinnedHeader->SetBounds(0, 20, kPanelW, 24);
    SkinnedHeader->SetSkinData(&Skin.Skin);
    AddSections(*SkinnedHeader);
    PlainHeader = new THeaderControl(Form.get());
    PlainHeader->SetParent(PlainHeaders);
    PlainHeader->SetBounds(0, 20, kPanelW, 24);
    PlainHeader->Font().Assign(PlainFont);
    AddSections(*PlainHeader);
  }

  // Shows one panel over the others and lets everything settle before timing starts.
  void Front(TPanel* Panel) {
    for (TPanel* other : {SkinnedTrees, PlainTrees, SkinnedHeaders, PlainHeaders})
      if (other != Panel) other->SetVisible(false);
    Panel->SetVisible(true);
    RedrawWindow(Panel->Handle(), nullptr, nullptr, kRepaint);
    Application->ProcessMessages();
  }
};

// Made in main and freed before the program ends, while the application still runs.
std::unique_ptr<TScene> TheScene;

TScene& Scene() { return *TheScene; }

// The tree's first shown row, counted from its first node.
int TopRow(HWND Tree) {
  const auto top = reinterpret_cast<HTREEITEM>(SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
  int row = 0;
  for (auto item = reinterpret_cast<HTREEITEM>(SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); item && item != top;
       item = reinterpret_cast<HTREEITEM>(SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
    ++row;
  return row;
}

// Back to the first node, untimed, so that every run pages through the same rows; false (the run
// skipped) when the tree did not go back.
bool Rewind(benchmark::State& State, HWND Tree, void (*Home)(TScene&)) {
  State.PauseTiming();
  Home(Scene());
  UpdateWindow(Tree);
  Application->ProcessMessages();
  if (TopRow(Tree) != 0) {
    State.SkipWithError("the tree did not go back to its first node");
    return false;
  }
  State.ResumeTiming();
  return true;
}

// Untimed: the tree moved down by at least a page at each step, so that no step found it already at
// its last row (which scrolls and paints nothing and would make a run look quicker than it is).
bool ExpectPaged(benchmark::State& State, HWND Tree) {
  State.PauseTiming();
  const LRESULT rows = SendMessageW(Tree, TVM_GETVISIBLECOUNT, 0, 0);
  if (rows <= 0 || TopRow(Tree) < kPages * (rows - 1)) {
    State.SkipWithError("the tree did not move a page at every step");
    return false;
  }
  State.ResumeTiming();
  return true;
}

void Register() {
  bench::AddTimed("tree/plain_SysTreeView32_200_pages", benchmark::kMillisecond, [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.PlainTrees);
    const HWND tree = s.PlainTree->Handle();
    for (auto _ : state) {
      if (!Rewind(state, tree, [](TScene& t) { SendMessageW(t.PlainTree->Handle(), WM_VSCROLL, SB_TOP, 0); })) break;
      for (int page = 0; page < kPages; ++page) {
        SendMessageW(tree, WM_VSCROLL, SB_PAGEDOWN, 0);
        UpdateWindow(tree);
      }
      if (!ExpectPaged(state, tree)) break;
    }
  });
  bench::AddTimed("tree/skinned_200_pages", benchmark::kMillisecond, [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.SkinnedTrees);
    const HWND tree = s.SkinnedTree->Handle();
    skin::TskSkinScrollBar& bar = *s.SkinnedBar;
    for (auto _ : state) {
      if (!Rewind(state, tree, [](TScene& t) { t.SkinnedBar->SetPosition(t.SkinnedBar->Min()); })) break;
      for (int page = 0; page < kPages; ++page) {
        // What a click on the track below the thumb does.
        bar.SetPosition(bar.Position() + bar.LargeChange());
        UpdateWindow(tree);
        UpdateWindow(bar.Handle());
      }
      if (!ExpectPaged(state, tree)) break;
    }
  });
  bench::AddTimed("header/plain_SysHeader32", benchmark::kMicrosecond, [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.PlainHeaders);
    for (auto _ : state) RedrawWindow(s.PlainHeaders->Handle(), nullptr, nullptr, kRepaint);
  });
  bench::AddTimed("header/skinned", benchmark::kMicrosecond, [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.SkinnedHeaders);
    for (auto _ : state) RedrawWindow(s.SkinnedHeaders->Handle(), nullptr, nullptr, kRepaint);
  });
}

}  // namespace

int main(int argc, char** argv) {
  TheScene = std::make_unique<TScene>();
  Register();
  const int status = bench::RunAgainstTargets(argc, argv,
                                              {{"tree/skinned_200_pages", "tree/plain_SysTreeView32_200_pages", 1.3},
                                               {"header/skinned", "header/plain_SysHeader32", 3.0}});
  TheScene.reset();
  return status;
}
