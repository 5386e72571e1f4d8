// The viewer's main window: a search field over the grid, and a label under it that names
// the focused cell. Typing in the search field leaves only the rows that contain the text.
#pragma once

#include "TableFile.h"

#include "grid/YGrids.h"
#include "host/gui/ControlWidget.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>

class TViewerWindow : public QMainWindow {
public:
  explicit TViewerWindow(TTable Table);

  QLineEdit* GetSearch() const { return Search; }
  TYGrid* GetGrid() const { return Grid; }
  QLabel* GetPosition() const { return Position; }

private:
  void FillGrid();
  std::string CellText(const TYCell* Cell) const;
  void ShowOnlyRowsWith(const QString& Text);
  void ShowPosition(std::int32_t ACol, std::int32_t ARow);

  TTable Table;
  QLineEdit* Search;
  TControlWidget* Host;
  TYGrid* Grid;
  QLabel* Position;
};
