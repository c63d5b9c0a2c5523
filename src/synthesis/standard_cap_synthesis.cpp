// SPDX-License-Identifier: GPL-3.0-or-later
#include "synthesis/standard_cap_synthesis.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "synthesis/stage_denominator.h"
#include "synthesis/stage_synthesis.h"
#include "synthesis/three_pole_resistors.h"

namespace kestro {
namespace {

constexpr float kSmallestCap = 0.99e-12f;  // farads: 1 pF ...
constexpr float kLargestCap = 1.01e-5f;    // ... to 10 uF
constexpr double kThreePoleWindow = 3.3;   // three-pole candidates around the computed values,
constexpr std::size_t kThreePoleCandidates = 12;  // at most this many nearest ones per capacitor
constexpr double kImpedanceBand = 10.0;           // resistors within this factor of Rnom are "near"

using Parts = std::array<double, 3>;  // R1..R3 or C1..C3

// How one candidate set of parts ranks; lower is better, compared tier first.
struct Score {
  int tier = 2;
  double value = std::numeric_limits<double>::infinity();

  bool operator<(const Score& other) const {
    return std::tie(tier, value) < std::tie(other.tier, other.value);
  }
};

struct Choice {
  Score score;
  Parts r{};
  Parts c{};
};

// What the choice of one stage looks for: its denominator, the impedance level, and the series
// the resistors will be rounded to (null: none).
struct StageGoal {
  StageDenominator target;
  double rnom = 0;
  const StandardSeries* resistors = nullptr;
};

double WorstDistance(const Parts& r, double rnom) {
  double worst = 0;
  for (const double value : r) {
    if (value > 0)
      worst = std::max(worst, std::abs(std::log(value / rnom)));
  }
  return worst;
}

// Without a resistor series: nearest Rnom. With one: among the sets whose resistors lie within
// the impedance band, the one whose rounded resistors keep the stage's gain nearest its target;
// outside the band, nearest Rnom.
Score ScoreOf(const StageGoal& goal, const Parts& r, const Parts& c) {
  const double distance = WorstDistance(r, goal.rnom);
  if (goal.resistors == nullptr)
    return {0, distance};
  if (distance > std::log(kImpedanceBand))
    return {1, distance};
  Parts rounded{};
  for (std::size_t k = 0; k < 3; ++k)
    rounded[k] = r[k] > 0 ? goal.resistors->Nearest(static_cast<float>(r[k])) : 0.0;
  return {0, goal.target.DeviationDb(StageDenominator::OfParts(rounded, c))};
}

void Consider(const StageGoal& goal, const Parts& r, const Parts& c, Choice& best) {
  const Score score = ScoreOf(goal, r, c);
  if (score < best.score)
    best = {score, r, c};
}

// Two-pole stage: (R2 + R3) C3 = b1 and R2 R3 C2 C3 = b2, so R2 and R3 are the roots of
// x^2 - S x + P; they are real when C2/C3 is at least 4 Q^2.
void TryTwoPolePair(const StageGoal& goal, double c2, double c3, Choice& best) {
  const double sum = goal.target.b1 / c3;
  const double product = goal.target.b2 / (c2 * c3);
  const double disc = sum * sum - 4.0 * product;
  if (disc < 0)
    return;
  const double r2 = 0.5 * (sum + std::sqrt(disc));
  Consider(goal, {0.0, r2, product / r2}, {kCapacitorFloor, c2, c3}, best);
}

Choice ChooseTwoPole(const StageGoal& goal, const std::vector<float>& values) {
  Choice best;
  for (const float c3 : values) {
    for (const float c2 : values)
      TryTwoPolePair(goal, c2, c3, best);
  }
  return best;
}

void TryThreePoleSet(const StageGoal& goal, const Parts& c, Choice& best) {
  for (const ThreeResistors& r : SolveThreePoleResistors(goal.target, c[0], c[1], c[2]))
    Consider(goal, r, c, best);
}

// The series values nearest a computed capacitor on a log scale, within the window; a finer
// series gets a narrower window so that the search over three capacitors stays small.
std::vector<float> NearestValues(const StandardSeries& caps, double computed) {
  std::vector<float> values = caps.ValuesBetween(static_cast<float>(computed / kThreePoleWindow),
                                                 static_cast<float>(computed * kThreePoleWindow));
  const auto distance = [computed](float c) { return std::abs(std::log(c / computed)); };
  std::sort(values.begin(), values.end(),
            [&distance](float a, float b) { return distance(a) < distance(b); });
  values.resize(std::min(values.size(), kThreePoleCandidates));
  return values;
}

Choice ChooseThreePole(const StageGoal& goal, const DesignRecord& record,
                       const StandardSeries& caps) {
  std::array<std::vector<float>, 3> near;
  for (std::size_t k = 0; k < 3; ++k)
    near[k] = NearestValues(caps, record.C[1][k + 1]);
  Choice best;
  for (const float c1 : near[0]) {
    for (const float c2 : near[1]) {
      for (const float c3 : near[2])
        TryThreePoleSet(goal, {c1, c2, c3}, best);
    }
  }
  return best;
}

// Stores the choice as singles; false (nothing stored) when there was none.
bool Store(DesignRecord& record, int stage, const Choice& choice) {
  if (choice.score.tier > 1)
    return false;
  for (std::size_t k = 1; k <= 3; ++k) {
    record.R[stage][k] = static_cast<float>(choice.r[k - 1]);
    record.C[stage][k] = static_cast<float>(choice.c[k - 1]);
  }
  return true;
}

void KeepComputed(StandardCapsOutcome& outcome, int stage, const StandardSeries& caps) {
  outcome.computedStages.push_back(stage);
  if (!outcome.message.empty())
    outcome.message += '\n';
  outcome.message += "No " + std::string(caps.Name()) + " capacitors give stage " +
                     std::to_string(stage) +
                     " positive resistors; it keeps its computed capacitors.";
}

}  // namespace

StandardCapsOutcome SynthesizeWithStandardCaps(DesignRecord& record, const StandardSeries& caps,
                                               const StandardSeries* resistors) {
  StandardCapsOutcome outcome;
  outcome.solved = SynthesizeFamilyDesign(record);
  if (!outcome.solved)
    return outcome;
  const double w = 2.0 * record.Pi * record.Bandwidth;  // rad/s
  const int n = record.Order;
  const bool odd = n % 2 == 1;
  if (odd) {
    const StageGoal goal{
        StageDenominator::ForThreePoles(record.PoleRe[1], record.PoleRe[2], record.PoleIm[1], w),
        record.Rnom, resistors};
    if (!Store(record, 1, ChooseThreePole(goal, record, caps)))
      KeepComputed(outcome, 1, caps);
  }
  const std::vector<float> values = caps.ValuesBetween(kSmallestCap, kLargestCap);
  for (int s = odd ? 2 : 1; s <= n / 2; ++s) {
    const double sigma = odd ? record.PoleRe[s + 1] : record.PoleRe[s];
    const StageGoal goal{StageDenominator::ForPair(sigma, record.PoleIm[s], w), record.Rnom,
                         resistors};
    if (!Store(record, s, ChooseTwoPole(goal, values)))
      KeepComputed(outcome, s, caps);
  }
  return outcome;
}

}  // namespace kestro
