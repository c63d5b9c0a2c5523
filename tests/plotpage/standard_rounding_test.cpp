// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/standard_rounding.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/standard_series.h"
#include "plot_test_context.h"

namespace kestro::test {
namespace {

// Nearest % saves the parts and offers the six series with the choice of parts; a series button
// rounds every part of every stage, Clear keeps the rounding, and Restore brings the parts back.
TEST(StandardRounding, NearestOffersTheSeriesWhichRoundAndRestoreBringsBack) {
  const Names buttons = {"cmd05", "cmd1", "cmd2", "cmd5", "cmd10", "cmd20"};
  const Names choice = {"cmd05",
                        "cmd1",
                        "cmd2",
                        "cmd5",
                        "cmd10",
                        "cmd20",
                        "optRoundAll",
                        "optRoundResistors",
                        "optRoundCapacitors"};
  const StandardSeries* const series[] = {&StandardSeries::E192(), &StandardSeries::E96(),
                                          &StandardSeries::E48(),  &StandardSeries::E24(),
                                          &StandardSeries::E12(),  &StandardSeries::E6()};
  // Each rounded part is a series value (rounding it again keeps it) within half a series step
  // of the exact one.
  for (std::size_t n = 0; n < buttons.size(); ++n) {
    SCOPED_TRACE(buttons[n]);
    PlotPageFixture f(5);
    const DesignRecord before = f.record;
    f.Click("cmdNearest5");
    EXPECT_EQ(f.record.R, before.R);         // nothing rounded yet
    EXPECT_TRUE(f.canvas.commands.empty());  // nor redrawn
    EXPECT_EQ(f.VisibleOf(choice), choice);
    EXPECT_TRUE(f["optRoundAll"].checked);
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
    EXPECT_EQ(f.VisibleOf(choice), Names{});
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

// Resistors to E96, then capacitors to E12: each step puts exactly its kind on its series and
// leaves the other kind as it was; Restore returns to the parts before the last Nearest %.
TEST(StandardRounding, ResistorsAndCapacitorsRoundApart) {
  PlotPageFixture f(5);
  const DesignRecord exact = f.record;
  const auto onSeries = [](float value, const StandardSeries& series) {
    return series.Nearest(value) == value;
  };
  const auto check = [&](const StandardSeries* rSeries, const StandardSeries* cSeries,
                         const DesignRecord& from) {
    for (std::size_t s = 1; s <= 2; ++s) {
      for (std::size_t k = 2; k <= 3; ++k) {
        SCOPED_TRACE(testing::Message() << "stage " << s << " part " << k);
        if (rSeries != nullptr)
          EXPECT_TRUE(onSeries(f.record.R[s][k], *rSeries)) << f.record.R[s][k];
        else
          EXPECT_EQ(f.record.R[s][k], from.R[s][k]);
        if (cSeries != nullptr)
          EXPECT_TRUE(onSeries(f.record.C[s][k], *cSeries)) << f.record.C[s][k];
        else
          EXPECT_EQ(f.record.C[s][k], from.C[s][k]);
      }
    }
  };
  f.Click("cmdNearest5");
  f.page->SelectOption("optRoundResistors");
  f.Click("cmd1");
  EXPECT_TRUE(f.Redrawn());
  check(&StandardSeries::E96(), nullptr, exact);
  EXPECT_FALSE(onSeries(exact.R[1][2], StandardSeries::E96()));  // so rounding moved it
  const DesignRecord resistorsRounded = f.record;
  f.Click("cmdNearest5");
  EXPECT_TRUE(f["optRoundResistors"].checked);  // the choice stays until changed
  f.page->SelectOption("optRoundCapacitors");
  EXPECT_EQ(f.record.C, resistorsRounded.C);  // choosing rounds nothing
  f.Click("cmd10");
  check(nullptr, &StandardSeries::E12(), resistorsRounded);
  check(&StandardSeries::E96(), &StandardSeries::E12(), exact);
  EXPECT_TRUE(onSeries(f.record.C[1][1], StandardSeries::E12())) << "the three-pole C1 too";
  EXPECT_TRUE(onSeries(f.record.R[1][1], StandardSeries::E96()));
  f.Click("cmdRestore");
  EXPECT_EQ(f.record.R, resistorsRounded.R);
  EXPECT_EQ(f.record.C, resistorsRounded.C);
}

}  // namespace
}  // namespace kestro::test
