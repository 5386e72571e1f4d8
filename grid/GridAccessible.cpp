// The grid as assistive technologies read it (GridAccessible.h), and the reports of its
// changes: the focus, the marks, scrolling and structural changes.
#include "grid/GridAccessible.h"

#include "grid/YGrids.h"

TAccessibleTable* TYCustomGrid::GetAccessibleTable() {
  if (!AccessibleLink) AccessibleLink = std::make_unique<TAccessibleLink>(*this);
  return AccessibleLink.get();
}

// A merged cell is its piece, as painted.
TAccessibleSpan TYCustomGrid::TAccessibleLink::AccessibleSpan(int Col, int Row) {
  if (!Valid(Col, Row)) return {Col, Row, 1, 1};
  const TYGridUnion* Piece = Grid.GetCells(Col, Row)->GetGridUnion();
  if (!Piece) return {Col, Row, 1, 1};
  const TYGridRect& R = Piece->GetRect();
  return {R.Left, R.Top, R.Right - R.Left + 1, R.Bottom - R.Top + 1};
}

// The text of the block's first cell (its main cell's, for a merged one).
std::string TYCustomGrid::TAccessibleLink::AccessibleText(int Col, int Row) {
  if (!Valid(Col, Row)) return {};
  const TAccessibleSpan Span = AccessibleSpan(Col, Row);
  return Grid.GetCellText(Span.Col, Span.Row);
}

// The whole block, clipped to what is shown; empty when it is scrolled out.
TRect TYCustomGrid::TAccessibleLink::AccessibleRect(int Col, int Row) {
  if (!Valid(Col, Row)) return {};
  const TAccessibleSpan S = AccessibleSpan(Col, Row);
  TRect Rect{};
  Grid.GridRectToScreenRect({S.Col, S.Row, S.Col + S.ColSpan - 1, S.Row + S.RowSpan - 1}, Rect,
                            false);
  return Rect;
}

// Marked as painting shows it: the cell's own mark, its union's, or its column's or row's;
// fixed cells never.
bool TYCustomGrid::TAccessibleLink::AccessibleSelected(int Col, int Row) {
  if (!Valid(Col, Row) || Col < Grid.GetFixedCols() || Row < Grid.GetFixedRows()) return false;
  const TYCell* Cell = Grid.GetCells(Col, Row);
  return Cell->GetMarked() || Cell->GetColVector()->GetMarked() ||
         Cell->GetRowVector()->GetMarked();
}

TPoint TYCustomGrid::TAccessibleLink::AccessibleCellAt(TPoint Client) {
  const TYGridCoord Hit = Grid.MouseCoord(Client.X, Client.Y);
  return {Hit.X, Hit.Y};
}

TPoint TYCustomGrid::TAccessibleLink::AccessibleCurrent() {
  if (!Grid.HasCurrentCell()) return {-1, -1};
  return {Grid.GetCol(), Grid.GetRow()};
}
