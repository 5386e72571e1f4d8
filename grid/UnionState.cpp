// Union state: enabling, the shared mark, marks of columns and rows reaching unions, and the
// repaint requests a union makes after a change.
#include "grid/YGrids.h"

#include <unordered_set>

void TYCellsUnion::SetEnabled(bool Value) {
  if (Value == Enabled) return;
  Enabled = Value;
  if (Value)
    Refresh();
  else
    Disable();
  Invalidate();
}

void TYCellsUnion::LinkCells(TYCellsUnion* Link) {
  Marked = false;
  CellList->ForEach([Link](TYCell* Cell) {
    Cell->Union = Link;
    Cell->GridUnionIndex = -1;
  });
  GridUnionList.Clear();
}

void TYCellsUnion::Enable() {
  LinkCells(this);
}
void TYCellsUnion::Disable() {
  LinkCells(nullptr);
}

void TYCellsUnion::SetMarked(bool Value) {
  if (Value == Marked) return;
  if (!OwnerGrid()->DoMarkCell(MainCell, Value)) return;
  Marked = Value;
  CellList->ForEach([this, Value](TYCell* Cell) { SetCellOwnMark(Cell, Value); });
  Invalidate();
}

// ---------------------------------------------------------------- repaint requests

void TYCellsUnion::Invalidate() {
  if (Holder()->GetUnionInvalidateLocked()) return;
  TYCustomGrid* Grid = OwnerGrid();
  const TYGridCoord OldCoord{Grid->GetCol(), Grid->GetRow()};
  const TYGridRect OldRect = Grid->GetCurrentCellRect();
  Grid->RefreshCurrentRect(); // the change may have changed the current cell's extent
  if (GridUnionList.GetCount() == 0)
    InvalidateCells(OldRect);
  else
    InvalidatePieces(OldCoord, OldRect);
}

// No pieces: every visible cell alone, or the current column and row a cell lay in. Painting
// highlights the current column and row alike whenever either highlight is on (marked cells and
// an inactive grid take it on both axes), so both are repainted.
void TYCellsUnion::InvalidateCells(const TYGridRect& OldRect) {
  TYCustomGrid* Grid = OwnerGrid();
  const TYGridOptions Options = Grid->GetOptions();
  const bool Highlight = Options.Contains(ygoShowCurCol) || Options.Contains(ygoShowCurRow);
  CellList->ForEach([&](TYCell* Cell) {
    const std::int32_t C = Cell->GetGridCol();
    const std::int32_t R = Cell->GetGridRow();
    if (CellInGridRect(C, R, OldRect) && Highlight) {
      if (C >= 0) Grid->InvalidateCol(C);
      if (R >= 0) Grid->InvalidateRow(R);
    } else if (C >= 0 && R >= 0) {
      Grid->InvalidateCell(C, R);
    }
  });
}

void TYCellsUnion::InvalidatePieces(const TYGridCoord& OldCoord, const TYGridRect& OldRect) {
  TYCustomGrid* Grid = OwnerGrid();
  for (const auto& Piece : GridUnionList) {
    const TYGridRect& R = Piece->GetRect();
    if (CellInGridRect(Grid->GetCol(), Grid->GetRow(), R))
      InvalidateCurrentHighlight(OldCoord, OldRect);
    else
      Grid->InvalidateCell(R.Left, R.Top);
  }
  CellList->ForEach([Grid](TYCell* Cell) {
    if (Cell->GetGridUnionIndex() < 0 && Cell->GetGridCol() >= 0 && Cell->GetGridRow() >= 0)
      Grid->InvalidateCell(Cell->GetGridCol(), Cell->GetGridRow());
  });
}

// The current cell lies in a piece: repaint the old and the new current cell, or their
// highlighted columns and rows. Here the old cell is looked at wherever it lay in the grid, and
// its extent is repainted whenever it lies in the grid.
void TYCellsUnion::InvalidateCurrentHighlight(const TYGridCoord& OldCoord, TYGridRect OldRect) {
  TYCustomGrid* Grid = OwnerGrid();
  const std::int32_t Cols = Grid->GetColCount();
  const std::int32_t Rows = Grid->GetRowCount();
  const TYGridRect Whole{0, 0, Cols - 1, Rows - 1};
  TYCustomGrid::TYCurrentMove Move{OldCoord, OldRect, GridRectsOverlap(OldRect, Whole), false,
                                   false};
  if (Move.OldRectShown) Move.OldRect = ClipGridRect(OldRect, Whole);
  Move.OldValid = OldCoord.X >= 0 && OldCoord.X < Cols && OldCoord.Y >= 0 && OldCoord.Y < Rows;
  Move.OldUnioned = Move.OldValid && Grid->GetCells(OldCoord.X, OldCoord.Y)->GetUnioned();
  Grid->InvalidateCurrentMove(Move, false);
}

// ---------------------------------------------------------------- column and row marks

// When a whole column (row) is marked or unmarked, every union it cuts follows, unless another
// visible column (row) of the union keeps it marked.
bool TYCellsUnions::TryChangeMarked(TYCellsVector* CellsVector, bool MarkValue) {
  if (!CellsVector->GetVisible()) return false;
  const TYGridOptions Options = Holder->GetOwnerGrid()->GetOptions();
  const bool IsColumn = CellsVector->GetIsColumn();
  if (!Options.Contains(IsColumn ? ygoColsMarking : ygoRowsMarking)) return false;
  bool Changed = false;
  for (const auto& Union : UnionList) {
    if (!Union->Enabled || !Union->MainCellScrollable() || Union->Marked == MarkValue) continue;
    if (!UnionFollowsVector(Union.get(), CellsVector)) continue;
    Union->Marked = MarkValue;
    Changed = true;
  }
  return Changed;
}

// True when Vector cuts the union and no other visible vector of its axis that holds cells of
// the union is marked.
bool TYCellsUnions::UnionFollowsVector(const TYCellsUnion* Union,
                                       const TYCellsVector* Vector) const {
  const bool IsColumn = Vector->GetIsColumn();
  bool Touched = false;
  std::unordered_set<const TYCellsVector*> Others;
  Union->CellList->ForEach([&](TYCell* Cell) {
    const TYCellsVector* V = IsColumn ? Cell->GetColVector() : Cell->GetRowVector();
    if (V == Vector)
      Touched = true;
    else if (V->GetVisible())
      Others.insert(V);
  });
  if (!Touched) return false;
  for (const TYCellsVector* V : Others)
    if (V->GetMarked()) return false;
  return true;
}
