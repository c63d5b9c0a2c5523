#include "views/stage_rows.h"

#include "core/eng_value.h"
#include "views/tabulated_rows.h"

namespace kestro {

namespace {

std::string Columns(const std::vector<std::string>& fields) {
  std::string row;
  for (const std::string& field : fields)
    row += PadTabulatedField(field);
  return Trimmed(row);
}

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

std::string StageHeading() {
  return Columns({"Stage:", "Kind:", "Real pole:", "f0 (Hz):", "Q:", "GBW needed:", "Margin:"});
}

std::vector<std::string> StageRows(const std::vector<StageFigures>& figures) {
  std::vector<std::string> rows;
  rows.reserve(figures.size());
  for (const StageFigures& stage : figures) {
    rows.push_back(
        Columns({std::to_string(stage.stage), stage.threePole ? "three-pole" : "two-pole",
                 stage.threePole ? Freq(stage.realPoleHz) : "", Freq(stage.f0Hz), Num(stage.q),
                 Freq(stage.neededGbwHz), stage.margin ? Ratio(*stage.margin) : ""}));
  }
  return rows;
}

std::string SensitivityHeading() {
  return Columns({"Stage:", "Part:", "dB for +1 %:"});
}

std::vector<std::string> SensitivityRows(const std::vector<PartSensitivity>& ranked) {
  std::vector<std::string> rows;
  rows.reserve(ranked.size());
  for (const PartSensitivity& part : ranked)
    rows.push_back(Columns({std::to_string(part.stage), part.part, Num(part.maxChangeDb)}));
  return rows;
}

std::vector<std::string> WarningRows(const std::vector<BuildWarning>& warnings) {
  if (warnings.empty())
    return {"None: every part and stage can be built as drawn."};
  std::vector<std::string> rows;
  rows.reserve(warnings.size());
  for (const BuildWarning& warning : warnings)
    rows.push_back(warning.text);
  return rows;
}

}  // namespace kestro
