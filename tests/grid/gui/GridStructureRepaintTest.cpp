// What a change of the vectors shown repaints: everything the cells covered before or cover
// after, never the background field beyond both; the picture then equals a full repaint.
#include "tests/grid/gui/GridGuiSupport.h"

namespace {

// A table of 6 x 12 cells of 50 x 20 pixels (one fixed column and row), narrower and shorter
// than its 500 x 400 window.
class GridStructureRepaint : public testing::TestWithParam<TBiDiMode> {
protected:
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 640, 480);
    Grid = new TestGrid(Form.get());
    Grid->GetHolder()->SetColCount(6);
    Grid->GetHolder()->SetRowCount(12);
    Grid->SetDefaultColWidth(50);
    Grid->SetDefaultRowHeight(20);
    Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoZebraCols, ygoZebraRows});
    ShowPositions(*Grid);
    Grid->SetBounds(0, 0, 500, 400);
    Grid->SetBiDiMode(GetParam());
    Grid->SetParent(Form.get());
    Form->Show();
    Grid->Update();
  }
  void TearDown() override { Form.reset(); }

  // The smallest rectangle holding the pending region, in unmirrored client pixels.
  TRect PendingBounds() const {
    TRect B{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const TRect& R : Testing::PendingUpdateRegion(*Grid)) {
      B = {std::min(B.Left, R.Left), std::min(B.Top, R.Top), std::max(B.Right, R.Right),
           std::max(B.Bottom, R.Bottom)};
    }
    if (GetParam() == bdRightToLeft) {
      const int W = Grid->GetClientWidth();
      B = {W - B.Right, B.Top, W - B.Left, B.Bottom};
    }
    return B;
  }

  std::unique_ptr<TForm> Form;
  TestGrid* Grid = nullptr; // owned by the form
};

TEST_P(GridStructureRepaint, HidingAndShowingRepaintsTheCellsNotTheField) {
  TYCellsHolder* H = Grid->GetHolder();
  H->GetCols(2)->SetVisible(false);
  EXPECT_EQ(PendingBounds(), Rect(0, 0, 6 * 51, 12 * 21)); // the width before the change
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  H->GetCols(2)->SetVisible(true);
  EXPECT_EQ(PendingBounds(), Rect(0, 0, 6 * 51, 12 * 21)); // the width after it
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  H->GetRows(5)->SetVisible(false);
  EXPECT_EQ(PendingBounds().Bottom, 12 * 21);
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
}

TEST_P(GridStructureRepaint, EveryKindOfStructuralChangeEndsInTheFullPicture) {
  TYCellsHolder* H = Grid->GetHolder();
  const auto Check = [&](const char* What) { EXPECT_TRUE(SameAsFullRepaint(*Grid)) << What; };
  H->SetColCount(9);
  Check("columns added");
  H->SetRowCount(4);
  Check("rows removed");
  H->DeleteCol(3);
  Check("a column deleted");
  H->InsertCol(1, true);
  Check("a column inserted");
  Grid->SetColWidths(1, 300);
  Check("a column widened");
  TList Keep;
  Keep.Add(H->GetCols(0));
  Keep.Add(H->GetCols(4));
  H->SetVisibleColsRange(&Keep, false);
  Check("all but two columns hidden");
  H->SetColCount(40); // wider than the window: the field on the right goes
  Check("columns beyond the window");
  H->SetColCount(2);
  Check("back to a narrow table");
}

INSTANTIATE_TEST_SUITE_P(Directions, GridStructureRepaint,
                         testing::Values(bdLeftToRight, bdRightToLeft));

} // namespace
