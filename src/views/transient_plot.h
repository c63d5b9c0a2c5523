// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "analysis/transient.h"
#include "platform/canvas.h"

namespace kestro {

// The drawing of the square-wave page: the plot box (2000, 1000)-(11000, 7000) page units over
// t = -36..360 degrees of the fundamental (11 divisions of 36) and -1..+1 of the normalised
// output (10 divisions of 0.2), the waveform, and the list of the first nine components.
class TransientPlot final {
 public:
  explicit TransientPlot(Canvas& canvas) : canvas_(canvas) {}

  static float X(int t);        // page x of phase t, degrees
  static float Y(float value);  // page y of a normalised value, clamped to the box

  void DrawTransientGrid();
  // The waveform in blue and the peak output above and below the box.
  void PlotTransient(const TransientState& state);
  // "1st 9 components:" and per component its name, frequency and gain; a fundamental more than
  // 6 dB down is red, and so is any gain below -100 dB.
  void ShowComponents(const std::array<TransientComponent, 9>& components);
  // A read-back waveform over the current plot: its first point green, its segments red.
  void PlotSavedWave(const DegreeWave& wave);

 private:
  void DrawWave(const DegreeWave& wave, Rgb first, Rgb segments);
  void ShowComponent(const TransientComponent& component);

  Canvas& canvas_;
};

}  // namespace kestro
