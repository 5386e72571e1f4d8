// Scrolling a grid in a real window: the scroll bars (their codes, ranges and thumbs, with the
// mouse too), the view following the current cell, and the bit-block scroll, whose picture must
// equal a full repaint at the new position.
#include "tests/grid/gui/GridGuiSupport.h"

namespace {

// A grid of 20 x 30 cells of 50 x 20 pixels (one fixed column and row) with both scroll bars,
// on an active form. Cells show their positions in zebra colours.
class GridScroll : public testing::Test {
protected:
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 640, 480);
    Grid = new TestGrid(Form.get());
    Grid->GetHolder()->SetColCount(20);
    Grid->GetHolder()->SetRowCount(30);
    Grid->SetDefaultColWidth(50);
    Grid->SetDefaultRowHeight(20);
    Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoZebraCols, ygoZebraRows});
    ShowPositions(*Grid);
    Grid->OnTopLeftChanged = [this](TObject*) { ++TopLeftChanges; };
    Grid->SetBounds(0, 0, 300, 200);
    Grid->SetParent(Form.get());
    Form->Show();
    Form->SetActiveControl(Grid);
    Form->Activate();
    Grid->Update();
  }
  void TearDown() override { Form.reset(); }

  void Scroll(int Bar, int Code, int Pos = 0) {
    Grid->Perform(Bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL,
                  MakeWParam(static_cast<unsigned>(Code), static_cast<unsigned>(Pos)));
  }
  TYGridCoord TopLeft() const { return {Grid->GetLeftCol(), Grid->GetTopRow()}; }
  // The largest useful first scrollable cell: the one that shows the last cell last.
  TYGridCoord MaxTopLeft() const {
    TYGridDrawInfo DrawInfo;
    Grid->CalcDrawInfo(DrawInfo);
    return Grid->CalcMaxTopLeft({Grid->GetColCount() - 1, Grid->GetRowCount() - 1}, DrawInfo);
  }
  int BarPos(int Bar) { return GetScrollPos(Grid->GetHandle(), Bar); }
  std::pair<int, int> BarRange(int Bar) {
    int Min = -1, Max = -1;
    GetScrollRange(Grid->GetHandle(), Bar, &Min, &Max);
    return {Min, Max};
  }
  // The centre of a part of a bar, in window pixels.
  TPoint PartCentre(int Bar, Testing::TScrollBarPart Part) {
    const TRect R = Testing::ScrollBarPartRect(*Grid, Bar, Part);
    return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
  }
  // The leftmost dark (text) pixel inside Area, or -1.
  int DarkLeft(const TRect& Area) {
    Grid->Update();
    for (int X = Area.Left; X < Area.Right; ++X)
      for (int Y = Area.Top; Y < Area.Bottom; ++Y) {
        const TColor P = Testing::SurfacePixel(*Grid, X, Y);
        if (GetRValue(P) + GetGValue(P) + GetBValue(P) < 384) return X;
      }
    return -1;
  }
  void ClickPart(int Bar, Testing::TScrollBarPart Part) {
    const TPoint P = PartCentre(Bar, Part);
    Testing::WindowMouseDown(*Grid, P.X, P.Y);
    Testing::WindowMouseUp(*Grid, P.X, P.Y);
  }

  std::unique_ptr<TForm> Form;
  TestGrid* Grid = nullptr; // owned by the form
  int TopLeftChanges = 0;
};

// ---------------------------------------------------------------- the bar codes

// Scrolling by a row moves the pixels: only the row uncovered at the bottom waits for painting.
TEST_F(GridScroll, ALineMovesThePixelsAndRepaintsOnlyTheUncoveredRow) {
  Testing::ScrollBarAction(*Grid, SB_VERT, SB_LINEDOWN);
  EXPECT_EQ(TopLeft(), (TYGridCoord{1, 2}));
  const int W = Grid->GetClientWidth();
  const int H = Grid->GetClientHeight();
  EXPECT_EQ(Testing::PendingUpdateRegion(*Grid), std::vector<TRect>{Rect(0, H - 21, W, H)});
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  Testing::ScrollBarAction(*Grid, SB_HORZ, SB_LINEDOWN);
  EXPECT_EQ(TopLeft(), (TYGridCoord{2, 2}));
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  Testing::ScrollBarAction(*Grid, SB_VERT, SB_LINEUP);
  Testing::ScrollBarAction(*Grid, SB_HORZ, SB_LINEUP);
  EXPECT_EQ(TopLeft(), (TYGridCoord{1, 1}));
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  EXPECT_EQ(TopLeftChanges, 4);
}

// A page forward shows the last wholly visible row first; a page back shows the first one last.
TEST_F(GridScroll, PagesMoveByTheRowsShownAndBack) {
  const std::int32_t Last = Grid->GetTopRow() + Grid->GetVisibleRowCount() - 1;
  Testing::ScrollBarAction(*Grid, SB_VERT, SB_PAGEDOWN);
  EXPECT_EQ(Grid->GetTopRow(), Last);
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  Testing::ScrollBarAction(*Grid, SB_VERT, SB_PAGEUP);
  EXPECT_EQ(Grid->GetTopRow(), 1);
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
}

TEST_F(GridScroll, TopAndBottomGoToTheEndsOfTheScrollableRange) {
  Testing::ScrollBarAction(*Grid, SB_HORZ, SB_BOTTOM);
  Testing::ScrollBarAction(*Grid, SB_VERT, SB_BOTTOM);
  EXPECT_EQ(TopLeft(), MaxTopLeft());
  EXPECT_EQ(Grid->GetTopRow() + Grid->GetVisibleRowCount() - 1, 29); // the last row shows
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  Testing::ScrollBarAction(*Grid, SB_VERT, SB_TOP);
  EXPECT_EQ(Grid->GetTopRow(), 1);
}

TEST_F(GridScroll, ThumbPositionsMapOntoTheScrollableRange) {
  const TYGridCoord Max = MaxTopLeft();
  Testing::DragScrollThumb(*Grid, SB_VERT, 127);
  EXPECT_EQ(Grid->GetTopRow(), Max.Y); // the last page
  EXPECT_EQ(BarPos(SB_VERT), 127);
  Scroll(SB_VERT, SB_THUMBPOSITION, 64);
  EXPECT_EQ(Grid->GetTopRow(), 1 + MulDiv(64, Max.Y - 1, 127));
  EXPECT_EQ(BarPos(SB_VERT), MulDiv(Grid->GetTopRow() - 1, 127, Max.Y - 1));
  Scroll(SB_VERT, SB_THUMBPOSITION, 0);
  EXPECT_EQ(Grid->GetTopRow(), 1);
  EXPECT_EQ(BarPos(SB_VERT), 0);
  EXPECT_EQ(Testing::ScrollBarShownPos(*Grid, SB_VERT), 0);
}

TEST_F(GridScroll, ThumbTrackingMovesTheGridOnlyWithTheOption) {
  Scroll(SB_VERT, SB_THUMBTRACK, 127);
  EXPECT_EQ(Grid->GetTopRow(), 1);
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoThumbTracking});
  Scroll(SB_VERT, SB_THUMBTRACK, 127);
  EXPECT_EQ(Grid->GetTopRow(), MaxTopLeft().Y);
}

TEST_F(GridScroll, EndScrollAndUnknownCodesChangeNothing) {
  Scroll(SB_VERT, SB_ENDSCROLL);
  Scroll(SB_HORZ, 42);
  EXPECT_EQ(TopLeft(), (TYGridCoord{1, 1}));
  EXPECT_EQ(TopLeftChanges, 0);
}

// ---------------------------------------------------------------- zero-width columns

// The bar steps over columns of width 0 in the direction of travel; the ends of the range stop
// it even on such a column.
TEST_F(GridScroll, LinesStepOverZeroWidthColumns) {
  for (std::int32_t Col : {1, 2, 4, 5, 6})
    Grid->SetColWidths(Col, 0);
  Grid->SetLeftCol(3);
  Scroll(SB_HORZ, SB_LINEDOWN);
  EXPECT_EQ(Grid->GetLeftCol(), 7);
  Scroll(SB_HORZ, SB_LINEUP);
  EXPECT_EQ(Grid->GetLeftCol(), 3);
  Scroll(SB_HORZ, SB_LINEUP);
  EXPECT_EQ(Grid->GetLeftCol(), 1); // the first scrollable column, though it has no width
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
}

// ---------------------------------------------------------------- ranges and bars

TEST_F(GridScroll, BarsRangeTheScrollableCellsOverPositions0To127) {
  EXPECT_EQ(BarRange(SB_HORZ), std::make_pair(0, 127));
  EXPECT_EQ(BarRange(SB_VERT), std::make_pair(0, 127));
  EXPECT_TRUE(Testing::ScrollBarVisible(*Grid, SB_HORZ));
  EXPECT_TRUE(Testing::ScrollBarVisible(*Grid, SB_VERT));
  EXPECT_EQ(BarPos(SB_HORZ), 0);
}

// Without anything to scroll the range is 0..0: the bars vanish and give their room back.
TEST_F(GridScroll, WhenEverythingFitsTheRangesAreEmptyAndTheBarsGo) {
  Grid->GetHolder()->SetColCount(3);
  Grid->GetHolder()->SetRowCount(4);
  EXPECT_EQ(BarRange(SB_HORZ), std::make_pair(0, 0));
  EXPECT_EQ(BarRange(SB_VERT), std::make_pair(0, 0));
  EXPECT_FALSE(Testing::ScrollBarVisible(*Grid, SB_HORZ));
  EXPECT_FALSE(Testing::ScrollBarVisible(*Grid, SB_VERT));
  EXPECT_EQ(Grid->GetClientWidth(), 300 - 4); // within the 3D frame only
  EXPECT_EQ(BarPos(SB_VERT), 0);
  Scroll(SB_VERT, SB_BOTTOM);
  EXPECT_EQ(TopLeft(), (TYGridCoord{1, 1}));
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  Grid->GetHolder()->SetRowCount(30);
  EXPECT_TRUE(Testing::ScrollBarVisible(*Grid, SB_VERT));
  EXPECT_FALSE(Testing::ScrollBarVisible(*Grid, SB_HORZ));
}

// A first scrollable cell beyond what the larger window needs is pulled back to the largest
// useful one, and the view scrolls there.
TEST_F(GridScroll, GrowingTheWindowPullsTheTopLeftBack) {
  Scroll(SB_HORZ, SB_BOTTOM);
  Scroll(SB_VERT, SB_BOTTOM);
  const TYGridCoord Old = TopLeft();
  TopLeftChanges = 0;
  Grid->SetBounds(0, 0, 500, 380);
  EXPECT_EQ(TopLeft(), MaxTopLeft());
  EXPECT_LT(Grid->GetLeftCol(), Old.X);
  EXPECT_LT(Grid->GetTopRow(), Old.Y);
  EXPECT_EQ(Grid->GetLeftCol() + Grid->GetVisibleColCount() - 1, 19);
  EXPECT_EQ(TopLeftChanges, 1);
  EXPECT_EQ(BarPos(SB_HORZ), 127);
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
}

TEST_F(GridScroll, AJumpLongerThanTheWindowRepaintsItWhole) {
  Scroll(SB_VERT, SB_BOTTOM);
  EXPECT_EQ(Testing::PendingUpdateRegion(*Grid),
            std::vector<TRect>{Rect(0, 0, Grid->GetClientWidth(), Grid->GetClientHeight())});
}

// ---------------------------------------------------------------- the mouse on the bars

TEST_F(GridScroll, ClickingTheArrowsAndTheTrackScrolls) {
  ClickPart(SB_VERT, Testing::TScrollBarPart::LineDown);
  EXPECT_EQ(Grid->GetTopRow(), 2);
  ClickPart(SB_HORZ, Testing::TScrollBarPart::PageDown);
  EXPECT_GT(Grid->GetLeftCol(), 2);
  ClickPart(SB_HORZ, Testing::TScrollBarPart::LineUp);
  ClickPart(SB_HORZ, Testing::TScrollBarPart::PageUp);
  EXPECT_EQ(Grid->GetLeftCol(), 1);
  EXPECT_EQ(Testing::ScrollBarShownPos(*Grid, SB_HORZ), 0);
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
}

// Without tracking the grid waits for the release; with it, the grid follows the thumb.
TEST_F(GridScroll, DraggingTheThumbScrollsOnReleaseOrWhileTracking) {
  for (bool Tracking : {false, true}) {
    Grid->SetOptions(Tracking ? Grid->GetOptions() + TYGridOptions{ygoThumbTracking}
                              : Grid->GetOptions() - TYGridOptions{ygoThumbTracking});
    Scroll(SB_VERT, SB_TOP);
    const TPoint Thumb = PartCentre(SB_VERT, Testing::TScrollBarPart::Thumb);
    const TRect Track =
        Testing::ScrollBarPartRect(*Grid, SB_VERT, Testing::TScrollBarPart::PageDown);
    Testing::WindowMouseDown(*Grid, Thumb.X, Thumb.Y);
    Testing::WindowMouseMove(*Grid, Thumb.X, Track.Bottom + 40);
    EXPECT_EQ(Grid->GetTopRow(), Tracking ? MaxTopLeft().Y : 1) << Tracking;
    Testing::WindowMouseUp(*Grid, Thumb.X, Track.Bottom + 40);
    EXPECT_EQ(Grid->GetTopRow(), MaxTopLeft().Y) << Tracking;
    EXPECT_EQ(Testing::ScrollBarShownPos(*Grid, SB_VERT), 127) << Tracking;
  }
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
}

TEST_F(GridScroll, UsingABarFocusesTheGrid) {
  auto* Other = new TYGrid(Form.get());
  Other->SetBounds(320, 0, 200, 100);
  Other->SetParent(Form.get());
  Form->SetActiveControl(Other);
  ASSERT_EQ(Form->GetActiveControl(), Other);
  Testing::ScrollBarAction(*Grid, SB_VERT, SB_LINEDOWN);
  EXPECT_EQ(Form->GetActiveControl(), Grid);
}

// ---------------------------------------------------------------- the view follows

TEST_F(GridScroll, AFarCurrentCellIsBroughtIntoViewAtTheEdgeItLiesBeyond) {
  Grid->SetCol(12);
  EXPECT_EQ(Grid->GetLeftCol() + Grid->GetVisibleColCount() - 1, 12); // the last shown
  EXPECT_EQ(Grid->GetTopRow(), 1);
  Grid->SetCol(8);
  EXPECT_EQ(Grid->GetLeftCol(), 8); // the first shown
  Grid->MoveCurrent(8, 25, false);
  EXPECT_EQ(Grid->GetTopRow(), 1); // not without InView
  Grid->SetCol(0);                 // a fixed cell is always in view
  EXPECT_EQ(Grid->GetLeftCol(), 8);
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
}

// One column and one row further (and back): all three moving areas scroll, each its own way.
TEST_F(GridScroll, ScrollingAlongBothAxesMatchesAFullRepaint) {
  for (TBiDiMode Mode : {bdLeftToRight, bdRightToLeft}) {
    Grid->SetBiDiMode(Mode);
    Grid->Update();
    const TYGridCoord Last{Grid->GetLeftCol() + Grid->GetVisibleColCount() - 1,
                           Grid->GetTopRow() + Grid->GetVisibleRowCount() - 1};
    Grid->MoveCurrent(Last.X + 1, Last.Y + 1, true);
    EXPECT_EQ(TopLeft(), (TYGridCoord{2, 2})) << Mode;
    EXPECT_TRUE(SameAsFullRepaint(*Grid)) << Mode;
    Grid->MoveCurrent(1, 1, true);
    EXPECT_EQ(TopLeft(), (TYGridCoord{1, 1})) << Mode;
    EXPECT_TRUE(SameAsFullRepaint(*Grid)) << Mode;
  }
}

TEST_F(GridScroll, MergedCellsAcrossFixedAndScrolledCellsAreRepaintedAfterAScroll) {
  Grid->GetHolder()->GetCellsUnions()->Add({0, 3}, {0, 3}, {0, 5}, true);  // fixed column
  Grid->GetHolder()->GetCellsUnions()->Add({2, 0}, {2, 0}, {4, 0}, true);  // fixed row
  Grid->GetHolder()->GetCellsUnions()->Add({3, 3}, {3, 3}, {4, 12}, true); // scrollable
  Grid->Update();
  Testing::ScrollBarAction(*Grid, SB_HORZ, SB_LINEDOWN);
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  Testing::ScrollBarAction(*Grid, SB_VERT, SB_LINEDOWN);
  Testing::ScrollBarAction(*Grid, SB_VERT, SB_LINEDOWN);
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
}

// A union within the fixed rows neither moves nor changes in a scroll along the rows: it is left
// as painted, while one in the fixed column is repainted.
TEST_F(GridScroll, AUnionWithinTheFixedRowsIsLeftAsPaintedByAScrollAlongTheRows) {
  Grid->GetHolder()->GetCellsUnions()->Add({2, 0}, {2, 0}, {4, 0}, true); // fixed row
  Grid->GetHolder()->GetCellsUnions()->Add({0, 3}, {0, 3}, {0, 5}, true); // fixed column
  Grid->Update();
  Testing::ScrollBarAction(*Grid, SB_VERT, SB_LINEDOWN);
  const std::vector<TRect> Pending = Testing::PendingUpdateRegion(*Grid);
  EXPECT_TRUE(
      std::none_of(Pending.begin(), Pending.end(), [](const TRect& R) { return R.Top < 20; }));
  EXPECT_TRUE(std::any_of(Pending.begin(), Pending.end(),
                          [](const TRect& R) { return R.Left < 50 && R.Bottom < 180; }));
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  Testing::ScrollBarAction(*Grid, SB_HORZ, SB_LINEDOWN); // along the columns it moves
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
}

// A table narrower (shorter) than its window scrolls rows (columns) moving or repainting only the
// cells' pixels: the background field beside them is the same all along. What the window shows
// still equals a full repaint, mirrored too.
TEST_F(GridScroll, ATableSmallerThanItsWindowScrollsOnlyItsOwnPixels) {
  Grid->SetBounds(0, 0, 400, 300);
  for (TBiDiMode Mode : {bdLeftToRight, bdRightToLeft}) {
    Grid->SetBiDiMode(Mode);
    Grid->GetHolder()->SetColCount(4); // narrow: 4 columns of 51 pixels with their lines
    Grid->GetHolder()->SetRowCount(30);
    Grid->SetTopRow(1);
    Grid->Update();
    const int W = Grid->GetClientWidth();
    const int H = Grid->GetClientHeight();
    Testing::ScrollBarAction(*Grid, SB_VERT, SB_LINEDOWN);
    const int Left = Mode == bdLeftToRight ? 0 : W - 4 * 51;
    EXPECT_EQ(Testing::PendingUpdateRegion(*Grid),
              std::vector<TRect>{Rect(Left, H - 21, Left + 4 * 51, H)})
        << Mode;
    EXPECT_TRUE(SameAsFullRepaint(*Grid)) << Mode;
    Testing::ScrollBarAction(*Grid, SB_VERT, SB_BOTTOM); // a jump: no pixels to move
    EXPECT_EQ(Testing::PendingUpdateRegion(*Grid),
              std::vector<TRect>{Rect(Left, 0, Left + 4 * 51, H)})
        << Mode;
    EXPECT_TRUE(SameAsFullRepaint(*Grid)) << Mode;

    Grid->GetHolder()->SetColCount(20); // short: 5 rows of 21 pixels
    Grid->GetHolder()->SetRowCount(5);
    Grid->MoveCurrent(1, 1, true);
    Grid->Update();
    Scroll(SB_HORZ, Mode == bdLeftToRight ? SB_LINEDOWN : SB_LINEUP); // the bar is mirrored
    EXPECT_EQ(Grid->GetLeftCol(), 2) << Mode;
    const std::vector<TRect> Pending = Testing::PendingUpdateRegion(*Grid);
    ASSERT_FALSE(Pending.empty()) << Mode;
    for (const TRect& R : Pending)
      EXPECT_LE(R.Bottom, 5 * 21) << Mode;
    EXPECT_TRUE(SameAsFullRepaint(*Grid)) << Mode;
    Testing::ProcessEvents();
    EXPECT_TRUE(Testing::ShownPixels(*Grid) == Testing::SurfacePixels(*Grid)) << Mode;
  }
}

// ---------------------------------------------------------------- right to left

// The horizontal bar runs the other way: the start is at its right end, a line "down" goes
// back toward the start, and the thumb position is mirrored.
TEST_F(GridScroll, RightToLeftMirrorsTheHorizontalBar) {
  Grid->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(BarPos(SB_HORZ), 127);
  Scroll(SB_HORZ, SB_LINEUP);
  EXPECT_EQ(Grid->GetLeftCol(), 2);
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  Scroll(SB_HORZ, SB_LINEDOWN);
  EXPECT_EQ(Grid->GetLeftCol(), 1);
  Scroll(SB_HORZ, SB_THUMBPOSITION, 0);
  EXPECT_EQ(Grid->GetLeftCol(), MaxTopLeft().X);
  EXPECT_EQ(BarPos(SB_HORZ), 0);
  Scroll(SB_VERT, SB_LINEDOWN); // the vertical bar keeps its direction
  EXPECT_EQ(Grid->GetTopRow(), 2);
}

// ---------------------------------------------------------------- the view from the program

TEST_F(GridScroll, SettingTheFirstScrollableCellScrollsAndReportsOnce) {
  Grid->SetTopRow(5);
  EXPECT_EQ(TopLeft(), (TYGridCoord{1, 5}));
  EXPECT_EQ(TopLeftChanges, 1);
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  Grid->SetTopRow(5);
  Grid->SetLeftCol(1);
  EXPECT_EQ(TopLeftChanges, 1);
  EXPECT_EQ(BarPos(SB_VERT), MulDiv(4, 127, MaxTopLeft().Y - 1));
}

// ---------------------------------------------------------------- one column, by pixels

// The same window with a single column of 700 pixels: the horizontal bar scrolls it by pixels.
class GridPixelScroll : public GridScroll {
protected:
  void SetUp() override {
    GridScroll::SetUp();
    Grid->GetHolder()->SetFixedCols(0);
    Grid->GetHolder()->SetColCount(1);
    Grid->SetColWidths(0, 700);
    Grid->Update();
  }
  std::int32_t Offset() const { return Grid->GetColPixelOffset(); }
  std::int32_t Limit() const { return 700 - Grid->GetClientWidth(); }
};

TEST_F(GridPixelScroll, TheBarRangesTheColumnBeyondTheWindow) {
  EXPECT_EQ(BarRange(SB_HORZ), std::make_pair(0, Limit()));
  EXPECT_EQ(BarPos(SB_HORZ), 0);
}

// Lines are a digit wide, pages the window's width; the column's ends stop both.
TEST_F(GridPixelScroll, LinesAndPagesMoveByPixels) {
  const int Digit = Grid->GetCanvas()->TextWidth("0");
  ASSERT_GT(Digit, 0);
  Testing::ScrollBarAction(*Grid, SB_HORZ, SB_LINEDOWN);
  EXPECT_EQ(Offset(), Digit);
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  Testing::ScrollBarAction(*Grid, SB_HORZ, SB_PAGEDOWN);
  EXPECT_EQ(Offset(), Digit + Grid->GetClientWidth());
  EXPECT_EQ(BarPos(SB_HORZ), Offset());
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  Testing::ScrollBarAction(*Grid, SB_HORZ, SB_PAGEDOWN);
  EXPECT_EQ(Offset(), Limit());
  Testing::ScrollBarAction(*Grid, SB_HORZ, SB_PAGEUP);
  Testing::ScrollBarAction(*Grid, SB_HORZ, SB_PAGEUP);
  EXPECT_EQ(Offset(), 0);
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  EXPECT_EQ(Grid->GetLeftCol(), 0);
}

TEST_F(GridPixelScroll, TheThumbAndTheEndsSetTheOffset) {
  Testing::DragScrollThumb(*Grid, SB_HORZ, 150);
  EXPECT_EQ(Offset(), 150);
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  Scroll(SB_HORZ, SB_THUMBTRACK, 10); // without tracking
  EXPECT_EQ(Offset(), 150);
  Scroll(SB_HORZ, SB_BOTTOM);
  EXPECT_EQ(Offset(), Limit());
  EXPECT_EQ(BarPos(SB_HORZ), Limit());
  Scroll(SB_HORZ, SB_TOP);
  EXPECT_EQ(Offset(), 0);
}

// A merged cell of the column moves with it.
TEST_F(GridPixelScroll, MergedCellsOfTheColumnFollowTheOffset) {
  Grid->GetHolder()->GetCellsUnions()->Add({0, 2}, {0, 2}, {0, 4}, true);
  Grid->SetRow(5);
  Grid->Update();
  Scroll(SB_HORZ, SB_THUMBPOSITION, 90);
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  // The text of the merged cell ("0:2") starts 90 pixels left of where it starts unscrolled.
  const TRect Text = Rect(0, 43, Grid->GetClientWidth(), 102);
  Scroll(SB_HORZ, SB_TOP);
  const int Unscrolled = DarkLeft(Text);
  Scroll(SB_HORZ, SB_THUMBPOSITION, 1);
  EXPECT_TRUE(SameAsFullRepaint(*Grid)); // painted afresh at the new offset
  EXPECT_EQ(DarkLeft(Text), Unscrolled - 1);
}

// A column narrower than the window is not scrolled: the bar has nothing to range, and no code
// moves the column off its left edge.
TEST_F(GridPixelScroll, ANarrowColumnStaysAtItsLeftEdge) {
  Grid->SetColWidths(0, 120);
  EXPECT_EQ(BarRange(SB_HORZ), std::make_pair(0, 0));
  for (int Code : {SB_LINEDOWN, SB_PAGEDOWN, SB_BOTTOM, SB_LINEUP, SB_PAGEUP}) {
    Scroll(SB_HORZ, Code);
    EXPECT_EQ(Offset(), 0) << Code;
  }
  Scroll(SB_HORZ, SB_THUMBPOSITION, 30);
  EXPECT_EQ(Offset(), 0);
}

// Growing the window past the column's end brings the end back to the window's edge.
TEST_F(GridPixelScroll, GrowingTheWindowPullsTheOffsetBack) {
  Scroll(SB_HORZ, SB_BOTTOM);
  Grid->SetBounds(0, 0, 500, 200);
  EXPECT_EQ(Offset(), Limit());
  EXPECT_EQ(BarRange(SB_HORZ), std::make_pair(0, Limit()));
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
}

// With more than one column the grid scrolls by cells and shows its columns from their edges.
TEST_F(GridPixelScroll, MoreColumnsEndPixelScrolling) {
  Scroll(SB_HORZ, SB_THUMBPOSITION, 200);
  Grid->GetHolder()->SetColCount(4);
  EXPECT_EQ(Offset(), 0);
  EXPECT_EQ(BarRange(SB_HORZ), std::make_pair(0, 127));
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
}

// Right to left the thumb position is mirrored (the column's start shows at the bar's right
// end), and lines go the other way.
TEST_F(GridPixelScroll, RightToLeftMirrorsThePixelThumb) {
  Grid->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(BarPos(SB_HORZ), Limit());
  Scroll(SB_HORZ, SB_THUMBPOSITION, Limit() - 60);
  EXPECT_EQ(Offset(), 60);
  EXPECT_EQ(BarPos(SB_HORZ), Limit() - 60);
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  Scroll(SB_HORZ, SB_LINEUP);
  EXPECT_EQ(Offset(), 60 + Grid->GetCanvas()->TextWidth("0"));
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
}

} // namespace
