// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a session file: the counts the record gets stay inside its arrays, a failure
// gives the reader's defaults, and the last-session reader takes a file whole or not at all.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "core/design_record.h"
#include "files/session_file.h"
#include "fuzz_check.h"

namespace {

void CheckCounts(const kestro::DesignRecord& r) {
  FUZZ_CHECK(r.NrStages <= kestro::kMaxStage);  // a negative order is the caller's to repair
  FUZZ_CHECK(r.NrStages == kestro::StagesForOrder(r.Order));
  FUZZ_CHECK(r.NrMarkers >= 0 && r.NrMarkers <= kestro::kMaxMarker);
  FUZZ_CHECK(r.NrLimits[1] >= 0 && r.NrLimits[1] <= kestro::kMaxLimit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static auto record = std::make_unique<kestro::DesignRecord>();
  kestro::DesignRecord& r = *record;
  r.SetOpeningDefaults();
  r.NrStages = kestro::StagesForOrder(r.Order);
  r.NrMarkers = 0;
  r.NrLimits[1] = 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (kestro::ReadSessionText(r, bytes)) {
    FUZZ_CHECK(r.Bandwidth == 3000 && r.Nints == 500);
  }
  CheckCounts(r);
  return 0;
}
