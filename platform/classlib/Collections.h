// Owned, ordered lists of persistent items that a form description stores as "< item ... end >"
// blocks: the collection creates its items, frees them, and hears of every change to them.
//
// Classes in this file: TCollectionItem, TCollection.
#pragma once

#include "platform/classlib/Component.h"

#include <memory>
#include <vector>

namespace classlib {

class TCollection;

class TCollectionItem : public TPersistent {
public:
  // Joins Collection at its end (none: a free-standing item).
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return FCollection; }
  // The position in the collection, -1 outside one.
  int Index() const;
  // The name an editor lists the item by: the class name unless a subclass has a better one.
  virtual String GetDisplayName() const { return ClassName(); }
  String DisplayName() const { return GetDisplayName(); }

protected:
  // Tells the collection that this item (or, with AllItems, every item) changed; held while the
  // collection is being updated.
  void Changed(bool AllItems);

private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
};

class TCollection : public TPersistent {
public:
  TCollection() = default;
  ~TCollection() override;

  int Count() const { return static_cast<int>(FItems.size()); }
  // Throws EComponentError for an index outside 0..Count-1.
  TCollectionItem* Items(int Index) const;
  // A new item at the end, made by CreateItem.
  TCollectionItem* Add();
  // A new item at Index (0..Count), made by CreateItem.
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  // Changes between BeginUpdate and the last EndUpdate are told once, as a change of all items.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  // From a collection of the same class: the items are replaced by copies (each item's Assign).
  void Assign(const TPersistent& Source) override;

protected:
  virtual std::unique_ptr<TCollectionItem> CreateItem() = 0;
  // Item changed, or every item when Item is null.
  virtual void Update(TCollectionItem*) {}
  void Changed();

private:
  friend class TCollectionItem;
  // Adopts an item that joins by construction; Release lets go of one being freed elsewhere.
  void Insert(TCollectionItem* Item);
  void Release(TCollectionItem* Item);
  // Frees the item at Index.
  void Free(size_t Index);

  std::vector<std::unique_ptr<TCollectionItem>> FItems;
  int FUpdateCount = 0;
};

}  // namespace classlib
