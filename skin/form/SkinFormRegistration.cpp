#include "skin/form/SkinFormRegistration.h"

#include "platform/classlib/ClassRegistry.h"
#include "skin/controls/SkinControlsRegistration.h"
#include "skin/form/FormSkin.h"
#include "skin/form/FormSkinObjects.h"
#include "skin/form/SkinHint.h"
#include "skin/form/SkinMainMenuBar.h"
#include "skin/form/SkinMDITabsBar.h"
#include "skin/form/SkinMenuRegistration.h"
#include "skin/form/SkinTrayIcon.h"

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

std::uint8_t ReadByte(const TFormValue& Value, const char* Name) {
  const int value = formvalue::ToInteger(Value);
  if (value < 0 || value > 255) throw EReadError(String(Name) + " out of range");
  return static_cast<std::uint8_t>(value);
}

// The parts of a font property written as Prefix.Name, Prefix.Height, Prefix.Color, Prefix.Style.
void FontFields(TClassBuilder<TskFormSkin>& Builder, const String& Prefix, TFont& (TskFormSkin::*Font)()) {
  Builder
      .Custom(Prefix + ".Name", [Font](TskFormSkin& c, const TFormValue& v, TReadContext&) { (c.*Font)().SetName(formvalue::ToText(v)); })
      .Custom(Prefix + ".Height", [Font](TskFormSkin& c, const TFormValue& v, TReadContext&) { (c.*Font)().SetHeight(formvalue::ToInteger(v)); })
      .Custom(Prefix + ".Color", [Font](TskFormSkin& c, const TFormValue& v, TReadContext&) { (c.*Font)().SetColor(formvalue::ToColor(v)); })
      .Custom(Prefix + ".Style", [Font](TskFormSkin& c, const TFormValue& v, TReadContext&) { (c.*Font)().SetStyle(ReadFontStyles(v)); });
}

// The hint component and the notification-area icon.
void RegisterServices(TClassRegistry& Registry) {
  {
    using H = TskSkinHint;
    auto hint = Registry.Register<H>("TskSkinHint", "TComponent");
    hint.Boolean("UseSkinFont", &H::SetUseSkinFont)
        .Boolean("AlphaBlendSupport", &H::SetAlphaBlendSupport)
        .Boolean("AlphaBlend", &H::SetAlphaBlend)
        .Custom("AlphaBlendValue", [](H& h, const TFormValue& v, TReadContext&) { h.SetAlphaBlendValue(ReadByte(v, "AlphaBlendValue")); })
        .Reference("SkinData", &H::SetSkinData)
        .Boolean("Active", &H::SetActive)
        .Event("OnShowHint", &H::OnShowHint);
    hint.Custom("DefaultFont.Name", [](H& h, const TFormValue& v, TReadContext&) { h.DefaultFont().SetName(formvalue::ToText(v)); })
        .Custom("DefaultFont.Height", [](H& h, const TFormValue& v, TReadContext&) { h.DefaultFont().SetHeight(formvalue::ToInteger(v)); })
        .Custom("DefaultFont.Color", [](H& h, const TFormValue& v, TReadContext&) { h.DefaultFont().SetColor(formvalue::ToColor(v)); })
        .Custom("DefaultFont.Style", [](H& h, const TFormValue& v, TReadContext&) { h.DefaultFont().SetStyle(ReadFontStyles(v)); });
  }
  using I = TskTrayIcon;
  Registry.Register<I>("TskTrayIcon", "TComponent")
      .Boolean("DesignPreview", &I::SetDesignPreview)
      .Reference("IconList", &I::SetIconList)
      .Boolean("CycleIcons", &I::SetCycleIcons)
      .Custom("AnimateTimerInterval", [](I& i, const TFormValue& v, TReadContext&) {
        const int value = formvalue::ToInteger(v);
        if (value < 0) throw EReadError("AnimateTimerInterval out of range");
        i.SetAnimateTimerInterval(static_cast<unsigned>(value));
      })
      .Boolean("Enabled", &I::SetEnabled)
      .Text("Hint", &I::SetHint)
      .Boolean("ShowHint", &I::SetShowHint)
      .Boolean("IconVisible", &I::SetIconVisible)
      .Integer("IconIndex", &I::SetIconIndex)
      .Reference("PopupMenu", &I::SetPopupMenu)
      .Boolean("PopupByLeftButton", &I::SetPopupByLeftButton)
      .Boolean("MinimizedOnStart", &I::SetMinimizedOnStart)
      .Boolean("MinimizeToTray", &I::SetMinimizeToTray)
      .Event("OnClick", &I::OnClick)
      .Event("OnDblClick", &I::OnDblClick)
      .Event("OnMouseDown", &I::OnMouseDown)
      .Event("OnMouseUp", &I::OnMouseUp)
      .Event("OnMouseMove", &I::OnMouseMove)
      .Event("OnCycle", &I::OnCycle);
}

void RegisterMDITabsBar(TClassRegistry& Registry) {
  using B = TskSkinMDITabsBar;
  Registry.Register<B>("TskSkinMDITabsBar", "TskSkinControl")
      .Enum("TabKind", &B::SetTabKind, {{"sktkTab", TskSkinMDITabKind::sktkTab}, {"sktkButton", TskSkinMDITabKind::sktkButton}})
      .Reference("FormSkin", &B::SetFormSkin)
      .Boolean("SupportChildMenus", &B::SetSupportChildMenus)
      .Boolean("UseSkinSize", &B::SetUseSkinSize)
      .Boolean("UseSkinFont", &B::SetUseSkinFont)
      .Boolean("MoveTabs", &B::SetMoveTabs)
      .Integer("DefaultHeight", &B::SetDefaultHeight)
      .Integer("DefaultTabWidth", &B::SetDefaultTabWidth)
      .Custom("DefaultFont.Name", [](B& c, const TFormValue& v, TReadContext&) { c.DefaultFont().SetName(formvalue::ToText(v)); })
      .Custom("DefaultFont.Height", [](B& c, const TFormValue& v, TReadContext&) { c.DefaultFont().SetHeight(formvalue::ToInteger(v)); })
      .Custom("DefaultFont.Color", [](B& c, const TFormValue& v, TReadContext&) { c.DefaultFont().SetColor(formvalue::ToColor(v)); })
      .Custom("DefaultFont.Style", [](B& c, const TFormValue& v, TReadContext&) { c.DefaultFont().SetStyle(ReadFontStyles(v)); })
      .Event("OnTabMouseEnter", &B::OnTabMouseEnter)
      .Event("OnTabMouseLeave", &B::OnTabMouseLeave)
      .Event("OnTabMouseDown", &B::OnTabMouseDown)
      .Event("OnTabMouseUp", &B::OnTabMouseUp);
}

void RegisterAll(TClassRegistry& Registry) {
  Registry.Register<TskSkinComponent>("TskSkinComponent", "TComponent").Reference("SkinData", &TskSkinComponent::SetSkinData);

  using C = TskFormSkin;
  const std::vector<std::pair<String, TskBorderIcon>> icons{{"biSystemMenu", TskBorderIcon::biSystemMenu},
                                                            {"biMinimize", TskBorderIcon::biMinimize},
                                                            {"biMaximize", TskBorderIcon::biMaximize},
                                                            {"biRollUp", TskBorderIcon::biRollUp},
                                                            {"biMinimizeToTray", TskBorderIcon::biMinimizeToTray}};
  auto builder = Registry.Register<C>("TskFormSkin", "TComponent");
  builder.Boolean("UseFormCursorInNCArea", &C::SetUseFormCursorInNCArea)
      .Integer("MaxMenuItemsInWindow", &C::SetMaxMenuItemsInWindow)
      .Integer("ClientWidth", &C::SetClientWidth)
      .Integer("ClientHeight", &C::SetClientHeight)
      .Boolean("HideCaptionButtons", &C::SetHideCaptionButtons)
      .Boolean("AlwaysShowInTray", &C::SetAlwaysShowInTray)
      .Boolean("LogoBitMapTransparent", &C::SetLogoBitMapTransparent)
      .Custom("LogoBitMap.Data",
              [](C& c, const TFormValue& v, TReadContext&) {
                TBitmap logo;
                ReadBitmapData(logo, v);
                c.SetLogoBitMap(logo);
              })
      .Boolean("AlwaysMinimizeToTray", &C::SetAlwaysMinimizeToTray)
      .Boolean("ShowIcon", &C::SetShowIcon)
      .Boolean("MaximizeOnFullScreen", &C::SetMaximizeOnFullScreen)
      .Boolean("ShowObjectHint", &C::SetShowObjectHint)
      .Boolean("UseDefaultObjectHint", &C::SetUseDefaultObjectHint)
      .Boolean("UseSkinCursors", &C::SetUseSkinCursors)
      .Boolean("UseDefaultSysMenu", &C::SetUseDefaultSysMenu)
      .Boolean("SupportNCArea", &C::SetSupportNCArea)
      .SetOf("BorderIcons", &C::SetBorderIcons, icons)
      .Boolean("Sizeable", &C::SetSizeable)
      .Integer("MinHeight", &C::SetMinHeight)
      .Integer("MinWidth", &C::SetMinWidth)
      .Integer("MaxHeight", &C::SetMaxHeight)
      .Integer("MaxWidth", &C::SetMaxWidth)
      .Reference("SkinData", &C::SetSkinData)
      .Reference("MenusSkinData", &C::SetMenusSkinData)
      .Reference("MainMenu", &C::SetMainMenu)
      .Reference("MainMenuBar", &C::SetMainMenuBar)
      .Reference("SystemMenu", &C::SetSystemMenu)
      .Boolean("DraggAble", &C::SetDraggAble)
      .Custom("MagneticSize", [](C& c, const TFormValue& v, TReadContext&) { c.SetMagneticSize(ReadByte(v, "MagneticSize")); })
      .Boolean("Magnetic", &C::SetMagnetic)
      .Boolean("MenusAlphaBlend", &C::SetMenusAlphaBlend)
      .Custom("MenusAlphaBlendValue",
              [](C& c, const TFormValue& v, TReadContext&) { c.SetMenusAlphaBlendValue(ReadByte(v, "MenusAlphaBlendValue")); })
      .Boolean("MenusAlphaBlendAnimation", &C::SetMenusAlphaBlendAnimation)
      .Boolean("AlphaBlend", &C::SetAlphaBlend)
      .Boolean("AlphaBlendAnimation", &C::SetAlphaBlendAnimation)
      .Custom("AlphaBlendValue", [](C& c, const TFormValue& v, TReadContext&) { c.SetAlphaBlendValue(ReadByte(v, "AlphaBlendValue")); })
      .Boolean("UseSkinFontInMenu", &C::SetUseSkinFontInMenu)
      .Integer("DefMenuItemHeight", &C::SetDefMenuItemHeight)
      .Event("OnChangeClientRect", &C::OnChangeClientRect)
      .Event("OnChangeSkinData", &C::OnChangeSkinData)
      .Event("OnMouseUpEvent", &C::OnMouseUpEvent)
      .Event("OnMouseDownEvent", &C::OnMouseDownEvent)
      .Event("OnMouseMoveEvent", &C::OnMouseMoveEvent)
      .Event("OnMouseEnterEvent", &C::OnMouseEnterEvent)
      .Event("OnMouseLeaveEvent", &C::OnMouseLeaveEvent)
      .Event("OnPaintEvent", &C::OnPaintEvent)
      .Event("OnSwitchChangeStateEvent", &C::OnSwitchChangeStateEvent)
      .Event("OnTrackBarChangeValueEvent", &C::OnTrackBarChangeValueEvent)
      .Event("OnFrameRegulatorChangeValueEvent", &C::OnFrameRegulatorChangeValueEvent)
      .Event("OnActivate", &C::OnActivate)
      .Event("OnDeActivate", &C::OnDeActivate)
      .Event("OnSkinMenuOpen", &C::OnSkinMenuOpen)
      .Event("OnSkinMenuClose", &C::OnSkinMenuClose)
      .Event("OnChangeRollUpState", &C::OnChangeRollUpState)
      .Event("OnMainMenuEnter", &C::OnMainMenuEnter)
      .Event("OnMainMenuExit", &C::OnMainMenuExit)
      .Event("OnMinimizeToTray", &C::OnMinimizeToTray)
      .Event("OnRestoreFromTray", &C::OnRestoreFromTray)
      .Event("OnActivateCustomObject", &C::OnActivateCustomObject);
  FontFields(builder, "DefCaptionFont", &C::DefCaptionFont);
  FontFields(builder, "DefInActiveCaptionFont", &C::DefInActiveCaptionFont);
  FontFields(builder, "DefMenuItemFont", &C::DefMenuItemFont);
  builder.Reference("SkinHint", &C::SetSkinHint).Reference("TrayIcon", &C::SetTrayIcon);
  RegisterServices(Registry);
  builder.Reference("MDITabsBar", &C::SetMDITabsBar);
  RegisterMDITabsBar(Registry);
}

}  // namespace

void RegisterSkinFormClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterSkinControlClasses();
    RegisterSkinMenuClasses();
    RegisterAll(TClassRegistry::Instance());
  });
}
