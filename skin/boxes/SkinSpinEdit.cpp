#include "skin/boxes/SkinSpinEdit.h"

#include "skin/controls/SkinUpDown.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinEditDescriptions.h"

#include <cmath>
#include <cstdint>

using namespace classlib;

namespace skin {

namespace {

// The default look of the small arrow buttons (0x00BBGGRR).
constexpr TColor PressedFace = static_cast<TColor>(0xB59385);
constexpr TColor HotFace = static_cast<TColor>(0xD2BDB6);

TRect MovedRight(TRect R, int DX) {
  OffsetRect(&R, DX, 0);
  return R;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskSkinNumEdit

bool TskSkinNumEdit::IsValidChar(char Ch) const {
  const TskValueType type = FFloatMode ? TskValueType::vtFloat : TskValueType::vtInteger;
  if (!IsValidNumberChar(Ch, type, Text())) return false;
  // With typing off only the control characters but Backspace pass.
  return FEditorEnabled || (static_cast<unsigned char>(Ch) < ' ' && Ch != '\b');
}

void TskSkinNumEdit::KeyPress(char& Key) {
  if (!IsValidChar(Key)) {
    Key = 0;
    MessageBeep(0);
  }
  if (Key != 0) TskCustomEdit::KeyPress(Key);
}

void TskSkinNumEdit::KeyDown(WORD& Key, TShiftState Shift) {
  // The arrow keys step the owner's value; its key events never see them.
  if (Key == VK_UP) {
    if (OnUpClick) OnUpClick(this);
  } else if (Key == VK_DOWN) {
    if (OnDownClick) OnDownClick(this);
  } else {
    TskCustomEdit::KeyDown(Key, Shift);
  }
}

void TskSkinNumEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CHAR:
      // Characters past ASCII never reach KeyPress, and none of them is a number character.
      if (Message.WParam >= 128 && !ReadOnly()) {
        MessageBeep(0);
        return;
      }
      break;
    case WM_MOUSEWHEEL:
      // A turn away from the user (a positive delta) steps down.
      if (static_cast<std::int32_t>(Message.WParam) > 0) {
        if (OnDownClick) OnDownClick(this);
      } else if (OnUpClick) {
        OnUpClick(this);
      }
      return;
  }
  TskCustomEdit::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TskSkinSpinEdit: construction and value

TskSkinSpinEdit::TskSkinSpinEdit(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
  SetControlStyle(ControlStyle().Include(TControlStyleItem::csOpaque));
  FEditor = new TskSkinNumEdit(this);
  FEditor->Font().Assign(DefaultFont());
  FEditor->SetParent(this);
  FEditor->SetAutoSize(false);
  FEditor->SetVisible(true);
  FEditor->SetEditTransparent(false);
  FEditor->OnChange = [this](TObject* Sender) { EditChange(Sender); };
  FEditor->OnUpClick = [this](TObject* Sender) { UpClick(Sender); };
  FEditor->OnDownClick = [this](TObject* Sender) { DownClick(Sender); };
  FEditor->OnKeyUp = [this](TObject* Sender, WORD& Key, TShiftState Shift) { EditKeyUp(Sender, Key, Shift); };
  FEditor->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { EditKeyDown(Sender, Key, Shift); };
  FEditor->OnKeyPress = [this](TObject* Sender, char& Key) { EditKeyPress(Sender, Key); };
  FEditor->OnEnter = [this](TObject* Sender) { EditEnter(Sender); };
  FEditor->OnExit = [this](TObject* Sender) { EditExit(Sender); };
  FEditor->OnMouseEnter = [this](TObject* Sender) { EditMouseEnter(Sender); };
  FEditor->OnMouseLeave = [this](TObject* Sender) { EditMouseLeave(Sender); };
  {
    TskGuardOn guard(FSettingText);
    SetText("0");
  }
  SetBounds(Left(), Top(), 120, 20);
  FSkinDataName = "spinedit";
}

TskSkinSpinEdit::~TskSkinSpinEdit() {
  // The editor goes first, and must not call back into a half-destroyed spin edit on its way.
  TskSkinNumEdit* editor = FEditor;
  FEditor = nullptr;
  editor->OnChange = nullptr;
  editor->OnEnter = nullptr;
  editor->OnExit = nullptr;
  editor->OnMouseEnter = nullptr;
  editor->OnMouseLeave = nullptr;
  delete editor;
}

double TskSkinSpinEdit::CheckValue(double X) const {
  if (FMinValue == 0 && FMaxValue == 0) return X;
  if (X < FMinValue) return FMinValue;
  if (X > FMaxValue) return FMaxValue;
  return X;
}

void TskSkinSpinEdit::SetValue(double X) {
  FValue = CheckValue(X);
  const bool fromHandler = FSettingText;
  {
    TskGuardOn guard(FSettingText);
    const String text = FormatNumberValue(FValue, FValueType, FDecimal);
    if (fromHandler)
      WriteEditorText(text);
    else
      SetText(text);  // the editor follows through CM_TEXTCHANGED
  }
  if (!fromHandler) Change();
}

void TskSkinSpinEdit::SimpleSetValue(double X) {
  FValue = CheckValue(X);
  TskGuardOn guard(FSettingText);
  SetText(FormatNumberValue(FValue, FValueType, FDecimal));
}

void TskSkinSpinEdit::Change() {
  TskGuardOn guard(FSettingText);
  if (OnChange) OnChange(this);
}

void TskSkinSpinEdit::SetMinValue(double Value) {
  FMinValue = Value;
  if (FValue < FMinValue) SetValue(FMinValue);
}

void TskSkinSpinEdit::SetMaxValue(double Value) {
  FMaxValue = Value;
  if (FValue > FMaxValue) SetValue(FMaxValue);
}

void TskSkinSpinEdit::SetValueType(TskValueType Value) {
  if (Value != FValueType) {
    FValueType = Value;
    if (Value == TskValueType::vtInteger) {
      FIncrement = std::nearbyint(FIncrement);  // halves to the even neighbour
      if (FIncrement == 0) FIncrement = 1;
    }
  }
  FEditor->SetFloatMode(FValueType == TskValueType::vtFloat);
}

void TskSkinSpinEdit::UpClick(TObject*) { SetValue(FValue + FIncrement); }

void TskSkinSpinEdit::DownClick(TObject*) { SetValue(FValue - FIncrement); }

void TskSkinSpinEdit::WriteEditorText(const String& S) {
  if (FEditor) FEditor->SetText(S);
}

void TskSkinSpinEdit::EditChange(TObject*) {
  TskGuardOn guard(FEditChanging);
  SetText(FEditor->Text());
}

void TskSkinSpinEdit::FollowEditor() {
  if (FSettingText || !FEditor) return;
  const String text = FEditor->Text();
  double x = 0;
  // A text too long for its kind of number counts as no number: the value stays.
  if (!IsNumText(text) || !NumberFromText(text, FValueType, x)) return;
  const double v = CheckValue(x);
  if (v != FValue) {
    FValue = v;
    Change();
  }
  if (NeedsCorrection(x, v, FMinValue)) {
    TskGuardOn guard(FSettingText);
    WriteEditorText(FormatNumberValue(v, FValueType, FDecimal));
  }
}

// ---------------------------------------------------------------------------------------------
// The editor's events

void TskSkinSpinEdit::EditKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  if (OnEditKeyDown) OnEditKeyDown(this, Key, Shift);
}

void TskSkinSpinEdit::EditKeyUp(TObject*, WORD& Key, TShiftState Shift) {
  if (OnEditKeyUp) OnEditKeyUp(this, Key, Shift);
}

void TskSkinSpinEdit::EditKeyPress(TObject*, char& Key) {
  if (OnEditKeyPress) OnEditKeyPress(this, Key);
}

void TskSkinSpinEdit::SetEditorFontColor(TColor Color) {
  if (FEditor) FEditor->Font().SetColor(Color);
}

void TskSkinSpinEdit::ApplyStateFontColor(bool Hover) {
  if (!Skinned())
    SetEditorFontColor(Enabled() ? DefaultFont().Color() : clGrayText);
  else if (!Enabled())
    SetEditorFontColor(FDisabledFontColor);
  else if (Hover && (FMouseInControl || FEditorFocused))
    SetEditorFontColor(FActiveFontColor);
  else
    SetEditorFontColor(FFontColor);
}

void TskSkinSpinEdit::EditMouseEnter(TObject*) {
  FMouseInControl = true;
  if (HasActiveLook() && !FEditorFocused) Repaint();
  if (ColorsDiffer() && !FEditorFocused) SetEditorFontColor(FActiveFontColor);
}

void TskSkinSpinEdit::EditMouseLeave(TObject*) {
  FMouseInControl = false;
  if (HasActiveLook() && !FEditorFocused) Repaint();
  if (ColorsDiffer() && !FEditorFocused) SetEditorFontColor(FFontColor);
}

void TskSkinSpinEdit::EditEnter(TObject*) {
  if (OnEditEnter) OnEditEnter(this);
  FEditorFocused = true;
  if (HasActiveLook()) Repaint();
  if (ColorsDiffer()) SetEditorFontColor(FActiveFontColor);
}

void TskSkinSpinEdit::EditExit(TObject*) {
  if (OnEditExit) OnEditExit(this);
  FEditorFocused = false;
  if (HasActiveLook()) Repaint();
  if (ColorsDiffer() && !FMouseInControl) SetEditorFontColor(FFontColor);
  // An unfinished or out-of-range text gives way to the value.
  TskGuardOn guard(FSettingText);
  WriteEditorText(FormatNumberValue(FValue, FValueType, FDecimal));
}

// ---------------------------------------------------------------------------------------------
// Skin and layout

void TskSkinSpinEdit::GetSkinData() {
  TskSkinCustomControl::GetSkinData();
  if (FSkinControlIndex == -1) return;
  const auto* data =
      dynamic_cast<const TskDataSkinSpinEditControl*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) {
    // A description of another kind has none of the values the look needs.
    FSkinControlIndex = -1;
    return;
  }
  FActiveSkinRect = data->ActiveSkinRect;
  FFontName = data->FontName;
  FFontStyle = data->FontStyle;
  FFontHeight = data->FontHeight;
  FFontColor = data->FontColor;
  FActiveFontColor = data->ActiveFontColor;
  FDisabledFontColor = data->DisabledFontColor;
  FUpButtonRect = data->UpButtonRect;
  FActiveUpButtonRect = data->ActiveUpButtonRect;
  FDownUpButtonRect = IsNullRect(data->DownUpButtonRect) ? data->ActiveUpButtonRect : data->DownUpButtonRect;
  FDownButtonRect = data->DownButtonRect;
  FActiveDownButtonRect = data->ActiveDownButtonRect;
  FDownDownButtonRect = IsNullRect(data->DownDownButtonRect) ? data->ActiveDownButtonRect : data->DownDownButtonRect;
  FSkinLeftOffset = data->SkinLeftTopPoint.x;
  FSkinRightOffset = RectWidth(data->SkinRect) - data->SkinRightTopPoint.x;
}

void TskSkinSpinEdit::ChangeSkinData() {
  TskSkinCustomControl::ChangeSkinData();
  TFont& font = FEditor->Font();
  font.Assign(DefaultFont());
  if (Skinned()) {
    if (FUseSkinFont) {
      font.SetStyle(FFontStyle);
      font.SetHeight(FFontHeight);
      font.SetName(FFontName);
    }
    font.SetColor(FFontColor);
  }
  const TskResourceStrData* strings = FSkinData ? FSkinData->ResourceStrData() : nullptr;
  font.SetCharset(strings ? strings->CharSet() : DefaultFont().Charset());
  FEditor->SetEditTransparent(Skinned());
  if (Skinned() && FUseSkinSize) SetHeight(RectHeight(SkinRect));
  CalcRects();
  ApplyStateFontColor(true);
  Repaint();
}

void TskSkinSpinEdit::DefaultFontChange() {
  if (!FEditor || (Skinned() && FUseSkinFont)) return;
  FEditor->Font().Assign(DefaultFont());
  AdjustEditHeight();
}

void TskSkinSpinEdit::AdjustEditHeight() {
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, FEditor->Font().Handle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  FEditor->SetHeight(metrics.tmHeight);
}

void TskSkinSpinEdit::CalcRects() {
  if (!FEditor) return;
  const int w = Width(), h = Height();
  TArrowButton& up = FArrowButtons[0];
  TArrowButton& down = FArrowButtons[1];
  if (!Skinned()) {
    up.Rect = Rect(w - 17, 2, w - 2, h / 2);
    down.Rect = Rect(w - 17, h / 2, w - 2, h - 2);
    FEditor->SetBounds(2, 2, w - 19, h - 4);
    AdjustEditHeight();
    FEditor->SetBounds(2, h / 2 - FEditor->Height() / 2, w - 19, FEditor->Height());
    return;
  }
  // Buttons in the right end move with it.
  const int dw = w - RectWidth(SkinRect);
  up.Rect = FUpButtonRect.left > SkinRightTopPoint.x ? MovedRight(FUpButtonRect, dw) : FUpButtonRect;
  down.Rect = FDownButtonRect.left > SkinRightTopPoint.x ? MovedRight(FDownButtonRect, dw) : FDownButtonRect;
  TRect area = SkinClientRect;
  area.right += dw;
  if (!FUseSkinSize) {
    const int dh = h - RectHeight(SkinRect);
    area.bottom += dh;
    if (up.Rect.bottom > down.Rect.bottom) {
      up.Rect.bottom += dh;
      down.Rect.bottom += dh;
    } else {
      const TRect whole = Rect(up.Rect.left, up.Rect.top, down.Rect.right, down.Rect.bottom + dh);
      const int y = whole.top + (whole.bottom - whole.top) / 2;
      up.Rect = Rect(whole.left, whole.top, whole.right, y);
      down.Rect = Rect(whole.left, y, whole.right, whole.bottom);
    }
  }
  AdjustEditHeight();
  const int editHeight = FEditor->Height();
  FEditor->SetBounds(area.left, area.top + RectHeight(area) / 2 - editHeight / 2, RectWidth(area), editHeight);
}

void TskSkinSpinEdit::CalcSize(int& W, int& H) {
  if (FUseSkinSize) {
    TskSkinCustomControl::CalcSize(W, H);
    return;
  }
  const int dw = W - RectWidth(SkinRect);
  RealLeftTopPoint = SkinLeftTopPoint;
  RealRightTopPoint = Point(SkinRightTopPoint.x + dw, SkinRightTopPoint.y);
  RealClientRect = SkinClientRect;
  RealClientRect.right += dw;
}

void TskSkinSpinEdit::SetControlRegion() {
  if (FUseSkinSize) TskSkinCustomControl::SetControlRegion();
}

// ---------------------------------------------------------------------------------------------
// Look

void TskSkinSpinEdit::CreateControlDefaultImage(TBitmap& B) {
  TCanvas& canvas = *B.Canvas();
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  TRect r = Rect(0, 0, Width(), Height());
  canvas.Brush()->SetColor(clBtnShadow);
  canvas.FrameRect(r);
  InflateRect(&r, -1, -1);
  canvas.Brush()->SetColor(clBtnFace);
  canvas.FrameRect(r);
  DrawButton(canvas, 0);
  DrawButton(canvas, 1);
}

void TskSkinSpinEdit::DrawButton(TCanvas& Canvas, int I) {
  const TArrowButton& button = FArrowButtons[I];
  if (Skinned()) {
    TRect source{};
    if (button.Pressed && button.Hot)
      source = I == 0 ? FDownUpButtonRect : FDownDownButtonRect;
    else if (button.Hot)
      source = I == 0 ? FActiveUpButtonRect : FActiveDownButtonRect;
    if (!IsNullRect(source) && SkinBitmap && !SkinBitmap->Empty())
      Canvas.CopyRect(button.Rect, *SkinBitmap->Canvas(), source);
    return;
  }
  TRect r = button.Rect;
  Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  if (button.Hot) {
    Canvas.Brush()->SetColor(clNavy);
    Canvas.FrameRect(r);
    InflateRect(&r, -1, -1);
    Canvas.Brush()->SetColor(button.Pressed ? PressedFace : HotFace);
  } else {
    Canvas.Brush()->SetColor(clBtnFace);
  }
  Canvas.FillRect(r);
  DrawArrowImage(Canvas, r, clBlack, I == 0 ? 3 : 4);
}

void TskSkinSpinEdit::CreateControlSkinImage(TBitmap& B) {
  const bool active = (FMouseInControl || FEditorFocused) && !IsNullRect(FActiveSkinRect);
  if (!SkinBitmap || SkinBitmap->Empty()) return;
  if (FUseSkinSize) {
    if (active)
      CreateHSkinImage(FSkinLeftOffset, FSkinRightOffset, B, *SkinBitmap, FActiveSkinRect, Width(),
                       RectHeight(FActiveSkinRect), SkinStretchEffect);
    else
      TskSkinCustomControl::CreateControlSkinImage(B);
    DrawButton(*B.Canvas(), 0);
    DrawButton(*B.Canvas(), 1);
    return;
  }
  // Any size: the picture at the skin's height, stretched over the control.
  TBitmap picture;
  CreateHSkinImage(SkinLeftTopPoint.x, RectWidth(SkinRect) - SkinRightTopPoint.x, picture, *SkinBitmap,
                   active ? FActiveSkinRect : SkinRect, Width(), RectHeight(SkinRect), SkinStretchEffect);
  B.Canvas()->StretchDraw(Rect(0, 0, Width(), Height()), &picture);
  for (int i = 0; i < 2; ++i)
    DrawResizeArrowButton(*B.Canvas(), *FSkinData, FArrowButtons[i].Rect, FArrowButtons[i].Hot,
                          FArrowButtons[i].Pressed, i == 0 ? 3 : 4);
}

void TskSkinSpinEdit::Invalidate() {
  TskSkinCustomControl::Invalidate();
  // Transparent when skinned: the editor shows the control's new face only when it repaints too.
  if (FEditor && Skinned()) FEditor->Invalidate();
}

void TskSkinSpinEdit::PaintEditorInto(HDC DC) {
  if (!FEditor || !FEditor->HandleAllocated()) return;
  const int saved = SaveDC(DC);
  POINT origin;
  GetViewportOrgEx(DC, &origin);
  SetViewportOrgEx(DC, origin.x + FEditor->Left(), origin.y + FEditor->Top(), nullptr);
  IntersectClipRect(DC, 0, 0, FEditor->Width(), FEditor->Height());
  SendMessageW(FEditor->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  RestoreDC(DC, saved);
}

// ---------------------------------------------------------------------------------------------
// Buttons and repeat

void TskSkinSpinEdit::TestActive(int X, int Y) {
  FPreviousHotButton = FHotButton;
  FHotButton = -1;
  const POINT p{X, Y};
  for (int i = 0; i < 2 && FHotButton == -1; ++i)
    if (PtInRect(&FArrowButtons[i].Rect, p)) FHotButton = i;
  if (FCapturedButton != -1 && FHotButton != FCapturedButton) FHotButton = -1;
  if (FHotButton == FPreviousHotButton) return;
  if (FPreviousHotButton != -1) ButtonLeave(FPreviousHotButton);
  if (FHotButton != -1) ButtonEnter(FHotButton);
}

void TskSkinSpinEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TestActive(X, Y);
  if (FHotButton != -1) {
    FCapturedButton = FHotButton;
    // The release counts wherever it happens.
    if (HandleAllocated()) SetCapture(Handle());
    ButtonDown(FHotButton);
  }
  TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinSpinEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const int captured = FCapturedButton;
  FCapturedButton = -1;
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  if (captured != -1) ButtonUp(captured);
  TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinSpinEdit::MouseMove(TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseMove(Shift, X, Y);
  TestActive(X, Y);
}

void TskSkinSpinEdit::ButtonDown(int I) {
  FArrowButtons[I].Hot = true;
  FArrowButtons[I].Pressed = true;
  Repaint();
  FRepeat.Start(I == 0 ? 2 : 1);
}

void TskSkinSpinEdit::ButtonEnter(int I) {
  FArrowButtons[I].Hot = true;
  Repaint();
  if (FArrowButtons[I].Pressed) FRepeat.Resume();
}

void TskSkinSpinEdit::ButtonLeave(int I) {
  FArrowButtons[I].Hot = false;
  Repaint();
  if (FArrowButtons[I].Pressed) FRepeat.Pause();
}

void TskSkinSpinEdit::ButtonUp(int I) {
  TArrowButton& button = FArrowButtons[I];
  button.Pressed = false;
  if (I != FHotButton) button.Hot = false;
  Repaint();
  // Released over the button: one more step; anywhere else none.
  if (button.Hot) SetValue(I == 0 ? FValue + FIncrement : FValue - FIncrement);
  FRepeat.Stop();
}

// ---------------------------------------------------------------------------------------------
// Messages

void TskSkinSpinEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_TIMER:
      TskSkinCustomControl::Dispatch(Message);
      switch (FRepeat.Tick(Message.WParam)) {
        case 1:
          SetValue(FValue - FIncrement);
          break;
        case 2:
          SetValue(FValue + FIncrement);
          break;
      }
      return;
    case WM_SIZE:
      TskSkinCustomControl::Dispatch(Message);
      CalcRects();
      return;
    case WM_ERASEBKGND:
      if (!FInWMPaint) {
        const HDC dc = reinterpret_cast<HDC>(Message.WParam);
        PaintWindow(dc);
        PaintEditorInto(dc);
      }
      Message.Result = 1;
      return;
    case CM_TEXTCHANGED:
      TskSkinCustomControl::Dispatch(Message);
      if (!FEditChanging) WriteEditorText(Text());
      FollowEditor();
      return;
    case CM_ENABLEDCHANGED:
      TskSkinCustomControl::Dispatch(Message);
      ApplyStateFontColor(false);
      return;
    case CM_FOCUSCHANGED:
      TskSkinCustomControl::Dispatch(Message);
      if (Focused() && FEditor && FEditor->HandleAllocated()) FEditor->SetFocus();
      return;
    case CM_MOUSEENTER:
      TskSkinCustomControl::Dispatch(Message);
      TestActive(-1, -1);
      if (!FEditorFocused && HasActiveLook()) {
        FMouseInControl = true;
        Repaint();
      }
      if (ColorsDiffer() && !FEditorFocused) SetEditorFontColor(FActiveFontColor);
      return;
    case CM_MOUSELEAVE: {
      TskSkinCustomControl::Dispatch(Message);
      for (TArrowButton& button : FArrowButtons) {
        if (!button.Hot) continue;
        button.Hot = false;
        Repaint();
      }
      POINT p;
      GetCursorPos(&p);
      const HWND under = WindowFromPoint(p);
      const bool overEditor = FEditor && FEditor->HandleAllocated() && under == FEditor->Handle();
      if (!overEditor && !FEditorFocused && HasActiveLook()) {
        FMouseInControl = false;
        Repaint();
      }
      if (ColorsDiffer() && !FEditorFocused && !overEditor) SetEditorFontColor(FFontColor);
      return;
    }
  }
  TskSkinCustomControl::Dispatch(Message);
}

}  // namespace skin
