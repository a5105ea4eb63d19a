// The window region cut from the skin's mask, and the layout, shaping and repaint after a size change.
#include "skin/form/FormSkin.h"

#include "skin/data/Skutils.h"

#include <cstddef>
#include <cstring>
#include <vector>

using namespace classlib;

namespace skin {

HRGN CreateMaskRegion(TBitmap& Mask, int DX, int DY) {
  if (Mask.Empty() || Mask.Width() <= 0 || Mask.Height() <= 0) return nullptr;
  const int step = Mask.PixelFormat() == TPixelFormat::pf24bit ? 3 : Mask.PixelFormat() == TPixelFormat::pf32bit ? 4 : 0;
  if (step == 0) {
    TRegionData data;
    if (CreateRgnFromBmp(Mask, DX, DY, data) == 0) return nullptr;
    HRGN region = RegionFromData(data);
    RECT box;
    if (region && GetRgnBox(region, &box) == NULLREGION) {
      DeleteObject(region);
      region = nullptr;
    }
    return region;
  }
  // The mask's own pixels are read in place: a copy of a frame-sized mask costs more than the scan.
  GdiFlush();
  std::vector<RECT> runs;
  runs.reserve(static_cast<size_t>(Mask.Height()) * 2);
  const int width = Mask.Width();
  const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(step);
  const std::uint8_t* above = nullptr;
  size_t band = 0;  // the first run of the row above
  // Rows lie a fixed stride apart (negative for a bottom-up picture); asking for each row would flush
  // the drawing queue once a row.
  const auto* first = static_cast<const std::uint8_t*>(Mask.ScanLine(0));
  const std::ptrdiff_t stride =
      Mask.Height() > 1 ? static_cast<const std::uint8_t*>(Mask.ScanLine(1)) - first : 0;
  for (int y = 0; y < Mask.Height(); ++y) {
    const std::uint8_t* row = first + stride * y;
    // A row like the one above only makes that row's runs taller. The system builds a region from
    // rectangles one at a time, so a mask's long straight sides cost one band instead of a band a row.
    if (above && std::memcmp(row, above, rowBytes) == 0) {
      for (size_t i = band; i < runs.size(); ++i) ++runs[i].bottom;
      above = row;
      continue;
    }
    band = runs.size();
    above = row;
    for (int x = 0; x < width;) {
      while (x < width && (row[step * x] | row[step * x + 1] | row[step * x + 2]) != 0) ++x;
      const int start = x;
      while (x < width && (row[step * x] | row[step * x + 1] | row[step * x + 2]) == 0) ++x;
      if (x > start) runs.push_back(RECT{start + DX, y + DY, x + DX, y + DY + 1});
    }
  }
  if (runs.empty()) return nullptr;
  std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  RGNDATAHEADER header{};
  header.dwSize = sizeof header;
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(runs.size());
  header.rcBound = RECT{DX, DY, DX + width, DY + Mask.Height()};
  std::memcpy(data.data(), &header, sizeof header);
  std::memcpy(data.data() + sizeof header, runs.data(), runs.size() * sizeof(RECT));
  return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
}

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
    // Pieces of a known format are read in place, a row like the one above at the cost of a compare.
    for (TBitmap* piece : {TopMask.get(), BottomMask.get(), LeftMask.get(), RightMask.get()})
      if (piece->PixelFormat() != TPixelFormat::pf24bit) piece->SetPixelFormat(TPixelFormat::pf24bit);
    CreateSkinMask(s.LeftTopPoint, s.RightTopPoint, s.LeftBottomPoint, s.RightBottomPoint, s.MaskRectArea,
                   LaidOutLeftTop, LaidOutRightTop, LaidOutLeftBottom, LaidOutRightBottom, NewMaskRectArea,
                   *s.Mask, *TopMask, *LeftMask, *RightMask, *BottomMask, FormWidth, FormHeight);
    region = CreateRectRgnIndirect(&NewMaskRectArea);
    const auto unite = [region](TBitmap& Piece, bool Present, int DX, int DY) {
      if (!Present) return;
      if (HRGN piece = CreateMaskRegion(Piece, DX, DY)) {
        CombineRgn(region, region, piece, RGN_OR);
        DeleteObject(piece);
      }
    };
    unite(*TopMask, TopMask->Height() > 0, 0, 0);
    unite(*BottomMask, BottomMask->Height() > 0, 0, NewMaskRectArea.bottom);
    unite(*LeftMask, LeftMask->Width() > 0, 0, NewMaskRectArea.top);
    unite(*RightMask, RightMask->Width() > 0, NewMaskRectArea.right, NewMaskRectArea.top);
  } else {
    region = CreateMaskRegion(*s.Mask, 0, 0);
    // A mask without black pixels leaves the window as it is.
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
