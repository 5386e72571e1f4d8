// Editing the cell store: moving vectors, showing and hiding lists of them, deleting, adding
// and inserting, and running the user-data hooks over ranges.
#include "tests/support/StoreFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Log = std::vector<std::string>;
using Map = std::vector<std::int32_t>;

class HolderEditingTest : public StoreFixture {
protected:
  void UseMarking(TYGridOption Option) {
    Grid->SetOptions(Grid->GetOptions() + TYGridOptions{Option});
  }

  // The recorder's labels of the columns, or of one row's cells, in holder order.
  Log ColLabels() const {
    Log Result;
    for (std::int32_t I = 0; I < H->GetColCount(); ++I)
      Result.push_back(LabelOf(H->GetCols(I)));
    return Result;
  }
  Log RowLabels() const {
    Log Result;
    for (std::int32_t I = 0; I < H->GetRowCount(); ++I)
      Result.push_back(LabelOf(H->GetRows(I)));
    return Result;
  }
  Log CellLabels(std::int32_t Row) const {
    Log Result;
    for (std::int32_t I = 0; I < H->GetColCount(); ++I)
      Result.push_back(LabelOf(H->GetCells(I, Row)));
    return Result;
  }
  std::string CurrentLabel() const {
    return LabelOf(Grid->GetCells(Grid->GetCol(), Grid->GetRow()));
  }
};

// ---------------------------------------------------------------- moving

TEST_F(HolderEditingTest, MovingAColumnShiftsTheColumnsBetweenAndKeepsEveryRowAligned) {
  H->DoMoveColumn(1, 3);
  EXPECT_EQ(ColLabels(), (Log{"col0", "col2", "col3", "col1", "col4"}));
  for (std::int32_t R = 0; R < 5; ++R) {
    const std::string N = std::to_string(R);
    EXPECT_EQ(CellLabels(R), (Log{"c0r" + N, "c2r" + N, "c3r" + N, "c1r" + N, "c4r" + N}));
  }
  EXPECT_TRUE(ModelConsistent(*Grid));
  H->DoMoveColumn(3, 1);
  EXPECT_EQ(ColLabels(), (Log{"col0", "col1", "col2", "col3", "col4"}));
  EXPECT_EQ(CellLabels(2), (Log{"c0r2", "c1r2", "c2r2", "c3r2", "c4r2"}));
  EXPECT_TRUE(Recorder.Log.empty());
}

TEST_F(HolderEditingTest, MovingARowCarriesItsCells) {
  H->DoMoveRow(4, 2);
  EXPECT_EQ(RowLabels(), (Log{"row0", "row1", "row4", "row2", "row3"}));
  EXPECT_EQ(CellLabels(2), (Log{"c0r4", "c1r4", "c2r4", "c3r4", "c4r4"}));
  EXPECT_TRUE(ModelConsistent(*Grid));
}

struct RefusedMove {
  bool Columns;
  std::int32_t From, To, Hidden; // Hidden: a vector hidden first, or -1
};

void PrintTo(const RefusedMove& M, std::ostream* Os) {
  *Os << (M.Columns ? "column " : "row ") << M.From << " to " << M.To << ", hidden " << M.Hidden;
}

class RefusedMoveTest : public HolderEditingTest,
                        public testing::WithParamInterface<RefusedMove> {};

TEST_P(RefusedMoveTest, MoveWithAFixedOrHiddenEndDoesNothing) {
  const RefusedMove& M = GetParam();
  if (M.Hidden >= 0) (M.Columns ? H->GetCols(M.Hidden) : H->GetRows(M.Hidden))->SetVisible(false);
  const Log Cols = ColLabels();
  const Log Rows = RowLabels();
  if (M.Columns)
    H->DoMoveColumn(M.From, M.To);
  else
    H->DoMoveRow(M.From, M.To);
  EXPECT_EQ(ColLabels(), Cols);
  EXPECT_EQ(RowLabels(), Rows);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

INSTANTIATE_TEST_SUITE_P(HolderEditing, RefusedMoveTest,
                         testing::Values(RefusedMove{true, 0, 2, -1}, RefusedMove{true, 2, 0, -1},
                                         RefusedMove{true, 2, 4, 4}, RefusedMove{true, 4, 2, 4},
                                         RefusedMove{false, 0, 3, -1},
                                         RefusedMove{false, 3, 1, 1}));

TEST_F(HolderEditingTest, MovingAcrossAHiddenColumnShiftsItAlongHidden) {
  H->GetCols(2)->SetVisible(false);
  H->DoMoveColumn(1, 3);
  EXPECT_EQ(ColLabels(), (Log{"col0", "col2", "col3", "col1", "col4"}));
  EXPECT_FALSE(H->GetCols(1)->GetVisible());
  EXPECT_EQ(Grid->GetColMap(), (Map{0, 2, 3, 4}));
  EXPECT_EQ(LabelOf(Grid->GetCols(2)), "col1");
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(HolderEditingTest, MoveIndexOutsideTheAxisRaisesTheListErrorFirst) {
  EXPECT_EQ(GridErrorOf([&] { H->DoMoveColumn(5, 1); }),
            "EListError: List index out of bounds (5)");
  EXPECT_EQ(GridErrorOf([&] { H->DoMoveColumn(0, 7); }),
            "EListError: List index out of bounds (7)");
  EXPECT_EQ(GridErrorOf([&] { H->DoMoveRow(2, -1); }), "EListError: List index out of bounds (-1)");
  EXPECT_EQ(ColLabels(), (Log{"col0", "col1", "col2", "col3", "col4"}));
  EXPECT_EQ(RowLabels(), (Log{"row0", "row1", "row2", "row3", "row4"}));
}

// The primitive moves no focus, but the current cell's extent must follow the new pieces.
TEST_F(HolderEditingTest, MovingAColumnOutOfAUnionUnderTheFocusShrinksTheCurrentExtent) {
  H->GetCellsUnions()->Add({1, 1}, {1, 1}, {2, 1}, false);
  ASSERT_EQ(Grid->GetCurrentCellRect(), (TYGridRect{1, 1, 2, 1}));
  H->DoMoveColumn(2, 4);
  EXPECT_EQ(Grid->GetCol(), 1);
  EXPECT_EQ(Grid->GetCurrentCellRect(), (TYGridRect{1, 1, 1, 1}));
  EXPECT_TRUE(ModelConsistent(*Grid));
  H->DoMoveColumn(4, 2);
  EXPECT_EQ(Grid->GetCurrentCellRect(), (TYGridRect{1, 1, 2, 1}));
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(HolderEditingTest, MovingMarkedRowsKeepsTheCountsAndReordersTheListsWhenRead) {
  UseMarking(ygoRowsMarking);
  H->GetRows(2)->SetMarked(true);
  H->GetRows(4)->SetMarked(true);
  H->GenerateMarkList();
  H->DoMoveRow(4, 1);
  EXPECT_TRUE(H->GetMarkListDirty());
  EXPECT_EQ(H->GetMarkedCount(), 2);
  EXPECT_EQ(Grid->GetMarkedCount(), 2);
  EXPECT_EQ(LabelOf(H->GetMarkedRows(0)), "row4"); // rebuilt in the new holder order
  EXPECT_EQ(LabelOf(Grid->GetMarkedRows(1)), "row2");
  EXPECT_TRUE(ModelConsistent(*Grid));
}

// ---------------------------------------------------------------- showing and hiding ranges

struct VisibleCase {
  const char* Name;
  Map Hidden; // hidden first, one by one
  Map Listed; // holder indices given, in this order
  bool Exclude;
  Map Shown; // the grid's ColMap afterwards
};

void PrintTo(const VisibleCase& C, std::ostream* Os) {
  *Os << C.Name;
}

class VisibleRangeTest : public HolderEditingTest,
                         public testing::WithParamInterface<VisibleCase> {};

TEST_P(VisibleRangeTest, ShowsOrHidesTheListedColumnsInOneBracket) {
  const VisibleCase& C = GetParam();
  Make(6, 3);
  for (std::int32_t I : C.Hidden)
    H->GetCols(I)->SetVisible(false);
  TList List;
  for (std::int32_t I : C.Listed)
    List.Add(H->GetCols(I));
  FocusEvents = 0;
  H->SetVisibleColsRange(&List, C.Exclude);
  EXPECT_EQ(Grid->GetColMap(), C.Shown);
  EXPECT_EQ(FocusEvents, 1);
  EXPECT_EQ(List.GetCount(), static_cast<int>(C.Listed.size())); // the caller's list is left alone
  EXPECT_TRUE(ModelConsistent(*Grid));
}

INSTANTIATE_TEST_SUITE_P(
    HolderEditing, VisibleRangeTest,
    testing::Values(
        VisibleCase{"ShowOnlyTheListed", {}, {2, 3}, false, {2, 3}},
        VisibleCase{"HideTheListed", {}, {2, 3}, true, {0, 1, 4, 5}},
        VisibleCase{"HidingEveryColumnKeepsTheLastInListOrder", {}, {0, 1, 2, 3, 4, 5}, true, {5}},
        VisibleCase{"ListOrderDecidesTheSurvivor", {}, {5, 4, 3, 2, 1, 0}, true, {0}},
        VisibleCase{"ShowingHiddenOnesHidesTheOthers", {4, 1}, {4, 1}, false, {1, 4}},
        VisibleCase{"HidingShowsTheHiddenOthers", {0, 3, 4, 5}, {1, 2}, true, {0, 3, 4, 5}},
        // As long as the axis, with repeats: no others to hide.
        VisibleCase{"FullLengthListWithRepeatsHidesNothing",
                    {},
                    {3, 3, 3, 3, 3, 3},
                    false,
                    {0, 1, 2, 3, 4, 5}}),
    [](const testing::TestParamInfo<VisibleCase>& Info) { return std::string(Info.param.Name); });

TEST_F(HolderEditingTest, RangeListsWithoutVectorsOfTheAxisChangeNothing) {
  HookRecorder OtherRecorder;
  auto Other = MakeGrid(5, 5, &OtherRecorder);
  TList Foreign = VectorList({H->GetRows(2), Other->GetHolder()->GetCols(2)});
  Foreign.Add(H->GetCells(2, 2));
  TList Empty;
  for (const TList* List : std::initializer_list<const TList*>{nullptr, &Empty, &Foreign}) {
    H->SetVisibleColsRange(List, false);
    H->SetVisibleColsRange(List, true);
    H->DeleteColsRange(List);
  }
  EXPECT_EQ(Grid->GetColMap(), (Map{0, 1, 2, 3, 4}));
  EXPECT_EQ(H->GetColCount(), 5);
  EXPECT_EQ(FocusEvents, 0);
  EXPECT_TRUE(Recorder.Log.empty());
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(HolderEditingTest, SetVisibleAllShowsEveryRowInOneBracketAndOnlyWhenSomeAreHidden) {
  H->GetRows(2)->SetVisible(false);
  H->GetRows(3)->SetVisible(false);
  Grid->SetRow(2);
  FocusEvents = 0;
  H->SetVisibleAllRows();
  EXPECT_EQ(Grid->GetRowMap(), (Map{0, 1, 2, 3, 4}));
  EXPECT_EQ(FocusEvents, 1);
  EXPECT_EQ(CurrentLabel(), "c1r4"); // the focus followed its cell
  EXPECT_TRUE(ModelConsistent(*Grid));
  H->SetVisibleAllRows();
  EXPECT_EQ(FocusEvents, 1);
  EXPECT_EQ(Grid->GetRow(), 4);
}

TEST_F(HolderEditingTest, HidingAMarkedRowThroughARangeLeavesExactCounts) {
  UseMarking(ygoRowsMarking);
  H->GetRows(3)->SetMarked(true);
  TList List = VectorList({H->GetRows(3)});
  H->SetVisibleRowsRange(&List, true);
  EXPECT_EQ(H->GetMarkedCount(), 1);
  EXPECT_EQ(Grid->GetMarkedCount(), 0);
  EXPECT_TRUE(ModelConsistent(*Grid));
  H->SetVisibleAllRows();
  EXPECT_EQ(Grid->GetMarkedCount(), 1);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

// ---------------------------------------------------------------- deleting

TEST_F(HolderEditingTest, DeleteColFreesItsCellsRowByRowThenTheColumn) {
  H->DeleteCol(2);
  EXPECT_EQ(Recorder.Log,
            (Log{"free c2r0", "free c2r1", "free c2r2", "free c2r3", "free c2r4", "free col2"}));
  EXPECT_EQ(ColLabels(), (Log{"col0", "col1", "col3", "col4"}));
  EXPECT_EQ(CellLabels(4), (Log{"c0r4", "c1r4", "c3r4", "c4r4"}));
  EXPECT_EQ(FocusEvents, 1);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(HolderEditingTest, DeleteRowFreesItsCellsInColumnOrderThenTheRow) {
  H->DeleteRow(2);
  EXPECT_EQ(Recorder.Log,
            (Log{"free c0r2", "free c1r2", "free c2r2", "free c3r2", "free c4r2", "free row2"}));
  EXPECT_EQ(RowLabels(), (Log{"row0", "row1", "row3", "row4"}));
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(HolderEditingTest, DeleteIndexOutsideTheAxisRaisesAndTheLastVectorStays) {
  const std::string Message = "TYCellsHolder::Grid index out of range";
  EXPECT_EQ(GridErrorOf([&] { H->DeleteCol(-1); }), Message);
  EXPECT_EQ(GridErrorOf([&] { H->DeleteCol(5); }), Message);
  EXPECT_EQ(GridErrorOf([&] { H->DeleteRow(5); }), Message);
  EXPECT_TRUE(Recorder.Log.empty());

  Make(1, 3);
  H->DeleteCol(0);
  EXPECT_EQ(GridErrorOf([&] { H->DeleteCol(1); }), Message);
  EXPECT_EQ(H->GetColCount(), 1);
  EXPECT_TRUE(Recorder.Log.empty());
  EXPECT_EQ(FocusEvents, 0);
}

TEST_F(HolderEditingTest, DeleteColsRangeDeletesInHolderOrderWhateverTheListOrder) {
  TList List = VectorList({H->GetCols(3), H->GetCols(1), H->GetCols(3)});
  H->DeleteColsRange(&List);
  EXPECT_EQ(Recorder.Log,
            (Log{"free c1r0", "free c1r1", "free c1r2", "free c1r3", "free c1r4", "free col1",
                 "free c3r0", "free c3r1", "free c3r2", "free c3r3", "free c3r4", "free col3"}));
  EXPECT_EQ(ColLabels(), (Log{"col0", "col2", "col4"}));
  EXPECT_EQ(FocusEvents, 1);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(HolderEditingTest, DeletingEveryRowKeepsTheOneWithTheHighestHolderIndex) {
  TList List =
      VectorList({H->GetRows(4), H->GetRows(0), H->GetRows(2), H->GetRows(1), H->GetRows(3)});
  H->DeleteRowsRange(&List);
  EXPECT_EQ(RowLabels(), (Log{"row4"}));
  EXPECT_EQ(Recorder.With("free row"), (Log{"free row0", "free row1", "free row2", "free row3"}));
  EXPECT_EQ(Recorder.Log[0], "free c0r0"); // each row's cells before the row
  // The fixed count stays: the survivor is a fixed row, and the grid keeps a valid position.
  EXPECT_EQ(H->GetFixedRows(), 1);
  EXPECT_EQ(Grid->GetRowCount(), 1);
  EXPECT_EQ(Grid->GetFixedRows(), 0);
  EXPECT_EQ(Grid->GetRow(), 0);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(HolderEditingTest, DeletingTheFirstFixedColumnMakesTheNextOneFixed) {
  H->SetFixedCols(2);
  H->DeleteCol(0);
  EXPECT_EQ(H->GetFixedCols(), 2);
  EXPECT_EQ(ColLabels(), (Log{"col1", "col2", "col3", "col4"}));
  EXPECT_TRUE(H->GetCols(1)->GetFixed());
  EXPECT_FALSE(H->GetCols(2)->GetFixed());
  EXPECT_EQ(Grid->GetFixedCols(), 2);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(HolderEditingTest, FocusFollowsItsCellThroughADeletionAndIsClampedWhenItsCellGoes) {
  Grid->SetCol(3);
  H->DeleteCol(1);
  EXPECT_EQ(Grid->GetCol(), 2);
  EXPECT_EQ(CurrentLabel(), "c3r1");
  Grid->SetCol(3); // holder column 4, the last
  H->DeleteCol(3);
  EXPECT_EQ(Grid->GetCol(), 2);
  EXPECT_EQ(Grid->GetSavedFocusCell(), nullptr);
  Grid->SetRow(4);
  TList Rows = VectorList({H->GetRows(3), H->GetRows(4)});
  H->DeleteRowsRange(&Rows);
  EXPECT_EQ(Grid->GetRow(), 2);
  EXPECT_EQ(Grid->GetSavedFocusCell(), nullptr);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(HolderEditingTest, DeletingMarkedRowsLeavesExactMarkLists) {
  UseMarking(ygoRowsMarking);
  for (std::int32_t R : {2, 3, 4})
    H->GetRows(R)->SetMarked(true);
  H->GetRows(4)->SetVisible(false);
  TList List = VectorList({H->GetRows(3), H->GetRows(4)});
  H->DeleteRowsRange(&List);
  EXPECT_EQ(H->GetMarkedCount(), 1);
  EXPECT_EQ(Grid->GetMarkedCount(), 1);
  EXPECT_EQ(LabelOf(Grid->GetMarkedRows(0)), "row2");
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(HolderEditingTest, DeletingAVisibleColumnCanLeaveTheGridWithoutColumns) {
  for (std::int32_t C = 0; C < 4; ++C)
    H->GetCols(C)->SetVisible(false);
  H->DeleteCol(4);
  EXPECT_EQ(H->GetColCount(), 4);
  EXPECT_EQ(Grid->GetColCount(), 0);
  EXPECT_EQ(Grid->GetCol(), -1);
  EXPECT_TRUE(ModelConsistent(*Grid));
  H->SetVisibleAllCols();
  EXPECT_EQ(Grid->GetCol(), 1);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(HolderEditingTest, DeletingAColumnCutsUnionsAndDissolvesThoseLeftWithOneCell) {
  TYCellsUnions* Unions = H->GetCellsUnions();
  Unions->Add({2, 1}, {2, 1}, {3, 2}, false); // 2 x 2
  Unions->Add({1, 3}, {1, 3}, {2, 3}, false); // side by side
  H->DeleteCol(3);
  ASSERT_EQ(Unions->GetUnionsCount(), 2);
  EXPECT_EQ(Unions->GetUnions(0)->GetCellsCount(), 2);
  EXPECT_FALSE(H->GetUnionInvalidateLocked()); // union repaints work again
  EXPECT_TRUE(ModelConsistent(*Grid));
  H->DeleteCol(1);
  ASSERT_EQ(Unions->GetUnionsCount(), 1);
  TYCell* Left = H->GetCells(1, 3);
  EXPECT_EQ(LabelOf(Left), "c2r3");
  EXPECT_FALSE(Left->GetBelongsToUnion());
  EXPECT_EQ(Left->GetGridUnionIndex(), -1);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(HolderEditingTest, DeletingTheMainCellPromotesTheFirstRemainingCellOfTheUnion) {
  TYCellsUnions* Unions = H->GetCellsUnions();
  Unions->Add({1, 1}, {1, 1}, {2, 3}, false); // column by column: c1r1 c1r2 c1r3 c2r1 ...
  H->DeleteRow(1);
  EXPECT_EQ(LabelOf(Unions->GetUnions(0)->GetMainCell()), "c1r2");
  H->DeleteCol(1);
  ASSERT_EQ(Unions->GetUnionsCount(), 1);
  EXPECT_EQ(LabelOf(Unions->GetUnions(0)->GetMainCell()), "c2r2");
  EXPECT_EQ(Grid->GetCells(1, 1)->GetGridUnion()->GetMainCell(),
            Unions->GetUnions(0)->GetMainCell());
  EXPECT_TRUE(ModelConsistent(*Grid));
}

// ---------------------------------------------------------------- adding and inserting

TEST_F(HolderEditingTest, AddColInitsTheColumnThenItsCellsRowByRow) {
  TYCellsVector* Col = H->AddCol(true);
  EXPECT_EQ(Col, H->GetCols(5));
  EXPECT_EQ(Recorder.Log,
            (Log{"init col5", "init c5r0", "init c5r1", "init c5r2", "init c5r3", "init c5r4"}));
  EXPECT_EQ(Col->GetSize(), Grid->GetDefaultColWidth());
  EXPECT_EQ(Grid->GetColCount(), 6);
  EXPECT_EQ(FocusEvents, 1);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(HolderEditingTest, AddingHiddenVectorsLeavesWhatTheGridShowsAndItsFocus) {
  Grid->SetCol(2);
  FocusEvents = 0;
  TYCellsVector* Col = H->AddCol(false);
  TYCellsVector* Row = H->AddRow(false);
  EXPECT_EQ(Recorder.Log, (Log{"init col5", "init c5r0", "init c5r1", "init c5r2", "init c5r3",
                               "init c5r4", "init row5", "init c0r5", "init c1r5", "init c2r5",
                               "init c3r5", "init c4r5", "init c5r5"}));
  EXPECT_EQ(Col->GetGridIndex(), -1);
  EXPECT_EQ(Row->GetSize(), Grid->GetDefaultRowHeight());
  EXPECT_EQ(H->GetColCount(), 6);
  EXPECT_EQ(Grid->GetColCount(), 5);
  EXPECT_EQ(Grid->GetRowCount(), 5);
  EXPECT_EQ(FocusEvents, 0);
  EXPECT_EQ(Grid->GetCol(), 2);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

// The store is whole before any hook runs: a new vector's init hook already finds its cells in
// place, none of them with user data yet.
TEST_F(HolderEditingTest, InitHookOfANewVectorFindsItsCellsInPlaceWithoutData) {
  Log Seen;
  Grid->OnInitCellsVector = [&, Record = Grid->OnInitCellsVector](TYCustomGrid* Sender,
                                                                  TYCellsVector* V) {
    const TYCellsVector* Row = V->GetIsColumn() ? H->GetRows(0) : V;
    const TYCell* Cell = V->GetIsColumn() ? H->CellAt(V, Row) : Row->GetRowCells()[0];
    Seen.push_back(std::to_string(Row->GetRowCells().GetCount()) +
                   (LabelOf(Cell).empty() ? "" : " data"));
    Record(Sender, V);
  };
  H->AddRow(true);
  H->InsertCol(2, true);
  H->AddCol(false);
  EXPECT_EQ(Seen, (Log{"5", "6", "7"}));
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(HolderEditingTest, InsertColShiftsTheLaterColumnsAndTheFocusFollowsItsCell) {
  Grid->SetCol(3);
  TYCellsVector* Old = H->GetCols(2);
  TYCellsVector* New = H->InsertCol(2, true);
  EXPECT_EQ(H->GetCols(2), New);
  EXPECT_EQ(Old->GetHolderIndex(), 3);
  EXPECT_EQ(Recorder.Log,
            (Log{"init col2", "init c2r0", "init c2r1", "init c2r2", "init c2r3", "init c2r4"}));
  EXPECT_EQ(H->GetCells(2, 4)->GetColVector(), New);
  EXPECT_EQ(Grid->GetCol(), 4);
  EXPECT_EQ(CurrentLabel(), "c3r1");
  EXPECT_TRUE(ModelConsistent(*Grid));
}

struct InsertCase {
  std::int32_t Index;
  std::int32_t Expected; // holder index of the new column
};

void PrintTo(const InsertCase& C, std::ostream* Os) {
  *Os << "InsertCol(" << C.Index << ")";
}

class InsertIndexTest : public HolderEditingTest, public testing::WithParamInterface<InsertCase> {};

TEST_P(InsertIndexTest, IndexBeyondEitherEndLandsAtThatEnd) {
  TYCellsVector* New = H->InsertCol(GetParam().Index, true);
  EXPECT_EQ(New->GetHolderIndex(), GetParam().Expected);
  EXPECT_EQ(H->GetColCount(), 6);
  const std::string Label = "c" + std::to_string(GetParam().Expected);
  EXPECT_EQ(Recorder.Log,
            (Log{"init col" + std::to_string(GetParam().Expected), "init " + Label + "r0",
                 "init " + Label + "r1", "init " + Label + "r2", "init " + Label + "r3",
                 "init " + Label + "r4"}));
  EXPECT_TRUE(ModelConsistent(*Grid));
}

INSTANTIATE_TEST_SUITE_P(HolderEditing, InsertIndexTest,
                         testing::Values(InsertCase{-5, 0}, InsertCase{0, 0}, InsertCase{5, 5},
                                         InsertCase{8, 5}));

TEST_F(HolderEditingTest, InsertRowBeforeTheFixedAreaMakesItFixedAndTheFormerFixedRowScrollable) {
  TYCellsVector* Former = H->GetRows(0);
  TYCellsVector* New = H->InsertRow(0, true);
  EXPECT_TRUE(New->GetFixed());
  EXPECT_FALSE(Former->GetFixed());
  EXPECT_EQ(H->GetFixedRows(), 1);
  EXPECT_EQ(Grid->GetFixedRows(), 1);
  EXPECT_EQ(Recorder.Log,
            (Log{"init row0", "init c0r0", "init c1r0", "init c2r0", "init c3r0", "init c4r0"}));
  EXPECT_EQ(Grid->GetRow(), 2); // the current cell moved down with its row
  EXPECT_EQ(CurrentLabel(), "c1r1");
  EXPECT_TRUE(ModelConsistent(*Grid));
}

// A column marked while scrollable keeps its flag in the fixed area and counts again when an
// insertion pushes it out.
TEST_F(HolderEditingTest, HiddenInsertionBeforeTheFixedAreaCountsAMarkThatLeavesIt) {
  UseMarking(ygoColsMarking);
  H->GetCols(2)->SetMarked(true);
  H->SetFixedCols(3);
  ASSERT_EQ(H->GetMarkedCount(), 0);
  H->InsertCol(0, false);
  EXPECT_EQ(H->GetMarkedCount(), 1);
  EXPECT_EQ(Grid->GetMarkedCount(), 1);
  EXPECT_EQ(Grid->GetFixedCols(), 2);
  EXPECT_EQ(FocusEvents, 0);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

// ---------------------------------------------------------------- the bracket's opening

struct BracketedOperation {
  const char* Name;
  std::function<void(TYCellsHolder*)> Run;
};

void PrintTo(const BracketedOperation& Op, std::ostream* Os) {
  *Os << Op.Name;
}

class InvalidPositionTest : public HolderEditingTest,
                            public testing::WithParamInterface<BracketedOperation> {};

// The bracket looks the current cell up first; a position the grid no longer has raises there.
TEST_P(InvalidPositionTest, OperationRaisesFromTheBracketBeforeAnyChange) {
  H->GetCols(2)->SetVisible(false);
  Grid->SetCol(3);
  Grid->SetRow(4);
  H->DoChangeSize(5, 3); // without the bracket: the grid still points at row 4
  Recorder.Clear();
  FocusEvents = 0;
  EXPECT_EQ(GridErrorOf([&] { GetParam().Run(H); }), "TYGrid::Grid index out of range");
  EXPECT_EQ(ColLabels(), (Log{"col0", "col1", "col2", "col3", "col4"}));
  EXPECT_EQ(RowLabels(), (Log{"row0", "row1", "row2"}));
  EXPECT_EQ(Grid->GetColMap(), (Map{0, 1, 3, 4}));
  EXPECT_EQ(Grid->GetRowMap(), (Map{0, 1, 2}));
  EXPECT_TRUE(Recorder.Log.empty());
  EXPECT_EQ(FocusEvents, 0);
  EXPECT_EQ(Grid->GetSavedFocusCell(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    HolderEditing, InvalidPositionTest,
    testing::Values(
        BracketedOperation{"ChangeSize", [](TYCellsHolder* H) { H->ChangeSize(6, 6); }},
        BracketedOperation{"SetVisibleColsRange",
                           [](TYCellsHolder* H) {
                             TList L = VectorList({H->GetCols(1)});
                             H->SetVisibleColsRange(&L, true);
                           }},
        BracketedOperation{"SetVisibleAllCols", [](TYCellsHolder* H) { H->SetVisibleAllCols(); }},
        BracketedOperation{"DeleteCol", [](TYCellsHolder* H) { H->DeleteCol(1); }},
        BracketedOperation{"DeleteRowsRange",
                           [](TYCellsHolder* H) {
                             TList L = VectorList({H->GetRows(1)});
                             H->DeleteRowsRange(&L);
                           }},
        BracketedOperation{"AddVisibleRow", [](TYCellsHolder* H) { H->AddRow(true); }},
        BracketedOperation{"InsertVisibleCol", [](TYCellsHolder* H) { H->InsertCol(1, true); }}),
    [](const testing::TestParamInfo<BracketedOperation>& Info) {
      return std::string(Info.param.Name);
    });

TEST_F(HolderEditingTest, HiddenAdditionsOpenNoBracketAndSoNeedNoValidPosition) {
  Grid->SetRow(4);
  H->DoChangeSize(5, 3);
  H->AddCol(false);
  H->InsertRow(1, false);
  EXPECT_EQ(H->GetColCount(), 6);
  EXPECT_EQ(H->GetRowCount(), 4);
  EXPECT_EQ(Grid->GetRowCount(), 3);
}

// ---------------------------------------------------------------- user data over ranges

TEST_F(HolderEditingTest, CellsRangeDataVisitsTheNormalisedBlockRowByRowAndDestroysNothing) {
  TYCell* Corner = H->GetCells(1, 2);
  H->FreeCellsRangeData({3, 4}, {1, 2});
  EXPECT_EQ(Recorder.Log, (Log{"free c1r2", "free c2r2", "free c3r2", "free c1r3", "free c2r3",
                               "free c3r3", "free c1r4", "free c2r4", "free c3r4"}));
  EXPECT_EQ(H->GetCells(1, 2), Corner);
  EXPECT_EQ(Corner->GetData(), nullptr);
  Recorder.Clear();
  H->InitCellsRangeData({1, 4}, {3, 2});
  EXPECT_EQ(Recorder.Log.size(), 9u);
  EXPECT_EQ(Recorder.Log.front(), "init c1r2");
  EXPECT_EQ(LabelOf(Corner), "c1r2");
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(HolderEditingTest, CellsRangeDataChecksEveryCornerBeforeAnyHook) {
  const std::pair<TYGridCoord, TYGridCoord> Bad[] = {
      {{0, 0}, {5, 0}}, {{-1, 0}, {0, 0}}, {{0, 0}, {0, 5}}, {{0, -1}, {4, 4}}};
  for (const auto& [A, B] : Bad) {
    EXPECT_EQ(GridErrorOf([&] { H->FreeCellsRangeData(A, B); }),
              "TYCellsHolder::Grid index out of range");
    EXPECT_EQ(GridErrorOf([&] { H->InitCellsRangeData(A, B); }),
              "TYCellsHolder::Grid index out of range");
  }
  EXPECT_TRUE(Recorder.Log.empty());
}

TEST_F(HolderEditingTest, VectorsRangeDataTakesTheRangeAsGiven) {
  H->FreeVectorsRangeData(true, 4, 2); // reversed: nothing
  EXPECT_TRUE(Recorder.Log.empty());
  for (auto [First, Last] : {std::pair{2, 9}, {-1, 2}, {5, 5}})
    EXPECT_EQ(GridErrorOf([&] { H->FreeVectorsRangeData(true, First, Last); }),
              "TYCellsHolder::Grid index out of range");
  EXPECT_EQ(GridErrorOf([&] { H->InitVectorsRangeData(false, 0, 5); }),
            "TYCellsHolder::Grid index out of range");
  EXPECT_TRUE(Recorder.Log.empty());

  H->FreeVectorsRangeData(false, 1, 3);
  H->InitVectorsRangeData(false, 1, 3);
  EXPECT_EQ(Recorder.Log,
            (Log{"free row1", "free row2", "free row3", "init row1", "init row2", "init row3"}));
  EXPECT_EQ(H->GetRowCount(), 5);
}

} // namespace
