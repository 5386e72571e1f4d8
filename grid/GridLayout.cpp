// Layout of the grid on screen, computed on demand, and the bracket around structural
// changes of the store.
#include "grid/YGrids.h"

#include <algorithm>

void TYCustomGrid::CalcFixedInfo(TYGridDrawInfo& DrawInfo) const {
  auto Fill = [this](TYGridAxisDrawInfo& Axis, bool Lines, std::int32_t Fixed, std::int32_t First,
                     std::int32_t Count, TYGetExtentsFunc Extent) {
    Axis.LineWidth = Lines ? GridLineWidth : 0;
    Axis.FixedBoundary = 0;
    for (std::int32_t I = 0; I < Fixed; ++I)
      Axis.FixedBoundary += Extent(I) + Axis.LineWidth;
    Axis.FixedCellCount = Fixed;
    Axis.FirstGridCell = First;
    Axis.GridCellCount = Count;
    Axis.GetExtent = std::move(Extent);
  };
  Fill(DrawInfo.Horz, Options.Contains(ygoFixedVertLine) || Options.Contains(ygoVertLine),
       GetFixedCols(), TopLeftCoord.X, GetColCount(),
       [this](std::int32_t I) { return GetColWidths(I); });
  Fill(DrawInfo.Vert, Options.Contains(ygoFixedHorzLine) || Options.Contains(ygoHorzLine),
       GetFixedRows(), TopLeftCoord.Y, GetRowCount(),
       [this](std::int32_t I) { return GetRowHeights(I); });
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

void TYCustomGrid::CalcDrawInfoXY(TYGridDrawInfo& DrawInfo, std::int32_t UseWidth,
                                  std::int32_t UseHeight) const {
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

std::int32_t TYCustomGrid::GetGridWidth() const {
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  return DrawInfo.Horz.GridBoundary;
}

std::int32_t TYCustomGrid::GetGridHeight() const {
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  return DrawInfo.Vert.GridBoundary;
}

// ---------------------------------------------------------------- largest useful top-left

namespace {
// The smallest first scrollable index from which the cells up to Start all fit wholly; Start
// itself when it does not fit alone. Cells of zero extent neither count nor become the answer.
std::int32_t MaxFirstCell(const TYGridAxisDrawInfo& Axis, std::int32_t Start) {
  std::int32_t Result = Start;
  std::int32_t Line = Axis.GridExtent + Axis.LineWidth;
  for (std::int32_t I = Start; I >= Axis.FixedCellCount; --I) {
    const std::int32_t Extent = Axis.GetExtent(I);
    if (Extent <= 0) continue;
    Line -= Extent + Axis.LineWidth;
    if (Line < Axis.FixedBoundary) {
      if (Result == Start && Axis.GetExtent(Start) <= 0) Result = I;
      break;
    }
    Result = I;
  }
  return Result;
}

// The cell of one axis under pixel N, or -1. A point on a cell's trailing line belongs to it.
std::int32_t CellAlong(const TYGridAxisDrawInfo& Axis, std::int32_t N) {
  const bool InFixed = N < Axis.FixedBoundary;
  std::int32_t Line = InFixed ? 0 : Axis.FixedBoundary;
  const std::int32_t Last = InFixed ? Axis.FixedCellCount - 1 : Axis.GridCellCount - 1;
  for (std::int32_t I = InFixed ? 0 : Axis.FirstGridCell; I <= Last; ++I) {
    Line += Axis.GetExtent(I) + Axis.LineWidth;
    if (N < Line) return I;
  }
  return -1;
}

// Where cell I starts on its axis; 0 also means that it has no position on screen.
std::int32_t LinePos(const TYGridAxisDrawInfo& Axis, std::int32_t I) {
  const bool Fixed = I < Axis.FixedCellCount;
  std::int32_t Pos = Fixed || I < Axis.FirstGridCell ? 0 : Axis.FixedBoundary;
  for (std::int32_t J = Fixed ? 0 : Axis.FirstGridCell; J < I; ++J) {
    Pos += Axis.GetExtent(J) + Axis.LineWidth;
    if (Pos > Axis.GridExtent) return 0;
  }
  return Pos;
}

// The pixel span of the cells Min..Max on one axis; false when they are all scrolled out.
bool SpanAlong(const TYGridAxisDrawInfo& Axis, std::int32_t Min, std::int32_t Max, bool IncludeLine,
               std::int32_t& Low, std::int32_t& High) {
  if (Min >= Axis.FixedCellCount && Min < Axis.FirstGridCell) {
    if (Max < Axis.FirstGridCell) return false;
    Min = Axis.FirstGridCell;
  }
  if (Max > Axis.LastFullVisibleCell) {
    Max = Axis.LastFullVisibleCell + (Axis.LastFullVisibleCell < Axis.GridCellCount - 1 ? 1 : 0);
    if (LinePos(Axis, Max) == 0) --Max;
  }
  Low = LinePos(Axis, Min);
  High = LinePos(Axis, Max);
  High = High == 0 ? Low + Axis.GetExtent(Min) : High + Axis.GetExtent(Max);
  High = std::min(High, Axis.GridExtent);
  if (IncludeLine) High += Axis.LineWidth; // the line may reach past the client edge
  return true;
}
} // namespace

TYGridCoord TYCustomGrid::CalcMaxTopLeft(const TYGridCoord& Coord,
                                         const TYGridDrawInfo& DrawInfo) const {
  return {MaxFirstCell(DrawInfo.Horz, Coord.X), MaxFirstCell(DrawInfo.Vert, Coord.Y)};
}

// ---------------------------------------------------------------- points and rectangles

TYGridCoord TYCustomGrid::CalcCoordFromPoint(std::int32_t X, std::int32_t Y,
                                             const TYGridDrawInfo& DrawInfo) const {
  const std::int32_t N = UseRightToLeftAlignment() ? GetClientWidth() - X : X;
  return {CellAlong(DrawInfo.Horz, N), CellAlong(DrawInfo.Vert, Y)};
}

TYGridCoord TYCustomGrid::MouseCoord(std::int32_t X, std::int32_t Y) const {
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  TYGridCoord Result = CalcCoordFromPoint(X, Y, DrawInfo);
  if (Result.X == -1)
    Result.Y = -1;
  else if (Result.Y == -1)
    Result.X = -1;
  return Result;
}

void TYCustomGrid::GridRectToScreenRect(const TYGridRect& GridRect, TRect& ScreenRect,
                                        bool IncludeLine) const {
  ScreenRect = {};
  if (GridRect.Left > GridRect.Right || GridRect.Top > GridRect.Bottom) return;
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  if (GridRect.Left > DrawInfo.Horz.LastFullVisibleCell + 1 ||
      GridRect.Top > DrawInfo.Vert.LastFullVisibleCell + 1)
    return;
  TRect R;
  if (!SpanAlong(DrawInfo.Horz, GridRect.Left, GridRect.Right, IncludeLine, R.Left, R.Right))
    return;
  if (!SpanAlong(DrawInfo.Vert, GridRect.Top, GridRect.Bottom, IncludeLine, R.Top, R.Bottom))
    return;
  if (UseRightToLeftAlignment() && !CanvasRightToLeft)
    R = {GetClientWidth() - R.Right, R.Top, GetClientWidth() - R.Left, R.Bottom};
  ScreenRect = R;
}

TRect TYCustomGrid::BoxRect(std::int32_t ALeft, std::int32_t ATop, std::int32_t ARight,
                            std::int32_t ABottom) const {
  TRect Result;
  GridRectToScreenRect({ALeft, ATop, ARight, ABottom}, Result, false);
  return Result;
}

TRect TYCustomGrid::CellRect(std::int32_t ACol, std::int32_t ARow) const {
  CheckCoord(ACol, ARow);
  return BoxRect(ACol, ARow, ACol, ARow);
}

TRect TYCustomGrid::UnionRect(std::int32_t ACol, std::int32_t ARow) const {
  CheckCoord(ACol, ARow);
  if (TYGridUnion* Piece = GetCells(ACol, ARow)->GetGridUnion()) {
    const TYGridRect& R = Piece->GetRect();
    return BoxRect(R.Left, R.Top, R.Right, R.Bottom);
  }
  return BoxRect(ACol, ARow, ACol, ARow);
}

// Sets up the canvas so that painting in left-to-right coordinates comes out mirrored.
void TYCustomGrid::ChangeGridOrientation(bool RightToLeftOrientation) {
  HDC Dc = GetCanvas()->GetHandle();
  const std::int32_t W = GetClientWidth();
  const std::int32_t H = GetClientHeight();
  SetMapMode(Dc, MM_ANISOTROPIC);
  SetWindowOrgEx(Dc, RightToLeftOrientation ? W : 0, 0, nullptr);
  SetViewportExtEx(Dc, W, H, nullptr);
  SetWindowExtEx(Dc, RightToLeftOrientation ? -W : W, H, nullptr);
  CanvasRightToLeft = RightToLeftOrientation;
}
