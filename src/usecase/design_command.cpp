#include "usecase/design_command.h"

#include <string>

#include "analysis/response_engine.h"
#include "synthesis/stage_synthesis.h"

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

bool FinishDesignCommand(DesignRecord& record, Dialogs& dialogs) {
  RaiseCapacitorsToFloor(record);
  record.FreqAxisMode = 2;
  bool solved = true;
  if (IsFamilyDesign(record) && record.PartsModified != 1) {
    solved = SynthesizeOrReport(record, dialogs);
  }
  Analyze(record);
  return solved;
}

}  // namespace kestro
