// SPDX-License-Identifier: GPL-3.0-or-later
#include "usecase/design_command.h"

#include <string>

#include "analysis/response_engine.h"
#include "core/standard_series.h"
#include "synthesis/stage_synthesis.h"
#include "synthesis/standard_cap_synthesis.h"

namespace kestro {
namespace {

void RaiseCapacitorsToFloor(DesignRecord& record) {
  for (auto& stage : record.C) {
    for (int k = 1; k <= 3; ++k) {
      if (!(stage[k] >= kCapacitorFloor)) {  // also repairs a NaN read from a file
        stage[k] = kCapacitorFloor;
      }
    }
  }
}

bool IsFamilyDesign(const DesignRecord& record) {
  return record.Family == kButterworth || record.Family == kChebyshev || record.Family == kBessel;
}

}  // namespace

bool SynthesizeOrReport(DesignRecord& record, Dialogs& dialogs) {
  if (SynthesizeFamilyDesign(record))
    return true;
  dialogs.Message(std::string(kComputeCapsError));
  return false;
}

bool SynthesizeWithStandardCapsOrReport(DesignRecord& record, Dialogs& dialogs) {
  const int16_t perDecade = record.StandardCaps;
  const bool offered = perDecade == 6 || perDecade == 12 || perDecade == 24;
  const StandardSeries* caps = StandardSeries::Named("E" + std::to_string(perDecade));
  if (!offered || caps == nullptr)
    return SynthesizeOrReport(record, dialogs);
  const StandardCapsOutcome outcome = SynthesizeWithStandardCaps(record, *caps);
  if (!outcome.solved) {
    dialogs.Message(std::string(kComputeCapsError));
    return false;
  }
  if (!outcome.message.empty())
    dialogs.Message(outcome.message);
  return true;
}

bool FinishDesignCommand(DesignRecord& record, Dialogs& dialogs) {
  RaiseCapacitorsToFloor(record);
  record.FreqAxisMode = 2;
  bool solved = true;
  if (IsFamilyDesign(record) && record.PartsModified != 1) {
    solved = SynthesizeWithStandardCapsOrReport(record, dialogs);
  }
  Analyze(record);
  return solved;
}

}  // namespace kestro
