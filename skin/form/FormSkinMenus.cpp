// The form component's skinned menus: the bookkeeping of an open menu and its keyboard hook, the
// system menu built on demand, the tray menu and popping any menu up through the form's engine.
#include "skin/form/FormSkin.h"

#include "skin/data/ResourceStrData.h"
#include "skin/form/FormSkinObjects.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinPopupMenu.h"

#include <algorithm>
#include <functional>

using namespace classlib;

namespace skin {

namespace {

// The standard items: name, string-table key and built-in caption.
struct TStdItem {
  const char* Name;
  const char* ResName;
  const char* Caption;
};

constexpr TStdItem MinItem{"FSK_MINITEM", "MI_MINCAPTION", "Mi&nimize"};
constexpr TStdItem MaxItem{"FSK_MAXITEM", "MI_MAXCAPTION", "Ma&ximize"};
constexpr TStdItem RestoreItem{"FSK_RESTORE", "MI_RESTORECAPTION", "&Restore"};
constexpr TStdItem RollUpItem{"FSK_ROLLUP", "MI_ROLLUPCAPTION", "Ro&llUp"};
constexpr TStdItem MinToTrayItem{"FSK_MINTOTRAY", "MI_MINTOTRAYCAPTION", "Minimize to &Tray"};
constexpr TStdItem CloseItem{"FSK_CLOSE", "MI_CLOSECAPTION", "&Close"};
constexpr TStdItem TrayRestoreItem{"TRAY_FSK_RESTORE", "MI_RESTORECAPTION", "&Restore"};
constexpr TStdItem TrayCloseItem{"TRAY_FSK_CLOSE", "MI_CLOSECAPTION", "&Close"};

// The engine shows nothing for a menu without visible items: the open state taken for it is given
// back at once, so no hook stays installed for a menu nobody can close.
void EndIfNothingShown(TskFormSkin& FormSkin) {
  if (!FormSkin.SkinMenu->IsOpen) FormSkin.SkinMenuClose();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Open and close

void TskFormSkin::SkinMenuOpen() {
  if (!MainMenuActive) HookApp();
  if (MenuLoop) return;
  MenuLoop = true;
  if (OnSkinMenuOpen) OnSkinMenuOpen(this);
}

void TskFormSkin::SkinMenuClose() {
  MenuLoop = false;
  // The frame object whose menu has closed comes back up.
  for (const auto& object : FrameObjects) {
    if (auto* item = dynamic_cast<TskSkinMainMenuItem*>(object.get()); item && item->Down) {
      item->SetDown(false);
      break;
    }
    if (auto* button = dynamic_cast<TskSkinButtonObject*>(object.get()); button && button->MenuItem && button->Down) {
      button->SetDown(false);
      break;
    }
  }
  UnHookApp();
  if (OnSkinMenuClose) OnSkinMenuClose(this);
  if (MainMenuActive) {
    MainMenuActive = false;
    if (OnMainMenuExit) OnMainMenuExit(this);
  }
}

void TskFormSkin::CheckMenuVisible(TMessage& Msg) {
  if (!CanMenuClose(Msg.Msg)) return;
  if (FShowObjectHint) HideObjectHint();
  if (MainMenuActive && !MenuLoop) {
    SkinMainMenuClose();
    return;
  }
  if (SkinMenu->IsOpen || !SkinMenu->PopupWindows.empty())
    SkinMenu->Hide();  // its WM_CLOSESKINMENU to the form runs SkinMenuClose
  else if (MenuLoop)
    SkinMenuClose();
}

void TskFormSkin::NewAppMessage(MSG& Msg, bool& Handled) {
  if (Msg.message == WM_KEYDOWN) {
    const WORD key = static_cast<WORD>(LOWORD(Msg.wParam));
    {
      TskSkinMenu::TBusy busy(*SkinMenu);
      if (TskSkinPopupWindow* deepest = SkinMenu->DeepestWindow()) deepest->PopupKeyDown(key);
    }
    // Escape on the last level closes the menu; the engine tells only the opening control.
    if (key == VK_ESCAPE && SkinMenu->PopupWindows.empty() && MenuLoop) SkinMenuClose();
    Msg.message = WM_NULL;
    Handled = true;
  } else if (Msg.message == WM_MOUSEWHEEL) {
    Msg.message = WM_NULL;
    Handled = true;
  }
}

void TskFormSkin::CopyMenuOptions() {
  if (!SkinMenu) return;
  SkinMenu->MaxMenuItemsInWindow = FMaxMenuItemsInWindow;
  SkinMenu->AlphaBlend = FMenusAlphaBlend;
  SkinMenu->AlphaBlendValue = FMenusAlphaBlendValue;
  SkinMenu->AlphaBlendAnimation = FMenusAlphaBlendAnimation;
}

// ---------------------------------------------------------------------------------------------
// Popping menus up

void TskFormSkin::PopupSkinMenu(TMenuItem* Item, const TRect& R, bool OpenUpward) {
  SkinMenu->Popup(nullptr, FMenusSkinData ? FMenusSkinData : FSkinData, 0, R, Item, OpenUpward);
  EndIfNothingShown(*this);
}

void TskFormSkin::PopupSkinMenu(TMenu* Menu, const TPoint& P) { PopupSkinMenu1(Menu, Rect(P.x, P.y, P.x, P.y), false); }

void TskFormSkin::PopupSkinMenu1(TMenu* Menu, const TRect& R, bool OpenUpward) {
  SkinMenuOpen();
  PopupSkinMenu(Menu->Items(), R, OpenUpward);
}

void TskFormSkin::TrackSystemMenu(int X, int Y) {
  TMenuItem* const items = GetSystemMenu();
  SkinMenuOpen();
  PopupSkinMenu(items, Rect(X, Y, X, Y), false);
}

// ---------------------------------------------------------------------------------------------
// System and tray menus

namespace {

// A standard item owned by FormSkin. A leftover of the same name (from the other system menu)
// goes first: names are unique among the component's items.
TMenuItem* NewStdItem(TskFormSkin& FormSkin, const TStdItem& Std, std::function<void(TObject*)> OnClick) {
  delete FormSkin.FindComponent(Std.Name);
  auto* item = new TMenuItem(&FormSkin);  // owned by the component
  item->SetName(Std.Name);
  const TskSkinData* skin = FormSkin.SkinData();
  const TskResourceStrData* strings = skin ? skin->ResourceStrData() : nullptr;
  item->SetCaption(strings ? strings->GetResStr(Std.ResName) : String(Std.Caption));
  item->OnClick = std::move(OnClick);
  return item;
}

TShortCut CloseShortCut(const TForm& Form) {
  return TextToShortCut(Form.FormStyle() == TFormStyle::fsMDIChild ? "Ctrl+F4" : "Alt+F4");
}

}  // namespace

void TskFormSkin::CreateSysMenu() {
  // The items about to be freed may be on the screen.
  if (SkinMenu->IsOpen) SkinMenu->CloseMenu(0);
  TMenuItem& items = *SysMenu->Items();
  while (items.Count() > 0) delete items.Items(items.Count() - 1);
  const auto add = [this, &items](const TStdItem& Std, void (TskFormSkin::*Click)(TObject*)) {
    items.Add(NewStdItem(*this, Std, [this, Click](TObject* Sender) { (this->*Click)(Sender); }));
  };
  if (WindowState != TWindowState::wsMinimized && FBorderIcons.Contains(TskBorderIcon::biMinimize))
    add(MinItem, &TskFormSkin::SM_Min);
  if (WindowState != TWindowState::wsMaximized && FBorderIcons.Contains(TskBorderIcon::biMaximize))
    add(MaxItem, &TskFormSkin::SM_Max);
  if (WindowState != TWindowState::wsNormal || RollUpState) add(RestoreItem, &TskFormSkin::SM_Restore);
  if (FBorderIcons.Contains(TskBorderIcon::biRollUp) && !IsMaximizedMDIChild() && !RollUpState &&
      WindowState != TWindowState::wsMinimized)
    add(RollUpItem, &TskFormSkin::SM_RollUp);
  if (FBorderIcons.Contains(TskBorderIcon::biMinimizeToTray)) add(MinToTrayItem, &TskFormSkin::SM_MinToTray);
  if (items.Count() > 0) {
    auto* line = new TMenuItem(this);  // owned by the component
    line->SetCaption("-");
    items.Add(line);
  }
  add(CloseItem, &TskFormSkin::SM_Close);
  items.Items(items.Count() - 1)->SetShortCut(CloseShortCut(*Form));
}

void TskFormSkin::CreateUserSysMenu() {
  if (!FUseDefaultSysMenu) return;
  if (SkinMenu->IsOpen) SkinMenu->CloseMenu(0);
  TMenuItem& items = *FSystemMenu->Items();
  static constexpr const char* Standard[] = {"FSK_MINITEM", "FSK_MAXITEM",  "FSK_CLOSE",
                                             "FSK_MINTOTRAY", "FSK_ROLLUP", "FSK_RESTORE"};
  for (int i = 0; i < items.Count();) {
    const String& name = items.Items(i)->Name();
    if (std::find(std::begin(Standard), std::end(Standard), name) != std::end(Standard)) {
      delete items.Items(i);
      i = 0;
    } else {
      ++i;
    }
  }
  const auto insert = [this, &items](const TStdItem& Std, void (TskFormSkin::*Click)(TObject*)) {
    items.Insert(0, NewStdItem(*this, Std, [this, Click](TObject* Sender) { (this->*Click)(Sender); }));
  };
  if (FBorderIcons.Contains(TskBorderIcon::biMinimizeToTray)) insert(MinToTrayItem, &TskFormSkin::SM_MinToTray);
  if (FBorderIcons.Contains(TskBorderIcon::biRollUp) && !IsMaximizedMDIChild() && !RollUpState &&
      WindowState != TWindowState::wsMinimized)
    insert(RollUpItem, &TskFormSkin::SM_RollUp);
  if (WindowState != TWindowState::wsMaximized && FBorderIcons.Contains(TskBorderIcon::biMaximize))
    insert(MaxItem, &TskFormSkin::SM_Max);
  if (WindowState != TWindowState::wsNormal || RollUpState) insert(RestoreItem, &TskFormSkin::SM_Restore);
  if (WindowState != TWindowState::wsMinimized && FBorderIcons.Contains(TskBorderIcon::biMinimize))
    insert(MinItem, &TskFormSkin::SM_Min);
  items.Add(NewStdItem(*this, CloseItem, [this](TObject* Sender) { SM_Close(Sender); }));
  items.Items(items.Count() - 1)->SetShortCut(CloseShortCut(*Form));
}

TMenuItem* TskFormSkin::GetSystemMenu() {
  if (FSystemMenu) {
    CreateUserSysMenu();
    return FSystemMenu->Items();
  }
  CreateSysMenu();
  return SysMenu->Items();
}

void TskFormSkin::CreateSysTrayMenu() {
  TMenuItem& items = *TrayMenu->Items();
  items.Add(NewStdItem(*this, TrayRestoreItem, [this](TObject* Sender) { TSM_Restore(Sender); }));
  auto* line = new TMenuItem(this);  // owned by the component
  line->SetCaption("-");
  items.Add(line);
  items.Add(NewStdItem(*this, TrayCloseItem, [this](TObject* Sender) { TSM_Close(Sender); }));
  items.Items(items.Count() - 1)->SetShortCut(CloseShortCut(*Form));
}

void TskFormSkin::SM_Min(TObject*) {
  if (FAlwaysMinimizeToTray)
    MinimizeToTray();
  else
    SetWindowState(TWindowState::wsMinimized);
}

void TskFormSkin::SM_Max(TObject*) { SetWindowState(TWindowState::wsMaximized); }

void TskFormSkin::SM_Restore(TObject*) {
  if (RollUpState && (RolledUpWhileMaximized || WindowState == TWindowState::wsNormal))
    SetRollUpState(false);
  else
    SetWindowState(TWindowState::wsNormal);
}

void TskFormSkin::SM_RollUp(TObject*) { SetRollUpState(true); }

void TskFormSkin::SM_MinToTray(TObject*) { MinimizeToTray(); }

void TskFormSkin::SM_Close(TObject*) { Form->Close(); }

void TskFormSkin::TSM_Restore(TObject*) { RestoreFromTray(); }

void TskFormSkin::TSM_Close(TObject*) { Form->Close(); }

}  // namespace skin
