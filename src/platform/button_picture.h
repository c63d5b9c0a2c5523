// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "platform/canvas.h"

namespace kestro {

// One stroke of a small drawing on a button face, in the face's own units: 0..1 across from the
// left and 0..1 down from the top, so the drawing scales with the button.
struct PictureStroke {
  enum class Kind { Fill, Line };
  Kind kind = Kind::Line;
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  Rgb colour;
  int width = 1;  // lines: pen width in pixels
  friend bool operator==(const PictureStroke&, const PictureStroke&) = default;
};

// A picture button's drawing, painted in order; empty for a button without one.
using ButtonPicture = std::vector<PictureStroke>;

}  // namespace kestro
