#include "flat/PlainGroupBox.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/classlib/WideText.h"

namespace flat {

using namespace classlib;

TPlainGroupBox::TPlainGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  // The original library's controls start white and following their parent's colour.
  SetColor(clWindow);
  SetParentColor(true);
  SetBounds(0, 0, 185, 105);
}

void TPlainGroupBox::SetTransparent(bool Value) {
  FTransparent = Value;
  Invalidate();
}

void TPlainGroupBox::SetBorder(TGroupBoxBorder Value) {
  FBorder = Value;
  Invalidate();
}

void TPlainGroupBox::SetColors(int Index, TColor Value) {
  if (Index == 0) FColorBorder = Value;
  Invalidate();
}

void TPlainGroupBox::SetAdvColors(int Index, TAdvColors Value) {
  if (Index == 0) FAdvColorBorder = Value;
  CalcAdvColors();
  Invalidate();
}

void TPlainGroupBox::SetUseAdvColors(bool Value) {
  if (Value == FUseAdvColors) return;
  FUseAdvColors = Value;
  SetParentColor(Value);
  CalcAdvColors();
  Invalidate();
}

void TPlainGroupBox::CalcAdvColors() {
  if (FUseAdvColors)
    FColorBorder = CalcAdvancedColor(Color(), FColorBorder, FAdvColorBorder, TColorCalcType::darken);
}

bool TPlainGroupBox::IsCaptionAccelerator(WPARAM Character) const {
  const WideString caption = ToWide(Caption());
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&') continue;
    if (caption[++i] == u'&') continue;  // "&&" is a literal ampersand
    WCHAR pair[2] = {static_cast<WCHAR>(caption[i]), static_cast<WCHAR>(Character)};
    CharUpperBuffW(pair, 2);
    return pair[0] == pair[1];
  }
  return false;
}

void TPlainGroupBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      // Opaque: Paint covers every pixel, so erasing first would only flicker.
      Message.Result = 1;
      return;
    case WM_MOVE:
    case WM_SIZE:
      TCustomControl::Dispatch(Message);
      if (FTransparent) Invalidate();
      return;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
      TCustomControl::Dispatch(Message);
      Invalidate();
      return;
    case CM_PARENTCOLORCHANGED:
      if (ParentColor() && Parent()) {
        SetColor(Parent()->Color());
        SetParentColor(true);
      }
      [[fallthrough]];
    case CM_SYSCOLORCHANGE:
      if (FUseAdvColors) {
        SetParentColor(true);
        CalcAdvColors();
      }
      Invalidate();
      return;
    case CM_DIALOGCHAR:
      if (IsCaptionAccelerator(Message.WParam) && CanFocus()) {
        SetFocus();
        Message.Result = 1;
        return;
      }
      break;
  }
  TCustomControl::Dispatch(Message);
}

void TPlainGroupBox::Paint() {
  const TRect client = ClientRect();
  if (client.right <= client.left || client.bottom <= client.top) return;
  TBitmap buffer;
  buffer.SetSize(client.right, client.bottom);
  TCanvas& canvas = *buffer.Canvas();
  canvas.SetFont(Font());
  const TSize text = canvas.TextExtent(Caption());
  const TRect captionRect = Rect(client.left + 10, client.top, client.right - 10, client.top + text.cy);

  if (FTransparent) {
    DrawParentImage(*this, canvas);
  } else {
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(client);
  }

  canvas.Pen()->SetColor(FColorBorder);
  canvas.Pen()->SetWidth(1);
  // The top line runs through the middle of the caption and leaves a gap for it.
  const int y = client.top + text.cy / 2;
  const TPoint gapLeft = Point(client.left + 5, y), gapRight = Point(client.left + text.cx + 12, y);
  if (FBorder == TGroupBoxBorder::brFull) {
    canvas.Polyline({gapLeft, Point(client.left, y), Point(client.left, client.bottom - 1),
                     Point(client.right - 1, client.bottom - 1), Point(client.right - 1, y), gapRight});
  } else {
    canvas.Polyline({gapLeft, Point(client.left, y)});
    canvas.Polyline({Point(client.right - 1, y), gapRight});
  }

  // One line, clipped to its rectangle; an ampersand underlines the next character. Drawn
  // without a background, etched when the box is disabled.
  TFont& font = *canvas.Font();
  TRect r = captionRect;
  if (!Enabled()) {
    font.SetColor(clBtnHighlight);
    OffsetRect(&r, 1, 1);
    DrawControlText(canvas.Handle(), font, Caption(), r, DT_SINGLELINE);
    font.SetColor(clBtnShadow);
    r = captionRect;
  }
  DrawControlText(canvas.Handle(), font, Caption(), r, DT_SINGLELINE);

  Canvas().CopyRect(client, canvas, client);
}

}  // namespace flat
