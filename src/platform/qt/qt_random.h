#pragma once

#include <random>

#include "platform/event_pump.h"

namespace kestro {

// The program's one uniform generator on [0, 1). It is never seeded, so every run draws the same
// sequence.
class QtRandom final : public Random {
 public:
  float Next() override;

 private:
  std::mt19937 engine_;  // default seed
  std::uniform_real_distribution<float> uniform_{0.0f, 1.0f};
};

}  // namespace kestro
