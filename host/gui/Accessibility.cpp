// A window whose control answers GetAccessibleTable presents itself to Qt's accessibility
// framework as a table (QAccessibleTableInterface) of cell objects
// (QAccessibleTableCellInterface). Every answer is asked of the control when it is needed, so
// nothing is copied that could go stale. Cell objects are made on demand, registered with Qt
// and kept by their first column and row until the table's cells change shape (a model
// change), as Qt's own item views keep theirs. A cell of a merged block is the block's first
// cell: a child index of any cell it covers names it.
#include "host/gui/Accessibility.h"

#include "host/gui/Window.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <map>
#include <utility>

namespace {
class TTableAccessible;

class TCellAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
  TCellAccessible(TTableAccessible* ATable, int ACol, int ARow)
      : Table(ATable), Col(ACol), Row(ARow) {}

  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text T) const override;
  void setText(QAccessible::Text, const QString&) override {} // the cells are read only
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType Type) override {
    return Type == QAccessible::TableCellInterface
               ? static_cast<QAccessibleTableCellInterface*>(this)
               : nullptr;
  }

  bool isSelected() const override;
  QList<QAccessibleInterface*> columnHeaderCells() const override;
  QList<QAccessibleInterface*> rowHeaderCells() const override;
  int columnIndex() const override { return Col; }
  int rowIndex() const override { return Row; }
  int columnExtent() const override;
  int rowExtent() const override;
  QAccessibleInterface* table() const override;

private:
  TTableAccessible* Table;
  int Col, Row; // the first cell of the block
};

class TTableAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
  explicit TTableAccessible(TWindowHandle* AWindow)
      : QAccessibleWidget(AWindow, QAccessible::Table), Window(AWindow) {}
  ~TTableAccessible() override { ForgetCells(); }

  // The control's table; null once the window has let its control go.
  TAccessibleTable* Provider() const {
    TWinControl* Control = Window->GetControl();
    return Control ? Control->GetAccessibleTable() : nullptr;
  }
  TWindowHandle* GetWindow() const { return Window; }
  bool Contains(int Col, int Row) const {
    TAccessibleTable* P = Provider();
    return P && Col >= 0 && Row >= 0 && Col < P->AccessibleColCount() &&
           Row < P->AccessibleRowCount();
  }
  // The cell object of the block that holds (Col, Row); null outside the table.
  TCellAccessible* Cell(int Col, int Row) const;
  int IndexOf(int Col, int Row) const { return Row * columnCount() + Col; }

  bool isValid() const override { return QAccessibleWidget::isValid() && Provider(); }
  void* interface_cast(QAccessible::InterfaceType Type) override {
    if (Type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(Type);
  }
  int childCount() const override { return rowCount() * columnCount(); }
  QAccessibleInterface* child(int Index) const override;
  int indexOfChild(const QAccessibleInterface* Child) const override;
  QAccessibleInterface* childAt(int X, int Y) const override;
  QAccessibleInterface* focusChild() const override;

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int ARow, int AColumn) const override { return Cell(AColumn, ARow); }
  int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
  QList<QAccessibleInterface*> selectedCells() const override;
  QString columnDescription(int Column) const override;
  QString rowDescription(int ARow) const override;
  int selectedColumnCount() const override { return static_cast<int>(selectedColumns().size()); }
  int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
  int columnCount() const override {
    TAccessibleTable* P = Provider();
    return P ? P->AccessibleColCount() : 0;
  }
  int rowCount() const override {
    TAccessibleTable* P = Provider();
    return P ? P->AccessibleRowCount() : 0;
  }
  QList<int> selectedColumns() const override;
  QList<int> selectedRows() const override;
  bool isColumnSelected(int Column) const override;
  bool isRowSelected(int ARow) const override;
  // The selection belongs to the control's marking; assistive clients only read it.
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override { ForgetCells(); }
  // Drops the cell objects: they are made anew for the table's new shape. Qt calls
  // modelChange only while the platform is active, so the change report calls this itself.
  void ForgetCells() {
    // At the end of the process Qt's cache deletes every object itself, in its own order.
    for (const auto& Entry : Cells)
      if (QAccessible::accessibleInterface(Entry.second))
        QAccessible::deleteAccessibleInterface(Entry.second);
    Cells.clear();
  }
  bool VectorSelected(bool Column, int Index) const;
  QString Description(bool Column, int Index) const;

  TWindowHandle* Window;
  mutable std::map<std::pair<int, int>, QAccessible::Id> Cells; // (row, col) -> cell object
};

// ---------------------------------------------------------------- the table

TCellAccessible* TTableAccessible::Cell(int Col, int Row) const {
  if (!Contains(Col, Row)) return nullptr;
  const TAccessibleSpan Span = Provider()->AccessibleSpan(Col, Row);
  const auto Key = std::make_pair(Span.Row, Span.Col);
  if (auto Found = Cells.find(Key); Found != Cells.end())
    return static_cast<TCellAccessible*>(QAccessible::accessibleInterface(Found->second));
  auto* Made = new TCellAccessible(const_cast<TTableAccessible*>(this), Span.Col, Span.Row);
  Cells[Key] = QAccessible::registerAccessibleInterface(Made); // Qt owns it from now on
  return Made;
}

QAccessibleInterface* TTableAccessible::child(int Index) const {
  const int Cols = columnCount();
  if (Index < 0 || Cols == 0) return nullptr;
  return Cell(Index % Cols, Index / Cols);
}

int TTableAccessible::indexOfChild(const QAccessibleInterface* Child) const {
  const QAccessibleTableCellInterface* C =
      Child ? const_cast<QAccessibleInterface*>(Child)->tableCellInterface() : nullptr;
  if (!C || C->table() != this) return -1;
  return IndexOf(C->columnIndex(), C->rowIndex());
}

QAccessibleInterface* TTableAccessible::childAt(int X, int Y) const {
  TAccessibleTable* P = Provider();
  if (!P) return nullptr;
  const QPoint Client = Window->GlobalToClient({X, Y});
  const TPoint Hit = P->AccessibleCellAt({Client.x(), Client.y()});
  return Cell(Hit.X, Hit.Y);
}

QAccessibleInterface* TTableAccessible::focusChild() const {
  TAccessibleTable* P = Provider();
  if (!P || !Window->GetControl()->Focused()) return nullptr;
  const TPoint Current = P->AccessibleCurrent();
  return Cell(Current.X, Current.Y);
}

QList<QAccessibleInterface*> TTableAccessible::selectedCells() const {
  QList<QAccessibleInterface*> Selected;
  TAccessibleTable* P = Provider();
  if (!P) return Selected;
  for (int Row = 0; Row < P->AccessibleRowCount(); ++Row)
    for (int Col = 0; Col < P->AccessibleColCount(); ++Col) {
      const TAccessibleSpan S = P->AccessibleSpan(Col, Row);
      if (S.Col == Col && S.Row == Row && P->AccessibleSelected(Col, Row))
        Selected.append(Cell(Col, Row));
    }
  return Selected;
}

// A column (row) is selected when every cell of it is.
bool TTableAccessible::VectorSelected(bool Column, int Index) const {
  TAccessibleTable* P = Provider();
  if (!P) return false;
  const int Count = Column ? P->AccessibleRowCount() : P->AccessibleColCount();
  const int Headers = Column ? P->AccessibleHeaderRows() : P->AccessibleHeaderCols();
  if (Index < 0 || Count <= Headers) return false;
  for (int I = Headers; I < Count; ++I)
    if (!(Column ? P->AccessibleSelected(Index, I) : P->AccessibleSelected(I, Index))) return false;
  return true;
}

bool TTableAccessible::isColumnSelected(int Column) const {
  return Column < columnCount() && VectorSelected(true, Column);
}

bool TTableAccessible::isRowSelected(int ARow) const {
  return ARow < rowCount() && VectorSelected(false, ARow);
}

QList<int> TTableAccessible::selectedColumns() const {
  QList<int> Selected;
  for (int Col = 0; Col < columnCount(); ++Col)
    if (VectorSelected(true, Col)) Selected.append(Col);
  return Selected;
}

QList<int> TTableAccessible::selectedRows() const {
  QList<int> Selected;
  for (int Row = 0; Row < rowCount(); ++Row)
    if (VectorSelected(false, Row)) Selected.append(Row);
  return Selected;
}

// A column is described by its last header cell (the one nearest the data), a row likewise.
QString TTableAccessible::Description(bool Column, int Index) const {
  TAccessibleTable* P = Provider();
  if (!P) return {};
  const int Headers = Column ? P->AccessibleHeaderRows() : P->AccessibleHeaderCols();
  if (Headers <= 0 || !(Column ? Contains(Index, 0) : Contains(0, Index))) return {};
  const TAccessibleSpan S =
      Column ? P->AccessibleSpan(Index, Headers - 1) : P->AccessibleSpan(Headers - 1, Index);
  return QString::fromStdString(P->AccessibleText(S.Col, S.Row));
}

QString TTableAccessible::columnDescription(int Column) const {
  return Description(true, Column);
}

QString TTableAccessible::rowDescription(int ARow) const {
  return Description(false, ARow);
}

// ---------------------------------------------------------------- a cell

bool TCellAccessible::isValid() const {
  return Table->isValid() && Table->Contains(Col, Row);
}

QWindow* TCellAccessible::window() const {
  return Table->window();
}

QAccessibleInterface* TCellAccessible::parent() const {
  return Table;
}

QAccessibleInterface* TCellAccessible::table() const {
  return Table;
}

QString TCellAccessible::text(QAccessible::Text T) const {
  if ((T != QAccessible::Name && T != QAccessible::Value) || !isValid()) return {};
  return QString::fromStdString(Table->Provider()->AccessibleText(Col, Row));
}

QRect TCellAccessible::rect() const {
  if (!isValid()) return {};
  const TRect R = Table->Provider()->AccessibleRect(Col, Row);
  if (R.Right <= R.Left || R.Bottom <= R.Top) return {};
  const QPoint TopLeft = Table->GetWindow()->ClientToGlobal({R.Left, R.Top});
  return {TopLeft, QSize(R.Right - R.Left, R.Bottom - R.Top)};
}

QAccessible::Role TCellAccessible::role() const {
  if (!isValid()) return QAccessible::Cell;
  TAccessibleTable* P = Table->Provider();
  if (Row < P->AccessibleHeaderRows()) return QAccessible::ColumnHeader;
  if (Col < P->AccessibleHeaderCols()) return QAccessible::RowHeader;
  return QAccessible::Cell;
}

QAccessible::State TCellAccessible::state() const {
  QAccessible::State S;
  if (!isValid()) {
    S.invalid = true;
    return S;
  }
  TAccessibleTable* P = Table->Provider();
  S.selectable = role() == QAccessible::Cell;
  S.selected = P->AccessibleSelected(Col, Row);
  S.focusable = S.selectable;
  const TPoint Current = P->AccessibleCurrent();
  const TAccessibleSpan Focus = P->AccessibleSpan(Current.X, Current.Y);
  S.focused = Current.X >= 0 && Focus.Col == Col && Focus.Row == Row &&
              Table->GetWindow()->GetControl()->Focused();
  S.invisible = S.offscreen = rect().isEmpty();
  return S;
}

bool TCellAccessible::isSelected() const {
  return isValid() && Table->Provider()->AccessibleSelected(Col, Row);
}

int TCellAccessible::columnExtent() const {
  return isValid() ? Table->Provider()->AccessibleSpan(Col, Row).ColSpan : 1;
}

int TCellAccessible::rowExtent() const {
  return isValid() ? Table->Provider()->AccessibleSpan(Col, Row).RowSpan : 1;
}

namespace {
// The header cells Cell(0) to Cell(min(Count, Limit) - 1), each once (a merged header answers
// the same interface for several indices).
template <typename TCellAt>
QList<QAccessibleInterface*> HeaderCells(int Count, int Limit, const TCellAt& Cell) {
  QList<QAccessibleInterface*> Headers;
  for (int I = 0; I < Count && I < Limit; ++I)
    if (QAccessibleInterface* H = Cell(I); !Headers.contains(H)) Headers.append(H);
  return Headers;
}
} // namespace

// The header cells above the block (the fixed rows over its first column).
QList<QAccessibleInterface*> TCellAccessible::columnHeaderCells() const {
  if (!isValid()) return {};
  return HeaderCells(Table->Provider()->AccessibleHeaderRows(), Row,
                     [this](int R) { return Table->Cell(Col, R); });
}

// The header cells left of the block (the fixed columns beside its first row).
QList<QAccessibleInterface*> TCellAccessible::rowHeaderCells() const {
  if (!isValid()) return {};
  return HeaderCells(Table->Provider()->AccessibleHeaderCols(), Col,
                     [this](int C) { return Table->Cell(C, Row); });
}

// ---------------------------------------------------------------- the factory and the events

QAccessibleInterface* TableFactory(const QString&, QObject* Object) {
  auto* Window = qobject_cast<TWindowHandle*>(Object);
  if (!Window || !Window->GetControl() || !Window->GetControl()->GetAccessibleTable())
    return nullptr;
  return new TTableAccessible(Window);
}

// The update handler installed in the process, or null. Qt offers no query for it: it is taken
// out and put back, on the GUI thread as everything here.
QAccessible::UpdateHandler InstalledHandler() {
  const QAccessible::UpdateHandler Handler = QAccessible::installUpdateHandler(nullptr);
  QAccessible::installUpdateHandler(Handler);
  return Handler;
}

// An assistive client listens through the platform (which reports itself active), or in the
// process through an update handler.
bool Listening() {
  return QAccessible::isActive() || InstalledHandler();
}

// Qt passes events on only while the platform's accessibility is active (a bridge to a screen
// reader). An update handler installed in the process gets them also where the platform has no
// bridge (the offscreen platform), as it would get them from Qt.
void Deliver(QAccessibleEvent& Event) {
  if (QAccessible::isActive())
    QAccessible::updateAccessibility(&Event);
  else if (const QAccessible::UpdateHandler Handler = InstalledHandler())
    Handler(&Event);
}

// The window of Control when an assistive client listens, else null.
TWindowHandle* ListenedWindow(TWinControl* Control) {
  if (!Control || !Control->HandleAllocated() || !Listening()) return nullptr;
  return TWindowHandle::Live(Control->GetHandle());
}

void SendForCell(TWinControl* Control, int Col, int Row, QAccessible::Event Type) {
  TWindowHandle* Window = ListenedWindow(Control);
  if (!Window) return;
  auto* Table = dynamic_cast<TTableAccessible*>(QAccessible::queryAccessibleInterface(Window));
  if (!Table || !Table->Contains(Col, Row)) return;
  QAccessibleEvent Event(Window, Type);
  Event.setChild(Table->IndexOf(Col, Row));
  Deliver(Event);
}
} // namespace

void InstallAccessibleTables() {
  static const bool Installed = [] {
    QAccessible::installFactory(&TableFactory);
    return true;
  }();
  (void)Installed;
}

// Only the control that holds the keyboard focus moves a screen reader's focus.
void NotifyAccessibleFocus(TWinControl* Control, int Col, int Row) {
  if (Control && Control->Focused()) SendForCell(Control, Col, Row, QAccessible::Focus);
}

void NotifyAccessibleSelection(TWinControl* Control, int Col, int Row, bool Selected) {
  SendForCell(Control, Col, Row,
              Selected ? QAccessible::SelectionAdd : QAccessible::SelectionRemove);
}

void NotifyAccessibleSelectionWithin(TWinControl* Control) {
  if (TWindowHandle* Window = ListenedWindow(Control)) {
    QAccessibleEvent Event(Window, QAccessible::SelectionWithin);
    Deliver(Event);
  }
}

void NotifyAccessibleTableChange(TWinControl* Control, TAccessibleTableChange Change) {
  TWindowHandle* Window = ListenedWindow(Control);
  if (!Window) return;
  const bool Reset = Change == TAccessibleTableChange::Reset;
  QAccessibleTableModelChangeEvent Event(Window,
                                         Reset ? QAccessibleTableModelChangeEvent::ModelReset
                                               : QAccessibleTableModelChangeEvent::DataChanged);
  auto* Table = dynamic_cast<TTableAccessible*>(QAccessible::queryAccessibleInterface(Window));
  if (Table) {
    Table->ForgetCells();
    Event.setFirstRow(0);
    Event.setFirstColumn(0);
    Event.setLastRow(Table->rowCount() - 1);
    Event.setLastColumn(Table->columnCount() - 1);
  }
  Deliver(Event);
}
