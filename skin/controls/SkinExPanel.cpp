#include "skin/controls/SkinExPanel.h"

#include "platform/classlib/WideText.h"

#include "skin/data/ResourceStrData.h"
#include "skin/data/Skutils.h"

#include <algorithm>

namespace skin {

using namespace classlib;

namespace {

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

// An empty active picture falls back to the normal one, an empty down picture to the active one.
void CopyTriple(TRect (&Target)[3], const TRect& Normal, const TRect& Active, const TRect& Down) {
  Target[0] = Normal;
  Target[1] = IsNullRect(Active) ? Target[0] : Active;
  Target[2] = IsNullRect(Down) ? Target[1] : Down;
}

void Frame(TCanvas& Canvas, const TRect& R, TColor Color) { Frm3D(Canvas, R, Color, Color); }

}  // namespace

TskSkinExPanel::TskSkinExPanel(TComponent* AOwner) : TskSkinCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FSkinDataName = "expanel";
  SetBounds(Left(), Top(), 150, 100);
}

void TskSkinExPanel::SetGlyph(const TBitmap& Value) {
  FGlyph->Assign(Value);
  Invalidate();
}

void TskSkinExPanel::SetNumGlyphs(int Value) {
  FNumGlyphs = std::clamp(Value, 1, 2);
  Invalidate();
}

void TskSkinExPanel::SetSpacing(int Value) {
  FSpacing = Value;
  Invalidate();
}

void TskSkinExPanel::SetShowRollButton(bool Value) {
  FShowRollButton = Value;
  Invalidate();
}

void TskSkinExPanel::SetShowCloseButton(bool Value) {
  FShowCloseButton = Value;
  Invalidate();
}

void TskSkinExPanel::SetRollKind(TskExPanelRollKind Value) {
  FRollKind = Value;
  Invalidate();
}

void TskSkinExPanel::SetDefaultCaptionHeight(int Value) {
  FDefaultCaptionHeight = Value;
  if (Skinned()) return;
  Invalidate();
  Realign();
}

int TskSkinExPanel::GetRollWidth() const {
  return Skinned() ? RectWidth(FLook.RollHSkinRect) : FDefaultCaptionHeight;
}

int TskSkinExPanel::GetRollHeight() const {
  return Skinned() ? RectHeight(FLook.RollVSkinRect) : FDefaultCaptionHeight;
}

void TskSkinExPanel::Close() {
  SetVisible(false);
  if (OnClose && !Designing(*this)) OnClose(this);
}

void TskSkinExPanel::HideControls() {
  if (!FAlignHeld) {
    DisableAlign();
    FAlignHeld = true;
  }
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(false);
}

void TskSkinExPanel::ShowControls() {
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(true);
  if (FAlignHeld) {
    FAlignHeld = false;
    EnableAlign();
  }
}

void TskSkinExPanel::SetRollState(bool Value) {
  if (Value == FRollState) return;
  FRollState = Value;
  FRolling = true;
  const bool horizontal = FRollKind == TskExPanelRollKind::rkRollHorizontal;
  if (Value) {
    HideControls();
    if (horizontal) {
      if (FRealWidth == 0) FRealWidth = Width();
      SetWidth(GetRollWidth());
    } else {
      if (FRealHeight == 0) FRealHeight = Height();
      SetHeight(GetRollHeight());
    }
  } else {
    // 0: no size was kept, so there is none to give back.
    if (horizontal) {
      if (FRealWidth > 0) SetWidth(FRealWidth);
      FRealWidth = 0;
    } else {
      if (FRealHeight > 0) SetHeight(FRealHeight);
      FRealHeight = 0;
    }
    ShowControls();
  }
  FRolling = false;
  if (OnChangeRollState && !Designing(*this)) OnChangeRollState(this);
}

void TskSkinExPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FRollState && !FRolling) {
    if (FRollKind == TskExPanelRollKind::rkRollHorizontal) AWidth = GetRollWidth();
    else AHeight = GetRollHeight();
  }
  TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TskSkinExPanel::AdjustClientRect(TRect& Rect) {
  if (!Skinned() || Designing(*this)) {
    Rect = classlib::Rect(1, FDefaultCaptionHeight, Width() - 1, Height() - 1);
    return;
  }
  Rect = RealClientRect;
}

void TskSkinExPanel::GetSkinData() {
  TskSkinCustomControl::GetSkinData();
  if (!Skinned()) return;
  const auto* data =
      dynamic_cast<const TskDataSkinExPanelControl*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) return;
  FLook.RollHSkinRect = data->RollHSkinRect;
  FLook.RollVSkinRect = data->RollVSkinRect;
  FLook.RollLeftOffset = data->RollLeftOffset;
  FLook.RollRightOffset = data->RollRightOffset;
  FLook.RollTopOffset = data->RollTopOffset;
  FLook.RollBottomOffset = data->RollBottomOffset;
  FLook.RollVCaptionRect = data->RollVCaptionRect;
  FLook.RollHCaptionRect = data->RollHCaptionRect;
  // The close button's active and down pictures have no fallback.
  FLook.Close[0] = data->CloseButtonRect;
  FLook.Close[1] = data->CloseButtonActiveRect;
  FLook.Close[2] = data->CloseButtonDownRect;
  CopyTriple(FLook.HRoll, data->HRollButtonRect, data->HRollButtonActiveRect, data->HRollButtonDownRect);
  CopyTriple(FLook.HRestore, data->HRestoreButtonRect, data->HRestoreButtonActiveRect, data->HRestoreButtonDownRect);
  CopyTriple(FLook.VRoll, data->VRollButtonRect, data->VRollButtonActiveRect, data->VRollButtonDownRect);
  CopyTriple(FLook.VRestore, data->VRestoreButtonRect, data->VRestoreButtonActiveRect, data->VRestoreButtonDownRect);
  FLook.CaptionRect = data->CaptionRect;
  FLook.FontName = data->FontName;
  FLook.FontStyle = data->FontStyle;
  FLook.FontHeight = data->FontHeight;
  FLook.FontColor = data->FontColor;
}

void TskSkinExPanel::ChangeSkinData() {
  TskSkinCustomControl::ChangeSkinData();
  if (!FRollState) Realign();
  else if (FRollKind == TskExPanelRollKind::rkRollVertical) SetHeight(GetRollHeight());
  else SetWidth(GetRollWidth());
}

void TskSkinExPanel::TextChanged() {
  TskSkinCustomControl::TextChanged();
  Invalidate();
}

void TskSkinExPanel::PrepareFont(TCanvas& Canvas) {
  TFont& font = *Canvas.Font();
  font.Assign(*FDefaultFont);
  if (Skinned()) {
    if (FUseSkinFont) {
      font.SetName(FLook.FontName);
      font.SetStyle(FLook.FontStyle);
      font.SetHeight(FLook.FontHeight);
    }
    font.SetColor(FLook.FontColor);
  }
  const TskResourceStrData* strings = FSkinData ? FSkinData->ResourceStrData() : nullptr;
  font.SetCharset(strings ? strings->CharSet() : FDefaultFont->Charset());
  Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
}

void TskSkinExPanel::DrawUpwardText(TCanvas& Canvas, int X, int Y, const TRect& Clip) {
  LOGFONTW logFont{};
  GetObjectW(Canvas.Font()->Handle(), sizeof logFont, &logFont);
  logFont.lfEscapement = logFont.lfOrientation = 900;
  HFONT turned = CreateFontIndirectW(&logFont);
  const HDC dc = Canvas.Handle();
  const HGDIOBJ old = SelectObject(dc, turned);
  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF color = SetTextColor(dc, ColorToRGB(Canvas.Font()->Color()));
  const WideString text = ToWide(Caption());
  ExtTextOutW(dc, X, Y, ETO_CLIPPED, &Clip, text.c_str(), static_cast<UINT>(text.size()), nullptr);
  SetTextColor(dc, color);
  SetBkMode(dc, mode);
  SelectObject(dc, old);
  DeleteObject(turned);
}

void TskSkinExPanel::CreateControlDefaultImage(TBitmap& B) {
  TCanvas& canvas = *B.Canvas();
  const int w = Width(), h = Height(), b = FDefaultCaptionHeight - 6;
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas.Brush()->SetColor(clBtnFace);
  canvas.FillRect(Rect(0, 0, w, h));
  const bool verticalStrip = FRollState && FRollKind == TskExPanelRollKind::rkRollHorizontal;
  if (!verticalStrip) {
    Frame(canvas, Rect(0, 0, w, h), clBtnShadow);
    const TRect bar = Rect(0, 0, w, FDefaultCaptionHeight);
    Frame(canvas, bar, clBtnShadow);
    Frm3D(canvas, Rect(1, 1, w - 1, FDefaultCaptionHeight - 1), clBtnHighlight, clBtnFace);
    FButtons[0].Area = FShowCloseButton ? Rect(w - b - 2, 3, w - 2, b + 3) : Rect(w - 2, 0, 0, 0);
    const int closeLeft = FButtons[0].Area.left;
    FButtons[1].Area = FShowRollButton ? Rect(closeLeft - b, 3, closeLeft, b + 3) : NullRect();
    TRect ca = Rect(2, 2, w - 2, FDefaultCaptionHeight - 2);
    ca.left += 2;
    ca.right -= (FShowCloseButton ? b : 0) + (FShowRollButton ? b : 0) + 2;
    PrepareFont(canvas);
    if (!FGlyph->Empty()) {
      DrawGlyph(canvas, ca.left, ca.top + RectHeight(ca) / 2 - FGlyph->Height() / 2, *FGlyph, FNumGlyphs, GlyphFrame());
      ca.left += FGlyph->Width() + FSpacing;
    }
    SKDrawText2(canvas, Caption(), ca);
    FCaptionArea = ca;
  } else {
    Frame(canvas, Rect(0, 0, w, h), clBtnShadow);
    Frm3D(canvas, Rect(1, 1, w - 1, h - 1), clBtnHighlight, clBtnFace);
    FButtons[0].Area = FShowCloseButton ? Rect(3, 3, b + 3, b + 3) : Rect(0, 0, 0, 3);
    const int closeBottom = FButtons[0].Area.bottom;
    FButtons[1].Area = FShowRollButton ? Rect(3, closeBottom, b + 3, closeBottom + b) : NullRect();
    TRect ca = Rect(0, 0, w, h);
    ca.top += (FShowCloseButton ? b : 0) + (FShowRollButton ? b : 0) + 2;
    PrepareFont(canvas);
    const int th = canvas.TextHeight(Caption());
    const int x = ca.left + RectWidth(ca) / 2 - th / 2;
    int y = ca.bottom - 2;
    if (!FGlyph->Empty()) {
      DrawGlyph(canvas, ca.left + RectWidth(ca) / 2 - FGlyph->Width() / 2, ca.bottom - FGlyph->Height() - 2, *FGlyph,
                FNumGlyphs, GlyphFrame());
      y -= FGlyph->Height() + FSpacing + 2;
    }
    DrawUpwardText(canvas, x, y, ca);
    FCaptionArea = ca;
  }
  DrawButtons(canvas);
}

void TskSkinExPanel::DrawSkinCaptionStrip(TBitmap& B, TRect CA) {
  TCanvas& canvas = *B.Canvas();
  const int closeWidth = RectWidth(FLook.Close[0]);
  const int gap = FShowCloseButton ? 2 : 0;
  FButtons[0].Area = FShowCloseButton ? Rect(CA.right - closeWidth, CA.top, CA.right, CA.top + RectHeight(FLook.Close[0]))
                                      : Rect(CA.right, 0, 0, 0);
  // The roll button takes the size of the vertical kind's picture whatever the kind.
  const int closeLeft = FButtons[0].Area.left;
  const int rollWidth = RectWidth(FLook.VRoll[0]);
  FButtons[1].Area = FShowRollButton
                         ? Rect(closeLeft - rollWidth - gap, CA.top, closeLeft - gap, CA.top + RectHeight(FLook.VRoll[0]))
                         : NullRect();
  CA.right -= (FShowCloseButton ? closeWidth : 0) + (FShowRollButton ? rollWidth + gap : 0);
  PrepareFont(canvas);
  if (!FGlyph->Empty()) {
    DrawGlyph(canvas, CA.left, CA.top + RectHeight(CA) / 2 - FGlyph->Height() / 2, *FGlyph, FNumGlyphs, GlyphFrame());
    CA.left += FGlyph->Width() + FSpacing;
  }
  SKDrawText2(canvas, Caption(), CA);
  FCaptionArea = CA;
}

void TskSkinExPanel::CreateControlSkinImage(TBitmap& B) {
  if (FRollState && FRollKind == TskExPanelRollKind::rkRollHorizontal) {
    if (SkinBitmap)
      CreateVSkinImage(FLook.RollTopOffset, FLook.RollBottomOffset, B, *SkinBitmap, FLook.RollHSkinRect, GetRollWidth(),
                       Height(), false);
    TCanvas& canvas = *B.Canvas();
    TRect ca = FLook.RollHCaptionRect;
    ca.bottom += Height() - RectHeight(FLook.RollHSkinRect);
    const int gap = FShowCloseButton ? 2 : 0;
    FButtons[0].Area = FShowCloseButton ? Rect(ca.left, ca.top, ca.left + RectWidth(FLook.Close[0]),
                                               ca.top + RectHeight(FLook.Close[0]))
                                        : Rect(0, 0, 0, ca.top);
    const int closeBottom = FButtons[0].Area.bottom;
    FButtons[1].Area = FShowRollButton ? Rect(ca.left, closeBottom + gap, ca.left + RectWidth(FLook.HRoll[0]),
                                              closeBottom + gap + RectHeight(FLook.HRoll[0]))
                                       : NullRect();
    ca.top += (FShowCloseButton ? RectHeight(FLook.Close[0]) : 0) +
              (FShowRollButton ? RectHeight(FLook.HRoll[0]) : 0) + gap;
    PrepareFont(canvas);
    const int th = canvas.TextHeight(Caption());
    const int x = ca.left + RectWidth(ca) / 2 - th / 2;
    int y = ca.bottom;
    if (!FGlyph->Empty()) {
      DrawGlyph(canvas, ca.left + RectWidth(ca) / 2 - FGlyph->Width() / 2, ca.bottom - FGlyph->Height(), *FGlyph,
                FNumGlyphs, GlyphFrame());
      y -= FGlyph->Height() + FSpacing;
    }
    DrawUpwardText(canvas, x, y, ca);
    FCaptionArea = ca;
  } else if (FRollState) {
    if (SkinBitmap)
      CreateHSkinImage(FLook.RollLeftOffset, FLook.RollRightOffset, B, *SkinBitmap, FLook.RollVSkinRect, Width(),
                       GetRollHeight(), false);
    TRect ca = FLook.RollVCaptionRect;
    ca.right += Width() - RectWidth(FLook.RollVSkinRect);
    DrawSkinCaptionStrip(B, ca);
  } else {
    TskSkinCustomControl::CreateControlSkinImage(B);
    TRect ca = FLook.CaptionRect;
    ca.right += Width() - RectWidth(SkinRect);
    DrawSkinCaptionStrip(B, ca);
  }
  DrawButtons(*B.Canvas());
}

void TskSkinExPanel::DrawButtons(TCanvas& Canvas) {
  if (FShowCloseButton) DrawButton(Canvas, 0);
  if (FShowRollButton) DrawButton(Canvas, 1);
}

void TskSkinExPanel::DrawButton(TCanvas& Canvas, int Index) {
  const TButtonRec& button = FButtons[Index];
  if (IsNullRect(button.Area)) return;
  const int look = button.Pressed && button.Hovered ? 2 : button.Hovered ? 1 : 0;
  const bool horizontal = FRollKind == TskExPanelRollKind::rkRollHorizontal;
  if (Skinned()) {
    const TRect* triple = FLook.Close;
    if (Index == 1) triple = FRollState ? (horizontal ? FLook.HRestore : FLook.VRestore) : (horizontal ? FLook.HRoll : FLook.VRoll);
    if (SkinBitmap && !IsNullRect(triple[look])) Canvas.CopyRect(button.Area, *SkinBitmap->Canvas(), triple[look]);
    return;
  }
  Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas.Brush()->SetColor(clBtnFace);
  Canvas.FillRect(button.Area);
  TRect r = button.Area;
  if (look != 0) {
    Frame(Canvas, r, static_cast<TColor>(0x800000));
    Canvas.Brush()->SetColor(static_cast<TColor>(look == 2 ? 0xB59385 : 0xD2BDB6));
    Canvas.FillRect(Rect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1));
  }
  if (look == 2) {
    r.left += 2;
    r.top += 2;
  }
  if (Index == 0) return DrawRCloseImage(Canvas, r, clBlack);
  DrawArrowImage(Canvas, r, clBlack, horizontal ? (FRollState ? 2 : 1) : (FRollState ? 4 : 3));
}

void TskSkinExPanel::TestActive(int X, int Y) {
  if (!FShowCloseButton && !FShowRollButton) return;
  FPreviousHotButton = FHotButton;
  FHotButton = -1;
  const POINT p{X, Y};
  if (FShowCloseButton && PtInRect(&FButtons[0].Area, p)) FHotButton = 0;
  else if (FShowRollButton && PtInRect(&FButtons[1].Area, p)) FHotButton = 1;
  // While a button is held, no other becomes active.
  if (FCapturedButton != -1 && FHotButton != FCapturedButton) FHotButton = -1;
  if (FHotButton == FPreviousHotButton) return;
  if (FPreviousHotButton != -1) FButtons[FPreviousHotButton].Hovered = false;
  if (FHotButton != -1) FButtons[FHotButton].Hovered = true;
  Invalidate();
}

void TskSkinExPanel::Dispatch(TMessage& Message) {
  TskSkinCustomControl::Dispatch(Message);
  if (Designing(*this)) return;
  if (Message.Msg == CM_MOUSEENTER) {
    TestActive(-1, -1);
  } else if (Message.Msg == CM_MOUSELEAVE) {
    bool changed = false;
    for (TButtonRec& b : FButtons) {
      changed = changed || b.Hovered;
      b.Hovered = false;
    }
    FHotButton = -1;
    if (changed) Invalidate();
  }
}

void TskSkinExPanel::MouseMove(TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseMove(Shift, X, Y);
  TestActive(X, Y);
}

void TskSkinExPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TestActive(X, Y);
  if (FHotButton != -1) {
    FCapturedButton = FHotButton;
    FButtons[FCapturedButton].Hovered = true;
    FButtons[FCapturedButton].Pressed = true;
    Invalidate();
  }
  TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinExPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
  if (FCapturedButton == -1) return;
  const int captured = FCapturedButton;
  FCapturedButton = -1;
  TButtonRec& button = FButtons[captured];
  button.Pressed = false;
  button.Hovered = FHotButton == captured;
  Invalidate();
  if (!button.Hovered) return;
  if (captured == 0) return Close();
  SetRollState(!FRollState);
  TestActive(X, Y);
  Repaint();
}

}  // namespace skin
