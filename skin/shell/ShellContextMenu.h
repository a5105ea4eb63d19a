// The shell's own context menu of an item, shown for a control on a right click, with the chosen
// command carried out by the shell or by the control itself.
#pragma once

#include "platform/classlib/Controls.h"
#include "platform/classlib/Messages.h"
#include "skin/shell/ShellFolder.h"

namespace skin {

// A control that carries some of the menu's commands out itself (renaming in place, refreshing
// after a deletion): asked before the shell is, and told how each command ended.
class IShellCommandVerb {
public:
  // Handled is false on entry; true means the control has done the command.
  virtual void ExecuteCommand(const classlib::String& Verb, bool& Handled) = 0;
  virtual void CommandCompleted(const classlib::String& Verb, bool Succeeded) = 0;

protected:
  ~IShellCommandVerb() = default;
};

// Shows Item's context menu at (X, Y) of Owner's client area and runs the chosen command.
void InvokeContextMenu(classlib::TWinControl& Owner, TskShellFolder* Item, int X, int Y);

// The menu's handler draws and fills some sub-menus itself: a view passes it these menu messages
// while the menu is open. True when the message went to the handler (its result is then 0).
bool ForwardContextMenuMessage(classlib::TMessage& Message);

// The shell opens an item in the process's current directory: a view's "open" command makes the
// folder of Item (may be null) current and keeps the directory it replaces in Saved, and puts
// Saved back when the command has ended, whether the opening worked or not.
void EnterOpenedItemFolder(const TskShellFolder* Item, classlib::String& Saved);
void RestoreOpenedItemFolder(classlib::String& Saved);

}  // namespace skin
