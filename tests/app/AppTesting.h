// Helpers for tests of the program's units: the forms made as the program makes them (from its
// own resources), the settings file read back without the program's code, and a watcher that
// answers the program's dialogs.
#pragma once

#include "tests/support/testing.h"

#include "app/FormClasses.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/WideText.h"
#include "flat/FlatRegistration.h"
#include "skin/boxes/SkinBoxesRegistration.h"
#include "skin/controls/SkinControlsRegistration.h"
#include "skin/data/SkinDataRegistration.h"
#include "skin/form/SkinFormRegistration.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/shell/OpenDlgForm.h"
#include "skin/shell/SkinShellRegistration.h"

#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace apptesting {

inline void InitForms() {
  static const bool ready = [] {
    classlib::Application->Initialize();
    RegisterSkinControlClasses();
    RegisterSkinFormClasses();
    RegisterSkinShellClasses();
    RegisterSkinBoxClasses();
    RegisterFlatClasses();
    RegisterSkinDataClasses();
    RegisterFormClasses();
    return true;
  }();
  (void)ready;
}

// A form streamed from its stored description; its OnCreate has not run.
template <class T>
std::unique_ptr<T> MakeForm() {
  InitForms();
  return std::make_unique<T>(nullptr);
}

inline std::string Narrow(const WCHAR* Text) {
  char buffer[1024] = {};
  WideCharToMultiByte(CP_UTF8, 0, Text, -1, buffer, sizeof buffer, nullptr, nullptr);
  return buffer;
}

// A key of an INI file as the platform reads it, or "<missing>".
inline std::string IniValue(const std::string& WindowsFile, const char* Section, const char* Key) {
  auto wide = [](const std::string& s) {
    std::vector<WCHAR> w(s.size() + 1);
    MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, w.data(), static_cast<int>(w.size()));
    return w;
  };
  WCHAR value[512] = {};
  GetPrivateProfileStringW(wide(Section).data(), wide(Key).data(), L"<missing>", value, 512,
                           wide(WindowsFile).data());
  return Narrow(value);
}

// What a dialog showed: its caption, the text of its static controls, its owner and place.
struct TDialogSeen {
  std::string Caption;
  std::string Text;
  HWND Owner = nullptr;
  RECT Bounds{};  // on the screen
};

// Watches, on a thread of its own, for dialogs of this process (message boxes, the folder
// chooser), notes what each showed and presses the given button of it.
class TDialogAnswerer {
public:
  explicit TDialogAnswerer(int Button) : FButton(Button) {
    FThread = CreateThread(nullptr, 0, &TDialogAnswerer::Watch, this, 0, nullptr);
  }
  ~TDialogAnswerer() {
    FStop = true;
    WaitForSingleObject(FThread, INFINITE);
    CloseHandle(FThread);
  }
  TDialogAnswerer(const TDialogAnswerer&) = delete;
  TDialogAnswerer& operator=(const TDialogAnswerer&) = delete;

  // The dialogs answered so far.
  std::vector<TDialogSeen> Seen() const {
    return std::vector<TDialogSeen>(FSeen, FSeen + FCount);
  }

private:
  static BOOL CALLBACK NoteDialog(HWND Window, LPARAM Found) {
    WCHAR className[32] = {};
    GetClassNameW(Window, className, 32);
    DWORD process = 0;
    GetWindowThreadProcessId(Window, &process);
    // File dialogs are TFileDialogAnswerer's.
    if (lstrcmpW(className, L"#32770") != 0 || process != GetCurrentProcessId() || !IsWindowVisible(Window) ||
        GetDlgItem(Window, 0x47C))
      return TRUE;
    *reinterpret_cast<HWND*>(Found) = Window;
    return FALSE;
  }

  static BOOL CALLBACK AddStaticText(HWND Child, LPARAM Text) {
    WCHAR className[32] = {}, part[512] = {};
    GetClassNameW(Child, className, 32);
    if (lstrcmpiW(className, L"Static") == 0 && GetWindowTextW(Child, part, 512) > 0)
      *reinterpret_cast<std::string*>(Text) += Narrow(part);
    return TRUE;
  }

  static DWORD WINAPI Watch(LPVOID Self) {
    auto* self = static_cast<TDialogAnswerer*>(Self);
    while (!self->FStop) {
      HWND dialog = nullptr;
      EnumWindows(&NoteDialog, reinterpret_cast<LPARAM>(&dialog));
      if (dialog && self->FCount < kMaxDialogs) {
        WCHAR caption[256] = {};
        GetWindowTextW(dialog, caption, 256);
        TDialogSeen& seen = self->FSeen[self->FCount];
        seen.Caption = Narrow(caption);
        seen.Owner = GetWindow(dialog, GW_OWNER);
        GetWindowRect(dialog, &seen.Bounds);
        EnumChildWindows(dialog, &AddStaticText, reinterpret_cast<LPARAM>(&seen.Text));
        ++self->FCount;
        PostMessageW(dialog, WM_COMMAND, self->FButton, 0);
        while (IsWindow(dialog) && !self->FStop) Sleep(10);
      }
      Sleep(20);
    }
    return 0;
  }

  static constexpr int kMaxDialogs = 8;
  const int FButton;
  HANDLE FThread = nullptr;
  std::atomic<bool> FStop = false;
  TDialogSeen FSeen[kMaxDialogs];
  std::atomic<int> FCount = 0;
};

// Answers the program's skinned file dialogs: each one that opens gets the next of the given names
// typed into its file name edit, then its OK button clicked. It runs on a timer of the program's
// thread, whose messages the dialog's modal loop dispatches.
class TFileDialogAnswerer {
public:
  explicit TFileDialogAnswerer(std::vector<std::string> Names) : FNames(std::move(Names)) {
    Current = this;
    FTimer = SetTimer(nullptr, 0, 50, &TFileDialogAnswerer::Tick);
  }
  ~TFileDialogAnswerer() {
    KillTimer(nullptr, FTimer);
    Current = nullptr;
  }
  TFileDialogAnswerer(const TFileDialogAnswerer&) = delete;
  TFileDialogAnswerer& operator=(const TFileDialogAnswerer&) = delete;

  int Answered() const { return FAnswered; }

private:
  static BOOL CALLBACK NoteFileDialog(HWND Window, LPARAM Found) {
    auto* form = dynamic_cast<skin::TskOpenDlgForm*>(classlib::TWinControl::FindControl(Window));
    if (!form || !IsWindowVisible(Window)) return TRUE;
    *reinterpret_cast<skin::TskOpenDlgForm**>(Found) = form;
    return FALSE;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    TFileDialogAnswerer* self = Current;
    if (!self || self->FAnswered >= static_cast<int>(self->FNames.size())) return;
    skin::TskOpenDlgForm* form = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &NoteFileDialog, reinterpret_cast<LPARAM>(&form));
    if (!form) return;
    const std::string& name = self->FNames[static_cast<size_t>(self->FAnswered++)];
    HWND edit = form->FileNameEdit().Handle();
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CHAR, VK_BACK, 0);
    for (const WCHAR c : classlib::ToWide(name)) SendMessageW(edit, WM_CHAR, c, 0);
    HWND ok = form->OKButton().Handle();
    const LPARAM middle = MAKELPARAM(form->OKButton().Width() / 2, form->OKButton().Height() / 2);
    SendMessageW(ok, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    SendMessageW(ok, WM_LBUTTONUP, 0, middle);
  }

  static inline TFileDialogAnswerer* Current = nullptr;
  const std::vector<std::string> FNames;
  UINT_PTR FTimer = 0;
  int FAnswered = 0;
};

}  // namespace apptesting
