// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/fit_limits_page.h"

#include <gtest/gtest.h>

#include "analysis/limit_error.h"
#include "core/gain_limits.h"
#include "plot_test_context.h"

namespace kestro::test {
namespace {

// The analysis page of a fourth-order Butterworth design, with a floor of `floor` dB up to 1 kHz
// and a ceiling of -40 dB from `stopband` Hz.
struct FitFixture : PlotPageFixture {
  FitFixture(float stopband, float floor = -1) {
    AddGainLimit(record, kGainLimitSet, kFloorFromDc, 1000, floor);
    AddGainLimit(record, kGainLimitSet, kCeilingUpward, stopband, -40);
    record.LimitsOn = 1;
    page->RedrawPlot();
    fit = std::make_unique<FitLimitsPage>(context, link);
  }
  std::unique_ptr<FitLimitsPage> fit;
};

// Fit to limits needs gain limits; it opens the fit page, whose rows give the lowest orders
// (scipy's analog buttord and cheb1ord for a 1 dB passband to 1 kHz and 40 dB from 3 kHz: 5 and
// 4) with the largest ripple the floor allows. Picking the Chebyshev row designs it: the mask is
// met, and the analysis page shows the new design.
TEST(FitLimitsPage, RowsPerFamilyAndThePickedRowDesigned) {
  PlotPageFixture bare;
  EXPECT_FALSE(bare["cmdFitLimits"].enabled);
  FitFixture f(3000);
  ASSERT_TRUE(f["cmdFitLimits"].enabled);
  f.Click("cmdFitLimits");
  EXPECT_EQ(f.navigator.opened.back(), std::pair(PageId::FitLimits, OpenMode::Modal));

  const std::vector<std::string>& rows = (*f.fit)["lstFitRows"].rows;
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].substr(0, 20), "Butterworth  5      ");
  EXPECT_EQ(rows[0].substr(32, 10), "-         ");
  EXPECT_EQ(rows[1].substr(0, 20), "Chebyshev    4      ");
  EXPECT_EQ(rows[1].substr(32, 10), "0.99 dB   ");
  EXPECT_EQ(rows[2].substr(0, 13), "Bessel       ");
  for (const std::string& row : {rows[0], rows[1]}) {
    SCOPED_TRACE(row);
    EXPECT_EQ(row.substr(row.size() - 3), " dB");      // the margin
    const float bandwidth = Read(row.substr(20, 12));  // between the floor and the ceiling
    EXPECT_TRUE(bandwidth > 1000 && bandwidth < 3000) << bandwidth;
  }
  EXPECT_FALSE((*f.fit)["cmdFitDesign"].enabled);
  f.fit->ClickRow("lstFitRows", 1);
  ASSERT_TRUE((*f.fit)["cmdFitDesign"].enabled);
  f.canvas.commands.clear();
  f.fit->Click("cmdFitDesign");
  EXPECT_EQ(f.FamilyAndModified(), (std::vector<int>{kChebyshev, 0}));
  EXPECT_EQ(f.record.Order, 4);
  EXPECT_FLOAT_EQ(f.record.Apass, 0.99f);
  EXPECT_EQ(ComputeLimitError(f.record), 0.0f);
  EXPECT_EQ(f.navigator.closed, std::vector<PageId>{PageId::FitLimits});
  EXPECT_TRUE(f.Redrawn());
  EXPECT_EQ(f["UpDown1"].maximum, 2);
  EXPECT_TRUE(f["cmdPoles"].enabled);
  EXPECT_FALSE(f["cmdRestore"].enabled);
}

// A mask no order can meet (40 dB down only 10 % above the band edge): each family says so, and
// its row cannot be designed.
TEST(FitLimitsPage, FamiliesThatCannotMeetTheMaskSaySo) {
  FitFixture f(1100);
  EXPECT_EQ((*f.fit)["lstFitRows"].rows,
            (std::vector<std::string>{"Butterworth  no order up to 11 meets the mask",
                                      "Chebyshev    no order up to 11 meets the mask",
                                      "Bessel       no order up to 10 meets the mask"}));
  const DesignRecord before = f.record;
  for (int row = 0; row < 3; ++row) {
    f.fit->ClickRow("lstFitRows", row);
    EXPECT_FALSE((*f.fit)["cmdFitDesign"].enabled);
  }
  f.fit->Click("cmdFitDesign");
  EXPECT_EQ(f.record.C, before.C);
  f.fit->Click("cmdFitClose");
  EXPECT_EQ(f.navigator.closed, std::vector<PageId>{PageId::FitLimits});
}

}  // namespace
}  // namespace kestro::test
