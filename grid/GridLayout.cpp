// Layout of the grid on screen, computed on demand, and the bracket around structural
// changes of the store.
#include "grid/LayoutAxis.h"

#include <algorithm>

using YGridsLayout::FirstBeyond;
using YGridsLayout::Saturated;
using YGridsLayout::Span;

void TYCustomGrid::CalcFixedInfo(TYGridDrawInfo& DrawInfo) const {
  auto Fill = [this](TYGridAxisDrawInfo& Axis, bool Lines, std::int32_t Fixed, std::int32_t First,
                     std::int32_t Count, TYGetExtentsFunc Extent, const TYCellsAxis& Sizes) {
    Axis.LineWidth = Lines ? GridLineWidth : 0;
    Axis.FixedCellCount = Fixed;
    Axis.FirstGridCell = First;
    Axis.GridCellCount = Count;
    Axis.GetExtent = std::move(Extent);
    Axis.Sizes = &Sizes;
    Axis.FixedBoundary = Saturated(Span(Axis, 0, Fixed - 1));
  };
  Fill(
      DrawInfo.Horz, Options.Contains(ygoFixedVertLine) || Options.Contains(ygoVertLine),
      GetFixedCols(), TopLeftCoord.X, GetColCount(),
      [this](std::int32_t I) { return GetColWidths(I); }, Holder->GetColAxis());
  Fill(
      DrawInfo.Vert, Options.Contains(ygoFixedHorzLine) || Options.Contains(ygoHorzLine),
      GetFixedRows(), TopLeftCoord.Y, GetRowCount(),
      [this](std::int32_t I) { return GetRowHeights(I); }, Holder->GetRowAxis());
}

// The scrollable part of one axis for a client extent. A cell is wholly visible when it ends
// at or before the client edge; its trailing line may fall outside.
void TYCustomGrid::CalcAxis(TYGridAxisDrawInfo& Axis, std::int32_t Extent) const {
  Axis.GridExtent = Extent;
  const std::int32_t First = Axis.FirstGridCell;
  const std::int32_t Count = Axis.GridCellCount;
  // An axis without cells has its first cell at -1: no index below 0 may count as a cell.
  const std::int32_t From = std::max(First, 0);
  const std::int64_t Room = std::int64_t{Extent} + Axis.LineWidth - Axis.FixedBoundary;
  const std::int32_t Beyond = FirstBeyond(Axis, From, Count, Room); // the first cell too many
  if (Beyond >= Count) {
    Axis.GridBoundary = Saturated(Axis.FixedBoundary + Span(Axis, From, Count - 1));
    Axis.LastFullVisibleCell = std::max(First, Count - 1);
    Axis.FullVisibleBoundary = Axis.GridBoundary;
    return;
  }
  Axis.GridBoundary = Extent;
  Axis.LastFullVisibleCell = std::max(First, Beyond - 1);
  Axis.FullVisibleBoundary = Saturated(Axis.FixedBoundary + Span(Axis, First, Beyond - 1));
}

void TYCustomGrid::CalcDrawInfoXY(TYGridDrawInfo& DrawInfo, std::int32_t UseWidth,
                                  std::int32_t UseHeight) const {
  CalcFixedInfo(DrawInfo);
  CalcAxis(DrawInfo.Horz, UseWidth);
  CalcAxis(DrawInfo.Vert, UseHeight);
}

// The layout of the client area is kept until something it depends on changes: the client
// size, the scroll position, the options and line width, or (through the store's layout
// version) the counts, sizes, visibility and order of the vectors.
void TYCustomGrid::CalcDrawInfo(TYGridDrawInfo& DrawInfo) const {
  const TYLayoutKey Key{GetClientWidth(), GetClientHeight(), TopLeftCoord,
                        Options.ToBits(), GridLineWidth,     Holder->GetLayoutVersion()};
  if (!LayoutCached || !(Key == LayoutKey)) {
    CalcDrawInfoXY(CachedLayout, Key.Width, Key.Height);
    LayoutKey = Key;
    LayoutCached = true;
  }
  DrawInfo = CachedLayout;
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
// The walk stops once the window is full, so it covers at most a window of cells.
std::int32_t MaxFirstCell(const TYGridAxisDrawInfo& Axis, std::int32_t Start) {
  std::int32_t Result = Start;
  std::int64_t Line = std::int64_t{Axis.GridExtent} + Axis.LineWidth;
  for (std::int32_t I = Start; I >= Axis.FixedCellCount; --I) {
    const std::int32_t Extent = Axis.GetExtent(I);
    if (Extent <= 0) continue;
    Line -= std::int64_t{Extent} + Axis.LineWidth;
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
  const std::int32_t From = InFixed ? 0 : Axis.FirstGridCell;
  const std::int32_t End = InFixed ? Axis.FixedCellCount : Axis.GridCellCount;
  const std::int64_t Start = InFixed ? 0 : Axis.FixedBoundary;
  const std::int32_t I = FirstBeyond(Axis, From, End, N - Start);
  return I < End ? I : -1;
}

// Where cell I starts on its axis; 0 also means that it has no position on screen: the walk
// to it passed the client edge.
std::int64_t LinePos(const TYGridAxisDrawInfo& Axis, std::int32_t I) {
  const bool Fixed = I < Axis.FixedCellCount;
  const std::int64_t Start = Fixed || I < Axis.FirstGridCell ? 0 : Axis.FixedBoundary;
  const std::int32_t From = Fixed ? 0 : Axis.FirstGridCell;
  if (I <= From) return Start;
  if (FirstBeyond(Axis, From, I, Axis.GridExtent - Start) < I) return 0;
  return Start + Span(Axis, From, I - 1);
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
  const std::int64_t From = LinePos(Axis, Min);
  std::int64_t To = LinePos(Axis, Max);
  To = To == 0 ? From + Axis.GetExtent(Min) : To + Axis.GetExtent(Max);
  To = std::min<std::int64_t>(To, Axis.GridExtent);
  if (IncludeLine) To += Axis.LineWidth; // the line may reach past the client edge
  Low = Saturated(From);
  High = Saturated(To);
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
  ScreenRect = CanvasRightToLeft ? R : WindowRect(R);
}

// Mirrored in 64 bits: the edges of a block far outside the window are saturated values.
TRect TYCustomGrid::WindowRect(const TRect& R) const {
  if (!UseRightToLeftAlignment()) return R;
  const std::int64_t W = GetClientWidth();
  return {YGridsLayout::Saturated(W - R.Right), R.Top, YGridsLayout::Saturated(W - R.Left),
          R.Bottom};
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
