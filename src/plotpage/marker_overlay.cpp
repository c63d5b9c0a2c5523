// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/marker_overlay.h"

#include <string>

#include "analysis/response_engine.h"
#include "core/eng_value.h"
#include "plotpage/label_text.h"
#include "plotpage/plot_palette.h"

namespace kestro {
namespace {

constexpr float kTableTop = 7300;
constexpr float kRowHeight = 150;

}  // namespace

MarkerOverlay::MarkerOverlay(PlotDrawing& drawing, DesignRecord& record, PlotShared& shared)
    : drawing_(drawing), canvas_(drawing.Surface()), record_(record), shared_(shared) {}

void MarkerOverlay::ClearDataArea() {
  const plot::Area& area = plot::kMarkerDataArea;
  canvas_.FillRect(area.x1, area.y1, area.x2, area.y2, plot::kPageBackground);
}

// --- Gain ---

void MarkerOverlay::PlotMarkerGain() {
  if (record_.MarkersOn == 0)
    return;
  ClearDataArea();
  for (int k = 1; k <= kUsedMarkers; ++k) {
    if (record_.MarkerFreq[static_cast<std::size_t>(k)] > 0)
      PlotGainMarker(k);
  }
}

void MarkerOverlay::PlotGainMarker(int k) {
  markerIndex_ = static_cast<int16_t>(k);
  const float f = record_.MarkerFreq[static_cast<std::size_t>(k)];
  ResponseAt(record_, f, record_.GainAt, record_.PhaseAt);
  const float x = drawing_.Mapping().X(f);
  const float y = drawing_.Mapping().MarkerGainY(record_.GainAt);
  if (PlotMapping::InsideBox(x, y)) {
    DrawSymbol(x, y, y == plot::kBoxBottom ? plot::kGainMarkerOnFloor : plot::kGainMarkerFill, k);
  }
  if (DataAreaFree())
    ShowMarkerData();  // a tuning panel covers the data area
}

// --- Delay ---

void MarkerOverlay::PlotMarkerDelay() {
  if (record_.MarkersOn == 0 || shared_.DelayOn == 0)
    return;
  ClearDataArea();
  if (!DataAreaFree())
    return;
  for (int k = 1; k <= kUsedMarkers; ++k) {
    if (record_.MarkerFreq[static_cast<std::size_t>(k)] > 0)
      PlotDelayMarker(k);
  }
}

void MarkerOverlay::PlotDelayMarker(int k) {
  markerIndex_ = static_cast<int16_t>(k);
  const auto index = static_cast<std::size_t>(k);
  const float f = record_.MarkerFreq[index];
  // The table row shows the gain and phase at the marker itself, beside the exact delay there.
  ResponseAt(record_, f, record_.GainAt, record_.PhaseAt);
  shared_.MarkerDelay[index] = GroupDelayAt(record_, f);
  ShowMarkerData();
  const float x = drawing_.Mapping().X(f);
  const float y = drawing_.Mapping().MarkerDelayY(shared_.MarkerDelay[index]);
  if (PlotMapping::InsideBox(x, y))
    DrawSymbol(x, y, plot::kDelayMarkerFill, k);
}

// --- Symbols and table ---

void MarkerOverlay::DrawSymbol(float x, float y, Rgb fill, int k) {
  canvas_.SetLineWidth(18);
  canvas_.Line(x, y, x, y, plot::kMarkerOutline);
  canvas_.SetLineWidth(16);
  canvas_.Line(x, y, x, y, fill);
  canvas_.SetLineWidth(1);
  drawing_.PrintAt(x - 45, y - 78, std::to_string(k), fill);
}

void MarkerOverlay::ShowMarkerData() {
  const int k = markerIndex_;
  if (k < 1 || k > kUsedMarkers)
    return;
  const Rgb under = plot::kPageBackground;
  drawing_.PrintAt(1000, kTableTop, "#:", under);
  drawing_.PrintAt(1200, kTableTop, "Freq:", under);
  drawing_.PrintAt(1800, kTableTop, "Gain:", under);
  drawing_.PrintAt(2600, kTableTop, "Phase:", under);
  drawing_.PrintAt(3400, kTableTop, "Delay:", under);

  const float row = kTableTop + kRowHeight * static_cast<float>(k);
  const auto index = static_cast<std::size_t>(k);
  drawing_.PrintAt(1000, row, label_text::SignedNumber(k), under);
  drawing_.PrintAt(1200, row, label_text::SignedNumber(record_.MarkerFreq[index]), under);
  std::string gain = Trimmed(FormatNum(record_.GainAt));
  if (record_.GainAt > 0)
    gain = " " + gain;  // positive and negative values line up
  drawing_.PrintAt(1800, row, gain, under);
  drawing_.PrintAt(2600, row, FormatNum(record_.PhaseAt), under);
  // A delay is shown only while the delay curve is on: the value kept from an earlier delay pass
  // belongs to the design as it was then.
  const float delay = shared_.MarkerDelay[index];
  if (delay != 0 && shared_.DelayOn == 1)
    drawing_.PrintAt(3400, row, Trimmed(FormatEng(delay)), under);
}

}  // namespace kestro
