// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/curve_colours.h"

#include <array>

namespace kestro {
namespace {

// Sets 1..8: gain (blue), delay (red), phase (green), dark to light.
constexpr std::array<CurveColours, 8> kSets{{
    {{0, 0, 136}, {120, 0, 0}, {17, 68, 17}},
    {{0, 0, 204}, {160, 0, 0}, {17, 136, 17}},
    {{0, 0, 255}, {185, 0, 0}, {17, 204, 17}},
    {{0, 0, 68}, {220, 0, 0}, {68, 136, 68}},
    {{102, 102, 255}, {255, 0, 0}, {68, 204, 68}},
    {{136, 136, 255}, {255, 60, 60}, {68, 255, 68}},
    {{170, 170, 255}, {255, 110, 110}, {68, 255, 68}},
    {{238, 238, 255}, {255, 221, 221}, {170, 255, 170}},
}};

}  // namespace

std::optional<CurveColours> CurveColours::Set(int k) {
  if (k < 1 || k > static_cast<int>(kSets.size()))
    return std::nullopt;
  return kSets[static_cast<std::size_t>(k - 1)];
}

}  // namespace kestro
