// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/event_pump.h"

namespace kestro {

// The clock of a program without Qt (the command line): the C library's local time.
class SystemClock final : public Clock {
 public:
  double SecondsSinceMidnight() const override;
  std::string LocalDateTime() const override;
};

}  // namespace kestro
