// kestrolab-cli print, run as a program without a display, as scripts run it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "files/scratch_folder.h"

namespace kestro::cli {
namespace {

struct CliRun {
  int code = -1;
  std::string output;  // stdout and stderr
};

// kestrolab-cli with no display and no Qt platform chosen, its output kept in a file.
CliRun Cli(const std::string& arguments) {
  const int status =
      std::system(("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " KESTROLAB_CLI " " +
                   arguments + " >cli.txt 2>&1")
                      .c_str());
  return {WEXITSTATUS(status), test::FileText("cli.txt")};
}

TEST(PrintCommand, PrintsASessionFileIntoAPdfWithoutADisplay) {
  test::ScratchFolder folder;
  ASSERT_EQ(Cli("design --order 4 --bandwidth 1k --save filter.KST").code, 0);
  const CliRun plot = Cli("print plot --open filter.KST --pdf plot.pdf --phase --delay");
  EXPECT_EQ(plot.code, 0);
  EXPECT_EQ(plot.output, "");
  ASSERT_TRUE(std::filesystem::exists("plot.pdf"));
  const std::string text =
      std::system("pdftotext plot.pdf plot.txt 2>/dev/null") == 0 ? test::FileText("plot.txt") : "";
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
