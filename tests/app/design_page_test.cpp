// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design_page.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app_test_context.h"
#include "core/standard_series.h"
#include "files/session_file.h"

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
  // What the family options decide: the checked option, the stored family (f), parts flag (p)
  // and ripple (r) with the ripple's text, the bandwidth text (w), and which family-bound
  // controls are enabled (e): width, gain, order, its spinner, ripple, a capacitor series.
  std::string State() {
    std::ostringstream s;
    for (const Control& c : page.Controls())
      s << (c.checked ? c.name + " " : "");
    const DesignRecord& r = app.record;
    s << "f" << r.Family << " p" << r.PartsModified << " r" << r.Apass << " '"
      << Caption("txtApass") << "' w'" << Caption("txtWidth") << "' e";
    for (const char* name :
         {"txtWidth", "txtGain", "lblOrderInput", "UpDown1", "txtApass", "optCapsE12"})
      s << (page[name].enabled ? "1" : "0");
    return s.str();
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
            " | fraCapSeries=Standard capacitors | optCapsComputed=Computed | optCapsE6=E6"
            " | optCapsE12=E12 | optCapsE24=E24"
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
  EXPECT_TRUE(d.page["optButterworth"].checked);
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

// Loading (no option clicked) repairs an unknown family and a bandwidth not above zero, and shows
// the stored family without its click effects: the ripple stays, and a manual design is marked
// as the user's so the next Design command keeps its parts. Clicking an option sets the ripple
// of its family, keeping a Chebyshev ripple in range and the text that shows it.
TEST(DesignPage, TheFamilyShownOnLoadAndChosenByAnOption) {
  const struct {
    std::string option;
    int16_t family;
    float bandwidth, ripple;
    std::string state;
  } cases[]{
      {"", 9, 3000, 0.5f, "optButterworth optCapsComputed f1 p0 r0.5 '0.5 ' w' 3K ' e111101"},
      {"", kChebyshev, -20, 0.5f, "optChebyshev optCapsComputed f2 p0 r0.5 '0.5 ' w' 1K ' e111111"},
      {"", kManual, 3000, 0.5f, "optManual optCapsComputed f4 p1 r0.5 '0.5 ' w' 3K ' e000000"},
      {"optButterworth", kBessel, 3000, 2,
       "optButterworth optCapsComputed f1 p0 r0 '0' w' 3K ' e111101"},
      {"optChebyshev", kButterworth, 3000, 0.001f,
       "optChebyshev optCapsComputed f2 p0 r0.1 '.1' w' 3K ' e111111"},
      {"optChebyshev", kButterworth, 3000, 2,
       "optChebyshev optCapsComputed f2 p0 r2 '2 ' w' 3K ' e111111"},
      {"optBessel", kButterworth, 3000, 2,
       "optBessel optCapsComputed f3 p0 r0 '0' w' 3K ' e111101"},
      {"optManual", kButterworth, 3000, 2,
       "optManual optCapsComputed f4 p1 r2 '2 ' w' 3K ' e000000"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.option << " from family " << c.family << ", ripple " << c.ripple);
    DesignRecord start = OpeningDefaults();
    start.Family = c.family, start.Bandwidth = c.bandwidth, start.Apass = c.ripple;
    start.PartsModified = c.family == kManual || c.option == "optManual" ? 0 : 1;
    Shown d(start);
    if (!c.option.empty())
      d.page.SelectOption(c.option);
    EXPECT_EQ(d.State(), c.state);
  }
}

// Each keystroke stores its field at once and refreshes what depends on it; typing goes on from
// row to row on one page.
TEST(DesignPage, KeystrokesStoreValuesAndRefreshTheirLabels) {
  const struct {
    std::string field, typed, label, shown;
  } cases[]{
      {"txtdBBottom", "-80", "lblPerYinterval", "per interval: 15dB"},  // |10 - -80| / 6
      {"txtdBTop", "40", "lblPerYinterval", "per interval: 20dB"},      // (40 - -80) / 6
      // The delay writer's text is shown whole, with the blanks of its unit place.
      {"txtDelay", "6m", "lblPerYintervalDelay", "per interval: 1ms"},
      {"txtStart", "2k", "txtStart", "2k"},
      // Frequency counts above 2048 are rewritten while typing, prefixes included.
      {"txtInts", "3k", "txtInts", "2048"},
  };
  Shown d;
  for (const auto& c : cases) {
    d.page.Type(c.field, c.typed);
    EXPECT_EQ(d.Caption(c.label), c.shown) << c.field << "=" << c.typed;
  }
  EXPECT_EQ(d.app.record.Fstart, 2000);
  EXPECT_EQ(d.app.record.Nints, 2048);
  EXPECT_FLOAT_EQ(d.app.record.DelayTop, 0.006f);
}

// 60 dB and 1.2 ms over the intervals; counts out of range are held at the spinner's ends, and
// the order spun reaches the design.
TEST(DesignPage, SpinnersStoreTheirCountAndRefreshTheLabels) {
  Shown d;
  d.page.Spin("UpDown3", 3);
  EXPECT_EQ((Strings{d.Caption("lblPerYinterval"), d.Caption("lblPerYintervalDelay")}),
            (Strings{"per interval: 20dB", "per interval: 400us"}));
  d.page.Spin("UpDown3", 40);
  EXPECT_EQ((Strings{d.Caption("lblNrY"), d.Caption("lblPerYinterval")}),
            (Strings{"12", "per interval: 5dB"}));
  d.page.Spin("UpDown1", 7);
  ASSERT_TRUE(d.Design());
  EXPECT_EQ(d.app.record.Order, 7);
}

// Where the command stops on a stop below the start (its message is the use case's), nothing
// opens, nothing is saved and the parts and the response stay as they were.
TEST(DesignPage, ButtonsDesignFirstWhereTheyShouldThenOpenTheirPage) {
  using enum PageId;
  using enum Call::Kind;
  const struct {
    std::string button;
    bool designs;
    Calls calls;
  } cases[]{{"cmdPlot", true, {{Open, Plot, OpenMode::Switch}}},
            {"cmdSchematic", true, {{Open, Schematic, OpenMode::Switch}}},
            {"cmdTabulate", true, {{Open, Tabulated, OpenMode::Switch}}},
            {"cmdWrite", true, {{Open, WriteFiles, OpenMode::Modal}}},
            {"cmdPrint", true, {}},
            {"cmdSave", true, {}},
            {"cmdAbout", false, {{Open, About, OpenMode::Over}}},
            {"cmdTransient", false, {{Open, Transient, OpenMode::Over}}},
            {"cmdQuit", false, {{Open, Exit, OpenMode::Modal}}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    Shown d;
    d.page["txtWidth"].caption = "2k";
    d.page.Click(c.button);
    EXPECT_EQ(d.app.record.Bandwidth, c.designs ? 2000 : 3000);
    EXPECT_EQ(d.app.navigator.calls, c.calls);
    Shown stopped;
    stopped.page["txtStop"].caption = "10";
    stopped.page.Click(c.button);
    EXPECT_EQ(stopped.app.navigator.calls, c.designs ? Calls{} : c.calls);
    EXPECT_EQ(stopped.app.dialogs.Texts().size(), c.designs ? 1u : 0u);
    EXPECT_TRUE(stopped.app.dialogs.saveRequests.empty());
    EXPECT_EQ(stopped.app.record.R, OpeningDefaults().R);
    EXPECT_TRUE(stopped.app.record.Gain == OpeningDefaults().Gain) << "analysed after the stop";
  }
}

TEST(DesignPage, SaveAndGetGoThroughTheChosenFileAndCancelDoesNothing) {
  ScratchFolder folder;
  Shown cancelled;
  cancelled.page.Type("txtStart", "250");
  cancelled.page.Click("cmdGet");
  EXPECT_EQ(cancelled.app.record.Fstart, 250);
  cancelled.page.Click("cmdSave");
  EXPECT_EQ(
      Describe(cancelled.app.dialogs.openRequests) + Describe(cancelled.app.dialogs.saveRequests),
      "Read KESTRO file | KESTRO files (*.KST)|*.KST |  | 1\n"
      "Save KESTRO file | KESTRO files (*.KST)|*.KST |  | 1 | overwrite prompt\n");
  EXPECT_EQ(cancelled.Caption("txtStart"), "250");
  EXPECT_EQ(folder.Entries(), Strings{});

  // Save runs the Design command first: the typed start reaches the file.
  Shown saver(DistinctSession());
  saver.app.dialogs.fileAnswers.push_back("saved.KST");
  saver.page["txtStart"].caption = "30";
  saver.page.Click("cmdSave");
  Shown d;
  d.app.dialogs.fileAnswers.push_back("saved.KST");
  d.page.Click("cmdGet");
  EXPECT_EQ(Session(saver.app.record), Session(d.app.record));
  EXPECT_EQ(d.State(), "optManual optCapsComputed f4 p1 r0 '0' w' 2.5K ' e000000");
  EXPECT_EQ((Strings{d.Caption("txtStart"), d.Caption("txtStop"), d.Caption("lblOrderInput"),
                     d.Caption("lblNrY"), d.Caption("txtDelay")}),
            (Strings{" 30Hz", " 200K ", "5 ", "7", "2m"}));
}

// Get names a value the reader held at its bound, after the file is read whole.
TEST(DesignPage, GetNamesAValueLimitedOnReading) {
  ScratchFolder folder;
  DesignRecord saved = DistinctSession();
  saved.R[2][3] = -5e10f;
  ASSERT_EQ(WriteSessionFile(saved, "big.KST", "2026-12-06 11:45:03"), std::nullopt);
  Shown d;
  d.app.dialogs.fileAnswers.push_back("big.KST");
  d.page.Click("cmdGet");
  EXPECT_EQ(d.app.dialogs.Texts(), Strings{"The value of R2,3 in the KESTRO file has been reset "
                                           "upward from -5E+10 to -1E+10"});
  EXPECT_EQ((std::vector{d.app.record.R[2][3], d.app.record.C[2][3]}),
            (std::vector{-1e10f, saved.C[2][3]}));
  EXPECT_EQ(d.Caption("txtStart"), " 20Hz");
}

// A capacitor series chosen on the page puts every capacitor of every stage on that series, the
// three-pole stage's too, while the stages still make the family's response; "Computed" gives the
// exact capacitors again, and the choice outlives the page.
TEST(DesignPage, StandardCapacitorsComeFromTheChosenSeries) {
  for (const int order : {4, 7}) {
    SCOPED_TRACE(order);
    Shown exact;
    ASSERT_TRUE(exact.Design({{"lblOrderInput", std::to_string(order)}, {"txtWidth", "2k"}}));
    Shown d;
    d.page.SelectOption("optCapsE12");
    ASSERT_TRUE(d.Design({{"lblOrderInput", std::to_string(order)}, {"txtWidth", "2k"}}));
    const DesignRecord& r = d.app.record;
    int offSeries = 0;
    for (int s = 1; s <= static_cast<int>(r.NrStages); ++s) {
      const auto stage = static_cast<std::size_t>(s);
      for (std::size_t k = (s == 1 && order % 2 == 1) ? 1 : 2; k <= 3; ++k) {
        EXPECT_FLOAT_EQ(StandardSeries::E12().Nearest(r.C[stage][k]), r.C[stage][k]) << s << k;
        const float computed = exact.app.record.C[stage][k];
        offSeries += StandardSeries::E12().Nearest(computed) != computed;
      }
    }
    EXPECT_GT(offSeries, 0);  // the computed design would not have been on the series
    EXPECT_TRUE(d.app.dialogs.Texts().empty());
    // The same poles: the gain at the band edge is the exact design's.
    EXPECT_NEAR(r.Gain[256], exact.app.record.Gain[256], 0.02);
    DesignPage again{d.app.context};
    EXPECT_TRUE(again["optCapsE12"].checked);
    again.SelectOption("optCapsComputed");
    ASSERT_TRUE(again.RunDesignCommand());
    EXPECT_EQ(d.app.record.C, exact.app.record.C);
  }
}

}  // namespace
}  // namespace kestro::test
