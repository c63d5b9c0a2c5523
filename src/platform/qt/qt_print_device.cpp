#include "platform/qt/qt_print_device.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/qt/print_preview_dialog.h"

namespace kestro {

namespace {
constexpr double kTwipsPerInch = 1440;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
constexpr int kQtAngleUnitsPerDegree = 16;
constexpr float kDefaultPoints = 10;
constexpr int kPdfDotsPerInch = 1200;  // as QPrinter::HighResolution gives a PDF
const QMarginsF kPdfMarginsPoints{10, 10, 10, 10};

QColor ToQColor(Rgb colour) {
  return {colour.r, colour.g, colour.b};
}
}  // namespace

QtPrintDevice::QtPrintDevice(QWidget* dialogParent)
    : QtPrintDevice(Mode::Dialog, nullptr, dialogParent) {}

QtPrintDevice::QtPrintDevice(Mode mode, QPrinter* printer, QWidget* dialogParent)
    : printer_(printer), dialogParent_(dialogParent), mode_(mode) {
  if (printer_ == nullptr && mode_ == Mode::Dialog) {
    ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_ = ownPrinter_.get();
  }
  font_.setPointSizeF(kDefaultPoints);
}

// A fixed paper size: the file does not change with the locale or the printers installed.
std::unique_ptr<QtPrintDevice> QtPrintDevice::ToPdf(const std::string& path,
                                                    const std::string& title) {
  std::unique_ptr<QtPrintDevice> device(new QtPrintDevice(Mode::Pdf, nullptr, nullptr));
  device->pdf_ = std::make_unique<QtPdfFile>(path, title);
  device->pdf_->SetResolution(kPdfDotsPerInch);
  device->pdf_->Device().setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                   kPdfMarginsPoints, QPageLayout::Point));
  return device;
}

std::unique_ptr<QtPrintDevice> QtPrintDevice::Borrowing(QPrinter& printer) {
  return std::unique_ptr<QtPrintDevice>(new QtPrintDevice(Mode::Borrowed, &printer, nullptr));
}

QtPrintDevice::~QtPrintDevice() {
  if (painter_ && painter_->isActive())
    painter_->end();
}

// --- Job ---

void QtPrintDevice::Preview(const PrintSheets& sheets) {
  if (mode_ != Mode::Dialog)
    return;
  PrintPreviewDialog preview(*printer_, sheets, dialogParent_);
  if (!preview.Run())
    throw PrintError("Cancel was selected.");
}

void QtPrintDevice::SelectPrinter() {
  if (mode_ != Mode::Dialog)
    return;
  QPrintDialog dialog(printer_, dialogParent_);
  if (dialog.exec() != QDialog::Accepted)
    throw PrintError("Cancel was selected.");
  if (printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty())
    DrawIntoPdfFileChosenInDialog();
}

// "Print to file" in the dialog: the file is written like any other PDF, on the paper, margins
// and resolution chosen there.
void QtPrintDevice::DrawIntoPdfFileChosenInDialog() {
  const QString title = printer_->docName().isEmpty() ? "KestroLab" : printer_->docName();
  pdf_ = std::make_unique<QtPdfFile>(printer_->outputFileName().toStdString(), title.toStdString());
  pdf_->SetResolution(printer_->resolution());
  pdf_->Device().setPageLayout(printer_->pageLayout());
}

QPagedPaintDevice& QtPrintDevice::Device() const {
  if (pdf_)
    return pdf_->Device();
  return *printer_;
}

int QtPrintDevice::Resolution() const {
  return pdf_ ? pdf_->Resolution() : printer_->resolution();
}

void QtPrintDevice::SetOrientation(PrintOrientation orientation) {
  const auto qtOrientation =
      orientation == PrintOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
  if (!Device().setPageOrientation(qtOrientation)) {
    throw PrintError("The printer does not support this page orientation.");
  }
}

void QtPrintDevice::NewPage() {
  Painter();
  if (!Device().newPage())
    throw PrintError("The printer could not start a new page.");
  position_ = QPointF(0, 0);
}

void QtPrintDevice::EndDocument() {
  QPainter& painter = Painter();  // an empty document still makes one blank page
  if (!painter.end())
    throw PrintError("The printer could not finish the document.");
  painter_.reset();
  if (pdf_)
    pdf_->Write();
}

QPainter& QtPrintDevice::Painter() {
  if (!painter_ || !painter_->isActive())
    StartPainting();
  return *painter_;
}

void QtPrintDevice::StartPainting() {
  if (pdf_)
    pdf_->CheckTarget();
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(&Device())) {
    painter_.reset();
    throw PrintError("The document could not be started on the printer.");
  }
  painter_->setRenderHint(QPainter::Antialiasing);
}

// --- Drawing area ---

double QtPrintDevice::DevicePerTwip() const {
  return scale_ * Resolution() / kTwipsPerInch;
}

QFont QtPrintDevice::DeviceFont() const {
  QFont font = font_;
  font.setPointSizeF(font_.pointSizeF() * scale_);
  return font;
}

void QtPrintDevice::SetDrawingArea(float width, float height) {
  scale_ = 1;
  scale_ = std::min(
      {1.0, AreaWidth() / static_cast<double>(width), AreaHeight() / static_cast<double>(height)});
}

QPointF QtPrintDevice::ToDevice(float x, float y) const {
  return (origin_ + QPointF(x, y)) * DevicePerTwip();
}

void QtPrintDevice::SetOrigin(float x, float y) {
  origin_ = QPointF(x, y);
}

float QtPrintDevice::AreaWidth() const {
  const QRectF area = Device().pageLayout().paintRectPixels(Resolution());
  return static_cast<float>(area.width() / DevicePerTwip());
}

float QtPrintDevice::AreaHeight() const {
  const QRectF area = Device().pageLayout().paintRectPixels(Resolution());
  return static_cast<float>(area.height() / DevicePerTwip());
}

// --- Text ---

void QtPrintDevice::SetFont(const std::string& name, float points, bool bold) {
  font_ = name.empty() ? QFont() : QFont(QString::fromStdString(name));
  font_.setPointSizeF(points > 0 ? points : kDefaultPoints);
  font_.setBold(bold);
}

void QtPrintDevice::SetPosition(float x, float y) {
  position_ = QPointF(x, y);
}

void QtPrintDevice::Write(const std::string& text) {
  QPainter& painter = Painter();
  painter.setFont(DeviceFont());
  painter.setPen(Qt::black);
  const QPointF topLeft = ToDevice(PositionX(), PositionY());
  painter.drawText(QRectF(topLeft, QSizeF(1e6, 1e6)), Qt::AlignLeft | Qt::AlignTop,
                   QString::fromStdString(text));
  position_.rx() += TextWidth(text);
}

void QtPrintDevice::EndLine() {
  position_ = QPointF(0, position_.y() + TextHeight());
}

float QtPrintDevice::TextWidth(const std::string& text) const {
  const QFontMetricsF metrics(DeviceFont(), &Device());
  return static_cast<float>(metrics.horizontalAdvance(QString::fromStdString(text)) /
                            DevicePerTwip());
}

float QtPrintDevice::TextHeight() const {
  const QFontMetricsF metrics(DeviceFont(), &Device());
  return static_cast<float>(metrics.height() / DevicePerTwip());
}

// --- Line work ---

void QtPrintDevice::SetLineWidth(float dots) {
  lineWidthDots_ = dots;
}

void QtPrintDevice::UsePen(Rgb colour) {
  QPen pen(ToQColor(colour));
  pen.setWidthF(lineWidthDots_ * static_cast<double>(Resolution()) / kPrinterDotsPerInch);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  Painter().setPen(pen);
  Painter().setBrush(Qt::NoBrush);
}

void QtPrintDevice::Line(float x1, float y1, float x2, float y2, Rgb colour) {
  if (x1 == x2 && y1 == y2) {
    Point(x1, y1, colour);
    return;
  }
  UsePen(colour);
  Painter().drawLine(ToDevice(x1, y1), ToDevice(x2, y2));
  position_ = QPointF(x2, y2);
}

void QtPrintDevice::Box(float x1, float y1, float x2, float y2, Rgb colour, bool filled) {
  UsePen(colour);
  const QRectF box = QRectF(ToDevice(x1, y1), ToDevice(x2, y2)).normalized();
  if (filled)
    Painter().fillRect(box, ToQColor(colour));
  Painter().drawRect(box);
  position_ = QPointF(x2, y2);
}

// A round dot as wide as the line: drawn as a filled disc, since printers differ in how they
// show a zero-length stroke.
void QtPrintDevice::Point(float x, float y, Rgb colour) {
  QPainter& painter = Painter();
  const double radius =
      0.5 * lineWidthDots_ * static_cast<double>(Resolution()) / kPrinterDotsPerInch;
  painter.setPen(Qt::NoPen);
  painter.setBrush(ToQColor(colour));
  painter.drawEllipse(ToDevice(x, y), radius, radius);
  painter.setBrush(Qt::NoBrush);
  position_ = QPointF(x, y);
}

void QtPrintDevice::Circle(float x, float y, float radius) {
  UsePen(Rgb{});
  const double pixels = radius * DevicePerTwip();
  Painter().drawEllipse(ToDevice(x, y), pixels, pixels);
}

void QtPrintDevice::Arc(float x, float y, float radius, float startAngle, float endAngle) {
  UsePen(Rgb{});
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
