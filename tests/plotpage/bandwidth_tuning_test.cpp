#include "plotpage/bandwidth_tuning.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/response_engine.h"
#include "plot_test_context.h"

namespace kestro {
namespace {

using test::PlotPageFixture;
using test::Read;

float GainAt(DesignRecord& record, float f) {
  float gain = 0, phase = 0;
  ResponseAt(record, f, gain, phase);
  return gain;
}

TEST(BandwidthTuning, FamilyDesignsAreSynthesisedAgainAtTheNewBandwidth) {
  const std::pair<int16_t, std::string> families[] = {
      {kButterworth, "Butterworth family; 3 dB bandwidth: "},
      {kChebyshev, "Chebyshev family; 0.5 dB ripple bandwidth: "},
      {kBessel, "Bessel family; 1 rad/sec bandwidth: "}};
  for (const auto& [family, prefix] : families) {
    PlotPageFixture f(4, family);
    f.Click("cmdTuneWidth");
    EXPECT_EQ(f["lblBandwidth"].caption, "");
    f.Click("cmdWidthUp");
    EXPECT_FLOAT_EQ(f.record.Bandwidth, 1010.0f);
    const std::string caption = f["lblBandwidth"].caption;
    ASSERT_EQ(caption.rfind(prefix, 0), 0u) << caption;
    EXPECT_FLOAT_EQ(Read(caption.substr(prefix.size())), 1010.0f);
    // Above 1 kHz the nominal resistor drops from 47 k to 22 k; the capacitors follow.
    EXPECT_EQ(f.record.R[1][2], 22000.0f);
    EXPECT_EQ(f.FamilyAndModified(), (std::vector<int>{family, 0}));
    EXPECT_FALSE(f.Enabled("cmdRestore"));
    EXPECT_TRUE(f.Redrawn());
    if (family == kButterworth) {
      EXPECT_NEAR(GainAt(f.record, 1010), -3.01, 0.01);  // the corner moves with the step
    }
    f.Click("cmdWidthDown");
    EXPECT_NEAR(f.record.Bandwidth, 1000.0f, 1e-3);
    EXPECT_EQ(f.record.R[1][2], 47000.0f);
  }
}

// A rounded design is hand-made: every capacitor is scaled, which moves the response down in
// frequency by the factor 1.01, and the resistors, bandwidth and rounding stay.
TEST(BandwidthTuning, HandMadeDesignScalesEveryCapacitor) {
  PlotPageFixture f(4);
  f.Click("cmdNearest5");
  f.Click("cmd10");
  const auto r = f.record.R;
  const auto c = f.record.C;
  const float bandwidth = f.record.Bandwidth;
  const float before = GainAt(f.record, 2000);
  f.Click("cmdTuneWidth");
  f.Click("cmdWidthDown");
  EXPECT_EQ(f["lblBandwidth"].caption, "No family; capacitors are being adjusted");
  EXPECT_EQ(f.record.R, r);
  for (std::size_t s = 0; s <= 11; ++s) {
    for (std::size_t k = 1; k <= 3; ++k)
      EXPECT_FLOAT_EQ(f.record.C[s][k], static_cast<float>(c[s][k] * 1.01)) << s << k;
  }
  EXPECT_EQ(f.record.Bandwidth, bandwidth);
  EXPECT_EQ(f.record.Rounded, 1);
  EXPECT_FALSE(f.Enabled("cmdRestore"));
  EXPECT_NEAR(GainAt(f.record, static_cast<float>(2000 / 1.01)), before, 1e-3);
  f.Click("cmdWidthUp");
  EXPECT_NEAR(f.record.C[1][2], c[1][2], c[1][2] * 1e-6);
}

}  // namespace
}  // namespace kestro
