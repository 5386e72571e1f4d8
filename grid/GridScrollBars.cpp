// The two window scroll bars: their ranges and thumbs, and the user's actions on them. An axis
// scrolled by cells uses the positions 0..127 for its scrollable range; a grid of a single
// column scrolls that column by pixels instead.
#include "grid/FlagHold.h"
#include "grid/YGrids.h"

#include "host/gui/WinUser.h"

#include <algorithm>
#include <cstdint>

namespace {
constexpr int ThumbRange = 127; // positions of an axis scrolled by cells

bool HasHorzBar(TScrollStyle Style) {
  return Style == ssHorizontal || Style == ssBoth;
}
bool HasVertBar(TScrollStyle Style) {
  return Style == ssVertical || Style == ssBoth;
}

// Where each scroll bar action takes the scroll position of one axis (in cells or pixels).
struct TBarSteps {
  std::int32_t Line;        // one line forward (negative: backward)
  std::int32_t PageBack;    // one window backward
  std::int32_t PageForward; // one window forward
  std::int32_t Thumb;       // where the thumb position asks for
  std::int32_t Top, Bottom; // the limits
};

std::int32_t BarTarget(const TBarSteps& S, std::int32_t Value, int Code, bool Tracking) {
  switch (Code) {
  case SB_LINEUP:
    return Value - S.Line;
  case SB_LINEDOWN:
    return Value + S.Line;
  case SB_PAGEUP:
    return Value - S.PageBack;
  case SB_PAGEDOWN:
    return Value + S.PageForward;
  case SB_THUMBTRACK: // without tracking the grid moves only when the thumb is released
    return Tracking ? S.Thumb : Value;
  case SB_THUMBPOSITION:
    return S.Thumb;
  case SB_TOP:
    return S.Top;
  case SB_BOTTOM:
    return S.Bottom;
  default:
    return Value;
  }
}

// The first scrollable cell after an action on one axis. Cells of zero extent cannot be the
// first one shown: the step repeats over them in the direction of travel.
std::int32_t StepFirstCell(const TYGridAxisDrawInfo& Axis, const TBarSteps& S, int Code,
                           bool Tracking) {
  std::int32_t Value = Axis.FirstGridCell;
  std::int32_t Previous;
  do {
    Previous = Value;
    Value = BarTarget(S, Value, Code, Tracking);
  } while (Value > S.Top && Value < S.Bottom && Axis.GetExtent(Value) <= 0 && Value != Previous);
  return Value;
}

// The thumb position travels in 16 bits and is sign-extended.
std::uint32_t ThumbPos(const TMessage& Message) {
  const auto Pos = static_cast<std::int16_t>(TWMScroll(Message).Pos);
  return static_cast<std::uint32_t>(static_cast<std::int32_t>(Pos));
}
} // namespace

// ---------------------------------------------------------------- actions

void TYCustomGrid::WMHScroll(TMessage& Message) {
  ModifyScrollBar(SB_HORZ, static_cast<int>(TWMScroll(Message).ScrollCode), ThumbPos(Message),
                  true);
}

void TYCustomGrid::WMVScroll(TMessage& Message) {
  ModifyScrollBar(SB_VERT, static_cast<int>(TWMScroll(Message).ScrollCode), ThumbPos(Message),
                  true);
}

// Clicking a scroll bar focuses the grid. Right-to-left, the horizontal bar runs the other way.
void TYCustomGrid::ModifyScrollBar(int ScrollBar, int ScrollCode, std::uint32_t Pos,
                                   bool UseRightToLeft) {
  if (!HasCurrentCell()) return; // no cells, nothing to scroll
  const int Factor = UseRightToLeftAlignment() && UseRightToLeft ? -1 : 1;
  if (GetVisible() && CanFocus() && GetTabStop() && !IsDesigning()) SetFocus();
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  if (ScrollBar == SB_HORZ && GetColCount() == 1) {
    PixelScroll(DrawInfo, ScrollCode, Pos, Factor);
    return;
  }
  const bool Horz = ScrollBar == SB_HORZ;
  const TYGridAxisDrawInfo& Axis = Horz ? DrawInfo.Horz : DrawInfo.Vert;
  const int Step = Horz ? Factor : 1;
  const TYGridCoord MaxTopLeft = CalcMaxTopLeft({GetColCount() - 1, GetRowCount() - 1}, DrawInfo);
  const TYGridCoord PageBack = CalcMaxTopLeft(TopLeftCoord, DrawInfo); // one window back
  const std::int32_t Min = Axis.FixedCellCount;
  const std::int32_t Max = Horz ? MaxTopLeft.X : MaxTopLeft.Y;
  const std::int32_t Thumb = MulDiv(static_cast<int>(Pos), Max - Min, ThumbRange);
  const TBarSteps S{Step,
                    std::max(1, Axis.FirstGridCell - (Horz ? PageBack.X : PageBack.Y)) * Step,
                    std::max(1, Axis.LastFullVisibleCell - Axis.FirstGridCell) * Step,
                    Step != 1 && UseRightToLeftAlignment() ? Max - Thumb : Min + Thumb,
                    Min,
                    Max};
  TYGridCoord New = TopLeftCoord;
  (Horz ? New.X : New.Y) = StepFirstCell(Axis, S, ScrollCode, Options.Contains(ygoThumbTracking));
  New.X = std::max(GetFixedCols(), std::min(MaxTopLeft.X, New.X));
  New.Y = std::max(GetFixedRows(), std::min(MaxTopLeft.Y, New.Y));
  if (!(New == TopLeftCoord)) MoveTopLeft(New.X, New.Y);
}

// ---------------------------------------------------------------- pixel scrolling

// How far the only column can be scrolled: its width less the window's room for it. A column
// narrower than the window is not scrolled at all, matching the bar's empty range.
std::int32_t TYCustomGrid::PixelScrollLimit(const TYGridDrawInfo& DrawInfo) const {
  const std::int64_t ColWidth = GetColWidths(DrawInfo.Horz.FirstGridCell);
  const std::int64_t GridSpace = std::int64_t{GetClientWidth()} - DrawInfo.Horz.FixedBoundary;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(ColWidth - GridSpace, 0, INT32_MAX));
}

// Lines are the width of a digit, pages the window's room for the column. Right-to-left, the
// thumb position is mirrored as the bar shows it (limit - position).
void TYCustomGrid::PixelScroll(const TYGridDrawInfo& DrawInfo, int ScrollCode, std::uint32_t Pos,
                               int Factor) {
  const std::int32_t Limit = PixelScrollLimit(DrawInfo);
  const std::int32_t GridSpace = GetClientWidth() - DrawInfo.Horz.FixedBoundary;
  const auto Thumb = static_cast<std::int32_t>(Pos);
  const TBarSteps S{GetCanvas()->TextWidth("0") * Factor,
                    GridSpace * Factor,
                    GridSpace * Factor,
                    Factor != 1 && UseRightToLeftAlignment() ? Limit - Thumb : Thumb,
                    0,
                    Limit};
  MovePixelOffset(BarTarget(S, ColPixelOffset, ScrollCode, Options.Contains(ygoThumbTracking)));
}

// The fixed rows of the column are repainted: merged header cells do not survive the scroll.
void TYCustomGrid::MovePixelOffset(std::int32_t Offset) {
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  Offset = std::clamp(Offset, 0, PixelScrollLimit(DrawInfo));
  if (Offset == ColPixelOffset) return;
  const std::int32_t Old = ColPixelOffset;
  ColPixelOffset = Offset;
  ScrollData(Old - Offset, 0);
  InvalidateRect({0, 0, 0, GetFixedRows()});
  Update();
  UpdateScrollPos();
}

// The pixel offset scrolls inside the only column; once there are more columns (or none) the
// grid scrolls by cells and shows its columns from their left edges again.
void TYCustomGrid::DropPixelOffset() {
  if (GetColCount() == 1 || ColPixelOffset == 0) return;
  ColPixelOffset = 0;
  InvalidateGrid();
}

// ---------------------------------------------------------------- thumbs

void TYCustomGrid::UpdateScrollPos() {
  if (!HandleAllocated() || ScrollBars == ssNone || RangingScrollBars || !HasCurrentCell()) return;
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  const TYGridCoord MaxTopLeft = CalcMaxTopLeft({GetColCount() - 1, GetRowCount() - 1}, DrawInfo);
  if (HasHorzBar(ScrollBars)) UpdateHorzScrollPos(DrawInfo, MaxTopLeft.X);
  if (HasVertBar(ScrollBars))
    SetBarPos(SB_VERT,
              MulDiv(TopLeftCoord.Y - GetFixedRows(), ThumbRange, MaxTopLeft.Y - GetFixedRows()));
}

// Right-to-left, the horizontal position is mirrored. When everything fits the divisor is 0
// and the position -1, which the empty range of the bar clamps.
void TYCustomGrid::UpdateHorzScrollPos(const TYGridDrawInfo& DrawInfo, std::int32_t MaxLeft) {
  const bool Mirrored = UseRightToLeftAlignment();
  if (GetColCount() != 1) {
    const int Pos = MulDiv(TopLeftCoord.X - GetFixedCols(), ThumbRange, MaxLeft - GetFixedCols());
    SetBarPos(SB_HORZ, Mirrored ? ThumbRange - Pos : Pos);
    return;
  }
  const std::int32_t Limit = PixelScrollLimit(DrawInfo);
  if (ColPixelOffset > Limit) { // the window grew past the column's end
    MovePixelOffset(Limit);
    return;
  }
  SetBarPos(SB_HORZ, Mirrored ? Limit - ColPixelOffset : ColPixelOffset);
}

void TYCustomGrid::SetBarPos(int Bar, int Value) {
  if (GetScrollPos(GetHandle(), Bar) != Value) SetScrollPos(GetHandle(), Bar, Value, true);
}

// ---------------------------------------------------------------- ranges

// The ranges are worked out for the window as it would be without bars; a bar that appears or
// vanishes changes the client area, so the horizontal range is worked out again when the
// vertical bar changed the width. While ranging, a private flag keeps the size messages of
// appearing bars from ranging again; the published ScrollBars keeps its value throughout, for
// the hooks of a paint that runs in between.
void TYCustomGrid::UpdateScrollRange() {
  DropPixelOffset();
  if (RangingScrollBars || ScrollBars == ssNone || !HandleAllocated() || !GetShowing()) return;
  const TScrollStyle Style = ScrollBars;
  const TYGridCoord OldTopLeft = TopLeftCoord;
  std::int32_t Width = GetClientWidth();
  std::int32_t Height = GetClientHeight();
  int Min = 0;
  int Max = 0;
  if (HasHorzBar(Style) && GetScrollRange(GetHandle(), SB_HORZ, &Min, &Max) && Min != Max)
    Height += GetSystemMetrics(SM_CYHSCROLL);
  if (HasVertBar(Style) && GetScrollRange(GetHandle(), SB_VERT, &Min, &Max) && Min != Max)
    Width += GetSystemMetrics(SM_CXVSCROLL);
  bool Updated = false; // what is pending is painted once, before the first pull
  {
    const YGridsDetail::TFlagHold Ranging(RangingScrollBars);
    if (HasHorzBar(Style)) RangeHorzBar(Width, Height, OldTopLeft, Updated);
    Height = GetClientHeight();
    if (HasVertBar(Style)) RangeAxisBar(SB_VERT, Width, Height, OldTopLeft, Updated);
    if (HasHorzBar(Style) && GetClientWidth() != Width) {
      Width = GetClientWidth();
      RangeHorzBar(Width, Height, OldTopLeft, Updated);
    }
  }
  UpdateScrollPos();
  if (!(TopLeftCoord == OldTopLeft)) TopLeftMoved(OldTopLeft);
}

void TYCustomGrid::RangeHorzBar(std::int32_t Width, std::int32_t Height,
                                const TYGridCoord& OldTopLeft, bool& Updated) {
  if (GetColCount() == 1) {
    const std::int64_t Beyond = std::int64_t{GetColWidths(0)} - GetClientWidth();
    SetScrollRange(GetHandle(), SB_HORZ, 0,
                   static_cast<int>(std::clamp<std::int64_t>(Beyond, 0, INT32_MAX)), true);
    return;
  }
  RangeAxisBar(SB_HORZ, Width, Height, OldTopLeft, Updated);
}

// The bar's range is empty when everything fits. A first scrollable cell beyond the largest
// useful one (the window grew) is pulled back to it.
void TYCustomGrid::RangeAxisBar(int Bar, std::int32_t Width, std::int32_t Height,
                                const TYGridCoord& OldTopLeft, bool& Updated) {
  if (!HasCurrentCell()) { // no cells: nothing to scroll, nothing to pull
    SetScrollRange(GetHandle(), Bar, 0, 0, true);
    return;
  }
  TYGridDrawInfo DrawInfo;
  CalcDrawInfoXY(DrawInfo, Width, Height);
  const TYGridCoord MaxTopLeft = CalcMaxTopLeft({GetColCount() - 1, GetRowCount() - 1}, DrawInfo);
  const bool Horz = Bar == SB_HORZ;
  const std::int32_t Max = Horz ? MaxTopLeft.X : MaxTopLeft.Y;
  const std::int32_t Fixed = Horz ? GetFixedCols() : GetFixedRows();
  SetScrollRange(GetHandle(), Bar, 0, Fixed < Max ? ThumbRange : 0, true);
  if ((Horz ? OldTopLeft.X : OldTopLeft.Y) <= Max) return;
  const std::uint64_t Stamp = StructureStamp;
  if (!Updated) Update();
  Updated = true;
  if (StructureStamp != Stamp) return; // a drawing hook changed the grid: its Max is stale
  (Horz ? TopLeftCoord.X : TopLeftCoord.Y) = Max;
}

// ---------------------------------------------------------------- window messages

void TYCustomGrid::WMSize(TMessage& Message) {
  TCustomControl::WndProc(Message);
  UpdateScrollRange();
  if (UseRightToLeftAlignment()) Invalidate(); // the mirrored picture is anchored at the right
}

void TYCustomGrid::CMShowingChanged(TMessage& Message) {
  TCustomControl::WndProc(Message);
  if (GetShowing()) UpdateScrollRange();
}
