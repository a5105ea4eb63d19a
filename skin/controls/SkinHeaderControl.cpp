#include "skin/controls/SkinHeaderControl.h"

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinViewHelpers.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonDescriptions.h"
#include "skin/data/Skutils.h"

#include <algorithm>
#include <vector>

namespace skin {

using namespace classlib;

namespace {

TPoint Moved(const TPoint& P, int DX, int DY) { return Point(P.x + DX, P.y + DY); }

// Lends a DC to a control's canvas for one paint.
class TCanvasDCScope {
public:
  TCanvasDCScope(TCanvas& Canvas, HDC DC) : FCanvas(Canvas), FSaved(SaveDC(DC)), FDC(DC) {
    // A window DC the canvas took for drawing outside a paint goes back first.
    if (auto* control = dynamic_cast<TControlCanvas*>(&Canvas)) control->FreeHandle();
    FCanvas.Lock();
    FCanvas.SetHandle(DC);
  }
  ~TCanvasDCScope() {
    FCanvas.SetHandle(nullptr);
    FCanvas.Unlock();
    RestoreDC(FDC, FSaved);
  }
  TCanvasDCScope(const TCanvasDCScope&) = delete;
  TCanvasDCScope& operator=(const TCanvasDCScope&) = delete;

private:
  TCanvas& FCanvas;
  int FSaved;
  HDC FDC;
};

}  // namespace

TskSkinHeaderControl::TskSkinHeaderControl(TComponent* AOwner)
    : THeaderControl(AOwner), FDefaultFont(MakeViewDefaultFont()) {
  // The control paints every pixel itself.
  TControlState state = ControlState();
  SetControlState(state.Include(TControlStateItem::csCustomPaint));
}

TskSkinHeaderControl::~TskSkinHeaderControl() = default;

bool TskSkinHeaderControl::Designing() const {
  return ComponentState().Contains(TComponentStateItem::csDesigning);
}

// ---------------------------------------------------------------------------------------------
// Skin, font and height

void TskSkinHeaderControl::SetSkinData(TskSkinData* Value) {
  FSkinData = Value;
  if (Value) Value->FreeNotification(this);
  if (Value && !Value->Empty && !Designing()) ChangeSkinData();
}

void TskSkinHeaderControl::Notification(TComponent* AComponent, TOperation Operation) {
  THeaderControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

void TskSkinHeaderControl::SetDefaultFont(const TFont& Value) {
  FDefaultFont->Assign(Value);
  if (FSkinControlIndex == -1) Font().Assign(Value);
}

void TskSkinHeaderControl::SetDefaultHeight(int Value) {
  FDefaultHeight = Value;
  if (FSkinControlIndex == -1 && Value > 0) SetHeight(Value);
}

void TskSkinHeaderControl::GetSkinData() {
  FSkinControlIndex = FindSkinControlIndex(FSkinData, FSkinDataName);
  if (FSkinControlIndex == -1) return;
  const auto* data =
      dynamic_cast<const TskDataSkinButtonControl*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) {
    // Another kind of description: the default look, as without one.
    FLook.Picture = nullptr;
    return;
  }
  TLook& look = FLook;
  look.LeftTopPoint = data->SkinLeftTopPoint;
  look.RightTopPoint = data->SkinRightTopPoint;
  look.LeftBottomPoint = data->SkinLeftBottomPoint;
  look.RightBottomPoint = data->SkinRightBottomPoint;
  look.SkinRect = data->SkinRect;
  look.ClientRect = data->SkinClientRect;
  look.StretchEffect = data->StretchEffect;
  look.Picture = SkinPicture(*FSkinData, data->PictureIndex);
  look.FontName = data->FontName;
  look.FontStyle = data->FontStyle;
  look.FontHeight = data->FontHeight;
  look.FontColor = data->FontColor;
  look.ActiveFontColor = data->ActiveFontColor;
  look.DownFontColor = data->DownFontColor;
  look.ActiveSkinRect = IsNullRect(data->ActiveSkinRect) ? data->SkinRect : data->ActiveSkinRect;
  look.DownSkinRect = IsNullRect(data->DownSkinRect) ? look.ActiveSkinRect : data->DownSkinRect;
}

int TskSkinHeaderControl::FixedHeight(int AHeight) const {
  if (Skinned() && ThreePart()) return RectHeight(FLook.SkinRect);
  if (FSkinControlIndex == -1 && FDefaultHeight != 0) return FDefaultHeight;
  return AHeight;
}

void TskSkinHeaderControl::ChangeSkinData() {
  GetSkinData();
  if (const int h = FixedHeight(Height()); h != Height()) SetHeight(h);
  Invalidate();
}

void TskSkinHeaderControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  GetSkinData();
  if (AHeight != Height()) AHeight = FixedHeight(AHeight);
  THeaderControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TskSkinHeaderControl::CreateHandleDone() {
  THeaderControl::CreateHandleDone();
  for (int i = 0; i < Sections().Count(); ++i) Sections().Items(i)->SetStyle(THeaderSectionStyle::hsOwnerDraw);
}

// ---------------------------------------------------------------------------------------------
// Painting

// The section shown at display position Index.
int TskSkinHeaderControl::SectionAt(int Index) const {
  const int count = Sections().Count();
  if (Index < 0 || Index >= count) return -1;
  if (!DragReorder() || !HandleAllocated()) return Index;
  std::vector<int> order(static_cast<size_t>(count));
  if (!SendMessageW(FHandle, HDM_GETORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order.data())))
    return Index;
  return order[static_cast<size_t>(Index)];
}

TRect TskSkinHeaderControl::GetSkinItemRect(int Index) const {
  RECT r{};
  const int item = SectionAt(Index);
  if (item < 0 || !HandleAllocated()) return r;
  SendMessageW(FHandle, HDM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
  return r;
}

TRect TskSkinHeaderControl::DrawSkinSection(TCanvas& Cnvs, int Index, bool Active, bool Pressed) {
  const TRect r = GetSkinItemRect(Index);
  const int item = SectionAt(Index);
  if (item >= 0) DrawSkinSectionR(Cnvs, Sections().Items(item), Active, Pressed, r);
  return r;
}

void TskSkinHeaderControl::PaintWindow(HDC DC) {
  GetSkinData();
  if (!HandleAllocated() || Width() <= 0 || Height() <= 0) return;
  TCanvasDCScope scope(Canvas(), DC);
  int end = 0;
  for (int i = 0; i < Sections().Count(); ++i) {
    const bool hot = FHotSection == i;
    const TRect r = DrawSkinSection(Canvas(), i, hot && !FHeaderPressed, hot && FHeaderPressed);
    end = std::max(end, static_cast<int>(r.right));
  }
  const TRect filler = Rect(end, 0, Width() + 1, Height());
  if (filler.left < filler.right) DrawFiller(Canvas(), filler);
}

void TskSkinHeaderControl::DrawFiller(TCanvas& Canvas, const TRect& F) {
  if (!Skinned()) {
    Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    Canvas.Brush()->SetColor(clBtnShadow);
    Canvas.FrameRect(F);
    Canvas.Brush()->SetColor(clBtnFace);
    Canvas.FillRect(Rect(F.left + 1, F.top + 1, F.right - 1, F.bottom - 1));
    return;
  }
  const int w = RectWidth(F);
  const int h = ThreePart() ? RectHeight(FLook.SkinRect) : RectHeight(F);
  if (w <= 0 || h <= 0) return;
  TBitmap b;
  b.SetPixelFormat(TPixelFormat::pf24bit);
  b.SetSize(w, h);
  BuildImage(b, FLook.SkinRect, w, h, true);
  Canvas.Draw(F.left, F.top, &b);
}

// The state image of a section (or, OpenEnded, of the space after the last one) on B at W x H.
void TskSkinHeaderControl::BuildImage(TBitmap& B, const TRect& StateRect, int W, int H, bool OpenEnded) {
  const TLook& look = FLook;
  const int dw = W - RectWidth(look.SkinRect);
  if (!ThreePart()) {
    const int dh = H - RectHeight(look.SkinRect);
    TRect client = look.ClientRect;
    client.right += dw;
    client.bottom += dh;
    const auto build = OpenEnded ? &CreateSkinImage2 : &CreateSkinImage;
    build(look.LeftTopPoint, look.RightTopPoint, look.LeftBottomPoint, look.RightBottomPoint, look.ClientRect,
          look.LeftTopPoint, Moved(look.RightTopPoint, dw, 0), Moved(look.LeftBottomPoint, 0, dh),
          Moved(look.RightBottomPoint, dw, dh), client, B, *look.Picture, StateRect, W, H, true);
    return;
  }
  const auto build = OpenEnded ? &CreateHSkinImage2 : &CreateHSkinImage;
  build(look.LeftTopPoint.x, RectWidth(look.SkinRect) - look.RightTopPoint.x, B, *look.Picture, StateRect, W, H,
        look.StretchEffect);
}

void TskSkinHeaderControl::DrawSkinSectionR(TCanvas& Cnvs, THeaderSection* Section, bool Active, bool Pressed,
                                            const TRect& R) {
  GetSkinData();
  if (!Section || RectWidth(R) <= 0 || RectHeight(R) <= 0) return;
  const bool skinned = Skinned();
  const int w = RectWidth(R);
  const int h = skinned && ThreePart() ? RectHeight(FLook.SkinRect) : RectHeight(R);
  TBitmap b;
  b.SetPixelFormat(TPixelFormat::pf24bit);
  b.SetSize(w, h);
  TCanvas& c = *b.Canvas();
  TRect t;
  if (!skinned) {
    TColor frame = clBtnShadow, face = clBtnFace;
    if (Pressed) {
      frame = clNavy;
      face = 0xB59385;
    } else if (Active) {
      frame = clNavy;
      face = 0xD2BDB6;
    }
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
    c.Brush()->SetColor(frame);
    c.FrameRect(Rect(0, 0, w, h));
    c.Brush()->SetColor(face);
    c.FillRect(Rect(1, 1, w - 1, h - 1));
    c.Font()->Assign(*FDefaultFont);
    t = Rect(2, 2, w - 2, h - 2);
  } else {
    if (FUseSkinFont) {
      c.Font()->SetName(FLook.FontName);
      c.Font()->SetHeight(FLook.FontHeight);
      c.Font()->SetStyle(FLook.FontStyle);
      c.Font()->SetCharset(FDefaultFont->Charset());
    } else {
      c.Font()->Assign(*FDefaultFont);
    }
    const TRect& state = Pressed ? FLook.DownSkinRect : Active ? FLook.ActiveSkinRect : FLook.SkinRect;
    c.Font()->SetColor(Pressed ? FLook.DownFontColor : Active ? FLook.ActiveFontColor : FLook.FontColor);
    BuildImage(b, state, w, h, false);
    const TRect& sr = FLook.SkinRect;
    const TRect& cr = FLook.ClientRect;
    t = Rect(cr.left, cr.top, w - (RectWidth(sr) - cr.right), h - (RectHeight(sr) - cr.bottom));
  }
  if (FSkinData && FSkinData->ResourceStrData())
    c.Font()->SetCharset(FSkinData->ResourceStrData()->CharSet());
  else
    c.Font()->SetCharset(FDefaultFont->Charset());
  if (OnDrawSkinSection)
    OnDrawSkinSection(this, Section, t, Active, Pressed, c);
  else
    DrawContent(c, *Section, t);
  Cnvs.Draw(R.left, R.top, &b);
}

void TskSkinHeaderControl::DrawContent(TCanvas& Canvas, THeaderSection& Section, const TRect& T) {
  Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  String s = Section.Text();
  int x = T.left;
  TImageList* images = Images();
  const int index = Section.ImageIndex();
  if (images && index >= 0 && index < images->Count()) {
    const int iw = images->Width();
    const int ih = images->Height();
    CorrectTextbyWidth(Canvas, s, RectWidth(T) - iw - 10);
    const int tw = Canvas.TextWidth(s);
    int imageX = T.left;
    if (s == Section.Text()) {
      if (Section.Alignment() == TAlignment::taRightJustify)
        imageX = T.right - tw - iw - 10;
      else if (Section.Alignment() == TAlignment::taCenter)
        imageX = T.left + RectWidth(T) / 2 - (tw + iw + 10) / 2;
    }
    x = imageX + iw + 10;
    images->Draw(Canvas, imageX, T.top + RectHeight(T) / 2 - ih / 2, index, true);
  } else {
    CorrectTextbyWidth(Canvas, s, RectWidth(T));
    const int tw = Canvas.TextWidth(s);
    if (Section.Alignment() == TAlignment::taRightJustify)
      x = T.right - tw - 10;
    else if (Section.Alignment() == TAlignment::taCenter)
      x = T.left + RectWidth(T) / 2 - tw / 2;
  }
  const int y = T.top + RectHeight(T) / 2 - Canvas.TextHeight(s) / 2;
  Canvas.TextRect(T, x, y, s);
}

// The system header asks for an owner-drawn section only when it paints itself, which this control
// never lets it do; a request that comes anyway gets the skinned section.
void TskSkinHeaderControl::DrawSection(THeaderSection* Section, const TRect& Rect, bool Pressed) {
  THeaderControl::DrawSection(Section, Rect, Pressed);
  THeaderSection* shown = Section;
  if (DragReorder() && HandleAllocated()) {
    const int count = Sections().Count();
    std::vector<int> order(static_cast<size_t>(count));
    SendMessageW(FHandle, HDM_GETORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order.data()));
    const auto it = std::find(order.begin(), order.end(), Section->Index());
    if (it != order.end()) shown = Sections().Items(static_cast<int>(it - order.begin()));
  }
  DrawSkinSectionR(Canvas(), shown, false, Pressed, Rect);
}

// ---------------------------------------------------------------------------------------------
// Mouse and hot tracking

void TskSkinHeaderControl::WndProc(TMessage& Message) {
  THeaderControl::WndProc(Message);
  if (Message.Msg == HDM_HITTEST)
    FDividerHit = reinterpret_cast<const HDHITTESTINFO*>(Message.LParam)->flags == HHT_ONDIVIDER;
}

void TskSkinHeaderControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == TMouseButton::mbLeft) {
    // The system header tests its own hits without asking: ask it, so that a press on a divider
    // (resizing a section) is known for what it is.
    HDHITTESTINFO hit{};
    hit.pt = POINT{X, Y};
    Perform(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (!FDividerHit && Style() == THeaderStyle::hsButtons) {
      FHeaderPressed = true;
      Invalidate();
    }
  }
  THeaderControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinHeaderControl::MouseMove(TShiftState Shift, int X, int Y) {
  THeaderControl::MouseMove(Shift, X, Y);
  FDragTracking = FHeaderPressed && DragReorder();
  if (!Designing() && !FDragTracking) TestActive(X, Y);
}

void TskSkinHeaderControl::TestActive(int X, int Y) {
  FOldHotSection = FHotSection;
  FHotSection = -1;
  const POINT p{X, Y};
  for (int i = 0; i < Sections().Count() && FHotSection == -1; ++i) {
    const RECT r = GetSkinItemRect(i);
    if (PtInRect(&r, p)) FHotSection = i;
  }
  if (FHotSection == FOldHotSection) return;
  if (FOldHotSection != -1 && !FDragTracking) DrawSkinSection(Canvas(), FOldHotSection, false, false);
  if (FHotSection != -1 && !FDragTracking) DrawSkinSection(Canvas(), FHotSection, true, false);
}

void TskSkinHeaderControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  THeaderControl::MouseUp(Button, Shift, X, Y);
  const bool dragged = FDragTracking;
  FDragTracking = false;
  FHotSection = -1;
  FOldHotSection = -1;
  if (Button != TMouseButton::mbLeft || Designing() || Style() != THeaderStyle::hsButtons) return;
  TestActive(X, Y);
  Invalidate();
  FHeaderPressed = false;
  if (FHotSection != -1 && !FDividerHit && !dragged && OnSkinSectionClick) {
    const int item = SectionAt(FHotSection);
    if (item >= 0) OnSkinSectionClick(this, Sections().Items(item));
  }
}

void TskSkinHeaderControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case CM_MOUSEENTER:
      THeaderControl::Dispatch(Message);
      if (!Designing() && !FHeaderPressed) Invalidate();
      return;
    case CM_MOUSELEAVE:
      THeaderControl::Dispatch(Message);
      if (Designing()) return;
      FHotSection = -1;
      FOldHotSection = -1;
      if (!FHeaderPressed) Invalidate();
      return;
  }
  THeaderControl::Dispatch(Message);
}

}  // namespace skin
