// Buttons that drop a skinned popup menu below themselves, a windowed one and a windowless one for
// tool bars: a drop-down arrow in a 15-pixel part at the right edge; in track-button mode only that
// part opens the menu and the rest is an ordinary button. They live beside the menus rather than
// with the other buttons because they open a skinned popup menu, which the frame's library holds.
//
// Classes in this file: TskMenuTrack, TskSkinMenuButton, TskSkinMenuSpeedButton.
#pragma once

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinToolBar.h"

namespace skin {

class TskSkinPopupMenu;

// The drop-down menu link both buttons hold, so that the windowed and the windowless one keep one
// copy of it: the popup menu, track-button mode, whether the menu the button dropped is open, and
// the track part and own pressed look read from the button's description.
class TskMenuTrack {
public:
  // The width of the part with the drop-down arrow.
  static constexpr int TrackPartWidth = 15;

  TskMenuTrack(classlib::TControl& AButton, const TskSkinGeometry& AGeometry)
      : FButton(AButton), FGeometry(AGeometry) {}
  TskMenuTrack(const TskMenuTrack&) = delete;
  TskMenuTrack& operator=(const TskMenuTrack&) = delete;

  // Attributes
  TskSkinPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TskSkinPopupMenu* Value);
  bool TrackButtonMode() const { return FTrackButtonMode; }
  void SetTrackButtonMode(bool Value) { FTrackButtonMode = Value; }
  bool MenuOpen() const { return FMenuOpen; }
  void SetMenuOpen(bool Value) { FMenuOpen = Value; }

  // Operations
  // Forgets a popup menu being freed.
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation);
  // Reads the track part and the own pressed look of the description at Index, -1 for none.
  void ReadDescription(const TskSkinData* Skin, int Index);
  // The description's track part, moved as the button's size stretches the skin.
  classlib::TRect NewTrackButtonRect() const;
  // Whether a press at (X, Y) opens the menu; Skinned and Name tell the button's description.
  bool CanTrack(bool Skinned, const classlib::String& Name, int X, int Y) const;
  // Drops the menu below the button and tells OnShow; nothing without a menu.
  void Popup(const classlib::TNotifyEvent& OnShow) const;
  // Whether an open menu's track part is copied from the description's own pressed look.
  bool HasPressedTrackPart() const;
  // Copies that pressed track part from Picture over the hot image B.
  void CopyPressedTrackPart(classlib::TBitmap& B, classlib::TBitmap* Picture) const;

private:
  classlib::TControl& FButton;
  const TskSkinGeometry& FGeometry;
  bool FTrackButtonMode = false;
  bool FMenuOpen = false;
  TskSkinPopupMenu* FPopupMenu = nullptr;
  classlib::TRect FTrackPartRect{};
  // The description's own pressed look, empty when it has none.
  classlib::TRect FOwnDownSkinRect{};
};

class TskSkinMenuButton : public TskSkinButton {
public:
  static constexpr int TrackPartWidth = TskMenuTrack::TrackPartWidth;

  explicit TskSkinMenuButton(classlib::TComponent* AOwner);

  classlib::TNotifyEvent OnShowTrackMenu;
  classlib::TNotifyEvent OnHideTrackMenu;

  // Attributes
  TskSkinPopupMenu* SkinPopupMenu() const { return FMenuTrack.PopupMenu(); }
  void SetSkinPopupMenu(TskSkinPopupMenu* Value);
  bool TrackButtonMode() const { return FMenuTrack.TrackButtonMode(); }
  void SetTrackButtonMode(bool Value);
  bool TrackMenuOpen() const { return FMenuTrack.MenuOpen(); }

  // Operations
  // Whether a press at (X, Y) opens the menu.
  bool CanMenuTrack(int X, int Y);
  classlib::TRect GetNewTrackButtonRect() const;
  // Opens the menu below the button.
  void TrackMenu();
  void GetSkinData() override;

  void WndProc(classlib::TMessage& Message) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateButtonImage(classlib::TBitmap& B, const classlib::TRect& R, bool ADown, bool AHot) override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;

private:
  void OpenMenu();
  void CreateResizeImage(classlib::TBitmap& B);

  TskMenuTrack FMenuTrack;
};

class TskSkinMenuSpeedButton : public TskSkinSpeedButton, public TskToolBarMenuButton {
public:
  static constexpr int TrackPartWidth = TskMenuTrack::TrackPartWidth;

  explicit TskSkinMenuSpeedButton(classlib::TComponent* AOwner);

  classlib::TNotifyEvent OnShowTrackMenu;
  classlib::TNotifyEvent OnHideTrackMenu;

  // Attributes
  TskSkinPopupMenu* SkinPopupMenu() const { return FMenuTrack.PopupMenu(); }
  void SetSkinPopupMenu(TskSkinPopupMenu* Value);
  bool TrackButtonMode() const override { return FMenuTrack.TrackButtonMode(); }
  void SetTrackButtonMode(bool Value);
  bool TrackMenuOpen() const { return FMenuTrack.MenuOpen(); }

  // Operations
  bool CanMenuTrack(int X, int Y);
  classlib::TRect GetNewTrackButtonRect() const;
  void TrackMenu();
  void GetSkinData() override;

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void Paint() override;
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateButtonImage(classlib::TBitmap& B, const classlib::TRect& R, bool ADown, bool AHot) override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;

private:
  void OpenMenu();
  void CreateResizeImage(classlib::TBitmap& B);

  TskMenuTrack FMenuTrack;
};

}  // namespace skin
