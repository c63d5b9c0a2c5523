// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_print_device.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <string>
#include <vector>

#include "files/scratch_folder.h"
#include "pdf_sheets.h"

namespace kestro::test {
namespace {

using Lines = std::vector<std::string>;

// "Print to file" in the print dialog goes through the same writer: the file appears whole at
// the end of the document.
TEST(QtPrintDevice, APdfFileChosenInThePrintDialogIsWrittenWholeAtTheEnd) {
  ScratchFolder folder;
  const std::string path = (folder.Path() / "chosen.pdf").string();
  QTimer::singleShot(0, [path] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
    dialog->printer()->setOutputFileName(QString::fromStdString(path));
    dialog->done(QDialog::Accepted);  // as chosen, without the dialog's own fields
  });
  QtPrintDevice device;
  device.SelectPrinter();
  DrawTwoSheets(device);
  EXPECT_EQ(folder.Entries(), Lines{});
  device.EndDocument();
  EXPECT_EQ(PdfInfo("chosen.pdf"),
            (Lines{"Title:           KestroLab", "Creator:         KestroLab " KESTRO_VERSION}));
}

}  // namespace
}  // namespace kestro::test
