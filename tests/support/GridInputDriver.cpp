#include "tests/support/GridInputDriver.h"

#include "host/gui/Testing.h"
#include "host/gui/WinUser.h"

#include <algorithm>
#include <climits>
#include <vector>

using namespace Testing;

namespace {
// Few distinct keys make many equal ones.
int CompareRows(void* A, void* B) {
  auto Key = [](void* Row) {
    return static_cast<int>(std::hash<std::string>{}(LabelOf(static_cast<TYCellsVector*>(Row))) %
                            3);
  };
  return Key(A) - Key(B);
}

// Sizes from the ordinary to what no screen shows.
constexpr std::int32_t SizeValues[] = {
    0, 1, 2, 7, 64, 300, 100000, 100000000, INT_MAX, INT_MAX - 1, 65536, 1 << 30, -1, -64, INT_MIN};

constexpr unsigned short Keys[] = {VK_LEFT,   VK_RIGHT,  VK_UP,     VK_DOWN,  VK_PRIOR,
                                   VK_NEXT,   VK_HOME,   VK_END,    VK_TAB,   VK_SPACE,
                                   VK_RETURN, VK_ESCAPE, VK_INSERT, VK_DELETE};
} // namespace

TGridInputDriver::TGridInputDriver(TChooser AChoose, bool AHostile)
    : Choose(std::move(AChoose)), IsHostile(AHostile) {
  Form = std::make_unique<TForm>(nullptr);
  Form->SetBounds(0, 0, 420, 260);
  Grid = new TYGrid(Form.get());
  Recorder.Attach(*Grid);
  Recorder.AttachMarks(*Grid);
  Grid->GetHolder()->ChangeSize(Between(0, 12), Between(0, 30));
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoColSizing, ygoRowSizing, ygoColMoving,
                                                      ygoRowMoving, ygoRowsMarking, ygoTabs});
  Grid->SetBounds(0, 0, 400, 240);
  Grid->SetParent(Form.get());
  Form->Show();
  Form->SetActiveControl(Grid);
  Form->Activate();
  Application->OnException = [this](TObject*, const std::exception& E) {
    if (dynamic_cast<const EHostFailure*>(&E)) {
      ++HostFailures;
      Note("  the host raised");
    } else {
      Reported.push_back(E.what());
    }
  };
  if (IsHostile) InstallHostileHandlers();
}

TGridInputDriver::~TGridInputDriver() {
  Application->OnException = nullptr;
}

std::int32_t TGridInputDriver::Between(std::int32_t Low, std::int32_t High) {
  if (High <= Low) return Low;
  return Low + static_cast<std::int32_t>(Pick(static_cast<std::uint32_t>(High - Low) + 1));
}

void TGridInputDriver::Note(const std::string& What) {
  Recent.push_back(What);
  if (Recent.size() > 16) Recent.pop_front();
}

std::string TGridInputDriver::History() const {
  std::string Text = "\nrecent steps:";
  for (const std::string& What : Recent)
    Text += "\n  " + What;
  return Text + "\n";
}

// ---------------------------------------------------------------- steps and checks

std::string TGridInputDriver::Step() {
  static const std::vector<std::pair<int, TAction>> Table = {
      {14, &TGridInputDriver::Click},         {12, &TGridInputDriver::Drag},
      {5, &TGridInputDriver::RightDrag},      {4, &TGridInputDriver::DoubleClick},
      {6, &TGridInputDriver::WheelTurn},      {14, &TGridInputDriver::Key},
      {6, &TGridInputDriver::ScrollBar},      {3, &TGridInputDriver::Resize},
      {5, &TGridInputDriver::InsertOrDelete}, {5, &TGridInputDriver::ShowHide},
      {3, &TGridInputDriver::MoveVector},     {4, &TGridInputDriver::Merge},
      {2, &TGridInputDriver::SortRows},       {4, &TGridInputDriver::Mark},
      {2, &TGridInputDriver::FixedCounts},    {3, &TGridInputDriver::ExtremeSizes},
      {3, &TGridInputDriver::ChangeOptions},  {2, &TGridInputDriver::WindowSize},
  };
  int Total = 0;
  for (const auto& Entry : Table)
    Total += Entry.first;
  int Roll = static_cast<int>(Pick(static_cast<std::uint32_t>(Total)));
  for (const auto& [Weight, Action] : Table) {
    if ((Roll -= Weight) >= 0) continue;
    const int ActedBefore = HostileActions;
    try {
      (this->*Action)();
    } catch (const EYInvalidGridOperation& E) {
      // The program's own call may be refused; but not because a handler changed the grid
      // under the grid's feet.
      Note(std::string("  raised ") + E.what());
      if (HostileActions != ActedBefore) Reported.push_back(E.what());
    } catch (const EHostFailure&) {
      ++HostFailures;
      Note("  the host raised");
    }
    break;
  }
  return Checked();
}

std::string TGridInputDriver::Checked() {
  try {
    Grid->Update(); // what the step left to paint
  } catch (const EHostFailure&) {
    ++HostFailures;
  }
  std::string Problem = Problems();
  return Problem.empty() ? Problem : Problem + History();
}

// Input and paint never raise the grid's own errors; the model holds; an interaction that
// ended leaves the grid in its normal state; the scroll position names a scrollable cell.
std::string TGridInputDriver::Problems() {
  if (!Reported.empty()) return "input or paint raised: " + Reported.front();
  if (const testing::AssertionResult Model = ModelConsistent(*Grid); !Model)
    return std::string("model: ") + Model.message();
  if (Grid->GetGridState() != ygsNormal) return "an interaction did not end";
  const auto OutOfAxis = [](std::int32_t First, std::int32_t Fixed, std::int32_t Count) {
    return Count > 0 && (First < std::max(Fixed, 0) || First >= Count);
  };
  if (OutOfAxis(Grid->GetLeftCol(), Grid->GetFixedCols(), Grid->GetColCount()) ||
      OutOfAxis(Grid->GetTopRow(), Grid->GetFixedRows(), Grid->GetRowCount()))
    return "the scroll position is outside the scrollable cells";
  return "";
}

std::string TGridInputDriver::Finish() {
  Application->OnException = nullptr;
  Form.reset();
  if (Recorder.LiveData != 0)
    return "user data leaked or freed twice: " + std::to_string(Recorder.LiveData);
  std::erase(Recorder.Errors, std::string("free without data")); // an init hook that raised
  return Recorder.Errors.empty() ? "" : Recorder.Errors.front();
}

// ---------------------------------------------------------------- the pointer

TPoint TGridInputDriver::AnyPoint() {
  const int W = Grid->GetClientWidth();
  const int H = Grid->GetClientHeight();
  switch (Pick(5)) {
  case 0:
  case 1:
    return NearLine();
  case 2: { // an edge, where cells are cut
    const int X = Chance(50) ? Between(W - 5, W) : Between(0, 4);
    return {Chance(50) ? X : Between(0, W), Chance(50) ? Between(H - 5, H) : Between(0, 30)};
  }
  case 3:
    return {Between(-20, W + 20), Between(-20, H + 20)};
  default:
    return {Between(0, std::max(0, W - 1)), Between(0, std::max(0, H - 1))};
  }
}

// Close to the line after a random visible cell (or a header's line).
TPoint TGridInputDriver::NearLine() {
  if (Grid->GetColCount() == 0 || Grid->GetRowCount() == 0) return {Between(0, 400), 5};
  const std::int32_t Col = Between(0, Grid->GetColCount() - 1);
  const std::int32_t Row = Between(0, Grid->GetRowCount() - 1);
  const TRect R = Grid->CellRect(Col, Row);
  const int Near = Between(-4, 5);
  // A cell far off screen has its sides clamped to the ends of int.
  const auto Beside = [Near](std::int64_t Side) {
    return static_cast<int>(std::clamp<std::int64_t>(Side + Near, INT32_MIN, INT32_MAX));
  };
  const bool RightToLeft = Grid->UseRightToLeftAlignment();
  if (Chance(50)) // a column's line, in the header
    return {Beside(RightToLeft ? std::int64_t{R.Left} - 1 : R.Right), Between(0, 20)};
  return {RightToLeft ? Grid->GetClientWidth() - Between(1, 20) : Between(0, 20), Beside(R.Bottom)};
}

TShiftState TGridInputDriver::AnyShift() {
  TShiftState Shift;
  if (Chance(25)) Shift.Include(ssShift);
  if (Chance(15)) Shift.Include(ssCtrl);
  return Shift;
}

// ---------------------------------------------------------------- user input

void TGridInputDriver::Click() {
  const TPoint P = AnyPoint();
  const TShiftState Shift = AnyShift();
  Note("click " + std::to_string(P.X) + "," + std::to_string(P.Y));
  ClickAt(*Grid, P.X, P.Y, Shift);
}

// A press, a few moves (with a timer tick now and then, as the auto-scroll would), a release
// or a cancel.
void TGridInputDriver::Drag() {
  const TPoint From = AnyPoint();
  const TShiftState Shift = AnyShift();
  Note("drag from " + std::to_string(From.X) + "," + std::to_string(From.Y));
  MouseDownAt(*Grid, From.X, From.Y, mbLeft, Shift);
  TPoint To = From;
  for (std::uint32_t I = Pick(4) + 1; I > 0; --I) {
    To = AnyPoint();
    Note("  to " + std::to_string(To.X) + "," + std::to_string(To.Y));
    MoveTo(*Grid, To.X, To.Y, Shift + TShiftState{ssLeft});
    if (Chance(20)) Deliver(WM_TIMER, 1);
  }
  if (Chance(10)) {
    Note("  cancel");
    Deliver(WM_CANCELMODE, 0);
  }
  MouseUpAt(*Grid, To.X, To.Y, mbLeft, Shift);
}

// A message as the window system delivers it: an error the host raises in it is reported (to
// OnException) and the gesture goes on, as it does for a user, who still lets go of the button.
void TGridInputDriver::Deliver(unsigned Msg, std::uintptr_t WParam) {
  TMessage Message{Msg, WParam, 0, 0};
  Grid->MainWndProc(Message);
}

void TGridInputDriver::RightDrag() {
  const TPoint From = AnyPoint();
  const TPoint To = AnyPoint();
  Note("right drag " + std::to_string(From.X) + "," + std::to_string(From.Y) + " to " +
       std::to_string(To.X) + "," + std::to_string(To.Y));
  MouseDownAt(*Grid, From.X, From.Y, mbRight);
  MoveTo(*Grid, To.X, To.Y, {ssRight});
  if (Chance(30)) Deliver(WM_TIMER, 1);
  MouseUpAt(*Grid, To.X, To.Y, mbRight);
}

void TGridInputDriver::DoubleClick() {
  const TPoint P = AnyPoint();
  Note("double click " + std::to_string(P.X) + "," + std::to_string(P.Y));
  DoubleClickAt(*Grid, P.X, P.Y);
}

void TGridInputDriver::WheelTurn() {
  const TPoint P = AnyPoint();
  const int Delta = (Chance(50) ? 1 : -1) * WHEEL_DELTA * Between(1, 3);
  Note("wheel " + std::to_string(Delta));
  Wheel(*Grid, P.X, P.Y, Delta, AnyShift());
}

void TGridInputDriver::Key() {
  const unsigned short K = Keys[Pick(std::size(Keys))];
  const TShiftState Shift = AnyShift();
  Note("key " + std::to_string(K) + (Shift.Contains(ssShift) ? " shift" : "") +
       (Shift.Contains(ssCtrl) ? " ctrl" : ""));
  PressKey(*Grid, K, Shift);
}

void TGridInputDriver::ScrollBar() {
  static constexpr int Codes[] = {SB_LINEUP,   SB_LINEDOWN, SB_PAGEUP,
                                  SB_PAGEDOWN, SB_TOP,      SB_BOTTOM};
  const int Bar = Chance(50) ? SB_HORZ : SB_VERT;
  if (!ScrollBarVisible(*Grid, Bar)) return;
  if (Chance(30)) {
    const int Pos = Between(-5, 140);
    Note("thumb " + std::to_string(Bar) + " to " + std::to_string(Pos));
    DragScrollThumb(*Grid, Bar, Pos);
    return;
  }
  const int Code = Codes[Pick(std::size(Codes))];
  Note("scroll bar " + std::to_string(Bar) + " code " + std::to_string(Code));
  ScrollBarAction(*Grid, Bar, Code);
}

// ---------------------------------------------------------------- the program's changes

void TGridInputDriver::Resize() {
  const std::int32_t C = Chance(10) ? 0 : Between(1, 14);
  const std::int32_t R = Chance(10) ? 0 : Between(1, 40);
  Note("ChangeSize " + std::to_string(C) + "x" + std::to_string(R));
  Grid->GetHolder()->ChangeSize(C, R);
}

void TGridInputDriver::InsertOrDelete() {
  TYCellsHolder* H = Grid->GetHolder();
  const bool Columns = Chance(50);
  const std::int32_t Count = Columns ? H->GetColCount() : H->GetRowCount();
  const std::int32_t Index = Between(0, Count);
  if (Chance(50)) {
    const bool Shown = Chance(80);
    Note(std::string(Columns ? "InsertCol " : "InsertRow ") + std::to_string(Index));
    Columns ? H->InsertCol(Index, Shown) : H->InsertRow(Index, Shown);
  } else if (Count > 0) {
    Note(std::string(Columns ? "DeleteCol " : "DeleteRow ") + std::to_string(Index % Count));
    Columns ? H->DeleteCol(Index % Count) : H->DeleteRow(Index % Count);
  }
}

void TGridInputDriver::ShowHide() {
  TYCellsHolder* H = Grid->GetHolder();
  const bool Columns = Chance(50);
  const std::int32_t Count = Columns ? H->GetColCount() : H->GetRowCount();
  if (Count == 0) return;
  if (Chance(15)) {
    Note(Columns ? "SetVisibleAllCols" : "SetVisibleAllRows");
    Columns ? H->SetVisibleAllCols() : H->SetVisibleAllRows();
    return;
  }
  const std::int32_t Index = Between(0, Count - 1);
  const bool Value = Chance(40);
  Note(std::string(Columns ? "col " : "row ") + std::to_string(Index) + ".SetVisible " +
       std::to_string(Value));
  (Columns ? H->GetCols(Index) : H->GetRows(Index))->SetVisible(Value);
}

void TGridInputDriver::MoveVector() {
  const bool Columns = Chance(50);
  const std::int32_t Count = Columns ? Grid->GetColCount() : Grid->GetRowCount();
  if (Count == 0) return;
  const std::int32_t From = Between(0, Count - 1);
  const std::int32_t To = Between(0, Count - 1);
  Note(std::string(Columns ? "MoveColumn " : "MoveRow ") + std::to_string(From) + "->" +
       std::to_string(To));
  Columns ? Grid->MoveColumn(From, To) : Grid->MoveRow(From, To);
}

void TGridInputDriver::Merge() {
  TYCellsUnions* U = Grid->GetHolder()->GetCellsUnions();
  if (Chance(25) && U->GetUnionsCount() > 0) {
    Note("Delete union");
    U->Delete(Between(0, U->GetUnionsCount() - 1));
    return;
  }
  const std::int32_t C = Grid->GetColCount();
  const std::int32_t R = Grid->GetRowCount();
  if (C == 0 || R == 0) return;
  const TYGridCoord A{Between(0, C - 1), Between(0, R - 1)};
  const TYGridCoord B{std::min(C - 1, A.X + Between(0, 2)), std::min(R - 1, A.Y + Between(0, 3))};
  Note("Add union (" + std::to_string(A.X) + "," + std::to_string(A.Y) + ")-(" +
       std::to_string(B.X) + "," + std::to_string(B.Y) + ")");
  U->Add(A, A, B, true);
}

void TGridInputDriver::SortRows() {
  Note("Sort");
  Grid->GetHolder()->Sort(&CompareRows, Chance(70));
}

void TGridInputDriver::Mark() {
  static const TYGridOption Modes[] = {ygoRowsMarking, ygoColsMarking, ygoCellsMarking};
  TYGridOptions O =
      Grid->GetOptions() - TYGridOptions{ygoRowsMarking, ygoColsMarking, ygoCellsMarking};
  if (Chance(30)) {
    O.Include(Modes[Pick(3)]);
    Note("marking mode");
    Grid->SetOptions(O);
    return;
  }
  Note("ClearMark");
  Grid->GetHolder()->ClearMark();
}

void TGridInputDriver::FixedCounts() {
  TYCellsHolder* H = Grid->GetHolder();
  const bool Columns = Chance(50);
  const std::int32_t Value = Between(0, std::min(3, Columns ? H->GetColCount() : H->GetRowCount()));
  Note(std::string(Columns ? "SetFixedCols " : "SetFixedRows ") + std::to_string(Value));
  Columns ? H->SetFixedCols(Value) : H->SetFixedRows(Value);
}

// One extreme value for a size, a default size or the line width; sizes come back to normal
// now and then, so that the grid is used at ordinary sizes as well.
void TGridInputDriver::ExtremeSizes() {
  const std::int32_t Value = SizeValues[Pick(std::size(SizeValues))];
  TYCellsHolder* H = Grid->GetHolder();
  switch (Pick(5)) {
  case 0:
    if (H->GetColCount() == 0) return;
    Note("col width " + std::to_string(Value));
    H->SetColWidths(Between(0, H->GetColCount() - 1), Value);
    return;
  case 1:
    if (H->GetRowCount() == 0) return;
    Note("row height " + std::to_string(Value));
    H->SetRowHeights(Between(0, H->GetRowCount() - 1), Value);
    return;
  case 2:
    Note("line width " + std::to_string(Value % 12));
    Grid->SetGridLineWidth(Value % 12);
    return;
  case 3:
    Note("default sizes " + std::to_string(Value));
    Chance(50) ? Grid->SetDefaultColWidth(Value) : Grid->SetDefaultRowHeight(Value);
    return;
  default:
    Note("ordinary sizes");
    Grid->SetDefaultColWidth(Between(0, 90));
    Grid->SetDefaultRowHeight(Between(0, 40));
    Grid->SetGridLineWidth(Between(0, 3));
  }
}

void TGridInputDriver::ChangeOptions() {
  if (Chance(15)) {
    Note("bidi");
    Grid->SetBiDiMode(Grid->GetBiDiMode() == bdRightToLeft ? bdLeftToRight : bdRightToLeft);
    return;
  }
  if (Chance(15)) {
    Note("scroll bars");
    Grid->SetScrollBars(static_cast<TScrollStyle>(Pick(4)));
    return;
  }
  if (Chance(10)) {
    Note("focus frame");
    Grid->SetFocusFrameStyle(Grid->GetFocusFrameStyle() == yffRect ? yffDotRect : yffRect);
    return;
  }
  const auto Option = static_cast<TYGridOption>(Pick(ygoThumbTracking + 1));
  TYGridOptions O = Grid->GetOptions();
  O.Contains(Option) ? O.Exclude(Option) : O.Include(Option);
  Note("option " + std::to_string(Option));
  Grid->SetOptions(O);
}

void TGridInputDriver::WindowSize() {
  const int W = Chance(10) ? Between(0, 10) : Between(40, 420);
  const int H = Chance(10) ? Between(0, 10) : Between(30, 260);
  Note("window " + std::to_string(W) + "x" + std::to_string(H));
  Grid->SetBounds(0, 0, W, H);
}

// ---------------------------------------------------------------- the hostile host

void TGridInputDriver::InstallHostileHandlers() {
  Recorder.Raise = [this] { return HostileDepth == 0 && Chance(3); };
  Grid->OnFocusCell = [this](TYCustomGrid*, TYCell*, std::int32_t&, std::int32_t&) {
    Hostile("OnFocusCell");
  };
  Grid->OnTopLeftChanged = [this](TObject*) { Hostile("OnTopLeftChanged"); };
  Grid->OnColumnSized = [this](TObject*) { Hostile("OnColumnSized"); };
  Grid->OnRowSized = [this](TObject*) { Hostile("OnRowSized"); };
  Grid->OnColumnMoved = [this](TYCustomGrid*, std::int32_t, std::int32_t) {
    Hostile("OnColumnMoved");
  };
  Grid->OnRowMoved = [this](TYCustomGrid*, std::int32_t, std::int32_t) { Hostile("OnRowMoved"); };
  Grid->OnFixedCellClick = [this](TYCustomGrid*, TYCell*, std::int32_t, std::int32_t) {
    Hostile("OnFixedCellClick");
  };
  Grid->OnCheckButton = [this](TYCustomGrid*, TYCell*, std::int32_t, std::int32_t, bool&) {
    Hostile("OnCheckButton");
  };
  Grid->OnChangeFocus = [this](TObject*) { Hostile("OnChangeFocus"); };
  Grid->OnClick = [this](TObject*) { Hostile("OnClick"); };
  Grid->OnDblClick = [this](TObject*) { Hostile("OnDblClick"); };
  Grid->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
    Hostile("OnMouseDown");
  };
  Grid->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { Hostile("OnMouseUp"); };
  Grid->OnMouseMove = [this](TObject*, TShiftState, int, int) { Hostile("OnMouseMove"); };
  Grid->OnKeyDown = [this](TObject*, unsigned short&, TShiftState) { Hostile("OnKeyDown"); };
  Grid->OnBeforeDrawCell = [this](TYCustomGrid*, TYCell*, std::int32_t, std::int32_t,
                                  TYGridDrawStates, const TRect&,
                                  bool&) { Hostile("OnBeforeDrawCell"); };
  Grid->OnDrawCellText = [this](TYCustomGrid*, TYCell*, std::int32_t, std::int32_t,
                                TYGridDrawStates, TRect&, std::string&, bool&, TAlignment&,
                                TYVertAlignment&) { Hostile("OnDrawCellText"); };
  Grid->OnAfterDrawCell = [this](TYCustomGrid*, TYCell*, std::int32_t, std::int32_t,
                                 TYGridDrawStates, const TRect&) { Hostile("OnAfterDrawCell"); };
}

// Now and then the handler raises or changes the grid; the changes it makes fire events of
// their own, which then only pass.
void TGridInputDriver::Hostile(const char* Event) {
  if (HostileDepth > 0 || !Chance(4)) return;
  ++HostileDepth;
  struct TDepth {
    int& Depth;
    ~TDepth() { --Depth; }
  } Depth{HostileDepth};
  if (Chance(30)) {
    Note(std::string("  ") + Event + " raises");
    throw EHostFailure();
  }
  ++HostileActions;
  Note(std::string("  ") + Event + " changes the grid:");
  HostileChange();
}

void TGridInputDriver::HostileChange() {
  TYCellsHolder* H = Grid->GetHolder();
  const bool Columns = Chance(50);
  const std::int32_t Count = Columns ? H->GetColCount() : H->GetRowCount();
  if (Count == 0) {
    Note(Columns ? "    AddCol" : "    AddRow");
    Columns ? H->AddCol(true) : H->AddRow(true);
    return;
  }
  const std::int32_t Index = Between(0, Count - 1);
  TYCellsVector* V = Columns ? H->GetCols(Index) : H->GetRows(Index);
  switch (Pick(4)) {
  case 0:
    Note("    hide " + LabelOf(V));
    V->SetVisible(false);
    return;
  case 1:
    Note("    delete " + LabelOf(V));
    Columns ? H->DeleteCol(Index) : H->DeleteRow(Index);
    return;
  case 2: {
    const std::int32_t Shown = Columns ? Grid->GetColCount() : Grid->GetRowCount();
    if (Shown == 0) return;
    const std::int32_t From = Between(0, Shown - 1);
    const std::int32_t To = Between(0, Shown - 1);
    Note("    move " + std::to_string(From) + "->" + std::to_string(To));
    Columns ? Grid->MoveColumn(From, To) : Grid->MoveRow(From, To);
    return;
  }
  default:
    Note("    show all");
    Columns ? H->SetVisibleAllCols() : H->SetVisibleAllRows();
  }
}
