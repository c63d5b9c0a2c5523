// SPDX-License-Identifier: GPL-3.0-or-later
#include "usecase/limit_fit.h"

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/limit_error.h"
#include "analysis/response_engine.h"
#include "synthesis/stage_synthesis.h"

namespace kestro {
namespace {

// A -1 dB floor from DC up to fp and a -A dB ceiling from fs upward, analysed from fp/10 to
// 10 fs.
DesignRecord Mask(float fp, float fs, float a) {
  DesignRecord record;
  record.SetOpeningDefaults();
  record.Fstart = fp / 10, record.Fstop = fs * 10, record.Nints = 512;
  record.NrLimits[1] = 2;
  record.LimitShape[1][1] = 1, record.LimitStart[1][1] = 0.01f, record.LimitStop[1][1] = fp;
  record.LimitTop[1][1] = -1, record.LimitBottom[1][1] = -300;
  record.LimitShape[2][1] = 2, record.LimitStart[2][1] = fs, record.LimitStop[2][1] = 1e10f;
  record.LimitTop[2][1] = 100, record.LimitBottom[2][1] = -a;
  return record;
}

// The limit error of the record designed as family/order/ripple at a bandwidth.
float ErrorAt(DesignRecord record, int16_t family, int16_t order, float ripple, float bandwidth) {
  record.Family = family, record.Order = order, record.Apass = ripple;
  record.Bandwidth = bandwidth, record.PartsModified = 0;
  EXPECT_TRUE(SynthesizeFamilyDesign(record));
  Analyze(record);
  return ComputeLimitError(record);
}

// Each fitted row, designed as the Design command would, meets its mask (limit error 0, margin
// not negative); one order less meets it at no bandwidth around the floor's edge.
void ExpectLowestOrder(const DesignRecord& mask, const FitRow& row, float fp) {
  DesignRecord design = mask;
  ApplyFitRow(design, row);
  EXPECT_EQ(ErrorAt(mask, design.Family, design.Order, design.Apass, design.Bandwidth), 0.0f);
  EXPECT_GE(row.marginDb, 0.0f);
  if (row.order == 2)
    return;
  for (float step = 0; step <= 300; ++step) {
    const float bandwidth = fp * std::pow(10.0f, -0.5f + step / 300.0f);
    ASSERT_GT(ErrorAt(mask, row.family, row.order - 1, row.ripple, bandwidth), 0.0f) << bandwidth;
  }
}

// Orders from python3 + scipy 1.10: for each mask
//   scipy.signal.buttord(2*pi*fp, 2*pi*fs, 1, A, analog=True)[0]
//   scipy.signal.cheb1ord(2*pi*fp, 2*pi*fs, 1, A, analog=True)[0]
// (masks whose real-valued orders lie well clear of a whole number, so the sweep's sampling
// cannot decide them). Butterworth 13 means no order up to 11.
TEST(LimitFit, LowestOrdersEqualTheClassicOrderFormulas) {
  const struct {
    float fp, fs, a;
    int16_t butterworth, chebyshev;
  } masks[] = {{300, 1000, 45, 5, 4},  {1000, 4000, 70, 7, 5}, {100, 250, 40, 6, 4},
               {1000, 2500, 60, 9, 6}, {1000, 1600, 30, 9, 5}, {1000, 2200, 45, 8, 5},
               {1000, 5000, 25, 3, 2}, {400, 700, 40, 10, 6},  {1000, 3500, 65, 7, 5},
               {1000, 2000, 40, 8, 5}, {1000, 1400, 30, 13, 6}};
  for (const auto& m : masks) {
    SCOPED_TRACE(testing::Message() << m.fp << " Hz / " << m.fs << " Hz / " << m.a << " dB");
    const DesignRecord mask = Mask(m.fp, m.fs, m.a);
    const std::vector<FitRow> rows = FitToLimits(mask);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].family, kButterworth);
    EXPECT_EQ(rows[1].family, kChebyshev);
    EXPECT_EQ(rows[2].family, kBessel);
    EXPECT_FLOAT_EQ(rows[1].ripple, 0.99f);
    if (m.butterworth > 11) {
      EXPECT_FALSE(rows[0].met);
      EXPECT_EQ(rows[0].message, "no order up to 11 meets the mask");
    } else {
      EXPECT_EQ(rows[0].order, m.butterworth);
    }
    EXPECT_EQ(rows[1].order, m.chebyshev);
    for (const FitRow& row : rows) {
      SCOPED_TRACE(testing::Message() << "family " << row.family << " order " << row.order);
      if (row.met) {
        ExpectLowestOrder(mask, row, m.fp);
      } else if (row.family == kBessel) {
        EXPECT_EQ(row.message, "no order up to 10 meets the mask");
      }
    }
  }
}

// The ripple follows the highest floor, within 0.001..3 dB; without limits, or without a sweep,
// no row is met and each says why.
TEST(LimitFit, RippleFromTheFloorsAndRowsThatCannotBeFitted) {
  DesignRecord mask = Mask(1000, 3000, 40);
  const struct {
    float floor;
    float ripple;
  } floors[] = {{-0.5f, 0.49f}, {-2.0f, 1.99f}, {-6.0f, 3.0f}, {0.5f, 0.001f}};
  for (const auto& f : floors) {
    mask.LimitTop[1][1] = f.floor;
    EXPECT_FLOAT_EQ(FitRipple(mask), f.ripple) << f.floor;
  }
  mask.LimitShape[1][1] = 4;  // no floor at all
  EXPECT_FLOAT_EQ(FitRipple(mask), 3.0f);
  DesignRecord empty = Mask(1000, 3000, 40);
  empty.NrLimits[1] = 0;
  DesignRecord noSweep = Mask(1000, 3000, 40);
  noSweep.Fstop = noSweep.Fstart;
  for (const auto& [record, reason] : {std::pair{empty, "no gain limits are set"},
                                       std::pair{noSweep, "the sweep cannot be analysed"}}) {
    SCOPED_TRACE(reason);
    for (const FitRow& row : FitToLimits(record)) {
      SCOPED_TRACE(testing::Message() << "family " << row.family);
      EXPECT_FALSE(row.met);
      EXPECT_EQ(row.message, reason);
      DesignRecord untouched = record;
      ApplyFitRow(untouched, row);
      EXPECT_EQ(untouched.Family, record.Family);
    }
  }
}

}  // namespace
}  // namespace kestro
