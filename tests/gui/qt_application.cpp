#include "qt_application.h"

#include <QApplication>
#include <cstdlib>

namespace kestro::test {

void EnsureQtApplication() {
  if (QApplication::instance() != nullptr)
    return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "kestro_gui_tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: a QApplication torn down among the exit handlers crashes.
  new QApplication(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
}

void SettleEvents() {
  for (int round = 0; round < 3; ++round) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
}

}  // namespace kestro::test
