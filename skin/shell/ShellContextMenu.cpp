#include "skin/shell/ShellContextMenu.h"

#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"

#include <cstring>

namespace skin {

using namespace classlib;

namespace {

// The context menu being tracked; none at all other times.
IContextMenu2* gActiveContextMenu2 = nullptr;

// Holds the tracked menu's second interface for the menu loop and lets it go afterwards, also
// when an exception passes.
class TActiveMenu {
public:
  explicit TActiveMenu(IContextMenu* Menu) {
    Menu->QueryInterface(IID_IContextMenu2, FMenu2.PutVoid());
    gActiveContextMenu2 = FMenu2.Get();
  }
  ~TActiveMenu() { gActiveContextMenu2 = nullptr; }
  TActiveMenu(const TActiveMenu&) = delete;
  TActiveMenu& operator=(const TActiveMenu&) = delete;

private:
  TComRef<IContextMenu2> FMenu2;
};

class TPopupMenuHandle {
public:
  TPopupMenuHandle() : FMenu(CreatePopupMenu()) {}
  ~TPopupMenuHandle() {
    if (FMenu) DestroyMenu(FMenu);
  }
  TPopupMenuHandle(const TPopupMenuHandle&) = delete;
  TPopupMenuHandle& operator=(const TPopupMenuHandle&) = delete;
  HMENU Get() const { return FMenu; }

private:
  HMENU FMenu;
};

// The command's language-independent verb; empty when the handler names none.
String CommandVerb(IContextMenu& Menu, UINT Offset) {
  char verb[256] = {};
  if (FAILED(Menu.GetCommandString(Offset, GCS_VERBA, nullptr, verb, sizeof verb))) return "";
  return String(verb, strnlen(verb, sizeof verb));
}

constexpr UINT kFirstCommand = 1, kLastCommand = 0x7FFF;

}  // namespace

void InvokeContextMenu(TWinControl& Owner, TskShellFolder* Item, int X, int Y) {
  if (!Item) return;
  const TComRef<IShellFolder> parent = Item->ParentShellFolder();
  if (!parent) return;
  TComRef<IContextMenu> menu;
  LPCITEMIDLIST item = Item->RelativeID();
  parent->GetUIObjectOf(Owner.Handle(), 1, &item, IID_IContextMenu, nullptr, menu.PutVoid());
  if (!menu) return;

  POINT at{X, Y};
  ClientToScreen(Owner.Handle(), &at);
  const TPopupMenuHandle popup;
  menu->QueryContextMenu(popup.Get(), 0, kFirstCommand, kLastCommand, CMF_EXPLORE | CMF_CANRENAME);
  UINT chosen;
  {
    const TActiveMenu active(menu.Get());
    chosen = TrackPopupMenu(popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, Owner.Handle(), nullptr);
  }
  if (chosen == 0) return;

  const UINT offset = chosen - kFirstCommand;
  const String verb = CommandVerb(*menu.Get(), offset);
  auto* const doer = dynamic_cast<IShellCommandVerb*>(&Owner);
  bool handled = false;
  bool succeeded = true;
  if (doer) doer->ExecuteCommand(verb, handled);
  if (!handled) {
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.hwnd = Owner.Handle();
    info.lpVerb = MAKEINTRESOURCEA(offset);
    info.nShow = SW_SHOWNORMAL;
    succeeded = menu->InvokeCommand(&info) == S_OK;
  }
  if (doer) doer->CommandCompleted(verb, succeeded);
}

bool ForwardContextMenuMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_INITMENUPOPUP:
    case WM_MENUCHAR:
      break;
    default:
      return false;
  }
  if (!gActiveContextMenu2) return false;
  gActiveContextMenu2->HandleMenuMsg(Message.Msg, Message.WParam, Message.LParam);
  Message.Result = 0;
  return true;
}

void EnterOpenedItemFolder(const TskShellFolder* Item, classlib::String& Saved) {
  WCHAR directory[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, directory);
  Saved = classlib::FromWide(directory);
  if (Item) SetCurrentDirectoryW(classlib::ToWide(classlib::ExtractFilePath(Item->PathName())).c_str());
}

void RestoreOpenedItemFolder(classlib::String& Saved) {
  if (Saved.empty()) return;
  SetCurrentDirectoryW(classlib::ToWide(Saved).c_str());
  Saved.clear();
}

}  // namespace skin
