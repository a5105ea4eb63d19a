// The skin protocol every skinned control shares: a skin and a description in it, the whole control
// painted off-screen from the skin or in a default look, optionally blended over what lies behind.
//
// Classes in this file: TskSkinControl (windowed), TskGraphicSkinControl (windowless).
#pragma once

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Controls.h"
#include "skin/controls/SkinChangeClient.h"
#include "skin/data/Skeffbmp.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinEnums.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace skin {

// Draws Image on Canvas at (0, 0), blended over the picture ParentImage draws when AlphaBlend is
// set: each channel ends as AlphaBlendValue/255 of the image plus the rest of the background.
void DrawSkinControlImage(classlib::TCanvas& Canvas, classlib::TBitmap& Image, bool AlphaBlend,
                          std::uint8_t AlphaBlendValue, const std::function<void(classlib::TCanvas&)>& ParentImage);

// Index of the control description named Name in Skin, -1 without a loaded skin or description.
int FindSkinControlIndex(const TskSkinData* Skin, const classlib::String& Name);

// The cursor of a skin's cursor list: crDefault for -1, else the skin's start index plus Index as
// 16-bit cursor numbers.
classlib::TCursor SkinCursor(const TskSkinData* Skin, int Index);

// Moves Image toward Hot by Kf with the transition Kind names.
void MorphEffect(TskEffectBmp& Image, const TskEffectBmp& Hot, TMorphKind Kind, double Kf);

// The two buffers a morphing control mixes at each step of its fade, kept from one paint to the next
// while the control keeps its size: under Wine the pages of a fresh buffer cost more to fault in
// than the mixing itself.
class TskMorphBuffers {
public:
  // Image moved toward Hot by Kf with the transition Kind names, written back into Image.
  void Mix(classlib::TBitmap& Image, classlib::TBitmap& Hot, TMorphKind Kind, double Kf);

private:
  std::unique_ptr<TskEffectBmp> FImage, FHot;
};

// True when Key is the character after a single "&" of Caption, letters in either case.
bool IsCaptionAccelerator(WPARAM Key, const classlib::String& Caption);

class TskSkinControl : public classlib::TCustomControl, public TskSkinChangeClient {
public:
  explicit TskSkinControl(classlib::TComponent* AOwner);

  // Attributes
  TskSkinData* SkinData() const override { return FSkinData; }
  virtual void SetSkinData(TskSkinData* Value);
  const classlib::String& SkinDataName() const { return FSkinDataName; }
  virtual void SetSkinDataName(const classlib::String& Value) { FSkinDataName = Value; }
  const classlib::String& AreaName() const { return FAreaName; }
  void SetAreaName(const classlib::String& Value) { FAreaName = Value; }
  bool DrawDefault() const { return FDrawDefault; }
  void SetDrawDefault(bool Value) { FDrawDefault = Value; }
  bool AlphaBlend() const { return FAlphaBlend; }
  virtual void SetAlphaBlend(bool Value);
  std::uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
  virtual void SetAlphaBlendValue(std::uint8_t Value);
  bool UseSkinCursor() const { return FUseSkinCursor; }
  void SetUseSkinCursor(bool Value) { FUseSkinCursor = Value; }
  int SkinControlIndex() const { return FSkinControlIndex; }

  // Operations
  virtual void GetSkinData();
  void ChangeSkinData() override;
  void BeforeChangeSkinData() override { FSkinControlIndex = -1; }

  void Dispatch(classlib::TMessage& Message) override;

protected:
  virtual void CreateControlDefaultImage(classlib::TBitmap&) {}
  virtual void CreateControlSkinImage(classlib::TBitmap&) {}
  void Paint() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  // Draws the finished control image on the canvas, blended over the parent when asked.
  void DrawControlImage(classlib::TBitmap& Image);

  bool FInWMPaint = false;
  TskSkinData* FSkinData = nullptr;
  classlib::String FAreaName;
  classlib::String FSkinDataName;
  HRGN FRegionHandle = nullptr;
  bool FDrawDefault = true;
  int FSkinCursorIndex = -1;
  bool FAlphaBlend = false;
  std::uint8_t FAlphaBlendValue = 200;
  bool FUseSkinCursor = false;
  int FSkinControlIndex = -1;
};

class TskGraphicSkinControl : public classlib::TGraphicControl, public TskSkinChangeClient {
public:
  explicit TskGraphicSkinControl(classlib::TComponent* AOwner);

  // Attributes
  TskSkinData* SkinData() const override { return FSkinData; }
  virtual void SetSkinData(TskSkinData* Value);
  const classlib::String& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const classlib::String& Value) { FSkinDataName = Value; }
  const classlib::String& AreaName() const { return FAreaName; }
  void SetAreaName(const classlib::String& Value) { FAreaName = Value; }
  bool DrawDefault() const { return FDrawDefault; }
  void SetDrawDefault(bool Value) { FDrawDefault = Value; }
  bool AlphaBlend() const { return FAlphaBlend; }
  virtual void SetAlphaBlend(bool Value);
  std::uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
  virtual void SetAlphaBlendValue(std::uint8_t Value);
  bool UseSkinCursor() const { return FUseSkinCursor; }
  void SetUseSkinCursor(bool Value) { FUseSkinCursor = Value; }
  int SkinControlIndex() const { return FSkinControlIndex; }

  // Operations
  virtual void GetSkinData();
  void ChangeSkinData() override;
  void BeforeChangeSkinData() override { FSkinControlIndex = -1; }

  void Dispatch(classlib::TMessage& Message) override;

protected:
  virtual void CreateControlDefaultImage(classlib::TBitmap&) {}
  virtual void CreateControlSkinImage(classlib::TBitmap&) {}
  void Paint() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void DrawControlImage(classlib::TBitmap& Image);

  TskSkinData* FSkinData = nullptr;
  classlib::String FAreaName;
  classlib::String FSkinDataName;
  bool FDrawDefault = true;
  int FSkinCursorIndex = -1;
  bool FAlphaBlend = false;
  std::uint8_t FAlphaBlendValue = 200;
  bool FUseSkinCursor = false;
  int FSkinControlIndex = -1;
};

}  // namespace skin
