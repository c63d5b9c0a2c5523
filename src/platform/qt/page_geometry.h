// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

namespace kestro {

// Maps a page's 12000 x 9000 units onto a surface of a given pixel size (origin top left, y
// down; x and y scale independently so the page always fills its window) and sizes the page font.
//
// The page font is 0.0008 x the screen height in twips, in points. A point is 20 twips, so the
// font is 0.016 of the screen height, and a page that fills the screen maps that to 0.016 of
// its own height. A window opened at a share of the screen height keeps the screen's font.
class PageGeometry {
 public:
  explicit PageGeometry(QSizeF pixels, float heightShare = 1.0f);

  QPointF ToPixels(float x, float y) const;
  QRectF ToPixels(float left, float top, float width, float height) const;
  // From a pixel position back to page units.
  QPointF ToPage(QPointF pixel) const;
  float PixelsPerUnitX() const { return scaleX_; }
  float PixelsPerUnitY() const { return scaleY_; }

  // Pixel size of the page font at this surface size, times a control's font scale.
  float FontPixels(float fontScale = 1.0f) const;

  // The page font in points for a screen of this height in pixels at this many dots per inch.
  static float FontPoints(float screenHeightPixels, float dotsPerInch);

 private:
  QSizeF pixels_;
  float heightShare_;
  float scaleX_, scaleY_;
};

}  // namespace kestro
