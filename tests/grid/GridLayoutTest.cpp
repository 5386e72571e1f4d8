// Layout of the grid on screen: which cells are visible, the cell under a point, the screen
// rectangle of a range, and how far the grid can scroll. A grid without a window lays itself
// out in its bounds.
#include "tests/support/GridTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Reaches the scroll position, which only scrolling moves.
class LayoutGrid : public TYGrid {
public:
  using TYGrid::TYGrid;
  void ScrollTo(std::int32_t Left, std::int32_t Top) { TopLeftCoord = {Left, Top}; }
};

class GridLayoutTest : public testing::Test {
protected:
  void SetUp() override {
    G = std::make_unique<LayoutGrid>(nullptr);
    G->GetHolder()->ChangeSize(6, 6);
    G->SetBounds(0, 0, 200, 100); // columns of 64 + 1, rows of 24 + 1
  }
  TYGridDrawInfo Layout() const {
    TYGridDrawInfo DI;
    G->CalcDrawInfo(DI);
    return DI;
  }
  void Lines(bool On) {
    const TYGridOptions LineOptions{ygoFixedVertLine, ygoFixedHorzLine, ygoVertLine, ygoHorzLine};
    G->SetOptions(On ? G->GetOptions() + LineOptions : G->GetOptions() - LineOptions);
  }
  std::unique_ptr<LayoutGrid> G;
};

TEST_F(GridLayoutTest, FixedAndScrollablePartsOfBothAxes) {
  const TYGridDrawInfo DI = Layout();
  EXPECT_EQ(DI.Horz.LineWidth, 1);
  EXPECT_EQ(DI.Horz.FixedBoundary, 65);
  EXPECT_EQ(DI.Horz.GridExtent, 200);
  EXPECT_EQ(DI.Horz.LastFullVisibleCell, 2); // 65 + 65 + 65 = 195 fits, the next does not
  EXPECT_EQ(DI.Horz.FullVisibleBoundary, 195);
  EXPECT_EQ(DI.Horz.GridBoundary, 200); // cut at the client edge
  EXPECT_EQ(DI.Vert.FixedBoundary, 25);
  EXPECT_EQ(DI.Vert.LastFullVisibleCell, 3);
  EXPECT_EQ(G->GetVisibleColCount(), 2);
  EXPECT_EQ(G->GetVisibleRowCount(), 3);
  EXPECT_EQ(G->GetGridWidth(), 200);
}

TEST_F(GridLayoutTest, WithoutLineOptionsCellsAbut) {
  Lines(false);
  const TYGridDrawInfo DI = Layout();
  EXPECT_EQ(DI.Horz.LineWidth, 0);
  EXPECT_EQ(DI.Vert.LineWidth, 0);
  EXPECT_EQ(DI.Horz.FixedBoundary, 64);
  EXPECT_EQ(G->CellRect(2, 1), Rect(128, 24, 192, 48));
}

TEST_F(GridLayoutTest, ACellEndingAtTheClientEdgeIsWhollyVisibleWithoutItsLine) {
  G->SetBounds(0, 0, 65 + 65 + 64, 100); // the second scrollable column ends at the edge
  const TYGridDrawInfo DI = Layout();
  EXPECT_EQ(DI.Horz.LastFullVisibleCell, 2);
  EXPECT_EQ(DI.Horz.FullVisibleBoundary, 195); // its line lies past the edge
  EXPECT_EQ(DI.Horz.GridBoundary, 194);        // more columns follow: cut at the edge
}

TEST_F(GridLayoutTest, AScrollableColumnWiderThanTheWindow) {
  G->SetColWidths(1, 500);
  const TYGridDrawInfo DI = Layout();
  EXPECT_EQ(DI.Horz.LastFullVisibleCell, G->GetLeftCol());
  EXPECT_EQ(G->GetVisibleColCount(), 1);
  EXPECT_EQ(G->GetGridWidth(), 200);
}

TEST_F(GridLayoutTest, MaxTopLeftShowsTheGivenCellAsTheLastWhollyVisibleOne) {
  const TYGridDrawInfo DI = Layout();
  // Two scrollable columns fit beside the fixed one: 5 is last when 4 is first.
  EXPECT_EQ(G->CalcMaxTopLeft({5, 5}, DI).X, 4);
  EXPECT_EQ(G->CalcMaxTopLeft({5, 5}, DI).Y, 3);
  EXPECT_EQ(G->CalcMaxTopLeft({0, 0}, DI).X, 0); // a fixed cell answers itself
  G->SetColWidths(5, 500);
  EXPECT_EQ(G->CalcMaxTopLeft({5, 5}, Layout()).X, 5); // too wide to fit: itself
}

TEST_F(GridLayoutTest, ZeroWidthColumnsAreSkippedByMaxTopLeftAndHitOnlyOnTheirLine) {
  G->SetColWidths(3, 0);
  G->SetColWidths(4, 0);
  EXPECT_EQ(G->CalcMaxTopLeft({5, 5}, Layout()).X, 2); // 2 and 5 fit; 3 and 4 take no room
  // Column 2 spans 130..194 with its line; column 3 is just its line at 195.
  const TYGridDrawInfo DI = Layout();
  EXPECT_EQ(G->CalcCoordFromPoint(194, 30, DI).X, 2);
  EXPECT_EQ(G->CalcCoordFromPoint(195, 30, DI).X, 3);
  EXPECT_EQ(G->CalcCoordFromPoint(196, 30, DI).X, 4);
  Lines(false);
  const TYGridDrawInfo NoLines = Layout();
  for (int X = 0; X < 200; ++X)
    EXPECT_NE(G->CalcCoordFromPoint(X, 30, NoLines).X, 3) << X;
}

TEST_F(GridLayoutTest, PointsMapToCellsIncludingTheirTrailingLine) {
  const TYGridDrawInfo DI = Layout();
  EXPECT_EQ(G->CalcCoordFromPoint(0, 0, DI), (TYGridCoord{0, 0}));
  EXPECT_EQ(G->CalcCoordFromPoint(64, 24, DI), (TYGridCoord{0, 0})); // on the lines
  EXPECT_EQ(G->CalcCoordFromPoint(65, 25, DI), (TYGridCoord{1, 1}));
  EXPECT_EQ(G->CalcCoordFromPoint(-5, -5, DI),
            (TYGridCoord{0, 0})); // left of everything: first fixed
  EXPECT_EQ(G->CalcCoordFromPoint(380, 30, DI).X,
            5); // beyond the edge: the cell that would lie there
  EXPECT_EQ(G->CalcCoordFromPoint(390, 30, DI).X, -1); // beyond the last column's line
  G->ScrollTo(3, 2);
  EXPECT_EQ(G->CalcCoordFromPoint(70, 30, Layout()), (TYGridCoord{3, 2}));
}

TEST_F(GridLayoutTest, MouseCoordIsNoneForBothAxesOutsideEither) {
  G->GetHolder()->ChangeSize(6, 2);
  EXPECT_EQ(G->MouseCoord(70, 90), (TYGridCoord{-1, -1})); // below the last row
  EXPECT_EQ(G->MouseCoord(70, 30), (TYGridCoord{1, 1}));
}

TEST_F(GridLayoutTest, ScreenRectanglesOfRanges) {
  EXPECT_EQ(G->BoxRect(1, 1, 2, 2), Rect(65, 25, 194, 74));
  TRect R;
  G->GridRectToScreenRect({1, 1, 2, 2}, R, true);
  EXPECT_EQ(R, Rect(65, 25, 195, 75));
  EXPECT_EQ(G->BoxRect(1, 1, 5, 1),
            Rect(65, 25, 200, 49)); // the partly visible column is cut at the edge
  EXPECT_EQ(G->BoxRect(2, 1, 1, 1), Rect(0, 0, 0, 0)); // reversed
  EXPECT_EQ(G->BoxRect(5, 1, 5, 1), Rect(0, 0, 0, 0)); // starts beyond the visible cells
}

TEST_F(GridLayoutTest, RangesScrolledOutToTheLeft) {
  G->ScrollTo(3, 1);
  EXPECT_EQ(G->BoxRect(1, 1, 2, 1), Rect(0, 0, 0, 0)); // all scrolled out
  EXPECT_EQ(G->BoxRect(1, 1, 3, 1).Left, 65);          // starts scrolled out, ends visible
  EXPECT_EQ(G->BoxRect(0, 1, 3, 1),
            Rect(0, 25, 129, 49)); // the fixed column and the first shown one
}

TEST_F(GridLayoutTest, CellAndUnionRectanglesCheckTheirIndex) {
  EXPECT_EQ(GridErrorOf([&] { G->CellRect(6, 1); }), "TYGrid::Grid index out of range");
  EXPECT_EQ(GridErrorOf([&] { G->UnionRect(1, -1); }), "TYGrid::Grid index out of range");
  G->GetHolder()->GetCellsUnions()->Add({1, 1}, {1, 1}, {2, 2}, true);
  EXPECT_EQ(G->UnionRect(2, 2), Rect(65, 25, 194, 74));
  EXPECT_EQ(G->CellRect(2, 2), Rect(130, 50, 194, 74));
}

} // namespace

// ---------------------------------------------------------------- searching the running sums

namespace {
// The layout of the scrollable part of one axis by the cell-by-cell walk, for comparison.
void WalkAxis(const TYGridAxisDrawInfo& A, std::int64_t& GridBoundary, std::int32_t& LastFull,
              std::int64_t& FullBoundary) {
  GridBoundary = FullBoundary = A.FixedBoundary;
  LastFull = A.FirstGridCell;
  for (std::int32_t I = A.FirstGridCell; I < A.GridCellCount; ++I) {
    GridBoundary += std::int64_t{A.GetExtent(I)} + A.LineWidth;
    if (GridBoundary > std::int64_t{A.GridExtent} + A.LineWidth) {
      GridBoundary = A.GridExtent;
      return;
    }
    LastFull = I;
    FullBoundary = GridBoundary;
  }
}

TYGridDrawInfo WithoutSums(TYGridDrawInfo DI) {
  DI.Horz.Sizes = nullptr;
  DI.Vert.Sizes = nullptr;
  return DI;
}
} // namespace

// The layout searches the store's running sums instead of walking; on random grids (zero
// and negative sizes, lines of 0 to 3 pixels, any scroll position) it must answer exactly
// what the walk answers.
TEST(GridLayoutSums, SearchesAnswerWhatTheWalkAnswers) {
  std::mt19937 Rng(7);
  auto Pick = [&](int Low, int High) { return std::uniform_int_distribution<>(Low, High)(Rng); };
  for (int Round = 0; Round < 300; ++Round) {
    auto G = std::make_unique<LayoutGrid>(nullptr);
    TYCellsHolder* H = G->GetHolder();
    H->ChangeSize(Pick(1, 30), Pick(1, 30));
    H->SetFixedCols(Pick(0, H->GetColCount() - 1));
    H->SetFixedRows(Pick(0, H->GetRowCount() - 1));
    for (std::int32_t I = 0; I < H->GetColCount(); ++I)
      H->GetCols(I)->SetSize(Pick(0, 4) == 0 ? 0 : Pick(Round % 5 == 0 ? -20 : 1, 90));
    for (std::int32_t I = 0; I < H->GetRowCount(); ++I)
      H->GetRows(I)->SetSize(Pick(0, 4) == 0 ? 0 : Pick(1, 40));
    G->SetGridLineWidth(Pick(0, 3));
    G->SetBounds(0, 0, Pick(0, 500), Pick(0, 300));
    G->ScrollTo(Pick(G->GetFixedCols(), G->GetColCount() - 1),
                Pick(G->GetFixedRows(), G->GetRowCount() - 1));
    TYGridDrawInfo DI;
    G->CalcDrawInfo(DI);
    for (const TYGridAxisDrawInfo* A : {&DI.Horz, &DI.Vert}) {
      std::int64_t Boundary = 0, Full = 0;
      std::int32_t Last = 0;
      WalkAxis(*A, Boundary, Last, Full);
      EXPECT_EQ(A->GridBoundary, Boundary) << "round " << Round;
      EXPECT_EQ(A->LastFullVisibleCell, Last) << "round " << Round;
      EXPECT_EQ(A->FullVisibleBoundary, Full) << "round " << Round;
    }
    const TYGridDrawInfo Walk = WithoutSums(DI);
    for (std::int32_t X = -3; X < DI.Horz.GridExtent + 80; X += 3)
      for (std::int32_t Y = -3; Y < DI.Vert.GridExtent + 40; Y += 7)
        ASSERT_EQ(G->CalcCoordFromPoint(X, Y, DI), G->CalcCoordFromPoint(X, Y, Walk))
            << "round " << Round << " at " << X << "," << Y;
  }
}

// Sizes near the 32-bit limit neither overflow the layout nor lose its order: positions are
// summed in 64 bits and clamped where they are stored.
TEST(GridLayoutSums, HugeSizesSaturateInsteadOfOverflowing) {
  auto G = std::make_unique<LayoutGrid>(nullptr);
  TYCellsHolder* H = G->GetHolder();
  H->ChangeSize(5, 5);
  for (std::int32_t I = 0; I < 5; ++I) {
    H->GetCols(I)->SetSize(0x7fffff00);
    H->GetRows(I)->SetSize(0x7fffff00);
  }
  G->SetGridLineWidth(1000);
  G->SetBounds(0, 0, 300, 200);
  TYGridDrawInfo DI;
  G->CalcDrawInfo(DI);
  EXPECT_EQ(DI.Horz.FixedBoundary, 0x7fffffff); // clamped
  EXPECT_EQ(DI.Horz.GridBoundary, 300);
  EXPECT_EQ(G->MouseCoord(10, 10), (TYGridCoord{0, 0}));
  EXPECT_EQ(G->CellRect(0, 0), Rect(0, 0, 300, 200));
  G->ScrollTo(4, 4);
  for (std::int32_t P : {-0x7fffffff, -1, 0, 299, 0x7ffffffe, 0x7fffffff}) {
    const TYGridCoord C = G->MouseCoord(P, P);
    EXPECT_TRUE(C.X >= -1 && C.X < 5 && C.Y >= -1 && C.Y < 5) << P;
  }
  EXPECT_EQ(G->CellRect(4, 4).Right, 300); // clipped at the client edge
}
