#include "skin/data/SkinBarDescriptions.h"

namespace skin {

using classlib::String;
using classlib::TCustomIniFile;
using classlib::TFontStyles;
using classlib::TPoint;
using classlib::TRect;

namespace {
constexpr TRect kNoRect{};
constexpr TPoint kNoPoint{};
const String kArial = "Arial";
constexpr classlib::TColor kFuchsia = 16711935;
}  // namespace

// Rows stand in the order the reader takes the keys; the last number is the writer's place.

const TSkinFieldTable<TskDataSkinScrollBarControl>& TskDataSkinScrollBarControl::Fields() {
  using C = TskDataSkinScrollBarControl;
  static const auto table = TSkinFieldTable<C>()
                                .Field("trackarea", &C::TrackArea, kNoRect, 1)
                                .Field("upbuttonrect", &C::UpButtonRect, kNoRect, 2)
                                .Field("activeupbuttonrect", &C::ActiveUpButtonRect, kNoRect, 3)
                                .Field("downupbuttonrect", &C::DownUpButtonRect, kNoRect, 4)
                                .Field("downbuttonrect", &C::DownButtonRect, kNoRect, 5)
                                .Field("activedownbuttonrect", &C::ActiveDownButtonRect, kNoRect, 6)
                                .Field("downdownbuttonrect", &C::DownDownButtonRect, kNoRect, 7)
                                .Field("thumbrect", &C::ThumbRect, kNoRect, 8)
                                .Field("activethumbrect", &C::ActiveThumbRect, kNoRect, 9)
                                .Field("downthumbrect", &C::DownThumbRect, kNoRect, 10)
                                .Field("thumboffset1", &C::ThumbOffset1, 0, 11)
                                .Field("thumboffset2", &C::ThumbOffset2, 0, 12)
                                .Field("thumbtransparent", &C::ThumbTransparent, false, 13)
                                .Field("thumbtransparentcolor", &C::ThumbTransparentColor, 0, 14)
                                .Constructed(&C::ThumbTransparentColor, kFuchsia)
                                .Field("glyphrect", &C::GlyphRect, kNoRect, 15)
                                .Field("activeglyphrect", &C::ActiveGlyphRect, kNoRect, 16)
                                .Field("downglyphrect", &C::DownGlyphRect, kNoRect, 17);
  return table;
}

TskDataSkinScrollBarControl::TskDataSkinScrollBarControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinTrackBarControl>& TskDataSkinTrackBarControl::Fields() {
  using C = TskDataSkinTrackBarControl;
  static const auto table = TSkinFieldTable<C>()
                                .Field("trackarea", &C::TrackArea, kNoRect, 1)
                                .Field("buttonrect", &C::ButtonRect, kNoRect, 2)
                                .Field("activebuttonrect", &C::ActiveButtonRect, kNoRect, 3)
                                .Field("vertical", &C::Vertical, false, 4)
                                .Field("buttontransparent", &C::ButtonTransparent, false, 5)
                                .Field("buttontransparentcolor", &C::ButtonTransparentColor, 0, 6)
                                .Constructed(&C::ButtonTransparentColor, kFuchsia);
  return table;
}

TskDataSkinTrackBarControl::TskDataSkinTrackBarControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinSlider>& TskDataSkinSlider::Fields() {
  using C = TskDataSkinSlider;
  static const auto table = TSkinFieldTable<C>()
                                .Field("bgcolor", &C::BGColor, 0, 1)
                                .Field("hrulerrect", &C::HRulerRect, kNoRect, 2)
                                .Field("hthumbrect", &C::HThumbRect, kNoRect, 3)
                                .Field("vrulerrect", &C::VRulerRect, kNoRect, 4)
                                .Field("vthumbrect", &C::VThumbRect, kNoRect, 5)
                                .Field("edgesize", &C::EdgeSize, 0, 6)
                                .Field("pointscolor", &C::PointsColor, 0, 7);
  return table;
}

TskDataSkinSlider::TskDataSkinSlider(const String& AIDName) : TskDescription(AIDName) { Fields().Construct(*this); }

const TSkinFieldTable<TskDataSkinGaugeControl>& TskDataSkinGaugeControl::Fields() {
  using C = TskDataSkinGaugeControl;
  static const auto table = TSkinFieldTable<C>()
                                .Field("progressarea", &C::ProgressArea, kNoRect, 1)
                                .Field("progressrect", &C::ProgressRect, kNoRect, 2)
                                .Field("beginoffset", &C::BeginOffset, 0, 3)
                                .Field("endoffset", &C::EndOffset, 0, 4)
                                .Field("vertical", &C::Vertical, false, 5)
                                .Field("fontname", &C::FontName, kArial, 6)
                                .Field("fontheight", &C::FontHeight, 14, 7)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 8)
                                .Field("fontcolor", &C::FontColor, 0, 9)
                                .Field("progresstransparent", &C::ProgressTransparent, false, 10)
                                .Field("progresstransparentcolor", &C::ProgressTransparentColor, 0, 11)
                                .Constructed(&C::ProgressTransparentColor, kFuchsia)
                                .Field("progressstretch", &C::ProgressStretch, false, 12);
  return table;
}

TskDataSkinGaugeControl::TskDataSkinGaugeControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinUpDownControl>& TskDataSkinUpDownControl::Fields() {
  using C = TskDataSkinUpDownControl;
  static const auto table = TSkinFieldTable<C>()
                                .Field("upbuttonrect", &C::UpButtonRect, kNoRect, 1)
                                .Field("activeupbuttonrect", &C::ActiveUpButtonRect, kNoRect, 2)
                                .Field("downupbuttonrect", &C::DownUpButtonRect, kNoRect, 3)
                                .Field("downbuttonrect", &C::DownButtonRect, kNoRect, 4)
                                .Field("activedownbuttonrect", &C::ActiveDownButtonRect, kNoRect, 5)
                                .Field("downdownbuttonrect", &C::DownDownButtonRect, kNoRect, 6);
  return table;
}

void TskDataSkinUpDownControl::LoadFromFile(TCustomIniFile& IniFile) {
  TskDescription::LoadFromFile(IniFile);
  SkinLeftTopPoint = SkinRightTopPoint = SkinLeftBottomPoint = SkinRightBottomPoint = kNoPoint;
  SkinClientRect = kNoRect;
}

void TskDataSkinUpDownControl::SaveToFile(TCustomIniFile& IniFile) const {
  TskDescription::SaveToFile(IniFile);
  // The keys keep their places; only their values become zero.
  for (const char* anchor : {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint"})
    WritePoint(IniFile, IDName, anchor, kNoPoint);
  WriteRect(IniFile, IDName, "clientrect", kNoRect);
}

}  // namespace skin
