// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace kestro::test {

// One drawing command as the page issued it.
struct DrawCommand {
  enum class Kind {
    FillRect,
    Rect,
    Line,
    LineTo,
    Point,
    LineWidth,
    TextColour,
    Print,
    Circle,
    Clear
  };
  Kind kind = Kind::Clear;
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // LineTo/Point/Circle use x1, y1 (Circle: x2 = radius)
  Rgb colour;
  int width = 0;               // LineWidth
  std::string text;            // Print
  float textX = 0, textY = 0;  // Print: the text position it was printed at
  float maxWidth = 0;          // Print by PrintWithin: the width the text keeps within
};

// A canvas that records the ordered list of drawing commands.
class RecordingCanvas final : public Canvas {
  using Kind = DrawCommand::Kind;

 public:
  void FillRect(float x1, float y1, float x2, float y2, Rgb colour) override {
    Add(Kind::FillRect, x1, y1, x2, y2, colour);
  }
  void Rect(float x1, float y1, float x2, float y2, Rgb colour) override {
    Add(Kind::Rect, x1, y1, x2, y2, colour);
  }
  void Line(float x1, float y1, float x2, float y2, Rgb colour) override {
    Add(Kind::Line, x1, y1, x2, y2, colour);
  }
  void LineTo(float x, float y, Rgb colour) override { Add(Kind::LineTo, x, y, 0, 0, colour); }
  void Point(float x, float y, Rgb colour) override {
    textX_ = x;  // text is printed where the last point went
    textY_ = y;
    Add(Kind::Point, x, y, 0, 0, colour);
  }
  void SetLineWidth(int width) override {
    Add(Kind::LineWidth);
    commands.back().width = width;
  }
  void SetTextColour(Rgb colour) override { Add(Kind::TextColour, 0, 0, 0, 0, colour); }
  void Print(const std::string& text) override {
    commands.push_back({Kind::Print, 0, 0, 0, 0, {}, 0, text, textX_, textY_, 0});
  }
  void PrintWithin(const std::string& text, float maxWidth) override {
    Print(text);
    commands.back().maxWidth = maxWidth;
  }
  void Circle(float x, float y, float radius, Rgb colour) override {
    Add(Kind::Circle, x, y, radius, 0, colour);
  }
  void Clear() override { Add(Kind::Clear); }
  float ScreenWidthTwips() const override { return 1920 * 15; }

  std::vector<DrawCommand> commands;

  // The texts printed, in order, and the commands of one kind.
  std::vector<DrawCommand> Printed() const { return OfKind(Kind::Print); }
  std::vector<DrawCommand> OfKind(Kind kind) const {
    std::vector<DrawCommand> result;
    std::ranges::copy_if(commands, std::back_inserter(result),
                         [kind](const DrawCommand& command) { return command.kind == kind; });
    return result;
  }

 private:
  // Every field given, in the order DrawCommand declares them.
  void Add(Kind kind, float x1 = 0, float y1 = 0, float x2 = 0, float y2 = 0, Rgb colour = {}) {
    commands.push_back({kind, x1, y1, x2, y2, colour, 0, "", 0, 0, 0});
  }

  float textX_ = 0, textY_ = 0;
};

}  // namespace kestro::test
