// A push button that carries its own pictures and mask for when it has no skin entry.
//
// Classes in this file: TskSkinXFormButton.
#pragma once

#include "skin/controls/SkinButton.h"

namespace skin {

class TskSkinXFormButton : public TskSkinButton {
public:
  explicit TskSkinXFormButton(classlib::TComponent* AOwner);

  // Attributes
  classlib::TBitmap& DefImage() { return *FDefImage; }
  void SetDefImage(const classlib::TBitmap& Value);
  classlib::TBitmap& DefActiveImage() { return *FDefActiveImage; }
  void SetDefActiveImage(const classlib::TBitmap& Value) { FDefActiveImage->Assign(Value); }
  classlib::TBitmap& DefDownImage() { return *FDefDownImage; }
  void SetDefDownImage(const classlib::TBitmap& Value) { FDefDownImage->Assign(Value); }
  classlib::TBitmap& DefMask() { return *FDefMask; }
  void SetDefMask(const classlib::TBitmap& Value);
  classlib::TColor DefActiveFontColor() const { return FDefActiveFontColor; }
  void SetDefActiveFontColor(classlib::TColor Value) { FDefActiveFontColor = Value; }
  classlib::TColor DefDownFontColor() const { return FDefDownFontColor; }
  void SetDefDownFontColor(classlib::TColor Value) { FDefDownFontColor = Value; }

  // Operations
  void ChangeSkinData() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
  void Loaded() override;
  void SetControlRegion() override;
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void DrawDefaultButton(classlib::TCanvas& Canvas);
  // Unskinned with a picture of its own.
  bool OwnLook() const { return FSkinControlIndex == -1 && !FDefImage->Empty(); }

  std::unique_ptr<classlib::TBitmap> FDefImage = std::make_unique<classlib::TBitmap>();
  std::unique_ptr<classlib::TBitmap> FDefActiveImage = std::make_unique<classlib::TBitmap>();
  std::unique_ptr<classlib::TBitmap> FDefDownImage = std::make_unique<classlib::TBitmap>();
  std::unique_ptr<classlib::TBitmap> FDefMask = std::make_unique<classlib::TBitmap>();
  classlib::TColor FDefActiveFontColor = 0;
  classlib::TColor FDefDownFontColor = 0;
};

}  // namespace skin
