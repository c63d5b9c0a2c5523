// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/bandwidth_tuning.h"

#include <gtest/gtest.h>

#include "plot_test_context.h"

namespace kestro::test {
namespace {

float GainAt(DesignRecord record, float f) {
  float gain = 0, phase = 0;
  ResponseAt(record, f, gain, phase);
  return gain;
}

// A family design is synthesised again at the new bandwidth: above 1 kHz the nominal resistor
// drops from 47 k to 22 k and the capacitors follow; the Butterworth corner moves with the step.
TEST(BandwidthTuning, FamilyDesignsAreSynthesisedAgainAtTheNewBandwidth) {
  const std::pair<int16_t, std::string> families[] = {
      {kButterworth, "Butterworth family; 3 dB bandwidth: "},
      {kChebyshev, "Chebyshev family; 0.5 dB ripple bandwidth: "},
      {kBessel, "Bessel family; 1 rad/sec bandwidth: "}};
  for (const auto& [family, prefix] : families) {
    SCOPED_TRACE(prefix);
    PlotPageFixture f(4, family);
    f.Click("cmdTuneWidth");
    f.Click("cmdWidthUp");
    const std::string caption = f["lblBandwidth"].caption;
    ASSERT_TRUE(caption.starts_with(prefix)) << caption;
    EXPECT_FLOAT_EQ(Read(caption.substr(prefix.size())), 1010.0f);
    EXPECT_EQ(f.record.R[1][2], 22000.0f);
    EXPECT_EQ(f.FamilyAndModified(), (std::vector<int>{family, 0}));
    EXPECT_TRUE(family != kButterworth || std::abs(GainAt(f.record, 1010) + 3.01) < 0.01)
        << GainAt(f.record, 1010);
  }
}

// A rounded design is hand-made: every capacitor is scaled, which moves the response down in
// frequency by the factor 1.01; the resistors, the bandwidth and the rounding stay, and Restore
// no longer applies.
TEST(BandwidthTuning, HandMadeDesignScalesEveryCapacitor) {
  PlotPageFixture f(4);
  f.Click("cmdNearest5");
  f.Click("cmd10");
  const DesignRecord before = f.record;
  f.Click("cmdTuneWidth");
  f.Click("cmdWidthDown");
  EXPECT_EQ(f["lblBandwidth"].caption, "No family; capacitors are being adjusted");
  EXPECT_EQ(f.record.R, before.R);
  EXPECT_EQ(f.record.Bandwidth, before.Bandwidth);
  EXPECT_EQ(f.record.Rounded, 1);
  EXPECT_FALSE(f["cmdRestore"].enabled);
  for (const float hz : {700.0f, 1000.0f, 2000.0f})
    EXPECT_NEAR(GainAt(f.record, static_cast<float>(hz / 1.01)), GainAt(before, hz), 1e-3) << hz;
}

}  // namespace
}  // namespace kestro::test
