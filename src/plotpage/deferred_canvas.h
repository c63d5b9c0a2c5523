// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "platform/canvas.h"

namespace kestro {

// A canvas that forwards every command to the canvas a page has at the moment of drawing. A page
// gets its real canvas from the window host only when it is shown; until then (and in a page
// built without a window) drawing goes nowhere.
class DeferredCanvas final : public Canvas {
 public:
  explicit DeferredCanvas(std::function<Canvas*()> target) : target_(std::move(target)) {}

  void FillRect(float x1, float y1, float x2, float y2, Rgb colour) override;
  void Rect(float x1, float y1, float x2, float y2, Rgb colour) override;
  void Line(float x1, float y1, float x2, float y2, Rgb colour) override;
  void LineTo(float x, float y, Rgb colour) override;
  void Point(float x, float y, Rgb colour) override;
  void SetLineWidth(int width) override;
  void SetTextColour(Rgb colour) override;
  void Print(const std::string& text) override;
  void PrintWithin(const std::string& text, float maxWidth) override;
  void Circle(float x, float y, float radius, Rgb colour) override;
  void Clear() override;
  // Without a window, a screen 1920 pixels wide at 15 twips per pixel.
  float ScreenWidthTwips() const override;

 private:
  std::function<Canvas*()> target_;
};

}  // namespace kestro
