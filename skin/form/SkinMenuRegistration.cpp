#include "skin/form/SkinMenuRegistration.h"

#include "platform/classlib/ClassRegistry.h"
#include "skin/controls/SkinControlsRegistration.h"
#include "skin/form/SkinPopupMenu.h"

#include <mutex>

using namespace classlib;
using namespace skin;

// The menu engine and its windows are made by the form frame and publish nothing; a form that
// holds menus reads its skins and the class library's menus through the skinned controls' set.
void RegisterSkinMenuClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterSkinControlClasses();
    TClassRegistry::Instance()
        .Register<TskSkinPopupMenu>("TskSkinPopupMenu", "TPopupMenu")
        .Reference("SkinData", &TskSkinPopupMenu::SetSkinData)
        .Event("OnMenuClose", &TskSkinPopupMenu::OnMenuClose);
  });
}
