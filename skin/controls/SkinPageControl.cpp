#include "skin/controls/SkinPageControl.h"

#include "platform/classlib/StdCtrls.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/Skeffbmp.h"
#include "skin/data/SkinTabDescriptions.h"
#include "skin/data/Skutils.h"

#include <algorithm>

namespace skin {

using namespace classlib;

namespace {

// The default look of tabs (0x00BBGGRR).
constexpr TColor PressedFace = static_cast<TColor>(0xB59385);
constexpr TColor HotFace = static_cast<TColor>(0xD2BDB6);

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

bool SideTabs(TTabPosition Position) { return Position == TTabPosition::tpLeft || Position == TTabPosition::tpRight; }

TPoint Moved(const TPoint& P, int DX, int DY) { return Point(P.x + DX, P.y + DY); }

void CopyPiece(TCanvas& Canvas, TBitmap& Picture, const TRect& Dest, const TRect& Source) {
  Canvas.CopyRect(Dest, *Picture.Canvas(), Source);
}

// Copies of Source laid from X to End at Y, the last one cut at End. A piece of no width lays
// nothing (a skin may give an edge no length).
void TileAcross(TCanvas& Canvas, TBitmap& Picture, const TRect& Source, int X, int End, int Y) {
  const int w = RectWidth(Source), h = RectHeight(Source);
  if (w <= 0 || h <= 0) return;
  for (; X < End; X += w) {
    const int cut = std::min(w, End - X);
    CopyPiece(Canvas, Picture, Rect(X, Y, X + cut, Y + h), Rect(Source.left, Source.top, Source.left + cut, Source.bottom));
  }
}

// The same downwards from Y to End at X.
void TileDown(TCanvas& Canvas, TBitmap& Picture, const TRect& Source, int X, int Y, int End) {
  const int w = RectWidth(Source), h = RectHeight(Source);
  if (w <= 0 || h <= 0) return;
  for (; Y < End; Y += h) {
    const int cut = std::min(h, End - Y);
    CopyPiece(Canvas, Picture, Rect(X, Y, X + w, Y + cut), Rect(Source.left, Source.top, Source.right, Source.top + cut));
  }
}

// Whole copies of Picture from (0, 0) over W x H; the DC clips the last ones.
void TilePicture(TCanvas& Canvas, TBitmap& Picture, int W, int H) {
  const int pw = Picture.Width(), ph = Picture.Height();
  if (pw <= 0 || ph <= 0) return;
  for (int y = 0; y < H; y += ph)
    for (int x = 0; x < W; x += pw) Canvas.Draw(x, y, &Picture);
}

// A canvas on a device context the caller owns.
class TDCCanvas {
public:
  explicit TDCCanvas(HDC DC) { FCanvas.SetHandle(DC); }
  ~TDCCanvas() { FCanvas.SetHandle(nullptr); }
  TDCCanvas(const TDCCanvas&) = delete;
  TDCCanvas& operator=(const TDCCanvas&) = delete;
  TCanvas& operator*() { return FCanvas; }

private:
  TCanvas FCanvas;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Drawing procedures

void FlipBitmapVert(TBitmap& B) {
  if (B.Empty() || B.Width() <= 0 || B.Height() <= 0) return;
  const TskEffectBmp source(B.Handle());
  TskEffectBmp flipped(B.Width(), B.Height());
  source.FlipVert(flipped);
  flipped.Draw(B.Canvas()->Handle(), 0, 0);
}

void DrawRotated90Left(TCanvas& Canvas, TBitmap& B, int X, int Y) {
  if (B.Empty() || B.Width() <= 0 || B.Height() <= 0) return;
  const TskEffectBmp source(B.Handle());
  TskEffectBmp turned(B.Height(), B.Width());
  source.Rotate90_1(turned);
  turned.Draw(Canvas.Handle(), X, Y);
}

void DrawRotated90Right(TCanvas& Canvas, TBitmap& B, int X, int Y) {
  if (B.Empty() || B.Width() <= 0 || B.Height() <= 0) return;
  const TskEffectBmp source(B.Handle());
  TskEffectBmp turned(B.Height(), B.Width());
  source.Rotate90_2(turned);
  turned.Draw(Canvas.Handle(), X, Y);
}

void DrawTabImageAndText(TCanvas& Canvas, int W, int H, bool Enabled, int ImageIndex, TImageList* Images,
                         const String& Text) {
  TRect measured = Rect(0, 0, 0, 0);
  DrawControlText(Canvas.Handle(), *Canvas.Font(), Text, measured, DT_CALCRECT | DT_SINGLELINE);
  const int tw = RectWidth(measured) + 2, th = RectHeight(measured);
  const int iw = Images ? Images->Width() : 0, ih = Images ? Images->Height() : 0;
  const int x = W / 2 - (iw + tw + 2) / 2;
  if (Images) Images->Draw(Canvas, x, H / 2 - ih / 2, ImageIndex, Enabled);
  TRect text = Rect(x + iw + 2, H / 2 - th / 2, x + iw + tw + 2, H / 2 - th / 2 + th);
  DrawControlText(Canvas.Handle(), *Canvas.Font(), Text, text, DT_CENTER | DT_SINGLELINE);
}

// ---------------------------------------------------------------------------------------------
// TskTabSkin

void TskTabSkin::Read(const TskSkinData* Skin, const String& Name) {
  BGPictureIndex = -1;
  BGPicture = nullptr;
  SkinControlIndex = FindSkinControlIndex(Skin, Name);
  if (SkinControlIndex == -1) return;
  const auto* data =
      dynamic_cast<const TskDataSkinTabControl*>(Skin->CtrlList[static_cast<size_t>(SkinControlIndex)].get());
  TBitmap* picture = data ? SkinPicture(*Skin, data->PictureIndex) : nullptr;
  if (!picture || picture->Empty()) {
    SkinControlIndex = -1;
    SkinBitmap = nullptr;
    return;
  }
  SkinBitmap = picture;
  SkinRect = data->SkinRect;
  ClRect = data->SkinClientRect;
  TabRect = data->TabRect;
  ActiveTabRect = IsNullRect(data->ActiveTabRect) ? TabRect : data->ActiveTabRect;
  FocusTabRect = IsNullRect(data->FocusTabRect) ? ActiveTabRect : data->FocusTabRect;
  TabsBGRect = data->TabsBGRect;
  LTPoint = data->SkinLeftTopPoint;
  RTPoint = data->SkinRightTopPoint;
  LBPoint = data->SkinLeftBottomPoint;
  RBPoint = data->SkinRightBottomPoint;
  TabLeftOffset = data->TabLeftOffset;
  TabRightOffset = data->TabRightOffset;
  FontName = data->FontName;
  FontStyle = data->FontStyle;
  FontHeight = data->FontHeight;
  FontColor = data->FontColor;
  ActiveFontColor = data->ActiveFontColor;
  FocusFontColor = data->FocusFontColor;
  UpDown = data->UpDown;
  BGPicture = SkinPicture(*Skin, data->BGPictureIndex);
  if (BGPicture && BGPicture->Empty()) BGPicture = nullptr;
  BGPictureIndex = BGPicture ? data->BGPictureIndex : -1;
  MouseInTabRect = data->MouseInTabRect;
  MouseInFontColor = data->MouseInFontColor;
  TabStretchEffect = data->TabStretchEffect;
}

TRect TskTabSkin::Borders() const {
  return Rect(ClRect.left, ClRect.top, RectWidth(SkinRect) - ClRect.right, RectHeight(SkinRect) - ClRect.bottom);
}

// ---------------------------------------------------------------------------------------------
// Geometry

void CorrectDisplayRect(TRect& R, TTabPosition Position, int CW, int CH, const TRect* Borders) {
  if (!Borders) {
    switch (Position) {
      case TTabPosition::tpTop: R = Rect(1, R.top - 5, CW - 1, CH - 1); break;
      case TTabPosition::tpBottom: R = Rect(1, 1, CW - 1, R.bottom + 3); break;
      case TTabPosition::tpLeft: R = Rect(R.left - 3, R.top - 5, CW - 1, CH - 1); break;
      case TTabPosition::tpRight: R = Rect(R.left - 3, R.top - 5, R.right + 3, CH - 1); break;
    }
    return;
  }
  const TRect& b = *Borders;
  switch (Position) {
    case TTabPosition::tpTop: R = Rect(b.left, R.top - 6 + b.top, CW - b.right, CH - b.bottom); break;
    case TTabPosition::tpBottom: R = Rect(b.left, R.top - 4 + b.top, CW - b.right, R.bottom + 4 - b.bottom); break;
    case TTabPosition::tpLeft: R = Rect(R.left - 4 + b.left, R.top - 4 + b.top, CW - b.right, CH - b.bottom); break;
    case TTabPosition::tpRight: R = Rect(b.left, R.top - 4 + b.top, R.right + 4 - b.right, CH - b.bottom); break;
  }
}

void CorrectItemRect(TRect& R, TTabPosition Position, bool MultiLine) {
  switch (Position) {
    case TTabPosition::tpTop:
    case TTabPosition::tpBottom:
      OffsetRect(&R, MultiLine ? 0 : -2, Position == TTabPosition::tpTop ? -2 : 2);
      break;
    case TTabPosition::tpLeft: OffsetRect(&R, -2, 0); break;
    case TTabPosition::tpRight: OffsetRect(&R, 2, 0); break;
  }
}

// ---------------------------------------------------------------------------------------------
// Frames and backgrounds

void PaintDefaultTabFrame(TCanvas& Canvas, const TRect& Client, const TRect& Display) {
  Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas.Brush()->SetColor(clBtnFace);
  Canvas.FillRect(Client);
  TRect frame = Display;
  InflateRect(&frame, 1, 1);
  Canvas.Brush()->SetColor(clBtnShadow);
  Canvas.FrameRect(frame);
}

void TilePiece(TCanvas& Canvas, TBitmap& Picture, const TRect& Source, const TRect& Area) {
  const int h = RectHeight(Source);
  if (RectWidth(Source) <= 0 || h <= 0) return;
  for (int y = Area.top; y < Area.bottom; y += h) {
    const int cut = std::min(h, static_cast<int>(Area.bottom) - y);
    TileAcross(Canvas, Picture, Rect(Source.left, Source.top, Source.right, Source.top + cut), Area.left, Area.right, y);
  }
}

void PaintSkinTabFrame(TCanvas& Canvas, const TskTabSkin& Skin, const TRect& Display, TTabPosition Position, int W,
                       int H) {
  if (!Skin.SkinBitmap) return;
  TBitmap& picture = *Skin.SkinBitmap;
  const TRect& sr = Skin.SkinRect;
  const TRect b = Skin.Borders();
  const TRect f = Rect(Display.left - b.left, Display.top - b.top, Display.right + b.right, Display.bottom + b.bottom);
  const int dw = RectWidth(f) - RectWidth(sr), dh = RectHeight(f) - RectHeight(sr);
  const TPoint& lt = Skin.LTPoint;
  const TPoint &rt = Skin.RTPoint, &lb = Skin.LBPoint, &rb = Skin.RBPoint;
  const TPoint rt2 = Moved(rt, dw, 0), lb2 = Moved(lb, 0, dh), rb2 = Moved(rb, dw, dh);

  if (!IsNullRect(Skin.TabsBGRect)) {
    TRect strip{};
    switch (Position) {
      case TTabPosition::tpLeft: strip = Rect(0, 0, f.left, H); break;
      case TTabPosition::tpRight: strip = Rect(f.right, 0, W, H); break;
      case TTabPosition::tpBottom: strip = Rect(0, f.bottom, W, H); break;
      case TTabPosition::tpTop: strip = Rect(0, 0, W, f.top); break;
    }
    TilePiece(Canvas, picture, Skin.TabsBGRect, strip);
  }
  // Edges between the anchors, each repeated along the frame's grown length.
  TileAcross(Canvas, picture, Rect(sr.left + lt.x, sr.top, sr.left + rt.x, sr.top + b.top), f.left + lt.x,
             f.left + rt2.x, f.top);
  TileAcross(Canvas, picture, Rect(sr.left + lb.x, sr.bottom - b.bottom, sr.left + rb.x, sr.bottom), f.left + lb2.x,
             f.left + rb2.x, f.bottom - b.bottom);
  TileDown(Canvas, picture, Rect(sr.left, sr.top + lt.y, sr.left + b.left, sr.top + lb.y), f.left, f.top + lt.y,
           f.top + lb2.y);
  TileDown(Canvas, picture, Rect(sr.right - b.right, sr.top + rt.y, sr.right, sr.top + rb.y), f.right - b.right,
           f.top + rt2.y, f.top + rb2.y);
  // Corners, whole.
  CopyPiece(Canvas, picture, Rect(f.left, f.top, f.left + lt.x, f.top + lt.y),
            Rect(sr.left, sr.top, sr.left + lt.x, sr.top + lt.y));
  CopyPiece(Canvas, picture, Rect(f.left + rt2.x, f.top, f.right, f.top + rt2.y),
            Rect(sr.left + rt.x, sr.top, sr.right, sr.top + rt.y));
  CopyPiece(Canvas, picture, Rect(f.left, f.top + lb2.y, f.left + lb2.x, f.bottom),
            Rect(sr.left, sr.top + lb.y, sr.left + lb.x, sr.bottom));
  CopyPiece(Canvas, picture, Rect(f.left + rb2.x, f.top + rb2.y, f.right, f.bottom),
            Rect(sr.left + rb.x, sr.top + rb.y, sr.right, sr.bottom));
}

void PaintTabBackground(HDC DC, int W, int H, const TskTabSkin& Skin) {
  TDCCanvas canvas(DC);
  if (Skin.Described() && Skin.BGPicture) {
    TilePicture(*canvas, *Skin.BGPicture, W, H);
    return;
  }
  const TRect& cr = Skin.ClRect;
  if (Skin.Described() && !IsNullRect(cr)) {
    TBitmap piece;
    piece.SetSize(RectWidth(cr), RectHeight(cr));
    CopyPiece(*piece.Canvas(), *Skin.SkinBitmap, Rect(0, 0, piece.Width(), piece.Height()),
              Rect(Skin.SkinRect.left + cr.left, Skin.SkinRect.top + cr.top, Skin.SkinRect.left + cr.right,
                   Skin.SkinRect.top + cr.bottom));
    TilePicture(*canvas, piece, W, H);
    return;
  }
  (*canvas).Brush()->SetStyle(TBrushStyle::bsSolid);
  (*canvas).Brush()->SetColor(clBtnFace);
  (*canvas).FillRect(Rect(0, 0, W, H));
}

// ---------------------------------------------------------------------------------------------
// Tabs

void DrawSkinTab(TCanvas& Canvas, const TskTabSkin& Skin, const TskTabLook& Look, TTabPosition Position,
                 int TabHeight, bool UseSkinFont, const TFont& Font, const TskResourceStrData* Strings) {
  const TRect& r = Look.Rect;
  const bool side = SideTabs(Position);
  const int w = side ? RectHeight(r) : RectWidth(r);
  const int h = side ? RectWidth(r) : RectHeight(r);
  if (w <= 0 || h <= 0) return;
  const bool hot = Look.Hovered && !Look.Active;
  const bool focused = Look.Active && Look.Focused;

  TRect state{};
  if (Skin.Described()) {
    if (hot && !IsNullRect(Skin.MouseInTabRect))
      state = Skin.MouseInTabRect;
    else if (focused)
      state = Skin.FocusTabRect;
    else
      state = Look.Active ? Skin.ActiveTabRect : Skin.TabRect;
  }

  TBitmap b;
  b.SetPixelFormat(TPixelFormat::pf24bit);
  TCanvas& canvas = *b.Canvas();
  if (!IsNullRect(state)) {
    if (TabHeight > 0) {
      TBitmap piece;
      piece.SetPixelFormat(TPixelFormat::pf24bit);
      CreateHSkinImage(Skin.TabLeftOffset, Skin.TabRightOffset, piece, *Skin.SkinBitmap, state, w, h,
                       Skin.TabStretchEffect);
      b.SetSize(w, h);
      canvas.StretchDraw(Rect(0, 0, w, h), &piece);
    } else {
      CreateHSkinImage(Skin.TabLeftOffset, Skin.TabRightOffset, b, *Skin.SkinBitmap, state, w, h,
                       Skin.TabStretchEffect);
    }
    if (Position == TTabPosition::tpBottom) FlipBitmapVert(b);
    TFont& font = *canvas.Font();
    if (UseSkinFont) {
      font.SetName(Skin.FontName);
      font.SetStyle(Skin.FontStyle);
      font.SetHeight(Skin.FontHeight);
    } else {
      font.Assign(Font);
    }
    font.SetCharset(Strings ? Strings->CharSet() : Font.Charset());
    font.SetColor(hot ? Skin.MouseInFontColor
                      : focused ? Skin.FocusFontColor
                                : Look.Active ? Skin.ActiveFontColor : Skin.FontColor);
  } else {
    // The default look, also for a described state whose image is missing.
    b.SetSize(w, h);
    TColor face = HotFace;
    bool framed = false;
    if (hot) {
      face = HotFace;
    } else if (focused) {
      face = PressedFace;
      framed = true;
    } else if (!Look.Active) {
      face = clBtnFace;
    } else {
      framed = true;
    }
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(face);
    canvas.FillRect(Rect(0, 0, w, h));
    if (framed) {
      canvas.Brush()->SetColor(clNavy);
      canvas.FrameRect(Rect(0, 0, w, h));
    }
    canvas.Font()->Assign(Font);
    if (Strings) canvas.Font()->SetCharset(Strings->CharSet());
  }

  canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  if (Look.Images && Look.ImageIndex >= 0) {
    DrawTabImageAndText(canvas, b.Width(), b.Height(), Look.Enabled, Look.ImageIndex, Look.Images, Look.Caption);
  } else {
    TRect text = Rect(0, 0, b.Width(), b.Height());
    DrawControlText(canvas.Handle(), *canvas.Font(), Look.Caption, text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  }

  switch (Position) {
    case TTabPosition::tpLeft: DrawRotated90Left(Canvas, b, r.left, r.top); break;
    case TTabPosition::tpRight: DrawRotated90Right(Canvas, b, r.left, r.top); break;
    default: Canvas.Draw(r.left, r.top, &b); break;
  }
}

void SetDefaultTabFont(TFont& Font) {
  Font.SetName("Arial");
  Font.SetStyle({});
  Font.SetColor(clBtnText);
  Font.SetHeight(14);
}

void ApplyTabSkinFont(TFont& Font, const TFont& DefaultFont, const TskTabSkin& Skin, bool UseSkinFont,
                      const TskResourceStrData* Strings) {
  if (!Skin.Described()) {
    Font.Assign(DefaultFont);
    if (Strings) Font.SetCharset(Strings->CharSet());
    return;
  }
  if (UseSkinFont) {
    Font.SetName(Skin.FontName);
    Font.SetHeight(Skin.FontHeight);
    Font.SetStyle(Skin.FontStyle);
  } else {
    Font.Assign(DefaultFont);
  }
  Font.SetCharset(Strings ? Strings->CharSet() : DefaultFont.Charset());
  Font.SetColor(Skin.FontColor);
}

// ---------------------------------------------------------------------------------------------
// TskSkinPageControl

TskSkinPageControl::TskSkinPageControl(TComponent* AOwner)
    : TPageControl(AOwner), FDefaultFont(std::make_unique<TFont>()), FCanvas(std::make_unique<TControlCanvas>(*this)) {
  SetControlState(ControlState().Include(TControlStateItem::csCustomPaint));
  SetDefaultTabFont(*FDefaultFont);
  SetDefaultTabFont(Font());
}

TskSkinPageControl::~TskSkinPageControl() {
  FTabScroller.reset();
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
}

void TskSkinPageControl::SetSkinData(TskSkinData* Value) {
  if (FSkinData && FSkinData != Value) FSkinData->RemoveFreeNotification(this);
  FSkinData = Value;
  if (FSkinData) FSkinData->FreeNotification(this);
  if (FSkinData && !FSkinData->Empty && !Designing(*this)) ChangeSkinData();
}

void TskSkinPageControl::Notification(TComponent* AComponent, TOperation Operation) {
  TPageControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

void TskSkinPageControl::SetDefaultFont(const TFont& Value) { FDefaultFont->Assign(Value); }

void TskSkinPageControl::GetSkinData() { FSkin.Read(FSkinData, FSkinDataName); }

int TskSkinPageControl::ItemHeight() const {
  if (TabHeight() > 0) return TabHeight();
  return FSkin.Described() ? RectHeight(FSkin.TabRect) : FDefaultItemHeight;
}

void TskSkinPageControl::ChangeSkinData() {
  GetSkinData();
  ApplyTabSkinFont(Font(), *FDefaultFont, FSkin, FUseSkinFont, FSkinData ? FSkinData->ResourceStrData() : nullptr);
  SetItemSize(TabWidth(), ItemHeight());
  Change2();
  Realign();
  if (FTabScroller) {
    HideSkinUpDown();
    CheckScroll();
  }
  if (ActivePage()) ActivePage()->Invalidate();
}

void TskSkinPageControl::Loaded() {
  TPageControl::Loaded();
  GetSkinData();
  if (FSkin.Described()) return;
  SetItemSize(TabWidth(), ItemHeight());
  Change2();
  Realign();
}

void TskSkinPageControl::SetDefaultItemHeight(int Value) {
  FDefaultItemHeight = Value;
  if (FSkin.Described()) return;
  SetItemSize(TabWidth(), ItemHeight());
  Change2();
  Realign();
}

void TskSkinPageControl::UpDateTabs() {
  SetItemSize(TabWidth(), ItemHeight());
  if (MultiLine()) HideSkinUpDown();
  Realign();
}

void TskSkinPageControl::SetItemSize(int W, int H) {
  if (HandleAllocated()) SendMessageW(Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(W, H));
}

// The item size asked before the window existed (or never asked, in a control made in code).
void TskSkinPageControl::CreateHandleDone() {
  TPageControl::CreateHandleDone();
  GetSkinData();
  SetItemSize(TabWidth(), ItemHeight());
  Realign();
}

TRect TskSkinPageControl::GetItemRect(int Index) {
  TRect r = Rect(0, 0, 0, 0);
  Perform(TCM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
  return r;
}

void TskSkinPageControl::WndProc(TMessage& Message) {
  TPageControl::WndProc(Message);
  switch (Message.Msg) {
    case TCM_ADJUSTRECT: {
      const TRect borders = FSkin.Borders();
      CorrectDisplayRect(*reinterpret_cast<TRect*>(Message.LParam), TabPosition(), ClientWidth(), ClientHeight(),
                         FSkin.Described() ? &borders : nullptr);
      break;
    }
    case TCM_GETITEMRECT:
      if (Style() == TTabStyle::tsTabs && Message.Result)
        CorrectItemRect(*reinterpret_cast<TRect*>(Message.LParam), TabPosition(), MultiLine());
      break;
    case WM_SIZE:
      if (!MultiLine() && !Designing(*this)) CheckScroll();
      break;
  }
}

void TskSkinPageControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE:
      GetSkinData();
      break;
    case WM_ERASEBKGND:
      // The pages cover the area the system would erase.
      if (PageCount() > 0) {
        Message.Result = 1;
        return;
      }
      break;
    case WM_HSCROLL:
      TPageControl::Dispatch(Message);
      Invalidate();
      return;
    case CM_MOUSELEAVE:
      TPageControl::Dispatch(Message);
      CMMouseLeave();
      return;
  }
  TPageControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TskSkinPageControl::PaintWindow(HDC DC) {
  if (Width() <= 0 || Height() <= 0) return;
  GetSkinData();
  const int saved = SaveDC(DC);
  TBitmap buffer;
  buffer.SetSize(Width(), Height());
  TCanvas& canvas = *buffer.Canvas();
  // What neither the frame nor a tab covers shows the control's colour.
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(Rect(0, 0, Width(), Height()));
  if (FSkin.Described())
    PaintSkinWindow(canvas);
  else
    PaintDefaultWindow(canvas);
  DrawTabs(canvas);
  BitBlt(DC, 0, 0, Width(), Height(), canvas.Handle(), 0, 0, SRCCOPY);
  RestoreDC(DC, saved);
}

void TskSkinPageControl::PaintDefaultWindow(TCanvas& Canvas) { PaintDefaultTabFrame(Canvas, ClientRect(), DisplayRect()); }

void TskSkinPageControl::PaintSkinWindow(TCanvas& Canvas) {
  PaintSkinTabFrame(Canvas, FSkin, DisplayRect(), TabPosition(), Width(), Height());
}

void TskSkinPageControl::DrawTabs(TCanvas& Canvas) {
  int t = 0;
  for (int i = 0; i < PageCount(); ++i) {
    if (!Pages(i)->TabVisible()) continue;
    DrawTab(i, GetItemRect(t), TabIndex() == t, t == FHotTab, Canvas);
    ++t;
  }
}

void TskSkinPageControl::DrawTab(int PageIndex, const TRect& R, bool Active, bool Hovered, TCanvas& Canvas) {
  const TTabSheet* page = Pages(PageIndex);
  TskTabLook look;
  look.Rect = R;
  look.Active = Active;
  look.Hovered = Hovered;
  look.Focused = Focused();
  look.Caption = page->Caption();
  if (Images() && page->ImageIndex() >= 0 && page->ImageIndex() < Images()->Count()) {
    look.Images = Images();
    look.ImageIndex = page->ImageIndex();
  }
  look.Enabled = page->Enabled();
  DrawSkinTab(Canvas, FSkin, look, TabPosition(), TabHeight(), FUseSkinFont, Font(),
              FSkinData ? FSkinData->ResourceStrData() : nullptr);
}

// ---------------------------------------------------------------------------------------------
// Hot tab

void TskSkinPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TPageControl::MouseDown(Button, Shift, X, Y);
  if (Button == TMouseButton::mbLeft && !Designing(*this)) TestActive(X, Y);
}

void TskSkinPageControl::MouseMove(TShiftState Shift, int X, int Y) {
  TPageControl::MouseMove(Shift, X, Y);
  if (!Designing(*this)) TestActive(X, Y);
}

void TskSkinPageControl::RedrawTab(int PageIndex, int T, bool Hovered) {
  DrawTab(PageIndex, GetItemRect(T), false, Hovered, *FCanvas);
  FCanvas->FreeHandle();
}

void TskSkinPageControl::TestActive(int X, int Y) {
  FOldHotTabPage = FHotTabPage;
  FOldHotTab = FHotTab;
  FHotTab = -1;
  const POINT p{X, Y};
  int t = 0, i = 0;
  for (; i < PageCount(); ++i) {
    if (!Pages(i)->TabVisible()) continue;
    const TRect r = GetItemRect(t);
    if (PtInRect(&r, p)) {
      FHotTab = t;
      break;
    }
    ++t;
  }
  FHotTabPage = i;
  if (FHotTab == FOldHotTab) return;
  if (FOldHotTab != -1 && FOldHotTab != TabIndex() && FOldHotTab < PageCount()) RedrawTab(FOldHotTabPage, FOldHotTab, false);
  if (FHotTab != -1 && FHotTab != TabIndex() && FHotTab < PageCount()) RedrawTab(FHotTabPage, FHotTab, true);
}

void TskSkinPageControl::CMMouseLeave() {
  if (FOldHotTab != -1 && FOldHotTab != TabIndex() && FOldHotTab < PageCount()) RedrawTab(FOldHotTabPage, FOldHotTab, false);
  FOldHotTab = -1;
  FOldHotTabPage = -1;
  if (FHotTab != -1 && FHotTab != TabIndex() && FHotTab < PageCount()) RedrawTab(FHotTabPage, FHotTab, false);
  FHotTab = -1;
  FHotTabPage = -1;
}

// ---------------------------------------------------------------------------------------------
// Tab scroller

int TskSkinPageControl::GetInVisibleItemCount() {
  const int limit = Width() - (FTabScroller ? FTabScroller->Width() : 0) - 3;
  int count = 0, t = 0;
  for (int i = 0; i < PageCount(); ++i) {
    if (!Pages(i)->TabVisible()) continue;
    const TRect r = GetItemRect(t++);
    if (r.right > limit || r.right <= 0) ++count;
  }
  return count;
}

int TskSkinPageControl::GetPosition() {
  // Only tabs that are shown have a rectangle to ask for.
  int count = 0, t = 0;
  for (int i = 0; i < PageCount(); ++i)
    if (Pages(i)->TabVisible() && GetItemRect(t++).right <= 0) ++count;
  return count;
}

void TskSkinPageControl::CheckScroll() {
  if (HWND native = FindWindowExW(Handle(), nullptr, L"msctls_updown32", nullptr)) DestroyWindow(native);
  const int n = GetInVisibleItemCount();
  if (n == 0 && FTabScroller)
    HideSkinUpDown();
  else if (n > 0 && !FTabScroller)
    ShowSkinUpDown();
  if (!FTabScroller) return;
  FTabScroller->SetMax(n);
  FTabScroller->SetLeft(Width() - FTabScroller->Width());
  FTabScroller->SetTop(TabPosition() == TTabPosition::tpTop ? 0 : Height() - FTabScroller->Height());
}

void TskSkinPageControl::ShowSkinUpDown() {
  auto scroller = std::make_unique<TskSkinUpDown>(nullptr);
  scroller->SetVisible(false);
  scroller->SetBounds(0, 0, 2 * FDefaultItemHeight, FDefaultItemHeight);
  scroller->SetMin(0);
  scroller->SetMax(GetInVisibleItemCount());
  scroller->SetPosition(GetPosition());
  scroller->SetIncrement(1);
  scroller->OnChange = [this](TObject* Sender) { OnUpDownChange(Sender); };
  scroller->SetSkinDataName(FSkin.Described() ? FSkin.UpDown : String());
  scroller->SetParent(this);
  scroller->SetSkinData(FSkinData);
  // Placed once the skin has given it its size.
  scroller->SetBounds(Width() - scroller->Width(),
                      TabPosition() == TTabPosition::tpTop ? 0 : Height() - scroller->Height(), scroller->Width(),
                      scroller->Height());
  FTabScroller = std::move(scroller);
  FTabScroller->Show();
}

void TskSkinPageControl::HideSkinUpDown() { FTabScroller.reset(); }

void TskSkinPageControl::OnUpDownChange(TObject*) {
  if (!FTabScroller) return;
  FTabScroller->SetMax(GetInVisibleItemCount());
  SendMessageW(Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FTabScroller->Position() & 0xFFFF), 0);
}

void TskSkinPageControl::Change() {
  if (FTabScroller) FTabScroller->SetPosition(GetPosition());
  TPageControl::Change();
  Invalidate();
  if (ActivePage()) ActivePage()->Invalidate();
}

void TskSkinPageControl::Change2() {
  if (FTabScroller) FTabScroller->SetPosition(GetPosition());
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// TskSkinCustomTabSheet

TskSkinCustomTabSheet::TskSkinCustomTabSheet(TComponent* AOwner) : TTabSheet(AOwner) { SetAlign(TAlign::alClient); }

void TskSkinCustomTabSheet::PaintBG(HDC DC) {
  if (Width() < 1 || Height() < 1 || !Parent()) return;
  auto* pages = dynamic_cast<TskSkinPageControl*>(Parent());
  if (!pages) {
    // Outside a skinned page control the page has no description to follow.
    PaintTabBackground(DC, Width(), Height(), TskTabSkin{});
    return;
  }
  pages->GetSkinData();
  PaintTabBackground(DC, Width(), Height(), pages->TabSkin());
}

void TskSkinCustomTabSheet::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      PaintBG(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case WM_SIZE:
      TTabSheet::Dispatch(Message);
      Invalidate();
      return;
  }
  TTabSheet::Dispatch(Message);
}

}  // namespace skin
