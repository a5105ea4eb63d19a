// Windowed labels whose background is a piece of the skin picture: a framed text label, a status
// field with a glyph, and a label whose characters are cells cut from a character grid of the skin.
//
// Classes in this file: TskSkinLabel, TskSkinStatusPanel, TskSkinBitLabel.
#pragma once

#include "platform/classlib/StdCtrls.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinPanel.h"

#include <memory>

namespace skin {

class TskSkinLabel : public TskSkinCustomControl {
public:
  explicit TskSkinLabel(classlib::TComponent* AOwner);

  // Attributes
  bool UseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool Value);
  TskSkinBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TskSkinBorderStyle Value);
  classlib::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(classlib::TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);

  // Operations
  void GetSkinData() override;
  void CalcSize(int& W, int& H) override;
  // Grows or shrinks the width by what the caption still needs (not while aligned to fill).
  void AdjustBounds();
  // Writes the caption in R, vertically centred, aligned by Alignment, in the label's font.
  void DrawLabelText(classlib::TCanvas& Canvas, const classlib::TRect& R);
  // The skin image of "skinrect" for the present size.
  void PaintLabel(classlib::TBitmap& Bitmap) { CreateSkinControlImage(Bitmap, SkinBitmap, SkinRect); }
  // The width the caption still needs beyond the present one (negative when it needs less).
  virtual int CalcWidthOffset();

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void SetControlRegion() override;
  void TextChanged() override;
  // The font the caption is drawn in, put on Canvas.
  void PrepareFont(classlib::TCanvas& Canvas);
  // The default look's one-pixel frame by BorderStyle.
  void DrawBorder(classlib::TCanvas& Canvas);
  bool Skinned() const { return FSkinControlIndex != -1; }

  bool FUseSkinSize = true;
  classlib::TAlignment FAlignment = classlib::TAlignment::taLeftJustify;
  bool FAutoSize = false;
  TskSkinBorderStyle FBorderStyle = TskSkinBorderStyle::bvFrame;
  // Copied from the skin description.
  classlib::String FFontName = "Arial";
  classlib::TFontStyles FFontStyle;
  int FFontHeight = 14;
  classlib::TColor FFontColor = 0;
};

// A status-bar field: a label with a glyph (frame 2 of two shown while disabled) before its caption.
class TskSkinStatusPanel : public TskSkinLabel {
public:
  explicit TskSkinStatusPanel(classlib::TComponent* AOwner);

  classlib::TBitmap& Glyph() { return *FGlyph; }
  void SetGlyph(const classlib::TBitmap& Value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);

  int CalcWidthOffset() override;

protected:
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void EnabledChanged() override;

private:
  int GlyphFrame() const { return !Enabled() && FNumGlyphs == 2 ? 2 : 1; }
  int GlyphWidth() const { return FGlyph->Empty() ? 0 : FGlyph->Width() / FNumGlyphs; }
  // The room the glyph takes before the caption: none without a glyph.
  int GlyphSpace() const { return FGlyph->Empty() ? 0 : GlyphWidth() + 3; }

  std::unique_ptr<classlib::TBitmap> FGlyph;
  int FNumGlyphs = 1;
};

// A label whose characters are cells of the skin's character grid ("symbols": one line per row of
// cells, a character's place in its line being its column).
class TskSkinBitLabel : public TskSkinCustomControl {
public:
  explicit TskSkinBitLabel(classlib::TComponent* AOwner);

  // Attributes
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  int FixLength() const { return FFixLength; }
  void SetFixLength(int Value);

  // Operations
  void GetSkinData() override;
  void CalcSize(int& W, int& H) override;
  // Three cells plus the skin's side margins for FixLength 3.
  int GetFixWidth() const;
  void AdjustBounds();
  void PaintLabel(classlib::TBitmap& Bitmap) { CreateSkinControlImage(Bitmap, SkinBitmap, SkinRect); }

protected:
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void TextChanged() override;

private:
  // The width the caption's cells still need in the client piece.
  int CellsOffset() const;

  bool FAutoSize = false;
  int FFixLength = 0;
  // Copied from the skin description; Symbols belongs to it.
  classlib::TRect FSkinTextRect{};
  int FSymbolWidth = 0;
  int FSymbolHeight = 0;
  const classlib::TStringList* FSymbols = nullptr;
};

}  // namespace skin
