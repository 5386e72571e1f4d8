// Collections: owned, ordered lists of persistent items streamed with their owner.
#pragma once

#include "Components.h"

#include <functional>
#include <memory>
#include <vector>

class TCollection;

// An item of a collection; its published properties are stored with the collection.
class TCollectionItem : public TPersistent {
public:
  explicit TCollectionItem(TCollection& ACollection) : Collection(ACollection) {}
  const char* ClassName() const override { return "TCollectionItem"; }
  TCollection& GetCollection() const { return Collection; }
  int GetIndex() const;

protected:
  // Tells the collection that this item changed.
  void Changed();

private:
  TCollection& Collection;
};

class TCollection : public TPersistent {
public:
  using TItemFactory = std::function<std::unique_ptr<TCollectionItem>(TCollection&)>;
  explicit TCollection(TItemFactory AFactory) : Factory(std::move(AFactory)) {}
  const char* ClassName() const override { return "TCollection"; }

  int GetCount() const { return static_cast<int>(Items.size()); }
  // Raises EListError for an index outside the collection.
  TCollectionItem* GetItem(int Index) const;
  TCollectionItem* Add();
  void Clear();
  int IndexOf(const TCollectionItem* Item) const;

  // Called after the items or one item (Item, else nullptr) changed.
  std::function<void(TCollectionItem* Item)> OnUpdate;

private:
  friend class TCollectionItem;
  void Update(TCollectionItem* Item) {
    if (OnUpdate) OnUpdate(Item);
  }

  TItemFactory Factory;
  std::vector<std::unique_ptr<TCollectionItem>> Items;
};
