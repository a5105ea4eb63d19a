// How the skinned combo box measures and paints itself: the default look from system colours, and
// the skin look cut from its description at the skin's size or stretched to any size.
#include "skin/boxes/SkinComboBox.h"

#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonDescriptions.h"
#include "skin/data/Skutils.h"

#include <algorithm>

using namespace classlib;

namespace skin {

namespace {

bool IsEmpty(const TRect& R) { return R.right <= R.left || R.bottom <= R.top; }

constexpr TColor PressedFill = 0xB59385;  // RGB(133, 147, 181)
constexpr TColor HotFill = 0xD2BDB6;      // RGB(182, 189, 210)

}  // namespace

void TskComboBoxSkinValues::Copy(const TskDataSkinComboBox& Data) {
  ItemRect = Data.ItemRect;
  FocusItemRect = IsEmpty(Data.FocusItemRect) ? Data.ItemRect : Data.FocusItemRect;
  ItemLeftOffset = Data.ItemLeftOffset;
  ItemRightOffset = Data.ItemRightOffset;
  ItemTextRect = Data.ItemTextRect;
  FontName = Data.FontName;
  FontStyle = Data.FontStyle;
  FontHeight = Data.FontHeight;
  FontColor = Data.FontColor;
  FocusFontColor = Data.FocusFontColor;
  ListBoxName = Data.ListBoxName;
  ButtonRect = Data.ButtonRect;
  ActiveButtonRect = Data.ActiveButtonRect;
  DownButtonRect = Data.DownButtonRect;
  UnEnabledButtonRect = Data.UnEnabledButtonRect;
  ItemStretchEffect = Data.ItemStretchEffect;
  FocusItemStretchEffect = Data.FocusItemStretchEffect;
}

void TskSkinCustomComboBox::GetSkinData() {
  TskSkinCustomControl::GetSkinData();
  if (FSkinControlIndex == -1) return;
  if (const auto* data =
          dynamic_cast<const TskDataSkinComboBox*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get()))
    FValues.Copy(*data);
}

TFontCharset TskSkinCustomComboBox::CharsetInUse() const {
  if (FSkinData && FSkinData->ResourceStrData()) return FSkinData->ResourceStrData()->CharSet();
  return const_cast<TskSkinCustomComboBox*>(this)->DefaultFont().Charset();
}

// ---------------------------------------------------------------------------------------------
// Areas and size

void TskSkinCustomComboBox::CalcRects() {
  if (FSkinControlIndex == -1) {
    FButtonAreaRect = Rect(Width() - 19, 2, Width() - 2, Height() - 2);
    FItemAreaRect = Rect(2, 2, FButtonAreaRect.left - 1, Height() - 2);
  } else {
    const int dw = Width() - RectWidth(SkinRect);
    FButtonAreaRect = FValues.ButtonRect;
    if (FButtonAreaRect.left >= RectWidth(SkinRect) - SkinRightTopPoint.x) OffsetRect(&FButtonAreaRect, dw, 0);
    FItemAreaRect = SkinClientRect;
    FItemAreaRect.right += dw;
    if (!FUseSkinSize) {
      const int dh = Height() - RectHeight(SkinRect);
      FButtonAreaRect.bottom += dh;
      FItemAreaRect.bottom += dh;
    }
  }
  if (FEditor) {
    AdjustEditHeight();
    FEditor->SetBounds(FItemAreaRect.left,
                       FItemAreaRect.top + RectHeight(FItemAreaRect) / 2 - FEditor->Height() / 2,
                       RectWidth(FItemAreaRect), FEditor->Height());
  }
}

void TskSkinCustomComboBox::AdjustEditHeight() {
  const HDC dc = GetDC(nullptr);
  TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.SetFont(FEditor->Font());
  TEXTMETRICW metrics{};
  GetTextMetricsW(canvas.Handle(), &metrics);
  canvas.SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  FEditor->SetHeight(metrics.tmHeight);
}

void TskSkinCustomComboBox::CalcSize(int& W, int& H) {
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

void TskSkinCustomComboBox::SetControlRegion() {
  if (FUseSkinSize) TskSkinCustomControl::SetControlRegion();
}

void TskSkinCustomComboBox::DefaultFontChange() { Font().Assign(DefaultFont()); }

void TskSkinCustomComboBox::Invalidate() {
  TskSkinCustomControl::Invalidate();
  if (FSkinControlIndex != -1 && FEditor) FEditor->Invalidate();
}

void TskSkinCustomComboBox::ChangeSkinData() {
  TskSkinCustomControl::ChangeSkinData();
  CalcRects();
  const bool skinned = FSkinControlIndex != -1;
  if (FEditor) {
    if (skinned && FUseSkinFont) {
      FEditor->Font().SetStyle(FValues.FontStyle);
      FEditor->Font().SetHeight(FValues.FontHeight);
      FEditor->Font().SetName(FValues.FontName);
      FEditor->Font().SetColor(FValues.FontColor);
    } else {
      FEditor->Font().Assign(DefaultFont());
      if (skinned) FEditor->Font().SetColor(FValues.FontColor);
    }
    FEditor->Font().SetCharset(CharsetInUse());
    FEditor->SetEditTransparent(skinned);
  }
  Invalidate();
  FDropDownList->SetSkinDataName(skinned ? FValues.ListBoxName : String());
  FDropDownList->SetSkinData(FSkinData);
  FDropDownList->UpDateScrollBar();
  CalcRects();
}

// ---------------------------------------------------------------------------------------------
// Images

void TskSkinCustomComboBox::CreateControlDefaultImage(TBitmap& B) {
  CalcRects();
  TCanvas& c = *B.Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  c.Brush()->SetStyle(TBrushStyle::bsSolid);
  c.Brush()->SetColor(clBtnFace);
  c.FillRect(r);
  c.Brush()->SetColor(clBtnShadow);
  c.FrameRect(r);
  InflateRect(&r, -2, -2);
  c.Brush()->SetColor(clWindow);
  c.FillRect(r);
  DrawButton(c);
  if (!FEditor) DrawDefaultItem(c);
}

void TskSkinCustomComboBox::CreateControlSkinImage(TBitmap& B) {
  CalcRects();
  if (FUseSkinSize) {
    TskSkinCustomControl::CreateControlSkinImage(B);
  } else if (SkinBitmap) {
    TBitmap strip;
    CreateHSkinImage(SkinLeftTopPoint.x, RectWidth(SkinRect) - SkinRightTopPoint.x, strip, *SkinBitmap, SkinRect,
                     Width(), RectHeight(SkinRect), false);
    B.Canvas()->StretchDraw(Rect(0, 0, Width(), Height()), &strip);
  }
  TCanvas& c = *B.Canvas();
  if (FUseSkinSize)
    DrawButton(c);
  else
    DrawResizeButton(c);
  if (!FEditor) {
    if (FUseSkinSize)
      DrawSkinItem(c);
    else
      DrawResizeSkinItem(c);
  }
}

void TskSkinCustomComboBox::DrawButton(TCanvas& Canvas) {
  if (FSkinControlIndex != -1) {
    if (!SkinBitmap) return;
    TRect source{};
    if (!Enabled() && !IsEmpty(FValues.UnEnabledButtonRect)) source = FValues.UnEnabledButtonRect;
    else if (FButtonPressed && FButtonHot) source = FValues.DownButtonRect;
    else if (FButtonHot) source = FValues.ActiveButtonRect;
    if (!IsEmpty(source))
      Canvas.CopyRect(Rect(FButtonAreaRect.left, FButtonAreaRect.top, FButtonAreaRect.left + RectWidth(source),
                           FButtonAreaRect.top + RectHeight(source)),
                      *SkinBitmap->Canvas(), source);
    return;
  }
  TRect r = FButtonAreaRect;
  const bool hot = FButtonHot;
  Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas.Brush()->SetColor(hot ? clNavy : clBtnShadow);
  Canvas.FrameRect(r);
  InflateRect(&r, -1, -1);
  Canvas.Brush()->SetColor(hot ? (FButtonPressed ? PressedFill : HotFill) : clBtnFace);
  Canvas.FillRect(r);
  DrawArrowImage(Canvas, FButtonAreaRect, Enabled() ? clBlack : clBtnShadow, 4);
}

void TskSkinCustomComboBox::DrawResizeButton(TCanvas& Canvas) {
  const int index = FindSkinControlIndex(FSkinData, "resizebutton");
  if (index == -1) return;
  const auto* data = dynamic_cast<const TskDataSkinButtonControl*>(FSkinData->CtrlList[static_cast<size_t>(index)].get());
  if (!data) return;
  TBitmap* picture = SkinPicture(*FSkinData, data->PictureIndex);
  if (!picture) return;
  const int w = RectWidth(FButtonAreaRect), h = RectHeight(FButtonAreaRect);
  if (w <= 0 || h <= 0) return;
  const int dw = w - RectWidth(data->SkinRect), dh = h - RectHeight(data->SkinRect);
  const TRect active = IsEmpty(data->ActiveSkinRect) ? data->SkinRect : data->ActiveSkinRect;
  const TRect down = IsEmpty(data->DownSkinRect) ? active : data->DownSkinRect;
  const TRect source = FButtonPressed && FButtonHot ? down : FButtonHot ? active : data->SkinRect;
  TRect client = data->SkinClientRect;
  client.right += dw;
  client.bottom += dh;
  TBitmap bitmap;
  CreateSkinImage(data->SkinLeftTopPoint, data->SkinRightTopPoint, data->SkinLeftBottomPoint,
                  data->SkinRightBottomPoint, data->SkinClientRect, data->SkinLeftTopPoint,
                  Point(data->SkinRightTopPoint.x + dw, data->SkinRightTopPoint.y),
                  Point(data->SkinLeftBottomPoint.x, data->SkinLeftBottomPoint.y + dh),
                  Point(data->SkinRightBottomPoint.x + dw, data->SkinRightBottomPoint.y + dh), client, bitmap, *picture,
                  source, w, h, true);
  if (Enabled()) {
    const TColor color = FButtonPressed && FButtonHot ? data->DownFontColor : FButtonHot ? data->ActiveFontColor : data->FontColor;
    TRect arrow = Rect(0, 0, w, h);
    if (FButtonPressed) OffsetRect(&arrow, 0, 2);
    DrawArrowImage(*bitmap.Canvas(), arrow, color, 4);
  }
  Canvas.Draw(FButtonAreaRect.left, FButtonAreaRect.top, &bitmap);
}

void TskSkinCustomComboBox::DrawItemContent(TBitmap& Bitmap, TRect TextRect) {
  const int index = FDropDownList->Visible() ? FSavedItemIndex : FDropDownList->ItemIndex();
  if (index < 0 || index >= FDropDownList->Items().Count()) return;
  TCanvas& c = *Bitmap.Canvas();
  if (OnComboBoxDrawItem) {
    OnComboBoxDrawItem(c, index, Bitmap.Width(), Bitmap.Height(), TextRect, FItemDrawState);
    return;
  }
  if (TImageList* images = Images()) {
    const int image = ImageIndex() >= 0 ? ImageIndex() : index;
    if (image < images->Count())
      images->Draw(c, TextRect.left, TextRect.top + RectHeight(TextRect) / 2 - images->Height() / 2, image, true);
    TextRect.left += images->Width() + 2;
  }
  SKDrawText2(c, FDropDownList->Items()[index], TextRect);
}

void TskSkinCustomComboBox::DrawDefaultItem(TCanvas& Canvas) {
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
  FItemDrawState = focused ? odFocused : 0;
  DrawItemContent(bitmap, Rect(2, 0, w - 2, h));
  if (focused) c.DrawFocusRect(Rect(0, 0, w, h));
  Canvas.Draw(FItemAreaRect.left, FItemAreaRect.top, &bitmap);
}

// The item strip: from the description's strip, or the control image beneath the item area.
void TskSkinCustomComboBox::BuildSkinStrip(TBitmap& Strip, TCanvas& Canvas, bool Focused) {
  const int w = RectWidth(FItemAreaRect);
  const TRect source = Focused ? FValues.FocusItemRect : FValues.ItemRect;
  if (!IsEmpty(source) && SkinBitmap) {
    CreateHSkinImage(FValues.ItemLeftOffset, FValues.ItemRightOffset, Strip, *SkinBitmap, source, w,
                     RectHeight(source), Focused ? FValues.FocusItemStretchEffect : FValues.ItemStretchEffect);
  } else {
    Strip.SetSize(w, RectHeight(FItemAreaRect));
    Strip.Canvas()->CopyRect(Rect(0, 0, w, RectHeight(FItemAreaRect)), Canvas, FItemAreaRect);
  }
}

void TskSkinCustomComboBox::DrawSkinItem(TCanvas& Canvas) {
  const int w = RectWidth(FItemAreaRect);
  if (w <= 0) return;
  const bool focused = Focused();
  TBitmap strip;
  BuildSkinStrip(strip, Canvas, focused);
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
  FItemDrawState = focused ? odFocused : 0;
  DrawItemContent(strip, text);
  Canvas.Draw(FItemAreaRect.left, FItemAreaRect.top, &strip);
}

void TskSkinCustomComboBox::DrawResizeSkinItem(TCanvas& Canvas) {
  const int w = RectWidth(FItemAreaRect), h = RectHeight(FItemAreaRect);
  if (w <= 0 || h <= 0) return;
  const bool focused = Focused();
  TBitmap strip;
  BuildSkinStrip(strip, Canvas, focused);
  TBitmap bitmap;
  bitmap.SetSize(w, h);
  TCanvas& c = *bitmap.Canvas();
  c.StretchDraw(Rect(0, 0, w, h), &strip);
  TRect text = FValues.ItemTextRect;
  text.right += w - (IsEmpty(FValues.ItemRect) ? RectWidth(SkinClientRect) : RectWidth(FValues.ItemRect));
  text.bottom += Height() - RectHeight(SkinRect);
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
  FItemDrawState = focused ? odFocused : 0;
  DrawItemContent(bitmap, text);
  Canvas.Draw(FItemAreaRect.left, FItemAreaRect.top, &bitmap);
}

void TskSkinCustomComboBox::PaintEditorInto(HDC DC) {
  if (!FEditor || !FEditor->HandleAllocated()) return;
  const int saved = SaveDC(DC);
  SetWindowOrgEx(DC, -FEditor->Left(), -FEditor->Top(), nullptr);
  IntersectClipRect(DC, 0, 0, FEditor->Width(), FEditor->Height());
  SendMessageW(FEditor->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  RestoreDC(DC, saved);
}

}  // namespace skin
