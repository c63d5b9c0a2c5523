// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/printers.h"

class QWidget;

namespace kestro {

// The window's printer: every printout gets a fresh QtPrintDevice with a preview and the system
// printer dialog; every picture a fresh QtPictureDevice.
class QtPrinters final : public Printers {
 public:
  std::unique_ptr<PrintDevice> NewJob() override;
  std::unique_ptr<PrintDevice> NewPicture(const PictureRequest& request) override;
};

}  // namespace kestro
