#include "cli/file_options.h"

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

struct CliRun {
  int code = -1;
  std::string out;
  std::string err;
};

CliRun Cli(std::vector<std::string> args) {
  std::ostringstream out, err;
  StderrDialogs dialogs(err, false);
  CliRun run;
  run.code = RunCommandLine(args, out, err, dialogs);
  run.out = out.str();
  run.err = err.str();
  return run;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

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
  const CliRun run = Cli({"design", "--family", "butterworth", "--order", "3", "--bandwidth", "1k",
                          "--transient", "300"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  const std::vector<std::string> out = Lines(run.out);
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
  const CliRun run = Cli({"design", "--transient", "0"});
  EXPECT_EQ(run.code, kExitOk);
  EXPECT_NE(run.err.find("Squarewave has been reset to 1 Hz"), std::string::npos);
  EXPECT_EQ(ValueOf(Lines(run.out), "Square wave: "), "1Hz");
}

TEST(SessionOptions, SaveThenOpenWithManualFamilyKeepsTheParts) {
  ScratchFolder folder;
  ASSERT_EQ(Cli({"design", "--family", "chebyshev", "--order", "5", "--bandwidth", "2k", "--save",
                 "first.KST"})
                .code,
            kExitOk);
  const std::vector<std::string> designed = PartLines("first.KST");
  ASSERT_EQ(designed.size(), 2u * 3 + 2u * 5);
  // Manual: the file's parts stay although the bandwidth option changes.
  CliRun run = Cli({"design", "--open", "FIRST.kst", "--family", "manual", "--bandwidth", "9k",
                    "--save", "manual.KST"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_EQ(PartLines("manual.KST"), designed);
  EXPECT_EQ(ValueOf(SplitCrLf(FileText("manual.KST")), "Family: "), "4");
  // Without --family the file's own family designs again: same bandwidth, same parts.
  run = Cli({"design", "--open", "first.KST", "--save", "again.KST"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_EQ(PartLines("again.KST"), designed);
  EXPECT_EQ(ValueOf(SplitCrLf(FileText("again.KST")), "Passband ripple: "), "1");
  // An option given with --open changes what the file held.
  run = Cli({"design", "--open", "first.KST", "--order", "4", "--save", "first.KST"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_EQ(ValueOf(SplitCrLf(FileText("first.KST")), "Order: "), "4");
  EXPECT_EQ(ValueOf(SplitCrLf(FileText("first.KST")), "Bandwidth: "), "2000");
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"again.KST", "first.KST", "manual.KST"}));
}

TEST(SessionOptions, AnUnreadableOpenWritesNothing) {
  ScratchFolder folder;
  test::PutFile("bad.KST", "Fstart: 1\r\nFstop: 2\r\nNr of intervals: 0\r\n");
  for (const char* name : {"missing.KST", "bad.KST"}) {
    const CliRun run = Cli({"design", "--open", name, "--save", "out.KST", "--save-plot"});
    EXPECT_EQ(run.code, kExitFile) << name;
    EXPECT_NE(run.err.find("The KESTRO file was not read correctly; defaults are being used"),
              std::string::npos);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"bad.KST"});
}

TEST(ExportOptions, WriteEveryFileOfTheDesign) {
  ScratchFolder folder;
  const CliRun run =
      Cli({"design", "--order", "4", "--bandwidth", "1k", "--intervals", "10", "--tabulate-easy",
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
  const CliRun run = Cli({"design", "--spice", "no/folder/x.ASC", "--tabulate-sci", "ok.DAT"});
  EXPECT_EQ(run.code, kExitFile);
  EXPECT_NE(run.err.find("A problem was encountered and so the LTspice schematic file was not "
                         "written"),
            std::string::npos);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"ok.DAT"});
}

TEST(FileOptionsHelp, EveryOptionIsDocumented) {
  const CliRun run = Cli({"--help"});
  for (const char* option :
       {"--open FILE", "--save FILE", "--tabulate-easy FILE", "--tabulate-sci FILE", "--spice FILE",
        "--save-plot", "--transient FREQ", "manual"}) {
    EXPECT_NE(run.out.find(option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace kestro::cli
