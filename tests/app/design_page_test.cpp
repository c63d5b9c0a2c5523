#include "app/design_page.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app_test_context.h"

namespace kestro::test {
namespace {

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
  // "1" or "0" a control: which of the family-bound controls are enabled.
  std::string Enabled() {
    std::string flags;
    for (const char* name : {"txtWidth", "txtGain", "lblOrderInput", "UpDown1", "txtApass"})
      flags += page[name].enabled ? "1" : "0";
    return flags;
  }
  // The names of the checked options.
  std::string Checked() {
    std::string names;
    for (const Control& c : page.Controls())
      names += c.checked ? c.name + " " : "";
    return names;
  }
  // The record value a field feeds.
  float Stored(const std::string& field) {
    const DesignRecord& r = app.record;
    return std::map<std::string, float>{
        {"txtWidth", r.Bandwidth}, {"lblOrderInput", r.Order},  {"txtApass", r.Apass},
        {"txtStart", r.Fstart},    {"txtStop", r.Fstop},        {"txtInts", r.Nints},
        {"txtdBTop", r.dBtop},     {"txtdBBottom", r.dBbottom}, {"txtDelay", r.DelayTop}}
        .at(field);
  }

  AppTestContext app;
  DesignPage page{app.context};
};

TEST(DesignPage, ShowsEveryCaptionAndTheRecordThroughTheValueWriters) {
  Shown d;
  std::string shown = d.page.WindowCaption();
  for (const Control& c : d.page.Controls()) {
    shown += c.caption.empty() ? "" : " | " + c.name + "=" + c.caption;
    if (c.kind == ControlKind::Spinner)  // its range and value, and the label that shows it
      shown += " | " + c.name + "=" + std::to_string(c.minimum) + ".." + std::to_string(c.maximum) +
               " " + std::to_string(c.value) + " in " + c.buddy;
  }
  EXPECT_EQ(shown,
            "KestroLab - Design | fraFilterDesign=Filter design: | fraSweep=Sweep:"
            " | fraGraph=Graph: | fraFamily=Family | optButterworth=Butterworth (3 dB bandwidth)"
            " | optChebyshev=Chebyshev (ripple bandwidth)"
            " | optBessel=Bessel (one rad/sec bandwidth) | optManual=Manually entered"
            " | lblWidth=Bandwidth, Hz: | txtWidth= 3K  | lblGain=Gain, dB: | txtGain=0"
            " | lblOrder=Order: | lblOrderInput=3  | UpDown1=2..11 3 in lblOrderInput"
            " | lblApass=Passband ripple (dB): | txtApass=1 "
            " | lblStart=Start, Hz: | txtStart= 1K  | lblStop=Stop, Hz: | txtStop= 10K "
            " | lblInts=Frequencies: | txtInts=512  | lbldbTop=Gain top, dB: | txtdBTop=10 "
            " | lbldBBottom=Gain bottom, dB: | txtdBBottom=-50 "
            " | lblNrYintervals=Nr of Y intervals:  | lblNrY=6 | UpDown3=1..12 6 in lblNrY"
            " | lblPerYinterval=per interval: 10dB | lblDelay=Delay top, secs: | txtDelay=1.2m"
            " | lblPerYintervalDelay=per interval: 200us | cmdDesign=Design | cmdPlot=Plot"
            " | cmdSchematic=Schematic | cmdTabulate=Tabulate | cmdTransient=Transient"
            " | cmdWrite=Write | cmdPrint=Print | cmdSave=Save | cmdGet=Get | cmdAbout=About"
            " | cmdQuit=Quit");
  EXPECT_EQ(d.Checked(), "optButterworth ");
}

// Controls lie inside the page and do not overlap one another, frames apart.
TEST(DesignPage, ControlsFitThePageWithoutOverlapping) {
  Shown d;
  const auto& all = d.page.Controls();
  for (auto a = all.begin(); a != all.end(); ++a) {
    EXPECT_TRUE(a->left >= 0 && a->top >= 0 && a->left + a->width <= kPageWidth &&
                a->top + a->height <= kPageHeight)
        << a->name;
    for (auto b = a + 1; b != all.end() && a->kind != ControlKind::Frame; ++b) {
      EXPECT_TRUE(b->kind == ControlKind::Frame || a->left + a->width <= b->left ||
                  b->left + b->width <= a->left || a->top + a->height <= b->top ||
                  b->top + b->height <= a->top)
          << a->name << " overlaps " << b->name;
    }
  }
}

// Loading repairs an unknown family and a bandwidth not above zero, and shows the stored family
// without its click effects: the ripple value stays, and a manual design is marked as the user's
// so the next Design command keeps its parts.
TEST(DesignPage, LoadShowsTheRepairedFamilyWithoutItsClickEffects) {
  // Stored family and bandwidth; shown family, parts flag, option, bandwidth text, enabled.
  using Case = std::tuple<int16_t, float, int16_t, int16_t, std::string, std::string, std::string>;
  for (const auto& [family, bandwidth, shownFamily, parts, option, width, enabled] :
       std::vector<Case>{{0, 3000, kButterworth, 0, "optButterworth ", " 3K ", "11110"},
                         {9, 3000, kButterworth, 0, "optButterworth ", " 3K ", "11110"},
                         {kBessel, 0, kBessel, 0, "optBessel ", " 1K ", "11110"},
                         {kChebyshev, -20, kChebyshev, 0, "optChebyshev ", " 1K ", "11111"},
                         {kManual, 3000, kManual, 1, "optManual ", " 3K ", "00000"}}) {
    DesignRecord start = OpeningDefaults();
    std::tie(start.Family, start.Bandwidth, start.Apass, start.PartsModified) =
        std::tuple(family, bandwidth, 0.5f, 1 - parts);
    Shown d(start);
    const DesignRecord& r = d.app.record;
    EXPECT_EQ(std::tuple(r.Family, r.PartsModified, r.Apass, r.Bandwidth > 0, d.Checked(),
                         d.Caption("txtWidth"), d.Enabled()),
              std::tuple(shownFamily, parts, 0.5f, true, option, width, enabled))
        << family;
  }
}

TEST(DesignPage, OptionButtonsSetFamilyFlagRippleAndEnabledControls) {
  // Ripple before; family, parts flag, ripple and its text, enabled controls after the click.
  using Case = std::tuple<std::string, float, int16_t, int16_t, float, std::string, std::string>;
  for (const auto& [option, before, family, parts, apass, text, enabled] : std::vector<Case>{
           {"optButterworth", 2.0f, kButterworth, 0, 0.0f, "0", "11110"},
           {"optChebyshev", 0.0f, kChebyshev, 0, 0.1f, ".1", "11111"},
           {"optChebyshev", 0.001f, kChebyshev, 0, 0.1f, ".1", "11111"},
           {"optChebyshev", 2.0f, kChebyshev, 0, 2.0f, "1 ", "11111"},  // the text is left alone
           {"optBessel", 2.0f, kBessel, 0, 0.0f, "0", "11110"},
           {"optManual", 2.0f, kManual, 1, 2.0f, "1 ", "00000"}}) {
    Shown d;
    std::tie(d.app.record.Apass, d.app.record.PartsModified) = std::tuple(before, 1 - parts);
    d.page.SelectOption(option);
    const DesignRecord& r = d.app.record;
    EXPECT_EQ(std::tuple(r.Family, r.PartsModified, r.Apass, d.Caption("txtApass"), d.Enabled(),
                         d.Checked()),
              std::tuple(family, parts, apass, text, enabled, option + " "))
        << option << " from " << before;
  }
}

// Each keystroke stores its field at once and refreshes what depends on it; typing goes on from
// row to row on one page.
TEST(DesignPage, KeystrokesStoreValuesAndRefreshTheirLabels) {
  using Case = std::tuple<std::string, std::string, float, std::string, std::string>;
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
      {"txtInts", "2049", 2048, "txtInts", "2048"},
      {"txtInts", "3k", 2048, "txtInts", "2048"},
      {"txtInts", "99999999", 2048, "txtInts", "2048"},
      {"txtInts", "2048", 2048, "txtInts", "2048"},
  };
  Shown d;  // typing goes on from row to row on one page
  for (const auto& [field, typed, stored, label, shown] : cases) {
    d.page.Type(field, typed);
    EXPECT_EQ(std::tuple(d.Stored(field), d.Caption(label)), std::tuple(stored, shown))
        << field << "=" << typed;
  }
  EXPECT_FLOAT_EQ(d.app.record.dBperDiv, 20);
}

TEST(DesignPage, SpinnersStoreTheirCountAndRefreshTheLabels) {
  Shown d;  // 60 dB and 1.2 ms over the intervals
  for (const auto& [spun, stored, count, perInterval, delay] :
       std::vector<std::tuple<int, int16_t, std::string, std::string, std::string>>{
           {3, 3, "3", "per interval: 20dB", "per interval: 400us"},
           {40, 12, "12", "per interval: 5dB", "per interval: 100us"},
           {0, 1, "1", "per interval: 60dB", "per interval: 1.2ms"}}) {
    d.page.Spin("UpDown3", spun);
    EXPECT_EQ(std::tuple(d.app.record.NrYintervals, d.Caption("lblNrY"),
                         d.Caption("lblPerYinterval"), d.Caption("lblPerYintervalDelay")),
              std::tuple(stored, count, perInterval, delay))
        << spun;
  }
  d.page.Spin("UpDown1", 7);
  EXPECT_EQ(d.Caption("lblOrderInput"), "7");
  ASSERT_TRUE(d.Design());
  EXPECT_EQ(std::tuple(d.app.record.Order, d.app.record.NrStages), std::tuple(7, 3.0f));

  DesignRecord start = OpeningDefaults();
  start.Order = 15;
  Shown high(start);
  high.page.Click("lblOrderInput");
  EXPECT_EQ(std::tuple(high.app.record.Order, high.Caption("lblOrderInput")), std::tuple(11, "11"));
}

// Every field and the selected option reach the command, and no field is read twice.
TEST(DesignPage, DesignCommandReadsEveryFieldAndTheSelectedFamily) {
  const std::vector<std::tuple<std::string, std::string, float>> fields{
      {"txtWidth", "2k", 2000}, {"lblOrderInput", "5", 5},   {"txtApass", ".5", 0.5f},
      {"txtStart", "20", 20},   {"txtStop", "200k", 2e5f},   {"txtInts", "100", 100},
      {"txtdBTop", "20", 20},   {"txtdBBottom", "-60", -60}, {"txtDelay", "3m", 0.003f}};
  Shown d;
  d.page.SelectOption("optChebyshev");
  d.app.record.Family = kBessel;  // the option shown is what counts
  for (const auto& [name, text, value] : fields)
    d.page[name].caption = text;
  ASSERT_TRUE(d.Design());
  EXPECT_EQ(d.app.dialogs.Texts(), Strings{});
  EXPECT_EQ(d.app.record.Family, kChebyshev);
  for (const auto& [name, text, value] : fields)
    EXPECT_FLOAT_EQ(d.Stored(name), value) << name;
}

// Repaired texts are shown again in their controls; the others keep what the user typed. A row:
// the option and the typed fields; the outcome and the fields' texts afterwards; the messages.
TEST(DesignPage, DesignCommandRepairsShowInTheControls) {
  const std::tuple<std::string, std::string, std::string> cases[]{
      {"optChebyshev txtWidth=20M lblOrderInput=1 txtApass=0 txtStop=30M",
       "designs, order 2, stages 1: 10M 2 .001 10M",
       "The filter bandwidth has been reset downward to 10 MHz / "
       "The order has been reset upward to 2 / "
       "The Chebyshev family passband ripple value has been reset upward to .001 dB / "
       "The analysis stopping frequency has been reset downward to 10 MHz / "},
      {"optChebyshev txtWidth=abc txtApass=25 txtInts=5", "designs, order 3, stages 1: 1K 20 5",
       "The filter bandwidth has been reset upward to 1 KHz / "
       "The Chebyshev family passband ripple value has been reset downward to 20 dB / "
       "Number of test frequencies has been reset upward to 10 / "},
      {"optButterworth txtApass=5", "designs, order 3, stages 1: 5", ""},
      {"optBessel lblOrderInput=11", "designs, order 10, stages 5: 11",
       "Bessel family; order reset to 10 / "},
      {"optButterworth txtdBTop=50 txtdBBottom=0", "designs, order 3, stages 1: 50 0",
       "Gain top has been reset to +40 / Gain bottom has been reset to -1 / "},
      // The stop checks end the command before the stages are worked out.
      {"optButterworth txtWidth=20M txtStart=1000 txtStop=1000",
       "stops, order 3, stages 0: 10M 1000 1000",
       "The filter bandwidth has been reset downward to 10 MHz / "
       "Please enter an analysis stopping frequency\ngreater than the starting frequency / "},
      {"optButterworth txtStart=20M txtStop=30M", "stops, order 3, stages 0: 20M 10M",
       "The analysis stopping frequency has been reset downward to 10 MHz / "
       "Please enter an analysis starting frequency\nbelow 10 MHz / "},
  };
  for (const auto& [typed, outcome, messages] : cases) {
    Shown d;
    std::istringstream in(typed);
    std::string option, field;
    in >> option;
    d.page.SelectOption(option);
    Fields fields;
    while (in >> field)
      fields.emplace_back(field.substr(0, field.find('=')), field.substr(field.find('=') + 1));
    const bool designed = d.Design(fields);
    const DesignRecord& r = d.app.record;
    std::ostringstream out, shown;
    out << (designed == (r.FreqAxisMode == 2) ? designed ? "designs" : "stops" : "half")
        << ", order " << r.Order << ", stages " << r.NrStages << ":";
    for (const auto& [name, text] : fields)
      out << " " << d.Caption(name);
    for (const std::string& text : d.app.dialogs.Texts())
      shown << text << " / ";
    EXPECT_EQ(std::tuple(out.str(), shown.str()), std::tuple(outcome, messages)) << typed;
  }
}

TEST(DesignPage, DesignCommandDesignsAndAnalysesTheFamilyFilter) {
  Shown d;
  ASSERT_TRUE(d.Design({{"txtWidth", "1k"}}));
  const DesignRecord& r = d.app.record;
  EXPECT_EQ(d.app.dialogs.Texts(), Strings{});
  EXPECT_EQ(std::tuple(r.Family, r.FreqAxisMode, r.Apass, r.R[1][2], r.Freq[0]),
            std::tuple(kButterworth, int16_t{2}, 0.0f, 47000.0f, 1000.0f));
  // Third-order Butterworth at 1 kHz: one three-pole stage, 47 kOhm.
  EXPECT_NEAR(r.C[1][1], 4.716e-9, 0.01e-9);
  EXPECT_NEAR(r.C[1][2], 12.01e-9, 0.02e-9);
  EXPECT_NEAR(r.C[1][3], 0.686e-9, 0.002e-9);
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
  EXPECT_EQ(std::tuple(r.Bandwidth, r.Fstop, r.Nints), std::tuple(5000.0f, 1000.0f, before.Nints));
  EXPECT_TRUE(r.C == before.C && r.R == before.R && r.Gain == before.Gain && r.Freq == before.Freq);
}

TEST(DesignPage, ManualDesignKeepsTheUsersParts) {
  DesignRecord start = DistinctSession();
  start.C[2][1] = 0;  // an open C1 is raised to the 1e-13 floor, nothing else changes
  Shown d(start);
  ASSERT_TRUE(d.Design({{"txtWidth", "9k"}}));
  const DesignRecord& r = d.app.record;
  start.C[2][1] = 1e-13f;
  for (int s = 1; s <= 2; ++s) {
    for (int k = 1; k <= 3; ++k)
      EXPECT_EQ(std::pair(r.R[s][k], r.C[s][k]), std::pair(start.R[s][k], start.C[s][k])) << s << k;
  }
  EXPECT_FLOAT_EQ(r.Freq[0], start.Fstart);
  EXPECT_LT(r.Gain[r.Nints], -10);  // analysed: the parts make a lowpass
}

TEST(DesignPage, ButtonsDesignFirstWhereTheyShouldThenOpenTheirPage) {
  using enum PageId;
  using enum Call::Kind;
  for (const auto& [button, designs, calls] : std::vector<std::tuple<std::string, bool, Calls>>{
           {"cmdPlot", true, {{Open, Plot, OpenMode::Switch}}},
           {"cmdSchematic", true, {{Open, Schematic, OpenMode::Switch}}},
           {"cmdTabulate", true, {{Open, Tabulated, OpenMode::Switch}}},
           {"cmdWrite", true, {{Open, WriteFiles, OpenMode::Modal}}},
           {"cmdPrint", true, {}},
           {"cmdSave", true, {}},
           {"cmdAbout", false, {{Open, About, OpenMode::Over}}},
           {"cmdTransient", false, {{Open, Transient, OpenMode::Over}}},
           {"cmdQuit", false, {{Open, Exit, OpenMode::Modal}}}}) {
    Shown d;
    d.page["txtWidth"].caption = "2k";
    d.page.Click(button);
    EXPECT_EQ(std::tuple(d.app.record.Bandwidth, d.app.record.C[1][2] != 0, d.app.navigator.calls),
              std::tuple(designs ? 2000.0f : 3000.0f, designs, calls))
        << button;
    // Where the command stops on a stop below the start, nothing opens and nothing is saved.
    Shown stopped;
    stopped.page["txtStop"].caption = "10";
    stopped.page.Click(button);
    EXPECT_EQ(std::tuple(stopped.app.navigator.calls, stopped.app.dialogs.saveRequests.size(),
                         stopped.app.dialogs.Texts().size()),
              std::tuple(designs ? Calls{} : calls, 0u, designs ? 1u : 0u))
        << button;
  }
}

TEST(DesignPage, SaveAndGetGoThroughTheChosenFileAndCancelDoesNothing) {
  ScratchFolder folder;
  Shown cancelled;
  cancelled.page.Type("txtStart", "250");
  const DesignRecord before = cancelled.app.record;
  cancelled.page.Click("cmdGet");
  EXPECT_EQ(cancelled.Caption("txtStart"), "250");
  EXPECT_EQ(Session(before), Session(cancelled.app.record));
  cancelled.page.Click("cmdSave");
  EXPECT_EQ(
      Describe(cancelled.app.dialogs.openRequests) + Describe(cancelled.app.dialogs.saveRequests),
      "Read KESTRO file | KESTRO files (*.KST)|*.KST |  | 1\n"
      "Save KESTRO file | KESTRO files (*.KST)|*.KST |  | 1 | overwrite prompt\n");
  EXPECT_TRUE(cancelled.app.record.SessionFile.empty());
  EXPECT_EQ(folder.Entries(), Strings{});
  EXPECT_EQ(cancelled.app.dialogs.Texts(), Strings{});

  // Save runs the Design command first: the typed start reaches the file.
  Shown saver(DistinctSession());
  saver.app.dialogs.fileAnswers.push_back("saved.KST");
  saver.page["txtStart"].caption = "30";
  saver.page.Click("cmdSave");
  EXPECT_EQ(saver.app.record.SessionFile, "saved.KST");

  Shown d;
  d.app.dialogs.fileAnswers.push_back("saved.KST");
  d.page.Click("cmdGet");
  EXPECT_EQ(Session(saver.app.record), Session(d.app.record));
  EXPECT_EQ(std::tuple(d.Checked(), d.app.record.PartsModified), std::tuple("optManual ", 1));
  EXPECT_EQ((Strings{d.Caption("txtStart"), d.Caption("txtStop"), d.Caption("lblOrderInput"),
                     d.Caption("lblNrY"), d.Caption("txtDelay")}),
            (Strings{" 30Hz", " 200K ", "5 ", "7", "2m"}));
}

}  // namespace
}  // namespace kestro::test
