#include "cli/design_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/exit_codes.h"
#include "cli/stderr_dialogs.h"
#include "core/eng_value.h"

namespace kestro::cli {
namespace {

struct RunResult {
  int code = -1;
  std::string out;
  std::string err;
  std::vector<std::string> lines;  // of out
};

RunResult RunCli(std::vector<std::string> args) {
  std::ostringstream out;
  std::ostringstream err;
  StderrDialogs dialogs(err, false);
  RunResult result;
  result.code = RunCommandLine(args, out, err, dialogs);
  result.out = out.str();
  result.err = err.str();
  std::istringstream stream(result.out);
  for (std::string line; std::getline(stream, line);)
    result.lines.push_back(line);
  return result;
}

// The value of a "  name = value" line of the parts list, read back as the program reads it.
float PartValue(const RunResult& run, const std::string& name) {
  for (const std::string& line : run.lines) {
    if (line.rfind("  " + name + " = ", 0) == 0) {
      float value = 0;
      ReadEngValue(line.substr(name.size() + 5), value);
      return value;
    }
  }
  ADD_FAILURE() << name << " missing from:\n" << run.out;
  return 0;
}

struct Point {
  float freq, gain, phase, delay;
};

std::vector<Point> ResponsePoints(const RunResult& run) {
  std::vector<Point> points;
  for (const std::string& line : run.lines) {
    Point p{};
    if (std::sscanf(line.c_str(), "%g\t%g\t%g\t%g", &p.freq, &p.gain, &p.phase, &p.delay) == 4) {
      points.push_back(p);
    }
  }
  return points;
}

// ---------------------------------------------------------------------------------------------
// The worked examples: synthesis and analysis end to end
// ---------------------------------------------------------------------------------------------

TEST(DesignRunTest, ButterworthThirdOrderAtOneKilohertz) {
  const RunResult run = RunCli(
      {"design", "--family", "butterworth", "--order", "3", "--bandwidth", "1000", "--response"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_EQ(run.err, "");
  for (const char* r : {"R1", "R2", "R3"})
    EXPECT_EQ(PartValue(run, r), 47000.0f) << r;
  // Reference capacitors to the four digits they are known to, relative 1e-3.
  EXPECT_NEAR(PartValue(run, "C1"), 4.716e-9, 4.716e-12);
  EXPECT_NEAR(PartValue(run, "C2"), 12.01e-9, 12.01e-12);
  EXPECT_NEAR(PartValue(run, "C3"), 0.686e-9, 0.686e-12);
  const std::vector<Point> points = ResponsePoints(run);
  ASSERT_EQ(points.size(), 513u);  // Nints 512 from the opening defaults
  EXPECT_FLOAT_EQ(points.front().freq, 1000.0f);
  EXPECT_NEAR(points.front().gain, -3.0103, 0.005);  // 10 log10(2): the 3 dB point
  EXPECT_NEAR(points.back().freq, 10000.0f, 0.01f);
  EXPECT_NEAR(points.back().gain, -60.0, 0.05);  // 3 poles: -60 dB a decade above
}

TEST(DesignRunTest, ButterworthSecondOrderAtOneKilohertz) {
  const RunResult run = RunCli({"design", "--order", "2", "--bandwidth", "1k", "--response"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_EQ(PartValue(run, "R1"), 0.0f);
  EXPECT_EQ(PartValue(run, "R2"), 47000.0f);
  EXPECT_NEAR(PartValue(run, "C2"), 4.789e-9, 4.789e-12);
  EXPECT_NEAR(PartValue(run, "C3"), 2.394e-9, 2.394e-12);
  const std::vector<Point> points = ResponsePoints(run);
  ASSERT_FALSE(points.empty());
  EXPECT_NEAR(points.front().gain, -3.0103, 0.005);
}

// Pole lines "  -re ± j im" (or "  -re"), parsed.
std::vector<std::pair<double, double>> Poles(const RunResult& run) {
  std::vector<std::pair<double, double>> poles;
  for (const std::string& line : run.lines) {
    double re = 0;
    double im = 0;
    if (std::sscanf(line.c_str(), "  %lf \u00b1 j%lf", &re, &im) == 2) {
      poles.emplace_back(re, im);
    } else if (line.size() > 3 && line.rfind("  -", 0) == 0 &&
               line.find('=') == std::string::npos &&
               std::sscanf(line.c_str(), "  %lf", &re) == 1) {
      poles.emplace_back(re, 0.0);
    }
  }
  return poles;
}

TEST(DesignRunTest, PolesOfEachFamilyArePrintedPerSlot) {
  struct Case {
    std::vector<std::string> args;
    std::vector<std::pair<double, double>> poles;
  };
  const double pi = std::acos(-1.0);
  const Case cases[] = {
      {{"--order", "2"}, {{-std::cos(pi / 4), std::sin(pi / 4)}}},
      {{"--order", "3"}, {{-1.0, 0.0}, {-0.5, std::sin(pi / 3)}}},
      {{"--order", "4"},
       {{-std::cos(pi / 8), std::sin(pi / 8)}, {-std::cos(3 * pi / 8), std::sin(3 * pi / 8)}}},
      {{"--family", "chebyshev", "--ripple", "1", "--order", "2"}, {{-0.5489, 0.8951}}},
      {{"--family", "bessel", "--order", "2"}, {{-1.5, 0.866}}},
      {{"--family", "bessel", "--order", "3"}, {{-2.3222, 0.0}, {-1.8389, 1.7544}}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"design"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const RunResult run = RunCli(args);
    SCOPED_TRACE(run.out);
    ASSERT_EQ(run.code, kExitOk) << run.err;
    const auto poles = Poles(run);
    ASSERT_EQ(poles.size(), c.poles.size());
    for (std::size_t i = 0; i < poles.size(); ++i) {
      // References are given to four decimals.
      EXPECT_NEAR(poles[i].first, c.poles[i].first, 1e-4);
      EXPECT_NEAR(std::abs(poles[i].second), c.poles[i].second, 1e-4);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Repairs, stops and usage errors
// ---------------------------------------------------------------------------------------------

TEST(DesignRunTest, RepairedValuesAreReportedOnStderrAndTheDesignGoesOn) {
  struct Case {
    std::vector<std::string> args;
    std::string err;
    std::string outLine;  // one line the report must hold
  };
  const Case cases[] = {
      {{"--bandwidth", "20M"},
       "kestrolab-cli: The filter bandwidth has been reset downward to 10 MHz\n",
       "Bandwidth: 1E+07 Hz"},
      {{"--family", "bessel", "--order", "11"},
       "kestrolab-cli: Bessel family; order reset to 10\n",
       "Order: 10"},
      {{"--start", "0", "--stop", "50M", "--intervals", "3"},
       "kestrolab-cli: Analysis starting frequency has been set to .1\n"
       "kestrolab-cli: The analysis stopping frequency has been reset downward to 10 MHz\n"
       "kestrolab-cli: Number of test frequencies has been reset upward to 10\n",
       "Stage 1:"},
      {{"--family", "chebyshev"}, "", "Ripple: 1 dB"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"design"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const RunResult run = RunCli(args);
    EXPECT_EQ(run.code, kExitOk) << c.args[1];
    EXPECT_EQ(run.err, c.err);
    EXPECT_NE(std::find(run.lines.begin(), run.lines.end(), c.outLine), run.lines.end())
        << c.outLine << " missing from:\n"
        << run.out;
  }
}

TEST(DesignRunTest, ResponseHasOnePointPerIntervalPlusOne) {
  const RunResult run =
      RunCli({"design", "--intervals", "20", "--start", "10", "--stop", "100k", "--response"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  const std::vector<Point> points = ResponsePoints(run);
  ASSERT_EQ(points.size(), 21u);
  EXPECT_FLOAT_EQ(points.front().freq, 10.0f);
  EXPECT_NEAR(points.back().freq, 100000.0f, 0.1f);
  for (std::size_t i = 1; i < points.size(); ++i) {
    EXPECT_NEAR(points[i].freq / points[i - 1].freq, std::pow(10.0, 4.0 / 20), 1e-4);
  }
  const std::size_t header = static_cast<std::size_t>(
      std::find_if(run.lines.begin(), run.lines.end(),
                   [](const std::string& l) { return !l.empty() && l[0] == '#'; }) -
      run.lines.begin());
  EXPECT_EQ(header + 22, run.lines.size());  // the header comes right before the points
}

TEST(DesignRunTest, StopNotAboveStartEndsWithItsMessageAndNoReport) {
  for (const auto& stop : {"1k", "500", "abc", "-5"}) {
    const RunResult run = RunCli({"design", "--start", "1k", "--stop", stop});
    EXPECT_EQ(run.code, kExitStopped) << stop;
    EXPECT_EQ(run.err,
              "kestrolab-cli: Please enter an analysis stopping frequency\n"
              "greater than the starting frequency\n");
    EXPECT_EQ(run.out, "");
  }
}

TEST(DesignRunTest, UnusableCommandLinesExitWithUsageErrors) {
  struct Case {
    std::vector<std::string> args;
    std::string errStart;
  };
  const Case cases[] = {
      {{}, "kestrolab-cli: no command given\n"},
      {{"design", "--order", "1"}, "kestrolab-cli: --order must be a number from 2 to 11, not '1'"},
      {{"design", "--order", "abc"},
       "kestrolab-cli: --order must be a number from 2 to 11, not 'abc'"},
      {{"design", "--bandwidth", "abc"},
       "kestrolab-cli: --bandwidth must be a frequency above 0 Hz, not 'abc'"},
      {{"design", "--family", "cauer"}, "kestrolab-cli: unknown family 'cauer'"},
      {{"design", "--print", "x.KST"}, "kestrolab-cli: unknown option '--print'"},
  };
  for (const Case& c : cases) {
    const RunResult run = RunCli(c.args);
    EXPECT_EQ(run.code, kExitUsage) << c.errStart;
    EXPECT_EQ(run.err.rfind(c.errStart, 0), 0u) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

TEST(DesignRunTest, HelpGoesToStdout) {
  const RunResult run = RunCli({"design", "--help"});
  EXPECT_EQ(run.code, kExitOk);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out.rfind("Usage: kestrolab-cli", 0), 0u);
}

}  // namespace
}  // namespace kestro::cli
