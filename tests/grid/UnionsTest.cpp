// Unions: adding them by corners or by list, replacing overlapping ones, the pieces they are cut
// into as the layout changes, deleting and disabling them, and their shared mark.
#include "tests/support/GridTestSupport.h"

#include <functional>

namespace {

using Labels = std::vector<std::string>;
using Rects = std::vector<TYGridRect>;

Labels CellLabels(const TYCellsUnion* U) {
  Labels Result;
  for (std::int32_t I = 0; I < U->GetCellsCount(); ++I)
    Result.push_back(LabelOf(U->GetCells(I)));
  return Result;
}

Labels CellLabels(const TYGridUnion* P) {
  Labels Result;
  for (std::int32_t I = 0; I < P->GetCount(); ++I)
    Result.push_back(LabelOf(P->GetCells(I)));
  return Result;
}

Rects PieceRects(const TYCellsUnion* U) {
  Rects Result;
  for (std::int32_t I = 0; I < U->GetGridUnionsCount(); ++I)
    Result.push_back(U->GetGridUnions(I)->GetRect());
  return Result;
}

class UnionTest : public ::testing::Test {
protected:
  void SetUp() override {
    G = MakeGrid(6, 9, &R);
    R.AttachMarks(*G);
    H = G->GetHolder();
    Unions = H->GetCellsUnions();
  }
  void TearDown() override {
    G.reset();
    EXPECT_TRUE(R.Errors.empty());
    EXPECT_EQ(R.LiveData, 0);
  }
  TYCell* Cell(std::int32_t Col, std::int32_t Row) { return H->GetCells(Col, Row); }
  TYCellsUnion* Union(std::int32_t Index) { return Unions->GetUnions(Index); }
  void Mode(TYGridOption Option) { G->SetOptions(G->GetOptions() + TYGridOptions{Option}); }
  // The 2 x 3 block of columns 1-2 and rows 4-6, by holder corners.
  void AddBlock() { Unions->Add({1, 4}, {1, 4}, {2, 6}, false); }

  HookRecorder R;
  std::unique_ptr<TYGrid> G;
  TYCellsHolder* H = nullptr;
  TYCellsUnions* Unions = nullptr;
};

// ---------------------------------------------------------------- adding by corners

TEST_F(UnionTest, CornersCollectTheCellsColumnByColumn) {
  Unions->Add({2, 6}, {2, 6}, {1, 4}, false); // corners in any order
  ASSERT_EQ(Unions->GetUnionsCount(), 1);
  TYCellsUnion* U = Union(0);
  EXPECT_EQ(CellLabels(U), (Labels{"c1r4", "c1r5", "c1r6", "c2r4", "c2r5", "c2r6"}));
  EXPECT_EQ(U->GetMainCell(), Cell(2, 6));
  EXPECT_TRUE(U->GetEnabled());
  EXPECT_FALSE(U->GetMarked());
  EXPECT_EQ(PieceRects(U), (Rects{{1, 4, 2, 6}}));
  TYGridUnion* Piece = U->GetGridUnions(0);
  EXPECT_EQ(Piece->GetMainCell(), Cell(2, 6));
  EXPECT_EQ(Piece->GetCount(), 6);
  for (std::int32_t I = 0; I < U->GetCellsCount(); ++I) {
    EXPECT_EQ(U->GetCells(I)->GetUnion(), U);
    EXPECT_EQ(U->GetCells(I)->GetGridUnion(), Piece);
  }
  EXPECT_FALSE(Cell(3, 4)->GetBelongsToUnion());
  EXPECT_TRUE(ModelConsistent(*G));
}

struct RejectedCorners {
  const char* What;
  TYGridCoord Main, Corner1, Corner2;
};

TEST_F(UnionTest, SomeRectanglesAreRefusedSilently) {
  const RejectedCorners Cases[] = {
      {"one cell", {2, 2}, {2, 2}, {2, 2}},
      {"main cell outside", {4, 4}, {1, 1}, {2, 2}},
      {"fixed and scrollable cells", {0, 1}, {0, 1}, {1, 2}},
      {"fixed row and scrollable rows", {1, 0}, {1, 0}, {1, 3}},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(GridErrorOf([&] { Unions->Add(C.Main, C.Corner1, C.Corner2, false); }), "no error")
        << C.What;
    EXPECT_EQ(Unions->GetUnionsCount(), 0) << C.What;
  }
  Unions->Add({0, 1}, {0, 1}, {0, 3}, false); // fixed cells only
  EXPECT_EQ(Unions->GetUnionsCount(), 1);
}

TEST_F(UnionTest, ACornerOutsideRaisesEvenWithTheMainCellOutside) {
  EXPECT_EQ(GridErrorOf([&] {
              Unions->Add({9, 9}, {1, 1}, {6, 2}, false);
            }),
            "TYCellsUnions::Grid index out of range");
  EXPECT_EQ(GridErrorOf([&] {
              Unions->Add({1, 1}, {1, -1}, {2, 2}, false);
            }),
            "TYCellsUnions::Grid index out of range");
  EXPECT_EQ(Unions->GetUnionsCount(), 0);
}

// In grid indices the rectangle is checked against the visible counts.
TEST_F(UnionTest, GridCornersAreCheckedAgainstTheVisibleVectors) {
  H->GetCols(3)->SetVisible(false);
  EXPECT_EQ(GridErrorOf([&] {
              Unions->Add({4, 1}, {4, 1}, {5, 1}, true);
            }),
            "TYCellsUnions::Grid index out of range");
  Unions->Add({4, 1}, {4, 1}, {5, 1}, false);
  EXPECT_EQ(Unions->GetUnionsCount(), 1);
}

TEST_F(UnionTest, GridCornersTakeTheCellsAsDisplayed) {
  G->MoveColumn(1, 3); // holder order 0 2 3 1 4 5
  H->GetRows(2)->SetVisible(false);
  Unions->Add({1, 1}, {1, 1}, {2, 2}, true);
  ASSERT_EQ(Unions->GetUnionsCount(), 1);
  EXPECT_EQ(CellLabels(Union(0)), (Labels{"c2r1", "c2r3", "c3r1", "c3r3"}));
  EXPECT_EQ(Union(0)->GetMainCell(), G->GetCells(1, 1));
  EXPECT_EQ(PieceRects(Union(0)), (Rects{{1, 1, 2, 2}}));

  Unions->Add({1, 4}, {1, 4}, {2, 5}, false); // the same in holder indices
  EXPECT_EQ(CellLabels(Union(1)), (Labels{"c2r4", "c2r5", "c3r4", "c3r5"}));
  EXPECT_TRUE(ModelConsistent(*G));
}

// ---------------------------------------------------------------- adding by list

TEST_F(UnionTest, AnLShapedListMakesOnePieceWithItsBoundingBox) {
  Unions->Add(Cell(1, 1), CellsOf({Cell(1, 1), Cell(1, 2), Cell(2, 2)}), false);
  ASSERT_EQ(Unions->GetUnionsCount(), 1);
  EXPECT_EQ(PieceRects(Union(0)), (Rects{{1, 1, 2, 2}}));
  EXPECT_FALSE(Cell(2, 1)->GetBelongsToUnion()); // inside the box, not in the union
  EXPECT_TRUE(ModelConsistent(*G));
}

// A group grows by the first cell in the union's list that touches it, whichever cell of the
// group it touches; pieces come in the order of their first cells.
TEST_F(UnionTest, APiecesCellsAreInTheOrderTheGroupingFindsThem) {
  Unions->Add(Cell(2, 2),
              CellsOf({Cell(2, 2), Cell(1, 3), Cell(4, 6), Cell(3, 2), Cell(1, 2), Cell(4, 5)}),
              false);
  ASSERT_EQ(Union(0)->GetGridUnionsCount(), 2);
  EXPECT_EQ(CellLabels(Union(0)->GetGridUnions(0)), (Labels{"c2r2", "c3r2", "c1r2", "c1r3"}));
  EXPECT_EQ(CellLabels(Union(0)->GetGridUnions(1)), (Labels{"c4r6", "c4r5"}));
  EXPECT_EQ(PieceRects(Union(0)), (Rects{{1, 2, 3, 3}, {4, 5, 4, 6}}));
  EXPECT_EQ(Cell(1, 3)->GetGridUnionIndex(), 0);
  EXPECT_EQ(Cell(4, 5)->GetGridUnionIndex(), 1);
}

struct RejectedList {
  const char* What;
  std::function<void(TYCellsUnions&, TYCellsHolder&)> Add;
};

TEST_F(UnionTest, SomeListsAreRefusedSilentlyAndLeaveExistingUnions) {
  Unions->Add({2, 2}, {2, 2}, {3, 3}, false);
  auto C = [this](std::int32_t Col, std::int32_t Row) { return Cell(Col, Row); };
  auto Other = MakeGrid(6, 9);
  TYCell* Foreign = Other->GetHolder()->GetCells(3, 2);
  const RejectedList Cases[] = {
      {"no main cell",
       [&](auto& U, auto&) {
         U.Add(nullptr, CellsOf({C(2, 2), C(4, 4)}), false);
       }},
      {"no list", [&](auto& U, auto&) { U.Add(C(2, 2), nullptr, false); }},
      {"one cell", [&](auto& U, auto&) { U.Add(C(2, 2), CellsOf({C(2, 2)}), false); }},
      {"one cell twice",
       [&](auto& U, auto&) {
         U.Add(C(2, 2), CellsOf({C(2, 2), C(2, 2)}), false);
       }},
      {"main cell missing",
       [&](auto& U, auto&) {
         U.Add(C(4, 4), CellsOf({C(2, 2), C(2, 3)}), false);
       }},
      {"fixed and scrollable",
       [&](auto& U, auto&) {
         U.Add(C(1, 2), CellsOf({C(1, 2), C(0, 2), C(2, 2)}), false);
       }},
      {"another grid's cell",
       [&](auto& U, auto&) {
         U.Add(C(2, 2), CellsOf({C(2, 2), Foreign}), false);
       }},
      {"a hidden cell counts as fixed in grid indices",
       [&](auto& U, auto& Holder) {
         Holder.GetRows(5)->SetVisible(false);
         U.Add(C(2, 4), CellsOf({C(2, 4), C(2, 5), C(2, 6)}), true);
         Holder.GetRows(5)->SetVisible(true);
       }},
  };
  for (const auto& Case : Cases) {
    Case.Add(*Unions, *H);
    EXPECT_EQ(Unions->GetUnionsCount(), 1) << Case.What;
    EXPECT_EQ(CellLabels(Union(0)), (Labels{"c2r2", "c2r3", "c3r2", "c3r3"})) << Case.What;
  }
  EXPECT_TRUE(ModelConsistent(*G));
  EXPECT_TRUE(ModelConsistent(*Other));
}

TEST_F(UnionTest, ARepeatedCellIsListedOnce) {
  Unions->Add(Cell(2, 2), CellsOf({Cell(2, 2), Cell(2, 3), Cell(2, 2), Cell(2, 3)}), false);
  ASSERT_EQ(Unions->GetUnionsCount(), 1);
  EXPECT_EQ(CellLabels(Union(0)), (Labels{"c2r2", "c2r3"}));
  EXPECT_TRUE(ModelConsistent(*G));
}

// ---------------------------------------------------------------- overlapping unions

TEST_F(UnionTest, AnOverlappingUnionReplacesTheEarlierOneEntirely) {
  Unions->Add({1, 1}, {1, 1}, {2, 2}, false);
  Unions->Add({4, 1}, {4, 1}, {5, 2}, false);
  Unions->Add({1, 7}, {1, 7}, {2, 8}, false);
  TYCellsUnion* First = Union(0);
  TYCellsUnion* Third = Union(2);
  Unions->Add({5, 2}, {5, 2}, {5, 4}, false); // shares one cell with the second
  ASSERT_EQ(Unions->GetUnionsCount(), 3);
  EXPECT_EQ(Union(0), First);
  EXPECT_EQ(Union(1), Third);
  EXPECT_EQ(CellLabels(Union(2)), (Labels{"c5r2", "c5r3", "c5r4"}));
  for (auto [Col, Row] : {std::pair{4, 1}, {4, 2}, {5, 1}}) {
    EXPECT_FALSE(Cell(Col, Row)->GetBelongsToUnion());
    EXPECT_EQ(Cell(Col, Row)->GetGridUnionIndex(), -1);
  }
  EXPECT_TRUE(ModelConsistent(*G));
}

// ---------------------------------------------------------------- pieces after layout changes

struct PieceCase {
  const char* Name;
  std::function<void(TYGrid&)> Change;
  Rects Pieces;
};

void PrintTo(const PieceCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class UnionPieces : public ::testing::TestWithParam<PieceCase> {};

// The block of columns 1-2 and rows 4-6, cut anew after each change.
TEST_P(UnionPieces, FollowTheLayout) {
  HookRecorder R;
  auto G = MakeGrid(6, 9, &R);
  TYCellsUnions* Unions = G->GetHolder()->GetCellsUnions();
  Unions->Add({1, 4}, {1, 4}, {2, 6}, false);
  GetParam().Change(*G);
  ASSERT_EQ(Unions->GetUnionsCount(), 1);
  EXPECT_EQ(PieceRects(Unions->GetUnions(0)), GetParam().Pieces);
  EXPECT_TRUE(ModelConsistent(*G));
}

const PieceCase PieceCases[] = {
    {"InPlace", [](TYGrid&) {}, {{1, 4, 2, 6}}},
    {"MiddleRowHidden",
     [](TYGrid& G) { G.GetHolder()->GetRows(5)->SetVisible(false); },
     {{1, 4, 2, 5}}},
    {"MiddleRowMovedToTheEnd", [](TYGrid& G) { G.MoveRow(5, 8); }, {{1, 4, 2, 5}, {1, 8, 2, 8}}},
    {"SecondColumnHidden",
     [](TYGrid& G) { G.GetHolder()->GetCols(2)->SetVisible(false); },
     {{1, 4, 1, 6}}},
    {"RowInsertedInside",
     [](TYGrid& G) { G.GetHolder()->InsertRow(5, true); },
     {{1, 4, 2, 4}, {1, 6, 2, 7}}},
    {"ColumnsApartAndOneRowLeft",
     [](TYGrid& G) {
       G.MoveColumn(2, 5);
       TList Rows = VectorList({G.GetHolder()->GetRows(5), G.GetHolder()->GetRows(6)});
       G.GetHolder()->SetVisibleRowsRange(&Rows, true);
     },
     {}},
    {"AllRowsButOneHidden",
     [](TYGrid& G) {
       G.GetHolder()->GetRows(4)->SetVisible(false);
       G.GetHolder()->GetRows(6)->SetVisible(false);
     },
     {{1, 4, 2, 4}}},
    {"HiddenRowInsertedInside",
     [](TYGrid& G) { G.GetHolder()->InsertRow(5, false); },
     {{1, 4, 2, 6}}},
    {"MovedPieceComesBack",
     [](TYGrid& G) {
       G.MoveRow(5, 8);
       G.MoveRow(8, 5);
     },
     {{1, 4, 2, 6}}},
};

INSTANTIATE_TEST_SUITE_P(Block, UnionPieces, ::testing::ValuesIn(PieceCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(UnionTest, ALoneVisibleCellStillBelongsToItsUnion) {
  AddBlock();
  G->MoveColumn(2, 5);
  TList Rows = VectorList({H->GetRows(5), H->GetRows(6)});
  H->SetVisibleRowsRange(&Rows, true);
  for (std::int32_t Col : {1, 5}) { // holder indices: column 2 was moved to the end
    EXPECT_FALSE(Cell(Col, 4)->GetUnioned());
    EXPECT_TRUE(Cell(Col, 4)->GetBelongsToUnion());
    EXPECT_EQ(Cell(Col, 4)->GetGridUnion(), nullptr);
  }
  H->SetVisibleAllRows(); // the column of three in its new place is a piece again
  EXPECT_EQ(PieceRects(Union(0)), (Rects{{1, 4, 1, 6}, {5, 4, 5, 6}}));
  EXPECT_TRUE(ModelConsistent(*G));
}

// ---------------------------------------------------------------- deleting

TEST_F(UnionTest, DeleteAndClearUnlinkTheCells) {
  AddBlock();
  Unions->Add({4, 1}, {4, 1}, {5, 1}, false);
  Unions->Delete(0);
  ASSERT_EQ(Unions->GetUnionsCount(), 1);
  EXPECT_FALSE(Cell(1, 4)->GetBelongsToUnion());
  EXPECT_EQ(Cell(1, 4)->GetGridUnionIndex(), -1);
  EXPECT_EQ(GridErrorOf([&] { Unions->Delete(1); }), "TYCellsUnions::Grid index out of range");
  Unions->Clear();
  EXPECT_EQ(Unions->GetUnionsCount(), 0);
  EXPECT_FALSE(Cell(4, 1)->GetBelongsToUnion());
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(UnionTest, DeletingTheCurrentCellsUnionShrinksTheCurrentCell) {
  AddBlock();
  G->SetCol(2);
  G->SetRow(5);
  ASSERT_EQ(G->GetCurrentCellRect(), (TYGridRect{1, 4, 2, 6}));
  Unions->Delete(0);
  EXPECT_EQ(G->GetCurrentCellRect(), (TYGridRect{2, 5, 2, 5}));
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(UnionTest, DeletingAVectorShrinksOrDissolvesTheUnionsItCuts) {
  AddBlock();                                 // columns 1-2, rows 4-6
  Unions->Add({3, 1}, {3, 1}, {4, 1}, false); // two cells side by side
  H->DeleteCol(4);
  ASSERT_EQ(Unions->GetUnionsCount(), 1);
  EXPECT_FALSE(Cell(3, 1)->GetBelongsToUnion());
  H->DeleteRow(5);
  EXPECT_EQ(CellLabels(Union(0)), (Labels{"c1r4", "c1r6", "c2r4", "c2r6"}));
  EXPECT_EQ(PieceRects(Union(0)), (Rects{{1, 4, 2, 5}}));
  EXPECT_TRUE(ModelConsistent(*G));
}

// The main cell goes, two or more cells stay: the first remaining cell is the main cell.
TEST_F(UnionTest, DeletingTheMainCellHandsOverToTheFirstRemainingCell) {
  AddBlock();
  H->DeleteCol(1);
  ASSERT_EQ(Unions->GetUnionsCount(), 1);
  EXPECT_EQ(LabelOf(Union(0)->GetMainCell()), "c2r4");
  H->DeleteRow(4);
  EXPECT_EQ(LabelOf(Union(0)->GetMainCell()), "c2r5");
  EXPECT_EQ(CellLabels(Union(0)), (Labels{"c2r5", "c2r6"}));
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(UnionTest, ShrinkingTheStoreTakesItsCellsOutOfTheUnions) {
  AddBlock();
  Unions->Add({3, 7}, {3, 7}, {4, 8}, false);
  H->SetRowCount(6); // rows 6 to 8 go
  ASSERT_EQ(Unions->GetUnionsCount(), 1);
  EXPECT_EQ(CellLabels(Union(0)), (Labels{"c1r4", "c1r5", "c2r4", "c2r5"}));
  H->SetColCount(2);
  EXPECT_EQ(Unions->GetUnionsCount(), 1);
  EXPECT_EQ(PieceRects(Union(0)), (Rects{{1, 4, 1, 5}}));
  H->SetRowCount(5);
  EXPECT_EQ(Unions->GetUnionsCount(), 0);
  EXPECT_TRUE(ModelConsistent(*G));
}

// ---------------------------------------------------------------- enabling

TEST_F(UnionTest, ADisabledUnionKeepsItsCellsButHasNoEffect) {
  AddBlock();
  TYCellsUnion* U = Union(0);
  U->SetEnabled(false);
  EXPECT_FALSE(U->GetEnabled());
  EXPECT_EQ(U->GetGridUnionsCount(), 0);
  EXPECT_EQ(U->GetCellsCount(), 6);
  EXPECT_FALSE(Cell(1, 5)->GetBelongsToUnion());
  H->GetRows(5)->SetVisible(false); // a refresh leaves a disabled union alone
  EXPECT_EQ(U->GetGridUnionsCount(), 0);
  EXPECT_TRUE(ModelConsistent(*G));
  U->SetEnabled(true);
  EXPECT_EQ(PieceRects(U), (Rects{{1, 4, 2, 5}}));
  EXPECT_EQ(Cell(1, 5)->GetUnion(), U);
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(UnionTest, DisablingAMarkedUnionUnmarksItButNotItsCells) {
  Mode(ygoCellsMarking);
  AddBlock();
  Cell(2, 5)->SetMarked(true);
  ASSERT_TRUE(Union(0)->GetMarked());
  Union(0)->SetEnabled(false);
  EXPECT_FALSE(Union(0)->GetMarked());
  EXPECT_TRUE(Cell(1, 4)->GetOwnMarked());
  EXPECT_TRUE(Cell(1, 4)->GetMarked());
  EXPECT_EQ(G->GetMarkedCount(), 6);
  EXPECT_TRUE(ModelConsistent(*G));
}

// ---------------------------------------------------------------- marks of columns and rows

TEST_F(UnionTest, AMarkedColumnMarksTheUnionsItCuts) {
  Mode(ygoColsMarking);
  AddBlock();                                 // columns 1-2
  Unions->Add({3, 1}, {3, 1}, {4, 2}, false); // columns 3-4
  Unions->Add({2, 7}, {2, 7}, {3, 8}, false); // columns 2-3
  H->GetCols(2)->SetMarked(true);
  EXPECT_TRUE(Union(0)->GetMarked());
  EXPECT_FALSE(Union(1)->GetMarked()); // not touched, though the first one changed
  EXPECT_TRUE(Union(2)->GetMarked());
  EXPECT_TRUE(Cell(1, 6)->GetMarked());
  EXPECT_FALSE(Cell(1, 6)->GetOwnMarked());
  EXPECT_FALSE(H->GetCols(1)->GetMarked());

  H->GetCols(1)->SetMarked(true);
  H->GetCols(2)->SetMarked(false); // column 1 keeps it marked
  EXPECT_TRUE(Union(0)->GetMarked());
  H->GetCols(1)->SetMarked(false);
  EXPECT_FALSE(Union(0)->GetMarked());
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(UnionTest, AMarkedRowMarksTheUnionsItCuts) {
  Mode(ygoRowsMarking);
  AddBlock();
  H->GetRows(6)->SetMarked(true);
  EXPECT_TRUE(Union(0)->GetMarked());
  H->GetRows(3)->SetMarked(true);
  H->GetRows(6)->SetMarked(false);
  EXPECT_FALSE(Union(0)->GetMarked());
}

TEST_F(UnionTest, AHiddenMarkedColumnKeepsNoUnionMarked) {
  Mode(ygoColsMarking);
  AddBlock();
  H->GetCols(2)->SetVisible(false);
  H->GetCols(2)->SetMarked(true); // hidden: no union follows
  EXPECT_FALSE(Union(0)->GetMarked());
  H->GetCols(2)->SetVisible(true); // the refresh derives the mark from the visible column
  EXPECT_TRUE(Union(0)->GetMarked());

  H->GetCols(1)->SetMarked(true);
  H->GetCols(1)->SetVisible(false);
  H->GetCols(2)->SetMarked(false); // the hidden column 1 does not keep it marked
  EXPECT_FALSE(Union(0)->GetMarked());
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(UnionTest, AFixedUnionNeverFollowsColumnMarks) {
  Mode(ygoColsMarking);
  Unions->Add({1, 0}, {1, 0}, {2, 0}, false); // in the fixed row
  H->GetCols(1)->SetMarked(true);
  EXPECT_FALSE(Union(0)->GetMarked());
  H->GetRows(3)->SetVisible(false); // nor does a refresh derive it
  EXPECT_FALSE(Union(0)->GetMarked());
}

TEST_F(UnionTest, TryChangeMarkedAnswersWhetherAUnionChanged) {
  Mode(ygoColsMarking);
  AddBlock();
  EXPECT_TRUE(Unions->TryChangeMarked(H->GetCols(1), true));
  EXPECT_TRUE(Union(0)->GetMarked());
  EXPECT_FALSE(Unions->TryChangeMarked(H->GetCols(2), true));  // already marked
  EXPECT_FALSE(Unions->TryChangeMarked(H->GetCols(4), false)); // not touched
  EXPECT_FALSE(Unions->TryChangeMarked(H->GetRows(4), false)); // rows are not being marked
  EXPECT_TRUE(Union(0)->GetMarked());
  H->GetCols(2)->SetVisible(false);                           // the refresh finds no marked column
  EXPECT_FALSE(Unions->TryChangeMarked(H->GetCols(2), true)); // hidden
  EXPECT_FALSE(Union(0)->GetMarked());
  Union(0)->SetEnabled(false);
  EXPECT_FALSE(Unions->TryChangeMarked(H->GetCols(1), true)); // disabled
}

// ---------------------------------------------------------------- marks of cells

TEST_F(UnionTest, MarkingOneCellMarksTheWholeUnion) {
  Mode(ygoCellsMarking);
  AddBlock();
  Cell(2, 5)->SetMarked(true);
  EXPECT_EQ(R.With("mark"), Labels{"mark c1r4 1"}); // asked for the main cell
  EXPECT_TRUE(Union(0)->GetMarked());
  for (std::int32_t I = 0; I < Union(0)->GetCellsCount(); ++I)
    EXPECT_TRUE(Union(0)->GetCells(I)->GetOwnMarked());
  EXPECT_EQ(H->GetMarkedCount(), 6);
  EXPECT_EQ(G->GetMarkedCount(), 6);
  Labels Listed;
  for (std::int32_t I = 0; I < G->GetMarkedCount(); ++I)
    Listed.push_back(LabelOf(G->GetMarkedCells(I)));
  EXPECT_EQ(Listed, (Labels{"c1r4", "c2r4", "c1r5", "c2r5", "c1r6", "c2r6"}));

  Cell(1, 6)->SetMarked(false);
  EXPECT_FALSE(Union(0)->GetMarked());
  EXPECT_FALSE(Cell(2, 4)->GetMarked());
  EXPECT_EQ(G->GetMarkedCount(), 0);
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(UnionTest, ARefusedUnionMarkChangesNothing) {
  Mode(ygoCellsMarking);
  AddBlock();
  R.Vetoed = {"c1r4"};
  Cell(2, 6)->SetMarked(true);
  EXPECT_FALSE(Union(0)->GetMarked());
  EXPECT_FALSE(Cell(2, 6)->GetOwnMarked());
  EXPECT_EQ(G->GetMarkedCount(), 0);
}

// A union's mark reaches hidden cells too; only the visible ones count for the grid.
TEST_F(UnionTest, AUnionMarkCountsEveryCellWhoseFlagChanged) {
  Mode(ygoCellsMarking);
  AddBlock();
  H->GetRows(5)->SetVisible(false);
  Cell(3, 3)->SetMarked(true);
  Union(0)->SetMarked(true);
  EXPECT_EQ(H->GetMarkedCount(), 7);
  EXPECT_EQ(G->GetMarkedCount(), 5);
  EXPECT_TRUE(ModelConsistent(*G));
  Labels Listed;
  for (std::int32_t I = 0; I < G->GetMarkedCount(); ++I)
    Listed.push_back(LabelOf(G->GetMarkedCells(I)));
  EXPECT_EQ(Listed, (Labels{"c3r3", "c1r4", "c2r4", "c1r6", "c2r6"}));
  Union(0)->SetMarked(false);
  EXPECT_EQ(H->GetMarkedCount(), 1);
  EXPECT_EQ(G->GetMarkedCount(), 1);
  EXPECT_TRUE(ModelConsistent(*G));
}

// Adding or enabling a union refreshes it, which copies its mark into its cells.
TEST_F(UnionTest, ARefreshUnderCellsMarkingCountsTheCopiedMarks) {
  Mode(ygoCellsMarking);
  Cell(2, 5)->SetMarked(true);
  Cell(3, 3)->SetMarked(true);
  ASSERT_EQ(G->GetMarkedCount(), 2);
  AddBlock(); // holds the marked cell (2, 5): all six are marked now
  EXPECT_TRUE(Union(0)->GetMarked());
  EXPECT_EQ(H->GetMarkedCount(), 7);
  EXPECT_EQ(G->GetMarkedCount(), 7);
  EXPECT_TRUE(ModelConsistent(*G));

  Union(0)->SetEnabled(false);
  for (std::int32_t Row : {4, 5, 6}) {
    Cell(1, Row)->SetMarked(false);
    if (Row != 5) Cell(2, Row)->SetMarked(false);
  }
  H->GetCols(2)->SetVisible(false); // the one marked cell left is hidden
  ASSERT_EQ(H->GetMarkedCount(), 2);
  Union(0)->SetEnabled(true); // derives "unmarked" and clears the hidden cell's flag
  EXPECT_FALSE(Cell(2, 5)->GetOwnMarked());
  EXPECT_EQ(H->GetMarkedCount(), 1);
  EXPECT_EQ(G->GetMarkedCount(), 1);
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(UnionTest, MarksOfAFixedUnionAreNotCounted) {
  Mode(ygoCellsMarking);
  Unions->Add({1, 0}, {1, 0}, {3, 0}, false);
  Union(0)->SetMarked(true);
  EXPECT_TRUE(Cell(2, 0)->GetMarked());
  EXPECT_EQ(H->GetMarkedCount(), 0);
  EXPECT_EQ(G->GetMarkedCount(), 0);
  EXPECT_TRUE(ModelConsistent(*G));
}

} // namespace
