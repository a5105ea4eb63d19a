// Buttons that drop a skinned popup menu below themselves, a windowed one and a windowless one for
// tool bars: a drop-down arrow in a 15-pixel part at the right edge; in track-button mode only that
// part opens the menu and the rest is an ordinary button. They live beside the menus rather than
// with the other buttons because they open a skinned popup menu, which the frame's library holds.
//
// Classes in this file: TskSkinMenuButton, TskSkinMenuSpeedButton.
#pragma once

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinToolBar.h"

namespace skin {

class TskSkinPopupMenu;

class TskSkinMenuButton : public TskSkinButton {
public:
  // The width of the part with the drop-down arrow.
  static constexpr int TrackPartWidth = 15;

  explicit TskSkinMenuButton(classlib::TComponent* AOwner);

  classlib::TNotifyEvent OnShowTrackMenu;
  classlib::TNotifyEvent OnHideTrackMenu;

  // Attributes
  TskSkinPopupMenu* SkinPopupMenu() const { return FSkinPopupMenu; }
  void SetSkinPopupMenu(TskSkinPopupMenu* Value);
  bool TrackButtonMode() const { return FTrackButtonMode; }
  void SetTrackButtonMode(bool Value);
  bool TrackMenuOpen() const { return FTrackMenuOpen; }

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

  bool FTrackButtonMode = false;
  bool FTrackMenuOpen = false;
  TskSkinPopupMenu* FSkinPopupMenu = nullptr;
  classlib::TRect FTrackPartRect{};
  // The description's own pressed look, empty when it has none.
  classlib::TRect FOwnDownSkinRect{};
};

class TskSkinMenuSpeedButton : public TskSkinSpeedButton, public TskToolBarMenuButton {
public:
  static constexpr int TrackPartWidth = 15;

  explicit TskSkinMenuSpeedButton(classlib::TComponent* AOwner);

  classlib::TNotifyEvent OnShowTrackMenu;
  classlib::TNotifyEvent OnHideTrackMenu;

  // Attributes
  TskSkinPopupMenu* SkinPopupMenu() const { return FSkinPopupMenu; }
  void SetSkinPopupMenu(TskSkinPopupMenu* Value);
  bool TrackButtonMode() const override { return FTrackButtonMode; }
  void SetTrackButtonMode(bool Value);
  bool TrackMenuOpen() const { return FTrackMenuOpen; }

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

  bool FTrackButtonMode = false;
  bool FTrackMenuOpen = false;
  TskSkinPopupMenu* FSkinPopupMenu = nullptr;
  classlib::TRect FTrackPartRect{};
  classlib::TRect FOwnDownSkinRect{};
};

}  // namespace skin
