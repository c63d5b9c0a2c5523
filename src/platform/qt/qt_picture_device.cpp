// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_picture_device.h"

#include <QFontInfo>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <string_view>
#include <utility>

#include "files/file_problems.h"
#include "files/text_file.h"

#ifndef KESTRO_VERSION
#error "KESTRO_VERSION must be defined by the build"
#endif

namespace kestro {

namespace {

constexpr double kPngScale = 2;  // a PNG of no given size: 192 pixels per inch
constexpr double kMargin = 10;   // white pixels around the drawing at the natural size

// Draws the sheet only to learn what it covers.
class SheetRuler final : public QtSheetDevice {
 public:
  void EndDocument() override { EndPainting(); }
  QRectF Extent() const { return Drawn(); }
};

// The picture's size and the scale and offset that place the measured drawing in it.
struct Placement {
  QSize size;
  double scale = 1;
  QPointF offset;
};

Placement Place(QSizeF natural, const PictureRequest& request) {
  const auto pixels = [](double length) {
    return std::max(1, static_cast<int>(std::ceil(length)));
  };
  if (request.format == PictureFormat::Svg)
    return {QSize(pixels(natural.width()), pixels(natural.height())), 1, {}};
  const int width = request.width;
  const int height = request.height;
  if (width > 0 && height > 0) {
    const double scale = std::min(width / natural.width(), height / natural.height());
    const QPointF offset((width - natural.width() * scale) / 2,
                         (height - natural.height() * scale) / 2);
    return {QSize(width, height), scale, offset};
  }
  if (width > 0) {
    const double scale = width / natural.width();
    return {QSize(width, pixels(natural.height() * scale)), scale, {}};
  }
  if (height > 0) {
    const double scale = height / natural.height();
    return {QSize(pixels(natural.width() * scale), height), scale, {}};
  }
  return {QSize(pixels(natural.width() * kPngScale), pixels(natural.height() * kPngScale)),
          kPngScale,
          {}};
}

// Qt names the default face by an alias ("Sans Serif") that browsers do not know: the SVG names
// the face the text was measured with, then the generic family for readers without it.
QByteArray WithPortableFontNames(QByteArray svg) {
  const QString alias = QFont().family();
  const QString face = QFontInfo(QFont()).family();
  return svg.replace("font-family=\"" + alias.toUtf8() + '"',
                     "font-family=\"" + face.toUtf8() + ", sans-serif\"");
}

}  // namespace

QtPictureDevice::QtPictureDevice(PictureRequest request) : request_(std::move(request)) {}

// The painter ends before the picture it draws on goes.
QtPictureDevice::~QtPictureDevice() {
  StopPainting();
}

void QtPictureDevice::Preview(const PrintSheets& sheets) {
  SheetRuler ruler;
  sheets(ruler);
  ruler.EndDocument();
  if (ruler.Extent().isEmpty())
    throw PrintError("The sheet draws nothing, so no picture was written to " + request_.path +
                     ".");
  extent_ = ruler.Extent();
}

QPaintDevice& QtPictureDevice::Surface() const {
  if (svg_)
    return *svg_;
  if (image_)
    return *image_;
  return QtSheetDevice::Surface();
}

void QtPictureDevice::BeforePainting() {
  if (!extent_)
    throw PrintError("The picture for " + request_.path + " was drawn before it was measured.");
  if (const std::string problem = WriteProblem(request_.path); !problem.empty())
    throw PrintError("The picture could not be written to " + request_.path + ": " + problem + ".");
  const QRectF drawing = extent_->adjusted(-kMargin, -kMargin, kMargin, kMargin);
  const Placement placement = Place(drawing.size(), request_);
  placement_ = QTransform::fromTranslate(placement.offset.x(), placement.offset.y())
                   .scale(placement.scale, placement.scale)
                   .translate(-drawing.left(), -drawing.top());
  StartPicture(placement.size);
}

void QtPictureDevice::StartPicture(QSize size) {
  if (request_.format == PictureFormat::Svg) {
    svg_ = std::make_unique<QSvgGenerator>();
    svgBytes_.open(QIODevice::WriteOnly);
    svg_->setOutputDevice(&svgBytes_);
    svg_->setSize(size);
    svg_->setViewBox(QRect(QPoint(0, 0), size));
    svg_->setResolution(kDotsPerInch);
    svg_->setTitle(QStringLiteral("KestroLab"));
    svg_->setDescription(QStringLiteral("Drawn by KestroLab " KESTRO_VERSION));
    return;
  }
  image_ = std::make_unique<QImage>(size, QImage::Format_RGB32);
  if (image_->isNull())
    throw PrintError("There is not enough memory for a picture of " + std::to_string(size.width()) +
                     " x " + std::to_string(size.height()) + " pixels.");
  image_->setDotsPerMeterX(DotsPerMetre());  // text is sized as it was measured
  image_->setDotsPerMeterY(DotsPerMetre());
}

void QtPictureDevice::PainterStarted(QPainter& painter) {
  painter.fillRect(QRect(QPoint(0, 0), QSize(Surface().width(), Surface().height())), Qt::white);
  painter.setTransform(placement_);
}

void QtPictureDevice::EndDocument() {
  if (!EndPainting())
    throw PrintError("The picture for " + request_.path + " could not be finished.");
  const QByteArray bytes = Encoded();
  const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  if (!ReplaceFileText(request_.path, view))
    throw PrintError("The picture could not be written to " + request_.path + ": " +
                     ErrorText(errno) + ".");
}

// The finished picture's bytes; a PNG carries the resolution it was drawn at.
QByteArray QtPictureDevice::Encoded() {
  if (svg_) {
    if (!svgBytes_.data().trimmed().endsWith("</svg>"))
      throw PrintError("The picture for " + request_.path + " is incomplete and was not written.");
    return WithPortableFontNames(svgBytes_.data());
  }
  const double scale = placement_.m11();
  image_->setDotsPerMeterX(static_cast<int>(std::lround(image_->dotsPerMeterX() * scale)));
  image_->setDotsPerMeterY(static_cast<int>(std::lround(image_->dotsPerMeterY() * scale)));
  QBuffer png;
  png.open(QIODevice::WriteOnly);
  if (!image_->save(&png, "PNG"))
    throw PrintError("The picture for " + request_.path + " could not be encoded as PNG.");
  return png.data();
}

}  // namespace kestro
