// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "platform/qt/qt_paged_device.h"

namespace kestro {

// A PDF file on A4 paper, with no dialogs: Preview() and SelectPrinter() show nothing.
class QtPdfDevice final : public QtPagedDevice {
 public:
  explicit QtPdfDevice(const std::string& path, const std::string& title = "KestroLab");

  void SelectPrinter() override {}

 protected:
  QPagedPaintDevice& Printer() const override;
  int PrinterResolution() const override;

 private:
  QtPdfFile* file_;  // owned by the painted device
};

}  // namespace kestro
