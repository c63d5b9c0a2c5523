// SPDX-License-Identifier: GPL-3.0-or-later
#include "usecase/limit_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/limit_error.h"
#include "analysis/response_engine.h"
#include "synthesis/stage_synthesis.h"

namespace kestro {
namespace {

constexpr int kGainSet = 1;
constexpr float kRippleClearance = 0.01f;  // dB kept between the valleys and the floor
constexpr float kMinRipple = 0.001f;       // dB, the design page's range
constexpr float kMaxFitRipple = 3.0f;
constexpr double kWidestBandwidth = 1e7;  // Hz, the design page's top
constexpr double kBandwidthSpan = 100.0;  // below Fstart and above Fstop
constexpr int kBisections = 24;           // of the log bandwidth range: about 1e-6 at the end
constexpr int16_t kMaxFitOrder = 11;
constexpr int16_t kMaxBesselOrder = 10;
constexpr float kNone = std::numeric_limits<float>::infinity();

struct Margins {
  float floor = kNone;    // smallest gain - LimitTop over the floors' points
  float ceiling = kNone;  // smallest LimitBottom - gain over the ceilings' points
  float Smallest() const { return std::min(floor, ceiling); }
};

int LimitCount(const DesignRecord& record) {
  return std::clamp<int>(record.NrLimits[kGainSet], 0, kMaxLimit);
}

// The same points and shapes the limit error reads (a point strictly inside a limit's band).
void AddMargins(const DesignRecord& record, int j, float f, float gain, Margins& margins) {
  if (!(record.LimitStart[j][kGainSet] < f && f < record.LimitStop[j][kGainSet]))
    return;
  const float shape = record.LimitShape[j][kGainSet];
  if (shape == 1.0f)
    margins.floor = std::min(margins.floor, gain - record.LimitTop[j][kGainSet]);
  else if (shape == 2.0f || shape == 4.0f)
    margins.ceiling = std::min(margins.ceiling, record.LimitBottom[j][kGainSet] - gain);
}

Margins MarginsOf(const DesignRecord& record) {
  Margins margins;
  const int points = AnalysisIntervals(record);
  for (int i = 0; i <= points; ++i) {
    for (int j = 1; j <= LimitCount(record); ++j)
      AddMargins(record, j, record.Freq[i], record.Gain[i], margins);
  }
  return margins;
}

// Designs and analyses the work record at a bandwidth; false when the synthesis fails.
bool DesignAt(DesignRecord& work, double bandwidth) {
  work.Bandwidth = static_cast<float>(bandwidth);
  if (!SynthesizeFamilyDesign(work))
    return false;
  Analyze(work);
  return true;
}

// The bandwidth at which the floor and the ceiling margins meet, by bisection on its logarithm:
// a higher bandwidth lifts the gain at every point of the sweep, widening the floors' margin and
// narrowing the ceilings'. Stops early (no fit) once both are violated at one bandwidth.
bool FitBandwidth(DesignRecord& work, double& bandwidth) {
  double low = std::max(static_cast<double>(work.Fstart) / kBandwidthSpan, 1e-6);
  double high = std::min(static_cast<double>(work.Fstop) * kBandwidthSpan, kWidestBandwidth);
  for (int i = 0; i < kBisections; ++i) {
    const double middle = std::sqrt(low * high);
    if (!DesignAt(work, middle))
      return false;
    const Margins m = MarginsOf(work);
    if (m.floor < 0 && m.ceiling < 0)
      return false;
    (m.floor >= m.ceiling ? high : low) = middle;
  }
  bandwidth = high;
  return true;
}

bool FitOrder(DesignRecord& work, FitRow& row) {
  double bandwidth = 0;
  if (!FitBandwidth(work, bandwidth) || !DesignAt(work, bandwidth) ||
      ComputeLimitError(work) != 0.0f)
    return false;
  row.met = true;
  row.order = work.Order;
  row.bandwidth = work.Bandwidth;
  row.marginDb = MarginsOf(work).Smallest();
  return true;
}

FitRow FitFamily(const DesignRecord& record, int16_t family) {
  FitRow row;
  row.family = family;
  row.ripple = family == kChebyshev ? FitRipple(record) : 0.0f;
  const int16_t top = family == kBessel ? kMaxBesselOrder : kMaxFitOrder;
  DesignRecord work = record;
  work.Family = family;
  work.Apass = row.ripple;
  work.PartsModified = 0;
  for (int16_t order = 2; order <= top; ++order) {
    work.Order = order;
    if (FitOrder(work, row))
      return row;
  }
  row.message = "no order up to " + std::to_string(top) + " meets the mask";
  return row;
}

std::string UnfitReason(const DesignRecord& record) {
  if (LimitCount(record) == 0)
    return "no gain limits are set";
  if (AnalysisIntervals(record) == 0)
    return "the sweep cannot be analysed";
  return {};
}

}  // namespace

float FitRipple(const DesignRecord& record) {
  float highest = -kNone;
  for (int j = 1; j <= LimitCount(record); ++j) {
    if (record.LimitShape[j][kGainSet] == 1.0f)
      highest = std::max(highest, record.LimitTop[j][kGainSet]);
  }
  if (highest == -kNone)
    return kMaxFitRipple;
  return std::clamp(-highest - kRippleClearance, kMinRipple, kMaxFitRipple);
}

std::vector<FitRow> FitToLimits(const DesignRecord& record) {
  std::vector<FitRow> rows;
  const std::string reason = UnfitReason(record);
  for (const int16_t family : {kButterworth, kChebyshev, kBessel}) {
    if (reason.empty()) {
      rows.push_back(FitFamily(record, family));
    } else {
      FitRow row;
      row.family = family;
      row.message = reason;
      rows.push_back(row);
    }
  }
  return rows;
}

void ApplyFitRow(DesignRecord& record, const FitRow& row) {
  if (!row.met)
    return;
  record.Family = row.family;
  record.Order = row.order;
  record.Bandwidth = row.bandwidth;
  if (row.family == kChebyshev)
    record.Apass = row.ripple;
  record.PartsModified = 0;
}

}  // namespace kestro
