#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "analysis/response_engine.h"
#include "plot_test_context.h"
#include "plotpage/standard_rounding.h"
#include "plotpage/standard_series.h"

namespace kestro {
namespace {

using test::FamilyAndModified;
using test::Names;
using test::PlotPageFixture;
using test::Read;

const StandardSeries* const kAllSeries[] = {&StandardSeries::E48(), &StandardSeries::E24(),
                                            &StandardSeries::E12(), &StandardSeries::E6()};

TEST(StandardSeries, NearestPicksTheNeighbourNearerOnALogScale) {
  const struct {
    const StandardSeries& series;
    float value;
    double expected;
  } cases[] = {
      {StandardSeries::E12(), 4300, 4700},   // 4.7/4.3 = 1.093 beats 4.3/3.9 = 1.103
      {StandardSeries::E6(), 1200, 1000},    // 1.5/1.2 = 1.25 loses to 1.2/1.0 = 1.2
      {StandardSeries::E48(), 2550, 2610},   // 2.61/2.55 = 1.0235 beats 2.55/2.49 = 1.0241
      {StandardSeries::E24(), 9600, 10000},  // above the last value: the next decade's first
      {StandardSeries::E48(), 96, 95.3},     // just below a decade: entry 0 is the lower one
      {StandardSeries::E24(), 9200, 9100},
      {StandardSeries::E12(), 4.3e-9f, 4.7e-9},
      {StandardSeries::E6(), 2.9e-9f, 3.3e-9},
      {StandardSeries::E6(), 1224, 1000},  // either side of the geometric mean 1224.7
      {StandardSeries::E6(), 1225, 1500},
      {StandardSeries::E12(), 9.9e6f, 1e7},
      {StandardSeries::E12(), 1e-13f, 1e-13},  // the floor of an absent capacitor
  };
  for (const auto& c : cases)  // single-precision multipliers: a few parts in 1e7
    EXPECT_NEAR(c.series.Nearest(c.value), c.expected, c.expected * 1e-6) << c.value;
  // The multiplier of the decade from 10 k to 100 k is 99999.99 in single precision.
  for (const StandardSeries* series : kAllSeries) {
    EXPECT_LT(series->Nearest(10000.0f), 10000.0f);
    EXPECT_NEAR(series->Nearest(10000.0f), 9999.999f, 0.0006f);
  }
  // A part of 0 or less, or without neighbours, is left alone.
  for (const float value :
       {0.0f, -4700.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::max()})
    EXPECT_EQ(StandardSeries::E12().Nearest(value), value);
  EXPECT_TRUE(std::isnan(StandardSeries::E12().Nearest(std::nanf(""))));
}

// Between each pair of E48 neighbours in 1..10, the values around their geometric mean go to
// the nearer one on a log scale; a value exactly in the middle (in single precision) goes up.
TEST(StandardSeries, TheGeometricMeanGoesUp) {
  const StandardSeries& e48 = StandardSeries::E48();
  int ties = 0;
  for (int i = 1; i < e48.Size(); ++i) {
    const float lower = e48.Nearest(e48.Entry(i) * 10.001f);
    const float upper = e48.Nearest(e48.Entry(i + 1) * 10.001f);
    const float mean = std::sqrt(lower * upper);
    for (float x = mean * 0.9999f; x < mean * 1.0001f; x = std::nextafter(x, 100.0f)) {
      const float below = x / lower;
      const float above = upper / x;
      ties += below == above ? 1 : 0;
      EXPECT_EQ(e48.Nearest(x), above <= below ? upper : lower) << x;
    }
  }
  EXPECT_GT(ties, 0);
}

// The exact values are checked below; here entry 0 and rounding a rounded value again.
TEST(StandardSeries, TablesHoldTheIecValuesThatStayPut) {
  for (const StandardSeries* series : kAllSeries) {
    const int n = series->Size();
    EXPECT_FLOAT_EQ(series->Entry(n), series->Entry(0) * 10.0f);  // entry 0: the decade below
    for (int i = 1; i <= n; ++i) {
      const float once = series->Nearest(series->Entry(i) * 1.0e4f * 1.004f);
      EXPECT_EQ(series->Nearest(once), once) << n << " " << i;  // rounding again keeps it
    }
  }
}

// The values of IEC 60063, written out from the standard's tables (E12 and E6 are every second and
// fourth E24 value; E48 has three significant digits).
TEST(StandardSeries, TablesAreExactlyTheIecValues) {
  const std::vector<float> e24{1.0f, 1.1f, 1.2f, 1.3f, 1.5f, 1.6f, 1.8f, 2.0f,
                               2.2f, 2.4f, 2.7f, 3.0f, 3.3f, 3.6f, 3.9f, 4.3f,
                               4.7f, 5.1f, 5.6f, 6.2f, 6.8f, 7.5f, 8.2f, 9.1f};
  const std::vector<float> e48{1.00f, 1.05f, 1.10f, 1.15f, 1.21f, 1.27f, 1.33f, 1.40f, 1.47f, 1.54f,
                               1.62f, 1.69f, 1.78f, 1.87f, 1.96f, 2.05f, 2.15f, 2.26f, 2.37f, 2.49f,
                               2.61f, 2.74f, 2.87f, 3.01f, 3.16f, 3.32f, 3.48f, 3.65f, 3.83f, 4.02f,
                               4.22f, 4.42f, 4.64f, 4.87f, 5.11f, 5.36f, 5.62f, 5.90f, 6.19f, 6.49f,
                               6.81f, 7.15f, 7.50f, 7.87f, 8.25f, 8.66f, 9.09f, 9.53f};
  const auto decade = [](const StandardSeries& series) {
    std::vector<float> values;
    for (int i = 1; i <= series.Size(); ++i)
      values.push_back(std::round(series.Entry(i) * 1000.0f) / 100.0f);
    return values;
  };
  const auto every = [&e24](std::size_t step) {
    std::vector<float> values;
    for (std::size_t i = 0; i < e24.size(); i += step)
      values.push_back(e24[i]);
    return values;
  };
  EXPECT_EQ(decade(StandardSeries::E48()), e48);
  EXPECT_EQ(decade(StandardSeries::E24()), e24);
  EXPECT_EQ(decade(StandardSeries::E12()), every(2));
  EXPECT_EQ(decade(StandardSeries::E6()), every(4));
}

TEST(StandardRounding, RoundsEveryPartOfEveryStageOnly) {
  DesignRecord record;
  record.Order = 5;
  record.NrStages = 2;
  record.R[1] = {0, 4300, 4300, 4300, 1e-5f, 1};  // three-pole stage; R4/R5 are no parts
  record.C[1] = {0, 4.3e-9f, 4.3e-9f, 4.3e-9f};
  record.R[2] = {0, 0, 1200, 1200, 1e-5f, 1};  // two-pole stage: R1 shorted
  record.C[2] = {0, 1e-13f, 0, 2.9e-9f};       // a capacitor read as 0 has no neighbours
  record.R[3] = {0, 0, 4300, 4300, 0, 0};      // beyond NrStages
  const auto old = record;
  StandardRounding::RoundParts(record, StandardSeries::E12());
  const auto e12 = [](float v) { return StandardSeries::E12().Nearest(v); };
  EXPECT_EQ(record.R[1], (std::array<float, 6>{0, e12(4300), e12(4300), e12(4300), 1e-5f, 1}));
  EXPECT_EQ(record.C[1], (std::array<float, 4>{0, e12(4.3e-9f), e12(4.3e-9f), e12(4.3e-9f)}));
  EXPECT_EQ(record.R[2], (std::array<float, 6>{0, 0, e12(1200), e12(1200), 1e-5f, 1}));
  EXPECT_EQ(record.C[2], (std::array<float, 4>{0, e12(1e-13f), 0, e12(2.9e-9f)}));
  EXPECT_EQ(record.R[3], old.R[3]);
}

// True when v is a value of the series at some power of ten.
bool OnSeries(float v, const StandardSeries& series) {
  const double scaled = v / std::pow(10.0, std::floor(std::log10(v)) + 1);  // in [0.1, 1)
  for (int i = 0; i <= series.Size(); ++i) {
    if (std::abs(scaled / series.Entry(i) - 1) < 1e-5)
      return true;
  }
  return std::abs(scaled * 10 - 1) < 1e-5;  // 9999.999 lies just under a decade
}

TEST(RoundingCommands, NearestOffersTheSeriesWhichRoundAndRestoreBringsBack) {
  const Names buttons = {"cmd2", "cmd5", "cmd10", "cmd20"};
  for (std::size_t n = 0; n < 4; ++n) {
    const StandardSeries& series = *kAllSeries[n];
    PlotPageFixture f(5);
    const auto r = f.record.R;
    const auto cap = f.record.C;
    f.Click("cmdNearest5");
    EXPECT_EQ(std::make_tuple(f.record.Rsaved[2][3], f.record.Csaved[1][1]),
              std::make_tuple(r[2][3], cap[1][1]));
    EXPECT_EQ(f.record.R, r);                // nothing rounded yet
    EXPECT_TRUE(f.canvas.commands.empty());  // nor redrawn
    EXPECT_EQ(f.VisibleOf(buttons), buttons);
    for (const std::string& button : buttons)
      EXPECT_EQ(f[button].face, (Rgb{187, 255, 255}));
    EXPECT_EQ(f.record.Rounded, 1);
    EXPECT_EQ(FamilyAndModified(f.record), (std::vector<int>{kManual, 1}));
    EXPECT_EQ(f.EnabledOf({"cmdRestore", "cmdPoles"}), Names{"cmdRestore"});

    f.Click(buttons[n]);
    const double halfStep = std::pow(10.0, 0.5 / series.Size()) * 1.06;
    for (std::size_t s = 1; s <= 2; ++s) {
      for (std::size_t k = 2; k <= 3; ++k) {
        EXPECT_TRUE(OnSeries(f.record.R[s][k], series)) << buttons[n] << " " << f.record.R[s][k];
        EXPECT_TRUE(OnSeries(f.record.C[s][k], series)) << buttons[n] << " " << f.record.C[s][k];
        // Within half a series step of the exact value.
        EXPECT_LT(std::abs(std::log(f.record.C[s][k] / cap[s][k])), std::log(halfStep));
      }
    }
    EXPECT_EQ(f.record.R[2][1], 0.0f);
    EXPECT_EQ(f.VisibleOf(buttons), Names{});
    EXPECT_TRUE(f.Redrawn());
    // Clear keeps the rounded parts and the way back.
    const auto rounded = f.record.R;
    f.Click("cmdReset");
    EXPECT_EQ(f.record.R, rounded);
    EXPECT_EQ(f.record.Rounded, 1);
    EXPECT_TRUE(f.Enabled("cmdRestore"));
    f.Click("cmdRestore");
    EXPECT_EQ(std::make_tuple(f.record.R, f.record.C, f.record.Rounded),
              std::make_tuple(r, cap, int16_t{0}));
  }
}

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
    EXPECT_EQ(FamilyAndModified(f.record), (std::vector<int>{family, 0}));
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

TEST(BandwidthTuning, ManualDesignScalesEveryCapacitor) {
  PlotPageFixture f(4);
  f.Click("cmdNearest5");
  f.Click("cmd10");  // rounded, hence manual
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
  EXPECT_EQ(std::make_tuple(f.record.Bandwidth, f.record.Rounded),
            std::make_tuple(bandwidth, int16_t{1}));
  EXPECT_FALSE(f.Enabled("cmdRestore"));
  // The response moves down in frequency by the factor 1.01.
  EXPECT_NEAR(GainAt(f.record, static_cast<float>(2000 / 1.01)), before, 1e-3);
  f.Click("cmdWidthUp");
  EXPECT_NEAR(f.record.C[1][2], c[1][2], c[1][2] * 1e-6);
}

}  // namespace
}  // namespace kestro
