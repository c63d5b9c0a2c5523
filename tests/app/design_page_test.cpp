#include "app/design_page.h"

#include <gtest/gtest.h>

#include <algorithm>
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
using Fields = std::vector<std::pair<std::string, std::string>>;

// A design page shown on a record, with the doubles it works on.
struct Shown {
  explicit Shown(const DesignRecord& start = OpeningDefaults()) : app(start) {}
  // Puts texts into fields without their keystroke handlers, then runs the Design command.
  bool Design(const Fields& fields = {}) {
    for (const auto& [name, text] : fields)
      page[name].caption = text;
    return page.RunDesignCommand();
  }
  const std::string& Caption(const std::string& name) { return page[name].caption; }

  AppTestContext app;
  DesignPage page{app.context};
};

TEST(DesignPage, ShowsEveryCaptionAndTheRecordThroughTheValueWriters) {
  const std::pair<const char*, const char*> captions[]{
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
      {"lblOrder", "Order:"},
      {"lblApass", "Passband ripple (dB):"},
      {"lblStart", "Start, Hz:"},
      {"lblStop", "Stop, Hz:"},
      {"lblInts", "Frequencies:"},
      {"lbldbTop", "Gain top, dB:"},
      {"lbldBBottom", "Gain bottom, dB:"},
      {"lblDelay", "Delay top, secs:"},
      {"lblNrYintervals", "Nr of Y intervals: "},
      {"txtWidth", " 3K "},
      {"txtGain", "0"},
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
      {"lblPerYintervalDelay", "per interval: 200us"}};
  Shown d;
  EXPECT_EQ(d.page.WindowCaption(), "KestroLab - Design");
  for (const auto& [name, caption] : captions)
    EXPECT_EQ(d.Caption(name), caption) << name;
  for (const std::string button :
       {"cmdDesign", "cmdPlot", "cmdSchematic", "cmdTabulate", "cmdWrite", "cmdPrint", "cmdSave",
        "cmdGet", "cmdAbout", "cmdTransient", "cmdQuit"})
    EXPECT_EQ(d.Caption(button), button.substr(3));  // the name without its "cmd"
  EXPECT_TRUE(d.page["optButterworth"].checked);
  const Control& order = d.page["UpDown1"];
  const Control& intervals = d.page["UpDown3"];
  EXPECT_EQ(std::tie(order.minimum, order.maximum, order.value, order.buddy),
            std::make_tuple(2, 11, 3, std::string("lblOrderInput")));
  EXPECT_EQ(std::tie(intervals.minimum, intervals.maximum, intervals.value, intervals.buddy),
            std::make_tuple(1, 12, 6, std::string("lblNrY")));
}

// Controls lie inside the page and do not overlap one another, frames apart.
TEST(DesignPage, ControlsFitThePageWithoutOverlapping) {
  Shown d;
  std::vector<const Control*> placed;
  for (const Control& c : d.page.Controls()) {
    EXPECT_TRUE(c.left >= 0 && c.top >= 0 && c.left + c.width <= kPageWidth &&
                c.top + c.height <= kPageHeight)
        << c.name;
    if (c.kind != ControlKind::Frame)
      placed.push_back(&c);
  }
  for (std::size_t i = 0; i < placed.size(); ++i) {
    for (std::size_t j = i + 1; j < placed.size(); ++j) {
      const Control& a = *placed[i];
      const Control& b = *placed[j];
      EXPECT_TRUE(a.left + a.width <= b.left || b.left + b.width <= a.left ||
                  a.top + a.height <= b.top || b.top + b.height <= a.top)
          << a.name << " overlaps " << b.name;
    }
  }
}

// Loading repairs an unknown family and a bandwidth not above zero, and shows the stored family
// without its click effects: the ripple value stays, and a manual design is marked as the user's
// so the next Design command keeps its parts.
TEST(DesignPage, LoadShowsTheRepairedFamilyWithoutItsClickEffects) {
  struct Case {
    int16_t family;
    float bandwidth;
    int16_t shownFamily;
    const char* option;
    const char* width;
    int16_t partsModified;
    bool widthEnabled, rippleEnabled;
  };
  const std::vector<Case> cases{
      {0, 3000, kButterworth, "optButterworth", " 3K ", 0, true, false},
      {9, 3000, kButterworth, "optButterworth", " 3K ", 0, true, false},
      {kBessel, 0, kBessel, "optBessel", " 1K ", 0, true, false},
      {kChebyshev, -20, kChebyshev, "optChebyshev", " 1K ", 0, true, true},
      {kManual, 3000, kManual, "optManual", " 3K ", 1, false, false},
  };
  for (const Case& c : cases) {
    DesignRecord start = OpeningDefaults();
    start.Family = c.family;
    start.Bandwidth = c.bandwidth;
    start.Apass = 0.5f;
    start.PartsModified = 1 - c.partsModified;
    Shown d(start);
    const DesignRecord& r = d.app.record;
    EXPECT_EQ(r.Family, c.shownFamily) << c.family;
    EXPECT_EQ(r.PartsModified, c.partsModified) << c.family;
    EXPECT_EQ(r.Apass, 0.5f) << c.family;
    EXPECT_TRUE(d.page[c.option].checked) << c.family;
    EXPECT_EQ(d.Caption("txtWidth"), c.width) << c.family;
    EXPECT_GT(r.Bandwidth, 0) << c.family;
    for (const char* name : {"txtWidth", "txtGain", "lblOrderInput", "UpDown1"})
      EXPECT_EQ(d.page[name].enabled, c.widthEnabled) << c.family << " " << name;
    EXPECT_EQ(d.page["txtApass"].enabled, c.rippleEnabled) << c.family;
  }
}

TEST(DesignPage, OptionButtonsSetFamilyFlagRippleAndEnabledControls) {
  struct Case {
    const char* option;
    float apassBefore;
    int16_t family, partsModified;
    float apass;
    const char* apassText;  // nullptr: unchanged
    bool bandwidthEnabled, rippleEnabled;
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
    Shown d;
    d.app.record.Apass = c.apassBefore;
    d.app.record.PartsModified = 1 - c.partsModified;
    const std::string textBefore = d.Caption("txtApass");
    d.page.SelectOption(c.option);
    EXPECT_EQ(d.app.record.Family, c.family) << c.option;
    EXPECT_EQ(d.app.record.PartsModified, c.partsModified) << c.option;
    EXPECT_FLOAT_EQ(d.app.record.Apass, c.apass) << c.option;
    EXPECT_EQ(d.Caption("txtApass"), c.apassText ? c.apassText : textBefore) << c.option;
    EXPECT_EQ(d.page["txtWidth"].enabled, c.bandwidthEnabled) << c.option;
    EXPECT_EQ(d.page["lblOrderInput"].enabled, c.bandwidthEnabled) << c.option;
    EXPECT_EQ(d.page["txtApass"].enabled, c.rippleEnabled) << c.option;
    for (const std::string name : {"optButterworth", "optChebyshev", "optBessel", "optManual"})
      EXPECT_EQ(d.page[name].checked, name == c.option) << c.option << " " << name;
  }
}

// The record value a field feeds.
float Stored(const DesignRecord& r, const std::string& field) {
  const std::pair<const char*, float> values[]{
      {"txtWidth", r.Bandwidth}, {"lblOrderInput", r.Order},  {"txtApass", r.Apass},
      {"txtStart", r.Fstart},    {"txtStop", r.Fstop},        {"txtInts", r.Nints},
      {"txtdBTop", r.dBtop},     {"txtdBBottom", r.dBbottom}, {"txtDelay", r.DelayTop}};
  for (const auto& [name, value] : values) {
    if (field == name)
      return value;
  }
  ADD_FAILURE() << "no record value for " << field;
  return 0;
}

// Each keystroke stores its field at once and refreshes what depends on it; typing goes on from
// row to row on one page.
TEST(DesignPage, KeystrokesStoreValuesAndRefreshTheirLabels) {
  struct Case {
    const char *field, *typed;
    float stored;
    const char *label, *shown;
  };
  const std::vector<Case> cases{
      {"txtStart", "2k", 2000, "txtStart", "2k"},
      {"txtStop", "1.5M", 1.5e6f, "txtStop", "1.5M"},
      {"txtdBBottom", "-80", -80, "lblPerYinterval", "per interval: 15dB"},  // |10 - -80| / 6
      {"txtdBTop", "40", 40, "lblPerYinterval", "per interval: 20dB"},       // (40 - -80) / 6
      // The delay writer's text is shown whole, with the blanks of its unit place.
      {"txtDelay", "6", 6, "lblPerYintervalDelay", "per interval: 1  s"},
      {"txtDelay", "0", 0, "lblPerYintervalDelay", "per interval: 0  s"},
      {"txtDelay", "6m", 0.006f, "lblPerYintervalDelay", "per interval: 1ms"},
      {"txtInts", "300", 300, "txtInts", "300"},
      // Frequency counts above 2048 are rewritten while typing.
      {"txtInts", "5000", 2048, "txtInts", "2048"},
      {"txtInts", "2049", 2048, "txtInts", "2048"},
      {"txtInts", "3k", 2048, "txtInts", "2048"},
      {"txtInts", "99999999", 2048, "txtInts", "2048"},
      {"txtInts", "2048", 2048, "txtInts", "2048"},
  };
  Shown d;
  for (const Case& c : cases) {
    d.page.Type(c.field, c.typed);
    EXPECT_FLOAT_EQ(Stored(d.app.record, c.field), c.stored) << c.field << "=" << c.typed;
    EXPECT_EQ(d.Caption(c.label), c.shown) << c.field << "=" << c.typed;
  }
  EXPECT_FLOAT_EQ(d.app.record.dBperDiv, 20);
}

TEST(DesignPage, SpinnersStoreTheirCountAndRefreshTheLabels) {
  struct Case {
    int spun;
    int16_t stored;
    const char* perInterval;
    const char* perIntervalDelay;
  };
  // 60 dB and 1.2 ms over the intervals.
  const std::vector<Case> cases{
      {3, 3, "per interval: 20dB", "per interval: 400us"},
      {40, 12, "per interval: 5dB", "per interval: 100us"},
      {0, 1, "per interval: 60dB", "per interval: 1.2ms"},
  };
  Shown d;
  for (const Case& c : cases) {
    d.page.Spin("UpDown3", c.spun);
    EXPECT_EQ(d.app.record.NrYintervals, c.stored) << c.spun;
    EXPECT_EQ(d.Caption("lblNrY"), std::to_string(c.stored)) << c.spun;
    EXPECT_EQ(d.Caption("lblPerYinterval"), c.perInterval) << c.spun;
    EXPECT_EQ(d.Caption("lblPerYintervalDelay"), c.perIntervalDelay) << c.spun;
  }
  d.page.Spin("UpDown1", 7);
  EXPECT_EQ(d.Caption("lblOrderInput"), "7");
  ASSERT_TRUE(d.Design());
  EXPECT_EQ(d.app.record.Order, 7);
  EXPECT_EQ(d.app.record.NrStages, 3);

  DesignRecord start = OpeningDefaults();
  start.Order = 15;
  Shown high(start);
  high.page.Click("lblOrderInput");
  EXPECT_EQ(high.app.record.Order, 11);
  EXPECT_EQ(high.Caption("lblOrderInput"), "11");
}

// --- The Design command ---

// Every field and the selected option reach the command, and no field is read twice.
TEST(DesignPage, DesignCommandReadsEveryFieldAndTheSelectedFamily) {
  Shown d;
  d.page.SelectOption("optChebyshev");
  d.app.record.Family = kBessel;  // the option shown is what counts
  ASSERT_TRUE(d.Design({{"txtWidth", "2k"},
                        {"lblOrderInput", "5"},
                        {"txtApass", ".5"},
                        {"txtStart", "20"},
                        {"txtStop", "200k"},
                        {"txtInts", "100"},
                        {"txtdBTop", "20"},
                        {"txtdBBottom", "-60"},
                        {"txtDelay", "3m"}}));
  const DesignRecord& r = d.app.record;
  EXPECT_TRUE(d.app.dialogs.Texts().empty());
  EXPECT_EQ(r.Family, kChebyshev);
  const float stored[]{r.Bandwidth,    float(r.Order), r.Apass,    r.Fstart,  r.Fstop,
                       float(r.Nints), r.dBtop,        r.dBbottom, r.DelayTop};
  const float typed[]{2000, 5, 0.5f, 20, 200000, 100, 20, -60, 0.003f};
  for (std::size_t i = 0; i < std::size(typed); ++i)
    EXPECT_FLOAT_EQ(stored[i], typed[i]) << i;
}

// Repaired texts are shown again in their controls; the others keep what the user typed.
TEST(DesignPage, DesignCommandRepairsShowInTheControls) {
  struct Case {
    const char* option;
    Fields typed;
    Fields shown;
    Strings messages;
    bool designs;
  };
  const std::vector<Case> cases{
      {"optChebyshev",
       {{"txtWidth", "20M"}, {"lblOrderInput", "1"}, {"txtApass", "0"}, {"txtStop", "30M"}},
       {{"txtWidth", "10M"}, {"lblOrderInput", "2"}, {"txtApass", ".001"}, {"txtStop", "10M"}},
       {"The filter bandwidth has been reset downward to 10 MHz",
        "The order has been reset upward to 2",
        "The Chebyshev family passband ripple value has been reset upward to .001 dB",
        "The analysis stopping frequency has been reset downward to 10 MHz"},
       true},
      {"optChebyshev",
       {{"txtWidth", "abc"}, {"txtApass", "25"}, {"txtInts", "5"}},
       {{"txtWidth", "1K"}, {"txtApass", "20"}, {"txtInts", "5"}},
       {"The filter bandwidth has been reset upward to 1 KHz",
        "The Chebyshev family passband ripple value has been reset downward to 20 dB",
        "Number of test frequencies has been reset upward to 10"},
       true},
      {"optButterworth", {{"txtApass", "5"}}, {{"txtApass", "5"}}, {}, true},
      {"optBessel",
       {{"lblOrderInput", "11"}},
       {{"lblOrderInput", "11"}},
       {"Bessel family; order reset to 10"},
       true},
      {"optButterworth",
       {{"txtdBTop", "50"}, {"txtdBBottom", "0"}},
       {{"txtdBTop", "50"}, {"txtdBBottom", "0"}},
       {"Gain top has been reset to +40", "Gain bottom has been reset to -1"},
       true},
      {"optButterworth",
       {{"txtWidth", "20M"}, {"txtStart", "1000"}, {"txtStop", "1000"}},
       {{"txtWidth", "10M"}, {"txtStop", "1000"}},
       {"The filter bandwidth has been reset downward to 10 MHz",
        "Please enter an analysis stopping frequency\ngreater than the starting frequency"},
       false},
      {"optButterworth",
       {{"txtStart", "20M"}, {"txtStop", "30M"}},
       {{"txtStop", "10M"}},
       {"The analysis stopping frequency has been reset downward to 10 MHz",
        "Please enter an analysis starting frequency\nbelow 10 MHz"},
       false},
  };
  for (const Case& c : cases) {
    const std::string where = std::string(c.option) + " " + c.typed[0].first;
    Shown d;
    d.page.SelectOption(c.option);
    EXPECT_EQ(d.Design(c.typed), c.designs) << where;
    for (const auto& [name, text] : c.shown)
      EXPECT_EQ(d.Caption(name), text) << where << " " << name;
    EXPECT_EQ(d.app.dialogs.Texts(), c.messages) << where;
    EXPECT_EQ(d.app.record.FreqAxisMode == 2, c.designs) << where;
  }
  Shown bessel;
  bessel.page.SelectOption("optBessel");
  ASSERT_TRUE(bessel.Design({{"lblOrderInput", "11"}}));
  EXPECT_EQ(bessel.app.record.Order, 10);
  EXPECT_EQ(bessel.app.record.NrStages, 5);
}

TEST(DesignPage, DesignCommandDesignsAndAnalysesTheFamilyFilter) {
  Shown d;
  ASSERT_TRUE(d.Design({{"txtWidth", "1k"}}));
  const DesignRecord& r = d.app.record;
  EXPECT_TRUE(d.app.dialogs.Texts().empty());
  EXPECT_EQ(r.Family, kButterworth);
  EXPECT_EQ(r.FreqAxisMode, 2);
  EXPECT_FLOAT_EQ(r.Apass, 0);
  // Third-order Butterworth at 1 kHz: one three-pole stage, 47 kOhm.
  EXPECT_FLOAT_EQ(r.R[1][2], 47000);
  EXPECT_NEAR(r.C[1][1], 4.716e-9, 0.01e-9);
  EXPECT_NEAR(r.C[1][2], 12.01e-9, 0.02e-9);
  EXPECT_NEAR(r.C[1][3], 0.686e-9, 0.002e-9);
  EXPECT_FLOAT_EQ(r.Freq[0], 1000);
  EXPECT_NEAR(r.Gain[0], -3.01, 0.02);  // the sweep starts at the 3 dB frequency
}

// Only the values of steps up to the stop check are stored; no synthesis, no analysis.
TEST(DesignPage, StopNotAboveStartLeavesTheDesignUntouched) {
  Shown d;
  ASSERT_TRUE(d.Design());
  const DesignRecord before = d.app.record;
  EXPECT_FALSE(d.Design({{"txtWidth", "5k"}, {"txtStop", "1k"}, {"txtInts", "100"}}));
  EXPECT_EQ(d.app.dialogs.Texts(), Strings{"Please enter an analysis stopping frequency\n"
                                           "greater than the starting frequency"});
  const DesignRecord& r = d.app.record;
  EXPECT_FLOAT_EQ(r.Bandwidth, 5000);
  EXPECT_FLOAT_EQ(r.Fstop, 1000);
  EXPECT_EQ(r.Nints, before.Nints);
  EXPECT_TRUE(r.C == before.C && r.R == before.R && r.Gain == before.Gain && r.Freq == before.Freq);
}

TEST(DesignPage, ManualDesignKeepsTheUsersParts) {
  DesignRecord start = DistinctSession();
  start.C[2][1] = 0;  // an open C1 is raised to the 1e-13 floor, nothing else changes
  Shown d(start);
  ASSERT_TRUE(d.Design({{"txtWidth", "9k"}}));
  const DesignRecord& r = d.app.record;
  for (int s = 1; s <= 2; ++s) {
    for (int k = 1; k <= 3; ++k) {
      EXPECT_EQ(r.R[s][k], start.R[s][k]);
      EXPECT_EQ(r.C[s][k], (s == 2 && k == 1) ? 1e-13f : start.C[s][k]);
    }
  }
  EXPECT_FLOAT_EQ(r.Freq[0], start.Fstart);
  EXPECT_LT(r.Gain[r.Nints], -10);  // analysed: the parts make a lowpass

  Shown chosen(DistinctSession());  // choosing a family again redesigns the parts
  chosen.page.SelectOption("optButterworth");
  chosen.page.Spin("UpDown1", 4);
  ASSERT_TRUE(chosen.Design());
  EXPECT_EQ(chosen.app.record.PartsModified, 0);
  EXPECT_EQ(chosen.app.record.R[1][1], 0);  // two-pole stages now
  EXPECT_NE(chosen.app.record.C[1][2], DistinctSession().C[1][2]);
}

// --- Buttons ---

TEST(DesignPage, ButtonsDesignFirstWhereTheyShouldThenOpenTheirPage) {
  struct Case {
    const char* button;
    bool designs;
    std::vector<Call> calls;
  };
  using enum PageId;
  const std::vector<Case> cases{
      {"cmdPlot", true, {{Call::Kind::Open, Plot, OpenMode::Switch}}},
      {"cmdSchematic", true, {{Call::Kind::Open, Schematic, OpenMode::Switch}}},
      {"cmdTabulate", true, {{Call::Kind::Open, Tabulated, OpenMode::Switch}}},
      {"cmdWrite", true, {{Call::Kind::Open, WriteFiles, OpenMode::Modal}}},
      {"cmdPrint", true, {}},
      {"cmdAbout", false, {{Call::Kind::Open, About, OpenMode::Over}}},
      {"cmdTransient", false, {{Call::Kind::Open, Transient, OpenMode::Over}}},
      {"cmdQuit", false, {{Call::Kind::Open, Exit, OpenMode::Modal}}},
  };
  for (const Case& c : cases) {
    Shown d;
    d.page["txtWidth"].caption = "2k";
    d.page.Click(c.button);
    EXPECT_FLOAT_EQ(d.app.record.Bandwidth, c.designs ? 2000 : 3000) << c.button;
    EXPECT_EQ(d.app.record.C[1][2] != 0, c.designs) << c.button;
    EXPECT_EQ(d.app.navigator.calls, c.calls) << c.button;
  }
}

TEST(DesignPage, ViewButtonsStayWhenTheCommandStops) {
  Shown d;
  d.page["txtStop"].caption = "10";
  for (const char* button : {"cmdPlot", "cmdSchematic", "cmdTabulate", "cmdWrite", "cmdSave"})
    d.page.Click(button);
  EXPECT_TRUE(d.app.navigator.calls.empty());
  EXPECT_TRUE(d.app.dialogs.saveRequests.empty());
  EXPECT_EQ(d.app.dialogs.Texts().size(), 5u);
}

// --- Get and Save ---

TEST(DesignPage, SaveDesignsThenWritesTheChosenFileAndCancelWritesNothing) {
  ScratchDirectory folder;
  Shown cancelled;
  cancelled.page.Click("cmdSave");
  EXPECT_EQ(cancelled.app.dialogs.saveRequests.size(), 1u);
  EXPECT_TRUE(cancelled.app.record.SessionFile.empty());
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
  EXPECT_TRUE(cancelled.app.dialogs.Texts().empty());

  Shown d;
  const std::string path = folder.File("saved.KST");
  d.app.dialogs.fileAnswers.push_back(path);
  d.page["txtWidth"].caption = "2k";
  d.page.Click("cmdSave");
  ASSERT_EQ(d.app.dialogs.saveRequests.size(), 1u);
  const FileDialogRequest& request = d.app.dialogs.saveRequests[0];
  EXPECT_EQ(request.title, "Save KESTRO file");
  EXPECT_EQ(request.filter, "KESTRO files (*.KST)|*.KST");
  EXPECT_EQ(request.filterIndex, 1);
  EXPECT_TRUE(request.overwritePrompt);
  EXPECT_EQ(d.app.record.SessionFile, path);
  DesignRecord readBack{};
  ReadSessionFile(readBack, path, d.app.dialogs);
  EXPECT_TRUE(SameSession(d.app.record, readBack));
  EXPECT_FLOAT_EQ(readBack.Bandwidth, 2000);
}

TEST(DesignPage, GetReadsTheChosenFileAndShowsItsFieldsAndCancelReadsNothing) {
  ScratchDirectory folder;
  Shown cancelled;
  cancelled.page.Type("txtStart", "250");
  const DesignRecord before = cancelled.app.record;
  cancelled.page.Click("cmdGet");
  EXPECT_EQ(cancelled.app.dialogs.openRequests.size(), 1u);
  EXPECT_TRUE(cancelled.app.record.SessionFile.empty());
  EXPECT_EQ(cancelled.Caption("txtStart"), "250");
  EXPECT_TRUE(SameSession(before, cancelled.app.record));
  EXPECT_TRUE(cancelled.app.dialogs.Texts().empty());

  Shown d;
  DesignRecord saved = DistinctSession();
  ASSERT_TRUE(WriteSessionFile(saved, folder.File("old.KST"), d.app.dialogs));
  d.app.dialogs.fileAnswers.push_back(folder.File("old.KST"));
  d.page.Click("cmdGet");
  ASSERT_EQ(d.app.dialogs.openRequests.size(), 1u);
  EXPECT_EQ(d.app.dialogs.openRequests[0].title, "Read KESTRO file");
  EXPECT_EQ(d.app.dialogs.openRequests[0].filter, "KESTRO files (*.KST)|*.KST");
  EXPECT_TRUE(SameSession(saved, d.app.record));
  EXPECT_TRUE(d.page["optManual"].checked);
  EXPECT_FALSE(d.page["optButterworth"].checked);
  EXPECT_EQ(d.app.record.PartsModified, 1);
  const Fields shown{{"txtStart", " 20Hz"},
                     {"txtStop", " 200K "},
                     {"lblOrderInput", "5 "},
                     {"lblNrY", "7"},
                     {"txtDelay", "2m"}};
  for (const auto& [name, text] : shown)
    EXPECT_EQ(d.Caption(name), text) << name;
}

}  // namespace
}  // namespace kestro::test
