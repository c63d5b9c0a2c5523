// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/print_device.h"

namespace kestro::test {

// A print device that records every call as a line of text ("Line 1000,1000 10000,1000 0,0,0"),
// and the texts with the sheet and position they were printed at. It can cancel its preview or
// its printer dialog, or fail at a chosen drawing call. Text is 100 twips a character wide and
// 200 high.
class RecordingPrintDevice final : public PrintDevice {
 public:
  struct Text {
    int sheet = 1;
    float x = 0, y = 0;
    std::string text;
  };

  void Preview(const PrintSheets& draw) override {
    Record("Preview");
    RecordingPrintDevice preview;  // the preview draws every sheet once, as a dialog would
    draw(preview);
    if (cancelPreview)
      throw PrintError("Cancel was selected.");
  }
  void SelectPrinter() override {
    Record("SelectPrinter");
    if (cancelDialog)
      throw PrintError("Cancel was selected.");
  }
  void SetOrientation(PrintOrientation orientation) override {
    Record(orientation == PrintOrientation::Portrait ? "Portrait" : "Landscape");
  }
  void NewPage() override {
    Draw("NewPage");
    ++sheets;
    x_ = y_ = 0;
  }
  void EndDocument() override { Record("EndDocument"); }
  void SetDrawingArea(float width, float height) override {
    Record(Join("Area ", Xy(width, height)));
  }
  void SetOrigin(float x, float y) override { Record(Join("Origin ", Xy(x, y))); }
  float AreaWidth() const override { return 11000; }
  float AreaHeight() const override { return 15000; }
  void SetFont(const std::string& name, float points, bool bold) override {
    Record(Join("Font '", name, "' ", points, bold ? " bold" : ""));
  }
  void SetPosition(float x, float y) override {
    x_ = x;
    y_ = y;
  }
  float PositionX() const override { return x_; }
  float PositionY() const override { return y_; }
  void Write(const std::string& text) override {
    Draw("Write " + Xy(x_, y_) + " " + text);
    texts.push_back({sheets, x_, y_, text});
    x_ += TextWidth(text);
  }
  void EndLine() override {
    x_ = 0;
    y_ += TextHeight();
  }
  float TextWidth(const std::string& text) const override {
    return 100 * static_cast<float>(text.size());
  }
  float TextHeight() const override { return 200; }
  void SetLineWidth(float dots) override { Record(Join("Width ", dots)); }
  void Line(float x1, float y1, float x2, float y2, Rgb colour) override {
    Draw("Line " + Xy(x1, y1) + " " + Xy(x2, y2) + " " + Colour(colour));
    x_ = x2;
    y_ = y2;
  }
  void Box(float x1, float y1, float x2, float y2, Rgb colour, bool filled) override {
    Draw("Box " + Xy(x1, y1) + " " + Xy(x2, y2) + " " + Colour(colour) + (filled ? " filled" : ""));
  }
  void Point(float x, float y, Rgb colour) override {
    Draw("Point " + Xy(x, y) + " " + Colour(colour));
    x_ = x;
    y_ = y;
  }
  void Circle(float x, float y, float radius) override {
    Draw(Join("Circle ", Xy(x, y), " ", radius));
  }
  void Arc(float x, float y, float radius, float startAngle, float endAngle) override {
    Draw(Join("Arc ", Xy(x, y), " ", radius, " ", startAngle, " ", endAngle));
  }

  // --- What the test set up ---
  bool cancelPreview = false;
  bool cancelDialog = false;
  int failAtDrawing = 0;  // the n-th drawing call (from 1) throws "Out of paper."; 0 never
  std::vector<std::string>* mirror = nullptr;  // also receives every call, when set

  // --- What reached the device ---
  std::vector<std::string> calls;
  std::vector<Text> texts;
  int sheets = 1;

 private:
  // The parts written one after another, as a stream writes them.
  template <typename... Parts>
  static std::string Join(const Parts&... parts) {
    std::ostringstream text;
    (text << ... << parts);
    return text.str();
  }
  static std::string Xy(float x, float y) { return Join(x, ',', y); }
  static std::string Colour(Rgb c) { return Join(int{c.r}, ',', int{c.g}, ',', int{c.b}); }
  void Record(std::string call) {
    if (mirror != nullptr)
      mirror->push_back(call);
    calls.push_back(std::move(call));
  }
  // A drawing call: it counts towards failAtDrawing.
  void Draw(std::string call) {
    Record(std::move(call));
    if (++drawings_ == failAtDrawing)
      throw PrintError("Out of paper.");
  }

  float x_ = 0, y_ = 0;
  int drawings_ = 0;
};

}  // namespace kestro::test
