// The bracket around structural changes of the store: the layout before, and after the change
// the focus, the repaint, the scroll range and the report.
#include "grid/YGrids.h"

#include "host/gui/Accessibility.h"
#include "host/gui/WinUser.h"

#include <algorithm>

void TYCustomGrid::PrepareChangeSize() {
  HasOldDrawInfo = HandleAllocated();
  if (HasOldDrawInfo) CalcDrawInfo(OldDrawInfo);
  OldColCount = GetColCount();
  OldRowCount = GetRowCount();
}

// The store changed which vectors the grid shows. The focus goes back to the remembered cell
// when it is still visible, else stays at its grid position; either way it is kept in the
// scrollable area. A grid left without visible columns or rows has no current cell: its
// position on that axis is then -1 and nothing is focused until vectors show again.
void TYCustomGrid::DoChangeSize() {
  TYGridCoord Target = CurrentCoord;
  if (SavedFocusCell && SavedFocusCell->GetGridCol() >= 0 && SavedFocusCell->GetGridRow() >= 0)
    Target = {SavedFocusCell->GetGridCol(), SavedFocusCell->GetGridRow()};
  SavedFocusCell = nullptr;
  Target.Y = std::max(std::min(Target.Y, GetRowCount() - 1), GetFixedRows());
  Target.X = std::max(std::min(Target.X, GetColCount() - 1), GetFixedCols());
  // The scroll range below may paint, and a paint calls the host: the current cell must name a
  // cell of the grid by then, not one the change removed.
  if (HasCurrentCell()) {
    PullCurrentIntoScrollArea();
    RefreshCurrentRect();
  }
  if (FullRepaint || TopLeftCoord.X != OldDrawInfo.Horz.FirstGridCell ||
      TopLeftCoord.Y != OldDrawInfo.Vert.FirstGridCell) {
    InvalidateCellsAreas();
    FullRepaint = false;
  } else if (HandleAllocated()) {
    InvalidateChangedArea();
  }
  const std::uint64_t Stamp = StructureStamp;
  UpdateScrollRange();
  if (StructureStamp != Stamp && HasCurrentCell()) FitIntoGrid(Target.X, Target.Y); // see Paint
  NotifyAccessibleTableChange(this, TAccessibleTableChange::Reset); // before the focus report
  if (HasCurrentCell()) {
    MoveCurrent(Target.X, Target.Y, true);
  } else {
    CurrentCoord = Target;
  }
  RefreshCurrentRect(); // the pieces may have changed under an unchanged position
  ReportTopLeftPull();
  SizeChanged(OldColCount, OldRowCount);
}

// Beyond the last column and row, before the change and after it, lies only the background
// field, the same before and after: hiding columns of a narrow table in a wide window
// repaints the columns, not the window.
void TYCustomGrid::InvalidateCellsAreas() {
  if (!HandleAllocated() || !HasOldDrawInfo) return InvalidateGrid();
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  const auto Reach = [](const TYGridAxisDrawInfo& Old, const TYGridAxisDrawInfo& New) {
    return std::min(std::max(Old.GridBoundary, New.GridBoundary), New.GridExtent);
  };
  const TRect Cells = WindowRect(
      {0, 0, Reach(OldDrawInfo.Horz, DrawInfo.Horz), Reach(OldDrawInfo.Vert, DrawInfo.Vert)});
  ::InvalidateRect(GetHandle(), &Cells, !ControlStyle.Contains(csOpaque));
}

// Without a full repaint only what may have changed is repainted: everything right of the last
// column that was wholly visible both before and after, and below the last such row. When that
// column or row is no longer part of the grid the whole grid is repainted instead.
void TYCustomGrid::InvalidateChangedArea() {
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  const std::int32_t LastCol =
      std::min(OldDrawInfo.Horz.LastFullVisibleCell, DrawInfo.Horz.LastFullVisibleCell);
  const std::int32_t LastRow =
      std::min(OldDrawInfo.Vert.LastFullVisibleCell, DrawInfo.Vert.LastFullVisibleCell);
  if (LastCol < 0 || LastCol >= GetColCount() || LastRow < 0 || LastRow >= GetRowCount()) {
    InvalidateGrid();
    return;
  }
  const TRect Col = WindowRect(CellRect(LastCol, 0)); // mirrored back, where the grid is
  const TRect Row = WindowRect(CellRect(0, LastRow));
  const TRect Right = WindowRect({Col.Left, Col.Top, GetClientWidth(), GetClientHeight()});
  const TRect Below = WindowRect({Row.Left, Row.Top, GetClientWidth(), GetClientHeight()});
  ::InvalidateRect(GetHandle(), &Right, false);
  ::InvalidateRect(GetHandle(), &Below, false);
}

// The first scrollable cell shown must stay a scrollable cell of the grid: showing, hiding,
// sorting or inserting fixed vectors moves the scrollable area under it. The store calls this
// whenever it renumbers an axis; the host hears of the move once the store's change is over
// (ReportTopLeftPull).
void TYCustomGrid::KeepTopLeftScrollable() {
  const TYGridCoord Old = TopLeftCoord;
  auto Clamp = [](std::int32_t Value, std::int32_t Fixed, std::int32_t Count) {
    return std::max(std::min(Value, Count - 1), Fixed);
  };
  if (GetColCount() > 0) TopLeftCoord.X = Clamp(TopLeftCoord.X, GetFixedCols(), GetColCount());
  if (GetRowCount() > 0) TopLeftCoord.Y = Clamp(TopLeftCoord.Y, GetFixedRows(), GetRowCount());
  TopLeftPulled = TopLeftPulled || !(TopLeftCoord == Old);
}

void TYCustomGrid::ReportTopLeftPull() {
  if (!TopLeftPulled) return;
  TopLeftPulled = false;
  TopLeftChanged();
}

void TYCustomGrid::Initialize() {
  TopLeftPulled = false;
  TopLeftCoord = {GetFixedCols(), GetFixedRows()};
  CurrentCoord = {GetFixedCols(), GetFixedRows()};
  RefreshCurrentRect();
}
