// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "platform/canvas.h"

namespace kestro {

// The colours of the three response curves. The page loads with a medium blue, red and green;
// the optimizer and the Monte Carlo run pick numbered sets that run from dark (1) to light (8)
// shades of each curve's own hue.
struct CurveColours {
  Rgb gain{68, 68, 255};
  Rgb delay{255, 68, 68};
  Rgb phase{68, 136, 68};

  friend bool operator==(const CurveColours&, const CurveColours&) = default;

  // The colours the page loads with.
  static CurveColours Load() { return {}; }
  // Colour set k = 1..8; no set for any other k.
  static std::optional<CurveColours> Set(int k);
};

}  // namespace kestro
