#include "skin/data/SkinPanelDescriptions.h"

namespace skin {

using classlib::String;
using classlib::TAlignment;
using classlib::TCustomIniFile;
using classlib::TFontStyles;
using classlib::TRect;

namespace {
constexpr TRect kNoRect{};
const String kArial = "Arial";
}  // namespace

std::vector<const char*> FramesPlacementWords() { return {"fphorizontal", "fpvertical"}; }

std::vector<const char*> RegulatorKindWords() { return {"rkround", "rkhorizontal", "rkvertical"}; }

// Rows stand in the order the reader takes the keys; the last number is the writer's place.

const TSkinFieldTable<TskDataSkinPanelControl>& TskDataSkinPanelControl::Fields() {
  using C = TskDataSkinPanelControl;
  static const auto table = TSkinFieldTable<C>()
                                .Field("bgpictureindex", &C::BGPictureIndex, -1, 1)
                                .Field("captionrect", &C::CaptionRect, kNoRect, 2)
                                .Field("alignment", &C::Alignment, TAlignment::taCenter, 3)
                                .Field("fontname", &C::FontName, kArial, 4)
                                .Field("fontheight", &C::FontHeight, 14, 5)
                                .Constructed(&C::FontHeight, 12)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 6)
                                .Field("fontcolor", &C::FontColor, 0, 7)
                                .Field("checkimagerect", &C::CheckImageRect, kNoRect, 8)
                                .Field("uncheckimagerect", &C::UnCheckImageRect, kNoRect, 9)
                                .Field("markframerect", &C::MarkFrameRect, kNoRect, 10)
                                .Field("framerect", &C::FrameRect, kNoRect, 11)
                                .Field("frametextrect", &C::FrameTextRect, kNoRect, 12)
                                .Field("frameleftoffset", &C::FrameLeftOffset, 0, 13)
                                .Field("framerightoffset", &C::FrameRightOffset, 0, 14);
  return table;
}

TskDataSkinPanelControl::TskDataSkinPanelControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinExPanelControl>& TskDataSkinExPanelControl::Fields() {
  using C = TskDataSkinExPanelControl;
  static const auto table = TSkinFieldTable<C>()
                                .Field("rollhskinrect", &C::RollHSkinRect, kNoRect, 1)
                                .Field("rollvskinrect", &C::RollVSkinRect, kNoRect, 2)
                                .Field("rollleftoffset", &C::RollLeftOffset, 0, 3)
                                .Field("rollrightoffset", &C::RollRightOffset, 0, 4)
                                .Field("rolltopoffset", &C::RollTopOffset, 0, 5)
                                .Field("rollbottomoffset", &C::RollBottomOffset, 0, 6)
                                .Field("rollvcaptionrect", &C::RollVCaptionRect, kNoRect, 7)
                                .Field("rollhcaptionrect", &C::RollHCaptionRect, kNoRect, 8)
                                .Field("closebuttonrect", &C::CloseButtonRect, kNoRect, 9)
                                .Field("closebuttonactiverect", &C::CloseButtonActiveRect, kNoRect, 10)
                                .Field("closebuttondownrect", &C::CloseButtonDownRect, kNoRect, 11)
                                .Field("hrollbuttonrect", &C::HRollButtonRect, kNoRect, 12)
                                .Field("hrollbuttonactiverect", &C::HRollButtonActiveRect, kNoRect, 13)
                                .Field("hrollbuttondownrect", &C::HRollButtonDownRect, kNoRect, 14)
                                .Field("hrestorebuttonrect", &C::HRestoreButtonRect, kNoRect, 15)
                                .Field("hrestorebuttonactiverect", &C::HRestoreButtonActiveRect, kNoRect, 16)
                                .Field("hrestorebuttondownrect", &C::HRestoreButtonDownRect, kNoRect, 17)
                                .Field("vrollbuttonrect", &C::VRollButtonRect, kNoRect, 18)
                                .Field("vrollbuttonactiverect", &C::VRollButtonActiveRect, kNoRect, 19)
                                .Field("vrollbuttondownrect", &C::VRollButtonDownRect, kNoRect, 20)
                                .Field("vrestorebuttonrect", &C::VRestoreButtonRect, kNoRect, 21)
                                .Field("vrestorebuttonactiverect", &C::VRestoreButtonActiveRect, kNoRect, 22)
                                .Field("vrestorebuttondownrect", &C::VRestoreButtonDownRect, kNoRect, 23)
                                .Field("captionrect", &C::CaptionRect, kNoRect, 24)
                                .Field("fontname", &C::FontName, kArial, 25)
                                .Field("fontheight", &C::FontHeight, 14, 26)
                                .Constructed(&C::FontHeight, 12)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 27)
                                .Field("fontcolor", &C::FontColor, 0, 28);
  return table;
}

TskDataSkinExPanelControl::TskDataSkinExPanelControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinFrameControl>& TskDataSkinFrameControl::Fields() {
  using C = TskDataSkinFrameControl;
  static const auto table =
      TSkinFieldTable<C>()
          .Field("framescount", &C::FramesCount, 1, 1)
          .Enumeration("framesplacement", &C::FramesPlacement, FramesPlacementWords(), TFramesPlacement::fpHorizontal,
                       TFramesPlacement::fpVertical, 2);
  return table;
}

TskDataSkinFrameControl::TskDataSkinFrameControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

void TskDataSkinFrameControl::LoadFromFile(TCustomIniFile& IniFile) {
  TskDescription::LoadFromFile(IniFile);
  if (FramesCount < 1) FramesCount = 1;
}

const TSkinFieldTable<TskDataSkinFrameRegulator>& TskDataSkinFrameRegulator::Fields() {
  using C = TskDataSkinFrameRegulator;
  static const auto table = TSkinFieldTable<C>().Enumeration("kind", &C::Kind, RegulatorKindWords(),
                                                             TRegulatorKind::rkRound, TRegulatorKind::rkVertical, 1);
  return table;
}

TskDataSkinFrameRegulator::TskDataSkinFrameRegulator(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinScrollBoxControl>& TskDataSkinScrollBoxControl::Fields() {
  using C = TskDataSkinScrollBoxControl;
  static const auto table = TSkinFieldTable<C>().Field("bgpictureindex", &C::BGPictureIndex, -1, 1);
  return table;
}

TskDataSkinScrollBoxControl::TskDataSkinScrollBoxControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinControlBar>& TskDataSkinControlBar::Fields() {
  using C = TskDataSkinControlBar;
  static const auto table = TSkinFieldTable<C>()
                                .Field("itemrect", &C::ItemRect, kNoRect, 1)
                                .Field("bgpictureindex", &C::BGPictureIndex, -1, 2);
  return table;
}

TskDataSkinControlBar::TskDataSkinControlBar(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

}  // namespace skin
