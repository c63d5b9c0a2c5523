// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/transient_plot.h"

#include <algorithm>
#include <string>

#include "core/eng_value.h"

namespace kestro {

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kWaveColour{0, 0, 255};
constexpr Rgb kSavedFirstPoint{0, 255, 0};
constexpr Rgb kSavedWaveColour{204, 34, 34};
constexpr Rgb kPageBackground{238, 255, 255};
constexpr float kLeft = 2000, kRight = 11000, kTop = 1000, kBottom = 7000, kZero = 4000;
constexpr int kFirstDegree = -36, kLastDegree = 360;

}  // namespace

float TransientPlot::X(int t) {
  return kLeft + (kRight - kLeft) * static_cast<float>(t - kFirstDegree) /
                     static_cast<float>(kLastDegree - kFirstDegree);
}

float TransientPlot::Y(float value) {
  const float y = kTop - (kBottom - kTop) * (value - 1) / 2;
  return std::clamp(y, kTop, kBottom);
}

void TransientPlot::DrawTransientGrid() {
  canvas_.SetLineWidth(2);
  canvas_.FillRect(kLeft, kTop, kRight, kBottom, kWhite);
  canvas_.Rect(kLeft, kTop, kRight, kBottom, kBlack);
  for (const float share : {1.0f / 11, 6.0f / 11}) {  // the rising and the falling edge
    const float x = kLeft + (kRight - kLeft) * share;
    canvas_.Line(x, kTop, x, kBottom, kBlack);
  }
  canvas_.Line(kLeft, kZero, kRight, kZero, kBlack);
  canvas_.SetLineWidth(1);
  for (int i = 0; i <= 11; ++i) {
    const float x = kLeft + (kRight - kLeft) * static_cast<float>(i) / 11;
    canvas_.Line(x, kTop, x, kBottom, kBlack);
  }
  for (int i = 0; i <= 10; ++i) {
    const float y = kTop + (kBottom - kTop) * static_cast<float>(i) / 10;
    canvas_.Line(kLeft, y, kRight, y, kBlack);
  }
}

void TransientPlot::PlotTransient(const TransientState& state) {
  DrawWave(state.TransientWave, kWaveColour, kWaveColour);
  const std::string peak = FormatNum(state.WavePeak);
  PrintAt(canvas_, 2500, 700, "+" + peak, kPageBackground);
  PrintAt(canvas_, 2500, 7100, "-" + peak, kPageBackground);
}

void TransientPlot::PlotSavedWave(const DegreeWave& wave) {
  DrawWave(wave, kSavedFirstPoint, kSavedWaveColour);
}

void TransientPlot::DrawWave(const DegreeWave& wave, Rgb first, Rgb segments) {
  canvas_.SetLineWidth(2);
  canvas_.Line(X(kFirstDegree), Y(wave[kFirstDegree]), X(kFirstDegree), Y(wave[kFirstDegree]),
               first);
  for (int t = kFirstDegree + 1; t <= kLastDegree; ++t)
    canvas_.LineTo(X(t), Y(wave[t]), segments);
  canvas_.SetLineWidth(1);
}

void TransientPlot::ShowComponents(const std::array<TransientComponent, 9>& components) {
  PrintAt(canvas_, 400, 600, "1st 9 components:", kPageBackground);
  for (const TransientComponent& component : components)
    ShowComponent(component);
}

// Three lines 200 units apart; the blocks of the harmonics n = 1, 3, ..., 17 are 800 apart.
void TransientPlot::ShowComponent(const TransientComponent& component) {
  const int n = component.harmonic;
  const float top = static_cast<float>(400 * n + 600);
  if (n == 1 && component.gainDb < -6)
    canvas_.SetTextColour(kRed);
  PrintAt(canvas_, 400, top, n == 1 ? "Fundamental:" : "Harmonic: " + std::to_string(n),
          kPageBackground);
  PrintAt(canvas_, 400, top + 200, "Freq:" + FormatFreq(component.frequency), kPageBackground);
  if (component.gainDb < -100)
    canvas_.SetTextColour(kRed);
  PrintAt(canvas_, 400, top + 400, "dB: " + FormatNum(component.gainDb), kPageBackground);
  canvas_.SetTextColour(kBlack);
}

}  // namespace kestro
