#include "grid/YCells.h"

#include "grid/YCellsHolder.h"
#include "grid/YCellsUnions.h"
#include "grid/YCustomGrid.h"

// ---------------------------------------------------------------- TYCell

TYCell::TYCell(TYCellsVector* AColVector, TYCellsVector* ARowVector)
    : ColVector(AColVector), RowVector(ARowVector) {}

TYCell::~TYCell() {
  TYCustomGrid* Grid = OwnerGrid();
  if (Marked) RowVector->GetHolder()->FlagChanged(false);
  Grid->DoFreeCell(this);
  // The remembered focus cell must not outlive the cell: the grid then falls back to its
  // current position when the structural change closes.
  if (Grid->SavedFocusCell == this) Grid->SavedFocusCell = nullptr;
}

TYCustomGrid* TYCell::OwnerGrid() const {
  return RowVector->GetHolder()->GetOwnerGrid();
}

std::int32_t TYCell::GetHolderCol() const {
  return ColVector->GetHolderIndex();
}
std::int32_t TYCell::GetHolderRow() const {
  return RowVector->GetHolderIndex();
}
std::int32_t TYCell::GetGridCol() const {
  return ColVector->GetGridIndex();
}
std::int32_t TYCell::GetGridRow() const {
  return RowVector->GetGridIndex();
}

bool TYCell::GetUnioned() const {
  return Union && GridUnionIndex > -1 && GridUnionIndex < Union->GetGridUnionsCount();
}

TYGridUnion* TYCell::GetGridUnion() const {
  return GetUnioned() ? Union->GetGridUnions(GridUnionIndex) : nullptr;
}

bool TYCell::GetMarked() const {
  if (Marked) return true;
  return Union && Union->GetMarked();
}

void TYCell::SetMarked(bool Value) {
  TYCustomGrid* Grid = OwnerGrid();
  if (!Grid->GetOptions().Contains(ygoCellsMarking)) return;
  if (Value == Marked) return;
  if (ColVector->GetFixed() || RowVector->GetFixed()) return;
  if (Union) {
    Union->SetMarked(Value); // the whole union is marked together
    return;
  }
  if (!Grid->DoMarkCell(this, Value)) return;
  Marked = Value;
  bool Visible = ColVector->GetVisible() && RowVector->GetVisible();
  RowVector->GetHolder()->FlagChanged(Value);
  RowVector->GetHolder()->CountMark(Value, Visible);
  if (Visible) Grid->InvalidateCell(ColVector->GetGridIndex(), RowVector->GetGridIndex());
}

// ---------------------------------------------------------------- TYCellsVector

TYCellsVector::TYCellsVector(TYCellsHolder* AHolder, bool AIsColumn, bool AFixed, bool AVisible,
                             std::int32_t ASize, std::unique_ptr<TYRowCells> ARowCells)
    : Holder(AHolder), IsColumn(AIsColumn), Fixed(AFixed), Visible(AVisible), Size(ASize),
      RowCells(std::move(ARowCells)) {}

TYCellsVector::~TYCellsVector() {
  if (RowCells) {
    for (std::int32_t I = 0; I < RowCells->GetCount(); ++I)
      RowCells->Destroy(I); // column order
    RowCells.reset();
  }
  if (Marked) Holder->FlagChanged(false);
  OwnerGrid()->DoFreeCellsVector(this);
}

TYCustomGrid* TYCellsVector::OwnerGrid() const {
  return Holder->GetOwnerGrid();
}

void TYCellsVector::SetSize(std::int32_t Value) {
  if (Value != Size) Size = Value;
}

void TYCellsVector::SetMarked(bool Value) {
  TYCustomGrid* Grid = OwnerGrid();
  if (!Grid->GetOptions().Contains(IsColumn ? ygoColsMarking : ygoRowsMarking)) return;
  if (Fixed || Value == Marked) return;
  bool CanMark = IsColumn ? Grid->DoMarkCol(this, Value) : Grid->DoMarkRow(this, Value);
  if (!CanMark) return;
  Marked = Value;
  Holder->FlagChanged(Value);
  Holder->CountMark(Value, Visible);
  Holder->GetCellsUnions()->TryChangeMarked(this, Value);
  if (!Visible) return;
  if (IsColumn)
    Grid->InvalidateCol(GridIndex);
  else
    Grid->InvalidateRow(GridIndex);
}

void TYCellsVector::SetVisible(bool Value) {
  if (Value == Visible) return;
  TYCustomGrid* Grid = OwnerGrid();
  Holder->OpenSizeChange();
  Visible = Value;
  Grid->FullRepaint = true;
  if (IsColumn)
    Holder->EnumerateCols();
  else
    Holder->EnumerateRows();
  Holder->CloseSizeChange(false);
}
