// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/design_record.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/print_device.h"

namespace kestro {

// The tabulated response on paper: frequency, gain, phase and delay of every analysis point,
// 41 rows on the first sheet and 44 on each further one, with the column headings on every
// sheet and the date and time after the last row. More than 40 intervals first ask, in a
// "Caution" box, whether so many sheets are wanted. Failures end in a "Printer Error" message.
class TabulatedPrintout final {
 public:
  TabulatedPrintout(const DesignRecord& record, PrintDevice& device, Dialogs& dialogs,
                    const Clock& clock)
      : record_(record), device_(device), dialogs_(dialogs), clock_(clock) {}

  // The Print command of the tabulated page.
  // Returns true when the sheets were sent.
  bool Run();
  // The sheets themselves, without question, dialog or end of document.
  void DrawSheets(PrintDevice& device) const;

  // The question asked before a long table (numbers in decimal without blanks).
  static std::string CautionText(int nints);

 private:
  static void PrintHeadings(PrintDevice& device);
  static void PrintRow(PrintDevice& device, const DesignRecord& record, int point);

  const DesignRecord& record_;
  PrintDevice& device_;
  Dialogs& dialogs_;
  const Clock& clock_;  // the date and time of the footer
};

}  // namespace kestro
