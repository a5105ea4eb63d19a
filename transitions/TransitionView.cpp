#include "transitions/TransitionView.h"

#include "platform/classlib/SysUtils.h"
#include "transitions/AnimateThread.h"
#include "transitions/Tveffect.h"

#include <algorithm>

using namespace classlib;

namespace transitions {

namespace {

int RectWidth(const TRect& R) { return R.right - R.left; }
int RectHeight(const TRect& R) { return R.bottom - R.top; }

bool IsPixelStyle(int Style) { return Style >= 118 && Style <= 122; }

bool HasGraphic(const TPicture& Picture) { return Picture.Graphic() != nullptr; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Constructor/destructor

TCustomTransitionView::TCustomTransitionView(TComponent* AOwner)
    : TCustomControl(AOwner),
      FPicture(std::make_unique<TPicture>()),
      FBgPicture(std::make_unique<TPicture>()),
      FMedia(std::make_unique<TBitmap>()),
      FOffScreen(std::make_unique<TBitmap>()),
      FFramePainted(CreateEventW(nullptr, TRUE, TRUE, nullptr)) {
  if (!FFramePainted) throw EThread("Cannot create the painted-frame event");
  // Canvases are made here, on the window's thread: the worker only locks them.
  FMedia->Canvas();
  FOffScreen->Canvas();
  FPicture->OnChange = [this](TObject*) { PictureChange(); };
  FBgPicture->OnChange = [this](TObject*) { BgPictureChange(); };
  SetColor(clWindow);
  SetBounds(Left(), Top(), 100, 100);
  FRandom.Randomize();
}

TCustomTransitionView::~TCustomTransitionView() {
  BeginDestruction();
  FPicture->OnChange = nullptr;
  FBgPicture->OnChange = nullptr;
  CloseHandle(FFramePainted);
}

void TCustomTransitionView::BeginDestruction() {
  if (FDestroying.exchange(true)) return;
  TComponent::Destroying();
  *FAlive = false;
  Stop();
}

// ---------------------------------------------------------------------------------------------
// Attributes

void TCustomTransitionView::SetPicture(const TPicture* Value) {
  if (Value)
    FPicture->Assign(*Value);
  else
    FPicture->SetGraphic(nullptr);
}

void TCustomTransitionView::SetBgPicture(const TPicture* Value) {
  if (Value)
    FBgPicture->Assign(*Value);
  else
    FBgPicture->SetGraphic(nullptr);
}

void TCustomTransitionView::SetBgMode(TBackgroundMode Value) {
  if (Value == FBgMode) return;
  FBgMode = Value;
  if (HasGraphic(*FBgPicture) && !FInPaint) Invalidate();
}

void TCustomTransitionView::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  if (Value) AdjustClientSize();
}

void TCustomTransitionView::SetCenter(bool Value) {
  if (Value == FCenter) return;
  FCenter = Value;
  if (!HasGraphic(*FPicture)) return;
  CalculatePicRect();
  if (!FMedia->Empty() && !FInPaint) Invalidate();
}

void TCustomTransitionView::SetStretch(bool Value) {
  if (Value == FStretch) return;
  FStretch = Value;
  if (!FMedia->Empty() && !FInPaint) Invalidate();
}

void TCustomTransitionView::SetStretchFine(bool Value) {
  if (Value == FStretchFine) return;
  FStretchFine = Value;
  if (!FMedia->Empty() && !FInPaint) Invalidate();
}

void TCustomTransitionView::SetStep(int Value) { FStep = std::clamp(Value, 1, 100); }

void TCustomTransitionView::SetStyle(TShowStyle Value) {
  if (Value == FStyle || Value < 0 || Value > EffectCount) return;
  if (FBusy && FPicBitmap && IsPixelStyle(Value) && !IsPixelStyle(FStyle)) {
    // The pixel transitions work on 32-bit rows; the worker may be composing meanwhile.
    {
      TCanvasLock lock(*FPicBitmap->Canvas());
      FPicBitmap->SetPixelFormat(TPixelFormat::pf32bit);
    }
    TCanvasLock lock(*FMedia->Canvas());
    FMedia->SetPixelFormat(TPixelFormat::pf32bit);
  }
  FStyle = Value;
}

String TCustomTransitionView::StyleName() const {
  const int style = FStyle;
  return style == 0 ? String("Custom") : String(TVEffects(style).Name);
}

void TCustomTransitionView::SetStyleName(const String& Value) {
  if (SameText(Value, "Custom")) return SetStyle(0);
  // The first name wins: 33 and 34 repeat the names of 18 and 25 and are reached by number only.
  for (int style = 1; style <= EffectCount; ++style)
    if (SameText(Value, TVEffects(style).Name)) return SetStyle(style);
}

bool TCustomTransitionView::Empty() const {
  const TGraphic* graphic = FPicture->Graphic();
  return !graphic || graphic->Empty();
}

TRect TCustomTransitionView::PicRect() const {
  const std::lock_guard lock(FPicRectLock);
  return FPicRect;
}

// ---------------------------------------------------------------------------------------------
// Operations

void TCustomTransitionView::Execute() {
  if (!HasGraphic(*FPicture) || FBusy) return;
  FBusy = true;
  try {
    HandleNeeded();
    Prepare();
    if (!FManual && !FStopping) Animate();
  } catch (...) {
    FreeWorkBitmaps();
    FBusy = false;
    throw;
  }
}

void TCustomTransitionView::Stop() {
  if (!FBusy || FStopping) return;
  if (OnWorkerThread()) return;  // joining the worker from the worker would never return
  FStopping = true;
  struct TStoppingScope {
    bool& Stopping;
    ~TStoppingScope() { Stopping = false; }
  } scope{FStopping};
  if (FManual || !WaitForThread()) Unprepare();
}

void TCustomTransitionView::Clear() {
  if (FBusy || FMedia->Empty()) return;
  FMedia = std::make_unique<TBitmap>();
  FMedia->Canvas();
  Invalidate();
}

void TCustomTransitionView::Prepare() {
  FPicWidth = FPicture->Width();
  FPicHeight = FPicture->Height();
  FMedia->SetSize(FPicWidth, FPicHeight);
  CalculatePicRect();

  const TRect client = ClientRect();
  TRect source = PicRect();
  if (FStretch) source = FStretchFine ? StretchFineRect(source, client) : client;

  FOldScreen = std::make_unique<TBitmap>();
  FOldScreen->Canvas()->Brush()->SetColor(Color());
  FOldScreen->SetSize(FPicWidth, FPicHeight);

  bool needBackground = FNeedBackground || !FOverDraw;
  if (FOffScreen->Width() != RectWidth(client) || FOffScreen->Height() != RectHeight(client)) {
    FOffScreen->SetSize(RectWidth(client), RectHeight(client));
    needBackground = true;
  }
  if (needBackground) PaintBackground(*FOffScreen->Canvas(), client);
  // CopyRect scales colour on colour.
  FOldScreen->Canvas()->CopyRect(Rect(0, 0, FPicWidth, FPicHeight), *FOffScreen->Canvas(), source);

  TGraphic* graphic = FPicture->Graphic();
  FPicBitmap = std::make_unique<TBitmap>();
  FPicBitmap->Canvas();
  try {
    FPicBitmap->Assign(*graphic);
  } catch (const std::exception&) {
    // A kind of picture a bitmap cannot take over is drawn onto one.
    FPicBitmap->SetSize(FPicWidth, FPicHeight);
    FPicBitmap->Canvas()->Draw(0, 0, graphic);
  }
  if (IsPixelStyle(FStyle)) {
    FPicBitmap->SetPixelFormat(TPixelFormat::pf32bit);
    FMedia->SetPixelFormat(TPixelFormat::pf32bit);
  } else {
    // The new picture in the frame's own format: every frame copies from it, and a copy between
    // two formats converts each pixel on the way.
    FPicBitmap->SetPixelFormat(TPixelFormat::pfDevice);
    FMedia->SetPixelFormat(TPixelFormat::pfDevice);
  }
  FProgress = FReverse ? 100 : 0;
  DoStart(FPicBitmap.get(), FOldScreen.get());
}

void TCustomTransitionView::UpdateMedia() {
  TCanvasLock pictureLock(*FPicBitmap->Canvas());
  TCanvasLock mediaLock(*FMedia->Canvas());
  {
    TCanvasLock oldLock(*FOldScreen->Canvas());
    FMedia->Canvas()->Draw(0, 0, FOldScreen.get());
  }
  if (OnBeforeNewFrame && !FDestroying) OnBeforeNewFrame(this, FPicBitmap.get(), FMedia.get());
  const TRect r = Rect(0, 0, FPicWidth, FPicHeight);
  const int progress = FProgress;
  // A picture without pixels has nothing to show (and the transitions would divide by its sides).
  if (FPicWidth > 0 && FPicHeight > 0 && progress > 0) {
    const int style = FStyle;
    if (progress == 100) {
      FMedia->Canvas()->Draw(0, 0, FPicBitmap.get());
    } else if (style == 0) {
      DoCustomDraw(FPicBitmap.get(), FMedia.get());
    } else {
      const TEffectRandomScope random(FRandom);
      TVEffects(style).Proc(*FMedia, *FPicBitmap, r, FStep, progress);
    }
  }
  InvalidateArea(r);
  if (OnAfterNewFrame && !FDestroying) OnAfterNewFrame(this, FPicBitmap.get(), FMedia.get());
}

void TCustomTransitionView::Unprepare() {
  FBusy = false;
  FreeWorkBitmaps();
  if (FDestroying) return;
  if (!FStopping) DoComplete();
  DoStop();
}

void TCustomTransitionView::FreeWorkBitmaps() {
  FPicBitmap.reset();
  FOldScreen.reset();
}

void TCustomTransitionView::CalculatePicRect() {
  if (FMedia->Empty()) return;
  TRect r = Rect(0, 0, FMedia->Width(), FMedia->Height());
  if (FCenter) OffsetRect(&r, (ClientWidth() - FMedia->Width()) / 2, (ClientHeight() - FMedia->Height()) / 2);
  const std::lock_guard lock(FPicRectLock);
  FPicRect = r;
}

void TCustomTransitionView::AdjustClientSize() {
  if (!HasGraphic(*FPicture) || Align() == TAlign::alClient) return;
  if (Align() != TAlign::alTop && Align() != TAlign::alBottom) SetClientWidth(FPicture->Width());
  if (Align() != TAlign::alLeft && Align() != TAlign::alRight) SetClientHeight(FPicture->Height());
}

void TCustomTransitionView::InvalidateArea(const TRect& R) {
  if (!HandleAllocated()) return;
  const TRect picture = PicRect();
  TRect area;
  if (FStretch) {
    const int pw = RectWidth(picture), ph = RectHeight(picture);
    if (pw <= 0 || ph <= 0) return;
    const TRect client = ClientRect();
    const TRect t = FStretchFine ? StretchFineRect(picture, client) : client;
    const int tw = RectWidth(t), th = RectHeight(t);
    area = Rect(t.left + MulDiv(R.left, tw, pw), t.top + MulDiv(R.top, th, ph), t.left + MulDiv(R.right, tw, pw),
                t.top + MulDiv(R.bottom, th, ph));
  } else {
    area = R;
    if (FCenter) OffsetRect(&area, picture.left, picture.top);
    IntersectRect(&area, &area, &picture);
  }
  if (IsRectEmpty(&area)) return;
  InvalidateRect(FHandle, &area, FALSE);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TCustomTransitionView::Paint() {
  TCanvas& offScreen = *FOffScreen->Canvas();
  const TCanvasLock offScreenLock(offScreen);
  const TRect client = ClientRect();
  if (FOffScreen->Width() != RectWidth(client) || FOffScreen->Height() != RectHeight(client))
    FOffScreen->SetSize(RectWidth(client), RectHeight(client));
  // Only what the window lacks is composed again; the rest of the buffer is as last painted.
  TRect area = client;
  if (!FNeedBackground) {
    GetClipBox(Canvas().Handle(), &area);
    IntersectRect(&area, &area, &client);
  }
  const HDC buffer = offScreen.Handle();
  IntersectClipRect(buffer, area.left, area.top, area.right, area.bottom);
  PaintBackground(offScreen, client);
  {
    const TCanvasLock mediaLock(*FMedia->Canvas());
    if (!FMedia->Empty()) {
      const TRect picture = PicRect();
      if (!FStretch)
        offScreen.Draw(picture.left, picture.top, FMedia.get());
      else if (FStretchFine)
        offScreen.StretchDraw(StretchFineRect(picture, client), FMedia.get());
      else
        offScreen.StretchDraw(client, FMedia.get());
    }
  }
  SelectClipRgn(buffer, nullptr);
  BitBlt(Canvas().Handle(), area.left, area.top, RectWidth(area), RectHeight(area), buffer, area.left, area.top,
         SRCCOPY);
  FNeedBackground = false;
}

void TCustomTransitionView::PaintBackground(TCanvas& Canvas, const TRect& R) {
  Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas.Brush()->SetColor(Color());
  Canvas.FillRect(R);
  TGraphic* graphic = FBgPicture->Graphic();
  if (!graphic) return;
  switch (FBgMode) {
    case TBackgroundMode::bmTiled:
      TileGraphic(Canvas, R, graphic);
      break;
    case TBackgroundMode::bmStretched:
      Canvas.StretchDraw(R, graphic);
      break;
    case TBackgroundMode::bmCentered:
      Canvas.Draw((RectWidth(R) - graphic->Width()) / 2, (RectHeight(R) - graphic->Height()) / 2, graphic);
      break;
    case TBackgroundMode::bmNone:
      break;
  }
}

void TCustomTransitionView::TileGraphic(TCanvas& Canvas, const TRect& R, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty() || Graphic->Width() <= 0 || Graphic->Height() <= 0) return;
  const int gw = Graphic->Width(), gh = Graphic->Height();
  for (int i = 0; i <= RectHeight(R) / gh; ++i)
    for (int j = 0; j <= RectWidth(R) / gw; ++j) Canvas.Draw(R.left + j * gw, R.top + i * gh, Graphic);
}

TRect TCustomTransitionView::StretchFineRect(const TRect& P, const TRect& B) {
  const int pw = RectWidth(P), ph = RectHeight(P);
  const int bw = RectWidth(B), bh = RectHeight(B);
  if (pw <= 0 || ph <= 0) return Rect(B.left, B.top, B.left, B.top);  // nothing to fit
  int w, h;
  if (static_cast<double>(bh) / ph > static_cast<double>(bw) / pw) {
    w = bw;
    h = MulDiv(ph, bw, pw);
  } else {
    w = MulDiv(pw, bh, ph);
    h = bh;
  }
  const int left = B.left + (bw - w) / 2, top = B.top + (bh - h) / 2;
  return Rect(left, top, left + w, top + h);
}

// ---------------------------------------------------------------------------------------------
// Messages and notifications

void TCustomTransitionView::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: {
      if (FInPaint) return;
      FInPaint = true;
      // The worker waits for this event before it composes the next frame, whatever happens here.
      struct TPaintScope {
        TCustomTransitionView& View;
        ~TPaintScope() {
          SetEvent(View.FFramePainted);
          View.FInPaint = false;
        }
      } scope{*this};
      TCustomControl::Dispatch(Message);
      return;
    }
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_SIZE:
      TCustomControl::Dispatch(Message);
      FOffScreen->SetSize(ClientWidth(), ClientHeight());
      if (HasGraphic(*FPicture)) {
        CalculatePicRect();
        if (!FMedia->Empty() && !FInPaint) Invalidate();
      }
      return;
    case WM_DESTROY:
      Stop();
      TCustomControl::Dispatch(Message);
      return;
    case WM_ANIMATETHREADTERMINATED:
      ThreadTerminated();
      return;
  }
  TCustomControl::Dispatch(Message);
}

void TCustomTransitionView::PictureChange() {
  if (FDestroying) return;
  if (HasGraphic(*FPicture) && FAutoSize) AdjustClientSize();
  DoChange();
}

void TCustomTransitionView::BgPictureChange() {
  if (FBgMode != TBackgroundMode::bmNone && !FInPaint) Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Events

void TCustomTransitionView::DoChange() {
  if (OnChange && !FDestroying) OnChange(this);
}

void TCustomTransitionView::DoProgress() {
  if (OnProgress && !FDestroying) OnProgress(this);
}

void TCustomTransitionView::DoCustomDraw(TBitmap* Picture, TBitmap* Screen) {
  if (OnCustomDraw && !FDestroying) OnCustomDraw(this, Picture, Screen);
}

void TCustomTransitionView::DoBeforeNewFrame(TBitmap* Picture, TBitmap* Screen) {
  if (OnBeforeNewFrame && !FDestroying) OnBeforeNewFrame(this, Picture, Screen);
}

void TCustomTransitionView::DoAfterNewFrame(TBitmap* Picture, TBitmap* Screen) {
  if (OnAfterNewFrame && !FDestroying) OnAfterNewFrame(this, Picture, Screen);
}

void TCustomTransitionView::DoComplete() {
  if (OnComplete && !FDestroying) OnComplete(this);
}

void TCustomTransitionView::DoStart(TBitmap* Picture, TBitmap* Screen) {
  if (OnStart && !FDestroying) OnStart(this, Picture, Screen);
}

void TCustomTransitionView::DoStop() {
  if (OnStop && !FDestroying) OnStop(this);
}

}  // namespace transitions
