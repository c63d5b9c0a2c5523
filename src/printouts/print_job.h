// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/dialogs.h"
#include "platform/print_device.h"
#include "platform/printers.h"

namespace kestro {

// A device for one printout; without printers, one that reports "No printer is available.".
std::unique_ptr<PrintDevice> NewPrintJob(Printers* printers);

// Runs one printout on a device: the preview, the printer dialog, the sheets and the end of the
// document. Returns the description of the first failure (a cancelled preview or dialog
// included), after which nothing more reaches the device; nothing when the sheets were sent.
std::optional<std::string> RunPrintJob(PrintDevice& device, const PrintSheets& sheets);

// RunPrintJob, and on a failure its own description in a message box titled as the device says
// ("Printer Error" for printers).
// Returns true when the sheets were sent.
bool PrintOrReportError(PrintDevice& device, const PrintSheets& sheets, Dialogs& dialogs);

}  // namespace kestro
