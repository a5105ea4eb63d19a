#include "skin/controls/SkinControl.h"

#include "skin/data/Skutils.h"

#include <cctype>

namespace skin {

using namespace classlib;

namespace {

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

}  // namespace

void DrawSkinControlImage(TCanvas& Canvas, TBitmap& Image, bool AlphaBlend, std::uint8_t AlphaBlendValue,
                          const std::function<void(TCanvas&)>& ParentImage) {
  if (!AlphaBlend) {
    BitBlt(Canvas.Handle(), 0, 0, Image.Width(), Image.Height(), Image.Canvas()->Handle(), 0, 0, SRCCOPY);
    return;
  }
  TBitmap background;
  background.SetSize(Image.Width(), Image.Height());
  ParentImage(*background.Canvas());
  TskEffectBmp control(Image.Handle());
  const TskEffectBmp behind(background.Handle());
  control.Morph(behind, 1.0 - AlphaBlendValue / 255.0);
  control.Draw(Canvas.Handle(), 0, 0);
}

void TskMorphBuffers::Mix(TBitmap& Image, TBitmap& Hot, TMorphKind Kind, double Kf) {
  const auto load = [](std::unique_ptr<TskEffectBmp>& Buffer, const TBitmap& Source) {
    if (!Buffer || !Buffer->Load(Source.Handle())) Buffer = std::make_unique<TskEffectBmp>(Source.Handle());
  };
  load(FImage, Image);
  load(FHot, Hot);
  MorphEffect(*FImage, *FHot, Kind, Kf);
  FImage->Draw(Image.Canvas()->Handle(), 0, 0);
}

void MorphEffect(TskEffectBmp& Image, const TskEffectBmp& Hot, TMorphKind Kind, double Kf) {
  switch (Kind) {
    case TMorphKind::mkGradient: Image.MorphGrad(Hot, Kf); break;
    case TMorphKind::mkLeftGradient: Image.MorphLeftGrad(Hot, Kf); break;
    case TMorphKind::mkRightGradient: Image.MorphRightGrad(Hot, Kf); break;
    case TMorphKind::mkLeftSlide: Image.MorphLeftSlide(Hot, Kf); break;
    case TMorphKind::mkRightSlide: Image.MorphRightSlide(Hot, Kf); break;
    case TMorphKind::mkPush: Image.MorphPush(Hot, Kf); break;
    default: Image.Morph(Hot, Kf); break;
  }
}

bool IsCaptionAccelerator(WPARAM Key, const String& Caption) {
  for (size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != '&') continue;
    if (Caption[i + 1] == '&') {
      ++i;
      continue;
    }
    const auto c = static_cast<unsigned char>(Caption[i + 1]);
    return Key < 128 && std::toupper(c) == std::toupper(static_cast<int>(Key));
  }
  return false;
}

int FindSkinControlIndex(const TskSkinData* Skin, const String& Name) {
  if (!Skin || Skin->Empty) return -1;
  return Skin->GetControlIndex(Name);
}

TCursor SkinCursor(const TskSkinData* Skin, int Index) {
  if (Index == -1 || !Skin) return crDefault;
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(Skin->StartCursorIndex + Index));
}

// ---------------------------------------------------------------------------------------------
// TskSkinControl

TskSkinControl::TskSkinControl(TComponent* AOwner) : TCustomControl(AOwner) {}

void TskSkinControl::SetSkinData(TskSkinData* Value) {
  if (FSkinData && FSkinData != Value) FSkinData->RemoveFreeNotification(this);
  FSkinData = Value;
  if (FSkinData) FSkinData->FreeNotification(this);
  if (FSkinData && !FSkinData->Empty && !Designing(*this)) ChangeSkinData();
}

void TskSkinControl::SetAlphaBlend(bool Value) {
  FAlphaBlend = Value;
  Repaint();
}

void TskSkinControl::SetAlphaBlendValue(std::uint8_t Value) {
  FAlphaBlendValue = Value;
  Repaint();
}

void TskSkinControl::GetSkinData() { FSkinControlIndex = FindSkinControlIndex(FSkinData, FSkinDataName); }

void TskSkinControl::ChangeSkinData() {
  GetSkinData();
  if (FUseSkinCursor) SetCursor(SkinCursor(FSkinData, FSkinCursorIndex));
  Repaint();
}

void TskSkinControl::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

void TskSkinControl::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  GetSkinData();
  TBitmap image;
  image.SetSize(Width(), Height());
  if (FSkinControlIndex != -1)
    CreateControlSkinImage(image);
  else if (FDrawDefault)
    CreateControlDefaultImage(image);
  DrawControlImage(image);
}

void TskSkinControl::DrawControlImage(TBitmap& Image) {
  DrawSkinControlImage(Canvas(), Image, FAlphaBlend, FAlphaBlendValue,
                       [this](TCanvas& Target) { GetParentImage(this, Target); });
}

void TskSkinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      FInWMPaint = true;
      TCustomControl::Dispatch(Message);
      FInWMPaint = false;
      return;
    case WM_ERASEBKGND:
      // Paint covers the whole control.
      Message.Result = 1;
      return;
    case WM_MOVE:
      TCustomControl::Dispatch(Message);
      if (FAlphaBlend) Repaint();
      return;
  }
  TCustomControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TskGraphicSkinControl

TskGraphicSkinControl::TskGraphicSkinControl(TComponent* AOwner) : TGraphicControl(AOwner) {}

void TskGraphicSkinControl::SetSkinData(TskSkinData* Value) {
  if (FSkinData && FSkinData != Value) FSkinData->RemoveFreeNotification(this);
  FSkinData = Value;
  if (FSkinData) FSkinData->FreeNotification(this);
  if (FSkinData && !FSkinData->Empty && !Designing(*this)) ChangeSkinData();
}

void TskGraphicSkinControl::SetAlphaBlend(bool Value) {
  FAlphaBlend = Value;
  Repaint();
}

void TskGraphicSkinControl::SetAlphaBlendValue(std::uint8_t Value) {
  FAlphaBlendValue = Value;
  Repaint();
}

void TskGraphicSkinControl::GetSkinData() { FSkinControlIndex = FindSkinControlIndex(FSkinData, FSkinDataName); }

void TskGraphicSkinControl::ChangeSkinData() {
  GetSkinData();
  if (FUseSkinCursor) SetCursor(SkinCursor(FSkinData, FSkinCursorIndex));
  Repaint();
}

void TskGraphicSkinControl::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

void TskGraphicSkinControl::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  GetSkinData();
  TBitmap image;
  image.SetSize(Width(), Height());
  if (FSkinControlIndex != -1)
    CreateControlSkinImage(image);
  else if (FDrawDefault)
    CreateControlDefaultImage(image);
  DrawControlImage(image);
}

void TskGraphicSkinControl::DrawControlImage(TBitmap& Image) {
  DrawSkinControlImage(Canvas(), Image, FAlphaBlend, FAlphaBlendValue,
                       [this](TCanvas& Target) { GetParentImage2(this, Target); });
}

void TskGraphicSkinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_MOVE:
      TGraphicControl::Dispatch(Message);
      if (FAlphaBlend) Repaint();
      return;
  }
  TGraphicControl::Dispatch(Message);
}

}  // namespace skin
