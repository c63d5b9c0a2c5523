// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/print_canvas.h"

#include <algorithm>

namespace kestro {

namespace {
// A canvas line width counts in pixels of a 1080-line screen showing the 9000-unit page height,
// that is in 9000 / 1080 vertical page units (twips); a printer dot is 1440 / 600 twips.
constexpr float kDotsPerCanvasPixel =
    (kPageHeight / 1080 * PrintCanvas::kTwipsPerUnitY) / (1440 / kPrinterDotsPerInch);
}  // namespace

PrintCanvas::PrintCanvas(PrintDevice& device) : device_(device) {
  device_.SetFont("", kFontPoints, false);
  device_.SetLineWidth(kDotsPerCanvasPixel);
}

void PrintCanvas::FillRect(float x1, float y1, float x2, float y2, Rgb colour) {
  device_.Box(X(x1), Y(y1), X(x2), Y(y2), colour, true);
}

void PrintCanvas::Rect(float x1, float y1, float x2, float y2, Rgb colour) {
  device_.Box(X(x1), Y(y1), X(x2), Y(y2), colour, false);
}

void PrintCanvas::Line(float x1, float y1, float x2, float y2, Rgb colour) {
  device_.Line(X(x1), Y(y1), X(x2), Y(y2), colour);
  currentX_ = x2;
  currentY_ = y2;
}

void PrintCanvas::LineTo(float x, float y, Rgb colour) {
  Line(currentX_, currentY_, x, y, colour);
}

void PrintCanvas::Point(float x, float y, Rgb colour) {
  device_.Point(X(x), Y(y), colour);
  currentX_ = textX_ = x;
  currentY_ = textY_ = y;
}

void PrintCanvas::SetLineWidth(int width) {
  device_.SetLineWidth(static_cast<float>(std::max(1, width)) * kDotsPerCanvasPixel);
}

void PrintCanvas::Print(const std::string& text) {
  device_.SetPosition(X(textX_), Y(textY_));
  device_.Write(text);
}

// Text too wide for its column goes in a font shrunk by the ratio of the widths.
void PrintCanvas::PrintWithin(const std::string& text, float maxWidth) {
  const float width = device_.TextWidth(text);
  const float room = X(maxWidth);
  if (width <= room) {
    Print(text);
    return;
  }
  device_.SetFont("", std::max(1.0f, kFontPoints * room / width), false);
  Print(text);
  device_.SetFont("", kFontPoints, false);
}

void PrintCanvas::Circle(float x, float y, float radius, Rgb colour) {
  static_cast<void>(colour);
  device_.Circle(X(x), Y(y), X(radius));  // round as on the screen, where x sets the radius
}

}  // namespace kestro
