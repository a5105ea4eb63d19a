#include "platform/classlib/Collections.h"

#include "platform/classlib/Exception.h"

#include <algorithm>
#include <typeinfo>

namespace classlib {

TCollectionItem::TCollectionItem(TCollection* Collection) {
  if (Collection) Collection->Insert(this);
}

// An item freed by its owner's code (not through the collection) leaves the collection first.
TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->Release(this);
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  const auto& items = FCollection->FItems;
  const auto it = std::find_if(items.begin(), items.end(), [this](const auto& item) { return item.get() == this; });
  return static_cast<int>(it - items.begin());
}

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

TCollection::~TCollection() {
  // No item reports to a collection half taken apart.
  FUpdateCount = 1;
  while (!FItems.empty()) Free(FItems.size() - 1);
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EComponentError("collection index out of bounds");
  return FItems[static_cast<size_t>(Index)].get();
}

TCollectionItem* TCollection::Add() {
  std::unique_ptr<TCollectionItem> item = CreateItem();
  TCollectionItem* added = item.get();
  if (added->FCollection == this)
    (void)item.release();  // it joined (and is owned) by construction
  else if (added->FCollection == nullptr)
    Insert(item.release());
  else
    throw EComponentError("the new item belongs to another collection");
  Changed();
  return added;
}

TCollectionItem* TCollection::Insert(int Index) {
  if (Index < 0 || Index > Count()) throw EComponentError("collection index out of bounds");
  BeginUpdate();
  TCollectionItem* item = nullptr;
  try {
    item = Add();
  } catch (...) {
    EndUpdate();
    throw;
  }
  std::rotate(FItems.begin() + Index, FItems.end() - 1, FItems.end());
  EndUpdate();
  return item;
}

void TCollection::Delete(int Index) {
  Items(Index);
  Free(static_cast<size_t>(Index));
  Changed();
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  while (!FItems.empty()) Free(FItems.size() - 1);
  EndUpdate();
}

void TCollection::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::Assign(const TPersistent& Source) {
  const auto* source = dynamic_cast<const TCollection*>(&Source);
  if (!source || typeid(*source) != typeid(*this)) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  BeginUpdate();
  try {
    while (!FItems.empty()) Free(FItems.size() - 1);
    for (const auto& item : source->FItems) Add()->Assign(*item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::Insert(TCollectionItem* Item) {
  Item->FCollection = this;
  FItems.emplace_back(Item);
}

void TCollection::Release(TCollectionItem* Item) {
  const auto it = std::find_if(FItems.begin(), FItems.end(), [Item](const auto& item) { return item.get() == Item; });
  if (it == FItems.end()) return;
  (void)it->release();  // the item is being freed by whoever called its destructor
  FItems.erase(it);
  Item->FCollection = nullptr;
}

void TCollection::Free(size_t Index) {
  std::unique_ptr<TCollectionItem> item = std::move(FItems[Index]);
  FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(Index));
  item->FCollection = nullptr;
}

}  // namespace classlib
