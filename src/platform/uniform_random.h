// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <random>

#include "platform/event_pump.h"

namespace kestro {

// The program's one uniform generator on [0, 1), shared by the optimizer and the Monte Carlo
// analysis. The window never seeds it, so every program start draws the same sequence and a run
// continues where the last one stopped; the command line may start it at a seed of its own.
// Each draw is the top 24 bits of a Mersenne Twister word scaled by 2^-24: every float of that
// grid on [0, 1) is equally likely, 1.0 never comes, and the sequence is the same on every
// standard library.
class UniformRandom final : public Random {
 public:
  UniformRandom() = default;
  explicit UniformRandom(uint32_t seed) : engine_(seed) {}

  float Next() override;

 private:
  std::mt19937 engine_;  // the default seed 5489 unless one is given
};

}  // namespace kestro
