#include "plotpage/standard_rounding.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plot_test_context.h"
#include "synthesis/standard_series.h"

namespace kestro::test {
namespace {

// Nearest % saves the parts and offers the four series; a series button rounds every part of
// every stage, Clear keeps the rounding, and Restore brings the parts back.
TEST(StandardRounding, NearestOffersTheSeriesWhichRoundAndRestoreBringsBack) {
  const Names buttons = {"cmd2", "cmd5", "cmd10", "cmd20"};
  const StandardSeries* const series[] = {&StandardSeries::E48(), &StandardSeries::E24(),
                                          &StandardSeries::E12(), &StandardSeries::E6()};
  // Each rounded part is a series value (rounding it again keeps it) within half a series step
  // of the exact one.
  for (std::size_t n = 0; n < 4; ++n) {
    SCOPED_TRACE(buttons[n]);
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
        EXPECT_FLOAT_EQ(series[n]->Nearest(f.record.R[s][k]), f.record.R[s][k]);
        EXPECT_FLOAT_EQ(series[n]->Nearest(f.record.C[s][k]), f.record.C[s][k]);
        EXPECT_LT(std::abs(std::log(f.record.C[s][k] / before.C[s][k])), std::log(halfStep));
      }
    }
    EXPECT_EQ(f.record.R[2][1], 0.0f);  // the shorted R1 and the amplifier pair stay
    EXPECT_EQ(Floats(f.record.R[1].begin() + 4, f.record.R[1].end()),
              Floats(before.R[1].begin() + 4, before.R[1].end()));
    EXPECT_EQ(f.VisibleOf(buttons), Names{});
    EXPECT_TRUE(f.Redrawn());
    const auto rounded = f.record.R;
    f.Click("cmdReset");
    EXPECT_EQ(f.record.R, rounded);
    ASSERT_TRUE(f["cmdRestore"].enabled);
    f.Click("cmdRestore");
    EXPECT_EQ(f.record.R, before.R);
    EXPECT_EQ(f.record.C, before.C);
    EXPECT_EQ(f.record.Rounded, 0);
  }
}

}  // namespace
}  // namespace kestro::test
