#include "analysis/limit_error.h"

#include <gtest/gtest.h>

#include "analysis/response_engine.h"
#include "support/scripted_dialogs.h"
#include "synthesis/stage_synthesis.h"

namespace kestro {
namespace {

struct Limit {
  float shape, start, stop, top, bottom;
};

void SetLimits(DesignRecord& record, std::initializer_list<Limit> limits) {
  int j = 0;
  for (const Limit& l : limits) {
    ++j;
    record.LimitShape[j][1] = l.shape, record.LimitStart[j][1] = l.start;
    record.LimitStop[j][1] = l.stop, record.LimitTop[j][1] = l.top;
    record.LimitBottom[j][1] = l.bottom;
  }
  record.NrLimits[1] = static_cast<int16_t>(j);
}

// A response written by hand: 10 Hz .. 100 kHz by decades at 0, 0, -3, -40, -80 dB.
DesignRecord Decades() {
  DesignRecord record;
  record.Nints = 4;
  const float freq[] = {10, 100, 1000, 10000, 100000};
  const float gain[] = {0, 0, -3, -40, -80};
  for (int i = 0; i < 5; ++i) {
    record.Freq[i] = freq[i], record.Gain[i] = gain[i];
  }
  return record;
}

// Each row's error summed by hand over the points strictly inside the limit's band.
TEST(ComputeLimitError, SumsViolationsInsideEachBand) {
  const struct {
    const char* what;
    Limit limit;
    float error;
  } cases[] = {
      {"floor at 0.5 dB to 5 kHz: 0.5 + 0.5 + 3.5", {1, 0.01f, 5000, 0.5f, -300}, 4.5f},
      {"floor ends at 1 kHz exactly: 1 kHz not inside", {1, 0.01f, 1000, 0.5f, -300}, 1.0f},
      {"floor touched at 0 dB adds nothing", {1, 0.01f, 200, 0, -300}, 0},
      {"ceiling upward from 500 Hz at -40 dB: 37, touch at 10 kHz", {2, 500, 1e10f, 100, -40}, 37},
      {"ceiling upward from 10 kHz exactly skips it", {2, 10000, 1e10f, 100, -85}, 5},
      {"ceiling from DC to 50 Hz at -0.25 dB", {4, 0.01f, 50, 100, -0.25f}, 0.25f},
      {"shape 3 adds nothing", {3, 0.01f, 1e10f, 100, -300}, 0},
  };
  for (const auto& c : cases) {
    DesignRecord record = Decades();
    SetLimits(record, {c.limit});
    EXPECT_FLOAT_EQ(ComputeLimitError(record), c.error) << c.what;
  }
  DesignRecord record = Decades();
  SetLimits(record, {cases[0].limit, cases[3].limit, cases[5].limit});
  EXPECT_FLOAT_EQ(ComputeLimitError(record), 41.75f);
  record.NrLimits[1] = 1;  // limits beyond the count are not read
  EXPECT_FLOAT_EQ(ComputeLimitError(record), 4.5f);
  record.NrLimits[1] = 0;
  EXPECT_EQ(ComputeLimitError(record), 0);
  record.NrLimits[1] = 900;  // a damaged count reads no further than the arrays
  record.Nints = 30000;
  EXPECT_GE(ComputeLimitError(record), 41.75f);
}

// Second-order Butterworth at 1 kHz analysed at 100 Hz, 1 kHz and 10 kHz: about 0, -3.01 and
// -40 dB. A floor at -1 dB to 2 kHz is missed by 2.01 dB at 1 kHz; a ceiling at -10 dB from
// 500 Hz is exceeded by 6.99 dB there and kept at 10 kHz.
TEST(ComputeLimitError, AnalysedButterworth) {
  DesignRecord record;
  record.SetOpeningDefaults();
  record.Family = kButterworth, record.Order = 2, record.Bandwidth = 1000;
  test::ScriptedDialogs dialogs;
  ASSERT_TRUE(SynthesizeFamilyDesign(record));
  record.Fstart = 100, record.Fstop = 10000, record.Nints = 2;
  Analyze(record);
  SetLimits(record, {{1, 0.01f, 2000, -1, -300}, {2, 500, 1e10f, 100, -10}});
  EXPECT_NEAR(ComputeLimitError(record), 2.0103f + 6.9897f, 0.01);
}

}  // namespace
}  // namespace kestro
