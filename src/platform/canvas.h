// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace kestro {

// A 24-bit colour, 8 bits each.
struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Page width and height in page units. Every page draws in 12000 x 9000 units, origin at the top
// left, y downwards; the window scales this space to its size.
constexpr float kPageWidth = 12000;
constexpr float kPageHeight = 9000;

// The drawing surface of a page, in page units. Drawing is immediate and persists until it is
// painted over or cleared; controls stay above it.
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void FillRect(float x1, float y1, float x2, float y2, Rgb colour) = 0;
  virtual void Rect(float x1, float y1, float x2, float y2, Rgb colour) = 0;
  // A line; its end point becomes the current point.
  virtual void Line(float x1, float y1, float x2, float y2, Rgb colour) = 0;
  // A line from the current point; its end point becomes the current point.
  virtual void LineTo(float x, float y, Rgb colour) = 0;
  // A point, which also sets the text position (and the current point).
  virtual void Point(float x, float y, Rgb colour) = 0;
  virtual void SetLineWidth(int width) = 0;
  virtual void SetTextColour(Rgb colour) = 0;
  // Text with its top-left corner at the text position, in the page font.
  virtual void Print(const std::string& text) = 0;
  // Text as Print, in a smaller font where the page font would take it past maxWidth page units
  // from the text position: a label column that must not run into the next one. A surface
  // without font metrics prints the text as it is.
  virtual void PrintWithin(const std::string& text, float maxWidth) {
    static_cast<void>(maxWidth);
    Print(text);
  }
  // Circles and arcs, for the pole plot and schematic views (angles in radians, counter-clockwise).
  virtual void Circle(float x, float y, float radius, Rgb colour) = 0;
  virtual void Clear() = 0;
  // Width of the screen in twips, used by label placement that assumes 60 twips per character.
  virtual float ScreenWidthTwips() const = 0;
};

// Prints text with its top-left corner at (x, y), page units. The text position is set by a point
// in the colour of what lies under it, so the point is not seen.
inline void PrintAt(Canvas& canvas, float x, float y, const std::string& text, Rgb under) {
  canvas.Point(x, y, under);
  canvas.Print(text);
}

}  // namespace kestro
