#include "skin/form/SkinPopupMenu.h"

#include "skin/form/FormSkin.h"
#include "skin/form/SkinMenu.h"

using namespace classlib;

namespace skin {

namespace {

TskFormSkin* FirstFormSkin(const TComponent& Form) {
  for (int i = 0; i < Form.ComponentCount(); ++i)
    if (auto* found = dynamic_cast<TskFormSkin*>(Form.Components(i))) return found;
  return nullptr;
}

}  // namespace

TskSkinPopupMenu::TskSkinPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}

void TskSkinPopupMenu::SetSkinData(TskSkinData* Value) {
  if (FSkinData == Value) return;
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  FSkinData = Value;
  if (FSkinData) FSkinData->FreeNotification(this);
}

void TskSkinPopupMenu::SetPopupForm(TForm* Value) {
  if (FPopupForm == Value) return;
  if (FPopupForm) FPopupForm->RemoveFreeNotification(this);
  FPopupForm = Value;
  if (FPopupForm) FPopupForm->FreeNotification(this);
}

void TskSkinPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TPopupMenu::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FSkinData) FSkinData = nullptr;
  if (AComponent == FPopupForm) FPopupForm = nullptr;
}

TskFormSkin* TskSkinPopupMenu::FindFormSkin() const {
  if (FPopupForm) return FirstFormSkin(*FPopupForm);
  // A menu with no form above it (no owner, or an owner that is neither a form nor owned by one)
  // shows nothing.
  const TComponent* owner = Owner();
  if (!owner) return nullptr;
  if (dynamic_cast<const TForm*>(owner)) return FirstFormSkin(*owner);
  if (const TComponent* second = owner->Owner(); second && dynamic_cast<const TForm*>(second))
    return FirstFormSkin(*second);
  return nullptr;
}

void TskSkinPopupMenu::Popup(int X, int Y) { Show(nullptr, Rect(X, Y, X, Y), false, false); }

void TskSkinPopupMenu::PopupFromRect(const TRect& R, bool OpenUpward) { Show(nullptr, R, OpenUpward, false); }

void TskSkinPopupMenu::PopupFromRect2(TControl* Control, const TRect& R, bool OpenUpward) {
  Show(Control, R, OpenUpward, false);
}

void TskSkinPopupMenu::Popup2(TControl* Control, int X, int Y) { Show(Control, Rect(X, Y, X, Y), false, true); }

void TskSkinPopupMenu::Show(TControl* Control, const TRect& R, bool OpenUpward, bool NeedsSkin) {
  if (OnPopup) OnPopup(this);
  TskFormSkin* const formSkin = FindFormSkin();
  if (!formSkin) return;
  if (!FSkinData) SetSkinData(formSkin->MenusSkinData() ? formSkin->MenusSkinData() : formSkin->SkinData());
  if (NeedsSkin && !FSkinData) return;
  TskSkinMenu& engine = *formSkin->SkinMenu;
  if (engine.IsOpen) formSkin->SkinMenuClose();
  formSkin->SkinMenuOpen();
  engine.Popup(Control, FSkinData, 0, R, Items(), OpenUpward);
  if (!engine.IsOpen) {
    // Nothing was shown (no visible items, or OnPopup emptied the menu): no hook, no armed event.
    formSkin->SkinMenuClose();
    return;
  }
  if (OnMenuClose) engine.OnMenuClose = OnMenuClose;
}

}  // namespace skin
