// The demo's commands driven by the mouse on the shown form: filtering columns by group,
// sorting by a number cell, jumping into a row, the "№" cell, and the veto on one row's mark.
#include "tests/app/DemoFormSupport.h"
#include "tests/support/GridTestSupport.h"

#include "host/gui/Testing.h"
#include "host/gui/WinUser.h"

#include <vector>

namespace {

using namespace Testing;

// Six rows whose texts sort differently by each column.
const char* const Table = "d 4 x\n"
                          "b 6 y\n"
                          "f 1 z\n"
                          "a 5 u\n"
                          "e 2 w\n"
                          "c 3 v\n";

// Column c starts at 65 * c; row r at 25 * r: the title row 0, the groups row 1, the numbers
// row 2, data from row 3.
class DemoCommands : public DemoForm {
protected:
  void SetUp() override {
    DemoForm::SetUp();
    Open(Table);
    Form->Show();
    Form->Activate();
  }
  void ClickCell(int Col, int Row, TShiftState Shift = {}) {
    ClickAt(*Grid, 65 * Col + 20, 25 * Row + 12, Shift);
  }
  std::vector<bool> VisibleColumns() {
    std::vector<bool> Visible;
    for (int C = 0; C < Holder->GetColCount(); ++C)
      Visible.push_back(Holder->GetCols(C)->GetVisible());
    return Visible;
  }
  // The texts of holder column Col down the data rows, in their current order.
  std::string ColumnTexts(int Col) {
    std::string Texts;
    for (int R = 3; R < Holder->GetRowCount(); ++R)
      Texts += TextOf(Col, R);
    return Texts;
  }
  std::vector<int> NumberImages() {
    std::vector<int> Images;
    for (int C = 0; C < Grid->GetColCount(); ++C)
      Images.push_back(ImageOf(C, 2));
    return Images;
  }
};

TEST_F(DemoCommands, AGroupHeaderLeavesItsColumnsAndTheTitleShowsAllAgain) {
  ClickCell(3, 1); // "ГРУППА 2"
  EXPECT_EQ(VisibleColumns(), (std::vector<bool>{true, false, false, true, true, false, false}));
  EXPECT_EQ(Supply(1, 1).Text, "ГРУППА 2");
  ClickCell(1, 0); // "ВСЕ ГРУППЫ", now over the two columns left
  EXPECT_EQ(VisibleColumns(), std::vector<bool>(7, true));
  ClickCell(6, 1); // "ГРУППА 3"
  EXPECT_EQ(VisibleColumns(), (std::vector<bool>{true, false, false, false, false, true, true}));
}

TEST_F(DemoCommands, ANumberCellSortsAscendingDescendingAscending) {
  ClickCell(2, 2);
  EXPECT_EQ(ColumnTexts(2), "123456");
  EXPECT_EQ(NumberImages(), (std::vector<int>{2, 2, 0, 2, 2, 2, 2}));
  ClickCell(2, 2);
  EXPECT_EQ(ColumnTexts(2), "654321");
  EXPECT_EQ(NumberImages(), (std::vector<int>{2, 2, 1, 2, 2, 2, 2}));
  ClickCell(2, 2);
  EXPECT_EQ(ColumnTexts(2), "123456");
  EXPECT_EQ(NumberImages(), (std::vector<int>{2, 2, 0, 2, 2, 2, 2}));
  // Another column starts ascending, and the old one's mark turns neutral.
  ClickCell(3, 2);
  EXPECT_EQ(ColumnTexts(3), "uvwxyz");
  EXPECT_EQ(NumberImages(), (std::vector<int>{2, 2, 2, 0, 2, 2, 2}));
  // The rows keep their texts together and their numbers with them.
  EXPECT_EQ(ColumnTexts(1), "acedbf");
  EXPECT_EQ(Supply(0, 3).Text, "4");
  EXPECT_TRUE(ModelConsistent(*Grid));
}

TEST_F(DemoCommands, TheSortMarkStaysWithItsColumnWhenColumnsMove) {
  ClickCell(2, 2);
  Grid->MoveColumn(2, 5); // the sorted column now sits fifth; column 3 takes its place
  EXPECT_EQ(NumberImages(), (std::vector<int>{2, 2, 2, 2, 2, 0, 2}));
  ClickCell(5, 2); // the same column again: descending
  EXPECT_EQ(ColumnTexts(5), "654321");
  EXPECT_EQ(NumberImages(), (std::vector<int>{2, 2, 2, 2, 2, 1, 2}));
  ClickCell(2, 2); // now column 3: ascending by its own texts
  EXPECT_EQ(ColumnTexts(2), "uvwxyz");
  EXPECT_EQ(NumberImages(), (std::vector<int>{2, 2, 0, 2, 2, 2, 2}));
}

TEST_F(DemoCommands, SortingByTheNumberColumnRestoresFileOrder) {
  ClickCell(1, 2);
  EXPECT_EQ(ColumnTexts(1), "abcdef");
  ClickCell(0, 2);
  EXPECT_EQ(ColumnTexts(1), "dbfaec");
  ClickCell(0, 2);
  EXPECT_EQ(ColumnTexts(1), "ceafbd"); // descending by number
}

TEST_F(DemoCommands, ARowNumberFocusesTheFirstDataColumnOfItsRow) {
  Grid->SetCol(4);
  ClickCell(0, 6);
  EXPECT_EQ(Grid->GetRow(), 6);
  EXPECT_EQ(Grid->GetCol(), 1);
  EXPECT_EQ(StatusText(), "    1 : 4");
}

TEST_F(DemoCommands, TheNumberSignCellOnlyBeeps) {
  const int Beeps = BeepCount();
  const TColor Raised = Pixel(0, 10);
  MouseDownAt(*Grid, 20, 12);
  EXPECT_EQ(Pixel(0, 10), Raised); // never drawn pressed
  MouseUpAt(*Grid, 20, 12);
  EXPECT_EQ(BeepCount(), Beeps + 1);
  EXPECT_EQ(Form->SortCol, -1);
  EXPECT_EQ(VisibleColumns(), std::vector<bool>(7, true));
}

TEST_F(DemoCommands, MarkingRowNumberThreeAsksFirst) {
  TYCellsVector* Third = Holder->GetRows(5); // line 3 of the file
  const int Beeps = BeepCount();
  Application->QueueMessageBoxAnswer(IDNO);
  ClickCell(2, 5, {ssShift}); // Shift and a click mark the row
  EXPECT_FALSE(Third->GetMarked());
  EXPECT_EQ(BeepCount(), Beeps + 1);
  ASSERT_EQ(Application->GetMessageBoxCalls().size(), 1u);
  const TMessageBoxCall& Call = Application->GetMessageBoxCalls()[0];
  EXPECT_EQ(Call.Text, "Для смены маркировки этой строки требуется специальное разрешение "
                       "оператора!\n\nВы хотите изменить маркировку этой строки?");
  EXPECT_EQ(Call.Caption, "ВНИМАНИЕ");
  EXPECT_EQ(Call.Flags, 0x34u);
  Application->QueueMessageBoxAnswer(IDYES);
  ClickCell(2, 5, {ssShift});
  EXPECT_TRUE(Third->GetMarked());
  Application->QueueMessageBoxAnswer(IDNO); // unmarking is asked alike
  ClickCell(2, 5, {ssShift});
  EXPECT_TRUE(Third->GetMarked());
  EXPECT_EQ(Application->GetMessageBoxCalls().size(), 3u);
  ClickCell(2, 4, {ssShift}); // another row: no question
  EXPECT_TRUE(Holder->GetRows(4)->GetMarked());
  EXPECT_EQ(Application->GetMessageBoxCalls().size(), 3u);
}

} // namespace
