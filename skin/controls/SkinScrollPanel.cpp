#include "skin/controls/SkinScrollPanel.h"

#include "skin/controls/SkinCustomControl.h"
#include "skin/data/Skutils.h"

#include <algorithm>

namespace skin {

using namespace classlib;

namespace {

constexpr UINT_PTR ScrollTimer = 1;

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

TPoint Moved(const TPoint& P, int DX, int DY) { return Point(P.x + DX, P.y + DY); }

// Tiles the piece Source of Picture over Target from its top-left corner, the last row and column
// cut.
void TilePiece(TCanvas& Target, int Width, int Height, TBitmap& Picture, const TRect& Source) {
  const int w = RectWidth(Source), h = RectHeight(Source);
  if (w <= 0 || h <= 0) return;
  for (int y = 0; y < Height; y += h)
    for (int x = 0; x < Width; x += w) {
      const int cw = std::min(w, Width - x), ch = std::min(h, Height - y);
      Target.CopyRect(Rect(x, y, x + cw, y + ch), *Picture.Canvas(),
                      Rect(Source.left, Source.top, Source.left + cw, Source.top + ch));
    }
}

}  // namespace

TskSkinScrollPanel::TskSkinScrollPanel(TComponent* AOwner) : TskSkinControl(AOwner) {
  FSkinDataName = "panel";
  SetBounds(Left(), Top(), 150, 30);
}

void TskSkinScrollPanel::SetAutoSize(bool Value) {
  FAutoSize = Value;
  if (Value) UpDateSize();
}

void TskSkinScrollPanel::SetPosition(int Value) {
  if (Value == FPosition) return;
  FPosition = Value;
  GetScrollInfo();
}

void TskSkinScrollPanel::SetScrollType(TskScrollType Value) {
  if (Value == FScrollType) return;
  FScrollType = Value;
  FRangeEnd = FPosition = FAppliedPosition = FPageLength = 0;
  for (TArrowButton& b : FArrowButtons) b.Visible = false;
  RepaintFrame();
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TskSkinScrollPanel::SetScrollOffset(int Value) {
  if (Value >= 0) FScrollOffset = Value;
}

void TskSkinScrollPanel::SetScrollTimerInterval(int Value) {
  if (Value > 0) FScrollTimerInterval = Value;
}

void TskSkinScrollPanel::SetButtonsVisible(bool Value) {
  if (FArrowButtons[0].Visible == Value && FArrowButtons[1].Visible == Value) return;
  for (TArrowButton& b : FArrowButtons) b.Visible = Value;
  // The system computes the non-client area again (in place of making the window anew).
  HandleNeeded();
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TskSkinScrollPanel::GetSkinData() {
  TskSkinControl::GetSkinData();
  FPanelEntry = nullptr;
  FButtonEntry = nullptr;
  if (!FSkinData || FSkinData->Empty) return;
  const auto entry = [this](const char* Name) -> const TskDataSkinControl* {
    const int index = FSkinData->GetControlIndex(Name);
    return index == -1 ? nullptr : FSkinData->CtrlList[static_cast<size_t>(index)].get();
  };
  FPanelEntry = dynamic_cast<const TskDataSkinPanelControl*>(entry("panel"));
  FButtonEntry = dynamic_cast<const TskDataSkinButtonControl*>(entry("resizebutton"));
}

void TskSkinScrollPanel::ScrollControls(int D) {
  if (D == 0) return;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Align() != TAlign::alNone) continue;
    if (Vertical()) c->SetBounds(c->Left(), c->Top() - D, c->Width(), c->Height());
    else c->SetBounds(c->Left() - D, c->Top(), c->Width(), c->Height());
  }
  Realign();
}

void TskSkinScrollPanel::GetScrollInfo() {
  if (FInRange) return;
  FInRange = true;
  if (Vertical()) GetVRange();
  else GetHRange();
  FInRange = false;
}

void TskSkinScrollPanel::GetHRange() {
  int e = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (Controls(i)->Visible()) e = std::max(e, Controls(i)->Left() + Controls(i)->Width());
  if (e == 0 || e + FPosition <= ClientWidth()) {
    if (FPosition > 0) ScrollControls(-FPosition);
    FWidthGrowth = FRangeEnd = FPosition = FAppliedPosition = FPageLength = 0;
    SetButtonsVisible(false);
    return;
  }
  SetButtonsVisible(true);
  const int p = FPosition, cw = ClientWidth();
  if (p > 0 && e < cw && FWidthGrowth > 0) {
    // The panel grew while scrolled: the children come back by what it grew.
    const int back = std::min(FWidthGrowth, p);
    ScrollControls(-back);
    FPosition -= back;
    FRangeEnd = e + p - 1;
    FPageLength = cw;
  } else if (FWidthGrowth == 0 && e + p - 1 < FRangeEnd && p > 0 && e < cw) {
    // The content shrank while scrolled: its end comes to the client's end.
    FRangeEnd = e + p - 1;
    FPosition = e + p - cw;
    FPageLength = cw;
    ScrollControls(e - cw);
  } else {
    FRangeEnd = e + p - 1;
    FPageLength = cw;
  }
  FWidthGrowth = 0;
  FAppliedPosition = FPosition;
}

void TskSkinScrollPanel::GetVRange() {
  int e = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (Controls(i)->Visible()) e = std::max(e, Controls(i)->Top() + Controls(i)->Height());
  if (e == 0 || e + FPosition <= ClientHeight()) {
    if (FPosition > 0) ScrollControls(-FPosition);
    FHeightGrowth = FRangeEnd = FPosition = FAppliedPosition = FPageLength = 0;
    SetButtonsVisible(false);
    return;
  }
  SetButtonsVisible(true);
  const int p = FPosition, ch = ClientHeight();
  if (p > 0 && e < ch && FHeightGrowth > 0) {
    const int back = std::min(FHeightGrowth, p);
    ScrollControls(-back);
    FPosition -= back;
    FRangeEnd = e + p - 1;
    FPageLength = ch;
  } else if (FHeightGrowth == 0 && e + p - 1 < FRangeEnd && p > 0 && e < ch) {
    FRangeEnd = e + p - 1;
    FPosition = e + p - ch;
    FPageLength = ch;
    ScrollControls(e - ch);
  } else {
    FRangeEnd = e + p - 1;
    FPageLength = ch;
  }
  FHeightGrowth = 0;
  FAppliedPosition = FPosition;
}

void TskSkinScrollPanel::AdjustClientRect(TRect& Rect) {
  const int cw = ClientWidth(), ch = ClientHeight();
  if (Vertical()) Rect = classlib::Rect(0, -FPosition, cw, -FPosition + std::max(FRangeEnd, ch));
  else Rect = classlib::Rect(-FPosition, 0, -FPosition + std::max(FRangeEnd, cw), ch);
  TskSkinControl::AdjustClientRect(Rect);
}

void TskSkinScrollPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FAutoSize) {
    int extent = 0;
    for (int i = 0; i < ControlCount(); ++i) {
      const TControl* c = Controls(i);
      if (c->Visible()) extent = std::max(extent, Vertical() ? c->Left() + c->Width() : c->Top() + c->Height());
    }
    if (extent != 0) (Vertical() ? AWidth : AHeight) = extent;
  }
  const int oldWidth = Width(), oldHeight = Height();
  TskSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  FWidthGrowth = Width() > oldWidth && oldWidth != 0 ? Width() - oldWidth : 0;
  FHeightGrowth = Height() > oldHeight && oldHeight != 0 ? Height() - oldHeight : 0;
  if (Align() != TAlign::alNone) GetScrollInfo();
}

void TskSkinScrollPanel::Loaded() {
  TskSkinControl::Loaded();
  if (FAutoSize) UpDateSize();
  GetScrollInfo();
}

void TskSkinScrollPanel::PlaceButtons() {
  const int w = Width(), h = Height();
  if (Vertical()) {
    FArrowButtons[0].R = Rect(0, 0, w, ButtonSize);
    FArrowButtons[1].R = Rect(0, h - ButtonSize, w, h);
  } else {
    FArrowButtons[0].R = Rect(0, 0, ButtonSize, h);
    FArrowButtons[1].R = Rect(w - ButtonSize, 0, w, h);
  }
}

void TskSkinScrollPanel::RepaintFrame() {
  if (HandleAllocated()) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
}

void TskSkinScrollPanel::DrawButton(TCanvas& Canvas, int Index) {
  TArrowButton& button = FArrowButtons[Index];
  const int w = RectWidth(button.R), h = RectHeight(button.R);
  if (w <= 0 || h <= 0) return;
  const bool down = (button.Down && button.Hovered) || (button.Hovered && FHotScroll);
  TBitmap image;
  image.SetSize(w, h);
  TCanvas& c = *image.Canvas();
  TColor arrow = clBtnText;
  TBitmap* picture = FButtonEntry && FSkinData ? SkinPicture(*FSkinData, FButtonEntry->PictureIndex) : nullptr;
  if (FButtonEntry && picture && !picture->Empty()) {
    const TskDataSkinButtonControl& e = *FButtonEntry;
    TRect source = e.SkinRect;
    arrow = e.FontColor;
    if (down && !IsNullRect(e.DownSkinRect)) {
      source = e.DownSkinRect;
      arrow = e.DownFontColor;
    } else if (button.Hovered && !IsNullRect(e.ActiveSkinRect)) {
      source = e.ActiveSkinRect;
      arrow = e.ActiveFontColor;
    }
    const int dx = w - RectWidth(e.SkinRect), dy = h - RectHeight(e.SkinRect);
    TRect client = e.SkinClientRect;
    client.right += dx;
    client.bottom += dy;
    CreateSkinImage(e.SkinLeftTopPoint, e.SkinRightTopPoint, e.SkinLeftBottomPoint, e.SkinRightBottomPoint,
                    e.SkinClientRect, e.SkinLeftTopPoint, Moved(e.SkinRightTopPoint, dx, 0),
                    Moved(e.SkinLeftBottomPoint, 0, dy), Moved(e.SkinRightBottomPoint, dx, dy), client, image,
                    *picture, source, w, h, true);
  } else {
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
    c.Brush()->SetColor(down ? static_cast<TColor>(0xB59385) : button.Hovered ? static_cast<TColor>(0xD2BDB6) : clBtnFace);
    c.FillRect(Rect(0, 0, w, h));
    const TColor frame = down || button.Hovered ? static_cast<TColor>(0x800000) : clBtnShadow;
    Frm3D(c, Rect(0, 0, w, h), frame, frame);
  }
  const int code = Vertical() ? (Index == 0 ? 3 : 4) : (Index == 0 ? 1 : 2);
  DrawArrowImage(c, Rect(0, 0, w, h), arrow, code);
  Canvas.Draw(button.R.left, button.R.top, &image);
}

void TskSkinScrollPanel::StartTimer() {
  if (!HandleAllocated()) return;
  KillTimer(Handle(), ScrollTimer);
  SetTimer(Handle(), ScrollTimer, static_cast<UINT>(FScrollTimerInterval), nullptr);
}

void TskSkinScrollPanel::StopTimer() {
  if (HandleAllocated()) KillTimer(Handle(), ScrollTimer);
  FTimerScrollMode = 0;
}

void TskSkinScrollPanel::ButtonDown(int Index) {
  FTimerScrollMode = Index + 1;
  StartTimer();
}

void TskSkinScrollPanel::ButtonUp(int Index) {
  StopTimer();
  ButtonClick(Index);
}

void TskSkinScrollPanel::ButtonClick(int Index) {
  // A step of the client's own length along the axis when no offset is set.
  const int step = FScrollOffset != 0 ? FScrollOffset : (Vertical() ? ClientHeight() : ClientWidth());
  if (Index == 0) FPosition = std::max(0, FPosition - step);
  else FPosition = std::max(0, std::min(FPosition + step, FRangeEnd - FPageLength + 1));
  if (FPosition == FAppliedPosition) {
    if (FTimerScrollMode != 0) StopTimer();
    return;
  }
  ScrollControls(FPosition - FAppliedPosition);
  FAppliedPosition = FPosition;
}

void TskSkinScrollPanel::LeaveButtons() {
  bool changed = false;
  for (TArrowButton& b : FArrowButtons)
    if (b.Visible && b.Hovered) {
      b.Hovered = false;
      changed = true;
      break;
    }
  if (FTimerScrollMode != 0) StopTimer();
  if (changed) RepaintFrame();
}

bool TskSkinScrollPanel::TakeFocus() {
  if (!FCanFocused || Designing(*this) || Focused()) return true;
  FTakingFocus = true;
  ::SetFocus(Handle());
  FTakingFocus = false;
  return GetFocus() == Handle();
}

void TskSkinScrollPanel::WndProc(TMessage& Message) {
  if (Designing(*this)) return TskSkinControl::WndProc(Message);
  switch (Message.Msg) {
    case WM_NCHITTEST: {
      // Screen coordinates, signed: a second monitor left of or above the first gives negatives.
      POINT p{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
      ::ScreenToClient(Handle(), &p);
      const int along = Vertical() ? p.y : p.x;
      const int length = Vertical() ? ClientHeight() : ClientWidth();
      if (along < 0 && FArrowButtons[0].Visible) {
        Message.Result = HitStart;
        return;
      }
      if (along >= length && FArrowButtons[1].Visible) {
        Message.Result = HitEnd;
        return;
      }
      break;
    }
    case WM_NCMOUSEMOVE: {
      if (Message.WParam != static_cast<WPARAM>(HitStart) && Message.WParam != static_cast<WPARAM>(HitEnd)) break;
      const int index = Message.WParam == static_cast<WPARAM>(HitStart) ? 0 : 1;
      if (!FArrowButtons[index].Hovered) {
        // The system tells of the pointer leaving the frame only when asked to.
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE | TME_NONCLIENT, Handle(), HOVER_DEFAULT};
        TrackMouseEvent(&track);
        FArrowButtons[index].Hovered = true;
        FArrowButtons[1 - index].Hovered = false;
        RepaintFrame();
        if (FHotScroll) {
          FTimerScrollMode = index + 1;
          StartTimer();
        }
      }
      return;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      if (Message.WParam != static_cast<WPARAM>(HitStart) && Message.WParam != static_cast<WPARAM>(HitEnd)) break;
      const int index = Message.WParam == static_cast<WPARAM>(HitStart) ? 0 : 1;
      FArrowButtons[index].Down = true;
      RepaintFrame();
      ButtonDown(index);
      TakeFocus();
      return;
    }
    case WM_NCMOUSELEAVE: {
      // Out of a button, but not into the other one (a button hovered anew takes it from here).
      POINT p;
      GetCursorPos(&p);
      const bool onButton = WindowFromPoint(p) == Handle() && [this, p] {
        const auto hit = SendMessageW(Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
        return hit == HitStart || hit == HitEnd;
      }();
      if (!onButton) LeaveButtons();
      return;
    }
    case WM_NCLBUTTONUP: {
      if (Message.WParam != static_cast<WPARAM>(HitStart) && Message.WParam != static_cast<WPARAM>(HitEnd)) break;
      const int index = Message.WParam == static_cast<WPARAM>(HitStart) ? 0 : 1;
      FArrowButtons[index].Down = false;
      RepaintFrame();
      ButtonUp(index);
      return;
    }
    case WM_MOUSEMOVE:
      if (FArrowButtons[0].Hovered || FArrowButtons[1].Hovered || FTimerScrollMode != 0) LeaveButtons();
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!TakeFocus()) return;
      break;
  }
  TskSkinControl::WndProc(Message);
}

void TskSkinScrollPanel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE: {
      GetSkinData();
      auto& r = *reinterpret_cast<RECT*>(Message.LParam);
      if (Vertical()) {
        if (FArrowButtons[0].Visible) r.top += ButtonSize;
        if (FArrowButtons[1].Visible) r.bottom -= ButtonSize;
      } else {
        if (FArrowButtons[0].Visible) r.left += ButtonSize;
        if (FArrowButtons[1].Visible) r.right -= ButtonSize;
      }
      break;
    }
    case WM_SIZE:
      TskSkinControl::Dispatch(Message);
      PlaceButtons();
      if (FArrowButtons[0].Visible) RepaintFrame();
      return;
    case WM_NCPAINT: {
      const HDC dc = GetWindowDC(Handle());
      TCanvas canvas;
      canvas.SetHandle(dc);
      for (int i = 0; i < 2; ++i)
        if (FArrowButtons[i].Visible) DrawButton(canvas, i);
      canvas.SetHandle(nullptr);
      ReleaseDC(Handle(), dc);
      break;
    }
    case WM_SETCURSOR:
      if (LOWORD(Message.LParam) == HitStart || LOWORD(Message.LParam) == HitEnd) {
        ::SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
        Message.Result = 1;
        return;
      }
      break;
    case WM_TIMER:
      TskSkinControl::Dispatch(Message);
      if (Message.WParam != ScrollTimer) return;
      if (FTimerScrollMode == 1) ButtonClick(0);
      else if (FTimerScrollMode == 2) ButtonClick(1);
      return;
    case WM_WINDOWPOSCHANGING:
      TskSkinControl::Dispatch(Message);
      if (Align() == TAlign::alNone) GetScrollInfo();
      return;
    case WM_MOUSEWHEEL:
      if (FCanFocused && Focused()) {
        ButtonClick(GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0 ? 0 : 1);
        return;
      }
      break;
    case CM_WANTSPECIALKEY:
      if (FCanFocused && Message.WParam >= VK_LEFT && Message.WParam <= VK_DOWN) {
        Message.Result = 1;
        return;
      }
      break;
    case CM_MOUSELEAVE: {
      TskSkinControl::Dispatch(Message);
      if (Designing(*this) || !HandleAllocated()) return;
      POINT p;
      GetCursorPos(&p);
      if (WindowFromPoint(p) != Handle()) LeaveButtons();
      return;
    }
  }
  TskSkinControl::Dispatch(Message);
}

void TskSkinScrollPanel::KeyDown(WORD& Key, TShiftState Shift) {
  TskSkinControl::KeyDown(Key, Shift);
  if (!FCanFocused) return;
  if (Key == VK_LEFT || Key == VK_UP) ButtonClick(0);
  else if (Key == VK_RIGHT || Key == VK_DOWN) ButtonClick(1);
}

void TskSkinScrollPanel::CreateControlDefaultImage(TBitmap& B) {
  B.Canvas()->Brush()->SetColor(clBtnFace);
  B.Canvas()->FillRect(ClientRect());
}

void TskSkinScrollPanel::CreateControlSkinImage(TBitmap& B) { CreateControlDefaultImage(B); }

void TskSkinScrollPanel::Paint() {
  GetSkinData();
  TBitmap* picture = FPanelEntry ? SkinPicture(*FSkinData, FPanelEntry->PictureIndex) : nullptr;
  if (!FPanelEntry) return TskSkinControl::Paint();
  const int cw = ClientWidth(), ch = ClientHeight();
  if (cw < 1 || ch < 1) return;
  TBitmap buffer;
  buffer.SetSize(cw, ch);
  TCanvas& canvas = *buffer.Canvas();
  canvas.Brush()->SetColor(clBtnFace);
  canvas.FillRect(Rect(0, 0, cw, ch));
  // A background index naming no picture shows the client piece, as -1 does.
  TBitmap* background = SkinPicture(*FSkinData, FPanelEntry->BGPictureIndex);
  if (background && !background->Empty()) {
    for (int y = 0; y < ch + background->Height(); y += background->Height())
      for (int x = 0; x < cw + background->Width(); x += background->Width()) canvas.Draw(x, y, background);
  } else if (picture && !picture->Empty()) {
    TRect piece = FPanelEntry->SkinClientRect;
    OffsetRect(&piece, FPanelEntry->SkinRect.left, FPanelEntry->SkinRect.top);
    TilePiece(canvas, cw, ch, *picture, piece);
  }
  Canvas().Draw(0, 0, &buffer);
}

}  // namespace skin
