// Which items are marked, clearing all marks, and sorting the rows.
//
// Marks live in the objects. The lists of marked items are rebuilt only when read after a
// change (MarkListDirty); in between, MarkCount and the grid's GridMarkCount are kept exact by
// every change of a mark, so counting never rebuilds.
#include "grid/CellsHolderAxis.h"

std::int32_t TYCellsHolder::GetMarkedCount() const {
  return MarkListDirty ? MarkCount : MarkList.GetCount();
}

TObject* TYCellsHolder::MarkedItem(std::int32_t Index, TYGridOption Option) {
  if (MarkListDirty) GenerateMarkList();
  if (Index < 0 || Index >= MarkList.GetCount()) GridError(this, SGridIndexOutOfRange);
  if (!OwnerGrid->Options.Contains(Option)) return nullptr;
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
  if (Visible) OwnerGrid->GridMarkCount += Delta;
}

bool TYCellsHolder::InMarkArea(const TYCell* Cell) const {
  return Cell->GetHolderCol() >= FixedCols && Cell->GetHolderRow() >= FixedRows;
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
  OwnerGrid->GridMarkList.Clear();
  MarkCount = 0;
  OwnerGrid->GridMarkCount = 0;
  MarkListDirty = false;
}

// A cell's own flag changed outside its setter (a union marked its cells): count it when
// cells are what is being marked and the cell lies where the lists look.
void TYCellsHolder::CellOwnMarkChanged(const TYCell* Cell, bool Value) {
  FlagChanged(Value);
  if (!OwnerGrid->Options.Contains(ygoCellsMarking) || !InMarkArea(Cell)) return;
  CountMark(Value, Cell->ColVector->Visible && Cell->RowVector->Visible);
}

void TYCellsHolder::ClearMark() {
  for (const auto& Col : ColList)
    Col->Marked = false;
  for (const auto& Row : RowList) {
    Row->Marked = false;
    for (const auto& Cell : *Row->RowCells)
      Cell->Marked = false;
  }
  // A union's shared mark goes too: left set, it would keep showing its cells marked after
  // every mark was cleared, until some later refresh.
  for (const auto& Union : CellsUnions->UnionList)
    Union->Marked = false;
  MarkedFlags = 0;
  MarkList.Clear();
  OwnerGrid->GridMarkList.Clear();
  MarkListDirty = false;
  MarkCount = 0;
  OwnerGrid->GridMarkCount = 0;
  OwnerGrid->InvalidateGrid();
}

namespace {
// Lists the marked vectors of List from holder index First on.
void ListMarkedVectors(const TOwnedList<TYCellsVector>& List, std::int32_t First, TList& All,
                       TList& Shown) {
  for (std::int32_t I = First; I < List.GetCount(); ++I) {
    TYCellsVector* V = List[I];
    if (!V->GetMarked()) continue;
    All.Add(V);
    if (V->GetVisible()) Shown.Add(V);
  }
}
} // namespace

void TYCellsHolder::GenerateMarkList() {
  TList& Shown = OwnerGrid->GridMarkList;
  MarkList.Clear();
  Shown.Clear();
  const TYGridOptions Options = OwnerGrid->Options;
  if (Options.Contains(ygoRowsMarking)) {
    MarkList.SetCapacity(GetRowCount());
    Shown.SetCapacity(OwnerGrid->RowCount);
    ListMarkedVectors(RowList, FixedRows, MarkList, Shown);
  } else if (Options.Contains(ygoColsMarking)) {
    MarkList.SetCapacity(GetColCount());
    Shown.SetCapacity(OwnerGrid->ColCount);
    ListMarkedVectors(ColList, FixedCols, MarkList, Shown);
  } else if (Options.Contains(ygoCellsMarking)) {
    ListMarkedCells();
  }
  MarkCount = MarkList.GetCount();
  OwnerGrid->GridMarkCount = Shown.GetCount();
  MarkListDirty = false;
}

// Cells by their own flags, row by row; the room reserved grows with the marks found rather
// than with the number of cells, which can be large.
void TYCellsHolder::ListMarkedCells() {
  TList& Shown = OwnerGrid->GridMarkList;
  for (std::int32_t R = FixedRows; R < GetRowCount(); ++R) {
    const TYCellsVector* Row = RowList[R];
    for (std::int32_t C = FixedCols; C < GetColCount(); ++C) {
      TYCell* Cell = (*Row->RowCells)[C];
      if (!Cell->Marked) continue;
      MarkList.Add(Cell);
      if (Row->Visible && Cell->ColVector->Visible) Shown.Add(Cell);
    }
  }
}

void TYCellsHolder::Sort(TListSortCompare Compare, bool KeepFixed) {
  OwnerGrid->SavedFocusCell = OwnerGrid->CurrentCellOrNone();
  const std::int32_t First = KeepFixed ? FixedRows : 0;
  try {
    RowList.Sort(First, GetRowCount() - 1,
                 [Compare](TYCellsVector* A, TYCellsVector* B) { return Compare(A, B); });
  } catch (...) {
    // A comparison that raises leaves the rows half sorted: number them again so that the
    // store stays consistent, then let the error go on. Other rows now show at the current
    // position, so its extent is recomputed too.
    EnumerateRows();
    SettleMarks();
    OwnerGrid->SavedFocusCell = nullptr;
    OwnerGrid->RefreshCurrentRect();
    throw;
  }
  EnumerateRows();
  SettleMarks(); // new order, and with KeepFixed false a new fixed area
  OwnerGrid->InvalidateGrid();
  TYCell* Saved = OwnerGrid->SavedFocusCell;
  OwnerGrid->SavedFocusCell = nullptr;
  // The focus follows its cell to the row's new place; the pieces were cut anew, so the
  // current cell's extent is recomputed even when its position did not change.
  if (Saved && !Saved->RowVector->Fixed && Saved->GetGridRow() >= 0)
    OwnerGrid->SetRow(Saved->GetGridRow());
  OwnerGrid->RefreshCurrentRect();
  OwnerGrid->ReportTopLeftPull();
}
