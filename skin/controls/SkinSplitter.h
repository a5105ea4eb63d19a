// The class library's splitter with a face from a "vsplitter" description; its thickness follows
// the skin.
//
// Classes in this file: TskSkinSplitter.
#pragma once

#include "platform/classlib/Splitter.h"
#include "skin/controls/SkinChangeClient.h"
#include "skin/data/SkinData.h"

namespace skin {

class TskSkinSplitter : public classlib::TSplitter, public TskSkinChangeClient {
public:
  explicit TskSkinSplitter(classlib::TComponent* AOwner);
  ~TskSkinSplitter() override;

  // Attributes
  TskSkinData* SkinData() const override { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  const classlib::String& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const classlib::String& Value) { FSkinDataName = Value; }
  int SkinControlIndex() const { return FSkinControlIndex; }
  // The thickness without a skin.
  int DefaultSize() const { return FDefaultSize; }
  void SetDefaultSize(int Value) { FDefaultSize = Value; }

  // Operations
  void GetSkinData();
  void BeforeChangeSkinData() override { FSkinControlIndex = -1; }
  // Takes the skin's thickness (or DefaultSize) as its own and as MinSize, and repaints.
  void ChangeSkinData() override;

protected:
  void Paint() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  int FDefaultSize = 10;
  int FSkinControlIndex = -1;
  TskSkinData* FSkinData = nullptr;
  classlib::String FSkinDataName = "vsplitter";
  bool FStretchEffect = false;
  classlib::TPoint FLeftTopPoint{}, FRightTopPoint{}, FLeftBottomPoint{};
  classlib::TRect FSkinRect{};
  classlib::TBitmap* FPicture = nullptr;
};

}  // namespace skin
