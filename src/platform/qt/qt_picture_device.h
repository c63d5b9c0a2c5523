// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBuffer>
#include <QImage>
#include <QTransform>
#include <memory>
#include <optional>
#include <string>

#include "platform/printers.h"
#include "platform/qt/qt_sheet_device.h"

class QSvgGenerator;

namespace kestro {

// One sheet drawn as an SVG or PNG picture, cut to what the sheet draws with a small white margin.
// The job's preview draws the sheet once on a scratch surface to measure it; the sheet is then
// drawn on the picture, which is written whole through the program's file writer at the end of
// the document. Positions count as on paper: one inch of the sheet is 96 picture pixels at the
// natural size (the SVG's), and twice that for a PNG of no given size.
class QtPictureDevice final : public QtSheetDevice {
 public:
  explicit QtPictureDevice(PictureRequest request);
  ~QtPictureDevice() override;

  QtPictureDevice(const QtPictureDevice&) = delete;
  QtPictureDevice& operator=(const QtPictureDevice&) = delete;

  // --- Job ---
  // Measures the sheet: nothing is shown.
  void Preview(const PrintSheets& sheets) override;
  void EndDocument() override;
  std::string FailureTitle() const override { return "Picture Error"; }

 protected:
  QPaintDevice& Surface() const override;
  void BeforePainting() override;
  void PainterStarted(QPainter& painter) override;

 private:
  void StartPicture(QSize size);
  QByteArray Encoded();

  PictureRequest request_;
  std::optional<QRectF> extent_;  // device pixels, measured by the preview
  QTransform placement_;          // from the sheet's device pixels to the picture's
  std::unique_ptr<QImage> image_;
  std::unique_ptr<QSvgGenerator> svg_;
  QBuffer svgBytes_;
};

}  // namespace kestro
