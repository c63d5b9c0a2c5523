// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

#include "platform/canvas.h"

namespace kestro {

// A printer failure, a cancelled printer dialog included. what() is the description the
// printouts show in their "Printer Error" message box.
class PrintError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class PrintOrientation { Portrait, Landscape };

// Line widths are given in printer dots. The printed sheets were laid out for a 600 dpi printer,
// so one dot is 1/600 inch (2.4 twips) on every device, whatever its real resolution.
constexpr float kPrinterDotsPerInch = 600;

class PrintDevice;
// Draws the sheets of one printout onto a device.
using PrintSheets = std::function<void(PrintDevice&)>;

// The printer, laid out in twips (1/1440 inch) from the origin, y downwards. Every operation may
// throw PrintError; a printout catches it once, reports its description and sends nothing more.
class PrintDevice {
 public:
  virtual ~PrintDevice() = default;

  // --- Job ---
  // Shows the sheets before anything is printed. Devices without a screen do nothing; the
  // window's printer shows a print preview and throws PrintError when the user cancels it.
  virtual void Preview(const PrintSheets& sheets) { static_cast<void>(sheets); }
  // Printer-selection dialog; throws PrintError when it is cancelled.
  virtual void SelectPrinter() = 0;
  // Takes effect on the page being started (set it before the first drawing of a page).
  virtual void SetOrientation(PrintOrientation orientation) = 0;
  // Starts a new sheet; the position goes back to the origin.
  virtual void NewPage() = 0;
  // Ends the document and sends it to the printer (or closes the PDF file).
  virtual void EndDocument() = 0;
  // The title of the message box that reports a failure of this device.
  virtual std::string FailureTitle() const { return "Printer Error"; }

  // --- Drawing area ---
  // The sheet needs width x height twips from the printable corner. On a smaller printable area
  // everything (positions, text, not line widths) shrinks by one factor so that the sheet fits;
  // coordinates then count in these shrunken twips. Set it after the orientation.
  virtual void SetDrawingArea(float width, float height) = 0;
  // Moves the origin: later coordinates are measured from (x, y) twips of the printable area.
  virtual void SetOrigin(float x, float y) = 0;
  // Size of the printable area in (shrunken) twips, in the current orientation.
  virtual float AreaWidth() const = 0;
  virtual float AreaHeight() const = 0;

  // --- Text (always black) ---
  // An empty font name is the printer's default face.
  virtual void SetFont(const std::string& name, float points, bool bold) = 0;
  // The current position, the top-left corner of the next text.
  virtual void SetPosition(float x, float y) = 0;
  virtual float PositionX() const = 0;
  virtual float PositionY() const = 0;
  // Prints text at the current position and leaves the position just after it, on the same line.
  virtual void Write(const std::string& text) = 0;
  // Moves the position to the start of the next line: x back to 0, y down one line height.
  virtual void EndLine() = 0;
  // Write, then EndLine.
  void Print(const std::string& text) {
    Write(text);
    EndLine();
  }
  virtual float TextWidth(const std::string& text) const = 0;
  virtual float TextHeight() const = 0;

  // --- Line work (twips; width in printer dots) ---
  virtual void SetLineWidth(float dots) = 0;
  // A line; a zero-length line draws a round dot as wide as the line. The end point becomes the
  // current position.
  virtual void Line(float x1, float y1, float x2, float y2, Rgb colour) = 0;
  virtual void Box(float x1, float y1, float x2, float y2, Rgb colour, bool filled) = 0;
  // A dot as wide as the line that also sets the text position.
  virtual void Point(float x, float y, Rgb colour) = 0;
  virtual void Circle(float x, float y, float radius) = 0;
  // Arc counter-clockwise from startAngle to endAngle, in radians, 0 pointing right.
  virtual void Arc(float x, float y, float radius, float startAngle, float endAngle) = 0;
};

}  // namespace kestro
