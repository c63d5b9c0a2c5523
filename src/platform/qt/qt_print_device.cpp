#include "platform/qt/qt_print_device.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPrintDialog>
#include <QPrinter>
#include <cmath>
#include <numbers>

namespace kestro {

namespace {
constexpr double kTwipsPerInch = 1440;
constexpr double kPointsPerInch = 72;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
constexpr int kQtAngleUnitsPerDegree = 16;
}  // namespace

QtPrintDevice::QtPrintDevice(QWidget* dialogParent)
    : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)), dialogParent_(dialogParent) {
  font_.setPointSizeF(10);
}

std::unique_ptr<QtPrintDevice> QtPrintDevice::ToPdf(const std::string& path) {
  auto device = std::make_unique<QtPrintDevice>();
  device->toPdf_ = true;
  device->printer_->setOutputFormat(QPrinter::PdfFormat);
  device->printer_->setOutputFileName(QString::fromStdString(path));
  return device;
}

QtPrintDevice::~QtPrintDevice() {
  if (painter_ && painter_->isActive())
    painter_->end();
}

// --- Job ---

void QtPrintDevice::SelectPrinter() {
  if (toPdf_)
    return;
  QPrintDialog dialog(printer_.get(), dialogParent_);
  if (dialog.exec() != QDialog::Accepted)
    throw PrintError("Cancel was selected.");
}

void QtPrintDevice::SetOrientation(PrintOrientation orientation) {
  const auto qtOrientation =
      orientation == PrintOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
  if (!printer_->setPageOrientation(qtOrientation)) {
    throw PrintError("The printer does not support this page orientation.");
  }
}

void QtPrintDevice::NewPage() {
  Painter();
  if (!printer_->newPage())
    throw PrintError("The printer could not start a new page.");
  position_ = QPointF(0, 0);
}

void QtPrintDevice::EndDocument() {
  QPainter& painter = Painter();  // an empty document still makes one blank page
  if (!painter.end())
    throw PrintError("The printer could not finish the document.");
  painter_.reset();
}

QPainter& QtPrintDevice::Painter() {
  if (painter_ && painter_->isActive())
    return *painter_;
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(printer_.get())) {
    painter_.reset();
    const std::string target = toPdf_ ? printer_->outputFileName().toStdString() : "the printer";
    throw PrintError("The document could not be started on " + target + ".");
  }
  return *painter_;
}

// --- Drawing area ---

double QtPrintDevice::DevicePerTwip() const {
  return printer_->resolution() / kTwipsPerInch;
}

QPointF QtPrintDevice::ToDevice(float x, float y) const {
  return (origin_ + QPointF(x, y)) * DevicePerTwip();
}

void QtPrintDevice::SetOrigin(float x, float y) {
  origin_ = QPointF(x, y);
}

float QtPrintDevice::AreaWidth() const {
  const QRectF area = printer_->pageLayout().paintRectPixels(printer_->resolution());
  return static_cast<float>(area.width() / DevicePerTwip());
}

float QtPrintDevice::AreaHeight() const {
  const QRectF area = printer_->pageLayout().paintRectPixels(printer_->resolution());
  return static_cast<float>(area.height() / DevicePerTwip());
}

// --- Text ---

void QtPrintDevice::SetFont(const std::string& name, float points, bool bold) {
  font_ = QFont(QString::fromStdString(name));
  font_.setPointSizeF(points > 0 ? points : 10);
  font_.setBold(bold);
}

void QtPrintDevice::SetPosition(float x, float y) {
  position_ = QPointF(x, y);
}

void QtPrintDevice::Print(const std::string& text) {
  QPainter& painter = Painter();
  painter.setFont(font_);
  painter.setPen(Qt::black);
  const QPointF topLeft = ToDevice(PositionX(), PositionY());
  painter.drawText(QRectF(topLeft, QSizeF(1e6, 1e6)), Qt::AlignLeft | Qt::AlignTop,
                   QString::fromStdString(text));
  position_ = QPointF(0, position_.y() + TextHeight());
}

float QtPrintDevice::TextWidth(const std::string& text) const {
  const QFontMetricsF metrics(font_, printer_.get());
  return static_cast<float>(metrics.horizontalAdvance(QString::fromStdString(text)) /
                            DevicePerTwip());
}

float QtPrintDevice::TextHeight() const {
  const QFontMetricsF metrics(font_, printer_.get());
  return static_cast<float>(metrics.height() / DevicePerTwip());
}

// --- Line work ---

void QtPrintDevice::SetLineWidth(float points) {
  lineWidthPoints_ = points;
}

void QtPrintDevice::UsePen() {
  QPen pen(Qt::black);
  pen.setWidthF(lineWidthPoints_ * printer_->resolution() / kPointsPerInch);
  Painter().setPen(pen);
  Painter().setBrush(Qt::NoBrush);
}

void QtPrintDevice::Line(float x1, float y1, float x2, float y2) {
  UsePen();
  Painter().drawLine(ToDevice(x1, y1), ToDevice(x2, y2));
  position_ = QPointF(x2, y2);
}

void QtPrintDevice::Box(float x1, float y1, float x2, float y2, bool filled) {
  UsePen();
  const QRectF box = QRectF(ToDevice(x1, y1), ToDevice(x2, y2)).normalized();
  if (filled)
    Painter().fillRect(box, Qt::black);
  Painter().drawRect(box);
  position_ = QPointF(x2, y2);
}

void QtPrintDevice::Circle(float x, float y, float radius) {
  UsePen();
  const double pixels = radius * DevicePerTwip();
  Painter().drawEllipse(ToDevice(x, y), pixels, pixels);
}

void QtPrintDevice::Arc(float x, float y, float radius, float startAngle, float endAngle) {
  UsePen();
  const double pixels = radius * DevicePerTwip();
  const QPointF centre = ToDevice(x, y);
  const QRectF bounds(centre - QPointF(pixels, pixels), QSizeF(2 * pixels, 2 * pixels));
  double span = endAngle - startAngle;
  if (span < 0)
    span += 2 * std::numbers::pi;
  Painter().drawArc(
      bounds,
      static_cast<int>(std::lround(startAngle * kDegreesPerRadian * kQtAngleUnitsPerDegree)),
      static_cast<int>(std::lround(span * kDegreesPerRadian * kQtAngleUnitsPerDegree)));
}

}  // namespace kestro
