// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/print_device.h"

namespace kestro {

// The device of a program without a printer: the dialog fails at once, so every printout ends
// in its usual failure message and nothing is drawn.
class NoPrintDevice final : public PrintDevice {
 public:
  void SelectPrinter() override { Fail(); }
  void SetOrientation(PrintOrientation) override { Fail(); }
  void NewPage() override { Fail(); }
  void EndDocument() override { Fail(); }
  void SetDrawingArea(float, float) override { Fail(); }
  void SetOrigin(float, float) override { Fail(); }
  float AreaWidth() const override { return 0; }
  float AreaHeight() const override { return 0; }
  void SetFont(const std::string&, float, bool) override { Fail(); }
  void SetPosition(float, float) override { Fail(); }
  float PositionX() const override { return 0; }
  float PositionY() const override { return 0; }
  void Write(const std::string&) override { Fail(); }
  void EndLine() override { Fail(); }
  float TextWidth(const std::string&) const override { return 0; }
  float TextHeight() const override { return 0; }
  void SetLineWidth(float) override { Fail(); }
  void Line(float, float, float, float, Rgb) override { Fail(); }
  void Box(float, float, float, float, Rgb, bool) override { Fail(); }
  void Point(float, float, Rgb) override { Fail(); }
  void Circle(float, float, float) override { Fail(); }
  void Arc(float, float, float, float, float) override { Fail(); }

 private:
  [[noreturn]] static void Fail() { throw PrintError("No printer is available."); }
};

}  // namespace kestro
