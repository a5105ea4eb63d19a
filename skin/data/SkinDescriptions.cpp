#include "skin/data/SkinDescriptions.h"

#include "skin/data/SkinBarDescriptions.h"
#include "skin/data/SkinButtonDescriptions.h"
#include "skin/data/SkinEditDescriptions.h"
#include "skin/data/SkinObjectDescriptions.h"
#include "skin/data/SkinPanelDescriptions.h"
#include "skin/data/SkinTabDescriptions.h"
#include "skin/data/SkinValueObjectDescriptions.h"

#include <algorithm>

namespace skin {

using classlib::String;
using classlib::TCustomIniFile;
using classlib::TPoint;
using classlib::TRect;

namespace {

constexpr TRect kNoRect{};
constexpr TPoint kNoPoint{};

template <class Base, class Class>
TskDescriptionType<Base> TypeEntry(const char* Name) {
  return TskDescriptionType<Base>{
      Name, [](const String& IDName) { return std::make_unique<Class>(IDName); },
      [](const Base& description) { return dynamic_cast<const Class*>(&description) != nullptr; }};
}

template <class Base>
std::unique_ptr<Base> CreateOfType(const std::vector<TskDescriptionType<Base>>& Types, const String& TypeName,
                                   const String& IDName) {
  for (const auto& type : Types)
    if (TypeName == type.Name) return type.Create(IDName);
  return nullptr;
}

template <class Base>
String TypeNameOf(const std::vector<TskDescriptionType<Base>>& Types, const Base& Description) {
  for (const auto& type : Types)
    if (type.IsA(Description)) return type.Name;
  return String();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Control descriptions

const TSkinFieldTable<TskDataSkinControl>& TskDataSkinControl::Fields() {
  using C = TskDataSkinControl;
  static const auto table = TSkinFieldTable<C>()
                                .Field("pictureindex", &C::PictureIndex, -1, 1)
                                .Field("maskpictureindex", &C::MaskPictureIndex, -1, 2)
                                .Field("cursorindex", &C::CursorIndex, -1, 3)
                                .Field("skinrect", &C::SkinRect, kNoRect, 4);
  return table;
}

TskDataSkinControl::TskDataSkinControl(const String& AIDName) : IDName(AIDName) { Fields().Construct(*this); }

void TskDataSkinControl::LoadFromFile(TCustomIniFile& IniFile) { Fields().Read(*this, IniFile, IDName); }

void TskDataSkinControl::SaveToFile(TCustomIniFile& IniFile) const {
  IniFile.EraseSection(IDName);
  Fields().Write(*this, IniFile, IDName);
}

const TSkinFieldTable<TskDataSkinCustomControl>& TskDataSkinCustomControl::Fields() {
  using C = TskDataSkinCustomControl;
  static const auto table = TSkinFieldTable<C>()
                                .Field("lefttoppoint", &C::SkinLeftTopPoint, kNoPoint, 1)
                                .Field("righttoppoint", &C::SkinRightTopPoint, kNoPoint, 2)
                                .Field("leftbottompoint", &C::SkinLeftBottomPoint, kNoPoint, 3)
                                .Field("rightbottompoint", &C::SkinRightBottomPoint, kNoPoint, 4)
                                .Field("clientrect", &C::SkinClientRect, kNoRect, 5)
                                .Field("stretcheffect", &C::StretchEffect, false, 6);
  return table;
}

TskDataSkinCustomControl::TskDataSkinCustomControl(const String& AIDName) : TskDescription(AIDName) {
  Fields().Construct(*this);
}

// ---------------------------------------------------------------------------------------------
// Object descriptions

const TSkinFieldTable<TskDataSkinObject>& TskDataSkinObject::Fields() {
  using C = TskDataSkinObject;
  static const auto table = TSkinFieldTable<C>()
                                .Field("hint", &C::Hint, String(), 1)
                                .Field("rollup", &C::RollUp, false, 2)
                                .Field("activepictureindex", &C::ActivePictureIndex, -1, 3)
                                .Field("skinrectinapicture", &C::SkinRectInAPicture, false, 4)
                                .Field("cursorindex", &C::CursorIndex, -1, 5)
                                .Field("skinrect", &C::SkinRect, kNoRect, 6)
                                .Field("activeskinrect", &C::ActiveSkinRect, kNoRect, 7)
                                .Field("inactiveskinrect", &C::InActiveSkinRect, kNoRect, 8)
                                .Field("morphing", &C::Morphing, false, 9)
                                .Field("morphkind", &C::MorphKind, TMorphKind::mkDefault, 10);
  return table;
}

TskDataSkinObject::TskDataSkinObject(const String& AIDName) : IDName(AIDName) { Fields().Construct(*this); }

void TskDataSkinObject::LoadFromFile(TCustomIniFile& IniFile) { Fields().Read(*this, IniFile, IDName); }

void TskDataSkinObject::SaveToFile(TCustomIniFile& IniFile) const {
  IniFile.EraseSection(IDName);
  Fields().Write(*this, IniFile, IDName);
}

// ---------------------------------------------------------------------------------------------
// Popup and hint windows

namespace {
constexpr const char* kPopupSection = "POPUPWINDOW";
constexpr const char* kHintSection = "HINTWINDOW";
}  // namespace

const TSkinFieldTable<TskDataSkinPopupWindow>& TskDataSkinPopupWindow::Fields() {
  using C = TskDataSkinPopupWindow;
  static const auto table = TSkinFieldTable<C>()
                                .Field("windowpictureindex", &C::WindowPictureIndex, -1, 1)
                                .Field("maskpictureindex", &C::MaskPictureIndex, -1, 2)
                                .Field("lefttoppoint", &C::SkinLeftTopPoint, kNoPoint, 3)
                                .Field("righttoppoint", &C::SkinRightTopPoint, kNoPoint, 4)
                                .Field("leftbottompoint", &C::SkinLeftBottomPoint, kNoPoint, 5)
                                .Field("rightbottompoint", &C::SkinRightBottomPoint, kNoPoint, 6)
                                .Field("cursorindex", &C::CursorIndex, -1, 8)
                                .Field("itemsrect", &C::ItemsRect, kNoRect, 7)
                                .Field("scrollmarkercolor", &C::ScrollMarkerColor, 0, 9)
                                .Field("scrollmarkeractivecolor", &C::ScrollMarkerActiveColor, 0, 10)
                                .Field("leftstretch", &C::LeftStretch, false, 11)
                                .Field("rightstretch", &C::RightStretch, false, 12)
                                .Field("topstretch", &C::TopStretch, false, 13)
                                .Field("bottomstretch", &C::BottomStretch, false, 14);
  return table;
}

TskDataSkinPopupWindow::TskDataSkinPopupWindow() { Fields().Construct(*this); }

void TskDataSkinPopupWindow::LoadFromFile(TCustomIniFile& IniFile) { Fields().Read(*this, IniFile, kPopupSection); }

void TskDataSkinPopupWindow::SaveToFile(TCustomIniFile& IniFile) const {
  IniFile.EraseSection(kPopupSection);
  Fields().Write(*this, IniFile, kPopupSection);
}

const TSkinFieldTable<TskDataSkinHintWindow>& TskDataSkinHintWindow::Fields() {
  using C = TskDataSkinHintWindow;
  static const auto table = TSkinFieldTable<C>()
                                .Field("windowpictureindex", &C::WindowPictureIndex, -1, 1)
                                .Field("maskpictureindex", &C::MaskPictureIndex, -1, 2)
                                .Field("lefttoppoint", &C::SkinLeftTopPoint, kNoPoint, 3)
                                .Field("righttoppoint", &C::SkinRightTopPoint, kNoPoint, 4)
                                .Field("leftbottompoint", &C::SkinLeftBottomPoint, kNoPoint, 5)
                                .Field("rightbottompoint", &C::SkinRightBottomPoint, kNoPoint, 6)
                                .Field("clientrect", &C::SkinClientRect, kNoRect, 7)
                                .Field("fontname", &C::FontName, String("Arial"), 8)
                                .Field("fontheight", &C::FontHeight, 14, 9)
                                .Constructed(&C::FontHeight, 12)
                                .Field("fontstyle", &C::FontStyle, classlib::TFontStyles(), 10)
                                .Field("fontcolor", &C::FontColor, 0, 11)
                                .Field("leftstretch", &C::LeftStretch, false, 12)
                                .Field("rightstretch", &C::RightStretch, false, 13)
                                .Field("topstretch", &C::TopStretch, false, 14)
                                .Field("bottomstretch", &C::BottomStretch, false, 15);
  return table;
}

TskDataSkinHintWindow::TskDataSkinHintWindow() { Fields().Construct(*this); }

void TskDataSkinHintWindow::LoadFromFile(TCustomIniFile& IniFile) { Fields().Read(*this, IniFile, kHintSection); }

void TskDataSkinHintWindow::SaveToFile(TCustomIniFile& IniFile) const {
  IniFile.EraseSection(kHintSection);
  Fields().Write(*this, IniFile, kHintSection);
}

// ---------------------------------------------------------------------------------------------
// Type names

const std::vector<TskDescriptionType<TskDataSkinControl>>& SkinControlTypes() {
  using Base = TskDataSkinControl;
  static const std::vector<TskDescriptionType<Base>> types = {
      TypeEntry<Base, TskDataSkinSlider>("slider"),
      TypeEntry<Base, TskDataSkinBevel>("bevel"),
      TypeEntry<Base, TskDataSkinPanelControl>("panel"),
      TypeEntry<Base, TskDataSkinExPanelControl>("expanel"),
      TypeEntry<Base, TskDataSkinMenuButtonControl>("menubutton"),
      TypeEntry<Base, TskDataSkinButtonControl>("button"),
      TypeEntry<Base, TskDataSkinCheckRadioControl>("checkradio"),
      TypeEntry<Base, TskDataSkinGaugeControl>("gauge"),
      TypeEntry<Base, TskDataSkinSplitterControl>("splitter"),
      TypeEntry<Base, TskDataSkinTrackBarControl>("trackbar"),
      TypeEntry<Base, TskDataSkinLabelControl>("label"),
      TypeEntry<Base, TskDataSkinStdLabelControl>("stdlabel"),
      TypeEntry<Base, TskDataSkinBitLabelControl>("bitlabel"),
      TypeEntry<Base, TskDataSkinFrameRegulator>("frameregulator"),
      TypeEntry<Base, TskDataSkinFrameGauge>("framegauge"),
      TypeEntry<Base, TskDataSkinAnimateControl>("animate"),
      TypeEntry<Base, TskDataSkinUpDownControl>("updown"),
      TypeEntry<Base, TskDataSkinSwitchControl>("switch"),
      TypeEntry<Base, TskDataSkinGridControl>("grid"),
      TypeEntry<Base, TskDataSkinTabControl>("tab"),
      TypeEntry<Base, TskDataSkinMainMenuBar>("mainmenubar"),
      TypeEntry<Base, TskDataSkinControlBar>("controlbar"),
      TypeEntry<Base, TskDataSkinMemoControl>("memo"),
      TypeEntry<Base, TskDataSkinEditControl>("edit"),
      TypeEntry<Base, TskDataSkinCheckListBox>("checklistbox"),
      TypeEntry<Base, TskDataSkinListBox>("listbox"),
      TypeEntry<Base, TskDataSkinComboBox>("combobox"),
      TypeEntry<Base, TskDataSkinScrollBarControl>("scrollbar"),
      TypeEntry<Base, TskDataSkinSpinEditControl>("spinedit"),
      TypeEntry<Base, TskDataSkinScrollBoxControl>("scrollbox"),
      TypeEntry<Base, TskDataSkinTreeView>("treeview"),
      TypeEntry<Base, TskDataSkinListView>("listview"),
      TypeEntry<Base, TskDataSkinRichEdit>("richedit"),
  };
  return types;
}

const std::vector<TskDescriptionType<TskDataSkinObject>>& SkinObjectTypes() {
  using Base = TskDataSkinObject;
  static const std::vector<TskDescriptionType<Base>> types = {
      TypeEntry<Base, TskDataSkinMenuItem>("menuitem"),
      TypeEntry<Base, TskDataSkinMainMenuBarItem>("mainmenubaritem"),
      TypeEntry<Base, TskDataSkinMainMenuItem>("mainmenuitem"),
      TypeEntry<Base, TskDataSkinStdButton>("stdbutton"),
      TypeEntry<Base, TskDataSkinMainMenuBarButton>("mainmenubarbutton"),
      TypeEntry<Base, TskDataSkinButton>("button"),
      TypeEntry<Base, TskDataSkinCaption>("caption"),
      TypeEntry<Base, TskDataSkinTrackBar>("trackbar"),
      TypeEntry<Base, TskDataSkinGauge>("gauge"),
      TypeEntry<Base, TskDataSkinFrameGaugeObject>("framegauge"),
      TypeEntry<Base, TskDataSkinFrameRegulatorObject>("frameregulator"),
      TypeEntry<Base, TskDataSkinLabel>("label"),
      TypeEntry<Base, TskDataSkinBitLabel>("bitlabel"),
      TypeEntry<Base, TskDataSkinSwitch>("switch"),
      TypeEntry<Base, TskDataSkinAnimate>("animate"),
      TypeEntry<Base, TskDataUserObject>("userobject"),
  };
  return types;
}

namespace {

// The writer tests each class before its parent; the reader matches "stdbutton" before the name of
// its subclass, so the objects are written in an order of their own.
const std::vector<TskDescriptionType<TskDataSkinObject>>& SkinObjectWriteTypes() {
  static const auto types = [] {
    auto ordered = SkinObjectTypes();
    const auto named = [&](const char* Name) {
      return std::find_if(ordered.begin(), ordered.end(), [&](const auto& type) { return String(type.Name) == Name; });
    };
    const auto subclass = named("mainmenubarbutton");
    std::rotate(named("stdbutton"), subclass, subclass + 1);
    return ordered;
  }();
  return types;
}

}  // namespace

std::unique_ptr<TskDataSkinControl> CreateSkinControl(const String& TypeName, const String& IDName) {
  return CreateOfType(SkinControlTypes(), TypeName, IDName);
}

std::unique_ptr<TskDataSkinObject> CreateSkinObject(const String& TypeName, const String& IDName) {
  return CreateOfType(SkinObjectTypes(), TypeName, IDName);
}

String SkinControlTypeName(const TskDataSkinControl& Control) { return TypeNameOf(SkinControlTypes(), Control); }

String SkinObjectTypeName(const TskDataSkinObject& Object) { return TypeNameOf(SkinObjectWriteTypes(), Object); }

}  // namespace skin
