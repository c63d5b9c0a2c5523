// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/design_record.h"

namespace kestro {

// Maps frequencies and response values onto the plot box of the analysis page, in page units.
// The frequency axis is logarithmic from Fstart (x = 2000) to Fstop (x = 11000); gain runs from
// dBtop (y = 1000) to dBbottom (y = 7000), phase from +180 to -180 degrees, delay from DelayTop
// to 0 s. Arithmetic is double precision, results are singles. The mapping reads the record at
// each call, so a change of the axis settings takes effect at once.
class PlotMapping final {
 public:
  explicit PlotMapping(const DesignRecord& record) : record_(record) {}

  // --- Frequency axis ---
  // Normalised position of f: 0 at Fstart, 1 at Fstop.
  float Position(float f) const;
  // x of f; not clamped.
  float X(float f) const;

  // --- Curve values, clamped to the box ---
  float GainY(float dB) const;
  float PhaseY(float degrees) const;
  float DelayY(float seconds) const;

  // --- Marker values, not clamped ---
  float MarkerGainY(float dB) const;
  float MarkerDelayY(float seconds) const;

  // y limited to the box: above the top edge becomes 1000, below the bottom edge 7000.
  static float ClampY(float y);
  // x limited to the box: 2000..11000; a value without meaning lies on the left edge.
  static float ClampX(float x);
  // The analysis point under x: Int((x - 2000) / 9000 * (last + 1)) held within 0..last. The
  // points lie evenly on the logarithmic axis, so this is the point at or just left of x.
  static int PointUnder(float x, int last);
  // True when (x, y) lies inside the box, edges included.
  static bool InsideBox(float x, float y);

 private:
  // ln Fstart and ln Fstop - ln Fstart, kept until either frequency changes.
  struct LogAxis {
    float fstart = 0, fstop = 0;
    double low = 0, span = 1;
  };
  const LogAxis& Axis() const;

  const DesignRecord& record_;
  mutable LogAxis axis_;
};

}  // namespace kestro
