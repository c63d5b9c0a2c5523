#include "app_test_context.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <sstream>

namespace kestro::test {

ScratchDirectory::ScratchDirectory() : previous_(std::filesystem::current_path()) {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("kestro-app-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
  std::filesystem::current_path(path_);
}

ScratchDirectory::~ScratchDirectory() {
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

namespace {

void Compare(std::ostringstream& out, const char* name, int16_t expected, int16_t actual) {
  if (expected != actual)
    out << name << " " << expected << " != " << actual << "; ";
}

// Session files carry seven significant digits: values agree to a relative 1e-6.
void Compare(std::ostringstream& out, const char* name, float expected, float actual) {
  const float tolerance = 1e-6f * std::max(std::fabs(expected), std::fabs(actual));
  if (std::fabs(expected - actual) > tolerance) {
    out << name << " " << expected << " != " << actual << "; ";
  }
}

}  // namespace

::testing::AssertionResult SameSession(const DesignRecord& expected, const DesignRecord& actual) {
  std::ostringstream out;
  Compare(out, "Fstart", expected.Fstart, actual.Fstart);
  Compare(out, "Fstop", expected.Fstop, actual.Fstop);
  Compare(out, "Nints", expected.Nints, actual.Nints);
  Compare(out, "dBtop", expected.dBtop, actual.dBtop);
  Compare(out, "dBbottom", expected.dBbottom, actual.dBbottom);
  Compare(out, "NrYintervals", expected.NrYintervals, actual.NrYintervals);
  Compare(out, "DelayTop", expected.DelayTop, actual.DelayTop);
  Compare(out, "Family", expected.Family, actual.Family);
  Compare(out, "Bandwidth", expected.Bandwidth, actual.Bandwidth);
  Compare(out, "Apass", expected.Apass, actual.Apass);
  Compare(out, "Order", expected.Order, actual.Order);
  const int stages = StageCount(expected);
  for (int s = 1; s <= stages; ++s) {
    for (int k = 1; k <= 3; ++k)
      Compare(out, "C", expected.C[s][k], actual.C[s][k]);
    for (int k = 1; k <= 5; ++k)
      Compare(out, "R", expected.R[s][k], actual.R[s][k]);
  }
  for (int i = 1; i <= kUsedMarkers; ++i) {
    Compare(out, "MarkerFreq", expected.MarkerFreq[i], actual.MarkerFreq[i]);
  }
  Compare(out, "NrLimits", expected.NrLimits[1], actual.NrLimits[1]);
  for (int j = 1; j <= expected.NrLimits[1]; ++j) {
    Compare(out, "LimitTop", expected.LimitTop[j][1], actual.LimitTop[j][1]);
    Compare(out, "LimitStop", expected.LimitStop[j][1], actual.LimitStop[j][1]);
  }
  const std::string differences = out.str();
  if (differences.empty())
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differences;
}

DesignRecord DistinctSession() {
  DesignRecord record{};
  record.Family = kManual;
  record.Order = 5;
  record.NrStages = StagesForOrder(record.Order);
  record.Bandwidth = 2500;
  record.Apass = 0.5f;
  record.Fstart = 20;
  record.Fstop = 200000;
  record.Nints = 300;
  record.dBtop = 5;
  record.dBbottom = -70;
  record.NrYintervals = 7;
  record.DelayTop = 0.002f;
  for (int s = 1; s <= 2; ++s) {
    for (int k = 1; k <= 3; ++k)
      record.C[s][k] = 1e-9f * static_cast<float>(s * 10 + k);
    for (int k = 1; k <= 3; ++k)
      record.R[s][k] = 1000.0f * static_cast<float>(s * 10 + k);
    record.R[s][4] = 1e-5f;
    record.R[s][5] = 1.0f;
  }
  record.MarkerFreq[1] = 1000;
  record.MarkerFreq[2] = 4000;
  record.NrMarkers = 2;
  record.NrLimits[1] = 1;
  record.LimitShape[1][1] = 2;
  record.LimitStart[1][1] = 5000;
  record.LimitStop[1][1] = 200000;
  record.LimitTop[1][1] = -20;
  record.LimitBottom[1][1] = -100;
  return record;
}

}  // namespace kestro::test
