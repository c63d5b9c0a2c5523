#include "cli/long_run_report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_test_context.h"

namespace kestro::cli {
namespace {

// The envelope rows after the "# frequency_Hz" header: frequency, gain min, gain max, delay min,
// delay max.
std::vector<std::vector<double>> Envelope(const std::string& out) {
  std::istringstream lines(out.substr(out.find("# frequency_Hz\tgain_min")));
  std::vector<std::vector<double>> rows;
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line) && !line.empty() && line[0] != 'y') {
    std::istringstream fields(line);
    std::vector<double> row(5);
    for (double& value : row)
      fields >> value;
    rows.push_back(row);
  }
  return rows;
}

const Strings kButterworth4{"design", "--order", "4",   "--bandwidth", "1k", "--start",
                            "100",    "--stop",  "10k", "--intervals", "100"};

Strings With(Strings args, const Strings& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// A seed repeats a run. The envelope holds the nominal response (the design's own table) at
// every point. At the bandwidth 5 % parts spread the gain by about 17 dB per unit of ln f
// (the slope of order 4 at its corner) times the spread of each stage's ln f0 = -(sum of four
// ln parts) / 2, sigma 0.029: a few dB over 1000 passes, at least 1 and at most 5 (all parts
// at one end shift f0 by 10 %, 1.7 dB, for each of the two stages).
TEST(MonteCarloReport, RepeatableEnvelopeAroundTheNominalResponse) {
  const Strings args = With(kButterworth4, {"--monte-carlo", "5", "--seed", "1", "--response"});
  const CliRun first = RunCli(args);
  ASSERT_EQ(first.code, kExitOk) << first.err;
  EXPECT_EQ(RunCli(args).out, first.out);
  EXPECT_NE(RunCli(With(kButterworth4, {"--monte-carlo", "5", "--seed", "2"}))
                .out.substr(first.out.find("gain_min")),
            first.out.substr(first.out.find("gain_min")));
  const auto envelope = Envelope(first.out);
  ASSERT_EQ(envelope.size(), 101u);
  std::istringstream response(first.out.substr(first.out.find('\n', first.out.find("# ")) + 1));
  for (const auto& row : envelope) {
    double freq = 0, gain = 0, phase = 0, delay = 0;
    response >> freq >> gain >> phase >> delay;
    ASSERT_EQ(freq, row[0]);
    EXPECT_TRUE(row[1] <= gain && gain <= row[2]) << freq;
    EXPECT_TRUE(row[3] <= delay && delay <= row[4]) << freq;
  }
  const auto& corner = envelope[50];  // 1 kHz
  EXPECT_NEAR(corner[0], 1000, 0.01);
  EXPECT_GT(corner[2] - corner[1], 1.0);
  EXPECT_LT(corner[2] - corner[1], 5.0);
}

// With gain limits the yield is counted; the optimizer prints its improvements and fits the parts.
TEST(MonteCarloReport, YieldAndOptimizerOnTheLimits) {
  const Strings limits{"--limit", "floor,1k,-0.5", "--limit", "ceiling-up,1.8k,-14", "--seed", "3"};
  const CliRun yield =
      RunCli(With(kButterworth4, With(limits, {"--monte-carlo", "1", "--passes", "50"})));
  EXPECT_NE(yield.out.find("yield: 0 / 50 passes inside all gain limits\n"), std::string::npos);
  const CliRun fitted = RunCli(With(kButterworth4, With(limits, {"--optimize"})));
  const auto number = [&fitted](const std::string& after) {
    return std::stod(fitted.out.substr(fitted.out.find(after) + after.size()));
  };
  const double start = number("limit error at the start ");
  EXPECT_GT(start, 1);
  EXPECT_LT(number("trial 1: error "), start);
  EXPECT_LT(number("\nlimit error: "), 0.0102);
}

TEST(MonteCarloReport, UnusableOptionsAreRefusedBeforeAnythingRuns) {
  for (const Strings& bad : {Strings{"--monte-carlo", "3"}, Strings{"--passes", "0"},
                             Strings{"--seed", "-1"}, Strings{"--limit", "wall,1k,-3"}}) {
    const CliRun run = RunCli(With(kButterworth4, bad));
    EXPECT_EQ(run.code, kExitUsage) << bad[0];
    EXPECT_TRUE(run.out.empty()) << bad[0];
    EXPECT_NE(run.err.find(bad[0].substr(2)), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace kestro::cli
