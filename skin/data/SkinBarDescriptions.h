// The descriptions of the value controls: scroll bar, track bar, slider, gauge and the up-down pair
// of buttons. Every field starts as its class's field table says.
#pragma once

#include "skin/data/SkinDescriptions.h"

namespace skin {

// The skinned scroll bar, also placed beside lists, memos, scroll boxes and views: "scrollbar".
// The up button steps towards the maximum, the down button towards the minimum.
class TskDataSkinScrollBarControl
    : public TskDescription<TskDataSkinScrollBarControl, TskDataSkinCustomControl> {
public:
  explicit TskDataSkinScrollBarControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinScrollBarControl>& Fields();

  classlib::TRect TrackArea{};
  classlib::TRect UpButtonRect{};
  classlib::TRect ActiveUpButtonRect{};
  classlib::TRect DownUpButtonRect{};
  classlib::TRect DownButtonRect{};
  classlib::TRect ActiveDownButtonRect{};
  classlib::TRect DownDownButtonRect{};
  classlib::TRect ThumbRect{};
  classlib::TRect ActiveThumbRect{};
  classlib::TRect DownThumbRect{};
  int ThumbOffset1{};
  int ThumbOffset2{};
  classlib::TRect GlyphRect{};
  classlib::TRect ActiveGlyphRect{};
  classlib::TRect DownGlyphRect{};
  bool ThumbTransparent{};
  classlib::TColor ThumbTransparentColor{};
};

// "trackbar".
class TskDataSkinTrackBarControl
    : public TskDescription<TskDataSkinTrackBarControl, TskDataSkinCustomControl> {
public:
  explicit TskDataSkinTrackBarControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinTrackBarControl>& Fields();

  classlib::TRect TrackArea{};
  classlib::TRect ButtonRect{};
  classlib::TRect ActiveButtonRect{};
  bool Vertical{};
  bool ButtonTransparent{};
  classlib::TColor ButtonTransparentColor{};
};

// A slider with a scale; one description holds both orientations: "slider".
class TskDataSkinSlider : public TskDescription<TskDataSkinSlider, TskDataSkinControl> {
public:
  explicit TskDataSkinSlider(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinSlider>& Fields();

  classlib::TRect HRulerRect{};
  classlib::TRect HThumbRect{};
  classlib::TRect VRulerRect{};
  classlib::TRect VThumbRect{};
  int EdgeSize{};
  classlib::TColor BGColor{};
  classlib::TColor PointsColor{};
};

// The progress gauge: "gauge".
class TskDataSkinGaugeControl : public TskDescription<TskDataSkinGaugeControl, TskDataSkinCustomControl> {
public:
  explicit TskDataSkinGaugeControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinGaugeControl>& Fields();

  classlib::TRect ProgressArea{};
  classlib::TRect ProgressRect{};
  bool ProgressTransparent{};
  classlib::TColor ProgressTransparentColor{};
  bool ProgressStretch{};
  bool Vertical{};
  int BeginOffset{};
  int EndOffset{};
  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight{};
  classlib::TColor FontColor{};
};

// The up-down pair: "updown". Its image is the two buttons alone, so it never has anchors or a
// client area, whatever its section holds or its fields were set to.
class TskDataSkinUpDownControl : public TskDescription<TskDataSkinUpDownControl, TskDataSkinCustomControl> {
public:
  using TskDescription::TskDescription;

  void LoadFromFile(classlib::TCustomIniFile& IniFile) override;
  void SaveToFile(classlib::TCustomIniFile& IniFile) const override;

  static const TSkinFieldTable<TskDataSkinUpDownControl>& Fields();

  classlib::TRect UpButtonRect{};
  classlib::TRect ActiveUpButtonRect{};
  classlib::TRect DownUpButtonRect{};
  classlib::TRect DownButtonRect{};
  classlib::TRect ActiveDownButtonRect{};
  classlib::TRect DownDownButtonRect{};
};

}  // namespace skin
