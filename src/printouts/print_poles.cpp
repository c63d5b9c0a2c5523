// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/print_poles.h"

#include <algorithm>

#include "printouts/pole_plot.h"
#include "printouts/print_canvas.h"
#include "printouts/print_job.h"

namespace kestro {

namespace {
// The sheet starts a little left of the plot's leftmost circle point and ends with the page, so
// that it holds the plot and the listing at the right.
constexpr float kSheetLeft = 3000;  // page units
constexpr float kLeftTwips = kSheetLeft * PrintCanvas::kTwipsPerUnitX;
constexpr float kWidthTwips = kPageWidth * PrintCanvas::kTwipsPerUnitX - kLeftTwips;
constexpr float kHeightTwips = kPageHeight * PrintCanvas::kTwipsPerUnitY;
static_assert(kSheetLeft < PolePlot::kOriginX - PolePlot::PoleAspect * PolePlot::kRadius);
}  // namespace

PolesPrintout::PolesPrintout(const DesignRecord& record, bool rectangularGrid, PrintDevice& device,
                             Dialogs& dialogs)
    : record_(record), rectangularGrid_(rectangularGrid), device_(device), dialogs_(dialogs) {
  ComputePoles(record_, poles_);
  poleScale_ = PolePlot::PoleScaleFor(record_, poles_);
}

bool PolesPrintout::Run() {
  return PrintOrReportError(
      device_, [this](PrintDevice& sheet) { DrawSheets(sheet); }, dialogs_);
}

// The drawing stands in the middle of the printable area.
void PolesPrintout::DrawSheets(PrintDevice& device) {
  device.SetOrientation(PrintOrientation::Landscape);
  device.SetDrawingArea(kWidthTwips, kHeightTwips);
  const float marginX = std::max(0.0f, (device.AreaWidth() - kWidthTwips) / 2);
  const float marginY = std::max(0.0f, (device.AreaHeight() - kHeightTwips) / 2);
  device.SetOrigin(marginX - kLeftTwips, marginY);
  PrintCanvas canvas(device);
  PolePlot(canvas, record_, poles_, poleScale_).Draw(rectangularGrid_);
}

}  // namespace kestro
