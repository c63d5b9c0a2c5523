// kestrolab-cli print, run as a program without a display, as scripts run it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "files/scratch_folder.h"

namespace kestro::cli {
namespace {

struct CliRun {
  int code = -1;
  std::string output;  // stdout and stderr
};

CliRun Shell(const std::string& command) {
  CliRun run;
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[512];
  while (pipe != nullptr && fgets(buffer, sizeof buffer, pipe) != nullptr)
    run.output += buffer;
  const int status = pipe != nullptr ? pclose(pipe) : -1;
  run.code = WEXITSTATUS(status);
  return run;
}

// kestrolab-cli with no display and no Qt platform chosen.
CliRun Cli(const std::string& arguments) {
  return Shell(std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ") +
               KESTROLAB_CLI + " " + arguments + " 2>&1");
}

TEST(PrintCommand, PrintsASessionFileIntoAPdfWithoutADisplay) {
  test::ScratchFolder folder;
  ASSERT_EQ(Cli("design --order 4 --bandwidth 1k --save filter.KST").code, 0);
  const CliRun plot = Cli("print plot --open filter.KST --pdf plot.pdf --phase --delay");
  EXPECT_EQ(plot.code, 0);
  EXPECT_EQ(plot.output, "");
  ASSERT_TRUE(std::filesystem::exists("plot.pdf"));
  const std::string text = Shell("pdftotext plot.pdf - 2>/dev/null").output;
  if (text.empty())
    GTEST_SKIP() << "pdftotext is not installed";
  for (const char* word : {"Gain, dB", "Delay:", "Phase:", "KestroLab"})
    EXPECT_NE(text.find(word), std::string::npos) << word << "\n" << text;
}

TEST(PrintCommand, BadCommandLinesAndFailuresGiveTheirExitCodes) {
  test::ScratchFolder folder;
  ASSERT_EQ(Cli("design --save filter.KST").code, 0);
  const struct {
    const char* arguments;
    int code;
    const char* message;
  } cases[]{
      {"print poster --open filter.KST --pdf x.pdf", 2, "unknown kind 'poster'"},
      {"print waves --open filter.KST --pdf x.pdf", 2, "print needs --transient"},
      {"print table --open filter.KST", 2, "print needs --pdf"},
      {"print summary --open filter.KST --pdf /nonexistent-folder/x.pdf", 3,
       "kestrolab-cli: The summary text file was not sent to the printer."},
      {"print schematic --open filter.KST --pdf /nonexistent-folder/x.pdf", 3,
       "kestrolab-cli: Printer Error: The document could not be started on "
       "/nonexistent-folder/x.pdf."},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli(c.arguments);
    EXPECT_EQ(run.code, c.code) << c.arguments;
    EXPECT_NE(run.output.find(c.message), std::string::npos) << c.arguments << "\n" << run.output;
  }
}

}  // namespace
}  // namespace kestro::cli
