// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "platform/canvas.h"

namespace kestro {

// The optimizer's progress above the plot box: a green bar for the trial's error on a
// logarithmic scale from 10000 dB (x = 2000) to 0.01 dB (x = 11000), the smaller the error the
// longer the bar, with seven labelled red ticks; and at the top left the trial number and the
// best error so far.
class OptimizerDisplay final {
 public:
  explicit OptimizerDisplay(Canvas& canvas) : canvas_(canvas) {}

  // What one trial shows.
  struct Trial {
    float error = 0;      // the trial's limit error (dB) after the 0.0101 floor
    int16_t number = 0;   // 1 for the first
    float bestError = 0;  // the smallest error so far
  };
  void Draw(const Trial& trial);

  // The bar's right end (page units) for an error in dB, half to even; no clamp above 10000.
  static float BarEnd(float error);

 private:
  void DrawScale();

  Canvas& canvas_;
};

}  // namespace kestro
