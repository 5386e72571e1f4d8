// The cell store: construction, resizing, fixed counts, enumeration, sizes and streaming.
#include "grid/CellsHolderAxis.h"

#include "host/classes/Filer.h"

#include <algorithm>

TYCellsHolder::Axis TYCellsHolder::ColAxis() {
  return {true,
          ColList,
          FixedCols,
          GridColCount,
          OwnerGrid->ColMap,
          OwnerGrid->FixedCols,
          OwnerGrid->ColCount,
          SFixedColTooBig};
}

TYCellsHolder::Axis TYCellsHolder::RowAxis() {
  return {false,
          RowList,
          FixedRows,
          GridRowCount,
          OwnerGrid->RowMap,
          OwnerGrid->FixedRows,
          OwnerGrid->RowCount,
          SFixedRowTooBig};
}

TYCellsHolder::TYCellsHolder(TYCustomGrid* AGrid) : OwnerGrid(AGrid) {
  CellsUnions = std::make_unique<TYCellsUnions>(this);
  DoChangeSize(5, 5);
}

TYCellsHolder::~TYCellsHolder() {
  UnionInvalidateLocked = true;
  CellsUnions.reset();
  MarkList.Clear();
  // The host sees every column freed first, then row by row the cells and the row.
  for (std::int32_t I = 0; I < ColList.GetCount(); ++I)
    ColList.Destroy(I);
  ColList.Clear();
  for (std::int32_t I = 0; I < RowList.GetCount(); ++I)
    RowList.Destroy(I);
  RowList.Clear();
}

std::unique_ptr<TYCellsVector> TYCellsHolder::NewVector(bool IsColumn, bool Visible) {
  std::int32_t Size = IsColumn ? OwnerGrid->DefaultColWidth : OwnerGrid->DefaultRowHeight;
  auto Cells = IsColumn ? nullptr : std::make_unique<TYRowCells>();
  // Fixed is settled by the next enumeration.
  return std::make_unique<TYCellsVector>(this, IsColumn, false, Visible, Size, std::move(Cells));
}

// ---------------------------------------------------------------- resizing

void TYCellsHolder::SetColCount(std::int32_t Value) {
  Value = std::max(Value, 1);
  if (Value != GetColCount()) ChangeSize(Value, GetRowCount());
}

void TYCellsHolder::SetRowCount(std::int32_t Value) {
  Value = std::max(Value, 1);
  if (Value != GetRowCount()) ChangeSize(GetColCount(), Value);
}

void TYCellsHolder::ChangeSize(std::int32_t NewColCount, std::int32_t NewRowCount) {
  OpenSizeChange();
  ResizeAxes(NewColCount, NewRowCount);
  CloseSizeChange(false);
}

void TYCellsHolder::DoChangeSize(std::int32_t NewColCount, std::int32_t NewRowCount) {
  ResizeAxes(NewColCount, NewRowCount);
  SettleMarks();
}

namespace {
std::int32_t FixedCountFor(std::int32_t Fixed, std::int32_t NewCount) {
  if (Fixed < NewCount) return Fixed;
  return NewCount > 1 ? NewCount - 1 : 0;
}
} // namespace

// The resize itself. Hook order: free hooks of removed columns; of removed rows (each after
// its cells); of the cells of removed columns in the remaining rows; init hooks of new
// columns; of new rows; of new cells, row by row.
void TYCellsHolder::ResizeAxes(std::int32_t NewColCount, std::int32_t NewRowCount) {
  NewColCount = std::max(NewColCount, 0);
  NewRowCount = std::max(NewRowCount, 0);
  const std::int32_t OldCols = GetColCount();
  const std::int32_t OldRows = GetRowCount();
  FixedCols = FixedCountFor(FixedCols, NewColCount);
  FixedRows = FixedCountFor(FixedRows, NewRowCount);
  RemoveCellsOfShrunkAxes(NewColCount, NewRowCount);

  if (NewColCount > OldCols) {
    ColList.SetCapacity(NewColCount);
    for (std::int32_t I = OldCols; I < NewColCount; ++I)
      ColList.Add(NewVector(true, true));
  } else {
    ColList.Truncate(NewColCount); // free hooks of the removed columns
  }
  if (NewRowCount < OldRows) RowList.Truncate(NewRowCount); // each row frees its cells first
  if (NewColCount < OldCols) {
    for (auto& Row : RowList)
      Row->RowCells->Truncate(NewColCount);
  }
  if (NewRowCount > OldRows) {
    RowList.SetCapacity(NewRowCount);
    for (std::int32_t I = OldRows; I < NewRowCount; ++I)
      RowList.Add(NewVector(false, true));
  }
  EnumerateCols();
  EnumerateRows();

  for (std::int32_t I = OldCols; I < GetColCount(); ++I)
    OwnerGrid->DoInitCellsVector(ColList[I]);
  for (std::int32_t I = OldRows; I < GetRowCount(); ++I)
    OwnerGrid->DoInitCellsVector(RowList[I]);
  if (NewColCount > OldCols || NewRowCount > OldRows) GrowCells(NewColCount);
}

// Takes the cells of the columns and rows about to be removed out of their unions.
void TYCellsHolder::RemoveCellsOfShrunkAxes(std::int32_t NewColCount, std::int32_t NewRowCount) {
  if (NewColCount >= GetColCount() && NewRowCount >= GetRowCount()) return;
  RemoveCellsFromUnions([=](const TYCell* Cell) {
    return Cell->GetHolderCol() >= NewColCount || Cell->GetHolderRow() >= NewRowCount;
  });
}

// New rows get all their cells, old rows the cells of the new columns, row by row.
void TYCellsHolder::GrowCells(std::int32_t NewColCount) {
  for (auto& Row : RowList)
    FillRowCells(Row.get(), NewColCount);
}

void TYCellsHolder::FillRowCells(TYCellsVector* Row, std::int32_t NewCount) {
  TYRowCells& Cells = *Row->RowCells;
  Cells.SetCapacity(NewCount);
  for (std::int32_t C = Cells.GetCount(); C < NewCount; ++C) {
    Cells.Add(std::make_unique<TYCell>(ColList[C], Row));
    OwnerGrid->DoInitCell(Cells[C]);
  }
}

// ---------------------------------------------------------------- the size-change bracket

void TYCellsHolder::OpenSizeChange() {
  OwnerGrid->SavedFocusCell = OwnerGrid->CurrentCellOrNone();
  OwnerGrid->PrepareChangeSize();
}

// Every structural change ends here. The mark lists are rebuilt first: the change may have
// destroyed marked items, moved marks into or out of the fixed area or changed which marked
// items are visible, and the counts must be exact before the host hears of the new focus.
void TYCellsHolder::CloseSizeChange(bool FullRepaint) {
  if (FullRepaint) OwnerGrid->FullRepaint = true;
  SettleMarks();
  OwnerGrid->DoChangeSize();
}

// ---------------------------------------------------------------- fixed counts

void TYCellsHolder::SetFixedCols(std::int32_t Value) {
  SetFixedCount(ColAxis(), Value);
}
void TYCellsHolder::SetFixedRows(std::int32_t Value) {
  SetFixedCount(RowAxis(), Value);
}

void TYCellsHolder::SetFixedCount(const Axis& A, std::int32_t Value) {
  if (Value == A.Fixed) return;
  if (Value < 0) GridError(this, SGridIndexOutOfRange);
  if (Value >= A.List.GetCount()) GridError(this, A.FixedTooBig);
  A.Fixed = Value;
  Enumerate(A);  // also rewrites every vector's Fixed flag
  SettleMarks(); // marked vectors may have entered or left the fixed area
  OwnerGrid->Initialize();
  OwnerGrid->InvalidateGrid();
}

// ---------------------------------------------------------------- enumeration

void TYCellsHolder::EnumerateCols() {
  Enumerate(ColAxis());
}
void TYCellsHolder::EnumerateRows() {
  Enumerate(RowAxis());
}

void TYCellsHolder::Enumerate(const Axis& A) {
  A.GridMap.clear();
  A.GridMap.reserve(static_cast<size_t>(A.List.GetCount()));
  std::int32_t VisibleFixed = 0;
  for (std::int32_t I = 0; I < A.List.GetCount(); ++I) {
    TYCellsVector* V = A.List[I];
    V->HolderIndex = I;
    V->Fixed = I < A.Fixed;
    if (!V->Visible) {
      V->GridIndex = -1;
      continue;
    }
    V->GridIndex = static_cast<std::int32_t>(A.GridMap.size());
    A.GridMap.push_back(I);
    if (V->Fixed) ++VisibleFixed;
  }
  A.GridCount = static_cast<std::int32_t>(A.GridMap.size());
  // With no visible vector at all the grid's fixed count is -1.
  A.GridFixed = std::min(VisibleFixed, A.GridCount - 1);
  A.GridVisibleCount = A.GridCount;
  OwnerGrid->KeepTopLeftScrollable();
  CellsUnions->Refresh();
}

// ---------------------------------------------------------------- sizes, vectors, cells

void TYCellsHolder::SetColWidths(std::int32_t Index, std::int32_t Value) {
  SetVectorSize(ColAxis(), Index, Value);
}

void TYCellsHolder::SetRowHeights(std::int32_t Index, std::int32_t Value) {
  SetVectorSize(RowAxis(), Index, Value);
}

void TYCellsHolder::SetVectorSize(const Axis& A, std::int32_t Index, std::int32_t Value) {
  if (Index >= A.List.GetCount()) GridError(this, SGridIndexOutOfRange);
  TYCellsVector* V = A.List.Get(Index); // a negative index raises the list's own error
  if (V->Size == Value) return;
  if (A.IsColumn)
    OwnerGrid->ResizeCol(V->GridIndex, V->Size, Value);
  else
    OwnerGrid->ResizeRow(V->GridIndex, V->Size, Value);
  V->Size = Value;
  if (A.IsColumn)
    OwnerGrid->ColWidthsChanged();
  else
    OwnerGrid->RowHeightsChanged();
}

TYCellsVector* TYCellsHolder::GetCols(std::int32_t Index) const {
  if (Index < 0 || Index >= GetColCount()) GridError(this, SGridIndexOutOfRange);
  return ColList[Index];
}

TYCellsVector* TYCellsHolder::GetRows(std::int32_t Index) const {
  if (Index < 0 || Index >= GetRowCount()) GridError(this, SGridIndexOutOfRange);
  return RowList[Index];
}

TYCell* TYCellsHolder::GetCells(std::int32_t ACol, std::int32_t ARow) const {
  if (ACol < 0 || ACol >= GetColCount() || ARow < 0 || ARow >= GetRowCount())
    GridError(this, SGridIndexOutOfRange);
  return (*RowList[ARow]->RowCells)[ACol];
}

// ---------------------------------------------------------------- streaming

void TYCellsHolder::DefineProperties(TFiler& Filer) {
  TPersistent::DefineProperties(Filer);
  Filer.DefineProperty(
      "ColWidths", [this](TReader& R) { ReadColWidths(R); },
      [this](TWriter& W) { WriteColWidths(W); }, true);
  Filer.DefineProperty(
      "RowHeights", [this](TReader& R) { ReadRowHeights(R); },
      [this](TWriter& W) { WriteRowHeights(W); }, true);
}

void TYCellsHolder::ReadColWidths(TReader& Reader) {
  ReadSizes(Reader, true);
}
void TYCellsHolder::ReadRowHeights(TReader& Reader) {
  ReadSizes(Reader, false);
}
void TYCellsHolder::WriteColWidths(TWriter& Writer) const {
  WriteSizes(Writer, true);
}
void TYCellsHolder::WriteRowHeights(TWriter& Writer) const {
  WriteSizes(Writer, false);
}

// Reads exactly one size per vector. The whole list is read and checked before any size is
// applied, so a list of the wrong length fails without changing the store.
void TYCellsHolder::ReadSizes(TReader& Reader, bool Columns) {
  const std::int32_t Count = Columns ? GetColCount() : GetRowCount();
  std::vector<std::int32_t> Sizes(static_cast<size_t>(Count));
  Reader.ReadListBegin();
  for (auto& Size : Sizes) {
    if (Reader.EndOfList()) TReader::PropValueError();
    Size = Reader.ReadInteger();
  }
  Reader.ReadListEnd();
  (Columns ? ColWidthsRead : RowHeightsRead) = true;
  for (std::int32_t I = 0; I < Count; ++I) {
    if (Columns)
      SetColWidths(I, Sizes[static_cast<size_t>(I)]);
    else
      SetRowHeights(I, Sizes[static_cast<size_t>(I)]);
  }
}

void TYCellsHolder::WriteSizes(TWriter& Writer, bool Columns) const {
  const TOwnedList<TYCellsVector>& List = Columns ? ColList : RowList;
  Writer.WriteListBegin();
  for (const auto& V : List)
    Writer.WriteInteger(V->GetSize());
  Writer.WriteListEnd();
}
