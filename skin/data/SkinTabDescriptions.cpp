#include "skin/data/SkinTabDescriptions.h"

namespace skin {

using classlib::String;
using classlib::TFontStyles;
using classlib::TPoint;
using classlib::TRect;

namespace {
constexpr TRect kNoRect{};
constexpr TPoint kNoPoint{};
const String kArial = "Arial";
}  // namespace

// Rows stand in the order the reader takes the keys; the last number is the writer's place.

const TSkinFieldTable<TskDataSkinTabControl>& TskDataSkinTabControl::Fields() {
  using C = TskDataSkinTabControl;
  static const auto table = TSkinFieldTable<C>()
                                .Field("tabrect", &C::TabRect, kNoRect, 1)
                                .Field("activetabrect", &C::ActiveTabRect, kNoRect, 2)
                                .Field("focustabrect", &C::FocusTabRect, kNoRect, 3)
                                .Field("mouseintabrect", &C::MouseInTabRect, kNoRect, 4)
                                .Field("clientrect", &C::SkinClientRect, kNoRect, 5)
                                .Field("bgpictureindex", &C::BGPictureIndex, -1, 6)
                                .Field("lefttoppoint", &C::SkinLeftTopPoint, kNoPoint, 7)
                                .Field("righttoppoint", &C::SkinRightTopPoint, kNoPoint, 8)
                                .Field("leftbottompoint", &C::SkinLeftBottomPoint, kNoPoint, 9)
                                .Field("rightbottompoint", &C::SkinRightBottomPoint, kNoPoint, 10)
                                .Field("tableftoffset", &C::TabLeftOffset, 0, 11)
                                .Field("tabrightoffset", &C::TabRightOffset, 0, 12)
                                .Field("tabsbgrect", &C::TabsBGRect, kNoRect, 13)
                                .Field("tabstretcheffect", &C::TabStretchEffect, false, 14)
                                .Field("fontname", &C::FontName, kArial, 15)
                                .Field("fontheight", &C::FontHeight, 14, 16)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 17)
                                .Field("fontcolor", &C::FontColor, 0, 18)
                                .Field("activefontcolor", &C::ActiveFontColor, 0, 19)
                                .Field("focusfontcolor", &C::FocusFontColor, 0, 20)
                                .Field("mouseinfontcolor", &C::MouseInFontColor, 0, 21)
                                .Field("updown", &C::UpDown, String(), 22);
  return table;
}

TskDataSkinTabControl::TskDataSkinTabControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinGridControl>& TskDataSkinGridControl::Fields() {
  using C = TskDataSkinGridControl;
  static const auto table = TSkinFieldTable<C>()
                                .Field("fixedcellrect", &C::FixedCellRect, kNoRect, 1)
                                .Field("selectcellrect", &C::SelectCellRect, kNoRect, 2)
                                .Field("focuscellrect", &C::FocusCellRect, kNoRect, 3)
                                .Field("fixedcellleftoffset", &C::FixedCellLeftOffset, 0, 4)
                                .Field("fixedcellrightoffset", &C::FixedCellRightOffset, 0, 5)
                                .Field("fixedcelltextrect", &C::FixedCellTextRect, kNoRect, 6)
                                .Field("cellleftoffset", &C::CellLeftOffset, 0, 7)
                                .Field("cellrightoffset", &C::CellRightOffset, 0, 8)
                                .Field("celltextrect", &C::CellTextRect, kNoRect, 9)
                                .Field("linescolor", &C::LinesColor, 0, 10)
                                .Field("bgcolor", &C::BGColor, 0, 11)
                                .Field("bgpictureindex", &C::BGPictureIndex, -1, 12)
                                .Field("fontname", &C::FontName, kArial, 13)
                                .Field("fontheight", &C::FontHeight, 14, 14)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 15)
                                .Field("fontcolor", &C::FontColor, 0, 16)
                                .Field("selectfontcolor", &C::SelectFontColor, 0, 17)
                                .Field("focusfontcolor", &C::FocusFontColor, 0, 18)
                                .Field("fixedfontname", &C::FixedFontName, kArial, 19)
                                .Field("fixedfontheight", &C::FixedFontHeight, 14, 20)
                                .Field("fixedfontstyle", &C::FixedFontStyle, TFontStyles(), 21)
                                .Field("fixedfontcolor", &C::FixedFontColor, 0, 22)
                                .Field("cellstretcheffect", &C::CellStretchEffect, false, 23)
                                .Field("fixedcellstretcheffect", &C::FixedCellStretchEffect, false, 24);
  return table;
}

TskDataSkinGridControl::TskDataSkinGridControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinMainMenuBar>& TskDataSkinMainMenuBar::Fields() {
  using C = TskDataSkinMainMenuBar;
  static const auto table = TSkinFieldTable<C>()
                                .Field("itemsrect", &C::ItemsRect, kNoRect, 1)
                                .Field("menubaritem", &C::MenuBarItem, String(), 2)
                                .Field("closebutton", &C::CloseButton, String(), 3)
                                .Field("minbutton", &C::MinButton, String(), 4)
                                .Field("maxbutton", &C::MaxButton, String(), 5)
                                .Field("sysmenubutton", &C::SysMenuButton, String(), 6)
                                .Field("trackmarkcolor", &C::TrackMarkColor, 0, 7)
                                .Field("trackmarkactivecolor", &C::TrackMarkActiveColor, 0, 8);
  return table;
}

TskDataSkinMainMenuBar::TskDataSkinMainMenuBar(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

}  // namespace skin
