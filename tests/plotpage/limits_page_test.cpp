// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/limits_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/gain_limits.h"
#include "plot_test_context.h"

namespace kestro::test {
namespace {

// The pale red masks on the last drawing.
long Masks(const RecordingCanvas& canvas) {
  return std::ranges::count(canvas.OfKind(Kind::FillRect), Rgb{255, 238, 238},
                            &DrawCommand::colour);
}

// Hide takes the masks off and disables Optimize, Show brings both back, Erase all empties the
// list so that Edit then says so; each of them closes the window.
TEST(LimitsPage, HideShowEraseAndEdit) {
  PlotPageFixture f;
  f.record.LimitsOn = 1;
  AddGainLimit(f.record, 1, kFloorFromDc, 1000, -3);
  AddGainLimit(f.record, 1, kCeilingUpward, 3000, -40);
  LimitsPage limits(f.context, f.link);
  limits.Click("cmdLimitsHide");
  EXPECT_FALSE(f["cmdOptimize"].enabled);
  EXPECT_EQ(Masks(f.canvas), 0);
  f.canvas.commands.clear();
  limits.Click("cmdLimitsOn");
  EXPECT_TRUE(f["cmdOptimize"].enabled);
  EXPECT_EQ(Masks(f.canvas), 2);
  limits.Click("cmdLimitsEraseAll");
  limits.Click("cmdLimitsEdit");
  EXPECT_EQ(f.dialogs.Texts(), Names{"No limits areas have been entered"});
  EXPECT_EQ(f.navigator.closed, std::vector<PageId>(3, PageId::Limits));
  EXPECT_TRUE(f.navigator.opened.empty());
  AddGainLimit(f.record, 6, kFloorFromDc, 1000, -3);  // any of the sets 1 to 6 opens the page
  limits.Click("cmdLimitsEdit");
  EXPECT_EQ(f.navigator.opened,
            (decltype(f.navigator.opened){{PageId::EditLimits, OpenMode::Over}}));
  f.page.reset();  // with the analysis page closed Enter still starts the entry
  limits.Click("cmdEnter");
  EXPECT_EQ(f.record.LimitEntrySet, 1);
}

}  // namespace
}  // namespace kestro::test
