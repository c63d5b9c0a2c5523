#include "views/print_summary.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/recording_print_device.h"
#include "views/print_test_record.h"

namespace kestro {
namespace {

using test::RecordingPrintDevice;
using test::ScriptedDialogs;
using Texts = std::vector<std::string>;

struct Printed {
  RecordingPrintDevice device;
  ScriptedDialogs dialogs;
  // "x,y text" of every text, or of those at x.
  Texts At(float x = -1) const {
    Texts texts;
    for (const auto& t : device.texts) {
      if (x < 0 || t.x == x)
        texts.push_back(std::to_string(static_cast<int>(t.y)) + " " + t.text);
    }
    return texts;
  }
};

std::unique_ptr<Printed> Print(DesignRecord& record) {
  auto printed = std::make_unique<Printed>();
  EXPECT_TRUE(SummaryPrintout(record, printed->device, printed->dialogs).Run());
  return printed;
}

TEST(SummaryPrintout, AManualTwoPoleDesignShowsModifiedNoPolesAndTheFloorCapacitorAsZero) {
  auto record = test::DesignedRecord(4);
  record->Family = kManual;
  record->SessionFile = "KSTdata.DEL";
  const auto printed = Print(*record);
  EXPECT_EQ(
      printed->At(1200),
      (Texts{"1700 Starting frequency:  1K ", "1900 Ending frequency:  10K ",
             "2100 Number of intervals: 512 ", "2300 Plot dB top: 10 ", "2500 Plot dB bottom: -50 ",
             "2700 Plot delay top: 1.2m", "2900 Number of Y intervals: 6", "3500 Family: Modified",
             "3700 Bandwidth:  1K ", "3900 Passband ripple: 0", "4100 Order: 4",
             "4700 ( Not applicable )", "5300 Stage 1:", "5500 Stage 2:", "6100 Stage 1:",
             "6300 Stage 2:", "6900 ( None )", "7500 ( None )"}));
  EXPECT_EQ(printed->At(2300), (Texts{"5300 C1: 0", "5500 C1: 0", "6100 R1: 0", "6300 R1: 0"}));
  const Texts headings = printed->At(1000);
  EXPECT_EQ(headings.at(headings.size() - 2), "7900 File path/name: KSTdata.DEL");
  EXPECT_EQ(headings.back().substr(0, 28), "8100 Printed by KestroLab - ");
  EXPECT_EQ(record->MarkersOn, 0);
}

TEST(SummaryPrintout, LimitLinesNameDcUpwardAndTheOpenEnds) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {SummaryPrintout::LimitStartText(0.01f), "DC"},
      {SummaryPrintout::LimitStartText(2500), " 2500"},
      {SummaryPrintout::LimitStopText(1E10f), "upward"},
      {SummaryPrintout::LimitStopText(900), "up to  900"},
      {SummaryPrintout::LimitTopText(-3), "-3 max"},
      {SummaryPrintout::LimitTopText(100), "more than +50"},
      {SummaryPrintout::LimitBottomText(-40.5f), "down to -40.5"},
      {SummaryPrintout::LimitBottomText(-300), "less than -100"},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(text, expected);
}

// The pole listing stops at order 10 for Bessel; the design itself keeps its order.
TEST(SummaryPrintout, ABesselDesignAboveOrderTenListsTenPolesAndKeepsItsOrder) {
  auto record = test::DesignedRecord(11, kBessel);
  const auto printed = Print(*record);
  EXPECT_EQ(std::tuple(record->Order, printed->At(2600).size()), std::tuple(int16_t{11}, 10u));
}

// Eleven poles, eight markers and fifteen limits (a session file may hold that many) do not fit
// in the 15200-twip drawing area.
TEST(SummaryPrintout, ALongSummaryContinuesOnASecondSheet) {
  auto record = test::DesignedRecord(11);
  for (std::size_t k = 1; k <= kUsedMarkers; ++k)
    record->MarkerFreq[k] = 500.0f * static_cast<float>(k);
  for (int j = 1; j <= kMaxLimit; ++j)
    test::SetLimit(*record, j, 2, 1000.0f * static_cast<float>(j), 1E10f, 100, -40);
  const auto printed = Print(*record);
  const auto& texts = printed->device.texts;
  const float lowest =
      std::max_element(texts.begin(), texts.end(), [](const auto& a, const auto& b) {
        return a.y < b.y;
      })->y;
  EXPECT_EQ(std::tuple(printed->device.sheets, record->MarkersOn, texts.back().sheet,
                       texts.back().text.substr(0, 23), printed->At(1250).size()),
            std::tuple(2, int16_t{1}, 2, std::string("Printed by KestroLab - "), std::size_t{8}));
  EXPECT_LE(lowest + 200, 15000);  // the recording sheet's printable height
}

}  // namespace
}  // namespace kestro
