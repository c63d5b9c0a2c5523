// The one QApplication of the Qt test program, offscreen; never destroyed, since one torn down
// among the exit handlers crashes.
#include <QApplication>
#include <cstdlib>

namespace {
int argc = 1;
char name[] = "kestro_platform_qt_tests";
char* argv[] = {name, nullptr};
[[maybe_unused]] const QApplication* const kApplication =
    (setenv("QT_QPA_PLATFORM", "offscreen", 0), new QApplication(argc, argv));
}  // namespace
