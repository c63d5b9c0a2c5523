#pragma once

#include <stdexcept>
#include <string>

namespace kestro {

// A printer failure, a cancelled printer dialog included. what() is the description the
// printouts show in their "Printer Error" message box.
class PrintError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class PrintOrientation { Portrait, Landscape };

// The printer, laid out in twips (1/1440 inch) from the origin, y downwards. Every operation may
// throw PrintError; a printout catches it once and reports its description.
class PrintDevice {
 public:
  virtual ~PrintDevice() = default;

  // --- Job ---
  // Printer-selection dialog; throws PrintError when it is cancelled.
  virtual void SelectPrinter() = 0;
  // Takes effect on the page being started (set it before the first drawing of a page).
  virtual void SetOrientation(PrintOrientation orientation) = 0;
  virtual void NewPage() = 0;
  // Ends the document and sends it to the printer (or closes the PDF file).
  virtual void EndDocument() = 0;

  // --- Drawing area ---
  // Moves the origin: later coordinates are measured from (x, y) twips of the printable area.
  virtual void SetOrigin(float x, float y) = 0;
  // Size of the printable area in twips, in the current orientation.
  virtual float AreaWidth() const = 0;
  virtual float AreaHeight() const = 0;

  // --- Text ---
  virtual void SetFont(const std::string& name, float points, bool bold) = 0;
  // The current position, the top-left corner of the next text.
  virtual void SetPosition(float x, float y) = 0;
  virtual float PositionX() const = 0;
  virtual float PositionY() const = 0;
  // Prints text at the current position, then moves the position to the start of the next line
  // (x back to 0, y down one line height).
  virtual void Print(const std::string& text) = 0;
  virtual float TextWidth(const std::string& text) const = 0;
  virtual float TextHeight() const = 0;

  // --- Line work (twips; width in printer points) ---
  virtual void SetLineWidth(float points) = 0;
  virtual void Line(float x1, float y1, float x2, float y2) = 0;
  virtual void Box(float x1, float y1, float x2, float y2, bool filled) = 0;
  virtual void Circle(float x, float y, float radius) = 0;
  // Arc counter-clockwise from startAngle to endAngle, in radians, 0 pointing right.
  virtual void Arc(float x, float y, float radius, float startAngle, float endAngle) = 0;
};

}  // namespace kestro
