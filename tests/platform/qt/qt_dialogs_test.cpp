#include "platform/qt/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <filesystem>

#include "files/scratch_folder.h"

namespace kestro {
namespace {

// Types `name` into the save dialog that SaveFile opens and presses Save, again while the dialog
// stays; after two seconds any window left open is closed, so a fault fails instead of hanging.
std::string SaveAs(const FileDialogRequest& request, const QString& name) {
  QTimer typist;
  int ticks = 0;
  QObject::connect(&typist, &QTimer::timeout, [&ticks, &name] {
    QFileDialog* dialog = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->isVisible() && qobject_cast<QFileDialog*>(window) != nullptr)
        dialog = qobject_cast<QFileDialog*>(window);
    }
    if (++ticks > 200 && dialog != nullptr) {
      dialog->close();
    } else if (dialog != nullptr) {
      dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);  // typed
      static_cast<QDialog*>(dialog)->accept();  // Save, as the button does
    }
  });
  typist.start(10);
  QtDialogs dialogs;
  return dialogs.SaveFile(request);
}

// A name typed without an extension is saved with the chosen filter's, so the Get dialog that
// lists that extension finds it; a name with an extension, or a filter without one, is kept.
TEST(QtDialogs, SaveAddsTheChosenFiltersExtensionToABareName) {
  struct Case {
    const char* filter;
    int filterIndex;
    const char* typed;
    const char* saved;
  };
  const Case cases[] = {{"KESTRO files (*.KST)|*.KST", 1, "o7manual", "o7manual.KST"},
                        {"Easy|*.DAT|Scientific|*.TXT", 2, "table", "table.TXT"},
                        {"KESTRO files (*.KST)|*.KST", 1, "o7.kst", "o7.kst"},
                        {"All files|*.*", 1, "notes", "notes"}};
  const test::ScratchFolder folder;
  for (const Case& c : cases) {
    const FileDialogRequest request{"Save", c.filter, "", c.filterIndex, true};
    const std::filesystem::path saved(SaveAs(request, QString::fromUtf8(c.typed)));
    EXPECT_EQ(saved.filename().string(), c.saved) << c.filter << " " << c.typed;
  }
}

}  // namespace
}  // namespace kestro
