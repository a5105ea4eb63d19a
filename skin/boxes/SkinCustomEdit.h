// The edit at the root of the skinned edits: a masked edit with a read-only mode of its own (the
// window stays editable, so caret, selection and copying keep working), a transparent mode that
// shows what lies behind it, Enter and Escape kept from the window, a cancel-mode event for an
// owning control, and the skinned edit menu built for each right click.
//
// Classes in this file: TskCustomEdit.
#pragma once

#include "platform/classlib/Mask.h"

#include <functional>

namespace skin {

class TskSkinPopupMenu;

// Another control took the mouse: Sender is that control.
using TskOnEditCancelMode = std::function<void(classlib::TControl* Sender)>;

class TskCustomEdit : public classlib::TCustomMaskEdit {
public:
  explicit TskCustomEdit(classlib::TComponent* AOwner);
  ~TskCustomEdit() override;

  TskOnEditCancelMode OnEditCancelMode;

  // Attributes
  // Blocks every editing message; independent of the window's own read-only style.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool TransparentMode() const { return FTransparentMode; }
  // Stores the mode and makes the window anew, whether or not the mode changed.
  void SetEditTransparent(bool Value);
  // The skinned edit menu while one is held.
  TskSkinPopupMenu* EditMenu() const { return FEditMenu; }

  // Operations
  // Builds a fresh skinned edit menu into EditMenu, its entries enabled for the present state.
  void CreateSysPopupMenu();
  void Invalidate() override;

  void Dispatch(classlib::TMessage& Message) override;
  void DefaultHandler(classlib::TMessage& Message) override;

protected:
  void CreateParams(classlib::TCreateParams& Params) override;
  void Change() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

  void DoUndo(classlib::TObject* Sender);
  void DoCut(classlib::TObject* Sender);
  void DoCopy(classlib::TObject* Sender);
  void DoPaste(classlib::TObject* Sender);
  void DoDelete(classlib::TObject* Sender);
  void DoSelectAll(classlib::TObject* Sender);

private:
  void ShowEditMenu(classlib::TMessage& Message);
  void FreeEditMenu();
  // Paints the parent's face behind the edit on DC.
  void PaintParentBehind(HDC DC);
  void TransparentRepaint() {
    if (FTransparentMode) Invalidate();
  }

  bool FButtonHeld = false;
  bool FReadOnly = false;
  bool FTransparentMode = false;
  TskSkinPopupMenu* FEditMenu = nullptr;  // owned as a component
};

}  // namespace skin
