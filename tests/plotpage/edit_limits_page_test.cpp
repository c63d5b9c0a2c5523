// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/edit_limits_page.h"

#include <gtest/gtest.h>

#include "core/gain_limits.h"
#include "plot_test_context.h"

namespace kestro::test {
namespace {

// A floor from DC edits its stop and minimum, a ceiling upward its start and maximum; a limit
// whose start is 0 is not listed. Accept reads 0 Hz as DC and 2E10 Hz as upward, lists the
// limits again and leaves nothing selected.
TEST(EditLimitsPage, RowsFieldsAndAccept) {
  PlotTestContext t;
  AddGainLimit(t.record, 1, kFloorFromDc, 1000, -3);
  AddGainLimit(t.record, 1, kCeilingFromDc, 500, 1);
  t.record.LimitStart[2][1] = 0;
  AddGainLimit(t.record, 1, kCeilingUpward, 3000, -40);
  EditLimitsPage page(t.context, t.link);
  EXPECT_EQ(page["lstSelect"].rows, (Names{LimitListRow(t.record, 1), LimitListRow(t.record, 3)}));
  const auto fields = [&page] {
    Names shown;
    for (const char* name : {"txtStart", "txtStop", "txtUpper", "txtLower"})
      shown.push_back((page[name].enabled ? "+" : "-") + page[name].caption);
    return shown;
  };
  page.ClickRow("lstSelect", 0);
  EXPECT_EQ(fields(), (Names{"- 10mH", "+ 1K ", "+-3  ", "--300  "}));
  page.ClickRow("lstSelect", 1);
  EXPECT_EQ(fields(), (Names{"+ 3K ", "- 10G ", "-100  ", "+-40  "}));
  page.Type("txtStart", "0");
  page.Type("txtStop", "2E10");
  page.Type("txtLower", "-35");
  page.Click("cmdAccept");
  EXPECT_EQ(
      (Floats{t.record.LimitStart[3][1], t.record.LimitStop[3][1], t.record.LimitBottom[3][1]}),
      (Floats{0.01f, 1e10f, -35}));
  EXPECT_EQ(page["lstSelect"].rows[1], LimitListRow(t.record, 3));
  EXPECT_FALSE(page["cmdAccept"].enabled);
  t.record.LimitEntrySet = 1;
  page.Click("cmdExit");
  EXPECT_EQ(t.record.LimitEntrySet, 0);
  EXPECT_EQ(t.navigator.closed, (std::vector<PageId>{PageId::Limits, PageId::EditLimits}));
}

}  // namespace
}  // namespace kestro::test
