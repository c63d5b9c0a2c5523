// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace kestro {

// A preferred-number series of IEC 60063 (E192, E96, E48, E24, E12, E6), held as one decade of
// single values scaled to [0.1, 1). Entry 0 is the last value of the decade below, so that the
// first value of a decade has a lower neighbour; entries 1..N are the N series values in rising
// order.
class StandardSeries final {
 public:
  static const StandardSeries& E192();
  static const StandardSeries& E96();
  static const StandardSeries& E48();
  static const StandardSeries& E24();
  static const StandardSeries& E12();
  static const StandardSeries& E6();

  // The series value nearest to x (> 0) on a logarithmic scale; a value exactly at the geometric
  // mean of its neighbours goes up. The decade multiplier starts at 1e-13 and grows by repeated
  // multiplication by 10 in single precision, so results carry its small error (10 k is stored
  // as 9999.999). Values of 0 or less, and values beyond the float range, are returned unchanged.
  float Nearest(float x) const;

  // Every series value from low to high (both > 0), rising, each in the single-precision form that
  // Nearest gives it, so that rounding one of them again leaves it unchanged.
  std::vector<float> ValuesBetween(float low, float high) const;

  // The series named "E192", "E96", "E48", "E24", "E12" or "E6" (any case); null for any other.
  static const StandardSeries* Named(std::string_view name);
  // "E96" and so on.
  std::string_view Name() const { return name_; }

  // Number of values per decade.
  int Size() const { return static_cast<int>(table_.size()) - 1; }
  // Entry i of the scaled table, 0..Size().
  float Entry(int i) const { return table_[static_cast<std::size_t>(i)]; }

 private:
  StandardSeries(std::string_view name, std::span<const float> table)
      : name_(name), table_(table) {}

  struct Neighbours {
    float lower;
    float upper;
  };
  // The first series value strictly above x and the one before it; none when the decade
  // multiplier runs out of range.
  bool FindNeighbours(float x, Neighbours& found) const;

  std::string_view name_;
  std::span<const float> table_;
};

}  // namespace kestro
