// The skin engine's windowed container: drawn from a "panel" description or in a default look,
// with an optional caption strip (check box, glyph, roll-up arrow) and an optional tiled
// background picture; the children are aligned inside the skin's client rectangle.
//
// Classes in this file: TskSkinPanel, TskSkinPaintPanel, TskSkinGroupBox, TskSkinStatusBar.
#pragma once

#include "platform/classlib/StdCtrls.h"
#include "skin/controls/SkinCustomControl.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace skin {

// The border of the skinned panel and label; without a skin a one-pixel 3-D frame, or none.
enum class TskSkinBorderStyle : std::uint8_t { bvFrame, bvRaised, bvLowered, bvNone };

class TskSkinPanel : public TskSkinCustomControl {
public:
  explicit TskSkinPanel(classlib::TComponent* AOwner);
  ~TskSkinPanel() override;

  // Data members
  classlib::TNotifyEvent OnChangeRollUpState;
  classlib::TNotifyEvent OnChecked;

  // Attributes
  int RealHeight() const { return FRealHeight; }
  void SetRealHeight(int Value) { FRealHeight = Value; }
  bool AutoEnabledControls() const { return FAutoEnabledControls; }
  void SetAutoEnabledControls(bool Value) { FAutoEnabledControls = Value; }
  bool CheckedMode() const { return FCheckedMode; }
  void SetCheckedMode(bool Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  classlib::TBitmap& Glyph() { return *FGlyph; }
  void SetGlyph(const classlib::TBitmap& Value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  classlib::TAlignment DefaultAlignment() const { return FDefaultAlignment; }
  void SetDefaultAlignment(classlib::TAlignment Value);
  int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
  virtual void SetDefaultCaptionHeight(int Value);
  TskSkinBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TskSkinBorderStyle Value);
  bool CaptionMode() const { return FCaptionMode; }
  virtual void SetCaptionMode(bool Value);
  bool RollUpMode() const { return FRollUpMode; }
  void SetRollUpMode(bool Value);
  bool RollUpState() const { return FRollUpState; }
  void SetRollUpState(bool Value);
  // The skin's caption rectangle placed for the present size (set while the skinned look is drawn).
  const classlib::TRect& LaidOutCaptionRect() const { return FLaidOutCaptionRect; }

  // Operations
  // The area in which the children are aligned.
  classlib::TRect GetSkinClientRect();
  void DoRollUp(bool Up);
  void ShowControls();
  void HideControls();
  void GetSkinData() override;
  void ChangeSkinData() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void AdjustClientRect(classlib::TRect& Rect) override;
  void CreateParams(classlib::TCreateParams& Params) override;
  void Paint() override;
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  // The piece R of the source canvas drawn at X, Y with its bottom-left colour left out.
  void SkinDrawCheckImage(int X, int Y, classlib::TCanvas& Cnvs, const classlib::TRect& R,
                          classlib::TCanvas& SourceCanvas);

  // The extra picture of "bgpictureindex" when the skin has it and it holds pixels, else none.
  classlib::TBitmap* BackgroundPicture() const;
  // Skinned, with no border, no caption strip and a fully anchored skin: the client piece only.
  bool ClientPieceOnly() const;
  bool Skinned() const { return FSkinControlIndex != -1; }
  // The caption's width with the glyph and its spacing.
  int CaptionWidth(classlib::TCanvas& Canvas);
  // The glyph frame shown: the second while disabled, when the strip has one.
  int GlyphFrame() const { return !Enabled() && FNumGlyphs == 2 ? 2 : 1; }
  int GlyphWidth() const { return FGlyph->Empty() ? 0 : FGlyph->Width() / FNumGlyphs; }
  void PrepareSkinFont(classlib::TCanvas& Canvas);
  void DrawCaptionFrame(classlib::TCanvas& Canvas, int& TextX, int& GlyphX);

  bool FCheckedMode = false;
  bool FChecked = false;
  bool FAutoEnabledControls = true;
  std::unique_ptr<classlib::TBitmap> FGlyph;
  int FNumGlyphs = 1;
  int FSpacing = 2;
  int FRealHeight = -1;
  bool FRollUpState = false;
  bool FRollUpMode = false;
  bool FCaptionMode = false;
  TskSkinBorderStyle FBorderStyle = TskSkinBorderStyle::bvFrame;
  int FDefaultCaptionHeight = 22;
  classlib::TAlignment FDefaultAlignment = classlib::TAlignment::taLeftJustify;
  // Copied from the skin description.
  classlib::String FFontName = "Arial";
  classlib::TFontStyles FFontStyle;
  int FFontHeight = 14;
  classlib::TColor FFontColor = 0;
  classlib::TAlignment FAlignment = classlib::TAlignment::taCenter;
  classlib::TRect FCaptionRect{};
  classlib::TRect FLaidOutCaptionRect{};
  int FBGPictureIndex = -1;
  classlib::TRect FCheckImageRect{}, FUnCheckImageRect{}, FMarkFrameRect{}, FFrameRect{};
  int FFrameLeftOffset = 0;
  int FFrameRightOffset = 0;
  classlib::TRect FFrameTextRect{};
  // Whether HideControls holds aligning off, so that a second roll-up does not stack another hold.
  bool FAlignHeld = false;
};

// Cnvs: the off-screen picture of the panel; R: the area of its children.
using TskPaintPanelEvent = std::function<void(classlib::TCanvas& Cnvs, const classlib::TRect& R)>;

// A panel whose owner paints over its face.
class TskSkinPaintPanel : public TskSkinPanel {
public:
  using TskSkinPanel::TskSkinPanel;

  TskPaintPanelEvent OnPanelPaint;

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
};

class TskSkinGroupBox : public TskSkinPanel {
public:
  explicit TskSkinGroupBox(classlib::TComponent* AOwner);
};

class TskSkinStatusBar : public TskSkinPanel {
public:
  explicit TskSkinStatusBar(classlib::TComponent* AOwner);

  // The skinned children of the bar follow its skin.
  void SetSkinData(TskSkinData* Value) override;
};

}  // namespace skin
