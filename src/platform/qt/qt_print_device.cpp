// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_print_device.h"

#include <QPrintDialog>
#include <QPrinter>

#include "platform/qt/print_preview_dialog.h"

namespace kestro {

QtPrintDevice::QtPrintDevice(QWidget* dialogParent) : QtPrintDevice(nullptr, dialogParent) {}

QtPrintDevice::QtPrintDevice(QPrinter* borrowed, QWidget* dialogParent)
    : printer_(borrowed), dialogParent_(dialogParent), showsDialogs_(borrowed == nullptr) {
  if (printer_ == nullptr) {
    ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_ = ownPrinter_.get();
  }
}

std::unique_ptr<QtPrintDevice> QtPrintDevice::Borrowing(QPrinter& printer) {
  return std::unique_ptr<QtPrintDevice>(new QtPrintDevice(&printer, nullptr));
}

// The painter ends before the printer it draws on goes.
QtPrintDevice::~QtPrintDevice() {
  StopPainting();
}

void QtPrintDevice::Preview(const PrintSheets& sheets) {
  if (!showsDialogs_)
    return;
  PrintPreviewDialog preview(*printer_, sheets, dialogParent_);
  if (!preview.Run())
    throw PrintError("Cancel was selected.");
}

void QtPrintDevice::SelectPrinter() {
  if (!showsDialogs_)
    return;
  QPrintDialog dialog(printer_, dialogParent_);
  if (dialog.exec() != QDialog::Accepted)
    throw PrintError("Cancel was selected.");
  if (printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty())
    DrawIntoPdfFileChosenInDialog();
}

// "Print to file" in the dialog: the file is written like any other PDF, on the paper, margins
// and resolution chosen there.
void QtPrintDevice::DrawIntoPdfFileChosenInDialog() {
  const QString title = printer_->docName().isEmpty() ? "KestroLab" : printer_->docName();
  QtPdfFile& file = DrawIntoPdfFile(printer_->outputFileName().toStdString(), title.toStdString(),
                                    printer_->resolution());
  file.Device().setPageLayout(printer_->pageLayout());
}

QPagedPaintDevice& QtPrintDevice::Printer() const {
  return *printer_;
}

int QtPrintDevice::PrinterResolution() const {
  return printer_->resolution();
}

}  // namespace kestro
