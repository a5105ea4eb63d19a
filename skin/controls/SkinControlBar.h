// The class library's control bar with a background, band frames and an optional border (drawn in
// the non-client area) from a "controlbar" description.
//
// Classes in this file: TskSkinControlBar.
#pragma once

#include "platform/classlib/ControlBar.h"
#include "skin/controls/SkinChangeClient.h"
#include "skin/data/SkinData.h"

namespace skin {

class TskSkinControlBar : public classlib::TCustomControlBar, public TskSkinChangeClient {
public:
  explicit TskSkinControlBar(classlib::TComponent* AOwner);
  ~TskSkinControlBar() override;

  // Attributes
  TskSkinData* SkinData() const override { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  const classlib::String& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const classlib::String& Value) { FSkinDataName = Value; }
  int SkinControlIndex() const { return FSkinControlIndex; }
  // The description's border, drawn around the client area.
  bool SkinBevel() const { return FSkinBevel; }
  void SetSkinBevel(bool Value);

  // Operations
  void GetSkinData();
  void BeforeChangeSkinData() override { FSkinControlIndex = -1; }
  void ChangeSkinData() override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void CreateParams(classlib::TCreateParams& Params) override;
  void Paint() override;
  void PaintControlFrame(classlib::TCanvas& Canvas, classlib::TControl* Control, const classlib::TRect& R) override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  bool Skinned() const { return FSkinControlIndex != -1; }
  // The system computes the non-client area again.
  void FrameChanged();
  void PaintBorder();

  bool FSkinBevel = false;
  int FSkinControlIndex = -1;
  TskSkinData* FSkinData = nullptr;
  classlib::String FSkinDataName = "controlbar";
  classlib::TPoint FLeftTopPoint{}, FRightTopPoint{}, FLeftBottomPoint{}, FRightBottomPoint{};
  classlib::TRect FSkinRect{}, FClientRect{}, FItemRect{};
  classlib::TBitmap* FPicture = nullptr;
  int FBGPictureIndex = -1;
};

}  // namespace skin
