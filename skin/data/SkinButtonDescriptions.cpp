#include "skin/data/SkinButtonDescriptions.h"

namespace skin {

using classlib::String;
using classlib::TFontStyles;
using classlib::TRect;

namespace {
constexpr TRect kNoRect{};
const String kArial = "Arial";
}  // namespace

// Rows stand in the order the reader takes the keys; the last number is the writer's place.

const TSkinFieldTable<TskDataSkinButtonControl>& TskDataSkinButtonControl::Fields() {
  using C = TskDataSkinButtonControl;
  static const auto table = TSkinFieldTable<C>()
                                .Field("fontname", &C::FontName, kArial, 1)
                                .Field("fontheight", &C::FontHeight, 14, 2)
                                .Constructed(&C::FontHeight, 12)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 3)
                                .Field("fontcolor", &C::FontColor, 0, 4)
                                .Field("activefontcolor", &C::ActiveFontColor, 0, 5)
                                .Field("disabledfontcolor", &C::DisabledFontColor, 0, 7)
                                .Field("downfontcolor", &C::DownFontColor, 0, 6)
                                .Field("morphing", &C::Morphing, false, 8)
                                .Field("morphkind", &C::MorphKind, TMorphKind::mkDefault, 9)
                                .Field("activeskinrect", &C::ActiveSkinRect, kNoRect, 10)
                                .Field("downskinrect", &C::DownSkinRect, kNoRect, 11)
                                .Field("disabledskinrect", &C::DisabledSkinRect, kNoRect, 12)
                                .Field("animateskinrect", &C::AnimateSkinRect, kNoRect, 13)
                                .Field("framecount", &C::FrameCount, 0, 14)
                                .Field("animateinterval", &C::AnimateInterval, 25, 15)
                                .Constructed(&C::AnimateInterval, 0);
  return table;
}

TskDataSkinButtonControl::TskDataSkinButtonControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinMenuButtonControl>& TskDataSkinMenuButtonControl::Fields() {
  using C = TskDataSkinMenuButtonControl;
  static const auto table = TSkinFieldTable<C>().Field("trackbuttonrect", &C::TrackButtonRect, kNoRect, 1);
  return table;
}

TskDataSkinMenuButtonControl::TskDataSkinMenuButtonControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinCheckRadioControl>& TskDataSkinCheckRadioControl::Fields() {
  using C = TskDataSkinCheckRadioControl;
  static const auto table = TSkinFieldTable<C>()
                                .Field("fontname", &C::FontName, kArial, 1)
                                .Field("fontheight", &C::FontHeight, 14, 2)
                                .Constructed(&C::FontHeight, 12)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 3)
                                .Field("fontcolor", &C::FontColor, 0, 4)
                                .Field("activefontcolor", &C::ActiveFontColor, 0, 5)
                                .Field("unenabledfontcolor", &C::UnEnabledFontColor, 0, 6)
                                .Field("framefontcolor", &C::FrameFontColor, 0, 7)
                                .Field("morphing", &C::Morphing, false, 8)
                                .Field("morphkind", &C::MorphKind, TMorphKind::mkDefault, 9)
                                .Field("activeskinrect", &C::ActiveSkinRect, kNoRect, 10)
                                .Field("checkimagearea", &C::CheckImageArea, kNoRect, 11)
                                .Field("textarea", &C::TextArea, kNoRect, 12)
                                .Field("checkimagerect", &C::CheckImageRect, kNoRect, 13)
                                .Field("uncheckimagerect", &C::UnCheckImageRect, kNoRect, 14)
                                .Field("activecheckimagerect", &C::ActiveCheckImageRect, kNoRect, 15)
                                .Field("activeuncheckimagerect", &C::ActiveUnCheckImageRect, kNoRect, 16)
                                .Field("unenabledcheckimagerect", &C::UnEnabledCheckImageRect, kNoRect, 17)
                                .Field("unenableduncheckimagerect", &C::UnEnabledUnCheckImageRect, kNoRect, 18);
  return table;
}

TskDataSkinCheckRadioControl::TskDataSkinCheckRadioControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinLabelControl>& TskDataSkinLabelControl::Fields() {
  using C = TskDataSkinLabelControl;
  static const auto table = TSkinFieldTable<C>()
                                .Field("fontname", &C::FontName, kArial, 1)
                                .Field("fontheight", &C::FontHeight, 14, 2)
                                .Constructed(&C::FontHeight, 12)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 3)
                                .Field("fontcolor", &C::FontColor, 0, 4);
  return table;
}

TskDataSkinLabelControl::TskDataSkinLabelControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinStdLabelControl>& TskDataSkinStdLabelControl::Fields() {
  using C = TskDataSkinStdLabelControl;
  // A missing active colour is blue, not black.
  static const auto table = TSkinFieldTable<C>()
                                .Field("fontname", &C::FontName, kArial, 1)
                                .Field("fontheight", &C::FontHeight, 14, 2)
                                .Constructed(&C::FontHeight, 12)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 3)
                                .Field("fontcolor", &C::FontColor, 0, 4)
                                .Field("activefontcolor", &C::ActiveFontColor, 16711680, 5);
  return table;
}

TskDataSkinStdLabelControl::TskDataSkinStdLabelControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinBitLabelControl>& TskDataSkinBitLabelControl::Fields() {
  using C = TskDataSkinBitLabelControl;
  static const auto table = TSkinFieldTable<C>()
                                .Field("skintextrect", &C::SkinTextRect, kNoRect, 1)
                                .Field("symbolwidth", &C::SymbolWidth, 0, 2)
                                .Field("symbolheight", &C::SymbolHeight, 0, 3)
                                .Lines("symbols", &C::Symbols, 4);
  return table;
}

TskDataSkinBitLabelControl::TskDataSkinBitLabelControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinBevel>& TskDataSkinBevel::Fields() {
  using C = TskDataSkinBevel;
  static const auto table =
      TSkinFieldTable<C>().Field("lightcolor", &C::LightColor, 0, 1).Field("darkcolor", &C::DarkColor, 0, 2);
  return table;
}

TskDataSkinBevel::TskDataSkinBevel(const String& AIDName) : TskDescription(AIDName) { Fields().Construct(*this); }

}  // namespace skin
