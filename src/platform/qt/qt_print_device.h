// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "platform/qt/qt_paged_device.h"

class QPrinter;
class QWidget;

namespace kestro {

// The window's printer on QPrinter: a real printer chosen in the print dialog after a print
// preview. A PDF file chosen in the print dialog is drawn in memory and written whole through the
// program's file writer at the end of the document.
class QtPrintDevice final : public QtPagedDevice {
 public:
  // A real printer, chosen in SelectPrinter(); the preview and the dialog open over dialogParent.
  explicit QtPrintDevice(QWidget* dialogParent = nullptr);
  // Draws on a printer someone else owns (the preview's); shows no dialogs.
  static std::unique_ptr<QtPrintDevice> Borrowing(QPrinter& printer);
  ~QtPrintDevice() override;

  QtPrintDevice(const QtPrintDevice&) = delete;
  QtPrintDevice& operator=(const QtPrintDevice&) = delete;

  void Preview(const PrintSheets& sheets) override;
  void SelectPrinter() override;

 protected:
  QPagedPaintDevice& Printer() const override;
  int PrinterResolution() const override;

 private:
  QtPrintDevice(QPrinter* borrowed, QWidget* dialogParent);
  void DrawIntoPdfFileChosenInDialog();

  std::unique_ptr<QPrinter> ownPrinter_;
  QPrinter* printer_;
  QWidget* dialogParent_;
  bool showsDialogs_;
};

}  // namespace kestro
