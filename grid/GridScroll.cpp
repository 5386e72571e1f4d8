// Moving the view: the first scrollable cell shown, bringing a cell into view, and moving the
// window's pixels (a bit-block scroll) instead of repainting what stays visible.
#include "grid/LayoutAxis.h"

#include "host/gui/Accessibility.h"
#include "host/gui/WinUser.h"

#include <algorithm>

namespace {
// The first cell to show on one axis so that Index is wholly visible. Fixed cells are always
// visible; a cell scrolled out before the first one shown becomes the first; one beyond the
// last wholly visible cell becomes the last (MaxFirst).
std::int32_t FirstToShow(const TYGridAxisDrawInfo& Axis, std::int32_t Index,
                         std::int32_t MaxFirst) {
  if (Index < Axis.FixedCellCount) return Axis.FirstGridCell;
  if (Index < Axis.FirstGridCell) return Index;
  if (Index > Axis.LastFullVisibleCell) return MaxFirst;
  return Axis.FirstGridCell;
}

// The pixels the content moves along one axis when its first cell shown went from Old to
// FirstGridCell: negative when it moves left or up. False when that is more than the scrollable
// part of the window: nothing would survive a scroll, and the sum is not worth finishing.
bool ScrollDistance(const TYGridAxisDrawInfo& Axis, std::int32_t Old, std::int32_t& Amount) {
  const std::int32_t Start = std::min(Old, Axis.FirstGridCell);
  const std::int32_t Stop = std::max(Old, Axis.FirstGridCell);
  const std::int64_t Room = std::int64_t{Axis.GridBoundary} - Axis.FixedBoundary;
  if (YGridsLayout::FirstBeyond(Axis, Start, Stop, Room) < Stop) return false;
  Amount = static_cast<std::int32_t>(YGridsLayout::Span(Axis, Start, Stop - 1));
  if (Old < Axis.FirstGridCell) Amount = -Amount;
  return true;
}
} // namespace

void TYCustomGrid::SetLeftCol(std::int32_t Value) {
  if (Value == TopLeftCoord.X) return;
  if (Value < GetFixedCols() || Value >= GetColCount()) GridError(this, SGridIndexOutOfRange);
  MoveTopLeft(Value, TopLeftCoord.Y);
}

void TYCustomGrid::SetTopRow(std::int32_t Value) {
  if (Value == TopLeftCoord.Y) return;
  if (Value < GetFixedRows() || Value >= GetRowCount()) GridError(this, SGridIndexOutOfRange);
  MoveTopLeft(TopLeftCoord.X, Value);
}

// Only the cell's own coordinate is brought into view, not the whole merged cell.
void TYCustomGrid::ClampInView(const TYGridCoord& Coord) {
  if (!HandleAllocated()) return;
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  const TYGridCoord MaxTopLeft = CalcMaxTopLeft(Coord, DrawInfo);
  const TYGridCoord New{FirstToShow(DrawInfo.Horz, Coord.X, MaxTopLeft.X),
                        FirstToShow(DrawInfo.Vert, Coord.Y, MaxTopLeft.Y)};
  if (New == TopLeftCoord) return;
  const TYGridCoord OldTopLeft = TopLeftCoord;
  const std::uint64_t Stamp = StructureStamp;
  Update(); // what is pending is painted where it belongs before the pixels move
  // A drawing hook that changed the grid made the target stale; that change brought the
  // current cell into view itself.
  if (StructureStamp != Stamp) return;
  TopLeftCoord = New;
  TopLeftMoved(OldTopLeft);
}

void TYCustomGrid::MoveTopLeft(std::int32_t ALeft, std::int32_t ATop) {
  if (ALeft == TopLeftCoord.X && ATop == TopLeftCoord.Y) return;
  const std::uint64_t Stamp = StructureStamp;
  Update();
  if (StructureStamp != Stamp) { // a drawing hook changed the grid: the target is checked again
    if (!HasCurrentCell()) return;
    ALeft = std::clamp(ALeft, GetFixedCols(), GetColCount() - 1);
    ATop = std::clamp(ATop, GetFixedRows(), GetRowCount() - 1);
    if (ALeft == TopLeftCoord.X && ATop == TopLeftCoord.Y) return;
  }
  const TYGridCoord OldTopLeft = TopLeftCoord;
  TopLeftCoord = {ALeft, ATop};
  TopLeftMoved(OldTopLeft);
}

// Merged cells that span fixed and scrolled vectors do not survive a bit-block scroll: every
// union the scroll moved or cut is repainted after one.
void TYCustomGrid::TopLeftMoved(const TYGridCoord& OldTopLeft) {
  UpdateScrollPos();
  if (HandleAllocated()) {
    TYGridDrawInfo DrawInfo;
    CalcDrawInfo(DrawInfo);
    std::int32_t DX = 0;
    std::int32_t DY = 0;
    if (ScrollDistance(DrawInfo.Horz, OldTopLeft.X, DX) &&
        ScrollDistance(DrawInfo.Vert, OldTopLeft.Y, DY)) {
      ScrollDataInfo(DX, DY, DrawInfo);
      InvalidateUnionsAfterScroll(DX, DY);
    } else {
      InvalidateJump(OldTopLeft, DrawInfo);
    }
  }
  // Other cells are on screen now, and the rest moved.
  NotifyAccessibleTableChange(this, TAccessibleTableChange::Changed);
  TopLeftChanged();
}

// A jump too long to move pixels repaints the cells; a jump along one axis leaves the
// background field beyond the last column (row) as it was, the same before and after.
void TYCustomGrid::InvalidateJump(const TYGridCoord& OldTopLeft, const TYGridDrawInfo& DrawInfo) {
  TRect Area{0, 0, DrawInfo.Horz.GridExtent, DrawInfo.Vert.GridExtent};
  if (OldTopLeft.X == TopLeftCoord.X) Area.Right = std::min(Area.Right, DrawInfo.Horz.GridBoundary);
  if (OldTopLeft.Y == TopLeftCoord.Y)
    Area.Bottom = std::min(Area.Bottom, DrawInfo.Vert.GridBoundary);
  const TRect Shown = WindowRect(Area);
  ::InvalidateRect(GetHandle(), &Shown, !ControlStyle.Contains(csOpaque));
}

void TYCustomGrid::ScrollData(std::int32_t DX, std::int32_t DY) {
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  ScrollDataInfo(DX, DY, DrawInfo);
}

// Fixed columns scroll vertically with their rows and fixed rows horizontally with their
// columns; the fixed corner stays. Beyond the last column (row) lies only the background field,
// the same all along a scroll across it: a scroll along one axis leaves it where it is, so that
// a narrow table in a wide window moves only its own pixels.
void TYCustomGrid::ScrollDataInfo(std::int32_t DX, std::int32_t DY,
                                  const TYGridDrawInfo& DrawInfo) {
  const TYGridAxisDrawInfo& H = DrawInfo.Horz;
  const TYGridAxisDrawInfo& V = DrawInfo.Vert;
  if (DY == 0) {
    ScrollArea({H.FixedBoundary, 0, H.GridExtent, std::min(V.GridBoundary, V.GridExtent)}, DX, 0);
  } else if (DX == 0) {
    ScrollArea({0, V.FixedBoundary, std::min(H.GridBoundary, H.GridExtent), V.GridExtent}, 0, DY);
  } else {
    ScrollArea({H.FixedBoundary, 0, H.GridExtent, V.FixedBoundary}, DX, 0);
    ScrollArea({0, V.FixedBoundary, H.FixedBoundary, V.GridExtent}, 0, DY);
    ScrollArea({H.FixedBoundary, V.FixedBoundary, H.GridExtent, V.GridExtent}, DX, DY);
  }
}

// Moves the pixels of one area within it and invalidates what they uncover. A right-to-left
// grid shows every area mirrored, so each area is mirrored and moves the other way.
void TYCustomGrid::ScrollArea(const TRect& GridArea, std::int32_t DX, std::int32_t DY) {
  if (!HandleAllocated()) return;
  const TRect Area = WindowRect(GridArea);
  if (UseRightToLeftAlignment()) DX = -DX;
  ::ScrollWindowEx(GetHandle(), DX, DY, &Area, &Area, nullptr, nullptr, SW_INVALIDATE);
}
