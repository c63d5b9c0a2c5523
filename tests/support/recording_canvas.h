#pragma once

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
 public:
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
  float ScreenWidthTwips() const override { return 1920 * 15; }

  std::vector<DrawCommand> commands;

  // The texts printed, in order, and the commands of one kind.
  std::vector<DrawCommand> Printed() const { return OfKind(DrawCommand::Kind::Print); }
  std::vector<DrawCommand> OfKind(DrawCommand::Kind kind) const;

 private:
  float textX_ = 0, textY_ = 0;
};

}  // namespace kestro::test
