// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/stages_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

#include "core/eng_value.h"
#include "views_test_context.h"

namespace kestro::test {
namespace {

// The blank-separated fields of a list row.
Strings Fields(const std::string& row) {
  std::istringstream in(row);
  Strings fields;
  for (std::string field; in >> field;)
    fields.push_back(field);
  return fields;
}

float Read(const std::string& text) {
  float value = 0;
  ReadEngValue(text, value);
  return value;
}

bool AnyRowHas(const Control& list, const std::string& text) {
  return std::ranges::any_of(list.rows,
                             [&](const std::string& row) { return row.find(text) != row.npos; });
}

// The pairs of a Butterworth filter of order n at 1 kHz: every f0 is 1 kHz and the Qs are
// 1 / (2 sin((2k - 1) pi / (2n))), k = 1 .. n/2; an odd order adds a real pole at 1 kHz.
Strings ButterworthQs(int order) {
  Strings qs;
  for (int k = 1; k <= order / 2; ++k)
    qs.push_back(Trimmed(FormatNum(
        static_cast<float>(0.5 / std::sin((2 * k - 1) * std::numbers::pi / (2 * order))))));
  std::ranges::sort(qs);
  return qs;
}

// One row per stage with its kind, f0 and Q from the parts; the ranked parts largest first.
TEST(StagesPage, ShowsEveryStageOfEvenAndOddOrdersWithThePairsOfTheDesign) {
  for (const int order : {4, 5}) {
    SCOPED_TRACE("Butterworth " + std::to_string(order));
    ViewsTestContext app(kButterworth, static_cast<int16_t>(order));
    StagesPage page(app.context);
    const Control& stages = page["lstStages"];
    ASSERT_EQ(stages.rows.size(), static_cast<std::size_t>(order / 2));
    Strings qs, kinds;
    for (const std::string& row : stages.rows) {
      const Strings f = Fields(row);
      kinds.push_back(f.at(1));
      const bool threePole = f.at(1) == "three-pole";
      if (threePole) {
        EXPECT_NEAR(Read(f.at(2)), 1000.0, 0.01) << row;  // the real pole
      }
      const std::size_t pair = threePole ? 3 : 2;
      EXPECT_NEAR(Read(f.at(pair)), 1000.0, 0.01) << row;
      qs.push_back(f.at(pair + 1));
      EXPECT_GT(Read(f.at(pair + 2)), 1000.0) << row;  // GBW needed, no margin without an op-amp
      EXPECT_EQ(f.size(), pair + 3) << row;
    }
    std::ranges::sort(qs);
    EXPECT_EQ(qs, ButterworthQs(order));
    EXPECT_EQ(std::ranges::count(kinds, "three-pole"), order % 2);
    EXPECT_EQ(page["lstWarnings"].rows,
              Strings{"None: every part and stage can be built as drawn."});
    std::vector<float> changes;
    for (const std::string& row : page["lstSensitivity"].rows)
      changes.push_back(Read(Fields(row).at(2)));
    EXPECT_EQ(changes.size(), order == 4 ? 8u : 10u);  // R2, R3, C2, C3; R1 and C1 once
    EXPECT_TRUE(std::ranges::is_sorted(changes, std::greater<>{}));
    EXPECT_GT(changes.front(), 0.01f);
  }
}

// With a GBW the margin is GBW / needed in every row; the switch analyses the filter with the
// op-amp and back, and the record keeps what was typed.
TEST(StagesPage, TheOpampSwitchShowsTheMarginAndChangesTheResponse) {
  ViewsTestContext app(kButterworth, 4);
  app.record.Fstop = 3000;
  Analyze(app.record);
  const auto ideal = app.record.Gain;
  StagesPage page(app.context);
  EXPECT_TRUE(page["optIdeal"].checked);
  page.Type("txtGbw", "50k");
  page.SelectOption("optOpamp");
  EXPECT_EQ(app.dialogs.Texts(), Strings{});
  EXPECT_TRUE(page["optOpamp"].checked && !page["optIdeal"].checked);
  EXPECT_EQ(app.record.OpampOn, 1);
  EXPECT_EQ(app.record.OpampGbw, 50e3f);
  for (const std::string& row : page["lstStages"].rows) {
    const Strings f = Fields(row);
    ASSERT_EQ(f.size(), 6u) << row;
    EXPECT_NEAR(Read(f[5]), 50e3 / Read(f[4]), 1e-3 * Read(f[5])) << row;
  }
  const auto last = static_cast<std::size_t>(app.record.Nints);
  EXPECT_GT(std::fabs(app.record.Gain[last] - ideal[last]), 0.3f);  // 3 kHz, a 50 kHz op-amp
  page.SelectOption("optIdeal");
  EXPECT_EQ(app.record.OpampOn, 0);
  EXPECT_EQ(app.record.Gain, ideal);
  EXPECT_EQ(page["txtGbw"].caption, "50k");
  page.SelectOption("optOpamp");
  page.Type("txtGbw", "");  // cleared: the ideal follower again
  page.Click("cmdApply");
  EXPECT_EQ(app.record.OpampOn, 0);
  EXPECT_TRUE(page["optIdeal"].checked);
  EXPECT_EQ(app.record.Gain, ideal);
}

// Chebyshev 11 at 20 dB ripple and 10 MHz cannot be built: its warnings are listed with their
// reasons, and a 10 V/us op-amp at 5 V peak slews below the bandwidth (10 / (2 pi 5) MHz).
TEST(StagesPage, ListsTheBuildWarningsAndTheSlewLimit) {
  ViewsTestContext app(kChebyshev, 11, 20);
  app.record.Bandwidth = 10e6f;
  SynthesizeOrReport(app.record, app.dialogs);
  Analyze(app.record);
  StagesPage page(app.context);
  const Control& warnings = page["lstWarnings"];
  for (const char* reason :
       {"(stray and op-amp input capacitance are of that size)",
        "(its gain peak follows every part's tolerance)", "(few op-amps reach it)"}) {
    EXPECT_TRUE(AnyRowHas(warnings, reason)) << reason;
  }
  EXPECT_EQ(page["lblFullPower"].caption, "Full-power bandwidth: no slew rate given");
  EXPECT_FALSE(page["lblSlewWarning"].visible);
  page.Type("txtSlewRate", "10");
  page.Type("txtAmplitude", "5");
  page.Click("cmdApply");
  EXPECT_EQ(page["lblFullPower"].caption,
            "Full-power bandwidth SR / (2 pi amplitude) (Hz): 318.31K");
  EXPECT_TRUE(page["lblSlewWarning"].visible);
  EXPECT_EQ(page["lblSlewWarning"].caption,
            "Warning: below the filter's bandwidth (10M): the output cannot swing 5 V peak "
            "without slewing");
}

// Values that cannot be an op-amp's are repaired with a message; the switch stays off without a
// GBW.
TEST(StagesPage, RepairsBadOpampValuesWithTheirMessages) {
  struct Case {
    const char* field;
    const char* typed;
    const char* message;
    const char* shown;
  };
  for (const Case& c : {Case{"txtGbw", "-5M", StagesPage::kGbwResetMessage, ""},
                        Case{"txtGbw", "fast", StagesPage::kGbwResetMessage, ""},
                        Case{"txtSlewRate", "0", StagesPage::kSlewResetMessage, ""},
                        Case{"txtAmplitude", "-2", StagesPage::kAmplitudeResetMessage, "1"}}) {
    SCOPED_TRACE(std::string(c.field) + " " + c.typed);
    ViewsTestContext app;
    StagesPage page(app.context);
    page.Type(c.field, c.typed);
    page.Click("cmdApply");
    EXPECT_EQ(app.dialogs.Texts(), Strings{c.message});
    EXPECT_EQ(page[c.field].caption, c.shown);
    EXPECT_EQ((std::vector<float>{app.record.OpampGbw, app.record.OpampSlewRate,
                                  app.record.OpampAmplitude}),
              (std::vector<float>{0, 0, 1}));
  }
  ViewsTestContext app;
  StagesPage page(app.context);
  page.SelectOption("optOpamp");
  EXPECT_EQ(app.dialogs.Texts(), Strings{StagesPage::kNoGbwMessage});
  EXPECT_TRUE(page["optIdeal"].checked && !page["optOpamp"].checked);
  EXPECT_EQ(app.record.OpampOn, 0);
}

// The page's own button in the row is lit and does nothing.
TEST(StagesPage, ItsOwnRowButtonStays) {
  ViewsTestContext app;
  StagesPage page(app.context);
  page.Click("cmdStages");
  EXPECT_EQ(app.navigator.calls, Calls{});
  EXPECT_EQ(page.WindowCaption(), "KestroLab - Stages");
}

}  // namespace
}  // namespace kestro::test
