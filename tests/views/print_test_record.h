#pragma once

#include <memory>

#include "analysis/response_engine.h"
#include "core/design_record.h"
#include "support/scripted_dialogs.h"
#include "usecase/design_command.h"

namespace kestro::test {

// A designed and analysed filter at 1 kHz, analysed from 1 kHz to 10 kHz at 512 intervals
// (the opening defaults), with its grid frequencies.
inline std::unique_ptr<DesignRecord> DesignedRecord(int16_t order = 4,
                                                    int16_t family = kButterworth) {
  auto record = std::make_unique<DesignRecord>();
  record->SetOpeningDefaults();
  record->Family = family;
  record->Order = order;
  record->Apass = family == kChebyshev ? 0.5f : 0.0f;
  record->Bandwidth = 1000;
  record->NrStages = StagesForOrder(order);
  ScriptedDialogs dialogs;
  FinishDesignCommand(*record, dialogs);
  ComputeGridFreqs(*record);
  return record;
}

// Limit j of set 1.
inline void SetLimit(DesignRecord& record, int j, float shape, float start, float stop, float top,
                     float bottom) {
  const auto i = static_cast<std::size_t>(j);
  record.LimitShape[i][1] = shape;
  record.LimitStart[i][1] = start;
  record.LimitStop[i][1] = stop;
  record.LimitTop[i][1] = top;
  record.LimitBottom[i][1] = bottom;
  record.NrLimits[1] = static_cast<int16_t>(std::max<int>(record.NrLimits[1], j));
}

}  // namespace kestro::test
