// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/canvas.h"

namespace kestro {

// Prints text with its top-left corner at (x, y), page units. The text position is set by a point
// in the colour of what lies under it, so the point is not seen.
void PrintAt(Canvas& canvas, float x, float y, const std::string& text, Rgb under);

}  // namespace kestro
