// A table file in an ordinary Qt main window, with a search field and the focused cell named
// under the grid.
//
//   grid_viewer [FILE] [--screenshot OUT]
//
// FILE: semicolons between fields, titles in the first line (default: cities.csv beside the
// program). --screenshot saves a picture of the window as a PNG and ends.
#include "ViewerWindow.h"

#include <QApplication>
#include <QDir>

#include <cstring>
#include <iostream>

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  std::string File =
      QDir(QCoreApplication::applicationDirPath()).filePath("cities.csv").toStdString();
  const char* Screenshot = nullptr;
  for (int I = 1; I < argc; ++I) {
    if (std::strcmp(argv[I], "--screenshot") == 0 && I + 1 < argc)
      Screenshot = argv[++I];
    else
      File = argv[I];
  }
  TTable Table;
  try {
    Table = ReadTable(File);
  } catch (const std::exception& E) {
    std::cerr << "grid_viewer: " << E.what() << "\n";
    return 1;
  }
  TViewerWindow Window(std::move(Table));
  Window.setWindowTitle("Grid viewer");
  Window.resize(620, 420);
  Window.show();
  if (!Screenshot) return App.exec();
  QApplication::processEvents();
  if (!Window.grab().save(QString::fromLocal8Bit(Screenshot))) {
    std::cerr << "grid_viewer: cannot write " << Screenshot << "\n";
    return 1;
  }
  return 0;
}
