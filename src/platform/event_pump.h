// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kestro {

// Lets pending window events run inside a long command, so it repaints and receives clicks.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void ProcessPendingEvents() = 0;
};

// The wall clock: seconds since midnight for timing, the calendar date and time for the texts
// that carry it (session files, printed sheets).
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double SecondsSinceMidnight() const = 0;
  // The local date and time, "2026-12-06 11:45:03" whatever the locale.
  virtual std::string LocalDateTime() const = 0;
};

// One uniform generator on [0, 1), never seeded, shared by the whole run.
class Random {
 public:
  virtual ~Random() = default;
  virtual float Next() = 0;
};

}  // namespace kestro
