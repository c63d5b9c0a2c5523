// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QImage>
#include <functional>

#include "platform/qt/qt_canvas.h"

namespace kestro::test {

// Runs posted events, deferred deletions included, so closed windows are gone.
inline void SettleEvents() {
  for (int round = 0; round < 3; ++round) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
}

// A white image of the given size with what `draw` puts on a canvas painting onto it.
inline QImage Drawn(QSize size, const std::function<void(QtCanvas&)>& draw) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  draw(*std::make_unique<QtCanvas>(image));  // the canvas ends its painting with the statement
  return image;
}

inline Rgb PixelAt(const QImage& image, int x, int y) {
  const QRgb pixel = image.pixel(x, y);
  return {uint8_t(qRed(pixel)), uint8_t(qGreen(pixel)), uint8_t(qBlue(pixel))};
}

// Pixels of the area in the colour, or (unless `is`) in any other colour.
inline int CountColour(const QImage& image, QRect area, Rgb colour, bool is = true) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      count += (PixelAt(image, x, y) == colour) == is;
  return count;
}

}  // namespace kestro::test
