// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/response_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "synthesis/stage_synthesis.h"

namespace kestro {
namespace {

constexpr float kSentinel = -777.0f;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// A Butterworth design on the opening analysis settings: 1000 to 10000 Hz, 512 intervals.
DesignRecord Butterworth(int16_t order) {
  DesignRecord record;
  record.SetOpeningDefaults();
  record.Family = kButterworth, record.Order = order, record.Bandwidth = 1000;
  EXPECT_TRUE(SynthesizeFamilyDesign(record));
  return record;
}

std::pair<float, float> GainAndPhase(DesignRecord& record, float f) {
  float gain = 0;
  float phase = 0;
  ResponseAt(record, f, gain, phase);
  return {gain, phase};
}

// The Butterworth phase: -90 degrees at the corner for n = 2; -209.7 degrees at twice the corner
// for n = 3, which comes back wrapped; 0 far below the corner. The design-space tests check the
// gains.
TEST(ResponseAt, PhaseIsWrapped) {
  const struct {
    int16_t order;
    float freq, phaseDeg;
  } cases[] = {{2, 1000, -90.0f}, {3, 2000, 150.3f}, {11, 0.001f, 0.0f}};
  for (const auto& c : cases) {
    DesignRecord record = Butterworth(c.order);
    EXPECT_NEAR(GainAndPhase(record, c.freq).second, c.phaseDeg, 0.05) << c.order;
  }
}

// A C1 of 0 or less is open: the three-pole network then is the two-pole one with R2 + R1.
// The amplifier is the follower whatever the record's R4/R5 pair holds; the pair of every used
// stage, and only of those, is reset to the 1e-5 and 1 the files carry.
TEST(ResponseAt, OpenC1AndForcedAmplifierPair) {
  DesignRecord open = Butterworth(3);
  DesignRecord merged = open;
  merged.R[1][2] += merged.R[1][1];
  merged.R[1][1] = 0;
  for (const float c1 : {0.0f, -1e-9f}) {
    open.C[1][1] = c1;
    EXPECT_NEAR(GainAndPhase(open, 1000).first, GainAndPhase(merged, 1000).first, 1e-5) << c1;
    EXPECT_NEAR(GainAndPhase(open, 5000).second, GainAndPhase(merged, 5000).second, 1e-4) << c1;
  }
  DesignRecord record = Butterworth(4);
  for (auto& stage : record.R)
    stage[4] = 3.0f, stage[5] = 2.0f;
  EXPECT_NEAR(GainAndPhase(record, 10.0f).first, 0.0, 2e-6);
  for (int s = 0; s <= kMaxStage; ++s) {
    EXPECT_EQ(record.R[s][4] + record.R[s][5], s == 1 || s == 2 ? 1.00001f : 5.0f) << s;
  }
}

// Finite positive parts, however extreme, give finite gain, phase and delay over the whole
// frequency range: single parts of 1e10 or the largest single used to give NaN.
TEST(Analyze, ExtremePartsGiveFiniteNumbers) {
  constexpr float kMax = std::numeric_limits<float>::max();
  constexpr float kTiny = std::numeric_limits<float>::denorm_min();
  const struct {
    float r, c;
  } cases[] = {{1e10f, 1e10f}, {kMax, kMax}, {kTiny, kTiny}, {kMax, kTiny},
               {kTiny, kMax},  {1, 1e-13f},  {1e10f, 1e-13f}};
  for (const int16_t order : {int16_t{2}, int16_t{11}}) {
    for (const auto& c : cases) {
      DesignRecord record = Butterworth(order);
      for (auto& stage : record.R)
        stage[1] = stage[2] = stage[3] = c.r;
      for (auto& stage : record.C)
        stage[1] = stage[2] = stage[3] = c.c;
      record.Fstart = 0.1f, record.Fstop = 1e7f, record.Nints = 2048;
      Analyze(record);
      for (int i = 0; i <= record.Nints; ++i) {
        ASSERT_TRUE(std::isfinite(record.Gain[i] + record.Phase[i] + record.Delay[i]))
            << "order " << order << " R " << c.r << " C " << c.c << " point " << i;
      }
    }
  }
}

// The sweep's points are checked against ngspice's logarithmic ones. Two points closer than a
// single can tell apart measure no slope: no infinite delay.
TEST(Analyze, MarksTheLogarithmicAxisAndSweepsTinyRanges) {
  DesignRecord record = Butterworth(3);
  record.FreqAxisMode = 0, record.Fstop = std::nextafter(1000.0f, 2000.0f), record.Nints = 2048;
  Analyze(record);
  EXPECT_EQ(record.FreqAxisMode, 2);
  for (int i = 0; i <= record.Nints; ++i)
    ASSERT_TRUE(std::isfinite(record.Delay[i])) << i;
}

// The delay is the group delay of the prototype at every point, even on a grid of 10 intervals
// (two points a decade) and where the phase wraps (Butterworth 5 at 2 and 4 x bandwidth):
// seconds at 100 x 10^(i/5) Hz for a bandwidth of 1000 Hz, from scipy.signal.butter and
// scipy.signal.bessel (norm "delay") by tests/analysis/make_reference_values.py.
TEST(Analyze, DelayIsTheGroupDelayOfThePrototype) {
  const struct {
    int16_t family;
    int16_t order;
    double delay[11];
  } cases[] = {
      {kButterworth,
       5,
       {0.0005170196, 0.0005200815, 0.0005281395, 0.000551266, 0.0006375529, 0.00079134,
        0.0002538144, 8.736978e-05, 3.332335e-05, 1.306386e-05, 5.170196e-06}},
      {kBessel,
       6,
       {0.0001591549, 0.0001591549, 0.0001591549, 0.0001591549, 0.0001591549, 0.0001591549,
        0.0001591546, 0.0001591037, 0.0001544856, 9.667828e-05, 3.653486e-05}},
  };
  for (const auto& c : cases) {
    DesignRecord record;
    record.SetOpeningDefaults();
    record.Family = c.family, record.Order = c.order, record.Bandwidth = 1000;
    ASSERT_TRUE(SynthesizeFamilyDesign(record));
    record.Fstart = 100, record.Fstop = 10000, record.Nints = 10;
    Analyze(record);
    for (int i = 0; i <= 10; ++i) {
      EXPECT_NEAR(record.Delay[i], c.delay[i], 1e-4 * c.delay[i])
          << "family " << c.family << " point " << i;
      EXPECT_NEAR(GroupDelayAt(record, record.Freq[i]), c.delay[i], 1e-4 * c.delay[i])
          << "single frequency, family " << c.family << " point " << i;
    }
  }
}

// With the op-amp the delay is still the slope of the phase: checked against the phase of
// ResponseAt 0.1 % either side of each point (unwrapped across 180 degrees).
TEST(Analyze, DelayWithTheOpampIsTheSlopeOfItsPhase) {
  DesignRecord record = Butterworth(4);
  record.Bandwidth = 10000, record.Fstart = 1000, record.Fstop = 100000, record.Nints = 50;
  ASSERT_TRUE(SynthesizeFamilyDesign(record));
  record.OpampGbw = 1e6f, record.OpampOn = 1;
  Analyze(record);
  for (int i = 0; i <= record.Nints; ++i) {
    const double f = record.Freq[i];
    const double drop = GainAndPhase(record, static_cast<float>(f * 0.999)).second -
                        GainAndPhase(record, static_cast<float>(f * 1.001)).second;
    const double slope = (drop < 0 ? drop + 360.0 : drop) / 360.0 / (f * 0.002);
    EXPECT_NEAR(record.Delay[i], slope, 5e-3 * slope) << "point " << i;
  }
}

// The op-amp is analysed only with the switch on and a finite positive GBW; otherwise every
// stage is the follower and the response is the ideal one, bit for bit.
TEST(Analyze, OpampOnlyWithTheSwitchAndAGbw) {
  DesignRecord ideal = Butterworth(5);
  Analyze(ideal);
  const struct {
    int16_t on;
    float gbw;
    bool changes;
  } cases[] = {{0, 1e5f, false}, {1, 0, false},    {1, -1e5f, false},
               {1, kNaN, false}, {1, kInf, false}, {1, 1e5f, true}};
  for (const auto& c : cases) {
    DesignRecord record = ideal;
    record.OpampOn = c.on, record.OpampGbw = c.gbw;
    Analyze(record);
    EXPECT_EQ(record.Gain != ideal.Gain || record.Delay != ideal.Delay, c.changes)
        << "switch " << c.on << " GBW " << c.gbw;
  }
}

// Settings from a file or a caller that leave no sweep touch nothing; interval counts beyond the
// arrays are clamped to them. No write falls outside the arrays.
TEST(Analyze, SettingsOutsideTheArraysOrWithoutASweep) {
  const struct {
    int16_t nints;
    float start, stop;
    int intervals;
  } cases[] = {{0, 1000, 10000, 0},       {-32768, 1000, 10000, 0}, {512, 0, 10000, 0},
               {512, 1000, 0, 0},         {512, kNaN, 10000, 0},    {512, 1000, kNaN, 0},
               {512, 1000, kInf, 0},      {512, 1000, 1000, 0},     {512, 10000, 1000, 0},
               {2048, 1000, 10000, 2048}, {2049, 1000, 10000, 2048}};
  for (const auto& c : cases) {
    DesignRecord record = Butterworth(11);
    record.Nints = c.nints, record.Fstart = c.start, record.Fstop = c.stop;
    for (PointArray* array : {&record.Freq, &record.Gain, &record.Phase, &record.Delay})
      array->fill(kSentinel);
    Analyze(record);
    EXPECT_EQ(AnalysisIntervals(record), c.intervals) << c.nints << " " << c.start << " " << c.stop;
    const int n = c.intervals;
    for (const PointArray* array : {&record.Freq, &record.Gain, &record.Phase, &record.Delay}) {
      const auto untouched = [](float v) { return v == kSentinel; };
      EXPECT_EQ(std::count_if(array->begin(), array->end(), untouched),
                kMaxPoint - (n > 0 ? n : -1));
    }
    EXPECT_FLOAT_EQ(record.Freq[n > 0 ? n : 0], n > 0 ? record.Fstop : kSentinel);
  }
}

// Grid lines are the multiples in range (Fstop itself by the factor 1.0001); bad ranges end and
// stay inside the array.
TEST(ComputeGridFreqs, MultiplesInRange) {
  const struct {
    float start, stop;
    std::vector<float> lines;
  } cases[] = {
      {1, 100, {1, 1.5, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
      {150, 160, {150}},
      {0.001f, 0.0095f, {0.001, 0.0015, 0.002, 0.003, 0.004, 0.005, 0.006, 0.007, 0.008, 0.009}},
      {0.0001f, 0.0009f, {}},
      {500, 300, {}}};
  for (const auto& c : cases) {
    DesignRecord record;
    record.Fstart = c.start, record.Fstop = c.stop;
    ComputeGridFreqs(record);
    SCOPED_TRACE(testing::Message() << "from " << c.start);
    ASSERT_EQ(record.NrGridFreqs + 1, static_cast<int>(c.lines.size()));
    for (size_t i = 0; i < c.lines.size(); ++i)
      EXPECT_NEAR(record.GridFreq[i], c.lines[i], 1e-6 * c.lines[i]) << i;
  }
  for (const auto& [start, stop] : {std::pair{1.0f, kInf}, std::pair{kNaN, 1e5f},
                                    std::pair{1.0f, kNaN}, std::pair{-kInf, kInf}}) {
    DesignRecord record;
    record.Fstart = start, record.Fstop = stop;
    ComputeGridFreqs(record);
    EXPECT_TRUE(record.NrGridFreqs >= -1 && record.NrGridFreqs <= kMaxPoint) << start << stop;
  }
}

}  // namespace
}  // namespace kestro
