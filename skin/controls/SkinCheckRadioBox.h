// The skinned check box and radio box: one windowed control, either kind, drawn from a
// "checkradio" description or in a flat look of its own.
//
// Classes in this file: TskSkinCheckRadioBox.
#pragma once

#include "platform/classlib/ComCtrls.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinTimer.h"

namespace skin {

class TskSkinCheckRadioBox : public TskSkinCustomControl {
public:
  explicit TskSkinCheckRadioBox(classlib::TComponent* AOwner);
  ~TskSkinCheckRadioBox() override;

  // Attributes
  classlib::TImageList* Images() const { return FImages; }
  void SetImages(classlib::TImageList* Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool Value);
  bool Radio() const { return FRadio; }
  void SetRadio(bool Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  bool Hovered() const { return FHovered; }
  double MorphKf() const { return FMorphKf; }
  bool MorphTimerRunning() const { return FMorphingTimer.Running(); }

  // Operations
  void SetCheckState();
  bool IsFocused();
  bool EnableMorphing() const;
  void GetSkinData() override;
  void ChangeSkinData() override;
  void CalcSize(int& W, int& H) override;
  void DoMorph();

  void WndProc(classlib::TMessage& Message) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void Paint() override;
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  // OnClick comes from SetChecked, not from the class library's mouse handling.
  bool ClicksOnMouseUp() const override { return false; }
  void ActionChange(classlib::TObject* Sender, bool CheckDefaults) override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;

  void UnCheckAll();
  void ReDrawControl();
  void StartMorph();
  void StopMorph();
  void CreateImage(classlib::TBitmap& B, const classlib::TRect& R, bool Active);
  void SkinDrawCheckImage(int X, int Y, classlib::TCanvas& Canvas, const classlib::TRect& R);
  classlib::TRect CheckPicture() const;
  void PrepareSkinFont(classlib::TCanvas& Canvas);
  // The box, its frame and its tick of the unskinned looks.
  void DrawDefaultBox(classlib::TCanvas& Canvas);
  void PaintFlat();

  classlib::TImageList* FImages = nullptr;
  int FImageIndex = 0;
  bool FFlat = true;
  bool FTakingFocus = false;
  bool FCanFocused = true;
  bool FHovered = false;
  int FGroupIndex = 0;
  bool FChecked = false;
  classlib::TRect FLaidOutCheckRect{};
  classlib::TRect FLaidOutTextArea{};
  bool FRadio = false;
  TskTimerSlot FMorphingTimer;
  TskMorphBuffers FMorphBuffers;
  double FMorphKf = 0;
  classlib::String FFontName = "Arial";
  classlib::TFontStyles FFontStyle;
  int FFontHeight = 14;
  classlib::TColor FFontColor = 0, FActiveFontColor = 0, FFrameFontColor = 0, FUnEnabledFontColor = 0;
  classlib::TRect FActiveSkinRect{}, FCheckImageArea{}, FTextArea{}, FCheckImageRect{}, FUnCheckImageRect{},
      FActiveCheckImageRect{}, FActiveUnCheckImageRect{}, FUnEnabledCheckImageRect{}, FUnEnabledUnCheckImageRect{};
  bool FMorphing = false;
  TMorphKind FMorphKind = TMorphKind::mkDefault;
};

}  // namespace skin
