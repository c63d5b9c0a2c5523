// SPDX-License-Identifier: GPL-3.0-or-later
// kestrolab-cli print, run as a program without a display, as scripts run it.
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>

#include "files/scratch_folder.h"

namespace kestro::cli {
namespace {

using Strings = std::vector<std::string>;

struct CliRun {
  int code = -1;
  std::string output;  // stdout and stderr
};

constexpr const char* kHidden = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";

// kestrolab-cli with no display and no Qt platform chosen, its output kept in a file; a run
// that hangs is ended after 60 seconds.
CliRun Cli(const std::string& arguments) {
  const int status = std::system(
      (std::string("timeout 60 ") + kHidden + KESTROLAB_CLI " " + arguments + " >cli.txt 2>&1")
          .c_str());
  return {WEXITSTATUS(status), test::FileText("cli.txt")};
}

// kestrolab-cli started in the background, its output discarded.
pid_t StartCli(const std::string& arguments) {
  const pid_t child = ::fork();
  if (child == 0) {
    const std::string command =
        std::string("exec ") + kHidden + KESTROLAB_CLI " " + arguments + " >/dev/null 2>&1";
    ::execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
    ::_exit(127);
  }
  return child;
}

// What pdfinfo reads in the file: its title and page count, "damaged" when it is no whole PDF.
std::string PdfTitleAndPages(const std::string& path) {
  if (std::system(("pdfinfo " + path + " >info.txt 2>&1").c_str()) != 0)
    return "damaged";
  const std::string info = test::FileText("info.txt");
  const auto field = [&info](const std::string& name) {
    const std::size_t start = info.find_first_not_of(' ', info.find(name + ":") + name.size() + 1);
    return info.substr(start, info.find('\n', start) - start);
  };
  return field("Title") + " " + field("Pages");
}

// The texts of an SVG file read with an XML parser, one per <text> element, and its view box;
// "malformed: ..." when the parser fails.
struct SvgContent {
  std::string texts;  // each text and a line end
  QSizeF box;
};
SvgContent ReadSvg(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly))
    return {"unreadable", {}};
  QXmlStreamReader xml(&file);
  SvgContent content;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement)
      continue;
    if (xml.name() == QLatin1String("svg")) {
      const auto box = xml.attributes().value("viewBox").split(' ');
      content.box = box.size() == 4 ? QSizeF(box[2].toDouble(), box[3].toDouble()) : QSizeF();
    } else if (xml.name() == QLatin1String("text")) {
      content.texts += xml.readElementText().toStdString() + "\n";
    }
  }
  if (xml.hasError())
    return {"malformed: " + xml.errorString().toStdString(), {}};
  return content;
}

class PrintCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("pdfinfo -v >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    ASSERT_EQ(Cli("design --order 4 --bandwidth 1k --save filter.KST").code, 0);
    ASSERT_EQ(Cli("design --intervals 2048 --save big.KST").code, 0);
  }
  test::ScratchFolder folder_;
};

TEST_F(PrintCommand, PrintsASessionFileIntoAPdfWithoutADisplay) {
  const CliRun plot = Cli("print plot --open filter.KST --pdf plot.pdf --phase --delay");
  EXPECT_EQ(plot.code, 0);
  EXPECT_EQ(plot.output, "");
  EXPECT_EQ(PdfTitleAndPages("plot.pdf"), "Plot 1");
  ASSERT_EQ(std::system("pdftotext plot.pdf plot.txt 2>/dev/null"), 0);
  const std::string text = test::FileText("plot.txt");
  for (const char* word : {"Gain, dB", "Delay:", "Phase:", "KestroLab"})
    EXPECT_NE(text.find(word), std::string::npos) << word << "\n" << text;
}

// Each sheet of one page as an SVG that an XML parser reads, with the sheet's own texts, and as
// a PNG of the asked size; a PNG of one given side keeps the drawing's proportions.
TEST_F(PrintCommand, PicturesOfEachSheetAreSvgAndPngFilesOfTheAskedSize) {
  const struct {
    const char* sheet;
    const char* text;
  } sheets[]{{"plot --phase", "Gain, dB\n"},
             {"schematic", "Output\n"},
             {"poles --grid", "Order: 4\n"},
             {"waves --transient 1k", "Transient Plot\n"}};
  for (const auto& sheet : sheets) {
    SCOPED_TRACE(sheet.sheet);
    const std::string print = std::string("print ") + sheet.sheet + " --open filter.KST ";
    ASSERT_EQ(Cli(print + "--svg x.svg").code, 0);
    const SvgContent svg = ReadSvg("x.svg");
    EXPECT_NE(svg.texts.find(sheet.text), std::string::npos) << svg.texts;
    ASSERT_EQ(Cli(print + "--png x.png --width 640 --height 480").code, 0);
    EXPECT_EQ(QImage("x.png").size(), QSize(640, 480));
    ASSERT_EQ(Cli(print + "--png y.png --width 500").code, 0);
    const QImage png("y.png");
    EXPECT_EQ(png.width(), 500);
    EXPECT_NEAR(png.height(), 500 * svg.box.height() / svg.box.width(), 1.0);
  }
}

// "-" reads the session from standard input and writes the PDF to standard output, alone.
TEST_F(PrintCommand, StandardStreamsCarryTheSessionAndThePdf) {
  const int status =
      std::system((std::string("timeout 60 ") + kHidden + KESTROLAB_CLI +
                   " print summary --open - --pdf - <filter.KST >piped.pdf 2>err.txt")
                      .c_str());
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(test::FileText("err.txt"), "");
  EXPECT_EQ(PdfTitleAndPages("piped.pdf"), "Summary 1");
  EXPECT_FALSE(std::filesystem::exists("-"));
  // A standard output that takes nothing is a failed write.
  const int full = std::system((std::string("timeout 60 ") + kHidden + KESTROLAB_CLI +
                                " print table --open filter.KST --pdf - >/dev/full 2>err.txt")
                                   .c_str());
  EXPECT_EQ(WEXITSTATUS(full), 3);
  EXPECT_EQ(test::FileText("err.txt"),
            "kestrolab-cli: The PDF could not be written to standard output\n");
}

TEST_F(PrintCommand, BadCommandLinesAndFailuresGiveTheirExitCodes) {
  ASSERT_EQ(::mkfifo("fifo.pdf", 0644), 0);
  std::filesystem::create_directory("folder.pdf");
  const struct {
    const char* arguments;
    int code;
    const char* message;
  } cases[]{
      {"print poster --open filter.KST --pdf x.pdf", 2, "unknown kind 'poster'"},
      {"print waves --open filter.KST --pdf x.pdf", 2, "print needs --transient"},
      {"print table --open filter.KST", 2, "print needs --pdf"},
      {"print table --open '' --pdf x.pdf", 2,
       "kestrolab-cli: option --open has an empty value; it needs FILE\n"},
      {"print table --open filter.KST --pdf=", 2,
       "kestrolab-cli: option --pdf has an empty value; it needs FILE\n"},
      {"print table --open missing.KST --pdf x.pdf", 3,
       "kestrolab-cli: cannot read missing.KST: no such file\n"},
      {"print summary --open filter.KST --pdf /nonexistent-folder/x.pdf", 3,
       "kestrolab-cli: The summary text file was not sent to the printer."},
      {"print schematic --open filter.KST --pdf /nonexistent-folder/x.pdf", 3,
       "kestrolab-cli: Printer Error: The document could not be started on "
       "/nonexistent-folder/x.pdf: no such folder.\n"},
      {"print plot --open filter.KST --pdf fifo.pdf", 3,
       "Printer Error: The document could not be started on fifo.pdf: not a regular file.\n"},
      {"print plot --open filter.KST --pdf folder.pdf", 3,
       "Printer Error: The document could not be started on folder.pdf: is a folder.\n"},
      {"print plot --open filter.KST --pdf /dev/full", 3,
       "Printer Error: The document could not be started on /dev/full: not a regular file.\n"},
      {"print plot --open filter.KST --pdf /dev/null", 3,
       "Printer Error: The document could not be started on /dev/null: not a regular file.\n"},
      {"print table --open filter.KST --svg x.svg", 2,
       "--svg draws one sheet: the plot, schematic, poles or waves\n"},
      {"print plot --open filter.KST --png x.png --svg x.svg", 2,
       "print writes one file: give one of --pdf, --svg and --png\n"},
      {"print plot --open filter.KST --svg x.svg --width 300", 2,
       "--width and --height size a --png picture\n"},
      {"print plot --open filter.KST --png x.png --height 8001", 2,
       "--height '8001' is not a whole number from 16 to 8000\n"},
      {"print plot --open filter.KST --svg /nonexistent-folder/x.svg", 3,
       "Picture Error: The picture could not be written to /nonexistent-folder/x.svg: no such "
       "folder.\n"},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli(c.arguments);
    EXPECT_EQ(run.code, c.code) << c.arguments;
    EXPECT_NE(run.output.find(c.message), std::string::npos) << c.arguments << "\n" << run.output;
  }
  EXPECT_EQ(folder_.Entries(),
            (Strings{"big.KST", "cli.txt", "fifo.pdf", "filter.KST", "folder.pdf"}));
}

// A print of 47 pages killed at random moments: the PDF is always the old one or the new one,
// whole, and no temporary file stays behind.
TEST_F(PrintCommand, AKilledPrintLeavesAWholePdfAndNoTemporaryFile) {
  ASSERT_EQ(Cli("print plot --open big.KST --pdf T.pdf").code, 0);
  std::srand(17);
  Strings seen;
  for (int round = 0; round < 16; ++round) {
    const pid_t child = StartCli("print table --open big.KST --pdf T.pdf");
    ::usleep(static_cast<useconds_t>(std::rand() % 900000));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    seen.push_back(PdfTitleAndPages("T.pdf"));
    EXPECT_TRUE(seen.back() == "Plot 1" || seen.back() == "Table 47") << seen.back();
    EXPECT_EQ(folder_.Entries(),
              (Strings{"T.pdf", "big.KST", "cli.txt", "filter.KST", "info.txt"}));
  }
}

// Two prints into one file at once, again and again: always one whole PDF of one of them.
TEST_F(PrintCommand, ConcurrentPrintsLeaveOneWholePdf) {
  for (int round = 0; round < 8; ++round) {
    const pid_t table = StartCli("print table --open big.KST --pdf both.pdf");
    const pid_t plot = StartCli("print plot --open big.KST --pdf both.pdf");
    int tableStatus = 0, plotStatus = 0;
    ::waitpid(table, &tableStatus, 0);
    ::waitpid(plot, &plotStatus, 0);
    EXPECT_EQ(tableStatus | plotStatus, 0);
    const std::string pdf = PdfTitleAndPages("both.pdf");
    EXPECT_TRUE(pdf == "Plot 1" || pdf == "Table 47") << pdf;
    const std::string bytes = test::FileText("both.pdf");
    EXPECT_EQ(bytes.find("%%EOF"), bytes.rfind("%%EOF")) << "two documents in one file";
  }
}

// On a full disk (a small file system of its own) the print fails with the reason and exit 3,
// and the old file stays whole. Skipped where the test may not mount one.
TEST_F(PrintCommand, AFullDiskFailsAndKeepsTheOldPdf) {
  std::filesystem::create_directory("disk");
  if (::unshare(CLONE_NEWNS) != 0 ||
      ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
      ::mount("tmpfs", "disk", "tmpfs", 0, "size=100k") != 0)
    GTEST_SKIP() << "cannot mount a small tmpfs here (needs root): errno " << errno;
  test::PutFile("disk/T.pdf", "old");
  const CliRun run = Cli("print table --open big.KST --pdf disk/T.pdf");
  Strings entries;
  for (const auto& entry : std::filesystem::directory_iterator("disk"))
    entries.push_back(entry.path().filename().string());
  const std::string old = test::FileText("disk/T.pdf");
  ::umount2("disk", MNT_DETACH);
  EXPECT_EQ(run.code, 3);
  EXPECT_EQ(run.output,
            "kestrolab-cli: Printer Error: The document could not be written to disk/T.pdf: no "
            "space left on the device.\n");
  EXPECT_EQ(old, "old");
  EXPECT_EQ(entries, Strings{"T.pdf"});
}

}  // namespace
}  // namespace kestro::cli
