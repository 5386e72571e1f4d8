// Editing the store one vector or one list of vectors at a time: moving, showing and hiding,
// deleting, adding and inserting, and running the user-data hooks over ranges.
#include "grid/CellsHolderAxis.h"

#include <unordered_set>

// ---------------------------------------------------------------- moving

void TYCellsHolder::DoMoveColumn(std::int32_t FromIndex, std::int32_t ToIndex) {
  MoveVector(ColAxis(), FromIndex, ToIndex);
}

void TYCellsHolder::DoMoveRow(std::int32_t FromIndex, std::int32_t ToIndex) {
  MoveVector(RowAxis(), FromIndex, ToIndex);
}

void TYCellsHolder::MoveVector(const Axis& A, std::int32_t FromIndex, std::int32_t ToIndex) {
  // Out-of-range indices raise the list's own error before anything changes.
  const TYCellsVector* From = A.List.Get(FromIndex);
  const TYCellsVector* To = A.List.Get(ToIndex);
  if (!From->Visible || !To->Visible || FromIndex < A.Fixed || ToIndex < A.Fixed) return;
  A.List.Move(FromIndex, ToIndex);
  if (A.IsColumn) {
    for (auto& Row : RowList)
      Row->RowCells->Move(FromIndex, ToIndex); // rows stay aligned
  }
  Enumerate(A);
  MarkListDirty = true; // the counts hold, the order of the lists does not
  // The focus keeps its grid position, but the pieces were cut anew: its extent must follow.
  OwnerGrid->RefreshCurrentRect();
}

// ---------------------------------------------------------------- showing and hiding

void TYCellsHolder::SetVisibleColsRange(const TList* List, bool Exclude) {
  SetVisibleRange(ColAxis(), List, Exclude);
}

void TYCellsHolder::SetVisibleRowsRange(const TList* List, bool Exclude) {
  SetVisibleRange(RowAxis(), List, Exclude);
}

// The entries of List that are vectors of axis A, in List's order. Entries are compared by
// identity only and never dereferenced, so foreign objects are harmless.
std::vector<TYCellsVector*> TYCellsHolder::VectorsOf(const Axis& A, const TList* List) const {
  std::unordered_set<const void*> Members;
  for (const auto& V : A.List)
    Members.insert(V.get());
  std::vector<TYCellsVector*> Result;
  for (void* Entry : *List)
    if (Members.contains(Entry)) Result.push_back(static_cast<TYCellsVector*>(Entry));
  return Result;
}

void TYCellsHolder::SetVisibleRange(const Axis& A, const TList* List, bool Exclude) {
  if (!List) return;
  std::vector<TYCellsVector*> Given = VectorsOf(A, List);
  if (Given.empty()) return;
  OpenSizeChange();
  std::int32_t Visible = A.GridCount;
  std::vector<TYCellsVector*> Others;
  // A list as long as the axis leaves no others, even when it repeats entries.
  if (static_cast<std::int32_t>(Given.size()) < A.List.GetCount()) {
    std::unordered_set<const TYCellsVector*> InGiven(Given.begin(), Given.end());
    for (const auto& V : A.List)
      if (!InGiven.contains(V.get())) Others.push_back(V.get());
  }
  const auto& Hide = Exclude ? Given : Others;
  const auto& Show = Exclude ? Others : Given;
  const auto ShowCount = static_cast<std::int32_t>(Show.size());
  for (TYCellsVector* V : Hide) {
    if (!V->Visible) continue;
    if (Visible + ShowCount <= 1) break; // never hide the axis's last visible vector
    V->Visible = false;
    --Visible;
  }
  for (TYCellsVector* V : Show)
    V->Visible = true;
  Enumerate(A);
  CloseSizeChange(true);
}

void TYCellsHolder::SetVisibleAllCols() {
  SetVisibleAll(ColAxis());
}
void TYCellsHolder::SetVisibleAllRows() {
  SetVisibleAll(RowAxis());
}

void TYCellsHolder::SetVisibleAll(const Axis& A) {
  if (A.GridCount == A.List.GetCount()) return;
  OpenSizeChange();
  for (const auto& V : A.List)
    V->Visible = true;
  Enumerate(A);
  CloseSizeChange(true);
}

// ---------------------------------------------------------------- deleting

namespace {
// Holds the store's union-invalidation lock for one scope.
class TUnionInvalidateLock {
public:
  explicit TUnionInvalidateLock(bool& AFlag) : Flag(AFlag) { Flag = true; }
  ~TUnionInvalidateLock() { Flag = false; }
  TUnionInvalidateLock(const TUnionInvalidateLock&) = delete;
  TUnionInvalidateLock& operator=(const TUnionInvalidateLock&) = delete;

private:
  bool& Flag;
};
} // namespace

void TYCellsHolder::RemoveCellsFromUnions(const std::function<bool(const TYCell*)>& Removed) {
  TUnionInvalidateLock Lock(UnionInvalidateLocked);
  auto& Unions = CellsUnions->UnionList;
  for (std::int32_t I = 0; I < Unions.GetCount(); ++I)
    if (Unions[I]->RemoveCells(Removed) < 2) Unions.Destroy(I);
  Unions.Pack();
}

void TYCellsHolder::RemoveVectorFromUnions(const TYCellsVector* Vector) {
  RemoveCellsFromUnions([Vector](const TYCell* Cell) {
    return Cell->ColVector == Vector || Cell->RowVector == Vector;
  });
}

void TYCellsHolder::DeleteCol(std::int32_t Index) {
  DeleteVector(ColAxis(), Index);
}
void TYCellsHolder::DeleteRow(std::int32_t Index) {
  DeleteVector(RowAxis(), Index);
}

void TYCellsHolder::DeleteVector(const Axis& A, std::int32_t Index) {
  if (Index < 0 || Index >= A.List.GetCount()) GridError(this, SGridIndexOutOfRange);
  if (A.List.GetCount() == 1) return; // the last vector is never deleted
  OpenSizeChange();
  DestroyVector(A, Index);
  A.List.Pack();
  if (A.IsColumn)
    for (auto& Row : RowList)
      Row->RowCells->Pack();
  Enumerate(A);
  CloseSizeChange(true);
}

// Destroys vector Index and, for a column, its cell in every row, leaving holes in the lists.
void TYCellsHolder::DestroyVector(const Axis& A, std::int32_t Index) {
  RemoveVectorFromUnions(A.List[Index]);
  if (A.IsColumn)
    for (auto& Row : RowList)
      Row->RowCells->Destroy(Index);
  A.List.Destroy(Index); // a row frees its cells first, then itself
}

void TYCellsHolder::DeleteColsRange(const TList* List) {
  DeleteRange(ColAxis(), List);
}
void TYCellsHolder::DeleteRowsRange(const TList* List) {
  DeleteRange(RowAxis(), List);
}

void TYCellsHolder::DeleteRange(const Axis& A, const TList* List) {
  if (!List) return;
  std::vector<TYCellsVector*> Given = VectorsOf(A, List);
  if (Given.empty()) return;
  std::unordered_set<const TYCellsVector*> Listed(Given.begin(), Given.end());
  OpenSizeChange();
  std::int32_t Remaining = A.List.GetCount();
  // Holder order, whatever the list's order; holes keep the indices valid during the walk.
  for (std::int32_t I = 0; I < A.List.GetCount() && Remaining > 1; ++I) {
    if (!Listed.contains(A.List[I])) continue;
    DestroyVector(A, I);
    --Remaining;
  }
  A.List.Pack();
  if (A.IsColumn)
    for (auto& Row : RowList)
      Row->RowCells->Pack();
  Enumerate(A);
  CloseSizeChange(true);
}

// ---------------------------------------------------------------- adding and inserting

TYCellsVector* TYCellsHolder::AddCol(bool AVisible) {
  return InsertVector(ColAxis(), GetColCount(), AVisible);
}
TYCellsVector* TYCellsHolder::AddRow(bool AVisible) {
  return InsertVector(RowAxis(), GetRowCount(), AVisible);
}

TYCellsVector* TYCellsHolder::InsertCol(std::int32_t Index, bool AVisible) {
  if (Index >= GetColCount()) return AddCol(AVisible);
  return InsertVector(ColAxis(), std::max(Index, 0), AVisible);
}

TYCellsVector* TYCellsHolder::InsertRow(std::int32_t Index, bool AVisible) {
  if (Index >= GetRowCount()) return AddRow(AVisible);
  return InsertVector(RowAxis(), std::max(Index, 0), AVisible);
}

// Inserts a new vector at Index (Index = count appends). Its init hook runs before its cells
// exist. Appending repaints only what changed; an insertion shifts everything after it.
TYCellsVector* TYCellsHolder::InsertVector(const Axis& A, std::int32_t Index, bool AVisible) {
  const bool Appending = Index == A.List.GetCount();
  if (AVisible) OpenSizeChange();
  A.List.Insert(Index, NewVector(A.IsColumn, AVisible));
  TYCellsVector* V = A.List[Index];
  Enumerate(A);
  OwnerGrid->DoInitCellsVector(V);
  if (A.IsColumn) {
    for (auto& Row : RowList) {
      Row->RowCells->Insert(Index, std::make_unique<TYCell>(V, Row.get()));
      OwnerGrid->DoInitCell((*Row->RowCells)[Index]);
    }
  } else {
    FillRowCells(V, GetColCount());
  }
  if (AVisible)
    CloseSizeChange(!Appending);
  else if (Index < A.Fixed) {
    SettleMarks(); // a vector left the fixed area
    OwnerGrid->ReportTopLeftPull();
  }
  return V;
}

// ---------------------------------------------------------------- user data over ranges

void TYCellsHolder::CheckCellRange(const TYGridCoord& Coord1, const TYGridCoord& Coord2) const {
  auto InCols = [this](std::int32_t X) { return X >= 0 && X < GetColCount(); };
  auto InRows = [this](std::int32_t Y) { return Y >= 0 && Y < GetRowCount(); };
  if (!InCols(Coord1.X) || !InCols(Coord2.X) || !InRows(Coord1.Y) || !InRows(Coord2.Y))
    GridError(this, SGridIndexOutOfRange);
}

void TYCellsHolder::ForCellsInRange(const TYGridCoord& Coord1, const TYGridCoord& Coord2,
                                    void (TYCustomGrid::*Hook)(TYCell*)) {
  CheckCellRange(Coord1, Coord2);
  const TYGridRect R = NormalizedGridRect(Coord1, Coord2);
  for (std::int32_t Row = R.Top; Row <= R.Bottom; ++Row)
    for (std::int32_t Col = R.Left; Col <= R.Right; ++Col)
      (OwnerGrid->*Hook)(GetCells(Col, Row));
}

void TYCellsHolder::FreeCellsRangeData(const TYGridCoord& Coord1, const TYGridCoord& Coord2) {
  ForCellsInRange(Coord1, Coord2, &TYCustomGrid::DoFreeCell);
}

void TYCellsHolder::InitCellsRangeData(const TYGridCoord& Coord1, const TYGridCoord& Coord2) {
  ForCellsInRange(Coord1, Coord2, &TYCustomGrid::DoInitCell);
}

void TYCellsHolder::ForVectorsInRange(bool IsColumns, std::int32_t First, std::int32_t Last,
                                      void (TYCustomGrid::*Hook)(TYCellsVector*)) {
  const TOwnedList<TYCellsVector>& List = IsColumns ? ColList : RowList;
  auto InRange = [&List](std::int32_t I) { return I >= 0 && I < List.GetCount(); };
  if (!InRange(First) || !InRange(Last)) GridError(this, SGridIndexOutOfRange);
  for (std::int32_t I = First; I <= Last; ++I)
    (OwnerGrid->*Hook)(List[I]);
}

void TYCellsHolder::FreeVectorsRangeData(bool IsColumns, std::int32_t First, std::int32_t Last) {
  ForVectorsInRange(IsColumns, First, Last, &TYCustomGrid::DoFreeCellsVector);
}

void TYCellsHolder::InitVectorsRangeData(bool IsColumns, std::int32_t First, std::int32_t Last) {
  ForVectorsInRange(IsColumns, First, Last, &TYCustomGrid::DoInitCellsVector);
}
