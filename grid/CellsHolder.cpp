// The cell store: construction and destruction, where vectors and cells are kept, resizing,
// the size-change bracket, fixed counts, enumeration, sizes and streaming.
//
// Vectors live in slot arrays of their axis; the cells of a column live in that column's slot
// array, at the slots of their rows. A cell therefore never moves: moving or sorting vectors
// only reorders the axes' lists, and a column move touches no row.
#include "grid/HolderSteps.h"

#include "host/classes/Filer.h"

#include <algorithm>
#include <new>

namespace {
// The client of a store on its own: no hooks, every mark allowed, nothing shown.
TYCellsHolderClient SilentClient;

std::int32_t FixedCountFor(std::int32_t Fixed, std::int32_t NewCount) {
  if (Fixed < NewCount) return Fixed;
  return NewCount > 1 ? NewCount - 1 : 0;
}
} // namespace

TYCellsHolder::TYCellsHolder(TYCustomGrid* AGrid, TYCellsHolderClient* AClient)
    : OwnerGrid(AGrid), Client(AClient ? AClient : &SilentClient) {
  CellsUnions = std::make_unique<TYCellsUnions>(this);
  DoChangeSize(5, 5);
}

TYCellsHolder::TYCellsHolder(TYCellsHolderClient* AClient) : TYCellsHolder(nullptr, AClient) {}

// The host sees every column freed first, then row by row the cells and the row. A destructor
// cannot pass an error on: a hook that raises does not keep the others from running. Cells and
// vectors hold nothing of their own, so their memory simply goes with the storage.
TYCellsHolder::~TYCellsHolder() {
  UnionInvalidateLocked = true;
  CellsUnions.reset();
  MarkList.Clear();
  GridMarkList.Clear();
  YGridsDetail::TRunAll Run;
  for (TYCellsVector* Col : Cols.List)
    Run([&] { Client->FreeVector(Col); });
  for (TYCellsVector* Row : Rows.List) {
    for (TYCellsVector* Col : Cols.List)
      Run([&] { Client->FreeCell(CellAt(Col, Row)); });
    Run([&] { Client->FreeVector(Row); });
  }
}

TYCellsVector* TYCellsHolder::CheckedVector(const TYCellsAxis& A, std::int32_t Index) {
  if (Index < 0 || Index >= A.GetCount()) ListIndexError(Index);
  return A[Index];
}

// ---------------------------------------------------------------- storage

// Room for the vectors and cells of a store of NewCols x NewRows, taken before anything
// changes: a growth either gets all the memory it needs or changes nothing.
void TYCellsHolder::ReserveGrowth(std::int32_t NewCols, std::int32_t NewRows) {
  const std::int32_t AddCols = std::max(NewCols - GetColCount(), 0);
  const std::int32_t AddRows = std::max(NewRows - GetRowCount(), 0);
  if (AddCols == 0 && AddRows == 0) return;
  const std::int32_t ColSlots = Cols.SlotsAfter(AddCols);
  const std::int32_t RowSlots = Rows.SlotsAfter(AddRows);
  for (TYCellsAxis* A : {&Cols, &Rows}) {
    const std::int32_t Count = A == &Cols ? NewCols : NewRows;
    const std::int32_t Slots = A == &Cols ? ColSlots : RowSlots;
    A->List.reserve(static_cast<std::size_t>(std::max(Count, A->GetCount())));
    A->GridMap.reserve(A->List.capacity());
    A->Vectors.Reserve(Slots);
    A->FreeSlots.reserve(static_cast<std::size_t>(Slots));
  }
  CellColumns.reserve(static_cast<std::size_t>(ColSlots));
  while (CellColumns.size() < static_cast<std::size_t>(ColSlots))
    CellColumns.emplace_back();
  for (const TYCellsVector* Col : Cols.List)
    CellColumns[static_cast<std::size_t>(Col->Slot)].Reserve(RowSlots);
  // The slots new columns will take: free ones from the back of the list, then fresh ones.
  const std::size_t Reused = std::min(Cols.FreeSlots.size(), static_cast<std::size_t>(AddCols));
  for (std::size_t K = 1; K <= Reused; ++K)
    CellColumns[static_cast<std::size_t>(Cols.FreeSlots[Cols.FreeSlots.size() - K])].Reserve(
        RowSlots);
  for (std::int32_t Slot = Cols.SlotsUsed; Slot < ColSlots; ++Slot)
    CellColumns[static_cast<std::size_t>(Slot)].Reserve(RowSlots);
}

void TYCellsHolder::ReserveOrRaise(std::int32_t NewCols, std::int32_t NewRows) {
  try {
    ReserveGrowth(NewCols, NewRows);
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(std::string(ClassName()) + "::Not enough memory for " +
                       std::to_string(NewCols) + " columns and " + std::to_string(NewRows) +
                       " rows of cells");
  }
}

// Takes a slot and builds a vector in it; the room must be reserved.
TYCellsVector* TYCellsHolder::NewVector(TYCellsAxis& A, bool Visible) {
  const std::int32_t Slot = A.TakeSlot();
  // Fixed is settled by the next enumeration.
  return A.Vectors.Construct(Slot, this, A.IsColumn, false, Visible,
                             Client->DefaultSize(A.IsColumn), Slot);
}

void TYCellsHolder::NewCell(TYCellsVector* Col, TYCellsVector* Row) {
  CellColumns[static_cast<std::size_t>(Col->Slot)].Construct(Row->Slot, Col, Row);
}

void TYCellsHolder::DestroyCell(TYCellsVector* Col, TYCellsVector* Row) {
  TYCell* Cell = CellAt(Col, Row);
  if (Cell->Marked) FlagChanged(false);
  Client->CellDestroyed(Cell);
  CellColumns[static_cast<std::size_t>(Col->Slot)].Destroy(Row->Slot);
}

// A column's cells must be gone already.
void TYCellsHolder::DestroyVector(TYCellsVector* V) {
  TYCellsAxis& A = AxisOf(V->IsColumn);
  const std::int32_t Slot = V->Slot;
  if (V->Marked) FlagChanged(false);
  A.Vectors.Destroy(Slot);
  if (A.IsColumn) CellColumns[static_cast<std::size_t>(Slot)].Release();
  A.ReleaseSlot(Slot);
}

// Destroys what a change took out of the store; its free hooks have run.
void TYCellsHolder::DestroyDoomed(TDoomed& Doomed) {
  for (TYCellsVector* Row : Doomed.Rows)
    for (TYCellsVector* Col : Doomed.ColsOfRows)
      DestroyCell(Col, Row);
  for (TYCellsVector* Row : Doomed.RowsOfCols)
    for (TYCellsVector* Col : Doomed.Cols)
      DestroyCell(Col, Row);
  for (TYCellsVector* V : Doomed.Cols)
    DestroyVector(V);
  for (TYCellsVector* V : Doomed.Rows)
    DestroyVector(V);
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
  // The memory is taken before the bracket opens, so that a failure changes nothing at all.
  ReserveOrRaise(std::max(NewColCount, 0), std::max(NewRowCount, 0));
  Bracketed(false, [&] { ResizeAxes(NewColCount, NewRowCount); });
}

void TYCellsHolder::DoChangeSize(std::int32_t NewColCount, std::int32_t NewRowCount) {
  ResizeAxes(NewColCount, NewRowCount);
  SettleMarks();
}

// The resize: the store takes its new shape first, then the hooks run. Hook order: free hooks
// of removed columns; of removed rows (each after its cells); of the cells of removed columns
// in the remaining rows; init hooks of new columns; of new rows; of new cells, row by row.
void TYCellsHolder::ResizeAxes(std::int32_t NewColCount, std::int32_t NewRowCount) {
  NewColCount = std::max(NewColCount, 0);
  NewRowCount = std::max(NewRowCount, 0);
  const std::int32_t OldCols = GetColCount();
  const std::int32_t OldRows = GetRowCount();
  ReserveOrRaise(NewColCount, NewRowCount);
  Cols.Fixed = FixedCountFor(Cols.Fixed, NewColCount);
  Rows.Fixed = FixedCountFor(Rows.Fixed, NewRowCount);
  RemoveCellsOfShrunkAxes(NewColCount, NewRowCount);
  TDoomed Doomed;
  Doomed.ColsOfRows = Cols.List;
  DetachTail(Cols, NewColCount, Doomed);
  DetachTail(Rows, NewRowCount, Doomed);
  if (!Doomed.Cols.empty()) Doomed.RowsOfCols = Rows.List;
  Grow(NewColCount, NewRowCount);
  Enumerate(Cols);
  Enumerate(Rows);

  YGridsDetail::TRunAll Run;
  for (TYCellsVector* Col : Doomed.Cols)
    Run([&] { Client->FreeVector(Col); });
  for (TYCellsVector* Row : Doomed.Rows) {
    for (TYCellsVector* Col : Doomed.ColsOfRows)
      Run([&] { Client->FreeCell(CellAt(Col, Row)); });
    Run([&] { Client->FreeVector(Row); });
  }
  for (TYCellsVector* Row : Doomed.RowsOfCols)
    for (TYCellsVector* Col : Doomed.Cols)
      Run([&] { Client->FreeCell(CellAt(Col, Row)); });
  DestroyDoomed(Doomed);
  Run.RaiseFirst();
  InitGrown(OldCols, OldRows);
}

// Takes the cells of the columns and rows about to be removed out of their unions.
void TYCellsHolder::RemoveCellsOfShrunkAxes(std::int32_t NewColCount, std::int32_t NewRowCount) {
  if (NewColCount >= GetColCount() && NewRowCount >= GetRowCount()) return;
  RemoveCellsFromUnions([=](const TYCell* Cell) {
    return Cell->GetHolderCol() >= NewColCount || Cell->GetHolderRow() >= NewRowCount;
  });
}

// Takes the vectors from NewCount on out of the axis.
void TYCellsHolder::DetachTail(TYCellsAxis& A, std::int32_t NewCount, TDoomed& Doomed) {
  if (NewCount >= A.GetCount()) return;
  auto& Into = A.IsColumn ? Doomed.Cols : Doomed.Rows;
  Into.assign(A.List.begin() + NewCount, A.List.end());
  A.List.resize(static_cast<std::size_t>(NewCount));
}

// New vectors at the ends of both axes; the old rows get the cells of the new columns, the new
// rows all their cells. The room was reserved, so nothing here fails.
void TYCellsHolder::Grow(std::int32_t NewColCount, std::int32_t NewRowCount) {
  const std::int32_t OldCols = GetColCount();
  const std::int32_t OldRows = GetRowCount();
  while (GetColCount() < NewColCount)
    Cols.List.push_back(NewVector(Cols, true));
  while (GetRowCount() < NewRowCount)
    Rows.List.push_back(NewVector(Rows, true));
  for (std::int32_t R = 0; R < GetRowCount(); ++R)
    for (std::int32_t C = R < OldRows ? OldCols : 0; C < GetColCount(); ++C)
      NewCell(Cols[C], Rows[R]);
}

// Init hooks of what a resize created: columns, rows, then the new cells row by row.
void TYCellsHolder::InitGrown(std::int32_t OldCols, std::int32_t OldRows) {
  for (std::int32_t C = OldCols; C < GetColCount(); ++C)
    Client->InitVector(Cols[C]);
  for (std::int32_t R = OldRows; R < GetRowCount(); ++R)
    Client->InitVector(Rows[R]);
  for (std::int32_t R = 0; R < GetRowCount(); ++R)
    for (std::int32_t C = R < OldRows ? OldCols : 0; C < GetColCount(); ++C)
      Client->InitCell(CellAt(Cols[C], Rows[R]));
}

// ---------------------------------------------------------------- the size-change bracket

void TYCellsHolder::OpenSizeChange() {
  Client->StructureChanging();
}

// Every structural change ends here. The mark lists are rebuilt first: the change may have
// destroyed marked items, moved marks into or out of the fixed area or changed which marked
// items are visible, and the counts must be exact before the host hears of the new focus.
void TYCellsHolder::CloseSizeChange(bool FullRepaint) {
  SettleMarks();
  Client->StructureChanged(FullRepaint);
}

// ---------------------------------------------------------------- fixed counts

void TYCellsHolder::SetFixedCols(std::int32_t Value) {
  SetFixedCount(Cols, Value);
}
void TYCellsHolder::SetFixedRows(std::int32_t Value) {
  SetFixedCount(Rows, Value);
}

void TYCellsHolder::SetFixedCount(TYCellsAxis& A, std::int32_t Value) {
  if (Value == A.Fixed) return;
  if (Value < 0) GridError(this, SGridIndexOutOfRange);
  if (Value >= A.GetCount()) GridError(this, A.IsColumn ? SFixedColTooBig : SFixedRowTooBig);
  A.Fixed = Value;
  Enumerate(A);  // also rewrites every vector's Fixed flag
  SettleMarks(); // marked vectors may have entered or left the fixed area
  Client->FixedCountChanged(A.IsColumn);
}

// ---------------------------------------------------------------- enumeration

void TYCellsHolder::EnumerateCols() {
  Enumerate(Cols);
}
void TYCellsHolder::EnumerateRows() {
  Enumerate(Rows);
}

void TYCellsHolder::Enumerate(TYCellsAxis& A) {
  A.Enumerate();
  ++LayoutVersion;
  Client->AxisEnumerated(A.IsColumn);
  CellsUnions->Refresh();
}

// ---------------------------------------------------------------- sizes, vectors, cells

void TYCellsHolder::SetColWidths(std::int32_t Index, std::int32_t Value) {
  SetVectorSize(Cols, Index, Value);
}

void TYCellsHolder::SetRowHeights(std::int32_t Index, std::int32_t Value) {
  SetVectorSize(Rows, Index, Value);
}

void TYCellsHolder::SetVectorSize(TYCellsAxis& A, std::int32_t Index, std::int32_t Value) {
  if (Index >= A.GetCount()) GridError(this, SGridIndexOutOfRange);
  TYCellsVector* V = CheckedVector(A, Index); // a negative index raises the list's own error
  if (V->Size == Value) return;
  const std::int32_t Old = V->Size;
  V->Size = Value;
  VectorSizeChanged(V);
  Client->VectorResized(V, Old);
}

void TYCellsHolder::VectorSizeChanged(const TYCellsVector* V) {
  if (!V->Visible) return; // the sums cover the visible vectors only
  AxisOf(V->IsColumn).SizesChanged();
  ++LayoutVersion;
}

void TYCellsHolder::SetAllSizes(bool IsColumn, std::int32_t Value) {
  TYCellsAxis& A = AxisOf(IsColumn);
  for (TYCellsVector* V : A.List)
    V->Size = Value;
  A.SizesChanged();
  ++LayoutVersion;
}

TYCellsVector* TYCellsHolder::GetCols(std::int32_t Index) const {
  if (Index < 0 || Index >= GetColCount()) GridError(this, SGridIndexOutOfRange);
  return Cols[Index];
}

TYCellsVector* TYCellsHolder::GetRows(std::int32_t Index) const {
  if (Index < 0 || Index >= GetRowCount()) GridError(this, SGridIndexOutOfRange);
  return Rows[Index];
}

TYCell* TYCellsHolder::GetCells(std::int32_t ACol, std::int32_t ARow) const {
  if (ACol < 0 || ACol >= GetColCount() || ARow < 0 || ARow >= GetRowCount())
    GridError(this, SGridIndexOutOfRange);
  return CellAt(Cols[ACol], Rows[ARow]);
}

std::int32_t TYRowCells::GetCount() const {
  return Row ? Holder->GetColCount() : 0;
}

TYCell* TYRowCells::Get(std::int32_t Index) const {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  return (*this)[Index];
}

TYCell* TYRowCells::operator[](std::int32_t Index) const {
  return Holder->CellAt(Holder->Cols[Index], Row);
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
  Writer.WriteListBegin();
  for (const TYCellsVector* V : (Columns ? Cols : Rows).List)
    Writer.WriteInteger(V->GetSize());
  Writer.WriteListEnd();
}
