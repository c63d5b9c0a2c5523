// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/deferred_canvas.h"

namespace kestro {

void DeferredCanvas::FillRect(float x1, float y1, float x2, float y2, Rgb colour) {
  if (Canvas* canvas = target_())
    canvas->FillRect(x1, y1, x2, y2, colour);
}

void DeferredCanvas::Rect(float x1, float y1, float x2, float y2, Rgb colour) {
  if (Canvas* canvas = target_())
    canvas->Rect(x1, y1, x2, y2, colour);
}

void DeferredCanvas::Line(float x1, float y1, float x2, float y2, Rgb colour) {
  if (Canvas* canvas = target_())
    canvas->Line(x1, y1, x2, y2, colour);
}

void DeferredCanvas::LineTo(float x, float y, Rgb colour) {
  if (Canvas* canvas = target_())
    canvas->LineTo(x, y, colour);
}

void DeferredCanvas::Point(float x, float y, Rgb colour) {
  if (Canvas* canvas = target_())
    canvas->Point(x, y, colour);
}

void DeferredCanvas::SetLineWidth(int width) {
  if (Canvas* canvas = target_())
    canvas->SetLineWidth(width);
}

void DeferredCanvas::SetTextColour(Rgb colour) {
  if (Canvas* canvas = target_())
    canvas->SetTextColour(colour);
}

void DeferredCanvas::Print(const std::string& text) {
  if (Canvas* canvas = target_())
    canvas->Print(text);
}

void DeferredCanvas::PrintWithin(const std::string& text, float maxWidth) {
  if (Canvas* canvas = target_())
    canvas->PrintWithin(text, maxWidth);
}

void DeferredCanvas::Circle(float x, float y, float radius, Rgb colour) {
  if (Canvas* canvas = target_())
    canvas->Circle(x, y, radius, colour);
}

void DeferredCanvas::Clear() {
  if (Canvas* canvas = target_())
    canvas->Clear();
}

float DeferredCanvas::ScreenWidthTwips() const {
  if (const Canvas* canvas = target_())
    return canvas->ScreenWidthTwips();
  return 1920 * 15;
}

}  // namespace kestro
