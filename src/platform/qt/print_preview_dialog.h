// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <string>

#include "platform/print_device.h"

class QLabel;
class QPrinter;
class QPrintPreviewWidget;

namespace kestro {

// Qt's print preview of a printout, shown before the printer dialog so that nobody prints a long
// table by mistake. "Print..." goes on to the printer dialog, "Cancel" ends the printout. The
// sheets are drawn with the same code that prints them.
class PrintPreviewDialog final : public QDialog {
 public:
  PrintPreviewDialog(QPrinter& printer, PrintSheets sheets, QWidget* parent = nullptr);

  // Shows the preview; true when the user chose to print. Throws the PrintError that drawing the
  // sheets raised, if any.
  bool Run();

 private:
  void DrawSheets(QPrinter* printer);
  void ShowPageNumber();

  PrintSheets sheets_;
  QPrintPreviewWidget* preview_;
  QLabel* pageLabel_;
  std::string error_;
};

}  // namespace kestro
