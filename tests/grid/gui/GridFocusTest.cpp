// What moving the current cell repaints: after every move the window must show what a full
// repaint shows, for every way of highlighting the current column and row, active or not, with
// marked cells and a merged cell about; and no more than that is asked for.
#include "tests/grid/gui/GridGuiSupport.h"

namespace {

class GridFocus : public GridOnForm {
protected:
  void SetUp() override {
    GridOnForm::SetUp();
    Grid->GetHolder()->SetColCount(6);
    Grid->GetHolder()->SetRowCount(8);
    Grid->GetHolder()->GetCellsUnions()->Add({2, 2}, {2, 2}, {3, 3}, true);
    ShowPositions(*Grid);
    Grid->Update();
  }
  // Every pixel of Area waits for painting.
  bool PendingCovers(const TRect& Area) {
    const std::vector<TRect> Region = Pending();
    for (int Y = Area.Top; Y < Area.Bottom; ++Y)
      for (int X = Area.Left; X < Area.Right; ++X)
        if (std::none_of(Region.begin(), Region.end(), [&](const TRect& R) {
              return PtInRect(R, {X, Y});
            }))
          return false;
    return true;
  }
};

struct HighlightCase {
  const char* Name;
  TYGridOptions Highlight;
  bool Active;
};
void PrintTo(const HighlightCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class GridFocusHighlight : public GridFocus, public testing::WithParamInterface<HighlightCase> {};

// Marked cells take the current colours on both axes whenever either highlight is on, and so
// does every cell of an inactive grid: each move must repaint all of that.
TEST_P(GridFocusHighlight, EveryMoveLeavesTheWindowAsAFullRepaintShowsIt) {
  Grid->SetOptions(Grid->GetOptions() + GetParam().Highlight + TYGridOptions{ygoCellsMarking});
  for (const TYGridCoord& C : {TYGridCoord{4, 1}, TYGridCoord{1, 5}, TYGridCoord{4, 5}})
    Grid->GetCells(C.X, C.Y)->SetMarked(true);
  Activate(GetParam().Active);
  ASSERT_TRUE(SameAsFullRepaint(*Grid));
  const TYGridCoord Moves[] = {{4, 4}, {4, 5}, {1, 5}, {2, 2}, {3, 3}, {5, 6}, {3, 2}, {1, 1}};
  for (const TYGridCoord& To : Moves) {
    Grid->MoveCurrent(To.X, To.Y, true);
    EXPECT_TRUE(SameAsFullRepaint(*Grid)) << "after the move to " << To.X << ":" << To.Y;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Highlights, GridFocusHighlight,
    testing::Values(HighlightCase{"None", {}, true}, HighlightCase{"NoneInactive", {}, false},
                    HighlightCase{"ColumnActive", {ygoShowCurCol}, true},
                    HighlightCase{"ColumnInactive", {ygoShowCurCol}, false},
                    HighlightCase{"RowActive", {ygoShowCurRow}, true},
                    HighlightCase{"RowInactive", {ygoShowCurRow}, false},
                    HighlightCase{"BothActive", {ygoShowCurCol, ygoShowCurRow}, true},
                    HighlightCase{"BothInactive", {ygoShowCurCol, ygoShowCurRow}, false}),
    [](const testing::TestParamInfo<HighlightCase>& Info) { return std::string(Info.param.Name); });

// A merged cell under the current cell that changes (marked, taken apart) repaints the current
// highlight by the same rules as a move.
TEST_F(GridFocus, ChangingTheMergedCellUnderTheCurrentCellRepaintsItsHighlight) {
  Activate(false);
  const TYGridOptions Base = Grid->GetOptions();
  TYCellsUnions* Unions = Grid->GetHolder()->GetCellsUnions();
  for (TYGridOption Highlight : {ygoShowCurRow, ygoShowCurCol}) {
    Grid->SetOptions(Base + TYGridOptions{Highlight, ygoCellsMarking});
    if (Unions->GetUnionsCount() == 0) Unions->Add({2, 2}, {2, 2}, {3, 3}, true);
    Grid->MoveCurrent(3, 3, true);
    ASSERT_TRUE(SameAsFullRepaint(*Grid));
    Unions->GetUnions(0)->SetMarked(true);
    EXPECT_TRUE(SameAsFullRepaint(*Grid)) << Highlight;
    Unions->Delete(0);
    EXPECT_TRUE(SameAsFullRepaint(*Grid)) << Highlight;
    EXPECT_EQ(Grid->GetCurrentCellRect(), (TYGridRect{3, 3, 3, 3}));
  }
}

TEST_F(GridFocus, MovingToTheCurrentCellRepaintsNothing) {
  Grid->MoveCurrent(1, 1, true);
  EXPECT_TRUE(Pending().empty());
}

// Without highlights only the two cells are repainted; inside a merged cell only the cell.
TEST_F(GridFocus, APlainMoveRepaintsTheOldAndTheNewCellOnly) {
  Grid->MoveCurrent(4, 1, true);
  EXPECT_EQ(Pending(), (std::vector<TRect>{Rect(65, 25, 130, 50), Rect(260, 25, 325, 50)}));
  Grid->Update();
  Grid->MoveCurrent(2, 2, true);
  Grid->Update();
  Grid->MoveCurrent(3, 3, true);
  EXPECT_EQ(Grid->GetCurrentCellRect(), (TYGridRect{2, 2, 3, 3}));
  EXPECT_EQ(Pending(), std::vector<TRect>{Rect(130, 50, 260, 100)});
}

// Leaving a merged cell with the column highlight repaints its columns from the top down to
// the row after the last one shown.
TEST_F(GridFocus, LeavingAMergedCellRepaintsItsColumnsWhole) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoShowCurCol});
  Grid->MoveCurrent(2, 2, true);
  Grid->Update();
  Grid->MoveCurrent(5, 6, true);
  EXPECT_TRUE(PendingCovers(Rect(130, 0, 260, 200)));
  EXPECT_TRUE(PendingCovers(Rect(325, 0, 390, 200))); // the new column
}

} // namespace
