// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/canvas.h"

namespace kestro {

// The welcome page's decoration: a unity-gain Sallen-Key stage in coloured line work, its
// output labelled "Output". Drawn in page units in the band y 2200..6700; the text positions are
// set with points in the background colour, so they leave no mark.
void DrawWelcomeSchematic(Canvas& canvas, Rgb background);

}  // namespace kestro
