// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/print_preview_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include "platform/qt/qt_print_device.h"

namespace kestro {
namespace {

// Two sheets with a line of text each.
void TwoSheets(PrintDevice& device) {
  device.SetPosition(1000, 1000);
  device.Write("First sheet");
  device.NewPage();
  device.Write("Second sheet");
}

// Once the preview shows, notes its labels and presses its button with the caption.
void PressWhenShown(const QString& caption, std::string* labels) {
  QTimer::singleShot(0, [caption, labels] {
    QWidget* preview = QApplication::activeModalWidget();
    ASSERT_NE(preview, nullptr);
    for (const QLabel* item : preview->findChildren<QLabel*>())
      *labels += item->text().toStdString();
    for (QPushButton* button : preview->findChildren<QPushButton*>()) {
      if (button->text() == caption)
        button->click();
    }
  });
}

// The preview shows every sheet, and Print goes on; in the window's device a cancelled preview
// is a printer failure, "Cancel was selected.".
TEST(PrintPreviewDialog, ShowsEverySheetAndPrintGoesOnWhileCancelFails) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  PrintPreviewDialog preview(printer, TwoSheets);
  std::string labels;
  PressWhenShown("Print...", &labels);
  EXPECT_TRUE(preview.Run());
  EXPECT_EQ(labels, "Sheet 1 of 2");
  PressWhenShown("Cancel", &labels);
  try {
    QtPrintDevice().Preview(TwoSheets);
    ADD_FAILURE() << "the cancelled preview went on";
  } catch (const PrintError& error) {
    EXPECT_STREQ(error.what(), "Cancel was selected.");
  }
}

}  // namespace
}  // namespace kestro
