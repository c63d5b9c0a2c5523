// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/session_lines.h"

#include <algorithm>

#include "core/eng_value.h"

namespace kestro {

namespace {

std::string WithDecimalPoint(std::string text) {
  std::replace(text.begin(), text.end(), ',', '.');
  return text;
}

std::string ValueLine(const std::string& key, float value) {
  return key + SessionNumber(value);
}

std::string ValueLine(const std::string& key, int16_t value) {
  return key + std::to_string(value);
}

void AppendAnalysisAndDesign(const DesignRecord& r, std::vector<std::string>& lines) {
  lines.push_back("* Analysis: ===========");
  lines.push_back(ValueLine("Fstart: ", r.Fstart));
  lines.push_back(ValueLine("Fstop: ", r.Fstop));
  lines.push_back(ValueLine("Nr of intervals: ", r.Nints));
  lines.push_back(ValueLine("Plot dB top: ", r.dBtop));
  lines.push_back(ValueLine("Plot dB bottom: ", r.dBbottom));
  lines.push_back(ValueLine("Plot Y intervals: ", r.NrYintervals));
  lines.push_back(ValueLine("Plot delay top: ", r.DelayTop));
  lines.push_back("* Design: =============");
  lines.push_back(ValueLine("Family: ", r.Family));
  lines.push_back(ValueLine("Bandwidth: ", r.Bandwidth));
  lines.push_back(ValueLine("Passband ripple: ", r.Apass));
  lines.push_back(ValueLine("Order: ", r.Order));
}

// "C1,2: ", "R3,5: ".
std::string ComponentKey(char letter, int stage, int k) {
  std::string key(1, letter);
  key += std::to_string(stage);
  key += ',';
  key += std::to_string(k);
  key += ": ";
  return key;
}

void AppendComponents(const DesignRecord& r, std::vector<std::string>& lines) {
  const int stages = StageCount(r);
  lines.push_back("* Capacitor values: ===");
  for (int s = 1; s <= stages; ++s) {
    for (int k = 1; k <= 3; ++k) {
      lines.push_back(ValueLine(ComponentKey('C', s, k), r.C[s][k]));
    }
  }
  lines.push_back("* Resistor values: ====");
  for (int s = 1; s <= stages; ++s) {
    for (int k = 1; k <= 5; ++k) {
      lines.push_back(ValueLine(ComponentKey('R', s, k), r.R[s][k]));
    }
  }
}

// Markers in slots 1..8 that are set, renumbered from 1 in slot order.
void AppendMarkers(DesignRecord& r, std::vector<std::string>& lines) {
  std::vector<float> set;
  for (int slot = 1; slot <= kUsedMarkers; ++slot) {
    if (r.MarkerFreq[slot] > 0)
      set.push_back(r.MarkerFreq[slot]);
  }
  r.NrMarkers = static_cast<int16_t>(set.size());
  lines.push_back("* Markers: ============");
  lines.push_back(ValueLine("Number: ", r.NrMarkers));
  for (std::size_t i = 0; i < set.size(); ++i) {
    std::string key = "#";
    key += std::to_string(i + 1);
    key += ": ";
    lines.push_back(ValueLine(key, set[i]));
  }
}

void AppendLimits(const DesignRecord& r, std::vector<std::string>& lines) {
  const int count = std::clamp<int>(r.NrLimits[1], 0, kMaxLimit);
  lines.push_back("* Limits: =============");
  lines.push_back(ValueLine("Number: ", static_cast<int16_t>(count)));
  if (count <= 0)
    return;
  lines.push_back("* Shape/start/stop/top/bottom:");
  for (int j = 1; j <= count; ++j) {
    lines.push_back(LimitLine(r.LimitShape[j][1], r.LimitStart[j][1], r.LimitStop[j][1],
                              r.LimitTop[j][1], r.LimitBottom[j][1]));
  }
}

// After the limits, so that a reader that stops there still takes the file.
void AppendOpamp(const DesignRecord& r, std::vector<std::string>& lines) {
  lines.push_back("* Op-amp: =============");
  lines.push_back(ValueLine("GBW: ", r.OpampGbw));
  lines.push_back(ValueLine("Slew rate: ", r.OpampSlewRate));
  // An amplitude never set is the usual 1 V peak, as the Stages page reads it.
  lines.push_back(ValueLine("Amplitude: ", r.OpampAmplitude > 0 ? r.OpampAmplitude : 1.0f));
  lines.push_back(ValueLine("Analyse with this op-amp: ", r.OpampOn));
}

}  // namespace

std::string SessionNumber(float value) {
  return PlainNumber(value);  // "." whatever the locale, never wider than the reader's 12
}

std::string LimitLine(float shape, float start, float stop, float top, float bottom) {
  std::string line = WithDecimalPoint(SignedPositionNumber(shape));
  for (float value : {start, stop, top, bottom}) {
    line += "  ";
    line += WithDecimalPoint(SignedPositionNumber(value));
  }
  return line;
}

std::vector<std::string> SessionFileLines(DesignRecord& record, const std::string& firstLine) {
  std::vector<std::string> lines{firstLine};
  AppendAnalysisAndDesign(record, lines);
  record.NrStages = StagesForOrder(record.Order);
  AppendComponents(record, lines);
  AppendMarkers(record, lines);
  AppendLimits(record, lines);
  AppendOpamp(record, lines);
  return lines;
}

}  // namespace kestro
