#include "skin/data/SkinObjectDescriptions.h"

namespace skin {

using classlib::String;
using classlib::TAlignment;
using classlib::TFontStyles;
using classlib::TRect;

namespace {
constexpr TRect kNoRect{};
const String kArial = "Arial";
}  // namespace

std::vector<const char*> StdCommandWords() {
  return {"cmclose", "cmmaximize", "cmminimize", "cmsysmenu", "cmdefault", "cmrollup", "cmminimizetotray"};
}

// Rows stand in the order the reader takes the keys; the last number is the writer's place.

const TSkinFieldTable<TskDataSkinMenuItem>& TskDataSkinMenuItem::Fields() {
  using C = TskDataSkinMenuItem;
  static const auto table = TSkinFieldTable<C>()
                                .Field("itemleftoffset", &C::ItemLeftOffset, 0, 1)
                                .Field("itemrightoffset", &C::ItemRightOffset, 0, 2)
                                .Field("dividerrect", &C::DividerRect, kNoRect, 3)
                                .Field("dividerleftoffset", &C::DividerLeftOffset, 0, 4)
                                .Field("dividerrightoffset", &C::DividerRightOffset, 0, 5)
                                .Field("textrect", &C::TextRect, kNoRect, 6)
                                .Field("fontname", &C::FontName, kArial, 7)
                                .Field("fontheight", &C::FontHeight, 14, 8)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 9)
                                .Field("fontcolor", &C::FontColor, 0, 10)
                                .Field("activefontcolor", &C::ActiveFontColor, 0, 11)
                                .Field("unenabledfontcolor", &C::UnEnabledFontColor, 0, 12)
                                .Field("stretcheffect", &C::StretchEffect, false, 13)
                                .Field("dividerstretcheffect", &C::DividerStretchEffect, false, 14);
  return table;
}

const TSkinFieldTable<TskDataSkinMainMenuItem>& TskDataSkinMainMenuItem::Fields() {
  using C = TskDataSkinMainMenuItem;
  // This class alone spells the disabled colour's key with a capital C, in reading and writing.
  static const auto table = TSkinFieldTable<C>()
                                .Field("itemleftoffset", &C::ItemLeftOffset, 0, 1)
                                .Field("itemrightoffset", &C::ItemRightOffset, 0, 2)
                                .Field("downrect", &C::DownRect, kNoRect, 3)
                                .Field("textrect", &C::TextRect, kNoRect, 4)
                                .Field("fontname", &C::FontName, kArial, 5)
                                .Field("fontheight", &C::FontHeight, 14, 6)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 7)
                                .Field("fontcolor", &C::FontColor, 0, 8)
                                .Field("activefontcolor", &C::ActiveFontColor, 0, 9)
                                .Field("downfontcolor", &C::DownFontColor, 0, 10)
                                .Field("unenabledfontColor", &C::UnEnabledFontColor, 0, 11)
                                .Field("stretcheffect", &C::StretchEffect, false, 12);
  return table;
}

const TSkinFieldTable<TskDataSkinButton>& TskDataSkinButton::Fields() {
  using C = TskDataSkinButton;
  // "disableskinrsect" is the key skin files carry, misspelt as it is.
  static const auto table = TSkinFieldTable<C>()
                                .Field("downrect", &C::DownRect, kNoRect, 1)
                                .Field("disableskinrsect", &C::DisableSkinRect, kNoRect, 2)
                                .Field("groupindex", &C::GroupIndex, -1, 3);
  return table;
}

TskDataSkinButton::TskDataSkinButton(const String& AIDName) : TskDescription(AIDName) { Fields().Construct(*this); }

const TSkinFieldTable<TskDataSkinStdButton>& TskDataSkinStdButton::Fields() {
  using C = TskDataSkinStdButton;
  static const auto table = TSkinFieldTable<C>()
                                .Enumeration("command", &C::Command, StdCommandWords(), TStdCommand::cmDefault,
                                             TStdCommand::cmMinimizeToTray, 1)
                                .Field("restorerect", &C::RestoreRect, kNoRect, 2)
                                .Field("restoreactiverect", &C::RestoreActiveRect, kNoRect, 3)
                                .Field("restoredownrect", &C::RestoreDownRect, kNoRect, 4)
                                .Field("restoreinactiverect", &C::RestoreInActiveRect, kNoRect, 5);
  return table;
}

const TSkinFieldTable<TskDataSkinCaption>& TskDataSkinCaption::Fields() {
  using C = TskDataSkinCaption;
  static const auto table = TSkinFieldTable<C>()
                                .Field("defaultcaption", &C::DefaultCaption, false, 1)
                                .Field("textrect", &C::TextRect, kNoRect, 2)
                                .Field("fontname", &C::FontName, kArial, 3)
                                .Field("fontheight", &C::FontHeight, 14, 4)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 5)
                                .Field("fontcolor", &C::FontColor, 0, 6)
                                .Field("activefontcolor", &C::ActiveFontColor, 0, 7)
                                .Field("alignment", &C::Alignment, TAlignment::taCenter, 8)
                                .Field("shadow", &C::Shadow, false, 12)
                                .Field("shadowcolor", &C::ShadowColor, 0, 13)
                                .Field("light", &C::Light, false, 9)
                                .Field("lightcolor", &C::LightColor, 0, 10)
                                .Field("activelightcolor", &C::ActiveLightColor, 0, 11)
                                .Field("activeshadowcolor", &C::ActiveShadowColor, 0, 14)
                                .Field("framerect", &C::FrameRect, kNoRect, 15)
                                .Field("activeframerect", &C::ActiveFrameRect, kNoRect, 16)
                                .Field("frametextrect", &C::FrameTextRect, kNoRect, 17)
                                .Field("frameleftoffset", &C::FrameLeftOffset, 0, 18)
                                .Field("framerightoffset", &C::FrameRightOffset, 0, 19);
  return table;
}

}  // namespace skin
