#include "platform/classlib/Menus.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/WideText.h"

#include <algorithm>
#include <cctype>
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

// The names menus give keys that have no printable character of their own.
struct TKeyName {
  WORD Key;
  const char* Name;
};
constexpr TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"},     {VK_ESCAPE, "Esc"},  {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},  {VK_END, "End"},     {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},  {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

String KeyText(WORD Key) {
  if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) return String(1, static_cast<char>(Key));
  if (Key >= VK_F1 && Key <= VK_F24) return "F" + std::to_string(Key - VK_F1 + 1);
  for (const TKeyName& name : KeyNames)
    if (name.Key == Key) return name.Name;
  // Punctuation and the keypad: the keyboard layout's own name.
  const UINT scan = MapVirtualKeyW(Key, MAPVK_VK_TO_VSC);
  WCHAR buffer[64];
  if (scan && GetKeyNameTextW(static_cast<LONG>(scan << 16), buffer, 64) > 0) return FromWide(buffer);
  return String();
}

bool SameText(const String& A, const String& B) {
  return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Short cuts and accelerators

TShortCut ShortCut(WORD Key, TShiftState Shift) {
  if (Key & 0xFF00) return scNone;
  TShortCut result = Key;
  if (Shift.Contains(TShiftStateItem::ssShift)) result |= scShift;
  if (Shift.Contains(TShiftStateItem::ssCtrl)) result |= scCtrl;
  if (Shift.Contains(TShiftStateItem::ssAlt)) result |= scAlt;
  return result;
}

String ShortCutToText(TShortCut ShortCut) {
  const String key = KeyText(ShortCut & 0xFF);
  if (key.empty()) return String();
  String text;
  if (ShortCut & scShift) text += "Shift+";
  if (ShortCut & scCtrl) text += "Ctrl+";
  if (ShortCut & scAlt) text += "Alt+";
  return text + key;
}

TShortCut TextToShortCut(const String& Text) {
  TShortCut modifiers = 0;
  String rest = Text;
  for (bool found = true; found;) {
    found = false;
    for (const auto& [prefix, flag] : {std::pair<const char*, TShortCut>{"Shift+", scShift}, {"Ctrl+", scCtrl},
                                       {"Alt+", scAlt}}) {
      const size_t n = std::char_traits<char>::length(prefix);
      if (rest.size() > n && SameText(rest.substr(0, n), prefix)) {
        modifiers |= flag;
        rest = rest.substr(n);
        found = true;
      }
    }
  }
  for (WORD key = 0x08; key <= 0xFF; ++key)
    if (const String name = KeyText(key); !name.empty() && SameText(name, rest)) return modifiers | key;
  return scNone;
}

bool IsAccel(WORD VK, const String& Caption) {
  for (size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != '&') continue;
    if (Caption[i + 1] == '&') {  // "&&" shows an ampersand
      ++i;
      continue;
    }
    return std::toupper(static_cast<unsigned char>(Caption[i + 1])) == std::toupper(VK & 0xFF) && (VK & 0xFF00) == 0;
  }
  return false;
}

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

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->FParent) root = root->FParent;
  return root->FMenu;
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
    const UINT flags = MF_STRING | (item->FChecked ? MF_CHECKED : 0) | (item->FEnabled ? 0 : MF_GRAYED) |
                       (item->FRadioItem ? MFT_RADIOCHECK : 0);
    const String shortCut = ShortCutToText(item->FShortCut);
    const WideString text = ToWide(shortCut.empty() ? item->FCaption : item->FCaption + "\t" + shortCut);
    if (item->FItems.empty()) {
      AppendMenuW(menu.get(), flags, item->FCommand, text.c_str());
      if (item->FDefault) SetMenuDefaultItem(menu.get(), item->FCommand, FALSE);
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

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() = default;

void TMenu::SetImages(TImageList* Value) {
  if (Value == FImages) return;
  FImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FImages) FImages = nullptr;
}

bool TMenu::DispatchCommand(UINT Command) {
  if (Command == 0) return false;
  TMenuItem* item = FItems->Find(Command);
  if (!item || item == FItems.get()) return false;
  item->Click();
  return true;
}

namespace {

// The first item under Parent, depth first, that carries Key; a hidden or disabled item hides its
// sub-items.
TMenuItem* FindShortCut(const TMenuItem& Parent, TShortCut Key) {
  for (int i = 0; i < Parent.Count(); ++i) {
    TMenuItem* item = Parent.Items(i);
    if (!item->Visible() || !item->Enabled()) continue;
    if (item->ShortCut() == Key) return item;
    if (TMenuItem* found = FindShortCut(*item, Key)) return found;
  }
  return nullptr;
}

}  // namespace

bool TMenu::IsShortCut(const TMessage& Message) {
  TShortCut key = static_cast<TShortCut>(LOBYTE(Message.WParam));
  if (key == 0) return false;
  if (GetKeyState(VK_SHIFT) < 0) key |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) key |= scCtrl;
  // The Alt key is part of the key message itself (its context bit).
  if (Message.LParam & (KF_ALTDOWN << 16)) key |= scAlt;
  TMenuItem* item = FindShortCut(*FItems, key);
  if (!item) return false;
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
      .Custom("ShortCut",
              [](TMenuItem& item, const TFormValue& v, TReadContext&) {
                const int value = formvalue::ToInteger(v);
                if (value < 0 || value > 0xFFFF) throw EReadError("ShortCut out of range");
                item.SetShortCut(static_cast<TShortCut>(value));
              })
      .Integer("ImageIndex", &TMenuItem::SetImageIndex)
      .Boolean("RadioItem", &TMenuItem::SetRadioItem)
      .Boolean("Default", &TMenuItem::SetDefault)
      .Custom("GroupIndex",
              [](TMenuItem& item, const TFormValue& v, TReadContext&) {
                const int value = formvalue::ToInteger(v);
                if (value < 0 || value > 255) throw EReadError("GroupIndex out of range");
                item.SetGroupIndex(static_cast<BYTE>(value));
              })
      .Text("Hint", &TMenuItem::SetHint)
      .Event("OnClick", &TMenuItem::OnClick)
      .Event("OnDrawItem", &TMenuItem::OnDrawItem);
  Registry.Register<TMenu>("TMenu", "TComponent").Reference("Images", &TMenu::SetImages);
  Registry.Register<TPopupMenu>("TPopupMenu", "TMenu")
      .Boolean("AutoPopup", &TPopupMenu::SetAutoPopup)
      .Event("OnPopup", &TPopupMenu::OnPopup);
  Registry.Register<TMainMenu>("TMainMenu", "TMenu");
}

}  // namespace classlib
