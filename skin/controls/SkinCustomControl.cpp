#include "skin/controls/SkinCustomControl.h"

#include "skin/data/Skutils.h"

namespace skin {

using namespace classlib;

namespace {

TPoint Moved(const TPoint& P, int DX, int DY) { return Point(P.x + DX, P.y + DY); }

TRect OffsetBy(const TRect& R, int DX, int DY) { return Rect(R.left + DX, R.top + DY, R.right + DX, R.bottom + DY); }

std::unique_ptr<TFont> MakeDefaultFont() {
  auto font = std::make_unique<TFont>();
  font->SetName("Arial");
  font->SetHeight(14);
  font->SetStyle({});
  return font;
}

}  // namespace

TBitmap* SkinPicture(const TskSkinData& Skin, int Index) {
  if (Index < 0 || Index >= static_cast<int>(Skin.ActivePictures.size())) return nullptr;
  return Skin.ActivePictures[static_cast<size_t>(Index)].get();
}

// ---------------------------------------------------------------------------------------------
// TskSkinGeometry

int TskSkinGeometry::GetResizeMode() const {
  if (IsNullRect(SkinRect)) return -1;
  if (SkinRightBottomPoint.x != 0 && SkinRightBottomPoint.y != 0) return 1;
  if (SkinRightTopPoint.x != 0 || SkinRightTopPoint.y != 0) return 2;
  if (SkinLeftBottomPoint.x != 0 || SkinLeftBottomPoint.y != 0) return 3;
  return 0;
}

void TskSkinGeometry::CopyGeometry(const TskDataSkinCustomControl& Data, const TskSkinData& Skin, int& CursorIndex) {
  SkinLeftTopPoint = Data.SkinLeftTopPoint;
  SkinRightTopPoint = Data.SkinRightTopPoint;
  SkinLeftBottomPoint = Data.SkinLeftBottomPoint;
  SkinRightBottomPoint = Data.SkinRightBottomPoint;
  SkinRect = Data.SkinRect;
  SkinClientRect = Data.SkinClientRect;
  CursorIndex = Data.CursorIndex;
  SkinStretchEffect = Data.StretchEffect;
  SkinBitmap = SkinPicture(Skin, Data.PictureIndex);
  SkinMaskPicture = SkinPicture(Skin, Data.MaskPictureIndex);
  SkinResizeMode = GetResizeMode();
}

void TskSkinGeometry::CalcGeometry(int& W, int& H) {
  const int dx = W - RectWidth(SkinRect);
  const int dy = H - RectHeight(SkinRect);
  switch (SkinResizeMode) {
    case 1:
      RealLeftTopPoint = SkinLeftTopPoint;
      RealRightTopPoint = Moved(SkinRightTopPoint, dx, 0);
      RealLeftBottomPoint = Moved(SkinLeftBottomPoint, 0, dy);
      RealRightBottomPoint = Moved(SkinRightBottomPoint, dx, dy);
      RealClientRect = SkinClientRect;
      RealClientRect.right += dx;
      RealClientRect.bottom += dy;
      break;
    case 2:
      H = RectHeight(SkinRect);
      RealLeftTopPoint = SkinLeftTopPoint;
      RealRightTopPoint = Moved(SkinRightTopPoint, dx, 0);
      RealClientRect = SkinClientRect;
      RealClientRect.right += dx;
      break;
    case 3:
      W = RectWidth(SkinRect);
      RealLeftTopPoint = SkinLeftTopPoint;
      RealLeftBottomPoint = Moved(SkinLeftBottomPoint, 0, dy);
      RealClientRect = SkinClientRect;
      RealClientRect.bottom += dy;
      break;
    case 0:
      W = RectWidth(SkinRect);
      H = RectHeight(SkinRect);
      RealClientRect = SkinClientRect;
      break;
    default:
      break;
  }
}

TRect TskSkinGeometry::GetNewRect(const TRect& R, int W, int H) const {
  const int dx = W - RectWidth(SkinRect);
  const int dy = H - RectHeight(SkinRect);
  TRect result = R;
  switch (SkinResizeMode) {
    case 1: {
      const int sw = RectWidth(SkinRect);
      const int sh = RectHeight(SkinRect);
      const TRect topLeft = Rect(0, 0, SkinLeftTopPoint.x, SkinLeftTopPoint.y);
      const TRect bottomLeft = Rect(0, SkinLeftBottomPoint.y, SkinLeftBottomPoint.x, sh);
      const TRect topRight = Rect(SkinRightTopPoint.x, 0, sw, SkinRightTopPoint.y);
      const TRect bottomRight = Rect(SkinRightBottomPoint.x, SkinRightBottomPoint.y, sw, sh);
      const TPoint first = Point(R.left, R.top);
      const TPoint last = Point(R.right, R.bottom);
      if (RectInRect(R, topLeft)) return R;
      if (RectInRect(R, topRight)) return OffsetBy(R, dx, 0);
      if (RectInRect(R, bottomLeft)) return OffsetBy(R, 0, dy);
      if (RectInRect(R, bottomRight)) return OffsetBy(R, dx, dy);
      if (PointInRect(topLeft, first) && PointInRect(bottomRight, last)) {
        result.right += dx;
        result.bottom += dy;
      } else if (PointInRect(topLeft, first) && PointInRect(topRight, last)) {
        result.right += dx;
      } else if (PointInRect(bottomLeft, first) && PointInRect(bottomRight, last)) {
        result = OffsetBy(R, 0, dy);
        result.right += dx;
      } else if (PointInRect(topLeft, first) && PointInRect(bottomLeft, last)) {
        result.bottom += dy;
      } else if (PointInRect(topRight, first) && PointInRect(bottomRight, last)) {
        result = OffsetBy(R, dx, 0);
        result.bottom += dy;
      }
      return result;
    }
    case 2:
      if (R.left <= SkinLeftTopPoint.x && R.right >= SkinRightTopPoint.x)
        result.right += dx;
      else if (R.left >= SkinRightTopPoint.x && R.right > SkinRightTopPoint.x)
        result = OffsetBy(R, dx, 0);
      return result;
    case 3:
      if (R.top <= SkinLeftTopPoint.y && R.bottom >= SkinLeftBottomPoint.y)
        result.bottom += dy;
      else if (R.top >= SkinLeftBottomPoint.y && R.bottom > SkinLeftBottomPoint.y)
        result = OffsetBy(R, 0, dy);
      return result;
    default:
      return R;
  }
}

void TskSkinGeometry::CreateSkinControlImage(TBitmap& B, TBitmap* Picture, const TRect& R, int W, int H) {
  if (!Picture || Picture->Empty()) return;
  switch (SkinResizeMode) {
    case 0:
      B.SetSize(RectWidth(R), RectHeight(R));
      B.Canvas()->CopyRect(Rect(0, 0, B.Width(), B.Height()), *Picture->Canvas(), R);
      break;
    case 1:
      CreateSkinImage(SkinLeftTopPoint, SkinRightTopPoint, SkinLeftBottomPoint, SkinRightBottomPoint, SkinClientRect,
                      RealLeftTopPoint, RealRightTopPoint, RealLeftBottomPoint, RealRightBottomPoint, RealClientRect,
                      B, *Picture, R, W, H, true);
      break;
    case 2:
      CreateHSkinImage(SkinLeftTopPoint.x, RectWidth(SkinRect) - SkinRightTopPoint.x, B, *Picture, R, W, H,
                       SkinStretchEffect);
      break;
    case 3:
      CreateVSkinImage(SkinLeftTopPoint.y, RectHeight(SkinRect) - SkinLeftBottomPoint.y, B, *Picture, R, W, H,
                       SkinStretchEffect);
      break;
    default:
      break;
  }
}

HRGN TskSkinGeometry::CreateRegion(int W, int H) const {
  if (!SkinMaskPicture || SkinMaskPicture->Empty()) return nullptr;
  const int dx = W - RectWidth(SkinRect);
  const int dy = H - RectHeight(SkinRect);
  HRGN region = nullptr;
  switch (SkinResizeMode) {
    case 0:
      CreateSkinSimplyRegion(region, *SkinMaskPicture);
      break;
    case 1:
      CreateSkinRegion(region, SkinLeftTopPoint, SkinRightTopPoint, SkinLeftBottomPoint, SkinRightBottomPoint,
                       SkinClientRect, RealLeftTopPoint, RealRightTopPoint, RealLeftBottomPoint, RealRightBottomPoint,
                       RealClientRect, *SkinMaskPicture, W, H);
      break;
    case 2: {
      const TPoint right = Moved(SkinRightTopPoint, dx, 0);
      CreateSkinRegion(region, SkinLeftTopPoint, SkinRightTopPoint, SkinLeftTopPoint, SkinRightTopPoint,
                       SkinClientRect, SkinLeftTopPoint, right, SkinLeftTopPoint, right, RealClientRect,
                       *SkinMaskPicture, W, H);
      break;
    }
    case 3: {
      const TPoint bottom = Moved(SkinLeftBottomPoint, 0, dy);
      CreateSkinRegion(region, SkinLeftTopPoint, SkinLeftTopPoint, SkinLeftBottomPoint, SkinLeftBottomPoint,
                       SkinClientRect, SkinLeftTopPoint, SkinLeftTopPoint, bottom, bottom, RealClientRect,
                       *SkinMaskPicture, W, H);
      break;
    }
    default:
      break;
  }
  return region;
}

// ---------------------------------------------------------------------------------------------
// TskSkinCustomControl

TskSkinCustomControl::TskSkinCustomControl(TComponent* AOwner)
    : TskSkinControl(AOwner), FDefaultFont(MakeDefaultFont()) {
  FDefaultFont->OnChange = [this](TObject*) {
    DefaultFontChange();
    if (FSkinControlIndex == -1) Repaint();
  };
}

// The window owns a region once it is set on it; the system frees it with the window.
TskSkinCustomControl::~TskSkinCustomControl() = default;

void TskSkinCustomControl::SetDefaultWidth(int Value) {
  FDefaultWidth = Value;
  if (FSkinControlIndex == -1 && Value > 0) SetWidth(Value);
}

void TskSkinCustomControl::SetDefaultHeight(int Value) {
  FDefaultHeight = Value;
  if (FSkinControlIndex == -1 && Value > 0) SetHeight(Value);
}

void TskSkinCustomControl::SetDefaultFont(const TFont& Value) { FDefaultFont->Assign(Value); }

void TskSkinCustomControl::GetSkinData() {
  TskSkinControl::GetSkinData();
  if (FSkinControlIndex == -1) return;
  const auto* data = dynamic_cast<const TskDataSkinCustomControl*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (data) {
    CopyGeometry(*data, *FSkinData, FSkinCursorIndex);
  } else {
    SkinResizeMode = 0;
    SkinBitmap = nullptr;
    SkinMaskPicture = nullptr;
  }
}

void TskSkinCustomControl::ChangeSkinData() {
  GetSkinData();
  if (FUseSkinCursor) SetCursor(SkinCursor(FSkinData, FSkinCursorIndex));
  bool resized = false;
  if (FSkinControlIndex == -1) {
    if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
    if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
  } else {
    int w = Width(), h = Height();
    CalcSize(w, h);
    if (w != Width() || h != Height()) {
      TskSkinCustomControl::SetBounds(Left(), Top(), w, h);
      resized = true;
    }
  }
  if (!resized) {
    SetControlRegion();
    Repaint();
  }
}

void TskSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  GetSkinData();
  const bool resize = AWidth != Width() || AHeight != Height();
  if (FSkinControlIndex != -1 && resize) {
    CalcSize(AWidth, AHeight);
    if (SkinResizeMode == 0) RealClientRect = SkinClientRect;
  }
  const bool changed = AWidth != Width() || AHeight != Height();
  TskSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (changed) {
    SetControlRegion();
    Repaint();
  }
}

void TskSkinCustomControl::SetControlRegion() {
  if (!SkinMaskPicture || FSkinControlIndex == -1) {
    if (FRegionHandle) {
      if (HandleAllocated()) SetWindowRgn(Handle(), nullptr, TRUE);
      FRegionHandle = nullptr;
    }
    return;
  }
  CreateControlRegion();
}

void TskSkinCustomControl::CreateControlRegion() {
  if (!HandleAllocated()) return;  // set when the window is made
  HRGN region = CreateRegion(Width(), Height());
  // The system takes the new region and frees the one it replaces.
  if (region && !SetWindowRgn(Handle(), region, TRUE)) {
    DeleteObject(region);
    region = nullptr;
  }
  if (!region && FRegionHandle) SetWindowRgn(Handle(), nullptr, TRUE);
  FRegionHandle = region;
}

void TskSkinCustomControl::CreateHandleDone() {
  TskSkinControl::CreateHandleDone();
  FRegionHandle = nullptr;
  GetSkinData();
  SetControlRegion();
}

void TskSkinCustomControl::CreateControlDefaultImage(TBitmap& B) {
  B.Canvas()->Brush()->SetColor(clBtnFace);
  B.Canvas()->FillRect(ClientRect());
}

void TskSkinCustomControl::CreateControlSkinImage(TBitmap& B) { CreateSkinControlImage(B, SkinBitmap, SkinRect); }

// ---------------------------------------------------------------------------------------------
// TskGraphicSkinCustomControl

TskGraphicSkinCustomControl::TskGraphicSkinCustomControl(TComponent* AOwner)
    : TskGraphicSkinControl(AOwner), FDefaultFont(MakeDefaultFont()) {
  FDefaultFont->OnChange = [this](TObject*) {
    DefaultFontChange();
    if (FSkinControlIndex == -1) Repaint();
  };
}

void TskGraphicSkinCustomControl::SetDefaultWidth(int Value) {
  FDefaultWidth = Value;
  if (FSkinControlIndex == -1 && Value > 0) SetWidth(Value);
}

void TskGraphicSkinCustomControl::SetDefaultHeight(int Value) {
  FDefaultHeight = Value;
  if (FSkinControlIndex == -1 && Value > 0) SetHeight(Value);
}

void TskGraphicSkinCustomControl::SetDefaultFont(const TFont& Value) { FDefaultFont->Assign(Value); }

void TskGraphicSkinCustomControl::GetSkinData() {
  TskGraphicSkinControl::GetSkinData();
  if (FSkinControlIndex == -1) return;
  const auto* data = dynamic_cast<const TskDataSkinCustomControl*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (data) {
    CopyGeometry(*data, *FSkinData, FSkinCursorIndex);
  } else {
    SkinResizeMode = 0;
    SkinBitmap = nullptr;
    SkinMaskPicture = nullptr;
  }
}

void TskGraphicSkinCustomControl::ChangeSkinData() {
  GetSkinData();
  if (FUseSkinCursor) SetCursor(SkinCursor(FSkinData, FSkinCursorIndex));
  if (FSkinControlIndex == -1) {
    if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
    if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
  } else {
    int w = Width(), h = Height();
    CalcSize(w, h);
    if (w != Width() || h != Height()) {
      TskGraphicSkinCustomControl::SetBounds(Left(), Top(), w, h);
      return;
    }
  }
  Repaint();
}

void TskGraphicSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  GetSkinData();
  const bool resize = AWidth != Width() || AHeight != Height();
  if (FSkinControlIndex != -1 && resize) {
    CalcSize(AWidth, AHeight);
    if (SkinResizeMode == 0) RealClientRect = SkinClientRect;
  }
  const bool changed = AWidth != Width() || AHeight != Height();
  TskGraphicSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (changed) Repaint();
}

void TskGraphicSkinCustomControl::CreateControlDefaultImage(TBitmap& B) {
  B.Canvas()->Brush()->SetColor(clBtnFace);
  B.Canvas()->FillRect(Rect(0, 0, Width(), Height()));
}

void TskGraphicSkinCustomControl::CreateControlSkinImage(TBitmap& B) {
  CreateSkinControlImage(B, SkinBitmap, SkinRect);
}

}  // namespace skin
