// The main menu shown in the frame (or handed to the form's main-menu bar), the bookkeeping of the
// skinned menus the form opens, and the keyboard while a menu or the main menu has it: Alt and F10,
// accelerators, arrows across the main menu, Return and Escape.
#include "skin/form/FormSkin.h"

#include "skin/data/Skutils.h"
#include "skin/form/FormSkinObjects.h"
#include "skin/form/SkinMainMenuBar.h"
#include "skin/form/SkinMenu.h"

using namespace classlib;

namespace skin {

namespace {

// Whether the form's menu engine shows a window.
bool EngineVisible(const TskFormSkin& F) { return F.SkinMenu->IsOpen || !F.SkinMenu->PopupWindows.empty(); }

std::vector<TskSkinMainMenuItem*> MainMenuItems(const TskFormSkin& F) {
  std::vector<TskSkinMainMenuItem*> items;
  for (const auto& object : F.FrameObjects)
    if (auto* item = dynamic_cast<TskSkinMainMenuItem*>(object.get())) items.push_back(item);
  return items;
}

bool Selectable(const TskSkinMainMenuItem& Item) { return Item.Enabled && Item.Fits; }

bool HasSubItems(const TskSkinMainMenuItem& Item) { return Item.MenuItem && Item.MenuItem->Count() > 0; }

}  // namespace

void TskFormSkin::SetMainMenuBar(TskSkinMainMenuBar* Value) {
  if (FMainMenuBar) FMainMenuBar->RemoveFreeNotification(this);
  FMainMenuBar = Value;
  if (Value) Value->FreeNotification(this);
}

// ---------------------------------------------------------------------------------------------
// The items in the frame

void TskFormSkin::UpdateMainMenu(bool Repaint) {
  for (size_t i = FrameObjects.size(); i-- > 0;)
    if (dynamic_cast<TskSkinMainMenuItem*>(FrameObjects[i].get())) FrameObjects.erase(FrameObjects.begin() + static_cast<std::ptrdiff_t>(i));
  ActiveObject = OldActiveObject = CaptureObject = -1;
  CreateMainMenu();
  if (!Repaint || !Form->HandleAllocated()) return;
  if (FSupportNCArea) {
    SendMessageW(Form->Handle(), WM_NCPAINT, 0, 0);
  } else {
    const RECT r = RealMainMenuRect;
    InvalidateRect(Form->Handle(), &r, TRUE);
  }
}

void TskFormSkin::CreateMainMenu() {
  if (!FMainMenu || !FSkinData) return;
  const int index = FSkinData->GetIndex("MAINMENUITEM");
  if (index < 0) return;
  const auto* description =
      dynamic_cast<const TskDataSkinMainMenuItem*>(FSkinData->ObjectList[static_cast<size_t>(index)].get());
  if (!description) return;
  TMenuItem* items = FMainMenu->Items();
  for (int i = 0; i < items->Count(); ++i) {
    TMenuItem* menuItem = items->Items(i);
    if (!menuItem->Visible()) continue;
    auto object = std::make_unique<TskSkinMainMenuItem>(this, description);
    object->IDName = menuItem->Name();
    object->Enabled = object->PreviousEnabled = menuItem->Enabled();
    object->MenuItem = menuItem;
    FrameObjects.push_back(std::move(object));
  }
}

// ---------------------------------------------------------------------------------------------
// Opening and closing

void TskFormSkin::SkinMenuOpen() {
  if (!MainMenuActive) HookApp();
  if (MenuLoop) return;
  MenuLoop = true;
  if (OnSkinMenuOpen) OnSkinMenuOpen(this);
}

void TskFormSkin::SkinMenuClose() {
  MenuLoop = false;
  for (const auto& object : FrameObjects) {
    if (auto* item = dynamic_cast<TskSkinMainMenuItem*>(object.get())) {
      if (!item->Down) continue;
      item->Active = false;
      item->SetDown(false);
      break;
    }
    if (auto* button = dynamic_cast<TskSkinButtonObject*>(object.get()); button && button->MenuItem && button->Down) {
      button->SetDown(false);
      break;
    }
  }
  PlayBackMenuAnimation();
  UnHookApp();
  if (OnSkinMenuClose) OnSkinMenuClose(this);
  if (!MainMenuActive) return;
  MainMenuActive = false;
  if (FMainMenuBar) FMainMenuBar->MenuExit();
  if (OnMainMenuExit) OnMainMenuExit(this);
}

void TskFormSkin::SkinMenuClose2() {
  MenuLoop = false;
  if (FMainMenuBar) {
    FMainMenuBar->MenuClose();
  } else {
    for (TskSkinMainMenuItem* item : MainMenuItems(*this)) {
      if (!item->Down) continue;
      item->SetDown(false);
      item->MouseEnter();
      break;
    }
  }
  if (OnSkinMenuClose) OnSkinMenuClose(this);
}

void TskFormSkin::SkinMainMenuClose() {
  MainMenuActive = false;
  if (EngineVisible(*this)) SkinMenu->Hide();
  if (FMainMenuBar) {
    FMainMenuBar->MenuExit();
  } else {
    for (TskSkinMainMenuItem* item : MainMenuItems(*this)) {
      if (!item->Active) continue;
      item->MouseLeave();
      break;
    }
  }
  UnHookApp();
  if (OnMainMenuExit) OnMainMenuExit(this);
}

void TskFormSkin::KeyMenu() {
  if (MainMenuActive) {
    SkinMainMenuClose();
    return;
  }
  if (EngineVisible(*this))
    SkinMenu->Hide();  // its WM_CLOSESKINMENU runs SkinMenuClose
  else if (MenuLoop)
    SkinMenuClose();
  if (FMainMenuBar)
    FMainMenuBar->MenuEnter();
  else
    ActivateMenu();
}

void TskFormSkin::ActivateMenu() {
  const auto items = MainMenuItems(*this);
  TskSkinMainMenuItem* entered = nullptr;
  for (TskSkinMainMenuItem* item : items)
    if (item->Active) {
      entered = item;
      break;
    }
  if (!entered && !items.empty()) entered = items.front();
  if (entered) entered->MouseEnter();
  MainMenuActive = true;
  HookApp();
  if (OnMainMenuEnter) OnMainMenuEnter(this);
}

// ---------------------------------------------------------------------------------------------
// The keyboard

bool TskFormSkin::FindHotKeyItem(WORD Key) {
  if (FMainMenuBar) return FMainMenuBar->FindHotKeyItem(Key);
  for (TskSkinMainMenuItem* item : MainMenuItems(*this)) {
    if (!Selectable(*item) || !item->MenuItem || !IsAccel(Key, item->MenuItem->Caption())) continue;
    item->MouseEnter();
    if (!(MenuLoop && HasSubItems(*item))) item->MouseDown(0, 0, TMouseButton::mbLeft);
    return true;
  }
  return false;
}

bool TskFormSkin::CanPriorMainMenuItem() const {
  return SkinMenu->PopupWindows.size() <= 1;
}

bool TskFormSkin::CanNextMainMenuItem() const {
  if (SkinMenu->PopupWindows.empty()) return true;
  const TskSkinPopupWindow& deepest = *SkinMenu->PopupWindows.back();
  if (deepest.HotIndex < 0 || deepest.HotIndex >= static_cast<int>(deepest.MenuItems.size())) return true;
  return deepest.MenuItems[static_cast<size_t>(deepest.HotIndex)]->SourceItem->Count() == 0;
}

void TskFormSkin::NextMainMenuItem() { StepMainMenuItems(MainMenuItems(*this), true, Selectable); }

void TskFormSkin::PriorMainMenuItem() { StepMainMenuItems(MainMenuItems(*this), false, Selectable); }

bool TskFormSkin::CheckReturnKey() {
  if (FMainMenuBar) return FMainMenuBar->CheckReturnKey();
  for (TskSkinMainMenuItem* item : MainMenuItems(*this)) {
    if (!((item->Down && !HasSubItems(*item)) || (item->Active && !MenuLoop))) continue;
    item->Active = false;
    item->MouseDown(0, 0, TMouseButton::mbLeft);
    return true;
  }
  return false;
}

void TskFormSkin::FormKeyDown(TMessage& Message) {
  // Keys typed in an MDI child drive the main form's menu while that one is open.
  if (IsMDIChild()) {
    TForm* main = Application->MainForm();
    TskFormSkin* parent = GetFormSkinComponent(main);
    if (parent && parent != this && (parent->MenuLoop || parent->MainMenuActive || EngineVisible(*parent))) {
      parent->FormKeyDown(Message);
      return;
    }
  }
  const WORD key = LOWORD(Message.WParam);
  if (MainMenuActive && FindHotKeyItem(key)) return;
  const auto toDeepest = [this, key] {
    if (!SkinMenu->PopupWindows.empty()) {
      const TskSkinMenu::TBusy busy(*SkinMenu);
      SkinMenu->PopupWindows.back()->PopupKeyDown(key);
    }
  };
  if (key == VK_ESCAPE && MainMenuActive && !MenuLoop) {
    SkinMainMenuClose();
    return;
  }
  if (key == VK_LEFT && MainMenuActive && CanPriorMainMenuItem()) {
    if (FMainMenuBar)
      FMainMenuBar->PriorMainMenuItem();
    else
      PriorMainMenuItem();
    return;
  }
  if (key == VK_RIGHT && MainMenuActive && CanNextMainMenuItem()) {
    if (FMainMenuBar)
      FMainMenuBar->NextMainMenuItem();
    else
      NextMainMenuItem();
    return;
  }
  if (key == VK_RETURN) {
    if (!CheckReturnKey()) toDeepest();
    return;
  }
  toDeepest();
  if (key != VK_ESCAPE || EngineVisible(*this)) return;
  if (MainMenuActive)
    SkinMenuClose2();
  else
    SkinMenuClose();
}

void TskFormSkin::NewAppMessage(MSG& Msg, bool& Handled) {
  if (Msg.message == WM_KEYDOWN) {
    TMessage message{WM_KEYDOWN, Msg.wParam, Msg.lParam, 0};
    Msg.message = WM_NULL;
    Handled = true;
    FormKeyDown(message);
  } else if (Msg.message == WM_MOUSEWHEEL) {
    Msg.message = WM_NULL;
    Handled = true;
  }
}

void TskFormSkin::CheckMenuVisible(TMessage& Message) {
  if (!CanMenuClose(Message.Msg)) return;
  if (FShowObjectHint) HideObjectHint();
  if (MainMenuActive && !MenuLoop) {
    SkinMainMenuClose();
    return;
  }
  if (EngineVisible(*this)) {
    SkinMenu->Hide();
    return;
  }
  if (MenuLoop) {
    SkinMenuClose();
    return;
  }
  // On an MDI parent the active child's menus close with it.
  if (IsMDIForm() && Form->Visible())
    if (TForm* child = Form->ActiveMDIChild())
      if (TskFormSkin* childSkin = GetFormSkinComponent(child); childSkin && childSkin != this)
        childSkin->CheckMenuVisible(Message);
}

}  // namespace skin
