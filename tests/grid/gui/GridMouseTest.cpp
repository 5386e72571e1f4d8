// The mouse on a real (offscreen) window, at pixel positions: focusing, sizing on the lines,
// moving columns and rows with the right button, the events it fires, and its XOR feedback.
#include "tests/grid/gui/GridGuiSupport.h"

#include "host/gui/Messages.h"
#include "host/gui/WinUser.h"

#include <string>
#include <vector>

namespace {

using namespace Testing;

// Column c starts at 65 * c, its right line is at 65 * c + 64; row r starts at 25 * r.
constexpr int ColLine(int Col) {
  return 65 * Col + 64;
}
constexpr int RowLine(int Row) {
  return 25 * Row + 24;
}

class GridMouse : public GridOnForm {
protected:
  void SetUp() override {
    GridOnForm::SetUp();
    Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoColSizing, ygoRowSizing});
  }
  // Presses at (X, Y), drags to (ToX, Y2) and releases there.
  void Drag(int X, int Y, int ToX, int ToY, TMouseButton Button = mbLeft) {
    const TShiftState Held = Button == mbLeft ? TShiftState{ssLeft} : TShiftState{ssRight};
    MouseDownAt(*Grid, X, Y, Button);
    MoveTo(*Grid, ToX, ToY, Held);
    MouseUpAt(*Grid, ToX, ToY, Button);
  }
  std::vector<TColor> Surface() {
    Grid->Update();
    std::vector<TColor> Pixels;
    for (int Y = 0; Y < Grid->GetClientHeight(); ++Y)
      for (int X = 0; X < Grid->GetClientWidth(); ++X)
        Pixels.push_back(SurfacePixel(*Grid, X, Y));
    return Pixels;
  }
  int ChangedPixelsInColumn(const std::vector<TColor>& Before, int X) {
    const std::vector<TColor> After = Surface();
    int Changed = 0;
    for (int Y = 0; Y < Grid->GetClientHeight(); ++Y) {
      const size_t I = static_cast<size_t>(Y * Grid->GetClientWidth() + X);
      Changed += After[I] != Before[I];
    }
    return Changed;
  }
};

TEST_F(GridMouse, TheHotZoneReachesThreePixelsBeforeALineButNotFive) {
  Drag(ColLine(2) - 5, 5, ColLine(2) + 20, 5);
  EXPECT_EQ(Grid->GetColWidths(2), 64);
  Drag(ColLine(2) + 4, 5, ColLine(2) + 10, 5); // four pixels after it still count
  EXPECT_EQ(Grid->GetColWidths(2), 70);
  Drag(ColLine(1) - 3, 5, ColLine(1) + 20, 5);
  EXPECT_EQ(Grid->GetColWidths(1), 64 + 23); // the line keeps its distance to the pointer
  EXPECT_EQ(Grid->GetGridState(), ygsNormal);
}

TEST_F(GridMouse, ColumnsAreSizedOnlyFromTheHeaderAndRowsOnlyFromTheFixedColumn) {
  Drag(ColLine(1), 30, ColLine(1) + 30, 30); // a data row: no column sizing
  EXPECT_EQ(Grid->GetColWidths(1), 64);
  Drag(100, RowLine(1), 100, RowLine(1) + 20); // a data column: no row sizing
  EXPECT_EQ(Grid->GetRowHeights(1), 24);
  Drag(30, RowLine(1), 30, RowLine(1) + 20);
  EXPECT_EQ(Grid->GetRowHeights(1), 44);
  Drag(ColLine(0), 5, ColLine(0) + 20, 5); // a fixed column cannot be sized
  EXPECT_EQ(Grid->GetColWidths(0), 64);
  Grid->SetOptions(Grid->GetOptions() - TYGridOptions{ygoColSizing});
  Drag(ColLine(1), 5, ColLine(1) + 20, 5);
  EXPECT_EQ(Grid->GetColWidths(1), 64);
}

TEST_F(GridMouse, AReleaseAtOnePixelLeavesTheSize) {
  Drag(ColLine(1), 5, 65 + 1, 5); // one pixel wide
  EXPECT_EQ(Grid->GetColWidths(1), 64);
  Drag(ColLine(1), 5, 65 + 2, 5);
  EXPECT_EQ(Grid->GetColWidths(1), 2);
}

TEST_F(GridMouse, ThePartlyVisibleColumnAtTheWindowEdgeCanBeSized) {
  Grid->GetHolder()->SetColCount(8); // columns 0 to 5 fit wholly, column 6 is cut at x = 400
  Drag(398, 5, 420, 5);
  EXPECT_EQ(Grid->GetColWidths(6), 422 - 6 * 65);
  EXPECT_EQ(Grid->GetColWidths(5), 64);
}

TEST_F(GridMouse, RightToLeftSizingFollowsTheLineTheUserSees) {
  Grid->SetBiDiMode(bdRightToLeft);  // column 0 at the right edge, columns grow to the left
  const int Line = 400 - ColLine(1); // column 1's line, seen from the left
  const std::vector<TColor> Before = Surface();
  MouseDownAt(*Grid, Line + 2, 5);
  EXPECT_EQ(Grid->GetGridState(), ygsColSizing);
  MoveTo(*Grid, Line + 2 - 20, 5, {ssLeft});
  // The line is drawn where the pointer drags it, keeping its distance to the pointer.
  EXPECT_GT(ChangedPixelsInColumn(Before, Line - 20), 40);
  MouseUpAt(*Grid, Line + 2 - 20, 5);
  EXPECT_EQ(Grid->GetColWidths(1), 84); // and the size agrees with that line
}

TEST_F(GridMouse, DesignTimeSizingWorksWithoutTheOptions) {
  Grid->SetOptions(Grid->GetOptions() - TYGridOptions{ygoColSizing, ygoRowSizing});
  EXPECT_FALSE(Grid->Sizing(ColLine(1), 5));
  const std::intptr_t Point = PointToLParam(ColLine(1), 5);
  EXPECT_EQ(Grid->Perform(CM_DESIGNHITTEST, 0, Point), 0);
  Grid->SetDesigning(true);
  EXPECT_TRUE(Grid->Sizing(ColLine(1), 5));
  EXPECT_EQ(Grid->Perform(CM_DESIGNHITTEST, 0, Point), -1);
  Drag(ColLine(1), 5, ColLine(1) + 10, 5);
  EXPECT_EQ(Grid->GetColWidths(1), 74);
}

TEST_F(GridMouse, TheSizingLineIsVisibleAndErasedExactly) {
  const std::vector<TColor> Before = Surface();
  // A paint that ends on a fixed cell leaves the canvas pen black; the line must still show.
  Grid->GetCanvas()->GetPen()->Color = clBlack;
  MouseDownAt(*Grid, ColLine(1), 5);
  EXPECT_EQ(Grid->GetGridState(), ygsColSizing);
  EXPECT_GT(ChangedPixelsInColumn(Before, ColLine(1)), 40); // dotted over the grid's height
  MoveTo(*Grid, ColLine(1) + 30, 5, {ssLeft});
  EXPECT_EQ(ChangedPixelsInColumn(Before, ColLine(1)), 0);
  EXPECT_GT(ChangedPixelsInColumn(Before, ColLine(1) + 30), 40);
  Grid->Perform(CM_CANCELMODE, 0, 0); // another control asked to end the interaction
  EXPECT_EQ(Grid->GetGridState(), ygsNormal);
  EXPECT_EQ(Surface(), Before);
  MouseUpAt(*Grid, ColLine(1) + 30, 5);
  EXPECT_EQ(Grid->GetColWidths(1), 64); // cancelled
}

TEST_F(GridMouse, LosingTheMouseWhileSizingEndsAtTheLineShown) {
  // The window's own cancel releases the button first, as a release where the line is.
  MouseDownAt(*Grid, ColLine(1), 5);
  MoveTo(*Grid, ColLine(1) + 30, 5, {ssLeft});
  Grid->Perform(WM_CANCELMODE, 0, 0);
  EXPECT_EQ(Grid->GetGridState(), ygsNormal);
  EXPECT_EQ(Grid->GetColWidths(1), 94);
  EXPECT_FALSE(Grid->GetMouseCapture());
}

TEST_F(GridMouse, ARowDraggedByItsHeaderMovesOnRelease) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoRowMoving});
  std::vector<std::pair<int, int>> Moved;
  Grid->OnRowMoved = [&](TYCustomGrid*, std::int32_t From, std::int32_t To) {
    Moved.emplace_back(From, To);
  };
  TYCellsVector* Row1 = Grid->GetRows(1);
  const std::vector<TColor> Before = Surface();
  MouseDownAt(*Grid, 30, 25 + 10, mbRight);
  EXPECT_EQ(Grid->GetGridState(), ygsRowMoving);
  MoveTo(*Grid, 100, 75 + 10, {ssRight});
  // The marker lies on the bottom edge of row 3, where the row will land.
  const int Edge = Grid->CellRect(0, 3).Bottom;
  Grid->Update();
  int Marked = 0;
  for (int X = 0; X < Grid->GetClientWidth(); ++X)
    Marked += SurfacePixel(*Grid, X, Edge) != Before[static_cast<size_t>(Edge * 400 + X)];
  EXPECT_GT(Marked, 100);
  EXPECT_TRUE(Moved.empty());
  MouseUpAt(*Grid, 100, 75 + 10, mbRight);
  EXPECT_EQ(Moved, (std::vector<std::pair<int, int>>{{1, 3}}));
  EXPECT_EQ(Grid->GetRows(3), Row1);
  EXPECT_EQ(Grid->GetGridState(), ygsNormal);
  EXPECT_TRUE(ModelConsistent(*Grid));
  // Released where it started: nothing moves.
  Drag(30, 25 + 10, 30, 25 + 10, mbRight);
  EXPECT_EQ(Moved.size(), 1u);
}

TEST_F(GridMouse, AColumnDraggedByItsHeaderMovesAndTheMarkerIsErased) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoColMoving});
  std::vector<std::pair<int, int>> Moved;
  Grid->OnColumnMoved = [&](TYCustomGrid*, std::int32_t From, std::int32_t To) {
    Moved.emplace_back(From, To);
  };
  Drag(65 * 3 + 30, 10, 65 * 1 + 30, 30, mbRight);
  EXPECT_EQ(Moved, (std::vector<std::pair<int, int>>{{3, 1}}));
  const std::vector<TColor> Before = Surface();
  MouseDownAt(*Grid, 65 * 2 + 30, 10, mbRight);
  MoveTo(*Grid, 65 * 4 + 30, 30, {ssRight});
  Grid->Perform(WM_CANCELMODE, 0, 0);
  EXPECT_EQ(Surface(), Before);
  MouseUpAt(*Grid, 65 * 4 + 30, 30, mbRight);
  EXPECT_EQ(Moved.size(), 1u);
}

TEST_F(GridMouse, EventsComeInOrderAndASizingPressFiresNone) {
  std::vector<std::string> Log;
  Grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { Log.push_back("down"); };
  Grid->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { Log.push_back("up"); };
  Grid->OnClick = [&](TObject*) { Log.push_back("click"); };
  ClickAt(*Grid, 65 * 2 + 30, 25 * 2 + 10);
  EXPECT_EQ(Log, (std::vector<std::string>{"down", "click", "up"}));
  EXPECT_EQ(Grid->GetCol(), 2);
  EXPECT_EQ(Grid->GetRow(), 2);
  Log.clear();
  ClickAt(*Grid, ColLine(1), 5);
  EXPECT_EQ(Log, (std::vector<std::string>{"up"}));
}

TEST_F(GridMouse, TheCurrentCellFollowsTheHeldButtonAndShiftMarksARange) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoRowsMarking});
  MouseDownAt(*Grid, 100, 35);
  MoveTo(*Grid, 230, 85, {ssLeft});
  EXPECT_EQ(Grid->GetCol(), 3);
  EXPECT_EQ(Grid->GetRow(), 3);
  MouseUpAt(*Grid, 230, 85);
  EXPECT_EQ(Grid->GetMarkedCount(), 0);
  MouseDownAt(*Grid, 100, 35, mbLeft, {ssShift});
  MoveTo(*Grid, 100, 85, {ssLeft, ssShift});
  MouseUpAt(*Grid, 100, 85, mbLeft, {ssShift});
  EXPECT_EQ(Grid->GetMarkedCount(), 3); // rows 1 to 3
  EXPECT_TRUE(Grid->GetRows(2)->GetMarked());
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(GridMouse, AHandlerThatRaisesLeavesNoMarkerAndNoInteraction) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoRowMoving});
  std::vector<std::string> Reported;
  Application->OnException = [&](TObject*, const std::exception& E) {
    Reported.push_back(E.what());
  };
  Grid->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) {
    throw Exception("down");
  };
  const std::vector<TColor> Before = Surface();
  MouseDownAt(*Grid, 30, 25 + 10, mbRight);
  EXPECT_EQ(Surface(), Before); // the move's marker was erased on the way out
  EXPECT_EQ(Grid->GetGridState(), ygsNormal);
  MouseUpAt(*Grid, 30, 25 + 10, mbRight);
  EXPECT_EQ(Surface(), Before); // and the release draws none
  Grid->OnMouseDown = nullptr;
  Grid->OnMouseUp = [](TObject*, TMouseButton, TShiftState, int, int) { throw Exception("up"); };
  MouseDownAt(*Grid, 100, 35);
  EXPECT_EQ(Grid->GetGridState(), ygsFocusMoving);
  MouseUpAt(*Grid, 100, 35);
  EXPECT_EQ(Grid->GetGridState(), ygsNormal);
  Application->OnException = nullptr;
  EXPECT_EQ(Reported, (std::vector<std::string>{"down", "up"}));
}

TEST_F(GridMouse, SplitCursorsShowOverSizingLines) {
  const auto CursorAt = [&](int X, int Y) {
    MoveTo(*Grid, X, Y);
    return WindowCursor(*Grid);
  };
  EXPECT_EQ(CursorAt(ColLine(1), 5), Screen->GetCursors(crHSplit));
  EXPECT_EQ(CursorAt(30, RowLine(2)), Screen->GetCursors(crVSplit));
  EXPECT_NE(CursorAt(100, 40), Screen->GetCursors(crHSplit));
  EXPECT_NE(CursorAt(100, 40), Screen->GetCursors(crVSplit));
}

// A window narrower than one column (100 x 40 pixels: the fixed cells take 65 x 25), so the
// first scrollable column and row are cut by the edges wherever the grid is scrolled. Sizing
// at an edge sizes the cell the edge cuts, in both alignments; the errors a press or drag
// raised are collected.
class GridEdgeSizing : public GridMouse, public testing::WithParamInterface<TBiDiMode> {
protected:
  void SetUp() override {
    GridMouse::SetUp();
    Grid->SetBounds(0, 0, 100, 40);
    Grid->SetBiDiMode(GetParam());
    Application->OnException = [this](TObject*, const std::exception& E) {
      Errors.push_back(E.what());
    };
  }
  void TearDown() override {
    Application->OnException = nullptr;
    GridMouse::TearDown();
  }
  // X measured from the side where the grid starts.
  int FromStart(int X) const {
    return GetParam() == bdRightToLeft ? Grid->GetClientWidth() - X : X;
  }
  std::vector<std::string> Errors;
};

TEST_P(GridEdgeSizing, TheColumnCutByTheEdgeIsTheOneSized) {
  for (std::int32_t Left = 1; Left <= 4; ++Left) {
    Grid->SetLeftCol(Left);
    Drag(FromStart(98), 5, FromStart(88), 5); // from the edge, 10 pixels back
    for (std::int32_t Col = 1; Col <= 4; ++Col)
      EXPECT_EQ(Grid->GetColWidths(Col), Col == Left ? 90 - 65 : 64) << Left << " " << Col;
    Grid->SetColWidths(Left, 64);
  }
  EXPECT_EQ(Errors, std::vector<std::string>{});
}

TEST_P(GridEdgeSizing, TheRowCutByTheBottomIsTheOneSized) {
  for (std::int32_t Top = 1; Top <= 4; ++Top) {
    Grid->SetTopRow(Top);
    Drag(FromStart(5), 38, FromStart(5), 33);
    for (std::int32_t Row = 1; Row <= 4; ++Row)
      EXPECT_EQ(Grid->GetRowHeights(Row), Row == Top ? 35 - 25 : 24) << Top << " " << Row;
    Grid->SetRowHeights(Top, 24);
  }
  EXPECT_EQ(Errors, std::vector<std::string>{});
}

TEST_P(GridEdgeSizing, CellsThatEndExactlyAtTheEdgeAreSizedOnTheirOwnLine) {
  Grid->SetBounds(0, 0, 65 + 65 + 65, 40); // columns 1 and 2 fill the window, lines included
  Grid->GetHolder()->SetColCount(3);
  Drag(FromStart(65 * 3 - 1), 5, FromStart(65 * 3 - 11), 5);
  EXPECT_EQ(Grid->GetColWidths(2), 54);
  EXPECT_EQ(Grid->GetColWidths(1), 64);
  EXPECT_EQ(Errors, std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Alignments, GridEdgeSizing, testing::Values(bdLeftToRight, bdRightToLeft),
                         [](const testing::TestParamInfo<TBiDiMode>& Info) {
                           return std::string(Info.param == bdRightToLeft ? "RightToLeft"
                                                                          : "LeftToRight");
                         });

} // namespace
