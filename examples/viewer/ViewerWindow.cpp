#include "ViewerWindow.h"

#include <QVBoxLayout>

TViewerWindow::TViewerWindow(TTable ATable)
    : Table(std::move(ATable)), Search(new QLineEdit), Host(new TControlWidget),
      Grid(Host->CreateControl<TYGrid>()), Position(new QLabel) {
  Search->setPlaceholderText("Search");
  auto* Central = new QWidget;
  auto* Layout = new QVBoxLayout(Central);
  Layout->addWidget(Search);
  Layout->addWidget(Host, 1);
  Layout->addWidget(Position);
  setCentralWidget(Central);
  FillGrid();
  connect(Search, &QLineEdit::textChanged, this, [this](const QString& T) { ShowOnlyRowsWith(T); });
  ShowPosition(Grid->GetCol(), Grid->GetRow());
}

// One fixed column of row numbers and one fixed row of titles around the table. The cells hold
// no data of their own: their texts come from the table by the cells' store positions, which
// stay the same while rows are hidden.
void TViewerWindow::FillGrid() {
  const auto Cols = static_cast<std::int32_t>(Table.Titles.size()) + 1;
  const auto Rows = static_cast<std::int32_t>(Table.Rows.size()) + 1;
  Grid->GetHolder()->ChangeSize(Cols, Rows);
  Grid->SetColWidths(0, 40);
  for (std::int32_t C = 1; C < Cols; ++C)
    Grid->SetColWidths(C, 130);
  Grid->SetOptions(Grid->GetOptions() + TYGridOptions{ygoZebraRows, ygoShowCurRow});
  Grid->OnDrawCellText = [this](TYCustomGrid*, TYCell* Cell, std::int32_t, std::int32_t,
                                TYGridDrawStates, TRect&, std::string& Text, bool&,
                                TAlignment& Alignment, TYVertAlignment&) {
    Text = CellText(Cell);
    if (Cell->GetHolderCol() == 0) Alignment = taCenter;
  };
  Grid->OnFocusCell = [this](TYCustomGrid*, TYCell*, std::int32_t& ACol, std::int32_t& ARow) {
    ShowPosition(ACol, ARow);
  };
}

std::string TViewerWindow::CellText(const TYCell* Cell) const {
  const std::int32_t Col = Cell->GetHolderCol();
  const std::int32_t Row = Cell->GetHolderRow();
  if (Col == 0) return Row == 0 ? "#" : std::to_string(Row);
  const auto Field = static_cast<size_t>(Col - 1);
  return Row == 0 ? Table.Titles[Field] : Table.Rows[static_cast<size_t>(Row - 1)][Field];
}

// The fixed row stays; an empty text shows every row again.
void TViewerWindow::ShowOnlyRowsWith(const QString& Text) {
  TYCellsHolder* Holder = Grid->GetHolder();
  if (Text.isEmpty()) return Holder->SetVisibleAllRows();
  TList Shown;
  Shown.Add(Holder->GetRows(0));
  for (size_t R = 0; R < Table.Rows.size(); ++R)
    for (const std::string& Field : Table.Rows[R])
      if (QString::fromStdString(Field).contains(Text, Qt::CaseInsensitive)) {
        Shown.Add(Holder->GetRows(static_cast<std::int32_t>(R) + 1));
        break;
      }
  Holder->SetVisibleRowsRange(&Shown, false);
}

void TViewerWindow::ShowPosition(std::int32_t ACol, std::int32_t ARow) {
  if (ACol < Grid->GetFixedCols() || ARow < Grid->GetFixedRows()) return Position->clear();
  const TYCell* Cell = Grid->GetCells(ACol, ARow);
  Position->setText(QString("Row %1, %2: %3")
                        .arg(Cell->GetHolderRow())
                        .arg(QString::fromStdString(Table.Titles[Cell->GetHolderCol() - 1]))
                        .arg(QString::fromStdString(CellText(Cell))));
}
