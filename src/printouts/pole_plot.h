// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "core/design_record.h"
#include "platform/canvas.h"
#include "synthesis/pole_list.h"

namespace kestro {

// The drawing of the pole page, on the screen or on paper: the s-plane's left half with its
// origin at (6000, 4500) page units, one unit of the plane 3500 / PoleScale page units vertically
// and PoleAspect times that horizontally (round circles on a 16:9 screen).
class PolePlot final {
 public:
  static constexpr float kOriginX = 6000;
  static constexpr float kOriginY = 4500;
  static constexpr float kRadius = 3500;  // page units from the origin to the outermost circle
  static constexpr float PoleAspect = 0.75f;

  PolePlot(Canvas& canvas, const DesignRecord& record, const PoleList& poles, int16_t poleScale);

  // The radius of the outermost grid circle: one more than the highest imaginary part rounded
  // half to even, at least 1; always 1 for Butterworth (every pole lies on the unit circle).
  static int16_t PoleScaleFor(const DesignRecord& record, const PoleList& poles);

  // The page's picture: the rectangular grid when asked, then the polar grid, then the poles
  // and their listing.
  void Draw(bool rectangularGrid);

 private:
  // Rays every 10 degrees and the half circles of whole radii 0..PoleScale, all circles drawn as
  // one stroke, so the joins between them run along the imaginary axis.
  void DrawPolarGrid();
  // Lines every 0.1 unit of the plane in both directions.
  void DrawRectGrid();
  // A red dot per pole, and the listing: X(k) and Y(k), the family, order and ripple.
  void ShowPoles();
  float PageX(double re) const;
  float PageY(double im) const;
  void ListPoles();
  void ListDesign();

  Canvas& canvas_;
  const DesignRecord& record_;
  const PoleList& poles_;
  int16_t poleScale_;
};

}  // namespace kestro
