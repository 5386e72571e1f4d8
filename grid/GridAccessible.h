// Private to the grid: how assistive technologies read the grid as a table. Every answer is
// taken from the grid when asked: grid indices, the visible vectors with the fixed ones as
// headers, merged cells as blocks of their piece.
#pragma once

#include "grid/YCustomGrid.h"
#include "host/gui/Accessibility.h"

#include <algorithm>

class TYCustomGrid::TAccessibleLink final : public TAccessibleTable {
public:
  explicit TAccessibleLink(TYCustomGrid& AGrid) : Grid(AGrid) {}

  int AccessibleColCount() override { return Grid.GetColCount(); }
  int AccessibleRowCount() override { return Grid.GetRowCount(); }
  int AccessibleHeaderCols() override { return std::max(Grid.GetFixedCols(), 0); }
  int AccessibleHeaderRows() override { return std::max(Grid.GetFixedRows(), 0); }
  TAccessibleSpan AccessibleSpan(int Col, int Row) override;
  std::string AccessibleText(int Col, int Row) override;
  TRect AccessibleRect(int Col, int Row) override;
  bool AccessibleSelected(int Col, int Row) override;
  TPoint AccessibleCellAt(TPoint Client) override;
  TPoint AccessibleCurrent() override;

private:
  bool Valid(int Col, int Row) const {
    return Col >= 0 && Row >= 0 && Col < Grid.GetColCount() && Row < Grid.GetRowCount();
  }
  TYCustomGrid& Grid;
};
