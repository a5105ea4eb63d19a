// The list box's caption strip: its layout and drawing in both looks, and its up, down and check
// buttons with their auto-repeat.
#include "skin/boxes/SkinListBox.h"

#include "skin/data/ResourceStrData.h"
#include "skin/data/Skutils.h"

#include <algorithm>

using namespace classlib;

namespace skin {

namespace {

bool IsEmpty(const TRect& R) { return R.right <= R.left || R.bottom <= R.top; }

constexpr TColor PressedFill = 0xB59385;  // RGB(133, 147, 181)
constexpr TColor HotFill = 0xD2BDB6;      // RGB(182, 189, 210)

}  // namespace

void TskSkinCustomListBox::SetCaptionMode(bool Value) {
  FCaptionMode = Value;
  if (FSkinControlIndex == -1) CalcRects();
  Invalidate();
}

void TskSkinCustomListBox::SetDefaultCaptionHeight(int Value) {
  FDefaultCaptionHeight = Value;
  if (FSkinControlIndex == -1 && FCaptionMode) {
    CalcRects();
    Invalidate();
  }
}

void TskSkinCustomListBox::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  if (FCaptionMode) Invalidate();
}

void TskSkinCustomListBox::SetGlyph(const TBitmap& Value) {
  FGlyph->Assign(Value);
  Invalidate();
}

void TskSkinCustomListBox::SetNumGlyphs(int Value) {
  FNumGlyphs = std::clamp(Value, 1, 2);
  Invalidate();
}

void TskSkinCustomListBox::SetSpacing(int Value) {
  FSpacing = Value;
  Invalidate();
}

TFontCharset TskSkinCustomListBox::CharsetInUse(const TFont& Fallback) const {
  if (FSkinData && FSkinData->ResourceStrData()) return FSkinData->ResourceStrData()->CharSet();
  return Fallback.Charset();
}

int TskSkinCustomListBox::CaptionContentWidth(TCanvas& Canvas) {
  int width = Canvas.TextWidth(Caption());
  if (!FGlyph->Empty()) width += FGlyph->Width() / std::max(1, FNumGlyphs) + FSpacing;
  return width;
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TskSkinCustomListBox::CreateControlDefaultImage(TBitmap& B) {
  TskSkinCustomControl::CreateControlDefaultImage(B);
  TCanvas& c = *B.Canvas();
  int s = 17;
  if (FCaptionMode) {
    s = std::min(17, FDefaultCaptionHeight - 3);
    FCaptionButtons[0].Rect = Rect(Width() - s - 2, 2, Width() - 2, s + 1);
    FCaptionButtons[1].Rect = Rect(FCaptionButtons[0].Rect.left - s, 2, FCaptionButtons[0].Rect.left, s + 1);
    FCaptionButtons[2].Rect = Rect(FCaptionButtons[1].Rect.left - s, 2, FCaptionButtons[1].Rect.left, s + 1);
  }
  c.Brush()->SetColor(clBtnShadow);
  c.Brush()->SetStyle(TBrushStyle::bsSolid);
  c.FrameRect(Rect(0, 0, Width(), Height()));
  if (!FCaptionMode) return;
  const TRect r = Rect(3, 2, Width() - 3 * s - 3, FDefaultCaptionHeight - 2);
  c.SetFont(*FDefaultCaptionFont);
  if (FSkinData && FSkinData->ResourceStrData()) c.Font()->SetCharset(FSkinData->ResourceStrData()->CharSet());
  const int content = CaptionContentWidth(c);
  int x = r.left;
  if (FAlignment == TAlignment::taRightJustify) x = r.right - content;
  else if (FAlignment == TAlignment::taCenter) x = r.left + RectWidth(r) / 2 - content / 2;
  const int y = (FDefaultCaptionHeight - 2) / 2 - c.TextHeight(Caption()) / 2;
  if (FNumGlyphs == 0) FNumGlyphs = 1;
  DrawCaptionText(c, r, x, y, r.top + RectHeight(r) / 2 - FGlyph->Height() / 2 - 1);
  c.Pen()->SetColor(clBtnShadow);
  c.MoveTo(1, FDefaultCaptionHeight - 1);
  c.LineTo(Width() - 1, FDefaultCaptionHeight - 1);
  for (int i = 0; i < 3; ++i) DrawButton(c, i);
}

void TskSkinCustomListBox::DrawCaptionText(TCanvas& Canvas, const TRect& R, int TextX, int TextY, int GlyphY) {
  Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  if (!FGlyph->Empty()) {
    const int frame = !Enabled() && FNumGlyphs == 2 ? 2 : 1;
    DrawGlyph(Canvas, TextX, GlyphY, *FGlyph, FNumGlyphs, frame);
    TextX += FGlyph->Width() / std::max(1, FNumGlyphs) + FSpacing;
  }
  Canvas.TextRect(R, TextX, TextY, Caption());
}

void TskSkinCustomListBox::MapButtonRect(TRect& R) const {
  if (IsEmpty(R)) return;
  const int dw = Width() - RectWidth(SkinRect), dh = Height() - RectHeight(SkinRect);
  int edge = SkinRightTopPoint.x;
  if (R.top > SkinLeftTopPoint.y) {
    OffsetRect(&R, 0, dh);
    edge = SkinRightBottomPoint.x;
  }
  if (edge < R.left) OffsetRect(&R, dw, 0);
}

void TskSkinCustomListBox::CreateControlSkinImage(TBitmap& B) {
  TskSkinCustomControl::CreateControlSkinImage(B);
  FSkinClientArea = SkinClientRect;
  FSkinClientArea.right += Width() - RectWidth(SkinRect);
  FSkinClientArea.bottom += Height() - RectHeight(SkinRect);
  if (!FCaptionMode) return;
  const int dw = Width() - RectWidth(SkinRect);
  FCaptionArea = FValues.CaptionRect;
  if (FCaptionArea.right >= SkinRightTopPoint.x) FCaptionArea.right += dw;
  const TRect* plain[3] = {&FValues.UpButtonRect, &FValues.DownButtonRect, &FValues.CheckButtonRect};
  for (int i = 0; i < 3; ++i) {
    TRect r = *plain[i];
    MapButtonRect(r);
    FCaptionButtons[static_cast<size_t>(i)].Rect = r;
  }
  TCanvas& c = *B.Canvas();
  if (!IsEmpty(FValues.CaptionRect)) {
    c.Font()->SetName(FValues.CaptionFontName);
    c.Font()->SetHeight(FValues.CaptionFontHeight);
    c.Font()->SetColor(FValues.CaptionFontColor);
    c.Font()->SetStyle(FValues.CaptionFontStyle);
    c.Font()->SetCharset(CharsetInUse(*FDefaultCaptionFont));
    const int content = CaptionContentWidth(c);
    const int y = FCaptionArea.top + RectHeight(FCaptionArea) / 2 - c.TextHeight(Caption()) / 2;
    int x = FCaptionArea.left + 2;
    if (FAlignment == TAlignment::taRightJustify) x = FCaptionArea.right - content - 2;
    else if (FAlignment == TAlignment::taCenter) x = FCaptionArea.left + 2 + RectWidth(FCaptionArea) / 2 - content / 2;
    DrawCaptionText(c, FCaptionArea, x, y, FCaptionArea.top + RectHeight(FCaptionArea) / 2 - FGlyph->Height() / 2);
  }
  for (int i = 0; i < 3; ++i) DrawButton(c, i);
}

void TskSkinCustomListBox::DrawButton(TCanvas& Canvas, int Index) {
  const TskCaptionButton& button = FCaptionButtons[static_cast<size_t>(Index)];
  if (FSkinControlIndex == -1) {
    TRect r = button.Rect;
    Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    if (button.Hot) {
      Canvas.Brush()->SetColor(clNavy);
      Canvas.FrameRect(r);
      InflateRect(&r, -1, -1);
      Canvas.Brush()->SetColor(button.Pressed ? PressedFill : HotFill);
    } else {
      Canvas.Brush()->SetColor(clBtnFace);
    }
    Canvas.FillRect(r);
    if (Index == 2)
      DrawCheckImage(Canvas, button.Rect.left + 4, button.Rect.top + 4, clBlack);
    else
      DrawArrowImage(Canvas, button.Rect, clBlack, Index == 0 ? 3 : 4);
    return;
  }
  if (IsEmpty(button.Rect) || !SkinBitmap) return;
  const TRect plain[3] = {FValues.UpButtonRect, FValues.DownButtonRect, FValues.CheckButtonRect};
  const TRect active[3] = {FValues.ActiveUpButtonRect, FValues.ActiveDownButtonRect, FValues.ActiveCheckButtonRect};
  const TRect down[3] = {FValues.DownUpButtonRect, FValues.DownDownButtonRect, FValues.DownCheckButtonRect};
  TRect source{};
  if (button.Pressed && button.Hot) source = down[Index];
  else if (button.Hot) source = active[Index];
  if (IsEmpty(source)) {
    source = plain[Index];
    OffsetRect(&source, SkinRect.left, SkinRect.top);
  }
  Canvas.CopyRect(button.Rect, *SkinBitmap->Canvas(), source);
}

void TskSkinCustomListBox::DrawButtonNow(int Index) {
  if (!HandleAllocated()) return;
  TCanvas canvas;
  const HDC dc = GetDC(Handle());
  canvas.SetHandle(dc);
  DrawButton(canvas, Index);
  canvas.SetHandle(nullptr);
  ReleaseDC(Handle(), dc);
}

// ---------------------------------------------------------------------------------------------
// The buttons

void TskSkinCustomListBox::TestActive(int X, int Y) {
  if (FSkinControlIndex != -1 && IsEmpty(FValues.UpButtonRect) && IsEmpty(FValues.DownButtonRect)) return;
  FPreviousHotButton = FHotButton;
  FHotButton = -1;
  const POINT p{X, Y};
  for (int i = 0; i < 3; ++i)
    if (PtInRect(&FCaptionButtons[static_cast<size_t>(i)].Rect, p)) {
      FHotButton = i;
      break;
    }
  if (FCapturedButton != -1 && FHotButton != FCapturedButton) FHotButton = -1;
  if (FHotButton == FPreviousHotButton) return;
  if (FPreviousHotButton != -1) ButtonLeave(FPreviousHotButton);
  if (FHotButton != -1) ButtonEnter(FHotButton);
}

void TskSkinCustomListBox::ButtonDown(int Index) {
  TskCaptionButton& button = FCaptionButtons[static_cast<size_t>(Index)];
  button.Hot = true;
  button.Pressed = true;
  DrawButtonNow(Index);
  const TNotifyEvent* events[3] = {&OnUpButtonClick, &OnDownButtonClick, &OnCheckButtonClick};
  if (*events[Index]) return;
  if (Index < 2) FRepeat.Start(Index == 0 ? 1 : 2);
}

void TskSkinCustomListBox::ButtonEnter(int Index) {
  TskCaptionButton& button = FCaptionButtons[static_cast<size_t>(Index)];
  button.Hot = true;
  DrawButtonNow(Index);
  if (button.Pressed) FRepeat.Resume();
}

void TskSkinCustomListBox::ButtonLeave(int Index) {
  TskCaptionButton& button = FCaptionButtons[static_cast<size_t>(Index)];
  button.Hot = false;
  DrawButtonNow(Index);
  if (FRepeat.Running() && button.Pressed) FRepeat.Pause();
}

void TskSkinCustomListBox::ButtonUp(int Index) {
  TskCaptionButton& button = FCaptionButtons[static_cast<size_t>(Index)];
  button.Pressed = false;
  if (FHotButton != Index) button.Hot = false;
  DrawButtonNow(Index);
  const TNotifyEvent* events[3] = {&OnUpButtonClick, &OnDownButtonClick, &OnCheckButtonClick};
  if (FHotButton == Index && *events[Index]) {
    (*events[Index])(this);
    return;
  }
  if (Index == 0 && ItemIndex() > 0) SetItemIndex(ItemIndex() - 1);
  else if (Index == 1 && ItemIndex() < FInnerList->Count() - 1) SetItemIndex(ItemIndex() + 1);
  else if (Index == 2) CheckButtonClick();
  FRepeat.Stop();
}

void TskSkinCustomListBox::CheckButtonClick() { FInnerList->Click(); }

void TskSkinCustomListBox::TimerTick(WPARAM Timer) {
  const int direction = FRepeat.Tick(Timer);
  if (direction == 1 && ItemIndex() > 0) SetItemIndex(ItemIndex() - 1);
  else if (direction == 2 && ItemIndex() < FInnerList->Count() - 1) SetItemIndex(ItemIndex() + 1);
}

void TskSkinCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FCaptionMode) {
    TestActive(X, Y);
    if (FHotButton != -1) {
      FCapturedButton = FHotButton;
      // The release must come here even off the control: it ends the repeat.
      if (HandleAllocated()) SetCapture(Handle());
      ButtonDown(FHotButton);
    }
  }
  TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinCustomListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FCaptionMode) {
    const int captured = FCapturedButton;
    FCapturedButton = -1;
    if (captured != -1) {
      if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
      TestActive(X, Y);
      ButtonUp(captured);
    }
  }
  TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinCustomListBox::MouseMove(TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseMove(Shift, X, Y);
  if (FCaptionMode) TestActive(X, Y);
}

}  // namespace skin
