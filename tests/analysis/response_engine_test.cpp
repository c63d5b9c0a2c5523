#include "analysis/response_engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "support/scripted_dialogs.h"
#include "synthesis/stage_synthesis.h"

namespace kestro {
namespace {

constexpr float kSentinel = -777.0f;

DesignRecord ButterworthDesign(int16_t order, float bandwidth = 1000) {
  DesignRecord record;
  record.SetOpeningDefaults();
  record.Family = kButterworth;
  record.Order = order;
  record.Bandwidth = bandwidth;
  test::ScriptedDialogs dialogs;
  EXPECT_TRUE(SynthesizeFamilyDesign(record, dialogs));
  return record;
}

void FillResponseWithSentinels(DesignRecord& record) {
  for (PointArray* array : {&record.Freq, &record.Gain, &record.Phase, &record.Delay}) {
    array->fill(kSentinel);
  }
}

// Group delay (s) at f from the phase slope of ResponseAt, unwrapping across +/-180 degrees.
double ReferenceDelay(DesignRecord record, double f) {
  const double step = f * 1e-3;
  float gain = 0;
  float below = 0;
  float above = 0;
  ResponseAt(record, static_cast<float>(f - step), gain, below);
  ResponseAt(record, static_cast<float>(f + step), gain, above);
  double drop = below - above;
  if (drop < 0) {
    drop += 360.0;
  }
  return drop / 360.0 / (2.0 * step);
}

// --- Single-frequency response ---

struct PointCase {
  const char* name;
  int16_t order;
  float freq;
  float gainDb;
  float gainTolerance;
  float phaseDeg;  // NaN: not checked
};

class ResponseAtPoint : public ::testing::TestWithParam<PointCase> {};

// Butterworth magnitude 1/sqrt(1 + (f/1000)^(2n)): -3.0103, -12.304 and -40.000 dB for n = 2;
// -60.0 dB at ten times the bandwidth for n = 3. The phase of order 3 at 2000 Hz is -209.7
// degrees, returned wrapped. Single precision and K = 1.00001 keep errors below 0.005 dB.
TEST_P(ResponseAtPoint, GainAndPhase) {
  const PointCase& c = GetParam();
  DesignRecord record = ButterworthDesign(c.order);
  float gain = 0;
  float phase = 0;
  ResponseAt(record, c.freq, gain, phase);
  EXPECT_NEAR(gain, c.gainDb, c.gainTolerance);
  if (!std::isnan(c.phaseDeg)) {
    EXPECT_NEAR(phase, c.phaseDeg, 0.05);
  }
  EXPECT_FLOAT_EQ(record.Omega, static_cast<float>(6.2831853 * c.freq));
}

constexpr float kUnchecked = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Butterworth1kHz, ResponseAtPoint,
    ::testing::Values(PointCase{"TwoPoleAtCorner", 2, 1000, -3.0103f, 0.005f, -90.0f},
                      PointCase{"TwoPoleOctave", 2, 2000, -12.304f, 0.005f, kUnchecked},
                      PointCase{"TwoPoleDecade", 2, 10000, -40.0f, 0.005f, kUnchecked},
                      PointCase{"ThreePoleAtCorner", 3, 1000, -3.0103f, 0.005f, kUnchecked},
                      PointCase{"ThreePoleWrapped", 3, 2000, -18.13f, 0.01f, 150.3f},
                      PointCase{"ThreePoleDecade", 3, 10000, -60.0f, 0.01f, kUnchecked}),
    [](const auto& info) { return std::string(info.param.name); });

// Far below the corner each stage passes its amplifier gain K = 1.00001.
TEST(ResponseAtLowFrequency, GainIsTheAmplifierGainOfEveryStage) {
  for (int16_t order = 2; order <= 11; ++order) {
    DesignRecord record = ButterworthDesign(order);
    float gain = 0;
    float phase = 0;
    ResponseAt(record, 0.001f, gain, phase);
    const double stages = order / 2;
    EXPECT_NEAR(gain, 20.0 * std::log10(1.00001) * stages, 2e-6) << "order " << order;
    EXPECT_NEAR(phase, 0.0, 1e-3);
    EXPECT_EQ(record.NrStages, static_cast<float>(stages));
  }
}

TEST(ResponseAtNetwork, AnOpenC1MakesR1PartOfR2) {
  // Three-pole network with C1 open (0, negative) behaves as the two-pole network with R2 + R1.
  DesignRecord open = ButterworthDesign(3);
  DesignRecord merged = open;
  merged.R[1][2] += merged.R[1][1];
  merged.R[1][1] = 0;
  merged.C[1][1] = 1e-13f;
  for (const float c1 : {0.0f, -1e-9f}) {
    open.C[1][1] = c1;
    for (const float f : {100.0f, 1000.0f, 5000.0f}) {
      float openGain = 0, openPhase = 0, mergedGain = 0, mergedPhase = 0;
      ResponseAt(open, f, openGain, openPhase);
      ResponseAt(merged, f, mergedGain, mergedPhase);
      EXPECT_NEAR(openGain, mergedGain, 1e-5) << f;
      EXPECT_NEAR(openPhase, mergedPhase, 1e-4) << f;
    }
  }
}

TEST(ResponseAtNetwork, ForcesTheAmplifierPairOfUsedStagesOnly) {
  DesignRecord record = ButterworthDesign(4);
  for (auto& stage : record.R) {
    stage[4] = 3.0f;
    stage[5] = 2.0f;
  }
  float gain = 0;
  float phase = 0;
  ResponseAt(record, 10.0f, gain, phase);
  EXPECT_NEAR(gain, 2 * 20 * std::log10(1.00001), 2e-6);  // K = 1.00001, not 2.5
  for (int s = 0; s <= kMaxStage; ++s) {
    const bool used = s == 1 || s == 2;
    EXPECT_EQ(record.R[s][4], used ? 1e-5f : 3.0f) << s;
    EXPECT_EQ(record.R[s][5], used ? 1.0f : 2.0f) << s;
  }
}

// --- The analysis sweep ---

TEST(Analyze, FrequenciesAreLogarithmicFromStartToStop) {
  DesignRecord record = ButterworthDesign(3);
  record.FreqAxisMode = 0;
  Analyze(record);
  EXPECT_EQ(record.FreqAxisMode, 2);
  EXPECT_FLOAT_EQ(record.Freq[0], 1000.0f);
  EXPECT_NEAR(record.Freq[256], 3162.28, 0.01);
  EXPECT_FLOAT_EQ(record.Freq[512], 10000.0f);
  EXPECT_NEAR(record.Freq[128] / record.Freq[127], std::pow(10.0, 1.0 / 512), 1e-6);
}

TEST(Analyze, GainAndPhaseArrayMatchSingleEvaluations) {
  DesignRecord record = ButterworthDesign(5, 3000);
  Analyze(record);
  for (const int i : {0, 1, 100, 311, 512}) {
    float gain = 0;
    float phase = 0;
    ResponseAt(record, record.Freq[i], gain, phase);
    EXPECT_EQ(record.Gain[i], gain) << i;
    EXPECT_EQ(record.Phase[i], phase) << i;
  }
  EXPECT_EQ(record.GainAt, record.Gain[512]);
  EXPECT_EQ(record.PhaseAt, record.Phase[512]);
}

// The delay follows the true group delay everywhere, including point 0 (extrapolated) and the
// points where the phase wraps (interpolated). Tolerance: the backward difference over one
// interval (1/512 of a decade, 0.45 %) moves the value by at most a few percent where the delay
// is steep; 5 % is well inside the gap to a missing repair (0) or a doubled value.
TEST(Analyze, DelayFollowsTheGroupDelayAcrossPhaseWraps) {
  DesignRecord record = ButterworthDesign(7);
  record.Fstart = 100;  // the phase falls from about -10 to -610 degrees: two wraps
  Analyze(record);
  int wraps = 0;
  for (int i = 0; i <= record.Nints; ++i) {
    const bool wrapped = i > 0 && record.Phase[i] > record.Phase[i - 1];
    wraps += wrapped ? 1 : 0;
    const double reference = ReferenceDelay(record, record.Freq[i]);
    EXPECT_NEAR(record.Delay[i], reference, 0.05 * reference) << "point " << i;
  }
  EXPECT_GE(wraps, 2);
}

// Order 3 wraps once, just above 1500 Hz: the repaired point lies between its neighbours.
TEST(Analyze, OrderThreeWrapIsRepairedFromItsNeighbours) {
  DesignRecord record = ButterworthDesign(3);
  Analyze(record);
  int wrapPoint = -1;
  for (int i = 1; i <= record.Nints; ++i) {
    if (record.Phase[i] > record.Phase[i - 1]) {
      wrapPoint = i;
    }
  }
  ASSERT_GT(wrapPoint, 0);
  EXPECT_GT(record.Delay[wrapPoint], 0.0f);
  EXPECT_FLOAT_EQ(record.Delay[wrapPoint],
                  0.5f * record.Delay[wrapPoint - 1] + 0.5f * record.Delay[wrapPoint + 1]);
}

// A wrap at the last point has no right neighbour: the spare element, whatever an earlier longer
// sweep left in it, counts as 0.
TEST(Analyze, WrapAtTheLastPointIgnoresTheSpareElement) {
  DesignRecord record = ButterworthDesign(3);
  // Bisect for the frequency where the phase passes -180 degrees.
  float low = 1000, high = 2000;
  for (int i = 0; i < 60; ++i) {
    const float mid = 0.5f * (low + high);
    float gain = 0, phase = 0;
    ResponseAt(record, mid, gain, phase);
    (phase < 0 ? low : high) = mid;
  }
  record.Fstart = high * 0.5f;
  record.Fstop = high * 1.001f;
  record.Nints = 10;
  record.Delay.fill(1.0f);
  Analyze(record);
  ASSERT_GT(record.Phase[10], record.Phase[9]);
  EXPECT_FLOAT_EQ(record.Delay[10], 0.5f * record.Delay[9]);
  EXPECT_EQ(record.Delay[11], 1.0f);
}

// Out-of-range settings from a file or a caller: no write outside the arrays, and nothing at all
// when there is no sweep to make.
TEST(Analyze, SettingsWithoutASweepLeaveTheArraysUntouched) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const struct {
    int16_t nints;
    float start;
    float stop;
  } cases[] = {{0, 1000, 10000},  {-5, 1000, 10000}, {-32768, 1000, 10000}, {512, 0, 10000},
               {512, -10, 10000}, {512, 1000, 0},    {512, 1000, -1},       {512, nan, 10000},
               {512, 1000, nan},  {512, 1000, inf},  {512, 1000, 1000},     {512, 10000, 1000}};
  for (const auto& c : cases) {
    DesignRecord record = ButterworthDesign(3);
    record.Nints = c.nints;
    record.Fstart = c.start;
    record.Fstop = c.stop;
    FillResponseWithSentinels(record);
    Analyze(record);
    EXPECT_EQ(AnalysisIntervals(record), 0);
    EXPECT_EQ(record.FreqAxisMode, 2);
    for (const PointArray* array : {&record.Freq, &record.Gain, &record.Phase, &record.Delay}) {
      EXPECT_EQ(*std::min_element(array->begin(), array->end()), kSentinel);
      EXPECT_EQ(*std::max_element(array->begin(), array->end()), kSentinel);
    }
  }
}

TEST(Analyze, IntervalCountsBeyondTheArraysAreClamped) {
  for (const int16_t nints : {int16_t{2048}, int16_t{2049}, int16_t{5000}, int16_t{32767}}) {
    DesignRecord record = ButterworthDesign(11);
    record.Nints = nints;
    FillResponseWithSentinels(record);
    Analyze(record);
    EXPECT_EQ(AnalysisIntervals(record), 2048);
    EXPECT_FLOAT_EQ(record.Freq[2048], record.Fstop);
    EXPECT_EQ(record.Freq[2049], kSentinel);
    EXPECT_NE(record.Delay[2048], kSentinel);
  }
}

// --- Grid lines ---

struct GridCase {
  const char* name;
  float start;
  float stop;
  std::vector<double> lines;
};

class GridFrequencies : public ::testing::TestWithParam<GridCase> {};

TEST_P(GridFrequencies, AreTheMultiplesInRange) {
  DesignRecord record;
  record.Fstart = GetParam().start;
  record.Fstop = GetParam().stop;
  ComputeGridFreqs(record);
  const std::vector<double>& lines = GetParam().lines;
  ASSERT_EQ(record.NrGridFreqs + 1, static_cast<int>(lines.size()));
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_NEAR(record.GridFreq[i], lines[i], 1e-6 * lines[i]) << i;
  }
}

std::vector<double> DecadeLines(double from, int decades, bool closingLine) {
  std::vector<double> lines;
  for (int d = 0; d < decades; ++d) {
    for (const double m : {1.0, 1.5, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 9.0}) {
      lines.push_back(from * std::pow(10.0, d) * m);
    }
  }
  if (closingLine) {
    lines.push_back(from * std::pow(10.0, decades));
  }
  return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, GridFrequencies,
    ::testing::Values(GridCase{"OneTo100", 1, 100, DecadeLines(1, 2, true)},
                      GridCase{"OneKTo10K", 1000, 10000, DecadeLines(1000, 1, true)},
                      GridCase{"Narrow", 150, 160, {150}},
                      GridCase{"MilliHertz", 0.001f, 0.0095f, DecadeLines(0.001, 1, false)},
                      GridCase{"BelowTheFirstLine", 0.0001f, 0.0009f, {}},
                      GridCase{"StartAboveStop", 500, 300, {}}, GridCase{"NoRange", 0, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridFrequenciesBadInput, EndAndStayInsideTheArray) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (const auto& [start, stop] :
       {std::pair{1.0f, inf}, std::pair{nan, 1e5f}, std::pair{1.0f, nan}, std::pair{-inf, inf}}) {
    DesignRecord record;
    record.Fstart = start;
    record.Fstop = stop;
    ComputeGridFreqs(record);
    EXPECT_GE(record.NrGridFreqs, -1);
    EXPECT_LE(record.NrGridFreqs, kMaxPoint);
  }
}

}  // namespace
}  // namespace kestro
