// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "platform/print_device.h"

namespace kestro {

// Hands out one print device per printout: the window's printer (preview, then the system
// dialog), or a PDF file for the command-line tool.
class Printers {
 public:
  virtual ~Printers() = default;
  virtual std::unique_ptr<PrintDevice> NewJob() = 0;
};

}  // namespace kestro
