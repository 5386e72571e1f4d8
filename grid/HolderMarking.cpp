// Which items are marked, clearing all marks, and sorting the rows.
//
// Marks live in the objects. The lists of marked items are rebuilt only when read after a
// change (MarkListDirty); in between, MarkCount and the grid's GridMarkCount are kept exact by
// every change of a mark, so counting never rebuilds.
#include "grid/HolderSteps.h"

std::int32_t TYCellsHolder::GetMarkedCount() const {
  return MarkListDirty ? MarkCount : MarkList.GetCount();
}

TObject* TYCellsHolder::MarkedItem(std::int32_t Index, TYGridOption Option) {
  if (MarkListDirty) GenerateMarkList();
  if (Index < 0 || Index >= MarkList.GetCount()) GridError(this, SGridIndexOutOfRange);
  if (!Client->StoreOptions().Contains(Option)) return nullptr;
  return static_cast<TObject*>(MarkList[Index]);
}

TYCellsVector* TYCellsHolder::GetMarkedCols(std::int32_t Index) {
  return static_cast<TYCellsVector*>(MarkedItem(Index, ygoColsMarking));
}

TYCellsVector* TYCellsHolder::GetMarkedRows(std::int32_t Index) {
  return static_cast<TYCellsVector*>(MarkedItem(Index, ygoRowsMarking));
}

TYCell* TYCellsHolder::GetMarkedCells(std::int32_t Index) {
  return static_cast<TYCell*>(MarkedItem(Index, ygoCellsMarking));
}

// One successful change of a mark of an item whose visibility is Visible.
void TYCellsHolder::CountMark(bool Value, bool Visible) {
  const std::int32_t Delta = Value ? 1 : -1;
  MarkListDirty = true;
  MarkCount += Delta;
  if (Visible) GridMarkCount += Delta;
}

bool TYCellsHolder::InMarkArea(const TYCell* Cell) const {
  return Cell->GetHolderCol() >= Cols.Fixed && Cell->GetHolderRow() >= Rows.Fixed;
}

void TYCellsHolder::FlagChanged(bool Value) {
  MarkedFlags += Value ? 1 : -1;
}

// The lists after a structural change. With no mark flag set anywhere they are empty and the
// counts 0 without a pass over the store, which keeps editing large unmarked tables cheap.
void TYCellsHolder::SettleMarks() {
  if (MarkedFlags > 0) {
    GenerateMarkList();
    return;
  }
  MarkList.Clear();
  GridMarkList.Clear();
  MarkCount = 0;
  GridMarkCount = 0;
  MarkListDirty = false;
}

// A cell's own flag changed outside its setter (a union marked its cells): count it when
// cells are what is being marked and the cell lies where the lists look.
void TYCellsHolder::CellOwnMarkChanged(const TYCell* Cell, bool Value) {
  FlagChanged(Value);
  if (!Client->StoreOptions().Contains(ygoCellsMarking) || !InMarkArea(Cell)) return;
  CountMark(Value, Cell->ColVector->Visible && Cell->RowVector->Visible);
}

void TYCellsHolder::ClearMark() {
  for (TYCellsVector* Col : Cols.List) {
    Col->Marked = false;
    for (TYCellsVector* Row : Rows.List)
      CellAt(Col, Row)->Marked = false;
  }
  for (TYCellsVector* Row : Rows.List)
    Row->Marked = false;
  // A union's shared mark goes too: left set, it would keep showing its cells marked after
  // every mark was cleared, until some later refresh.
  for (const auto& Union : CellsUnions->UnionList)
    Union->Marked = false;
  MarkedFlags = 0;
  MarkList.Clear();
  GridMarkList.Clear();
  MarkListDirty = false;
  MarkCount = 0;
  GridMarkCount = 0;
  Client->MarksCleared();
}

namespace {
// Lists the marked vectors of List from holder index First on.
void ListMarkedVectors(const TYCellsAxis& A, TList& All, TList& Shown) {
  All.SetCapacity(A.GetCount());
  Shown.SetCapacity(A.GetGridCount());
  for (std::int32_t I = A.GetFixed(); I < A.GetCount(); ++I) {
    TYCellsVector* V = A[I];
    if (!V->GetMarked()) continue;
    All.Add(V);
    if (V->GetVisible()) Shown.Add(V);
  }
}
} // namespace

void TYCellsHolder::GenerateMarkList() {
  MarkList.Clear();
  GridMarkList.Clear();
  const TYGridOptions Options = Client->StoreOptions();
  if (Options.Contains(ygoRowsMarking))
    ListMarkedVectors(Rows, MarkList, GridMarkList);
  else if (Options.Contains(ygoColsMarking))
    ListMarkedVectors(Cols, MarkList, GridMarkList);
  else if (Options.Contains(ygoCellsMarking))
    ListMarkedCells();
  MarkCount = MarkList.GetCount();
  GridMarkCount = GridMarkList.GetCount();
  MarkListDirty = false;
}

// Cells by their own flags, row by row; the room reserved grows with the marks found rather
// than with the number of cells, which can be large.
void TYCellsHolder::ListMarkedCells() {
  for (std::int32_t R = Rows.Fixed; R < GetRowCount(); ++R) {
    const TYCellsVector* Row = Rows[R];
    for (std::int32_t C = Cols.Fixed; C < GetColCount(); ++C) {
      TYCell* Cell = CellAt(Cols[C], Row);
      if (!Cell->Marked) continue;
      MarkList.Add(Cell);
      if (Row->Visible && Cell->ColVector->Visible) GridMarkList.Add(Cell);
    }
  }
}

namespace {
// The rows a sort's scans will reach are fetched into the cache ahead of them: with a million
// rows nearly every comparison would otherwise wait for memory. Two stages, because a
// comparison usually reads what a row's user data points at: the row itself far ahead, and the
// data of a row nearer, whose own fetch has arrived by then. The comparisons themselves, and so
// the order, stay exactly the quicksort's.
struct TRowLookAhead {
  static constexpr int RowDistance = 32;  // comparisons
  static constexpr int DataDistance = 16; // comparisons
  void operator()(const std::vector<TYCellsVector*>& Rows, int I, int Step) const {
    if (const TYCellsVector* Row = At(Rows, I + Step * RowDistance)) __builtin_prefetch(Row);
    if (const TYCellsVector* Row = At(Rows, I + Step * DataDistance))
      __builtin_prefetch(Row->GetData());
  }
  static const TYCellsVector* At(const std::vector<TYCellsVector*>& Rows, int I) {
    return I >= 0 && I < static_cast<int>(Rows.size()) ? Rows[static_cast<std::size_t>(I)] : nullptr;
  }
};
} // namespace

// The rows are reordered in place by the framework's quicksort; no cell moves. A comparison
// that raises leaves the rows half sorted: they are numbered again so that the store stays
// consistent, and the error goes on.
void TYCellsHolder::Sort(TListSortCompare Compare, bool KeepFixed) {
  Client->RowsSorting();
  const std::int32_t First = KeepFixed ? Rows.Fixed : 0;
  const std::int32_t Last = GetRowCount() - 1;
  try {
    if (First < Last) ListQuickSort(Rows.List, First, Last, Compare, TRowLookAhead{});
  } catch (...) {
    Enumerate(Rows);
    SettleMarks();
    Client->RowsSorted(false);
    throw;
  }
  Enumerate(Rows);
  SettleMarks(); // new order, and with KeepFixed false a new fixed area
  Client->RowsSorted(true);
}
