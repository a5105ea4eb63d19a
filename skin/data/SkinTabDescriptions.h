// The descriptions of the skinned page and tab controls, the grid and the main-menu bar. Every
// field starts as its class's field table says.
#pragma once

#include "skin/data/SkinDescriptions.h"

namespace skin {

// Page and tab controls, also the tab bar of MDI children: "tab". SkinRect is the page frame; the
// class carries anchors and a client area of its own, with the keys of the resizable controls.
class TskDataSkinTabControl : public TskDescription<TskDataSkinTabControl, TskDataSkinControl> {
public:
  explicit TskDataSkinTabControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinTabControl>& Fields();

  classlib::TRect TabRect{};
  classlib::TRect ActiveTabRect{};
  classlib::TRect FocusTabRect{};
  classlib::TRect MouseInTabRect{};
  classlib::TRect SkinClientRect{};
  classlib::TRect TabsBGRect{};
  classlib::TPoint SkinLeftTopPoint{};
  classlib::TPoint SkinRightTopPoint{};
  classlib::TPoint SkinLeftBottomPoint{};
  classlib::TPoint SkinRightBottomPoint{};
  int TabLeftOffset{};
  int TabRightOffset{};
  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight{};
  classlib::TColor FontColor{};
  classlib::TColor ActiveFontColor{};
  classlib::TColor FocusFontColor{};
  classlib::TColor MouseInFontColor{};
  // The up-down description that scrolls tabs that do not fit.
  classlib::String UpDown;
  int BGPictureIndex{};
  bool TabStretchEffect{};
};

// "grid".
class TskDataSkinGridControl : public TskDescription<TskDataSkinGridControl, TskDataSkinControl> {
public:
  explicit TskDataSkinGridControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinGridControl>& Fields();

  classlib::TRect FixedCellRect{};
  classlib::TRect SelectCellRect{};
  classlib::TRect FocusCellRect{};
  int FixedCellLeftOffset{};
  int FixedCellRightOffset{};
  classlib::TRect FixedCellTextRect{};
  int CellLeftOffset{};
  int CellRightOffset{};
  classlib::TRect CellTextRect{};
  classlib::TColor LinesColor{};
  classlib::TColor BGColor{};
  int BGPictureIndex{};
  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight{};
  classlib::TColor FontColor{};
  classlib::TColor SelectFontColor{};
  classlib::TColor FocusFontColor{};
  classlib::String FixedFontName;
  classlib::TFontStyles FixedFontStyle;
  int FixedFontHeight{};
  classlib::TColor FixedFontColor{};
  bool FixedCellStretchEffect{};
  bool CellStretchEffect{};
};

// "mainmenubar": its items and buttons are drawn from the object descriptions it names.
class TskDataSkinMainMenuBar : public TskDescription<TskDataSkinMainMenuBar, TskDataSkinControl> {
public:
  explicit TskDataSkinMainMenuBar(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinMainMenuBar>& Fields();

  classlib::TRect ItemsRect{};
  classlib::String MenuBarItem;
  classlib::String CloseButton;
  classlib::String MaxButton;
  classlib::String MinButton;
  classlib::String SysMenuButton;
  classlib::TColor TrackMarkColor{};
  classlib::TColor TrackMarkActiveColor{};
};

}  // namespace skin
