// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/print_summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/eng_reader.h"
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

// The texts printed on the line at y, left to right.
Texts LineAt(const RecordingPrintDevice& device, float y) {
  std::vector<std::pair<float, std::string>> line;
  for (const auto& t : device.texts) {
    if (t.y == y)
      line.emplace_back(t.x, t.text);
  }
  std::sort(line.begin(), line.end());
  Texts texts;
  for (const auto& [x, text] : line)
    texts.push_back(text);
  return texts;
}

float YOf(const RecordingPrintDevice& device, const std::string& text) {
  for (const auto& t : device.texts) {
    if (t.text == text)
      return t.y;
  }
  ADD_FAILURE() << "not printed: " << text;
  return -1;
}

float EngValue(const std::string& text) {
  float value = 0;
  ReadEngValue(text, value);
  return value;
}

// A Butterworth 4 at 1 kHz: two two-pole stages at f0 = 1 kHz with Q = 1 / (2 sin((2k-1) pi / 8)),
// a margin column once an op-amp is chosen, and no build warnings.
TEST(SummaryPrintout, TheStageTableListsEveryStageUnderItsHeadings) {
  test::ViewsTestContext app(kButterworth, 4);
  app.record.OpampGbw = 1e8f;
  const auto device = Print(app.record);
  const float heading = YOf(*device, "GBW needed:");
  EXPECT_EQ(LineAt(*device, heading),
            (Texts{"Stage:", "Kind:", "Real pole:", "f0 (Hz):", "Q:", "GBW needed:", "Margin:"}));
  std::vector<double> qs;
  for (int s = 1; s <= 2; ++s) {
    SCOPED_TRACE(s);
    const Texts row = LineAt(*device, heading + 200.0f * static_cast<float>(s));
    ASSERT_EQ(row.size(), 6u);
    EXPECT_EQ(row[0], std::to_string(s));
    EXPECT_EQ(row[1], "two-pole");
    EXPECT_NEAR(EngValue(row[2]), 1000.0, 0.5);
    qs.push_back(std::stod(row[3]));
    const float needed = EngValue(row[4]);
    EXPECT_GT(needed, 1000.0f);
    EXPECT_NEAR(EngValue(row[5]), 1e8f / needed, 1e-3f * 1e8f / needed);
  }
  std::sort(qs.begin(), qs.end());
  EXPECT_NEAR(qs[0], 1 / (2 * std::sin(3 * std::numbers::pi / 8)), 1e-3);
  EXPECT_NEAR(qs[1], 1 / (2 * std::sin(std::numbers::pi / 8)), 1e-3);
  EXPECT_EQ(LineAt(*device, YOf(*device, "Build warnings: ") + 200),
            (Texts{"None: every part and stage can be built as drawn."}));
}

// An odd-order Chebyshev at 20 dB ripple: the three-pole stage comes first with its real pole, and
// the last pair's Q (near 380) is warned about with its reason.
TEST(SummaryPrintout, TheThreePoleStageAndTheBuildWarningsArePrinted) {
  test::ViewsTestContext app(kChebyshev, 11, 20);
  const auto device = Print(app.record);
  const Texts first = LineAt(*device, YOf(*device, "GBW needed:") + 200);
  ASSERT_GE(first.size(), 3u);
  EXPECT_EQ(first[1], "three-pole");
  // The real pole of the prototype lies at sinh(asinh(1/eps) / 11) of the bandwidth.
  const double eps = std::sqrt(std::pow(10.0, 20.0 / 10) - 1);
  EXPECT_NEAR(EngValue(first[2]), 1000 * std::sinh(std::asinh(1 / eps) / 11), 0.05);
  const Texts q = Starting(*device, "Stage 5: Q = ");
  ASSERT_EQ(q.size(), 1u);
  EXPECT_TRUE(q[0].ends_with(" is above 20 (its gain peak follows every part's tolerance)"))
      << q[0];
  EXPECT_GT(YOf(*device, q[0]), YOf(*device, "Build warnings: "));
}

}  // namespace
}  // namespace kestro
