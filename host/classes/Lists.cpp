#include "host/classes/Lists.h"

#include <algorithm>

void ListIndexError(int Index) {
  throw EListError(FormatIndex("List index out of bounds (%d)", Index));
}

void ListCapacityError(int Value) {
  throw EListError(FormatIndex("List capacity out of bounds (%d)", Value));
}

void ListCountError(int Value) {
  throw EListError(FormatIndex("List count out of bounds (%d)", Value));
}

namespace {
size_t At(int Index) {
  return static_cast<size_t>(Index);
}
} // namespace

void TList::SetCount(int NewCount) {
  if (NewCount < 0) ListCountError(NewCount);
  Items.resize(At(NewCount), nullptr);
}

void TList::SetCapacity(int NewCapacity) {
  if (NewCapacity < GetCount()) ListCapacityError(NewCapacity);
  if (NewCapacity >= GetCapacity()) {
    Items.reserve(At(NewCapacity));
    return;
  }
  // shrink_to_fit would go down to the count; the caller asked for room to spare.
  std::vector<void*> Smaller;
  Smaller.reserve(At(NewCapacity));
  Smaller.assign(Items.begin(), Items.end());
  Items.swap(Smaller);
}

void* TList::Get(int Index) const {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  return Items[At(Index)];
}

void TList::Put(int Index, void* Item) {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  Items[At(Index)] = Item;
}

int TList::Add(void* Item) {
  Items.push_back(Item);
  return GetCount() - 1;
}

void TList::Insert(int Index, void* Item) {
  if (Index < 0 || Index > GetCount()) ListIndexError(Index);
  Items.insert(Items.begin() + Index, Item);
}

void TList::Delete(int Index) {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  Items.erase(Items.begin() + Index);
}

int TList::Remove(void* Item) {
  const int Index = IndexOf(Item);
  if (Index >= 0) Items.erase(Items.begin() + Index);
  return Index;
}

void* TList::Extract(void* Item) {
  return Remove(Item) >= 0 ? Item : nullptr;
}

int TList::IndexOf(void* Item) const {
  const auto It = std::find(Items.begin(), Items.end(), Item);
  return It == Items.end() ? -1 : static_cast<int>(It - Items.begin());
}

void TList::Move(int CurIndex, int NewIndex) {
  // Both indices are checked before anything changes, so a bad NewIndex loses no entry.
  void* Item = Get(CurIndex);
  Get(NewIndex);
  if (CurIndex == NewIndex) return;
  Items.erase(Items.begin() + CurIndex);
  Items.insert(Items.begin() + NewIndex, Item);
}

void TList::Exchange(int Index1, int Index2) {
  Get(Index1);
  Get(Index2);
  std::swap(Items[At(Index1)], Items[At(Index2)]);
}

void TList::Pack() {
  std::erase(Items, nullptr);
}

void TList::Clear() {
  Items.clear();
  Items.shrink_to_fit();
}

void TList::Assign(const TList& Source) {
  if (&Source != this) Items = Source.Items;
}

void TList::Sort(TListSortCompare Compare) {
  if (GetCount() > 1) ListQuickSort(Items, 0, GetCount() - 1, Compare);
}
