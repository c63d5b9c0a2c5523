// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <functional>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace kestro {

class QtCanvas;

// A page's drawing kept as a list of commands, so the window can paint it again sharp at a new
// size, until the page clears it. Commands that a later opaque fill covers completely are dropped
// (only their effect on the current point and text position stays), so a page that repaints a
// panel over and over does not grow its list; a curve's segments are kept as one polyline.
// The list is bounded: beyond kMaxKeptPoints points it is given up until the next Clear
// (Complete() turns false), and the window scales its last picture instead.
class RetainedCanvas final : public Canvas {
 public:
  // Points (and commands) kept at most: 1000 Monte Carlo passes of three 513-point curves fit.
  static constexpr std::size_t kMaxKeptPoints = 2'000'000;

  // Called after every command, so the window can schedule a repaint.
  explicit RetainedCanvas(std::function<void()> changed = {}, float screenWidthTwips = 28800,
                          std::size_t maxKeptPoints = kMaxKeptPoints);

  // --- Canvas ---
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
  float ScreenWidthTwips() const override { return screenWidthTwips_; }

  void SetScreenWidthTwips(float twips) { screenWidthTwips_ = twips; }
  // Paints the kept drawing (the caller has painted the background).
  void ReplayOn(QtCanvas& target) const;
  // Gives target the current point, text position, line width and text colour of the drawing.
  void PrimeState(QtCanvas& target) const;
  std::size_t Size() const { return commands_.size(); }
  // False once the list outgrew its bound; Clear makes it complete again.
  bool Complete() const { return complete_; }

 private:
  enum class Kind {
    FillRect,
    Rect,
    Line,
    Point,
    LineWidth,
    TextColour,
    Print,
    Circle,
    Polyline,
    State
  };
  struct Command {
    Kind kind = Kind::State;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Rgb colour;
    int width = 0;
    std::string text;
    QPointF current, textAt;      // the positions after the command
    std::vector<QPointF> points;  // Polyline; x1..y2 hold its bounding box
    float maxWidth = 0;           // Print: the width PrintWithin keeps the text within; 0 for none
  };

  void Record(Command command);
  bool ExtendPolyline(float x, float y, Rgb colour);
  void GiveUpOverBound();
  void DropCovered(float x1, float y1, float x2, float y2);
  void DropRepeated(const Command& repeat);
  void Compact();
  static bool Inside(const Command& command, float x1, float y1, float x2, float y2);

  std::vector<Command> commands_;
  std::size_t keptPoints_ = 0;
  std::size_t maxKeptPoints_;
  bool complete_ = true;
  std::function<void()> changed_;
  float screenWidthTwips_;
  QPointF current_, text_;
  int lineWidth_ = 1;
  Rgb textColour_{0, 0, 0};
};

}  // namespace kestro
