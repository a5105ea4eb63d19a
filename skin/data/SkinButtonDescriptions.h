// The descriptions of the skinned push and menu buttons, check and radio boxes, the three kinds of
// label and the bevel. Every field starts as its class's field table says.
#pragma once

#include "skin/data/SkinDescriptions.h"

namespace skin {

// Push buttons, speed buttons and header sections: "button".
class TskDataSkinButtonControl : public TskDescription<TskDataSkinButtonControl, TskDataSkinCustomControl> {
public:
  explicit TskDataSkinButtonControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinButtonControl>& Fields();

  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight{};
  classlib::TColor FontColor{};
  classlib::TColor ActiveFontColor{};
  classlib::TColor DownFontColor{};
  classlib::TColor DisabledFontColor{};
  bool Morphing{};
  TMorphKind MorphKind{};
  classlib::TRect ActiveSkinRect{};
  classlib::TRect DownSkinRect{};
  classlib::TRect DisabledSkinRect{};
  // Frames side by side, each the strip's width divided by FrameCount; empty: no animation.
  classlib::TRect AnimateSkinRect{};
  int FrameCount{};
  int AnimateInterval{};
};

// A button with a second part that drops down its menu: "menubutton".
class TskDataSkinMenuButtonControl
    : public TskDescription<TskDataSkinMenuButtonControl, TskDataSkinButtonControl> {
public:
  explicit TskDataSkinMenuButtonControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinMenuButtonControl>& Fields();

  classlib::TRect TrackButtonRect{};
};

// One description for check boxes and radio buttons: "checkradio".
class TskDataSkinCheckRadioControl
    : public TskDescription<TskDataSkinCheckRadioControl, TskDataSkinCustomControl> {
public:
  explicit TskDataSkinCheckRadioControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinCheckRadioControl>& Fields();

  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight{};
  classlib::TColor FontColor{};
  classlib::TColor ActiveFontColor{};
  classlib::TColor UnEnabledFontColor{};
  bool Morphing{};
  TMorphKind MorphKind{};
  classlib::TRect ActiveSkinRect{};
  classlib::TRect CheckImageArea{};
  classlib::TRect TextArea{};
  classlib::TRect CheckImageRect{};
  classlib::TRect UnCheckImageRect{};
  classlib::TRect ActiveCheckImageRect{};
  classlib::TRect ActiveUnCheckImageRect{};
  classlib::TRect UnEnabledCheckImageRect{};
  classlib::TRect UnEnabledUnCheckImageRect{};
  classlib::TColor FrameFontColor{};
};

// A label on a skinned background image: "label".
class TskDataSkinLabelControl : public TskDescription<TskDataSkinLabelControl, TskDataSkinCustomControl> {
public:
  explicit TskDataSkinLabelControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinLabelControl>& Fields();

  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight{};
  classlib::TColor FontColor{};
};

// The font of a plain text label: "stdlabel".
class TskDataSkinStdLabelControl : public TskDescription<TskDataSkinStdLabelControl, TskDataSkinControl> {
public:
  explicit TskDataSkinStdLabelControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinStdLabelControl>& Fields();

  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight{};
  classlib::TColor FontColor{};
  classlib::TColor ActiveFontColor{};
};

// A label drawn with character cells cut from the skin picture: "bitlabel". Line n of Symbols lists
// the characters of row n of cells; a character's place in its line is its column.
class TskDataSkinBitLabelControl
    : public TskDescription<TskDataSkinBitLabelControl, TskDataSkinCustomControl> {
public:
  explicit TskDataSkinBitLabelControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinBitLabelControl>& Fields();

  classlib::TRect SkinTextRect{};
  int SymbolWidth{};
  int SymbolHeight{};
  std::unique_ptr<classlib::TStringList> Symbols = std::make_unique<classlib::TStringList>();
};

// The two colours of the skinned bevel: "bevel".
class TskDataSkinBevel : public TskDescription<TskDataSkinBevel, TskDataSkinControl> {
public:
  explicit TskDataSkinBevel(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinBevel>& Fields();

  classlib::TColor LightColor{};
  classlib::TColor DarkColor{};
};

}  // namespace skin
