#include "plotpage/standard_series.h"

#include <array>
#include <cmath>

namespace kestro {
namespace {

// IEC 60063 values divided by 10, with the last value of the decade below in front.
constexpr std::array<float, 49> kE48{
    0.0953f, 0.100f, 0.105f, 0.110f, 0.115f, 0.121f, 0.127f, 0.133f, 0.140f, 0.147f,
    0.154f,  0.162f, 0.169f, 0.178f, 0.187f, 0.196f, 0.205f, 0.215f, 0.226f, 0.237f,
    0.249f,  0.261f, 0.274f, 0.287f, 0.301f, 0.316f, 0.332f, 0.348f, 0.365f, 0.383f,
    0.402f,  0.422f, 0.442f, 0.464f, 0.487f, 0.511f, 0.536f, 0.562f, 0.590f, 0.619f,
    0.649f,  0.681f, 0.715f, 0.750f, 0.787f, 0.825f, 0.866f, 0.909f, 0.953f};
constexpr std::array<float, 25> kE24{0.091f, 0.10f, 0.11f, 0.12f, 0.13f, 0.15f, 0.16f, 0.18f, 0.20f,
                                     0.22f,  0.24f, 0.27f, 0.30f, 0.33f, 0.36f, 0.39f, 0.43f, 0.47f,
                                     0.51f,  0.56f, 0.62f, 0.68f, 0.75f, 0.82f, 0.91f};
constexpr std::array<float, 13> kE12{0.082f, 0.10f, 0.12f, 0.15f, 0.18f, 0.22f, 0.27f,
                                     0.33f,  0.39f, 0.47f, 0.56f, 0.68f, 0.82f};
constexpr std::array<float, 7> kE6{0.068f, 0.10f, 0.15f, 0.22f, 0.33f, 0.47f, 0.68f};

}  // namespace

const StandardSeries& StandardSeries::E48() {
  static const StandardSeries series(kE48);
  return series;
}

const StandardSeries& StandardSeries::E24() {
  static const StandardSeries series(kE24);
  return series;
}

const StandardSeries& StandardSeries::E12() {
  static const StandardSeries series(kE12);
  return series;
}

const StandardSeries& StandardSeries::E6() {
  static const StandardSeries series(kE6);
  return series;
}

bool StandardSeries::FindNeighbours(float x, Neighbours& found) const {
  for (float multiplier = 1e-13f; std::isfinite(multiplier); multiplier *= 10.0f) {
    for (std::size_t i = 1; i < table_.size(); ++i) {
      const float upper = multiplier * table_[i];
      if (upper > x) {
        found = {multiplier * table_[i - 1], upper};
        return true;
      }
    }
  }
  return false;
}

float StandardSeries::Nearest(float x) const {
  Neighbours neighbours{};
  if (!(x > 0) || !FindNeighbours(x, neighbours))
    return x;
  const float below = x / neighbours.lower;  // each ratio rounded to single
  const float above = neighbours.upper / x;
  return above <= below ? neighbours.upper : neighbours.lower;
}

}  // namespace kestro
