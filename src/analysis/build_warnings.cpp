// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/build_warnings.h"

#include <array>
#include <charconv>
#include <cmath>

namespace kestro {
namespace {

// Three significant digits, "." as separator: "26.4", "0.179".
std::string ThreeDigits(double value) {
  std::array<char, 32> text{};
  const auto result =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::general, 3);
  return std::string(text.data(), result.ptr);
}

// Three significant digits with an engineering prefix: "47", "22M", "0.179p", "118M", "125T".
std::string Engineering(double value) {
  constexpr const char* kPrefixes[] = {"p", "n", "u", "m", "", "k", "M", "G", "T"};
  int index = 4;
  while (index < 8 && std::abs(value) >= 1000.0) {
    value /= 1000.0, ++index;
  }
  while (index > 0 && std::abs(value) < 1.0 && value != 0.0) {
    value *= 1000.0, --index;
  }
  return ThreeDigits(value) + kPrefixes[index];
}

std::string Ohms(float value) {
  return Engineering(value) + " ohms";
}

std::string Farads(float value) {
  return Engineering(value) + "F";
}

std::string Hertz(double value) {
  return Engineering(value) + "Hz";
}

std::string StagePrefix(int stage) {
  return "Stage " + std::to_string(stage) + ": ";
}

void CheckParts(const DesignRecord& record, const StageFigures& figures,
                std::vector<BuildWarning>& out) {
  const int s = figures.stage;
  for (int k = figures.threePole ? 1 : 2; k <= 3; ++k) {
    const float r = record.R[s][k];
    const std::string name = "R" + std::to_string(k) + " = " + Ohms(r);
    if (r < kSmallestBuildableResistor) {
      out.push_back({s, BuildWarningKind::SmallResistor,
                     StagePrefix(s) + name + " is below " + Ohms(kSmallestBuildableResistor) +
                         " (it loads the op-amp output)"});
    } else if (r > kLargestBuildableResistor) {
      out.push_back({s, BuildWarningKind::LargeResistor,
                     StagePrefix(s) + name + " is above " + Ohms(kLargestBuildableResistor) +
                         " (noise, bias current and leakage are of its size)"});
    }
  }
  for (int k = figures.threePole ? 1 : 2; k <= 3; ++k) {
    const float c = record.C[s][k];
    if (c < kSmallestBuildableCapacitor) {
      out.push_back({s, BuildWarningKind::SmallCapacitor,
                     StagePrefix(s) + "C" + std::to_string(k) + " = " + Farads(c) + " is below " +
                         Farads(kSmallestBuildableCapacitor) +
                         " (stray and op-amp input capacitance are of that size)"});
    }
  }
}

void CheckStage(const StageFigures& figures, std::vector<BuildWarning>& out) {
  const int s = figures.stage;
  if (figures.q > kLargestBuildableQ) {
    out.push_back({s, BuildWarningKind::HighQ,
                   StagePrefix(s) + "Q = " + ThreeDigits(figures.q) + " is above " +
                       ThreeDigits(kLargestBuildableQ) +
                       " (its gain peak follows every part's tolerance)"});
  }
  if (figures.neededGbwHz > kLargestBuildableGbw) {
    out.push_back({s, BuildWarningKind::HighGbw,
                   StagePrefix(s) + "GBW needed = " + Hertz(figures.neededGbwHz) + " is above " +
                       Hertz(kLargestBuildableGbw) + " (few op-amps reach it)"});
  }
}

}  // namespace

std::vector<BuildWarning> BuildWarnings(const DesignRecord& record,
                                        const std::vector<StageFigures>& figures) {
  std::vector<BuildWarning> out;
  for (const StageFigures& stage : figures) {
    if (stage.stage < 1 || stage.stage > kMaxStage) {
      continue;
    }
    CheckParts(record, stage, out);
    CheckStage(stage, out);
  }
  return out;
}

}  // namespace kestro
