// The frame's use of the hint window (the objects' hints) and of the notification-area icon
// (minimizing the application to it and back).
#include "skin/form/FormSkin.h"

#include "skin/form/FormSkinValueObjects.h"
#include "skin/form/SkinHint.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/SkinTrayIcon.h"

using namespace classlib;

namespace skin {

void TskFormSkin::SetSkinHint(TskSkinHint* Value) {
  if (FSkinHint) FSkinHint->RemoveFreeNotification(this);
  FSkinHint = Value;
  if (Value) Value->FreeNotification(this);
}

void TskFormSkin::ActivateObjectHint(const String& Hint) {
  if (FSkinHint && !Hint.empty()) FSkinHint->ActivateHint2(Hint);
}

void TskFormSkin::HideObjectHint() {
  if (FSkinHint) FSkinHint->HideHint();
}

void TskFormSkin::SetTrayIcon(TskTrayIcon* Value) {
  if (FTrayIcon) FTrayIcon->RemoveFreeNotification(this);
  FTrayIcon = Value;
  if (Value) Value->FreeNotification(this);
  const bool loading = ComponentState().Contains(TComponentStateItem::csLoading);
  if (!Value) {
    if (Designing() && !loading) FBorderIcons.Exclude(TskBorderIcon::biMinimizeToTray);
    return;
  }
  if (!FAlwaysShowInTray) Value->SetIconVisible(false);
  if (Designing()) {
    if (!loading) FBorderIcons.Include(TskBorderIcon::biMinimizeToTray);
    return;
  }
  // An icon that has a menu of its own keeps it, and its double click too.
  if (Value->PopupMenu()) return;
  Value->SetPopupMenu(TrayMenu);
  if (!Value->OnDblClick)
    Value->OnDblClick = [self = std::weak_ptr<TskFormSkin*>(FSelfToken)](TObject* Sender) {
      if (const auto alive = self.lock()) (*alive)->TrayIconDBLCLK(Sender);
    };
}

void TskFormSkin::TrayIconDBLCLK(TObject*) { RestoreFromTray(); }

void TskFormSkin::PlayBackMenuAnimation() {
  for (const auto& object : FrameObjects) {
    auto* animation = dynamic_cast<TskSkinAnimateObject*>(object.get());
    if (!animation || !animation->MenuItem || !animation->MenuShown) continue;
    animation->Active = true;
    animation->Frame = animation->CountFrames;
    animation->Down = false;
    animation->MenuShown = false;
    animation->Increment = false;
    AnimationTimer->SetEnabled(true);
    return;
  }
}

void TskFormSkin::MinimizeToTray() {
  if (!FTrayIcon) return;
  FTrayIcon->SetMinimizeToTray(true);
  Application->Minimize();
  if (OnMinimizeToTray) OnMinimizeToTray(this);
}

void TskFormSkin::RestoreFromTray() {
  if (!FTrayIcon) return;
  FTrayIcon->SetMinimizeToTray(false);
  FTrayIcon->ShowMainForm();
  Application->Restore();
  if (!FAlwaysShowInTray) FTrayIcon->SetIconVisible(false);
  if (OnRestoreFromTray) OnRestoreFromTray(this);
}

}  // namespace skin
