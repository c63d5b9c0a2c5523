// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/event_pump.h"

namespace kestro {

// Seconds since local midnight, to the millisecond, and the local date and time.
class QtClock final : public Clock {
 public:
  double SecondsSinceMidnight() const override;
  std::string LocalDateTime() const override;
};

}  // namespace kestro
