// The framework's pointer lists: TList of untyped references, typed views of it, and an
// owning list. A list of references never owns its entries.
#pragma once

#include "Exceptions.h"

#include <memory>
#include <utility>
#include <vector>

// Compares two list entries: negative when Item1 belongs before Item2, 0 when equal, positive
// after.
using TListSortCompare = int (*)(void* Item1, void* Item2);

// Raises EListError "List index out of bounds (%d)" for Index.
[[noreturn]] void ListIndexError(int Index);
// Raises EListError "List capacity out of bounds (%d)" / "List count out of bounds (%d)".
[[noreturn]] void ListCapacityError(int Value);
[[noreturn]] void ListCountError(int Value);

template <class T> T* ListEntry(T* Entry) {
  return Entry;
}
template <class T> T* ListEntry(const std::unique_ptr<T>& Entry) {
  return Entry.get();
}

// What a sort reads ahead of its scans: nothing, unless a caller knows better.
struct TNoLookAhead {
  template <class Vec> void operator()(const Vec&, int, int) const {}
};

// The framework's list quicksort over Items[L..R]. It is not stable; the order in which it
// leaves entries that compare equal is part of its contract, so keep it exactly as it is:
// the pivot is the entry found at (L + R) / 2 when a range starts and stays that entry while
// entries are swapped; the left part recurses, the right part loops. Before each comparison
// of a scan, LookAhead(Items, I, Step) may fetch the entries the scan will reach next (Step is
// +1 going up, -1 going down); it must not change anything.
template <class Vec, class Cmp, class Ahead = TNoLookAhead>
void ListQuickSort(Vec& Items, int L, int R, Cmp& Compare, const Ahead& LookAhead = {}) {
  int I;
  do {
    I = L;
    int J = R;
    auto* Pivot = ListEntry(Items[(L + R) >> 1]);
    do {
      while (LookAhead(Items, I, 1), Compare(ListEntry(Items[I]), Pivot) < 0)
        ++I;
      while (LookAhead(Items, J, -1), Compare(ListEntry(Items[J]), Pivot) > 0)
        --J;
      if (I <= J) {
        std::swap(Items[I], Items[J]);
        ++I;
        --J;
      }
    } while (I <= J);
    if (L < J) ListQuickSort(Items, L, J, Compare, LookAhead);
    L = I;
  } while (I < R);
}

// An ordered list of untyped references. Indices are checked; a bad one raises EListError.
class TList : public TObject {
public:
  const char* ClassName() const override { return "TList"; }

  int GetCount() const { return static_cast<int>(Items.size()); }
  void SetCount(int NewCount); // grows with none entries, or truncates
  int GetCapacity() const { return static_cast<int>(Items.capacity()); }
  void SetCapacity(int NewCapacity); // below the count raises; shrinking releases memory

  void* Get(int Index) const;                                                     // checked
  void Put(int Index, void* Item);                                                // checked
  void* operator[](int Index) const { return Items[static_cast<size_t>(Index)]; } // unchecked

  int Add(void* Item);                // returns the new entry's index
  void Insert(int Index, void* Item); // 0 <= Index <= Count
  void Delete(int Index);
  int Remove(void* Item);    // removes the first occurrence; -1 when absent
  void* Extract(void* Item); // like Remove, answering the item or none
  int IndexOf(void* Item) const;
  void Move(int CurIndex, int NewIndex); // takes the entry out and inserts it at NewIndex
  void Exchange(int Index1, int Index2);
  void Pack(); // drops every none entry, keeping the order
  void Clear();
  void Assign(const TList& Source); // becomes a copy of Source's entries
  void* First() const { return Get(0); }
  void* Last() const { return Get(GetCount() - 1); }
  void Sort(TListSortCompare Compare); // the quicksort above over the whole list

  auto begin() const { return Items.begin(); }
  auto end() const { return Items.end(); }

protected:
  std::vector<void*> Items;
};

// A TList whose entries are all references to T; the typed reader saves the casts.
template <class T> class TListOf : public TList {
public:
  T* Get(int Index) const { return static_cast<T*>(TList::Get(Index)); }
  T* operator[](int Index) const { return static_cast<T*>(TList::operator[](Index)); }
  T* First() const { return Get(0); }
  T* Last() const { return Get(GetCount() - 1); }
  bool Contains(const T* Item) const { return IndexOf(const_cast<T*>(Item)) >= 0; }

  template <class Fn> void ForEach(Fn&& F) const {
    for (void* Item : Items)
      F(static_cast<T*>(Item));
  }
};

// A list that owns its entries. Destruction order is the owner's business: it can destroy
// single entries (leaving a hole that Pack removes) before the list goes.
template <class T> class TOwnedList {
public:
  int GetCount() const { return static_cast<int>(Items.size()); }
  void SetCapacity(int NewCapacity) {
    if (NewCapacity < GetCount()) ListCapacityError(NewCapacity);
    if (NewCapacity > static_cast<int>(Items.capacity()))
      Items.reserve(static_cast<size_t>(NewCapacity));
    else
      Items.shrink_to_fit();
  }

  T* Get(int Index) const {
    Check(Index);
    return Items[static_cast<size_t>(Index)].get();
  }
  T* operator[](int Index) const { return Items[static_cast<size_t>(Index)].get(); } // unchecked

  void Add(std::unique_ptr<T> Item) { Items.push_back(std::move(Item)); }
  void Insert(int Index, std::unique_ptr<T> Item) {
    if (Index < 0 || Index > GetCount()) ListIndexError(Index);
    Items.insert(Items.begin() + Index, std::move(Item));
  }
  // Takes entry Index out of the list and hands it to the caller.
  std::unique_ptr<T> Extract(int Index) {
    Check(Index);
    auto Item = std::move(Items[static_cast<size_t>(Index)]);
    Items.erase(Items.begin() + Index);
    return Item;
  }
  // Destroys entry Index and leaves a hole (a none entry) in its place.
  void Destroy(int Index) {
    Check(Index);
    Items[static_cast<size_t>(Index)].reset();
  }
  void Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    Check(NewIndex);
    auto Item = Extract(CurIndex);
    Items.insert(Items.begin() + NewIndex, std::move(Item));
  }
  int IndexOf(const T* Item) const {
    for (size_t I = 0; I < Items.size(); ++I)
      if (Items[I].get() == Item) return static_cast<int>(I);
    return -1;
  }
  // Destroys the entries from NewCount on, in increasing order, and shortens the list.
  void Truncate(int NewCount) {
    if (NewCount < 0) ListCountError(NewCount);
    if (NewCount >= GetCount()) return;
    for (size_t I = static_cast<size_t>(NewCount); I < Items.size(); ++I)
      Items[I].reset();
    Items.resize(static_cast<size_t>(NewCount));
  }
  void Pack() {
    std::erase_if(Items, [](const std::unique_ptr<T>& Item) { return !Item; });
  }
  // Destroys the entries from the last to the first.
  void Clear() {
    while (!Items.empty())
      Items.pop_back();
  }
  template <class Cmp> void Sort(int First, int Last, Cmp Compare) {
    if (First < Last) ListQuickSort(Items, First, Last, Compare);
  }

  auto begin() const { return Items.begin(); }
  auto end() const { return Items.end(); }

private:
  void Check(int Index) const {
    if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  }
  std::vector<std::unique_ptr<T>> Items;
};
