// The descriptions a skin gives of its controls and of the elements of its form frame, each read
// from the skin INI section named after it. The kinds of description derive from the bases here;
// every class keeps its fields in one field table that its reader, writer and constructor share.
#pragma once

#include "skin/data/SkinFieldTable.h"

#include <functional>
#include <memory>
#include <vector>

namespace skin {

// Base of every control description (the SKINCONTROLS list).
class TskDataSkinControl {
public:
  explicit TskDataSkinControl(const classlib::String& AIDName);
  virtual ~TskDataSkinControl() = default;
  TskDataSkinControl(const TskDataSkinControl&) = delete;
  TskDataSkinControl& operator=(const TskDataSkinControl&) = delete;

  // Every field from the section IDName; a missing key gives the field's missing value.
  virtual void LoadFromFile(classlib::TCustomIniFile& IniFile);
  // Erases the section IDName, then writes every field.
  virtual void SaveToFile(classlib::TCustomIniFile& IniFile) const;

  static const TSkinFieldTable<TskDataSkinControl>& Fields();

  classlib::String IDName;
  int PictureIndex = -1;
  int MaskPictureIndex = -1;
  classlib::TRect SkinRect{};
  int CursorIndex = -1;
};

// The reader and writer of a description class that adds the rows of its own field table,
// Self::Fields(), to its parent's: the parent's keys first, then its own. Self's constructor runs
// Fields().Construct(*this) for its constructed values.
template <class Self, class Parent>
class TskDescription : public Parent {
public:
  using Parent::Parent;

  void LoadFromFile(classlib::TCustomIniFile& IniFile) override {
    Parent::LoadFromFile(IniFile);
    Self::Fields().Read(static_cast<Self&>(*this), IniFile, this->IDName);
  }
  void SaveToFile(classlib::TCustomIniFile& IniFile) const override {
    Parent::SaveToFile(IniFile);
    Self::Fields().Write(static_cast<const Self&>(*this), IniFile, this->IDName);
  }
};

// Base of the descriptions of resizable controls: four anchors cut SkinRect into corners, edges and
// centre, and SkinClientRect places the client area (both relative to SkinRect's top-left corner).
class TskDataSkinCustomControl : public TskDescription<TskDataSkinCustomControl, TskDataSkinControl> {
public:
  explicit TskDataSkinCustomControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinCustomControl>& Fields();

  classlib::TPoint SkinLeftTopPoint{};
  classlib::TPoint SkinRightTopPoint{};
  classlib::TPoint SkinLeftBottomPoint{};
  classlib::TPoint SkinRightBottomPoint{};
  classlib::TRect SkinClientRect{};
  bool StretchEffect = false;
};

class TskDataSkinSplitterControl : public TskDataSkinCustomControl {
public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
};

// Base of every form-frame object description (the SKINOBJECTS list).
class TskDataSkinObject {
public:
  explicit TskDataSkinObject(const classlib::String& AIDName);
  virtual ~TskDataSkinObject() = default;
  TskDataSkinObject(const TskDataSkinObject&) = delete;
  TskDataSkinObject& operator=(const TskDataSkinObject&) = delete;

  virtual void LoadFromFile(classlib::TCustomIniFile& IniFile);
  virtual void SaveToFile(classlib::TCustomIniFile& IniFile) const;

  static const TSkinFieldTable<TskDataSkinObject>& Fields();

  classlib::String IDName;
  classlib::String Hint;
  bool SkinRectInAPicture = false;
  classlib::TRect SkinRect{};
  classlib::TRect ActiveSkinRect{};
  classlib::TRect InActiveSkinRect{};
  bool Morphing = false;
  TMorphKind MorphKind = TMorphKind::mkDefault;
  int ActivePictureIndex = -1;
  int CursorIndex = -1;
  bool RollUp = false;
};

// A named rectangle of the form picture (the SKINAREAS list); read and written by the skin itself.
class TskDataSkinArea {
public:
  TskDataSkinArea(const classlib::String& AIDName, const classlib::TRect& AAreaRect)
      : IDName(AIDName), AreaRect(AAreaRect) {}

  classlib::String IDName;
  classlib::TRect AreaRect;
};

// The window of the skinned popup menus: the section POPUPWINDOW.
class TskDataSkinPopupWindow {
public:
  TskDataSkinPopupWindow();

  void LoadFromFile(classlib::TCustomIniFile& IniFile);
  void SaveToFile(classlib::TCustomIniFile& IniFile) const;

  static const TSkinFieldTable<TskDataSkinPopupWindow>& Fields();

  int WindowPictureIndex = -1;
  int MaskPictureIndex = -1;
  classlib::TPoint SkinLeftTopPoint{};
  classlib::TPoint SkinRightTopPoint{};
  classlib::TPoint SkinLeftBottomPoint{};
  classlib::TPoint SkinRightBottomPoint{};
  classlib::TRect ItemsRect{};
  classlib::TColor ScrollMarkerColor = 0;
  classlib::TColor ScrollMarkerActiveColor = 0;
  int CursorIndex = -1;
  bool TopStretch = false;
  bool LeftStretch = false;
  bool RightStretch = false;
  bool BottomStretch = false;
};

// The skinned hint window: the section HINTWINDOW.
class TskDataSkinHintWindow {
public:
  TskDataSkinHintWindow();

  void LoadFromFile(classlib::TCustomIniFile& IniFile);
  void SaveToFile(classlib::TCustomIniFile& IniFile) const;

  static const TSkinFieldTable<TskDataSkinHintWindow>& Fields();

  int WindowPictureIndex = -1;
  int MaskPictureIndex = -1;
  classlib::TPoint SkinLeftTopPoint{};
  classlib::TPoint SkinRightTopPoint{};
  classlib::TPoint SkinLeftBottomPoint{};
  classlib::TPoint SkinRightBottomPoint{};
  classlib::TRect SkinClientRect{};
  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight = 12;
  classlib::TColor FontColor = 0;
  bool TopStretch = false;
  bool LeftStretch = false;
  bool RightStretch = false;
  bool BottomStretch = false;
};

// The type names of the SKINCONTROLS and SKINOBJECTS lists. Create makes the class a name stands
// for; IsA tells whether a description belongs to it. The tables are in the order in which names
// are matched; the type name a description is written with is that of the first class it belongs
// to in the writing order, where a subclass comes before its parent.
template <class Base>
struct TskDescriptionType {
  const char* Name;
  std::function<std::unique_ptr<Base>(const classlib::String& IDName)> Create;
  std::function<bool(const Base&)> IsA;
};

const std::vector<TskDescriptionType<TskDataSkinControl>>& SkinControlTypes();
const std::vector<TskDescriptionType<TskDataSkinObject>>& SkinObjectTypes();

// The description of the type TypeName (compared exactly), or null for a name in no table.
std::unique_ptr<TskDataSkinControl> CreateSkinControl(const classlib::String& TypeName, const classlib::String& IDName);
std::unique_ptr<TskDataSkinObject> CreateSkinObject(const classlib::String& TypeName, const classlib::String& IDName);
// The type name a description is written with; "" for a class in no table.
classlib::String SkinControlTypeName(const TskDataSkinControl& Control);
classlib::String SkinObjectTypeName(const TskDataSkinObject& Object);

}  // namespace skin
