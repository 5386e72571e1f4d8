// The keyboard, through the window as a user types: moving the current cell and the view,
// Tab, the page keys and their Ctrl forms, marking with Space, Insert and the keypad, and
// marking with Shift (or Alt) while moving.
#include "tests/grid/gui/GridGuiSupport.h"

#include <string>

namespace {

// 10 x 20 cells of 64 x 24 on a 400 x 200 window without bars: columns 1..5 and rows 1..7 are
// wholly visible, so a page is 4 columns (6 rows) and the largest first cell is (5, 13).
class GridKeyboard : public GridOnForm {
protected:
  void SetUp() override {
    GridOnForm::SetUp();
    Grid->GetHolder()->SetColCount(10);
    Grid->GetHolder()->SetRowCount(20);
    ShowPositions(*Grid);
    Grid->Update();
  }
  void Key(unsigned short Vk, TShiftState Shift = {}) { Testing::PressKey(*Grid, Vk, Shift); }
  void Focus(std::int32_t Col, std::int32_t Row) { Grid->MoveCurrent(Col, Row, true); }
  TYGridCoord Current() const { return {Grid->GetCol(), Grid->GetRow()}; }
  TYGridCoord TopLeft() const { return {Grid->GetLeftCol(), Grid->GetTopRow()}; }
  void Mode(TYGridOption Marking) { Grid->SetOptions(Grid->GetOptions() + TYGridOptions{Marking}); }
  // The marked scrollable cells as "c:r" in column order; a marked row or column marks its cells.
  std::string Marks() {
    std::string S;
    for (std::int32_t C = 1; C < Grid->GetColCount(); ++C)
      for (std::int32_t R = 1; R < Grid->GetRowCount(); ++R)
        if (Grid->GetCells(C, R)->GetMarked() || Grid->GetCols(C)->GetMarked() ||
            Grid->GetRows(R)->GetMarked())
          S += (S.empty() ? "" : " ") + std::to_string(C) + ":" + std::to_string(R);
    return S;
  }
  std::string MarkedCols() {
    std::string S;
    for (std::int32_t C = 1; C < Grid->GetColCount(); ++C)
      if (Grid->GetCols(C)->GetMarked()) S += std::to_string(C);
    return S;
  }
};

// ---------------------------------------------------------------- movement

TEST_F(GridKeyboard, ArrowsMoveOneCellAndStopAtTheScrollableEdges) {
  Key(VK_DOWN);
  Key(VK_RIGHT);
  EXPECT_EQ(Current(), (TYGridCoord{2, 2}));
  for (int I = 0; I < 3; ++I) {
    Key(VK_LEFT);
    Key(VK_UP);
  }
  EXPECT_EQ(Current(), (TYGridCoord{1, 1})); // never into the fixed cells
  Focus(9, 19);
  Key(VK_RIGHT);
  Key(VK_DOWN);
  EXPECT_EQ(Current(), (TYGridCoord{9, 19}));
  EXPECT_TRUE(ModelConsistent(*Grid));
}

// Keys go by grid index: a column without width is a stop of its own.
TEST_F(GridKeyboard, ArrowsDoNotSkipZeroWidthColumns) {
  Grid->SetColWidths(2, 0);
  Key(VK_RIGHT);
  EXPECT_EQ(Grid->GetCol(), 2);
}

TEST_F(GridKeyboard, TabGoesOnWrapsRowsAndWrapsTheGrid) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoTabs});
  Focus(9, 3);
  Key(VK_TAB);
  EXPECT_EQ(Current(), (TYGridCoord{1, 4}));
  Key(VK_TAB, {ssShift});
  EXPECT_EQ(Current(), (TYGridCoord{9, 3}));
  Focus(9, 19);
  Key(VK_TAB);
  EXPECT_EQ(Current(), (TYGridCoord{1, 1}));
  Key(VK_TAB, {ssShift});
  EXPECT_EQ(Current(), (TYGridCoord{9, 19}));
  Key(VK_TAB, {ssAlt});
  EXPECT_EQ(Current(), (TYGridCoord{9, 19}));
}

TEST_F(GridKeyboard, TabLeavesAMergedCellPastItsEdge) {
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoTabs});
  Grid->GetHolder()->GetCellsUnions()->Add({2, 2}, {2, 2}, {4, 2}, true); // three columns
  Grid->GetHolder()->GetCellsUnions()->Add({9, 3}, {9, 3}, {9, 5}, true); // three rows
  Focus(3, 2);
  Key(VK_TAB);
  EXPECT_EQ(Current(), (TYGridCoord{5, 2}));
  Focus(3, 2);
  Key(VK_TAB, {ssShift});
  EXPECT_EQ(Current(), (TYGridCoord{1, 2}));
  Focus(9, 4);
  Key(VK_TAB);
  EXPECT_EQ(Current(), (TYGridCoord{1, 6}));
}

TEST_F(GridKeyboard, WithoutTheTabOptionTabGoesToTheNextControl) {
  EXPECT_EQ(Grid->Perform(WM_GETDLGCODE), static_cast<std::intptr_t>(DLGC_WANTARROWS));
  auto* Other = new TYGrid(Form.get());
  Other->SetParent(Form.get());
  Key(VK_TAB);
  EXPECT_EQ(Form->GetActiveControl(), Other);
  EXPECT_EQ(Current(), (TYGridCoord{1, 1}));
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoTabs});
  EXPECT_EQ(Grid->Perform(WM_GETDLGCODE),
            static_cast<std::intptr_t>(DLGC_WANTARROWS | DLGC_WANTTAB));
}

// Page Down moves the current row and the top row by a page; at the end both are clamped.
TEST_F(GridKeyboard, PageKeysMoveTheCurrentRowAndTheViewTogether) {
  Focus(1, 2);
  Key(VK_NEXT);
  EXPECT_EQ(Current(), (TYGridCoord{1, 8}));
  EXPECT_EQ(TopLeft(), (TYGridCoord{1, 7}));
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  Key(VK_NEXT);
  Key(VK_NEXT);
  EXPECT_EQ(Current(), (TYGridCoord{1, 19}));
  EXPECT_EQ(TopLeft(), (TYGridCoord{1, 13}));
  Key(VK_PRIOR);
  EXPECT_EQ(Current(), (TYGridCoord{1, 13}));
  EXPECT_EQ(TopLeft(), (TYGridCoord{1, 7}));
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
}

// Ctrl+Up and Ctrl+Down scroll the view a row; the current cell stays, even out of view.
TEST_F(GridKeyboard, CtrlUpAndDownScrollTheViewOnly) {
  for (int I = 0; I < 3; ++I)
    Key(VK_DOWN, {ssCtrl});
  EXPECT_EQ(TopLeft(), (TYGridCoord{1, 4}));
  EXPECT_EQ(Current(), (TYGridCoord{1, 1}));
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  Key(VK_UP, {ssCtrl});
  EXPECT_EQ(Grid->GetTopRow(), 3);
  Grid->SetTopRow(13);
  Key(VK_DOWN, {ssCtrl});
  EXPECT_EQ(Grid->GetTopRow(), 13);
}

TEST_F(GridKeyboard, CtrlKeysGoToThePageEdgesAndTheGridCorners) {
  Key(VK_NEXT, {ssCtrl});
  EXPECT_EQ(Current(), (TYGridCoord{1, 7})); // the last wholly visible row
  Key(VK_PRIOR, {ssCtrl});
  EXPECT_EQ(Current(), (TYGridCoord{1, 1}));
  Key(VK_END, {ssCtrl});
  EXPECT_EQ(Current(), (TYGridCoord{9, 19}));
  EXPECT_EQ(TopLeft(), (TYGridCoord{5, 13}));
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
  Key(VK_HOME, {ssCtrl});
  EXPECT_EQ(Current(), (TYGridCoord{1, 1}));
  EXPECT_EQ(TopLeft(), (TYGridCoord{1, 1}));
}

TEST_F(GridKeyboard, HomeAndEndKeepTheRowCtrlLeftAndRightPageSideways) {
  Focus(3, 5);
  Key(VK_END);
  EXPECT_EQ(Current(), (TYGridCoord{9, 5}));
  Key(VK_HOME);
  EXPECT_EQ(Current(), (TYGridCoord{1, 5}));
  Key(VK_RIGHT, {ssCtrl});
  EXPECT_EQ(Current(), (TYGridCoord{5, 5}));
  EXPECT_EQ(Grid->GetLeftCol(), 5);
  Key(VK_RIGHT, {ssCtrl});
  EXPECT_EQ(Current(), (TYGridCoord{9, 5}));
  EXPECT_EQ(Grid->GetLeftCol(), 5); // the last page
  Key(VK_LEFT, {ssCtrl});
  EXPECT_EQ(Current(), (TYGridCoord{5, 5}));
  EXPECT_EQ(Grid->GetLeftCol(), 1);
}

TEST_F(GridKeyboard, RightToLeftSwapsLeftAndRight) {
  Grid->SetBiDiMode(bdRightToLeft);
  Focus(3, 3);
  Key(VK_LEFT);
  EXPECT_EQ(Grid->GetCol(), 4);
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  EXPECT_EQ(Grid->GetCol(), 2);
  Key(VK_LEFT, {ssCtrl});
  EXPECT_EQ(Grid->GetCol(), 6);
  EXPECT_EQ(Grid->GetLeftCol(), 5);
  EXPECT_TRUE(SameAsFullRepaint(*Grid));
}

// A key the host clears, or one the grid refuses, changes nothing and ends a range marking.
TEST_F(GridKeyboard, ARefusedKeyChangesNothing) {
  Mode(ygoCellsMarking);
  Testing::HoldModifiers(*Grid, {ssShift});
  Testing::PressKeyHeld(*Grid, VK_DOWN, {ssShift});
  ASSERT_TRUE(Grid->GetKeyRangeMarking());
  Grid->OnKeyDown = [](TObject*, unsigned short& Key, TShiftState) {
    if (Key == VK_DOWN) Key = 0;
  };
  Testing::PressKeyHeld(*Grid, VK_DOWN, {ssShift});
  EXPECT_EQ(Current(), (TYGridCoord{1, 2}));
  EXPECT_FALSE(Grid->GetKeyRangeMarking());
  EXPECT_EQ(Marks(), "1:1 1:2");
  Testing::ReleaseModifiers(*Grid, {ssShift});
}

class RefusingGrid : public TYGrid {
public:
  using TYGrid::TYGrid;

protected:
  bool CanGridAcceptKey(unsigned short Key, TShiftState) override { return Key != VK_RIGHT; }
};

TEST(GridKeyboardHook, KeysTheGridRefusesDoNothing) {
  TForm Form(nullptr);
  auto* Grid = new RefusingGrid(&Form);
  Grid->SetParent(&Form);
  Form.Show();
  Testing::PressKey(*Grid, VK_RIGHT);
  EXPECT_EQ(Grid->GetCol(), 1);
  Testing::PressKey(*Grid, VK_DOWN);
  EXPECT_EQ(Grid->GetRow(), 2);
}

// ---------------------------------------------------------------- marking without Shift

struct MarkCase {
  const char* Name;
  TYGridOption Marking;
  TYGridCoord AfterSpace;   // the item marked by Space at (2, 3)
  TYGridCoord AfterInserts; // the one marked after Insert there and on the row below
};
void PrintTo(const MarkCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class GridKeyMarks : public GridKeyboard, public testing::WithParamInterface<MarkCase> {
protected:
  // The column, the row or the cell at Coord, by the marking mode, is marked.
  bool ItemMarked(const TYGridCoord& Coord) {
    switch (GetParam().Marking) {
    case ygoColsMarking:
      return Grid->GetCols(Coord.X)->GetMarked();
    case ygoRowsMarking:
      return Grid->GetRows(Coord.Y)->GetMarked();
    default:
      return Grid->GetCells(Coord.X, Coord.Y)->GetMarked();
    }
  }
};

TEST_P(GridKeyMarks, SpaceTogglesTheCurrentItemInsertTooThenMovesDown) {
  Mode(GetParam().Marking);
  Focus(2, 3);
  Key(VK_SPACE);
  EXPECT_EQ(Grid->GetMarkedCount(), 1);
  EXPECT_TRUE(ItemMarked(GetParam().AfterSpace));
  Key(VK_INSERT);
  EXPECT_EQ(Current(), (TYGridCoord{2, 4}));
  Key(VK_INSERT);
  EXPECT_EQ(Current(), (TYGridCoord{2, 5}));
  EXPECT_EQ(Grid->GetMarkedCount(), 1);
  EXPECT_TRUE(ItemMarked(GetParam().AfterInserts));
  EXPECT_TRUE(ModelConsistent(*Grid));
}

// In column mode both Inserts toggle column 2.
INSTANTIATE_TEST_SUITE_P(Modes, GridKeyMarks,
                         testing::Values(MarkCase{"Cells", ygoCellsMarking, {2, 3}, {2, 4}},
                                         MarkCase{"Rows", ygoRowsMarking, {2, 3}, {2, 4}},
                                         MarkCase{"Columns", ygoColsMarking, {2, 3}, {2, 3}}),
                         [](const testing::TestParamInfo<MarkCase>& Info) {
                           return std::string(Info.param.Name);
                         });

// Keypad + marks every scrollable item, - unmarks all, * inverts.
TEST_F(GridKeyboard, KeypadKeysMarkClearAndInvertEverything) {
  const std::pair<TYGridOption, std::int32_t> Modes[] = {
      {ygoCellsMarking, 9 * 19}, {ygoRowsMarking, 19}, {ygoColsMarking, 9}};
  for (const auto& [Marking, All] : Modes) {
    Mode(Marking);
    Key(VK_ADD);
    EXPECT_EQ(Grid->GetMarkedCount(), All) << Marking;
    Key(VK_SPACE); // one item less
    Key(VK_MULTIPLY);
    EXPECT_EQ(Grid->GetMarkedCount(), 1) << Marking;
    Key(VK_SUBTRACT);
    EXPECT_EQ(Grid->GetMarkedCount(), 0) << Marking;
  }
}

// ---------------------------------------------------------------- marking while moving

// Shift toggles the columns left behind, not the new current one.
TEST_F(GridKeyboard, ShiftRightInColumnModeTogglesTheColumnsLeftBehind) {
  Mode(ygoColsMarking);
  Focus(2, 1);
  for (int I = 0; I < 3; ++I)
    Key(VK_RIGHT, {ssShift});
  EXPECT_EQ(MarkedCols(), "234");
  EXPECT_EQ(Grid->GetCol(), 5);
  for (int I = 0; I < 3; ++I)
    Key(VK_LEFT, {ssShift});
  EXPECT_EQ(MarkedCols(), "25"); // 5, 4 and 3 were left behind going back
  EXPECT_EQ(Grid->GetCol(), 2);
}

TEST_F(GridKeyboard, ShiftRightOutOfAWideMergedCellTogglesAllItsColumns) {
  Mode(ygoColsMarking);
  Grid->GetHolder()->GetCellsUnions()->Add({2, 2}, {2, 2}, {4, 2}, true);
  Focus(3, 2);
  Key(VK_RIGHT, {ssShift});
  EXPECT_EQ(Grid->GetCol(), 5);
  EXPECT_EQ(MarkedCols(), "234");
}

TEST_F(GridKeyboard, ShiftDownInRowModeTogglesTheRowsLeftBehind) {
  Mode(ygoRowsMarking);
  Focus(1, 2);
  Key(VK_DOWN, {ssShift});
  Key(VK_NEXT, {ssShift});
  EXPECT_EQ(Current(), (TYGridCoord{1, 9}));
  EXPECT_EQ(Grid->GetMarkedCount(), 7); // rows 2..8
  EXPECT_FALSE(Grid->GetRows(9)->GetMarked());
}

// Holding Shift in cell mode draws a rectangle from where it started; after Shift was released
// a new one starts at the current cell.
TEST_F(GridKeyboard, ShiftArrowsInCellModeDrawARectangleAndANewOneAfterRelease) {
  Mode(ygoCellsMarking);
  Focus(2, 2);
  Testing::HoldModifiers(*Grid, {ssShift});
  Testing::PressKeyHeld(*Grid, VK_DOWN, {ssShift});
  EXPECT_EQ(Marks(), "2:2 2:3");
  Testing::PressKeyHeld(*Grid, VK_DOWN, {ssShift});
  Testing::PressKeyHeld(*Grid, VK_RIGHT, {ssShift});
  EXPECT_EQ(Marks(), "2:2 2:3 2:4 3:2 3:3 3:4");
  Testing::PressKeyHeld(*Grid, VK_UP, {ssShift});
  EXPECT_EQ(Marks(), "2:2 2:3 3:2 3:3");
  EXPECT_EQ(Grid->GetMarkAnchor(), (TYGridCoord{2, 2}));
  Testing::ReleaseModifiers(*Grid, {ssShift});
  EXPECT_FALSE(Grid->GetKeyRangeMarking());
  Key(VK_DOWN, {ssShift}); // a new range at (3, 3): it inverts (3, 3) and reaches (3, 4)
  EXPECT_EQ(Grid->GetMarkAnchor(), (TYGridCoord{3, 3}));
  EXPECT_EQ(Marks(), "2:2 2:3 3:2 3:4");
  EXPECT_TRUE(ModelConsistent(*Grid));
}

// Any key without a movement ends the range too.
TEST_F(GridKeyboard, AnotherKeyEndsTheRange) {
  Mode(ygoCellsMarking);
  Testing::HoldModifiers(*Grid, {ssShift});
  Testing::PressKeyHeld(*Grid, VK_RIGHT, {ssShift});
  Testing::PressKeyHeld(*Grid, VK_F5, {ssShift});
  EXPECT_FALSE(Grid->GetKeyRangeMarking());
  Testing::PressKeyHeld(*Grid, VK_RIGHT, {ssShift});
  EXPECT_EQ(Grid->GetMarkAnchor(), (TYGridCoord{2, 1}));
  Testing::ReleaseModifiers(*Grid, {ssShift});
}

// In cell mode Alt toggles the cells passed over, like Shift in the other modes.
TEST_F(GridKeyboard, AltMovesInCellModeToggleTheCellsPassedOver) {
  Mode(ygoCellsMarking);
  Focus(2, 2);
  Key(VK_DOWN, {ssAlt});
  Key(VK_DOWN, {ssAlt});
  EXPECT_EQ(Current(), (TYGridCoord{2, 4}));
  EXPECT_EQ(Marks(), "2:2 2:3");
  EXPECT_FALSE(Grid->GetKeyRangeMarking());
}

} // namespace
