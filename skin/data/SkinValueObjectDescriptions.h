// The form-frame object descriptions of the value and display elements: track bar, gauge, frame
// gauge and frame regulator, text label, bit label, switch, animation and the user object. All but
// the bit label are constructed as TskDataSkinObject, so the fields they add start at zero (the
// first value of an enumeration) until they are read.
#pragma once

#include "skin/data/SkinObjectDescriptions.h"
#include "skin/data/SkinPanelDescriptions.h"

#include <cstdint>

namespace skin {

// The direction in which a gauge fills.
enum class TGaugeKind : std::uint8_t { gkHorizontal, gkVertical };

// "trackbar": never morphed, whatever its section says.
class TskDataSkinTrackBar : public TskDescription<TskDataSkinTrackBar, TskDataSkinObject> {
public:
  using TskDescription::TskDescription;

  void LoadFromFile(classlib::TCustomIniFile& IniFile) override;

  static const TSkinFieldTable<TskDataSkinTrackBar>& Fields();

  classlib::TRect ButtonRect{};
  classlib::TRect ActiveButtonRect{};
  // The button's path, from the minimum to the maximum.
  classlib::TPoint BeginPoint{};
  classlib::TPoint EndPoint{};
  int MinValue{};
  int MaxValue{};
  bool MouseDownChangeValue{};
  bool ButtonTransparent{};
  classlib::TColor ButtonTransparentColor{};
};

// "gauge".
class TskDataSkinGauge : public TskDescription<TskDataSkinGauge, TskDataSkinObject> {
public:
  using TskDescription::TskDescription;

  static const TSkinFieldTable<TskDataSkinGauge>& Fields();

  int MinValue{};
  int MaxValue{};
  TGaugeKind Kind{};
};

// "framegauge": CountFrames frames lie in ActiveSkinRect. Unlike the frame-strip control, the count
// has no lower bound; whoever divides by it checks it first.
class TskDataSkinFrameGaugeObject : public TskDescription<TskDataSkinFrameGaugeObject, TskDataSkinObject> {
public:
  using TskDescription::TskDescription;

  static const TSkinFieldTable<TskDataSkinFrameGaugeObject>& Fields();

  int MinValue{};
  int MaxValue{};
  int CountFrames{};
  TFramesPlacement FramesPlacement{};
};

// "frameregulator": the same frame strip, turned by the mouse.
class TskDataSkinFrameRegulatorObject
    : public TskDescription<TskDataSkinFrameRegulatorObject, TskDataSkinObject> {
public:
  using TskDescription::TskDescription;

  static const TSkinFieldTable<TskDataSkinFrameRegulatorObject>& Fields();

  int MinValue{};
  int MaxValue{};
  int CountFrames{};
  TFramesPlacement FramesPlacement{};
  TRegulatorKind Kind{};
};

// "label".
class TskDataSkinLabel : public TskDescription<TskDataSkinLabel, TskDataSkinObject> {
public:
  using TskDescription::TskDescription;

  static const TSkinFieldTable<TskDataSkinLabel>& Fields();

  classlib::String FontName;
  int FontHeight{};
  classlib::TFontStyles FontStyle;
  classlib::TColor FontColor{};
  classlib::TColor ActiveFontColor{};
  classlib::TAlignment Alignment{};
  classlib::String TextValue;
};

// "bitlabel": text drawn with character cells cut from the skin picture; line n of Symbols lists
// the characters of row n of cells. Never morphed.
class TskDataSkinBitLabel : public TskDescription<TskDataSkinBitLabel, TskDataSkinObject> {
public:
  explicit TskDataSkinBitLabel(const classlib::String& AIDName);

  void LoadFromFile(classlib::TCustomIniFile& IniFile) override;

  static const TSkinFieldTable<TskDataSkinBitLabel>& Fields();

  std::unique_ptr<classlib::TStringList> Symbols = std::make_unique<classlib::TStringList>();
  classlib::String TextValue;
  int SymbolWidth{};
  int SymbolHeight{};
  bool Transparent{};
  classlib::TColor TransparentColor{};
};

// "switch": the object's own keys only.
class TskDataSkinSwitch : public TskDataSkinObject {
public:
  using TskDataSkinObject::TskDataSkinObject;
};

// "animate": frames side by side in ActiveSkinRect, each of the size of SkinRect; it may also act
// as a button with a standard command. Never morphed.
class TskDataSkinAnimate : public TskDescription<TskDataSkinAnimate, TskDataSkinObject> {
public:
  using TskDescription::TskDescription;

  void LoadFromFile(classlib::TCustomIniFile& IniFile) override;

  static const TSkinFieldTable<TskDataSkinAnimate>& Fields();

  int CountFrames{};
  bool Cycle{};
  bool ButtonStyle{};
  int TimerInterval{};
  TStdCommand Command{};
  classlib::TRect DownSkinRect{};
};

// "userobject": a named place the application draws on. It keeps only RollUp, SkinRect and
// CursorIndex in its section; its other fields keep their constructed values.
class TskDataUserObject : public TskDataSkinObject {
public:
  using TskDataSkinObject::TskDataSkinObject;

  void LoadFromFile(classlib::TCustomIniFile& IniFile) override;
  void SaveToFile(classlib::TCustomIniFile& IniFile) const override;

  static const TSkinFieldTable<TskDataUserObject>& Fields();
};

}  // namespace skin
