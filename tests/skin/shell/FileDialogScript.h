// Driving a skinned dialog's modal run from a test: a thread timer runs one step per tick while
// the window is up, each step sending the window messages a user's typing and clicking would
// cause. Shared by the tests of the file dialogs and the folder dialog.
#pragma once

#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/shell/OpenDlgForm.h"
#include "skin/shell/SkinFileDialog.h"
#include "skin/shell/SkinFileListView.h"

#include <commctrl.h>

#include <functional>
#include <utility>
#include <vector>

namespace filedialogtesting {

// Runs Steps, one a tick, on the window FormOf finds while it shows.
template <typename TForm>
class TModalScript {
public:
  using TFormStep = std::function<void(TForm&)>;

  TModalScript(std::function<TForm*()> FormOf, std::vector<TFormStep> Steps)
      : FFormOf(std::move(FormOf)), FSteps(std::move(Steps)) {
    Current = this;
    FTimer = SetTimer(nullptr, 0, 40, &TModalScript::Tick);
  }
  ~TModalScript() {
    KillTimer(nullptr, FTimer);
    Current = nullptr;
  }
  TModalScript(const TModalScript&) = delete;
  TModalScript& operator=(const TModalScript&) = delete;

  // The steps run so far.
  size_t Ran() const { return FNext; }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    TModalScript* self = Current;
    if (!self) return;
    TForm* form = self->FFormOf();
    if (!form || !form->Showing()) return;
    if (self->FNext < self->FSteps.size()) {
      try {
        self->FSteps[self->FNext++](*form);
      } catch (const std::exception& e) {
        ADD_FAILURE() << "step " << self->FNext << " raised: " << e.what();
      }
      return;
    }
    // A script that left the window open ends it, so a failing test cannot hang the program.
    if (++self->FIdleTicks > 25) {
      ADD_FAILURE() << "the dialog stayed open after its script";
      form->SetModalResult(classlib::mrCancel);
    }
  }

  static inline TModalScript* Current = nullptr;
  std::function<TForm*()> FFormOf;
  std::vector<TFormStep> FSteps;
  size_t FNext = 0;
  int FIdleTicks = 0;
  UINT_PTR FTimer = 0;
};

// Runs Steps on the dialog's window through one modal run of Dialog; what Execute returned.
template <typename TDialog, typename TForm>
bool RunModal(TDialog& Dialog, std::vector<std::function<void(TForm&)>> Steps) {
  windowtesting::InitApplication();
  const TModalScript<TForm> script([&Dialog] { return Dialog.DialogForm(); }, std::move(Steps));
  return Dialog.Execute();
}

// The file dialogs' steps and scripts.
using TStep = TModalScript<skin::TskOpenDlgForm>::TFormStep;

class TDialogScript : public TModalScript<skin::TskOpenDlgForm> {
public:
  TDialogScript(skin::TskCustomFileDialog& Dialog, std::vector<TStep> Steps)
      : TModalScript([&Dialog] { return Dialog.DialogForm(); }, std::move(Steps)) {}
};

inline bool RunDialog(skin::TskCustomFileDialog& Dialog, std::vector<TStep> Steps) {
  return RunModal(Dialog, std::move(Steps));
}

inline void ClickAt(HWND Window, int X, int Y) {
  const LPARAM at = MAKELPARAM(X, Y);
  SendMessageW(Window, WM_MOUSEMOVE, 0, at);
  SendMessageW(Window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(Window, WM_LBUTTONUP, 0, at);
}

inline void Click(classlib::TWinControl& Control) { ClickAt(Control.Handle(), Control.Width() / 2, Control.Height() / 2); }

// A windowless button, clicked through its parent's window.
inline void Click(skin::TskSkinSpeedButton& Button) {
  ClickAt(Button.Parent()->Handle(), Button.Left() + Button.Width() / 2, Button.Top() + Button.Height() / 2);
}

inline void PressKey(classlib::TWinControl& Control, char Key) {
  SendMessageW(Control.Handle(), WM_CHAR, static_cast<WPARAM>(Key), 0);
}

// Replaces the edit's text as typing over a full selection does.
inline void Type(skin::TskSkinEdit& Edit, const classlib::String& Text) {
  SendMessageW(Edit.Handle(), EM_SETSEL, 0, -1);
  SendMessageW(Edit.Handle(), WM_CHAR, VK_BACK, 0);
  for (const WCHAR c : classlib::ToWide(Text)) SendMessageW(Edit.Handle(), WM_CHAR, c, 0);
}

// A folder's path without its closing "\" (a drive root keeps it).
inline classlib::String ExcludeTrailing(const classlib::String& Path) {
  if (Path.size() > 3 && Path.back() == '\\') return Path.substr(0, Path.size() - 1);
  return Path;
}

// Selects the list's item whose file name is Name (alone), as a click would; false when it is
// not listed.
inline bool Select(skin::TskOpenDlgForm& Form, const classlib::String& Name) {
  skin::TskSkinFileListView& list = Form.FileList();
  for (int i = 0; i < list.FolderCount(); ++i) {
    const classlib::String path = ExcludeTrailing(list.GetFolder(i)->PathName());
    if (!classlib::SameText(classlib::ExtractFileName(path), Name)) continue;
    ListView_SetItemState(list.Handle(), -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list.Handle(), i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    return true;
  }
  return false;
}

// Redraws the whole window at once, so that a screen copy shows it.
inline void RedrawNow(skin::TskOpenDlgForm& Form) {
  RedrawWindow(Form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace filedialogtesting
