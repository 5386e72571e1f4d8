// Which screen areas the grid asks to repaint: a cell, a merged cell whole, a column or row,
// a rectangle of cells, and nothing before it has a window.
#include "tests/grid/gui/GridGuiSupport.h"

namespace {

class GridInvalidate : public GridOnForm {
protected:
  void SetUp() override {
    GridOnForm::SetUp();
    Grid->Update(); // nothing pending
  }
  std::vector<TRect> Pending() { return Testing::PendingUpdateRegion(*Grid); }
  // The bounds of everything pending.
  TRect PendingBounds() {
    TRect B{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const TRect& R : Pending())
      B = {std::min(B.Left, R.Left), std::min(B.Top, R.Top), std::max(B.Right, R.Right),
           std::max(B.Bottom, R.Bottom)};
    return B;
  }
};

TEST_F(GridInvalidate, ACellWithItsLines) {
  ASSERT_TRUE(Pending().empty());
  Grid->InvalidateCell(2, 3);
  EXPECT_EQ(Pending(), std::vector<TRect>{Rect(130, 75, 195, 100)});
}

TEST_F(GridInvalidate, AnyCellOfAMergedCellInvalidatesItWhole) {
  Grid->GetHolder()->GetCellsUnions()->Add({1, 2}, {1, 2}, {3, 3}, true); // 3 x 2
  Grid->Update();
  Grid->InvalidateCell(3, 3);
  EXPECT_EQ(Pending(), std::vector<TRect>{Rect(65, 50, 260, 100)});
}

TEST_F(GridInvalidate, AMergedCellScrolledOutInvalidatesNothing) {
  Grid->GetHolder()->SetColCount(12);
  Grid->GetHolder()->GetCellsUnions()->Add({1, 2}, {1, 2}, {2, 2}, true);
  Grid->ScrollTo(4, 1);
  Grid->InvalidateGrid();
  Grid->Update();
  Grid->InvalidateCell(1, 2);
  EXPECT_TRUE(Pending().empty());
}

TEST_F(GridInvalidate, AColumnWithoutMergedCellsIsOneRectangleDownToTheRowAfterTheLastVisible) {
  Grid->GetHolder()->SetRowCount(20);
  Grid->Update();
  Grid->InvalidateCol(2);
  // Rows 0..7 are wholly visible in 200 pixels; the rectangle reaches row 8, cut at the edge.
  EXPECT_EQ(Pending(), std::vector<TRect>{Rect(130, 0, 195, 200)});
}

TEST_F(GridInvalidate, AColumnCrossingAMergedCellTakesItWhole) {
  Grid->GetHolder()->GetCellsUnions()->Add({1, 2}, {1, 2}, {3, 2}, true);
  Grid->Update();
  Grid->InvalidateCol(2);
  EXPECT_EQ(PendingBounds(), Rect(65, 0, 260, 125));
}

TEST_F(GridInvalidate, ARowAndARectangle) {
  Grid->InvalidateRow(1);
  EXPECT_EQ(Pending(), std::vector<TRect>{Rect(0, 25, 325, 50)});
  Grid->Update();
  Grid->InvalidateRect({1, 1, 2, 3});
  EXPECT_EQ(Pending(), std::vector<TRect>{Rect(65, 25, 195, 100)});
}

TEST(GridInvalidateWithoutWindow, DoesNothingAndRaisesNothing) {
  TYGrid Grid(nullptr);
  EXPECT_FALSE(Grid.HandleAllocated());
  Grid.InvalidateCell(1, 1);
  Grid.InvalidateCol(1);
  Grid.InvalidateRow(1);
  Grid.InvalidateRect({0, 0, 4, 4});
  Grid.InvalidateGrid();
  EXPECT_FALSE(Grid.HandleAllocated());
}

} // namespace
