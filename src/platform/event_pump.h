#pragma once

namespace kestro {

// Lets pending window events run inside a long command, so it repaints and receives clicks.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void ProcessPendingEvents() = 0;
};

// Seconds since midnight.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double SecondsSinceMidnight() const = 0;
};

// One uniform generator on [0, 1), never seeded, shared by the whole run.
class Random {
 public:
  virtual ~Random() = default;
  virtual float Next() = 0;
};

}  // namespace kestro
