// The descriptions of the text and list controls: edits, memos, spin edits, list boxes, check list
// boxes, combo boxes, and the tree view, list view and rich edit. Every field starts as its class's
// field table says, except in a class constructed as its parent, whose added fields start at zero.
#pragma once

#include "skin/data/SkinDescriptions.h"

namespace skin {

// Edits and button edits: "edit".
class TskDataSkinEditControl : public TskDescription<TskDataSkinEditControl, TskDataSkinCustomControl> {
public:
  explicit TskDataSkinEditControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinEditControl>& Fields();

  classlib::TRect ActiveSkinRect{};
  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight{};
  classlib::TColor FontColor{};
  classlib::TColor DisabledFontColor{};
  classlib::TColor ActiveFontColor{};
  classlib::TRect ButtonRect{};
  classlib::TRect ActiveButtonRect{};
  classlib::TRect DownButtonRect{};
  classlib::TRect UnEnabledButtonRect{};
};

// "memo", constructed as an edit.
class TskDataSkinMemoControl : public TskDescription<TskDataSkinMemoControl, TskDataSkinEditControl> {
public:
  using TskDescription::TskDescription;

  static const TSkinFieldTable<TskDataSkinMemoControl>& Fields();

  classlib::TColor BGColor{};
  classlib::TColor ActiveBGColor{};
};

// "spinedit".
class TskDataSkinSpinEditControl : public TskDescription<TskDataSkinSpinEditControl, TskDataSkinCustomControl> {
public:
  explicit TskDataSkinSpinEditControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinSpinEditControl>& Fields();

  classlib::TRect ActiveSkinRect{};
  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight{};
  classlib::TColor FontColor{};
  classlib::TColor ActiveFontColor{};
  classlib::TColor DisabledFontColor{};
  classlib::TRect UpButtonRect{};
  classlib::TRect ActiveUpButtonRect{};
  classlib::TRect DownUpButtonRect{};
  classlib::TRect DownButtonRect{};
  classlib::TRect ActiveDownButtonRect{};
  classlib::TRect DownDownButtonRect{};
};

// A list box, optionally with a caption bar holding up, down and check buttons: "listbox". The
// scroll-bar names are descriptions placed beside the list.
class TskDataSkinListBox : public TskDescription<TskDataSkinListBox, TskDataSkinCustomControl> {
public:
  explicit TskDataSkinListBox(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinListBox>& Fields();

  classlib::TRect ItemRect{};
  classlib::TRect ActiveItemRect{};
  classlib::TRect FocusItemRect{};
  int ItemLeftOffset{};
  int ItemRightOffset{};
  classlib::TRect ItemTextRect{};
  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight{};
  classlib::TColor FontColor{};
  classlib::TColor ActiveFontColor{};
  classlib::TColor FocusFontColor{};
  classlib::TRect CaptionRect{};
  classlib::String CaptionFontName;
  classlib::TFontStyles CaptionFontStyle;
  int CaptionFontHeight{};
  classlib::TColor CaptionFontColor{};
  classlib::TRect UpButtonRect{};
  classlib::TRect ActiveUpButtonRect{};
  classlib::TRect DownUpButtonRect{};
  classlib::TRect DownButtonRect{};
  classlib::TRect ActiveDownButtonRect{};
  classlib::TRect DownDownButtonRect{};
  classlib::TRect CheckButtonRect{};
  classlib::TRect ActiveCheckButtonRect{};
  classlib::TRect DownCheckButtonRect{};
  classlib::String HScrollBarName;
  classlib::String VScrollBarName;
  classlib::String BothHScrollBarName;
};

// "checklistbox", constructed as a list box.
class TskDataSkinCheckListBox : public TskDescription<TskDataSkinCheckListBox, TskDataSkinListBox> {
public:
  using TskDescription::TskDescription;

  static const TSkinFieldTable<TskDataSkinCheckListBox>& Fields();

  classlib::TRect UnCheckImageRect{};
  classlib::TRect CheckImageRect{};
  classlib::TRect ItemCheckRect{};
};

// "combobox"; ListBoxName names the list-box description of the drop-down list.
class TskDataSkinComboBox : public TskDescription<TskDataSkinComboBox, TskDataSkinCustomControl> {
public:
  explicit TskDataSkinComboBox(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinComboBox>& Fields();

  classlib::TRect ItemRect{};
  classlib::TRect FocusItemRect{};
  int ItemLeftOffset{};
  int ItemRightOffset{};
  classlib::TRect ItemTextRect{};
  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight{};
  classlib::TColor FontColor{};
  classlib::TColor FocusFontColor{};
  classlib::TRect ButtonRect{};
  classlib::TRect ActiveButtonRect{};
  classlib::TRect DownButtonRect{};
  classlib::TRect UnEnabledButtonRect{};
  bool ItemStretchEffect{};
  bool FocusItemStretchEffect{};
  classlib::String ListBoxName;
};

// The font and background colour that the tree view, list view and rich edit take from the skin.
class TskDataSkinViewControl : public TskDescription<TskDataSkinViewControl, TskDataSkinControl> {
public:
  explicit TskDataSkinViewControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinViewControl>& Fields();

  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight{};
  classlib::TColor FontColor{};
  classlib::TColor BGColor{};
};

// "treeview", "listview" and "richedit".
class TskDataSkinTreeView : public TskDataSkinViewControl {
public:
  using TskDataSkinViewControl::TskDataSkinViewControl;
};

class TskDataSkinListView : public TskDataSkinViewControl {
public:
  using TskDataSkinViewControl::TskDataSkinViewControl;
};

class TskDataSkinRichEdit : public TskDataSkinViewControl {
public:
  using TskDataSkinViewControl::TskDataSkinViewControl;
};

}  // namespace skin
