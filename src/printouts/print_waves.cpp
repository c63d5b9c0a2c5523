// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/print_waves.h"

#include <algorithm>
#include <string>

#include "analysis/response_engine.h"
#include "core/eng_value.h"
#include "printouts/print_job.h"
#include "printouts/print_text.h"

namespace kestro {

namespace {
constexpr float kLeft = 1000, kRight = 10000, kTop = 1000, kBottom = 7000;
constexpr float kWidth = kRight - kLeft, kHeight = kBottom - kTop;
constexpr int kFirstDegree = -36, kLastDegree = 360;  // a tenth of a period before the rise
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGrey{102, 102, 102};
constexpr Rgb kWaveColour{0, 0, 255};
constexpr float kTextX = -200;  // the component list stands left of the box
constexpr int kLastListedHarmonic = 17;

// x of phase t degrees: 396 degrees across the box.
float X(float t) {
  return kLeft + kWidth * (t - kFirstDegree) / (kLastDegree - kFirstDegree);
}
}  // namespace

bool WavesPrintout::Run() {
  return PrintOrReportError(
      device_, [this](PrintDevice& sheet) { DrawSheets(sheet); }, dialogs_);
}

void WavesPrintout::DrawSheets(PrintDevice& device) {
  device.SetOrientation(PrintOrientation::Portrait);
  device.SetDrawingArea(11000, 9400);  // from the printable corner to the "-" peak label
  device.SetOrigin(800, 1000);
  Title(device);
  Grid(device);
  ComputeTransient(record_, state_);
  Waveform(device);
  Components(device);
  device.SetFont("", 8, false);
}

void WavesPrintout::Title(PrintDevice& device) {
  const std::string title = "Transient Plot";
  device.SetFont("", 12, false);
  print_text::PrintAt(device, 6500 - 80 * static_cast<float>(title.size()), 350, title);
  device.SetFont("", 10, false);
}

// The frame twice (thin, then 15 dots), the lines of the rise and the fall and the zero line,
// then the 11 by 10 grid, all in grey but the frame.
void WavesPrintout::Grid(PrintDevice& device) {
  device.SetLineWidth(1);
  device.Box(kLeft, kTop, kRight, kBottom, kBlack, false);
  device.SetLineWidth(15);
  device.Box(kLeft, kTop, kRight, kBottom, kBlack, false);
  for (const float x : {kLeft + kWidth * 1 / 11, kLeft + kWidth * 6 / 11})
    device.Line(x, kTop, x, kBottom, kGrey);
  device.Line(kLeft, 4000, kRight, 4000, kGrey);
  for (int i = 0; i <= 11; ++i) {
    const float x = kLeft + kWidth * static_cast<float>(i) / 11;
    device.Line(x, kTop, x, kBottom, kGrey);
  }
  for (int i = 0; i <= 10; ++i) {
    const float y = kTop + kHeight * static_cast<float>(i) / 10;
    device.Line(kLeft, y, kRight, y, kGrey);
  }
}

// The normalised output, +1 at the top edge and -1 at the bottom, held within the box.
void WavesPrintout::Waveform(PrintDevice& device) {
  device.SetLineWidth(10);
  float previousX = 0, previousY = 0;
  for (int t = kFirstDegree; t <= kLastDegree; ++t) {
    const float x = X(static_cast<float>(t));
    const float y = std::clamp(kTop - kHeight * (state_.TransientWave[t] - 1) / 2, kTop, kBottom);
    if (t == kFirstDegree)
      device.Line(x, y, x, y, kWaveColour);
    else
      device.Line(previousX, previousY, x, y, kWaveColour);
    previousX = x;
    previousY = y;
  }
  device.SetFont("", 12, false);
  const std::string peak = FormatNum(state_.WavePeak);
  print_text::PrintAt(device, 1500, 700, "+" + peak);
  print_text::PrintAt(device, 1500, 7100, "-" + peak);
  device.SetFont("", 8, false);
}

void WavesPrintout::Components(PrintDevice& device) {
  print_text::PrintAt(device, kTextX, 600, "Components:");
  for (int n = 1; n <= kLastListedHarmonic; n += 2) {
    const float f = static_cast<float>(n) * state_.SquareFreq;
    ResponseAt(record_, f, record_.GainAt, record_.PhaseAt);
    const float y = 400 * static_cast<float>(n) + 600;
    print_text::PrintAt(device, kTextX, y,
                        n == 1 ? std::string("Fundamental:") : "Harmonic: " + std::to_string(n));
    print_text::PrintAt(device, kTextX, y + 200, "Freq:" + FormatFreq(f));
    print_text::PrintAt(device, kTextX, y + 400, "dB: " + FormatNum(record_.GainAt));
  }
}

}  // namespace kestro
