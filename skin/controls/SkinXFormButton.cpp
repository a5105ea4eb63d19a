#include "skin/controls/SkinXFormButton.h"

#include "skin/data/ResourceStrData.h"
#include "skin/data/Skutils.h"

namespace skin {

using namespace classlib;

TskSkinXFormButton::TskSkinXFormButton(TComponent* AOwner) : TskSkinButton(AOwner) { SetCanFocused(false); }

void TskSkinXFormButton::SetDefImage(const TBitmap& Value) {
  FDefImage->Assign(Value);
  if (FDefImage->Empty()) return;
  SetDefaultHeight(FDefImage->Height());
  SetDefaultWidth(FDefImage->Width());
}

void TskSkinXFormButton::SetDefMask(const TBitmap& Value) {
  FDefMask->Assign(Value);
  if (!FDefImage->Empty()) SetControlRegion();
}

void TskSkinXFormButton::Loaded() {
  TskSkinButton::Loaded();
  GetSkinData();
  if (FSkinControlIndex == -1 && !FDefMask->Empty()) SetControlRegion();
}

void TskSkinXFormButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TskSkinButton::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (OwnLook() && (Width() != FDefImage->Width() || Height() != FDefImage->Height()))
    TskSkinButton::SetBounds(Left(), Top(), FDefImage->Width(), FDefImage->Height());
}

void TskSkinXFormButton::SetControlRegion() {
  if (!OwnLook()) {
    TskSkinButton::SetControlRegion();
    return;
  }
  if (!HandleAllocated()) return;  // set when the window is made
  if (FDefMask->Empty()) {
    if (FRegionHandle) SetWindowRgn(Handle(), nullptr, TRUE);
    FRegionHandle = nullptr;
    return;
  }
  HRGN region = nullptr;
  CreateSkinSimplyRegion(region, *FDefMask);
  // The system takes the new region and frees the one it replaces.
  if (region && !SetWindowRgn(Handle(), region, TRUE)) {
    DeleteObject(region);
    region = nullptr;
  }
  FRegionHandle = region;
}

void TskSkinXFormButton::ChangeSkinData() {
  GetSkinData();
  if (!OwnLook()) {
    TskSkinButton::ChangeSkinData();
    return;
  }
  StopAnimate();
  StopMorph();
  TskSkinButton::SetBounds(Left(), Top(), FDefImage->Width(), FDefImage->Height());
  SetControlRegion();
  Repaint();
}

void TskSkinXFormButton::CreateControlDefaultImage(TBitmap& B) {
  if (OwnLook())
    DrawDefaultButton(*B.Canvas());
  else
    TskSkinButton::CreateControlDefaultImage(B);
}

void TskSkinXFormButton::DrawDefaultButton(TCanvas& Canvas) {
  Canvas.Font()->Assign(*FDefaultFont);
  if (FSkinData && FSkinData->ResourceStrData()) Canvas.Font()->SetCharset(FSkinData->ResourceStrData()->CharSet());
  const bool pressed = PressedLook();
  const bool hot = FHovered || IsFocused();
  TBitmap* picture = FDefImage.get();
  if (pressed && !FDefDownImage->Empty())
    picture = FDefDownImage.get();
  else if (hot && !FDefActiveImage->Empty())
    picture = FDefActiveImage.get();
  BitBlt(Canvas.Handle(), 0, 0, picture->Width(), picture->Height(), picture->Canvas()->Handle(), 0, 0, SRCCOPY);
  if (pressed)
    Canvas.Font()->SetColor(FDefDownFontColor);
  else if (hot)
    Canvas.Font()->SetColor(FDefActiveFontColor);
  DrawGlyphAndText(Canvas, ClientRect(), FMargin, FSpacing, FLayout, Caption(), *FGlyph, FNumGlyphs, 1, pressed);
}

}  // namespace skin
