#include "app/design_page.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "app_test_context.h"
#include "files/session_file.h"

namespace kestro::test {
namespace {

using Call = RecordingNavigator::Call;
using Strings = std::vector<std::string>;

// The record as the welcome page leaves it after "Retrieve an olde design" with no file.
class DesignPageTest : public ::testing::Test {
 protected:
  DesignPageTest() { app.record.SetOpeningDefaults(); }

  DesignPage& Page() {
    if (!page)
      page = std::make_unique<DesignPage>(app.context);
    return *page;
  }
  // Types into a field the way the window does: the text box reports the whole new text.
  void Type(const std::string& name, const std::string& text) { Page().Type(name, text); }
  Strings Messages() const { return app.dialogs.Texts(); }

  AppTestContext app;
  std::unique_ptr<DesignPage> page;
};

// --- Captions ---

TEST_F(DesignPageTest, ShowsEveryCaption) {
  const std::vector<std::pair<std::string, std::string>> captions{
      {"fraFilterDesign", "Filter design:"},
      {"fraSweep", "Sweep:"},
      {"fraGraph", "Graph:"},
      {"fraFamily", "Family"},
      {"optButterworth", "Butterworth (3 dB bandwidth)"},
      {"optChebyshev", "Chebyshev (ripple bandwidth)"},
      {"optBessel", "Bessel (one rad/sec bandwidth)"},
      {"optManual", "Manually entered"},
      {"lblWidth", "Bandwidth, Hz:"},
      {"lblGain", "Gain, dB:"},
      {"txtGain", "0"},
      {"lblOrder", "Order:"},
      {"lblApass", "Passband ripple (dB):"},
      {"lblStart", "Start, Hz:"},
      {"lblStop", "Stop, Hz:"},
      {"lblInts", "Frequencies:"},
      {"lbldbTop", "Gain top, dB:"},
      {"lbldBBottom", "Gain bottom, dB:"},
      {"lblDelay", "Delay top, secs:"},
      {"lblNrYintervals", "Nr of Y intervals: "},
      {"cmdDesign", "Design"},
      {"cmdPlot", "Plot"},
      {"cmdSchematic", "Schematic"},
      {"cmdTabulate", "Tabulate"},
      {"cmdWrite", "Write"},
      {"cmdPrint", "Print"},
      {"cmdSave", "Save"},
      {"cmdGet", "Get"},
      {"cmdAbout", "About"},
      {"cmdTransient", "Transient"},
      {"cmdQuit", "Quit"},
  };
  EXPECT_EQ(Page().WindowCaption(), "KestroLab - Design");
  for (const auto& [name, caption] : captions)
    EXPECT_EQ(Page()[name].caption, caption) << name;
  EXPECT_EQ(Page()["UpDown1"].minimum, 2);
  EXPECT_EQ(Page()["UpDown1"].maximum, 11);
  EXPECT_EQ(Page()["UpDown1"].buddy, "lblOrderInput");
  EXPECT_EQ(Page()["UpDown3"].minimum, 1);
  EXPECT_EQ(Page()["UpDown3"].maximum, 12);
  EXPECT_EQ(Page()["UpDown3"].buddy, "lblNrY");
}

// Controls lie inside the page and do not overlap one another, frames apart.
TEST_F(DesignPageTest, ControlsFitThePageWithoutOverlapping) {
  std::vector<const Control*> placed;
  for (const Control& control : Page().Controls()) {
    EXPECT_GE(control.left, 0) << control.name;
    EXPECT_GE(control.top, 0) << control.name;
    EXPECT_LE(control.left + control.width, kPageWidth) << control.name;
    EXPECT_LE(control.top + control.height, kPageHeight) << control.name;
    if (control.kind != ControlKind::Frame)
      placed.push_back(&control);
  }
  for (std::size_t i = 0; i < placed.size(); ++i) {
    for (std::size_t j = i + 1; j < placed.size(); ++j) {
      const Control& a = *placed[i];
      const Control& b = *placed[j];
      const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                         a.top + a.height <= b.top || b.top + b.height <= a.top;
      EXPECT_TRUE(apart) << a.name << " overlaps " << b.name;
    }
  }
}

// --- Field display ---

TEST_F(DesignPageTest, ShowsTheRecordThroughTheValueWriters) {
  const std::vector<std::pair<std::string, std::string>> shown{
      {"txtWidth", " 3K "},
      {"lblOrderInput", "3 "},
      {"txtApass", "1 "},
      {"txtStart", " 1K "},
      {"txtStop", " 10K "},
      {"txtInts", "512 "},
      {"txtdBTop", "10 "},
      {"txtdBBottom", "-50 "},
      {"txtDelay", "1.2m"},
      {"lblNrY", "6"},
      {"lblPerYinterval", "per interval: 10dB"},
      {"lblPerYintervalDelay", "per interval: 200us"},
  };
  for (const auto& [name, text] : shown)
    EXPECT_EQ(Page()[name].caption, text) << name;
  EXPECT_TRUE(Page()["optButterworth"].checked);
  EXPECT_EQ(Page()["UpDown1"].value, 3);
  EXPECT_EQ(Page()["UpDown3"].value, 6);
}

TEST_F(DesignPageTest, LoadRepairsFamilyZeroAndBandwidthNotAboveZero) {
  struct Case {
    int16_t family;
    float bandwidth;
    int16_t expectedFamily;
    const char* checkedOption;
    const char* shownWidth;
  };
  const std::vector<Case> cases{
      {0, 3000, kButterworth, "optButterworth", " 3K "},
      {9, 3000, kButterworth, "optButterworth", " 3K "},
      {kBessel, 0, kBessel, "optBessel", " 1K "},
      {kChebyshev, -20, kChebyshev, "optChebyshev", " 1K "},
  };
  for (const Case& c : cases) {
    AppTestContext fresh;
    fresh.record.SetOpeningDefaults();
    fresh.record.Family = c.family;
    fresh.record.Bandwidth = c.bandwidth;
    DesignPage loaded(fresh.context);
    EXPECT_EQ(fresh.record.Family, c.expectedFamily) << c.family;
    EXPECT_TRUE(loaded[c.checkedOption].checked) << c.family;
    EXPECT_EQ(loaded["txtWidth"].caption, c.shownWidth) << c.bandwidth;
    EXPECT_GT(fresh.record.Bandwidth, 0);
  }
}

// The stored family is shown without its click effects: Butterworth keeps its ripple value,
// and a manual design is marked as the user's so the next Design command keeps its parts.
TEST_F(DesignPageTest, LoadShowsTheFamilyWithoutItsClickEffects) {
  app.record.Apass = 0.5f;
  Page();
  EXPECT_EQ(app.record.Apass, 0.5f);
  EXPECT_FALSE(Page()["txtApass"].enabled);

  AppTestContext manual;
  manual.record.SetOpeningDefaults();
  manual.record.Family = kManual;
  manual.record.PartsModified = 0;
  DesignPage loaded(manual.context);
  EXPECT_EQ(manual.record.PartsModified, 1);
  EXPECT_TRUE(loaded["optManual"].checked);
  for (const char* name : {"txtWidth", "txtGain", "lblOrderInput", "UpDown1", "txtApass"}) {
    EXPECT_FALSE(loaded[name].enabled) << name;
  }
}

// --- Option buttons ---

TEST_F(DesignPageTest, OptionButtonsSetFamilyFlagRippleAndEnabledControls) {
  struct Case {
    const char* option;
    float apassBefore;
    int16_t family;
    int16_t partsModified;
    float apass;
    const char* apassText;  // nullptr: unchanged
    bool bandwidthEnabled;
    bool rippleEnabled;
  };
  const std::vector<Case> cases{
      {"optButterworth", 2.0f, kButterworth, 0, 0.0f, "0", true, false},
      {"optChebyshev", 0.0f, kChebyshev, 0, 0.1f, ".1", true, true},
      {"optChebyshev", 0.001f, kChebyshev, 0, 0.1f, ".1", true, true},
      {"optChebyshev", 2.0f, kChebyshev, 0, 2.0f, nullptr, true, true},
      {"optBessel", 2.0f, kBessel, 0, 0.0f, "0", true, false},
      {"optManual", 2.0f, kManual, 1, 2.0f, nullptr, false, false},
  };
  for (const Case& c : cases) {
    AppTestContext fresh;
    fresh.record.SetOpeningDefaults();
    DesignPage shown(fresh.context);
    fresh.record.Apass = c.apassBefore;
    fresh.record.PartsModified = 1 - c.partsModified;
    const std::string textBefore = shown["txtApass"].caption;
    shown.SelectOption(c.option);
    EXPECT_EQ(fresh.record.Family, c.family) << c.option;
    EXPECT_EQ(fresh.record.PartsModified, c.partsModified) << c.option;
    EXPECT_FLOAT_EQ(fresh.record.Apass, c.apass) << c.option;
    EXPECT_EQ(shown["txtApass"].caption, c.apassText ? c.apassText : textBefore) << c.option;
    EXPECT_EQ(shown["txtWidth"].enabled, c.bandwidthEnabled) << c.option;
    EXPECT_EQ(shown["lblOrderInput"].enabled, c.bandwidthEnabled) << c.option;
    EXPECT_EQ(shown["txtApass"].enabled, c.rippleEnabled) << c.option;
    int checked = 0;
    for (const char* name : {"optButterworth", "optChebyshev", "optBessel", "optManual"}) {
      checked += shown[name].checked ? 1 : 0;
    }
    EXPECT_EQ(checked, 1) << c.option;
    EXPECT_TRUE(shown[c.option].checked);
  }
}

// --- Per-keystroke handlers ---

TEST_F(DesignPageTest, KeystrokesStoreSweepValuesAtOnce) {
  Type("txtStart", "2k");
  Type("txtStop", "1.5M");
  EXPECT_FLOAT_EQ(app.record.Fstart, 2000);
  EXPECT_FLOAT_EQ(app.record.Fstop, 1.5e6f);
  Type("txtInts", "300");
  EXPECT_EQ(app.record.Nints, 300);
}

TEST_F(DesignPageTest, IntervalsAboveTheLimitAreRewrittenWhileTyping) {
  for (const char* typed : {"5000", "2049", "3k", "99999999"}) {
    Type("txtInts", typed);
    EXPECT_EQ(Page()["txtInts"].caption, "2048") << typed;
    EXPECT_EQ(app.record.Nints, 2048) << typed;
  }
  Type("txtInts", "2048");
  EXPECT_EQ(Page()["txtInts"].caption, "2048");
}

TEST_F(DesignPageTest, GainAndDelayKeystrokesRefreshThePerIntervalLabels) {
  Type("txtdBBottom", "-80");  // |10 - -80| / 6 = 15
  EXPECT_EQ(Page()["lblPerYinterval"].caption, "per interval: 15dB");
  Type("txtdBTop", "40");  // 120 / 6 = 20
  EXPECT_EQ(Page()["lblPerYinterval"].caption, "per interval: 20dB");
  EXPECT_FLOAT_EQ(app.record.dBperDiv, 20);
  Type("txtDelay", "6m");  // 6 ms / 6 = 1 ms
  EXPECT_FLOAT_EQ(app.record.DelayTop, 0.006f);
  EXPECT_EQ(Page()["lblPerYintervalDelay"].caption, "per interval: 1ms");
}

TEST_F(DesignPageTest, IntervalSpinnerStoresTheCountAndRefreshesBothLabels) {
  Page().Spin("UpDown3", 3);  // 60 dB / 3 = 20 dB; 1.2 ms / 3 = 400 us
  EXPECT_EQ(app.record.NrYintervals, 3);
  EXPECT_EQ(Page()["lblNrY"].caption, "3");
  EXPECT_EQ(Page()["lblPerYinterval"].caption, "per interval: 20dB");
  EXPECT_EQ(Page()["lblPerYintervalDelay"].caption, "per interval: 400us");
  Page().Spin("UpDown3", 40);
  EXPECT_EQ(app.record.NrYintervals, 12);
  EXPECT_EQ(Page()["lblNrY"].caption, "12");
  Page().Spin("UpDown3", 0);
  EXPECT_EQ(app.record.NrYintervals, 1);
  EXPECT_EQ(Page()["lblNrY"].caption, "1");
}

TEST_F(DesignPageTest, OrderSpinnerShowsTheOrderThatTheDesignCommandReads) {
  Page().Spin("UpDown1", 7);
  EXPECT_EQ(Page()["lblOrderInput"].caption, "7");
  ASSERT_TRUE(Page().RunDesignCommand());
  EXPECT_EQ(app.record.Order, 7);
  EXPECT_FLOAT_EQ(app.record.NrStages, 3);
}

TEST_F(DesignPageTest, ClickingTheOrderLowersAnOrderAboveEleven) {
  app.record.Order = 15;
  Page().Click("lblOrderInput");
  EXPECT_EQ(app.record.Order, 11);
  EXPECT_EQ(Page()["lblOrderInput"].caption, "11");
}

// --- The Design command ---

struct DesignCase {
  const char* name;
  const char* option;  // family option to select first
  std::vector<std::pair<std::string, std::string>> fields;
  Strings messages;
};

class DesignCommandMessages : public DesignPageTest,
                              public ::testing::WithParamInterface<DesignCase> {};

TEST_P(DesignCommandMessages, AppearInOrderOnePerRepair) {
  const DesignCase& c = GetParam();
  Page().SelectOption(c.option);
  for (const auto& [name, text] : c.fields)
    Page()[name].caption = text;
  Page().RunDesignCommand();
  EXPECT_EQ(Messages(), c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Repairs, DesignCommandMessages,
    ::testing::Values(
        DesignCase{"Bandwidth20M",
                   "optButterworth",
                   {{"txtWidth", "20M"}},
                   {"The filter bandwidth has been reset downward to 10 MHz"}},
        DesignCase{"Order12",
                   "optButterworth",
                   {{"lblOrderInput", "12"}},
                   {"The order has been reset downward to 11"}},
        DesignCase{"ChebyshevRipple0",
                   "optChebyshev",
                   {{"txtApass", "0"}},
                   {"The Chebyshev family passband ripple value has been reset upward to .001 dB"}},
        DesignCase{"ChebyshevRipple25",
                   "optChebyshev",
                   {{"txtApass", "25"}},
                   {"The Chebyshev family passband ripple value has been reset downward to 20 dB"}},
        DesignCase{"ButterworthAnyRipple", "optButterworth", {{"txtApass", "-7"}}, {}},
        DesignCase{"BesselOrder11",
                   "optBessel",
                   {{"lblOrderInput", "11"}},
                   {"Bessel family; order reset to 10"}},
        DesignCase{"BesselOrder14",
                   "optBessel",
                   {{"lblOrderInput", "14"}},
                   {"The order has been reset downward to 11", "Bessel family; order reset to 10"}},
        DesignCase{"StartTooLow",
                   "optButterworth",
                   {{"txtStart", "0.01"}},
                   {"Analysis starting frequency has been set to .1"}},
        DesignCase{"StopEqualsStart",
                   "optButterworth",
                   {{"txtStop", "1k"}},
                   {"Please enter an analysis stopping frequency\n"
                    "greater than the starting frequency"}},
        DesignCase{"Stop20M",
                   "optButterworth",
                   {{"txtStop", "20M"}},
                   {"The analysis stopping frequency has been reset downward to 10 MHz"}},
        DesignCase{"IntervalsFew",
                   "optButterworth",
                   {{"txtInts", "5"}},
                   {"Number of test frequencies has been reset upward to 10"}},
        DesignCase{"IntervalsMany",
                   "optButterworth",
                   {{"txtInts", "4k"}},
                   {"Number of test frequencies has been reset downward to 2048"}},
        DesignCase{"GainTop50Bottom0",
                   "optButterworth",
                   {{"txtdBTop", "50"}, {"txtdBBottom", "0"}},
                   {"Gain top has been reset to +40", "Gain bottom has been reset to -1"}},
        DesignCase{"GainTopNegative",
                   "optButterworth",
                   {{"txtdBTop", "-3"}},
                   {"Gain top has been reset to 0"}},
        DesignCase{"GainBottomDeep",
                   "optButterworth",
                   {{"txtdBBottom", "-150"}},
                   {"Gain bottom has been reset to -100"}},
        DesignCase{"EveryRepairInOrder",
                   "optChebyshev",
                   {{"txtWidth", "20M"},
                    {"lblOrderInput", "12"},
                    {"txtApass", "30"},
                    {"txtStart", "0"},
                    {"txtStop", "50M"},
                    {"txtInts", "3"},
                    {"txtdBTop", "41"},
                    {"txtdBBottom", "-101"}},
                   {"The filter bandwidth has been reset downward to 10 MHz",
                    "The order has been reset downward to 11",
                    "The Chebyshev family passband ripple value has been reset downward to 20 dB",
                    "Analysis starting frequency has been set to .1",
                    "The analysis stopping frequency has been reset downward to 10 MHz",
                    "Number of test frequencies has been reset upward to 10",
                    "Gain top has been reset to +40", "Gain bottom has been reset to -100"}},
        DesignCase{"ValuesAtTheBounds",
                   "optChebyshev",
                   {{"txtWidth", "10M"},
                    {"txtApass", "20"},
                    {"txtStart", ".1"},
                    {"txtStop", "10M"},
                    {"txtInts", "2048"},
                    {"txtdBTop", "40"},
                    {"txtdBBottom", "-100"}},
                   {}},
        DesignCase{
            "OtherBounds",
            "optChebyshev",
            {{"txtApass", ".001"}, {"txtInts", "10"}, {"txtdBTop", "0"}, {"txtdBBottom", "-1"}},
            {}}),
    [](const ::testing::TestParamInfo<DesignCase>& info) { return info.param.name; });

TEST_F(DesignPageTest, RepairsRewriteOnlyTheFieldsThatSaySo) {
  Page().SelectOption("optChebyshev");
  Page()["txtWidth"].caption = "20M";
  Page()["txtApass"].caption = "0";
  Page()["txtStop"].caption = "20M";
  Page()["txtdBTop"].caption = "50";
  Page()["txtInts"].caption = "4k";
  Page().RunDesignCommand();
  EXPECT_EQ(Page()["txtWidth"].caption, "10M");
  EXPECT_EQ(Page()["txtApass"].caption, ".001");
  EXPECT_EQ(Page()["txtStop"].caption, "10M");
  EXPECT_EQ(Page()["txtdBTop"].caption, "50");
  EXPECT_EQ(Page()["txtInts"].caption, "4k");
  EXPECT_FLOAT_EQ(app.record.Bandwidth, 1e7f);
  EXPECT_FLOAT_EQ(app.record.Apass, 0.001f);
  EXPECT_FLOAT_EQ(app.record.Fstop, 1e7f);
  EXPECT_FLOAT_EQ(app.record.dBtop, 40);
  EXPECT_EQ(app.record.Nints, 2048);
}

TEST_F(DesignPageTest, DesignCommandDesignsAndAnalysesTheFamilyFilter) {
  Page()["txtWidth"].caption = "1k";
  ASSERT_TRUE(Page().RunDesignCommand());
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(app.record.Family, kButterworth);
  EXPECT_EQ(app.record.FreqAxisMode, 2);
  EXPECT_FLOAT_EQ(app.record.Apass, 0);
  // Third-order Butterworth at 1 kHz: one three-pole stage, 47 kOhm.
  EXPECT_FLOAT_EQ(app.record.R[1][2], 47000);
  EXPECT_NEAR(app.record.C[1][1], 4.716e-9, 0.01e-9);
  EXPECT_NEAR(app.record.C[1][2], 12.01e-9, 0.02e-9);
  EXPECT_NEAR(app.record.C[1][3], 0.686e-9, 0.002e-9);
  EXPECT_FLOAT_EQ(app.record.Freq[0], 1000);
  EXPECT_NEAR(app.record.Gain[0], -3.01, 0.02);  // the sweep starts at the 3 dB frequency
}

// Only the values of steps up to the stop check are stored; no synthesis, no analysis.
TEST_F(DesignPageTest, StopNotAboveStartLeavesTheDesignUntouched) {
  ASSERT_TRUE(Page().RunDesignCommand());
  const DesignRecord before = app.record;
  Page()["txtWidth"].caption = "5k";
  Page()["txtStop"].caption = "1k";
  Page()["txtInts"].caption = "100";
  EXPECT_FALSE(Page().RunDesignCommand());
  EXPECT_FLOAT_EQ(app.record.Bandwidth, 5000);
  EXPECT_FLOAT_EQ(app.record.Fstop, 1000);
  EXPECT_EQ(app.record.Nints, before.Nints);
  EXPECT_EQ(app.record.C, before.C);
  EXPECT_EQ(app.record.R, before.R);
  EXPECT_EQ(app.record.Gain, before.Gain);
  EXPECT_EQ(app.record.Freq, before.Freq);
}

TEST_F(DesignPageTest, StartAtTenMegahertzStopsTheCommandAfterTheStopIsLowered) {
  Page()["txtStart"].caption = "20M";
  Page()["txtStop"].caption = "30M";
  EXPECT_FALSE(Page().RunDesignCommand());
  EXPECT_EQ(Messages(),
            (Strings{"The analysis stopping frequency has been reset downward to 10 MHz",
                     "Please enter an analysis starting frequency\nbelow 10 MHz"}));
  Page().Click("cmdPlot");
  EXPECT_TRUE(app.navigator.calls.empty());
}

TEST_F(DesignPageTest, ManualDesignKeepsTheUsersParts) {
  app.record = DistinctSession();
  app.record.C[2][1] = 0;  // an open C1 is raised to the 1e-13 floor, nothing else changes
  const DesignRecord before = app.record;
  Page()["txtWidth"].caption = "9k";
  ASSERT_TRUE(Page().RunDesignCommand());
  for (int s = 1; s <= 2; ++s) {
    for (int k = 1; k <= 3; ++k) {
      EXPECT_EQ(app.record.R[s][k], before.R[s][k]);
      if (s != 2 || k != 1) {
        EXPECT_EQ(app.record.C[s][k], before.C[s][k]);
      }
    }
  }
  EXPECT_FLOAT_EQ(app.record.C[2][1], 1e-13f);
  EXPECT_FLOAT_EQ(app.record.Freq[0], before.Fstart);
  EXPECT_LT(app.record.Gain[app.record.Nints], -10);  // analysed: the parts make a lowpass
}

TEST_F(DesignPageTest, ChoosingAFamilyAgainRedesignsTheParts) {
  app.record = DistinctSession();
  Page().SelectOption("optButterworth");
  Page().Spin("UpDown1", 4);
  ASSERT_TRUE(Page().RunDesignCommand());
  EXPECT_EQ(app.record.PartsModified, 0);
  EXPECT_EQ(app.record.R[1][1], 0);  // two-pole stages now
  EXPECT_NE(app.record.C[1][2], DistinctSession().C[1][2]);
}

// Letters, nothing, huge, negative and over-long entries in every field end in a repaired,
// designable record and never in a crash.
TEST_F(DesignPageTest, BadInputInEveryFieldIsRepaired) {
  const Strings fields{"txtWidth", "lblOrderInput", "txtApass",    "txtStart", "txtStop",
                       "txtInts",  "txtdBTop",      "txtdBBottom", "txtDelay"};
  const Strings inputs{"abc", "", "1e40", "-5", "1234567890123456", "-1e40", "5k5k5k"};
  for (const char* option : {"optButterworth", "optChebyshev", "optBessel"}) {
    for (const std::string& field : fields) {
      for (const std::string& input : inputs) {
        AppTestContext fresh;
        fresh.record.SetOpeningDefaults();
        DesignPage shown(fresh.context);
        shown.SelectOption(option);
        shown.Type(field, input);
        const bool designed = shown.RunDesignCommand();
        const DesignRecord& r = fresh.record;
        const std::string where = std::string(option) + " " + field + "=" + input;
        EXPECT_GT(r.Bandwidth, 0) << where;
        EXPECT_LE(r.Bandwidth, 1e7f) << where;
        EXPECT_GE(r.Order, 2) << where;
        EXPECT_LE(r.Order, 11) << where;
        EXPECT_GE(r.Fstart, 0.1f) << where;
        if (!designed) {
          EXPECT_FALSE(fresh.dialogs.Texts().empty()) << where;
          continue;
        }
        EXPECT_GT(r.Fstop, r.Fstart) << where;
        EXPECT_LE(r.Fstop, 1e7f) << where;
        EXPECT_GE(r.Nints, 10) << where;
        EXPECT_LE(r.Nints, 2048) << where;
        EXPECT_GE(r.dBtop, 0) << where;
        EXPECT_LE(r.dBbottom, -1) << where;
        EXPECT_TRUE(std::isfinite(r.Gain[r.Nints])) << where;
      }
    }
  }
}

TEST_F(DesignPageTest, UnreadableBandwidthAndTooLowOrderAreRaisedWithAMessage) {
  Page()["txtWidth"].caption = "abc";
  Page()["lblOrderInput"].caption = "1";
  ASSERT_TRUE(Page().RunDesignCommand());
  EXPECT_EQ(Messages(), (Strings{"The filter bandwidth has been reset upward to 1 KHz",
                                 "The order has been reset upward to 2"}));
  EXPECT_FLOAT_EQ(app.record.Bandwidth, 1000);
  EXPECT_EQ(app.record.Order, 2);
  EXPECT_EQ(Page()["txtWidth"].caption, "1K");
  EXPECT_EQ(Page()["lblOrderInput"].caption, "2");
}

// --- Buttons ---

TEST_F(DesignPageTest, ViewButtonsDesignFirstThenOpenTheirPage) {
  struct Case {
    const char* button;
    PageId page;
    OpenMode mode;
  };
  const std::vector<Case> cases{
      {"cmdPlot", PageId::Plot, OpenMode::Switch},
      {"cmdSchematic", PageId::Schematic, OpenMode::Switch},
      {"cmdTabulate", PageId::Tabulated, OpenMode::Switch},
      {"cmdWrite", PageId::WriteFiles, OpenMode::Modal},
  };
  for (const Case& c : cases) {
    AppTestContext fresh;
    fresh.record.SetOpeningDefaults();
    DesignPage shown(fresh.context);
    shown["txtWidth"].caption = "2k";
    shown.Click(c.button);
    EXPECT_FLOAT_EQ(fresh.record.Bandwidth, 2000) << c.button;
    EXPECT_NE(fresh.record.C[1][2], 0) << c.button;
    EXPECT_EQ(fresh.navigator.calls, (std::vector<Call>{{Call::Kind::Open, c.page, c.mode}}))
        << c.button;
  }
}

TEST_F(DesignPageTest, OtherButtonsOpenTheirWindowsWithoutDesigning) {
  struct Case {
    const char* button;
    PageId page;
    OpenMode mode;
  };
  const std::vector<Case> cases{
      {"cmdAbout", PageId::About, OpenMode::Over},
      {"cmdTransient", PageId::Transient, OpenMode::Over},
      {"cmdQuit", PageId::Exit, OpenMode::Modal},
  };
  for (const Case& c : cases) {
    AppTestContext fresh;
    fresh.record.SetOpeningDefaults();
    DesignPage shown(fresh.context);
    shown["txtWidth"].caption = "2k";
    shown.Click(c.button);
    EXPECT_FLOAT_EQ(fresh.record.Bandwidth, 3000) << c.button;
    EXPECT_EQ(fresh.navigator.calls, (std::vector<Call>{{Call::Kind::Open, c.page, c.mode}}))
        << c.button;
  }
}

TEST_F(DesignPageTest, PrintRunsTheDesignCommandOnly) {
  Page()["txtWidth"].caption = "2k";
  Page().Click("cmdPrint");
  EXPECT_FLOAT_EQ(app.record.Bandwidth, 2000);
  EXPECT_NE(app.record.C[1][2], 0);
  EXPECT_TRUE(app.navigator.calls.empty());
}

TEST_F(DesignPageTest, ViewButtonsStayWhenTheCommandStops) {
  Page()["txtStop"].caption = "10";
  for (const char* button : {"cmdPlot", "cmdSchematic", "cmdTabulate", "cmdWrite", "cmdSave"}) {
    Page().Click(button);
  }
  EXPECT_TRUE(app.navigator.calls.empty());
  EXPECT_TRUE(app.dialogs.saveRequests.empty());
  EXPECT_EQ(Messages().size(), 5u);
}

// --- Get and Save ---

TEST_F(DesignPageTest, SaveDesignsThenWritesTheChosenFile) {
  ScratchDirectory folder;
  const std::string path = folder.File("saved.KST");
  app.dialogs.fileAnswers.push_back(path);
  Page()["txtWidth"].caption = "2k";
  Page().Click("cmdSave");
  ASSERT_EQ(app.dialogs.saveRequests.size(), 1u);
  const FileDialogRequest& request = app.dialogs.saveRequests[0];
  EXPECT_EQ(request.title, "Save KESTRO file");
  EXPECT_EQ(request.filter, "KESTRO files (*.KST)|*.KST");
  EXPECT_EQ(request.filterIndex, 1);
  EXPECT_TRUE(request.overwritePrompt);
  EXPECT_EQ(app.record.SessionFile, path);
  ASSERT_TRUE(std::filesystem::exists(path));

  DesignRecord readBack{};
  ReadSessionFile(readBack, path, app.dialogs);
  EXPECT_TRUE(SameSession(app.record, readBack));
  EXPECT_FLOAT_EQ(readBack.Bandwidth, 2000);
}

TEST_F(DesignPageTest, CancelledSaveWritesNothing) {
  ScratchDirectory folder;
  Page().Click("cmdSave");
  EXPECT_EQ(app.dialogs.saveRequests.size(), 1u);
  EXPECT_TRUE(app.record.SessionFile.empty());
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(DesignPageTest, GetReadsTheChosenFileAndShowsItsFields) {
  ScratchDirectory folder;
  DesignRecord saved = DistinctSession();
  ASSERT_TRUE(WriteSessionFile(saved, folder.File("old.KST"), app.dialogs));
  app.dialogs.fileAnswers.push_back(folder.File("old.KST"));
  Page().Click("cmdGet");
  ASSERT_EQ(app.dialogs.openRequests.size(), 1u);
  EXPECT_EQ(app.dialogs.openRequests[0].title, "Read KESTRO file");
  EXPECT_EQ(app.dialogs.openRequests[0].filter, "KESTRO files (*.KST)|*.KST");
  EXPECT_TRUE(SameSession(saved, app.record));
  EXPECT_TRUE(Page()["optManual"].checked);
  EXPECT_FALSE(Page()["optButterworth"].checked);
  EXPECT_EQ(app.record.PartsModified, 1);
  EXPECT_EQ(Page()["txtStart"].caption, " 20Hz");
  EXPECT_EQ(Page()["txtStop"].caption, " 200K ");
  EXPECT_EQ(Page()["lblOrderInput"].caption, "5 ");
  EXPECT_EQ(Page()["lblNrY"].caption, "7");
  EXPECT_EQ(Page()["txtDelay"].caption, "2m");

  // The loaded manual design keeps its parts through the next Design command.
  const DesignRecord loaded = app.record;
  ASSERT_TRUE(Page().RunDesignCommand());
  for (int stage = 1; stage <= 2; ++stage) {
    EXPECT_EQ(app.record.C[stage], loaded.C[stage]);
    EXPECT_EQ(app.record.R[stage], loaded.R[stage]);
  }
}

TEST_F(DesignPageTest, CancelledGetReadsNothingAndKeepsTheFields) {
  Type("txtStart", "250");
  const DesignRecord before = app.record;
  Page().Click("cmdGet");
  EXPECT_EQ(app.dialogs.openRequests.size(), 1u);
  EXPECT_TRUE(app.record.SessionFile.empty());
  EXPECT_EQ(Page()["txtStart"].caption, "250");
  EXPECT_TRUE(SameSession(before, app.record));
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace kestro::test
