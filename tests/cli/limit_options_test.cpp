// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/limit_options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "cli/cli_test_context.h"
#include "core/gain_limits.h"
#include "plotpage/edit_limits_page.h"

namespace kestro::cli {
namespace {

// Second-order Butterworth at 1 kHz analysed over 1..10 kHz in 10 intervals: the points
// 1000 * 10^(i/10) Hz, i = 0..10, with gains -10 log10(1 + (f / 1 kHz)^4) dB from -3.01 to
// -40.0. A ceiling at -50 dB from DC typed at 9 kHz lands on the point 10 kHz, as a click there
// would; the ten points below it exceed it by 314.45 dB in all. A tenth limit is refused with a
// message; a comma inside a number is a usage error.
TEST(LimitOptions, ReportRowsLimitErrorAndRefusals) {
  std::string options =
      "--order 2 --bandwidth 1k --start 1k --stop 10k --intervals 10 --limit ceiling-dc,9k,-50";
  for (int n = 1; n <= 9; ++n)
    options += " --limit floor," + std::to_string(n) + "k,-60";
  const CliRun run = RunDesignCommand(options);
  DesignRecord expected;
  AddGainLimit(expected, 1, kCeilingFromDc, 10000, -50);
  AddGainLimit(expected, 1, kFloorFromDc, 1000, -60);
  const auto limits = std::ranges::find(run.lines, "Limits:");
  ASSERT_GT(run.lines.end() - limits, 10) << run.out;
  EXPECT_EQ(Strings(limits + 1, limits + 3),
            (Strings{LimitListRow(expected, 1), LimitListRow(expected, 2)}));
  ASSERT_TRUE(limits[10].starts_with("LimitError: ")) << limits[10];  // after nine rows
  EXPECT_NEAR(std::stod(limits[10].substr(12)), 314.45, 0.05);
  EXPECT_EQ(run.err,
            "kestrolab-cli: A limit set holds at most 9 limits; --limit floor,9k,-60 was not "
            "added.\n");
  EXPECT_EQ(RunDesignCommand("--limit floor,1,5k,-3").code, kExitUsage);
}

// FREQ picks the analysis point a click at its place on the plot would pick: of the points
// 100 * 10^(i/50) Hz (100 intervals from 100 Hz to 10 kHz), 1.8k lies in the strip of i = 63,
// 1819.7 Hz. A frequency beyond the sweep goes to its nearer end, with a message; digits after a
// prefix letter are named as dropped.
TEST(LimitOptions, FrequencyTakesTheAnalysisPointAClickWould) {
  const struct {
    std::string limit;
    int16_t shape;
    double freq;
    std::string err;
  } cases[] = {
      {"ceiling-up,1.8k,-14", kCeilingUpward, 100 * std::pow(10.0, 63 / 50.0), ""},
      {"floor,1000.1,-3", kFloorFromDc, 1000, ""},
      {"floor,50,-3", kFloorFromDc, 100,
       "kestrolab-cli: --limit floor,50,-3: 50 Hz lies beyond the analysed sweep; the limit is "
       "placed at 100 Hz.\n"},
      {"ceiling-dc,2k2,-20", kCeilingFromDc, 100 * std::pow(10.0, 65 / 50.0),
       "kestrolab-cli: --limit ceiling-dc,2k2,-20: FREQ 2k2 reads as 2k: '2' after the prefix "
       "letter was ignored\n"},
      {"ceiling-up,20k,-60", kCeilingUpward, 10000,
       "kestrolab-cli: --limit ceiling-up,20k,-60: 20000 Hz lies beyond the analysed sweep; the "
       "limit is placed at 10000 Hz.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.limit);
    const CliRun run = RunDesignCommand(
        "--order 4 --bandwidth 1k --start 100 --stop 10k "
        "--intervals 100 --limit " +
        c.limit);
    DesignRecord expected;
    const float gain = std::stof(c.limit.substr(c.limit.rfind(',') + 1));
    AddGainLimit(expected, 1, c.shape, static_cast<float>(c.freq), gain);
    const auto limits = std::ranges::find(run.lines, "Limits:");
    ASSERT_LT(limits + 1, run.lines.end()) << run.out;
    EXPECT_EQ(limits[1], LimitListRow(expected, 1));
    EXPECT_EQ(run.err, c.err);
  }
}

}  // namespace
}  // namespace kestro::cli
