// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_pdf_device.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>

namespace kestro {

namespace {
constexpr int kPdfDotsPerInch = 1200;  // as a high-resolution printer gives a PDF
const QMarginsF kPdfMarginsPoints{10, 10, 10, 10};
}  // namespace

// A fixed paper size: the file does not change with the locale or the printers installed.
QtPdfDevice::QtPdfDevice(const std::string& path, const std::string& title)
    : file_(&DrawIntoPdfFile(path, title, kPdfDotsPerInch)) {
  file_->Device().setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                            kPdfMarginsPoints, QPageLayout::Point));
}

QPagedPaintDevice& QtPdfDevice::Printer() const {
  return file_->Device();
}

int QtPdfDevice::PrinterResolution() const {
  return file_->Resolution();
}

}  // namespace kestro
