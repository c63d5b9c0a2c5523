// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <memory>
#include <string>

#include "platform/print_device.h"

class QPaintDevice;
class QPainter;

namespace kestro {

// The drawing of every printout with a QPainter, in twips from the origin. Subclasses give the
// surface (the pages of a printer or a PDF file, or a picture) and run the job. Needs only Qt Gui,
// so that the command line can print without widgets.
class QtPaintedDevice : public PrintDevice {
 public:
  ~QtPaintedDevice() override;

  QtPaintedDevice(const QtPaintedDevice&) = delete;
  QtPaintedDevice& operator=(const QtPaintedDevice&) = delete;

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

  // The device drawn on and its resolution in device pixels per inch.
  virtual QPaintDevice& Surface() const = 0;
  virtual int Resolution() const = 0;
  // The printable area in device pixels.
  virtual QSizeF PrintableSize() const = 0;
  // Before the first drawing: may throw PrintError when the target cannot be used.
  virtual void BeforePainting() {}
  // Sets up a painter that has just begun on the surface.
  virtual void PainterStarted(QPainter& painter) { static_cast<void>(painter); }

  QPainter& Painter();  // begins painting on first use
  // Ends painting; false when the surface reported a failure.
  bool EndPainting();
  // Ends an unfinished drawing; a subclass calls it before the surface it owns goes.
  void StopPainting();
  void ResetPosition() { position_ = QPointF(0, 0); }
  // The bounds of everything drawn so far, in device pixels, before the painter's transform.
  const QRectF& Drawn() const { return drawn_; }

 private:
  void StartPainting();
  void UsePen(Rgb colour);
  double PenWidth() const;  // device pixels
  void Mark(const QRectF& bounds);
  QPointF ToDevice(float x, float y) const;
  double DevicePerTwip() const;  // device pixels per (shrunken) twip
  QFont DeviceFont() const;      // the font shrunk with the sheet

  std::unique_ptr<QPainter> painter_;
  double scale_ = 1;  // the drawing area's shrink factor, at most 1
  QPointF origin_;    // twips
  QPointF position_;  // twips from the origin
  QFont font_;
  float lineWidthDots_ = 1;
  QRectF drawn_;
};

}  // namespace kestro
