#include "cli/limit_options.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "cli/cli_test_context.h"
#include "core/gain_limits.h"
#include "plotpage/edit_limits_page.h"

namespace kestro::cli {
namespace {

// Second-order Butterworth at 1 kHz analysed over 1..10 kHz in 10 intervals: the points
// 1000 * 10^(i/10) Hz, i = 0..9, lie below 9 kHz with gains -10 log10(1 + (f / 1 kHz)^4) dB from
// -3.01 to -36.0; a ceiling at -50 dB from DC is exceeded by 314.45 dB in all. A tenth limit is
// refused with a message; a comma inside a number is a usage error.
TEST(LimitOptions, ReportRowsLimitErrorAndRefusals) {
  std::string options =
      "--order 2 --bandwidth 1k --start 1k --stop 10k --intervals 10 --limit ceiling-dc,9k,-50";
  for (int n = 1; n <= 9; ++n)
    options += " --limit floor," + std::to_string(n) + "00,-60";
  const CliRun run = RunDesignCommand(options);
  DesignRecord expected;
  AddGainLimit(expected, 1, kCeilingFromDc, 9000, -50);
  AddGainLimit(expected, 1, kFloorFromDc, 100, -60);
  const auto limits = std::ranges::find(run.lines, "Limits:");
  ASSERT_GT(run.lines.end() - limits, 10) << run.out;
  EXPECT_EQ(Strings(limits + 1, limits + 3),
            (Strings{LimitListRow(expected, 1), LimitListRow(expected, 2)}));
  ASSERT_TRUE(limits[10].starts_with("LimitError: ")) << limits[10];  // after nine rows
  EXPECT_NEAR(std::stod(limits[10].substr(12)), 314.45, 0.05);
  EXPECT_EQ(run.err,
            "kestrolab-cli: A limit set holds at most 9 limits; --limit floor,900,-60 was not "
            "added.\n");
  EXPECT_EQ(RunDesignCommand("--limit floor,1,5k,-3").code, kExitUsage);
}

}  // namespace
}  // namespace kestro::cli
