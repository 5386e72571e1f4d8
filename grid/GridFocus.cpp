// The current cell: moving it with the host's redirection, what is repainted when it moves,
// and keeping it in view.
#include "grid/YGrids.h"

#include "host/gui/Accessibility.h"

#include <algorithm>

TYCell* TYCustomGrid::CurrentCellOrNone() const {
  // Without visible columns or rows there is no current cell to remember.
  if (!HasCurrentCell()) return nullptr;
  return GetCells(CurrentCoord.X, CurrentCoord.Y);
}

void TYCustomGrid::CheckCoord(std::int32_t ACol, std::int32_t ARow) const {
  if (ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount())
    GridError(this, SGridIndexOutOfRange);
}

// Pulls CurrentCoord into the scrollable area, so that Col and Row name a valid cell while the
// host's focus handler runs (after the grid shrank, for example).
void TYCustomGrid::PullCurrentIntoScrollArea() {
  if (CurrentCoord.Y >= GetRowCount()) CurrentCoord.Y = GetRowCount() - 1;
  if (CurrentCoord.X >= GetColCount()) CurrentCoord.X = GetColCount() - 1;
  if (CurrentCoord.Y < GetFixedRows()) CurrentCoord.Y = GetFixedRows();
  if (CurrentCoord.X < GetFixedCols()) CurrentCoord.X = GetFixedCols();
}

// The pull into the scrollable area stays: what the focus handler reads is the grid's real
// position, not one put back afterwards. The repaint still starts from where the current cell
// was drawn.
void TYCustomGrid::MoveCurrent(std::int32_t ACol, std::int32_t ARow, bool InView) {
  CheckCoord(ACol, ARow);
  TYCurrentMove Move{CurrentCoord, CurrentCellRect, false, false, false};
  PullCurrentIntoScrollArea();
  RefreshCurrentRect();
  const std::uint64_t Stamp = StructureStamp;
  DoCanFocusCell(ACol, ARow);
  if (StructureStamp != Stamp) {
    // The handler changed what the grid shows; that change already placed and repainted the
    // current cell. The move goes on from there, to the target as far as it still exists.
    if (!HasCurrentCell()) return;
    FitIntoGrid(ACol, ARow);
    Move = {CurrentCoord, CurrentCellRect, false, false, false};
  }
  CheckCoord(ACol, ARow);
  if (ACol == CurrentCoord.X && ARow == CurrentCoord.Y && Move.OldCoord == CurrentCoord) return;
  CurrentCoord = {ACol, ARow};
  RefreshCurrentRect();
  // The old cell is looked at only when it lay in the scrollable area; its extent is repainted
  // as such only when it changed and still lies in the grid.
  const TYGridRect Whole{0, 0, GetColCount() - 1, GetRowCount() - 1};
  Move.OldValid = Move.OldCoord.X >= GetFixedCols() && Move.OldCoord.X < GetColCount() &&
                  Move.OldCoord.Y >= GetFixedRows() && Move.OldCoord.Y < GetRowCount();
  Move.OldRectShown = !(CurrentCellRect == Move.OldRect) && GridRectsOverlap(Move.OldRect, Whole);
  if (Move.OldRectShown) Move.OldRect = ClipGridRect(Move.OldRect, Whole);
  Move.OldUnioned = Move.OldValid && GetCells(Move.OldCoord.X, Move.OldCoord.Y)->GetUnioned();
  InvalidateCurrentMove(Move, InView);
  NotifyAccessibleFocus(this, CurrentCoord.X, CurrentCoord.Y);
}

// A target that the grid no longer has is pulled into its scrollable area, as a structural
// change pulls the current cell; a target the grid still has stays, even a fixed cell.
void TYCustomGrid::FitIntoGrid(std::int32_t& ACol, std::int32_t& ARow) const {
  if (ACol < 0 || ACol >= GetColCount())
    ACol = std::max(std::min(ACol, GetColCount() - 1), GetFixedCols());
  if (ARow < 0 || ARow >= GetRowCount())
    ARow = std::max(std::min(ARow, GetRowCount() - 1), GetFixedRows());
}

TYGridRect TYCustomGrid::StretchedToRows(const TYGridRect& Rect) const {
  return {Rect.Left, 0, Rect.Right, GetVisibleRowCount() + TopLeftCoord.Y};
}

TYGridRect TYCustomGrid::StretchedToCols(const TYGridRect& Rect) const {
  return {0, Rect.Top, GetVisibleColCount() + TopLeftCoord.X, Rect.Bottom};
}

// Repaints the old and the new current cell, or the columns and rows they highlight, and
// brings the new one into view between the two. Painting highlights the current column and
// the current row alike whenever either highlight is on (marked cells, and every cell of an
// inactive grid, take the current colours on both axes), so both axes are repainted then.
void TYCustomGrid::InvalidateCurrentMove(const TYCurrentMove& Move, bool InView) {
  if (!Options.Contains(ygoShowCurCol) && !Options.Contains(ygoShowCurRow)) {
    if (Move.OldRectShown) InvalidateRect(Move.OldRect);
    if (InView) ClampInView(CurrentCoord);
    InvalidateRect(CurrentCellRect);
    return;
  }
  const std::uint64_t Stamp = StructureStamp;
  InvalidateMovedAxis(true, Move, InView);
  // The view is already in place; a handler of the scroll may have changed the grid, whose
  // change then repainted it.
  if (StructureStamp == Stamp) InvalidateMovedAxis(false, Move, InView);
}

// One highlighted axis: the old column (row), or the old merged cell stretched over the
// visible rows (columns); then the new one likewise.
void TYCustomGrid::InvalidateMovedAxis(bool Column, const TYCurrentMove& Move, bool InView) {
  auto Stretched = [&](const TYGridRect& R) {
    return Column ? StretchedToRows(R) : StretchedToCols(R);
  };
  auto Vector = [&](const TYGridCoord& C) {
    if (Column)
      InvalidateCol(C.X);
    else
      InvalidateRow(C.Y);
  };
  if (Move.OldUnioned && Move.OldRectShown)
    InvalidateRect(Stretched(Move.OldRect));
  else if (Move.OldValid)
    Vector(Move.OldCoord);
  const std::uint64_t Stamp = StructureStamp;
  if (InView) ClampInView(CurrentCoord); // may call the host (OnTopLeftChanged)
  if (StructureStamp != Stamp) return;
  if (GetCells(CurrentCoord.X, CurrentCoord.Y)->GetUnioned())
    InvalidateRect(Stretched(CurrentCellRect));
  else
    Vector(CurrentCoord);
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
  if (CurrentCoord.X < 0 || CurrentCoord.X >= GetColCount() || CurrentCoord.Y < 0 ||
      CurrentCoord.Y >= GetRowCount())
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
