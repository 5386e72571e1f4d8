#include "grid/YGrids.h"
#include "host/gui/ControlWidget.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  QMainWindow Window;
  auto* Host = new TControlWidget; // a QWidget: goes into any layout
  TYGrid* Grid = Host->CreateControl<TYGrid>();
  Grid->GetHolder()->ChangeSize(6, 50); // columns, rows; the first of each is fixed
  Grid->GetHolder()->GetCellsUnions()->Add({1, 0}, {1, 0}, {3, 0}, false); // a merged header
  Grid->OnDrawCellText = [](TYCustomGrid*, TYCell*, std::int32_t ACol, std::int32_t ARow,
                            TYGridDrawStates, TRect&, std::string& Text, bool&, TAlignment&,
                            TYVertAlignment&) { Text = std::to_string(ACol * ARow); };
  Grid->OnFocusCell = [&Window](TYCustomGrid*, TYCell*, std::int32_t& ACol, std::int32_t& ARow) {
    Window.setWindowTitle(QString("Column %1, row %2").arg(ACol).arg(ARow));
  };
  Window.setCentralWidget(Host);
  Window.resize(480, 320);
  Window.show();
  return App.exec();
}
