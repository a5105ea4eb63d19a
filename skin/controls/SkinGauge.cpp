#include "skin/controls/SkinGauge.h"

#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/controls/SkinValues.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinBarDescriptions.h"
#include "skin/data/Skutils.h"

#include <algorithm>

namespace skin {

using namespace classlib;

namespace {

// The default look's progress strip.
constexpr TColor ProgressFace = 0xD2BDB6;

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

// Text rotated a quarter turn counter-clockwise in the canvas's font and colour, with its
// reference point (the top-left of the unrotated text) at X, Y. The canvas's own state comes back
// afterwards, so it keeps drawing as before.
void TextOutRotated(TCanvas& Canvas, int X, int Y, const String& Text) {
  LOGFONTW font{};
  GetObjectW(Canvas.Font()->Handle(), sizeof font, &font);
  font.lfEscapement = 900;
  font.lfOrientation = 900;
  const HFONT rotated = CreateFontIndirectW(&font);
  const HDC dc = Canvas.Handle();
  const int saved = SaveDC(dc);
  SelectObject(dc, rotated);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Canvas.Font()->Color()));
  const WideString text = ToWide(Text);
  ExtTextOutW(dc, X, Y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
  RestoreDC(dc, saved);
  DeleteObject(rotated);
}

}  // namespace

TskSkinGauge::TskSkinGauge(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
  FSkinDataName = "gauge";
  TskSkinCustomControl::SetBounds(Left(), Top(), 100, 20);
}

bool TskSkinGauge::Loading() const { return ComponentState().Contains(TComponentStateItem::csLoading); }

// ---------------------------------------------------------------------------------------------
// The value state: each setter stores under the lock and then only invalidates, which any thread
// may do; the window thread paints.

int TskSkinGauge::MinValue() const {
  const std::lock_guard lock(FLock);
  return FMinValue;
}

int TskSkinGauge::MaxValue() const {
  const std::lock_guard lock(FLock);
  return FMaxValue;
}

int TskSkinGauge::Value() const {
  const std::lock_guard lock(FLock);
  return FValue;
}

String TskSkinGauge::ProgressText() const {
  const std::lock_guard lock(FLock);
  return FProgressText;
}

bool TskSkinGauge::ShowProgressText() const {
  const std::lock_guard lock(FLock);
  return FShowProgressText;
}

bool TskSkinGauge::ShowPercent() const {
  const std::lock_guard lock(FLock);
  return FShowPercent;
}

// While a form is read its bounds may come after the value; Loaded brings the value inside them.
void TskSkinGauge::SetValue(int Value) {
  {
    const std::lock_guard lock(FLock);
    if (!Loading()) Value = ClampValue(Value, FMinValue, FMaxValue);
    if (Value == FValue) return;
    FValue = Value;
  }
  Invalidate();
}

void TskSkinGauge::SetMinValue(int Value) {
  {
    const std::lock_guard lock(FLock);
    FMinValue = Value;
    if (!Loading() && FValue < FMinValue) FValue = FMinValue;
  }
  Invalidate();
}

void TskSkinGauge::SetMaxValue(int Value) {
  {
    const std::lock_guard lock(FLock);
    FMaxValue = Value;
    if (!Loading() && FValue > FMaxValue) FValue = FMaxValue;
  }
  Invalidate();
}

void TskSkinGauge::SetProgressText(const String& Value) {
  {
    const std::lock_guard lock(FLock);
    FProgressText = Value;
  }
  Invalidate();
}

void TskSkinGauge::SetShowProgressText(bool Value) {
  {
    const std::lock_guard lock(FLock);
    FShowProgressText = Value;
  }
  Invalidate();
}

void TskSkinGauge::SetShowPercent(bool Value) {
  {
    const std::lock_guard lock(FLock);
    FShowPercent = Value;
  }
  Invalidate();
}

void TskSkinGauge::Loaded() {
  TskSkinCustomControl::Loaded();
  const std::lock_guard lock(FLock);
  FValue = ClampValue(FValue, FMinValue, FMaxValue);
}

TskSkinGauge::TShownState TskSkinGauge::ShownState() const {
  const std::lock_guard lock(FLock);
  TShownState state;
  state.MinValue = FMinValue;
  state.MaxValue = FMaxValue;
  state.Value = FValue;
  if (FShowProgressText) state.Text = FProgressText;
  if (FShowPercent) {
    const int percent = ScaleRounded(100, static_cast<std::int64_t>(FValue) - FMinValue,
                                     static_cast<std::int64_t>(FMaxValue) - FMinValue);
    state.Text += IntToStr(percent) + "%";
  }
  return state;
}

String TskSkinGauge::ShownText() const { return ShownState().Text; }

bool TskSkinGauge::TextShown() const {
  const std::lock_guard lock(FLock);
  return FShowProgressText || FShowPercent;
}

// ---------------------------------------------------------------------------------------------
// Window-thread properties

void TskSkinGauge::SetUseSkinSize(bool Value) {
  FUseSkinSize = Value;
  Invalidate();
}

void TskSkinGauge::SetTextAlphaBlend(bool Value) {
  FTextAlphaBlend = Value;
  if (FSkinControlIndex != -1 && TextShown()) Invalidate();
}

void TskSkinGauge::SetTextAlphaBlendValue(std::uint8_t Value) {
  FTextAlphaBlendValue = Value;
  if (FSkinControlIndex != -1 && TextShown() && FTextAlphaBlend) Invalidate();
}

void TskSkinGauge::SetVertical(bool Value) {
  FVertical = Value;
  Invalidate();
  if (Designing(*this) && !Loading()) FSkinDataName = Value ? "vgauge" : "gauge";
}

// ---------------------------------------------------------------------------------------------
// Skin and geometry

// The description decides the orientation at run time.
void TskSkinGauge::GetSkinData() {
  TskSkinCustomControl::GetSkinData();
  if (FSkinControlIndex == -1) return;
  const auto* data = dynamic_cast<const TskDataSkinGaugeControl*>(
      FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) return;
  // A gauge of its own size is stretched from the skin: a mask of the skin's size would cut it.
  if (!FUseSkinSize) SkinMaskPicture = nullptr;
  FVertical = data->Vertical;
  FProgressRect = data->ProgressRect;
  FProgressArea = data->ProgressArea;
  FBeginOffset = data->BeginOffset;
  FEndOffset = data->EndOffset;
  FFontName = data->FontName;
  FFontStyle = data->FontStyle;
  FFontHeight = data->FontHeight;
  FFontColor = data->FontColor;
  FProgressTransparent = data->ProgressTransparent;
  FProgressTransparentColor = data->ProgressTransparentColor;
  FProgressStretch = data->ProgressStretch;
}

void TskSkinGauge::CalcSize(int& W, int& H) {
  const int requestedWidth = W, requestedHeight = H;
  TskSkinCustomControl::CalcSize(W, H);
  FLaidOutProgressArea = FProgressArea;
  if (SkinResizeMode > 0) {
    if (FVertical)
      FLaidOutProgressArea.bottom += H - RectHeight(SkinRect);
    else
      FLaidOutProgressArea.right += W - RectWidth(SkinRect);
  }
  if (!FUseSkinSize) {
    W = requestedWidth;
    H = requestedHeight;
  }
}

TRect TskSkinGauge::CalcProgressRect(const TRect& Area) const { return ProgressRectOf(Area, ShownState()); }

TRect TskSkinGauge::ProgressRectOf(const TRect& Area, const TShownState& State) const {
  const std::int64_t part = static_cast<std::int64_t>(State.Value) - State.MinValue;
  const std::int64_t whole = static_cast<std::int64_t>(State.MaxValue) - State.MinValue;
  TRect r = Area;
  if (FVertical)
    r.top = Area.bottom - ScaleRounded(RectHeight(Area), part, whole);
  else
    r.right = Area.left + ScaleRounded(RectWidth(Area), part, whole);
  return r;
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TskSkinGauge::PrepareFont(TCanvas& Canvas) {
  TFont& font = *Canvas.Font();
  if (FSkinControlIndex != -1 && FUseSkinFont) {
    font.SetName(FFontName);
    font.SetHeight(FFontHeight);
    font.SetStyle(FFontStyle);
  } else {
    font.Assign(*FDefaultFont);
  }
  if (FSkinControlIndex != -1) font.SetColor(FFontColor);
  const TskResourceStrData* strings = FSkinData ? FSkinData->ResourceStrData() : nullptr;
  font.SetCharset(strings ? strings->CharSet() : FDefaultFont->Charset());
}

void TskSkinGauge::DrawProgressText(TCanvas& Canvas) { WriteText(Canvas, ShownState().Text); }

void TskSkinGauge::WriteText(TCanvas& Canvas, const String& Text) {
  if (Text.empty()) return;
  PrepareFont(Canvas);
  Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  const TSize extent = Canvas.TextExtent(Text);
  if (FVertical)
    TextOutRotated(Canvas, Width() / 2 - extent.cy / 2, extent.cx / 2 + Height() / 2, Text);
  else
    Canvas.TextOut(Width() / 2 - extent.cx / 2, Height() / 2 - extent.cy / 2, Text);
}

void TskSkinGauge::CreateControlDefaultImage(TBitmap& B) {
  TCanvas& canvas = *B.Canvas();
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas.Brush()->SetColor(clWindow);
  canvas.FillRect(ClientRect());
  canvas.Brush()->SetColor(clBtnShadow);
  canvas.FrameRect(ClientRect());
  const TRect progress = ProgressRectOf(Rect(1, 1, Width() - 1, Height() - 1), FShown);
  if (!IsNullRect(progress)) {
    canvas.Brush()->SetColor(ProgressFace);
    canvas.FillRect(progress);
  }
  WriteText(canvas, FShown.Text);
}

// The strip is laid along the axis in three pieces: the begin cap at the start (left, or top), the
// end cap at the end, and the middle of "progressrect" tiled or stretched between them. It starts
// as a copy of the image under it, which shows where no piece covers it.
void TskSkinGauge::CreateProgressImage(TBitmap& Strip, TBitmap& Under, const TRect& Progress) {
  const int W = RectWidth(Progress), H = RectHeight(Progress);
  Strip.SetPixelFormat(TPixelFormat::pf24bit);
  Strip.SetSize(W, H);
  TCanvas& target = *Strip.Canvas();
  target.CopyRect(Rect(0, 0, W, H), *Under.Canvas(), Progress);
  TCanvas& source = *SkinBitmap->Canvas();
  const TRect& src = FProgressRect;
  const int bo = FBeginOffset, eo = FEndOffset;
  if (!FVertical) {
    const TRect middle = Rect(src.left + bo, src.top, src.right - eo, src.bottom);
    const int tile = RectWidth(middle);
    // A "progressrect" without a middle has nothing to tile; its caps are still drawn.
    if (W > bo + eo && tile > 0) {
      if (FProgressStretch) {
        target.CopyRect(Rect(bo, 0, W - eo, H), source, middle);
      } else {
        for (int x = bo; x < W - eo; x += tile) {
          const int length = std::min(tile, W - eo - x);
          target.CopyRect(Rect(x, 0, x + length, H), source,
                          Rect(middle.left, middle.top, middle.left + length, middle.bottom));
        }
      }
    }
    if (bo > 0) target.CopyRect(Rect(0, 0, bo, H), source, Rect(src.left, src.top, src.left + bo, src.bottom));
    if (eo > 0) target.CopyRect(Rect(W - eo, 0, W, H), source, Rect(src.right - eo, src.top, src.right, src.bottom));
    return;
  }
  const TRect middle = Rect(src.left, src.top + bo, src.right, src.bottom - eo);
  const int tile = RectHeight(middle);
  if (H > bo + eo && tile > 0) {
    if (FProgressStretch) {
      target.CopyRect(Rect(0, bo, W, H - eo), source, middle);
    } else {
      // From the bottom upward: the strip grows from there, and a cut copy keeps its lower part.
      for (int y = H - eo; y > bo; y -= tile) {
        const int length = std::min(tile, y - bo);
        target.CopyRect(Rect(0, y - length, W, y), source,
                        Rect(middle.left, middle.bottom - length, middle.right, middle.bottom));
      }
    }
  }
  if (bo > 0) target.CopyRect(Rect(0, 0, W, bo), source, Rect(src.left, src.top, src.right, src.top + bo));
  if (eo > 0) target.CopyRect(Rect(0, H - eo, W, H), source, Rect(src.left, src.bottom - eo, src.right, src.bottom));
}

void TskSkinGauge::DrawSkinProgress(TBitmap& B) {
  const TRect progress = ProgressRectOf(FLaidOutProgressArea, FShown);
  if (IsNullRect(progress) || !SkinBitmap || SkinBitmap->Empty()) return;
  TBitmap strip;
  CreateProgressImage(strip, B, progress);
  if (FProgressTransparent) {
    strip.SetTransparentColor(FProgressTransparentColor);
    strip.SetTransparent(true);
  }
  B.Canvas()->Draw(progress.left, progress.top, &strip);
}

// Blended text shows with the opacity TextAlphaBlendValue / 255 over the picture.
void TskSkinGauge::DrawSkinText(TBitmap& B) {
  if (!FTextAlphaBlend || FShown.Text.empty()) {
    WriteText(*B.Canvas(), FShown.Text);
    return;
  }
  const TskEffectBmp plain(B.Handle());
  WriteText(*B.Canvas(), FShown.Text);
  TskEffectBmp written(B.Handle());
  written.Morph(plain, 1.0 - FTextAlphaBlendValue / 255.0);
  written.Draw(B.Canvas()->Handle(), 0, 0);
}

// The progress and the text are drawn even when the value gives the strip no length: a gauge at
// its minimum still shows "0%".
void TskSkinGauge::CreateControlSkinImage(TBitmap& B) {
  TskSkinCustomControl::CreateControlSkinImage(B);
  DrawSkinProgress(B);
  if (FUseSkinSize) DrawSkinText(B);
}

// A gauge of its own size stretches its skin image and writes its text on the result in the font's
// own size.
void TskSkinGauge::Paint() {
  // One look at the value state for the whole paint, so the strip and the text agree.
  FShown = ShownState();
  GetSkinData();
  if (FUseSkinSize || FSkinControlIndex == -1) {
    TskSkinCustomControl::Paint();
    return;
  }
  if (Width() <= 0 || Height() <= 0) return;
  TBitmap skinImage;
  skinImage.SetSize(Width(), Height());
  CreateControlSkinImage(skinImage);
  TBitmap image;
  image.SetSize(Width(), Height());
  image.Canvas()->CopyRect(Rect(0, 0, Width(), Height()), *skinImage.Canvas(),
                           Rect(0, 0, skinImage.Width(), skinImage.Height()));
  WriteText(*image.Canvas(), FShown.Text);
  DrawControlImage(image);
}

void TskSkinGauge::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {
    if (!FInWMPaint && Message.WParam) PaintWindow(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
    return;
  }
  TskSkinCustomControl::Dispatch(Message);
}

}  // namespace skin
