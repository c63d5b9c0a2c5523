// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_printers.h"

#include <QApplication>

#include "platform/qt/qt_picture_device.h"
#include "platform/qt/qt_print_device.h"

namespace kestro {

std::unique_ptr<PrintDevice> QtPrinters::NewJob() {
  return std::make_unique<QtPrintDevice>(QApplication::activeWindow());
}

std::unique_ptr<PrintDevice> QtPrinters::NewPicture(const PictureRequest& request) {
  return std::make_unique<QtPictureDevice>(request);
}

}  // namespace kestro
