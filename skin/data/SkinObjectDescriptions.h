// The form-frame object descriptions of menu items, main-menu items, frame buttons and the caption.
// A class constructed as its parent starts the fields it adds at zero (the first value of an
// enumeration); the others start as their field tables say.
#pragma once

#include "skin/data/SkinDescriptions.h"

#include <cstdint>

namespace skin {

// What a standard caption button does.
enum class TStdCommand : std::uint8_t {
  cmClose, cmMaximize, cmMinimize, cmSysMenu, cmDefault, cmRollUp, cmMinimizeToTray
};

// The words skin files give the commands, in the order of the values. A word not among them means
// cmMinimizeToTray.
std::vector<const char*> StdCommandWords();

// An item of a skinned popup menu: "menuitem". SkinRect is the normal item image, ActiveSkinRect
// the highlighted one.
class TskDataSkinMenuItem : public TskDescription<TskDataSkinMenuItem, TskDataSkinObject> {
public:
  using TskDescription::TskDescription;

  static const TSkinFieldTable<TskDataSkinMenuItem>& Fields();

  classlib::TRect DividerRect{};
  int DividerLeftOffset{};
  int DividerRightOffset{};
  int ItemLeftOffset{};
  int ItemRightOffset{};
  classlib::String FontName;
  int FontHeight{};
  classlib::TFontStyles FontStyle;
  classlib::TColor UnEnabledFontColor{};
  classlib::TColor FontColor{};
  classlib::TColor ActiveFontColor{};
  classlib::TRect TextRect{};
  bool StretchEffect{};
  bool DividerStretchEffect{};
};

// An item of the main menu drawn on the form frame: "mainmenuitem".
class TskDataSkinMainMenuItem : public TskDescription<TskDataSkinMainMenuItem, TskDataSkinObject> {
public:
  using TskDescription::TskDescription;

  static const TSkinFieldTable<TskDataSkinMainMenuItem>& Fields();

  classlib::TRect DownRect{};
  classlib::String FontName;
  int FontHeight{};
  classlib::TFontStyles FontStyle;
  classlib::TColor FontColor{};
  classlib::TColor ActiveFontColor{};
  classlib::TColor DownFontColor{};
  classlib::TColor UnEnabledFontColor{};
  classlib::TRect TextRect{};
  int ItemLeftOffset{};
  int ItemRightOffset{};
  bool StretchEffect{};
};

// The item of a main-menu bar control: "mainmenubaritem".
class TskDataSkinMainMenuBarItem : public TskDataSkinMainMenuItem {
public:
  using TskDataSkinMainMenuItem::TskDataSkinMainMenuItem;
};

// A button on the form frame: "button". Buttons of one group (GroupIndex other than -1) are down
// one at a time.
class TskDataSkinButton : public TskDescription<TskDataSkinButton, TskDataSkinObject> {
public:
  explicit TskDataSkinButton(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinButton>& Fields();

  int GroupIndex{};
  classlib::TRect DownRect{};
  classlib::TRect DisableSkinRect{};
};

// A standard caption button with a command: "stdbutton", constructed as a frame button. The
// restore images replace the normal ones while the form is in the state the button undoes.
class TskDataSkinStdButton : public TskDescription<TskDataSkinStdButton, TskDataSkinButton> {
public:
  using TskDescription::TskDescription;

  static const TSkinFieldTable<TskDataSkinStdButton>& Fields();

  TStdCommand Command{};
  classlib::TRect RestoreRect{};
  classlib::TRect RestoreActiveRect{};
  classlib::TRect RestoreDownRect{};
  classlib::TRect RestoreInActiveRect{};
};

// A button of a main-menu bar control: "mainmenubarbutton".
class TskDataSkinMainMenuBarButton : public TskDataSkinStdButton {
public:
  using TskDataSkinStdButton::TskDataSkinStdButton;
};

// The form's caption text: "caption". The plain colours are those of the inactive form.
class TskDataSkinCaption : public TskDescription<TskDataSkinCaption, TskDataSkinObject> {
public:
  using TskDescription::TskDescription;

  static const TSkinFieldTable<TskDataSkinCaption>& Fields();

  classlib::String FontName;
  int FontHeight{};
  classlib::TFontStyles FontStyle;
  classlib::TColor FontColor{};
  classlib::TColor ActiveFontColor{};
  classlib::TColor ShadowColor{};
  classlib::TColor ActiveShadowColor{};
  bool Shadow{};
  classlib::TAlignment Alignment{};
  classlib::TRect TextRect{};
  bool DefaultCaption{};
  classlib::TRect FrameRect{};
  classlib::TRect ActiveFrameRect{};
  int FrameLeftOffset{};
  int FrameRightOffset{};
  classlib::TRect FrameTextRect{};
  bool Light{};
  classlib::TColor LightColor{};
  classlib::TColor ActiveLightColor{};
};

}  // namespace skin
