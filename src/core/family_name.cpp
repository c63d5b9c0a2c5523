// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/family_name.h"

#include "core/design_record.h"

namespace kestro {

const char* FamilyName(int16_t family) {
  switch (family) {
    case kButterworth:
      return "Butterworth";
    case kChebyshev:
      return "Chebyshev";
    case kBessel:
      return "Bessel";
    default:
      return nullptr;
  }
}

}  // namespace kestro
