// The class library's bevel with its two line colours taken from a "bevel" description, and a
// divider mode that draws a thin groove through the middle of the control.
//
// Classes in this file: TskSkinBevel.
#pragma once

#include "platform/classlib/Bevel.h"
#include "skin/controls/SkinChangeClient.h"
#include "skin/data/SkinData.h"

namespace skin {

class TskSkinBevel : public classlib::TBevel, public TskSkinChangeClient {
public:
  explicit TskSkinBevel(classlib::TComponent* AOwner);
  ~TskSkinBevel() override;

  // Attributes
  TskSkinData* SkinData() const override { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  const classlib::String& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const classlib::String& Value) { FSkinDataName = Value; }
  int SkinControlIndex() const { return FSkinControlIndex; }
  bool DividerMode() const { return FDividerMode; }
  void SetDividerMode(bool Value);
  classlib::TColor LightColor() const { return FLightColor; }
  classlib::TColor DarkColor() const { return FDarkColor; }

  // Operations
  void BeforeChangeSkinData() override { FSkinControlIndex = -1; }
  // Reads the description again and repaints.
  void ChangeSkinData() override;

protected:
  void Paint() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  TskSkinData* FSkinData = nullptr;
  classlib::String FSkinDataName = "bevel";
  int FSkinControlIndex = -1;
  bool FDividerMode = false;
  classlib::TColor FLightColor = classlib::clBtnHighlight;
  classlib::TColor FDarkColor = classlib::clBtnShadow;
};

}  // namespace skin
