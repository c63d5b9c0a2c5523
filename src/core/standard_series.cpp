// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/standard_series.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace kestro {
namespace {

// IEC 60063 values divided by 10, with the last value of the decade below in front. E192 and E96
// are the standard's own three-digit values (E192 has 9.20 where 10^(185/192) rounds to 9.19).
constexpr std::array<float, 193> kE192{
    0.0988f, 0.100f, 0.101f, 0.102f, 0.104f, 0.105f, 0.106f, 0.107f, 0.109f, 0.110f, 0.111f, 0.113f,
    0.114f,  0.115f, 0.117f, 0.118f, 0.120f, 0.121f, 0.123f, 0.124f, 0.126f, 0.127f, 0.129f, 0.130f,
    0.132f,  0.133f, 0.135f, 0.137f, 0.138f, 0.140f, 0.142f, 0.143f, 0.145f, 0.147f, 0.149f, 0.150f,
    0.152f,  0.154f, 0.156f, 0.158f, 0.160f, 0.162f, 0.164f, 0.165f, 0.167f, 0.169f, 0.172f, 0.174f,
    0.176f,  0.178f, 0.180f, 0.182f, 0.184f, 0.187f, 0.189f, 0.191f, 0.193f, 0.196f, 0.198f, 0.200f,
    0.203f,  0.205f, 0.208f, 0.210f, 0.213f, 0.215f, 0.218f, 0.221f, 0.223f, 0.226f, 0.229f, 0.232f,
    0.234f,  0.237f, 0.240f, 0.243f, 0.246f, 0.249f, 0.252f, 0.255f, 0.258f, 0.261f, 0.264f, 0.267f,
    0.271f,  0.274f, 0.277f, 0.280f, 0.284f, 0.287f, 0.291f, 0.294f, 0.298f, 0.301f, 0.305f, 0.309f,
    0.312f,  0.316f, 0.320f, 0.324f, 0.328f, 0.332f, 0.336f, 0.340f, 0.344f, 0.348f, 0.352f, 0.357f,
    0.361f,  0.365f, 0.370f, 0.374f, 0.379f, 0.383f, 0.388f, 0.392f, 0.397f, 0.402f, 0.407f, 0.412f,
    0.417f,  0.422f, 0.427f, 0.432f, 0.437f, 0.442f, 0.448f, 0.453f, 0.459f, 0.464f, 0.470f, 0.475f,
    0.481f,  0.487f, 0.493f, 0.499f, 0.505f, 0.511f, 0.517f, 0.523f, 0.530f, 0.536f, 0.542f, 0.549f,
    0.556f,  0.562f, 0.569f, 0.576f, 0.583f, 0.590f, 0.597f, 0.604f, 0.612f, 0.619f, 0.626f, 0.634f,
    0.642f,  0.649f, 0.657f, 0.665f, 0.673f, 0.681f, 0.690f, 0.698f, 0.706f, 0.715f, 0.723f, 0.732f,
    0.741f,  0.750f, 0.759f, 0.768f, 0.777f, 0.787f, 0.796f, 0.806f, 0.816f, 0.825f, 0.835f, 0.845f,
    0.856f,  0.866f, 0.876f, 0.887f, 0.898f, 0.909f, 0.920f, 0.931f, 0.942f, 0.953f, 0.965f, 0.976f,
    0.988f};
constexpr std::array<float, 97> kE96{
    0.0976f, 0.100f, 0.102f, 0.105f, 0.107f, 0.110f, 0.113f, 0.115f, 0.118f, 0.121f, 0.124f,
    0.127f,  0.130f, 0.133f, 0.137f, 0.140f, 0.143f, 0.147f, 0.150f, 0.154f, 0.158f, 0.162f,
    0.165f,  0.169f, 0.174f, 0.178f, 0.182f, 0.187f, 0.191f, 0.196f, 0.200f, 0.205f, 0.210f,
    0.215f,  0.221f, 0.226f, 0.232f, 0.237f, 0.243f, 0.249f, 0.255f, 0.261f, 0.267f, 0.274f,
    0.280f,  0.287f, 0.294f, 0.301f, 0.309f, 0.316f, 0.324f, 0.332f, 0.340f, 0.348f, 0.357f,
    0.365f,  0.374f, 0.383f, 0.392f, 0.402f, 0.412f, 0.422f, 0.432f, 0.442f, 0.453f, 0.464f,
    0.475f,  0.487f, 0.499f, 0.511f, 0.523f, 0.536f, 0.549f, 0.562f, 0.576f, 0.590f, 0.604f,
    0.619f,  0.634f, 0.649f, 0.665f, 0.681f, 0.698f, 0.715f, 0.732f, 0.750f, 0.768f, 0.787f,
    0.806f,  0.825f, 0.845f, 0.866f, 0.887f, 0.909f, 0.931f, 0.953f, 0.976f};
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

const StandardSeries& StandardSeries::E192() {
  static const StandardSeries series("E192", kE192);
  return series;
}

const StandardSeries& StandardSeries::E96() {
  static const StandardSeries series("E96", kE96);
  return series;
}

const StandardSeries& StandardSeries::E48() {
  static const StandardSeries series("E48", kE48);
  return series;
}

const StandardSeries& StandardSeries::E24() {
  static const StandardSeries series("E24", kE24);
  return series;
}

const StandardSeries& StandardSeries::E12() {
  static const StandardSeries series("E12", kE12);
  return series;
}

const StandardSeries& StandardSeries::E6() {
  static const StandardSeries series("E6", kE6);
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

std::vector<float> StandardSeries::ValuesBetween(float low, float high) const {
  std::vector<float> values;
  for (float multiplier = 1e-13f; std::isfinite(multiplier); multiplier *= 10.0f) {
    for (std::size_t i = 1; i < table_.size(); ++i) {
      const float value = multiplier * table_[i];
      if (value > high)
        return values;
      if (value >= low)  // the last value of a decade is found through entry 0 of the next
        values.push_back(Nearest(value));
    }
  }
  return values;
}

const StandardSeries* StandardSeries::Named(std::string_view name) {
  for (const StandardSeries* series : {&E192(), &E96(), &E48(), &E24(), &E12(), &E6()}) {
    const std::string_view own = series->Name();
    const bool same = own.size() == name.size() &&
                      std::equal(own.begin(), own.end(), name.begin(), [](char a, char b) {
                        return a == std::toupper(static_cast<unsigned char>(b));
                      });
    if (same)
      return series;
  }
  return nullptr;
}

}  // namespace kestro
