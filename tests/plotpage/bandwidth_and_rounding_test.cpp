#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "analysis/response_engine.h"
#include "core/eng_value.h"
#include "plot_page_fixture.h"
#include "plotpage/bandwidth_tuning.h"
#include "plotpage/standard_series.h"

namespace kestro {
namespace {

using test::PlotPageFixture;
using Kind = test::DrawCommand::Kind;

float Read(const std::string& text) {
  float value = 0;
  ReadEngValue(text, value);
  return value;
}

float GainAt(DesignRecord& record, float f) {
  float gain = 0, phase = 0;
  ResponseAt(record, f, gain, phase);
  return gain;
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

// --- Rounding ---

TEST(NearestCommand, SavesMarksAndOffersTheSeries) {
  PlotPageFixture f(5);
  const auto r = f.record.R;
  f.Click("cmdNearest5");
  EXPECT_EQ(f.record.Rsaved[2][3], r[2][3]);
  EXPECT_EQ(f.record.Csaved[1][1], f.record.C[1][1]);
  EXPECT_EQ(f.record.R, r);                // nothing rounded yet
  EXPECT_TRUE(f.canvas.commands.empty());  // nor redrawn
  for (const char* button : {"cmd2", "cmd5", "cmd10", "cmd20"}) {
    EXPECT_TRUE(f.Visible(button)) << button;
    EXPECT_EQ(f[button].face, (Rgb{187, 255, 255}));
  }
  EXPECT_EQ(f.record.Rounded, 1);
  EXPECT_EQ(f.record.Family, kManual);
  EXPECT_EQ(f.record.PartsModified, 1);
  EXPECT_TRUE(f.Enabled("cmdRestore"));
  EXPECT_FALSE(f.Enabled("cmdPoles"));
}

struct SeriesCase {
  const char* button;
  const StandardSeries& series;
};

class SeriesButton : public ::testing::TestWithParam<SeriesCase> {};

TEST_P(SeriesButton, RoundsEveryPartAndRestoreBringsThemBack) {
  const SeriesCase& c = GetParam();
  PlotPageFixture f(5);
  const auto r = f.record.R;
  const auto cap = f.record.C;
  f.Click("cmdNearest5");
  f.Click(c.button);
  for (std::size_t s = 1; s <= 2; ++s) {
    for (std::size_t k = 2; k <= 3; ++k) {
      EXPECT_TRUE(OnSeries(f.record.R[s][k], c.series)) << s << k << " " << f.record.R[s][k];
      EXPECT_TRUE(OnSeries(f.record.C[s][k], c.series)) << s << k << " " << f.record.C[s][k];
      // Within half a series step of the exact value.
      const double halfStep = std::pow(10.0, 0.5 / c.series.Size()) * 1.06;
      EXPECT_LT(std::abs(std::log(f.record.C[s][k] / cap[s][k])), std::log(halfStep));
    }
  }
  EXPECT_EQ(f.record.R[2][1], 0.0f);
  for (const char* button : {"cmd2", "cmd5", "cmd10", "cmd20"})
    EXPECT_FALSE(f.Visible(button));
  EXPECT_EQ(f.canvas.commands[0].kind, Kind::FillRect);
  EXPECT_TRUE(f.Enabled("cmdRestore"));
  f.Click("cmdRestore");
  EXPECT_EQ(f.record.R, r);
  EXPECT_EQ(f.record.C, cap);
  EXPECT_EQ(f.record.Rounded, 0);
}

INSTANTIATE_TEST_SUITE_P(Series, SeriesButton,
                         ::testing::Values(SeriesCase{"cmd2", StandardSeries::E48()},
                                           SeriesCase{"cmd5", StandardSeries::E24()},
                                           SeriesCase{"cmd10", StandardSeries::E12()},
                                           SeriesCase{"cmd20", StandardSeries::E6()}));

TEST(NearestCommand, ClearAfterNearestKeepsPartsAndRestore) {
  PlotPageFixture f(4);
  const auto r = f.record.R;
  f.Click("cmdNearest5");
  f.Click("cmdReset");
  EXPECT_EQ(f.record.R, r);
  EXPECT_EQ(f.record.Rounded, 1);
  EXPECT_EQ(f.record.Family, kManual);
  EXPECT_TRUE(f.Enabled("cmdRestore"));
  EXPECT_FALSE(f.Visible("cmd5"));
  f.Click("cmdRestore");
  EXPECT_EQ(f.record.R, r);
}

// --- Bandwidth tuning ---

TEST(BandwidthTuning, PanelOpensWithAnEmptyCaption) {
  PlotPageFixture f(4);
  f.Click("cmdTuneWidth");
  EXPECT_TRUE(f.Visible("cmdWidthDown"));
  EXPECT_TRUE(f.Visible("lblBandwidth"));
  EXPECT_EQ(f["lblBandwidth"].caption, "");
  EXPECT_EQ(f.shared.EditPanelOn, 1);
}

struct FamilyCase {
  int16_t family;
  const char* prefix;
};

class FamilyStep : public ::testing::TestWithParam<FamilyCase> {};

TEST_P(FamilyStep, ResynthesisesAtTheNewBandwidth) {
  const FamilyCase& c = GetParam();
  PlotPageFixture f(4, c.family);
  f.Click("cmdTuneWidth");
  f.Click("cmdWidthUp");
  EXPECT_FLOAT_EQ(f.record.Bandwidth, 1010.0f);
  const std::string caption = f["lblBandwidth"].caption;
  ASSERT_EQ(caption.rfind(c.prefix, 0), 0u) << caption;
  EXPECT_FLOAT_EQ(Read(caption.substr(std::string(c.prefix).size())), 1010.0f);
  // Above 1 kHz the nominal resistor drops from 47 k to 22 k; the capacitors follow.
  EXPECT_EQ(f.record.R[1][2], 22000.0f);
  EXPECT_EQ(f.record.Family, c.family);
  EXPECT_EQ(f.record.PartsModified, 0);
  EXPECT_FALSE(f.Enabled("cmdRestore"));
  EXPECT_EQ(f.canvas.commands[0].kind, Kind::FillRect);
  f.Click("cmdWidthDown");
  EXPECT_NEAR(f.record.Bandwidth, 1000.0f, 1e-3);
  EXPECT_EQ(f.record.R[1][2], 47000.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Families, FamilyStep,
    ::testing::Values(FamilyCase{kButterworth, "Butterworth family; 3 dB bandwidth: "},
                      FamilyCase{kChebyshev, "Chebyshev family; 0.5 dB ripple bandwidth: "},
                      FamilyCase{kBessel, "Bessel family; 1 rad/sec bandwidth: "}));

TEST(BandwidthTuning, ButterworthCornerMovesWithTheStep) {
  PlotPageFixture f(4);
  f.Click("cmdTuneWidth");
  f.Click("cmdWidthUp");
  EXPECT_NEAR(GainAt(f.record, 1010), -3.01, 0.01);
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
    for (std::size_t k = 1; k <= 3; ++k) {
      EXPECT_FLOAT_EQ(f.record.C[s][k], static_cast<float>(c[s][k] * 1.01)) << s << k;
    }
  }
  EXPECT_EQ(f.record.Bandwidth, bandwidth);
  EXPECT_FALSE(f.Enabled("cmdRestore"));
  EXPECT_EQ(f.record.Rounded, 1);
  // The response moves down in frequency by the factor 1.01.
  EXPECT_NEAR(GainAt(f.record, static_cast<float>(2000 / 1.01)), before, 1e-3);
  f.Click("cmdWidthUp");
  EXPECT_NEAR(f.record.C[1][2], c[1][2], c[1][2] * 1e-6);
}

}  // namespace
}  // namespace kestro
