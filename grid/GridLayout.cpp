// Layout of the grid on screen, computed on demand, and the bracket around structural
// changes of the store.
#include "grid/YGrids.h"

#include <algorithm>

void TYCustomGrid::CalcFixedInfo(TYGridDrawInfo& DrawInfo) const {
  auto Fill = [this](TYGridAxisDrawInfo& Axis, bool Lines, std::int32_t Fixed, std::int32_t First,
                     std::int32_t Count, TYGetExtentsFunc Extent) {
    Axis.LineWidth = Lines ? GridLineWidth : 0;
    Axis.FixedBoundary = 0;
    for (std::int32_t I = 0; I < Fixed; ++I) Axis.FixedBoundary += Extent(I) + Axis.LineWidth;
    Axis.FixedCellCount = Fixed;
    Axis.FirstGridCell = First;
    Axis.GridCellCount = Count;
    Axis.GetExtent = std::move(Extent);
  };
  Fill(DrawInfo.Horz, Options.Contains(ygoFixedVertLine) || Options.Contains(ygoVertLine), FixedCols,
       TopLeftCoord.X, ColCount, [this](std::int32_t I) { return GetColWidths(I); });
  Fill(DrawInfo.Vert, Options.Contains(ygoFixedHorzLine) || Options.Contains(ygoHorzLine), FixedRows,
       TopLeftCoord.Y, RowCount, [this](std::int32_t I) { return GetRowHeights(I); });
}

// The scrollable part of one axis for a client extent. A cell is wholly visible when it ends
// at or before the client edge; its trailing line may fall outside.
void TYCustomGrid::CalcAxis(TYGridAxisDrawInfo& Axis, std::int32_t Extent) const {
  Axis.GridExtent = Extent;
  Axis.GridBoundary = Axis.FixedBoundary;
  Axis.FullVisibleBoundary = Axis.FixedBoundary;
  Axis.LastFullVisibleCell = Axis.FirstGridCell;
  for (std::int32_t I = Axis.FirstGridCell; I < Axis.GridCellCount; ++I) {
    Axis.GridBoundary += Axis.GetExtent(I) + Axis.LineWidth;
    if (Axis.GridBoundary > Axis.GridExtent + Axis.LineWidth) {
      Axis.GridBoundary = Axis.GridExtent;
      break;
    }
    Axis.LastFullVisibleCell = I;
    Axis.FullVisibleBoundary = Axis.GridBoundary;
  }
}

void TYCustomGrid::CalcDrawInfoXY(TYGridDrawInfo& DrawInfo, std::int32_t UseWidth, std::int32_t UseHeight) const {
  CalcFixedInfo(DrawInfo);
  CalcAxis(DrawInfo.Horz, UseWidth);
  CalcAxis(DrawInfo.Vert, UseHeight);
}

void TYCustomGrid::CalcDrawInfo(TYGridDrawInfo& DrawInfo) const {
  CalcDrawInfoXY(DrawInfo, GetClientWidth(), GetClientHeight());
}

std::int32_t TYCustomGrid::GetVisibleColCount() const {
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  return DrawInfo.Horz.LastFullVisibleCell - TopLeftCoord.X + 1;
}

std::int32_t TYCustomGrid::GetVisibleRowCount() const {
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  return DrawInfo.Vert.LastFullVisibleCell - TopLeftCoord.Y + 1;
}

// ---------------------------------------------------------------- the size-change bracket

void TYCustomGrid::PrepareChangeSize() {
  if (HandleAllocated()) CalcDrawInfo(OldDrawInfo);
  OldColCount = ColCount;
  OldRowCount = RowCount;
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
  Target.Y = std::max(std::min(Target.Y, RowCount - 1), FixedRows);
  Target.X = std::max(std::min(Target.X, ColCount - 1), FixedCols);
  if (FullRepaint || TopLeftCoord.X != OldDrawInfo.Horz.FirstGridCell ||
      TopLeftCoord.Y != OldDrawInfo.Vert.FirstGridCell) {
    InvalidateGrid();
    FullRepaint = false;
  }
  UpdateScrollRange();
  if (HasCurrentCell()) {
    MoveCurrent(Target.X, Target.Y, true);
  } else {
    CurrentCoord = Target;
  }
  RefreshCurrentRect(); // the pieces may have changed under an unchanged position
  ReportTopLeftPull();
  SizeChanged(OldColCount, OldRowCount);
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
  if (ColCount > 0) TopLeftCoord.X = Clamp(TopLeftCoord.X, FixedCols, ColCount);
  if (RowCount > 0) TopLeftCoord.Y = Clamp(TopLeftCoord.Y, FixedRows, RowCount);
  TopLeftPulled = TopLeftPulled || !(TopLeftCoord == Old);
}

void TYCustomGrid::ReportTopLeftPull() {
  if (!TopLeftPulled) return;
  TopLeftPulled = false;
  TopLeftChanged();
}

void TYCustomGrid::Initialize() {
  TopLeftPulled = false;
  TopLeftCoord = {FixedCols, FixedRows};
  CurrentCoord = {FixedCols, FixedRows};
  RefreshCurrentRect();
}
