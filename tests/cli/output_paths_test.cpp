// SPDX-License-Identifier: GPL-3.0-or-later
// Where a run's files go: "-" for standard output and input, --out-dir for a folder of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/cli_test_context.h"
#include "files/scratch_folder.h"

namespace kestro::cli {
namespace {

using test::FileText;
using test::ScratchFolder;

// A run that reads input as its standard input.
CliRun RunWithInput(const std::string& input, const std::string& arguments) {
  std::istringstream in(input);
  std::streambuf* const previous = std::cin.rdbuf(in.rdbuf());
  CliRun run = RunCli(arguments);
  std::cin.rdbuf(previous);
  return run;
}

// "-" puts on standard output exactly the bytes the option writes to a file, and nothing else;
// no file named "-" appears.
TEST(OutputPaths, DashWritesTheFileToStandardOutput) {
  ScratchFolder folder;
  for (const char* option : {"--tabulate-easy", "--tabulate-sci", "--spice", "--netlist"}) {
    SCOPED_TRACE(option);
    const std::string design = "design --order 5 --bandwidth 2k --intervals 30 ";
    ASSERT_EQ(RunCli(design + option + " file.txt").code, kExitOk);
    const CliRun run = RunCli(design + option + " -");
    EXPECT_EQ(run.code, kExitOk);
    EXPECT_EQ(run.err, "");
    EXPECT_FALSE(FileText("file.txt").empty());
    EXPECT_EQ(run.out, FileText("file.txt"));
    EXPECT_EQ(folder.Entries(), Strings{"file.txt"});
  }
}

// A session written to standard output and read from standard input designs what the same
// session through a file does.
TEST(OutputPaths, SessionThroughStandardOutputAndInput) {
  ScratchFolder folder;
  const std::string design = "design --family chebyshev --order 6 --ripple 0.5 --bandwidth 3k ";
  const CliRun saved = RunCli(design + "--save -");
  ASSERT_EQ(saved.code, kExitOk);
  ASSERT_EQ(RunCli(design + "--save s.KST").code, kExitOk);
  EXPECT_EQ(folder.Entries(), Strings{"s.KST"});
  const std::string reopen = " --family manual --format json --response --intervals 20";
  const CliRun piped = RunWithInput(saved.out, "design --open -" + reopen);
  ASSERT_EQ(piped.code, kExitOk) << piped.err;
  EXPECT_EQ(piped.out, RunCli("design --open s.KST" + reopen).out);
  EXPECT_NE(piped.out.find("\"order\": 6"), std::string::npos);
}

// Two runs with their own folders write the same fixed names side by side, each its own design;
// nothing lands in the working folder.
TEST(OutputPaths, OutDirKeepsParallelRunsApart) {
  ScratchFolder folder;
  const std::string files = " --save-plot --transient 300 --save s.KST --netlist n.cir";
  const Strings written{"KESTRO.TRAN", "KSTdata.DB", "KSTdata.DEL",
                        "KSTdata.PHS", "n.cir",      "s.KST"};
  for (const auto& [dir, order] : {std::pair{"a", 3}, std::pair{"b", 6}}) {
    std::filesystem::create_directory(dir);
    const CliRun run = RunCli("design --out-dir " + std::string(dir) + " --order " +
                              std::to_string(order) + files);
    ASSERT_EQ(run.code, kExitOk) << run.err;
  }
  EXPECT_EQ(folder.Entries(), (Strings{"a", "b"}));
  for (const char* dir : {"a", "b"}) {
    Strings entries;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
      entries.push_back(entry.path().filename().string());
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, written) << dir;
  }
  const auto opamps = [](const std::string& netlist) {
    const std::string text = FileText(netlist);
    return std::count(text.begin(), text.end(), 'X');
  };
  EXPECT_EQ(opamps("a/n.cir"), 1);
  EXPECT_EQ(opamps("b/n.cir"), 3);
  EXPECT_NE(FileText("a/KESTRO.TRAN"), FileText("b/KESTRO.TRAN"));
  EXPECT_NE(FileText("a/KSTdata.DB"), FileText("b/KSTdata.DB"));
}

}  // namespace
}  // namespace kestro::cli
