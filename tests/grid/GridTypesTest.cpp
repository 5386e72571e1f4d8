// The rectangle routines and the rule by which every error of the grid unit is worded.
#include "tests/support/GridTestSupport.h"

#include <cctype>
#include <functional>

namespace {

// ---------------------------------------------------------------- NormalizedGridRect

struct NormalizeCase {
  TYGridCoord A, B;
  TYGridRect Expected;
};

TEST(NormalizedGridRect, OrdersEachAxisIndependently) {
  const NormalizeCase Cases[] = {
      {{5, 2}, {1, 7}, {1, 2, 5, 7}},     // columns reversed, rows in order
      {{1, 7}, {5, 2}, {1, 2, 5, 7}},     // rows reversed
      {{5, 7}, {1, 2}, {1, 2, 5, 7}},     // both reversed
      {{3, 4}, {3, 4}, {3, 4, 3, 4}},     // equal corners: one cell
      {{-2, 6}, {0, -1}, {-2, -1, 0, 6}}, // no range check of its own
  };
  for (const auto& C : Cases)
    EXPECT_EQ(NormalizedGridRect(C.A, C.B), C.Expected)
        << C.A.X << "," << C.A.Y << " / " << C.B.X << "," << C.B.Y;
}

// ---------------------------------------------------------------- CellInGridRect

TEST(CellInGridRect, BordersAreInsideAndTheCellsBeyondAreNot) {
  const TYGridRect R{2, 3, 5, 7};
  for (std::int32_t Row = R.Top; Row <= R.Bottom; ++Row) {
    EXPECT_TRUE(CellInGridRect(R.Left, Row, R));
    EXPECT_TRUE(CellInGridRect(R.Right, Row, R));
    EXPECT_FALSE(CellInGridRect(R.Left - 1, Row, R));
    EXPECT_FALSE(CellInGridRect(R.Right + 1, Row, R));
  }
  for (std::int32_t Col = R.Left; Col <= R.Right; ++Col) {
    EXPECT_TRUE(CellInGridRect(Col, R.Top, R));
    EXPECT_TRUE(CellInGridRect(Col, R.Bottom, R));
    EXPECT_FALSE(CellInGridRect(Col, R.Top - 1, R));
    EXPECT_FALSE(CellInGridRect(Col, R.Bottom + 1, R));
  }
}

TEST(CellInGridRect, AReversedRectangleHoldsNoCell) {
  const TYGridRect Reversed{5, 7, 2, 3};
  for (std::int32_t Col = 0; Col <= 8; ++Col)
    for (std::int32_t Row = 0; Row <= 8; ++Row)
      EXPECT_FALSE(CellInGridRect(Col, Row, Reversed)) << Col << "," << Row;
  EXPECT_FALSE(CellInGridRect(3, 3, {3, 5, 3, 1})); // only the rows reversed
}

// ---------------------------------------------------------------- GridRectsOverlap

struct OverlapCase {
  const char* What;
  TYGridRect A, B;
  bool Expected;
};

TEST(GridRectsOverlap, SharesAtLeastOneCell) {
  const OverlapCase Cases[] = {
      {"touching in one corner cell", {0, 0, 2, 2}, {2, 2, 4, 4}, true},
      {"side by side", {0, 0, 1, 1}, {2, 0, 3, 1}, false},
      {"one above the other", {0, 0, 1, 1}, {0, 2, 1, 3}, false},
      {"diagonal neighbours", {0, 0, 1, 1}, {2, 2, 3, 3}, false},
      {"one inside the other", {0, 0, 9, 9}, {3, 4, 5, 6}, true},
      {"equal", {1, 1, 3, 3}, {1, 1, 3, 3}, true},
      {"a cross: no corner of either inside the other", {0, 2, 6, 3}, {2, 0, 3, 6}, true},
      {"columns overlap, rows apart", {0, 0, 5, 1}, {2, 4, 3, 6}, false},
      {"rows overlap, columns apart", {0, 0, 1, 5}, {4, 2, 6, 3}, false},
      {"sharing one column edge", {0, 0, 2, 5}, {2, 5, 8, 9}, true},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(GridRectsOverlap(C.A, C.B), C.Expected) << C.What;
    EXPECT_EQ(GridRectsOverlap(C.B, C.A), C.Expected) << C.What << " (swapped)";
  }
}

// ---------------------------------------------------------------- errors

TEST(GridErrors, InvalidOpRaisesTheMessageAsItStands) {
  try {
    InvalidOp("anything at all");
    FAIL() << "InvalidOp returned";
  } catch (const Exception& E) { // the unit's exception is one of the framework's
    EXPECT_STREQ(E.ClassName(), "EYInvalidGridOperation");
    EXPECT_EQ(E.GetMessage(), "anything at all");
    EXPECT_EQ(std::string(E.what()), "anything at all");
  }
}

struct ErrorCase {
  const char* What;
  std::function<void(TYGrid&)> Action;
  const char* Expected;
};

void PrintTo(const ErrorCase& C, std::ostream* Out) {
  *Out << C.What;
}

class GridErrorMessages : public ::testing::TestWithParam<ErrorCase> {};

// Every message is the run-time class name of the raising object, "::" and the text.
TEST_P(GridErrorMessages, NameTheRaisingClass) {
  HookRecorder R;
  auto G = MakeGrid(4, 5, &R);
  G->GetHolder()->GetCellsUnions()->Add({1, 1}, {1, 1}, {2, 2}, false);
  EXPECT_EQ(GridErrorOf([&] { GetParam().Action(*G); }), GetParam().Expected);
  EXPECT_TRUE(ModelConsistent(*G));
}

TYCellsHolder& H(TYGrid& G) {
  return *G.GetHolder();
}
TYCellsUnions& U(TYGrid& G) {
  return *G.GetHolder()->GetCellsUnions();
}

const ErrorCase ErrorCases[] = {
    {"grid column", [](TYGrid& G) { G.GridToHolderCol(4); }, "TYGrid::Grid index out of range"},
    {"grid row", [](TYGrid& G) { G.GridToHolderRow(-1); }, "TYGrid::Grid index out of range"},
    {"grid cell", [](TYGrid& G) { G.GetCells(0, 5); }, "TYGrid::Grid index out of range"},
    {"grid focus", [](TYGrid& G) { G.SetCol(9); }, "TYGrid::Grid index out of range"},
    {"grid width", [](TYGrid& G) { G.SetColWidths(4, 10); }, "TYGrid::Grid index out of range"},
    {"store cell", [](TYGrid& G) { H(G).GetCells(4, 0); },
     "TYCellsHolder::Grid index out of range"},
    {"store row", [](TYGrid& G) { H(G).GetRows(5); }, "TYCellsHolder::Grid index out of range"},
    {"store width", [](TYGrid& G) { H(G).SetColWidths(4, 10); },
     "TYCellsHolder::Grid index out of range"},
    {"negative fixed count", [](TYGrid& G) { H(G).SetFixedRows(-1); },
     "TYCellsHolder::Grid index out of range"},
    {"fixed columns", [](TYGrid& G) { H(G).SetFixedCols(4); },
     "TYCellsHolder::Fixed column count must be less than column count"},
    {"fixed rows", [](TYGrid& G) { H(G).SetFixedRows(5); },
     "TYCellsHolder::Fixed row count must be less than row count"},
    {"marked rows", [](TYGrid& G) { H(G).GetMarkedRows(0); },
     "TYCellsHolder::Grid index out of range"},
    {"union list", [](TYGrid& G) { U(G).GetUnions(1); }, "TYCellsUnions::Grid index out of range"},
    {"union delete", [](TYGrid& G) { U(G).Delete(-1); }, "TYCellsUnions::Grid index out of range"},
    {"union corners",
     [](TYGrid& G) {
       U(G).Add({1, 1}, {1, 1}, {4, 1}, false);
     },
     "TYCellsUnions::Grid index out of range"},
    {"union cells", [](TYGrid& G) { U(G).GetUnions(0)->GetCells(4); },
     "TYCellsUnion::Grid index out of range"},
    {"union pieces", [](TYGrid& G) { U(G).GetUnions(0)->GetGridUnions(1); },
     "TYCellsUnion::Grid index out of range"},
    {"piece cells", [](TYGrid& G) { U(G).GetUnions(0)->GetGridUnions(0)->GetCells(-1); },
     "TYGridUnion::Grid index out of range"},
    // The framework's list errors pass through as they are.
    {"store width, negative index", [](TYGrid& G) { H(G).SetColWidths(-1, 10); },
     "EListError: List index out of bounds (-1)"},
    {"store width read", [](TYGrid& G) { H(G).GetRowHeights(5); },
     "EListError: List index out of bounds (5)"},
};

INSTANTIATE_TEST_SUITE_P(AllRaisingSites, GridErrorMessages, ::testing::ValuesIn(ErrorCases),
                         [](const auto& Info) {
                           std::string Name;
                           for (const char* P = Info.param.What; *P; ++P)
                             if (std::isalnum(static_cast<unsigned char>(*P))) Name += *P;
                           return Name;
                         });

TEST(GridErrors, AGridNotPublishedAsTYGridNamesItsOwnClass) {
  TYCustomGrid Grid(nullptr);
  EXPECT_EQ(GridErrorOf([&] { Grid.GridToHolderCol(-1); }),
            "TYCustomGrid::Grid index out of range");
}

TEST(GridErrors, ARefusedFixedCountChangesNothing) {
  HookRecorder R;
  auto G = MakeGrid(4, 5, &R);
  H(*G).SetFixedRows(2);
  G->SetCol(3);
  EXPECT_NE(GridErrorOf([&] { H(*G).SetFixedRows(5); }), "no error");
  EXPECT_NE(GridErrorOf([&] { H(*G).SetFixedCols(-3); }), "no error");
  EXPECT_EQ(H(*G).GetFixedRows(), 2);
  EXPECT_EQ(H(*G).GetFixedCols(), 1);
  EXPECT_EQ(G->GetFixedRows(), 2);
  EXPECT_EQ(G->GetCol(), 3); // a fixed count that changes would have reset the focus
  EXPECT_TRUE(R.Log.empty());
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST(GridErrors, SettingTheFixedCountItAlreadyHasIsNoError) {
  HookRecorder R;
  auto G = MakeGrid(4, 5, &R);
  G->SetCol(3);
  EXPECT_EQ(GridErrorOf([&] { H(*G).SetFixedCols(1); }), "no error");
  EXPECT_EQ(G->GetCol(), 3);
}

} // namespace
