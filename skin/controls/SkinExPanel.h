// A windowed container with a caption bar carrying a close button (hides the panel) and a roll
// button (collapses it to its caption bar and back), vertically to a horizontal strip or
// horizontally to a narrow vertical strip whose caption reads bottom to top.
//
// Classes in this file: TskSkinExPanel.
#pragma once

#include "skin/controls/SkinCustomControl.h"
#include "skin/data/SkinPanelDescriptions.h"

#include <cstdint>
#include <memory>

namespace skin {

enum class TskExPanelRollKind : std::uint8_t { rkRollHorizontal, rkRollVertical };

class TskSkinExPanel : public TskSkinCustomControl {
public:
  explicit TskSkinExPanel(classlib::TComponent* AOwner);

  classlib::TNotifyEvent OnChangeRollState;
  classlib::TNotifyEvent OnClose;

  // A caption button: 0 the close button, 1 the roll button; Area in control coordinates, laid out
  // at every paint (empty while the button is hidden).
  struct TButtonRec {
    classlib::TRect Area{};
    bool Hovered = false;
    bool Pressed = false;
  };

  // Attributes
  classlib::TBitmap& Glyph() { return *FGlyph; }
  void SetGlyph(const classlib::TBitmap& Value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  int RealWidth() const { return FRealWidth; }
  void SetRealWidth(int Value) { FRealWidth = Value; }
  int RealHeight() const { return FRealHeight; }
  void SetRealHeight(int Value) { FRealHeight = Value; }
  bool ShowRollButton() const { return FShowRollButton; }
  void SetShowRollButton(bool Value);
  bool ShowCloseButton() const { return FShowCloseButton; }
  void SetShowCloseButton(bool Value);
  int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
  void SetDefaultCaptionHeight(int Value);
  bool RollState() const { return FRollState; }
  void SetRollState(bool Value);
  TskExPanelRollKind RollKind() const { return FRollKind; }
  void SetRollKind(TskExPanelRollKind Value);
  const TButtonRec& Button(int Index) const { return FButtons[Index]; }
  // The caption area of the last paint.
  const classlib::TRect& CaptionArea() const { return FCaptionArea; }

  // Operations
  int GetRollWidth() const;
  int GetRollHeight() const;
  // Hides the panel and fires OnClose.
  void Close();
  void ShowControls();
  void HideControls();
  void GetSkinData() override;
  void ChangeSkinData() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void AdjustClientRect(classlib::TRect& Rect) override;
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void TextChanged() override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void DrawButton(classlib::TCanvas& Canvas, int Index);
  void TestActive(int X, int Y);

private:
  bool Skinned() const { return FSkinControlIndex != -1; }
  int GlyphFrame() const { return !Enabled() && FNumGlyphs == 2 ? 2 : 1; }
  void PrepareFont(classlib::TCanvas& Canvas);
  // Writes Text turned a quarter anticlockwise at (X, Y), clipped to Clip, in the canvas's font.
  void DrawUpwardText(classlib::TCanvas& Canvas, int X, int Y, const classlib::TRect& Clip);
  // The caption buttons, glyph and caption of a horizontal caption strip CA (skinned look).
  void DrawSkinCaptionStrip(classlib::TBitmap& B, classlib::TRect CA);
  void DrawButtons(classlib::TCanvas& Canvas);

  std::unique_ptr<classlib::TBitmap> FGlyph;
  int FNumGlyphs = 1;
  int FSpacing = 2;
  bool FRolling = false;
  bool FRollState = false;
  TskExPanelRollKind FRollKind = TskExPanelRollKind::rkRollVertical;
  int FDefaultCaptionHeight = 21;
  int FRealWidth = 0;
  int FRealHeight = 0;
  bool FShowRollButton = true;
  bool FShowCloseButton = true;
  TButtonRec FButtons[2];
  int FPreviousHotButton = -1;
  int FHotButton = -1;
  int FCapturedButton = -1;
  classlib::TRect FCaptionArea{};
  bool FAlignHeld = false;
  // Copied from the skin description, with the fallbacks of the roll and restore pictures.
  struct TLook {
    classlib::TRect RollHSkinRect{}, RollVSkinRect{};
    int RollLeftOffset = 0, RollRightOffset = 0, RollTopOffset = 0, RollBottomOffset = 0;
    classlib::TRect RollVCaptionRect{}, RollHCaptionRect{};
    // Normal, active and down pictures of the close, roll and restore buttons.
    classlib::TRect Close[3]{}, HRoll[3]{}, HRestore[3]{}, VRoll[3]{}, VRestore[3]{};
    classlib::TRect CaptionRect{};
    classlib::String FontName = "Arial";
    classlib::TFontStyles FontStyle;
    int FontHeight = 14;
    classlib::TColor FontColor = 0;
  } FLook;
};

}  // namespace skin
