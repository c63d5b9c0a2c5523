// kestrolab-cli as a script runs it: the report, the exit codes, the messages and the files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "cli/cli_test_context.h"
#include "core/eng_value.h"
#include "files/scratch_folder.h"

namespace kestro::cli {
namespace {

using test::FileText;
using test::ScratchFolder;
using test::SplitCrLf;

// The number after the first line that starts with key, read as the program reads it.
float ValueAfter(const Strings& lines, const std::string& key) {
  const auto line = std::find_if(lines.begin(), lines.end(),
                                 [&key](const std::string& l) { return l.starts_with(key); });
  float value = NAN;
  if (line != lines.end())
    ReadEngValue(line->substr(key.size()), value);
  return value;
}

// The options reach the design and the sweep: 100 Hz to 100 kHz in 30 intervals puts point 10
// on 1 kHz, the 3 dB point 10 log10(2) of the Butterworth filter.
TEST(CliRun, ButterworthThirdOrderAtOneKilohertz) {
  const CliRun run = RunDesignCommand({"--order", "3", "--bandwidth", "1000", "--start", "100",
                                       "--stop", "100k", "--intervals", "30", "--response"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NEAR(ValueAfter(run.lines, "  C2 = "), 12.01e-9, 12.01e-12);  // the reference part
  const auto points = Table(run.out, "# frequency_Hz");
  ASSERT_EQ(points.size(), 31u);
  EXPECT_EQ(points[0][0], 100);
  EXPECT_NEAR(points[30][0], 100000, 0.1);
  EXPECT_NEAR(points[10][1], -3.0103, 0.005);
}

// Repairs go on with one prefixed line each in stderr, in the order of the fields; an empty
// sweep stops with no report; an unusable command line ends in the usage code.
TEST(CliRun, CommandLinesEndInTheirCodeAndMessages) {
  const struct {
    Strings args;
    int code;
    std::string err;
    const char* reported;  // a line of the report; "": no report
  } cases[] = {
      {{"design", "--family", "bessel", "--order", "11"},
       kExitOk,
       "kestrolab-cli: Bessel family; order reset to 10\n",
       "Order: 10"},
      {{"design", "--bandwidth", "-5k", "--order", "abc", "--intervals", "3"},
       kExitOk,
       "kestrolab-cli: The filter bandwidth has been reset upward to 1 KHz\n"
       "kestrolab-cli: The order has been reset upward to 2\n"
       "kestrolab-cli: Number of test frequencies has been reset upward to 10\n",
       "Bandwidth: 1000 Hz"},
      {{"design", "--start", "1k", "--stop", "500"},
       kExitStopped,
       "kestrolab-cli: Please enter an analysis stopping frequency\ngreater than the starting "
       "frequency\n",
       ""},
      {{}, kExitUsage, "kestrolab-cli: no command given\nTry 'kestrolab-cli --help'.\n", ""},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCli(c.args);
    EXPECT_EQ(run.code, c.code) << run.err;
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(std::count(run.lines.begin(), run.lines.end(), c.reported), *c.reported ? 1 : 0);
    EXPECT_EQ(run.out.empty(), !*c.reported);
  }
  const CliRun help = RunCli({"design", "--help"});
  EXPECT_EQ(help.code, kExitOk);
  EXPECT_TRUE(help.out.starts_with("Usage: kestrolab-cli"));
}

// The square wave's nine components and its peak are reported, the wave written to its file;
// a frequency too low is repaired with its message.
TEST(CliRun, TransientReportsTheComponentsAndWritesTheWaveFile) {
  ScratchFolder folder;
  const CliRun run = RunDesignCommand({"--order", "3", "--bandwidth", "1k", "--transient", "300"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_EQ(std::count_if(run.lines.begin(), run.lines.end(),
                          [](const std::string& line) { return line.find(" dB: ") != line.npos; }),
            9);
  const float peak = ValueAfter(run.lines, "WavePeak: ");
  EXPECT_TRUE(peak > 1.0f && peak < 1.2f) << peak;  // the overshoot of order 3
  EXPECT_EQ(SplitCrLf(FileText("KESTRO.TRAN")).size(), 181u);
  const CliRun low = RunDesignCommand({"--transient", "0"});
  EXPECT_EQ(low.err, "kestrolab-cli: Squarewave has been reset to 1 Hz\n");
  EXPECT_EQ(std::count(low.lines.begin(), low.lines.end(), "Square wave: 1Hz"), 1) << low.out;
}

// The capacitor and resistor lines of a session file.
Strings PartLines(const char* name) {
  Strings parts;
  for (const std::string& line : SplitCrLf(FileText(name))) {
    if ((line[0] == 'C' || line[0] == 'R') && line.find(',') == 2)
      parts.push_back(line);
  }
  return parts;
}

// A manual design keeps the file's parts whatever the options; otherwise the file's family
// designs again, and an option given with --open changes what the file held.
TEST(CliRun, SaveThenOpenWithManualFamilyKeepsTheParts) {
  ScratchFolder folder;
  ASSERT_EQ(RunDesignCommand({"--family", "chebyshev", "--order", "5", "--bandwidth", "2k",
                              "--save", "first.KST"})
                .code,
            kExitOk);
  const Strings designed = PartLines("first.KST");
  ASSERT_EQ(designed.size(), 2u * 3 + 2u * 5);
  for (const Strings& args : {Strings{"--open", "FIRST.kst", "--family", "manual", "--bandwidth",
                                      "9k", "--save", "again.KST"},
                              Strings{"--open", "first.KST", "--save", "again.KST"}}) {
    ASSERT_EQ(RunDesignCommand(args).code, kExitOk) << args[3];
    EXPECT_EQ(PartLines("again.KST"), designed) << args[3];
  }
  ASSERT_EQ(RunDesignCommand({"--open", "first.KST", "--order", "4", "--save", "first.KST"}).code,
            kExitOk);
  const Strings first = SplitCrLf(FileText("first.KST"));
  EXPECT_EQ(ValueAfter(first, "Order: "), 4);
  EXPECT_EQ(ValueAfter(first, "Bandwidth: "), 2000);
  EXPECT_EQ(folder.Entries(), (Strings{"again.KST", "first.KST"}));
}

// Every file option writes its file; a failed open, unsolvable capacitors and a failed writer
// end with their one message and code, and nothing is written after a failure.
TEST(CliRun, FilesAreWrittenOrTheFailureEndsTheRun) {
  {
    ScratchFolder written;
    ASSERT_EQ(RunDesignCommand({"--tabulate-easy", "easy.DAT", "--tabulate-sci", "sci.DAT",
                                "--spice", "filter.ASC", "--save-plot", "--save", "s.KST"})
                  .code,
              kExitOk);
    EXPECT_EQ(written.Entries(), (Strings{"KSTdata.DB", "KSTdata.DEL", "KSTdata.PHS", "easy.DAT",
                                          "filter.ASC", "s.KST", "sci.DAT"}));
  }
  ScratchFolder folder;
  test::PutFile("bad.KST",
                "Fstart: 1\r\nFstop: 2\r\nNr of intervals: 0\r\nPlot dB top: 10\r\n"
                "Plot dB bottom: -50\r\nPlot Y intervals: 6\r\nPlot delay top: 1m\r\n"
                "Family: 1\r\nBandwidth: 1000\r\nPassband ripple: 0\r\nOrder: 24\r\n");
  const char* unread = "The KESTRO file was not read correctly; defaults are being used";
  const struct {
    Strings args;
    int code;
    const char* message;
    bool report;
  } cases[] = {
      {{"--open", "missing.KST", "--save", "out.KST"}, kExitFile, unread, false},
      {{"--open", "bad.KST", "--save", "out.KST", "--save-plot"}, kExitFile, unread, false},
      {{"--family", "chebyshev", "--ripple", "20", "--order", "3", "--bandwidth", "1E-44", "--save",
        "out.KST", "--spice", "out.ASC", "--save-plot"},
       kExitStopped,
       "We have an error in the ComputeCaps routine",
       false},
      {{"--spice", "no/folder/x.ASC", "--tabulate-sci", "ok.DAT"},
       kExitFile,
       "A problem was encountered and so the LTspice schematic file was not written",
       true},
  };
  for (const auto& c : cases) {
    const CliRun run = RunDesignCommand(c.args);
    EXPECT_EQ(run.code, c.code) << c.message;
    EXPECT_EQ(run.err, std::string("kestrolab-cli: ") + c.message + "\n");
    EXPECT_EQ(run.out.starts_with("Family: "), c.report) << run.out;
  }
  EXPECT_EQ(folder.Entries(), (Strings{"bad.KST", "ok.DAT"}));
}

}  // namespace
}  // namespace kestro::cli
