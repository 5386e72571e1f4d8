// Fixed cells as push buttons, the auto-scroll timer, the wheel, focus changes and the
// reports of size changes.
#include "grid/YGrids.h"

#include "host/gui/Forms.h"
#include "host/gui/WinUser.h"

// ---------------------------------------------------------------- fixed buttons

// The button is drawn pressed while the pointer is in the client area over the pressed cell, or
// over any cell of its merged piece.
void TYCustomGrid::TrackButton(std::int32_t X, std::int32_t Y) {
  const TYGridCoord Cell = MouseCoord(X, Y);
  TYGridRect Button{PressedCell.X, PressedCell.Y, PressedCell.X, PressedCell.Y};
  // A host's handler may have changed the grid since the press: the pressed cell may be gone,
  // and the change has repainted the grid then.
  const bool InGrid = PressedCell.X >= 0 && PressedCell.Y >= 0 && PressedCell.X < GetColCount() &&
                      PressedCell.Y < GetRowCount();
  if (InGrid) {
    const TYCell* Pressed = GetCells(PressedCell.X, PressedCell.Y);
    if (Pressed->GetUnioned()) Button = Pressed->GetGridUnion()->GetRect();
  }
  const bool Down = InClientArea(X, Y) && CellInGridRect(Cell.X, Cell.Y, Button);
  if (Down == ButtonPressed) return;
  ButtonPressed = Down;
  if (InGrid) InvalidateCell(PressedCell.X, PressedCell.Y);
}

bool TYCustomGrid::InClientArea(std::int32_t X, std::int32_t Y) const {
  return X >= 0 && Y >= 0 && X < GetClientWidth() && Y < GetClientHeight();
}

void TYCustomGrid::StopTracking() {
  if (!ButtonTracking) return;
  TrackButton(-1, -1);
  ButtonTracking = false;
  SetMouseCapture(false);
}

void TYCustomGrid::CheckFixedCellButton(std::int32_t ACol, std::int32_t ARow, bool& Enabled) {
  if (ACol < 0 || ARow < 0) {
    Enabled = false;
  } else if (ACol < GetFixedCols() || ARow < GetFixedRows()) {
    if (OnCheckButton) OnCheckButton(this, MainCellOf(ACol, ARow), ACol, ARow, Enabled);
  } else {
    Enabled = false;
  }
}

// The cell passed to the host is the merged cell's main cell; the position stays the one pressed.
void TYCustomGrid::DoFixedCellClick(std::int32_t ACol, std::int32_t ARow) {
  if (OnFixedCellClick) OnFixedCellClick(this, MainCellOf(ACol, ARow), ACol, ARow);
}

TYCell* TYCustomGrid::MainCellOf(std::int32_t ACol, std::int32_t ARow) const {
  TYCell* Cell = GetCells(ACol, ARow);
  return Cell->GetBelongsToUnion() ? Cell->GetUnion()->GetMainCell() : Cell;
}

// A left press on a fixed cell: the host may refuse the button, which then only beeps.
void TYCustomGrid::PressFixedButton(const TYGridCoord& Cell, std::int32_t X, std::int32_t Y) {
  bool Enabled = true;
  CheckFixedCellButton(Cell.X, Cell.Y, Enabled);
  if (!Enabled) return Beep();
  SetMouseCapture(true);
  ButtonTracking = true;
  PressedCell = Cell;
  TrackButton(X, Y);
}

// The release counts as a click only on exactly the pressed cell; a release on another cell of
// the same merged button does not.
void TYCustomGrid::ReleaseFixedButton(std::int32_t X, std::int32_t Y) {
  if (!ButtonTracking || PressedCell.X < 0 || PressedCell.Y < 0) return;
  const TYGridCoord Cell = MouseCoord(X, Y);
  const bool Inside = InClientArea(X, Y) && Cell == PressedCell;
  StopTracking();
  if (Inside && Cell.Y < GetRowCount() && Cell.X < GetColCount()) DoFixedCellClick(Cell.X, Cell.Y);
}

// ---------------------------------------------------------------- the auto-scroll timer

void TYCustomGrid::StartAutoScroll() {
  if (HandleAllocated()) SetTimer(GetHandle(), AutoScrollTimer, AutoScrollPeriod);
}

void TYCustomGrid::StopAutoScroll() {
  if (HandleAllocated()) KillTimer(GetHandle(), AutoScrollTimer);
}

void TYCustomGrid::WMTimer(TMessage&) {
  if (GridState != ygsFocusMoving && GridState != ygsRangeMarking && GridState != ygsRowMoving &&
      GridState != ygsColMoving)
    return;
  TPoint P;
  GetCursorPos(&P);
  ScreenToClient(GetHandle(), &P);
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  const TYGridCoord Cell = CalcCoordFromPoint(P.X, P.Y, DrawInfo);
  if (GridState == ygsRowMoving)
    MoveAndScroll(P.Y, Cell.Y, DrawInfo, DrawInfo.Vert, SB_VERT, P);
  else if (GridState == ygsColMoving)
    MoveAndScroll(P.X, Cell.X, DrawInfo, DrawInfo.Horz, SB_HORZ, P);
  else if (const TYGridScrollDirection Directions = PointerDirections(P, DrawInfo);
           !Directions.Empty())
    TimedScroll(Directions);
}

// Where the pointer lies beyond the scrollable cells: over the fixed cells, or past the last
// wholly visible cell.
TYGridScrollDirection TYCustomGrid::PointerDirections(const TPoint& P,
                                                      const TYGridDrawInfo& DrawInfo) const {
  TYGridScrollDirection Directions;
  const TYGridAxisDrawInfo& Horz = DrawInfo.Horz;
  if (UseRightToLeftAlignment()) {
    const std::int32_t Width = GetClientWidth();
    if (P.X < Width - Horz.FullVisibleBoundary)
      Directions.Include(ysdRight);
    else if (P.X > Width - Horz.FixedBoundary)
      Directions.Include(ysdLeft);
  } else if (P.X < Horz.FixedBoundary) {
    Directions.Include(ysdLeft);
  } else if (P.X > Horz.FullVisibleBoundary) {
    Directions.Include(ysdRight);
  }
  if (P.Y < DrawInfo.Vert.FixedBoundary)
    Directions.Include(ysdUp);
  else if (P.Y > DrawInfo.Vert.FullVisibleBoundary)
    Directions.Include(ysdDown);
  return Directions;
}

void TYCustomGrid::TimedScroll(TYGridScrollDirection Directions) {
  if (!HasCurrentCell()) return;
  std::int32_t NewX = CurrentCoord.X;
  std::int32_t NewY = CurrentCoord.Y;
  if (Directions.Contains(ysdLeft) && NewX > GetFixedCols()) --NewX;
  if (Directions.Contains(ysdRight) && CurrentCoord.X < GetColCount() - 1) ++NewX;
  if (Directions.Contains(ysdUp) && NewY > GetFixedRows()) --NewY;
  if (Directions.Contains(ysdDown) && CurrentCoord.Y < GetRowCount() - 1) ++NewY;
  if (NewX == CurrentCoord.X && NewY == CurrentCoord.Y) return;
  MoveCurrent(NewX, NewY, true);
  if (GridState == ygsRangeMarking) ChangeMarkRange();
}

// ---------------------------------------------------------------- the wheel

// One notch moves one cell, whatever the delta: a row, or with Ctrl a column.
bool TYCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
  if (!HasCurrentCell()) return true; // nothing to move over
  if (Shift.Contains(ssCtrl)) {
    if (CurrentCoord.X < GetColCount() - 1) SetCol(CurrentCoord.X + 1);
  } else if (CurrentCoord.Y < GetRowCount() - 1) {
    SetRow(CurrentCoord.Y + 1);
  }
  return true;
}

bool TYCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
  if (!HasCurrentCell()) return true;
  if (Shift.Contains(ssCtrl)) {
    if (CurrentCoord.X > GetFixedCols()) SetCol(CurrentCoord.X - 1);
  } else if (CurrentCoord.Y > GetFixedRows()) {
    SetRow(CurrentCoord.Y - 1);
  }
  return true;
}

// ---------------------------------------------------------------- focus and size reports

// The current cell's colours depend on the focus, so the whole grid repaints.
void TYCustomGrid::WMSetFocus(TMessage& Message) {
  TCustomControl::WndProc(Message);
  InvalidateGrid();
  if (OnChangeFocus) OnChangeFocus(this);
}

void TYCustomGrid::WMKillFocus(TMessage& Message) {
  TCustomControl::WndProc(Message);
  InvalidateGrid();
  if (OnChangeFocus) OnChangeFocus(this);
}

void TYCustomGrid::ColWidthsChanged() {
  UpdateScrollRange();
  StopTracking();
  if (OnColumnSized) OnColumnSized(this);
}

void TYCustomGrid::RowHeightsChanged() {
  UpdateScrollRange();
  StopTracking();
  if (OnRowSized) OnRowSized(this);
}

// Tells the form designer that a change made with the mouse modified the form.
void TYCustomGrid::UpdateDesigner() {
  if (!IsDesigning() || !HandleAllocated() ||
      GetComponentState().Contains(TComponentStateItem::csUpdating))
    return;
  if (TForm* Form = GetParentForm(this))
    if (TFormDesigner* Designer = Form->GetDesigner()) Designer->Modified();
}
