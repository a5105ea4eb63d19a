#include "skin/data/SkinValueObjectDescriptions.h"

namespace skin {

using classlib::String;
using classlib::TAlignment;
using classlib::TCustomIniFile;
using classlib::TFontStyles;
using classlib::TPoint;
using classlib::TRect;

namespace {
constexpr TRect kNoRect{};
constexpr TPoint kNoPoint{};
const String kArial = "Arial";
}  // namespace

// Rows stand in the order the reader takes the keys; the last number is the writer's place.

const TSkinFieldTable<TskDataSkinTrackBar>& TskDataSkinTrackBar::Fields() {
  using C = TskDataSkinTrackBar;
  static const auto table = TSkinFieldTable<C>()
                                .Field("buttonrect", &C::ButtonRect, kNoRect, 1)
                                .Field("activebuttonrect", &C::ActiveButtonRect, kNoRect, 2)
                                .Field("beginpoint", &C::BeginPoint, kNoPoint, 3)
                                .Field("endpoint", &C::EndPoint, kNoPoint, 4)
                                .Field("minvalue", &C::MinValue, 0, 5)
                                .Field("maxvalue", &C::MaxValue, 0, 6)
                                .Field("mousedownchangevalue", &C::MouseDownChangeValue, false, 7)
                                .Field("buttontransparent", &C::ButtonTransparent, false, 8)
                                .Field("buttontransparentcolor", &C::ButtonTransparentColor, 0, 9);
  return table;
}

void TskDataSkinTrackBar::LoadFromFile(TCustomIniFile& IniFile) {
  TskDescription::LoadFromFile(IniFile);
  Morphing = false;
}

const TSkinFieldTable<TskDataSkinGauge>& TskDataSkinGauge::Fields() {
  using C = TskDataSkinGauge;
  static const auto table = TSkinFieldTable<C>()
                                .Field("minvalue", &C::MinValue, 0, 1)
                                .Field("maxvalue", &C::MaxValue, 0, 2)
                                .Enumeration("kind", &C::Kind, {"gkhorizontal", "gkvertical"},
                                             TGaugeKind::gkHorizontal, TGaugeKind::gkVertical, 3);
  return table;
}

const TSkinFieldTable<TskDataSkinFrameGaugeObject>& TskDataSkinFrameGaugeObject::Fields() {
  using C = TskDataSkinFrameGaugeObject;
  static const auto table = TSkinFieldTable<C>()
                                .Field("minvalue", &C::MinValue, 0, 1)
                                .Field("maxvalue", &C::MaxValue, 0, 2)
                                .Field("countframes", &C::CountFrames, 0, 3)
                                .Enumeration("framesplacement", &C::FramesPlacement, FramesPlacementWords(),
                                             TFramesPlacement::fpHorizontal, TFramesPlacement::fpVertical, 4);
  return table;
}

const TSkinFieldTable<TskDataSkinFrameRegulatorObject>& TskDataSkinFrameRegulatorObject::Fields() {
  using C = TskDataSkinFrameRegulatorObject;
  static const auto table = TSkinFieldTable<C>()
                                .Field("minvalue", &C::MinValue, 0, 1)
                                .Field("maxvalue", &C::MaxValue, 0, 2)
                                .Field("countframes", &C::CountFrames, 0, 3)
                                .Enumeration("framesplacement", &C::FramesPlacement, FramesPlacementWords(),
                                             TFramesPlacement::fpHorizontal, TFramesPlacement::fpVertical, 4)
                                .Enumeration("kind", &C::Kind, RegulatorKindWords(), TRegulatorKind::rkRound,
                                             TRegulatorKind::rkVertical, 5);
  return table;
}

const TSkinFieldTable<TskDataSkinLabel>& TskDataSkinLabel::Fields() {
  using C = TskDataSkinLabel;
  static const auto table = TSkinFieldTable<C>()
                                .Field("fontname", &C::FontName, kArial, 1)
                                .ReadAs("fontName")
                                .Field("fontheight", &C::FontHeight, 14, 2)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 3)
                                .Field("fontcolor", &C::FontColor, 0, 4)
                                .Field("activefontcolor", &C::ActiveFontColor, 0, 5)
                                .Field("alignment", &C::Alignment, TAlignment::taCenter, 6)
                                .Field("textvalue", &C::TextValue, String(), 7);
  return table;
}

const TSkinFieldTable<TskDataSkinBitLabel>& TskDataSkinBitLabel::Fields() {
  using C = TskDataSkinBitLabel;
  // A missing transparent colour is fuchsia, not black.
  static const auto table = TSkinFieldTable<C>()
                                .Field("textvalue", &C::TextValue, String(), 1)
                                .Field("symbolwidth", &C::SymbolWidth, 0, 2)
                                .Field("symbolheight", &C::SymbolHeight, 0, 3)
                                .Lines("symbols", &C::Symbols, 4)
                                .Field("transparent", &C::Transparent, false, 5)
                                .Field("transparentcolor", &C::TransparentColor, 16711935, 6);
  return table;
}

TskDataSkinBitLabel::TskDataSkinBitLabel(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

void TskDataSkinBitLabel::LoadFromFile(TCustomIniFile& IniFile) {
  TskDescription::LoadFromFile(IniFile);
  Morphing = false;
}

const TSkinFieldTable<TskDataSkinAnimate>& TskDataSkinAnimate::Fields() {
  using C = TskDataSkinAnimate;
  static const auto table = TSkinFieldTable<C>()
                                .Field("countframes", &C::CountFrames, 1, 1)
                                .Field("cycle", &C::Cycle, false, 2)
                                .Field("buttonstyle", &C::ButtonStyle, false, 3)
                                .Field("timerinterval", &C::TimerInterval, 50, 4)
                                .Enumeration("command", &C::Command, StdCommandWords(), TStdCommand::cmDefault,
                                             TStdCommand::cmMinimizeToTray, 5)
                                .Field("downskinrect", &C::DownSkinRect, kNoRect, 6);
  return table;
}

void TskDataSkinAnimate::LoadFromFile(TCustomIniFile& IniFile) {
  TskDescription::LoadFromFile(IniFile);
  Morphing = false;
}

const TSkinFieldTable<TskDataUserObject>& TskDataUserObject::Fields() {
  using C = TskDataUserObject;
  // Base fields, so the member types are named.
  static const auto table = TSkinFieldTable<C>()
                                .Field<bool>("rollup", &C::RollUp, false, 1)
                                .Field<TRect>("skinrect", &C::SkinRect, kNoRect, 2)
                                .Field<int>("cursorindex", &C::CursorIndex, -1, 3);
  return table;
}

void TskDataUserObject::LoadFromFile(TCustomIniFile& IniFile) { Fields().Read(*this, IniFile, IDName); }

void TskDataUserObject::SaveToFile(TCustomIniFile& IniFile) const {
  IniFile.EraseSection(IDName);
  Fields().Write(*this, IniFile, IDName);
}

}  // namespace skin
