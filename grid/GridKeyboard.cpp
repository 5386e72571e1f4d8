// The keyboard: moving the current cell and the view, and marking columns, rows or cells.
// Each key is one handler in one of two tables (with and without Ctrl). A handler only notes
// where the current cell and the view are to go; KeyDown then clamps and applies that in one
// place, and marks what the move passed over. Keys move by grid index: zero-width columns and
// zero-height rows are not skipped.
#include "grid/YGrids.h"

#include <algorithm>
#include <iterator>

namespace {
// Value pulled into Low..High (High wins when they cross).
std::int32_t Clamped(std::int32_t Value, std::int32_t Low, std::int32_t High) {
  return Value > High ? High : Value < Low ? Low : Value;
}

// One axis of a move: the target on it, where marking starts on it, and the current cell's
// extent on it (a merged cell may cover several vectors).
struct TAxisMove {
  std::int32_t& Target;
  std::int32_t& MarkFrom;
  std::int32_t Low, High;

  bool Merged() const { return Low != High; }
  // Back: out of a merged cell at its low edge, marking from that edge.
  void Back(std::int32_t Step) {
    if (!Merged()) {
      Target -= Step;
      return;
    }
    MarkFrom = Low;
    Target = Low - 1;
  }
  // Forward: out of a merged cell at its high edge, marking from MarkAt.
  void Forward(std::int32_t Step, std::int32_t MarkAt) {
    if (!Merged()) {
      Target += Step;
      return;
    }
    MarkFrom = MarkAt;
    Target = High + 1;
  }
};

// Ctrl+C and Ctrl+Insert, without Shift or Alt: copy.
bool IsCopyKey(unsigned short Key, TShiftState Shift) {
  if (!Shift.Contains(ssCtrl) || Shift.Contains(ssShift) || Shift.Contains(ssAlt)) return false;
  return Key == 'C' || Key == VK_INSERT;
}
} // namespace

// What one key press does, before anything moves.
class TYCustomGrid::TKeyMove {
public:
  TKeyMove(TYCustomGrid& AGrid, TShiftState AShift)
      : Grid(AGrid), Shift(AShift), NewCurrent(AGrid.CurrentCoord), NewTopLeft(AGrid.TopLeftCoord),
        MarkFrom(AGrid.CurrentCoord), Rtl(AGrid.UseRightToLeftAlignment() ? -1 : 1) {
    Grid.CalcDrawInfo(DrawInfo);
    PageWidth = std::max(1, DrawInfo.Horz.LastFullVisibleCell - Grid.TopLeftCoord.X);
    PageHeight = std::max(1, DrawInfo.Vert.LastFullVisibleCell - Grid.TopLeftCoord.Y);
  }
  // Runs the handler of Key from the table that the Ctrl key chooses; other keys do nothing.
  void Apply(unsigned short Key);

  TYCustomGrid& Grid;
  TShiftState Shift;
  TYGridDrawInfo DrawInfo;
  TYGridCoord NewCurrent;
  TYGridCoord NewTopLeft;
  TYGridCoord MarkFrom;       // where toggling what the move passes over starts
  bool Moved = false;         // a movement that marks with Shift (or Alt)
  bool InvalidateAll = false; // repaint the whole control afterwards
  int Rtl;                    // -1 with right-to-left alignment: left and right swap
  std::int32_t PageWidth, PageHeight;

private:
  using THandler = void (TKeyMove::*)();
  struct TEntry {
    unsigned short Key;
    THandler Handler;
  };
  static const TEntry PlainKeys[];
  static const TEntry CtrlKeys[];

  TAxisMove Horz() {
    const TYGridRect& R = Grid.CurrentCellRect;
    return {NewCurrent.X, MarkFrom.X, R.Left, R.Right};
  }
  TAxisMove Vert() {
    const TYGridRect& R = Grid.CurrentCellRect;
    return {NewCurrent.Y, MarkFrom.Y, R.Top, R.Bottom};
  }
  bool CellsMarking() const { return Grid.Options.Contains(ygoCellsMarking); }
  void MarkAll(TYMarkRangeMode Mode) {
    Grid.MarkRange({Grid.GetFixedCols(), Grid.GetFixedRows()},
                   {Grid.GetColCount() - 1, Grid.GetRowCount() - 1}, Mode);
  }

  // --- without Ctrl ---
  void Tab();
  void TabForward();
  void TabBack();
  void Space() { Grid.MarkRange(Grid.CurrentCoord, Grid.CurrentCoord, ymmToggle); }
  void Insert() {
    Space();
    NewCurrent.Y += 1;
  }
  void PageUp() { Page(-PageHeight); }
  void PageDown() { Page(PageHeight); }
  void Page(std::int32_t Rows) {
    NewCurrent.Y += Rows;
    NewTopLeft.Y += Rows;
    Moved = true;
  }
  void End() {
    NewCurrent.X = Grid.GetColCount() - 1;
    Moved = CellsMarking();
  }
  void Home() {
    NewCurrent.X = Grid.GetFixedCols();
    Moved = CellsMarking();
  }
  // Leaving a wide merged cell to the right marks from its left edge (all its columns), to the
  // left from its left edge (one column); leaving a tall one up marks from its top edge, down
  // from its bottom edge (one row each).
  void Left() {
    Horz().Back(Rtl);
    Moved = true;
  }
  void Right() {
    Horz().Forward(Rtl, Grid.CurrentCellRect.Left);
    Moved = true;
  }
  void Up() {
    Vert().Back(1);
    Moved = true;
  }
  void Down() {
    Vert().Forward(1, Grid.CurrentCellRect.Bottom);
    Moved = true;
  }
  void MarkAllToggle() { MarkAll(ymmToggle); }
  void MarkAllSet() { MarkAll(ymmMark); }
  void MarkAllClear() { MarkAll(ymmUnmark); }

  // --- with Ctrl: the page's edges, the grid's corners, paging sideways, scrolling the view ---
  void PageTop() { NewCurrent.Y = Grid.TopLeftCoord.Y; }
  void PageBottom() { NewCurrent.Y = DrawInfo.Vert.LastFullVisibleCell; }
  void LastCell() {
    NewCurrent = {Grid.GetColCount() - 1, Grid.GetRowCount() - 1};
    InvalidateAll = Grid.UseRightToLeftAlignment();
  }
  void FirstCell() {
    NewCurrent = {Grid.GetFixedCols(), Grid.GetFixedRows()};
    InvalidateAll = Grid.UseRightToLeftAlignment();
  }
  void PageLeft() { PageSideways(-PageWidth * Rtl); }
  void PageRight() { PageSideways(PageWidth * Rtl); }
  void PageSideways(std::int32_t Cols) {
    NewCurrent.X += Cols;
    NewTopLeft.X += Cols;
  }
  void ViewUp() { NewTopLeft.Y -= 1; }
  void ViewDown() { NewTopLeft.Y += 1; }
};

const TYCustomGrid::TKeyMove::TEntry TYCustomGrid::TKeyMove::PlainKeys[] = {
    {VK_TAB, &TKeyMove::Tab},        {VK_SPACE, &TKeyMove::Space},
    {VK_PRIOR, &TKeyMove::PageUp},   {VK_NEXT, &TKeyMove::PageDown},
    {VK_END, &TKeyMove::End},        {VK_HOME, &TKeyMove::Home},
    {VK_LEFT, &TKeyMove::Left},      {VK_UP, &TKeyMove::Up},
    {VK_RIGHT, &TKeyMove::Right},    {VK_DOWN, &TKeyMove::Down},
    {VK_INSERT, &TKeyMove::Insert},  {VK_MULTIPLY, &TKeyMove::MarkAllToggle},
    {VK_ADD, &TKeyMove::MarkAllSet}, {VK_SUBTRACT, &TKeyMove::MarkAllClear},
};

const TYCustomGrid::TKeyMove::TEntry TYCustomGrid::TKeyMove::CtrlKeys[] = {
    {VK_PRIOR, &TKeyMove::PageTop}, {VK_NEXT, &TKeyMove::PageBottom},
    {VK_END, &TKeyMove::LastCell},  {VK_HOME, &TKeyMove::FirstCell},
    {VK_LEFT, &TKeyMove::PageLeft}, {VK_RIGHT, &TKeyMove::PageRight},
    {VK_UP, &TKeyMove::ViewUp},     {VK_DOWN, &TKeyMove::ViewDown},
};

void TYCustomGrid::TKeyMove::Apply(unsigned short Key) {
  const bool Ctrl = Shift.Contains(ssCtrl);
  const TEntry* First = Ctrl ? std::begin(CtrlKeys) : std::begin(PlainKeys);
  const TEntry* Last = Ctrl ? std::end(CtrlKeys) : std::end(PlainKeys);
  const TEntry* Found =
      std::find_if(First, Last, [Key](const TEntry& Entry) { return Entry.Key == Key; });
  if (Found != Last) (this->*Found->Handler)();
}

// Tab goes on past the current cell's extent (all of a merged cell) and wraps to the next
// (previous) row, and from the last cell to the first; with Alt it does nothing.
void TYCustomGrid::TKeyMove::Tab() {
  if (Shift.Contains(ssAlt)) return;
  if (Shift.Contains(ssShift))
    TabBack();
  else
    TabForward();
}

void TYCustomGrid::TKeyMove::TabForward() {
  const TYGridRect& R = Grid.CurrentCellRect;
  NewCurrent.X = R.Right + 1;
  if (NewCurrent.X < Grid.GetColCount()) return;
  NewCurrent.X = Grid.GetFixedCols();
  NewCurrent.Y = R.Bottom + 1;
  if (NewCurrent.Y >= Grid.GetRowCount()) NewCurrent.Y = Grid.GetFixedRows();
}

void TYCustomGrid::TKeyMove::TabBack() {
  const TYGridRect& R = Grid.CurrentCellRect;
  NewCurrent.X = R.Left - 1;
  if (NewCurrent.X >= Grid.GetFixedCols()) return;
  NewCurrent.X = Grid.GetColCount() - 1;
  NewCurrent.Y = R.Top - 1;
  if (NewCurrent.Y < Grid.GetFixedRows()) NewCurrent.Y = Grid.GetRowCount() - 1;
}

// ---------------------------------------------------------------- the key messages

// A key refused by the host (set to 0) or by CanGridAcceptKey changes nothing, but still ends a
// range marking by keyboard.
void TYCustomGrid::KeyDown(unsigned short& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (!CanGridAcceptKey(Key, Shift)) Key = 0;
  if (!HasCurrentCell()) { // no cells to move over
    KeyRangeMarking = false;
    return;
  }
  if (IsCopyKey(Key, Shift)) CopyToClipboard(); // without a text handler, nothing happens
  TKeyMove Move(*this, Shift);
  Move.Apply(Key);
  StartKeyRange(Move);
  const std::uint64_t Stamp = StructureStamp;
  MoveByKey(Move);
  // A handler that changed the grid during the move leaves the passed-over cells unknown:
  // nothing is marked for this key.
  if (StructureStamp == Stamp) MarkByKey(Move);
}

void TYCustomGrid::KeyUp(unsigned short& Key, TShiftState Shift) {
  if (!Shift.Contains(ssShift)) KeyRangeMarking = false;
  TCustomControl::KeyUp(Key, Shift);
}

bool TYCustomGrid::CanGridAcceptKey(unsigned short, TShiftState) {
  return true;
}

// The grid keeps the arrows, and Tab when it moves between cells; characters and Enter go on.
void TYCustomGrid::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS;
  if (Options.Contains(ygoTabs)) Message.Result |= DLGC_WANTTAB;
}

// ---------------------------------------------------------------- applying a move

// The first Shift + movement in cell-marking mode starts a range at the current cell (before it
// moves); further ones keep it. Any other key ends it.
void TYCustomGrid::StartKeyRange(const TKeyMove& Move) {
  const bool Ranging =
      Move.Shift.Contains(ssShift) && Move.Moved && Options.Contains(ygoCellsMarking);
  if (Ranging && !KeyRangeMarking) StartMarkRange();
  KeyRangeMarking = Ranging;
}

// The view first, then the current cell (which brings itself into view), both clamped.
void TYCustomGrid::MoveByKey(const TKeyMove& Move) {
  const TYGridCoord MaxTopLeft =
      CalcMaxTopLeft({GetColCount() - 1, GetRowCount() - 1}, Move.DrawInfo);
  const TYGridCoord TopLeft{Clamped(Move.NewTopLeft.X, GetFixedCols(), MaxTopLeft.X),
                            Clamped(Move.NewTopLeft.Y, GetFixedRows(), MaxTopLeft.Y)};
  if (!(TopLeft == TopLeftCoord)) MoveTopLeft(TopLeft.X, TopLeft.Y);
  if (!HasCurrentCell()) return; // the scroll's handler emptied the grid
  const TYGridCoord Current{Clamped(Move.NewCurrent.X, GetFixedCols(), GetColCount() - 1),
                            Clamped(Move.NewCurrent.Y, GetFixedRows(), GetRowCount() - 1)};
  if (!(Current == CurrentCoord)) FocusCell(Current.X, Current.Y, true);
  if (Move.InvalidateAll) Invalidate();
}

// Shift (without cell marking), or Alt with cell marking, toggles what the move passed over;
// Shift with cell marking updates the range from its anchor.
void TYCustomGrid::MarkByKey(const TKeyMove& Move) {
  if (!Move.Moved) return;
  const bool Cells = Options.Contains(ygoCellsMarking);
  if ((Move.Shift.Contains(ssShift) && !Cells) || (Move.Shift.Contains(ssAlt) && Cells))
    TogglePassedOver(Move.MarkFrom);
  else if (Move.Shift.Contains(ssShift))
    ChangeMarkRange();
}

namespace {
// The vectors a move passed over on one axis, from From up to the new current cell, leaving out
// the extent Low..High of that cell (a merged cell may cover several vectors).
void PassedAlong(std::int32_t& From, std::int32_t& To, std::int32_t Low, std::int32_t High) {
  if (From < To) {
    To = Low - 1;
  } else if (From > To) {
    To = From;
    From = High + 1;
  }
}
} // namespace

// Along the other axis the range is the current vector itself.
void TYCustomGrid::TogglePassedOver(TYGridCoord From) {
  TYGridCoord To = CurrentCoord;
  PassedAlong(From.X, To.X, CurrentCellRect.Left, CurrentCellRect.Right);
  PassedAlong(From.Y, To.Y, CurrentCellRect.Top, CurrentCellRect.Bottom);
  MarkRange(From, To, ymmToggle);
}
