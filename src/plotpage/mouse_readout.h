// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "core/design_record.h"
#include "plotpage/limit_entry.h"
#include "plotpage/response_plot.h"

namespace kestro {

// The mouse on the analysis page: a press over the plot shows frequency, gain, phase, delay and
// gain slope of the analysis point under the pointer below the plot, a drag updates them, and a
// release clears them and redraws the plot. While a limit is being entered the press and drag
// show nothing and the release adds the limit.
class MouseReadout final {
 public:
  MouseReadout(ResponsePlot& plot, DesignRecord& record, LimitEntry& limits);

  void Press(float x, float y);
  void Move(float x, float y);
  void Release(float x, float y);

  // -1 from a press until its release, 0 otherwise.
  int16_t MouseIsDown() const { return mouseIsDown_; }
  // The analysis point the readout last showed.
  int ReadoutIndex() const { return readoutIndex_; }

 private:
  void ClearAndShow(float x, float y);
  void ShowReadout(float x);
  void PrintSlope(int i);

  ResponsePlot& plot_;
  DesignRecord& record_;
  LimitEntry& limits_;
  int16_t mouseIsDown_ = 0;
  int readoutIndex_ = 0;
};

}  // namespace kestro
