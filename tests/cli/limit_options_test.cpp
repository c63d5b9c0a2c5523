#include "cli/limit_options.h"

#include <gtest/gtest.h>

#include "cli/cli_test_context.h"
#include "core/gain_limits.h"
#include "plotpage/edit_limits_page.h"

namespace kestro::cli {
namespace {

// Runs "design" with the options: the exit code, stderr, the rows after "Limits:" and the text
// after "LimitError: ".
struct Report {
  int code;
  std::string err, error;
  Strings rows;
};
Report Design(const std::string& options) {
  const CliRun run = RunDesignCommand(options);
  Report report{run.code, run.err, "", {}};
  bool inLimits = false;
  for (const std::string& line : run.lines) {
    if (line.starts_with("LimitError: "))
      report.error = line.substr(12), inLimits = false;
    if (inLimits)
      report.rows.push_back(line);
    inLimits = inLimits || line == "Limits:";
  }
  return report;
}

// Second-order Butterworth at 1 kHz analysed over 1..10 kHz in 10 intervals: the points
// 1000 * 10^(i/10) Hz, i = 0..9, lie below 9 kHz with gains -10 log10(1 + (f / 1 kHz)^4) dB from
// -3.01 to -36.0; a ceiling at -50 dB from DC is exceeded by 314.45 dB in all. A tenth limit is
// refused with a message; a comma inside a number is a usage error.
TEST(LimitOptions, ReportRowsLimitErrorAndRefusals) {
  std::string options =
      "--order 2 --bandwidth 1k --start 1k --stop 10k --intervals 10 --limit ceiling-dc,9k,-50";
  for (int n = 1; n <= 9; ++n)
    options += " --limit floor," + std::to_string(n) + "00,-60";
  const Report report = Design(options);
  DesignRecord expected;
  AddGainLimit(expected, 1, kCeilingFromDc, 9000, -50);
  AddGainLimit(expected, 1, kFloorFromDc, 100, -60);
  ASSERT_EQ(report.rows.size(), 9u);
  EXPECT_EQ(Strings(report.rows.begin(), report.rows.begin() + 2),
            (Strings{LimitListRow(expected, 1), LimitListRow(expected, 2)}));
  EXPECT_NEAR(std::stod(report.error), 314.45, 0.05);
  EXPECT_NE(report.err.find("at most 9 limits; --limit floor,900,-60 was not added"),
            std::string::npos);
  EXPECT_EQ(Design("--limit floor,1,5k,-3").code, kExitUsage);
}

}  // namespace
}  // namespace kestro::cli
