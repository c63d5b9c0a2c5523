// SPDX-License-Identifier: GPL-3.0-or-later
#include "synthesis/bessel_pole_table.h"

#include <algorithm>
#include <cstddef>

namespace kestro {

namespace {

// Roots of theta_n(s) = sum_k (2n - k)! / (2^(n-k) k! (n-k)!) s^k, to eight significant digits.
// Orders 1 to 7 list the real root first (odd n), then the pairs by increasing imaginary part,
// negative half first. Orders 8 to 10 keep the program's established listing order: the pairs in
// a fixed order with the positive half first, and for order 9 the real root in the third slot.
constexpr std::array<std::array<BesselPole, 10>, 10> kTable{{
    {{{-1.0f, 0.0f}}},
    {{{-1.5f, -0.8660254f}, {-1.5f, 0.8660254f}}},
    {{{-2.3221854f, 0.0f}, {-1.8389073f, -1.754381f}, {-1.8389073f, 1.754381f}}},
    {{{-2.8962106f, -0.86723413f},
      {-2.8962106f, 0.86723413f},
      {-2.1037894f, -2.657418f},
      {-2.1037894f, 2.657418f}}},
    {{{-3.6467386f, 0.0f},
      {-3.3519564f, -1.7426614f},
      {-3.3519564f, 1.7426614f},
      {-2.3246743f, -3.5710229f},
      {-2.3246743f, 3.5710229f}}},
    {{{-4.2483594f, -0.86750967f},
      {-4.2483594f, 0.86750967f},
      {-3.7357084f, -2.6262723f},
      {-3.7357084f, 2.6262723f},
      {-2.5159322f, -4.492673f},
      {-2.5159322f, 4.492673f}}},
    {{{-4.9717869f, 0.0f},
      {-4.7582905f, -1.7392861f},
      {-4.7582905f, 1.7392861f},
      {-4.0701392f, -3.517174f},
      {-4.0701392f, 3.517174f},
      {-2.6856769f, -5.4206941f},
      {-2.6856769f, 5.4206941f}}},
    {{{-5.2048408f, 2.6161752f},
      {-5.2048408f, -2.6161752f},
      {-5.587886f, 0.86761445f},
      {-5.587886f, -0.86761445f},
      {-4.3682892f, 4.4144425f},
      {-4.3682892f, -4.4144425f},
      {-2.8389839f, 6.3539113f},
      {-2.8389839f, -6.3539113f}}},
    {{{-6.1293679f, 1.7378484f},
      {-6.1293679f, -1.7378484f},
      {-6.2970192f, 0.0f},
      {-5.6044218f, 3.4981569f},
      {-5.6044218f, -3.4981569f},
      {-4.6384399f, 5.3172717f},
      {-4.6384399f, -5.3172717f},
      {-2.9792608f, 7.2914637f},
      {-2.9792608f, -7.2914637f}}},
    {{{-6.615291f, 2.6115679f},
      {-6.615291f, -2.6115679f},
      {-6.9220449f, 0.8676652f},
      {-6.9220449f, -0.8676652f},
      {-5.9675283f, 4.3849472f},
      {-5.9675283f, -4.3849472f},
      {-4.8862196f, 6.2249855f},
      {-4.8862196f, -6.2249855f},
      {-3.1089162f, 8.2326995f},
      {-3.1089162f, -8.2326995f}}},
}};

}  // namespace

const std::array<BesselPole, 10>& BesselPoleTable(int n) {
  return kTable[static_cast<std::size_t>(std::clamp(n, 1, 10) - 1)];
}

}  // namespace kestro
