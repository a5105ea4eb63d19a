// The colour vocabulary of the skinned colour dialog and the small controls it is built from: one
// colour kept as bytes, HSL fractions and HSL bytes at once, the conversions between them and the
// dialog's hue/saturation/value numbers, the two panels of clickable colour cells, a swatch and an
// empty container that never paints.
//
// Classes in this file: TWheelColor, TskSkinColorGrid, TskSkinCustomColorGrid, TskColorViewer,
// TskEmptyControl.
#pragma once

#include "platform/classlib/Controls.h"
#include "skin/controls/SkinPanel.h"

#include <array>
#include <cstdint>

namespace skin {

struct TRGB {
  std::uint8_t R = 0, G = 0, B = 0;
  bool operator==(const TRGB&) const = default;
};

// H is the fraction of the full turn (0 <= H < 1); S and L lie in 0..1.
struct THSL {
  double H = 0, S = 0, L = 0;
};

// THSL scaled to 0..255 and rounded.
struct THSLWheel {
  std::uint8_t H = 0, S = 0, L = 0;
  bool operator==(const THSLWheel&) const = default;
};

// One colour in three forms; each setter recomputes the other two.
class TWheelColor {
public:
  // Attributes
  const TRGB& RGBValue() const { return FRGB; }
  const THSL& HSLValue() const { return FHSL; }
  const THSLWheel& HSLWheelValue() const { return FHSLWheel; }

  // Operations
  static THSL RGBToHSL(const TRGB& Value);
  static TRGB HSLToRGB(const THSL& Value);
  THSLWheel HSLToHSLWheel() const;
  THSL HSLWheelToHSL() const;
  void SetRGB(const TRGB& Value);
  void SeTHSL(const THSL& Value);
  void SeTHSLWheel(const THSLWheel& Value);
  void Assign(const TWheelColor& Source) { *this = Source; }

private:
  TRGB FRGB;
  THSL FHSL;
  THSLWheel FHSLWheel;
};

// Rounds to the nearest integer, halves to the even neighbour.
int RoundEven(double Value);

void ColorToBytes(classlib::TColor Color, std::uint8_t& Red, std::uint8_t& Green, std::uint8_t& Blue);
classlib::TColor BytesToColor(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue);
void RGBToHSLValues(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, double& H, double& S, double& L);
// Hue is written only for a colour that is not grey (Saturation above 0).
void RGBToHSVValues(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, int& Saturation, int& Value);
// The numbers of the dialog's "H:", "S:" and "L:" edits; Hue is left alone for a grey.
void RGBToDialogHSV(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, int& Hue, int& Saturation,
                    int& Value);
void HSVToRGBValues(int Hue, int Saturation, int Value, std::uint8_t& Red, std::uint8_t& Green,
                    std::uint8_t& Blue);

// The 48 colours of the basic grid; BasicColors[i - 1] is cell i.
extern const std::array<classlib::TColor, 48> BasicColors;

// What the two grids share: the cell layout inside the panel and the cursor.
class TskSkinColorGridBase : public TskSkinPanel {
public:
  // Data members
  classlib::TNotifyEvent OnChange;

  // Attributes
  classlib::TColor ColorValue() const { return FColorValue; }
  int ColCount() const { return FColCount; }
  void SetColCount(int Value);
  int RowCount() const { return FRowCount; }
  void SetRowCount(int Value);

  // Operations
  // Cell Index (from 1) in control coordinates.
  classlib::TRect CellRect(int Index);
  void PaintGrid(classlib::TCanvas& Canvas);
  // A cross with an open centre over the cell; inverted, or black.
  static void DrawCursor(classlib::TCanvas& Canvas, const classlib::TRect& Cell, bool Invert);

protected:
  TskSkinColorGridBase(classlib::TComponent* AOwner, const classlib::String& ACaption, int AColCount,
                       int ARowCount);

  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;

  // The colours shown, cell 1 first; cells past them show the background and hit nothing.
  virtual int ColorCount() const = 0;
  virtual classlib::TColor CellColor(int Index) const = 0;
  virtual bool CellSelected(int Index) const = 0;
  virtual void CellClicked(int Index) = 0;

  classlib::TColor FColorValue = 0;
  int FColCount;
  int FRowCount;
};

class TskSkinColorGrid : public TskSkinColorGridBase {
public:
  explicit TskSkinColorGrid(classlib::TComponent* AOwner);

  void SetColorValue(classlib::TColor Value);
  static bool CheckColor(classlib::TColor Color);

protected:
  int ColorCount() const override { return static_cast<int>(BasicColors.size()); }
  classlib::TColor CellColor(int Index) const override { return BasicColors[Index - 1]; }
  bool CellSelected(int Index) const override { return CellColor(Index) == FColorValue; }
  void CellClicked(int Index) override { SetColorValue(CellColor(Index)); }
};

class TskSkinCustomColorGrid : public TskSkinColorGridBase {
public:
  explicit TskSkinCustomColorGrid(classlib::TComponent* AOwner);

  // Data members: the dialog reads and writes these directly; index 0 is slot 1.
  std::array<classlib::TColor, 12> CustomColors;
  int SelectedIndex = 0;
  int LastAddedIndex = 0;

  // Stored only: no event and no repaint.
  void SetColorValue(classlib::TColor Value) { FColorValue = Value; }
  // Fills the slot after the last one filled, wrapping from 12 to 1.
  void AddColor(classlib::TColor Color);

protected:
  int ColorCount() const override { return static_cast<int>(CustomColors.size()); }
  classlib::TColor CellColor(int Index) const override { return CustomColors[Index - 1]; }
  bool CellSelected(int Index) const override { return Index == SelectedIndex; }
  void CellClicked(int Index) override;
};

// A swatch with a one-pixel black outline.
class TskColorViewer : public classlib::TGraphicControl {
public:
  explicit TskColorViewer(classlib::TComponent* AOwner);

  classlib::TColor ColorValue() const { return FColorValue; }
  void SetColorValue(classlib::TColor Value);

protected:
  void Paint() override;

private:
  classlib::TColor FColorValue = 0;
};

// A window that draws nothing of its own, so that a child picture covering it never flickers.
class TskEmptyControl : public classlib::TCustomControl {
public:
  using TCustomControl::TCustomControl;

  void Dispatch(classlib::TMessage& Message) override;
};

}  // namespace skin
