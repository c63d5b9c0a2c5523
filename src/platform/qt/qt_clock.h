#pragma once

#include "platform/event_pump.h"

namespace kestro {

// Seconds since local midnight, to the millisecond.
class QtClock final : public Clock {
 public:
  double SecondsSinceMidnight() const override;
};

}  // namespace kestro
