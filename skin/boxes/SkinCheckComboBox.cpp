#include "skin/boxes/SkinCheckComboBox.h"

#include "skin/data/ResourceStrData.h"
#include "skin/data/Skutils.h"

#include <algorithm>

using namespace classlib;

namespace skin {

namespace {

bool IsEmpty(const TRect& R) { return R.right <= R.left || R.bottom <= R.top; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskPopupCheckListBox

TskPopupCheckListBox::TskPopupCheckListBox(TComponent* AOwner) : TskSkinCheckListBox(AOwner) {
  SetVisible(false);
}

void TskPopupCheckListBox::CreateParams(TCreateParams& Params) {
  TskSkinCheckListBox::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPCHILDREN;
  Params.ExStyle = WS_EX_TOOLWINDOW;
  Params.ClassStyle |= CS_SAVEBITS;
  if (CheckWXP()) Params.ClassStyle |= CS_DROPSHADOW;
  // A pop-up's position is on the screen; it is placed when it is shown.
  Params.X = 0;
  Params.Y = 0;
}

void TskPopupCheckListBox::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_MOUSEACTIVATE) {
    Message.Result = MA_NOACTIVATE;
    return;
  }
  TskSkinCheckListBox::Dispatch(Message);
}

void TskPopupCheckListBox::Show(const TPoint& P) {
  SetWindowPos(Handle(), HWND_TOP, P.x, P.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  SetVisible(true);
}

void TskPopupCheckListBox::Hide() {
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  SetVisible(false);
}

// ---------------------------------------------------------------------------------------------
// TskSkinCustomCheckComboBox

TskSkinCustomCheckComboBox::TskSkinCustomCheckComboBox(TComponent* AOwner)
    : TskSkinCustomControl(AOwner), FListTrack(*this) {
  SetTabStop(true);
  Font().SetName("Arial");
  Font().SetColor(clWindowText);
  Font().SetStyle({});
  Font().SetHeight(14);
  SetBounds(Left(), Top(), 120, 20);
  FDropDownList = new TskPopupCheckListBox(this);
  FDropDownList->SetVisible(false);
  FDropDownList->SetParent(this);
  TskListBox& inner = FDropDownList->InnerList();
  inner.SetTabStop(false);
  inner.OnMouseMove = [this](TObject*, TShiftState, int X, int Y) {
    TskDropDownTrack::HotTrack(*FDropDownList, X, Y);
  };
  FOldListWindowProc = inner.WindowProc;
  inner.WindowProc = [this](TMessage& Message) { ListBoxWindowProcHook(Message); };
  CalcRects();
  FSkinDataName = "combobox";
}

TskSkinCustomCheckComboBox::~TskSkinCustomCheckComboBox() {
  // The list's inner window must not call back into a half-destroyed control.
  if (FDropDownList) {
    FDropDownList->InnerList().WindowProc = FOldListWindowProc;
    FDropDownList->InnerList().OnMouseMove = nullptr;
  }
}

void TskSkinCustomCheckComboBox::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinCustomControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FDropDownList) {
    FDropDownList = nullptr;
    return;
  }
  if (FDropDownList && AComponent == FDropDownList->Images()) SetImages(nullptr);
}

void TskSkinCustomCheckComboBox::SetItems(const TStrings& Value) {
  FDropDownList->SetItems(Value);
  CheckText();
}

void TskSkinCustomCheckComboBox::SetChecked(int Index, bool Value) {
  FDropDownList->SetChecked(Index, Value);
  CheckText();
  Invalidate();
}

void TskSkinCustomCheckComboBox::SetImages(TImageList* Value) {
  if (FDropDownList->Images()) FDropDownList->Images()->RemoveFreeNotification(this);
  FDropDownList->SetImages(Value);
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TskSkinCustomCheckComboBox::SetImageIndex(int Value) {
  FDropDownList->SetImageIndex(Value);
  Invalidate();
}

void TskSkinCustomCheckComboBox::SetListBoxDrawItem(const TskDrawSkinItemEvent& Value) {
  FOnListBoxDrawItem = Value;
  FDropDownList->OnDrawItem = Value;
}

void TskSkinCustomCheckComboBox::SetDropDownCount(int Value) {
  if (Value >= 1) FDropDownCount = Value;
}

void TskSkinCustomCheckComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TskSkinCustomCheckComboBox::CheckText() {
  String text;
  bool first = true;
  for (int i = 0; i < Items().Count(); ++i) {
    if (!FDropDownList->GetChecked(i)) continue;
    // An empty first tick leaves no leading comma.
    if (!first && !text.empty()) text += ",";
    text += Items()[i];
    first = false;
  }
  SetText(text);
}

void TskSkinCustomCheckComboBox::ToggleCurrent() {
  const int index = FDropDownList->ItemIndex();
  // Without a current item there is nothing to tick.
  if (index < 0 || index >= Items().Count()) return;
  SetChecked(index, !GetChecked(index));
  Change();
  if (OnClick) OnClick(this);
}

// ---------------------------------------------------------------------------------------------
// Dropping down and closing

void TskSkinCustomCheckComboBox::DropDown() {
  const int count = Items().Count();
  if (count == 0) return;
  if (OnDropDown) OnDropDown(this);
  FDropDownList->SetWidth(FListBoxWidth != 0 ? FListBoxWidth : Width());
  FDropDownList->SetRowCount(std::min(count, FDropDownCount));
  const int listHeight = FDropDownList->Height();
  TPoint p = Parent() ? Parent()->ClientToScreen(Point(Left(), Top() + Height())) : Point(Left(), Top() + Height());
  const TRect work = GetMonitorWorkArea(Handle(), true);
  if (p.y + listHeight > work.bottom) p.y -= Height() + listHeight;
  if (FDropDownList->ItemIndex() == 0 && count > 1) {
    // Makes the list paint its first item as selected once it shows.
    FDropDownList->SetItemIndex(1);
    FDropDownList->SetItemIndex(0);
  }
  FDropDownList->SetTopIndex(std::max(0, FDropDownList->ItemIndex()));
  FDropDownList->Show(p);
}

void TskSkinCustomCheckComboBox::CloseUp(bool AcceptChanges) {
  FListTrack.StopScroll();
  if (!FDropDownList->Visible()) return;
  FDropDownList->Hide();
  if (!AcceptChanges) return;
  Invalidate();
  if (OnCloseUp) OnCloseUp(this);
  if (OnClick) OnClick(this);
}

// ---------------------------------------------------------------------------------------------
// The mouse

void TskSkinCustomCheckComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
  if (!Focused() && CanFocus()) SetFocus();
  if (Button != TMouseButton::mbLeft) return;
  const POINT p{X, Y};
  if (FButtonHot || PtInRect(&FItemAreaRect, p)) {
    FButtonPressed = true;
    Invalidate();
    if (FDropDownList->Visible()) {
      CloseUp(false);
    } else {
      FListTrack.SetEnteredList(false);
      FTrackingList = true;
      // Moves and the release come here wherever the pointer goes.
      SetCapture(Handle());
      DropDown();
    }
  } else if (FDropDownList->Visible()) {
    CloseUp(false);
  }
}

void TskSkinCustomCheckComboBox::MouseMove(TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseMove(Shift, X, Y);
  if (FTrackingList) {
    FListTrack.Follow(*FDropDownList);
    return;
  }
  const POINT p{X, Y};
  const bool hot = PtInRect(&FButtonAreaRect, p);
  if (hot != FButtonHot) {
    FButtonHot = hot;
    Invalidate();
  }
}

void TskSkinCustomCheckComboBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
  if (FTrackingList && FListTrack.EnteredList()) {
    if (GetCapture() == Handle()) ReleaseCapture();
    FTrackingList = false;
    FListTrack.StopScroll();
    POINT cursor;
    GetCursorPos(&cursor);
    const TskListBox& inner = FDropDownList->InnerList();
    // A release over a row ticks it; the list stays open for the next.
    if (inner.HandleAllocated() && WindowFromPoint(cursor) == const_cast<TskListBox&>(inner).Handle())
      ToggleCurrent();
  } else {
    if (FTrackingList && GetCapture() == Handle()) ReleaseCapture();
    FTrackingList = false;
  }
  if (FButtonPressed) {
    FButtonPressed = false;
    Invalidate();
  }
}

void TskSkinCustomCheckComboBox::ListBoxWindowProcHook(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      FTrackingList = true;
      FListTrack.SetEnteredList(true);
      SetCapture(Handle());
      return;
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return;
  }
  FOldListWindowProc(Message);
  if (Message.Msg == WM_MOUSEACTIVATE) Message.Result = MA_NOACTIVATE;
}

// ---------------------------------------------------------------------------------------------
// Keys and the wheel

void TskSkinCustomCheckComboBox::MoveUp() {
  const int index = FDropDownList->ItemIndex();
  if (index > 0) FDropDownList->SetItemIndex(index - 1);
}

void TskSkinCustomCheckComboBox::MoveDown() {
  const int index = FDropDownList->ItemIndex();
  if (index < Items().Count() - 1) FDropDownList->SetItemIndex(index + 1);
}

void TskSkinCustomCheckComboBox::KeyDown(WORD& Key, TShiftState Shift) {
  TskSkinCustomControl::KeyDown(Key, Shift);
  const bool open = FDropDownList->Visible();
  const bool alt = Shift.Contains(TShiftStateItem::ssAlt);
  switch (Key) {
    case VK_RETURN:
      if (open) CloseUp(true);
      break;
    case VK_ESCAPE:
      if (open) CloseUp(false);
      break;
    case VK_SPACE:
      ToggleCurrent();
      break;
    case VK_PRIOR:
      if (Items().Count() > 0) FDropDownList->SetItemIndex(std::max(0, FDropDownList->ItemIndex() - FDropDownCount - 1));
      break;
    case VK_NEXT:
      if (Items().Count() > 0)
        FDropDownList->SetItemIndex(std::min(Items().Count() - 1, FDropDownList->ItemIndex() + FDropDownCount - 1));
      break;
    case VK_LEFT:
    case VK_UP:
      if (!alt)
        MoveUp();
      else if (open)
        CloseUp(false);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      if (!alt)
        MoveDown();
      else if (!open)
        DropDown();
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// Messages

void TskSkinCustomCheckComboBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      TskSkinCustomControl::Dispatch(Message);
      Invalidate();
      return;
    case WM_KILLFOCUS:
      TskSkinCustomControl::Dispatch(Message);
      if (FDropDownList->Visible()) CloseUp(false);
      Invalidate();
      return;
    case WM_SIZE:
      TskSkinCustomControl::Dispatch(Message);
      CalcRects();
      return;
    case WM_TIMER:
      TskSkinCustomControl::Dispatch(Message);
      if (Message.WParam == TskDropDownTrack::ScrollTimer) {
        if (FListTrack.ScrollMode() == 1)
          MoveUp();
        else if (FListTrack.ScrollMode() == 2)
          MoveDown();
      }
      return;
    case WM_MOUSEWHEEL:
      if (GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0)
        MoveUp();
      else
        MoveDown();
      return;
    case WM_ERASEBKGND:
      if (!FInWMPaint) PaintWindow(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case CM_MOUSEENTER:
      TskSkinCustomControl::Dispatch(Message);
      FMouseInControl = true;
      return;
    case CM_MOUSELEAVE:
      TskSkinCustomControl::Dispatch(Message);
      FMouseInControl = false;
      if (FButtonHot) {
        FButtonHot = false;
        Invalidate();
      }
      return;
    case CM_CANCELMODE:
      TskSkinCustomControl::Dispatch(Message);
      CancelMode(reinterpret_cast<TControl*>(Message.LParam));
      return;
    case CM_WANTSPECIALKEY:
      if (Message.WParam == VK_LEFT || Message.WParam == VK_RIGHT || Message.WParam == VK_UP ||
          Message.WParam == VK_DOWN) {
        Message.Result = 1;
        return;
      }
      break;
    case CM_ENABLEDCHANGED:
      TskSkinCustomControl::Dispatch(Message);
      Invalidate();
      Change();
      return;
  }
  TskSkinCustomControl::Dispatch(Message);
}

void TskSkinCustomCheckComboBox::CancelMode(TControl* Sender) {
  const TControl* list = FDropDownList;
  if (Sender == this || Sender == list || Sender == FDropDownList->ItemScrollBar() ||
      Sender == &FDropDownList->InnerList())
    return;
  CloseUp(false);
}

// ---------------------------------------------------------------------------------------------
// The skin and the look

void TskSkinCustomCheckComboBox::GetSkinData() {
  TskSkinCustomControl::GetSkinData();
  if (FSkinControlIndex == -1) return;
  if (const auto* data =
          dynamic_cast<const TskDataSkinComboBox*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get()))
    FValues.Copy(*data);
}

TFontCharset TskSkinCustomCheckComboBox::CharsetInUse() const {
  if (FSkinData && FSkinData->ResourceStrData()) return FSkinData->ResourceStrData()->CharSet();
  return const_cast<TskSkinCustomCheckComboBox*>(this)->DefaultFont().Charset();
}

void TskSkinCustomCheckComboBox::DefaultFontChange() { Font().Assign(DefaultFont()); }

void TskSkinCustomCheckComboBox::ChangeSkinData() {
  TskSkinCustomControl::ChangeSkinData();
  CalcRects();
  Invalidate();
  const bool skinned = FSkinControlIndex != -1;
  FDropDownList->SetSkinDataName(!skinned                           ? String()
                                 : FDropDownList->CaptionMode() ? String("captionchecklistbox")
                                                                    : String("checklistbox"));
  FDropDownList->SetSkinData(FSkinData);
  FDropDownList->UpDateScrollBar();
}

void TskSkinCustomCheckComboBox::CalcRects() {
  if (FSkinControlIndex == -1) {
    FButtonAreaRect = Rect(Width() - 19, 2, Width() - 2, Height() - 2);
    FItemAreaRect = Rect(2, 2, FButtonAreaRect.left - 1, Height() - 2);
    return;
  }
  const int dw = Width() - RectWidth(SkinRect);
  FButtonAreaRect = FValues.ButtonRect;
  if (FButtonAreaRect.left >= RectWidth(SkinRect) - SkinRightTopPoint.x) OffsetRect(&FButtonAreaRect, dw, 0);
  FItemAreaRect = SkinClientRect;
  FItemAreaRect.right += dw;
}

void TskSkinCustomCheckComboBox::CreateControlDefaultImage(TBitmap& B) {
  CalcRects();
  TCanvas& c = *B.Canvas();
  const TRect r = Rect(0, 0, Width(), Height());
  c.Brush()->SetStyle(TBrushStyle::bsSolid);
  c.Brush()->SetColor(clBtnFace);
  c.FillRect(r);
  c.Brush()->SetColor(clBtnShadow);
  c.FrameRect(r);
  DrawButton(c);
  DrawDefaultItem(c);
}

void TskSkinCustomCheckComboBox::CreateControlSkinImage(TBitmap& B) {
  CalcRects();
  TskSkinCustomControl::CreateControlSkinImage(B);
  TCanvas& c = *B.Canvas();
  DrawButton(c);
  DrawSkinItem(c);
}

void TskSkinCustomCheckComboBox::DrawButton(TCanvas& Canvas) {
  if (FSkinControlIndex != -1) {
    if (!SkinBitmap) return;
    TRect source{};
    if (!Enabled() && !IsEmpty(FValues.UnEnabledButtonRect))
      source = FValues.UnEnabledButtonRect;
    else if (FButtonPressed && FButtonHot)
      source = FValues.DownButtonRect;
    else if (FButtonHot)
      source = FValues.ActiveButtonRect;
    if (!IsEmpty(source))
      Canvas.CopyRect(Rect(FButtonAreaRect.left, FButtonAreaRect.top, FButtonAreaRect.left + RectWidth(source),
                           FButtonAreaRect.top + RectHeight(source)),
                      *SkinBitmap->Canvas(), source);
    return;
  }
  constexpr TColor PressedFill = 0xB59385;  // RGB(133, 147, 181)
  constexpr TColor HotFill = 0xD2BDB6;      // RGB(182, 189, 210)
  TRect r = FButtonAreaRect;
  Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas.Brush()->SetColor(FButtonHot ? clNavy : clBtnShadow);
  Canvas.FrameRect(r);
  InflateRect(&r, -1, -1);
  Canvas.Brush()->SetColor(FButtonHot ? (FButtonPressed ? PressedFill : HotFill) : clBtnFace);
  Canvas.FillRect(r);
  DrawArrowImage(Canvas, FButtonAreaRect, Enabled() ? clBlack : clBtnShadow, 4);
}

void TskSkinCustomCheckComboBox::DrawDefaultItem(TCanvas& Canvas) {
  const int w = RectWidth(FItemAreaRect), h = RectHeight(FItemAreaRect);
  if (w <= 0 || h <= 0) return;
  TBitmap bitmap;
  bitmap.SetSize(w, h);
  TCanvas& c = *bitmap.Canvas();
  c.Font()->SetName(Font().Name());
  c.Font()->SetStyle(Font().Style());
  c.Font()->SetHeight(Font().Height());
  c.Font()->SetCharset(CharsetInUse());
  const bool focused = Focused();
  c.Brush()->SetStyle(TBrushStyle::bsSolid);
  c.Brush()->SetColor(focused ? clHighlight : clWindow);
  c.Font()->SetColor(focused ? clHighlightText : clWindowText);
  c.FillRect(Rect(0, 0, w, h));
  SKDrawText2(c, Text(), Rect(2, 0, w - 2, h));
  if (focused) c.DrawFocusRect(Rect(0, 0, w, h));
  Canvas.Draw(FItemAreaRect.left, FItemAreaRect.top, &bitmap);
}

void TskSkinCustomCheckComboBox::DrawSkinItem(TCanvas& Canvas) {
  const int w = RectWidth(FItemAreaRect);
  if (w <= 0) return;
  const bool focused = Focused();
  const TRect source = focused ? FValues.FocusItemRect : FValues.ItemRect;
  TBitmap strip;
  if (!IsEmpty(source) && SkinBitmap) {
    CreateHSkinImage(FValues.ItemLeftOffset, FValues.ItemRightOffset, strip, *SkinBitmap, source, w,
                     RectHeight(source), focused ? FValues.FocusItemStretchEffect : FValues.ItemStretchEffect);
  } else {
    // Without a strip of its own the item shows the control image beneath it.
    strip.SetSize(w, RectHeight(FItemAreaRect));
    strip.Canvas()->CopyRect(Rect(0, 0, w, RectHeight(FItemAreaRect)), Canvas, FItemAreaRect);
  }
  TRect text = FValues.ItemTextRect;
  text.right += w - (IsEmpty(FValues.ItemRect) ? RectWidth(SkinClientRect) : RectWidth(FValues.ItemRect));
  TCanvas& c = *strip.Canvas();
  if (FUseSkinFont) {
    c.Font()->SetName(FValues.FontName);
    c.Font()->SetStyle(FValues.FontStyle);
    c.Font()->SetHeight(FValues.FontHeight);
  } else {
    c.SetFont(DefaultFont());
  }
  c.Font()->SetCharset(CharsetInUse());
  c.Font()->SetColor(focused ? FValues.FocusFontColor : FValues.FontColor);
  c.Brush()->SetStyle(TBrushStyle::bsClear);
  SKDrawText2(c, Text(), text);
  Canvas.Draw(FItemAreaRect.left, FItemAreaRect.top, &strip);
}

}  // namespace skin
