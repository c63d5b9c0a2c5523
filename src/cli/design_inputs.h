#pragma once

#include <cstdint>
#include <string>

#include "core/design_record.h"
#include "platform/dialogs.h"

namespace kestro::cli {

// The entries of a Design command as the user gave them: the texts of the design page's fields,
// the number shown by the order label and the selected family.
struct DesignInputs {
  std::string width;      // bandwidth, Hz
  int16_t order = 0;      // the order label's number
  int16_t family = 0;     // the selected family option, 0 when none is selected
  std::string apass;      // Chebyshev ripple, dB
  std::string start;      // analysis start, Hz
  std::string stop;       // analysis stop, Hz
  std::string intervals;  // number of analysis intervals
  std::string dBTop;      // gain axis top, dB
  std::string dBBottom;   // gain axis bottom, dB
  std::string delay;      // delay axis top, s

  // The fields as the design page shows the record.
  static DesignInputs FromRecord(const DesignRecord& record);
};

// Reads every entry into the record and repairs out-of-range values, each repair with its own
// message, in the order of the Design command: bandwidth, order, family, ripple, the Bessel
// order, start, stop, intervals, gain top, gain bottom, delay top. Where a repaired value is
// shown again ("10M", ".001", "20") the input text is rewritten. Returns false, after its
// message, when the stopping frequency is not above the starting frequency: the command ends
// there, and what follows is neither read nor designed.
bool ApplyDesignInputs(DesignInputs& inputs, DesignRecord& record, Dialogs& dialogs);

}  // namespace kestro::cli
