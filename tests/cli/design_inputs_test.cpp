#include "cli/design_inputs.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/scripted_dialogs.h"

namespace kestro::cli {
namespace {

const std::string kBandwidthMessage = "The filter bandwidth has been reset downward to 10 MHz";
const std::string kOrderMessage = "The order has been reset downward to 11";
const std::string kRippleUp =
    "The Chebyshev family passband ripple value has been reset upward to .001 dB";
const std::string kRippleDown =
    "The Chebyshev family passband ripple value has been reset downward to 20 dB";
const std::string kBesselMessage = "Bessel family; order reset to 10";
const std::string kStartMessage = "Analysis starting frequency has been set to .1";
const std::string kStopMessage =
    "Please enter an analysis stopping frequency\ngreater than the starting frequency";
const std::string kStopDown = "The analysis stopping frequency has been reset downward to 10 MHz";
const std::string kIntsUp = "Number of test frequencies has been reset upward to 10";
const std::string kIntsDown = "Number of test frequencies has been reset downward to 2048";

struct Outcome {
  std::vector<std::string> messages;
  bool proceeds = true;
  DesignRecord record{};
  DesignInputs inputs;
};

Outcome Apply(const std::function<void(DesignInputs&)>& edit) {
  Outcome outcome;
  outcome.record.SetOpeningDefaults();
  outcome.inputs = DesignInputs::FromRecord(outcome.record);
  edit(outcome.inputs);
  test::ScriptedDialogs dialogs;
  outcome.proceeds = ApplyDesignInputs(outcome.inputs, outcome.record, dialogs);
  outcome.messages = dialogs.Texts();
  return outcome;
}

TEST(DesignInputsTest, FieldsShowTheRecordAsTheDesignPageDoes) {
  DesignRecord record{};
  record.SetOpeningDefaults();
  const DesignInputs inputs = DesignInputs::FromRecord(record);
  EXPECT_EQ(inputs.width, " 3K ");
  EXPECT_EQ(inputs.order, 3);
  EXPECT_EQ(inputs.family, kButterworth);
  EXPECT_EQ(inputs.apass, "1 ");
  EXPECT_EQ(inputs.start, " 1K ");
  EXPECT_EQ(inputs.stop, " 10K ");
  EXPECT_EQ(inputs.intervals, "512 ");
  EXPECT_EQ(inputs.dBTop, "10 ");
  EXPECT_EQ(inputs.dBBottom, "-50 ");
  EXPECT_EQ(inputs.delay, "1.2m");
}

TEST(DesignInputsTest, UnchangedFieldsStoreTheDefaultsWithoutMessages) {
  const Outcome o = Apply([](DesignInputs&) {});
  EXPECT_TRUE(o.proceeds);
  EXPECT_TRUE(o.messages.empty());
  EXPECT_EQ(o.record.Bandwidth, 3000.0f);
  EXPECT_EQ(o.record.Order, 3);
  EXPECT_EQ(o.record.Family, kButterworth);
  EXPECT_EQ(o.record.Apass, 0.0f);  // the ripple is only kept for Chebyshev
  EXPECT_EQ(o.record.Fstart, 1000.0f);
  EXPECT_EQ(o.record.Fstop, 10000.0f);
  EXPECT_EQ(o.record.Nints, 512);
  EXPECT_EQ(o.record.dBtop, 10.0f);
  EXPECT_EQ(o.record.dBbottom, -50.0f);
  EXPECT_FLOAT_EQ(o.record.DelayTop, 0.0012f);
}

struct RepairCase {
  const char* name;
  std::function<void(DesignInputs&)> edit;
  std::vector<std::string> messages;
  std::function<void(const Outcome&)> check;
};

void SetChebyshev(DesignInputs& in, const char* ripple) {
  in.family = kChebyshev;
  in.apass = ripple;
}

TEST(DesignInputsTest, OutOfRangeValuesAreRepairedWithTheirMessages) {
  const RepairCase cases[] = {
      {"bandwidth 20M",
       [](DesignInputs& in) { in.width = "20M"; },
       {kBandwidthMessage},
       [](const Outcome& o) {
         EXPECT_EQ(o.record.Bandwidth, 1e7f);
         EXPECT_EQ(o.inputs.width, "10M");
       }},
      {"order 12",
       [](DesignInputs& in) { in.order = 12; },
       {kOrderMessage},
       [](const Outcome& o) { EXPECT_EQ(o.record.Order, 11); }},
      {"ripple 0",
       [](DesignInputs& in) { SetChebyshev(in, "0"); },
       {kRippleUp},
       [](const Outcome& o) {
         EXPECT_EQ(o.record.Apass, 0.001f);
         EXPECT_EQ(o.inputs.apass, ".001");
       }},
      {"ripple 25",
       [](DesignInputs& in) { SetChebyshev(in, "25"); },
       {kRippleDown},
       [](const Outcome& o) {
         EXPECT_EQ(o.record.Apass, 20.0f);
         EXPECT_EQ(o.inputs.apass, "20");
       }},
      {"ripple 0,5",
       [](DesignInputs& in) { SetChebyshev(in, "0,5"); },
       {},
       [](const Outcome& o) { EXPECT_EQ(o.record.Apass, 0.5f); }},
      {"Butterworth ignores the ripple text",
       [](DesignInputs& in) { in.apass = "abc"; },
       {},
       [](const Outcome& o) { EXPECT_EQ(o.record.Apass, 0.0f); }},
      {"Bessel ignores a bad ripple",
       [](DesignInputs& in) {
         in.family = kBessel;
         in.apass = "50";
       },
       {},
       [](const Outcome& o) { EXPECT_EQ(o.record.Apass, 0.0f); }},
      {"Bessel order 11",
       [](DesignInputs& in) {
         in.family = kBessel;
         in.order = 11;
       },
       {kBesselMessage},
       [](const Outcome& o) { EXPECT_EQ(o.record.Order, 10); }},
      {"Bessel order 12",
       [](DesignInputs& in) {
         in.family = kBessel;
         in.order = 12;
       },
       {kOrderMessage, kBesselMessage},
       [](const Outcome& o) { EXPECT_EQ(o.record.Order, 10); }},
      {"start 0.05",
       [](DesignInputs& in) { in.start = "50m"; },
       {kStartMessage},
       [](const Outcome& o) { EXPECT_FLOAT_EQ(o.record.Fstart, 0.1f); }},
      {"stop 20M",
       [](DesignInputs& in) { in.stop = "20M"; },
       {kStopDown},
       [](const Outcome& o) {
         EXPECT_EQ(o.record.Fstop, 1e7f);
         EXPECT_EQ(o.inputs.stop, "10M");
       }},
      {"intervals 5",
       [](DesignInputs& in) { in.intervals = "5.4"; },
       {kIntsUp},
       [](const Outcome& o) { EXPECT_EQ(o.record.Nints, 10); }},
      {"intervals 5000",
       [](DesignInputs& in) { in.intervals = "5000"; },
       {kIntsDown},
       [](const Outcome& o) { EXPECT_EQ(o.record.Nints, 2048); }},
      {"intervals -3",
       [](DesignInputs& in) { in.intervals = "-3"; },
       {kIntsUp},
       [](const Outcome& o) { EXPECT_EQ(o.record.Nints, 10); }},
      {"gain top 50, bottom 0",
       [](DesignInputs& in) {
         in.dBTop = "50";
         in.dBBottom = "0";
       },
       {"Gain top has been reset to +40", "Gain bottom has been reset to -1"},
       [](const Outcome& o) {
         EXPECT_EQ(o.record.dBtop, 40.0f);
         EXPECT_EQ(o.record.dBbottom, -1.0f);
       }},
      {"gain top -5, bottom -150",
       [](DesignInputs& in) {
         in.dBTop = "-5";
         in.dBBottom = "-150";
       },
       {"Gain top has been reset to 0", "Gain bottom has been reset to -100"},
       [](const Outcome& o) {
         EXPECT_EQ(o.record.dBtop, 0.0f);
         EXPECT_EQ(o.record.dBbottom, -100.0f);
       }},
      {"delay top has no bounds",
       [](DesignInputs& in) { in.delay = "-2m"; },
       {},
       [](const Outcome& o) { EXPECT_FLOAT_EQ(o.record.DelayTop, -0.002f); }},
      {"no family selected keeps the record's",
       [](DesignInputs& in) { in.family = 0; },
       {},
       [](const Outcome& o) { EXPECT_EQ(o.record.Family, kButterworth); }},
      {"manual family",
       [](DesignInputs& in) { in.family = kManual; },
       {},
       [](const Outcome& o) { EXPECT_EQ(o.record.Family, kManual); }},
  };
  for (const RepairCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome o = Apply(c.edit);
    EXPECT_TRUE(o.proceeds);
    EXPECT_EQ(o.messages, c.messages);
    c.check(o);
  }
}

TEST(DesignInputsTest, ValuesExactlyAtTheBoundsAreAcceptedSilently) {
  const Outcome o = Apply([](DesignInputs& in) {
    in.width = "10M";
    in.order = 11;
    SetChebyshev(in, "1m");
    in.start = ".1";
    in.stop = "10M";
    in.intervals = "2048";
    in.dBTop = "40";
    in.dBBottom = "-100";
  });
  EXPECT_TRUE(o.messages.empty());
  EXPECT_EQ(o.record.Bandwidth, 1e7f);
  EXPECT_EQ(o.record.Order, 11);
  EXPECT_EQ(o.record.Apass, 0.001f);
  EXPECT_FLOAT_EQ(o.record.Fstart, 0.1f);
  EXPECT_EQ(o.record.Fstop, 1e7f);
  EXPECT_EQ(o.record.Nints, 2048);
  EXPECT_EQ(o.record.dBtop, 40.0f);
  EXPECT_EQ(o.record.dBbottom, -100.0f);
  const Outcome low = Apply([](DesignInputs& in) {
    SetChebyshev(in, "20");
    in.intervals = "10";
    in.dBTop = "0";
    in.dBBottom = "-1";
  });
  EXPECT_TRUE(low.messages.empty());
  EXPECT_EQ(low.record.Apass, 20.0f);
  EXPECT_EQ(low.record.Nints, 10);
}

TEST(DesignInputsTest, SeveralRepairsComeInTheCommandsOrder) {
  const Outcome o = Apply([](DesignInputs& in) {
    in.dBBottom = "5";
    in.dBTop = "99";
    in.intervals = "1";
    in.stop = "20M";
    in.start = "0";
    SetChebyshev(in, "0");
    in.order = 13;
    in.width = "1G";
  });
  const std::vector<std::string> expected = {kBandwidthMessage,
                                             kOrderMessage,
                                             kRippleUp,
                                             kStartMessage,
                                             kStopDown,
                                             kIntsUp,
                                             "Gain top has been reset to +40",
                                             "Gain bottom has been reset to -1"};
  EXPECT_EQ(o.messages, expected);
  EXPECT_TRUE(o.proceeds);
}

TEST(DesignInputsTest, StopNotAboveStartEndsTheCommandBeforeTheRest) {
  struct Case {
    const char* start;
    const char* stop;
  };
  for (const Case& c : {Case{"1k", "1k"}, Case{"1k", "999"}, Case{"1k", "abc"}, Case{"0", "50m"}}) {
    const Outcome o = Apply([&c](DesignInputs& in) {
      in.start = c.start;
      in.stop = c.stop;
      in.intervals = "5";  // never read: no message for it
      in.dBTop = "99";
    });
    EXPECT_FALSE(o.proceeds) << c.start << " " << c.stop;
    ASSERT_FALSE(o.messages.empty());
    EXPECT_EQ(o.messages.back(), kStopMessage);
    EXPECT_EQ(o.record.Nints, 512);  // the opening value stays
    EXPECT_EQ(o.record.dBtop, 10.0f);
  }
}

}  // namespace
}  // namespace kestro::cli
