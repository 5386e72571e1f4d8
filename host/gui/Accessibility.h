// What assistive technologies (screen readers) read of a control that shows a table of cells,
// and how the control tells them of its changes. A control answers GetAccessibleTable with an
// object of this interface; its window then presents itself to the platform's accessibility
// layer as a table whose cells are asked for here. Columns and rows count from 0 in the
// control's own order; rectangles are client pixels.
#pragma once

#include "host/gui/Types.h"

#include <string>

class TWinControl;

// A block of cells: the first column and row, and how many columns and rows it covers.
struct TAccessibleSpan {
  int Col = 0;
  int Row = 0;
  int ColSpan = 1;
  int RowSpan = 1;
};

class TAccessibleTable {
public:
  virtual ~TAccessibleTable() = default;
  virtual int AccessibleColCount() = 0;
  virtual int AccessibleRowCount() = 0;
  // The leading columns (rows) that are headers of the rows (columns).
  virtual int AccessibleHeaderCols() = 0;
  virtual int AccessibleHeaderRows() = 0;
  // The merged block that holds the cell, or the cell alone.
  virtual TAccessibleSpan AccessibleSpan(int Col, int Row) = 0;
  // The text of the cell (of a merged block: at its first cell).
  virtual std::string AccessibleText(int Col, int Row) = 0;
  // Where the cell (its whole merged block) lies; empty when it is not on screen.
  virtual TRect AccessibleRect(int Col, int Row) = 0;
  virtual bool AccessibleSelected(int Col, int Row) = 0;
  // The cell under a client point: (-1, -1) where there is none.
  virtual TPoint AccessibleCellAt(TPoint Client) = 0;
  // The cell that has the focus within the table: (-1, -1) when none.
  virtual TPoint AccessibleCurrent() = 0;
};

// The kinds of change a table reports.
enum class TAccessibleTableChange {
  Reset,   // columns or rows came, went or changed places
  Changed, // the same cells, with new texts, spans or positions on screen (scrolling)
};

// The notifications cost nothing while no assistive client listens, and nothing without a
// window: they are dropped then.
// The cell (Col, Row) got the focus within the table; reported while the control holds the
// keyboard focus.
void NotifyAccessibleFocus(TWinControl* Control, int Col, int Row);
// The cell (Col, Row) was selected (or no longer is).
void NotifyAccessibleSelection(TWinControl* Control, int Col, int Row, bool Selected);
// The selection changed in more cells at once (a whole column, row or everything).
void NotifyAccessibleSelectionWithin(TWinControl* Control);
// The table changed as Change says.
void NotifyAccessibleTableChange(TWinControl* Control, TAccessibleTableChange Change);
