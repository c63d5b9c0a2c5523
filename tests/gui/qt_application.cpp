#include "qt_application.h"

#include <sys/wait.h>

#include <QApplication>
#include <array>
#include <cstdio>
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

std::string CommandOutput(const std::string& command, int* exitStatus) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr)
    return output;
  std::array<char, 512> buffer{};
  while (fgets(buffer.data(), buffer.size(), pipe) != nullptr)
    output += buffer.data();
  const int status = pclose(pipe);
  if (exitStatus != nullptr)
    *exitStatus = WEXITSTATUS(status);
  return output;
}

}  // namespace kestro::test
