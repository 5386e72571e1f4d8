// Range marking: a range started at the current cell and brought up to date as the current cell
// moves, in column, row and cell mode, with unions set relative to their marks at the start;
// and marking a rectangle at once. No window is needed.
#include "tests/support/GridTestSupport.h"

#include <string>

namespace {

// Reaches the range operations that the keyboard and the mouse use.
class RangeGrid : public TYGrid {
public:
  using TYGrid::ChangeMarkRange;
  using TYGrid::StartMarkRange;
  using TYGrid::TYGrid;
};

class GridMarkRange : public testing::Test {
protected:
  void SetUp() override {
    Grid = MakeGridOf<RangeGrid>(10, 10, &Recorder);
    Recorder.AttachMarks(*Grid);
  }
  void TearDown() override { EXPECT_TRUE(ModelConsistent(*Grid)); }

  void Mode(TYGridOption Marking) { Grid->SetOptions(Grid->GetOptions() + TYGridOptions{Marking}); }
  void Start(std::int32_t Col, std::int32_t Row) {
    Grid->MoveCurrent(Col, Row, false);
    Grid->StartMarkRange();
  }
  void To(std::int32_t Col, std::int32_t Row) {
    Grid->MoveCurrent(Col, Row, false);
    Grid->ChangeMarkRange();
    EXPECT_EQ(Grid->GetMarkCorner(), (TYGridCoord{Col, Row}));
  }
  // The marked scrollable columns (rows) as a string of indices.
  std::string Vectors(bool Columns) {
    std::string S;
    const std::int32_t Count = Columns ? Grid->GetColCount() : Grid->GetRowCount();
    for (std::int32_t I = 1; I < Count; ++I)
      if ((Columns ? Grid->GetCols(I) : Grid->GetRows(I))->GetMarked()) S += std::to_string(I);
    return S;
  }
  // The marked cells of columns 1..5 x rows 1..5, as rows of '#' and '.'.
  std::string Cells() {
    std::string S;
    for (std::int32_t R = 1; R <= 5; ++R) {
      for (std::int32_t C = 1; C <= 5; ++C)
        S += Grid->GetCells(C, R)->GetMarked() ? '#' : '.';
      S += R < 5 ? "/" : "";
    }
    return S;
  }
  TYCellsUnion* Union(std::int32_t Index) {
    return Grid->GetHolder()->GetCellsUnions()->GetUnions(Index);
  }

  HookRecorder Recorder;
  std::unique_ptr<RangeGrid> Grid;
};

// ---------------------------------------------------------------- columns and rows

// The anchor column stays as the start left it; each move toggles only what entered or left.
TEST_F(GridMarkRange, ColumnsFollowTheCurrentColumnFromTheAnchor) {
  Mode(ygoColsMarking);
  Start(5, 3);
  EXPECT_EQ(Vectors(true), "5");
  To(7, 3);
  EXPECT_EQ(Vectors(true), "567");
  To(6, 4);
  EXPECT_EQ(Vectors(true), "56");
  Recorder.Clear();
  To(3, 4); // across the anchor: 6 given up, 3 and 4 covered
  EXPECT_EQ(Vectors(true), "345");
  EXPECT_EQ(Recorder.With("mark"),
            (std::vector<std::string>{"mark col3 1", "mark col4 1", "mark col6 0"}));
  To(3, 8); // another row: nothing for columns
  EXPECT_EQ(Vectors(true), "345");
}

TEST_F(GridMarkRange, RowsFollowTheCurrentRowTheSameWay) {
  Mode(ygoRowsMarking);
  Start(2, 4);
  To(2, 2);
  EXPECT_EQ(Vectors(false), "234");
  To(2, 6);
  EXPECT_EQ(Vectors(false), "456");
}

TEST_F(GridMarkRange, TheStartInvertsTheItemOfItsMode) {
  Mode(ygoColsMarking);
  Grid->GetCols(4)->SetMarked(true);
  Start(4, 2);
  EXPECT_EQ(Vectors(true), "");
  Mode(ygoRowsMarking);
  Start(4, 2);
  EXPECT_EQ(Vectors(false), "2");
  Mode(ygoCellsMarking);
  Start(3, 3);
  EXPECT_TRUE(Grid->GetCells(3, 3)->GetMarked());
  EXPECT_EQ(Grid->GetMarkAnchor(), (TYGridCoord{3, 3}));
}

// ---------------------------------------------------------------- cells

TEST_F(GridMarkRange, CellsFillTheRectangleAndShrinkByTheStripsGivenUp) {
  Mode(ygoCellsMarking);
  Start(2, 2);
  To(4, 4);
  EXPECT_EQ(Cells(), "...../.###./.###./.###./.....");
  Recorder.Clear();
  To(3, 4); // column 4 is given up; column 3 goes off and on again, column 2 is not touched
  EXPECT_EQ(Cells(), "...../.##../.##../.##../.....");
  const std::vector<std::string> Expected = {"mark c3r2 0", "mark c3r3 0", "mark c3r4 0",
                                             "mark c4r2 0", "mark c4r3 0", "mark c4r4 0",
                                             "mark c3r2 1", "mark c3r3 1", "mark c3r4 1"};
  EXPECT_EQ(Recorder.With("mark"), Expected);
}

TEST_F(GridMarkRange, TheRectangleCanCrossTheAnchorOnBothAxes) {
  Mode(ygoCellsMarking);
  Start(3, 3);
  To(5, 4);
  To(1, 1);
  EXPECT_EQ(Cells(), "###../###../###../...../.....");
  To(3, 3);
  EXPECT_EQ(Cells(), "...../...../..#../...../.....");
}

TEST_F(GridMarkRange, ARangeOverMarkedCellsInvertsThem) {
  Mode(ygoCellsMarking);
  Grid->GetCells(3, 3)->SetMarked(true);
  Grid->GetCells(2, 2)->SetMarked(true);
  Start(2, 2);
  To(3, 3);
  EXPECT_EQ(Cells(), "...../..#../.#.../...../.....");
}

// A refused change leaves the cell; later toggles still apply, so it may end up inverted.
TEST_F(GridMarkRange, AVetoedCellMayEndUpInvertedRelativeToTheRange) {
  Mode(ygoCellsMarking);
  Recorder.Vetoed = {"c3r3"};
  Start(2, 2);
  To(3, 3);
  EXPECT_EQ(Cells(), "...../.##../.#.../...../.....");
  Recorder.Vetoed.clear();
  To(2, 2);
  EXPECT_EQ(Cells(), "...../.#.../..#../...../.....");
}

// ---------------------------------------------------------------- unions

// A union that reaches into the rectangle with a single cell is inverted as a whole, relative
// to its mark when the range started; once out of reach it returns to that mark, whatever
// happened to it meanwhile.
TEST_F(GridMarkRange, UnionsAreInvertedRelativeToTheirMarkAtTheStart) {
  Mode(ygoCellsMarking);
  TYCellsUnions* Unions = Grid->GetHolder()->GetCellsUnions();
  Unions->Add({5, 5}, {5, 5}, {6, 6}, true);
  Unions->Add({2, 7}, {2, 7}, {3, 7}, true);
  Union(1)->SetMarked(true);
  Start(4, 4);
  To(5, 4);
  EXPECT_FALSE(Union(0)->GetMarked());
  To(5, 5);
  EXPECT_TRUE(Union(0)->GetMarked());
  EXPECT_TRUE(Grid->GetCells(6, 6)->GetMarked()); // the whole union
  EXPECT_TRUE(Union(1)->GetMarked());
  Union(0)->SetMarked(false); // by other means
  To(4, 4);
  EXPECT_FALSE(Union(0)->GetMarked());
  Union(0)->SetMarked(true);
  To(2, 4);
  EXPECT_FALSE(Union(0)->GetMarked());
  To(2, 7);
  EXPECT_FALSE(Union(1)->GetMarked()); // marked at the start, now inverted
}

TEST_F(GridMarkRange, StartingOnAMergedCellInvertsTheWholeUnion) {
  Mode(ygoCellsMarking);
  Grid->GetHolder()->GetCellsUnions()->Add({2, 2}, {2, 2}, {3, 3}, true);
  Start(3, 3);
  EXPECT_TRUE(Union(0)->GetMarked());
  To(4, 4); // the union stays in reach: still its stored mark inverted
  EXPECT_TRUE(Union(0)->GetMarked());
  EXPECT_EQ(Cells(), "...../.##../.###./..##./....."); // the union and (3, 3)-(4, 4)
}

// Only scrollable cells of a union count: one in the fixed column is not reached, even by a
// range that covers that column.
TEST_F(GridMarkRange, UnionCellsInFixedVectorsDoNotReachTheRange) {
  Mode(ygoCellsMarking);
  Grid->GetHolder()->GetCellsUnions()->Add({0, 2}, {0, 2}, {0, 3}, true);
  Start(2, 2);
  To(0, 3); // a fixed cell made current by the program
  EXPECT_FALSE(Union(0)->GetMarked());
}

// ---------------------------------------------------------------- a rectangle at once

TEST_F(GridMarkRange, MarkRangeSetsClearsOrInvertsByMode) {
  Mode(ygoCellsMarking);
  Grid->GetCells(2, 2)->SetMarked(true);
  Grid->MarkRange({1, 1}, {2, 2}, ymmToggle);
  EXPECT_EQ(Cells(), "##.../#..../...../...../.....");
  Grid->MarkRange({1, 1}, {3, 1}, ymmMark);
  Grid->MarkRange({1, 2}, {1, 2}, ymmUnmark);
  EXPECT_EQ(Cells(), "###../...../...../...../.....");
  Mode(ygoRowsMarking);
  Grid->MarkRange({1, 4}, {1, 2}, ymmMark); // reversed: nothing
  EXPECT_EQ(Vectors(false), "");
  Grid->MarkRange({0, 0}, {0, 2}, ymmMark); // the fixed row is never marked
  EXPECT_EQ(Vectors(false), "12");
}

// A merged cell is marked once, by the first of its cells met, however many the range holds.
TEST_F(GridMarkRange, MarkRangeInvertsAMergedCellOnce) {
  Mode(ygoCellsMarking);
  Grid->GetHolder()->GetCellsUnions()->Add({2, 2}, {2, 2}, {3, 3}, true);
  Grid->MarkRange({1, 1}, {4, 4}, ymmToggle);
  EXPECT_TRUE(Union(0)->GetMarked());
  EXPECT_EQ(Recorder.With("mark c2r2").size(), 1u); // the main cell speaks for the union
}

TEST_F(GridMarkRange, MarkRangeOutsideTheGridRaisesBeforeMarking) {
  Mode(ygoColsMarking);
  EXPECT_EQ(GridErrorOf([&] {
              Grid->MarkRange({8, 0}, {10, 0}, ymmMark);
            }),
            "TYGrid::Grid index out of range");
  EXPECT_EQ(Vectors(true), "");
}

} // namespace
