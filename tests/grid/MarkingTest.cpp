// Marking rows, columns and cells with a host that may refuse, the lists and counts of marked
// items, clearing all marks, and sorting the rows.
#include "tests/support/GridTestSupport.h"

#include <map>
#include <stdexcept>

namespace {

class MarkingTest : public ::testing::Test {
protected:
  void SetUp() override {
    G = MakeGrid(6, 8, &R);
    R.AttachMarks(*G);
    H = G->GetHolder();
  }
  void TearDown() override {
    G.reset(); // every piece of user data is freed exactly once
    EXPECT_TRUE(R.Errors.empty());
    EXPECT_EQ(R.LiveData, 0);
  }
  void Mode(TYGridOption Option) { G->SetOptions(G->GetOptions() + TYGridOptions{Option}); }
  TYCell* Cell(std::int32_t Col, std::int32_t Row) { return H->GetCells(Col, Row); }

  HookRecorder R; // outlives the grid, whose destruction frees the user data
  std::unique_ptr<TYGrid> G;
  TYCellsHolder* H = nullptr;
};

using Labels = std::vector<std::string>;

// The labels of the marked items as the store or the grid lists them, in list order.
Labels HolderMarked(TYCellsHolder& H) {
  Labels Result;
  for (std::int32_t I = 0; I < H.GetMarkedCount(); ++I) {
    if (TYCell* C = H.GetMarkedCells(I))
      Result.push_back(LabelOf(C));
    else if (TYCellsVector* V = H.GetMarkedRows(I))
      Result.push_back(LabelOf(V));
    else
      Result.push_back(LabelOf(H.GetMarkedCols(I)));
  }
  return Result;
}

Labels GridMarked(TYCustomGrid& G) {
  Labels Result;
  for (std::int32_t I = 0; I < G.GetMarkedCount(); ++I) {
    if (TYCell* C = G.GetMarkedCells(I))
      Result.push_back(LabelOf(C));
    else if (TYCellsVector* V = G.GetMarkedRows(I))
      Result.push_back(LabelOf(V));
    else
      Result.push_back(LabelOf(G.GetMarkedCols(I)));
  }
  return Result;
}

// ---------------------------------------------------------------- refusals

TEST_F(MarkingTest, EachKindIsMarkedOnlyUnderItsOwnOption) {
  Mode(ygoRowsMarking);
  Cell(2, 3)->SetMarked(true);
  H->GetCols(2)->SetMarked(true);
  EXPECT_FALSE(Cell(2, 3)->GetMarked());
  EXPECT_FALSE(H->GetCols(2)->GetMarked());
  EXPECT_TRUE(R.Log.empty()); // not even asked
  H->GetRows(2)->SetMarked(true);
  EXPECT_EQ(R.Log, Labels{"mark row2 1"});
  EXPECT_EQ(H->GetMarkedCount(), 1);
}

TEST_F(MarkingTest, FixedVectorsAndCellsAreNeverMarked) {
  Mode(ygoRowsMarking);
  H->GetRows(0)->SetMarked(true);
  EXPECT_FALSE(H->GetRows(0)->GetMarked());
  Mode(ygoCellsMarking);
  Cell(0, 3)->SetMarked(true);
  Cell(3, 0)->SetMarked(true);
  EXPECT_FALSE(Cell(0, 3)->GetMarked());
  EXPECT_FALSE(Cell(3, 0)->GetMarked());
  EXPECT_TRUE(R.With("mark").empty());
  EXPECT_EQ(G->GetMarkedCount(), 0);
}

TEST_F(MarkingTest, TheHostMayRefuseAMarkOrAnUnmark) {
  Mode(ygoRowsMarking);
  for (std::int32_t Row : {2, 4, 6})
    H->GetRows(Row)->SetMarked(true);
  ASSERT_TRUE(H->GetMarkListDirty());
  EXPECT_EQ(H->GetMarkedCount(), 3); // exact without a rebuild
  EXPECT_EQ(G->GetMarkedCount(), 3);
  EXPECT_TRUE(H->GetMarkListDirty());

  R.Vetoed = {"row3", "row4"};
  H->GetRows(3)->SetMarked(true);
  H->GetRows(4)->SetMarked(false);
  EXPECT_FALSE(H->GetRows(3)->GetMarked());
  EXPECT_TRUE(H->GetRows(4)->GetMarked());
  EXPECT_EQ(H->GetMarkedCount(), 3);
  EXPECT_EQ(G->GetMarkedCount(), 3);
  EXPECT_EQ(R.Log,
            (Labels{"mark row2 1", "mark row4 1", "mark row6 1", "mark row3 1", "mark row4 0"}));

  H->GetRows(4)->SetMarked(true); // no change, no question
  EXPECT_EQ(R.Log.size(), 5u);
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(MarkingTest, TheHostMayRefuseACell) {
  Mode(ygoCellsMarking);
  R.Vetoed = {"c2r3"};
  Cell(2, 3)->SetMarked(true);
  Cell(3, 3)->SetMarked(true);
  EXPECT_FALSE(Cell(2, 3)->GetMarked());
  EXPECT_TRUE(Cell(3, 3)->GetMarked());
  EXPECT_EQ(R.Log, (Labels{"mark c2r3 1", "mark c3r3 1"}));
  EXPECT_EQ(G->GetMarkedCount(), 1);
}

// ---------------------------------------------------------------- the lists

TEST_F(MarkingTest, MarkedRowsAreListedInHolderOrder) {
  Mode(ygoRowsMarking);
  for (std::int32_t Row : {5, 2, 3})
    H->GetRows(Row)->SetMarked(true);
  EXPECT_EQ(HolderMarked(*H), (Labels{"row2", "row3", "row5"}));
  EXPECT_EQ(GridMarked(*G), (Labels{"row2", "row3", "row5"}));
  EXPECT_FALSE(H->GetMarkListDirty());
  EXPECT_EQ(GridErrorOf([&] { H->GetMarkedRows(3); }), "TYCellsHolder::Grid index out of range");
  EXPECT_EQ(GridErrorOf([&] { G->GetMarkedRows(-1); }), "TYGrid::Grid index out of range");
  EXPECT_EQ(H->GetMarkedCols(0), nullptr); // rows are what is marked
  EXPECT_EQ(G->GetMarkedCells(2), nullptr);
}

TEST_F(MarkingTest, MarkedCellsAreListedRowByRow) {
  Mode(ygoCellsMarking);
  for (auto [Col, Row] : {std::pair{4, 2}, {1, 5}, {2, 2}, {5, 1}})
    Cell(Col, Row)->SetMarked(true);
  H->GetCols(4)->SetVisible(false);
  EXPECT_EQ(HolderMarked(*H), (Labels{"c5r1", "c2r2", "c4r2", "c1r5"}));
  EXPECT_EQ(GridMarked(*G), (Labels{"c5r1", "c2r2", "c1r5"}));
  EXPECT_EQ(G->GetMarkedRows(0), nullptr);
  Cell(4, 3)->SetMarked(true); // hidden: counted by the store only
  EXPECT_EQ(H->GetMarkedCount(), 5);
  EXPECT_EQ(G->GetMarkedCount(), 3);
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(MarkingTest, MarkedColumnsSkipTheFixedArea) {
  Mode(ygoColsMarking);
  for (std::int32_t Col : {3, 1, 5})
    H->GetCols(Col)->SetMarked(true);
  H->SetFixedCols(2); // column 1 keeps its flag but is fixed now
  EXPECT_TRUE(H->GetCols(1)->GetMarked());
  EXPECT_EQ(HolderMarked(*H), (Labels{"col3", "col5"}));
  EXPECT_EQ(G->GetMarkedCount(), 2);
  H->SetFixedCols(1);
  EXPECT_EQ(GridMarked(*G), (Labels{"col1", "col3", "col5"}));
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(MarkingTest, AHiddenMarkedRowCountsForTheStoreOnly) {
  Mode(ygoRowsMarking);
  H->GetRows(4)->SetVisible(false);
  H->GetRows(4)->SetMarked(true);
  H->GetRows(2)->SetMarked(true);
  EXPECT_EQ(H->GetMarkedCount(), 2);
  EXPECT_EQ(G->GetMarkedCount(), 1);
  EXPECT_EQ(HolderMarked(*H), (Labels{"row2", "row4"}));
  EXPECT_EQ(GridMarked(*G), Labels{"row2"});
  EXPECT_EQ(GridErrorOf([&] { G->GetMarkedRows(1); }), "TYGrid::Grid index out of range");

  H->GetRows(4)->SetVisible(true);
  EXPECT_EQ(G->GetMarkedCount(), 2);
  EXPECT_EQ(GridMarked(*G), (Labels{"row2", "row4"}));
  EXPECT_TRUE(ModelConsistent(*G));
}

// The range operations rebuild the lists: the grid stops counting what they hide.
TEST_F(MarkingTest, RangeVisibilityKeepsTheGridsCountExact) {
  Mode(ygoRowsMarking);
  H->GetRows(2)->SetMarked(true);
  H->GetRows(5)->SetMarked(true);
  TList Hide = VectorList({H->GetRows(5), H->GetRows(6)});
  H->SetVisibleRowsRange(&Hide, true);
  EXPECT_EQ(G->GetMarkedCount(), 1);
  EXPECT_EQ(H->GetMarkedCount(), 2);
  EXPECT_EQ(G->GetMarkedRows(0), H->GetRows(2));
  EXPECT_TRUE(ModelConsistent(*G));

  H->GetRows(3)->SetMarked(true); // counted on top of the rebuilt list
  EXPECT_EQ(G->GetMarkedCount(), 2);
  EXPECT_EQ(H->GetMarkedCount(), 3);

  H->SetVisibleAllRows();
  EXPECT_EQ(GridMarked(*G), (Labels{"row2", "row3", "row5"}));
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(MarkingTest, HiddenMarkedCellsByRangeAreNotCounted) {
  Mode(ygoCellsMarking);
  Cell(2, 2)->SetMarked(true);
  Cell(3, 2)->SetMarked(true);
  TList Hide = VectorList({H->GetCols(3)});
  H->SetVisibleColsRange(&Hide, true);
  EXPECT_EQ(G->GetMarkedCount(), 1);
  EXPECT_EQ(GridMarked(*G), Labels{"c2r2"});
  EXPECT_EQ(H->GetMarkedCount(), 2);
  EXPECT_TRUE(ModelConsistent(*G));
}

// ---------------------------------------------------------------- clearing

TEST_F(MarkingTest, ClearMarkRemovesEveryFlagWithoutAsking) {
  Mode(ygoRowsMarking);
  for (std::int32_t Row : {1, 3, 4})
    H->GetRows(Row)->SetMarked(true);
  H->SetFixedRows(2); // row 1 is fixed now and keeps its flag
  R.Clear();
  H->ClearMark();
  for (std::int32_t Row = 0; Row < H->GetRowCount(); ++Row)
    EXPECT_FALSE(H->GetRows(Row)->GetMarked()) << Row;
  EXPECT_TRUE(R.Log.empty());
  EXPECT_EQ(H->GetMarkedCount(), 0);
  EXPECT_EQ(G->GetMarkedCount(), 0);
  EXPECT_FALSE(H->GetMarkListDirty());
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(MarkingTest, ClearMarkAlsoClearsMarksOfOtherKinds) {
  Mode(ygoColsMarking);
  H->GetCols(2)->SetMarked(true);
  G->SetDesigning(true); // switching modes in the designer keeps the marks
  G->SetOptions(G->GetOptions() - TYGridOptions{ygoColsMarking} + TYGridOptions{ygoCellsMarking});
  G->SetDesigning(false);
  ASSERT_TRUE(H->GetCols(2)->GetMarked());
  Cell(3, 3)->SetMarked(true);
  H->ClearMark();
  EXPECT_FALSE(H->GetCols(2)->GetMarked());
  EXPECT_FALSE(Cell(3, 3)->GetMarked());
  EXPECT_TRUE(ModelConsistent(*G));
}

// ---------------------------------------------------------------- sorting

// The key of each row by its label, read by the comparison.
std::map<std::string, int> SortKeys;

int ByKey(void* A, void* B) {
  return SortKeys.at(LabelOf(static_cast<TYCellsVector*>(A))) -
         SortKeys.at(LabelOf(static_cast<TYCellsVector*>(B)));
}

// The order the store's sort must leave, worked out from the steps of the quicksort as they are
// described: pivot is the entry at the middle when a range starts, the left part is sorted
// first by recursion, the right part continues in the same call.
void ReferenceSort(std::vector<std::string>& Rows, int L, int R) {
  auto Key = [](const std::string& Label) { return SortKeys.at(Label); };
  while (true) {
    int I = L;
    int J = R;
    const std::string Pivot = Rows[static_cast<size_t>((L + R) / 2)];
    while (true) {
      while (Key(Rows[static_cast<size_t>(I)]) < Key(Pivot))
        ++I;
      while (Key(Rows[static_cast<size_t>(J)]) > Key(Pivot))
        --J;
      if (I <= J) {
        std::swap(Rows[static_cast<size_t>(I)], Rows[static_cast<size_t>(J)]);
        ++I;
        --J;
      }
      if (I > J) break;
    }
    if (L < J) ReferenceSort(Rows, L, J);
    L = I;
    if (I >= R) return;
  }
}

class SortTest : public MarkingTest {
protected:
  Labels RowLabels() {
    Labels Result;
    for (std::int32_t I = 0; I < H->GetRowCount(); ++I)
      Result.push_back(LabelOf(H->GetRows(I)));
    return Result;
  }
  void SetKeys(std::initializer_list<int> Keys) {
    SortKeys.clear();
    int Row = 0;
    for (int Key : Keys)
      SortKeys["row" + std::to_string(Row++)] = Key;
  }
  TYCell* Current() { return G->GetCells(G->GetCol(), G->GetRow()); }
};

// Worked by hand from the steps: equal rows need not keep their order.
TEST_F(SortTest, EqualRowsComeOutInTheQuicksortsOrder) {
  H->SetRowCount(5);
  SetKeys({0, 2, 1, 2, 1});
  H->Sort(ByKey, true);
  EXPECT_EQ(RowLabels(), (Labels{"row0", "row4", "row2", "row1", "row3"}));

  SetKeys({7, 7, 7, 7, 7});
  H->Sort(ByKey, true); // rows 4 2 1 3 (all equal) become 1 3 4 2
  EXPECT_EQ(RowLabels(), (Labels{"row0", "row1", "row3", "row4", "row2"}));
  H->SetRowCount(4);
  H->Sort(ByKey, true); // three equal rows are reversed
  EXPECT_EQ(RowLabels(), (Labels{"row0", "row4", "row3", "row1"}));
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(SortTest, ManyEqualKeysFollowTheReferenceOrder) {
  H->SetRowCount(23);
  SortKeys.clear();
  for (int Row = 0; Row < 23; ++Row)
    SortKeys["row" + std::to_string(Row)] = (Row * 7 + 3) % 4;
  for (bool KeepFixed : {true, false}) {
    SCOPED_TRACE(KeepFixed);
    Labels Expected = RowLabels();
    const int First = KeepFixed ? 1 : 0;
    ReferenceSort(Expected, First, static_cast<int>(Expected.size()) - 1);
    H->Sort(ByKey, KeepFixed);
    EXPECT_EQ(RowLabels(), Expected);
    EXPECT_TRUE(ModelConsistent(*G));
    for (auto& [Label, Key] : SortKeys)
      Key = (Key * 5 + static_cast<int>(Label.size())) % 3; // sort again, new keys
  }
}

TEST_F(SortTest, KeepFixedLeavesTheFixedRowsInPlace) {
  H->SetFixedRows(2);
  SetKeys({9, 8, 7, 6, 5, 4, 3, 2});
  H->Sort(ByKey, true);
  EXPECT_EQ(RowLabels(), (Labels{"row0", "row1", "row7", "row6", "row5", "row4", "row3", "row2"}));
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(SortTest, WithoutKeepFixedRowsChangeSides) {
  Mode(ygoRowsMarking);
  H->GetRows(5)->SetMarked(true);
  SetKeys({5, 1, 2, 3, 4, 0, 6, 7});
  H->Sort(ByKey, false);
  EXPECT_EQ(RowLabels(), (Labels{"row5", "row1", "row2", "row3", "row4", "row0", "row6", "row7"}));
  EXPECT_TRUE(H->GetRows(0)->GetFixed()); // the marked row took the fixed place
  EXPECT_FALSE(H->GetRows(5)->GetFixed());
  EXPECT_TRUE(H->GetRows(0)->GetMarked());
  EXPECT_EQ(H->GetMarkedCount(), 0); // and is not listed there
  EXPECT_EQ(G->GetMarkedCount(), 0);
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(SortTest, TheFocusFollowsItsCell) {
  G->SetCol(2);
  G->SetRow(3);
  TYCell* Focused = Current();
  SetKeys({0, 7, 6, 5, 4, 3, 2, 1});
  H->Sort(ByKey, true);
  EXPECT_EQ(Current(), Focused);
  EXPECT_EQ(G->GetRow(), 5);
  EXPECT_EQ(G->GetCol(), 2);
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(SortTest, TheFocusStaysWhereItIsWhenItsRowBecameFixed) {
  G->SetRow(3);
  SetKeys({1, 2, 3, 0, 4, 5, 6, 7});
  H->Sort(ByKey, false);
  EXPECT_EQ(LabelOf(H->GetRows(0)), "row3");
  EXPECT_EQ(G->GetRow(), 3); // the position, now showing another row
  EXPECT_EQ(LabelOf(Current()), "c1r2");
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(SortTest, HiddenRowsAreSortedAndStayHidden) {
  H->GetRows(2)->SetVisible(false);
  G->SetRow(3);
  TYCell* Focused = Current();
  SetKeys({0, 3, 7, 1, 6, 2, 5, 4});
  H->Sort(ByKey, true);
  EXPECT_EQ(RowLabels(), (Labels{"row0", "row3", "row5", "row1", "row7", "row6", "row4", "row2"}));
  EXPECT_FALSE(H->GetRows(7)->GetVisible());
  EXPECT_EQ(H->GetRows(7)->GetGridIndex(), -1);
  EXPECT_EQ(G->GetRowMap(), (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Current(), Focused);
  EXPECT_TRUE(ModelConsistent(*G));
}

TEST_F(SortTest, MarkedRowsAreListedInTheirNewOrder) {
  Mode(ygoRowsMarking);
  for (std::int32_t Row : {2, 4, 6})
    H->GetRows(Row)->SetMarked(true);
  SetKeys({0, 7, 6, 5, 4, 3, 2, 1});
  H->Sort(ByKey, true);
  EXPECT_EQ(HolderMarked(*H), (Labels{"row6", "row4", "row2"}));
  EXPECT_EQ(GridMarked(*G), (Labels{"row6", "row4", "row2"}));
}

TEST_F(SortTest, WithoutVisibleColumnsNoCellIsRemembered) {
  for (std::int32_t Col = 0; Col < H->GetColCount(); ++Col)
    H->GetCols(Col)->SetVisible(false);
  ASSERT_EQ(G->GetColCount(), 0);
  SetKeys({0, 7, 6, 5, 4, 3, 2, 1});
  EXPECT_EQ(GridErrorOf([&] { H->Sort(ByKey, true); }), "no error");
  EXPECT_EQ(RowLabels(), (Labels{"row0", "row7", "row6", "row5", "row4", "row3", "row2", "row1"}));
  EXPECT_EQ(G->GetCol(), -1);
  EXPECT_TRUE(ModelConsistent(*G));
}

// A comparison that raises half way leaves a consistent store and the error goes on.
int ThrowingCalls = 0;
int ThrowOnThirdCall(void* A, void* B) {
  if (++ThrowingCalls == 3) throw std::runtime_error("comparison failed");
  return ByKey(A, B);
}

TEST_F(SortTest, ARaisingComparisonLeavesTheModelConsistent) {
  Mode(ygoRowsMarking);
  H->GetRows(7)->SetMarked(true);
  H->GetCellsUnions()->Add({1, 1}, {1, 1}, {2, 2}, false); // rows 1 and 2, with the focus
  ASSERT_EQ(G->GetCurrentCellRect(), (TYGridRect{1, 1, 2, 2}));
  SetKeys({0, 7, 6, 5, 4, 3, 2, 1});
  ThrowingCalls = 0;
  // The first swap exchanges rows 1 and 7 before the third comparison raises.
  EXPECT_THROW(H->Sort(ThrowOnThirdCall, true), std::runtime_error);
  EXPECT_EQ(RowLabels(), (Labels{"row0", "row7", "row2", "row3", "row4", "row5", "row6", "row1"}));
  EXPECT_EQ(H->GetRows(1)->GetHolderIndex(), 1);
  EXPECT_EQ(GridMarked(*G), Labels{"row7"});
  EXPECT_EQ(G->GetCurrentCellRect(), (TYGridRect{1, 1, 1, 1})); // row 7's cell is no merged cell
  EXPECT_TRUE(ModelConsistent(*G));
}

} // namespace
