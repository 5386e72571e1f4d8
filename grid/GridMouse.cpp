// The mouse: focusing and range marking, sizing columns and rows on their lines, moving them
// with the right button, and the cursors and cancel messages around it.
//
// Sections: pressing · moving · releasing · sizing · moving columns and rows · messages.
#include "grid/FlagHold.h"
#include "grid/LayoutAxis.h"

#include <algorithm>
#include <cstdint>

#include "host/gui/Forms.h"
#include "host/gui/WinUser.h"

namespace {
bool IsSizing(TYGridState State) {
  return State == ygsRowSizing || State == ygsColSizing;
}
bool IsMoving(TYGridState State) {
  return State == ygsRowMoving || State == ygsColMoving;
}
bool FollowsPointer(TYGridState State) {
  return State == ygsFocusMoving || State == ygsRangeMarking;
}

// Ends a mouse interaction when it goes out of scope, also on an exception.
class TStateReset {
public:
  explicit TStateReset(TYGridState& AState) : State(AState) {}
  ~TStateReset() { State = ygsNormal; }
  TStateReset(const TStateReset&) = delete;
  TStateReset& operator=(const TStateReset&) = delete;

private:
  TYGridState& State;
};

// Restores a canvas pen when it goes out of scope, also on an exception.
class TPenSaver {
public:
  explicit TPenSaver(TCanvas* ACanvas) : Canvas(ACanvas) { Saved.Assign(Canvas->GetPen()); }
  ~TPenSaver() { Canvas->GetPen()->Assign(&Saved); }
  TPenSaver(const TPenSaver&) = delete;
  TPenSaver& operator=(const TPenSaver&) = delete;

private:
  TCanvas* Canvas;
  TPen Saved;
};
} // namespace

void TYCustomGrid::MouseToCell(std::int32_t X, std::int32_t Y, std::int32_t& ACol,
                               std::int32_t& ARow) const {
  const TYGridCoord Coord = MouseCoord(X, Y);
  ACol = Coord.X;
  ARow = Coord.Y;
}

bool TYCustomGrid::IsFixedCell(const TYGridCoord& Cell) const {
  return (Cell.X >= 0 && Cell.X < GetFixedCols()) || (Cell.Y >= 0 && Cell.Y < GetFixedRows());
}

// ---------------------------------------------------------------- pressing

void TYCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!IsDesigning() && (CanFocus() || !GetParentForm(this))) {
    SetFocus();
    if (!IsActiveControl()) {
      SetMouseCapture(false);
      return;
    }
  }
  try {
    if (Button == mbLeft && Shift.Contains(ssDouble)) {
      DoubleClickAt(X, Y);
    } else if (Button == mbLeft) {
      if (!LeftPress(Shift, X, Y)) return; // a press on a sizing line fires no OnMouseDown
    } else if (Button == mbRight) {
      RightPress(X, Y);
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
  } catch (...) {
    // An interaction that has begun ends here (the host's focus or mouse handler raised):
    // erasing a move's marker alone would leave the release to draw it again, and the timer
    // and the capture running.
    if (IsMoving(GridState) || FollowsPointer(GridState)) {
      CancelMode();
      SetMouseCapture(false);
    }
    throw;
  }
}

// A second press of a double click: on a fixed button it only counts as a press (the message
// handler sends it as one); elsewhere it is a double click.
void TYCustomGrid::DoubleClickAt(int X, int Y) {
  if (!Options.Contains(ygoSupportFixedButtons)) return DblClick();
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  if (!IsFixedCell(CalcCoordFromPoint(X, Y, DrawInfo))) DblClick();
}

// Answers false when the press started sizing. A grid without a visible column or row has
// neither a cell to focus nor a header line to drag: the press does nothing there.
bool TYCustomGrid::LeftPress(TShiftState Shift, int X, int Y) {
  if (!HasCurrentCell()) return true;
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  CalcSizingState(X, Y, GridState, ResizeIndex, ResizeLinePos, ResizeGrip, DrawInfo);
  if (IsSizing(GridState)) {
    StartSizing(DrawInfo);
    return false;
  }
  const TYGridCoord Cell = CalcCoordFromPoint(X, Y, DrawInfo);
  if (IsFixedCell(Cell)) {
    if (Options.Contains(ygoSupportFixedButtons) && !IsDesigning()) PressFixedButton(Cell, X, Y);
  } else if (Cell.X >= GetFixedCols() && Cell.Y >= GetFixedRows()) {
    PressScrollableCell(Cell, Shift);
  }
  return true;
}

// The current cell follows the pointer from here; with Shift a range starts at the new cell
// (which the host may have redirected).
void TYCustomGrid::PressScrollableCell(const TYGridCoord& Cell, TShiftState Shift) {
  StartAutoScroll();
  if (!Shift.Contains(ssShift)) {
    GridState = ygsFocusMoving;
    MoveCurrent(Cell.X, Cell.Y, true);
    return;
  }
  GridState = ygsRangeMarking;
  MoveCurrent(Cell.X, Cell.Y, true);
  StartMarkRange(); // stores the unions' marks, then toggles at the current cell
}

// A right press on a row header moves that row, on a column header that column.
void TYCustomGrid::RightPress(int X, int Y) {
  if (!HasCurrentCell()) return;
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  const TYGridCoord Cell = CalcCoordFromPoint(X, Y, DrawInfo);
  const TPoint Point{X, Y};
  if (Options.Contains(ygoRowMoving) && Cell.X >= 0 && Cell.X < GetFixedCols() &&
      Cell.Y >= GetFixedRows()) {
    DragFromIndex = DragToIndex = Cell.Y;
    if (BeginRowDrag(DragFromIndex, DragToIndex, Point)) StartMove(ygsRowMoving);
  } else if (Options.Contains(ygoColMoving) && Cell.Y >= 0 && Cell.Y < GetFixedRows() &&
             Cell.X >= GetFixedCols()) {
    DragFromIndex = DragToIndex = Cell.X;
    if (BeginColumnDrag(DragFromIndex, DragToIndex, Point)) StartMove(ygsColMoving);
  }
}

void TYCustomGrid::StartMove(TYGridState State) {
  GridState = State;
  Update();
  DrawMove();
  StartAutoScroll();
  SetMouseCapture(true);
}

// ---------------------------------------------------------------- moving

void TYCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  if (ButtonTracking) TrackButton(X, Y);
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  if (IsSizing(GridState)) {
    DrawSizingLine(DrawInfo);
    ResizeLinePos = (GridState == ygsRowSizing ? Y : X) + ResizeGrip;
    DrawSizingLine(DrawInfo);
  } else if (FollowsPointer(GridState) || IsMoving(GridState)) {
    FollowPointer(X, Y, DrawInfo);
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

// Over the scrollable cells (the partly visible next one included); beyond them the timer
// takes over.
void TYCustomGrid::FollowPointer(int X, int Y, TYGridDrawInfo& DrawInfo) {
  if (!HasCurrentCell()) return; // a host's handler emptied the grid meanwhile
  const TYGridCoord Cell = CalcCoordFromPoint(X, Y, DrawInfo);
  if (Cell.X < GetFixedCols() || Cell.X > DrawInfo.Horz.LastFullVisibleCell + 1 ||
      Cell.Y < GetFixedRows() || Cell.Y > DrawInfo.Vert.LastFullVisibleCell + 1)
    return;
  if (GridState == ygsRowMoving)
    return MoveAndScroll(Y, Cell.Y, DrawInfo, DrawInfo.Vert, SB_VERT, {X, Y});
  if (GridState == ygsColMoving)
    return MoveAndScroll(X, Cell.X, DrawInfo, DrawInfo.Horz, SB_HORZ, {X, Y});
  if (Cell == CurrentCoord) return;
  MoveCurrent(Cell.X, Cell.Y, true);
  if (GridState == ygsRangeMarking) ChangeMarkRange();
}

// ---------------------------------------------------------------- releasing

// OnMouseUp still sees the interaction's state; the state ends afterwards, also on an exception.
void TYCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TStateReset Reset(GridState);
  ReleaseFixedButton(X, Y);
  if (FollowsPointer(GridState)) {
    MouseMove(Shift, X, Y);
    StopAutoScroll();
    Click();
  } else if (IsSizing(GridState)) {
    FinishSizing();
  } else if (IsMoving(GridState)) {
    FinishMove(X, Y);
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

// Applying the move may call the host, whose change of the grid then finds the drag over.
void TYCustomGrid::FinishMove(int X, int Y) {
  DrawMove();
  StopAutoScroll();
  const YGridsDetail::TFlagHold Ending(DragEnding);
  const TPoint Point{X, Y};
  const std::int32_t Count = GridState == ygsRowMoving ? GetRowCount() : GetColCount();
  const auto InGrid = [Count](std::int32_t I) { return I >= 0 && I < Count; };
  if (!InGrid(DragFromIndex) || !InGrid(DragToIndex)) { // a handler of the drop changed the grid
    SetMouseCapture(false);
    return;
  }
  if (GridState == ygsRowMoving) {
    if (EndRowDrag(DragFromIndex, DragToIndex, Point) && DragFromIndex != DragToIndex) {
      MoveRow(DragFromIndex, DragToIndex);
      UpdateDesigner();
    }
  } else if (EndColumnDrag(DragFromIndex, DragToIndex, Point) && DragFromIndex != DragToIndex) {
    MoveColumn(DragFromIndex, DragToIndex);
    UpdateDesigner();
  }
  SetMouseCapture(false);
}

// A change of the vectors shown while a line or a vector is dragged (by a host's handler, or a
// timer's) ends the drag first, while its line or marker can still be erased where it was
// drawn: the index it holds may name another vector, or none, afterwards.
void TYCustomGrid::EndDragBeforeChange() {
  if (DragEnding || !(IsSizing(GridState) || IsMoving(GridState))) return;
  CancelMode();
  StopAutoScroll();
}

void TYCustomGrid::CancelMode() {
  const TStateReset Reset(GridState);
  if (FollowsPointer(GridState)) {
    StopAutoScroll();
  } else if (IsSizing(GridState)) {
    TYGridDrawInfo DrawInfo;
    CalcDrawInfo(DrawInfo);
    DrawSizingLine(DrawInfo);
  } else if (IsMoving(GridState)) {
    DrawMove();
    StopAutoScroll();
  }
}

// ---------------------------------------------------------------- sizing

// The hot zone of a line is at least 7 pixels wide: 3 before a 1-pixel line and 4 after it.
void TYCustomGrid::CalcSizingState(std::int32_t X, std::int32_t Y, TYGridState& State,
                                   std::int32_t& Index, std::int32_t& LinePos,
                                   std::int32_t& GripOffset, TYGridDrawInfo& DrawInfo) const {
  State = ygsNormal;
  Index = -1;
  const TYGridOptions Effective = IsDesigning() ? Options + DesignOptions : Options;
  if (!Effective.Contains(ygoRowSizing) && !Effective.Contains(ygoColSizing)) return;
  DrawInfo.Vert.GridExtent = GetClientHeight();
  DrawInfo.Horz.GridExtent = GetClientWidth();
  const bool RightToLeft = UseRightToLeftAlignment();
  const std::int32_t Width = GetClientWidth();
  const std::int32_t HorzFixed = DrawInfo.Horz.FixedBoundary;
  const bool RightOfFixedCols = RightToLeft ? X < Width - HorzFixed : X > HorzFixed;
  TYSizingHit Hit;
  if (RightOfFixedCols && Effective.Contains(ygoColSizing)) {
    if (Y < DrawInfo.Vert.FixedBoundary)
      Hit = AxisSizingHit(DrawInfo.Horz, RightToLeft ? Width - X : X, ygsColSizing);
  } else if (Y > DrawInfo.Vert.FixedBoundary && Effective.Contains(ygoRowSizing) &&
             (RightToLeft ? X > Width - HorzFixed : X < HorzFixed)) {
    Hit = AxisSizingHit(DrawInfo.Vert, Y, ygsRowSizing);
  }
  if (Hit.State == ygsNormal) return;
  State = Hit.State;
  Index = Hit.Index;
  LinePos = Hit.LinePos;
  GripOffset = Hit.LinePos - Hit.Pos;
}

TYCustomGrid::TYSizingHit TYCustomGrid::AxisSizingHit(const TYGridAxisDrawInfo& Axis,
                                                      std::int32_t Pos, TYGridState AxisState) {
  std::int32_t Range = Axis.LineWidth;
  std::int32_t Back = 0;
  if (Range < 7) {
    Range = 7;
    Back = (7 - Axis.LineWidth) / 2;
  }
  std::int64_t Line = Axis.FixedBoundary; // 64 bits: extents and line widths may be huge
  std::int32_t Cut = -1;                  // the cell cut by the window's edge, if any
  for (std::int32_t I = Axis.FirstGridCell; I < Axis.GridCellCount; ++I) {
    Line += Axis.GetExtent(I);
    if (Line > Axis.GridBoundary) {
      Cut = I;
      break;
    }
    if (Line - Back <= Pos && Pos <= Line - Back + Range)
      return {AxisState, I, YGridsLayout::Saturated(Line), Pos};
    Line += Axis.LineWidth;
  }
  // The cells fill the window: the cell the edge cuts, whose line lies beyond it, can be sized
  // there. It is the cell the walk stopped at, not the one after the last wholly visible cell:
  // a first cell wider than the window is cut too, and then counts as the last visible one.
  if (Cut >= 0 && Axis.GridBoundary == Axis.GridExtent && Axis.GridExtent - Back <= Pos &&
      Pos <= Axis.GridExtent)
    return {AxisState, Cut, Axis.GridExtent, Pos};
  return {};
}

// With right-to-left alignment the layout measured the press mirrored; the line is drawn and
// dragged in client pixels, so its position is mirrored back and the grip turned round. The
// release mirrors it once more, so the size agrees with the line the user saw.
void TYCustomGrid::StartSizing(const TYGridDrawInfo& DrawInfo) {
  if (GridState == ygsColSizing && UseRightToLeftAlignment()) {
    ResizeLinePos = GetClientWidth() - ResizeLinePos;
    ResizeGrip = -ResizeGrip;
  }
  DrawSizingLine(DrawInfo);
}

void TYCustomGrid::FinishSizing() {
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  DrawSizingLine(DrawInfo);
  const YGridsDetail::TFlagHold Ending(DragEnding);
  const bool Columns = GridState == ygsColSizing;
  if (Columns && UseRightToLeftAlignment()) ResizeLinePos = GetClientWidth() - ResizeLinePos;
  const TYGridAxisDrawInfo& Axis = Columns ? DrawInfo.Horz : DrawInfo.Vert;
  // The structure may have changed while the line was dragged (a host's handler): a cell that
  // is gone, or no longer shown from the first scrollable one on, is left alone.
  if (ResizeIndex < Axis.FirstGridCell || ResizeIndex >= Axis.GridCellCount) return;
  const std::int64_t Start =
      Axis.FixedBoundary + YGridsLayout::Span(Axis, Axis.FirstGridCell, ResizeIndex - 1);
  const std::int64_t NewSize = ResizeLinePos - Start;
  if (NewSize <= 1) return; // a line dropped on its cell's start leaves the size alone
  const auto Size = static_cast<std::int32_t>(std::min<std::int64_t>(NewSize, INT32_MAX));
  if (Columns)
    SetColWidths(ResizeIndex, Size);
  else
    SetRowHeights(ResizeIndex, Size);
  UpdateDesigner();
}

// Dotted and XOR-drawn, so that drawing it again erases it. The pen is white: XOR with white
// inverts every pixel, so the line shows on any background (a pen left black would change
// nothing).
void TYCustomGrid::DrawSizingLine(const TYGridDrawInfo& DrawInfo) {
  TCanvas* Canvas = GetCanvas();
  TPenSaver Saver(Canvas);
  TPen* Pen = Canvas->GetPen();
  Pen->Style = psDot;
  Pen->Mode = pmXor;
  Pen->Width = 1;
  Pen->Color = clWhite;
  // Cut to the client area: with negative sizes the layout's boundaries may lie far outside it,
  // and the line would be drawn pixel by pixel.
  const auto Cut = [](std::int64_t Value, std::int32_t Extent) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(Value, -1, std::int64_t{Extent} + 1));
  };
  const std::int32_t Width = DrawInfo.Horz.GridExtent;
  const std::int32_t Height = DrawInfo.Vert.GridExtent;
  if (GridState == ygsColSizing) {
    Canvas->MoveTo(Cut(ResizeLinePos, Width), 0);
    Canvas->LineTo(Cut(ResizeLinePos, Width), Cut(DrawInfo.Vert.GridBoundary, Height));
  } else if (UseRightToLeftAlignment()) {
    Canvas->MoveTo(Width, Cut(ResizeLinePos, Height));
    Canvas->LineTo(Cut(std::int64_t{Width} - DrawInfo.Horz.GridBoundary, Width),
                   Cut(ResizeLinePos, Height));
  } else {
    Canvas->MoveTo(0, Cut(ResizeLinePos, Height));
    Canvas->LineTo(Cut(DrawInfo.Horz.GridBoundary, Width), Cut(ResizeLinePos, Height));
  }
}

bool TYCustomGrid::Sizing(std::int32_t X, std::int32_t Y) const {
  if (GridState != ygsNormal) return true;
  TYGridDrawInfo DrawInfo;
  CalcDrawInfo(DrawInfo);
  TYGridState State = ygsNormal;
  std::int32_t Index = 0, Pos = 0, Offset = 0;
  CalcSizingState(X, Y, State, Index, Pos, Offset, DrawInfo);
  return State != ygsNormal;
}

// ---------------------------------------------------------------- moving columns and rows

// A thick dotted line where the vector would be dropped: after the target when it moves
// forward, before it when it moves back.
void TYCustomGrid::DrawMove() {
  TCanvas* Canvas = GetCanvas();
  TPenSaver Saver(Canvas);
  TPen* Pen = Canvas->GetPen();
  Pen->Color = clGray;
  Pen->Style = psDot;
  Pen->Mode = pmXor;
  Pen->Width = 5;
  const bool Forward = DragFromIndex < DragToIndex;
  const bool Rows = GridState == ygsRowMoving;
  if (DragToIndex < 0 || DragToIndex >= (Rows ? GetRowCount() : GetColCount())) return;
  if (Rows) {
    const TRect R = CellRect(0, DragToIndex);
    const int Y = Forward ? R.Bottom : R.Top;
    Canvas->MoveTo(0, Y);
    Canvas->LineTo(GetClientWidth(), Y);
  } else if (GridState == ygsColMoving) {
    const TRect R = CellRect(DragToIndex, 0);
    const bool RightEdge = Forward != UseRightToLeftAlignment();
    const int X = RightEdge ? R.Right : R.Left;
    Canvas->MoveTo(X, 0);
    Canvas->LineTo(X, GetClientHeight());
  }
}

void TYCustomGrid::MoveAndScroll(std::int32_t MousePos, std::int32_t HitIndex,
                                 TYGridDrawInfo& DrawInfo, const TYGridAxisDrawInfo& Axis,
                                 int ScrollBar, const TPoint& MousePoint) {
  if (ScrollBar == SB_HORZ && UseRightToLeftAlignment()) MousePos = GetClientWidth() - MousePos;
  if (HitIndex == DragToIndex) return;
  if (DragToIndex == Axis.FixedCellCount && MousePos < Axis.FixedBoundary) return;
  if (DragToIndex == Axis.GridCellCount - 1 && MousePos > Axis.GridBoundary) return;
  DrawMove();
  HitIndex = ScrollForMove(MousePos, HitIndex, DrawInfo, Axis, ScrollBar);
  const bool Agreed = GridState == ygsColMoving
                          ? CheckColumnDrag(DragFromIndex, HitIndex, MousePoint)
                          : CheckRowDrag(DragFromIndex, HitIndex, MousePoint);
  if (Agreed) DragToIndex = HitIndex;
  DrawMove();
}

// Over the headers the view scrolls back a line, past the last whole cell forward; the target
// becomes the first or last cell in view. Axis refers into DrawInfo, which is recomputed.
std::int32_t TYCustomGrid::ScrollForMove(std::int32_t MousePos, std::int32_t HitIndex,
                                         TYGridDrawInfo& DrawInfo, const TYGridAxisDrawInfo& Axis,
                                         int ScrollBar) {
  if (MousePos < Axis.FixedBoundary) {
    if (Axis.FixedCellCount < DragToIndex) ScrollOneLine(ScrollBar, SB_LINEUP, DrawInfo);
    return Axis.FirstGridCell;
  }
  if (MousePos >= Axis.FullVisibleBoundary) {
    if (Axis.LastFullVisibleCell == DragToIndex && DragToIndex < Axis.GridCellCount - 1)
      ScrollOneLine(ScrollBar, SB_LINEDOWN, DrawInfo);
    return Axis.LastFullVisibleCell;
  }
  return HitIndex < 0 ? DragToIndex : HitIndex;
}

void TYCustomGrid::ScrollOneLine(int ScrollBar, int Code, TYGridDrawInfo& DrawInfo) {
  ModifyScrollBar(ScrollBar, Code, 0, false);
  Update();
  CalcDrawInfo(DrawInfo);
}

bool TYCustomGrid::BeginColumnDrag(std::int32_t&, std::int32_t&, const TPoint&) {
  return true;
}
bool TYCustomGrid::BeginRowDrag(std::int32_t&, std::int32_t&, const TPoint&) {
  return true;
}
bool TYCustomGrid::CheckColumnDrag(std::int32_t&, std::int32_t&, const TPoint&) {
  return true;
}
bool TYCustomGrid::CheckRowDrag(std::int32_t&, std::int32_t&, const TPoint&) {
  return true;
}
bool TYCustomGrid::EndColumnDrag(std::int32_t&, std::int32_t&, const TPoint&) {
  return true;
}
bool TYCustomGrid::EndRowDrag(std::int32_t&, std::int32_t&, const TPoint&) {
  return true;
}

// ---------------------------------------------------------------- messages

void TYCustomGrid::WMCancelMode(TMessage& Message) {
  StopTracking();
  TCustomControl::WndProc(Message);
  CancelMode();
}

void TYCustomGrid::CMCancelMode(TMessage& Message) {
  TCustomControl::WndProc(Message);
  CancelMode();
}

// A double click on a fixed button is a second ordinary press.
void TYCustomGrid::WMLButtonDblClk(TMessage& Message) {
  const TWMMouse Mouse(Message);
  if (!Options.Contains(ygoSupportFixedButtons) || !IsFixedCell(MouseCoord(Mouse.XPos, Mouse.YPos)))
    return TCustomControl::WndProc(Message);
  SendCancelMode(this);
  if (GetControlStyle().Contains(csCaptureMouse)) SetMouseCapture(true);
  if (GetControlStyle().Contains(csNoStdEvents)) return;
  TShiftState Shift = KeysToShiftState(Mouse.Keys);
  Shift.Exclude(ssDouble);
  MouseDown(mbLeft, Shift, Mouse.XPos, Mouse.YPos);
}

void TYCustomGrid::WMNCHitTest(TMessage& Message) {
  TCustomControl::WndProc(Message);
  TPoint Point = TWMNCHitTest(Message).Pos();
  ScreenToClient(GetHandle(), &Point);
  HitTestPoint = Point;
}

// The split cursors over sizing lines, and during sizing.
void TYCustomGrid::WMSetCursor(TMessage& Message) {
  if (TWMSetCursor(Message).HitTest == HTCLIENT) {
    TYGridState State = GridState;
    if (State == ygsNormal) {
      TYGridDrawInfo DrawInfo;
      CalcDrawInfo(DrawInfo);
      std::int32_t Index = 0, Pos = 0, Offset = 0;
      CalcSizingState(HitTestPoint.X, HitTestPoint.Y, State, Index, Pos, Offset, DrawInfo);
    }
    if (IsSizing(State)) {
      ::SetCursor(Screen->GetCursors(State == ygsRowSizing ? crVSplit : crHSplit));
      Message.Result = 1;
      return;
    }
  }
  TCustomControl::WndProc(Message);
}

void TYCustomGrid::CMDesignHitTest(TMessage& Message) {
  const TWMMouse Mouse(Message);
  Message.Result = Sizing(Mouse.XPos, Mouse.YPos) ? -1 : 0;
}
