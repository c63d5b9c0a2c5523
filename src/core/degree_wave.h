// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

namespace kestro {

// A single per whole degree of phase of the fundamental, t = -360..2049 (t = -36..360 used).
class DegreeWave final {
 public:
  static constexpr int kFirst = -360;
  static constexpr int kLast = 2049;

  float& operator[](int t) { return values_[Index(t)]; }
  float operator[](int t) const { return values_[Index(t)]; }

 private:
  static std::size_t Index(int t) { return static_cast<std::size_t>(t - kFirst); }
  std::array<float, kLast - kFirst + 1> values_{};
};

}  // namespace kestro
