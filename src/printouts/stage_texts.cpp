// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/stage_texts.h"

#include "core/eng_value.h"
#include "core/eng_writers.h"

namespace kestro {

namespace {

std::string Freq(double hz) {
  return Trimmed(FormatFreq(static_cast<float>(hz)));
}

std::string Num(double value) {
  return Trimmed(FormatNum(static_cast<float>(value)));
}

// A margin far below 1 keeps its digits ("8.45u"), where a plain number would show 0.
std::string Ratio(double value) {
  return Trimmed(FormatEng(static_cast<float>(value)));
}

}  // namespace

std::vector<std::string> StageHeadingFields() {
  return {"Stage:", "Kind:", "Real pole:", "f0 (Hz):", "Q:", "GBW needed:", "Margin:"};
}

std::vector<std::string> StageFields(const StageFigures& stage) {
  return {std::to_string(stage.stage),
          stage.threePole ? "three-pole" : "two-pole",
          stage.threePole ? Freq(stage.realPoleHz) : "",
          Freq(stage.f0Hz),
          Num(stage.q),
          Freq(stage.neededGbwHz),
          stage.margin ? Ratio(*stage.margin) : ""};
}

std::vector<std::string> WarningTexts(const std::vector<BuildWarning>& warnings) {
  if (warnings.empty())
    return {"None: every part and stage can be built as drawn."};
  std::vector<std::string> texts;
  texts.reserve(warnings.size());
  for (const BuildWarning& warning : warnings)
    texts.push_back(warning.text);
  return texts;
}

}  // namespace kestro
