#include "skin/controls/SkinToolBar.h"

#include "skin/controls/SkinBevel.h"
#include "skin/data/SkinButtonDescriptions.h"
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

// The arrow a non-client hit code names: 0 the left one, 1 the right one, -1 neither.
int ArrowOfHitCode(WPARAM Code) {
  if (Code == static_cast<WPARAM>(TskSkinToolBar::HTLeftArrow)) return 0;
  if (Code == static_cast<WPARAM>(TskSkinToolBar::HTRightArrow)) return 1;
  return -1;
}

// The description a child button takes on a bar of the given description.
String ChildDescription(const String& BarName, const TskToolBarMenuButton* MenuButton) {
  if (BarName == "panel") return "resizebutton";
  const bool big = BarName == "bigtoolpanel";
  if (!MenuButton) return big ? "bigtoolbutton" : "toolbutton";
  if (MenuButton->TrackButtonMode()) return big ? "bigtoolmenutrackbutton" : "toolmenutrackbutton";
  return big ? "bigtoolmenubutton" : "toolmenubutton";
}

}  // namespace

TskSkinToolBar::TskSkinToolBar(TComponent* AOwner) : TskSkinPanel(AOwner) {
  FSkinDataName = "toolpanel";
  SetDefaultHeight(25);
  SetBorderStyle(TskSkinBorderStyle::bvNone);
}

TskSkinToolBar::~TskSkinToolBar() { StopTimer(); }

// ---------------------------------------------------------------------------------------------
// Attributes and the children

void TskSkinToolBar::SetCanScroll(bool Value) {
  FCanScroll = Value;
  if (!Value) ResetRange();
}

void TskSkinToolBar::SetScrollOffset(int Value) {
  if (Value >= 0) FScrollOffset = Value;
}

void TskSkinToolBar::SetScrollTimerInterval(int Value) {
  if (Value >= 1) FScrollTimerInterval = Value;
}

void TskSkinToolBar::SetShowCaptions(bool Value) {
  if (Value == FShowCaptions) return;
  FShowCaptions = Value;
  if (FAutoShowHideCaptions)
    for (int i = 0; i < ControlCount(); ++i)
      if (auto* button = dynamic_cast<TskSkinSpeedButton*>(Controls(i))) button->SetShowCaption(Value);
  if (FWidthWithCaptions != 0 && FWidthWithoutCaptions != 0) SetWidth(Value ? FWidthWithCaptions : FWidthWithoutCaptions);
}

void TskSkinToolBar::SetFlat(bool Value) {
  FFlat = Value;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* button = dynamic_cast<TskSkinSpeedButton*>(Controls(i))) button->SetFlat(Value);
}

namespace {

// Swaps the image list a field holds, following the new one's destruction.
void KeepList(TComponent& Holder, TImageList*& Field, TImageList* Value) {
  if (Field) Field->RemoveFreeNotification(&Holder);
  Field = Value;
  if (Field) Field->FreeNotification(&Holder);
}

}  // namespace

void TskSkinToolBar::SetImages(TImageList* Value) {
  KeepList(*this, FImages, Value);
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* button = dynamic_cast<TskSkinSpeedButton*>(Controls(i))) button->Repaint();
}

void TskSkinToolBar::SetHotImages(TImageList* Value) { KeepList(*this, FHotImages, Value); }

void TskSkinToolBar::SetDisabledImages(TImageList* Value) { KeepList(*this, FDisabledImages, Value); }

void TskSkinToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinPanel::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || !AComponent) return;
  if (AComponent == FImages) SetImages(nullptr);
  if (AComponent == FHotImages) SetHotImages(nullptr);
  if (AComponent == FDisabledImages) SetDisabledImages(nullptr);
}

void TskSkinToolBar::SetSkinData(TskSkinData* Value) {
  TskSkinPanel::SetSkinData(Value);
  for (int i = 0; i < ControlCount(); ++i) {
    if (auto* button = dynamic_cast<TskSkinSpeedButton*>(Controls(i))) button->SetSkinData(Value);
    if (auto* bevel = dynamic_cast<TskSkinBevel*>(Controls(i))) bevel->SetSkinData(Value);
  }
}

void TskSkinToolBar::SetSkinDataName(const String& Value) {
  TskSkinPanel::SetSkinDataName(Value);
  if (Designing(*this) && !ComponentState().Contains(TComponentStateItem::csLoading)) NameChildDescriptions();
}

void TskSkinToolBar::NameChildDescriptions() {
  for (int i = 0; i < ControlCount(); ++i) {
    auto* button = dynamic_cast<TskSkinSpeedButton*>(Controls(i));
    if (!button) continue;
    button->SetSkinDataName(ChildDescription(FSkinDataName, dynamic_cast<const TskToolBarMenuButton*>(button)));
  }
}

// ---------------------------------------------------------------------------------------------
// Skin

void TskSkinToolBar::GetSkinData() {
  TskSkinPanel::GetSkinData();
  FButtonEntry = nullptr;
  if (!Skinned()) return;
  const int index = FindSkinControlIndex(FSkinData, "resizebutton");
  if (index != -1)
    FButtonEntry = dynamic_cast<const TskDataSkinButtonControl*>(FSkinData->CtrlList[static_cast<size_t>(index)].get());
}

void TskSkinToolBar::CreateControlSkinImage(TBitmap& B) {
  if (ArrowsVisible() && SkinResizeMode == 2 && SkinBitmap && !SkinBitmap->Empty()) {
    // Scrolled content has no fixed ends: only the middle of the picture runs under it.
    CreateHSkinImage3(SkinLeftTopPoint.x, RectWidth(SkinRect) - SkinRightTopPoint.x, B, *SkinBitmap, SkinRect,
                      Width(), Height(), SkinStretchEffect);
    return;
  }
  TskSkinPanel::CreateControlSkinImage(B);
}

// ---------------------------------------------------------------------------------------------
// Range

void TskSkinToolBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const int oldWidth = Width();
  // Known before the window moves: a bar that is not aligned works its range out while it moves.
  if (FCanScroll) FWidthGrowth = oldWidth != 0 && AWidth > oldWidth ? AWidth - oldWidth : 0;
  TskSkinPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FCanScroll && Align() != TAlign::alNone) GetHRange();
}

void TskSkinToolBar::GetHRange() {
  if (FInRange || !FCanScroll) return;
  FInRange = true;
  bool any = false;
  int x = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* c = Controls(i);
    if (!c->Visible()) continue;
    x = any ? std::max(x, c->Left() + c->Width()) : c->Left() + c->Width();
    any = true;
  }
  if (!any) {
    SetButtonsVisible(false);
    FInRange = false;
    return;
  }
  int cw = ClientWidth();
  const int t = x + FScrollPosition;
  if (t > cw) {
    if (!ArrowsVisible()) {
      SetButtonsVisible(true);
      // The arrows took their place from the client area: the page is what is left.
      cw = ClientWidth();
    }
    if (FScrollPosition > 0 && x < cw && FWidthGrowth > 0) {
      // Widened while scrolled: the children come back by the growth.
      const int back = std::min(FWidthGrowth, FScrollPosition);
      FRangeEnd = t - 1;
      FScrollPosition -= back;
      FPageLength = cw;
      HScrollControls(-back);
    } else if (FWidthGrowth == 0 && t - 1 < FRangeEnd && FScrollPosition > 0 && x < cw) {
      // The content shrank while scrolled: its end comes to the client's end.
      FRangeEnd = t - 1;
      FScrollPosition = t - cw;
      FPageLength = cw;
      HScrollControls(x - cw);
    } else {
      FRangeEnd = t - 1;
      FPageLength = cw;
    }
    // A growth counts once, whichever message works the range out first.
    FWidthGrowth = 0;
    FAppliedPosition = FScrollPosition;
  } else {
    ResetRange();
  }
  FInRange = false;
}

void TskSkinToolBar::ResetRange() {
  const int back = FScrollPosition;
  FWidthGrowth = FRangeEnd = FScrollPosition = FAppliedPosition = FPageLength = 0;
  if (back > 0) HScrollControls(-back);
  SetButtonsVisible(false);
}

void TskSkinToolBar::CreateWnd() {
  TskSkinPanel::CreateWnd();
  if (FCanScroll) GetHRange();
}

void TskSkinToolBar::HScrollControls(int Delta) { ScrollBy(-Delta, 0); }

void TskSkinToolBar::AdjustClientRect(TRect& Rect) {
  TskSkinPanel::AdjustClientRect(Rect);
  if (!ArrowsVisible()) return;
  const int cw = ClientWidth(), ch = ClientHeight();
  const TRect panel = Rect;
  Rect = classlib::Rect(-FScrollPosition, 0, -FScrollPosition + std::max(FRangeEnd, cw), ch);
  if (!Skinned() || Designing(*this)) {
    Rect.top = 1;
    Rect.bottom = ch - 1;
  } else if (!(FBorderStyle == TskSkinBorderStyle::bvNone && SkinResizeMode == 1)) {
    Rect.top = panel.top;
    Rect.bottom = panel.bottom;
  }
}

void TskSkinToolBar::SetButtonsVisible(bool Value) {
  if (FArrows[0].Visible == Value) return;
  for (TArrowButton& arrow : FArrows) {
    arrow.Visible = Value;
    arrow.Hovered = arrow.Down = false;
  }
  // Hidden arrows have nothing left to step.
  if (!Value) StopTimer();
  PlaceArrows();
  // The system computes the non-client area again, in place of making the window anew from
  // inside its own position change.
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  Realign();
}

void TskSkinToolBar::PlaceArrows() {
  FArrows[0].R = Rect(0, 0, ArrowWidth, Height());
  FArrows[1].R = Rect(Width() - ArrowWidth, 0, Width(), Height());
}

// ---------------------------------------------------------------------------------------------
// The arrows

void TskSkinToolBar::StartTimer() {
  if (!HandleAllocated()) return;
  KillTimer(Handle(), ScrollTimer);
  SetTimer(Handle(), ScrollTimer, static_cast<UINT>(FScrollTimerInterval), nullptr);
}

void TskSkinToolBar::StopTimer() {
  if (HandleAllocated()) KillTimer(Handle(), ScrollTimer);
  FTimerScrollMode = 0;
}

void TskSkinToolBar::ButtonDown(int Index) {
  FTimerScrollMode = Index + 1;
  StartTimer();
}

void TskSkinToolBar::ButtonUp(int Index) {
  StopTimer();
  ButtonClick(Index);
}

void TskSkinToolBar::ButtonClick(int Index) {
  if (!ArrowsVisible()) return;
  const int step = FScrollOffset != 0 ? FScrollOffset : ClientWidth();
  if (Index == 0)
    FScrollPosition = std::max(0, FScrollPosition - step);
  else
    FScrollPosition = std::max(0, std::min(FScrollPosition + step, FRangeEnd - FPageLength + 1));
  if (FScrollPosition == FAppliedPosition) {
    StopTimer();
    return;
  }
  const int delta = FScrollPosition - FAppliedPosition;
  FAppliedPosition = FScrollPosition;
  HScrollControls(delta);
}

void TskSkinToolBar::RepaintArrows() {
  if (HandleAllocated()) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
}

void TskSkinToolBar::DrawButton(TCanvas& Canvas, int Index) {
  const TArrowButton& arrow = FArrows[Index];
  const int w = RectWidth(arrow.R), h = RectHeight(arrow.R);
  if (w <= 0 || h <= 0) return;
  GetSkinData();
  const bool pressed = (arrow.Down && arrow.Hovered) || (arrow.Hovered && FHotScroll);
  TBitmap image;
  image.SetSize(w, h);
  TCanvas& c = *image.Canvas();
  TColor color = clBtnText;
  // A "resizebutton" of another kind, or one naming no picture, leaves the default look.
  TBitmap* picture = FButtonEntry ? SkinPicture(*FSkinData, FButtonEntry->PictureIndex) : nullptr;
  if (picture && !picture->Empty()) {
    const TskDataSkinButtonControl& e = *FButtonEntry;
    TRect source = e.SkinRect;
    color = e.FontColor;
    if (pressed && !IsNullRect(e.DownSkinRect)) {
      source = e.DownSkinRect;
      color = e.DownFontColor;
    } else if (arrow.Hovered && !IsNullRect(e.ActiveSkinRect)) {
      source = e.ActiveSkinRect;
      color = e.ActiveFontColor;
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
    TColor frame = clBtnShadow, face = clBtnFace;
    if (pressed) {
      frame = clNavy;
      face = 0xB59385;
    } else if (arrow.Hovered) {
      frame = clNavy;
      face = 0xD2BDB6;
    }
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
    c.Brush()->SetColor(frame);
    c.FrameRect(Rect(0, 0, w, h));
    c.Brush()->SetColor(face);
    c.FillRect(Rect(1, 1, w - 1, h - 1));
  }
  DrawArrowImage(c, Rect(0, 0, w, h), color, Index == 0 ? 1 : 2);
  Canvas.Draw(arrow.R.left, arrow.R.top, &image);
}

int TskSkinToolBar::ArrowHitTest(LPARAM ScreenPoint) {
  // Signed: a monitor left of or above the primary one gives negative coordinates.
  POINT p{static_cast<short>(LOWORD(ScreenPoint)), static_cast<short>(HIWORD(ScreenPoint))};
  ::ScreenToClient(Handle(), &p);
  if (p.x < 0 && FArrows[0].Visible) return HTLeftArrow;
  if (p.x >= ClientWidth() && FArrows[1].Visible) return HTRightArrow;
  return 0;
}

void TskSkinToolBar::HoverArrow(int Index) {
  FArrows[Index].Hovered = true;
  FArrows[1 - Index].Hovered = false;
  RepaintArrows();
  // Told when the pointer leaves the arrows for another window, so that hot scrolling ends there.
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_NONCLIENT, Handle(), 0};
  TrackMouseEvent(&track);
  if (FHotScroll) {
    FTimerScrollMode = Index + 1;
    StartTimer();
  }
}

void TskSkinToolBar::UnhoverArrows() {
  for (TArrowButton& arrow : FArrows)
    if (arrow.Hovered && arrow.Visible) {
      if (FTimerScrollMode != 0) StopTimer();
      arrow.Hovered = false;
      break;
    }
  RepaintArrows();
}

// ---------------------------------------------------------------------------------------------
// Messages

void TskSkinToolBar::WndProc(TMessage& Message) {
  if (!FCanScroll || Designing(*this)) return TskSkinPanel::WndProc(Message);
  switch (Message.Msg) {
    case WM_NCHITTEST:
      if (const int code = ArrowHitTest(Message.LParam); code != 0) {
        Message.Result = code;
        return;
      }
      break;
    case WM_NCMOUSEMOVE: {
      const int index = ArrowOfHitCode(Message.WParam);
      if (index == -1) break;
      if (!FArrows[index].Hovered) HoverArrow(index);
      return;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      const int index = ArrowOfHitCode(Message.WParam);
      if (index == -1) break;
      FArrows[index].Down = true;
      RepaintArrows();
      ButtonDown(index);
      return;
    }
    case WM_NCLBUTTONUP: {
      const int index = ArrowOfHitCode(Message.WParam);
      if (index == -1) break;
      FArrows[index].Down = false;
      RepaintArrows();
      ButtonUp(index);
      return;
    }
    case WM_NCMOUSELEAVE:
      if (FArrows[0].Hovered || FArrows[1].Hovered) UnhoverArrows();
      return;
    case WM_MOUSEMOVE:
      if ((FArrows[0].Hovered && FArrows[0].Visible) || (FArrows[1].Hovered && FArrows[1].Visible)) UnhoverArrows();
      break;
  }
  TskSkinPanel::WndProc(Message);
}

void TskSkinToolBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE: {
      if (!FCanScroll) break;
      GetSkinData();
      // Both forms of the message begin with the window's rectangle, which becomes the client's.
      auto* r = reinterpret_cast<RECT*>(Message.LParam);
      if (FArrows[0].Visible) r->left += ArrowWidth;
      if (FArrows[1].Visible) r->right -= ArrowWidth;
      Message.Result = 0;
      return;
    }
    case WM_SIZE:
      TskSkinPanel::Dispatch(Message);
      if (ArrowsVisible()) {
        PlaceArrows();
        RepaintArrows();
      }
      return;
    case WM_NCPAINT: {
      if (!ArrowsVisible()) break;
      const HDC dc = GetWindowDC(Handle());
      TCanvas canvas;
      canvas.SetHandle(dc);
      for (int i = 0; i < 2; ++i)
        if (FArrows[i].Visible) DrawButton(canvas, i);
      canvas.SetHandle(nullptr);
      ReleaseDC(Handle(), dc);
      return;
    }
    case WM_SETCURSOR:
      if (LOWORD(Message.LParam) == HTLeftArrow || LOWORD(Message.LParam) == HTRightArrow)
        Message.LParam = MAKELPARAM(HTCLIENT, HIWORD(Message.LParam));
      break;
    case WM_TIMER:
      TskSkinPanel::Dispatch(Message);
      if (!FCanScroll || Message.WParam != ScrollTimer) return;
      if (FTimerScrollMode == 1)
        ButtonClick(0);
      else if (FTimerScrollMode == 2)
        ButtonClick(1);
      return;
    case WM_WINDOWPOSCHANGED:
      TskSkinPanel::Dispatch(Message);
      if (FCanScroll && HandleAllocated() && Align() == TAlign::alNone) GetHRange();
      return;
    case CM_MOUSELEAVE: {
      TskSkinPanel::Dispatch(Message);
      if (Designing(*this) || !FCanScroll || !HandleAllocated()) return;
      POINT p;
      GetCursorPos(&p);
      if (WindowFromPoint(p) != Handle()) UnhoverArrows();
      return;
    }
  }
  TskSkinPanel::Dispatch(Message);
}

}  // namespace skin
