#include "skin/data/SkinEditDescriptions.h"

namespace skin {

using classlib::String;
using classlib::TFontStyles;
using classlib::TRect;

namespace {
constexpr TRect kNoRect{};
const String kArial = "Arial";
}  // namespace

// Rows stand in the order the reader takes the keys; the last number is the writer's place.

const TSkinFieldTable<TskDataSkinEditControl>& TskDataSkinEditControl::Fields() {
  using C = TskDataSkinEditControl;
  static const auto table = TSkinFieldTable<C>()
                                .Field("activeskinrect", &C::ActiveSkinRect, kNoRect, 1)
                                .Field("fontname", &C::FontName, kArial, 2)
                                .Field("fontheight", &C::FontHeight, 14, 3)
                                .Constructed(&C::FontHeight, 12)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 4)
                                .Field("fontcolor", &C::FontColor, 0, 5)
                                .Field("disabledfontcolor", &C::DisabledFontColor, 0, 7)
                                .Field("activefontcolor", &C::ActiveFontColor, 0, 6)
                                .Field("buttonrect", &C::ButtonRect, kNoRect, 8)
                                .Field("activebuttonrect", &C::ActiveButtonRect, kNoRect, 9)
                                .Field("downbuttonrect", &C::DownButtonRect, kNoRect, 10)
                                .Field("unenabledbuttonrect", &C::UnEnabledButtonRect, kNoRect, 11);
  return table;
}

TskDataSkinEditControl::TskDataSkinEditControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinMemoControl>& TskDataSkinMemoControl::Fields() {
  using C = TskDataSkinMemoControl;
  static const auto table =
      TSkinFieldTable<C>().Field("bgcolor", &C::BGColor, 0, 1).Field("activebgcolor", &C::ActiveBGColor, 0, 2);
  return table;
}

const TSkinFieldTable<TskDataSkinSpinEditControl>& TskDataSkinSpinEditControl::Fields() {
  using C = TskDataSkinSpinEditControl;
  static const auto table = TSkinFieldTable<C>()
                                .Field("activeskinrect", &C::ActiveSkinRect, kNoRect, 1)
                                .Field("fontname", &C::FontName, kArial, 2)
                                .Field("fontheight", &C::FontHeight, 14, 3)
                                .Constructed(&C::FontHeight, 12)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 4)
                                .Field("fontcolor", &C::FontColor, 0, 5)
                                .Field("activefontcolor", &C::ActiveFontColor, 0, 6)
                                .Field("disabledfontcolor", &C::DisabledFontColor, 0, 7)
                                .Field("upbuttonrect", &C::UpButtonRect, kNoRect, 8)
                                .Field("activeupbuttonrect", &C::ActiveUpButtonRect, kNoRect, 9)
                                .Field("downupbuttonrect", &C::DownUpButtonRect, kNoRect, 10)
                                .Field("downbuttonrect", &C::DownButtonRect, kNoRect, 11)
                                .Field("activedownbuttonrect", &C::ActiveDownButtonRect, kNoRect, 12)
                                .Field("downdownbuttonrect", &C::DownDownButtonRect, kNoRect, 13);
  return table;
}

TskDataSkinSpinEditControl::TskDataSkinSpinEditControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinListBox>& TskDataSkinListBox::Fields() {
  using C = TskDataSkinListBox;
  static const auto table = TSkinFieldTable<C>()
                                .Field("itemrect", &C::ItemRect, kNoRect, 1)
                                .Field("activeitemrect", &C::ActiveItemRect, kNoRect, 2)
                                .Field("focusitemrect", &C::FocusItemRect, kNoRect, 3)
                                .Field("itemleftoffset", &C::ItemLeftOffset, 0, 4)
                                .Field("itemrightoffset", &C::ItemRightOffset, 0, 5)
                                .Field("itemtextrect", &C::ItemTextRect, kNoRect, 6)
                                .Field("fontname", &C::FontName, kArial, 7)
                                .Field("fontheight", &C::FontHeight, 14, 8)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 9)
                                .Field("fontcolor", &C::FontColor, 0, 10)
                                .Field("activefontcolor", &C::ActiveFontColor, 0, 11)
                                .Field("focusfontcolor", &C::FocusFontColor, 0, 12)
                                .Field("captionrect", &C::CaptionRect, kNoRect, 13)
                                .Field("captionfontname", &C::CaptionFontName, kArial, 14)
                                .Field("captionfontheight", &C::CaptionFontHeight, 14, 15)
                                .Field("captionfontstyle", &C::CaptionFontStyle, TFontStyles(), 16)
                                .Field("captionfontcolor", &C::CaptionFontColor, 0, 17)
                                .Field("upbuttonrect", &C::UpButtonRect, kNoRect, 18)
                                .Field("activeupbuttonrect", &C::ActiveUpButtonRect, kNoRect, 19)
                                .Field("downupbuttonrect", &C::DownUpButtonRect, kNoRect, 20)
                                .Field("downbuttonrect", &C::DownButtonRect, kNoRect, 21)
                                .Field("activedownbuttonrect", &C::ActiveDownButtonRect, kNoRect, 22)
                                .Field("downdownbuttonrect", &C::DownDownButtonRect, kNoRect, 23)
                                .Field("checkbuttonrect", &C::CheckButtonRect, kNoRect, 24)
                                .Field("activecheckbuttonrect", &C::ActiveCheckButtonRect, kNoRect, 25)
                                .Field("downcheckbuttonrect", &C::DownCheckButtonRect, kNoRect, 26)
                                .Field("vscrollbarname", &C::VScrollBarName, String("vscrollbar"), 27)
                                .Constructed(&C::VScrollBarName, String())
                                .Field("hscrollbarname", &C::HScrollBarName, String("hscrollbar"), 28)
                                .Constructed(&C::HScrollBarName, String())
                                .Field("bothhscrollbarname", &C::BothHScrollBarName, String("bothhscrollbar"), 29)
                                .Constructed(&C::BothHScrollBarName, String());
  return table;
}

TskDataSkinListBox::TskDataSkinListBox(const String& AIDName) : TskDescription(AIDName) { Fields().Construct(*this); }

const TSkinFieldTable<TskDataSkinCheckListBox>& TskDataSkinCheckListBox::Fields() {
  using C = TskDataSkinCheckListBox;
  static const auto table = TSkinFieldTable<C>()
                                .Field("checkimagerect", &C::CheckImageRect, kNoRect, 3)
                                .Field("itemcheckrect", &C::ItemCheckRect, kNoRect, 1)
                                .Field("uncheckimagerect", &C::UnCheckImageRect, kNoRect, 2);
  return table;
}

const TSkinFieldTable<TskDataSkinComboBox>& TskDataSkinComboBox::Fields() {
  using C = TskDataSkinComboBox;
  static const auto table = TSkinFieldTable<C>()
                                .Field("itemrect", &C::ItemRect, kNoRect, 1)
                                .Field("focusitemrect", &C::FocusItemRect, kNoRect, 2)
                                .Field("itemleftoffset", &C::ItemLeftOffset, 0, 3)
                                .Field("itemrightoffset", &C::ItemRightOffset, 0, 4)
                                .Field("itemtextrect", &C::ItemTextRect, kNoRect, 5)
                                .Field("fontname", &C::FontName, kArial, 6)
                                .Field("fontheight", &C::FontHeight, 14, 7)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 8)
                                .Field("fontcolor", &C::FontColor, 0, 9)
                                .Field("focusfontcolor", &C::FocusFontColor, 0, 10)
                                .Field("listboxname", &C::ListBoxName, String(), 15)
                                .Field("buttonrect", &C::ButtonRect, kNoRect, 11)
                                .Field("activebuttonrect", &C::ActiveButtonRect, kNoRect, 12)
                                .Field("downbuttonrect", &C::DownButtonRect, kNoRect, 13)
                                .Field("unenabledbuttonrect", &C::UnEnabledButtonRect, kNoRect, 14)
                                .Field("itemstretcheffect", &C::ItemStretchEffect, false, 16)
                                .Field("focusitemstretcheffect", &C::FocusItemStretchEffect, false, 17);
  return table;
}

TskDataSkinComboBox::TskDataSkinComboBox(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

const TSkinFieldTable<TskDataSkinViewControl>& TskDataSkinViewControl::Fields() {
  using C = TskDataSkinViewControl;
  // Constructed white, but a section without the key gives black.
  static const auto table = TSkinFieldTable<C>()
                                .Field("fontname", &C::FontName, kArial, 1)
                                .Field("fontheight", &C::FontHeight, 14, 2)
                                .Field("fontstyle", &C::FontStyle, TFontStyles(), 3)
                                .Field("fontcolor", &C::FontColor, 0, 4)
                                .Field("bgcolor", &C::BGColor, 0, 5)
                                .Constructed(&C::BGColor, 16777215);
  return table;
}

TskDataSkinViewControl::TskDataSkinViewControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

}  // namespace skin
