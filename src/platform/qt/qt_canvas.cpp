#include "platform/qt/qt_canvas.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>

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
  font_.setPixelSize(std::max(1, static_cast<int>(geometry_.FontPixels() + 0.5f)));
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
  font_.setPixelSize(std::max(1, static_cast<int>(geometry_.FontPixels() + 0.5f)));
}

QtCanvas::~QtCanvas() = default;

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
  const QRectF area = QRectF(geometry_.ToPixels(x1, y1), geometry_.ToPixels(x2, y2)).normalized();
  painter_.fillRect(area.adjusted(0, 0, 1, 1), ToQColor(colour));
  current_ = QPointF(x2, y2);
}

void QtCanvas::Rect(float x1, float y1, float x2, float y2, Rgb colour) {
  UsePen(colour);
  painter_.drawRect(QRectF(geometry_.ToPixels(x1, y1), geometry_.ToPixels(x2, y2)).normalized());
  current_ = QPointF(x2, y2);
}

void QtCanvas::Line(float x1, float y1, float x2, float y2, Rgb colour) {
  UsePen(colour);
  painter_.drawLine(geometry_.ToPixels(x1, y1), geometry_.ToPixels(x2, y2));
  current_ = QPointF(x2, y2);
}

void QtCanvas::LineTo(float x, float y, Rgb colour) {
  UsePen(colour);
  painter_.drawLine(
      geometry_.ToPixels(static_cast<float>(current_.x()), static_cast<float>(current_.y())),
      geometry_.ToPixels(x, y));
  current_ = QPointF(x, y);
}

// A point drawn with a wide line is a round dot (the pole plot's poles).
void QtCanvas::Point(float x, float y, Rgb colour) {
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
  lineWidth_ = std::max(1, width);
}

void QtCanvas::SetTextColour(Rgb colour) {
  textColour_ = colour;
}

void QtCanvas::Print(const std::string& text) {
  painter_.setFont(font_);
  painter_.setPen(ToQColor(textColour_));
  penSet_ = false;
  const QPointF topLeft =
      geometry_.ToPixels(static_cast<float>(text_.x()), static_cast<float>(text_.y()));
  const QRectF box(topLeft, QSizeF(pixels_.width() + 1, pixels_.height() + 1));
  painter_.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                    QString::fromStdString(text));
}

void QtCanvas::Circle(float x, float y, float radius, Rgb colour) {
  UsePen(colour);
  const float pixels = radius * geometry_.PixelsPerUnitX();  // round on the screen
  painter_.drawEllipse(geometry_.ToPixels(x, y), pixels, pixels);
}

void QtCanvas::Clear() {
  painter_.fillRect(QRectF(QPointF(0, 0), pixels_), ToQColor(background_));
}

void QtCanvas::SetPositions(QPointF current, QPointF text) {
  current_ = current;
  text_ = text;
}

}  // namespace kestro
