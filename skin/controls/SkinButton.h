// The skinned push button, and the glyph and caption layout every button-like control uses.
//
// Classes in this file: TskSkinButton.
#pragma once

#include "platform/classlib/ActnList.h"
#include "platform/classlib/ComCtrls.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinTimer.h"
#include "skin/data/SkinEnums.h"

#include <memory>

namespace skin {

enum class TskButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Where the glyph (GX, GY) and the caption (TX, TY) go in R.
struct TskGlyphTextPlace {
  int GX = 0, GY = 0, TX = 0, TY = 0;
};

// A glyph of GW x GH and a text of TW x TH laid out in R; Margin -1 centres the two together.
TskGlyphTextPlace CalcGlyphTextLayout(TskButtonLayout Layout, const classlib::TRect& R, int GW, int GH, int TW,
                                      int TH, int Margin, int Spacing);
// Picture GlyphNum (from 1) of a strip of NumGlyphs and the caption, laid out in R in the canvas's
// font; pressed shifts both by one pixel.
void DrawGlyphAndText(classlib::TCanvas& Canvas, const classlib::TRect& R, int Margin, int Spacing,
                      TskButtonLayout Layout, const classlib::String& Caption, classlib::TBitmap& Glyph,
                      int NumGlyphs, int GlyphNum, bool Pressed);
// The same with picture ImageIndex of an image list.
void DrawImageAndText(classlib::TCanvas& Canvas, const classlib::TRect& R, int Margin, int Spacing,
                      TskButtonLayout Layout, const classlib::String& Caption, int ImageIndex,
                      classlib::TImageList* Images, bool Pressed, bool Enabled);
// An empty Glyph takes the action's picture from its list's images, drawn over magenta so that what
// the picture leaves out stays transparent; nothing when the action has no picture there.
void CopyActionImage(const classlib::TCustomAction& Action, classlib::TBitmap& Glyph);

class TskSkinButton : public TskSkinCustomControl {
public:
  explicit TskSkinButton(classlib::TComponent* AOwner);
  ~TskSkinButton() override;

  // Attributes
  bool UseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
  bool RepeatMode() const { return FRepeatMode; }
  void SetRepeatMode(bool Value) { FRepeatMode = Value; }
  int RepeatInterval() const { return FRepeatInterval; }
  void SetRepeatInterval(int Value) { FRepeatInterval = Value; }
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int Value) { FModalResult = Value; }
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
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
  bool Active() const { return FActive; }
  bool Hovered() const { return FHovered; }
  bool Pressed() const { return FPressed; }
  double MorphKf() const { return FMorphKf; }
  int ShownFrame() const { return FShownFrame; }
  bool Morphing() const { return FMorphing; }
  bool MorphTimerRunning() const { return FMorphingTimer.Running(); }
  bool RepeatTimerRunning() const { return FAutoRepeatTimer.Running(); }
  bool AnimationRunning() const { return FAnimationTimer.Running(); }

  // Operations
  virtual void ButtonClick();
  bool IsFocused();
  bool EnableMorphing() const;
  bool EnableAnimation() const;
  void GetSkinData() override;
  void ChangeSkinData() override;
  void CalcSize(int& W, int& H) override;
  // One tick of each timer; the timers call them.
  void DoMorph();
  void DoAnimate();
  void RepeatTimerProc() { ButtonClick(); }

  void WndProc(classlib::TMessage& Message) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  virtual void CreateButtonImage(classlib::TBitmap& B, const classlib::TRect& R, bool ADown, bool AHot);
  void CreateStrechButtonImage(classlib::TBitmap& B, const classlib::TRect& R, classlib::TRect& LayoutRect);
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap&) override {}
  void Paint() override;
  void CreateWnd() override;
  void Click() override;
  void ActionChange(classlib::TObject* Sender, bool CheckDefaults) override;
  bool ClicksOnMouseUp() const override { return false; }
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;

  void StartAnimate(bool Forward);
  void StopAnimate();
  classlib::TRect GetAnimationFrameRect() const;
  void StartRepeat();
  void StopRepeat();
  void StartMorph();
  void StopMorph();
  void ReDrawControl();
  void DoAllUp();
  // The caption font and colour of a look.
  void PrepareFont(classlib::TCanvas& Canvas, bool ADown, bool AHot);
  int GlyphNumber(bool ADown, bool AHot) const;
  bool PressedLook();

  // The mouse arrives at or leaves the button.
  void MouseEntered();
  void MouseLeft();

  TskTimerSlot FAnimationTimer;
  int FShownFrame = 0;
  bool FAnimatingForward = false;
  bool FUseSkinSize = true;
  TskTimerSlot FAutoRepeatTimer;
  bool FRepeatMode = false;
  int FRepeatInterval = 100;
  bool FActive = false;
  bool FAllowAllUp = false;
  bool FPressedWhileDown = false;
  bool FDefault = false;
  bool FCancel = false;
  int FModalResult = 0;
  bool FTakingFocus = false;
  bool FCanFocused = true;
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
