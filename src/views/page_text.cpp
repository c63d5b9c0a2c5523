// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/page_text.h"

namespace kestro {

void PrintAt(Canvas& canvas, float x, float y, const std::string& text, Rgb under) {
  canvas.Point(x, y, under);
  canvas.Print(text);
}

}  // namespace kestro
