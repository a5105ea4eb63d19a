// The shell's verbs ("open" a document or an address), reached through one replaceable function:
// a test puts its own in place to record the call instead of starting a program.
#pragma once

#include "platform/classlib/Types.h"

#include <shellapi.h>

#include <functional>

namespace classlib {

// Window, verb, file, parameters, directory (empty: none) and show command; answers what
// ShellExecuteW answers.
using TShellExecuteProc = std::function<HINSTANCE(HWND Window, const String& Verb, const String& File,
                                                  const String& Parameters, const String& Directory, int ShowCommand)>;

// The function every shell call goes through; ShellExecuteW unless replaced.
TShellExecuteProc& ShellExecuteProc();

// The notification-area calls (NIM_ADD, NIM_MODIFY, NIM_DELETE with the icon's record) go through
// this one, Shell_NotifyIconA unless replaced.
using TShellNotifyIconProc = std::function<BOOL(DWORD Message, NOTIFYICONDATAA* Data)>;
TShellNotifyIconProc& ShellNotifyIconProc();

inline HINSTANCE ExecuteShell(HWND Window, const String& Verb, const String& File, const String& Parameters,
                              const String& Directory, int ShowCommand) {
  return ShellExecuteProc()(Window, Verb, File, Parameters, Directory, ShowCommand);
}

}  // namespace classlib
