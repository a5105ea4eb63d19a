// A popup menu that always opens through the skinned menu engine of its form's skinning component,
// never as the system's menu.
//
// Classes in this file: TskSkinPopupMenu.
#pragma once

#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "skin/data/SkinData.h"

namespace skin {

class TskFormSkin;

class TskSkinPopupMenu : public classlib::TPopupMenu {
public:
  explicit TskSkinPopupMenu(classlib::TComponent* AOwner);

  // Published properties
  // Filled in from the form's component at the first popup when empty, and kept.
  TskSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TskSkinData* Value);

  // Published events
  // Runs once when the menu opened by this component has closed.
  classlib::TNotifyEvent OnMenuClose;

  // The form whose skinning component shows the menu; set by whoever makes a menu that its owner
  // alone would not lead to a form (a control's run-time context menu).
  classlib::TForm* PopupForm() const { return FPopupForm; }
  void SetPopupForm(classlib::TForm* Value);

  // Operations (screen coordinates)
  void Popup(int X, int Y) override;
  void PopupFromRect(const classlib::TRect& R, bool OpenUpward);
  // Control is told when the menu closes (WM_CLOSESKINMENU) and after a chosen item has run
  // (WM_AFTERDISPATCH).
  void PopupFromRect2(classlib::TControl* Control, const classlib::TRect& R, bool OpenUpward);
  // As Popup with Control told as above; shows nothing when no skin is found.
  void Popup2(classlib::TControl* Control, int X, int Y);

  // The skinning component that shows this menu: PopupForm's, else the owner's when the owner is a
  // form, else the owner's owner's; null when there is none.
  TskFormSkin* FindFormSkin() const;

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  void Show(classlib::TControl* Control, const classlib::TRect& R, bool OpenUpward, bool NeedsSkin);

  TskSkinData* FSkinData = nullptr;
  classlib::TForm* FPopupForm = nullptr;
};

}  // namespace skin
