// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "core/design_record.h"
#include "platform/dialogs.h"

namespace kestro {

constexpr int16_t kMinOrder = 2;  // the order spinner's range
constexpr int16_t kMaxOrder = 11;

// The texts of the design page's fields as the Design command reads them, and the selected family.
struct DesignFields {
  std::string width;      // bandwidth, Hz
  std::string order;      // the number the order label shows
  std::string apass;      // Chebyshev ripple, dB
  std::string start;      // analysis start, Hz
  std::string stop;       // analysis stop, Hz
  std::string intervals;  // number of analysis intervals
  std::string dBTop;      // gain axis top, dB
  std::string dBBottom;   // gain axis bottom, dB
  std::string delay;      // delay axis top, s
  int16_t family = 0;     // the selected option's family code, 0 when none is selected

  // The fields as the design page shows the record.
  static DesignFields FromRecord(const DesignRecord& record);
};

// Reads every field into the record and repairs out-of-range values, each repair with its own
// message, in the Design command's order: bandwidth, order, family, ripple, the Bessel order,
// start, stop, intervals, gain top, gain bottom, delay top. A bandwidth of 0 or less becomes
// 1 kHz and an order below 2 becomes 2. Where a repaired value is shown again ("10M", "1K", "2",
// ".001", "20") the field text is rewritten. Returns false, after its message, when the sweep is
// empty (the stop is not above the start, or the start is not below a stop lowered to 10 MHz):
// the command ends there, and the fields after the stop are not read.
bool ReadDesignFields(DesignFields& fields, DesignRecord& record, Dialogs& dialogs);

}  // namespace kestro
