// The skinned tool button: windowless, never focused, flat or framed, a toggle in a group,
// repeating while held, with its picture from its glyph, a parent tool bar's lists or a list given
// to it.
//
// Classes in this file: TskToolBarImages, TskSkinSpeedButton.
#pragma once

#include "platform/classlib/ComCtrls.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinTimer.h"

namespace skin {

// The image lists a tool bar offers the speed buttons on it.
class TskToolBarImages {
public:
  virtual ~TskToolBarImages() = default;
  virtual classlib::TImageList* Images() const = 0;
  virtual classlib::TImageList* HotImages() const = 0;
  virtual classlib::TImageList* DisabledImages() const = 0;
};

class TskSkinSpeedButton : public TskGraphicSkinCustomControl {
public:
  explicit TskSkinSpeedButton(classlib::TComponent* AOwner);
  ~TskSkinSpeedButton() override;

  // Attributes
  bool UseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
  classlib::TImageList* AssignedImages() const { return FAssignedImages; }
  void SetAssignedImages(classlib::TImageList* Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool RepeatMode() const { return FRepeatMode; }
  void SetRepeatMode(bool Value) { FRepeatMode = Value; }
  int RepeatInterval() const { return FRepeatInterval; }
  void SetRepeatInterval(int Value) { FRepeatInterval = Value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  classlib::TBitmap& Glyph() { return *FGlyph; }
  void SetGlyph(const classlib::TBitmap& Value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  TskButtonLayout Layout() const { return FLayout; }
  void SetLayout(TskButtonLayout Value);
  int WidthWithCaption() const { return FWidthWithCaption; }
  void SetWidthWithCaption(int Value) { FWidthWithCaption = Value; }
  int WidthWithoutCaption() const { return FWidthWithoutCaption; }
  void SetWidthWithoutCaption(int Value) { FWidthWithoutCaption = Value; }
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  bool Hovered() const { return FHovered; }
  bool Pressed() const { return FPressed; }
  double MorphKf() const { return FMorphKf; }
  bool MorphTimerRunning() const { return FMorphingTimer.Running(); }
  bool RepeatTimerRunning() const { return FAutoRepeatTimer.Running(); }

  // Operations
  virtual void ButtonClick();
  bool EnableMorphing() const;
  bool EnableAnimation() const;
  void GetSkinData() override;
  void ChangeSkinData() override;
  void CalcSize(int& W, int& H) override;
  void DoMorph();
  void DoAnimate();
  void RepeatTimerProc() { ButtonClick(); }

  void Dispatch(classlib::TMessage& Message) override;

protected:
  // Where the picture of a look comes from.
  enum class TPictureMode { Skinned, Default, Transparent };

  virtual void CreateButtonImage(classlib::TBitmap& B, const classlib::TRect& R, bool ADown, bool AHot);
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap&) override {}
  void Paint() override;
  bool ClicksOnMouseUp() const override { return false; }
  void ActionChange(classlib::TObject* Sender, bool CheckDefaults) override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;

  void StartAnimate(bool Forward);
  void StopAnimate();
  classlib::TRect GetAnimationFrameRect() const;
  void StartRepeat();
  void StopRepeat() { FAutoRepeatTimer.Stop(); }
  void StartMorph();
  void StopMorph() { FMorphingTimer.Stop(); }
  void ReDrawControl();
  void DoAllUp();
  bool PressedLook() const { return FDown && (FGroupIndex != 0 || FHovered); }
  int GlyphNumber(bool ADown, bool AHot) const;
  classlib::String ShownCaption() const { return FShowCaption ? Caption() : classlib::String(); }
  void PrepareSkinFont(classlib::TCanvas& Canvas, bool ADown, bool AHot, bool AlwaysSkinFont);
  void PrepareDefaultFont(classlib::TCanvas& Canvas);
  void DrawContent(classlib::TCanvas& Canvas, const classlib::TRect& LayoutRect, TPictureMode Mode, bool ADown,
                   bool AHot, bool APressed, int GlyphNum);
  void MouseEntered();
  void MouseLeft();

  TskTimerSlot FAnimationTimer;
  int FShownFrame = 0;
  bool FAnimatingForward = false;
  bool FUseSkinSize = true;
  classlib::TImageList* FAssignedImages = nullptr;
  int FImageIndex = 0;
  TskTimerSlot FAutoRepeatTimer;
  bool FRepeatMode = false;
  int FRepeatInterval = 100;
  bool FFlat = false;
  bool FAllowAllUp = false;
  bool FPressedWhileDown = false;
  double FMorphKf = 0;
  bool FDown = false;
  bool FHovered = false;
  bool FPressed = false;
  int FGroupIndex = 0;
  std::unique_ptr<classlib::TBitmap> FGlyph;
  int FNumGlyphs = 1;
  int FMargin = -1;
  int FSpacing = 1;
  TskButtonLayout FLayout = TskButtonLayout::blGlyphLeft;
  TskTimerSlot FMorphingTimer;
  TskMorphBuffers FMorphBuffers;
  int FWidthWithCaption = 0;
  int FWidthWithoutCaption = 0;
  bool FShowCaption = true;
  classlib::String FFontName = "Arial";
  classlib::TFontStyles FFontStyle;
  int FFontHeight = 14;
  classlib::TColor FFontColor = 0, FActiveFontColor = 0, FDownFontColor = 0, FDisabledFontColor = 0;
  classlib::TRect FActiveSkinRect{}, FDownSkinRect{}, FDisabledSkinRect{};
  bool FMorphing = false;
  TMorphKind FMorphKind = TMorphKind::mkDefault;
  classlib::TRect FAnimateSkinRect{};
  int FFrameCount = 0;
  int FAnimateInterval = 25;
};

}  // namespace skin
