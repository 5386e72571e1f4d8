// The current cell: moving it with the host's redirection, what is repainted when it moves,
// and keeping it in view.
#include "grid/YGrids.h"

#include <algorithm>

TYCell* TYCustomGrid::CurrentCellOrNone() const {
  // Without visible columns or rows there is no current cell to remember.
  if (!HasCurrentCell()) return nullptr;
  return GetCells(CurrentCoord.X, CurrentCoord.Y);
}

void TYCustomGrid::CheckCoord(std::int32_t ACol, std::int32_t ARow) const {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount || ARow >= RowCount)
    GridError(this, SGridIndexOutOfRange);
}

// Pulls CurrentCoord into the scrollable area, so that Col and Row name a valid cell while the
// host's focus handler runs (after the grid shrank, for example).
void TYCustomGrid::PullCurrentIntoScrollArea() {
  if (CurrentCoord.Y >= RowCount) CurrentCoord.Y = RowCount - 1;
  if (CurrentCoord.X >= ColCount) CurrentCoord.X = ColCount - 1;
  if (CurrentCoord.Y < FixedRows) CurrentCoord.Y = FixedRows;
  if (CurrentCoord.X < FixedCols) CurrentCoord.X = FixedCols;
}

void TYCustomGrid::MoveCurrent(std::int32_t ACol, std::int32_t ARow, bool InView) {
  CheckCoord(ACol, ARow);
  const TYGridCoord Remembered = CurrentCoord;
  PullCurrentIntoScrollArea();
  try {
    DoCanFocusCell(ACol, ARow);
    CheckCoord(ACol, ARow);
  } catch (...) {
    // The position keeps its pull into the scrollable area; its extent must match it.
    RefreshCurrentRect();
    throw;
  }
  CurrentCoord = Remembered;
  if (ACol == CurrentCoord.X && ARow == CurrentCoord.Y) return;
  const TYGridCoord OldCoord = CurrentCoord;
  const TYGridRect OldRect = CurrentCellRect;
  CurrentCoord = {ACol, ARow};
  RefreshCurrentRect();
  InvalidateMovedCurrent(OldCoord, OldRect, InView);
}

TYGridRect TYCustomGrid::StretchedToRows(const TYGridRect& Rect) const {
  return {Rect.Left, 0, Rect.Right, GetVisibleRowCount() + TopLeftCoord.Y};
}

TYGridRect TYCustomGrid::StretchedToCols(const TYGridRect& Rect) const {
  return {0, Rect.Top, GetVisibleColCount() + TopLeftCoord.X, Rect.Bottom};
}

// Repaints the old and the new current cell, or the columns and rows they highlight, and
// brings the new one into view between the two.
void TYCustomGrid::InvalidateMovedCurrent(const TYGridCoord& OldCoord, TYGridRect OldRect,
                                          bool InView) {
  const bool OldValid = OldCoord.X >= FixedCols && OldCoord.X < ColCount &&
                        OldCoord.Y >= FixedRows && OldCoord.Y < RowCount;
  const TYGridRect Whole{0, 0, ColCount - 1, RowCount - 1};
  const bool RectChanged = !(CurrentCellRect == OldRect) && GridRectsOverlap(OldRect, Whole);
  if (RectChanged) OldRect = ClipGridRect(OldRect, Whole);
  const bool OldUnioned = OldValid && GetCells(OldCoord.X, OldCoord.Y)->GetUnioned();
  const bool NewUnioned = GetCells(CurrentCoord.X, CurrentCoord.Y)->GetUnioned();
  const bool CurCol = Options.Contains(ygoShowCurCol);
  const bool CurRow = Options.Contains(ygoShowCurRow);
  if (!CurCol && !CurRow) {
    if (RectChanged) InvalidateRect(OldRect);
    if (InView) ClampInView(CurrentCoord);
    InvalidateRect(CurrentCellRect);
    return;
  }
  if (CurCol) {
    if (OldUnioned && RectChanged)
      InvalidateRect(StretchedToRows(OldRect));
    else if (OldValid)
      InvalidateCol(OldCoord.X);
    if (InView) ClampInView(CurrentCoord);
    if (NewUnioned)
      InvalidateRect(StretchedToRows(CurrentCellRect));
    else
      InvalidateCol(CurrentCoord.X);
  }
  if (CurRow) {
    if (OldUnioned && RectChanged)
      InvalidateRect(StretchedToCols(OldRect));
    else if (OldValid)
      InvalidateRow(OldCoord.Y);
    if (InView) ClampInView(CurrentCoord);
    if (NewUnioned)
      InvalidateRect(StretchedToCols(CurrentCellRect));
    else
      InvalidateRow(CurrentCoord.Y);
  }
}

void TYCustomGrid::MoveColRow(std::int32_t ACol, std::int32_t ARow, bool, bool Show) {
  MoveCurrent(ACol, ARow, Show);
}

void TYCustomGrid::FocusCell(std::int32_t ACol, std::int32_t ARow, bool) {
  MoveCurrent(ACol, ARow, true);
  Click();
}

void TYCustomGrid::SetCol(std::int32_t Value) {
  if (Value != CurrentCoord.X) FocusCell(Value, CurrentCoord.Y, true);
}

void TYCustomGrid::SetRow(std::int32_t Value) {
  if (Value != CurrentCoord.Y) FocusCell(CurrentCoord.X, Value, true);
}

// The current cell's extent: its piece when it is merged, else the cell alone.
void TYCustomGrid::RefreshCurrentRect() {
  CurrentCellRect = {CurrentCoord.X, CurrentCoord.Y, CurrentCoord.X, CurrentCoord.Y};
  if (CurrentCoord.X < 0 || CurrentCoord.X >= ColCount || CurrentCoord.Y < 0 ||
      CurrentCoord.Y >= RowCount)
    return;
  if (TYGridUnion* Piece = GetCells(CurrentCoord.X, CurrentCoord.Y)->GetGridUnion())
    CurrentCellRect = Piece->GetRect();
}

void TYCustomGrid::MoveAdjust(std::int32_t& CurIndex, std::int32_t FromIndex,
                              std::int32_t ToIndex) {
  if (CurIndex == FromIndex) {
    CurIndex = ToIndex;
  } else if (CurIndex >= std::min(FromIndex, ToIndex) && CurIndex <= std::max(FromIndex, ToIndex)) {
    CurIndex += FromIndex > ToIndex ? 1 : -1;
  }
}

// Scrolling needs the window; a window-less grid has nothing to bring into view.
void TYCustomGrid::ClampInView(const TYGridCoord&) {
  if (!HandleAllocated()) return;
}

// The scroll bars live in the window; a window-less grid has none to range.
void TYCustomGrid::UpdateScrollRange() {
  if (!HandleAllocated()) return;
}
