// Repaint requests. They never paint: they add screen rectangles to the window's update
// region, and painting later redraws only the cells that meet it. A merged cell is always
// invalidated whole. Before the grid has a window nothing is on screen, and they do nothing.
#include "grid/YGrids.h"

#include "host/gui/WinUser.h"

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
  if (R.Left >= FixedCols && R.Left < TopLeftCoord.X) R.Left = TopLeftCoord.X;
  if (R.Top >= FixedRows && R.Top < TopLeftCoord.Y) R.Top = TopLeftCoord.Y;
  return R;
}

// A vector crossed by no merged cell costs one rectangle; one crossed by merged cells is
// invalidated cell by cell, so that each piece is invalidated whole.
void TYCustomGrid::InvalidateVector(bool Column, std::int32_t Index) {
  if (!HandleAllocated()) return;
  const std::int32_t Fixed = Column ? FixedRows : FixedCols;
  const std::int32_t First = Column ? TopLeftCoord.Y : TopLeftCoord.X;
  const std::int32_t Count = Column ? RowCount : ColCount;
  const std::int32_t Last = First + (Column ? GetVisibleRowCount() : GetVisibleColCount());
  auto Shown = [&](std::int32_t I) {
    return I < Count && (I < Fixed || (I >= First && I <= Last));
  };
  auto CellAt = [&](std::int32_t I) { return Column ? GetCells(Index, I) : GetCells(I, Index); };
  bool Merged = false;
  for (std::int32_t I = 0; I <= Last && !Merged; ++I)
    Merged = Shown(I) && CellAt(I)->GetUnioned();
  if (!Merged) {
    InvalidateRect(Column ? TYGridRect{Index, 0, Index, Last} : TYGridRect{0, Index, Last, Index});
    return;
  }
  for (std::int32_t I = 0; I <= Last; ++I) {
    if (!Shown(I)) continue;
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
