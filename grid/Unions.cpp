// The union model: pieces, unions and their collection, adding and deleting unions, and the
// cutting of a union into pieces.
#include "grid/YGrids.h"

#include <algorithm>
#include <queue>
#include <unordered_map>
#include <unordered_set>

// ---------------------------------------------------------------- TYGridUnion

TYGridUnion::TYGridUnion(TYCellsUnion* ACellsUnion, const TYGridRect& ARect,
                         std::unique_ptr<TYCellList> ACellList)
    : CellsUnion(ACellsUnion), Rect(ARect), CellList(std::move(ACellList)) {}

TYCell* TYGridUnion::GetMainCell() const {
  return CellsUnion->GetMainCell();
}
bool TYGridUnion::GetMarked() const {
  return CellsUnion->GetMarked();
}

TYCell* TYGridUnion::GetCells(std::int32_t Index) const {
  if (Index < 0 || Index >= GetCount()) GridError(this, SGridIndexOutOfRange);
  return (*CellList)[Index];
}

// ---------------------------------------------------------------- TYCellsUnion

TYCellsUnion::TYCellsUnion(TYCellsUnions* AOwner, std::unique_ptr<TYCellList> ACellList,
                           TYCell* AMainCell)
    : Owner(AOwner), MainCell(AMainCell), CellList(std::move(ACellList)) {
  SetEnabled(true);
}

TYCellsUnion::~TYCellsUnion() {
  SetEnabled(false);
}

TYCellsHolder* TYCellsUnion::Holder() const {
  return Owner->GetHolder();
}
TYCustomGrid* TYCellsUnion::OwnerGrid() const {
  return Holder()->GetOwnerGrid();
}

TYCell* TYCellsUnion::GetCells(std::int32_t Index) const {
  if (Index < 0 || Index >= GetCellsCount()) GridError(this, SGridIndexOutOfRange);
  return (*CellList)[Index];
}

TYGridUnion* TYCellsUnion::GetGridUnions(std::int32_t Index) const {
  if (Index < 0 || Index >= GetGridUnionsCount()) GridError(this, SGridIndexOutOfRange);
  return GridUnionList[Index];
}

// Takes the cells that Removed selects out of the union (they are about to be destroyed) and
// answers how many remain. When the main cell goes and 2 or more cells remain, the first
// remaining cell becomes the main cell: for a rectangle that is its top-left remaining cell.
std::int32_t TYCellsUnion::RemoveCells(const std::function<bool(const TYCell*)>& Removed) {
  bool MainRemoved = false;
  for (std::int32_t I = 0; I < CellList->GetCount(); ++I) {
    TYCell* Cell = (*CellList)[I];
    if (!Removed(Cell)) continue;
    MainRemoved = MainRemoved || Cell == MainCell;
    Cell->Union = nullptr; // a dying cell no longer answers for the union
    Cell->GridUnionIndex = -1;
    CellList->Put(I, nullptr);
  }
  CellList->Pack();
  if (MainRemoved) MainCell = CellList->GetCount() > 0 ? CellList->First() : nullptr;
  return CellList->GetCount();
}

bool TYCellsUnion::MainCellScrollable() const {
  return !MainCell->GetColVector()->GetFixed() && !MainCell->GetRowVector()->GetFixed();
}

void TYCellsUnion::Refresh() {
  if (!Enabled) return;
  Enable();
  TYCellList Work;
  Work.Assign(*CellList);
  DeriveMark();
  if (Holder()->GetClient()->StoreOptions().Contains(ygoCellsMarking)) CopyMarkToCells();
  for (std::int32_t I = 0; I < Work.GetCount(); ++I)
    if (Work[I]->GetGridCol() < 0 || Work[I]->GetGridRow() < 0) Work.Put(I, nullptr);
  Work.Pack();
  BuildPieces(Work);
}

// The union is marked when its cells or vectors say so, judged by the marking option; only a
// union whose main cell is scrollable follows marks.
void TYCellsUnion::DeriveMark() {
  if (!MainCellScrollable()) return;
  const TYGridOptions Options = Holder()->GetClient()->StoreOptions();
  auto Any = [this](auto&& Test) {
    for (void* P : *CellList)
      if (Test(static_cast<TYCell*>(P))) return true;
    return false;
  };
  if (Options.Contains(ygoCellsMarking))
    Marked = Any([](TYCell* C) {
      return C->GetColVector()->GetVisible() && C->GetRowVector()->GetVisible() &&
             C->GetOwnMarked();
    });
  else if (Options.Contains(ygoColsMarking))
    Marked = Any([](TYCell* C) {
      return C->GetColVector()->GetVisible() && C->GetColVector()->GetMarked();
    });
  else if (Options.Contains(ygoRowsMarking))
    Marked = Any([](TYCell* C) {
      return C->GetRowVector()->GetVisible() && C->GetRowVector()->GetMarked();
    });
}

// With cells marking the union's mark is its cells' mark, hidden cells included.
void TYCellsUnion::CopyMarkToCells() {
  CellList->ForEach([this](TYCell* Cell) { SetCellOwnMark(Cell, Marked); });
}

void TYCellsUnion::SetCellOwnMark(TYCell* Cell, bool Value) {
  if (Cell->Marked == Value) return;
  Cell->Marked = Value;
  Holder()->CellOwnMarkChanged(Cell, Value);
}

namespace {
std::uint64_t CoordKey(std::int32_t Col, std::int32_t Row) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(Col)) << 32) |
         static_cast<std::uint32_t>(Row);
}
} // namespace

// Cuts the visible cells (Work, in the union's order) into 4-connected groups. A group starts
// with the first ungrouped cell and grows by the first ungrouped cell, in list order, that is
// adjacent to any cell of the group. A min-heap of positions holds exactly the candidates
// adjacent to the group, so the choice is the same as rescanning the list, without the cost.
void TYCellsUnion::BuildPieces(TYCellList& Work) {
  const std::int32_t N = Work.GetCount();
  std::unordered_map<std::uint64_t, std::int32_t> PositionAt;
  PositionAt.reserve(static_cast<size_t>(N));
  for (std::int32_t I = 0; I < N; ++I)
    PositionAt.emplace(CoordKey(Work[I]->GetGridCol(), Work[I]->GetGridRow()), I);
  std::vector<bool> Grouped(static_cast<size_t>(N), false);
  for (std::int32_t Start = 0; Start < N; ++Start) {
    if (Grouped[static_cast<size_t>(Start)]) continue;
    auto Group = std::make_unique<TYCellList>();
    std::priority_queue<std::int32_t, std::vector<std::int32_t>, std::greater<>> Candidates;
    Candidates.push(Start);
    while (!Candidates.empty()) {
      const std::int32_t P = Candidates.top();
      Candidates.pop();
      if (Grouped[static_cast<size_t>(P)]) continue;
      Grouped[static_cast<size_t>(P)] = true;
      TYCell* Cell = Work[P];
      Group->Add(Cell);
      const std::int32_t C = Cell->GetGridCol();
      const std::int32_t R = Cell->GetGridRow();
      for (auto Key :
           {CoordKey(C - 1, R), CoordKey(C + 1, R), CoordKey(C, R - 1), CoordKey(C, R + 1)}) {
        auto It = PositionAt.find(Key);
        if (It != PositionAt.end() && !Grouped[static_cast<size_t>(It->second)])
          Candidates.push(It->second);
      }
    }
    if (Group->GetCount() >= 2) AddPiece(std::move(Group));
  }
}

void TYCellsUnion::AddPiece(std::unique_ptr<TYCellList> Group) {
  TYCell* First = Group->First();
  TYGridRect Rect{First->GetGridCol(), First->GetGridRow(), First->GetGridCol(),
                  First->GetGridRow()};
  const std::int32_t Index = GridUnionList.GetCount();
  for (void* P : *Group) {
    auto* Cell = static_cast<TYCell*>(P);
    Rect.Left = std::min(Rect.Left, Cell->GetGridCol());
    Rect.Right = std::max(Rect.Right, Cell->GetGridCol());
    Rect.Top = std::min(Rect.Top, Cell->GetGridRow());
    Rect.Bottom = std::max(Rect.Bottom, Cell->GetGridRow());
    Cell->GridUnionIndex = Index;
  }
  GridUnionList.Add(std::make_unique<TYGridUnion>(this, Rect, std::move(Group)));
}

// ---------------------------------------------------------------- TYCellsUnions

TYCellsUnions::TYCellsUnions(TYCellsHolder* AHolder) : Holder(AHolder) {}

TYCellsUnions::~TYCellsUnions() {
  Clear();
}

TYCellsUnion* TYCellsUnions::GetUnions(std::int32_t Index) const {
  if (Index < 0 || Index >= GetUnionsCount()) GridError(this, SGridIndexOutOfRange);
  return UnionList[Index];
}

void TYCellsUnions::Delete(std::int32_t Index) {
  if (Index < 0 || Index >= GetUnionsCount()) GridError(this, SGridIndexOutOfRange);
  UnionList.Extract(Index).reset();
}

void TYCellsUnions::Clear() {
  for (std::int32_t I = 0; I < UnionList.GetCount(); ++I)
    UnionList.Destroy(I);
  UnionList.Clear();
}

void TYCellsUnions::Refresh() {
  for (const auto& Union : UnionList)
    Union->Refresh();
}

void TYCellsUnions::ResetPaintCounters() {
  for (const auto& Union : UnionList)
    for (const auto& Piece : Union->GridUnionList)
      Piece->SetPaintCounter(0);
}

void TYCellsUnions::StoreMarkStatuses() {
  for (const auto& Union : UnionList)
    Union->StoredMarked = Union->Marked;
}

bool TYCellsUnions::IsFixedCell(const TYCell* Cell, bool Grid) const {
  if (Grid)
    return Cell->GetGridCol() < Holder->GetColAxis().GetGridFixed() ||
           Cell->GetGridRow() < Holder->GetRowAxis().GetGridFixed();
  return Cell->GetHolderCol() < Holder->GetFixedCols() ||
         Cell->GetHolderRow() < Holder->GetFixedRows();
}

// True when the cells are all fixed or all scrollable; the scan stops at the first cell whose
// state differs from the first cell's.
bool TYCellsUnions::SameFixedState(const TYCellList& Cells, bool Grid) const {
  const bool First = IsFixedCell(Cells.First(), Grid);
  for (void* P : Cells)
    if (IsFixedCell(static_cast<TYCell*>(P), Grid) != First) return false;
  return true;
}

void TYCellsUnions::Add(const TYGridCoord& MainCell, const TYGridCoord& Corner1,
                        const TYGridCoord& Corner2, bool Grid) {
  const TYGridRect Rect = NormalizedGridRect(Corner1, Corner2);
  const std::int32_t Cols = Grid ? Holder->GetGridColCount() : Holder->GetColCount();
  const std::int32_t Rows = Grid ? Holder->GetGridRowCount() : Holder->GetRowCount();
  if (Rect.Left < 0 || Rect.Top < 0 || Rect.Right >= Cols || Rect.Bottom >= Rows)
    GridError(this, SGridIndexOutOfRange);
  if (!CellInGridRect(MainCell.X, MainCell.Y, Rect)) return;
  TYCell* Main = nullptr;
  auto Cells = CollectRect(Rect, Grid, MainCell, Main);
  if (Cells->GetCount() < 2 || !SameFixedState(*Cells, Grid)) return;
  RemoveOverlapping(Main, *Cells);
  Append(std::move(Cells), Main);
}

// The cells of Rect column by column; Main is set to the cell at MainCoord.
std::unique_ptr<TYCellList> TYCellsUnions::CollectRect(const TYGridRect& Rect, bool Grid,
                                                       const TYGridCoord& MainCoord,
                                                       TYCell*& Main) const {
  const TYCellsAxis& Cols = Holder->GetColAxis();
  const TYCellsAxis& Rows = Holder->GetRowAxis();
  auto Cells = std::make_unique<TYCellList>();
  Cells->SetCapacity((Rect.Right - Rect.Left + 1) * (Rect.Bottom - Rect.Top + 1));
  for (std::int32_t C = Rect.Left; C <= Rect.Right; ++C)
    for (std::int32_t R = Rect.Top; R <= Rect.Bottom; ++R) {
      TYCell* Cell =
          Grid ? Holder->CellAt(Cols.GridVector(C), Rows.GridVector(R)) : Holder->GetCells(C, R);
      Cells->Add(Cell);
      if (C == MainCoord.X && R == MainCoord.Y) Main = Cell;
    }
  return Cells;
}

void TYCellsUnions::Add(TYCell* MainCell, std::unique_ptr<TYCellList> CellList, bool Grid) {
  if (!MainCell || !CellList) return;
  // A union is a set of cells: repeated entries are dropped, the first occurrence stays.
  std::unordered_set<const TYCell*> Seen;
  bool Foreign = false;
  for (std::int32_t I = 0; I < CellList->GetCount(); ++I) {
    TYCell* Cell = (*CellList)[I];
    if (!Cell || !Seen.insert(Cell).second)
      CellList->Put(I, nullptr);
    else
      Foreign = Foreign || Cell->GetRowVector()->GetHolder() != Holder;
  }
  CellList->Pack();
  if (Foreign || CellList->GetCount() < 2 || !CellList->Contains(MainCell)) return;
  if (!SameFixedState(*CellList, Grid)) return;
  RemoveOverlapping(MainCell, *CellList);
  Append(std::move(CellList), MainCell);
}

// Destroys every union that has the same main cell or shares a cell with Cells.
void TYCellsUnions::RemoveOverlapping(const TYCell* MainCell, const TYCellList& Cells) {
  std::unordered_set<const void*> NewCells(Cells.begin(), Cells.end());
  for (std::int32_t I = 0; I < UnionList.GetCount(); ++I) {
    const TYCellsUnion* U = UnionList[I];
    bool Overlaps =
        U->MainCell == MainCell || std::any_of(U->CellList->begin(), U->CellList->end(),
                                               [&](void* P) { return NewCells.contains(P); });
    if (Overlaps) UnionList.Destroy(I);
  }
  UnionList.Pack();
}

void TYCellsUnions::Append(std::unique_ptr<TYCellList> Cells, TYCell* MainCell) {
  UnionList.Add(std::make_unique<TYCellsUnion>(this, std::move(Cells), MainCell));
}
