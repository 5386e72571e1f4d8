// The Qt application object that fonts and windows need, created on demand.
#include "host/gui/Backend.h"

#include <QApplication>

// A QApplication rather than a bare QGuiApplication, so that windows can be made later in the
// same process: there can be only one application object. It is never destroyed; it stays
// reachable through Qt's own instance pointer until the process ends.
void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  const bool NoDisplay =
      qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  if (NoDisplay && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  static int Argc = 1;
  static char Name[] = "ygrids";
  static char* Argv[] = {Name, nullptr};
  static QApplication* Application = new QApplication(Argc, Argv);
  (void)Application;
}
