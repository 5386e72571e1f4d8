// The grid against hosts and states that try to break it: a grid without a visible column or
// row under every kind of input and paint, handlers that change the grid from inside its
// events, and what hooks read while the grid is in the middle of its own work.
#include "tests/grid/gui/GridGuiSupport.h"

#include "host/gui/WinUser.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace Testing;

// Collects what input and paint report through the application instead of message boxes.
class GridAgainstHost : public GridOnForm {
protected:
  void SetUp() override {
    GridOnForm::SetUp();
    Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoColSizing, ygoRowSizing, ygoColMoving,
                                                        ygoRowMoving, ygoRowsMarking});
    Application->OnException = [this](TObject*, const std::exception& E) {
      Errors.push_back(E.what());
    };
  }
  void TearDown() override {
    Application->OnException = nullptr;
    GridOnForm::TearDown();
  }
  // Every kind of user input at a few points of the window: presses, drags with either button,
  // double clicks, the wheel, keys.
  void EveryInput() {
    for (const TPoint P : {TPoint{5, 5}, TPoint{30, 35}, TPoint{100, 40}, TPoint{ColLine, 5},
                           TPoint{30, RowLine}, TPoint{390, 190}}) {
      ClickAt(*Grid, P.X, P.Y);
      ClickAt(*Grid, P.X, P.Y, {ssShift});
      for (const TMouseButton Button : {mbLeft, mbRight}) {
        const TShiftState Held = Button == mbLeft ? TShiftState{ssLeft} : TShiftState{ssRight};
        MouseDownAt(*Grid, P.X, P.Y, Button);
        MoveTo(*Grid, P.X + 70, P.Y + 30, Held);
        MouseUpAt(*Grid, P.X + 70, P.Y + 30, Button);
      }
      DoubleClickAt(*Grid, P.X, P.Y);
      Wheel(*Grid, P.X, P.Y, -WHEEL_DELTA);
      Wheel(*Grid, P.X, P.Y, WHEEL_DELTA, {ssCtrl});
    }
    for (const unsigned short Key : {VK_DOWN, VK_RIGHT, VK_NEXT, VK_END, VK_HOME, VK_TAB})
      PressKey(*Grid, Key, Key == VK_END ? TShiftState{ssShift} : TShiftState{});
    Grid->Update();
  }
  TColor Background() { return Rgb(Grid->GetColors()->GetColor(ycBakgroundFieldColor)); }
  static constexpr int ColLine = 65 + 64; // column 1's line
  static constexpr int RowLine = 25 + 24; // row 1's line
  std::vector<std::string> Errors;
};

// ---------------------------------------------------------------- no visible column or row

TEST_F(GridAgainstHost, InputOnAGridWithoutVisibleColumnsDoesNothing) {
  TYCellsHolder* H = Grid->GetHolder();
  for (std::int32_t I = 0; I < H->GetColCount(); ++I)
    H->GetCols(I)->SetVisible(false);
  ASSERT_EQ(Grid->GetColCount(), 0);
  const TYGridCoord Before{Grid->GetCol(), Grid->GetRow()};
  EveryInput();
  EXPECT_EQ(Errors, std::vector<std::string>{});
  const TYGridCoord After{Grid->GetCol(), Grid->GetRow()};
  EXPECT_EQ(After, Before);
  EXPECT_EQ(Grid->GetGridState(), ygsNormal);
  EXPECT_TRUE(ModelConsistent(*Grid));
  EXPECT_EQ(Pixel(200, 100), Background()) << "the background field";
}

TEST_F(GridAgainstHost, InputOnAGridWithoutVisibleRowsDoesNothing) {
  TYCellsHolder* H = Grid->GetHolder();
  for (std::int32_t I = 0; I < H->GetRowCount(); ++I)
    H->GetRows(I)->SetVisible(false);
  ASSERT_EQ(Grid->GetRowCount(), 0);
  EveryInput();
  EXPECT_EQ(Errors, std::vector<std::string>{});
  EXPECT_EQ(Grid->GetGridState(), ygsNormal);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(GridAgainstHost, AGridWithoutColumnsPaintsItsBackgroundWhateverItsFixedRows) {
  TYCellsHolder* H = Grid->GetHolder();
  H->ChangeSize(0, 5);
  ASSERT_EQ(Grid->GetColCount(), 0);
  for (const std::int32_t Fixed : {0, 3, 1, 4, 0}) {
    H->SetFixedRows(Fixed);
    Grid->InvalidateGrid();
    EXPECT_EQ(Pixel(10, 10), Background()) << Fixed;
    EXPECT_EQ(Pixel(390, 190), Background()) << Fixed;
    EXPECT_EQ(Errors, std::vector<std::string>{}) << Fixed;
  }
  EveryInput();
  EXPECT_EQ(Errors, std::vector<std::string>{});
  EXPECT_TRUE(ModelConsistent(*Grid));
}

// ---------------------------------------------------------------- extreme sizes

TEST_F(GridAgainstHost, ACellWiderThanAnyScreenIsPaintedAndSizedAtTheEdge) {
  const TColor Normal = Pixel(200, 60); // cell (3, 2): an ordinary scrollable cell
  Grid->SetGridLineWidth(3);
  Grid->SetColWidths(1, INT32_MAX);
  Grid->SetRowHeights(3, 100000000);
  FillSurface(WholeClient().front(), clRed);
  Grid->InvalidateGrid();
  EXPECT_EQ(Pixel(200, 60), Normal) << "cell (1, 2) fills the window to its edge";
  EXPECT_EQ(Pixel(399, 190), Normal) << "and so does the tall cell below it";
  MouseDownAt(*Grid, 398, 5); // the edge cuts column 1: sizing it there
  MoveTo(*Grid, 300, 5, {ssLeft});
  MouseUpAt(*Grid, 300, 5);
  EXPECT_EQ(Grid->GetColWidths(1), 300 + 2 - 67);
  EXPECT_EQ(Errors, std::vector<std::string>{});
  EXPECT_TRUE(ModelConsistent(*Grid));
}

// ---------------------------------------------------------------- handlers that change the grid

TEST_F(GridAgainstHost, AFocusHandlerThatHidesTheTargetColumnLeavesAValidCurrentCell) {
  int Calls = 0;
  Grid->OnFocusCell = [&](TYCustomGrid* G, TYCell*, std::int32_t& ACol, std::int32_t&) {
    if (++Calls == 1) G->GetCols(ACol)->SetVisible(false);
  };
  PressKey(*Grid, VK_END); // to the last column, which the handler hides on the way
  EXPECT_EQ(Errors, std::vector<std::string>{});
  EXPECT_EQ(Grid->GetColCount(), 4);
  EXPECT_EQ(Grid->GetCol(), 3) << "the last column still there";
  EXPECT_TRUE(ModelConsistent(*Grid));
  EXPECT_EQ(GridErrorOf([&] { Grid->SetCol(2); }), "no error");
  EXPECT_EQ(Grid->GetCol(), 2);
}

TEST_F(GridAgainstHost, AFocusHandlerThatHidesTheCurrentColumnWhileTheMouseMoves) {
  Grid->OnFocusCell = [&](TYCustomGrid* G, TYCell*, std::int32_t&, std::int32_t&) {
    if (G->GetColCount() > 2) G->GetCols(G->GetCol())->SetVisible(false);
  };
  MouseDownAt(*Grid, 65 * 4 + 30, 25 * 3 + 10); // cell (4, 3)
  MoveTo(*Grid, 65 * 1 + 30, 25 * 1 + 10, {ssLeft});
  MouseUpAt(*Grid, 65 * 1 + 30, 25 * 1 + 10);
  EXPECT_EQ(Errors, std::vector<std::string>{});
  EXPECT_TRUE(ModelConsistent(*Grid));
  EXPECT_EQ(Grid->GetGridState(), ygsNormal);
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
}

TEST_F(GridAgainstHost, AFocusHandlerThatDeletesRowsAndRedirectsPastTheEnd) {
  Grid->OnFocusCell = [&](TYCustomGrid* G, TYCell*, std::int32_t&, std::int32_t& ARow) {
    if (G->GetRowCount() <= 3) return;
    G->GetHolder()->DeleteRow(G->GetHolder()->GetRowCount() - 1);
    ARow = 4; // gone by now: the target is pulled back into the grid
  };
  PressKey(*Grid, VK_DOWN);
  EXPECT_EQ(Errors, std::vector<std::string>{});
  EXPECT_TRUE(ModelConsistent(*Grid));
  EXPECT_LT(Grid->GetRow(), Grid->GetRowCount());
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
}

TEST_F(GridAgainstHost, ADrawingHookThatDeletesACellsRowEndsThatPaintSafely) {
  bool Once = true;
  Grid->OnBeforeDrawCell = [&](TYCustomGrid* G, TYCell*, std::int32_t, std::int32_t ARow,
                               TYGridDrawStates, const TRect&, bool&) {
    if (Once && ARow == 2) {
      Once = false;
      G->GetHolder()->DeleteRow(2); // the cell being painted goes with it
    }
  };
  Grid->InvalidateGrid();
  Grid->Update();
  EXPECT_EQ(Errors, std::vector<std::string>{});
  EXPECT_EQ(Grid->GetRowCount(), 4);
  EXPECT_TRUE(ModelConsistent(*Grid));
  EXPECT_TRUE(SameAsFullRepaint(*Grid)) << "the next paint shows the grid as it is now";
}

TEST_F(GridAgainstHost, AHandlerThatDeletesVectorsDuringADragEndsTheDragCleanly) {
  Grid->OnMouseMove = [&](TObject*, TShiftState, int, int) {
    TYCellsHolder* H = Grid->GetHolder();
    if (Grid->GetGridState() == ygsColMoving) H->DeleteCol(H->GetColCount() - 1);
    if (Grid->GetGridState() == ygsColSizing) H->DeleteCol(1);
  };
  MouseDownAt(*Grid, 65 * 4 + 30, 10, mbRight); // moving column 4, which goes
  MoveTo(*Grid, 65 * 2 + 30, 10, {ssRight});
  MouseUpAt(*Grid, 65 * 2 + 30, 10, mbRight);
  EXPECT_EQ(Grid->GetGridState(), ygsNormal);
  EXPECT_TRUE(SameAsFullRepaint(*Grid)) << "the marker was erased";
  MouseDownAt(*Grid, ColLine, 5); // sizing column 1, which goes
  MoveTo(*Grid, ColLine + 30, 5, {ssLeft});
  MouseUpAt(*Grid, ColLine + 30, 5);
  EXPECT_EQ(Grid->GetGridState(), ygsNormal);
  EXPECT_TRUE(SameAsFullRepaint(*Grid)) << "the line was erased";
  EXPECT_EQ(Grid->GetColCount(), 3);
  for (std::int32_t I = 0; I < Grid->GetColCount(); ++I)
    EXPECT_EQ(Grid->GetColWidths(I), 64) << "no column took the size meant for another";
  EXPECT_EQ(Errors, std::vector<std::string>{});
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(GridAgainstHost, APressWhoseFocusHandlerRaisesBeginsNoInteraction) {
  Grid->OnFocusCell = [](TYCustomGrid*, TYCell*, std::int32_t&, std::int32_t&) {
    throw Exception("refused");
  };
  MouseDownAt(*Grid, 65 * 3 + 30, 25 * 3 + 10);
  EXPECT_EQ(Grid->GetGridState(), ygsNormal) << "no focus drag left running";
  EXPECT_EQ(Errors, std::vector<std::string>{"refused"});
  Grid->OnFocusCell = nullptr;
  MouseUpAt(*Grid, 65 * 3 + 30, 25 * 3 + 10);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(GridAgainstHost, AFixedButtonWhoseColumnAHandlerHidesIsReleasedQuietly) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoSupportFixedButtons});
  Grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
    Grid->GetCols(4)->SetVisible(false);
  };
  MouseDownAt(*Grid, 65 * 4 + 30, 10); // the header of the last column, a button
  MouseUpAt(*Grid, 65 * 4 + 30, 10);
  EXPECT_EQ(Errors, std::vector<std::string>{});
  EXPECT_EQ(Grid->GetColCount(), 4);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

// ---------------------------------------------------------------- what hooks read

TEST_F(GridAgainstHost, DrawingHooksReadTheRealScrollBarsWhileTheRangeIsWorkedOut) {
  Grid->SetScrollBars(ssBoth);
  Grid->GetHolder()->ChangeSize(12, 20);
  Grid->SetBounds(0, 0, 200, 120);
  Grid->Update();
  PressKey(*Grid, VK_END, {ssCtrl}); // scrolled to the last cell
  Grid->Update();
  std::vector<TScrollStyle> Seen;
  Grid->OnBeforeDrawCell = [&](TYCustomGrid* G, TYCell*, std::int32_t, std::int32_t,
                               TYGridDrawStates, const TRect&,
                               bool&) { Seen.push_back(G->GetScrollBars()); };
  Grid->InvalidateGrid();
  Grid->SetBounds(0, 0, 400, 200); // room for more: the range pulls the scroll position back
  Grid->Update();
  ASSERT_FALSE(Seen.empty());
  EXPECT_EQ(std::count(Seen.begin(), Seen.end(), ssBoth), static_cast<long>(Seen.size()));
  EXPECT_EQ(Errors, std::vector<std::string>{});
}

} // namespace
