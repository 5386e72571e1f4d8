// Repaint requests. They never paint: they add screen rectangles to the window's update
// region, and painting later redraws only the cells that meet it. A merged cell is always
// invalidated whole. Before the grid has a window nothing is on screen, and they do nothing.
#include "grid/YGrids.h"

#include "host/gui/WinUser.h"

#include <algorithm>

void TYCustomGrid::InvalidateCell(std::int32_t ACol, std::int32_t ARow) {
  TYGridUnion* Piece = GetCells(ACol, ARow)->GetGridUnion();
  if (!Piece) {
    InvalidateRect({ACol, ARow, ACol, ARow});
    return;
  }
  const TYGridRect R = ClippedToScrollPosition(Piece->GetRect());
  if (R.Left > R.Right || R.Top > R.Bottom) return;
  InvalidateRect(R);
}

// A piece partly scrolled out starts at the first scrollable cell shown; painting clips it
// the same way.
TYGridRect TYCustomGrid::ClippedToScrollPosition(TYGridRect R) const {
  if (R.Left >= GetFixedCols() && R.Left < TopLeftCoord.X) R.Left = TopLeftCoord.X;
  if (R.Top >= GetFixedRows() && R.Top < TopLeftCoord.Y) R.Top = TopLeftCoord.Y;
  return R;
}

// A vector crossed by no merged cell costs one rectangle; one crossed by merged cells is
// invalidated cell by cell, so that each piece is invalidated whole. Only the cells on screen
// are looked at: the fixed ones, and from the first one shown to the one after the last
// wholly visible one.
//
// It also runs while a merged cell is destroyed, after the store's shape changed: a vector the
// grid no longer has is not invalidated, and no index below 0 is looked at.
void TYCustomGrid::InvalidateVector(bool Column, std::int32_t Index) {
  if (!HandleAllocated()) return;
  if (Index < 0 || Index >= (Column ? GetColCount() : GetRowCount())) return;
  const std::int32_t Fixed = Column ? GetFixedRows() : GetFixedCols();
  const std::int32_t First = Column ? TopLeftCoord.Y : TopLeftCoord.X;
  const std::int32_t Count = Column ? GetRowCount() : GetColCount();
  const std::int32_t Last = First + (Column ? GetVisibleRowCount() : GetVisibleColCount());
  const TYIndexSpan Shown[] = {{0, std::min(Fixed, Count) - 1},
                               {std::max({First, Fixed, 0}), std::min(Last, Count - 1)}};
  auto CellAt = [&](std::int32_t I) { return Column ? GetCells(Index, I) : GetCells(I, Index); };
  bool Merged = false;
  for (const TYIndexSpan& Span : Shown)
    for (std::int32_t I = Span.First; I <= Span.Last && !Merged; ++I)
      Merged = CellAt(I)->GetUnioned();
  if (!Merged) {
    InvalidateRect(Column ? TYGridRect{Index, 0, Index, Last} : TYGridRect{0, Index, Last, Index});
    return;
  }
  for (const TYIndexSpan& Span : Shown)
    for (std::int32_t I = Span.First; I <= Span.Last; ++I) {
      if (Column)
        InvalidateCell(Index, I);
      else
        InvalidateCell(I, Index);
    }
}

void TYCustomGrid::InvalidateCol(std::int32_t ACol) {
  InvalidateVector(true, ACol);
}
void TYCustomGrid::InvalidateRow(std::int32_t ARow) {
  InvalidateVector(false, ARow);
}

void TYCustomGrid::InvalidateRect(const TYGridRect& GridRect) {
  if (!HandleAllocated()) return;
  TRect ScreenRect;
  GridRectToScreenRect(GridRect, ScreenRect, true); // with the lines right of and below the cells
  ::InvalidateRect(GetHandle(), &ScreenRect, false);
}

void TYCustomGrid::InvalidateGrid() {
  Invalidate();
}

void TYCustomGrid::ResizeCol(std::int32_t, std::int32_t, std::int32_t) {
  InvalidateGrid();
}
void TYCustomGrid::ResizeRow(std::int32_t, std::int32_t, std::int32_t) {
  InvalidateGrid();
}

// ---------------------------------------------------------------- unions

// A union changed (enabled, disabled, marked, cut anew). The change may have changed the
// current cell's extent, so that is recomputed first, remembering the old one.
void TYCustomGrid::InvalidateUnion(TYCellsUnion* Union) {
  const TYGridCoord OldCoord = CurrentCoord;
  const TYGridRect OldRect = CurrentCellRect;
  RefreshCurrentRect();
  if (Union->GetGridUnionsCount() == 0)
    InvalidateUnionCells(Union, OldRect);
  else
    InvalidateUnionPieces(Union, OldCoord, OldRect);
}

// No pieces: every visible cell alone, or the current column and row a cell lay in. Painting
// highlights the current column and row alike whenever either highlight is on (marked cells and
// an inactive grid take it on both axes), so both are repainted.
void TYCustomGrid::InvalidateUnionCells(const TYCellsUnion* Union, const TYGridRect& OldRect) {
  const bool Highlight = Options.Contains(ygoShowCurCol) || Options.Contains(ygoShowCurRow);
  for (std::int32_t I = 0; I < Union->GetCellsCount(); ++I) {
    const TYCell* Cell = Union->GetCells(I);
    const std::int32_t C = Cell->GetGridCol();
    const std::int32_t R = Cell->GetGridRow();
    if (CellInGridRect(C, R, OldRect) && Highlight) {
      if (C >= 0) InvalidateCol(C);
      if (R >= 0) InvalidateRow(R);
    } else if (C >= 0 && R >= 0) {
      InvalidateCell(C, R);
    }
  }
}

void TYCustomGrid::InvalidateUnionPieces(const TYCellsUnion* Union, const TYGridCoord& OldCoord,
                                         const TYGridRect& OldRect) {
  for (std::int32_t P = 0; P < Union->GetGridUnionsCount(); ++P) {
    const TYGridRect& R = Union->GetGridUnions(P)->GetRect();
    if (CellInGridRect(CurrentCoord.X, CurrentCoord.Y, R))
      InvalidateCurrentHighlight(OldCoord, OldRect);
    else
      InvalidateCell(R.Left, R.Top);
  }
  for (std::int32_t I = 0; I < Union->GetCellsCount(); ++I) {
    const TYCell* Cell = Union->GetCells(I);
    if (Cell->GetGridUnionIndex() < 0 && Cell->GetGridCol() >= 0 && Cell->GetGridRow() >= 0)
      InvalidateCell(Cell->GetGridCol(), Cell->GetGridRow());
  }
}

// The current cell lies in a piece: repaint the old and the new current cell, or their
// highlighted columns and rows. Here the old cell is looked at wherever it lay in the grid, and
// its extent is repainted whenever it lies in the grid.
void TYCustomGrid::InvalidateCurrentHighlight(const TYGridCoord& OldCoord, TYGridRect OldRect) {
  const std::int32_t Cols = GetColCount();
  const std::int32_t Rows = GetRowCount();
  const TYGridRect Whole{0, 0, Cols - 1, Rows - 1};
  TYCurrentMove Move{OldCoord, OldRect, GridRectsOverlap(OldRect, Whole), false, false};
  if (Move.OldRectShown) Move.OldRect = ClipGridRect(OldRect, Whole);
  Move.OldValid = OldCoord.X >= 0 && OldCoord.X < Cols && OldCoord.Y >= 0 && OldCoord.Y < Rows;
  Move.OldUnioned = Move.OldValid && GetCells(OldCoord.X, OldCoord.Y)->GetUnioned();
  InvalidateCurrentMove(Move, false);
}
