// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/stage_report.h"

#include "analysis/build_warnings.h"
#include "analysis/part_sensitivity.h"
#include "analysis/stage_figures.h"
#include "core/eng_value.h"

namespace kestro::cli {

namespace {

void WriteStageLine(const StageFigures& stage, std::ostream& out) {
  out << "Stage " << stage.stage << ": f0 = " << PlainNumber(stage.f0Hz)
      << " Hz, Q = " << PlainNumber(stage.q) << ", GBW needed = " << PlainNumber(stage.neededGbwHz)
      << " Hz";
  if (stage.threePole)
    out << ", real pole = " << PlainNumber(stage.realPoleHz) << " Hz";
  if (stage.margin)
    out << ", margin = " << PlainNumber(*stage.margin);
  out << '\n';
}

void WriteSlewLines(const DesignRecord& record, std::ostream& out) {
  const OpampFigures opamp = ComputeOpampFigures(record);
  if (!opamp.fullPowerBandwidthHz)
    return;
  out << "Full-power bandwidth: " << PlainNumber(*opamp.fullPowerBandwidthHz) << " Hz\n";
  if (opamp.fullPowerBelowBandwidth) {
    out << "Warning: the full-power bandwidth is below the filter's bandwidth of "
        << PlainNumber(record.Bandwidth) << " Hz (the output slews at "
        << PlainNumber(record.OpampAmplitude) << " V peak)\n";
  }
}

}  // namespace

void WriteStageReport(const DesignRecord& record, std::ostream& out) {
  const std::vector<StageFigures> stages = ComputeStageFigures(record);
  for (const StageFigures& stage : stages)
    WriteStageLine(stage, out);
  for (const BuildWarning& warning : BuildWarnings(record, stages))
    out << "Warning: " << warning.text << '\n';
  WriteSlewLines(record, out);
}

void WriteSensitivityReport(const DesignRecord& record, std::ostream& out) {
  out << "Sensitivities (gain change for +1 % of the part):\n";
  for (const PartSensitivity& part : RankPartSensitivities(record)) {
    out << "  Stage " << part.stage << ' ' << part.part << ": " << PlainNumber(part.maxChangeDb)
        << " dB\n";
  }
}

}  // namespace kestro::cli
