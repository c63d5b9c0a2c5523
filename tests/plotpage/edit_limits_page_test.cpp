#include "plotpage/edit_limits_page.h"

#include <gtest/gtest.h>

#include "core/gain_limits.h"
#include "plot_test_context.h"

namespace kestro {
namespace {

using test::Names;

// Counts the redraws the edit page asks of the analysis page.
struct CountingPlot final : PlotRedraw {
  int redraws = 0;
  void RedrawPlot() override { ++redraws; }
  void ClearMarkerArea() override {}
  void BeginLimitEntry() override {}
  void DisableOptimize() override {}
};

struct EditFixture : test::PlotTestContext {
  EditFixture() {
    AddGainLimit(record, 1, kFloorFromDc, 1000, -3);
    AddGainLimit(record, 1, kCeilingFromDc, 500, 1);
    record.LimitStart[2][1] = 0;  // never set: not listed
    AddGainLimit(record, 1, kCeilingUpward, 3000, -40);
  }
  std::unique_ptr<EditLimitsPage> Open() { return std::make_unique<EditLimitsPage>(context, link); }
};

TEST(EditLimitsPage, ListsTheLimitsInFixedPitchRows) {
  EditFixture f;
  auto page = f.Open();
  const Control& list = (*page)["lstSelect"];
  EXPECT_TRUE(list.fixedPitch);
  EXPECT_EQ(list.rows, (Names{LimitListRow(f.record, 1), LimitListRow(f.record, 3)}));
  EXPECT_EQ(std::vector<int>({page->LimitOfRow(0), page->LimitOfRow(1), page->LimitOfRow(2)}),
            std::vector<int>({1, 3, 0}));
  Names captions;
  for (const char* name :
       {"lblGuidance", "lblStart", "lblStop", "lblUpper", "lblLower", "cmdAccept", "cmdExit"})
    captions.push_back((*page)[name].caption);
  EXPECT_EQ(captions, (Names{"Click on a limit in the list to edit it:", "Starting frequency:",
                             "Stopping frequency:", "Minimum allowed:", "Maximum allowed:",
                             "Accept these values", "Return to Plot page"}));
  EXPECT_FALSE((*page)["cmdAccept"].enabled) << "nothing to accept before a row is clicked";
  EXPECT_FALSE((*page)["cmdShape2"].picture.empty());
}

// A floor from DC edits its stop and minimum; a ceiling upward its start and maximum.
TEST(EditLimitsPage, ARowFillsTheFieldsItsShapeCanChange) {
  EditFixture f;
  auto page = f.Open();
  const Names fields{"txtStart", "txtStop", "txtUpper", "txtLower"};
  const auto state = [&page, &fields] {
    Names shown;
    for (const std::string& name : fields)
      shown.push_back(((*page)[name].enabled ? "+" : "-") + (*page)[name].caption);
    return shown;
  };
  page->ClickRow("lstSelect", 0);
  EXPECT_EQ(state(), (Names{"- 10mH", "+ 1K ", "+-3  ", "--300  "}));
  EXPECT_TRUE((*page)["cmdAccept"].enabled);
  EXPECT_TRUE((*page)["lblGuidance"].foreColour.has_value()) << "greyed";
  page->ClickRow("lstSelect", 1);
  EXPECT_EQ(state(), (Names{"+ 3K ", "- 10G ", "-100  ", "+-40  "}));
}

// Typed 0 Hz is DC, 2E10 Hz upward; the list shows the new band and nothing stays selected.
TEST(EditLimitsPage, AcceptHoldsDcAndUpwardAndListsAgain) {
  EditFixture f;
  auto page = f.Open();
  page->ClickRow("lstSelect", 1);
  page->Type("txtStart", "0");
  page->Type("txtStop", "2E10");
  page->Type("txtLower", "-35");
  page->Click("cmdAccept");
  EXPECT_EQ(std::vector<float>({f.record.LimitStart[3][1], f.record.LimitStop[3][1],
                                f.record.LimitTop[3][1], f.record.LimitBottom[3][1]}),
            std::vector<float>({0.01f, 1e10f, 100, -35}));
  EXPECT_EQ((*page)["lstSelect"].rows[1].substr(23, 14), "DC up to      ");
  EXPECT_EQ((*page)["txtStop"].caption, "");
  EXPECT_FALSE((*page)["cmdAccept"].enabled);
  page->ClickRow("lstSelect", 0);
  page->Type("txtStop", "0");
  page->Click("cmdAccept");
  EXPECT_EQ(f.record.LimitStop[1][1], 0.012f);
}

TEST(EditLimitsPage, ReturnEndsTheEntryAndClosesBothPages) {
  EditFixture f;
  CountingPlot plot;
  f.link.Attach(plot);
  f.record.LimitEntrySet = 1;
  auto page = f.Open();
  page->Click("cmdExit");
  EXPECT_EQ(f.record.LimitEntrySet, 0);
  EXPECT_EQ(plot.redraws, 1);
  EXPECT_EQ(f.navigator.closed, (std::vector<PageId>{PageId::Limits, PageId::EditLimits}));
}

}  // namespace
}  // namespace kestro
