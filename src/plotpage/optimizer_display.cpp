// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/optimizer_display.h"

#include <array>
#include <cmath>
#include <string>

#include "core/eng_value.h"

namespace kestro {
namespace {

constexpr Rgb kBar{68, 255, 68};
constexpr Rgb kTick{255, 17, 17};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kTextArea{17, 255, 255};
// The page's own text colour: pale text on the cyan text area, the green bar or the page could
// not be read.
constexpr Rgb kText{0, 0, 0};

// Ticks at x for 10000 .. 0.01 dB, each label 70 to 150 units right of its tick. The last tick
// is at the box's right edge: its label ends 70 units left of it instead, taking about 60 page
// units a character in the page font, so it stays on the page.
struct Tick {
  float x;
  const char* label;
  float labelX;
};
constexpr std::array<Tick, 7> kTicks{{{2000, "10000", 2070},
                                      {3500, "1000", 3600},
                                      {5000, "100", 5150},
                                      {6500, "10", 6700},
                                      {8000, "1", 8140},
                                      {9500, "0.1", 9640},
                                      {11000, "0.01", 11000 - 70 - 4 * 60}}};

}  // namespace

// x = 2000 + 9000 (ln E - ln 10000) / (ln 0.01 - ln 10000), in double. An error that is not a
// finite number draws no bar (or one far to the left for an infinite error).
float OptimizerDisplay::BarEnd(float error) {
  const double x = 2000.0 + 9000.0 * (std::log(static_cast<double>(error)) - std::log(10000.0)) /
                                (std::log(0.01) - std::log(10000.0));
  if (std::isnan(x))
    return 2000;
  if (!std::isfinite(x))
    return -1e6f;
  return static_cast<float>(std::nearbyint(x));
}

void OptimizerDisplay::Draw(const Trial& trial) {
  canvas_.FillRect(2000, 715, BarEnd(trial.error), 905, kBar);
  DrawScale();
  canvas_.FillRect(10, 400, 1500, 1200, kTextArea);
  canvas_.SetTextColour(kText);
  canvas_.Point(100, 845, kTextArea);
  canvas_.Print("Trial #: " + std::to_string(trial.number) + " / 2000");
  canvas_.Point(100, 645, kTextArea);
  canvas_.Print("Error: " + FormatNum(trial.bestError));
}

void OptimizerDisplay::DrawScale() {
  canvas_.SetTextColour(kText);
  for (const Tick& tick : kTicks) {
    canvas_.Line(tick.x, 715, tick.x, 905, kTick);
    canvas_.Point(tick.labelX, 725, kWhite);
    canvas_.Print(tick.label);
  }
}

}  // namespace kestro
