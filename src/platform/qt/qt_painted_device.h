// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QPointF>
#include <memory>
#include <string>

#include "platform/print_device.h"
#include "platform/qt/qt_pdf_file.h"

class QPagedPaintDevice;
class QPainter;

namespace kestro {

// The drawing of every printout, with a QPainter on a paged device: a PDF file or a printer.
// Positions and sizes are in twips from the origin; the document starts with the first drawing.
// A PDF file is drawn in memory and written whole through the program's file writer at the end
// of the document. Needs only Qt Gui, so that the command line can print without widgets.
class QtPaintedDevice : public PrintDevice {
 public:
  ~QtPaintedDevice() override;

  QtPaintedDevice(const QtPaintedDevice&) = delete;
  QtPaintedDevice& operator=(const QtPaintedDevice&) = delete;

  // --- Job ---
  void SetOrientation(PrintOrientation orientation) override;
  void NewPage() override;
  void EndDocument() override;

  // --- Drawing area ---
  void SetDrawingArea(float width, float height) override;
  void SetOrigin(float x, float y) override;
  float AreaWidth() const override;
  float AreaHeight() const override;

  // --- Text ---
  void SetFont(const std::string& name, float points, bool bold) override;
  void SetPosition(float x, float y) override;
  float PositionX() const override { return static_cast<float>(position_.x()); }
  float PositionY() const override { return static_cast<float>(position_.y()); }
  void Write(const std::string& text) override;
  void EndLine() override;
  float TextWidth(const std::string& text) const override;
  float TextHeight() const override;

  // --- Line work ---
  void SetLineWidth(float dots) override;
  void Line(float x1, float y1, float x2, float y2, Rgb colour) override;
  void Box(float x1, float y1, float x2, float y2, Rgb colour, bool filled) override;
  void Point(float x, float y, Rgb colour) override;
  void Circle(float x, float y, float radius) override;
  void Arc(float x, float y, float radius, float startAngle, float endAngle) override;

 protected:
  QtPaintedDevice();

  // Draws into a PDF file at path instead of the printer; the caller sets its page layout.
  QtPdfFile& DrawIntoPdfFile(const std::string& path, const std::string& title, int resolution);
  // The printer drawn on while no PDF file is set.
  virtual QPagedPaintDevice& Printer() const = 0;
  virtual int PrinterResolution() const = 0;
  // Ends an unfinished document; a subclass that owns the printer calls it before the printer goes.
  void StopPainting();

 private:
  QPainter& Painter();  // starts the document on first use
  void StartPainting();
  QPagedPaintDevice& Device() const;  // the printer or the PDF file
  int Resolution() const;             // device pixels per inch
  void UsePen(Rgb colour);
  QPointF ToDevice(float x, float y) const;
  double DevicePerTwip() const;  // device pixels per (shrunken) twip
  QFont DeviceFont() const;      // the font shrunk with the sheet

  std::unique_ptr<QtPdfFile> pdf_;  // drawn instead of the printer when set
  std::unique_ptr<QPainter> painter_;
  double scale_ = 1;  // the drawing area's shrink factor, at most 1
  QPointF origin_;    // twips
  QPointF position_;  // twips from the origin
  QFont font_;
  float lineWidthDots_ = 1;
};

}  // namespace kestro
