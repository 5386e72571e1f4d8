// Cells and vectors: identity and coordinates, sizes, marks and the host's veto, and showing
// and hiding single vectors with what that does to the grid's current cell.
#include "tests/support/GridTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

class CellsTest : public testing::Test {
protected:
  void SetUp() override {
    Grid = MakeGrid(5, 5, &Recorder);
    H = Grid->GetHolder();
    Grid->OnFocusCell = [this](TYCustomGrid*, TYCell*, std::int32_t&, std::int32_t&) {
      ++FocusEvents;
    };
  }

  // Every object the grid created is freed exactly once when it goes.
  void TearDown() override {
    Grid.reset();
    EXPECT_EQ(Recorder.LiveData, 0);
    EXPECT_TRUE(Recorder.Errors.empty());
  }

  void UseMarking(TYGridOption Option) {
    Grid->SetOptions(Grid->GetOptions() + TYGridOptions{Option});
    Recorder.AttachMarks(*Grid);
  }

  HookRecorder Recorder;
  std::unique_ptr<TYGrid> Grid;
  TYCellsHolder* H = nullptr;
  int FocusEvents = 0;
};

TEST_F(CellsTest, CellDerivesItsCoordinatesFromItsVectorsAndStartsPlain) {
  TYCell* Cell = H->GetCells(2, 3);
  EXPECT_EQ(Cell->GetColVector(), H->GetCols(2));
  EXPECT_EQ(Cell->GetRowVector(), H->GetRows(3));
  EXPECT_EQ((TYGridCoord{Cell->GetHolderCol(), Cell->GetHolderRow()}), (TYGridCoord{2, 3}));
  EXPECT_EQ((TYGridCoord{Cell->GetGridCol(), Cell->GetGridRow()}), (TYGridCoord{2, 3}));
  EXPECT_FALSE(Cell->GetBelongsToUnion() || Cell->GetUnioned() || Cell->GetMarked());
  EXPECT_EQ(Cell->GetGridUnion(), nullptr);
  EXPECT_EQ(Cell->GetGridUnionIndex(), -1);
  EXPECT_EQ(LabelOf(Cell), "c2r3"); // the init hook ran once the cell was in place
  EXPECT_EQ(H->GetCols(2)->GetRowCells().GetCount(), 0);
  EXPECT_EQ(H->GetRows(3)->GetRowCells().GetCount(), 5);
  EXPECT_EQ(H->GetCols(2)->GetSize(), Grid->GetDefaultColWidth());
  EXPECT_EQ(H->GetRows(3)->GetSize(), Grid->GetDefaultRowHeight());
}

TEST_F(CellsTest, CellKeepsItsIdentityAndDataWhenItsColumnMoves) {
  H->SetFixedCols(0);
  TYCell* Cell = H->GetCells(3, 1);
  TYCell* FormerFirst = H->GetCells(0, 1);
  H->DoMoveColumn(3, 0);
  EXPECT_EQ(H->GetCells(0, 1), Cell);
  EXPECT_EQ(Cell->GetHolderCol(), 0);
  EXPECT_EQ(Cell->GetGridCol(), 0);
  EXPECT_EQ(LabelOf(Cell), "c3r1");
  EXPECT_EQ(FormerFirst->GetHolderCol(), 1);
  EXPECT_TRUE(Recorder.Log.empty());
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(CellsTest, HidingAColumnTakesItsCellsOutOfTheGridAndShiftsTheCellsToItsRight) {
  H->GetCols(2)->SetVisible(false);
  for (std::int32_t R = 0; R < 5; ++R) {
    EXPECT_EQ(H->GetCells(1, R)->GetGridCol(), 1);
    EXPECT_EQ(H->GetCells(2, R)->GetGridCol(), -1);
    EXPECT_EQ(H->GetCells(3, R)->GetGridCol(), 2);
    EXPECT_EQ(H->GetCells(4, R)->GetGridCol(), 3);
    EXPECT_EQ(H->GetCells(4, R)->GetHolderCol(), 4);
  }
  EXPECT_EQ(Grid->GetColMap(), (std::vector<std::int32_t>{0, 1, 3, 4}));
  EXPECT_EQ(FocusEvents, 1); // the size-change bracket closed once
  EXPECT_TRUE(ModelConsistent(*Grid));

  H->GetCols(2)->SetVisible(false); // no change, no bracket
  EXPECT_EQ(FocusEvents, 1);
  H->GetCols(2)->SetVisible(true);
  EXPECT_EQ(H->GetCells(2, 0)->GetGridCol(), 2);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(CellsTest, SetSizeStoresTheSizeWithoutAnyEvent) {
  int Sized = 0;
  Grid->OnColumnSized = [&Sized](TObject*) { ++Sized; };
  Grid->OnRowSized = [&Sized](TObject*) { ++Sized; };
  H->GetCols(1)->SetSize(100);
  H->GetRows(1)->SetSize(7);
  EXPECT_EQ(H->GetColWidths(1), 100);
  EXPECT_EQ(H->GetRowHeights(1), 7);
  EXPECT_EQ(Sized, 0);
}

// ---------------------------------------------------------------- marks

// Each setter works only under its own marking option.
TEST_F(CellsTest, MarksNeedTheirOwnMarkingOption) {
  for (TYGridOption Option : {ygoRowsMarking, ygoColsMarking}) {
    SCOPED_TRACE(static_cast<int>(Option));
    UseMarking(Option);
    H->GetCells(2, 2)->SetMarked(true);
    EXPECT_FALSE(H->GetCells(2, 2)->GetMarked());
  }
  UseMarking(ygoCellsMarking);
  H->GetRows(2)->SetMarked(true);
  H->GetCols(2)->SetMarked(true);
  EXPECT_FALSE(H->GetRows(2)->GetMarked());
  EXPECT_FALSE(H->GetCols(2)->GetMarked());
  EXPECT_TRUE(Recorder.With("mark").empty());
  EXPECT_EQ(H->GetMarkedCount(), 0);
  EXPECT_FALSE(H->GetMarkListDirty());
}

TEST_F(CellsTest, FixedCellsAndFixedVectorsAreNeverMarked) {
  UseMarking(ygoCellsMarking);
  H->GetCells(0, 2)->SetMarked(true);
  H->GetCells(2, 0)->SetMarked(true);
  EXPECT_FALSE(H->GetCells(0, 2)->GetMarked());
  EXPECT_FALSE(H->GetCells(2, 0)->GetMarked());
  UseMarking(ygoRowsMarking);
  H->GetRows(0)->SetMarked(true);
  EXPECT_FALSE(H->GetRows(0)->GetMarked());
  UseMarking(ygoColsMarking);
  H->GetCols(0)->SetMarked(true);
  EXPECT_FALSE(H->GetCols(0)->GetMarked());
  EXPECT_TRUE(Recorder.With("mark").empty());
  EXPECT_EQ(H->GetMarkedCount(), 0);
}

TEST_F(CellsTest, MarkingACellAsksTheHostOnceAndKeepsTheCountsExact) {
  UseMarking(ygoCellsMarking);
  TYCell* Cell = H->GetCells(2, 2);
  Cell->SetMarked(true);
  Cell->SetMarked(true); // already marked: the host is not asked again
  EXPECT_EQ(Recorder.Log, (std::vector<std::string>{"mark c2r2 1"}));
  EXPECT_TRUE(Cell->GetOwnMarked());
  EXPECT_TRUE(H->GetMarkListDirty());
  EXPECT_EQ(H->GetMarkedCount(), 1);
  EXPECT_EQ(Grid->GetMarkedCount(), 1);
  EXPECT_TRUE(ModelConsistent(*Grid));

  Cell->SetMarked(false);
  EXPECT_EQ(Recorder.With("mark").back(), "mark c2r2 0");
  EXPECT_FALSE(Cell->GetMarked());
  EXPECT_EQ(H->GetMarkedCount(), 0);
  EXPECT_EQ(Grid->GetMarkedCount(), 0);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(CellsTest, HostVetoLeavesTheRowUnmarkedAndTheCountsAlone) {
  UseMarking(ygoRowsMarking);
  Recorder.Vetoed = {"row2"};
  H->GetRows(2)->SetMarked(true);
  EXPECT_EQ(Recorder.Log, (std::vector<std::string>{"mark row2 1"}));
  EXPECT_FALSE(H->GetRows(2)->GetMarked());
  EXPECT_FALSE(H->GetMarkListDirty());
  EXPECT_EQ(H->GetMarkedCount(), 0);
  EXPECT_EQ(Grid->GetMarkedCount(), 0);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(CellsTest, MarkedHiddenRowCountsInTheGridOnlyWhileShown) {
  UseMarking(ygoRowsMarking);
  TYCellsVector* Row = H->GetRows(3);
  Row->SetVisible(false);
  Row->SetMarked(true);
  EXPECT_EQ(H->GetMarkedCount(), 1);
  EXPECT_EQ(Grid->GetMarkedCount(), 0);
  EXPECT_TRUE(ModelConsistent(*Grid));
  Row->SetVisible(true);
  EXPECT_EQ(Grid->GetMarkedCount(), 1);
  EXPECT_TRUE(ModelConsistent(*Grid));
  Row->SetVisible(false);
  EXPECT_EQ(H->GetMarkedCount(), 1);
  EXPECT_EQ(Grid->GetMarkedCount(), 0);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(CellsTest, MarkingARowLeavesItsCellsFlagsButMarksTheUnionsItCuts) {
  UseMarking(ygoRowsMarking);
  H->GetCellsUnions()->Add({1, 2}, {1, 2}, {2, 3}, false);
  H->GetRows(2)->SetMarked(true);
  EXPECT_FALSE(H->GetCells(3, 2)->GetMarked()); // a marked row does not mark its cells
  EXPECT_FALSE(H->GetCells(3, 2)->GetOwnMarked());
  // A cell of the union reads the union's mark, its own flag staying clear.
  EXPECT_FALSE(H->GetCells(2, 3)->GetOwnMarked());
  EXPECT_TRUE(H->GetCells(2, 3)->GetMarked());
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(CellsTest, MarkingOneCellOfAUnionMarksTheWholeUnionThroughItsMainCell) {
  UseMarking(ygoCellsMarking);
  H->GetCellsUnions()->Add({1, 2}, {1, 2}, {2, 3}, false);
  Recorder.Clear();
  H->GetCells(2, 3)->SetMarked(true);
  EXPECT_EQ(Recorder.Log, (std::vector<std::string>{"mark c1r2 1"}));
  for (auto [C, R] : {std::pair{1, 2}, {2, 2}, {1, 3}, {2, 3}})
    EXPECT_TRUE(H->GetCells(C, R)->GetOwnMarked());
  EXPECT_EQ(H->GetMarkedCount(), 4);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

// ---------------------------------------------------------------- showing and hiding

TEST_F(CellsTest, FocusStaysAtItsGridPositionWhenItsColumnIsHiddenAndFollowsItOtherwise) {
  Grid->SetCol(2);
  H->GetCols(2)->SetVisible(false);
  EXPECT_EQ(Grid->GetCol(), 2); // now showing holder column 3
  EXPECT_EQ(LabelOf(Grid->GetCells(Grid->GetCol(), Grid->GetRow())), "c3r1");
  H->GetCols(1)->SetVisible(false);
  EXPECT_EQ(Grid->GetCol(), 1); // followed its cell
  EXPECT_EQ(LabelOf(Grid->GetCells(Grid->GetCol(), Grid->GetRow())), "c3r1");
  EXPECT_TRUE(ModelConsistent(*Grid));

  Grid->SetCol(2); // holder column 4, the last one
  H->GetCols(4)->SetVisible(false);
  EXPECT_EQ(Grid->GetCol(), 1);
  EXPECT_EQ(Grid->GetSavedFocusCell(), nullptr);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(CellsTest, HidingEveryColumnLeavesTheGridWithoutColumnsUntilOneIsShown) {
  for (std::int32_t C = 4; C >= 0; --C)
    H->GetCols(C)->SetVisible(false);
  EXPECT_EQ(Grid->GetColCount(), 0);
  EXPECT_EQ(Grid->GetFixedCols(), -1);
  EXPECT_TRUE(Grid->GetColMap().empty());
  EXPECT_EQ(H->GetGridColCount(), 0);
  EXPECT_EQ(Grid->GetCol(), -1);
  EXPECT_EQ(Grid->GetSavedFocusCell(), nullptr);
  EXPECT_TRUE(ModelConsistent(*Grid));

  H->GetRows(2)->SetVisible(false); // a bracket without a current cell
  EXPECT_EQ(Grid->GetRowCount(), 4);
  EXPECT_TRUE(ModelConsistent(*Grid));

  H->GetCols(3)->SetVisible(true);
  EXPECT_EQ(Grid->GetColCount(), 1);
  EXPECT_EQ(Grid->GetFixedCols(), 0);
  EXPECT_EQ(Grid->GetCol(), 0);
  EXPECT_EQ(Grid->GetCells(Grid->GetCol(), Grid->GetRow())->GetHolderCol(), 3);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(CellsTest, SetVisibleRaisesBeforeAnyChangeWhenTheCurrentPositionIsInvalid) {
  Grid->SetCol(4);
  Grid->SetRow(4);
  H->DoChangeSize(3, 3); // without the bracket: the grid still points at (4, 4)
  EXPECT_EQ(GridErrorOf([&] { H->GetCols(1)->SetVisible(false); }),
            "TYGrid::Grid index out of range");
  EXPECT_TRUE(H->GetCols(1)->GetVisible());
  EXPECT_EQ(Grid->GetColCount(), 3);
  EXPECT_EQ(Grid->GetSavedFocusCell(), nullptr);
}

} // namespace
