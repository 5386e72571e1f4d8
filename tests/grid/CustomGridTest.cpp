// The grid object: its defaults, the option rules, the mapping from grid to holder indices, the
// sizes and marks it reports, the hooks it silences, the bracket around structural changes,
// moving columns and rows, and the current cell's setters.
#include "tests/support/GridTestSupport.h"

#include <array>
#include <functional>
#include <optional>

// Found by the test framework's printer through the set's (global) namespace.
static void PrintTo(const TYGridOptions& O, std::ostream* Out) {
  *Out << "options 0x" << std::hex << O.ToBits();
}

namespace {

using Labels = std::vector<std::string>;
using Map = std::vector<std::int32_t>;

const TYGridOptions Base{ygoFixedVertLine, ygoFixedHorzLine, ygoVertLine, ygoHorzLine,
                         ygoShowFocusCell};

TYGridOptions With(TYGridOptions O, std::initializer_list<TYGridOption> Add,
                   std::initializer_list<TYGridOption> Remove = {}) {
  return O + TYGridOptions(Add) - TYGridOptions(Remove);
}

class CustomGridTest : public ::testing::Test {
protected:
  void SetUp() override {
    G = MakeGrid(6, 6, &R);
    H = G->GetHolder();
  }
  void TearDown() override {
    G.reset();
    EXPECT_TRUE(R.Errors.empty());
    EXPECT_EQ(R.LiveData, 0);
  }
  TYCell* Current() { return G->GetCells(G->GetCol(), G->GetRow()); }
  void Focus(std::int32_t Col, std::int32_t Row) {
    G->SetCol(Col);
    G->SetRow(Row);
  }
  // Records the events of moving and sizing in the recorder's log.
  void RecordMoves() {
    G->OnColumnMoved = [this](TYCustomGrid*, std::int32_t F, std::int32_t T) {
      R.Log.push_back("col moved " + std::to_string(F) + " " + std::to_string(T));
    };
    G->OnRowMoved = [this](TYCustomGrid*, std::int32_t F, std::int32_t T) {
      R.Log.push_back("row moved " + std::to_string(F) + " " + std::to_string(T));
    };
    G->OnColumnSized = [this](TObject*) { R.Log.push_back("col sized"); };
    G->OnRowSized = [this](TObject*) { R.Log.push_back("row sized"); };
    G->OnTopLeftChanged = [this](TObject*) { R.Log.push_back("top left"); };
  }

  HookRecorder R;
  std::unique_ptr<TYGrid> G;
  TYCellsHolder* H = nullptr;
};

// ---------------------------------------------------------------- defaults

TEST(CustomGridDefaults, ANewGrid) {
  TYGrid Grid(nullptr);
  EXPECT_EQ(Grid.GetWidth(), 320);
  EXPECT_EQ(Grid.GetHeight(), 120);
  EXPECT_EQ(Grid.GetColCount(), 5);
  EXPECT_EQ(Grid.GetRowCount(), 5);
  EXPECT_EQ(Grid.GetFixedCols(), 1);
  EXPECT_EQ(Grid.GetFixedRows(), 1);
  EXPECT_EQ(Grid.GetColMap(), (Map{0, 1, 2, 3, 4}));
  EXPECT_EQ(Grid.GetCol(), 1);
  EXPECT_EQ(Grid.GetRow(), 1);
  EXPECT_EQ(Grid.GetLeftCol(), 1);
  EXPECT_EQ(Grid.GetTopRow(), 1);
  EXPECT_EQ(Grid.GetCurrentCellRect(), (TYGridRect{1, 1, 1, 1}));
  EXPECT_EQ(Grid.GetOptions(), Base);
  EXPECT_EQ(Grid.GetDesignOptions(), (TYGridOptions{ygoRowSizing, ygoColSizing}));
  EXPECT_EQ(Grid.GetDefaultColWidth(), 64);
  EXPECT_EQ(Grid.GetDefaultRowHeight(), 24);
  EXPECT_EQ(Grid.GetGridLineWidth(), 1);
  EXPECT_EQ(Grid.GetFocusFrameStyle(), yffDotRect);
  EXPECT_EQ(Grid.GetGridState(), ygsNormal);
  EXPECT_TRUE(Grid.GetTabStop());
  EXPECT_EQ(Grid.GetMarkedCount(), 0);
  EXPECT_EQ(Grid.GetSavedFocusCell(), nullptr);
  EXPECT_FALSE(Grid.GetFullRepaint());
  TYCellsHolder* H = Grid.GetHolder();
  EXPECT_EQ(H->GetColCount(), 5);
  EXPECT_EQ(H->GetRowCount(), 5);
  EXPECT_EQ(H->GetColWidths(4), 64);
  EXPECT_EQ(H->GetRowHeights(4), 24);
  EXPECT_EQ(H->GetCellsUnions()->GetUnionsCount(), 0);
  EXPECT_TRUE(ModelConsistent(Grid));
}

// ---------------------------------------------------------------- options

struct OptionsCase {
  const char* Name;
  TYGridOptions Before;
  TYGridOptions Assigned;
  TYGridOptions Expected;
  bool MarksKept; // the item marked under Before is still marked
};

void PrintTo(const OptionsCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class CustomGridOptions : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(CustomGridOptions, FollowTheRules) {
  const OptionsCase& C = GetParam();
  auto G = MakeGrid(5, 5);
  TYCellsHolder* H = G->GetHolder();
  G->SetOptions(C.Before);
  // Mark one item of the kind that Before marks.
  H->GetRows(2)->SetMarked(true);
  H->GetCols(2)->SetMarked(true);
  H->GetCells(3, 3)->SetMarked(true);
  const bool AnyMarked = H->GetMarkedCount() > 0;
  G->SetOptions(C.Assigned);
  EXPECT_EQ(G->GetOptions(), C.Expected);
  const bool StillMarked =
      H->GetRows(2)->GetMarked() || H->GetCols(2)->GetMarked() || H->GetCells(3, 3)->GetOwnMarked();
  if (AnyMarked) {
    EXPECT_EQ(StillMarked, C.MarksKept);
  }
  const TYGridOptions Marking{ygoRowsMarking, ygoColsMarking, ygoCellsMarking};
  if ((C.Expected * Marking).Empty()) { // nothing is listed without a marking mode
    EXPECT_EQ(H->GetMarkedCount(), 0);
    EXPECT_EQ(G->GetMarkedCount(), 0);
  }
  EXPECT_TRUE(ModelConsistent(*G));
}

const OptionsCase OptionsCases[] = {
    {"ColumnsWinOverRows", Base, With(Base, {ygoColsMarking, ygoRowsMarking}),
     With(Base, {ygoColsMarking}), true},
    {"RowsWinOverCells", Base, With(Base, {ygoCellsMarking, ygoRowsMarking}),
     With(Base, {ygoRowsMarking}), true},
    {"CellsReplaceRows", With(Base, {ygoRowsMarking}),
     With(Base, {ygoRowsMarking, ygoCellsMarking}), With(Base, {ygoCellsMarking}), false},
    {"RowsReplaceColumns", With(Base, {ygoColsMarking}),
     With(Base, {ygoColsMarking, ygoRowsMarking}), With(Base, {ygoRowsMarking}), false},
    {"ColumnsWinOverAllNewOnes", With(Base, {ygoRowsMarking}),
     With(Base, {ygoRowsMarking, ygoColsMarking, ygoCellsMarking}), With(Base, {ygoColsMarking}),
     false},
    {"ModeKeptKeepsMarks", With(Base, {ygoColsMarking}), With(Base, {ygoColsMarking, ygoZebraRows}),
     With(Base, {ygoColsMarking, ygoZebraRows}), true},
    {"ModeSwitchedOffKeepsFlags", With(Base, {ygoCellsMarking}), Base, Base, true},
    {"FocusCellRestored", Base, With(Base, {ygoZebraCols}, {ygoShowFocusCell}),
     With(Base, {ygoZebraCols}), true},
    {"FocusFrameAdded", With(Base, {ygoShowFocusFrame}, {ygoShowFocusCell}),
     With(Base, {}, {ygoShowFocusCell}), With(Base, {ygoShowFocusFrame}, {ygoShowFocusCell}), true},
    {"FocusFrameAlone", Base, With(Base, {ygoShowFocusFrame}, {ygoShowFocusCell}),
     With(Base, {ygoShowFocusFrame}, {ygoShowFocusCell}), true},
    {"FocusCellPreferred", With(Base, {ygoShowFocusFrame}), With(Base, {}, {ygoShowFocusCell}),
     Base, true},
};

INSTANTIATE_TEST_SUITE_P(Rules, CustomGridOptions, ::testing::ValuesIn(OptionsCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(CustomGridTest, InTheDesignerANewMarkingModeKeepsTheMarks) {
  G->SetOptions(With(Base, {ygoRowsMarking}));
  H->GetRows(2)->SetMarked(true);
  G->SetDesigning(true);
  G->SetOptions(With(Base, {ygoCellsMarking}));
  EXPECT_TRUE(H->GetRows(2)->GetMarked());
  EXPECT_EQ(G->GetMarkedCount(), 0); // cells are what the lists hold now
  EXPECT_TRUE(ModelConsistent(*G));
  G->SetDesigning(false); // so that the host frees its data with the grid
}

// ---------------------------------------------------------------- index mapping

// Six columns A to F, two fixed, B hidden; then F moved to holder index 2.
TEST_F(CustomGridTest, GridIndicesNameTheVisibleColumnsInHolderOrder) {
  H->SetFixedCols(2);
  H->GetCols(1)->SetVisible(false);
  EXPECT_EQ(G->GetColMap(), (Map{0, 2, 3, 4, 5}));
  EXPECT_EQ(G->GetColCount(), 5);
  EXPECT_EQ(G->GetFixedCols(), 1);
  EXPECT_EQ(G->GridToHolderCol(1), 2);
  EXPECT_EQ(LabelOf(G->GetCols(1)), "col2");

  H->DoMoveColumn(5, 2);
  EXPECT_EQ(G->GetColMap(), (Map{0, 2, 3, 4, 5}));
  EXPECT_EQ(LabelOf(G->GetCols(1)), "col5");
  EXPECT_EQ(LabelOf(G->GetCols(4)), "col4");

  H->GetRows(2)->SetVisible(false);
  EXPECT_EQ(G->GridToHolderCell({1, 3}), (TYGridCoord{2, 4}));
  EXPECT_EQ(LabelOf(G->GetRows(3)), "row4");
  EXPECT_EQ(LabelOf(G->GetCells(1, 3)), "c5r4");
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(CustomGridTest, IndicesOutsideTheGridRaise) {
  H->GetCols(1)->SetVisible(false);
  const std::function<void()> Actions[] = {
      [&] { G->GridToHolderCol(5); }, [&] { G->GridToHolderCol(-1); },
      [&] { G->GridToHolderRow(6); }, [&] { G->GridToHolderCell({0, 6}); },
      [&] { G->GetCols(5); },         [&] { G->GetRows(-1); },
      [&] { G->GetCells(5, 0); },     [&] { G->SetRowHeights(6, 30); },
  };
  for (const auto& Action : Actions)
    EXPECT_EQ(GridErrorOf(Action), "TYGrid::Grid index out of range");
}

// ---------------------------------------------------------------- sizes

TEST_F(CustomGridTest, ColumnWidthsByGridIndex) {
  RecordMoves();
  H->GetCols(2)->SetVisible(false);
  H->SetColWidths(3, 80);
  R.Clear();
  EXPECT_EQ(G->GetColWidths(2), 80); // holder column 3
  EXPECT_EQ(G->GetColWidths(5), 64); // outside: the default
  EXPECT_EQ(G->GetColWidths(-1), 64);
  G->SetColWidths(2, 80);
  EXPECT_TRUE(R.Log.empty());
  G->SetColWidths(2, 90);
  EXPECT_EQ(R.Log, Labels{"col sized"});
  EXPECT_EQ(H->GetColWidths(3), 90);
  EXPECT_EQ(H->GetColWidths(2), 64);
  EXPECT_EQ(GridErrorOf([&] { G->SetColWidths(5, 10); }), "TYGrid::Grid index out of range");
  EXPECT_EQ(R.Log.size(), 1u);
}

TEST_F(CustomGridTest, RowHeightsByGridIndex) {
  RecordMoves();
  H->GetRows(1)->SetVisible(false);
  G->SetRowHeights(1, 40);
  EXPECT_EQ(H->GetRowHeights(2), 40);
  EXPECT_EQ(G->GetRowHeights(1), 40);
  EXPECT_EQ(G->GetRowHeights(9), 24);
  G->SetRowHeights(1, 40);
  EXPECT_EQ(R.With("row sized").size(), 1u);
}

// ---------------------------------------------------------------- marks seen by the grid

TEST_F(CustomGridTest, MarkedItemsOfAnotherKindAnswerNone) {
  EXPECT_EQ(GridErrorOf([&] { G->GetMarkedCols(0); }), "TYGrid::Grid index out of range");
  G->SetOptions(With(Base, {ygoRowsMarking}));
  H->GetRows(3)->SetMarked(true);
  EXPECT_EQ(G->GetMarkedCols(0), nullptr);
  EXPECT_EQ(G->GetMarkedCells(0), nullptr);
  EXPECT_EQ(G->GetMarkedRows(0), H->GetRows(3));
  EXPECT_EQ(G->GetMarkedCount(), 1);
}

// ---------------------------------------------------------------- silent hooks

struct SilentCase {
  const char* Name;
  std::function<void(TYGrid&)> Begin;
  std::function<void(TYGrid&)> End;
};

void PrintTo(const SilentCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class CustomGridSilence : public ::testing::TestWithParam<SilentCase> {};

TEST_P(CustomGridSilence, InitFreeAndMarkHooksAreSilent) {
  HookRecorder R;
  auto G = MakeGrid(4, 4, &R);
  R.AttachMarks(*G);
  TYCellsHolder* H = G->GetHolder();
  G->SetOptions(With(Base, {ygoRowsMarking}));
  R.Vetoed = {"row2", "row3"};
  H->FreeVectorsRangeData(true, 3, 3); // the host lets go of column 3 itself
  H->FreeCellsRangeData({3, 0}, {3, 3});
  R.Clear();

  GetParam().Begin(*G);
  H->SetColCount(3); // column 3 and its cells go without a word
  H->ChangeSize(5, 6);
  H->ChangeSize(3, 4);            // new vectors and cells come and go unannounced
  H->GetRows(2)->SetMarked(true); // no host to refuse it
  EXPECT_TRUE(R.Log.empty());
  EXPECT_TRUE(H->GetRows(2)->GetMarked());
  GetParam().End(*G);

  H->GetRows(3)->SetMarked(true);
  EXPECT_EQ(R.Log, Labels{"mark row3 1"});
  EXPECT_FALSE(H->GetRows(3)->GetMarked());
  H->AddRow(true);
  EXPECT_EQ(R.With("init").size(), 4u); // the row and its three cells
  EXPECT_TRUE(R.Errors.empty());
  EXPECT_TRUE(ModelConsistent(*G));
}

const SilentCase SilentCases[] = {
    {"WhileLoading", [](TYGrid& G) { G.BeginLoading(); }, [](TYGrid& G) { G.Loaded(); }},
    {"WhileDesigning", [](TYGrid& G) { G.SetDesigning(true); },
     [](TYGrid& G) { G.SetDesigning(false); }},
};

INSTANTIATE_TEST_SUITE_P(States, CustomGridSilence, ::testing::ValuesIn(SilentCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// ---------------------------------------------------------------- the size-change bracket

TEST_F(CustomGridTest, HidingTheCurrentColumnKeepsTheGridPosition) {
  Focus(2, 3);
  H->GetCols(2)->SetVisible(false);
  EXPECT_EQ(G->GetCol(), 2);
  EXPECT_EQ(G->GetRow(), 3);
  EXPECT_EQ(LabelOf(Current()), "c3r3"); // the next visible column
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(CustomGridTest, TheFocusFollowsItsCellWhenOtherVectorsHideOrShow) {
  Focus(3, 4);
  TYCell* Focused = Current();
  H->GetCols(1)->SetVisible(false);
  EXPECT_EQ(Current(), Focused);
  EXPECT_EQ(G->GetCol(), 2);
  TList Rows = VectorList({H->GetRows(1), H->GetRows(2)});
  H->SetVisibleRowsRange(&Rows, true);
  EXPECT_EQ(Current(), Focused);
  EXPECT_EQ(G->GetRow(), 2);
  H->SetVisibleAllCols();
  H->SetVisibleAllRows();
  EXPECT_EQ(Current(), Focused);
  EXPECT_EQ(G->GetCol(), 3);
  EXPECT_EQ(G->GetRow(), 4);
  H->InsertCol(2, true);
  EXPECT_EQ(Current(), Focused);
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(CustomGridTest, TheFocusIsClampedIntoTheScrollableArea) {
  Focus(5, 5);
  H->GetCols(5)->SetVisible(false);
  EXPECT_EQ(G->GetCol(), 4);
  H->DeleteRow(5);
  EXPECT_EQ(G->GetRow(), 4);
  H->SetColCount(3); // destroys the remembered cell
  EXPECT_EQ(G->GetCol(), 2);
  H->SetRowCount(2);
  EXPECT_EQ(G->GetRow(), 1);
  EXPECT_TRUE(ModelConsistent(*G));
}

// A hidden fixed vector that shows again widens the fixed area under the focus and the first
// scrollable cell shown.
TEST_F(CustomGridTest, FocusAndTopLeftStayOutOfAGrownFixedArea) {
  RecordMoves();
  H->GetCols(0)->SetVisible(false);
  H->GetRows(0)->SetVisible(false);
  H->SetFixedCols(2); // the grid shows one fixed column
  H->SetFixedRows(2); // and one fixed row
  ASSERT_EQ(G->GetFixedCols(), 1);
  ASSERT_EQ(G->GetTopRow(), 1);
  ASSERT_EQ(LabelOf(Current()), "c2r2");
  R.Clear();
  TList Hide = VectorList({H->GetCols(2)});
  H->SetVisibleColsRange(&Hide, true); // column 0 shows, the current column hides
  EXPECT_EQ(G->GetFixedCols(), 2);
  EXPECT_EQ(G->GetCol(), 2);
  EXPECT_EQ(G->GetLeftCol(), 2);
  EXPECT_EQ(R.Log, Labels{"top left"});
  Hide = VectorList({H->GetRows(2)});
  H->SetVisibleRowsRange(&Hide, true);
  EXPECT_EQ(G->GetFixedRows(), 2);
  EXPECT_EQ(G->GetRow(), 2);
  EXPECT_EQ(G->GetTopRow(), 2);
  EXPECT_EQ(LabelOf(Current()), "c3r3");
  EXPECT_EQ(R.Log.size(), 2u);
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(CustomGridTest, ANewFixedCountResetsFocusAndScrollPosition) {
  Focus(3, 4);
  H->SetFixedRows(2);
  EXPECT_EQ(G->GetCol(), 1);
  EXPECT_EQ(G->GetRow(), 2);
  EXPECT_EQ(G->GetLeftCol(), 1);
  EXPECT_EQ(G->GetTopRow(), 2);
  EXPECT_EQ(G->GetCurrentCellRect(), (TYGridRect{1, 2, 1, 2}));
}

// The current cell's piece may change while its position does not.
TEST_F(CustomGridTest, TheCurrentCellsExtentIsRecomputedAfterAChange) {
  H->GetCellsUnions()->Add({2, 2}, {2, 2}, {3, 3}, false);
  Focus(2, 2);
  ASSERT_EQ(G->GetCurrentCellRect(), (TYGridRect{2, 2, 3, 3}));
  H->InsertRow(3, true);
  EXPECT_EQ(G->GetCurrentCellRect(), (TYGridRect{2, 2, 3, 2}));
  H->GetCols(3)->SetVisible(false);
  EXPECT_EQ(G->GetCurrentCellRect(), (TYGridRect{2, 2, 2, 2}));
  EXPECT_TRUE(ModelConsistent(*G));
}

class TSizeReportingGrid : public TYGrid {
public:
  using TYGrid::TYGrid;
  void SizeChanged(std::int32_t OldColCount, std::int32_t OldRowCount) override {
    Reports.push_back({OldColCount, OldRowCount, GetColCount(), GetRowCount()});
  }
  std::vector<std::array<std::int32_t, 4>> Reports; // old and new counts
};

TEST(CustomGridSizeChange, ReportsTheCountsBeforeAndAfter) {
  TSizeReportingGrid G(nullptr);
  G.GetHolder()->ChangeSize(8, 7);
  G.GetHolder()->GetCols(3)->SetVisible(false);
  G.GetHolder()->AddRow(false); // nothing the grid shows changes: no bracket
  G.GetHolder()->DoMoveRow(2, 4);
  const std::vector<std::array<std::int32_t, 4>> Expected{{5, 5, 8, 7}, {8, 7, 7, 7}};
  EXPECT_EQ(G.Reports, Expected);
}

TEST_F(CustomGridTest, AnAxisMayLoseEveryVisibleVector) {
  for (std::int32_t I = 0; I < H->GetColCount(); ++I)
    H->GetCols(I)->SetVisible(false);
  EXPECT_EQ(G->GetColCount(), 0);
  EXPECT_EQ(G->GetFixedCols(), -1);
  EXPECT_EQ(G->GetCol(), -1);
  EXPECT_EQ(G->GetRow(), 1);
  EXPECT_TRUE(G->GetColMap().empty());
  EXPECT_EQ(G->GetColWidths(0), 64);
  EXPECT_EQ(GridErrorOf([&] { G->SetCol(0); }), "TYGrid::Grid index out of range");
  EXPECT_TRUE(ModelConsistent(*G));
  H->SetRowCount(8); // the store still changes
  EXPECT_EQ(G->GetCol(), -1);
  EXPECT_TRUE(ModelConsistent(*G));

  H->GetCols(3)->SetVisible(true);
  EXPECT_EQ(G->GetColCount(), 1);
  EXPECT_EQ(G->GetFixedCols(), 0);
  EXPECT_EQ(G->GetCol(), 0);
  EXPECT_EQ(G->GetLeftCol(), 0);
  EXPECT_EQ(LabelOf(Current()), "c3r1");
  EXPECT_TRUE(ModelConsistent(*G));
}

// ---------------------------------------------------------------- moving columns and rows

struct MoveCase {
  std::int32_t From, To, Current;
};

TEST_F(CustomGridTest, MovingAColumnTheCurrentCellStaysOnItsVector) {
  RecordMoves();
  const MoveCase Cases[] = {{2, 4, 2}, {2, 4, 3}, {2, 4, 4}, {4, 2, 3},
                            {4, 2, 4}, {4, 2, 1}, {1, 5, 5}, {5, 1, 1}};
  for (const auto& C : Cases) {
    G->SetCol(C.Current);
    TYCell* Focused = Current();
    R.Clear();
    G->MoveColumn(C.From, C.To);
    EXPECT_EQ(Current(), Focused) << C.From << "->" << C.To << " at " << C.Current;
    EXPECT_EQ(R.Log, (Labels{"col moved " + std::to_string(C.From) + " " + std::to_string(C.To),
                             "col sized"}));
    EXPECT_TRUE(ModelConsistent(*G));
  }
}

TEST_F(CustomGridTest, MovingARowTheCurrentCellStaysOnItsVector) {
  RecordMoves();
  const MoveCase Cases[] = {{1, 5, 3}, {5, 1, 5}, {3, 2, 2}, {3, 4, 1}};
  for (const auto& C : Cases) {
    G->SetRow(C.Current);
    TYCell* Focused = Current();
    R.Clear();
    G->MoveRow(C.From, C.To);
    EXPECT_EQ(Current(), Focused) << C.From << "->" << C.To << " at " << C.Current;
    EXPECT_EQ(R.Log, (Labels{"row moved " + std::to_string(C.From) + " " + std::to_string(C.To),
                             "row sized"}));
  }
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(CustomGridTest, MovingAColumnAcrossAHiddenOne) {
  H->GetCols(3)->SetVisible(false);
  G->SetCol(4); // holder column 5
  TYCell* Focused = Current();
  G->MoveColumn(4, 2);
  EXPECT_EQ(G->GetColMap(), (Map{0, 1, 2, 3, 5}));
  Labels Order;
  for (std::int32_t I = 0; I < H->GetColCount(); ++I)
    Order.push_back(LabelOf(H->GetCols(I)));
  EXPECT_EQ(Order, (Labels{"col0", "col1", "col5", "col2", "col3", "col4"}));
  EXPECT_FALSE(H->GetCols(4)->GetVisible());
  EXPECT_EQ(Current(), Focused);
  EXPECT_EQ(G->GetCol(), 2);
}

TEST_F(CustomGridTest, MovingAVectorOntoItselfDoesNothing) {
  RecordMoves();
  G->MoveColumn(3, 3);
  G->MoveRow(2, 2);
  EXPECT_TRUE(R.Log.empty());
}

TEST_F(CustomGridTest, MovingFromOrToOutsideTheGridRaises) {
  RecordMoves();
  G->SetCol(3);
  EXPECT_EQ(GridErrorOf([&] { G->MoveColumn(3, 6); }), "TYGrid::Grid index out of range");
  EXPECT_EQ(GridErrorOf([&] { G->MoveRow(-1, 2); }), "TYGrid::Grid index out of range");
  EXPECT_TRUE(R.Log.empty());
  EXPECT_EQ(G->GetCol(), 3);
  EXPECT_EQ(G->GetColMap(), (Map{0, 1, 2, 3, 4, 5}));
}

// The store does not move a vector into or out of its fixed area; the focus stays where it was.
TEST_F(CustomGridTest, MovingIntoTheFixedAreaIsRefused) {
  RecordMoves();
  Focus(3, 2);
  TYCell* Focused = Current();
  G->MoveColumn(3, 0);
  G->MoveColumn(0, 4);
  G->MoveRow(2, 0);
  EXPECT_EQ(Current(), Focused);
  EXPECT_EQ(G->GetCol(), 3);
  EXPECT_EQ(G->GetRow(), 2);
  EXPECT_EQ(LabelOf(H->GetCols(0)), "col0");
  EXPECT_EQ(LabelOf(H->GetRows(0)), "row0");
  EXPECT_TRUE(R.Log.empty());
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(CustomGridTest, AMoveRecomputesTheCurrentCellsExtent) {
  H->GetCellsUnions()->Add({2, 2}, {2, 2}, {3, 2}, false);
  Focus(3, 2);
  ASSERT_EQ(G->GetCurrentCellRect(), (TYGridRect{2, 2, 3, 2}));
  G->MoveColumn(2, 5); // the union falls apart
  EXPECT_EQ(G->GetCol(), 2);
  EXPECT_EQ(G->GetCurrentCellRect(), (TYGridRect{2, 2, 2, 2}));
  G->MoveColumn(5, 3); // and comes together again, to the right
  EXPECT_EQ(G->GetCurrentCellRect(), (TYGridRect{2, 2, 3, 2}));
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST(CustomGridMoveAdjust, AnIndexKeepsPointingAtItsVector) {
  struct Case {
    std::int32_t Cur, From, To, Expected;
  };
  const Case Cases[] = {
      {2, 2, 5, 5}, {3, 2, 5, 2}, {5, 2, 5, 4}, {6, 2, 5, 6}, {1, 2, 5, 1}, // moving right
      {5, 5, 2, 2}, {2, 5, 2, 3}, {4, 5, 2, 5}, {6, 5, 2, 6}, {1, 5, 2, 1}, // moving left
  };
  for (const auto& C : Cases) {
    std::int32_t Index = C.Cur;
    TYCustomGrid::MoveAdjust(Index, C.From, C.To);
    EXPECT_EQ(Index, C.Expected) << C.Cur << " with " << C.From << "->" << C.To;
  }
}

// ---------------------------------------------------------------- Col and Row

class CustomGridFocusTest : public CustomGridTest {
protected:
  void SetUp() override {
    CustomGridTest::SetUp();
    G->OnFocusCell = [this](TYCustomGrid* Sender, TYCell* Cell, std::int32_t& ACol,
                            std::int32_t& ARow) {
      Asked.push_back(LabelOf(Cell) + " at " + std::to_string(ACol) + "," + std::to_string(ARow) +
                      " from " + std::to_string(Sender->GetCol()) + "," +
                      std::to_string(Sender->GetRow()));
      if (Redirect) {
        ACol = Redirect->X;
        ARow = Redirect->Y;
      }
    };
    G->OnClick = [this](TObject*) { ++Clicks; };
  }
  Labels Asked;
  std::optional<TYGridCoord> Redirect;
  int Clicks = 0;
};

TEST_F(CustomGridFocusTest, SettingTheSameColumnDoesNothing) {
  G->SetCol(G->GetCol());
  G->SetRow(G->GetRow());
  EXPECT_TRUE(Asked.empty());
  EXPECT_EQ(Clicks, 0);
}

TEST_F(CustomGridFocusTest, TheHostIsAskedAndMayRedirect) {
  G->SetCol(3);
  EXPECT_EQ(Asked, Labels{"c3r1 at 3,1 from 1,1"});
  EXPECT_EQ(G->GetCol(), 3);
  EXPECT_EQ(Clicks, 1);
  Redirect = TYGridCoord{4, 2};
  G->SetRow(5);
  EXPECT_EQ(Asked.back(), "c3r5 at 3,5 from 3,1");
  EXPECT_EQ(G->GetCol(), 4);
  EXPECT_EQ(G->GetRow(), 2);
  EXPECT_EQ(G->GetCurrentCellRect(), (TYGridRect{4, 2, 4, 2}));
  EXPECT_EQ(Clicks, 2);
}

TEST_F(CustomGridFocusTest, ARedirectOutOfTheGridRaises) {
  Focus(2, 3);
  Clicks = 0;
  Redirect = TYGridCoord{6, 3};
  EXPECT_EQ(GridErrorOf([&] { G->SetCol(4); }), "TYGrid::Grid index out of range");
  EXPECT_EQ(G->GetCol(), 2);
  EXPECT_EQ(G->GetRow(), 3);
  EXPECT_EQ(Clicks, 0);
  Redirect = TYGridCoord{1, -1};
  EXPECT_NE(GridErrorOf([&] { G->SetRow(1); }), "no error");
  EXPECT_EQ(G->GetRow(), 3);
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(CustomGridFocusTest, ATargetOutsideTheGridRaisesBeforeTheHostIsAsked) {
  EXPECT_EQ(GridErrorOf([&] { G->SetCol(6); }), "TYGrid::Grid index out of range");
  EXPECT_EQ(GridErrorOf([&] { G->SetRow(-1); }), "TYGrid::Grid index out of range");
  EXPECT_TRUE(Asked.empty());
}

// A fixed cell is accepted when asked for; the host then sees a current cell pulled into the
// scrollable area, and a failed redirect leaves it there.
TEST_F(CustomGridFocusTest, WhileTheHostDecidesTheCurrentCellIsScrollable) {
  G->SetCol(0);
  ASSERT_EQ(G->GetCol(), 0);
  Redirect = TYGridCoord{-1, 2};
  EXPECT_NE(GridErrorOf([&] { G->SetRow(2); }), "no error");
  EXPECT_EQ(Asked.back(), "c0r2 at 0,2 from 1,1");
  EXPECT_EQ(G->GetCol(), 1);
}

TEST_F(CustomGridFocusTest, FocusingTheCurrentCellOnlyClicks) {
  Focus(2, 2);
  Clicks = 0;
  Asked.clear();
  G->FocusCell(2, 2, true);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Asked.size(), 1u);
  EXPECT_EQ(G->GetCol(), 2);
}

TEST_F(CustomGridFocusTest, TheCurrentCellCoversItsPiece) {
  H->GetCellsUnions()->Add({2, 2}, {2, 2}, {3, 4}, false);
  Focus(3, 4);
  EXPECT_EQ(G->GetCurrentCellRect(), (TYGridRect{2, 2, 3, 4}));
  G->SetCol(2); // moving inside the piece keeps the extent
  EXPECT_EQ(G->GetCurrentCellRect(), (TYGridRect{2, 2, 3, 4}));
  G->SetRow(5);
  EXPECT_EQ(G->GetCurrentCellRect(), (TYGridRect{2, 5, 2, 5}));
}

// ---------------------------------------------------------------- LeftCol and TopRow

// Without a window the view has nothing to scroll, but its position is kept and reported.
TEST_F(CustomGridTest, TheFirstScrollableCellIsSetWithoutAWindow) {
  RecordMoves();
  G->SetLeftCol(4);
  G->SetTopRow(3);
  G->SetTopRow(3);
  EXPECT_EQ(G->GetLeftCol(), 4);
  EXPECT_EQ(G->GetTopRow(), 3);
  EXPECT_EQ(R.With("top left").size(), 2u);
  EXPECT_FALSE(G->HandleAllocated());
  G->SetCol(5); // nothing to bring into view without a window
  EXPECT_EQ(G->GetLeftCol(), 4);
}

TEST_F(CustomGridTest, AFirstScrollableCellOutsideTheScrollableOnesRaises) {
  for (std::int32_t Value : {0, 6, -1}) {
    EXPECT_EQ(GridErrorOf([&] { G->SetLeftCol(Value); }), "TYGrid::Grid index out of range");
    EXPECT_EQ(GridErrorOf([&] { G->SetTopRow(Value); }), "TYGrid::Grid index out of range");
  }
  EXPECT_EQ(G->GetLeftCol(), 1);
  EXPECT_EQ(G->GetTopRow(), 1);
}

} // namespace
