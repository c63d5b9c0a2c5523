// SPDX-License-Identifier: GPL-3.0-or-later
// kestrolab-cli's op-amp, stage, sensitivity, rounding, standard-capacitor and fit options as a
// script sees them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/response_engine.h"
#include "cli/cli_test_context.h"
#include "core/standard_series.h"
#include "files/scratch_folder.h"
#include "files/session_file.h"

namespace kestro::cli {
namespace {

// The number after label in line ("Q = " in "f0 = 10000 Hz, Q = 0.54"); NaN when it is absent.
double After(const std::string& line, const std::string& label) {
  const std::size_t at = line.find(label);
  return at == std::string::npos ? std::numeric_limits<double>::quiet_NaN()
                                 : std::stod(line.substr(at + label.size()));
}

Strings Starting(const CliRun& run, const std::string& prefix) {
  Strings found;
  std::copy_if(run.lines.begin(), run.lines.end(), std::back_inserter(found),
               [&](const std::string& line) { return line.starts_with(prefix); });
  return found;
}

DesignRecord SavedRecord(const std::string& file) {
  DesignRecord record{};
  record.SetOpeningDefaults();
  EXPECT_EQ(ReadSessionFile(record, file), std::nullopt);
  Analyze(record);
  return record;
}

// Each stage's f0 and Q are those of its pole pair (f0 = |p| x bandwidth, Q = |p| / 2 Re), and
// its margin is the chosen GBW over the one it needs.
TEST(CliStages, StageLinesGiveThePolePairsAndTheMargins) {
  const CliRun run = RunDesignCommand("--order 4 --bandwidth 10k --gbw 1M");
  ASSERT_EQ(run.code, kExitOk) << run.err;
  const Strings poles = Starting(run, "  -");
  const Strings stages = Starting(run, "Stage 1: f0");
  ASSERT_EQ(poles.size(), 2u);
  for (std::size_t j = 0; j < 2; ++j) {
    SCOPED_TRACE(poles[j]);
    const double re = std::stod(poles[j].substr(3));
    const double im = After(poles[j], "\u00b1 j");
    const Strings line = Starting(run, "Stage " + std::to_string(j + 1) + ": f0 = ");
    ASSERT_EQ(line.size(), 1u);
    EXPECT_NEAR(After(line[0], "f0 = "), 1e4 * std::hypot(re, im), 0.05);
    EXPECT_NEAR(After(line[0], "Q = "), std::hypot(re, im) / (2 * re), 1e-5);
    EXPECT_NEAR(After(line[0], "margin = "), 1e6 / After(line[0], "GBW needed = "), 1e-5);
  }
}

// Parts that cannot be built as drawn are named with their reason; a slew rate adds its
// full-power bandwidth, SR / (2 pi amplitude), with a warning only when it lies below the band.
TEST(CliStages, WarningsAndTheFullPowerBandwidthShowWhenTheyApply) {
  const struct {
    const char* options;
    const char* warning;  // a line that must be there, "" for no warning at all
    double fullPowerHz;   // 0: no full-power line
  } cases[] = {
      {"--family chebyshev --order 11 --ripple 20 --bandwidth 10M",
       "Warning: Stage 5: Q = 381 is above 20 (its gain peak follows every part's tolerance)", 0},
      {"--order 2 --bandwidth 1k", "", 0},
      {"--order 2 --bandwidth 100k --slew 10 --amplitude 10", "", 10e6 / (2 * M_PI * 10)},
      {"--order 2 --bandwidth 200k --slew 10 --amplitude 10",
       "Warning: the full-power bandwidth is below the filter's bandwidth of 200000 Hz (the "
       "output slews at 10 V peak)",
       10e6 / (2 * M_PI * 10)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options);
    const CliRun run = RunDesignCommand(c.options);
    ASSERT_EQ(run.code, kExitOk) << run.err;
    const Strings warnings = Starting(run, "Warning: ");
    EXPECT_EQ(*c.warning == '\0', warnings.empty());
    if (*c.warning) {
      EXPECT_EQ(std::ranges::count(warnings, std::string(c.warning)), 1);
    }
    const Strings fullPower = Starting(run, "Full-power bandwidth: ");
    ASSERT_EQ(fullPower.size(), c.fullPowerHz > 0 ? 1u : 0u);
    if (c.fullPowerHz > 0) {
      EXPECT_NEAR(After(fullPower[0], ": "), c.fullPowerHz, 1e-6 * c.fullPowerHz);
    }
  }
}

// Values that cannot be used end in the usage code with their message, before any report.
TEST(CliStages, UnusableValuesAreUsageErrors) {
  const std::pair<const char*, const char*> cases[] = {
      {"--gbw 0", "kestrolab-cli: --gbw '0' is not a gain-bandwidth product above 0\n"},
      {"--amplitude -1", "kestrolab-cli: --amplitude '-1' is not an amplitude above 0\n"},
      {"--round-resistors e3",
       "kestrolab-cli: unknown round-resistors 'e3' (choose one of: e192, e96, e48, e24, e12, "
       "e6)\nTry 'kestrolab-cli --help'.\n"},
      {"--standard-caps e96",
       "kestrolab-cli: unknown standard-caps 'e96' (choose one of: e6, e12, e24)\nTry "
       "'kestrolab-cli --help'.\n"},
      {"--family manual --standard-caps e12",
       "kestrolab-cli: --standard-caps designs a family's filter; a manual design keeps its "
       "parts\n"},
      {"--family manual --fit-limits",
       "kestrolab-cli: --fit-limits designs a Butterworth, Chebyshev or Bessel row, not a manual "
       "design\n"},
  };
  for (const auto& [options, err] : cases) {
    const CliRun run = RunDesignCommand(options);
    EXPECT_EQ(run.code, kExitUsage) << options;
    EXPECT_EQ(run.err, err);
    EXPECT_EQ(run.out, "");
  }
}

// The ranking's first part is the one whose +1 % change, re-analysed, moves the gain most.
TEST(CliStages, SensitivityRanksThePartThatMovesTheGainMostFirst) {
  test::ScratchFolder folder;
  const CliRun run = RunDesignCommand(
      "--order 4 --bandwidth 10k --start 1k --stop 100k --sensitivity --save s.kst");
  ASSERT_EQ(run.code, kExitOk) << run.err;
  const Strings rows = Starting(run, "  Stage ");
  ASSERT_EQ(rows.size(), 8u) << run.out;
  const DesignRecord base = SavedRecord("s.kst");
  double largest = 0;
  for (const std::string& row : rows) {
    SCOPED_TRACE(row);
    const int stage = row[8] - '0';
    const int k = row[11] - '0';
    DesignRecord changed = base;
    (row[10] == 'R' ? changed.R[stage][k] : changed.C[stage][k]) *= 1.01f;
    Analyze(changed);
    double change = 0;
    for (int i = 0; i <= base.Nints; ++i) {
      if (base.Gain[i] > -40)
        change = std::max(change, std::abs(double(changed.Gain[i]) - base.Gain[i]));
    }
    EXPECT_NEAR(After(row, ": "), change, 1e-4);
    largest = std::max(largest, change);
  }
  EXPECT_NEAR(After(rows[0], ": "), largest, 1e-4);
}

// On the series to the digits the session file keeps.
bool OnSeries(const StandardSeries& series, float value) {
  return std::abs(series.Nearest(value) - value) <= 1e-6f * value;
}

// Rounding puts every part on its series and makes the design manual; standard capacitors with
// resistors rounded to E96 keep the gain within 0.1 dB of the ideal design above -3 dB.
TEST(CliParts, RoundedAndStandardCapacitorDesignsUseSeriesValues) {
  const struct {
    const char* design;
    const char* parts;
    const StandardSeries& resistors;
    const StandardSeries& capacitors;
  } cases[] = {
      {"--order 5 --bandwidth 3k", "--round-resistors e96 --round-capacitors e12",
       StandardSeries::E96(), StandardSeries::E12()},
      {"--order 4 --bandwidth 700 --start 100", "--round e24", StandardSeries::E24(),
       StandardSeries::E24()},
      {"--family butterworth --order 6 --bandwidth 2k --start 200",
       "--standard-caps e12 --round-resistors e96", StandardSeries::E96(), StandardSeries::E12()},
      {"--family chebyshev --ripple .5 --order 7 --bandwidth 20k --start 2k --stop 100k",
       "--standard-caps e12 --round-resistors e96", StandardSeries::E96(), StandardSeries::E12()},
      {"--family bessel --order 4 --bandwidth 300 --start 30 --stop 3k",
       "--standard-caps e12 --round-resistors e96", StandardSeries::E96(), StandardSeries::E12()},
  };
  test::ScratchFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.design) + " " + c.parts);
    const std::string design = std::string(c.design) + " --response";
    const CliRun ideal = RunDesignCommand(design);
    const CliRun run = RunDesignCommand(design + " " + c.parts + " --save p.kst");
    ASSERT_EQ(run.code, kExitOk) << run.err;
    EXPECT_EQ(std::ranges::count(run.lines, "Family: manual"), 1);
    const DesignRecord record = SavedRecord("p.kst");
    for (int s = 1; s <= StageCount(record); ++s) {
      for (int k = record.R[s][1] > 0 ? 1 : 2; k <= 3; ++k) {
        EXPECT_TRUE(OnSeries(c.resistors, record.R[s][k])) << s << " R" << k;
        EXPECT_TRUE(OnSeries(c.capacitors, record.C[s][k])) << s << " C" << k;
      }
    }
    if (std::string(c.parts).starts_with("--standard-caps")) {
      const auto idealGain = Table(ideal.out, "# frequency");
      const auto gain = Table(run.out, "# frequency");
      ASSERT_EQ(gain.size(), idealGain.size());
      for (std::size_t i = 0; i < gain.size(); ++i) {
        if (idealGain[i][1] > -3) {
          EXPECT_NEAR(gain[i][1], idealGain[i][1], 0.1) << idealGain[i][0] << " Hz";
        }
      }
    }
  }
}

// The parts list is one of the run's files: when another of them cannot be written, it is not
// put in place either.
TEST(CliParts, PartsListIsWrittenWithTheRunsOtherFilesOrNotAtAll) {
  test::ScratchFolder folder;
  EXPECT_EQ(RunDesignCommand("--order 3 --bom parts.csv").code, kExitOk);
  EXPECT_EQ(test::SplitCrLf(test::FileText("parts.csv")).size(), 8u);
  std::filesystem::remove("parts.csv");
  EXPECT_EQ(RunDesignCommand("--order 3 --bom parts.csv --save none/s.kst").code, kExitFile);
  EXPECT_FALSE(std::filesystem::exists("parts.csv"));
}

// A mask: at least -1 dB up to fp, at most -stopDb from fs.
struct Mask {
  double fp, fs, stopDb;
  std::string Options() const {
    return "--start " + std::to_string(fp / 10) + " --stop " + std::to_string(fs * 10) +
           " --intervals 1000 --limit floor," + std::to_string(fp) + ",-1 --limit ceiling-up," +
           std::to_string(fs) + ",-" + std::to_string(stopDb) + " --fit-limits";
  }
};

std::string FitRowOf(const CliRun& run, const std::string& family) {
  const Strings rows = Starting(run, "  " + family + ": ");
  return rows.size() == 1 ? rows[0] : "";
}

// The fitted orders are the textbook minimum orders of the mask (Butterworth; Chebyshev at the
// 0.99 dB ripple the -1 dB floor allows).
TEST(CliFit, FitTableGivesTheLowestOrdersOfTheMask) {
  const Mask masks[] = {{1000, 3000, 40}, {1000, 2000, 20}, {1000, 5000, 60}, {300, 1200, 50}};
  for (const Mask& mask : masks) {
    SCOPED_TRACE(mask.Options());
    const CliRun run = RunDesignCommand(mask.Options());
    ASSERT_EQ(run.code, kExitOk) << run.err;
    const double stop = std::pow(10.0, mask.stopDb / 10) - 1;
    const double ratio = mask.fs / mask.fp;
    const double butterworth =
        std::log10(stop / (std::pow(10.0, 0.1) - 1)) / (2 * std::log10(ratio));
    const double chebyshev =
        std::acosh(std::sqrt(stop / (std::pow(10.0, 0.099) - 1))) / std::acosh(ratio);
    EXPECT_EQ(After(FitRowOf(run, "Butterworth"), "order "), std::ceil(butterworth));
    EXPECT_EQ(After(FitRowOf(run, "Chebyshev"), "order "), std::ceil(chebyshev));
    EXPECT_EQ(After(FitRowOf(run, "Chebyshev"), "ripple "), 0.99);
    EXPECT_GE(After(FitRowOf(run, "Butterworth"), "margin "), 0);
  }
}

// With --family the run designs that family's row and goes on as a design run; a family no order
// of which meets the mask stops the run with the row's reason.
TEST(CliFit, FamilyDesignsItsRowOrStopsWithItsReason) {
  const Mask mask{1000, 3000, 40};
  const CliRun table = RunDesignCommand(mask.Options());
  const CliRun run = RunDesignCommand(mask.Options() + " --family chebyshev");
  ASSERT_EQ(run.code, kExitOk) << run.err;
  const std::string row = FitRowOf(table, "Chebyshev");
  EXPECT_EQ(FitRowOf(run, "Chebyshev"), row);
  EXPECT_EQ(std::ranges::count(run.lines, "Family: Chebyshev"), 1);
  EXPECT_EQ(After(Starting(run, "Order: ")[0], ": "), After(row, "order "));
  EXPECT_EQ(After(Starting(run, "Bandwidth: ")[0], ": "), After(row, "bandwidth "));
  EXPECT_EQ(std::ranges::count(run.lines, "LimitError: 0"), 1);

  const Mask steep{1000, 1200, 60};
  const CliRun bessel = RunDesignCommand(steep.Options() + " --family bessel");
  EXPECT_EQ(bessel.code, kExitStopped);
  EXPECT_EQ(bessel.err, "kestrolab-cli: Bessel: no order up to 10 meets the mask\n");
  EXPECT_EQ(FitRowOf(bessel, "Bessel"), "  Bessel: no order up to 10 meets the mask");
  EXPECT_EQ(Starting(bessel, "Family: ").size(), 0u);
}

}  // namespace
}  // namespace kestro::cli
