#include "usecase/design_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "support/scripted_dialogs.h"
#include "usecase/design_command.h"

namespace kestro {
namespace {

using Strings = std::vector<std::string>;
using Field = std::string DesignFields::*;
using Edits = std::vector<std::pair<Field, const char*>>;

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

// What the fields feed, in the fields' order.
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

TEST(DesignFields, ShowTheRecordAsThePageDoes) {
  DesignRecord record;
  record.SetOpeningDefaults();
  record.Family = kBessel;
  const DesignFields f = DesignFields::FromRecord(record);
  const Strings shown{f.width,     f.order, f.apass,    f.start, f.stop,
                      f.intervals, f.dBTop, f.dBBottom, f.delay};
  EXPECT_EQ(shown, (Strings{" 3K ", "3 ", "1 ", " 1K ", " 10K ", "512 ", "10 ", "-50 ", "1.2m"}));
  EXPECT_EQ(f.family, kBessel);
}

// One field at a time on the Chebyshev page: the repaired value reaches the record with exactly
// one message, only some repairs rewrite their text, a value at a bound is taken silently, and
// every other value stays.
TEST(DesignFields, EachRepairStoresItsValueWithOneMessage) {
  const struct {
    Field field;
    const char* typed;
    const char* shown;
    float stored;
    const std::string* message;  // nullptr: none
  } cases[]{{&F::width, "20M", "10M", 1e7f, &kWidthDown},
            {&F::width, "10M", "10M", 1e7f, nullptr},
            {&F::width, "abc", "1K", 1000, &kWidthUp},
            {&F::width, "-5k", "1K", 1000, &kWidthUp},
            {&F::width, "1m", "1m", 0.001f, nullptr},
            {&F::order, "12", "12", 11, &kOrderDown},
            {&F::order, "11", "11", 11, nullptr},
            {&F::order, "1", "2", 2, &kOrderUp},
            {&F::order, "2", "2", 2, nullptr},
            {&F::apass, "0", ".001", 0.001f, &kRippleUp},
            {&F::apass, "25", "20", 20, &kRippleDown},
            {&F::apass, ".001", ".001", 0.001f, nullptr},
            {&F::apass, "20", "20", 20, nullptr},
            {&F::apass, "0,5", "0,5", 0.5f, nullptr},
            {&F::start, "0.01", "0.01", 0.1f, &kStartUp},
            {&F::start, ".1", ".1", 0.1f, nullptr},
            {&F::stop, "20M", "10M", 1e7f, &kStopDown},
            {&F::stop, "10M", "10M", 1e7f, nullptr},
            {&F::intervals, "5.4", "5.4", 10, &kIntsUp},
            {&F::intervals, "4k", "4k", 2048, &kIntsDown},
            {&F::intervals, "10", "10", 10, nullptr},
            {&F::intervals, "2048", "2048", 2048, nullptr},
            {&F::dBTop, "50", "50", 40, &kTopDown},
            {&F::dBTop, "-3", "-3", 0, &kTopUp},
            {&F::dBTop, "40", "40", 40, nullptr},
            {&F::dBTop, "0", "0", 0, nullptr},
            {&F::dBBottom, "0", "0", -1, &kBottomUp},
            {&F::dBBottom, "-150", "-150", -100, &kBottomDown},
            {&F::dBBottom, "-1", "-1", -1, nullptr},
            {&F::dBBottom, "-100", "-100", -100, nullptr},
            {&F::delay, "-2m", "-2m", -0.002f, nullptr}};  // the delay has no bounds
  DesignRecord opening;
  opening.SetOpeningDefaults();
  for (const auto& c : cases) {
    const auto at =
        std::find(std::begin(kFields), std::end(kFields), c.field) - std::begin(kFields);
    SCOPED_TRACE(std::string(c.typed) + " in field " + std::to_string(at));
    const Outcome o = Read(kChebyshev, {{c.field, c.typed}});
    std::vector<float> expected = Stored(opening);
    expected[at] = c.stored;
    EXPECT_TRUE(o.proceeds);
    EXPECT_EQ(o.fields.*c.field, c.shown);
    EXPECT_EQ(Stored(o.record), expected);
    EXPECT_EQ(o.messages, c.message ? Strings{*c.message} : Strings{});
  }
}

// The selected family decides whether the ripple is kept and how high the order may go.
TEST(DesignFields, FamilyDecidesRippleAndBesselOrder) {
  const struct {
    int16_t family;
    const char *order, *apass;
    int16_t storedFamily, storedOrder;
    float storedApass;
    Strings messages;
  } cases[]{
      {kButterworth, "3", "-7", kButterworth, 3, 0, {}},
      {kButterworth, "11", "abc", kButterworth, 11, 0, {}},
      {kBessel, "5", "50", kBessel, 5, 0, {}},
      {kBessel, "10", "1", kBessel, 10, 0, {}},
      {kBessel, "11", "1", kBessel, 10, 0, {kBesselDown}},
      {kBessel, "14", "1", kBessel, 10, 0, {kOrderDown, kBesselDown}},
      {kChebyshev, "11", "1", kChebyshev, 11, 1, {}},
      {kManual, "4", "3", kManual, 4, 0, {}},
      {0, "4", "3", kButterworth, 4, 0, {}},  // none selected: the record's family stays
      {9, "4", "3", kButterworth, 4, 0, {}},
  };
  for (const auto& c : cases) {
    const Outcome o = Read(c.family, {{&F::order, c.order}, {&F::apass, c.apass}});
    EXPECT_EQ(std::tie(o.proceeds, o.record.Family, o.record.Order, o.record.Apass, o.messages),
              std::tuple(true, c.storedFamily, c.storedOrder, c.storedApass, c.messages))
        << "family " << c.family << " order " << c.order;
  }
}

// Several repairs in one command come in the command's order, whatever the order of the edits.
TEST(DesignFields, SeveralRepairsComeInTheCommandsOrder) {
  const Outcome o = Read(kChebyshev, {{&F::dBBottom, "5"},
                                      {&F::dBTop, "99"},
                                      {&F::intervals, "1"},
                                      {&F::stop, "50M"},
                                      {&F::start, "0"},
                                      {&F::apass, "30"},
                                      {&F::order, "1"},
                                      {&F::width, "1G"}});
  EXPECT_TRUE(o.proceeds);
  EXPECT_EQ(o.messages, (Strings{kWidthDown, kOrderUp, kRippleDown, kStartUp, kStopDown, kIntsUp,
                                 kTopDown, kBottomUp}));
  const Strings rewritten{o.fields.width, o.fields.order, o.fields.apass, o.fields.stop};
  EXPECT_EQ(rewritten, (Strings{"10M", "2", "20", "10M"}));
  const Outcome up = Read(kChebyshev, {{&F::dBBottom, "-101"},
                                       {&F::dBTop, "-1"},
                                       {&F::intervals, "9999"},
                                       {&F::apass, "0"},
                                       {&F::order, "12"},
                                       {&F::width, "0"}});
  EXPECT_EQ(up.messages,
            (Strings{kWidthUp, kOrderDown, kRippleUp, kIntsDown, kTopUp, kBottomDown}));
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
    const Outcome o = Read(kButterworth, {{&F::width, "20M"},
                                          {&F::start, c.start},
                                          {&F::stop, c.stop},
                                          {&F::intervals, "5"},
                                          {&F::dBTop, "99"},
                                          {&F::dBBottom, "-20"},
                                          {&F::delay, "7m"}});
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
