// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/canvas.h"

namespace kestro::plot {

// Colours and fixed places of the analysis page, in page units (12000 x 9000, y downwards).

constexpr Rgb kPageBackground{238, 255, 255};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kFrame{17, 17, 153};
constexpr Rgb kGrid{102, 102, 102};
constexpr Rgb kGainEnvelope{136, 204, 255};
constexpr Rgb kDelayEnvelope{136, 17, 17};

// Marker symbols: outline, fill on the gain curve, fill on the bottom edge, fill on the delay
// curve.
constexpr Rgb kMarkerOutline{17, 17, 17};
constexpr Rgb kGainMarkerFill{221, 255, 255};
constexpr Rgb kGainMarkerOnFloor{255, 221, 221};
constexpr Rgb kDelayMarkerFill{255, 238, 238};

// Button faces.
constexpr Rgb kTuningFace{187, 255, 255};
constexpr Rgb kTopRowFace{221, 255, 255};
constexpr Rgb kPlotButtonFace{128, 255, 255};
constexpr Rgb kPlotButtonPressed{17, 255, 255};
constexpr Rgb kWidthStepFace{102, 255, 255};

// The plot box.
constexpr float kBoxLeft = 2000;
constexpr float kBoxRight = 11000;
constexpr float kBoxTop = 1000;
constexpr float kBoxBottom = 7000;
constexpr float kBoxWidth = kBoxRight - kBoxLeft;
constexpr float kBoxHeight = kBoxBottom - kBoxTop;

// The lower-left area that a tuning panel covers, and the marker data area inside it.
struct Area {
  float x1, y1, x2, y2;
};
constexpr Area kPanelArea{300, 7280, 11000, 9300};
constexpr Area kMarkerDataArea{300, 7280, 4200, 9800};

}  // namespace kestro::plot
