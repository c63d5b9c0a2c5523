// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "platform/event_pump.h"

namespace kestro::test {

// A generator that hands out a fixed sequence over and over, so a test knows every factor the
// page applies.
class SequenceRandom final : public Random {
 public:
  float Next() override {
    if (values_.empty())
      return 0.5f;
    const float value = values_[next_];
    next_ = (next_ + 1) % values_.size();
    return value;
  }
  void Feed(std::vector<float> values) {
    values_ = std::move(values);
    next_ = 0;
  }

 private:
  std::vector<float> values_;
  std::size_t next_ = 0;
};

}  // namespace kestro::test
