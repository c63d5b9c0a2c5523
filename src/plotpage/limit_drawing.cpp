// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/limit_drawing.h"

#include "core/gain_limits.h"

namespace kestro {
namespace {

constexpr Rgb kMaskFill{255, 238, 238};
constexpr Rgb kMaskOutline{221, 17, 17};
// A limit of no width and no height is outlined this far around its point, so it still shows.
constexpr float kPointMargin = 30;

}  // namespace

LimitDrawing::LimitDrawing(Canvas& canvas, const DesignRecord& record)
    : canvas_(canvas), record_(record), mapping_(record) {}

bool LimitDrawing::AllowsOptimize(const DesignRecord& record) {
  return record.LimitsOn == 1 && LimitCount(record, kGainLimitSet) > 1;
}

void LimitDrawing::DrawLimits(int set) {
  if (record_.LimitsOn == 0)
    return;
  const int count = LimitCount(record_, set);
  for (int j = 1; j <= count; ++j)
    DrawLimit(j, set);
}

// x from the logarithmic frequency axis, y from the gain axis, both held within the box.
void LimitDrawing::DrawLimit(int j, int set) {
  const auto at = static_cast<std::size_t>(j);
  const auto s = static_cast<std::size_t>(set);
  const float start = record_.LimitStart[at][s];
  const float stop = record_.LimitStop[at][s];
  if (!(start > 0 && stop > 0))
    return;
  const float x1 = PlotMapping::ClampX(mapping_.X(start));
  const float x2 = PlotMapping::ClampX(mapping_.X(stop));
  const float y1 = mapping_.GainY(record_.LimitTop[at][s]);
  const float y2 = mapping_.GainY(record_.LimitBottom[at][s]);
  canvas_.SetLineWidth(1);
  canvas_.FillRect(x1, y1, x2, y2, kMaskFill);
  canvas_.SetLineWidth(3);
  if (start == stop && y1 == y2) {
    canvas_.Rect(x1 - kPointMargin, y1 - kPointMargin, x2 + kPointMargin, y2 + kPointMargin,
                 kMaskOutline);
  } else {
    canvas_.Rect(x1, y1, x2, y2, kMaskOutline);
  }
  canvas_.SetLineWidth(1);
}

}  // namespace kestro
