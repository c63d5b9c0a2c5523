// SPDX-License-Identifier: GPL-3.0-or-later
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

TEST(QtDialogs, FilterStringsBecomeQtFilterLists) {
  const std::pair<const char*, const char*> cases[]{
      {"KESTRO files (*.KST)|*.KST", "KESTRO files (*.KST *.kst)"},
      {"Data files|*.DAT|All files|*.*", "Data files (*.DAT *.dat);;All files (*.*)"},
      {"LTspice (*.asc)|*.asc;*.ASC", "LTspice (*.asc *.ASC)"},
      {"", ""},
      {"Dangling description", ""}};
  for (const auto& [filter, list] : cases)
    EXPECT_EQ(QtDialogs::FilterList(filter).toStdString(), list) << filter;
}

// Types `name` into the save dialog that SaveFile opens and presses Save, again while the dialog
// stays; after two seconds any window left open is closed, so a fault fails instead of hanging.
std::string SaveAs(const FileDialogRequest& request, const QString& name) {
  QTimer typist;
  int ticks = 0;
  QObject::connect(&typist, &QTimer::timeout, [&ticks, &name] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
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

// A name typed without an extension is saved with the chosen filter's (counted from one), so the
// Get dialog that lists that extension finds it; a name with an extension, or a filter without one,
// is kept.
TEST(QtDialogs, SaveAddsTheChosenFiltersExtensionToABareName) {
  // The filter, the filter chosen, the name typed, the name saved.
  const std::tuple<const char*, int, const char*, const char*> cases[] = {
      {"KESTRO files (*.KST)|*.KST", 1, "o7manual", "o7manual.KST"},
      {"Easy|*.DAT|Scientific|*.TXT", 2, "table", "table.TXT"},
      {"KESTRO files (*.KST)|*.KST", 1, "o7.kst", "o7.kst"},
      {"KESTRO files (*.KST)|*.KST", 7, "o8", "o8.KST"},  // an index past the end: the first
      {"All files|*.*", 1, "notes", "notes"}};
  const test::ScratchFolder folder;
  for (const auto& [filter, index, typed, saved] : cases) {
    const FileDialogRequest request{"Save", filter, "", index, true};
    const std::filesystem::path path(SaveAs(request, QString::fromUtf8(typed)));
    EXPECT_EQ(path.filename().string(), saved) << filter << " " << typed;
  }
}

}  // namespace
}  // namespace kestro
