// SPDX-License-Identifier: GPL-3.0-or-later
#include "usecase/design_fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/scripted_dialogs.h"
#include "usecase/design_command.h"

namespace kestro {
namespace {

using Strings = std::vector<std::string>;
using Field = std::string DesignFields::*;
using Edits = std::vector<std::pair<Field, std::string>>;

const std::string kWidthDown = "The filter bandwidth has been reset downward to 10 MHz";
const std::string kWidthUp = "The filter bandwidth has been reset upward to 1 KHz";
const std::string kOrderDown = "The order has been reset downward to 11";
const std::string kOrderUp = "The order has been reset upward to 2";
const std::string kRippleUp =
    "The Chebyshev family passband ripple value has been reset upward to .001 dB";
const std::string kRippleDown =
    "The Chebyshev family passband ripple value has been reset downward to 20 dB";
const std::string kBesselDown = "Bessel family; order reset to 10";
const std::string kStartUp = "Analysis starting frequency has been set to .1";
const std::string kStopNotAbove =
    "Please enter an analysis stopping frequency\ngreater than the starting frequency";
const std::string kStopDown = "The analysis stopping frequency has been reset downward to 10 MHz";
const std::string kStartNotBelow = "Please enter an analysis starting frequency\nbelow 10 MHz";
const std::string kIntsUp = "Number of test frequencies has been reset upward to 10";
const std::string kIntsDown = "Number of test frequencies has been reset downward to 2048";
const std::string kTopDown = "Gain top has been reset to +40";
const std::string kTopUp = "Gain top has been reset to 0";
const std::string kBottomDown = "Gain bottom has been reset to -100";
const std::string kBottomUp = "Gain bottom has been reset to -1";

using F = DesignFields;
const Field kFields[]{&F::width,     &F::order, &F::apass,    &F::start, &F::stop,
                      &F::intervals, &F::dBTop, &F::dBBottom, &F::delay};

// What the fields show and what they feed, in the fields' order.
Strings Shown(const DesignFields& f) {
  return {f.width, f.order, f.apass, f.start, f.stop, f.intervals, f.dBTop, f.dBBottom, f.delay};
}
std::vector<float> Stored(const DesignRecord& r) {
  return {r.Bandwidth,    float(r.Order), r.Apass,    r.Fstart,  r.Fstop,
          float(r.Nints), r.dBtop,        r.dBbottom, r.DelayTop};
}

struct Outcome {
  bool proceeds = false;
  DesignRecord record{};
  DesignFields fields;
  Strings messages;
};

// The opening page's fields with the family selected and the edits typed, read once.
Outcome Read(int16_t family, const Edits& edits) {
  Outcome o;
  o.record.SetOpeningDefaults();
  o.fields = DesignFields::FromRecord(o.record);
  o.fields.family = family;
  for (const auto& [field, text] : edits)
    o.fields.*field = text;
  test::ScriptedDialogs dialogs;
  o.proceeds = ReadDesignFields(o.fields, o.record, dialogs);
  o.messages = dialogs.Texts();
  return o;
}

// Edits written as "field=text" words, the fields named as in DesignFields.
Outcome Read(int16_t family, const std::string& words) {
  const std::string names[]{"width",     "order", "apass",    "start", "stop",
                            "intervals", "dBTop", "dBBottom", "delay"};
  Edits edits;
  std::istringstream in(words);
  for (std::string word; in >> word;) {
    const std::string name = word.substr(0, word.find('='));
    const auto* at = std::find(std::begin(names), std::end(names), name);
    EXPECT_NE(at, std::end(names)) << word;
    edits.emplace_back(kFields[at - names], word.substr(name.size() + 1));
  }
  return Read(family, edits);
}

// Out-of-range values in every field of the Chebyshev page (the opening texts are the design
// page's test): each repair stores its value with one message, in the command's order whatever the
// order of the edits, and only some rewrite their text. Values at the bounds, and any delay, are
// taken silently.
TEST(DesignFields, RepairsStoreTheirValuesWithOneMessageEachInTheCommandsOrder) {
  const struct {
    std::string edits;
    Strings messages, shown;
    std::vector<float> stored;
  } cases[] = {
      {"dBBottom=-150 dBTop=50 intervals=4k stop=20M apass=25 order=12 width=20M",
       {kWidthDown, kOrderDown, kRippleDown, kStopDown, kIntsDown, kTopDown, kBottomDown},
       {"10M", "12", "20", " 1K ", "10M", "4k", "50", "-150", "1.2m"},
       {1e7f, 11, 20, 1000, 1e7f, 2048, 40, -100, 0.0012f}},
      {"dBBottom=0 dBTop=-3 intervals=5.4 start=0.01 apass=0 order=1 width=abc",
       {kWidthUp, kOrderUp, kRippleUp, kStartUp, kIntsUp, kTopUp, kBottomUp},
       {"1K", "2", ".001", "0.01", " 10K ", "5.4", "-3", "0", "1.2m"},
       {1000, 2, 0.001f, 0.1f, 10000, 10, 0, -1, 0.0012f}},
      {"width=10M order=11 apass=20 start=.1 stop=10M intervals=2048 dBTop=40 dBBottom=-100 "
       "delay=-2m",
       {},
       {"10M", "11", "20", ".1", "10M", "2048", "40", "-100", "-2m"},
       {1e7f, 11, 20, 0.1f, 1e7f, 2048, 40, -100, -0.002f}},
      {"width=1m order=2 apass=.001 intervals=10 dBTop=0 dBBottom=-1",
       {},
       {"1m", "2", ".001", " 1K ", " 10K ", "10", "0", "-1", "1.2m"},
       {0.001f, 2, 0.001f, 1000, 10000, 10, 0, -1, 0.0012f}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.edits);
    const Outcome o = Read(kChebyshev, c.edits);
    EXPECT_TRUE(o.proceeds);
    EXPECT_EQ(o.messages, c.messages);
    EXPECT_EQ(Shown(o.fields), c.shown);
    EXPECT_EQ(Stored(o.record), c.stored);
  }
}

// The selected family decides whether the ripple is kept and how high the order may go; with
// none selected the record's family stays.
TEST(DesignFields, FamilyDecidesRippleAndBesselOrder) {
  const struct {
    int16_t family;
    const char *order, *apass;
    std::vector<float> stored;  // family, order, ripple
    Strings messages;
  } cases[]{
      {kButterworth, "3", "-7", {kButterworth, 3, 0}, {}},
      {kBessel, "5", "50", {kBessel, 5, 0}, {}},
      {kBessel, "10", "1", {kBessel, 10, 0}, {}},
      {kBessel, "11", "1", {kBessel, 10, 0}, {kBesselDown}},
      {kBessel, "14", "1", {kBessel, 10, 0}, {kOrderDown, kBesselDown}},
      {kChebyshev, "11", "1", {kChebyshev, 11, 1}, {}},
      {kManual, "4", "3", {kManual, 4, 0}, {}},
      {0, "4", "3", {kButterworth, 4, 0}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "family " << c.family << " order " << c.order);
    const Outcome o = Read(c.family, std::string("order=") + c.order + " apass=" + c.apass);
    EXPECT_TRUE(o.proceeds);
    EXPECT_EQ((std::vector<float>{float(o.record.Family), float(o.record.Order), o.record.Apass}),
              c.stored);
    EXPECT_EQ(o.messages, c.messages);
  }
}

// An empty sweep ends the command after its message: what comes before is stored, the fields
// after the stop are neither read nor repaired.
TEST(DesignFields, EmptySweepStopsBeforeTheGraphFields) {
  const struct {
    const char *start, *stop;
    bool proceeds;
    Strings messages;
    float storedStart, storedStop;
  } cases[]{
      {"1k", "1k", false, {kStopNotAbove}, 1000, 1000},
      {"1k", "abc", false, {kStopNotAbove}, 1000, 0},
      {"0", "50m", false, {kStartUp, kStopNotAbove}, 0.1f, 0.05f},
      {"20M", "30M", false, {kStopDown, kStartNotBelow}, 2e7f, 1e7f},
      {"10M", "20M", false, {kStopDown, kStartNotBelow}, 1e7f, 1e7f},
      {"9.9M", "20M", true, {kStopDown}, 9.9e6f, 1e7f},
      {"0", ".2", true, {kStartUp}, 0.1f, 0.2f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " to " + c.stop);
    const Outcome o =
        Read(kButterworth, std::string("width=20M start=") + c.start + " stop=" + c.stop +
                               " intervals=5 dBTop=99 dBBottom=-20 delay=7m");
    Strings expected{kWidthDown};
    expected.insert(expected.end(), c.messages.begin(), c.messages.end());
    if (c.proceeds)
      expected.insert(expected.end(), {kIntsUp, kTopDown});
    EXPECT_EQ(o.proceeds, c.proceeds);
    EXPECT_EQ(o.messages, expected);
    // The later values are repaired and stored, or the opening ones stay.
    EXPECT_EQ(
        Stored(o.record),
        c.proceeds
            ? (std::vector<float>{1e7f, 3, 0, c.storedStart, c.storedStop, 10, 40, -20, 0.007f})
            : (std::vector<float>{1e7f, 3, 0, c.storedStart, c.storedStop, 512, 10, -50, 0.0012f}));
  }
}

// Letters, nothing, huge, negative and over-long entries in every field end in a record within
// every bound that designs and analyses to finite numbers.
TEST(DesignFields, BadTextInEveryFieldEndsInADesignableRecord) {
  for (const int16_t family : {kButterworth, kChebyshev, kBessel}) {
    for (const Field& field : kFields) {
      for (const char* input : {"abc", "", "1e40", "-5", "1234567890123456", "-1e40", "5k5k5k"}) {
        SCOPED_TRACE(testing::Message()
                     << "family " << family << " field " << (&field - kFields) << "=" << input);
        Outcome o = Read(family, {{field, input}});
        const DesignRecord& r = o.record;
        EXPECT_TRUE(r.Bandwidth > 0 && r.Bandwidth <= 1e7f && r.Order >= 2 && r.Order <= 11 &&
                    r.Fstart >= 0.1f);
        if (!o.proceeds) {
          EXPECT_FALSE(o.messages.empty());
          continue;
        }
        EXPECT_TRUE(r.Fstop > r.Fstart && r.Fstop <= 1e7f && r.Nints >= 10 && r.Nints <= 2048 &&
                    r.dBtop >= 0 && r.dBbottom <= -1);
        test::ScriptedDialogs dialogs;
        FinishDesignCommand(o.record, dialogs);
        EXPECT_TRUE(std::isfinite(o.record.Gain[o.record.Nints]));
      }
    }
  }
}

}  // namespace
}  // namespace kestro
