// The store when the host's hooks raise, and the store on its own, without a grid.
#include "tests/support/StoreFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class StoreFailureTest : public StoreFixture {
protected:
  // The recorder raises on its Nth hook call from now on, and only then.
  void RaiseOnCall(int N) {
    Recorder.Raise = [this, N] { return ++Calls == N; };
  }
  // Cells whose init hook never ran are freed without data, which the recorder notes.
  void ReleaseGridWithCellsWithoutData() {
    Grid.reset();
    Recorder.Errors.clear();
  }
  int Calls = 0;
};

TEST_F(StoreFailureTest, AnInitHookThatRaisesDuringAnInsertionLeavesAWholeStore) {
  Make(4, 5);
  RaiseOnCall(3); // the column's hook, then the cell of row 0, then row 1 raises
  const int FocusBefore = FocusEvents;
  EXPECT_THROW(H->InsertCol(1, true), EHostFailure);
  EXPECT_EQ(H->GetColCount(), 5);
  for (std::int32_t R = 0; R < H->GetRowCount(); ++R)
    EXPECT_EQ(H->GetRows(R)->GetRowCells().GetCount(), 5);
  EXPECT_EQ(H->GetCells(4, 4)->GetColVector(), H->GetCols(4));
  EXPECT_EQ(LabelOf(H->GetCells(2, 4)), "c1r4"); // the old column 1 moved right
  EXPECT_EQ(LabelOf(H->GetCells(1, 0)), "c1r0"); // the new column's cell got its data
  EXPECT_EQ(LabelOf(H->GetCells(1, 1)), "");     // the raise stopped the init hooks here
  EXPECT_GT(FocusEvents, FocusBefore);           // the size-change bracket was closed
  EXPECT_TRUE(ModelConsistent(*Grid));
  ReleaseGridWithCellsWithoutData();
}

TEST_F(StoreFailureTest, AnInitHookThatRaisesWhileTheStoreGrowsLeavesEveryRowWhole) {
  Make(3, 3);
  RaiseOnCall(4);
  EXPECT_THROW(H->SetRowCount(6), EHostFailure);
  EXPECT_EQ(H->GetRowCount(), 6);
  for (std::int32_t R = 0; R < 6; ++R)
    EXPECT_EQ(H->GetRows(R)->GetRowCells().GetCount(), 3) << "row " << R;
  EXPECT_TRUE(ModelConsistent(*Grid));
  Recorder.Raise = nullptr;
  H->SetRowCount(8); // and the store goes on working
  EXPECT_TRUE(ModelConsistent(*Grid));
  ReleaseGridWithCellsWithoutData();
}

TEST_F(StoreFailureTest, FreeHooksAllRunWhenOneRaisesAndTheFirstErrorGoesOn) {
  RaiseOnCall(2);
  const int Live = Recorder.LiveData;
  EXPECT_THROW(H->DeleteCol(2), EHostFailure);
  EXPECT_EQ(Recorder.LiveData, Live - 6); // five cells and the column
  EXPECT_EQ(Recorder.With("free"),
            (std::vector<std::string>{"free c2r0", "free c2r1", "free c2r2", "free c2r3",
                                      "free c2r4", "free col2"}));
  EXPECT_EQ(H->GetColCount(), 4);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(StoreFailureTest, ShrinkingBothAxesWithRaisingFreeHooksFreesEverything) {
  Recorder.Raise = [] { return true; };
  const int Live = Recorder.LiveData;
  EXPECT_THROW(H->ChangeSize(3, 3), EHostFailure);
  EXPECT_EQ(Recorder.LiveData, Live - (2 + 2 + 2 * 5 + 3 * 2)); // vectors, then cells
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(StoreFailureTest, ADestroyedGridFreesEverythingEvenWhenItsFreeHooksRaise) {
  Recorder.Raise = [] { return true; };
  Grid.reset(); // must not end the program; the fixture checks that nothing leaked
}

// ---------------------------------------------------------------- the store on its own

// A host of a store without a grid: records the hooks it is given.
class RecordingClient : public TYCellsHolderClient {
public:
  std::vector<std::string> Log;
  int Brackets = 0;
  void InitCell(TYCell* C) override { Log.push_back("init " + Where(C)); }
  void FreeCell(TYCell* C) override { Log.push_back("free " + Where(C)); }
  void InitVector(TYCellsVector* V) override { Log.push_back("init " + Name(V)); }
  void FreeVector(TYCellsVector* V) override { Log.push_back("free " + Name(V)); }
  void StructureChanged(bool) override { ++Brackets; }
  TYGridOptions StoreOptions() const override { return {ygoRowsMarking}; }

private:
  static std::string Where(const TYCell* C) {
    return std::to_string(C->GetHolderCol()) + "," + std::to_string(C->GetHolderRow());
  }
  static std::string Name(const TYCellsVector* V) {
    return (V->GetIsColumn() ? "col" : "row") + std::to_string(V->GetHolderIndex());
  }
};

int ByDescendingSize(void* A, void* B) {
  return static_cast<TYCellsVector*>(B)->GetSize() - static_cast<TYCellsVector*>(A)->GetSize();
}

TEST(StoreOnItsOwn, WorksWithoutAGridAndTellsItsClient) {
  RecordingClient Client;
  auto Store = std::make_unique<TYCellsHolder>(&Client);
  EXPECT_EQ(Store->GetOwnerGrid(), nullptr);
  EXPECT_EQ(Store->GetColCount(), 5);
  EXPECT_EQ(Store->GetCells(2, 3)->OwnerGrid(), nullptr);
  Client.Log.clear(); // the hooks of construction go to the client too
  Store->ChangeSize(2, 3);
  EXPECT_EQ(Client.Brackets, 1);
  TYCell* Kept = Store->GetCells(1, 2);
  Store->AddRow(true);
  EXPECT_EQ(Client.Log.back(), "init 1,3");
  Store->GetRows(1)->SetSize(50);
  Store->GetRows(2)->SetMarked(true);
  EXPECT_EQ(Store->GetMarkedCount(), 1);
  Store->Sort(ByDescendingSize, true);
  EXPECT_EQ(Store->GetRows(1)->GetSize(), 50);
  EXPECT_EQ(Store->GetCells(1, Kept->GetHolderRow()), Kept);
  Client.Log.clear();
  Store.reset();
  EXPECT_EQ(Client.Log,
            (std::vector<std::string>{"free col0", "free col1", "free 0,0", "free 1,0", "free row0",
                                      "free 0,1", "free 1,1", "free row1", "free 0,2", "free 1,2",
                                      "free row2", "free 0,3", "free 1,3", "free row3"}));
}

} // namespace
