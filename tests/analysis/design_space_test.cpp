#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <vector>

#include "analysis/response_engine.h"
#include "synthesis/stage_synthesis.h"

// Physics of the whole pipeline (poles -> stage synthesis -> analysis) over the design space:
// every family and order, bandwidths across the whole nominal-resistor table, ripples from
// 0.01 dB to 3 dB. Each design must show what its family promises, checked against closed-form
// magnitude functions and the Bessel polynomial itself, not against the synthesis code.

namespace kestro {
namespace {

constexpr float kBandwidths[] = {10, 75, 150, 300, 1000, 1500, 3000, 20000, 1e6f};

// Two-pole stages are designed and analysed as followers (K = 1): they realise their poles up
// to single-precision parts, measured under 0.0002 dB over the design space. A two-pole stage
// designed for K = 1.00001 misses by 0.3 dB at order 11 with 3 dB ripple.
constexpr double kEvenOrderToleranceDb = 0.001;
// The three-pole stage is designed with K = 1.00001 (its formulas divide by K - 1) and built as
// a follower. Measured residual up to 3 dB ripple: under 0.013 dB (order 3, 3 dB ripple).
constexpr double kOddOrderToleranceDb = 0.02;
// At the 20 dB ripple bound the stage's pair has Q up to 26 and the residual grows to 0.95 dB
// (order 3); the user guide states it.
constexpr double kRippleBoundToleranceDb = 1.0;

double ShapeTolerance(int n, float apass = 0) {
  if (n % 2 == 0)
    return kEvenOrderToleranceDb;
  return apass > 3.0f ? kRippleBoundToleranceDb : kOddOrderToleranceDb;
}

// Fractions of the bandwidth from 0.01 to 10, 100 a decade: every ripple peak of order 11 is
// within 2 % of one.
std::vector<double> DenseRatios() {
  std::vector<double> ratios;
  for (int i = 0; i <= 300; ++i)
    ratios.push_back(std::pow(10.0, -2.0 + i / 100.0));
  return ratios;
}

// Ideal magnitudes (dB) of the normalised prototypes at w rad/s, unity gain at zero frequency.
double ButterworthDb(int n, double w) {
  return -10.0 * std::log10(1.0 + std::pow(w, 2.0 * n));
}
double ChebyshevDb(int n, double apass, double w) {
  const double eps2 = std::pow(10.0, 0.1 * apass) - 1.0;
  const double t = w <= 1.0 ? std::cos(n * std::acos(w)) : std::cosh(n * std::acosh(w));
  const double dc = (n % 2 == 0) ? 1.0 + eps2 : 1.0;  // even orders: T_n(0)^2 = 1
  return 10.0 * std::log10(dc / (1.0 + eps2 * t * t));
}
double BesselDb(int n, double w) {  // 1/theta_n(s), theta_n from its closed-form coefficients
  std::complex<double> sum = 0.0;
  for (int k = n; k >= 0; --k) {
    sum = sum * std::complex<double>(0.0, w) +
          std::exp(std::lgamma(2.0 * n - k + 1) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0) -
                   (n - k) * std::log(2.0) -
                   (std::lgamma(2.0 * n + 1) - std::lgamma(n + 1.0) - n * std::log(2.0)));
  }
  return -20.0 * std::log10(std::abs(sum));
}

// Synthesises the design and checks its gain at fractions of the bandwidth against the ideal
// prototype wherever that is above -60 dB; returns the record for further checks.
DesignRecord ExpectShape(int16_t family, int n, float bandwidth, float apass, double tolerance,
                         const std::function<double(double)>& ideal) {
  SCOPED_TRACE(testing::Message() << "family " << family << " order " << n << " bandwidth "
                                  << bandwidth << " ripple " << apass);
  DesignRecord record;
  record.SetOpeningDefaults();
  record.Family = family, record.Order = static_cast<int16_t>(n), record.Bandwidth = bandwidth;
  record.Apass = apass;
  EXPECT_TRUE(SynthesizeFamilyDesign(record));
  static const std::vector<double> ratios = DenseRatios();
  double worst = 0;
  double worstRatio = 0;
  for (const double ratio : ratios) {
    const double expected = ideal(ratio);
    if (expected < -60.0)
      continue;
    float gain = 0;
    float phase = 0;
    ResponseAt(record, static_cast<float>(ratio * bandwidth), gain, phase);
    if (!(std::fabs(gain - expected) <= worst)) {  // a NaN gain counts as the worst
      worst = std::isnan(gain) ? HUGE_VAL : std::fabs(gain - expected);
      worstRatio = ratio;
    }
  }
  EXPECT_LE(worst, tolerance) << "dB off at " << worstRatio << " x bandwidth";
  return record;
}

// Butterworth: -3.01 dB at the bandwidth, and the prototype's shape around it.
TEST(DesignSpace, ButterworthIsDown3dBAtTheBandwidth) {
  for (int n = 2; n <= 11; ++n) {
    for (const float bw : kBandwidths) {
      ExpectShape(kButterworth, n, bw, 0, ShapeTolerance(n),
                  [n](double w) { return ButterworthDb(n, w); });
    }
  }
}

// Chebyshev: the ripple band ends at -Apass (odd orders) or 0 dB (even orders), over the ripples
// of the table and at the bounds the design page accepts (the three-pole search included).
TEST(DesignSpace, ChebyshevRippleBandEndsAtTheRippleEdge) {
  for (int n = 2; n <= 11; ++n) {
    for (const float apass : {0.01f, 0.1f, 0.5f, 1.0f, 3.0f}) {
      for (const float bw : kBandwidths) {
        ExpectShape(kChebyshev, n, bw, apass, ShapeTolerance(n, apass),
                    [n, apass](double w) { return ChebyshevDb(n, apass, w); });
      }
    }
    for (const float apass : {0.001f, 20.0f}) {
      ExpectShape(kChebyshev, n, 1000, apass, ShapeTolerance(n, apass),
                  [n, apass](double w) { return ChebyshevDb(n, apass, w); });
    }
  }
}

// Bessel: the prototype's magnitude, and the delay-normalised 1 s at zero frequency scaled to
// 1/(2 pi bandwidth). Between 1 % and 1.1 % of the bandwidth the delay is flat to far below 1e-6;
// the single-precision phase step over one interval (0.02 degrees) resolves it to a few 1e-6, the
// three-pole search to 1e-5: 1e-3 leaves margin and still fails any other normalisation.
TEST(DesignSpace, BesselHasTheDelayOfItsBandwidth) {
  for (int n = 2; n <= 10; ++n) {
    for (const float bw : kBandwidths) {
      DesignRecord record = ExpectShape(kBessel, n, bw, 0, ShapeTolerance(n),
                                        [n](double w) { return BesselDb(n, w); });
      record.Fstart = bw * 0.01f, record.Fstop = bw * 0.1f, record.Nints = 64;
      Analyze(record);
      const double expected = 1.0 / (2.0 * M_PI * bw);
      EXPECT_NEAR(record.Delay[0], expected, 1e-3 * expected) << "order " << n << " at " << bw;
      EXPECT_NEAR(record.Delay[1], expected, 1e-3 * expected) << "order " << n << " at " << bw;
    }
  }
}

}  // namespace
}  // namespace kestro
