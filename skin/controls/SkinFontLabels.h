// Light labels that draw no skin picture but take their font from a "stdlabel" description: the
// class library's label, a multi-line text label, an underlined link, a picture link and a label
// that acts as a flat button with a glyph. Each keeps its own skin reference, which the form's
// skin-change walk reaches through ChangeSkinData.
//
// Classes in this file: TskStdLabelFont, TskSkinStdLabel, TskSkinTextLabel, TskSkinLinkLabel,
// TskSkinLinkImage, TskSkinButtonLabel.
#pragma once

#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/StdCtrls.h"
#include "skin/controls/SkinChangeClient.h"
#include "skin/controls/SkinButton.h"
#include "skin/data/SkinData.h"

#include <memory>

namespace skin {

// The skin reference and font values the four skin-font labels share, with the rule by which
// they pick the font they draw in.
class TskStdLabelFont {
public:
  TskStdLabelFont();

  // Reads the description Name of Skin again: SkinControlIndex -1 without a loaded skin or
  // description; the font values from a "stdlabel" description, left as they were otherwise.
  void Read(const TskSkinData* Skin, const classlib::String& Name);
  // Target becomes the font to draw in: DefaultFont (UseSkinFont) or Font without a skin; the
  // skin's face, style and height (UseSkinFont) or Font with one, in the skin's colour; the
  // charset of the skin's string table when it has one, else DefaultFont's.
  void Apply(classlib::TFont& Target, const classlib::TFont& Font, const TskSkinData* Skin) const;

  int SkinControlIndex = -1;
  std::unique_ptr<classlib::TFont> DefaultFont;
  bool UseSkinFont = true;
  classlib::String FontName = "Arial";
  classlib::TFontStyles FontStyle;
  int FontHeight = 14;
  classlib::TColor FontColor = 0;
  classlib::TColor ActiveFontColor = 0;
};

// The class library's label in the skin's font.
class TskSkinStdLabel : public classlib::TCustomLabel, public TskSkinChangeClient {
public:
  explicit TskSkinStdLabel(classlib::TComponent* AOwner);
  ~TskSkinStdLabel() override;

  // Attributes
  TskSkinData* SkinData() const override { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  const classlib::String& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const classlib::String& Value) { FSkinDataName = Value; }
  int SkinControlIndex() const { return FLook.SkinControlIndex; }
  classlib::TFont& DefaultFont() { return *FLook.DefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value) { FLook.DefaultFont->Assign(Value); }
  bool UseSkinFont() const { return FLook.UseSkinFont; }
  void SetUseSkinFont(bool Value) { FLook.UseSkinFont = Value; }

  // Operations
  void BeforeChangeSkinData() override { FLook.SkinControlIndex = -1; }
  void ChangeSkinData() override;
  void GetSkinData() { FLook.Read(FSkinData, FSkinDataName); }

protected:
  void DoDrawText(classlib::TRect& Rect, UINT Flags) override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

  TskSkinData* FSkinData = nullptr;
  classlib::String FSkinDataName = "stdlabel";
  TskStdLabelFont FLook;
};

// A windowless label showing a list of lines; AutoSize makes it exactly as high as its lines.
class TskSkinTextLabel : public classlib::TGraphicControl, public TskSkinChangeClient {
public:
  explicit TskSkinTextLabel(classlib::TComponent* AOwner);
  ~TskSkinTextLabel() override;

  // Attributes
  TskSkinData* SkinData() const override { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  const classlib::String& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const classlib::String& Value) { FSkinDataName = Value; }
  int SkinControlIndex() const { return FLook.SkinControlIndex; }
  classlib::TFont& DefaultFont() { return *FLook.DefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value) { FLook.DefaultFont->Assign(Value); }
  bool UseSkinFont() const { return FLook.UseSkinFont; }
  void SetUseSkinFont(bool Value) { FLook.UseSkinFont = Value; }
  classlib::TStrings& Lines() { return *FLines; }
  void SetLines(const classlib::TStrings& Value);
  classlib::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(classlib::TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool Value);
  classlib::TTextLayout Layout() const { return FLayout; }
  void SetLayout(classlib::TTextLayout Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  // Operations
  void BeforeChangeSkinData() override { FLook.SkinControlIndex = -1; }
  void ChangeSkinData() override;
  void GetSkinData() { FLook.Read(FSkinData, FSkinDataName); }
  // Every line followed by a line break.
  virtual classlib::String GetLabelText() const;

protected:
  void Paint() override;
  void Loaded() override;
  void FontChanged() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  virtual void AdjustBounds();
  void DoDrawText(classlib::TRect& Rect, UINT Flags);

  TskSkinData* FSkinData = nullptr;
  classlib::String FSkinDataName = "stdlabel";
  TskStdLabelFont FLook;
  std::unique_ptr<classlib::TStringList> FLines;
  classlib::TAlignment FAlignment = classlib::TAlignment::taLeftJustify;
  bool FAutoSize = true;
  classlib::TTextLayout FLayout = classlib::TTextLayout::tlTop;
  bool FWordWrap = false;
};

// An underlined label that opens its URL with the shell when clicked and takes the active colour
// under the pointer.
class TskSkinLinkLabel : public classlib::TCustomLabel, public TskSkinChangeClient {
public:
  explicit TskSkinLinkLabel(classlib::TComponent* AOwner);
  ~TskSkinLinkLabel() override;

  // Attributes
  TskSkinData* SkinData() const override { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  const classlib::String& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const classlib::String& Value) { FSkinDataName = Value; }
  int SkinControlIndex() const { return FLook.SkinControlIndex; }
  classlib::TFont& DefaultFont() { return *FLook.DefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value) { FLook.DefaultFont->Assign(Value); }
  bool UseSkinFont() const { return FLook.UseSkinFont; }
  void SetUseSkinFont(bool Value) { FLook.UseSkinFont = Value; }
  classlib::TColor DefaultActiveFontColor() const { return FDefaultActiveFontColor; }
  void SetDefaultActiveFontColor(classlib::TColor Value) { FDefaultActiveFontColor = Value; }
  const classlib::String& URL() const { return FURL; }
  void SetURL(const classlib::String& Value) { FURL = Value; }
  bool Hovered() const { return FHovered; }

  // Operations
  void BeforeChangeSkinData() override { FLook.SkinControlIndex = -1; }
  void ChangeSkinData() override;
  void GetSkinData() { FLook.Read(FSkinData, FSkinDataName); }
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Click() override;
  void DoDrawText(classlib::TRect& Rect, UINT Flags) override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

  bool FHovered = false;
  TskSkinData* FSkinData = nullptr;
  classlib::String FSkinDataName = "stdlabel";
  TskStdLabelFont FLook;
  classlib::TColor FDefaultActiveFontColor = static_cast<classlib::TColor>(0xFF0000);
  classlib::String FURL;
};

// A picture that opens its URL with the shell when clicked.
class TskSkinLinkImage : public classlib::TImage {
public:
  explicit TskSkinLinkImage(classlib::TComponent* AOwner);

  const classlib::String& URL() const { return FURL; }
  void SetURL(const classlib::String& Value) { FURL = Value; }

protected:
  void Click() override;

private:
  classlib::String FURL;
};

// A windowless label that acts as a flat button: a glyph strip (1 normal, 2 disabled, 3 pressed,
// 4 hot) and its caption in the skin's font, the active colour under the pointer.
class TskSkinButtonLabel : public classlib::TGraphicControl, public TskSkinChangeClient {
public:
  explicit TskSkinButtonLabel(classlib::TComponent* AOwner);
  ~TskSkinButtonLabel() override;

  // Attributes
  TskSkinData* SkinData() const override { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  const classlib::String& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const classlib::String& Value) { FSkinDataName = Value; }
  int SkinControlIndex() const { return FLook.SkinControlIndex; }
  classlib::TFont& DefaultFont() { return *FLook.DefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value);
  bool UseSkinFont() const { return FLook.UseSkinFont; }
  void SetUseSkinFont(bool Value) { FLook.UseSkinFont = Value; }
  classlib::TColor DefaultActiveFontColor() const { return FDefaultActiveFontColor; }
  void SetDefaultActiveFontColor(classlib::TColor Value) { FDefaultActiveFontColor = Value; }
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
  bool Hovered() const { return FHovered; }
  bool Pressed() const { return FPressed; }
  // The glyph frame the label shows now.
  int GlyphFrame() const;

  // Operations
  void BeforeChangeSkinData() override { FLook.SkinControlIndex = -1; }
  void ChangeSkinData() override;
  void GetSkinData() { FLook.Read(FSkinData, FSkinDataName); }
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Paint() override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

  bool FHovered = false;
  bool FPressed = false;
  TskSkinData* FSkinData = nullptr;
  classlib::String FSkinDataName = "stdlabel";
  TskStdLabelFont FLook;
  classlib::TColor FDefaultActiveFontColor = static_cast<classlib::TColor>(0xFF0000);
  std::unique_ptr<classlib::TBitmap> FGlyph;
  int FNumGlyphs = 1;
  int FMargin = -1;
  int FSpacing = 1;
  TskButtonLayout FLayout = TskButtonLayout::blGlyphLeft;
};

}  // namespace skin
