// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/canvas.h"
#include "platform/print_device.h"

namespace kestro {

// A page's drawing on paper: page units drawn onto a print device, relative to its origin, so
// that one drawing code serves the window, the printer and any other print device.
//
// The window shows the 12000 x 9000 page units on a 16:9 screen, so a horizontal page unit is
// 4/3 the size of a vertical one, and drawings such as the pole plot draw their circles 3/4 as
// wide in page units to make them round. Paper keeps that shape: a vertical page unit is one
// twip and a horizontal one 4/3 twips, the page 16000 x 9000 twips.
class PrintCanvas final : public Canvas {
 public:
  static constexpr float kTwipsPerUnitX = 4.0f / 3.0f;
  static constexpr float kTwipsPerUnitY = 1.0f;
  // The window's page font is 0.016 of the screen height: 144 of the 9000 vertical page units,
  // which are 144 twips here, 7.2 points.
  static constexpr float kFontPoints = 7.2f;

  // Sets the device's font to the page font.
  explicit PrintCanvas(PrintDevice& device);

  void FillRect(float x1, float y1, float x2, float y2, Rgb colour) override;
  void Rect(float x1, float y1, float x2, float y2, Rgb colour) override;
  void Line(float x1, float y1, float x2, float y2, Rgb colour) override;
  void LineTo(float x, float y, Rgb colour) override;
  void Point(float x, float y, Rgb colour) override;
  void SetLineWidth(int width) override;
  // Printed text is always black.
  void SetTextColour(Rgb colour) override { static_cast<void>(colour); }
  void Print(const std::string& text) override;
  void PrintWithin(const std::string& text, float maxWidth) override;
  // The print device draws circles in black, whatever the colour.
  void Circle(float x, float y, float radius, Rgb colour) override;
  // Paper starts blank: there is nothing to clear.
  void Clear() override {}
  float ScreenWidthTwips() const override { return kPageWidth * kTwipsPerUnitX; }

 private:
  static float X(float x) { return x * kTwipsPerUnitX; }
  static float Y(float y) { return y * kTwipsPerUnitY; }

  PrintDevice& device_;
  float currentX_ = 0, currentY_ = 0;  // page units: where LineTo starts
  float textX_ = 0, textY_ = 0;        // page units: the top-left corner of the next text
};

}  // namespace kestro
