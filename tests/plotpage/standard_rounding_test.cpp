#include "plotpage/standard_rounding.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plot_test_context.h"
#include "plotpage/standard_series.h"

namespace kestro::test {
namespace {

// R1..R3 and C1..C3 of stages 1..NrStages are rounded; R4/R5, a shorted R1 or a capacitor of
// 0 (no neighbours) and the stages beyond are left as they are.
TEST(StandardRounding, RoundsEveryPartOfEveryStageOnly) {
  DesignRecord record;
  record.NrStages = 2;
  record.R[1] = {0, 4300, 4300, 4300, 1e-5f, 1};
  record.C[1] = {0, 4.3e-9f, 4.3e-9f, 4.3e-9f};
  record.R[2] = {0, 0, 1300, 1300, 1e-5f, 1};
  record.C[2] = {0, 1e-13f, 0, 2.9e-9f};
  record.R[3] = {0, 0, 4300, 4300, 0, 0};
  const auto old = record;
  StandardRounding::RoundParts(record, StandardSeries::E12());
  const auto e12 = [](float v) { return StandardSeries::E12().Nearest(v); };
  EXPECT_EQ(record.R[1], (std::array<float, 6>{0, e12(4300), e12(4300), e12(4300), 1e-5f, 1}));
  EXPECT_EQ(record.C[1], (std::array<float, 4>{0, e12(4.3e-9f), e12(4.3e-9f), e12(4.3e-9f)}));
  EXPECT_EQ(record.R[2], (std::array<float, 6>{0, 0, e12(1300), e12(1300), 1e-5f, 1}));
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

// Nearest % saves the parts and offers the four series; a series button rounds every part to
// within half a series step, Clear keeps the rounding, and Restore brings the parts back.
TEST(StandardRounding, NearestOffersTheSeriesWhichRoundAndRestoreBringsBack) {
  const Names buttons = {"cmd2", "cmd5", "cmd10", "cmd20"};
  const StandardSeries* const series[] = {&StandardSeries::E48(), &StandardSeries::E24(),
                                          &StandardSeries::E12(), &StandardSeries::E6()};
  for (std::size_t n = 0; n < 4; ++n) {
    PlotPageFixture f(5);
    const DesignRecord before = f.record;
    f.Click("cmdNearest5");
    EXPECT_EQ(f.record.R, before.R);         // nothing rounded yet
    EXPECT_TRUE(f.canvas.commands.empty());  // nor redrawn
    EXPECT_EQ(f.VisibleOf(buttons), buttons);
    EXPECT_EQ(f.FamilyAndModified(), (std::vector<int>{kManual, 1}));
    EXPECT_EQ(f.EnabledOf({"cmdRestore", "cmdPoles"}), Names{"cmdRestore"});
    f.Click(buttons[n]);
    const double halfStep = std::pow(10.0, 0.5 / series[n]->Size()) * 1.06;
    for (std::size_t s = 1; s <= 2; ++s) {
      for (std::size_t k = 2; k <= 3; ++k) {
        EXPECT_TRUE(OnSeries(f.record.R[s][k], *series[n]))
            << buttons[n] << " " << f.record.R[s][k];
        EXPECT_TRUE(OnSeries(f.record.C[s][k], *series[n]))
            << buttons[n] << " " << f.record.C[s][k];
        EXPECT_LT(std::abs(std::log(f.record.C[s][k] / before.C[s][k])), std::log(halfStep));
      }
    }
    EXPECT_EQ(f.record.R[2][1], 0.0f);
    EXPECT_EQ(f.VisibleOf(buttons), Names{});
    EXPECT_TRUE(f.Redrawn());
    const auto rounded = f.record.R;
    f.Click("cmdReset");
    EXPECT_EQ(f.record.R, rounded);
    ASSERT_TRUE(f.Enabled("cmdRestore"));
    f.Click("cmdRestore");
    EXPECT_EQ(f.record.R, before.R);
    EXPECT_EQ(f.record.C, before.C);
    EXPECT_EQ(f.record.Rounded, 0);
  }
}

}  // namespace
}  // namespace kestro::test
