// SPDX-License-Identifier: GPL-3.0-or-later
#include "synthesis/pole_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "printouts/pole_plot.h"

namespace kestro {
namespace {

// Butterworth and Chebyshev against their closed forms, Bessel against the roots of its reverse
// polynomial in the listing's slot order; compared in units of 1e-4. The scale is the whole
// radius of the pole plot's circles that holds them.
TEST(ComputePoles, EachFamilyAndTheScaleThatHoldsItsPoles) {
  const struct {
    int16_t family, order;
    float apass;
    int16_t scale;
    std::vector<float> first;  // X1, Y1, X2, Y2, ... of the first poles in listing order
  } cases[] = {
      {kButterworth, 3, 0, 1, {-0.5f, 0.8660254f, -1, 0, -0.5f, -0.8660254f}},
      {kChebyshev, 2, 1, 2, {-0.5489f, 0.8951f, -0.5489f, -0.8951f}},
      {kBessel, 3, 0, 3, {-2.3221854f, 0, -1.8389073f, -1.754381f, -1.8389073f, 1.754381f}},
      {kBessel, 8, 0, 7, {-5.2048408f, 2.6161752f, -5.2048408f, -2.6161752f}},
      {kBessel, 9, 0, 8, {-6.1293679f, 1.7378484f, -6.1293679f, -1.7378484f, -6.2970192f, 0}},
      {kBessel, 10, 0, 9, {-6.615291f, 2.6115679f, -6.615291f, -2.6115679f, -6.9220449f}}};
  for (const auto& c : cases) {
    DesignRecord record{};
    record.Family = c.family, record.Order = c.order, record.Apass = c.apass;
    PoleList poles;
    ComputePoles(record, poles);
    std::vector<long> listed, expected;
    for (std::size_t i = 0; i < c.first.size(); ++i) {
      const auto& part = i % 2 == 0 ? poles.PoleX : poles.PoleY;
      listed.push_back(std::lrint(part[i / 2 + 1] * 1e4f));
      expected.push_back(std::lrint(c.first[i] * 1e4f));
    }
    EXPECT_EQ(listed, expected) << c.family << "/" << c.order;
    EXPECT_EQ(PolePlot::PoleScaleFor(record, poles), c.scale) << c.family << "/" << c.order;
  }
}

}  // namespace
}  // namespace kestro
