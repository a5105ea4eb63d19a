// The skinned colour dialog: a component whose Execute builds a modal window in code each time,
// with the basic and custom colour grids, the hue ring and its square, six number edits (red, green,
// blue and hue, saturation, value), a swatch and the OK, Cancel and "Add to Custom Colors" buttons,
// all showing one colour. Between runs the component keeps its properties, the chosen colour and
// the twelve custom colours.
//
// Classes in this file: TskSkinColorDialog.
#pragma once

#include "platform/classlib/Component.h"
#include "platform/classlib/Graphics.h"
#include "skin/boxes/SkinColorCtrls.h"
#include "skin/boxes/SkinColorPalette.h"
#include "skin/boxes/SkinTrackEdit.h"
#include "skin/data/SkinData.h"

#include <array>
#include <cstdint>
#include <memory>

namespace classlib {
class TForm;
class TImage;
}  // namespace classlib

namespace skin {

class TskSkinButton;
class TskSkinStdLabel;

class TskSkinColorDialog : public classlib::TComponent {
public:
  explicit TskSkinColorDialog(classlib::TComponent* AOwner);
  ~TskSkinColorDialog() override;

  // Attributes
  classlib::TColor Color() const { return FColor; }
  void SetColor(classlib::TColor Value) { FColor = Value; }
  const classlib::String& Caption() const { return FCaption; }
  void SetCaption(const classlib::String& Value) { FCaption = Value; }
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
  std::uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(std::uint8_t Value) { FAlphaBlendValue = Value; }
  bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
  void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
  TskSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  TskSkinData* CtrlSkinData() const { return FCtrlSkinData; }
  void SetCtrlSkinData(TskSkinData* Value);
  const classlib::String& ButtonSkinDataName() const { return FButtonSkinDataName; }
  void SetButtonSkinDataName(const classlib::String& Value) { FButtonSkinDataName = Value; }
  const classlib::String& LabelSkinDataName() const { return FLabelSkinDataName; }
  void SetLabelSkinDataName(const classlib::String& Value) { FLabelSkinDataName = Value; }
  const classlib::String& EditSkinDataName() const { return FEditSkinDataName; }
  void SetEditSkinDataName(const classlib::String& Value) { FEditSkinDataName = Value; }
  classlib::TFont& DefaultLabelFont() const { return *FDefaultLabelFont; }
  void SetDefaultLabelFont(const classlib::TFont& Value) { FDefaultLabelFont->Assign(Value); }
  classlib::TFont& DefaultEditFont() const { return *FDefaultEditFont; }
  void SetDefaultEditFont(const classlib::TFont& Value) { FDefaultEditFont->Assign(Value); }
  classlib::TFont& DefaultButtonFont() const { return *FDefaultButtonFont; }
  void SetDefaultButtonFont(const classlib::TFont& Value) { FDefaultButtonFont->Assign(Value); }
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }

  // Data members kept between runs; index 0 is slot 1.
  std::array<classlib::TColor, 12> CustomColors;
  int LastAddedIndex = 0;

  // The window and its controls: set only while Execute runs.
  classlib::TForm* Form() const { return FForm; }
  TskSkinColorGrid* ColorGrid() const { return FColorGrid; }
  TskSkinCustomColorGrid* CustomColorGrid() const { return FCustomColorGrid; }
  TskColorViewer* ColorViewer() const { return FColorViewer; }
  TskColorPalette* Palette() const { return FPalette; }
  classlib::TImage* PaletteImage() const { return FPaletteImage; }
  TskSkinTrackEdit* RedEdit() const { return FRedEdit; }
  TskSkinTrackEdit* GreenEdit() const { return FGreenEdit; }
  TskSkinTrackEdit* BlueEdit() const { return FBlueEdit; }
  TskSkinTrackEdit* HueEdit() const { return FHueEdit; }
  TskSkinTrackEdit* SaturationEdit() const { return FSaturationEdit; }
  TskSkinTrackEdit* LightnessEdit() const { return FLightnessEdit; }
  TskSkinButton* OkButton() const { return FOkButton; }
  TskSkinButton* CancelButton() const { return FCancelButton; }
  TskSkinButton* AddCustomColorButton() const { return FAddCustomColorButton; }

  // Operations
  // Shows the window modally; true when OK closed it, and then Color, CustomColors and
  // LastAddedIndex hold what the user chose.
  bool Execute();
  // The palette changed its colour: the red, green and blue edits follow.
  void ChangeEdits();

  void ColorGridChange(classlib::TObject* Sender);
  void CustomColorGridChange(classlib::TObject* Sender);
  void RGBEditChange(classlib::TObject* Sender);
  void HSLEditChange(classlib::TObject* Sender);
  void AddCustomColorButtonClick(classlib::TObject* Sender);

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  // A caption from CtrlSkinData's string table when there is one, else Default.
  classlib::String Text(const char* Name, const char* Default) const;
  void BuildWindow(classlib::TForm& Form);
  // What a grid's colour change does to the other views.
  void ShowGridColor(classlib::TColor Value);
  void WriteHSV(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue);
  void MovePalette(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue);

  bool RGBUpdating = false;
  bool HSLUpdating = false;
  bool FromPalette = false;
  classlib::TColor FColor = 0;
  classlib::String FCaption = "Set color";
  TskSkinData* FSkinData = nullptr;
  TskSkinData* FCtrlSkinData = nullptr;
  classlib::String FButtonSkinDataName = "button";
  classlib::String FEditSkinDataName = "edit";
  classlib::String FLabelSkinDataName = "stdlabel";
  std::unique_ptr<classlib::TFont> FDefaultLabelFont, FDefaultEditFont, FDefaultButtonFont;
  bool FAlphaBlend = false;
  bool FAlphaBlendAnimation = false;
  std::uint8_t FAlphaBlendValue = 200;
  bool FUseSkinFont = true;

  classlib::TForm* FForm = nullptr;
  TskSkinColorGrid* FColorGrid = nullptr;
  TskSkinCustomColorGrid* FCustomColorGrid = nullptr;
  TskColorViewer* FColorViewer = nullptr;
  TskColorPalette* FPalette = nullptr;
  classlib::TImage* FPaletteImage = nullptr;
  TskSkinTrackEdit *FRedEdit = nullptr, *FGreenEdit = nullptr, *FBlueEdit = nullptr;
  TskSkinTrackEdit *FHueEdit = nullptr, *FSaturationEdit = nullptr, *FLightnessEdit = nullptr;
  TskSkinButton *FOkButton = nullptr, *FCancelButton = nullptr, *FAddCustomColorButton = nullptr;
};

}  // namespace skin
