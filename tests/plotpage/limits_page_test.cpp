#include "plotpage/limits_page.h"

#include <gtest/gtest.h>

#include "core/gain_limits.h"
#include "plot_test_context.h"

namespace kestro {
namespace {

using test::Names;

struct LimitsFixture : test::PlotPageFixture {
  LimitsFixture() {
    record.LimitsOn = 1;
    AddGainLimit(record, 1, kFloorFromDc, 1000, -3);
    AddGainLimit(record, 1, kCeilingUpward, 3000, -40);
    link.RedrawPlot();
  }
  LimitsPage limits{context, link};
};

TEST(LimitsPage, Captions) {
  LimitsFixture f;
  Names captions{f.limits.WindowCaption()};
  for (const char* name :
       {"cmdEnter", "cmdLimitsEdit", "cmdLimitsEraseAll", "cmdLimitsHide", "cmdLimitsOn"})
    captions.push_back(f.limits[name].caption);
  EXPECT_EQ(captions, (Names{"Limits", "Enter", "Edit", "Erase all", "Hide", "Show"}));
}

TEST(LimitsPage, EraseAllThenEditSaysThereAreNone) {
  LimitsFixture f;
  f.canvas.commands.clear();
  f.limits.Click("cmdLimitsEraseAll");
  EXPECT_EQ(f.record.NrLimits[1], 0);
  EXPECT_TRUE(f.Redrawn());
  EXPECT_EQ(f.navigator.closed, std::vector<PageId>{PageId::Limits});
  f.limits.Click("cmdLimitsEdit");
  EXPECT_EQ(f.dialogs.Texts(), Names{"No limits areas have been entered"});
  EXPECT_TRUE(f.navigator.opened.empty());
  AddGainLimit(f.record, 6, kFloorFromDc, 1000, -3);  // any of the sets 1 to 6 opens the page
  f.limits.Click("cmdLimitsEdit");
  EXPECT_EQ(f.navigator.opened,
            (std::vector<std::pair<PageId, OpenMode>>{{PageId::EditLimits, OpenMode::Over}}));
}

// Hide takes the masks off the plot and disables Optimize; Show brings both back.
TEST(LimitsPage, HideAndShow) {
  LimitsFixture f;
  ASSERT_TRUE(f.Enabled("cmdOptimize"));
  f.canvas.commands.clear();
  f.limits.Click("cmdLimitsHide");
  EXPECT_EQ(f.record.LimitsOn, 0);
  EXPECT_FALSE(f.Enabled("cmdOptimize"));
  EXPECT_TRUE(f.Redrawn());
  const auto masks = [&f] {
    int n = 0;
    for (const auto& c : f.canvas.OfKind(test::Kind::FillRect))
      n += c.colour == Rgb{255, 238, 238} ? 1 : 0;
    return n;
  };
  EXPECT_EQ(masks(), 0);
  f.canvas.commands.clear();
  f.limits.Click("cmdLimitsOn");
  EXPECT_EQ(masks(), 2);
  EXPECT_TRUE(f.Enabled("cmdOptimize"));
  EXPECT_EQ(f.navigator.closed, (std::vector<PageId>{PageId::Limits, PageId::Limits}));
}

TEST(LimitsPage, EnterStartsTheEntryOnThePlotPage) {
  LimitsFixture f;
  f.record.LimitsOn = 0;
  f.limits.Click("cmdEnter");
  EXPECT_EQ(std::vector<int>({f.record.LimitEntrySet, f.record.LimitsOn}),
            std::vector<int>({1, 1}));
  EXPECT_TRUE(f.Visible("cmdLimit4"));
  EXPECT_FALSE(f.Enabled("cmdLimits"));
  EXPECT_EQ(f.navigator.closed, std::vector<PageId>{PageId::Limits});
  f.page.reset();  // with the plot page closed the commands still work on the record
  f.limits.Click("cmdLimitsEraseAll");
  EXPECT_EQ(f.record.NrLimits[1], 0);
}

}  // namespace
}  // namespace kestro
