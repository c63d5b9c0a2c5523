#pragma once

#include <vector>

#include "core/design_record.h"

namespace kestro {

// One pole of the normalised prototype, X + jY.
struct ListedPole {
  float x = 0;
  float y = 0;
};

// The poles of the record's family and order as the pole listing numbers them, all n of them
// (both halves of each pair): Butterworth and Chebyshev by formula, Bessel from the roots of the
// reverse Bessel polynomial in the listing's slot order (orders above 10 list order 10). Empty
// for hand-entered parts. The record is not changed.
std::vector<ListedPole> SummaryPoles(const DesignRecord& record);

}  // namespace kestro
