// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/stage_rows.h"

#include "core/eng_value.h"
#include "printouts/stage_texts.h"
#include "views/tabulated_rows.h"

namespace kestro {

namespace {

std::string Columns(const std::vector<std::string>& fields) {
  std::string row;
  for (const std::string& field : fields)
    row += PadTabulatedField(field);
  return Trimmed(row);
}

std::string Num(double value) {
  return Trimmed(FormatNum(static_cast<float>(value)));
}

}  // namespace

std::string StageHeading() {
  return Columns(StageHeadingFields());
}

std::vector<std::string> StageRows(const std::vector<StageFigures>& figures) {
  std::vector<std::string> rows;
  rows.reserve(figures.size());
  for (const StageFigures& stage : figures)
    rows.push_back(Columns(StageFields(stage)));
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
  return WarningTexts(warnings);
}

}  // namespace kestro
