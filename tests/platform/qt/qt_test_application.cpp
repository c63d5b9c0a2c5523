// SPDX-License-Identifier: GPL-3.0-or-later
// The one QApplication of a Qt test program, offscreen; never destroyed, since one torn down
// among the exit handlers crashes. Windows closed by a test do not end it.
#include <QApplication>
#include <cstdlib>

namespace {
int argc = 1;
char name[] = "kestro_qt_tests";
char* argv[] = {name, nullptr};
[[maybe_unused]] const QApplication* const kApplication = [] {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  auto* application = new QApplication(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  return application;
}();
}  // namespace
