// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QPointF>
#include <QPolygonF>
#include <memory>
#include <vector>

#include "platform/canvas.h"
#include "platform/qt/page_geometry.h"

class QPainter;
class QPaintDevice;

namespace kestro {

// The page drawing surface on a QPainter: page units mapped onto the painted surface, the page
// font sized by PageGeometry, no antialiasing so lines stay crisp. Usable on its own over a
// QImage (offscreen rendering, benchmarks) or inside a widget's paint event.
class QtCanvas final : public Canvas {
 public:
  // Paints through painter onto a surface of the given pixel size. screenWidthTwips 0 takes the
  // surface width at 96 dots per inch.
  QtCanvas(QPainter& painter, QSizeF pixels, float heightShare = 1.0f,
           float screenWidthTwips = 0.0f);
  // Paints on a device (a QImage, a QPixmap) with a painter of its own, held until destruction.
  explicit QtCanvas(QPaintDevice& device);
  ~QtCanvas() override;

  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

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

  // --- Beyond Canvas ---
  // The colour Clear paints (white unless set).
  void SetBackground(Rgb colour) { background_ = colour; }
  // Sets the current point and the text position without drawing (replaying a drawing).
  void SetPositions(QPointF current, QPointF text);
  // A line through points given in page units, in the current line width; the last point
  // becomes the current point.
  void Polyline(const std::vector<QPointF>& points, Rgb colour);
  // Paints the segments still gathered into one polyline (before the surface is shown).
  void Flush();
  const PageGeometry& Geometry() const { return geometry_; }

 private:
  void UsePen(Rgb colour);
  void ExtendPending(QPointF from, QPointF to, Rgb colour);
  void DrawText(const QString& text, const QFont& font);

  std::unique_ptr<QPainter> ownPainter_;
  QPainter& painter_;
  PageGeometry geometry_;
  QSizeF pixels_;
  float screenWidthTwips_;
  QFont font_;
  Rgb background_{255, 255, 255};
  Rgb textColour_{0, 0, 0};
  int lineWidth_ = 1;
  bool penSet_ = false;  // the painter's pen is penColour_ at penWidth_
  Rgb penColour_;
  int penWidth_ = 0;
  QPointF current_;  // page units
  QPointF text_;     // page units
  // Consecutive segments in one pen are painted as one polyline: a curve of 2000 segments costs
  // one stroke instead of 2000. Pixels; empty when nothing is pending.
  QPolygonF pending_;
  Rgb pendingColour_;
};

}  // namespace kestro
