#include "skin/plain/SkinPlainMenus.h"

namespace skin {

TskSkinPopupMenu::TskSkinPopupMenu(classlib::TComponent* AOwner) : TPopupMenu(AOwner) {}

}  // namespace skin
