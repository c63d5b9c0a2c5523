// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uniform_random.h"

namespace kestro {

float UniformRandom::Next() {
  constexpr float kScale = 1.0f / 16777216.0f;  // 2^-24: 24 bits fill a float mantissa exactly
  return static_cast<float>(engine_() >> 8) * kScale;
}

}  // namespace kestro
