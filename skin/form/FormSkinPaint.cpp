// Painting the frame and the client background: the skinned frame from four border pieces with the
// objects on them, the plain frame of a form without a skin, the backgrounds, the whole form in
// client mode, and the logo.
#include "skin/form/FormSkinObjects.h"

#include "skin/data/ResourceStrData.h"
#include "skin/data/Skutils.h"

#include <algorithm>

namespace skin {

using classlib::String;
using classlib::TBitmap;
using classlib::TCanvas;
using classlib::TRect;

namespace {

// A canvas over a DC the caller holds; the DC gets its own objects back when the canvas goes.
class TDCCanvas {
public:
  explicit TDCCanvas(HDC DC) { FCanvas.SetHandle(DC); }
  ~TDCCanvas() { FCanvas.SetHandle(nullptr); }
  TDCCanvas(const TDCCanvas&) = delete;
  TDCCanvas& operator=(const TDCCanvas&) = delete;
  TCanvas& operator*() { return FCanvas; }
  TCanvas* operator->() { return &FCanvas; }

private:
  TCanvas FCanvas;
};

// The window's whole-window DC for one paint.
class TWindowDC {
public:
  explicit TWindowDC(HWND Wnd) : FWnd(Wnd), FDC(GetWindowDC(Wnd)) {}
  ~TWindowDC() {
    if (FDC) ReleaseDC(FWnd, FDC);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC DC() const { return FDC; }

private:
  HWND FWnd;
  HDC FDC;
};

void FillRect(TCanvas& Canvas, const TRect& R, classlib::TColor Color) {
  Canvas.Brush()->SetStyle(classlib::TBrushStyle::bsSolid);
  Canvas.Brush()->SetColor(Color);
  Canvas.FillRect(R);
}

// Tile copies from the client area's origin, the last row and column cut by the clip.
void TileClient(TCanvas& Canvas, TBitmap& Tile, int ClientWidth, int ClientHeight) {
  const int cw = Tile.Width(), ch = Tile.Height();
  if (cw <= 0 || ch <= 0 || ClientWidth <= 0 || ClientHeight <= 0) return;
  for (int i = 0; i <= ClientWidth / cw; ++i)
    for (int j = 0; j <= ClientHeight / ch; ++j) Canvas.Draw(i * cw, j * ch, &Tile);
}

bool HasPicture(const std::unique_ptr<TBitmap>& Picture) { return Picture && !Picture->Empty(); }

}  // namespace

void TskFormSkin::CorrectCaptionText(TCanvas& Canvas, String& S, int W) { CorrectTextbyWidth(Canvas, S, W); }

void TskFormSkin::DrawLogoBitMap(TCanvas& Canvas) {
  TBitmap& logo = *FLogoBitMap;
  const int x = std::max(0, Form->ClientWidth() / 2 - logo.Width() / 2);
  const int y = std::max(0, Form->ClientHeight() / 2 - logo.Height() / 2);
  if (logo.Transparent() != FLogoBitMapTransparent) logo.SetTransparent(FLogoBitMapTransparent);
  Canvas.Draw(x, y, &logo);
}

void TskFormSkin::CreateRealBitMap(TBitmap& B, TBitmap& SB) {
  const TskSkinData& s = *FSkinData;
  CreateSkinImage(s.LeftTopPoint, s.RightTopPoint, s.LeftBottomPoint, s.RightBottomPoint, s.ClientRect, LaidOutLeftTop,
                  LaidOutRightTop, LaidOutLeftBottom, LaidOutRightBottom, LaidOutClientRect, B, SB,
                  TRect{0, 0, SB.Width(), SB.Height()}, FormWidth, FormHeight, true);
}

void TskFormSkin::PaintNCSkin() {
  if (!CanNCSupport()) return;
  if (FormWidth == 0) FormWidth = Form->Width();
  if (FormHeight == 0) FormHeight = Form->Height();
  if (FormWidth < GetMinWidth() || FormHeight < GetMinHeight()) return;
  CalcRects();
  CalcAllRealObjectRect();
  const TskSkinData& s = *FSkinData;
  TBitmap& source = GetFormActive() || !HasPicture(s.InActivePicture) ? *s.Picture : *s.InActivePicture;
  const TRect whole{0, 0, source.Width(), source.Height()};
  const auto picture = reinterpret_cast<std::intptr_t>(source.Handle());
  const TRect& c = s.ClientRect;
  const TRect& n = LaidOutClientRect;
  // The top and bottom bands follow the width, the side bands the height: a resize step in one
  // direction builds only the bands it changes.
  auto& [baseTop, baseLeft, baseRight, baseBottom] = FPieces.Base;
  const TFramePieces::TKey bandsKey{FormWidth,  n.top,      FormHeight - n.bottom, picture,
                                    whole.right, whole.bottom, s.TopStretch,       s.BottomStretch,
                                    s.LeftTopPoint.x, s.RightTopPoint.x, s.LeftBottomPoint.x, s.RightBottomPoint.x,
                                    LaidOutLeftTop.x, LaidOutRightTop.x, LaidOutLeftBottom.x, LaidOutRightBottom.x};
  if (bandsKey != FPieces.BandsKey) {
    baseTop.SetSize(0, 0);
    baseBottom.SetSize(0, 0);
    CreateSkinHBorderImages(s.LeftTopPoint, s.RightTopPoint, s.LeftBottomPoint, s.RightBottomPoint, LaidOutLeftTop,
                            LaidOutRightTop, LaidOutLeftBottom, LaidOutRightBottom, n, baseTop, baseBottom, source,
                            whole, FormWidth, FormHeight, s.TopStretch, s.BottomStretch);
    FPieces.BandsKey = bandsKey;
  }
  const TFramePieces::TKey sidesKey{FormHeight, baseTop.Height(), baseBottom.Height(), n.left, FormWidth - n.right,
                                    picture, whole.right, whole.bottom, s.LeftStretch, s.RightStretch,
                                    s.LeftTopPoint.y, s.RightTopPoint.y, s.LeftBottomPoint.y, s.RightBottomPoint.y,
                                    c.top, c.right, c.bottom};
  if (sidesKey != FPieces.SidesKey) {
    baseLeft.SetSize(0, 0);
    baseRight.SetSize(0, 0);
    CreateSkinVBorderImages(s.LeftTopPoint, s.RightTopPoint, s.LeftBottomPoint, s.RightBottomPoint, c, n, baseLeft,
                            baseRight, source, whole, FormWidth, FormHeight, baseTop.Height(), baseBottom.Height(),
                            s.LeftStretch, s.RightStretch);
    FPieces.SidesKey = sidesKey;
  }
  // Objects are drawn on a copy of the top or bottom band; a band without objects is drawn as built.
  bool topObjects = false, bottomObjects = false;
  for (const auto& object : FrameObjects) {
    if (dynamic_cast<TskSkinMainMenuItem*>(object.get()))
      (RealMainMenuRect.top <= LaidOutClientRect.top ? topObjects : bottomObjects) = true;
    else if (CanObjectTest(object->RollUp) && object->Visible)
      (object->ObjectRect.bottom <= LaidOutClientRect.top ? topObjects : bottomObjects) = true;
  }
  const auto workCopy = [](TBitmap& Base, TBitmap& Work) -> TBitmap& {
    if (Work.Width() != Base.Width() || Work.Height() != Base.Height()) Work.SetSize(Base.Width(), Base.Height());
    if (!Base.Empty())
      BitBlt(Work.Canvas()->Handle(), 0, 0, Base.Width(), Base.Height(), Base.Canvas()->Handle(), 0, 0, SRCCOPY);
    return Work;
  };
  TBitmap& top = topObjects ? workCopy(baseTop, FPieces.WorkTop) : baseTop;
  TBitmap& bottom = bottomObjects ? workCopy(baseBottom, FPieces.WorkBottom) : baseBottom;
  TBitmap& left = baseLeft;
  TBitmap& right = baseRight;
  for (const auto& object : FrameObjects) {
    if (dynamic_cast<TskSkinMainMenuItem*>(object.get())) {
      object->Draw(*(RealMainMenuRect.top <= LaidOutClientRect.top ? top : bottom).Canvas(), false);
      continue;
    }
    if (!CanObjectTest(object->RollUp) || !object->Visible) continue;
    if (object->ObjectRect.bottom <= LaidOutClientRect.top) {
      object->Draw(*top.Canvas(), false);
    } else {
      const TRect place = object->ObjectRect;
      OffsetRect(&object->ObjectRect, 0, -LaidOutClientRect.bottom);
      object->Draw(*bottom.Canvas(), false);
      object->ObjectRect = place;
    }
  }
  const TWindowDC dc(Form->Handle());
  if (!dc.DC()) return;
  if (!IsNullRect(LaidOutClientRect))
    ExcludeClipRect(dc.DC(), LaidOutClientRect.left, LaidOutClientRect.top, LaidOutClientRect.right,
                    LaidOutClientRect.bottom);
  const struct {
    TBitmap& Piece;
    int X, Y;
  } pieces[] = {{top, 0, 0},
                {left, 0, top.Height()},
                {right, FormWidth - right.Width(), top.Height()},
                {bottom, 0, FormHeight - bottom.Height()}};
  const bool effect = !GetFormActive() && GetAutoRenderingInActiveImage();
  TDCCanvas canvas(dc.DC());
  for (const auto& piece : pieces) {
    if (piece.Piece.Empty()) continue;
    if (!effect) {
      canvas->Draw(piece.X, piece.Y, &piece.Piece);
      continue;
    }
    TskEffectBmp buffer(piece.Piece.Handle());
    ApplyInActiveEffect(buffer, s.InActiveEffect);
    buffer.Draw(dc.DC(), piece.X, piece.Y);
  }
}

void TskFormSkin::PaintNCDefault() {
  if (FormWidth == 0) FormWidth = Form->Width();
  if (FormHeight == 0) FormHeight = Form->Height();
  const int w = FormWidth, h = FormHeight, ch = GetDefCaptionHeight();
  if (FrameObjects.empty() && !SkinActive) LoadDefObjects();
  CalcDefRects();
  TBitmap caption;
  caption.SetSize(w - 6, ch);
  if (!caption.Empty()) {
    TCanvas& c = *caption.Canvas();
    const int bw = caption.Width();
    FillRect(c, TRect{0, 0, bw, ch}, classlib::clBtnFace);
    const int l = DefCaptionRect.left - 3, r = bw - DefCaptionRect.right;
    if (ch - 4 > 1) {
      for (int i = 0; i < ch - 5; ++i) {
        c.Pen()->SetColor(i % 2 == 0 ? classlib::clBtnHighlight : classlib::clBtnShadow);
        c.MoveTo(l + 2, 2 + i);
        c.LineTo(bw - r - 6, 2 + i);
      }
    }
    c.SetFont(GetFormActive() ? *FDefCaptionFont : *FDefInActiveCaptionFont);
    if (FSkinData && FSkinData->ResourceStrData()) c.Font()->SetCharset(FSkinData->ResourceStrData()->CharSet());
    String text = FrameCaptionText();
    if (!text.empty()) {
      CorrectCaptionText(c, text, bw - l - r);
      const int tw = c.TextWidth(text), th = c.TextHeight(text);
      const int x = (bw - (l + r)) / 2 + l - (tw + 5) / 2;
      c.TextRect(TRect{x, 0, x + tw + 5, ch}, x + 3, ch / 2 - th / 2, text);
    }
    for (const auto& object : FrameObjects) {
      if (!object->Visible) continue;
      const TRect place = object->ObjectRect;
      OffsetRect(&object->ObjectRect, -3, -3);
      object->Draw(c, true);
      object->ObjectRect = place;
    }
  }
  const TWindowDC dc(Form->Handle());
  if (!dc.DC()) return;
  ExcludeClipRect(dc.DC(), 3, ch + 3, w - 3, h - 3);
  TDCCanvas canvas(dc.DC());
  canvas->Draw(3, 3, &caption);
  TRect frame{0, 0, w, h};
  const classlib::TColor colours[3][2] = {{classlib::cl3DLight, classlib::cl3DDkShadow},
                                          {classlib::clBtnHighlight, classlib::clBtnShadow},
                                          {classlib::clBtnFace, classlib::clBtnFace}};
  for (const auto& pair : colours) {
    Frm3D(*canvas, frame, pair[0], pair[1]);
    InflateRect(&frame, -1, -1);
  }
}

void TskFormSkin::PaintBGDefault(HDC DC) {
  TDCCanvas canvas(DC);
  FillRect(*canvas, Form->ClientRect(), classlib::clBtnFace);
  if (!FLogoBitMap->Empty()) DrawLogoBitMap(*canvas);
}

void TskFormSkin::PaintBG(HDC DC) {
  if (!FSkinData || FSkinData->Empty) return;
  const TskSkinData& s = *FSkinData;
  TDCCanvas canvas(DC);
  if (IsNullRect(s.ClientRect) || !HasPicture(s.Picture)) {
    FillRect(*canvas, Form->ClientRect(), classlib::clBtnFace);
    return;
  }
  TClientTile& tile = FClientTile;
  if (tile.Source != s.Picture->Handle() || !EqualRect(&tile.Rect, &s.ClientRect)) {
    tile.Tile.SetSize(RectWidth(s.ClientRect), RectHeight(s.ClientRect));
    tile.Tile.Canvas()->CopyRect(TRect{0, 0, tile.Tile.Width(), tile.Tile.Height()}, *s.Picture->Canvas(), s.ClientRect);
    tile.Source = s.Picture->Handle();
    tile.Rect = s.ClientRect;
  }
  TileClient(*canvas, tile.Tile, Form->ClientWidth(), Form->ClientHeight());
  if (!FLogoBitMap->Empty()) DrawLogoBitMap(*canvas);
}

namespace {

// The extra picture Index names, or null when it names none or an empty one.
TBitmap* ExtraPicture(const TskSkinData& Skin, int Index) {
  if (Index < 0 || Index >= static_cast<int>(Skin.ActivePictures.size())) return nullptr;
  TBitmap* picture = Skin.ActivePictures[static_cast<size_t>(Index)].get();
  return picture && !picture->Empty() ? picture : nullptr;
}

}  // namespace

void TskFormSkin::PaintBG2(HDC DC) {
  if (!FSkinData || FSkinData->Empty) return;
  // A skin whose background index names no picture, or an empty one, gets the plain background.
  TBitmap* picture = ExtraPicture(*FSkinData, FSkinData->BGPictureIndex);
  if (!picture) return PaintBGDefault(DC);
  TDCCanvas canvas(DC);
  TileClient(*canvas, *picture, Form->ClientWidth(), Form->ClientHeight());
  if (!FLogoBitMap->Empty()) DrawLogoBitMap(*canvas);
}

void TskFormSkin::PaintBG3(HDC DC) {
  if (!FSkinData || FSkinData->Empty) return;
  TBitmap* picture = ExtraPicture(*FSkinData, FSkinData->MDIBGPictureIndex);
  if (!picture) return PaintBGDefault(DC);
  TDCCanvas canvas(DC);
  TileClient(*canvas, *picture, Form->ClientWidth(), Form->ClientHeight());
  if (!FLogoBitMap->Empty()) DrawLogoBitMap(*canvas);
}

void TskFormSkin::Paint(HDC DC) {
  TDCCanvas canvas(DC);
  if (!FSkinData || FSkinData->Empty || !HasPicture(FSkinData->Picture)) {
    canvas->Pen()->SetColor(classlib::clBlack);
    canvas->Brush()->SetStyle(classlib::TBrushStyle::bsSolid);
    canvas->Brush()->SetColor(classlib::clBtnFace);
    canvas->Rectangle(Form->ClientRect());
    return;
  }
  const TskSkinData& s = *FSkinData;
  TBitmap image;
  if (!RollUpState || !HasPicture(s.RollUpPicture)) {
    if (s.LeftTopPoint.x != 0 || s.LeftTopPoint.y != 0 || s.RightBottomPoint.x != 0 || s.RightBottomPoint.y != 0)
      CreateRealBitMap(image, *s.Picture);
    else
      image.Assign(*s.Picture);
  } else {
    TBitmap& rollUp = *s.RollUpPicture;
    const int wr = rollUp.Width(), hr = rollUp.Height();
    if (s.RollUpLeftPoint.x < s.RollUpRightPoint.x)
      CreateHSkinImage(s.RollUpLeftPoint.x, wr - s.RollUpRightPoint.x, image, rollUp, TRect{0, 0, wr, hr},
                       Form->Width(), hr, false);
    else
      image.Assign(rollUp);
  }
  for (const auto& object : FrameObjects)
    if (object->RollUp == RollUpState) object->Draw(*image.Canvas(), false);
  canvas->Draw(0, 0, &image);
}

}  // namespace skin
