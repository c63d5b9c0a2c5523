// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_canvas.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace kestro {

namespace {

constexpr float kTwipsPerPixelAt96Dpi = 15;

QColor ToQColor(Rgb colour) {
  return QColor(colour.r, colour.g, colour.b);
}

QSizeF DeviceSize(const QPaintDevice& device) {
  return QSizeF(device.width(), device.height());
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, QSizeF pixels, float heightShare, float screenWidthTwips)
    : painter_(painter),
      geometry_(pixels, heightShare),
      pixels_(pixels),
      screenWidthTwips_(screenWidthTwips > 0
                            ? screenWidthTwips
                            : static_cast<float>(pixels.width()) * kTwipsPerPixelAt96Dpi) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  font_.setPixelSize(std::max(1, static_cast<int>(std::lround(geometry_.FontPixels()))));
}

QtCanvas::QtCanvas(QPaintDevice& device)
    : ownPainter_(std::make_unique<QPainter>(&device)),
      painter_(*ownPainter_),
      geometry_(DeviceSize(device)),
      pixels_(DeviceSize(device)),
      screenWidthTwips_(static_cast<float>(device.width()) * 1440.0f /
                        static_cast<float>(std::max(1, device.logicalDpiX()))) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  font_.setPixelSize(std::max(1, static_cast<int>(std::lround(geometry_.FontPixels()))));
}

QtCanvas::~QtCanvas() {
  Flush();
}

// A one-pixel pen takes the rasteriser's fast path; a wider one goes through the general
// stroker, which costs a hundred times more for a long curve. A two-pixel curve is therefore
// drawn as three one-pixel copies, the second one pixel right and the third one pixel down:
// two pixels thick in every direction.
void QtCanvas::Flush() {
  if (pending_.isEmpty())
    return;
  if (lineWidth_ != 2) {
    UsePen(pendingColour_);
    painter_.drawPolyline(pending_);
  } else {
    lineWidth_ = 1;
    UsePen(pendingColour_);
    painter_.drawPolyline(pending_);
    painter_.drawPolyline(pending_.translated(1, 0));
    painter_.drawPolyline(pending_.translated(0, 1));
    lineWidth_ = 2;
  }
  pending_.clear();
}

// Continues the pending polyline when the segment starts where it ends, in the same pen.
void QtCanvas::ExtendPending(QPointF from, QPointF to, Rgb colour) {
  const QPointF start =
      geometry_.ToPixels(static_cast<float>(from.x()), static_cast<float>(from.y()));
  const QPointF end = geometry_.ToPixels(static_cast<float>(to.x()), static_cast<float>(to.y()));
  if (!pending_.isEmpty() && (pendingColour_ != colour || pending_.back() != start))
    Flush();
  if (pending_.isEmpty()) {
    pendingColour_ = colour;
    pending_.append(start);
  }
  pending_.append(end);
}

// Curves are thousands of segments in one colour: the pen is changed only when it differs.
void QtCanvas::UsePen(Rgb colour) {
  if (penSet_ && penColour_ == colour && penWidth_ == lineWidth_)
    return;
  penSet_ = true;
  penColour_ = colour;
  penWidth_ = lineWidth_;
  QPen pen(ToQColor(colour));
  pen.setWidth(lineWidth_);
  pen.setCapStyle(Qt::SquareCap);
  painter_.setPen(pen);
  painter_.setBrush(Qt::NoBrush);
}

void QtCanvas::FillRect(float x1, float y1, float x2, float y2, Rgb colour) {
  Flush();
  const QRectF area = QRectF(geometry_.ToPixels(x1, y1), geometry_.ToPixels(x2, y2)).normalized();
  painter_.fillRect(area.adjusted(0, 0, 1, 1), ToQColor(colour));
  current_ = QPointF(x2, y2);
}

void QtCanvas::Rect(float x1, float y1, float x2, float y2, Rgb colour) {
  Flush();
  UsePen(colour);
  painter_.drawRect(QRectF(geometry_.ToPixels(x1, y1), geometry_.ToPixels(x2, y2)).normalized());
  current_ = QPointF(x2, y2);
}

// A zero-length line (the first point of a curve) starts a polyline that LineTo continues.
void QtCanvas::Line(float x1, float y1, float x2, float y2, Rgb colour) {
  if (x1 == x2 && y1 == y2) {
    Flush();
    ExtendPending(QPointF(x1, y1), QPointF(x2, y2), colour);
  } else {
    Flush();
    UsePen(colour);
    painter_.drawLine(geometry_.ToPixels(x1, y1), geometry_.ToPixels(x2, y2));
  }
  current_ = QPointF(x2, y2);
}

void QtCanvas::LineTo(float x, float y, Rgb colour) {
  ExtendPending(current_, QPointF(x, y), colour);
  current_ = QPointF(x, y);
}

void QtCanvas::Polyline(const std::vector<QPointF>& points, Rgb colour) {
  if (points.empty())
    return;
  Flush();
  for (std::size_t i = 1; i < points.size(); ++i)
    ExtendPending(points[i - 1], points[i], colour);
  if (points.size() == 1)
    ExtendPending(points[0], points[0], colour);
  current_ = points.back();
}

// A point drawn with a wide line is a round dot (the pole plot's poles).
void QtCanvas::Point(float x, float y, Rgb colour) {
  Flush();
  UsePen(colour);
  if (lineWidth_ > 2) {
    QPen dot = painter_.pen();
    dot.setCapStyle(Qt::RoundCap);
    painter_.setPen(dot);
    penSet_ = false;
  }
  painter_.drawPoint(geometry_.ToPixels(x, y));
  current_ = QPointF(x, y);
  text_ = current_;
}

void QtCanvas::SetLineWidth(int width) {
  if (std::max(1, width) != lineWidth_)
    Flush();
  lineWidth_ = std::max(1, width);
}

void QtCanvas::SetTextColour(Rgb colour) {
  textColour_ = colour;
}

void QtCanvas::Print(const std::string& text) {
  DrawText(QString::fromStdString(text), font_);
}

// The page font is sized by the screen, not the window, so in a small window a label can be
// wider than its column: it is then drawn in the largest pixel size whose real width fits.
void QtCanvas::PrintWithin(const std::string& text, float maxWidth) {
  const QString shown = QString::fromStdString(text);
  const qreal room = static_cast<qreal>(maxWidth) * geometry_.PixelsPerUnitX();  // pixels
  const qreal width = QFontMetricsF(font_).horizontalAdvance(shown);
  if (width <= room) {
    DrawText(shown, font_);
    return;
  }
  QFont fitted = font_;
  int pixels = std::max(1, static_cast<int>(std::floor(font_.pixelSize() * room / width)));
  fitted.setPixelSize(pixels);
  while (pixels > 1 && QFontMetricsF(fitted).horizontalAdvance(shown) > room)
    fitted.setPixelSize(--pixels);  // hinting makes the width not quite proportional
  DrawText(shown, fitted);
}

void QtCanvas::DrawText(const QString& text, const QFont& font) {
  Flush();
  painter_.setFont(font);
  painter_.setPen(ToQColor(textColour_));
  penSet_ = false;
  const QPointF topLeft =
      geometry_.ToPixels(static_cast<float>(text_.x()), static_cast<float>(text_.y()));
  const QRectF box(topLeft, QSizeF(pixels_.width() + 1, pixels_.height() + 1));
  painter_.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void QtCanvas::Circle(float x, float y, float radius, Rgb colour) {
  Flush();
  UsePen(colour);
  const float pixels = radius * geometry_.PixelsPerUnitX();  // round on the screen
  painter_.drawEllipse(geometry_.ToPixels(x, y), pixels, pixels);
}

void QtCanvas::Clear() {
  pending_.clear();
  painter_.fillRect(QRectF(QPointF(0, 0), pixels_), ToQColor(background_));
}

void QtCanvas::SetPositions(QPointF current, QPointF text) {
  if (current != current_)
    Flush();
  current_ = current;
  text_ = text;
}

}  // namespace kestro
