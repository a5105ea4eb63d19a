#include "skin/boxes/SkinMemo2.h"

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinEditDescriptions.h"
#include "skin/form/SkinMessages.h"

using namespace classlib;

namespace skin {

namespace {

bool Designing(const TComponent& Component) { return Component.ComponentState().Contains(TComponentStateItem::csDesigning); }

}  // namespace

TskSkinMemo2::TskSkinMemo2(TComponent* AOwner) : TMemo(AOwner), FDefaultFont(std::make_unique<TFont>()) {
  Font().SetName("Arial");
  Font().SetHeight(14);
  Font().SetColor(clBlack);
  FDefaultFont->Assign(Font());
  FDefaultFont->OnChange = [this](TObject*) { DefaultFontChanged(); };
  // The window keeps its scroll state in both directions; the skinned bars show it.
  SetScrollBars(TScrollStyle::ssBoth);
}

TskSkinMemo2::~TskSkinMemo2() {
  FDefaultFont->OnChange = nullptr;
  FEditMenu.Free();
  for (TskSkinScrollBar* bar : {FVScrollBar, FHScrollBar})
    if (bar) bar->OnChange = nullptr;
}

void TskSkinMemo2::GetSkinData() {
  FSkinControlIndex = FindSkinControlIndex(FSkinData, FSkinDataName);
  if (FSkinControlIndex == -1) return;
  const auto* data =
      dynamic_cast<const TskDataSkinMemoControl*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (data) FLook.Copy(*data);
}

void TskSkinMemo2::SetSkinData(TskSkinData* Value) {
  if (FSkinData && FSkinData != Value) FSkinData->RemoveFreeNotification(this);
  FSkinData = Value;
  if (FSkinData) FSkinData->FreeNotification(this);
  if (FSkinData && !FSkinData->Empty && !Designing(*this)) ChangeSkinData();
}

void TskSkinMemo2::Notification(TComponent* AComponent, TOperation Operation) {
  TMemo::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FSkinData) {
    FSkinData = nullptr;
    FSkinControlIndex = -1;
  }
  if (AComponent == FVScrollBar) FVScrollBar = nullptr;
  if (AComponent == FHScrollBar) FHScrollBar = nullptr;
  FEditMenu.Forget(AComponent);
}

void TskSkinMemo2::ChangeSkinData() {
  GetSkinData();
  FLook.Apply(*this, Skinned(), *FDefaultFont, FUseSkinFont, FSkinData);
  UpDateScrollRange();
  RecreateWnd();
  if (FVScrollBar) {
    const TAlign align = FVScrollBar->Align();
    FVScrollBar->SetAlign(TAlign::alNone);
    FVScrollBar->SetAlign(align);
  }
}

void TskSkinMemo2::SetDefaultFont(const TFont& Value) { FDefaultFont->Assign(Value); }

void TskSkinMemo2::DefaultFontChanged() {
  if (!Skinned()) Font().Assign(*FDefaultFont);
}

// ---------------------------------------------------------------------------------------------
// The bars

void TskSkinMemo2::LinkBar(TskSkinScrollBar*& Field, TskSkinScrollBar* Value, void (TskSkinMemo2::*Scroll)(TObject*)) {
  if (Field && Field != Value) {
    Field->OnChange = nullptr;
    Field->RemoveFreeNotification(this);
  }
  Field = Value;
  if (Value) {
    Value->FreeNotification(this);
    Value->SetMin(0);
    Value->SetMax(0);
    Value->SetPosition(0);
    Value->OnChange = [this, Scroll](TObject* Sender) { (this->*Scroll)(Sender); };
  }
  UpDateScrollRange();
}

void TskSkinMemo2::SetVScrollBar(TskSkinScrollBar* Value) { LinkBar(FVScrollBar, Value, &TskSkinMemo2::OnVScrollBarChange); }

void TskSkinMemo2::SetHScrollBar(TskSkinScrollBar* Value) { LinkBar(FHScrollBar, Value, &TskSkinMemo2::OnHScrollBarChange); }

void TskSkinMemo2::UpDateScrollRange() {
  if (!HandleAllocated()) return;
  if (FVScrollBar) UpDateBar(*FVScrollBar, SB_VERT, MemoVisibleLines(*this));
  if (FHScrollBar) UpDateBar(*FHScrollBar, SB_HORZ, FHScrollBar->Width());
}

void TskSkinMemo2::UpDateBar(TskSkinScrollBar& Bar, int Kind, int PageSize) {
  if (!Enabled()) {
    Bar.SetEnabled(false);
    return;
  }
  int min = 0, max = 0;
  GetScrollRange(FHandle, Kind, &min, &max);
  const int position = GetScrollPos(FHandle, Kind);
  if (max > PageSize) {
    Bar.SetRange(0, max, position, PageSize + 1);
    if (!Bar.Enabled()) Bar.SetEnabled(true);
  } else {
    Bar.SetRange(0, 0, 0, 0);
    if (Bar.Enabled()) Bar.SetEnabled(false);
  }
}

void TskSkinMemo2::OnVScrollBarChange(TObject*) {
  if (!FVScrollBar) return;
  ScrollMemoToLine(*this, FVScrollBar->Position());
  UpDateScrollRange();
  Invalidate();
}

void TskSkinMemo2::OnHScrollBarChange(TObject*) {
  if (!FHScrollBar || !HandleAllocated()) return;
  SendMessageW(FHandle, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FHScrollBar->Position()), 0);
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// The window

void TskSkinMemo2::CreateParams(TCreateParams& Params) {
  TMemo::CreateParams(Params);
  Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
  Params.Style &= ~static_cast<DWORD>(WS_BORDER);
  Params.ClassStyle &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TskSkinMemo2::Change() {
  TMemo::Change();
  UpDateScrollRange();
}

void TskSkinMemo2::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CONTEXTMENU:
      if (PopupMenu()) break;
      FEditMenu.Show(Message, FSkinData, ReadOnly());
      return;
    case WM_AFTERDISPATCH:
      FEditMenu.Free();
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
      TMemo::Dispatch(Message);
      if (MemoDragScrolled(Message.Msg, FDown)) UpDateScrollRange();
      return;
    case WM_MOUSEWHEEL:
      ScrollMemoByWheel(*this, Message);
      return;
    case WM_SIZE:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_SETTEXT:
    case WM_CHAR:
    case WM_KEYDOWN:
    case CM_ENABLEDCHANGED:
      TMemo::Dispatch(Message);
      UpDateScrollRange();
      return;
    case WM_NCCALCSIZE:
      // The whole window is client area: no frame, and no room for the native bars.
      Message.Result = 0;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TMemo::Dispatch(Message);
      GetSkinData();
      if (!FMouseIn && Skinned()) FLook.ApplyActive(*this, Message.Msg == WM_SETFOCUS, true);
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      TMemo::Dispatch(Message);  // fires OnMouseEnter or OnMouseLeave
      FMouseIn = Message.Msg == CM_MOUSEENTER;
      GetSkinData();
      if (!Focused() && Skinned()) FLook.ApplyActive(*this, FMouseIn, true);
      return;
  }
  TMemo::Dispatch(Message);
}

}  // namespace skin
