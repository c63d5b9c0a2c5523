// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_printers.h"

#include <QApplication>

#include "platform/qt/qt_print_device.h"

namespace kestro {

std::unique_ptr<PrintDevice> QtPrinters::NewJob() {
  return std::make_unique<QtPrintDevice>(QApplication::activeWindow());
}

}  // namespace kestro
