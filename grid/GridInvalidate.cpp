// Repaint requests. They never paint: they add screen rectangles to the window's update
// region. A merged cell is always invalidated whole.
#include "grid/YGrids.h"

void TYCustomGrid::InvalidateCell(std::int32_t ACol, std::int32_t ARow) {
  TYGridUnion* Piece = GetCells(ACol, ARow)->GetGridUnion();
  if (!Piece) {
    InvalidateRect({ACol, ARow, ACol, ARow});
    return;
  }
  // The same clipping that painting applies to a piece partly scrolled out.
  TYGridRect R = Piece->GetRect();
  if (R.Left >= FixedCols && R.Left < TopLeftCoord.X) R.Left = TopLeftCoord.X;
  if (R.Top >= FixedRows && R.Top < TopLeftCoord.Y) R.Top = TopLeftCoord.Y;
  if (R.Left > R.Right || R.Top > R.Bottom) return;
  InvalidateRect(R);
}

// The window-side work of the four operations below belongs to the window; before the grid
// has one they do nothing, as nothing is on screen.
void TYCustomGrid::InvalidateCol(std::int32_t) {
  if (!HandleAllocated()) return;
}

void TYCustomGrid::InvalidateRow(std::int32_t) {
  if (!HandleAllocated()) return;
}

void TYCustomGrid::InvalidateRect(const TYGridRect&) {
  if (!HandleAllocated()) return;
}

void TYCustomGrid::InvalidateGrid() {
  if (!HandleAllocated()) return;
}

void TYCustomGrid::ResizeCol(std::int32_t, std::int32_t, std::int32_t) { InvalidateGrid(); }
void TYCustomGrid::ResizeRow(std::int32_t, std::int32_t, std::int32_t) { InvalidateGrid(); }
