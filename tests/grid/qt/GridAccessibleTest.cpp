// The grid as Qt's accessibility framework presents it to a screen reader, queried in-process:
// the table, its cells with texts, rectangles, headers, spans, selection and focus, and the
// events its changes send (recorded by an update handler while accessibility is active).
#include "tests/grid/gui/GridGuiSupport.h"

#include "host/gui/Window.h"

#include <QAccessible>

namespace {
struct TRecorded {
  QAccessible::Event Type;
  QObject* Object;
  int Child;
  int ModelChange; // QAccessibleTableModelChangeEvent::ModelChangeType, or -1
};
std::vector<TRecorded> Recorded;

void Record(QAccessibleEvent* Event) {
  int Change = -1;
  if (Event->type() == QAccessible::TableModelChanged)
    Change = static_cast<QAccessibleTableModelChangeEvent*>(Event)->modelChangeType();
  Recorded.push_back({Event->type(), Event->object(), Event->child(), Change});
}
} // namespace

class GridAccessible : public GridOnForm {
protected:
  void SetUp() override {
    GridOnForm::SetUp();
    Grid->OnGetCellText = [](TYCustomGrid*, TYCell* Cell, std::int32_t, std::int32_t,
                             std::string& Text) {
      Text = std::to_string(Cell->GetHolderCol()) + ":" + std::to_string(Cell->GetHolderRow());
    };
    Recorded.clear();
    Previous = QAccessible::installUpdateHandler(&Record);
    QAccessible::setActive(true);
  }
  void TearDown() override {
    QAccessible::setActive(false);
    QAccessible::installUpdateHandler(Previous);
    GridOnForm::TearDown();
  }
  QWidget* Window() const { return Grid->GetHandle(); }
  QAccessibleInterface* Table() const { return QAccessible::queryAccessibleInterface(Window()); }
  QAccessibleTableInterface* Tab() const { return Table()->tableInterface(); }
  QAccessibleInterface* Cell(int Col, int Row) const { return Tab()->cellAt(Row, Col); }
  QAccessibleTableCellInterface* CellOf(int Col, int Row) const {
    return Cell(Col, Row)->tableCellInterface();
  }
  // The cell's rectangle as it is on the screen, from client pixels.
  QRect OnScreen(int X, int Y, int Width, int Height) const {
    return {Grid->GetHandle()->ClientToGlobal({X, Y}), QSize(Width, Height)};
  }
  // The recorded events of one type.
  std::vector<TRecorded> Events(QAccessible::Event Type) const {
    std::vector<TRecorded> Found;
    for (const TRecorded& E : Recorded)
      if (E.Type == Type) Found.push_back(E);
    return Found;
  }
  void Mode(TYGridOption Option) {
    TYGridOptions Options = Grid->GetOptions();
    Options.Include(Option);
    Grid->SetOptions(Options);
  }

  QAccessible::UpdateHandler Previous = nullptr;
};

TEST_F(GridAccessible, TheWindowIsATableOfTheVisibleColumnsAndRows) {
  ASSERT_NE(Table(), nullptr);
  EXPECT_EQ(Table()->role(), QAccessible::Table);
  ASSERT_NE(Tab(), nullptr);
  EXPECT_EQ(Tab()->columnCount(), 5);
  EXPECT_EQ(Tab()->rowCount(), 5);
  EXPECT_EQ(Table()->childCount(), 25);
  Grid->GetHolder()->GetCols(2)->SetVisible(false);
  EXPECT_EQ(Tab()->columnCount(), 4);
  EXPECT_EQ(Cell(2, 1)->text(QAccessible::Name), "3:1"); // the hidden column is left out
  EXPECT_EQ(Table()->child(4 * 3 + 2), Cell(2, 3));
  EXPECT_EQ(Table()->indexOfChild(Cell(2, 3)), 4 * 3 + 2);
  EXPECT_EQ(Tab()->cellAt(5, 0), nullptr);
}

TEST_F(GridAccessible, ACellHasItsTextRectangleAndHeaders) {
  QAccessibleInterface* C = Cell(3, 2);
  EXPECT_EQ(C->role(), QAccessible::Cell);
  EXPECT_EQ(C->text(QAccessible::Name), "3:2");
  EXPECT_EQ(C->rect(), OnScreen(195, 50, 64, 24));
  EXPECT_EQ(C->parent(), Table());
  QAccessibleTableCellInterface* CI = CellOf(3, 2);
  EXPECT_EQ(CI->columnIndex(), 3);
  EXPECT_EQ(CI->rowIndex(), 2);
  EXPECT_EQ(CI->columnHeaderCells(), QList<QAccessibleInterface*>{Cell(3, 0)});
  EXPECT_EQ(CI->rowHeaderCells(), QList<QAccessibleInterface*>{Cell(0, 2)});
  EXPECT_EQ(Cell(3, 0)->role(), QAccessible::ColumnHeader);
  EXPECT_EQ(Cell(0, 2)->role(), QAccessible::RowHeader);
  EXPECT_EQ(Tab()->columnDescription(3), "3:0");
  EXPECT_EQ(Tab()->rowDescription(2), "0:2");
  const QPoint Inside = OnScreen(200, 60, 1, 1).topLeft();
  EXPECT_EQ(Table()->childAt(Inside.x(), Inside.y()), C);
}

TEST_F(GridAccessible, ACellScrolledOutOfViewHasNoRectangleAndIsOffscreen) {
  Grid->GetHolder()->SetColCount(12);
  Grid->SetLeftCol(6);
  EXPECT_TRUE(Cell(2, 2)->rect().isEmpty());
  EXPECT_TRUE(Cell(2, 2)->state().offscreen);
  EXPECT_EQ(Cell(6, 2)->rect(), OnScreen(65, 50, 64, 24));
  EXPECT_FALSE(Cell(6, 2)->state().offscreen);
}

TEST_F(GridAccessible, AMergedCellIsOneCellWithItsSpans) {
  Grid->GetHolder()->GetCellsUnions()->Add({1, 1}, {1, 1}, {2, 2}, true);
  EXPECT_EQ(Cell(2, 2), Cell(1, 1));
  EXPECT_EQ(Table()->child(2 * 5 + 2), Cell(1, 1));
  QAccessibleTableCellInterface* CI = CellOf(2, 2);
  EXPECT_EQ(CI->columnIndex(), 1);
  EXPECT_EQ(CI->rowIndex(), 1);
  EXPECT_EQ(CI->columnExtent(), 2);
  EXPECT_EQ(CI->rowExtent(), 2);
  EXPECT_EQ(Cell(2, 2)->text(QAccessible::Name), "1:1");
  EXPECT_EQ(Cell(2, 2)->rect(), OnScreen(65, 25, 129, 49));
  EXPECT_EQ(CellOf(3, 1)->columnExtent(), 1);
  Grid->GetHolder()->GetCellsUnions()->Delete(0); // the cells stand alone again
  EXPECT_NE(Cell(2, 2), Cell(1, 1));
  EXPECT_EQ(CellOf(2, 2)->columnIndex(), 2);
  EXPECT_EQ(CellOf(1, 1)->columnExtent(), 1);
  EXPECT_EQ(Cell(2, 2)->text(QAccessible::Name), "2:2");
}

TEST_F(GridAccessible, MarkedCellsAreSelectedAndFixedOnesNever) {
  Mode(ygoRowsMarking);
  Grid->GetRows(2)->SetMarked(true);
  EXPECT_TRUE(CellOf(3, 2)->isSelected());
  EXPECT_TRUE(Cell(3, 2)->state().selected);
  EXPECT_FALSE(CellOf(0, 2)->isSelected());
  EXPECT_FALSE(CellOf(3, 3)->isSelected());
  EXPECT_TRUE(Tab()->isRowSelected(2));
  EXPECT_FALSE(Tab()->isRowSelected(3));
  EXPECT_EQ(Tab()->selectedRows(), QList<int>{2});
  EXPECT_EQ(Tab()->selectedColumns(), QList<int>{});
  EXPECT_EQ(Tab()->selectedCellCount(), 4);
  EXPECT_FALSE(Tab()->selectRow(3)); // read only
}

TEST_F(GridAccessible, TheCurrentCellIsFocusedAndMovingItSendsAFocusEvent) {
  Activate(false);
  ASSERT_FALSE(Grid->Focused());
  Grid->MoveCurrent(2, 1, true); // without the keyboard focus: no focus to report
  EXPECT_TRUE(Events(QAccessible::Focus).empty());
  EXPECT_FALSE(Cell(2, 1)->state().focused);
  Grid->MoveCurrent(1, 1, true);
  Grid->SetFocus();
  EXPECT_TRUE(Cell(1, 1)->state().focused);
  EXPECT_EQ(Table()->focusChild(), Cell(1, 1));
  Recorded.clear();
  Testing::PressKey(*Grid, VK_RIGHT);
  Testing::PressKey(*Grid, VK_DOWN);
  const std::vector<TRecorded> Focus = Events(QAccessible::Focus);
  ASSERT_EQ(Focus.size(), 2u);
  EXPECT_EQ(Focus[0].Object, Window());
  EXPECT_EQ(Focus[0].Child, 1 * 5 + 2);
  EXPECT_EQ(Focus[1].Child, 2 * 5 + 2);
  EXPECT_TRUE(Cell(2, 2)->state().focused);
  EXPECT_FALSE(Cell(1, 1)->state().focused);
  EXPECT_EQ(Table()->focusChild(), Cell(2, 2));
}

TEST_F(GridAccessible, MarkingSendsSelectionEvents) {
  Mode(ygoCellsMarking);
  Grid->GetCells(3, 2)->SetMarked(true);
  Grid->GetCells(3, 2)->SetMarked(false);
  const std::vector<TRecorded> Added = Events(QAccessible::SelectionAdd);
  const std::vector<TRecorded> Removed = Events(QAccessible::SelectionRemove);
  ASSERT_EQ(Added.size(), 1u);
  ASSERT_EQ(Removed.size(), 1u);
  EXPECT_EQ(Added[0].Child, 2 * 5 + 3);
  EXPECT_EQ(Removed[0].Child, 2 * 5 + 3);
  Recorded.clear();
  Testing::PressKey(*Grid, VK_ADD); // marks everything
  EXPECT_FALSE(Events(QAccessible::SelectionAdd).empty());
  Recorded.clear();
  Grid->GetHolder()->ClearMark();
  EXPECT_EQ(Events(QAccessible::SelectionWithin).size(), 1u);
}

TEST_F(GridAccessible, MarkingAWholeRowSendsOneSelectionEventForTheTable) {
  Mode(ygoRowsMarking);
  Recorded.clear();
  Grid->GetRows(3)->SetMarked(true);
  const std::vector<TRecorded> Within = Events(QAccessible::SelectionWithin);
  ASSERT_EQ(Within.size(), 1u);
  EXPECT_EQ(Within[0].Object, Window());
}

TEST_F(GridAccessible, ScrollingAndStructuralChangesSendModelChanges) {
  Grid->GetHolder()->SetColCount(12);
  std::vector<TRecorded> Changes = Events(QAccessible::TableModelChanged);
  ASSERT_FALSE(Changes.empty());
  EXPECT_EQ(Changes.back().ModelChange, QAccessibleTableModelChangeEvent::ModelReset);
  Recorded.clear();
  Grid->SetLeftCol(4);
  Changes = Events(QAccessible::TableModelChanged);
  ASSERT_EQ(Changes.size(), 1u);
  EXPECT_EQ(Changes[0].ModelChange, QAccessibleTableModelChangeEvent::DataChanged);
  Recorded.clear();
  Grid->MoveColumn(2, 3);
  Changes = Events(QAccessible::TableModelChanged);
  ASSERT_FALSE(Changes.empty());
  EXPECT_EQ(Changes[0].ModelChange, QAccessibleTableModelChangeEvent::ModelReset);
  Recorded.clear();
  Grid->GetHolder()->GetRows(2)->SetVisible(false);
  Changes = Events(QAccessible::TableModelChanged);
  ASSERT_FALSE(Changes.empty());
  EXPECT_EQ(Changes[0].ModelChange, QAccessibleTableModelChangeEvent::ModelReset);
  EXPECT_EQ(Tab()->rowCount(), 4);
}

TEST_F(GridAccessible, NothingIsSentWhileNoAssistiveClientListens) {
  QAccessible::setActive(false);
  QAccessible::installUpdateHandler(nullptr);
  Mode(ygoRowsMarking);
  Grid->MoveCurrent(3, 3, true);
  Grid->GetRows(2)->SetMarked(true);
  Grid->GetHolder()->SetColCount(12);
  QAccessible::installUpdateHandler(&Record); // a client comes
  EXPECT_TRUE(Recorded.empty());
  Grid->SetLeftCol(4);
  EXPECT_EQ(Events(QAccessible::TableModelChanged).size(), 1u);
}

TEST_F(GridAccessible, OtherControlsStayPlainWidgets) {
  QAccessibleInterface* FormInterface = QAccessible::queryAccessibleInterface(Form->GetHandle());
  ASSERT_NE(FormInterface, nullptr);
  EXPECT_EQ(FormInterface->tableInterface(), nullptr);
}

TEST_F(GridAccessible, CellsWithoutATextHandlerAreEmpty) {
  Grid->OnGetCellText = nullptr;
  EXPECT_EQ(Cell(2, 2)->text(QAccessible::Name), "");
  EXPECT_EQ(Tab()->columnCount(), 5);
}
