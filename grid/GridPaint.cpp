// Painting: the four areas of the grid, each visible cell once (a merged cell once as a
// whole), its state, colour and font, lines, field, image, text, 3D frame and focus frame, and
// the five hooks through which the host draws or supplies content.
//
// Sections: the paint pass; one cell; the look of a cell; content (image, text, frames).
#include "grid/LayoutAxis.h"

#include <algorithm>

// ---------------------------------------------------------------- the paint pass

namespace {
// One of the four areas, walked row by row from its first cell.
struct TPaintArea {
  std::int32_t FirstCol, FirstRow;
  std::int32_t StartX, StartY;
  std::int32_t LimitX, LimitY;
  bool Fixed;
};
} // namespace

// Puts the canvas orientation and the pieces' paint counters back however painting ends,
// also when a host's drawing hook raises.
class TYCustomGrid::TPaintScope {
public:
  explicit TPaintScope(TYCustomGrid& AGrid)
      : Grid(AGrid), Mirrored(AGrid.UseRightToLeftAlignment()) {
    if (Mirrored) Grid.ChangeGridOrientation(true);
  }
  ~TPaintScope() {
    if (Mirrored) Grid.ChangeGridOrientation(false);
    Grid.Holder->GetCellsUnions()->ResetPaintCounters();
  }
  TPaintScope(const TPaintScope&) = delete;
  TPaintScope& operator=(const TPaintScope&) = delete;

private:
  TYCustomGrid& Grid;
  bool Mirrored;
};

void TYCustomGrid::Paint() {
  TPaintScope Scope(*this);
  TYGridDrawInfo DI;
  CalcDrawInfo(DI);
  // Whether the grid is active does not change during a paint; ask once, not per cell.
  PaintFocusFrames = IsActiveControl() && HasFocus();
  PaintActive = PaintFocusFrames || IsDesigning();
  const TYGridAxisDrawInfo& H = DI.Horz;
  const TYGridAxisDrawInfo& V = DI.Vert;
  const std::int32_t ScrollX = H.FixedBoundary - ColPixelOffset;
  const TPaintArea Areas[] = {
      {0, 0, 0, 0, H.FixedBoundary, V.FixedBoundary, true},
      {TopLeftCoord.X, 0, ScrollX, 0, H.GridBoundary, V.FixedBoundary, true},
      {0, TopLeftCoord.Y, 0, V.FixedBoundary, H.FixedBoundary, V.GridBoundary, true},
      {TopLeftCoord.X, TopLeftCoord.Y, ScrollX, V.FixedBoundary, H.GridBoundary, V.GridBoundary,
       false},
  };
  PaintStamp = StructureStamp;
  // Without a visible column or row there is no cell to paint: the axes' first cells are -1.
  for (const TPaintArea& Area : Areas) {
    if (!HasCurrentCell()) break;
    PaintArea(DI, Area.FirstCol, Area.FirstRow, Area.StartX, Area.StartY, Area.LimitX, Area.LimitY,
              Area.Fixed);
    // A drawing hook changed the grid: the layout and cells of this pass are stale. What the
    // change moved waits for the next paint, which shows the grid as it is then.
    if (PaintOutdated()) return InvalidateGrid();
  }
  PaintBackgroundField(DI);
}

void TYCustomGrid::PaintArea(const TYGridDrawInfo& DI, std::int32_t FirstCol, std::int32_t FirstRow,
                             std::int32_t StartX, std::int32_t StartY, std::int32_t LimitX,
                             std::int32_t LimitY, bool Fixed) {
  using YGridsLayout::Saturated;
  // Positions in 64 bits: a huge extent or line width ends the walk instead of wrapping it.
  std::int64_t Y = StartY;
  for (std::int32_t Row = FirstRow; Y < LimitY && Row < GetRowCount(); ++Row) {
    std::int64_t X = StartX;
    for (std::int32_t Col = FirstCol; X < LimitX && Col < GetColCount(); ++Col) {
      PaintCell(DI, Col, Row, Saturated(X), Saturated(Y), Fixed);
      if (PaintOutdated()) return;
      X += std::int64_t{GetColWidths(Col)} + DI.Horz.LineWidth;
    }
    Y += std::int64_t{GetRowHeights(Row)} + DI.Vert.LineWidth;
  }
}

// The area right of the last column and below the last row.
void TYCustomGrid::PaintBackgroundField(const TYGridDrawInfo& DI) {
  TCanvas* C = GetCanvas();
  C->GetBrush()->Color = Colors->GetColor(ycBakgroundFieldColor);
  C->GetBrush()->Style = bsSolid;
  if (DI.Horz.GridBoundary < DI.Horz.GridExtent)
    C->FillRect({DI.Horz.GridBoundary, 0, DI.Horz.GridExtent, DI.Vert.GridBoundary});
  if (DI.Vert.GridBoundary < DI.Vert.GridExtent)
    C->FillRect({0, DI.Vert.GridBoundary, DI.Horz.GridExtent, DI.Vert.GridExtent});
}

// ---------------------------------------------------------------- one cell

namespace {
// The pixel span of grid indices First..Last on one axis, counting only fixed and shown cells.
void UnionSpan(const TYGridAxisDrawInfo& Axis, std::int32_t First, std::int32_t Last,
               std::int32_t& Start, std::int32_t& End) {
  // The cells scrolled out lie between the fixed ones and the first one shown.
  auto Shown = [&Axis](std::int32_t From, std::int32_t To) {
    const std::int32_t HiddenFrom = std::max(From, Axis.FixedCellCount);
    const std::int32_t HiddenTo = std::min(To, Axis.FirstGridCell - 1);
    return YGridsLayout::Span(Axis, From, To) - YGridsLayout::Span(Axis, HiddenFrom, HiddenTo);
  };
  const std::int64_t Before = Shown(0, std::min(First, Last + 1) - 1);
  const std::int64_t Inside = Shown(std::max(First, 0), Last);
  Start = YGridsLayout::Saturated(Before);
  End = YGridsLayout::Saturated(Before + Inside - Axis.LineWidth);
}

bool Overlaps(std::int32_t Value, std::int32_t Low, std::int32_t High) {
  return Value >= Low && Value <= High;
}
} // namespace

// The pixel rectangle of a (clipped) piece. A one-column grid scrolled by pixels shifts its
// column by ColPixelOffset, merged cells of the column with it.
TRect TYCustomGrid::UnionPixelRect(const TYGridDrawInfo& DI, const TYGridRect& U) const {
  TRect R;
  UnionSpan(DI.Horz, U.Left, U.Right, R.Left, R.Right);
  UnionSpan(DI.Vert, U.Top, U.Bottom, R.Top, R.Bottom);
  if (U.Left >= GetFixedCols()) {
    R.Left -= ColPixelOffset;
    R.Right -= ColPixelOffset;
  }
  return R;
}

void TYCustomGrid::PaintCell(const TYGridDrawInfo& DI, std::int32_t Col, std::int32_t Row,
                             std::int32_t X, std::int32_t Y, bool Fixed) {
  TYCell* Cell = GetCells(Col, Row);
  TYGridUnion* Piece = Cell->GetGridUnion();
  if (Piece && Piece->GetPaintCounter() > 0) return; // a merged cell is painted once
  if (Piece) Piece->SetPaintCounter(1);
  TYCellPaint P{Cell, Col, Row, Fixed, {}, {}, nullptr, false, {}, false};
  if (Piece) {
    P.Span = ClippedToScrollPosition(Piece->GetRect());
    P.Rect = UnionPixelRect(DI, P.Span);
  } else {
    P.Span = {Col, Row, Col, Row};
    P.Rect = {X, Y, YGridsLayout::Saturated(std::int64_t{X} + GetColWidths(Col)),
              YGridsLayout::Saturated(std::int64_t{Y} + GetRowHeights(Row))};
  }
  TRect Where{P.Rect.Left, P.Rect.Top,
              YGridsLayout::Saturated(std::int64_t{P.Rect.Right} + DI.Horz.LineWidth),
              YGridsLayout::Saturated(std::int64_t{P.Rect.Bottom} + DI.Vert.LineWidth)};
  if (Where.Right <= Where.Left || !RectVisible(GetCanvas()->GetHandle(), &Where)) return;
  P.DrawCell = Cell->GetUnion() ? Cell->GetUnion()->GetMainCell() : Cell;
  P.Active = PaintActive;
  P.State = CellState(P, Piece != nullptr);
  DrawCellLines(DI, P);
  PrepareCanvas(P);
  if (DoBeforeDrawCell(Cell, Col, Row, P.State, P.Rect) && !IsDesigning()) return;
  if (PaintOutdated()) return;
  DrawCellContent(DI, P);
}

// After each hook: a host that changed the grid from it ends this paint (see Paint).
void TYCustomGrid::DrawCellContent(const TYGridDrawInfo& DI, TYCellPaint& P) {
  P.CustomField = DoDrawCellField(P.DrawCell, P.Col, P.Row, P.State, P.Rect);
  if (PaintOutdated()) return;
  if (!P.CustomField) GetCanvas()->FillRect(P.Rect);
  if (Images) DrawCellImage(P);
  if (PaintOutdated()) return;
  DrawCellTextOf(P);
  if (PaintOutdated()) return;
  if (P.Fixed && !P.CustomField) DrawFixedFrame(DI, P);
  if (P.State.Contains(ygdFocused) && Options.Contains(ygoShowFocusFrame) && PaintFocusFrames)
    DrawFocusFrame(P);
  DoAfterDrawCell(P.DrawCell, P.Col, P.Row, P.State, P.Rect);
}

TYGridDrawStates TYCustomGrid::CellState(const TYCellPaint& P, bool Merged) const {
  const TYGridRect& C = CurrentCellRect;
  const bool InCurCol = Merged ? Overlaps(C.Left, P.Span.Left, P.Span.Right) ||
                                     Overlaps(C.Right, P.Span.Left, P.Span.Right)
                               : Overlaps(P.Col, C.Left, C.Right);
  const bool InCurRow = Merged ? Overlaps(C.Top, P.Span.Top, P.Span.Bottom) ||
                                     Overlaps(C.Bottom, P.Span.Top, P.Span.Bottom)
                               : Overlaps(P.Row, C.Top, C.Bottom);
  TYGridDrawStates State;
  if (P.Fixed) {
    State.Include(ygdFixed);
    const bool Pressed = Merged ? CellInGridRect(PressedCell.X, PressedCell.Y, P.Span)
                                : PressedCell == TYGridCoord{P.Col, P.Row};
    if (Options.Contains(ygoSupportFixedButtons) && !IsLoading() && ButtonPressed && Pressed)
      State.Include(ygdDown);
    const bool ColScrollable = P.Col >= GetFixedCols();
    if ((ColScrollable && InCurCol) || (!ColScrollable && P.Row >= GetFixedRows() && InCurRow))
      State.Include(ygdCurrent);
    return State;
  }
  if (GetCols(P.Col)->GetMarked() || GetRows(P.Row)->GetMarked() || P.Cell->GetMarked())
    State.Include(ygdMarked);
  if (InCurCol && InCurRow) State.Include(ygdFocused);
  if (InCurCol || InCurRow) State.Include(ygdCurrent);
  return State;
}

void TYCustomGrid::DrawCellLines(const TYGridDrawInfo& DI, const TYCellPaint& P) {
  const std::int32_t LW = DI.Horz.LineWidth;
  const std::int32_t LH = DI.Vert.LineWidth;
  if (LW <= 0 && LH <= 0) return;
  TCanvas* C = GetCanvas();
  TPen* Pen = C->GetPen();
  Pen->Style = psSolid;
  Pen->Color = P.Fixed ? clWindowFrame : Colors->GetColor(ycGridLineColor);
  // The lines are cut to the client area (and a line's width beyond it) before they are drawn:
  // a cell may be far larger than the window, and its line would be drawn pixel by pixel.
  const auto Cut = [](std::int64_t Value, std::int32_t Extent, std::int32_t Margin) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(Value, -std::int64_t{Margin} - 1,
                                                              std::int64_t{Extent} + Margin + 1));
  };
  const std::int32_t W = DI.Horz.GridExtent;
  const std::int32_t H = DI.Vert.GridExtent;
  const std::int32_t Margin = std::max(LW, LH);
  if (LW > 0) {
    Pen->Width = LW;
    const std::int32_t X = Cut(std::int64_t{P.Rect.Right} + LW / 2, W, Margin);
    C->MoveTo(X, Cut(P.Rect.Top, H, Margin));
    C->LineTo(X, Cut(P.Rect.Bottom, H, Margin));
  }
  if (LH > 0) {
    Pen->Width = LH;
    const std::int32_t Y = Cut(std::int64_t{P.Rect.Bottom} + LH / 2, H, Margin);
    C->MoveTo(Cut(P.Rect.Right, W, Margin), Y);
    C->LineTo(Cut(std::int64_t{P.Rect.Left} - 1, W, Margin), Y);
  }
}

void TYCustomGrid::PrepareCanvas(const TYCellPaint& P) {
  TCanvas* C = GetCanvas();
  C->GetPen()->Style = psSolid;
  C->GetPen()->Mode = pmCopy;
  C->GetBrush()->Style = bsSolid;
  const TYCellLook Look = CellLook(P);
  C->GetBrush()->Color = Colors->GetColor(Look.Color);
  C->GetFont()->Assign(Fonts->GetFont(Look.Font));
}
