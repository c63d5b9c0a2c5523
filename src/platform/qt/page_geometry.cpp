// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/page_geometry.h"

#include <algorithm>

#include "platform/canvas.h"

namespace kestro {

namespace {
constexpr float kTwipsPerInch = 1440;
constexpr float kFontShareOfScreenTwips = 0.0008f;
constexpr float kPointsPerInch = 72;
}  // namespace

PageGeometry::PageGeometry(QSizeF pixels, float heightShare)
    : pixels_(pixels),
      heightShare_(std::clamp(heightShare, 0.05f, 1.0f)),
      scaleX_(static_cast<float>(pixels.width()) / kPageWidth),
      scaleY_(static_cast<float>(pixels.height()) / kPageHeight) {}

QPointF PageGeometry::ToPixels(float x, float y) const {
  return {x * scaleX_, y * scaleY_};
}

QRectF PageGeometry::ToPixels(float left, float top, float width, float height) const {
  return {left * scaleX_, top * scaleY_, width * scaleX_, height * scaleY_};
}

QPointF PageGeometry::ToPage(QPointF pixel) const {
  const float x = scaleX_ > 0 ? static_cast<float>(pixel.x()) / scaleX_ : 0.0f;
  const float y = scaleY_ > 0 ? static_cast<float>(pixel.y()) / scaleY_ : 0.0f;
  return {x, y};
}

float PageGeometry::FontPixels(float fontScale) const {
  const float screenPixels = static_cast<float>(pixels_.height()) / heightShare_;
  // FontPoints() at any dpi, converted back to pixels at that dpi.
  return std::max(1.0f, FontPoints(screenPixels, kPointsPerInch) * fontScale);
}

float PageGeometry::FontPoints(float screenHeightPixels, float dotsPerInch) {
  const float screenTwips = screenHeightPixels * kTwipsPerInch / dotsPerInch;
  return kFontShareOfScreenTwips * screenTwips;
}

}  // namespace kestro
