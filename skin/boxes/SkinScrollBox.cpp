#include "skin/boxes/SkinScrollBox.h"

#include "skin/data/SkinPanelDescriptions.h"
#include "skin/data/Skutils.h"

#include <algorithm>

using namespace classlib;

namespace skin {

namespace {

TPoint Moved(const TPoint& P, int DX, int DY) { return Point(P.x + DX, P.y + DY); }

}  // namespace

TskSkinScrollBox::TskSkinScrollBox(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
  FSkinDataName = "scrollbox";
  SetBounds(Left(), Top(), 150, 150);
}

void TskSkinScrollBox::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinCustomControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FVScrollBar) FVScrollBar = nullptr;
  if (AComponent == FHScrollBar) FHScrollBar = nullptr;
}

void TskSkinScrollBox::SetVScrollBar(TskSkinScrollBar* Value) {
  if (FVScrollBar) FVScrollBar->RemoveFreeNotification(this);
  FVScrollBar = Value;
  if (Value) {
    Value->FreeNotification(this);
    Value->SetCanFocused(false);
    Value->SetEnabled(true);
    Value->SetVisible(false);
    Value->OnChange = [this](TObject*) { BarChange(true); };
    Value->OnLastChange = [this](TObject*) { Invalidate(); };
  }
  GetVRange();
}

void TskSkinScrollBox::SetHScrollBar(TskSkinScrollBar* Value) {
  if (FHScrollBar) FHScrollBar->RemoveFreeNotification(this);
  FHScrollBar = Value;
  if (Value) {
    Value->FreeNotification(this);
    Value->SetCanFocused(false);
    Value->SetEnabled(true);
    Value->SetVisible(false);
    Value->OnChange = [this](TObject*) { BarChange(false); };
    Value->OnLastChange = [this](TObject*) { Invalidate(); };
  }
  GetHRange();
}

void TskSkinScrollBox::SetBorderStyle(TskSkinBorderStyle Value) {
  FBorderStyle = Value;
  // The frame lies outside the client area: the window measures it again when it is made.
  if (HandleAllocated()) RecreateWnd();
}

void TskSkinScrollBox::UpdateScrollRange() {
  GetHRange();
  GetVRange();
}

void TskSkinScrollBox::BarChange(bool Vertical) {
  TskSkinScrollBar* bar = Vertical ? FVScrollBar : FHScrollBar;
  // The range update moves the children itself.
  if (!bar || FSettingRange) return;
  int& old = Vertical ? FOldVPosition : FOldHPosition;
  const int delta = bar->Position() - old;
  old = bar->Position();
  if (Vertical)
    VScrollControls(delta);
  else
    HScrollControls(delta);
}

void TskSkinScrollBox::VScroll(int Value) {
  if (!FVScrollBar || FVScrollBar->PageSize() == 0) return;
  FVScrollBar->SetPosition(std::min(Value, FVScrollBar->Max() - FVScrollBar->PageSize()));
}

void TskSkinScrollBox::HScroll(int Value) {
  if (!FHScrollBar || FHScrollBar->PageSize() == 0) return;
  FHScrollBar->SetPosition(Value);
}

void TskSkinScrollBox::GetRange(bool Vertical) {
  TskSkinScrollBar* bar = Vertical ? FVScrollBar : FHScrollBar;
  if (!bar || FRangeUpdating || !Parent()) return;
  int& growth = Vertical ? FHeightGrowth : FWidthGrowth;
  int& old = Vertical ? FOldVPosition : FOldHPosition;
  const int client = Vertical ? ClientHeight() : ClientWidth();
  int end = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* c = Controls(i);
    if (c->Visible()) end = std::max(end, Vertical ? c->Top() + c->Height() : c->Left() + c->Width());
  }
  const int p = bar->Position();
  const int extent = p + end;
  bool show = false, hide = false;
  // The children follow the bar's position once the range is set, whatever the bar made of it
  // (it keeps its position within the new range).
  FSettingRange = true;
  if (extent > client) {
    show = !bar->Visible();
    if (p > 0 && end < client && growth > 0) {
      // The box grew while scrolled: the content follows the new room.
      growth = std::min(growth, p);
      bar->SetRange(0, extent - 1, p - growth, client);
    } else if (growth != 0 || extent - 1 >= bar->Max() || p < 1 || end >= client) {
      bar->SetRange(0, extent - 1, p, client);
    } else {
      // The content shrank while scrolled and leaves room at its end.
      bar->SetRange(0, extent - 1, p - std::min(client - end, p), client);
    }
  } else {
    bar->SetRange(0, 0, 0, 0);
    hide = bar->Visible();
  }
  FSettingRange = false;
  growth = 0;
  const int delta = bar->Position() - old;
  old = bar->Position();
  if (Vertical)
    VScrollControls(delta);
  else
    HScrollControls(delta);
  if (FVScrollBar && FHScrollBar) {
    if (!FVScrollBar->Visible() && FHScrollBar->Both())
      FHScrollBar->SetBoth(false);
    else if (FVScrollBar->Visible() && !FHScrollBar->Both())
      FHScrollBar->SetBoth(true);
  }
  if (!show && !hide) return;
  FRangeUpdating = true;
  bar->SetVisible(show);
  if (Align() != TAlign::alNone) {
    Parent()->Realign();
    Realign();
  }
  FRangeUpdating = false;
}

void TskSkinScrollBox::AdjustClientRect(TRect& Rect) {
  int top = 0, height = ClientHeight(), left = 0, width = ClientWidth();
  if (FVScrollBar && FVScrollBar->Visible()) {
    top = -FVScrollBar->Position();
    height = std::max(FVScrollBar->Max(), ClientHeight());
  }
  if (FHScrollBar && FHScrollBar->Visible()) {
    left = -FHScrollBar->Position();
    width = std::max(FHScrollBar->Max(), ClientWidth());
  }
  Rect = classlib::Rect(left, top, left + width, top + height);
  TskSkinCustomControl::AdjustClientRect(Rect);
}

void TskSkinScrollBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const int oldWidth = Width(), oldHeight = Height();
  TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  FWidthGrowth = oldWidth != 0 && Width() > oldWidth ? Width() - oldWidth : 0;
  if (Align() != TAlign::alNone) GetHRange();
  FHeightGrowth = oldHeight != 0 && Height() > oldHeight ? Height() - oldHeight : 0;
  if (Align() != TAlign::alNone) GetVRange();
}

void TskSkinScrollBox::CreateParams(TCreateParams& Params) {
  TskSkinCustomControl::CreateParams(Params);
  Params.ClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

// ---------------------------------------------------------------------------------------------
// The skin, the frame and the client area

void TskSkinScrollBox::GetSkinData() {
  TskSkinCustomControl::GetSkinData();
  FBackgroundPictureIndex = -1;
  if (FSkinControlIndex == -1) return;
  if (const auto* data = dynamic_cast<const TskDataSkinScrollBoxControl*>(
          FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get()))
    FBackgroundPictureIndex = data->BGPictureIndex;
}

bool TskSkinScrollBox::HasBackgroundPicture() const { return FBackgroundPictureIndex != -1; }

void TskSkinScrollBox::ChangeSkinData() {
  TskSkinCustomControl::ChangeSkinData();
  if (HandleAllocated()) RecreateWnd();
  // The frame may have changed the client size: the parent places the bars again.
  for (TskSkinScrollBar* bar : {FVScrollBar, FHScrollBar})
    if (bar && bar->Parent() && bar->Align() != TAlign::alNone) bar->Parent()->Realign();
}

void TskSkinScrollBox::PaintFrame() {
  if (!HandleAllocated()) return;
  const HDC dc = GetWindowDC(Handle());
  RECT window;
  GetWindowRect(Handle(), &window);
  const int w = window.right - window.left, h = window.bottom - window.top;
  TCanvas canvas;
  canvas.SetHandle(dc);
  if (FSkinControlIndex == -1) {
    TColor topLeft = clBtnShadow, bottomRight = clBtnShadow;
    if (FBorderStyle == TskSkinBorderStyle::bvRaised) bottomRight = clBtnHighlight;
    if (FBorderStyle == TskSkinBorderStyle::bvLowered) topLeft = clBtnHighlight;
    canvas.Pen()->SetColor(topLeft);
    canvas.MoveTo(0, h - 1);
    canvas.LineTo(0, 0);
    canvas.LineTo(w - 1, 0);
    canvas.Pen()->SetColor(bottomRight);
    canvas.LineTo(w - 1, h - 1);
    canvas.LineTo(0, h - 1);
  } else if (SkinBitmap) {
    const int dw = w - RectWidth(SkinRect), dh = h - RectHeight(SkinRect);
    TRect client = SkinClientRect;
    client.right += dw;
    client.bottom += dh;
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(SkinLeftTopPoint, SkinRightTopPoint, SkinLeftBottomPoint, SkinRightBottomPoint,
                           SkinClientRect, SkinLeftTopPoint, Moved(SkinRightTopPoint, dw, 0),
                           Moved(SkinLeftBottomPoint, 0, dh), Moved(SkinRightBottomPoint, dw, dh), client, left, top,
                           right, bottom, *SkinBitmap, SkinRect, w, h, false, false, false, false);
    canvas.Draw(0, 0, &top);
    canvas.Draw(0, top.Height(), &left);
    canvas.Draw(w - right.Width(), top.Height(), &right);
    canvas.Draw(0, h - bottom.Height(), &bottom);
  }
  canvas.SetHandle(nullptr);
  ReleaseDC(Handle(), dc);
}

void TskSkinScrollBox::Paint() {
  GetSkinData();
  TCanvas& canvas = Canvas();
  const int cw = ClientWidth(), ch = ClientHeight();
  if (FSkinControlIndex == -1) {
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(Rect(0, 0, cw, ch));
    return;
  }
  if (HasBackgroundPicture()) {
    TBitmap* picture = SkinPicture(*FSkinData, FBackgroundPictureIndex);
    if (!picture || picture->Width() <= 0 || picture->Height() <= 0) return;
    for (int i = 0; i <= Width() / picture->Width(); ++i)
      for (int j = 0; j <= Height() / picture->Height(); ++j)
        canvas.Draw(i * picture->Width(), j * picture->Height(), picture);
    return;
  }
  if (cw <= 0 || ch <= 0 || !SkinBitmap) return;
  TRect tile = SkinClientRect;
  OffsetRect(&tile, SkinRect.left, SkinRect.top);
  const int tw = RectWidth(tile), th = RectHeight(tile);
  if (tw <= 0 || th <= 0) return;
  TBitmap buffer;
  buffer.SetSize(cw, ch);
  for (int x = 0; x < cw; x += tw)
    for (int y = 0; y < ch; y += th) {
      const int w = std::min(tw, cw - x), h = std::min(th, ch - y);
      buffer.Canvas()->CopyRect(Rect(x, y, x + w, y + h), *SkinBitmap->Canvas(),
                                Rect(tile.left, tile.top, tile.left + w, tile.top + h));
    }
  canvas.Draw(0, 0, &buffer);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TskSkinScrollBox::WndProc(TMessage& Message) {
  const bool designing = ComponentState().Contains(TComponentStateItem::csDesigning);
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && FCanFocused && !designing &&
      !Focused() && HandleAllocated()) {
    FInFocusClick = true;
    ::SetFocus(Handle());
    FInFocusClick = false;
    // A click that did not bring the focus is not passed on.
    if (!Focused()) return;
  }
  if (Message.Msg == CN_COMMAND && FInFocusClick) return;
  TskSkinCustomControl::WndProc(Message);
}

void TskSkinScrollBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE: {
      GetSkinData();
      auto& r = *reinterpret_cast<RECT*>(Message.LParam);
      if (FSkinControlIndex == -1 && FBorderStyle != TskSkinBorderStyle::bvNone) {
        InflateRect(&r, -1, -1);
      } else if (FSkinControlIndex != -1 && !HasBackgroundPicture() && FBorderStyle != TskSkinBorderStyle::bvNone) {
        r.left += SkinClientRect.left;
        r.top += SkinClientRect.top;
        r.right -= RectWidth(SkinRect) - SkinClientRect.right;
        r.bottom -= RectHeight(SkinRect) - SkinClientRect.bottom;
        if (r.right < r.left) r.right = r.left;
        if (r.bottom < r.top) r.bottom = r.top;
      }
      Message.Result = 0;
      return;
    }
    case WM_NCPAINT:
      GetSkinData();
      if (!HasBackgroundPicture() && FBorderStyle != TskSkinBorderStyle::bvNone) PaintFrame();
      Message.Result = 0;
      return;
    case WM_SIZE:
      TskSkinCustomControl::Dispatch(Message);
      if (HandleAllocated()) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
      return;
    case WM_WINDOWPOSCHANGING:
      TskSkinCustomControl::Dispatch(Message);
      if (HandleAllocated() && Align() == TAlign::alNone) {
        GetVRange();
        GetHRange();
      }
      return;
    case CM_VISIBLECHANGED:
      TskSkinCustomControl::Dispatch(Message);
      for (TskSkinScrollBar* bar : {FVScrollBar, FHScrollBar})
        if (bar) bar->SetVisible(Visible());
      return;
  }
  TskSkinCustomControl::Dispatch(Message);
}

}  // namespace skin
