// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_painted_device.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace kestro {

namespace {
constexpr double kTwipsPerInch = 1440;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
constexpr int kQtAngleUnitsPerDegree = 16;
constexpr float kDefaultPoints = 10;

QColor ToQColor(Rgb colour) {
  return {colour.r, colour.g, colour.b};
}
}  // namespace

QtPaintedDevice::QtPaintedDevice() {
  font_.setPointSizeF(kDefaultPoints);
}

QtPaintedDevice::~QtPaintedDevice() {
  StopPainting();
}

void QtPaintedDevice::StopPainting() {
  if (painter_ && painter_->isActive())
    painter_->end();
  painter_.reset();
}

QPainter& QtPaintedDevice::Painter() {
  if (!painter_ || !painter_->isActive())
    StartPainting();
  return *painter_;
}

void QtPaintedDevice::StartPainting() {
  BeforePainting();
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(&Surface())) {
    painter_.reset();
    throw PrintError("The document could not be started on the printer.");
  }
  painter_->setRenderHint(QPainter::Antialiasing);
  PainterStarted(*painter_);
}

bool QtPaintedDevice::EndPainting() {
  const bool ended = Painter().end();  // an empty document still makes one blank page
  painter_.reset();
  return ended;
}

void QtPaintedDevice::Mark(const QRectF& bounds) {
  drawn_ = drawn_.isNull() ? bounds : drawn_.united(bounds);
}

// --- Drawing area ---

double QtPaintedDevice::DevicePerTwip() const {
  return scale_ * Resolution() / kTwipsPerInch;
}

QFont QtPaintedDevice::DeviceFont() const {
  QFont font = font_;
  font.setPointSizeF(font_.pointSizeF() * scale_);
  return font;
}

void QtPaintedDevice::SetDrawingArea(float width, float height) {
  scale_ = 1;
  scale_ = std::min(
      {1.0, AreaWidth() / static_cast<double>(width), AreaHeight() / static_cast<double>(height)});
}

QPointF QtPaintedDevice::ToDevice(float x, float y) const {
  return (origin_ + QPointF(x, y)) * DevicePerTwip();
}

void QtPaintedDevice::SetOrigin(float x, float y) {
  origin_ = QPointF(x, y);
}

float QtPaintedDevice::AreaWidth() const {
  return static_cast<float>(PrintableSize().width() / DevicePerTwip());
}

float QtPaintedDevice::AreaHeight() const {
  return static_cast<float>(PrintableSize().height() / DevicePerTwip());
}

// --- Text ---

void QtPaintedDevice::SetFont(const std::string& name, float points, bool bold) {
  font_ = name.empty() ? QFont() : QFont(QString::fromStdString(name));
  font_.setPointSizeF(points > 0 ? points : kDefaultPoints);
  font_.setBold(bold);
}

void QtPaintedDevice::SetPosition(float x, float y) {
  position_ = QPointF(x, y);
}

void QtPaintedDevice::Write(const std::string& text) {
  QPainter& painter = Painter();
  painter.setFont(DeviceFont());
  painter.setPen(Qt::black);
  const QPointF topLeft = ToDevice(PositionX(), PositionY());
  painter.drawText(QRectF(topLeft, QSizeF(1e6, 1e6)), Qt::AlignLeft | Qt::AlignTop,
                   QString::fromStdString(text));
  const float width = TextWidth(text);
  Mark(QRectF(topLeft, QSizeF(width, TextHeight()) * DevicePerTwip()));
  position_.rx() += width;
}

void QtPaintedDevice::EndLine() {
  position_ = QPointF(0, position_.y() + TextHeight());
}

float QtPaintedDevice::TextWidth(const std::string& text) const {
  const QFontMetricsF metrics(DeviceFont(), &Surface());
  return static_cast<float>(metrics.horizontalAdvance(QString::fromStdString(text)) /
                            DevicePerTwip());
}

float QtPaintedDevice::TextHeight() const {
  const QFontMetricsF metrics(DeviceFont(), &Surface());
  return static_cast<float>(metrics.height() / DevicePerTwip());
}

// --- Line work ---

void QtPaintedDevice::SetLineWidth(float dots) {
  lineWidthDots_ = dots;
}

double QtPaintedDevice::PenWidth() const {
  return lineWidthDots_ * static_cast<double>(Resolution()) / kPrinterDotsPerInch;
}

void QtPaintedDevice::UsePen(Rgb colour) {
  QPen pen(ToQColor(colour));
  pen.setWidthF(PenWidth());
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  Painter().setPen(pen);
  Painter().setBrush(Qt::NoBrush);
}

void QtPaintedDevice::Line(float x1, float y1, float x2, float y2, Rgb colour) {
  if (x1 == x2 && y1 == y2) {
    Point(x1, y1, colour);
    return;
  }
  UsePen(colour);
  Painter().drawLine(ToDevice(x1, y1), ToDevice(x2, y2));
  const double half = PenWidth() / 2;
  Mark(QRectF(ToDevice(x1, y1), ToDevice(x2, y2)).normalized().adjusted(-half, -half, half, half));
  position_ = QPointF(x2, y2);
}

void QtPaintedDevice::Box(float x1, float y1, float x2, float y2, Rgb colour, bool filled) {
  UsePen(colour);
  const QRectF box = QRectF(ToDevice(x1, y1), ToDevice(x2, y2)).normalized();
  if (filled)
    Painter().fillRect(box, ToQColor(colour));
  Painter().drawRect(box);
  const double half = PenWidth() / 2;
  Mark(box.adjusted(-half, -half, half, half));
  position_ = QPointF(x2, y2);
}

// A round dot as wide as the line: drawn as a filled disc, since printers differ in how they
// show a zero-length stroke.
void QtPaintedDevice::Point(float x, float y, Rgb colour) {
  QPainter& painter = Painter();
  const double radius = PenWidth() / 2;
  painter.setPen(Qt::NoPen);
  painter.setBrush(ToQColor(colour));
  painter.drawEllipse(ToDevice(x, y), radius, radius);
  Mark(QRectF(ToDevice(x, y), QSizeF()).adjusted(-radius, -radius, radius, radius));
  painter.setBrush(Qt::NoBrush);
  position_ = QPointF(x, y);
}

void QtPaintedDevice::Circle(float x, float y, float radius) {
  UsePen(Rgb{});
  const double pixels = radius * DevicePerTwip();
  Painter().drawEllipse(ToDevice(x, y), pixels, pixels);
  const double outer = pixels + PenWidth() / 2;
  Mark(QRectF(ToDevice(x, y), QSizeF()).adjusted(-outer, -outer, outer, outer));
}

void QtPaintedDevice::Arc(float x, float y, float radius, float startAngle, float endAngle) {
  UsePen(Rgb{});
  const double pixels = radius * DevicePerTwip();
  const QPointF centre = ToDevice(x, y);
  const QRectF bounds(centre - QPointF(pixels, pixels), QSizeF(2 * pixels, 2 * pixels));
  // The whole circle counts as drawn: a picture is cut a little wide rather than too tight.
  const double half = PenWidth() / 2;
  Mark(bounds.adjusted(-half, -half, half, half));
  double span = endAngle - startAngle;
  if (span < 0)
    span += 2 * std::numbers::pi;
  Painter().drawArc(
      bounds,
      static_cast<int>(std::lround(startAngle * kDegreesPerRadian * kQtAngleUnitsPerDegree)),
      static_cast<int>(std::lround(span * kDegreesPerRadian * kQtAngleUnitsPerDegree)));
}

}  // namespace kestro
