// The application object that windows need.
#include "host/gui/Window.h"

#include <QApplication>

void EnsureWidgetApplication() {
  EnsureGuiApplication();
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
    throw Exception("Windows need a QApplication, and another kind of application object exists");
}
