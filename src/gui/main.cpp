// SPDX-License-Identifier: GPL-3.0-or-later
// kestrolab [FILE.KST]: the desktop program. Opens on the welcome page, or with a session file
// named (as a double-click on one does) on the design page with that session read.
#include <QApplication>
#include <QFile>
#include <QScreen>
#include <clocale>
#include <cmath>
#include <iostream>
#include <string_view>

#include "core/eng_writers.h"
#include "gui/display_check.h"
#include "gui/page_factory.h"
#include "gui/shell.h"
#include "platform/qt/page_geometry.h"
#include "platform/qt/qt_dialogs.h"

namespace {

// Message boxes and file dialogs use the pages' font size, taken from the screen.
void UsePageFont() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr)
    return;
  const kestro::PageGeometry geometry(QSizeF(screen->size()));
  QFont font = QApplication::font();
  font.setPixelSize(static_cast<int>(std::lround(geometry.FontPixels())));
  QApplication::setFont(font);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::cout << "kestrolab " << KESTRO_VERSION << '\n';
    return 0;
  }
  if (!kestro::DisplayAvailable(kestro::CurrentDisplayEnvironment())) {
    std::cerr << kestro::NoDisplayMessage() << '\n';
    return 1;
  }
  QApplication application(argc, argv);
  // Qt set the process locale from the environment: numbers are kept in the C form (files
  // always have "."), and only the pages show the user's decimal separator.
  std::setlocale(LC_NUMERIC, "C");
  kestro::UseLocaleDecimalSeparator("");
  QApplication::setApplicationName(kestro::QtDialogs::kProgramTitle);
  QApplication::setQuitOnLastWindowClosed(false);  // pages switch windows; Exit ends the program
  UsePageFont();
  kestro::QtDialogs dialogs;
  const kestro::PageFactory factory(QCoreApplication::applicationDirPath().toStdString());
  kestro::Shell shell(factory, dialogs);
  const QStringList arguments = QCoreApplication::arguments();  // Qt's own options taken out
  shell.Start(arguments.size() > 1 ? QFile::encodeName(arguments.at(1)).toStdString() : "");
  return QApplication::exec();
}
