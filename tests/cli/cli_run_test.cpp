// SPDX-License-Identifier: GPL-3.0-or-later
// kestrolab-cli as a script runs it: the report, the exit codes, the messages and the files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/cli_test_context.h"
#include "files/scratch_folder.h"

namespace kestro::cli {
namespace {

using test::FileText;
using test::ScratchFolder;
using test::SplitCrLf;

// Repairs go on with one prefixed line each in stderr, in the order of the fields; an empty
// sweep stops with no report; an unusable command line or option value ends in the usage code
// before anything runs.
TEST(CliRun, CommandLinesEndInTheirCodeAndMessages) {
  const std::string stopNotAbove =
      "Please enter an analysis stopping frequency\ngreater than the starting frequency";
  const std::tuple<const char*, int, std::string, const char*> cases[] = {
      // arguments, exit code, stderr, a line of the report ("": no report)
      {"design --family bessel --order 11", kExitOk,
       "kestrolab-cli: Bessel family; order reset to 10\n", "Order: 10"},
      {"design --bandwidth -5k --order abc --intervals 3", kExitOk,
       "kestrolab-cli: The filter bandwidth has been reset upward to 1 KHz\n"
       "kestrolab-cli: The order has been reset upward to 2\n"
       "kestrolab-cli: Number of test frequencies has been reset upward to 10\n",
       "Bandwidth: 1000 Hz"},
      {"design --start 1k --stop 500", kExitStopped, "kestrolab-cli: " + stopNotAbove + "\n", ""},
      {"--help", kExitOk, "", "Usage: kestrolab-cli COMMAND [OPTIONS]"},
      {"design --help", kExitOk, "", "Usage: kestrolab-cli design [OPTIONS]"},
      {"print --help", kExitOk, "", "Usage: kestrolab-cli print KIND [OPTIONS]"},
      {"--version", kExitOk, "", "kestrolab-cli " KESTRO_VERSION},
      // --strict: the repair's message, then the usage code before any report
      {"design --order 12 --strict", kExitUsage,
       "kestrolab-cli: The order has been reset downward to 11\n", ""},
      {"design --bandwidth 4k7 --strict", kExitUsage,
       "kestrolab-cli: --bandwidth 4k7 reads as 4k: '7' after the prefix letter was ignored\n", ""},
      {"design --order 3 --strict --limit floor,20M,-3", kExitUsage,
       "kestrolab-cli: --limit floor,20M,-3: 2E+07 Hz lies beyond the analysed sweep; the limit "
       "is placed at 10000 Hz.\n",
       ""},
      {"design --order 3 --strict --transient 0 --save s.KST", kExitUsage,
       "kestrolab-cli: Squarewave has been reset to 1 Hz\n", ""},
      {"design --order 4 --strict", kExitOk, "", "Order: 4"},
      // standard output takes one document
      {"design --save - --tabulate-sci -", kExitUsage,
       "kestrolab-cli: --save - and --tabulate-sci - cannot both go to standard output\n"
       "Try 'kestrolab-cli design --help'.\n",
       ""},
      {"design --format json --netlist -", kExitUsage,
       "kestrolab-cli: --netlist - and --format json cannot both go to standard output\n"
       "Try 'kestrolab-cli design --help'.\n",
       ""},
      {"design --response --spice -", kExitUsage,
       "kestrolab-cli: --spice - and the report of --response cannot both go to standard "
       "output\nTry 'kestrolab-cli design --help'.\n",
       ""},
      {"design --out-dir missing --save-plot", kExitFile,
       "kestrolab-cli: cannot use --out-dir missing: no such folder\n", ""},
      {"", kExitUsage, "kestrolab-cli: no command given\nTry 'kestrolab-cli --help'.\n", ""},
      {"design --passes 0", kExitUsage,
       "kestrolab-cli: --passes '0' is not a whole number from 1 to 32767\n", ""},
      {"design --seed -1", kExitUsage,
       "kestrolab-cli: --seed '-1' is not a whole number from 0 to 4294967295\n", ""},
      {"design --limit wall,1k,-3", kExitUsage,
       "kestrolab-cli: --limit 'wall,1k,-3': unknown shape 'wall' (choose one of: floor, "
       "ceiling-up, ceiling-dc, or 1, 2, 4)\n",
       ""},
  };
  ScratchFolder folder;
  for (const auto& [arguments, code, err, reported] : cases) {
    SCOPED_TRACE(testing::Message() << "'" << arguments << "'");
    const CliRun run = RunCli(arguments);
    EXPECT_EQ(run.code, code);
    EXPECT_EQ(run.err, err);
    EXPECT_EQ(std::count(run.lines.begin(), run.lines.end(), reported), *reported ? 1 : 0);
    EXPECT_EQ(run.out.empty(), !*reported);
  }
  EXPECT_TRUE(folder.Entries().empty()) << "a refused run wrote a file";
}

// The square wave's nine components are reported, the wave written to its file.
TEST(CliRun, TransientReportsTheComponentsAndWritesTheWaveFile) {
  ScratchFolder folder;
  const CliRun run = RunDesignCommand("--order 3 --bandwidth 1k --transient 300");
  ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_EQ(std::count_if(run.lines.begin(), run.lines.end(),
                          [](const std::string& line) { return line.find(" dB: ") != line.npos; }),
            9);
  EXPECT_EQ(SplitCrLf(FileText("KESTRO.TRAN")).size(), 181u);
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
  ASSERT_EQ(RunDesignCommand("--family chebyshev --order 5 --bandwidth 2k --save first.KST").code,
            kExitOk);
  const Strings designed = PartLines("first.KST");
  ASSERT_EQ(designed.size(), 2u * 3 + 2u * 5);
  for (const char* options : {"--open FIRST.kst --family manual --bandwidth 9k --save again.KST",
                              "--open first.KST --save again.KST"}) {
    ASSERT_EQ(RunDesignCommand(options).code, kExitOk) << options;
    EXPECT_EQ(PartLines("again.KST"), designed) << options;
  }
  ASSERT_EQ(RunDesignCommand("--open first.KST --order 4 --save first.KST").code, kExitOk);
  const Strings first = SplitCrLf(FileText("first.KST"));
  for (const char* line : {"Bandwidth: 2000", "Order: 4"})
    EXPECT_EQ(std::ranges::count(first, line), 1) << line;
  EXPECT_EQ(folder.Entries(), (Strings{"again.KST", "first.KST"}));
}

// A value of the opened file held at the reader's bound is named on stderr; --strict refuses it
// as any other repair, with nothing written.
TEST(CliRun, AValueLimitedOnReadingIsNamedAndRefusedUnderStrict) {
  ScratchFolder folder;
  ASSERT_EQ(RunDesignCommand("--order 4 --save first.KST").code, kExitOk);
  Strings lines = SplitCrLf(FileText("first.KST"));
  const auto c12 =
      std::ranges::find_if(lines, [](const std::string& l) { return l.starts_with("C1,2: "); });
  ASSERT_NE(c12, lines.end());
  *c12 = "C1,2: 1E+12";
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  test::PutFile("big.KST", text);
  const std::string notice =
      "kestrolab-cli: The value of C1,2 in the KESTRO file has been reset downward from 1E+12 "
      "to 1E+10\n";
  const CliRun kept = RunDesignCommand("--open big.KST --family manual --save out.KST");
  EXPECT_EQ(kept.code, kExitOk);
  EXPECT_EQ(kept.err, notice);
  EXPECT_EQ(std::ranges::count(SplitCrLf(FileText("out.KST")), "C1,2: 1E+10"), 1);
  std::filesystem::remove("out.KST");
  const CliRun refused = RunDesignCommand("--open big.KST --family manual --strict --save out.KST");
  EXPECT_EQ(refused.code, kExitUsage);
  EXPECT_EQ(refused.err, notice);
  EXPECT_EQ(folder.Entries(), (Strings{"big.KST", "first.KST"}));
}

// Every file option writes its file; a failed open, unsolvable capacitors and a failed writer
// end with their one message and code. A run that fails writes nothing: every output stays as it
// was, the three overlay files included.
TEST(CliRun, FilesAreWrittenOrTheFailureEndsTheRun) {
  {
    ScratchFolder written;
    ASSERT_EQ(RunDesignCommand("--tabulate-easy easy.DAT --tabulate-sci sci.DAT --spice filter.ASC "
                               "--save-plot --save s.KST")
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
  for (const char* name : {"t.DAT", "KSTdata.DB", "KSTdata.DEL"})
    test::PutFile(name, "old");
  std::filesystem::create_directory("KSTdata.PHS");
  std::filesystem::create_directory("folder.KST");
  const std::tuple<const char*, int, std::string> cases[] = {
      {"--open missing.KST --save out.KST", kExitFile, "cannot read missing.KST: no such file"},
      {"--open folder.KST --save out.KST", kExitFile, "cannot read folder.KST: is a folder"},
      {"--open bad.KST --save out.KST", kExitFile,
       "cannot read bad.KST: damaged, or not a session file"},
      {"--family chebyshev --ripple 20 --order 3 --bandwidth 1E-44 --save out.KST --spice out.ASC",
       kExitStopped, "We have an error in the ComputeCaps routine"},
      {"--spice no/folder/x.ASC --tabulate-sci t.DAT", kExitFile,
       "A problem was encountered and so the LTspice schematic file was not written"},
      {"--save nodir/x.KST --tabulate-sci t.DAT --spice s.ASC --save-plot --transient 1k",
       kExitFile,
       "The KESTRO file was problematic and not written\n"
       "kestrolab-cli: We are unable to write an overlay file"},
  };
  for (const auto& [options, code, message] : cases) {
    SCOPED_TRACE(options);
    const CliRun run = RunDesignCommand(options);
    EXPECT_EQ(run.code, code);
    EXPECT_EQ(run.err, "kestrolab-cli: " + message + "\n");
    const bool afterTheReport = code == kExitFile && !message.starts_with("cannot read");
    EXPECT_EQ(run.out.starts_with("Family: "), afterTheReport);
  }
  EXPECT_EQ(folder.Entries(), (Strings{"KSTdata.DB", "KSTdata.DEL", "KSTdata.PHS", "bad.KST",
                                       "folder.KST", "t.DAT"}));
  for (const char* name : {"t.DAT", "KSTdata.DB", "KSTdata.DEL"})
    EXPECT_EQ(FileText(name), "old") << name;
}

// An empty file name or value is a usage error, given as a word of its own or after '='.
TEST(CliRun, EmptyValuesAreUsageErrors) {
  ScratchFolder folder;
  const Strings cases[] = {{"design", "--save", ""},      {"design", "--open="},
                           {"design", "--bandwidth", ""}, {"design", "--limit="},
                           {"design", "--transient", ""}, {"design", "--tabulate-sci="}};
  for (const Strings& args : cases) {
    SCOPED_TRACE(args[1]);
    std::ostringstream out, err;
    StderrDialogs dialogs(err, false);
    EXPECT_EQ(RunCommandLine(args, out, err, dialogs), kExitUsage);
    const std::string name = args[1].substr(0, args[1].find('='));
    EXPECT_TRUE(err.str().starts_with("kestrolab-cli: option " + name + " has an empty value"))
        << err.str();
    EXPECT_EQ(out.str(), "");
  }
  EXPECT_EQ(folder.Entries(), Strings{});
}

}  // namespace
}  // namespace kestro::cli
