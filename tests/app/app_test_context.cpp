#include "app_test_context.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>

#include "files/session_lines.h"

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

// Compares the records by the lines a session file of each would hold: every persistent field,
// to the seven significant digits the file keeps.
::testing::AssertionResult SameSession(DesignRecord expected, DesignRecord actual) {
  const std::string title = "* Active lowpass filter";
  const std::vector<std::string> want = SessionFileLines(expected, title);
  const std::vector<std::string> got = SessionFileLines(actual, title);
  for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
    const std::string wanted = i < want.size() ? want[i] : "(none)";
    const std::string gotten = i < got.size() ? got[i] : "(none)";
    if (wanted != gotten)
      return ::testing::AssertionFailure()
             << "line " << i + 1 << ": " << wanted << " != " << gotten;
  }
  return ::testing::AssertionSuccess();
}

DesignRecord OpeningDefaults() {
  DesignRecord record{};
  record.SetOpeningDefaults();
  return record;
}

DesignRecord DistinctSession() {
  DesignRecord r{};
  r.Family = kManual;
  r.Order = 5;
  r.NrStages = StagesForOrder(r.Order);
  r.Bandwidth = 2500;
  r.Apass = 0.5f;
  r.Fstart = 20;
  r.Fstop = 200000;
  r.Nints = 300;
  r.dBtop = 5;
  r.dBbottom = -70;
  r.NrYintervals = 7;
  r.DelayTop = 0.002f;
  for (int s = 1; s <= 2; ++s) {
    for (int k = 1; k <= 3; ++k) {
      r.C[s][k] = 1e-9f * static_cast<float>(s * 10 + k);
      r.R[s][k] = 1000.0f * static_cast<float>(s * 10 + k);
    }
    r.R[s][4] = 1e-5f;
    r.R[s][5] = 1.0f;
  }
  r.MarkerFreq[1] = 1000;
  r.MarkerFreq[2] = 4000;
  r.NrMarkers = 2;
  r.NrLimits[1] = 1;
  r.LimitShape[1][1] = 2;
  r.LimitStart[1][1] = 5000;
  r.LimitStop[1][1] = 200000;
  r.LimitTop[1][1] = -20;
  r.LimitBottom[1][1] = -100;
  return r;
}

}  // namespace kestro::test
