// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/long_run_report.h"

#include <gtest/gtest.h>

#include "cli/cli_test_context.h"

namespace kestro::cli {
namespace {

CliRun Butterworth4(const std::string& more) {
  return RunDesignCommand("--order 4 --bandwidth 1k --start 100 --stop 10k --intervals 100 " +
                          more);
}

// A seed repeats a run, another seed changes it. The envelope (frequency, gain min and max,
// delay min and max) holds the nominal response at every point. At the bandwidth 5 % parts
// spread the gain by about 17 dB per unit of ln f (the slope of order 4 at its corner) times the
// spread of each stage's ln f0 = -(sum of four ln parts) / 2, sigma 0.029: a few dB over 1000
// passes, at least 1 and at most 5 (all parts at one end shift f0 by 10 %, 1.7 dB, per stage).
TEST(MonteCarloReport, RepeatableEnvelopeAroundTheNominalResponse) {
  const CliRun first = Butterworth4("--monte-carlo 5 --seed 1 --response");
  ASSERT_EQ(first.code, kExitOk) << first.err;
  EXPECT_EQ(Butterworth4("--monte-carlo 5 --seed 1 --response").out, first.out);
  const auto envelope = Table(first.out, "# frequency_Hz\tgain_min");
  EXPECT_NE(Table(Butterworth4("--monte-carlo 5 --seed 2").out, "# frequency_Hz\tgain_min"),
            envelope);
  const auto response = Table(first.out, "# frequency_Hz\tgain_dB");
  ASSERT_EQ(envelope.size(), 101u);
  ASSERT_EQ(response.size(), 101u);
  for (std::size_t i = 0; i < envelope.size(); ++i) {
    const double freq = response[i][0], gain = response[i][1], delay = response[i][3];
    ASSERT_EQ(envelope[i][0], freq);
    EXPECT_TRUE(envelope[i][1] <= gain && gain <= envelope[i][2]) << freq;
    EXPECT_TRUE(envelope[i][3] <= delay && delay <= envelope[i][4]) << freq;
  }
  const auto& corner = envelope[50];
  EXPECT_NEAR(corner[0], 1000, 0.01);
  EXPECT_TRUE(corner[2] - corner[1] > 1.0 && corner[2] - corner[1] < 5.0) << corner[2] - corner[1];
}

// With gain limits the yield is counted; the optimizer prints its improvements and fits the parts.
TEST(MonteCarloReport, YieldAndOptimizerOnTheLimits) {
  const std::string limits = "--limit floor,1k,-0.5 --limit ceiling-up,1.8k,-14 --seed 3 ";
  EXPECT_NE(Butterworth4(limits + "--monte-carlo 1 --passes 50")
                .out.find("yield: 0 / 50 passes inside all gain limits\n"),
            std::string::npos);
  const std::string fitted = Butterworth4(limits + "--optimize").out;
  const auto number = [&fitted](const std::string& after) {
    return std::stod(fitted.substr(fitted.find(after) + after.size()));
  };
  EXPECT_LT(number("trial 1: error "), number("limit error at the start "));
  EXPECT_LT(number("\nlimit error: "), 0.0102);
}

}  // namespace
}  // namespace kestro::cli
