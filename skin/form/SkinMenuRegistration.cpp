#include "skin/form/SkinMenuRegistration.h"

#include "platform/classlib/ClassRegistry.h"
#include "skin/controls/SkinControlsRegistration.h"
#include "skin/form/SkinMainMenuBar.h"
#include "skin/form/SkinPopupMenu.h"

#include <mutex>

using namespace classlib;
using namespace skin;

namespace {

TFontStyles ReadFontStyles(const TFormValue& Value) {
  if (Value.kind != TFormValue::Kind::Set) throw EReadError("a set is expected");
  TFontStyles style;
  for (const String& name : Value.Names) {
    if (name == "fsBold") style.Include(TFontStyle::fsBold);
    else if (name == "fsItalic") style.Include(TFontStyle::fsItalic);
    else if (name == "fsUnderline") style.Include(TFontStyle::fsUnderline);
    else if (name == "fsStrikeOut") style.Include(TFontStyle::fsStrikeOut);
    else throw EReadError("invalid set member " + name);
  }
  return style;
}

void RegisterMainMenuBar(TClassRegistry& Registry) {
  Registry.Register<TskSkinMainMenu>("TskSkinMainMenu", "TMainMenu").Reference("SkinData", &TskSkinMainMenu::SetSkinData);

  using C = TskSkinMainMenuBar;
  Registry.Register<C>("TskSkinMainMenuBar", "TskSkinControl")
      .Boolean("UseSkinFont", &C::SetUseSkinFont)
      .Boolean("ScrollMenu", &C::SetScrollMenu)
      .Custom("DefItemFont.Name", [](C& c, const TFormValue& v, TReadContext&) { c.DefItemFont().SetName(formvalue::ToText(v)); })
      .Custom("DefItemFont.Height", [](C& c, const TFormValue& v, TReadContext&) { c.DefItemFont().SetHeight(formvalue::ToInteger(v)); })
      .Custom("DefItemFont.Color", [](C& c, const TFormValue& v, TReadContext&) { c.DefItemFont().SetColor(formvalue::ToColor(v)); })
      .Custom("DefItemFont.Style", [](C& c, const TFormValue& v, TReadContext&) { c.DefItemFont().SetStyle(ReadFontStyles(v)); })
      .Integer("DefaultWidth", &C::SetDefaultWidth)
      .Integer("DefaultHeight", &C::SetDefaultHeight)
      .Boolean("PopupToUp", &C::SetPopupToUp)
      .Reference("FormSkin", &C::SetFormSkin)
      .Reference("MainMenu", &C::SetMainMenu)
      .Event("OnMainMenuItemClick", &C::OnMainMenuItemClick)
      .Event("OnItemMouseEnter", &C::OnItemMouseEnter)
      .Event("OnItemMouseLeave", &C::OnItemMouseLeave);
}

}  // namespace

// The menu engine and its windows are made by the form frame and publish nothing; the popup menu,
// the main-menu bar and the skinned main menu are read from form descriptions.
void RegisterSkinMenuClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterSkinControlClasses();
    RegisterMainMenuBar(TClassRegistry::Instance());
    TClassRegistry::Instance()
        .Register<TskSkinPopupMenu>("TskSkinPopupMenu", "TPopupMenu")
        .Reference("SkinData", &TskSkinPopupMenu::SetSkinData)
        .Event("OnMenuClose", &TskSkinPopupMenu::OnMenuClose);
  });
}
