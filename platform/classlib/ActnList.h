// Actions: commands kept apart from the controls that invoke them, and the links through which a
// control follows its action's caption and state and runs it when clicked.
//
// Classes in this file: TBasicActionLink, TBasicAction, TCustomAction, TAction, TActionList.
#pragma once

#include "platform/classlib/Component.h"

#include <vector>

namespace classlib {

class TBasicAction;
class TActionList;
class TImageList;
class TClassRegistry;

// A client's hold on an action. The action tells each of its links when it changes; the client
// runs the action through its link. A link outlives neither its client nor, in effect, its action:
// a dying action lets go of its links first.
class TBasicActionLink : public TObject {
public:
  TBasicActionLink() = default;
  ~TBasicActionLink() override;

  // Called with the action as sender whenever the action changes.
  TNotifyEvent OnChange;

  TBasicAction* Action() const { return FAction; }
  void SetAction(TBasicAction* Value);
  // Runs the action; false when there is none or it did nothing.
  bool Execute();

private:
  friend class TBasicAction;
  TBasicAction* FAction = nullptr;
};

class TBasicAction : public TComponent {
public:
  explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
  ~TBasicAction() override;

  TNotifyEvent OnExecute;

  // Calls OnExecute with the action as sender; false when there is no handler.
  virtual bool Execute();
  // Tells every linked client that the action changed.
  void Change();

private:
  friend class TBasicActionLink;
  std::vector<TBasicActionLink*> FClients;
};

// An action with the face its clients show: each setter compares, stores and tells the clients.
class TCustomAction : public TBasicAction {
public:
  explicit TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}
  ~TCustomAction() override;

  // Attributes
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  // The action's picture in its list's Images; -1 for none.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TActionList* ActionList() const { return FActionList; }
  void SetActionList(TActionList* Value);

  // Operations
  // A disabled action does not run.
  bool Execute() override;
  // Nested in an action list in a form description, the action joins that list.
  void SetParentComponent(TComponent* Value) override;

private:
  friend class TActionList;
  String FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  String FHint;
  int FImageIndex = -1;
  bool FVisible = true;
  TActionList* FActionList = nullptr;
};

// The action a form description writes.
class TAction : public TCustomAction {
public:
  using TCustomAction::TCustomAction;
};

// A list of actions sharing one image list. The list does not own its actions (their owner frees
// them); a dying list lets its actions go.
class TActionList : public TComponent {
public:
  explicit TActionList(TComponent* AOwner) : TComponent(AOwner) {}
  ~TActionList() override;

  // The pictures the actions' ImageIndex points into; setting it tells every action's clients.
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  int ActionCount() const { return static_cast<int>(FActions.size()); }
  TCustomAction* Actions(int Index) const { return FActions.at(static_cast<size_t>(Index)); }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TCustomAction;
  void Change();
  std::vector<TCustomAction*> FActions;
  TImageList* FImages = nullptr;
};

void RegisterActions(TClassRegistry& Registry);

}  // namespace classlib
