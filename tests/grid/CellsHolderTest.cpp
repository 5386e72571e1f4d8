// The cell store: construction, resizing and the order of its hooks, fixed counts, the
// enumeration into grid indices, widths and heights, and their streaming.
#include "tests/support/StoreFixture.h"

#include "host/classes/Filer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;
using Map = std::vector<std::int32_t>;

class CellsHolderTest : public StoreFixture {
protected:
  Map ColWidths() const {
    Map Result;
    for (std::int32_t I = 0; I < H->GetColCount(); ++I)
      Result.push_back(H->GetColWidths(I));
    return Result;
  }
};

TEST(CellsHolderConstructionTest, NewGridHoldsFiveByFiveCellsWithOneFixedColumnAndRow) {
  TYGrid Grid(nullptr);
  TYCellsHolder* H = Grid.GetHolder();
  EXPECT_EQ(H->GetOwnerGrid(), &Grid);
  EXPECT_EQ(H->GetColCount(), 5);
  EXPECT_EQ(H->GetRowCount(), 5);
  EXPECT_EQ(H->GetFixedCols(), 1);
  EXPECT_EQ(H->GetFixedRows(), 1);
  EXPECT_EQ(Grid.GetColCount(), 5);
  EXPECT_EQ(Grid.GetRowCount(), 5);
  EXPECT_EQ(Grid.GetFixedCols(), 1);
  EXPECT_EQ(Grid.GetFixedRows(), 1);
  EXPECT_EQ(Grid.GetColMap(), (Map{0, 1, 2, 3, 4}));
  EXPECT_EQ(Grid.GetRowMap(), (Map{0, 1, 2, 3, 4}));
  for (std::int32_t I = 0; I < 5; ++I) {
    EXPECT_EQ(H->GetColWidths(I), 64);
    EXPECT_EQ(H->GetRowHeights(I), 24);
  }
  EXPECT_EQ(H->GetCellsUnions()->GetUnionsCount(), 0);
  EXPECT_EQ(H->GetMarkedCount(), 0);
  EXPECT_EQ(Grid.GetCol(), 1);
  EXPECT_EQ(Grid.GetRow(), 1);
  EXPECT_TRUE(ModelConsistent(Grid)); // also: 25 cells, each linked to its vectors
}

// ---------------------------------------------------------------- resizing

struct ResizeCase {
  const char* Name;
  std::int32_t FromCols, FromRows, ToCols, ToRows;
  Log Hooks;
};

void PrintTo(const ResizeCase& C, std::ostream* Os) {
  *Os << C.Name;
}

class ResizeTest : public testing::TestWithParam<ResizeCase> {};

TEST_P(ResizeTest, CallsTheHooksInTheirFixedOrder) {
  const ResizeCase& C = GetParam();
  HookRecorder Recorder;
  auto Grid = MakeGrid(C.FromCols, C.FromRows, &Recorder);
  Grid->GetHolder()->ChangeSize(C.ToCols, C.ToRows);
  EXPECT_EQ(Recorder.Log, C.Hooks);
  EXPECT_EQ(Recorder.LiveData, C.ToCols + C.ToRows + C.ToCols * C.ToRows);
  EXPECT_TRUE(ModelConsistent(*Grid));
  Grid.reset();
  EXPECT_EQ(Recorder.LiveData, 0);
  EXPECT_TRUE(Recorder.Errors.empty());
}

INSTANTIATE_TEST_SUITE_P(
    CellsHolder, ResizeTest,
    testing::Values(
        ResizeCase{"ShrinkingColumnsFreesTheColumnsThenTheirCellsRowByRow",
                   5,
                   3,
                   3,
                   3,
                   {"free col3", "free col4", "free c3r0", "free c4r0", "free c3r1", "free c4r1",
                    "free c3r2", "free c4r2"}},
        ResizeCase{"GrowingRowsInitsTheRowsThenTheirCellsRowByRow",
                   3,
                   2,
                   3,
                   4,
                   {"init row2", "init row3", "init c0r2", "init c1r2", "init c2r2", "init c0r3",
                    "init c1r3", "init c2r3"}},
        ResizeCase{"GrowingBothInitsColumnsThenRowsThenOldRowsCellsFirst",
                   2,
                   2,
                   3,
                   3,
                   {"init col2", "init row2", "init c2r0", "init c2r1", "init c0r2", "init c1r2",
                    "init c2r2"}},
        ResizeCase{"ShrinkingBothFreesColumnsThenRowsWithTheirCellsThenTheRest",
                   3,
                   3,
                   2,
                   2,
                   {"free col2", "free c0r2", "free c1r2", "free c2r2", "free row2", "free c2r0",
                    "free c2r1"}},
        ResizeCase{"ShrinkingColumnsWhileGrowingRowsFreesBeforeItInits",
                   3,
                   2,
                   2,
                   3,
                   {"free col2", "free c2r0", "free c2r1", "init row2", "init c0r2", "init c1r2"}},
        ResizeCase{"GrowingColumnsWhileShrinkingRows",
                   2,
                   3,
                   3,
                   2,
                   {"free c0r2", "free c1r2", "free row2", "init col2", "init c2r0", "init c2r1"}},
        ResizeCase{"SameSizeCallsNoHook", 3, 3, 3, 3, {}}),
    [](const testing::TestParamInfo<ResizeCase>& Info) { return std::string(Info.param.Name); });

TEST(CellsHolderDestructionTest, DestroyingTheGridFreesAllColumnsThenRowByRowTheCellsAndTheRow) {
  HookRecorder Recorder;
  auto Grid = MakeGrid(2, 2, &Recorder);
  Grid->GetHolder()->GetCellsUnions()->Add({1, 1}, {0, 1}, {1, 1}, false);
  Grid.reset();
  EXPECT_EQ(Recorder.Log, (Log{"free col0", "free col1", "free c0r0", "free c1r0", "free row0",
                               "free c0r1", "free c1r1", "free row1"}));
  EXPECT_EQ(Recorder.LiveData, 0);
}

TEST_F(CellsHolderTest, CountsOfZeroOrLessGiveOneVectorAndPullTheFixedCountDown) {
  H->SetColCount(0);
  H->SetRowCount(-3);
  EXPECT_EQ(H->GetColCount(), 1);
  EXPECT_EQ(H->GetRowCount(), 1);
  EXPECT_EQ(H->GetFixedCols(), 0);
  EXPECT_EQ(H->GetFixedRows(), 0);
  EXPECT_EQ(Grid->GetCol(), 0);
  EXPECT_EQ(Grid->GetRow(), 0);
  EXPECT_TRUE(ModelConsistent(*Grid));

  const int Before = FocusEvents;
  H->SetColCount(1); // the same count: nothing happens
  EXPECT_EQ(FocusEvents, Before);
}

TEST_F(CellsHolderTest, DoChangeSizeTakesNegativeCountsAsZeroAndRunsNoBracket) {
  H->DoChangeSize(-2, 3);
  EXPECT_EQ(H->GetColCount(), 0);
  EXPECT_EQ(H->GetRowCount(), 3);
  EXPECT_EQ(H->GetFixedCols(), 0);
  EXPECT_EQ(H->GetRows(2)->GetRowCells().GetCount(), 0);
  EXPECT_EQ(Grid->GetColCount(), 0);
  EXPECT_EQ(Grid->GetFixedCols(), -1);
  EXPECT_TRUE(Grid->GetColMap().empty());
  EXPECT_EQ(FocusEvents, 0);
  EXPECT_TRUE(ModelConsistent(*Grid));

  H->ChangeSize(4, 4); // a bracket that remembers no cell
  EXPECT_EQ(Grid->GetColCount(), 4);
  EXPECT_EQ(Grid->GetFixedCols(), 0); // pulled to 0 with the columns
  EXPECT_EQ(Grid->GetCol(), 1);       // the position the grid kept
  EXPECT_EQ(FocusEvents, 1);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(CellsHolderTest, ShrinkingKeepsTheFixedCountsBelowTheCounts) {
  H->SetFixedCols(3);
  H->SetFixedRows(4);
  H->ChangeSize(3, 2);
  EXPECT_EQ(H->GetFixedCols(), 2);
  EXPECT_EQ(H->GetFixedRows(), 1);
  EXPECT_TRUE(ModelConsistent(*Grid));
  H->ChangeSize(1, 1);
  EXPECT_EQ(H->GetFixedCols(), 0);
  EXPECT_EQ(H->GetFixedRows(), 0);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(CellsHolderTest, ResizeThatDestroysTheCurrentCellFallsBackToTheClampedPosition) {
  Grid->SetCol(4);
  Grid->SetRow(4);
  H->ChangeSize(3, 3);
  EXPECT_EQ(Grid->GetCol(), 2);
  EXPECT_EQ(Grid->GetRow(), 2);
  EXPECT_EQ(Grid->GetSavedFocusCell(), nullptr);
  EXPECT_TRUE(ModelConsistent(*Grid));

  Grid->SetCol(1);
  H->ChangeSize(6, 2); // the current cell survives and keeps its place
  EXPECT_EQ(Grid->GetCol(), 1);
  EXPECT_EQ(Grid->GetRow(), 1);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(CellsHolderTest, ResizingAwayTheVisibleColumnsLeavesNoColumnUntilNewOnesCome) {
  H->GetCols(0)->SetVisible(false);
  H->GetCols(1)->SetVisible(false);
  H->SetColCount(2);
  EXPECT_EQ(Grid->GetColCount(), 0);
  EXPECT_EQ(Grid->GetFixedCols(), -1);
  EXPECT_EQ(Grid->GetCol(), -1);
  EXPECT_EQ(Grid->GetSavedFocusCell(), nullptr);
  EXPECT_TRUE(ModelConsistent(*Grid));

  H->SetColCount(4);
  EXPECT_EQ(Grid->GetColMap(), (Map{2, 3}));
  EXPECT_EQ(Grid->GetCol(), 0);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(CellsHolderTest, ResizeThatDestroysMarkedRowsLeavesExactMarkLists) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoRowsMarking});
  H->GetRows(2)->SetMarked(true);
  H->GetRows(4)->SetMarked(true);
  H->GetRows(3)->SetMarked(true);
  H->GetRows(3)->SetVisible(false);
  H->SetRowCount(3);
  EXPECT_FALSE(H->GetMarkListDirty());
  EXPECT_EQ(H->GetMarkedCount(), 1);
  EXPECT_EQ(Grid->GetMarkedCount(), 1);
  EXPECT_EQ(H->GetMarkedRows(0), H->GetRows(2));
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(CellsHolderTest, ResizeCutsUnionsAndDissolvesThoseLeftWithOneCell) {
  TYCellsUnions* Unions = H->GetCellsUnions();
  Unions->Add({3, 1}, {1, 1}, {3, 1}, false); // three cells side by side, main cell last
  Unions->Add({3, 2}, {3, 2}, {4, 2}, false);
  H->SetColCount(4);
  ASSERT_EQ(Unions->GetUnionsCount(), 1);
  EXPECT_EQ(Unions->GetUnions(0)->GetCellsCount(), 3);
  EXPECT_FALSE(H->GetCells(3, 2)->GetBelongsToUnion());
  EXPECT_FALSE(H->GetUnionInvalidateLocked());
  EXPECT_TRUE(ModelConsistent(*Grid));

  H->SetColCount(3);
  ASSERT_EQ(Unions->GetUnionsCount(), 1);
  EXPECT_EQ(Unions->GetUnions(0)->GetCellsCount(), 2);
  EXPECT_EQ(Unions->GetUnions(0)->GetMainCell(), H->GetCells(1, 1)); // the main cell went
  EXPECT_TRUE(ModelConsistent(*Grid));
}

// ---------------------------------------------------------------- fixed counts

struct FixedCase {
  bool Columns;
  std::int32_t Value;
  const char* Message;
};

void PrintTo(const FixedCase& C, std::ostream* Os) {
  *Os << (C.Columns ? "SetFixedCols(" : "SetFixedRows(") << C.Value << ")";
}

class FixedCountErrorTest : public CellsHolderTest,
                            public testing::WithParamInterface<FixedCase> {};

TEST_P(FixedCountErrorTest, RaisesBeforeAnyChange) {
  const FixedCase& C = GetParam();
  Grid->SetCol(3);
  EXPECT_EQ(GridErrorOf([&] {
              if (C.Columns)
                H->SetFixedCols(C.Value);
              else
                H->SetFixedRows(C.Value);
            }),
            C.Message);
  EXPECT_EQ(H->GetFixedCols(), 1);
  EXPECT_EQ(H->GetFixedRows(), 1);
  EXPECT_EQ(Grid->GetCol(), 3);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

INSTANTIATE_TEST_SUITE_P(
    CellsHolder, FixedCountErrorTest,
    testing::Values(
        FixedCase{true, 5, "TYCellsHolder::Fixed column count must be less than column count"},
        FixedCase{true, 9, "TYCellsHolder::Fixed column count must be less than column count"},
        FixedCase{true, -1, "TYCellsHolder::Grid index out of range"},
        FixedCase{false, 5, "TYCellsHolder::Fixed row count must be less than row count"},
        FixedCase{false, -1, "TYCellsHolder::Grid index out of range"}));

TEST_F(CellsHolderTest, SetFixedColsRefixesTheColumnsAndPutsTheFocusOnTheFirstScrollableCell) {
  Grid->SetCol(4);
  Grid->SetRow(3);
  H->SetFixedCols(2);
  EXPECT_TRUE(H->GetCols(1)->GetFixed());
  EXPECT_FALSE(H->GetCols(2)->GetFixed());
  EXPECT_EQ(Grid->GetFixedCols(), 2);
  EXPECT_EQ(Grid->GetCol(), 2);
  EXPECT_EQ(Grid->GetRow(), 1);
  EXPECT_EQ(Grid->GetLeftCol(), 2);
  EXPECT_TRUE(ModelConsistent(*Grid));

  Grid->SetCol(4);
  H->SetFixedCols(2); // unchanged: nothing moves
  EXPECT_EQ(Grid->GetCol(), 4);
}

TEST_F(CellsHolderTest, MarkedColumnThatBecomesFixedKeepsItsFlagButLeavesTheLists) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoColsMarking});
  H->GetCols(2)->SetMarked(true);
  H->SetFixedCols(3);
  EXPECT_TRUE(H->GetCols(2)->GetMarked());
  EXPECT_EQ(H->GetMarkedCount(), 0);
  EXPECT_EQ(Grid->GetMarkedCount(), 0);
  EXPECT_TRUE(ModelConsistent(*Grid));
  H->SetFixedCols(1);
  EXPECT_EQ(H->GetMarkedCount(), 1);
  EXPECT_EQ(Grid->GetMarkedCount(), 1);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

// ---------------------------------------------------------------- enumeration

// Six columns A to F, two of them fixed, B hidden; then F moved to holder index 2.
TEST_F(CellsHolderTest, GridIndicesSkipHiddenColumnsAndCountOnlyVisibleFixedOnes) {
  Make(6, 3);
  H->SetFixedCols(2);
  H->GetCols(1)->SetVisible(false);
  EXPECT_EQ(Grid->GetColMap(), (Map{0, 2, 3, 4, 5}));
  EXPECT_EQ(Grid->GetColCount(), 5);
  EXPECT_EQ(Grid->GetFixedCols(), 1);
  EXPECT_EQ(H->GetGridColCount(), 5);
  EXPECT_EQ(H->GetCols(1)->GetGridIndex(), -1);
  EXPECT_EQ(H->GetCols(2)->GetGridIndex(), 1);
  EXPECT_TRUE(ModelConsistent(*Grid));

  TYCellsVector* F = H->GetCols(5);
  H->DoMoveColumn(5, 2);
  EXPECT_EQ(Grid->GetColMap(), (Map{0, 2, 3, 4, 5}));
  EXPECT_EQ(F->GetHolderIndex(), 2);
  EXPECT_EQ(F->GetGridIndex(), 1);
  EXPECT_EQ(Grid->GetCols(1), F);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(CellsHolderTest, GridFixedCountStaysBelowTheVisibleCount) {
  H->SetFixedCols(3);
  H->GetCols(3)->SetVisible(false);
  H->GetCols(4)->SetVisible(false);
  EXPECT_EQ(Grid->GetColCount(), 3);
  EXPECT_EQ(Grid->GetFixedCols(), 2);
  EXPECT_EQ(Grid->GetCol(), 2);
  EXPECT_TRUE(ModelConsistent(*Grid));
}

// ---------------------------------------------------------------- sizes, vectors, cells

TEST_F(CellsHolderTest, ChangingAWidthOrHeightReportsOnlyARealChange) {
  int ColSized = 0;
  int RowSized = 0;
  Grid->OnColumnSized = [&ColSized](TObject*) { ++ColSized; };
  Grid->OnRowSized = [&RowSized](TObject*) { ++RowSized; };
  H->SetColWidths(2, 64);
  H->SetRowHeights(2, 24);
  EXPECT_EQ(ColSized + RowSized, 0);
  H->SetColWidths(2, 80);
  H->SetRowHeights(3, 30);
  EXPECT_EQ(ColSized, 1);
  EXPECT_EQ(RowSized, 1);
  EXPECT_EQ(H->GetCols(2)->GetSize(), 80);
  EXPECT_EQ(Grid->GetColWidths(2), 80);
  EXPECT_EQ(Grid->GetRowHeights(3), 30);

  H->GetCols(4)->SetVisible(false); // a hidden column keeps a width of its own
  H->SetColWidths(4, 10);
  EXPECT_EQ(H->GetColWidths(4), 10);
  EXPECT_EQ(ColSized, 2);
}

TEST_F(CellsHolderTest, IndexErrorsRaiseBeforeAnyChange) {
  int Sized = 0;
  Grid->OnColumnSized = [&Sized](TObject*) { ++Sized; };
  Grid->OnRowSized = [&Sized](TObject*) { ++Sized; };
  const std::string Holder = "TYCellsHolder::Grid index out of range";
  EXPECT_EQ(GridErrorOf([&] { H->SetColWidths(5, 10); }), Holder);
  EXPECT_EQ(GridErrorOf([&] { H->SetRowHeights(5, 10); }), Holder);
  EXPECT_EQ(GridErrorOf([&] { H->GetCols(-1); }), Holder);
  EXPECT_EQ(GridErrorOf([&] { H->GetCols(5); }), Holder);
  EXPECT_EQ(GridErrorOf([&] { H->GetRows(5); }), Holder);
  EXPECT_EQ(GridErrorOf([&] { H->GetCells(5, 0); }), Holder);
  EXPECT_EQ(GridErrorOf([&] { H->GetCells(0, -1); }), Holder);
  // A negative size index and the size readers leave the check to the list.
  EXPECT_EQ(GridErrorOf([&] { H->SetColWidths(-1, 10); }),
            "EListError: List index out of bounds (-1)");
  EXPECT_EQ(GridErrorOf([&] { H->SetRowHeights(-2, 10); }),
            "EListError: List index out of bounds (-2)");
  EXPECT_EQ(GridErrorOf([&] { H->GetColWidths(5); }), "EListError: List index out of bounds (5)");
  EXPECT_EQ(GridErrorOf([&] { H->GetRowHeights(-1); }),
            "EListError: List index out of bounds (-1)");
  EXPECT_EQ(Sized, 0);
  EXPECT_EQ(ColWidths(), (Map{64, 64, 64, 64, 64}));

  // The grid's accessors speak grid indices and name the grid.
  H->GetCols(2)->SetVisible(false);
  EXPECT_EQ(GridErrorOf([&] { Grid->GetCols(4); }), "TYGrid::Grid index out of range");
  EXPECT_EQ(GridErrorOf([&] { Grid->GetCells(0, 5); }), "TYGrid::Grid index out of range");
}

// ---------------------------------------------------------------- streaming

using Bytes = std::vector<std::uint8_t>;

Bytes Written(TYCellsHolder& Holder) {
  TMemoryStream Stream;
  TWriter Writer(Stream);
  Writer.SetPropPath("Holder.");
  Writer.WriteProperties(Holder);
  return Stream.GetBytes();
}

// Reads the two lists of Data into Holder.
void ReadInto(TYCellsHolder& Holder, const Bytes& Data) {
  TMemoryStream Stream(Data);
  TReader Reader(Stream);
  Reader.ReadProperty(Holder, "Holder.");
  Reader.ReadProperty(Holder, "Holder.");
}

// A property as the stream holds it: the name with its length byte, then the value.
Bytes Property(const std::string& Name, const Bytes& Value) {
  Bytes Result(Name.begin(), Name.end());
  Result.insert(Result.begin(), static_cast<std::uint8_t>(Name.size()));
  Result.insert(Result.end(), Value.begin(), Value.end());
  return Result;
}

TEST_F(CellsHolderTest, WritesTheWidthsThenTheHeightsAsIntegerLists) {
  Make(7, 4);
  Bytes Expected{0x10, 'H',  'o',  'l',  'd',  'e',  'r',  '.',  'C',  'o',  'l',
                 'W',  'i',  'd',  't',  'h',  's',  0x01, 0x02, 0x40, 0x02, 0x40,
                 0x02, 0x40, 0x02, 0x40, 0x02, 0x40, 0x02, 0x40, 0x02, 0x40, 0x00};
  const Bytes Heights =
      Property("Holder.RowHeights", {0x01, 0x02, 24, 0x02, 24, 0x02, 24, 0x02, 24, 0x00});
  Expected.insert(Expected.end(), Heights.begin(), Heights.end());
  EXPECT_EQ(Written(*H), Expected);
}

TEST_F(CellsHolderTest, ReadingBackRestoresEveryWidthAndHeight) {
  Make(7, 4);
  const Map Widths{0, 1, 127, 128, -5, 300, 70000}; // every integer tag the writer may choose
  for (std::int32_t I = 0; I < 7; ++I)
    H->SetColWidths(I, Widths[static_cast<size_t>(I)]);
  H->SetRowHeights(3, 500);
  H->GetCols(2)->SetVisible(false);
  const Bytes Data = Written(*H);

  Make(7, 4);
  ReadInto(*H, Data);
  EXPECT_EQ(ColWidths(), Widths);
  EXPECT_EQ(H->GetRowHeights(3), 500);
  EXPECT_EQ(H->GetRowHeights(2), 24);
}

class WrongLengthTest : public CellsHolderTest, public testing::WithParamInterface<std::int32_t> {};

// The list is read whole before any width is applied: a list of another length changes nothing.
TEST_P(WrongLengthTest, WidthListOfAnotherLengthFailsAndChangesNoWidth) {
  Make(7, 4);
  const Bytes Data = Written(*H);
  Make(GetParam(), 4);
  for (std::int32_t I = 0; I < H->GetColCount(); ++I)
    H->SetColWidths(I, 10 + I);
  const Map Before = ColWidths();
  EXPECT_THROW(ReadInto(*H, Data), EReadError);
  EXPECT_EQ(ColWidths(), Before);
}

INSTANTIATE_TEST_SUITE_P(CellsHolder, WrongLengthTest, testing::Values(1, 6, 8));

} // namespace
