// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/print_job.h"

#include "printouts/no_print_device.h"

namespace kestro {

std::unique_ptr<PrintDevice> NewPrintJob(Printers* printers) {
  if (printers == nullptr)
    return std::make_unique<NoPrintDevice>();
  return printers->NewJob();
}

std::optional<std::string> RunPrintJob(PrintDevice& device, const PrintSheets& sheets) {
  try {
    device.Preview(sheets);
    device.SelectPrinter();
    sheets(device);
    device.EndDocument();
  } catch (const PrintError& error) {
    return std::string(error.what());
  }
  return std::nullopt;
}

bool PrintOrReportError(PrintDevice& device, const PrintSheets& sheets, Dialogs& dialogs) {
  const auto failure = RunPrintJob(device, sheets);
  if (failure)
    dialogs.Message(*failure, MessageButtons::Ok, MessageIcon::None, device.FailureTitle());
  return !failure;
}

}  // namespace kestro
