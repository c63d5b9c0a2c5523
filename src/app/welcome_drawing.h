#pragma once

#include "platform/canvas.h"

namespace kestro {

// The welcome page's decoration: a unity-gain Sallen-Key stage in coloured line work, its
// output labelled "Output". Drawn in page units in the band y 2200..6700.
void DrawWelcomeSchematic(Canvas& canvas);

}  // namespace kestro
