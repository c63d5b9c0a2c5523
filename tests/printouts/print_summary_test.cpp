#include "printouts/print_summary.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/recording_print_device.h"
#include "views/views_test_context.h"

namespace kestro {
namespace {

using test::RecordingPrintDevice;
using Texts = std::vector<std::string>;

std::unique_ptr<RecordingPrintDevice> Print(DesignRecord& record) {
  auto device = std::make_unique<RecordingPrintDevice>();
  test::ScriptedDialogs dialogs;
  const test::ManualClock clock;
  EXPECT_TRUE(SummaryPrintout(record, *device, dialogs, clock).Run());
  return device;
}

// The printed texts that begin with `prefix`, in printing order.
Texts Starting(const RecordingPrintDevice& device, const std::string& prefix) {
  Texts texts;
  for (const auto& t : device.texts) {
    if (t.text.starts_with(prefix))
      texts.push_back(t.text);
  }
  return texts;
}

// The pole listing stops at order 10 for Bessel; the design itself keeps its order.
TEST(SummaryPrintout, ABesselDesignAboveOrderTenListsTenPolesAndKeepsItsOrder) {
  test::ViewsTestContext app(kBessel, 11);
  EXPECT_EQ(Starting(*Print(app.record), "Y: ").size(), 10u);
  EXPECT_EQ(app.record.Order, 11);
}

// Eleven poles, eight markers and fifteen limits (a session file may hold that many) do not fit
// on one sheet: the rest goes on a second one, and nothing is printed below the sheet's end.
TEST(SummaryPrintout, ALongSummaryContinuesOnASecondSheet) {
  test::ViewsTestContext app(kButterworth, 11);
  for (std::size_t k = 1; k <= kUsedMarkers; ++k)
    app.record.MarkerFreq[k] = 500.0f * static_cast<float>(k);
  for (std::size_t j = 1; j <= kMaxLimit; ++j)
    test::SetLimit(app.record, j, 2, 1000.0f * static_cast<float>(j), 1E10f, 100, -40);
  const auto device = Print(app.record);
  EXPECT_EQ(Starting(*device, "#"), (Texts{"#1", "#2", "#3", "#4", "#5", "#6", "#7", "#8"}));
  EXPECT_EQ(Starting(*device, "more than +50").size(), std::size_t{kMaxLimit});
  EXPECT_EQ(app.record.MarkersOn, 1);
  EXPECT_EQ(device->sheets, 2);
  EXPECT_EQ(device->texts.back().sheet, 2);
  EXPECT_TRUE(device->texts.back().text.starts_with("Printed by KestroLab - "));
  for (const auto& t : device->texts)
    EXPECT_LE(t.y + device->TextHeight(), device->AreaHeight()) << t.text;
}

}  // namespace
}  // namespace kestro
