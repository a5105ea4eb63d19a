// The component model: ownership, names, notifications and the handler table of a root.
#pragma once

#include "platform/classlib/Exception.h"
#include "platform/classlib/Types.h"

#include <any>
#include <map>
#include <vector>

namespace classlib {

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
  // The name of the object's most derived class, without namespaces ("TForm1").
  String ClassName() const;
};

class TPersistent : public TObject {
public:
  // Copies the state of another object of a compatible class; the default refuses.
  virtual void Assign(const TPersistent& Source);
};

enum class TOperation { opInsert, opRemove };
enum class TComponentStateItem { csLoading, csReading, csDestroying, csDesigning };
using TComponentState = Set<TComponentStateItem>;

// Case-insensitive ordering for names of components, properties and handlers.
struct TNameLess {
  bool operator()(const String& a, const String& b) const;
};

class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  const String& Name() const { return FName; }
  // Names are identifiers, unique (without regard to case) among the owner's components.
  void SetName(const String& NewName);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const;
  TComponent* FindComponent(const String& AName) const;

  // Frees every owned component now, last created first.
  void DestroyComponents();
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);

  // Asks to be told (through Notification with opRemove) when AComponent is destroyed.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  TComponentState ComponentState() const { return FComponentState; }
  void SetComponentState(TComponentStateItem Item, bool On);

  // Called on every component of a form after the whole description has been read.
  virtual void Loaded();
  // The form reader's link between a component and the object it was nested in:
  // a control takes a windowed control as its parent, a menu item its menu. Ignored by default.
  virtual void SetParentComponent(TComponent* Value);

  // Event handlers that a form description can bind by name ("FormCreate").
  template <class E>
  void RegisterHandler(const String& HandlerName, E Handler) {
    FHandlers[HandlerName] = std::any(std::move(Handler));
  }
  // The handler of the given event type, or throws EReadError when it is missing or of another type.
  template <class E>
  E FindHandler(const String& HandlerName) const {
    auto it = FHandlers.find(HandlerName);
    if (it == FHandlers.end()) throw EReadError("unknown handler \"" + HandlerName + "\"");
    if (const E* handler = std::any_cast<E>(&it->second)) return *handler;
    throw EReadError("handler \"" + HandlerName + "\" does not fit the event");
  }

protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Called when the component's destruction starts, before any part of it is gone.
  void Destroying();

private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void NotifyAll(TComponent* AComponent, TOperation Operation);

  TComponent* FOwner = nullptr;
  String FName;
  int FTag = 0;
  std::vector<TComponent*> FComponents;       // owned, freed by this component
  std::vector<TComponent*> FFreeNotifies;     // told when this component dies
  TComponentState FComponentState;
  std::map<String, std::any, TNameLess> FHandlers;
};

}  // namespace classlib
