// The peer: the table as a plain Qt program would show it, a QTableView over a
// QStandardItemModel, with the same columns (the row number, then the six fields), the same
// column widths and row heights, and its own idioms for each operation.
#include "bench/TableSide.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTextStream>

#include <stdexcept>

namespace {

constexpr int Columns = 7; // the row number and six fields
constexpr int NumberColumn = 0;
constexpr int SurnameColumn = 1;
constexpr int ColumnWidth = 64; // the demo's stored sizes
constexpr int RowHeight = 24;

// One row of items: the line number as an integer (so that it sorts as a number), then the
// line's fields as texts.
QList<QStandardItem*> RowItems(int Number, const QString& Line) {
  QList<QStandardItem*> Row;
  Row.reserve(Columns);
  auto* NumberItem = new QStandardItem;
  NumberItem->setData(Number, Qt::DisplayRole);
  Row.append(NumberItem);
  for (const QStringView Field : QStringView(Line).split(u' ')) {
    if (Row.size() == Columns) break;
    Row.append(new QStandardItem(Field.toString()));
  }
  return Row;
}

void ReadInto(QStandardItemModel& Model, const std::string& FileName) {
  QFile File(QString::fromStdString(FileName));
  if (!File.open(QIODevice::ReadOnly)) throw std::runtime_error("Cannot read " + FileName);
  QTextStream In(&File); // UTF-8
  QString Line;
  for (int Number = 1; In.readLineInto(&Line); ++Number)
    Model.appendRow(RowItems(Number, Line));
}

class TPeerSide : public TTableSide {
public:
  const char* Name() const override { return "peer"; }

  void Open(const std::string& FileName) override {
    Model = std::make_unique<QStandardItemModel>(0, Columns);
    ReadInto(*Model, FileName);
    View = std::make_unique<QTableView>();
    // The rows come in number order. Sorting is enabled before the model is set: enabling it
    // sorts the view's model by the indicated column at once.
    View->horizontalHeader()->setSortIndicator(NumberColumn, Qt::AscendingOrder);
    View->setSortingEnabled(true);
    View->setModel(Model.get());
    View->verticalHeader()->hide(); // the number column numbers the rows
    View->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    View->verticalHeader()->setDefaultSectionSize(RowHeight);
    View->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    View->setCurrentIndex(Model->index(0, SurnameColumn));
    View->resize(ViewWidth, ViewHeight);
    View->show();
    View->activateWindow();
    View->setFocus();
    Settle();
  }
  void Close() override {
    View.reset();
    Model.reset();
    Settle();
  }
  bool IsOpen() const override { return View != nullptr; }

  void FullRepaint() override {
    View->viewport()->update();
    Settle();
  }
  void ScrollOneRow() override {
    View->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    Settle();
  }
  void RepaintScrollBar() override {
    View->verticalScrollBar()->update();
    Settle();
  }
  void PageDown() override {
    QKeyEvent Press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QKeyEvent Release(QEvent::KeyRelease, Qt::Key_PageDown, Qt::NoModifier);
    QCoreApplication::sendEvent(View.get(), &Press);
    QCoreApplication::sendEvent(View.get(), &Release);
    Settle();
  }
  // A Qt table has no header groups: the program hides the other columns itself.
  void HideGroups() override { ShowOnlySecondGroup(true); }
  void ShowAllColumns() override { ShowOnlySecondGroup(false); }
  void MoveColumn(int From, int To) override {
    View->horizontalHeader()->moveSection(From, To);
    Settle();
  }
  void SortByText() override { ClickHeader(SurnameColumn); }
  void SortByNumber() override { ClickHeader(NumberColumn); }

  std::string FirstSurname() const override {
    return Model->item(0, SurnameColumn)->text().toStdString();
  }
  int ShownColumns() const override {
    int Shown = 0;
    for (int Column = 0; Column < Columns; ++Column)
      Shown += View->isColumnHidden(Column) ? 0 : 1;
    return Shown;
  }
  int TopRow() const override { return View->rowAt(0); }
  bool SavePicture(const std::string& FileName) override {
    return View->grab().save(QString::fromStdString(FileName), "PNG");
  }

private:
  static void Settle() { SettleEvents(); }

  void ShowOnlySecondGroup(bool Hide) {
    for (const int Column : {1, 2, 5, 6})
      View->setColumnHidden(Column, Hide);
    Settle();
  }
  // A click on a header section: with sorting enabled the view sorts by it, ascending when
  // the section is new to sorting.
  void ClickHeader(int LogicalIndex) {
    QHeaderView* Header = View->horizontalHeader();
    const QPoint At(Header->sectionViewportPosition(LogicalIndex) + ColumnWidth / 2,
                    Header->height() / 2);
    const QPoint Global = Header->viewport()->mapToGlobal(At);
    QMouseEvent Press(QEvent::MouseButtonPress, At, Global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent Release(QEvent::MouseButtonRelease, At, Global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(Header->viewport(), &Press);
    QCoreApplication::sendEvent(Header->viewport(), &Release);
    Settle();
  }

  std::unique_ptr<QStandardItemModel> Model;
  std::unique_ptr<QTableView> View;
};

} // namespace

std::unique_ptr<TTableSide> MakePeerSide() {
  return std::make_unique<TPeerSide>();
}
