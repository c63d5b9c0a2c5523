// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/overlay_drawing.h"

#include <algorithm>

#include "plotpage/plot_palette.h"

namespace kestro {
namespace {

constexpr Rgb kGainOverlay{136, 136, 255};
constexpr Rgb kPhaseOverlay{136, 255, 136};
constexpr Rgb kDelayOverlay{255, 136, 136};

Rgb OverlayColour(OverlayKind kind) {
  switch (kind) {
    case OverlayKind::Phase:
      return kPhaseOverlay;
    case OverlayKind::Delay:
      return kDelayOverlay;
    case OverlayKind::Gain:
      break;
  }
  return kGainOverlay;
}

}  // namespace

OverlayDrawing::OverlayDrawing(PlotDrawing& drawing, const DesignRecord& record,
                               const PlotShared& shared)
    : drawing_(drawing), record_(record), shared_(shared) {}

void OverlayDrawing::DrawOverlay(const PlotOverlay& overlay) {
  if ((overlay.kind == OverlayKind::Phase && shared_.PhaseOn != 1) ||
      (overlay.kind == OverlayKind::Delay && shared_.DelayOn != 1)) {
    return;
  }
  Canvas& canvas = drawing_.Surface();
  const Rgb colour = OverlayColour(overlay.kind);
  const int last = std::min<int>(overlay.OverlayLast, kMaxPoint);
  canvas.SetLineWidth(2);
  for (int i = 0; i <= last; ++i) {
    const auto at = static_cast<std::size_t>(i);
    const float x = PlotMapping::ClampX(drawing_.Mapping().X(overlay.OverlayFreq[at]));
    const float y = ValueY(overlay.kind, overlay.OverlayValue[at]);
    if (i == 0) {
      canvas.Point(x, y, colour);
    } else {
      canvas.LineTo(x, y, colour);
    }
  }
  canvas.SetLineWidth(1);
}

// The curve mappings of the plot, each held within the box. The delay axis is the one last drawn;
// a DelayTop too small to divide by is taken as 1e-9 s, as the delay plot raises it.
float OverlayDrawing::ValueY(OverlayKind kind, float value) const {
  const PlotMapping& mapping = drawing_.Mapping();
  switch (kind) {
    case OverlayKind::Phase:
      return mapping.PhaseY(value);
    case OverlayKind::Delay: {
      const double top = record_.DelayTop >= 1e-9f ? static_cast<double>(record_.DelayTop) : 1e-9;
      return PlotMapping::ClampY(static_cast<float>(
          plot::kBoxBottom - plot::kBoxHeight * static_cast<double>(value) / top));
    }
    case OverlayKind::Gain:
      break;
  }
  return mapping.GainY(value);
}

}  // namespace kestro
