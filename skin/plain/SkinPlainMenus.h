// Plain stand-in for the skinned popup menu: the class library's popup menu opens on a right click
// on a control whose PopupMenu it is, and Popup(X, Y) opens it at a screen point.
//
// Classes in this file: TskSkinPopupMenu.
#pragma once

#include "platform/classlib/Menus.h"

namespace skin {

class TskSkinPopupMenu : public classlib::TPopupMenu {
public:
  explicit TskSkinPopupMenu(classlib::TComponent* AOwner);
};

}  // namespace skin
