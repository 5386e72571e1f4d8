// Editing the store one vector or one list of vectors at a time: moving, showing and hiding,
// deleting, adding and inserting, and running the user-data hooks over ranges.
#include "grid/FlagHold.h"
#include "grid/HolderSteps.h"

#include <algorithm>
#include <unordered_set>

// ---------------------------------------------------------------- moving

void TYCellsHolder::DoMoveColumn(std::int32_t FromIndex, std::int32_t ToIndex) {
  MoveVector(Cols, FromIndex, ToIndex);
}

void TYCellsHolder::DoMoveRow(std::int32_t FromIndex, std::int32_t ToIndex) {
  MoveVector(Rows, FromIndex, ToIndex);
}

// Only the axis's list changes: a column's cells stay where they are kept, so the rows stay
// aligned with the columns without being touched.
void TYCellsHolder::MoveVector(TYCellsAxis& A, std::int32_t FromIndex, std::int32_t ToIndex) {
  // Out-of-range indices raise the list's own error before anything changes.
  const TYCellsVector* From = CheckedVector(A, FromIndex);
  const TYCellsVector* To = CheckedVector(A, ToIndex);
  if (!From->Visible || !To->Visible || FromIndex < A.Fixed || ToIndex < A.Fixed) return;
  auto& L = A.List;
  if (FromIndex < ToIndex)
    std::rotate(L.begin() + FromIndex, L.begin() + FromIndex + 1, L.begin() + ToIndex + 1);
  else
    std::rotate(L.begin() + ToIndex, L.begin() + FromIndex, L.begin() + FromIndex + 1);
  Enumerate(A);
  MarkListDirty = true; // the counts hold, the order of the lists does not
  Client->VectorsMoved(A.IsColumn);
}

// ---------------------------------------------------------------- showing and hiding

void TYCellsHolder::SetVisibleColsRange(const TList* List, bool Exclude) {
  SetVisibleRange(Cols, List, Exclude);
}

void TYCellsHolder::SetVisibleRowsRange(const TList* List, bool Exclude) {
  SetVisibleRange(Rows, List, Exclude);
}

// The entries of List that are vectors of axis A, in List's order. Entries are compared by
// identity only and never dereferenced, so foreign objects are harmless.
std::vector<TYCellsVector*> TYCellsHolder::VectorsOf(const TYCellsAxis& A,
                                                     const TList* List) const {
  std::unordered_set<const void*> Members(A.List.begin(), A.List.end());
  std::vector<TYCellsVector*> Result;
  for (void* Entry : *List)
    if (Members.contains(Entry)) Result.push_back(static_cast<TYCellsVector*>(Entry));
  return Result;
}

void TYCellsHolder::SetVisibleRange(TYCellsAxis& A, const TList* List, bool Exclude) {
  if (!List) return;
  std::vector<TYCellsVector*> Given = VectorsOf(A, List);
  if (Given.empty()) return;
  Bracketed(true, [&] {
    std::int32_t Visible = A.GetGridCount();
    std::vector<TYCellsVector*> Others;
    // A list as long as the axis leaves no others, even when it repeats entries.
    if (static_cast<std::int32_t>(Given.size()) < A.GetCount()) {
      std::unordered_set<const TYCellsVector*> InGiven(Given.begin(), Given.end());
      for (TYCellsVector* V : A.List)
        if (!InGiven.contains(V)) Others.push_back(V);
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
  });
}

void TYCellsHolder::SetVisibleAllCols() {
  SetVisibleAll(Cols);
}
void TYCellsHolder::SetVisibleAllRows() {
  SetVisibleAll(Rows);
}

void TYCellsHolder::SetVisibleAll(TYCellsAxis& A) {
  if (A.GetGridCount() == A.GetCount()) return;
  Bracketed(true, [&] {
    for (TYCellsVector* V : A.List)
      V->Visible = true;
    Enumerate(A);
  });
}

// ---------------------------------------------------------------- deleting

void TYCellsHolder::RemoveCellsFromUnions(const std::function<bool(const TYCell*)>& Removed) {
  const YGridsDetail::TFlagHold Lock(UnionInvalidateLocked); // the union-invalidation lock
  auto& Unions = CellsUnions->UnionList;
  for (std::int32_t I = 0; I < Unions.GetCount(); ++I)
    if (Unions[I]->RemoveCells(Removed) < 2) Unions.Destroy(I);
  Unions.Pack();
}

void TYCellsHolder::DeleteCol(std::int32_t Index) {
  if (Index < 0 || Index >= GetColCount()) GridError(this, SGridIndexOutOfRange);
  if (GetColCount() > 1) DeleteVectors(Cols, {Cols[Index]}); // the last column stays
}

void TYCellsHolder::DeleteRow(std::int32_t Index) {
  if (Index < 0 || Index >= GetRowCount()) GridError(this, SGridIndexOutOfRange);
  if (GetRowCount() > 1) DeleteVectors(Rows, {Rows[Index]});
}

void TYCellsHolder::DeleteColsRange(const TList* List) {
  if (List) DeleteVectors(Cols, VectorsOf(Cols, List));
}

void TYCellsHolder::DeleteRowsRange(const TList* List) {
  if (List) DeleteVectors(Rows, VectorsOf(Rows, List));
}

// Deletes the listed vectors of axis A in holder order, whatever the list's order; once one
// vector is left, no further one goes. The vectors and their cells leave the store first; then
// each deleted vector's cells get their free hooks (a column's row by row, a row's in column
// order), followed by the vector's own.
void TYCellsHolder::DeleteVectors(TYCellsAxis& A, const std::vector<TYCellsVector*>& Listed) {
  if (Listed.empty()) return;
  const std::unordered_set<const TYCellsVector*> InList(Listed.begin(), Listed.end());
  Bracketed(true, [&] {
    TDoomed Gone;
    std::vector<TYCellsVector*>& Going = A.IsColumn ? Gone.Cols : Gone.Rows;
    std::vector<TYCellsVector*> Kept;
    for (TYCellsVector* V : A.List) {
      const bool Deleted = InList.contains(V) && A.GetCount() - std::ssize(Going) > 1;
      (Deleted ? Going : Kept).push_back(V);
    }
    const std::unordered_set<const TYCellsVector*> GoingSet(Going.begin(), Going.end());
    RemoveCellsFromUnions([&](const TYCell* Cell) {
      return GoingSet.contains(A.IsColumn ? Cell->ColVector : Cell->RowVector);
    });
    A.List = std::move(Kept);
    std::vector<TYCellsVector*>& Crossing = A.IsColumn ? Gone.RowsOfCols : Gone.ColsOfRows;
    Crossing = (A.IsColumn ? Rows : Cols).List;
    Enumerate(A);
    YGridsDetail::TRunAll Run;
    for (TYCellsVector* V : Going) {
      for (TYCellsVector* Other : Crossing)
        Run([&] { Client->FreeCell(A.IsColumn ? CellAt(V, Other) : CellAt(Other, V)); });
      Run([&] { Client->FreeVector(V); });
    }
    DestroyDoomed(Gone);
    Run.RaiseFirst();
  });
}

// ---------------------------------------------------------------- adding and inserting

TYCellsVector* TYCellsHolder::AddCol(bool AVisible) {
  return InsertVector(Cols, GetColCount(), AVisible);
}
TYCellsVector* TYCellsHolder::AddRow(bool AVisible) {
  return InsertVector(Rows, GetRowCount(), AVisible);
}

TYCellsVector* TYCellsHolder::InsertCol(std::int32_t Index, bool AVisible) {
  if (Index >= GetColCount()) return AddCol(AVisible);
  return InsertVector(Cols, std::max(Index, 0), AVisible);
}

TYCellsVector* TYCellsHolder::InsertRow(std::int32_t Index, bool AVisible) {
  if (Index >= GetRowCount()) return AddRow(AVisible);
  return InsertVector(Rows, std::max(Index, 0), AVisible);
}

// Inserts a new vector at Index (Index = count appends) with its cells, then runs the init
// hooks: the vector's, then its cells' in holder order. Appending repaints only what changed;
// an insertion shifts everything after it.
TYCellsVector* TYCellsHolder::InsertVector(TYCellsAxis& A, std::int32_t Index, bool AVisible) {
  const bool Appending = Index == A.GetCount();
  ReserveOrRaise(GetColCount() + (A.IsColumn ? 1 : 0), GetRowCount() + (A.IsColumn ? 0 : 1));
  TYCellsVector* V = nullptr;
  auto Insert = [&] {
    V = NewVector(A, AVisible);
    A.List.insert(A.List.begin() + Index, V);
    for (TYCellsVector* Other : (A.IsColumn ? Rows : Cols).List)
      A.IsColumn ? NewCell(V, Other) : NewCell(Other, V);
    Enumerate(A);
    InitInserted(V);
  };
  if (AVisible) {
    Bracketed(!Appending, Insert);
  } else {
    // A vector pushed out of the fixed area changes what counts as marked: settled also when
    // an init hook raises, since the structure is already in place then.
    const auto SettleLeftFixedArea = [&] {
      if (Index >= A.Fixed) return;
      SettleMarks();
      Client->ChangeEnded();
    };
    try {
      Insert();
    } catch (...) {
      SettleLeftFixedArea();
      throw;
    }
    SettleLeftFixedArea();
  }
  return V;
}

void TYCellsHolder::InitInserted(TYCellsVector* V) {
  Client->InitVector(V);
  for (TYCellsVector* Other : (V->IsColumn ? Rows : Cols).List)
    Client->InitCell(V->IsColumn ? CellAt(V, Other) : CellAt(Other, V));
}

// ---------------------------------------------------------------- user data over ranges

void TYCellsHolder::CheckCellRange(const TYGridCoord& Coord1, const TYGridCoord& Coord2) const {
  auto InCols = [this](std::int32_t X) { return X >= 0 && X < GetColCount(); };
  auto InRows = [this](std::int32_t Y) { return Y >= 0 && Y < GetRowCount(); };
  if (!InCols(Coord1.X) || !InCols(Coord2.X) || !InRows(Coord1.Y) || !InRows(Coord2.Y))
    GridError(this, SGridIndexOutOfRange);
}

void TYCellsHolder::FreeCellsRangeData(const TYGridCoord& Coord1, const TYGridCoord& Coord2) {
  CheckCellRange(Coord1, Coord2);
  const TYGridRect R = NormalizedGridRect(Coord1, Coord2);
  for (std::int32_t Row = R.Top; Row <= R.Bottom; ++Row)
    for (std::int32_t Col = R.Left; Col <= R.Right; ++Col)
      Client->FreeCell(CellAt(Cols[Col], Rows[Row]));
}

void TYCellsHolder::InitCellsRangeData(const TYGridCoord& Coord1, const TYGridCoord& Coord2) {
  CheckCellRange(Coord1, Coord2);
  const TYGridRect R = NormalizedGridRect(Coord1, Coord2);
  for (std::int32_t Row = R.Top; Row <= R.Bottom; ++Row)
    for (std::int32_t Col = R.Left; Col <= R.Right; ++Col)
      Client->InitCell(CellAt(Cols[Col], Rows[Row]));
}

void TYCellsHolder::FreeVectorsRangeData(bool IsColumns, std::int32_t First, std::int32_t Last) {
  const TYCellsAxis& A = AxisOf(IsColumns);
  if (First < 0 || First >= A.GetCount() || Last < 0 || Last >= A.GetCount())
    GridError(this, SGridIndexOutOfRange);
  for (std::int32_t I = First; I <= Last; ++I)
    Client->FreeVector(A[I]);
}

void TYCellsHolder::InitVectorsRangeData(bool IsColumns, std::int32_t First, std::int32_t Last) {
  const TYCellsAxis& A = AxisOf(IsColumns);
  if (First < 0 || First >= A.GetCount() || Last < 0 || Last >= A.GetCount())
    GridError(this, SGridIndexOutOfRange);
  for (std::int32_t I = First; I <= Last; ++I)
    Client->InitVector(A[I]);
}
