// The window region cut from the skin's mask, and the layout, shaping and repaint after a size change.
#include "skin/form/FormSkin.h"

#include "skin/data/Skutils.h"

using namespace classlib;

namespace skin {

namespace {

// The region of Mask's black pixels moved by DX, DY, or null when it has none.
HRGN MaskRegion(TBitmap& Mask, int DX, int DY) {
  TRegionData data;
  if (CreateRgnFromBmp(Mask, DX, DY, data) == 0) return nullptr;
  return RegionFromData(data);
}

bool HasRectangles(HRGN Region) {
  RECT box;
  return GetRgnBox(Region, &box) != NULLREGION;
}

}  // namespace

bool TskFormSkin::CanNCSupport() const {
  return FSupportNCArea && FSkinData && !FSkinData->Empty && !IsNullRect(FSkinData->ClientRect);
}

void TskFormSkin::RemoveRegion() {
  if (!FormRgn) return;
  // The window owns its region: replacing it by none ends the old one.
  if (Form->HandleAllocated()) SetWindowRgn(Form->Handle(), nullptr, TRUE);
  FormRgn = nullptr;
}

void TskFormSkin::CreateNewRegion(bool Resized) {
  if (FSupportNCArea && Form->BorderStyle() == TFormBorderStyle::bsNone) {
    RemoveRegion();
    return;
  }
  const bool masked = FSkinData && !FSkinData->Empty && FSkinData->Mask && !FSkinData->Mask->Empty();
  if (IsMaximizedMDIChild() && masked) {
    RemoveRegion();
    return;
  }
  if (!masked) {
    if (FormRgn) {
      RemoveRegion();
      for (TBitmap* piece : {TopMask.get(), BottomMask.get(), LeftMask.get(), RightMask.get()}) piece->SetSize(0, 0);
    }
    return;
  }
  const TskSkinData& s = *FSkinData;
  HRGN region = nullptr;
  if (Resized) {
    CreateSkinMask(s.LeftTopPoint, s.RightTopPoint, s.LeftBottomPoint, s.RightBottomPoint, s.MaskRectArea,
                   LaidOutLeftTop, LaidOutRightTop, LaidOutLeftBottom, LaidOutRightBottom, NewMaskRectArea,
                   *s.Mask, *TopMask, *LeftMask, *RightMask, *BottomMask, FormWidth, FormHeight);
    region = CreateRectRgnIndirect(&NewMaskRectArea);
    const auto unite = [region](TBitmap& Piece, bool Present, int DX, int DY) {
      if (!Present) return;
      if (HRGN piece = MaskRegion(Piece, DX, DY)) {
        CombineRgn(region, region, piece, RGN_OR);
        DeleteObject(piece);
      }
    };
    unite(*TopMask, TopMask->Height() > 0, 0, 0);
    unite(*BottomMask, BottomMask->Height() > 0, 0, NewMaskRectArea.bottom);
    unite(*LeftMask, LeftMask->Width() > 0, 0, NewMaskRectArea.top);
    unite(*RightMask, RightMask->Width() > 0, NewMaskRectArea.right, NewMaskRectArea.top);
  } else {
    region = MaskRegion(*s.Mask, 0, 0);
    // A mask without black pixels leaves the window as it is.
    if (region && !HasRectangles(region)) {
      DeleteObject(region);
      region = nullptr;
    }
    if (!region) return;
  }
  FormRgn = region;
  SetWindowRgn(Form->Handle(), region, TRUE);
}

void TskFormSkin::CreateNewForm(bool Resized) {
  if (Designing() || !FSkinData || FSkinData->Empty) return;
  CalcRects();
  if (Resized) CalcAllRealObjectRect();
  CreateNewRegion(Resized);
  if (OnChangeClientRect) OnChangeClientRect(LaidOutClientRect);
  if (!FSupportNCArea) {
    Form->Repaint();
    ControlsToAreas();
  } else if (!FormRgn && Form->HandleAllocated()) {
    // Setting a region repaints the window by itself.
    SendMessageW(Form->Handle(), WM_NCPAINT, 0, 0);
  }
}

void TskFormSkin::UpDateForm() {
  const int w = Form->Width();
  if (w - 1 < GetMinWidth()) {
    Form->SetWidth(w + 1);
    Form->SetWidth(w);
  } else {
    Form->SetWidth(w - 1);
    Form->SetWidth(w);
  }
}

}  // namespace skin
