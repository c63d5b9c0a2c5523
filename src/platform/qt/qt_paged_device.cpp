// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_paged_device.h"

#include <QPagedPaintDevice>

namespace kestro {

// The painter ends before the PDF file it may draw on goes.
QtPagedDevice::~QtPagedDevice() {
  StopPainting();
}

QtPdfFile& QtPagedDevice::DrawIntoPdfFile(const std::string& path, const std::string& title,
                                          int resolution) {
  pdf_ = std::make_unique<QtPdfFile>(path, title);
  pdf_->SetResolution(resolution);
  return *pdf_;
}

QPagedPaintDevice& QtPagedDevice::Device() const {
  if (pdf_)
    return pdf_->Device();
  return Printer();
}

QPaintDevice& QtPagedDevice::Surface() const {
  return Device();
}

int QtPagedDevice::Resolution() const {
  return pdf_ ? pdf_->Resolution() : PrinterResolution();
}

QSizeF QtPagedDevice::PrintableSize() const {
  return Device().pageLayout().paintRectPixels(Resolution()).size();
}

void QtPagedDevice::BeforePainting() {
  if (pdf_)
    pdf_->CheckTarget();
}

// --- Job ---

void QtPagedDevice::SetOrientation(PrintOrientation orientation) {
  const auto qtOrientation =
      orientation == PrintOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
  if (!Device().setPageOrientation(qtOrientation)) {
    throw PrintError("The printer does not support this page orientation.");
  }
}

void QtPagedDevice::NewPage() {
  Painter();
  if (!Device().newPage())
    throw PrintError("The printer could not start a new page.");
  ResetPosition();
}

void QtPagedDevice::EndDocument() {
  if (!EndPainting())
    throw PrintError("The printer could not finish the document.");
  if (pdf_)
    pdf_->Write();
}

}  // namespace kestro
