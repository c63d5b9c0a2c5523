// The one QApplication of the Qt test program, offscreen; never destroyed, since one torn down
// among the exit handlers crashes.
#include <QApplication>
#include <cstdlib>

namespace {

[[maybe_unused]] const QApplication* const kApplication = [] {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "kestro_platform_qt_tests";
  static char* argv[] = {name, nullptr};
  return new QApplication(argc, argv);
}();

}  // namespace
