// kestrolab: the desktop program. Opens on the welcome page.
#include <QApplication>
#include <iostream>

#include "gui/display_check.h"
#include "gui/page_factory.h"
#include "gui/shell.h"
#include "platform/qt/qt_dialogs.h"

int main(int argc, char* argv[]) {
  if (!kestro::DisplayAvailable(kestro::CurrentDisplayEnvironment())) {
    std::cerr << kestro::NoDisplayMessage() << '\n';
    return 1;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(kestro::QtDialogs::kProgramTitle);
  QApplication::setQuitOnLastWindowClosed(false);  // pages switch windows; Exit ends the program
  kestro::QtDialogs dialogs;
  const kestro::PageFactory factory(QCoreApplication::applicationDirPath().toStdString());
  kestro::Shell shell(factory, dialogs);
  shell.Start();
  return QApplication::exec();
}
