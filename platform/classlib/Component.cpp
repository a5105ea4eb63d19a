#include "platform/classlib/Component.h"

#include <cxxabi.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace classlib {

String TObject::ClassName() const {
  const char* mangled = typeid(*this).name();
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                        &std::free);
  String name = status == 0 && demangled ? demangled.get() : mangled;
  const auto scope = name.rfind("::");
  return scope == String::npos ? name : name.substr(scope + 2);
}

void TPersistent::Assign(const TPersistent&) {
  throw EComponentError("cannot assign this object");
}

bool TNameLess::operator()(const String& a, const String& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

namespace {

bool SameName(const String& a, const String& b) {
  return a.size() == b.size() && !TNameLess{}(a, b) && !TNameLess{}(b, a);
}

bool IsValidIdent(const String& name) {
  if (name.empty()) return false;
  if (!std::isalpha(static_cast<unsigned char>(name[0])) && name[0] != '_') return false;
  return std::all_of(name.begin(), name.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}

}  // namespace

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Tell everyone who asked; each may call back into RemoveFreeNotification.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    other->RemoveFreeNotification(this);
    other->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  // Each owned component leaves our list as it dies.
  while (!FComponents.empty()) delete FComponents.back();
}

void TComponent::Destroying() { FComponentState.Include(TComponentStateItem::csDestroying); }

void TComponent::SetComponentState(TComponentStateItem Item, bool On) {
  if (On)
    FComponentState.Include(Item);
  else
    FComponentState.Exclude(Item);
}

void TComponent::SetName(const String& NewName) {
  if (NewName == FName) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError("\"" + NewName + "\" is not a valid component name");
  if (!NewName.empty() && FOwner) {
    TComponent* other = FOwner->FindComponent(NewName);
    if (other && other != this) throw EComponentError("a component named " + NewName + " already exists");
  }
  FName = NewName;
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount()) throw EComponentError("component index out of bounds");
  return FComponents[static_cast<size_t>(Index)];
}

TComponent* TComponent::FindComponent(const String& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameName(c->FName, AName)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  if (!AComponent->FName.empty() && FindComponent(AComponent->FName))
    throw EComponentError("a component named " + AComponent->FName + " already exists");
  Insert(AComponent);
  NotifyAll(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  NotifyAll(AComponent, TOperation::opRemove);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
  if (it != FComponents.end()) FComponents.erase(it);
  AComponent->FOwner = nullptr;
}

void TComponent::NotifyAll(TComponent* AComponent, TOperation Operation) {
  if (FComponentState.Contains(TComponentStateItem::csDestroying)) return;
  Notification(AComponent, Operation);
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
  if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) ==
      AComponent->FFreeNotifies.end())
    AComponent->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  // FreeNotification links both ways, so the link is undone both ways: otherwise the one that stays
  // would tell a component already freed of its own destruction.
  auto& list = FFreeNotifies;
  list.erase(std::remove(list.begin(), list.end(), AComponent), list.end());
  auto& other = AComponent->FFreeNotifies;
  other.erase(std::remove(other.begin(), other.end(), this), other.end());
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == TOperation::opRemove && AComponent) RemoveFreeNotification(AComponent);
  // Owned components hear of every sibling that comes and goes, as their owner does.
  for (size_t i = FComponents.size(); i-- > 0;)
    if (FComponents[i] != AComponent) FComponents[i]->Notification(AComponent, Operation);
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::Loaded() { FComponentState.Exclude(TComponentStateItem::csLoading); }

}  // namespace classlib
