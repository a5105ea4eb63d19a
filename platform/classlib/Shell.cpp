#include "platform/classlib/Shell.h"

#include "platform/classlib/WideText.h"

#include <shellapi.h>

namespace classlib {

namespace {

HINSTANCE SystemShellExecute(HWND Window, const String& Verb, const String& File, const String& Parameters,
                             const String& Directory, int ShowCommand) {
  const WideString verb = ToWide(Verb), file = ToWide(File), parameters = ToWide(Parameters),
                   directory = ToWide(Directory);
  return ShellExecuteW(Window, Verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                       Parameters.empty() ? nullptr : parameters.c_str(),
                       Directory.empty() ? nullptr : directory.c_str(), ShowCommand);
}

}  // namespace

TShellExecuteProc& ShellExecuteProc() {
  static TShellExecuteProc proc = SystemShellExecute;
  return proc;
}

TShellNotifyIconProc& ShellNotifyIconProc() {
  static TShellNotifyIconProc proc = [](DWORD Message, NOTIFYICONDATAA* Data) { return Shell_NotifyIconA(Message, Data); };
  return proc;
}

}  // namespace classlib
