// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_sheet_device.h"

#include <cmath>

namespace kestro {

namespace {
constexpr double kUnlimited = 1e6;  // pixels: a sheet never shrinks to fit
constexpr double kMetresPerInch = 0.0254;
}  // namespace

QtSheetDevice::QtSheetDevice() : scratch_(1, 1, QImage::Format_RGB32) {
  const int dotsPerMetre = static_cast<int>(std::lround(kDotsPerInch / kMetresPerInch));
  scratch_.setDotsPerMeterX(dotsPerMetre);
  scratch_.setDotsPerMeterY(dotsPerMetre);
}

// The painter ends before the scratch surface goes.
QtSheetDevice::~QtSheetDevice() {
  StopPainting();
}

void QtSheetDevice::NewPage() {
  throw PrintError("A picture holds one sheet; this printout has more.");
}

QSizeF QtSheetDevice::PrintableSize() const {
  return {kUnlimited, kUnlimited};
}

}  // namespace kestro
