#include "cli/design_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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
using Strings = std::vector<std::string>;

struct RunResult {
  int code = -1;
  std::string out, err;
  Strings lines;  // of out
};

RunResult RunCli(Strings args) {
  std::ostringstream out, err;
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

RunResult RunDesign(const Strings& options) {
  Strings args{"design"};
  args.insert(args.end(), options.begin(), options.end());
  return RunCli(args);
}

// The text after the first line that starts with key, read back as the program reads it.
std::string After(const Strings& lines, const std::string& key) {
  for (const std::string& line : lines) {
    if (line.starts_with(key))
      return line.substr(key.size());
  }
  ADD_FAILURE() << "no line " << key;
  return {};
}
float ValueAfter(const Strings& lines, const std::string& key) {
  float value = 0;
  ReadEngValue(After(lines, key), value);
  return value;
}

// Response lines "freq gain phase delay", tab-separated.
std::vector<std::vector<float>> ResponsePoints(const RunResult& run) {
  std::vector<std::vector<float>> points;
  for (const std::string& line : run.lines) {
    std::vector<float> p(4);
    if (std::sscanf(line.c_str(), "%g\t%g\t%g\t%g", &p[0], &p[1], &p[2], &p[3]) == 4)
      points.push_back(p);
  }
  return points;
}

// The sweep 100 Hz to 100 kHz in 30 intervals puts points 10 and 20 on 1 and 10 kHz.
TEST(DesignRunTest, ButterworthThirdOrderAtOneKilohertz) {
  const RunResult run =
      RunDesign({"--family", "butterworth", "--order", "3", "--bandwidth", "1000", "--start", "100",
                 "--stop", "100k", "--intervals", "30", "--response"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_EQ(run.err, "");
  // Reference capacitors to the four digits they are known to, relative 1e-3.
  const struct {
    const char* part;
    double value, tolerance;
  } parts[] = {{"R1", 47000, 0},
               {"R2", 47000, 0},
               {"R3", 47000, 0},
               {"C1", 4.716e-9, 4.716e-12},
               {"C2", 12.01e-9, 12.01e-12},
               {"C3", 0.686e-9, 0.686e-12}};
  for (const auto& p : parts)
    EXPECT_NEAR(ValueAfter(run.lines, std::string("  ") + p.part + " = "), p.value, p.tolerance);
  const auto points = ResponsePoints(run);
  ASSERT_EQ(points.size(), 31u);
  EXPECT_EQ(run.lines[run.lines.size() - 32][0], '#');  // the header right before the points
  EXPECT_FLOAT_EQ(points.front()[0], 100.0f);
  EXPECT_NEAR(points.back()[0], 100000.0f, 0.1f);
  for (std::size_t i = 1; i < points.size(); ++i)
    EXPECT_NEAR(points[i][0] / points[i - 1][0], std::pow(10.0, 0.1), 1e-4);
  EXPECT_NEAR(points[10][1], -3.0103, 0.005);  // 10 log10(2): the 3 dB point
  EXPECT_NEAR(points[20][1], -60.0, 0.05);     // 3 poles: -60 dB a decade above
}

// Letters, empty text, huge and negative numbers are repaired as the window repairs them and the
// design goes on; an empty sweep stops with no report; an unusable command line names its fault
// (the start of stderr). Each of outStarts starts some line of the report: the poles are given to
// four decimals (the leading minus and a value truncated).
TEST(DesignRunTest, CommandLinesEndInTheirCodeAndMessages) {
  const auto err = [](std::initializer_list<const char*> texts) {
    std::string joined;
    for (const char* text : texts)
      joined += std::string("kestrolab-cli: ") + text + "\n";
    return joined;
  };
  const char* widthDown = "The filter bandwidth has been reset downward to 10 MHz";
  const char* widthUp = "The filter bandwidth has been reset upward to 1 KHz";
  const char* orderUp = "The order has been reset upward to 2";
  const char* orderDown = "The order has been reset downward to 11";
  const char* besselDown = "Bessel family; order reset to 10";
  const char* startUp = "Analysis starting frequency has been set to .1";
  const char* stopDown = "The analysis stopping frequency has been reset downward to 10 MHz";
  const char* intsUp = "Number of test frequencies has been reset upward to 10";
  const char* notAbove =
      "Please enter an analysis stopping frequency\ngreater than the starting frequency";
  const char* notBelow = "Please enter an analysis starting frequency\nbelow 10 MHz";
  const struct {
    Strings args;
    int code;
    std::string err;
    Strings outStarts;  // empty: no output at all
  } cases[] = {
      {{"--order", "4"}, kExitOk, "", {"Poles:", "  -0.92387", "  -0.38268", "Stage 2:"}},
      {{"--family", "chebyshev", "--order", "2"}, kExitOk, "", {"Ripple: 1 dB", "  -0.54886"}},
      {{"--family", "bessel", "--order", "3"}, kExitOk, "", {"  -2.32218", "  -1.83890"}},
      {{"--bandwidth", "20M"}, kExitOk, err({widthDown}), {"Bandwidth: 1E+07 Hz"}},
      {{"--family", "bessel", "--order", "11"}, kExitOk, err({besselDown}), {"Order: 10"}},
      {{"--start", "0", "--stop", "50M", "--intervals", "3"},
       kExitOk,
       err({startUp, stopDown, intsUp}),
       {"Stage 1:"}},
      {{"--order", "-3"}, kExitOk, err({orderUp}), {"Order: 2"}},
      {{"--order", "abc"}, kExitOk, err({orderUp}), {"Order: 2"}},
      {{"--bandwidth", ""}, kExitOk, err({widthUp}), {"Bandwidth: 1000 Hz"}},
      {{"--bandwidth", "-5k", "--order", "40"}, kExitOk, err({widthUp, orderDown}), {"Order: 11"}},
      {{"--start", "1k", "--stop", "500"}, kExitStopped, err({notAbove}), {}},
      {{"--start", "20M", "--stop", "30M"}, kExitStopped, err({stopDown, notBelow}), {}},
      {{"--family", "cauer"}, kExitUsage, "kestrolab-cli: unknown family 'cauer'", {}},
  };
  for (const auto& c : cases) {
    const RunResult run = RunDesign(c.args);
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    EXPECT_EQ(run.code, c.code);
    EXPECT_EQ(c.code == kExitUsage ? run.err.substr(0, c.err.size()) : run.err, c.err);
    EXPECT_EQ(run.out.empty(), c.outStarts.empty());
    for (const std::string& start : c.outStarts) {
      EXPECT_TRUE(std::any_of(run.lines.begin(), run.lines.end(),
                              [&](const std::string& line) { return line.starts_with(start); }))
          << start << " starts no line of:\n"
          << run.out;
    }
  }
  const RunResult none = RunCli({});
  EXPECT_EQ(
      std::tie(none.code, none.err, none.out),
      std::tuple(kExitUsage, "kestrolab-cli: no command given\nTry 'kestrolab-cli --help'.\n", ""));
  const RunResult help = RunCli({"design", "--help"});
  EXPECT_EQ(std::tie(help.code, help.err), std::tuple(kExitOk, ""));
  EXPECT_TRUE(help.out.starts_with("Usage: kestrolab-cli"));
}

TEST(TransientOption, ButterworthOvershootsAndWritesTheWaveFile) {
  ScratchFolder folder;
  const RunResult run = RunDesign(
      {"--family", "butterworth", "--order", "3", "--bandwidth", "1k", "--transient", "300"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  const float peak = ValueAfter(run.lines, "WavePeak: ");
  EXPECT_TRUE(peak > 1.0f && peak < 1.2f) << peak;
  EXPECT_EQ(After(run.lines, "Square wave: "), "300Hz");
  // Each component at n x 300 Hz with the third-order Butterworth gain -10 log10(1 + (f/fc)^6).
  int components = 0;
  for (const std::string& line : run.lines) {
    const std::size_t at = line.find(" Freq: ");
    if (at == std::string::npos)
      continue;
    const int n = line.starts_with("Fundamental:") ? 1 : std::atoi(line.c_str() + 10);
    char freq[16] = {};
    float db = 0, hz = 0;
    ASSERT_EQ(std::sscanf(line.c_str() + at, " Freq: %15s dB: %f", freq, &db), 2) << line;
    ReadEngValue(freq, hz);
    EXPECT_FLOAT_EQ(hz, 300.0f * static_cast<float>(n)) << line;
    EXPECT_NEAR(db, -10 * std::log10(1 + std::pow(0.3 * n, 6)), 0.01) << line;
    ++components;
  }
  EXPECT_EQ(components, 9);
  const Strings wave = SplitCrLf(FileText("KESTRO.TRAN"));
  ASSERT_EQ(wave.size(), 181u);
  float first = 0, last = 0;
  ReadEngValue(wave.front(), first);
  ReadEngValue(wave.back(), last);
  EXPECT_EQ(last, -first);
  EXPECT_LT(first, -0.5f);  // the output still lags the rising edge at t = 0
  const RunResult low = RunDesign({"--transient", "0"});
  EXPECT_EQ(low.code, kExitOk);
  EXPECT_NE(low.err.find("Squarewave has been reset to 1 Hz"), std::string::npos);
  EXPECT_EQ(After(low.lines, "Square wave: "), "1Hz");
}

TEST(SessionOptions, SaveThenOpenWithManualFamilyKeepsTheParts) {
  ScratchFolder folder;
  const auto fileLines = [](const char* name) { return SplitCrLf(FileText(name)); };
  const auto partLines = [&](const char* name) {  // the capacitor and resistor lines
    Strings parts;
    for (const std::string& line : fileLines(name)) {
      if ((line[0] == 'C' || line[0] == 'R') && line.find(',') == 2)
        parts.push_back(line);
    }
    return parts;
  };
  ASSERT_EQ(RunDesign({"--family", "chebyshev", "--order", "5", "--bandwidth", "2k", "--save",
                       "first.KST"})
                .code,
            kExitOk);
  const Strings designed = partLines("first.KST");
  ASSERT_EQ(designed.size(), 2u * 3 + 2u * 5);
  // Manual: the file's parts stay although the bandwidth option changes.
  RunResult run = RunDesign(
      {"--open", "FIRST.kst", "--family", "manual", "--bandwidth", "9k", "--save", "manual.KST"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_EQ(partLines("manual.KST"), designed);
  EXPECT_EQ(After(fileLines("manual.KST"), "Family: "), "4");
  // Without --family the file's own family designs again: same bandwidth, same parts.
  run = RunDesign({"--open", "first.KST", "--save", "again.KST"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_EQ(partLines("again.KST"), designed);
  EXPECT_EQ(After(fileLines("again.KST"), "Passband ripple: "), "1");
  // An option given with --open changes what the file held.
  run = RunDesign({"--open", "first.KST", "--order", "4", "--save", "first.KST"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  const Strings first = fileLines("first.KST");
  EXPECT_EQ(Strings({After(first, "Order: "), After(first, "Bandwidth: ")}),
            Strings({"4", "2000"}));
  EXPECT_EQ(folder.Entries(), Strings({"again.KST", "first.KST", "manual.KST"}));
}

TEST(SessionOptions, AnUnreadableOpenWritesNothing) {
  ScratchFolder folder;
  test::PutFile("bad.KST",
                "Fstart: 1\r\nFstop: 2\r\nNr of intervals: 0\r\nPlot dB top: 10\r\n"
                "Plot dB bottom: -50\r\nPlot Y intervals: 6\r\nPlot delay top: 1m\r\n"
                "Family: 1\r\nBandwidth: 1000\r\nPassband ripple: 0\r\nOrder: 24\r\n");
  for (const char* name : {"missing.KST", "bad.KST"}) {
    const RunResult run = RunDesign({"--open", name, "--save", "out.KST", "--save-plot"});
    EXPECT_EQ(run.code, kExitFile) << name;
    EXPECT_NE(run.err.find("The KESTRO file was not read correctly; defaults are being used"),
              std::string::npos);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(folder.Entries(), Strings{"bad.KST"});
}

// Capacitors that cannot be solved (here they would pass the single range) are no design: the
// message, exit code 1, no report and no file.
TEST(DesignRunTest, UnsolvedCapacitorsEndTheCommandWithoutFiles) {
  ScratchFolder folder;
  const RunResult run =
      RunDesign({"--family", "chebyshev", "--ripple", "20", "--order", "3", "--bandwidth", "1E-44",
                 "--save", "out.KST", "--spice", "out.ASC", "--save-plot"});
  EXPECT_EQ(
      std::tie(run.code, run.err, run.out),
      std::tuple(kExitStopped, "kestrolab-cli: We have an error in the ComputeCaps routine\n", ""));
  EXPECT_EQ(folder.Entries(), Strings{});
}

TEST(ExportOptions, WriteEveryFileOfTheDesign) {
  ScratchFolder folder;
  const RunResult run =
      RunDesign({"--order", "4", "--bandwidth", "1k", "--intervals", "10", "--tabulate-easy",
                 "easy.DAT", "--tabulate-sci", "sci.DAT", "--spice", "filter.ASC", "--save-plot"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  const struct {
    const char* name;
    std::size_t lines;
    const char* second;
  } files[] = {{"easy.DAT", 16, "Freq,      Gain,    Phase,    Delay,"},
               {"sci.DAT", 16, "Freq,          Gain,        Phase,         Delay,"},
               {"KSTdata.DB", 11, {}},
               {"KSTdata.PHS", 11, {}},
               {"KSTdata.DEL", 11, nullptr}};
  for (const auto& f : files) {
    const Strings lines = SplitCrLf(FileText(f.name));
    ASSERT_EQ(lines.size(), f.lines) << f.name;
    if (f.second != nullptr) {
      EXPECT_EQ(lines[1], f.second);
    }
  }
  const Strings gain = SplitCrLf(FileText("KSTdata.DB"));
  EXPECT_TRUE(gain.front().starts_with(" 1000 ") && gain.back().starts_with(" 10000 -"));
  const Strings spice = SplitCrLf(FileText("filter.ASC"));
  EXPECT_EQ(spice.front(), "Version 4");
  EXPECT_EQ(std::count(spice.begin(), spice.end(), "SYMATTR InstName U2"), 1);
}

TEST(ExportOptions, AFailedWriterEndsWithItsMessageAndCodeThree) {
  ScratchFolder folder;
  const RunResult run = RunDesign({"--spice", "no/folder/x.ASC", "--tabulate-sci", "ok.DAT"});
  EXPECT_EQ(run.code, kExitFile);
  EXPECT_NE(
      run.err.find("A problem was encountered and so the LTspice schematic file was not written"),
      std::string::npos);
  EXPECT_EQ(folder.Entries(), Strings{"ok.DAT"});
}

}  // namespace
}  // namespace kestro::cli
