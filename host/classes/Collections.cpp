#include "host/classes/Collections.h"

#include "host/classes/Lists.h"

int TCollectionItem::GetIndex() const {
  return Collection.IndexOf(this);
}

void TCollectionItem::Changed() {
  Collection.Update(this);
}

TCollectionItem* TCollection::GetItem(int Index) const {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  return Items[static_cast<size_t>(Index)].get();
}

TCollectionItem* TCollection::Add() {
  Items.push_back(Factory(*this));
  Update(nullptr);
  return Items.back().get();
}

void TCollection::Clear() {
  if (Items.empty()) return;
  Items.clear();
  Update(nullptr);
}

int TCollection::IndexOf(const TCollectionItem* Item) const {
  for (size_t I = 0; I < Items.size(); ++I)
    if (Items[I].get() == Item) return static_cast<int>(I);
  return -1;
}
