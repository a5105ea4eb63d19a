#include "platform/classlib/ActnList.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/ComCtrls.h"

#include <algorithm>

namespace classlib {

namespace {

template <class T>
void Erase(std::vector<T*>& List, const T* Item) {
  List.erase(std::remove(List.begin(), List.end(), Item), List.end());
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TBasicActionLink

TBasicActionLink::~TBasicActionLink() { SetAction(nullptr); }

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (Value == FAction) return;
  if (FAction) Erase(FAction->FClients, this);
  FAction = Value;
  if (FAction) FAction->FClients.push_back(this);
}

bool TBasicActionLink::Execute() { return FAction && FAction->Execute(); }

// ---------------------------------------------------------------------------------------------
// TBasicAction

TBasicAction::~TBasicAction() {
  // The links must not reach back into an action that is half gone.
  for (TBasicActionLink* link : FClients) link->FAction = nullptr;
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

void TBasicAction::Change() {
  // A client may drop its link while it hears of the change.
  const std::vector<TBasicActionLink*> clients = FClients;
  for (TBasicActionLink* link : clients) {
    if (std::find(FClients.begin(), FClients.end(), link) == FClients.end()) continue;
    if (link->OnChange) link->OnChange(this);
  }
}

// ---------------------------------------------------------------------------------------------
// TCustomAction

TCustomAction::~TCustomAction() { SetActionList(nullptr); }

void TCustomAction::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  Change();
}

void TCustomAction::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  Change();
}

void TCustomAction::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  Change();
}

void TCustomAction::SetHint(const String& Value) {
  if (Value == FHint) return;
  FHint = Value;
  Change();
}

void TCustomAction::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  Change();
}

void TCustomAction::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  Change();
}

void TCustomAction::SetActionList(TActionList* Value) {
  if (Value == FActionList) return;
  if (FActionList) Erase(FActionList->FActions, this);
  FActionList = Value;
  if (FActionList) FActionList->FActions.push_back(this);
  // The list brings its pictures with it.
  Change();
}

bool TCustomAction::Execute() { return FEnabled && TBasicAction::Execute(); }

void TCustomAction::SetParentComponent(TComponent* Value) {
  if (auto* list = dynamic_cast<TActionList*>(Value)) SetActionList(list);
}

// ---------------------------------------------------------------------------------------------
// TActionList

TActionList::~TActionList() {
  for (TCustomAction* action : FActions) action->FActionList = nullptr;
}

void TActionList::SetImages(TImageList* Value) {
  if (Value == FImages) return;
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  Change();
}

void TActionList::Change() {
  // An action's clients may take the action out of this list while they hear of the change.
  const std::vector<TCustomAction*> actions = FActions;
  for (TCustomAction* action : actions)
    if (std::find(FActions.begin(), FActions.end(), action) != FActions.end()) action->Change();
}

void TActionList::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FImages) SetImages(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Registration

void RegisterActions(TClassRegistry& Registry) {
  Registry.Register<TActionList>("TActionList", "TComponent").Reference("Images", &TActionList::SetImages);
  Registry.Register<TAction>("TAction", "TComponent")
      .Text("Caption", &TCustomAction::SetCaption)
      .Boolean("Checked", &TCustomAction::SetChecked)
      .Boolean("Enabled", &TCustomAction::SetEnabled)
      .Text("Hint", &TCustomAction::SetHint)
      .Integer("ImageIndex", &TCustomAction::SetImageIndex)
      .Boolean("Visible", &TCustomAction::SetVisible)
      .Event("OnExecute", &TBasicAction::OnExecute);
}

}  // namespace classlib
