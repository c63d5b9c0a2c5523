#include "synthesis/design_command.h"

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

void FinishDesignCommand(DesignRecord& record, Dialogs& dialogs) {
  RaiseCapacitorsToFloor(record);
  record.FreqAxisMode = 2;
  if (IsFamilyDesign(record) && record.PartsModified != 1) {
    SynthesizeFamilyDesign(record, dialogs);
  }
  Analyze(record);
}

}  // namespace kestro
