// Rows, columns and lines far larger than the window paint what shows, as quickly as ordinary
// ones: drawing is cut to the window before it is rasterized.
#include "tests/grid/gui/GridGuiSupport.h"

namespace {

using GridHugeShapes = GridOnForm;

TEST_F(GridHugeShapes, ARowHundredMillionPixelsHighPaintsItsVisiblePart) {
  Grid->SetRowHeights(2, 100000000);
  ASSERT_NO_THROW(Grid->Update());
  // Row 2 starts at y = 50 and fills the rest of the window: its lines run to the bottom.
  const TColor Line = Pixel(64, 60);
  EXPECT_EQ(Pixel(64, 199), Line);
  EXPECT_EQ(Pixel(65 * 3 + 64, 199), Pixel(65 * 3 + 64, 60));
  EXPECT_NE(Pixel(65 * 3 + 30, 199), Pixel(65 * 3 + 64, 199)) << "the field between the lines";
  EXPECT_EQ(Pixel(65 * 3 + 30, 199), Pixel(65 * 3 + 30, 60));
  Grid->ScrollTo(1, 2); // the tall row at the top
  Grid->InvalidateGrid();
  ASSERT_NO_THROW(Grid->Update());
  EXPECT_EQ(Pixel(65 * 3 + 64, 199), Pixel(65 * 3 + 64, 60));
}

TEST_F(GridHugeShapes, LinesAHundredThousandPixelsWideCoverTheWindow) {
  const TColor Field = Pixel(10, 10); // the first fixed cell
  Grid->SetGridLineWidth(100000);
  ASSERT_NO_THROW(Grid->Update());
  EXPECT_EQ(Pixel(10, 10), Field);
  const TColor Line = Pixel(300, 150);
  EXPECT_NE(Line, Field);
  EXPECT_EQ(Pixel(70, 10), Line); // right of the first cell
  EXPECT_EQ(Pixel(10, 30), Line); // below it
  EXPECT_EQ(Pixel(399, 199), Line);
}

} // namespace
