#include "skin/controls/SkinRichEdit.h"

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinViewHelpers.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinEditDescriptions.h"

#include <richedit.h>

namespace skin {

using namespace classlib;

namespace {

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

}  // namespace

TskSkinRichEdit::TskSkinRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner), FDefaultFont(MakeViewDefaultFont()) {
  Font().Assign(*FDefaultFont);
  SetScrollBars(TScrollStyle::ssBoth);
}

TskSkinRichEdit::~TskSkinRichEdit() {
  // The bars may outlive the edit: they must not call into it afterwards.
  for (TskSkinScrollBar* bar : {FVScrollBar, FHScrollBar})
    if (bar) {
      bar->OnChange = nullptr;
      bar->OnUpButtonClick = nullptr;
      bar->OnDownButtonClick = nullptr;
    }
}

// ---------------------------------------------------------------------------------------------
// Skin, font and colour

void TskSkinRichEdit::SetSkinData(TskSkinData* Value) {
  FSkinData = Value;
  if (Value) Value->FreeNotification(this);
  if (Value && !Value->Empty && !Designing(*this)) ChangeSkinData();
}

void TskSkinRichEdit::SetDefaultColor(TColor Value) {
  FDefaultColor = Value;
  if (FSkinControlIndex == -1 && FSkinSupport) SetColor(Value);
}

void TskSkinRichEdit::SetDefaultFont(const TFont& Value) {
  FDefaultFont->Assign(Value);
  if (FSkinControlIndex == -1 && FSkinSupport) Font().Assign(Value);
}

void TskSkinRichEdit::ChangeSkinData() {
  FSkinControlIndex = FindSkinControlIndex(FSkinData, FSkinDataName);
  TFont font;
  font.Assign(Font());
  if (FSkinSupport) {
    if (FSkinControlIndex == -1) {
      SetColor(FDefaultColor);
      font.Assign(*FDefaultFont);
    } else if (const auto* data = dynamic_cast<const TskDataSkinRichEdit*>(
                   FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get())) {
      font.SetName(data->FontName);
      font.SetColor(data->FontColor);
      font.SetStyle(data->FontStyle);
      font.SetHeight(data->FontHeight);
      SetColor(data->BGColor);
    }
  }
  if (FSkinData && FSkinData->ResourceStrData())
    font.SetCharset(FSkinData->ResourceStrData()->CharSet());
  else
    font.SetCharset(FDefaultFont->Charset());
  Font().Assign(font);
  UpDateScrollBars();
  for (TskSkinScrollBar* bar : {FVScrollBar, FHScrollBar})
    if (bar && bar->Parent() && bar->Align() != TAlign::alNone) bar->Parent()->Realign();
}

void TskSkinRichEdit::Loaded() {
  TCustomRichEdit::Loaded();
  ChangeSkinData();
}

void TskSkinRichEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomRichEdit::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FSkinData) FSkinData = nullptr;
  if (AComponent == FVScrollBar) FVScrollBar = nullptr;
  if (AComponent == FHScrollBar) FHScrollBar = nullptr;
}

// ---------------------------------------------------------------------------------------------
// The window: no frame, and the system's bars take no room

void TskSkinRichEdit::CreateParams(TCreateParams& Params) {
  TCustomRichEdit::CreateParams(Params);
  Params.Style &= ~static_cast<DWORD>(WS_BORDER);
  Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void TskSkinRichEdit::WndProc(TMessage& Message) {
  TCustomRichEdit::WndProc(Message);
  switch (Message.Msg) {
    case WM_SIZE:
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    // The wheel scrolls the text too; the bars follow it.
    case WM_MOUSEWHEEL:
      UpDateScrollBars();
      break;
  }
}

void TskSkinRichEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_NCCALCSIZE) {
    // The whole window is client area.
    Message.Result = 0;
    return;
  }
  TCustomRichEdit::Dispatch(Message);
}

void TskSkinRichEdit::Change() {
  TCustomRichEdit::Change();
  UpDateScrollBars();
}

// ---------------------------------------------------------------------------------------------
// Text to bars

void TskSkinRichEdit::SetVScrollBar(TskSkinScrollBar* Value) {
  if (FVScrollBar && FVScrollBar != Value && FVScrollBar != FHScrollBar) ForgetBar(FVScrollBar);
  FVScrollBar = Value;
  if (Value) {
    Value->FreeNotification(this);
    Value->OnChange = [this](TObject* Sender) { OnVScrollBarChange(Sender); };
    Value->OnUpButtonClick = [this](TObject* Sender) { OnVScrollBarUpButtonClick(Sender); };
    Value->OnDownButtonClick = [this](TObject* Sender) { OnVScrollBarDownButtonClick(Sender); };
  }
  UpDateScrollBars();
}

void TskSkinRichEdit::SetHScrollBar(TskSkinScrollBar* Value) {
  if (FHScrollBar && FHScrollBar != Value && FHScrollBar != FVScrollBar) ForgetBar(FHScrollBar);
  FHScrollBar = Value;
  if (Value) {
    Value->FreeNotification(this);
    Value->OnChange = [this](TObject* Sender) { OnHScrollBarChange(Sender); };
  }
  UpDateScrollBars();
}

// A bar let go no longer scrolls this edit.
void TskSkinRichEdit::ForgetBar(TskSkinScrollBar* Bar) {
  Bar->OnChange = nullptr;
  Bar->OnUpButtonClick = nullptr;
  Bar->OnDownButtonClick = nullptr;
  Bar->RemoveFreeNotification(this);
}

void TskSkinRichEdit::TextChanged() {
  TCustomRichEdit::TextChanged();
  UpDateScrollBars();
}

void TskSkinRichEdit::UpDateScrollBars() {
  // Resetting the window's own range makes it lay its bars out anew, which reports back here.
  if (!HandleAllocated() || FUpdatingBars) return;
  TFlagScope updating(FUpdatingBars);
  if (FVScrollBar) UpDateBar(*FVScrollBar, SB_VERT, Height());
  if (FHScrollBar) UpDateBar(*FHScrollBar, SB_HORZ, Width());
}

void TskSkinRichEdit::UpDateBar(TskSkinScrollBar& Bar, int Kind, int PageSize) {
  int min = 0, max = 0;
  GetScrollRange(FHandle, Kind, &min, &max);
  const int pos = GetScrollPos(FHandle, Kind);
  if (max > min && PageSize < max && !Text().empty()) {
    if (!Bar.Enabled()) Bar.SetEnabled(true);
    Bar.SetRange(min, max, pos, PageSize);
    Bar.Repaint();
  } else {
    Bar.SetEnabled(false);
    SetScrollRange(FHandle, Kind, 0, 0, FALSE);
  }
}

// ---------------------------------------------------------------------------------------------
// Bars to text

// The thumb message carries 16 bits only; positions beyond them go in whole through the edit's own
// scroll position. (An edit whose text is taller than that scales its range down to 16 bits itself.)
void TskSkinRichEdit::ScrollTo(UINT Message, int Position) {
  if (Position >= 0 && Position <= 0xFFFF) {
    SendMessageW(FHandle, Message, MAKEWPARAM(SB_THUMBPOSITION, Position), 0);
    return;
  }
  POINT p{};
  SendMessageW(FHandle, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&p));
  (Message == WM_VSCROLL ? p.y : p.x) = Position;
  SendMessageW(FHandle, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&p));
}

void TskSkinRichEdit::OnVScrollBarChange(TObject*) {
  if (FVScrollBar && HandleAllocated()) ScrollTo(WM_VSCROLL, FVScrollBar->Position());
}

void TskSkinRichEdit::OnHScrollBarChange(TObject*) {
  if (FHScrollBar && HandleAllocated()) ScrollTo(WM_HSCROLL, FHScrollBar->Position());
}

void TskSkinRichEdit::OnVScrollBarUpButtonClick(TObject*) {
  if (!FVScrollBar || !HandleAllocated()) return;
  const int position = FVScrollBar->Position();
  if (position < FVScrollBar->Max() - FVScrollBar->PageSize() + 1)
    SendMessageW(FHandle, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, static_cast<WORD>(position)), 0);
  UpDateScrollBars();
}

void TskSkinRichEdit::OnVScrollBarDownButtonClick(TObject*) {
  if (!FVScrollBar || !HandleAllocated()) return;
  const int position = FVScrollBar->Position();
  if (position != 0) SendMessageW(FHandle, WM_VSCROLL, MAKEWPARAM(SB_LINEUP, static_cast<WORD>(position)), 0);
  UpDateScrollBars();
}

}  // namespace skin
