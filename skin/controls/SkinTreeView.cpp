#include "skin/controls/SkinTreeView.h"

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinViewHelpers.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinEditDescriptions.h"

#include <cstdlib>

namespace skin {

using namespace classlib;

namespace {

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

}  // namespace

TskSkinCustomTreeView::TskSkinCustomTreeView(TComponent* AOwner)
    : TTreeView(AOwner), FDefaultFont(MakeViewDefaultFont()) {}

TskSkinCustomTreeView::~TskSkinCustomTreeView() = default;

bool TskSkinCustomTreeView::Loading() const {
  return ComponentState().Contains(TComponentStateItem::csLoading);
}

// ---------------------------------------------------------------------------------------------
// Skin, font and colour

void TskSkinCustomTreeView::SetSkinData(TskSkinData* Value) {
  FSkinData = Value;
  if (Value) Value->FreeNotification(this);
  if (Value && !Value->Empty && !Designing(*this)) ChangeSkinData();
}

void TskSkinCustomTreeView::SetDefaultColor(TColor Value) {
  FDefaultColor = Value;
  if (FSkinControlIndex == -1) SetColor(Value);
}

void TskSkinCustomTreeView::SetDefaultFont(const TFont& Value) {
  FDefaultFont->Assign(Value);
  if (FSkinControlIndex == -1) Font().Assign(Value);
}

void TskSkinCustomTreeView::ChangeSkinData() {
  if (Loading()) return;
  FSkinControlIndex = FindSkinControlIndex(FSkinData, FSkinDataName);
  // Built apart and assigned once: every font the window is given lays the tree out again.
  TFont font;
  font.Assign(Font());
  if (FSkinControlIndex == -1) {
    SetColor(FDefaultColor);
    font.Assign(*FDefaultFont);
  } else if (const auto* data = dynamic_cast<const TskDataSkinTreeView*>(
                 FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get())) {
    if (FUseSkinFont) {
      font.SetName(data->FontName);
      font.SetStyle(data->FontStyle);
      font.SetHeight(data->FontHeight);
    } else {
      font.Assign(*FDefaultFont);
    }
    font.SetColor(data->FontColor);
    SetColor(data->BGColor);
  }
  if (FSkinData && FSkinData->ResourceStrData())
    font.SetCharset(FSkinData->ResourceStrData()->CharSet());
  else
    font.SetCharset(FDefaultFont->Charset());
  Font().Assign(font);
  // The pictures stand on the tree's own background.
  if (Images()) Images()->SetBkColor(Color());
  if (StateImages()) StateImages()->SetBkColor(Color());
  UpDateScrollBars();
  FBars.Realign();
}

void TskSkinCustomTreeView::Loaded() {
  TTreeView::Loaded();
  ChangeSkinData();
}

void TskSkinCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  TTreeView::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FSkinData) FSkinData = nullptr;
  FBars.Notification(AComponent, Operation);
}

// ---------------------------------------------------------------------------------------------
// The window: no native scroll bars and no non-client area

void TskSkinCustomTreeView::CreateParams(TCreateParams& Params) {
  TTreeView::CreateParams(Params);
  TskViewBars::StripScrollStyles(Params);
}

void TskSkinCustomTreeView::WndProc(TMessage& Message) {
  TTreeView::WndProc(Message);
  if (FBars.UpdateAfter(Message.Msg)) UpDateScrollBars();
}

void TskSkinCustomTreeView::Dispatch(TMessage& Message) {
  if (TskViewBars::HandleNonClient(Message)) return;
  if (Message.Msg == CM_VISIBLECHANGED) {
    CMVisibleChanged(Message);
    return;
  }
  TTreeView::Dispatch(Message);
}

void TskSkinCustomTreeView::CMVisibleChanged(TMessage& Message) {
  TTreeView::Dispatch(Message);
  FBars.FollowVisible();
}

void TskSkinCustomTreeView::Change(TTreeNode* Node) {
  TTreeView::Change(Node);
  UpDateScrollBars();
}

// ---------------------------------------------------------------------------------------------
// Tree to bars

void TskSkinCustomTreeView::SetVScrollBar(TskSkinScrollBar* Value) {
  FBars.LinkV(Value, [this](TObject* Sender) { OnVScrollBarChange(Sender); });
  UpDateScrollBars();
}

void TskSkinCustomTreeView::SetHScrollBar(TskSkinScrollBar* Value) {
  FBars.LinkH(Value, [this](TObject* Sender) { OnHScrollBarChange(Sender); });
  UpDateScrollBars();
}

// The tree leaves the range of a bar it no longer needs as it was: only its wish to show the bar
// tells whether the range still holds.
void TskSkinCustomTreeView::OwnRange(int Bar, DWORD Style, int& Min, int& Max) const {
  Min = 0;
  Max = 0;
  if (Style & (Bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) GetScrollRange(FHandle, Bar, &Min, &Max);
}

void TskSkinCustomTreeView::UpDateScrollBars() {
  if (!HandleAllocated() || Loading() || FBars.Busy) return;
  const auto style = static_cast<DWORD>(GetWindowLongW(FHandle, GWL_STYLE));
  bool changed = false;
  if (FBars.V) {
    int min = 0, max = 0;
    OwnRange(SB_VERT, style, min, max);
    const int pos = GetScrollPos(FHandle, SB_VERT);
    const int visibleCount = static_cast<int>(SendMessageW(FHandle, TVM_GETVISIBLECOUNT, 0, 0));
    const int count = static_cast<int>(SendMessageW(FHandle, TVM_GETCOUNT, 0, 0));
    const bool show = max > 0 && max >= visibleCount && max < count;
    changed |= FBars.ShowBar(*FBars.V, show);
    if (show) FBars.V->SetRange(min, max, pos, visibleCount);
  }
  if (FBars.H) {
    int min = 0, max = 0;
    OwnRange(SB_HORZ, style, min, max);
    const int pos = GetScrollPos(FHandle, SB_HORZ);
    const bool show = max > Width();
    changed |= FBars.ShowBar(*FBars.H, show);
    if (show) FBars.H->SetRange(min, max, pos, Width());
  }
  FBars.FinishUpdate(changed);
}

// ---------------------------------------------------------------------------------------------
// Bars to tree

// Makes the visible row Row the top one. The thumb message carries 16 bits only; rows beyond them
// are reached by walking from the present top row.
void TskSkinCustomTreeView::ScrollToRow(int Row) {
  if (Row >= 0 && Row <= ThumbPositionLimit) {
    SendMessageW(FHandle, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, Row), 0);
    return;
  }
  int steps = Row - GetScrollPos(FHandle, SB_VERT);
  const WPARAM direction = steps < 0 ? TVGN_PREVIOUSVISIBLE : TVGN_NEXTVISIBLE;
  auto item = reinterpret_cast<HTREEITEM>(SendMessageW(FHandle, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
  for (steps = std::abs(steps); item && steps > 0; --steps) {
    const auto next = reinterpret_cast<HTREEITEM>(
        SendMessageW(FHandle, TVM_GETNEXTITEM, direction, reinterpret_cast<LPARAM>(item)));
    if (!next) break;
    item = next;
  }
  if (item) SendMessageW(FHandle, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(item));
}

void TskSkinCustomTreeView::OnVScrollBarChange(TObject*) {
  if (FBars.V && HandleAllocated()) ScrollToRow(FBars.V->Position());
}

void TskSkinCustomTreeView::OnHScrollBarChange(TObject*) {
  if (!FBars.H || !HandleAllocated()) return;
  const auto position = static_cast<WORD>(FBars.H->Position());
  SendMessageW(FHandle, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
}

}  // namespace skin
