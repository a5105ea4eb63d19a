#include "platform/classlib/Menus.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/WideText.h"

#include <algorithm>
#include <set>
#include <string>

namespace classlib {

namespace {

// Menu entries are told apart by a 16-bit identifier; 0 is what a menu closed without a choice returns.
class TCommandPool {
public:
  UINT Allocate() {
    if (FUsed.size() >= 0xFFFF) throw EComponentError("Too many menu items");
    do {
      FNext = FNext % 0xFFFF + 1;
    } while (!FUsed.insert(FNext).second);
    return FNext;
  }
  void Release(UINT Command) { FUsed.erase(Command); }

private:
  std::set<UINT> FUsed;
  UINT FNext = 0;
};

TCommandPool& Commands() {
  static TCommandPool pool;
  return pool;
}

// The owner of the popup menus' tracking: a window that is never shown.
HWND PopupWindow() {
  static HWND window = [] {
    const WCHAR className[] = L"TPopupList";
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
    return CreateWindowExW(WS_EX_TOOLWINDOW, className, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }();
  return window;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(Commands().Allocate()) {}

TMenuItem::~TMenuItem() {
  Clear();
  if (FParent) FParent->Remove(this);
  Commands().Release(FCommand);
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EComponentError("Menu index out of range (" + std::to_string(Index) + ")");
  return FItems[static_cast<size_t>(Index)];
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  const auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) throw EComponentError("Cannot insert a null menu item");
  if (Item->FParent) throw EComponentError("Menu inserted twice");
  if (Index < 0 || Index > Count()) throw EComponentError("Menu index out of range (" + std::to_string(Index) + ")");
  for (const TMenuItem* up = this; up; up = up->FParent)
    if (up == Item) throw EComponentError("a menu item cannot hold itself");
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
}

void TMenuItem::Delete(int Index) {
  TMenuItem* item = Items(Index);
  FItems.erase(FItems.begin() + Index);
  item->FParent = nullptr;
}

void TMenuItem::Remove(TMenuItem* Item) {
  const int index = IndexOf(Item);
  if (index >= 0) Delete(index);
}

void TMenuItem::Clear() {
  // Each sub-item leaves this list as it dies.
  while (!FItems.empty()) delete FItems.back();
}

TMenuItem* TMenuItem::Find(UINT Command) {
  if (Command == FCommand) return this;
  for (TMenuItem* item : FItems)
    if (TMenuItem* found = item->Find(Command)) return found;
  return nullptr;
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (auto* menu = dynamic_cast<TMenu*>(Value))
    menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(Value))
    item->Add(this);
}

TMenuHandle TMenuItem::CreatePopupHandle() const {
  TMenuHandle menu(CreatePopupMenu());
  if (!menu) throw EComponentError("Cannot create a menu");
  for (const TMenuItem* item : FItems) {
    if (!item->FVisible) continue;
    if (item->IsLine()) {
      AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT flags = MF_STRING | (item->FChecked ? MF_CHECKED : 0) | (item->FEnabled ? 0 : MF_GRAYED);
    const WideString text = ToWide(item->FCaption);
    if (item->FItems.empty()) {
      AppendMenuW(menu.get(), flags, item->FCommand, text.c_str());
      continue;
    }
    TMenuHandle submenu = item->CreatePopupHandle();
    // From here the submenu goes with its parent menu.
    if (AppendMenuW(menu.get(), flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.get()), text.c_str()))
      submenu.release();
  }
  return menu;
}

// ---------------------------------------------------------------------------------------------
// TMenu, TPopupMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)) {}

TMenu::~TMenu() = default;

bool TMenu::DispatchCommand(UINT Command) {
  if (Command == 0) return false;
  TMenuItem* item = FItems->Find(Command);
  if (!item || item == FItems.get()) return false;
  item->Click();
  return true;
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {
  // Controls know menus only as components; the first popup menu teaches them to open one.
  if (!TControl::PopupMenuHook)
    TControl::PopupMenuHook = [](TControl* Control, TComponent* Menu, TPoint ScreenPoint) {
      auto* popup = dynamic_cast<TPopupMenu*>(Menu);
      if (!popup || !popup->AutoPopup()) return false;
      popup->SetPopupComponent(Control);
      popup->Popup(ScreenPoint.x, ScreenPoint.y);
      return true;
    };
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (Value == FPopupComponent) return;
  FPopupComponent = Value;
  if (Value) Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int X, int Y) {
  if (OnPopup) OnPopup(this);
  UINT command = 0;
  {
    const TMenuHandle menu = Items()->CreatePopupHandle();
    command = static_cast<UINT>(TrackPopupMenu(menu.get(),
                                               TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                               X, Y, 0, PopupWindow(), nullptr));
  }
  DispatchCommand(command);
}

// ---------------------------------------------------------------------------------------------
// Registration

void RegisterMenus(TClassRegistry& Registry) {
  Registry.Register<TMenuItem>("TMenuItem", "TComponent")
      .Text("Caption", &TMenuItem::SetCaption)
      .Boolean("Checked", &TMenuItem::SetChecked)
      .Boolean("Enabled", &TMenuItem::SetEnabled)
      .Boolean("Visible", &TMenuItem::SetVisible)
      .Integer("Tag", &TMenuItem::SetTag)
      .Event("OnClick", &TMenuItem::OnClick);
  Registry.Register<TMenu>("TMenu", "TComponent");
  Registry.Register<TPopupMenu>("TPopupMenu", "TMenu")
      .Boolean("AutoPopup", &TPopupMenu::SetAutoPopup)
      .Event("OnPopup", &TPopupMenu::OnPopup);
  Registry.Register<TMainMenu>("TMainMenu", "TMenu");
}

}  // namespace classlib
