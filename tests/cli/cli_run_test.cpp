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
#include "files/scratch_folder.h"

namespace kestro::cli {
namespace {

using test::FileText;
using test::ScratchFolder;
using test::SplitCrLf;

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
      {{"--order", "4"},
       {{-std::cos(pi / 8), std::sin(pi / 8)}, {-std::cos(3 * pi / 8), std::sin(3 * pi / 8)}}},
      {{"--family", "chebyshev", "--ripple", "1", "--order", "2"}, {{-0.5489, 0.8951}}},
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
      // Numbers out of the controls' reach are repaired as the window repairs them.
      {{"--order", "1"}, "kestrolab-cli: The order has been reset upward to 2\n", "Order: 2"},
      {{"--order", "abc"}, "kestrolab-cli: The order has been reset upward to 2\n", "Order: 2"},
      {{"--bandwidth", "abc"},
       "kestrolab-cli: The filter bandwidth has been reset upward to 1 KHz\n",
       "Bandwidth: 1000 Hz"},
      {{"--bandwidth", "-5k", "--order", "40"},
       "kestrolab-cli: The filter bandwidth has been reset upward to 1 KHz\n"
       "kestrolab-cli: The order has been reset downward to 11\n",
       "Order: 11"},
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

TEST(DesignRunTest, EmptySweepEndsWithItsMessageAndNoReport) {
  const std::string notAbove =
      "kestrolab-cli: Please enter an analysis stopping frequency\n"
      "greater than the starting frequency\n";
  const std::pair<std::vector<std::string>, std::string> cases[]{
      {{"--start", "1k", "--stop", "1k"}, notAbove},
      {{"--start", "1k", "--stop", "500"}, notAbove},
      {{"--start", "1k", "--stop", "abc"}, notAbove},
      {{"--start", "1k", "--stop", "-5"}, notAbove},
      {{"--start", "20M", "--stop", "30M"},
       "kestrolab-cli: The analysis stopping frequency has been reset downward to 10 MHz\n"
       "kestrolab-cli: Please enter an analysis starting frequency\nbelow 10 MHz\n"},
  };
  for (const auto& [options, err] : cases) {
    std::vector<std::string> args = {"design"};
    args.insert(args.end(), options.begin(), options.end());
    const RunResult run = RunCli(args);
    EXPECT_EQ(run.code, kExitStopped) << options[3];
    EXPECT_EQ(run.err, err);
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
      {{"design", "--family", "cauer"}, "kestrolab-cli: unknown family 'cauer'"},
      {{"design", "--print", "x.KST"}, "kestrolab-cli: unknown option '--print'"},
  };
  for (const Case& c : cases) {
    const RunResult run = RunCli(c.args);
    EXPECT_EQ(run.code, kExitUsage) << c.errStart;
    EXPECT_EQ(run.err.rfind(c.errStart, 0), 0u) << run.err;
    EXPECT_EQ(run.out, "");
  }
  const RunResult help = RunCli({"design", "--help"});
  EXPECT_EQ(std::tie(help.code, help.err), std::tuple(kExitOk, ""));
  EXPECT_TRUE(help.out.starts_with("Usage: kestrolab-cli"));
}

// ---------------------------------------------------------------------------------------------
// File options
// ---------------------------------------------------------------------------------------------

// The capacitor and resistor lines of a session file.
std::vector<std::string> PartLines(const std::string& fileName) {
  std::vector<std::string> parts;
  for (const std::string& line : SplitCrLf(FileText(fileName))) {
    if ((line[0] == 'C' || line[0] == 'R') && line.find(',') == 2)
      parts.push_back(line);
  }
  return parts;
}

std::string ValueOf(const std::vector<std::string>& lines, const std::string& key) {
  for (const std::string& line : lines) {
    if (line.rfind(key, 0) == 0)
      return line.substr(key.size());
  }
  ADD_FAILURE() << "no line " << key;
  return {};
}

TEST(TransientOption, ButterworthOvershootsAndWritesTheWaveFile) {
  ScratchFolder folder;
  const RunResult run = RunCli({"design", "--family", "butterworth", "--order", "3", "--bandwidth",
                                "1k", "--transient", "300"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  const std::vector<std::string>& out = run.lines;
  float peak = 0;
  ReadEngValue(ValueOf(out, "WavePeak: "), peak);
  EXPECT_GT(peak, 1.0f);
  EXPECT_LT(peak, 1.2f);
  EXPECT_EQ(ValueOf(out, "Square wave: "), "300Hz");
  // Each component at n x 300 Hz with the gain of a third-order Butterworth there,
  // -10 log10(1 + (f/fc)^6) dB.
  int components = 0;
  for (const std::string& line : out) {
    int n = 0;
    char freq[16] = {};
    float db = 0;
    if (line.rfind("Fundamental: ", 0) == 0) {
      n = 1;
      ASSERT_EQ(std::sscanf(line.c_str(), "Fundamental: Freq: %15s dB: %f", freq, &db), 2) << line;
    } else if (std::sscanf(line.c_str(), "Harmonic: %d Freq: %15s dB: %f", &n, freq, &db) != 3) {
      continue;
    }
    ++components;
    float hz = 0;
    ReadEngValue(freq, hz);
    EXPECT_FLOAT_EQ(hz, 300.0f * n) << line;
    EXPECT_NEAR(db, -10 * std::log10(1 + std::pow(0.3 * n, 6)), 0.01) << line;
  }
  EXPECT_EQ(components, 9);
  const std::vector<std::string> wave = SplitCrLf(FileText("KESTRO.TRAN"));
  ASSERT_EQ(wave.size(), 181u);
  float first = 0, last = 0;
  ReadEngValue(wave.front(), first);
  ReadEngValue(wave.back(), last);
  EXPECT_EQ(last, -first);
  EXPECT_LT(first, -0.5f);  // the output still lags the rising edge at t = 0
}

TEST(TransientOption, TooLowAFrequencyIsResetToOneHertz) {
  ScratchFolder folder;
  const RunResult run = RunCli({"design", "--transient", "0"});
  EXPECT_EQ(run.code, kExitOk);
  EXPECT_NE(run.err.find("Squarewave has been reset to 1 Hz"), std::string::npos);
  EXPECT_EQ(ValueOf(run.lines, "Square wave: "), "1Hz");
}

TEST(SessionOptions, SaveThenOpenWithManualFamilyKeepsTheParts) {
  ScratchFolder folder;
  ASSERT_EQ(RunCli({"design", "--family", "chebyshev", "--order", "5", "--bandwidth", "2k",
                    "--save", "first.KST"})
                .code,
            kExitOk);
  const std::vector<std::string> designed = PartLines("first.KST");
  ASSERT_EQ(designed.size(), 2u * 3 + 2u * 5);
  // Manual: the file's parts stay although the bandwidth option changes.
  RunResult run = RunCli({"design", "--open", "FIRST.kst", "--family", "manual", "--bandwidth",
                          "9k", "--save", "manual.KST"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_EQ(PartLines("manual.KST"), designed);
  EXPECT_EQ(ValueOf(SplitCrLf(FileText("manual.KST")), "Family: "), "4");
  // Without --family the file's own family designs again: same bandwidth, same parts.
  run = RunCli({"design", "--open", "first.KST", "--save", "again.KST"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_EQ(PartLines("again.KST"), designed);
  EXPECT_EQ(ValueOf(SplitCrLf(FileText("again.KST")), "Passband ripple: "), "1");
  // An option given with --open changes what the file held.
  run = RunCli({"design", "--open", "first.KST", "--order", "4", "--save", "first.KST"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_EQ(ValueOf(SplitCrLf(FileText("first.KST")), "Order: "), "4");
  EXPECT_EQ(ValueOf(SplitCrLf(FileText("first.KST")), "Bandwidth: "), "2000");
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"again.KST", "first.KST", "manual.KST"}));
}

TEST(SessionOptions, AnUnreadableOpenWritesNothing) {
  ScratchFolder folder;
  test::PutFile("bad.KST", "Fstart: 1\r\nFstop: 2\r\nNr of intervals: 0\r\n");
  for (const char* name : {"missing.KST", "bad.KST"}) {
    const RunResult run = RunCli({"design", "--open", name, "--save", "out.KST", "--save-plot"});
    EXPECT_EQ(run.code, kExitFile) << name;
    EXPECT_NE(run.err.find("The KESTRO file was not read correctly; defaults are being used"),
              std::string::npos);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"bad.KST"});
}

TEST(ExportOptions, WriteEveryFileOfTheDesign) {
  ScratchFolder folder;
  const RunResult run =
      RunCli({"design", "--order", "4", "--bandwidth", "1k", "--intervals", "10", "--tabulate-easy",
              "easy.DAT", "--tabulate-sci", "sci.DAT", "--spice", "filter.ASC", "--save-plot"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  const struct {
    const char* name;
    std::size_t lines;
    const char* second;
  } files[] = {{"easy.DAT", 16, "Freq,      Gain,    Phase,    Delay,"},
               {"sci.DAT", 16, "Freq,          Gain,        Phase,         Delay,"},
               {"KSTdata.DB", 11, nullptr},
               {"KSTdata.PHS", 11, nullptr},
               {"KSTdata.DEL", 11, nullptr}};
  for (const auto& f : files) {
    const std::vector<std::string> lines = SplitCrLf(FileText(f.name));
    ASSERT_EQ(lines.size(), f.lines) << f.name;
    if (f.second != nullptr) {
      EXPECT_EQ(lines[1], f.second);
    }
  }
  const std::vector<std::string> gain = SplitCrLf(FileText("KSTdata.DB"));
  EXPECT_EQ(gain.front().rfind(" 1000 ", 0), 0u);
  EXPECT_EQ(gain.back().rfind(" 10000 -", 0), 0u);
  const std::vector<std::string> spice = SplitCrLf(FileText("filter.ASC"));
  EXPECT_EQ(spice.front(), "Version 4");
  EXPECT_EQ(std::count(spice.begin(), spice.end(), "SYMATTR InstName U2"), 1);
}

TEST(ExportOptions, AFailedWriterEndsWithItsMessageAndCodeThree) {
  ScratchFolder folder;
  const RunResult run =
      RunCli({"design", "--spice", "no/folder/x.ASC", "--tabulate-sci", "ok.DAT"});
  EXPECT_EQ(run.code, kExitFile);
  EXPECT_NE(run.err.find("A problem was encountered and so the LTspice schematic file was not "
                         "written"),
            std::string::npos);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"ok.DAT"});
}

}  // namespace
}  // namespace kestro::cli
