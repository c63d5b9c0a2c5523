// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an overlay file: the curve stays inside its arrays and holds finite numbers.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "files/plot_overlay.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static auto overlay = std::make_unique<kestro::PlotOverlay>();
  kestro::ReadOverlayText(std::string_view(reinterpret_cast<const char*>(data), size), *overlay);
  const int last = overlay->OverlayLast;
  FUZZ_CHECK(last >= -1 && last <= kestro::kMaxPoint);
  for (int p = 0; p <= last; ++p) {
    const auto point = static_cast<std::size_t>(p);
    FUZZ_CHECK(std::isfinite(overlay->OverlayFreq[point]));
    FUZZ_CHECK(std::isfinite(overlay->OverlayValue[point]));
  }
  return 0;
}
