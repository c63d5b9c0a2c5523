// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include "platform/qt/qt_painted_device.h"

namespace kestro {

// A painted device for one sheet off paper, at 96 pixels per inch of the sheet and with room for
// any sheet, so nothing shrinks. It draws on a scratch surface with those text metrics until a
// subclass gives it another surface. The printer dialog and the orientation mean nothing here,
// and a second page is a failure.
class QtSheetDevice : public QtPaintedDevice {
 public:
  static constexpr int kDotsPerInch = 96;  // CSS pixels, as an SVG counts them

  ~QtSheetDevice() override;

  void SelectPrinter() override {}
  void SetOrientation(PrintOrientation orientation) override { static_cast<void>(orientation); }
  void NewPage() override;

 protected:
  QtSheetDevice();

  QPaintDevice& Surface() const override { return scratch_; }
  int Resolution() const override { return kDotsPerInch; }
  QSizeF PrintableSize() const override;
  // The scratch surface's resolution in dots per metre, for a surface that must measure text alike.
  int DotsPerMetre() const { return scratch_.dotsPerMeterX(); }

 private:
  mutable QImage scratch_;
};

}  // namespace kestro
