// The sheets printed into PDF files through Qt and read back with poppler's pdfinfo, pdftotext
// and pdftoppm, in the coordinates of the PDF.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPrinter>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "files/scratch_folder.h"
#include "platform/qt/qt_print_device.h"
#include "views/print_plot.h"
#include "views/print_schematic.h"
#include "views/print_summary.h"
#include "views/print_tabulated.h"
#include "views/print_test_record.h"

namespace kestro {
namespace {

using test::ScratchFolder;
using test::ScriptedDialogs;
using Strings = std::vector<std::string>;

// The one application of the test program, offscreen; never destroyed.
[[maybe_unused]] const QGuiApplication* const kApplication = [] {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "printouts_pdf_test";
  static char* argv[] = {name, nullptr};
  return new QGuiApplication(argc, argv);
}();

std::string Output(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[4096];
  while (pipe != nullptr && fgets(buffer, sizeof buffer, pipe) != nullptr)
    output += buffer;
  if (pipe != nullptr)
    pclose(pipe);
  return output;
}

bool PopplerMissing() {
  return Output("for p in pdftotext pdfinfo pdftoppm; do command -v $p; done | wc -l") != "3\n";
}

// Prints one sheet with the given printout into sheet.pdf of the current folder.
template <typename Printout>
void PrintPdf(Printout printout) {
  const auto device = QtPrintDevice::ToPdf("sheet.pdf");
  ScriptedDialogs dialogs;
  ASSERT_TRUE(printout(*device, dialogs)) << testing::PrintToString(dialogs.Texts());
}

// The text of each page, laid out.
Strings PageTexts() {
  Strings pages;
  std::istringstream text(Output("pdftotext -layout sheet.pdf -"));
  for (std::string page; std::getline(text, page, '\f');)
    pages.push_back(page);
  return pages;
}

// Every word with the top of its box, in points from the top of the page.
std::multimap<std::string, double> WordTops() {
  const std::string html = Output("pdftotext -bbox sheet.pdf -");
  const std::regex word(R"rx(<word xMin="[\d.]+" yMin="([\d.]+)"[^>]*>([^<]*)</word>)rx");
  std::multimap<std::string, double> words;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), word); it != std::sregex_iterator();
       ++it) {
    words.emplace((*it)[2].str(), std::stod((*it)[1].str()));
  }
  return words;
}

std::string PdfInfo(const std::string& field) {
  const std::string info = Output("pdfinfo sheet.pdf");
  const std::size_t at = info.find(field + ":");
  return at == std::string::npos ? "" : info.substr(at, info.find('\n', at) - at);
}

int RowsOf(const std::string& page) {
  static const std::regex row(R"(^\s*[0-9][0-9.]*\S*\s+\S+\s+\S+\s+\S+\s*$)");
  std::istringstream lines(page);
  int rows = 0;
  for (std::string line; std::getline(lines, line);)
    rows += std::regex_match(line, row) ? 1 : 0;
  return rows;
}

// Rows of each page of sheet.pdf; whether the last page carries the headings and a date.
std::tuple<std::vector<int>, bool> TableSheets() {
  const Strings pages = PageTexts();
  std::vector<int> rows;
  rows.reserve(pages.size());
  for (const std::string& page : pages)
    rows.push_back(RowsOf(page));
  const bool footed = !pages.empty() && pages.back().find("Frequency:") != std::string::npos &&
                      std::regex_search(pages.back(), std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d)"));
  return {rows, footed};
}

TEST(PrintedTable, SheetsHold41RowsThen44AndAFullLastSheetStillBreaks) {
  if (PopplerMissing())
    GTEST_SKIP() << "poppler-utils are not installed";
  ScratchFolder folder;
  std::vector<int> rows2049{41};  // 2049 rows: 41, 45 sheets of 44, then 28
  rows2049.insert(rows2049.end(), 45, 44);
  rows2049.push_back(28);
  const std::vector<std::pair<int16_t, std::vector<int>>> cases{
      {39, {40}},
      {40, {41, 0}},  // the last row fills the first sheet: the second has headings and date
      {2048, rows2049},
  };
  for (const auto& [nints, expectedRows] : cases) {
    auto record = test::DesignedRecord();
    record->Nints = nints;
    Analyze(*record);
    PrintPdf([&](PrintDevice& device, ScriptedDialogs& dialogs) {
      dialogs.answers = {MessageAnswer::Yes};
      return TabulatedPrintout(*record, device, dialogs).Run();
    });
    EXPECT_EQ(
        std::tuple_cat(TableSheets(), std::tuple(PdfInfo("Pages"))),
        std::tuple(expectedRows, true, "Pages:           " + std::to_string(expectedRows.size())))
        << nints;
  }
}

TEST(PrintedSchematic, TwoStagesPortraitThreeLandscapeFourOnTwoRows) {
  if (PopplerMissing())
    GTEST_SKIP() << "poppler-utils are not installed";
  ScratchFolder folder;
  for (const int16_t order : {int16_t{4}, int16_t{6}, int16_t{8}}) {
    auto record = test::DesignedRecord(order);
    PrintPdf([&](PrintDevice& device, ScriptedDialogs& dialogs) {
      return SchematicPrintout(*record, device, dialogs).Run();
    });
    double width = 0, height = 0;
    std::sscanf(PdfInfo("Page size").c_str(), "Page size: %lf x %lf", &width, &height);
    EXPECT_EQ(width > height, order > 4) << order;
    std::map<double, int> resistorsPerRow;  // 47k labels by the top of their row, in points
    for (const auto& [word, top] : WordTops()) {
      if (word == "47k")
        ++resistorsPerRow[top];
    }
    std::vector<int> counts;
    counts.reserve(resistorsPerRow.size());
    for (const auto& [top, count] : resistorsPerRow)
      counts.push_back(count);
    const std::vector<int> expected = order == 8 ? std::vector<int>{6, 2} : std::vector<int>{order};
    EXPECT_EQ(counts, expected) << order;
  }
}

TEST(PrintedSummary, AManualDesignAndItsLimitsInWords) {
  if (PopplerMissing())
    GTEST_SKIP() << "poppler-utils are not installed";
  ScratchFolder folder;
  auto record = test::DesignedRecord(4);
  record->Family = kManual;
  test::SetLimit(*record, 1, 1, 0.01f, 900, -3, -300);
  test::SetLimit(*record, 2, 2, 2500, 1E10f, 100, -40);
  PrintPdf([&](PrintDevice& device, ScriptedDialogs& dialogs) {
    return SummaryPrintout(*record, device, dialogs).Run();
  });
  const std::string text = Output("pdftotext sheet.pdf -");
  for (const char* expected : {"Family: Modified", "( Not applicable )", "C1: 0", "DC",
                               "less than -100", "upward", "more than +50", "-3 max"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
}

// Centres, in twips from the page top, of the horizontal lines crossing the plot box at 4400
// twips (between the 2 kHz and 3 kHz grid lines), rendered at 1440 dpi: one pixel a twip.
std::vector<double> HorizontalLineCentres() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const QRectF area = printer.pageLayout().paintRect(QPageLayout::Inch);
  const int left = static_cast<int>(area.left() * 1440) + 800 + 4400;
  Output("pdftoppm -r 1440 -gray -aa no -aaVector no -x " + std::to_string(left) +
         " -y 0 -W 100 -H 16000 -singlefile sheet.pdf strip");
  std::ifstream pgm("strip.pgm", std::ios::binary);
  std::string magic;
  int width = 0, height = 0, maxValue = 0;
  pgm >> magic >> width >> height >> maxValue;
  pgm.get();
  std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height);
  pgm.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
  std::vector<double> centres;
  double sum = 0;
  int run = 0;
  for (int y = 0; y <= height; ++y) {
    int dark = 0;
    for (int x = 0; y < height && x < width; ++x)
      dark += pixels[static_cast<std::size_t>(y) * width + x] < 128 ? 1 : 0;
    if (dark > width * 3 / 4) {
      sum += y;
      ++run;
    } else if (run > 0) {
      centres.push_back(sum / run + 0.5);
      sum = run = 0;
    }
  }
  return centres;
}

TEST(PrintedPlot, SixIntervalsDrawGridLinesOneTwipCloserEachStep) {
  if (PopplerMissing())
    GTEST_SKIP() << "poppler-utils are not installed";
  ScratchFolder folder;
  auto record = test::DesignedRecord(4);
  const PlotShared shared;
  PrintPdf([&](PrintDevice& device, ScriptedDialogs& dialogs) {
    return PlotPrintout(*record, shared, device, dialogs).Run();
  });
  std::vector<double> centres = HorizontalLineCentres();
  ASSERT_FALSE(centres.empty());
  std::erase_if(centres, [top = centres[0]](double y) { return y > top + 6200; });  // the footer
  ASSERT_EQ(centres.size(), 7u) << testing::PrintToString(centres);
  // The top frame edge holds the line at 1000; the line at 6994 lies inside the bottom edge. The
  // sheet may be shrunk to fit the paper: the frame's 6000 twips give the factor.
  const double twip = (centres[6] - centres[0]) / 6000;
  EXPECT_NEAR(twip, 1, 0.1);
  for (int k = 1; k <= 5; ++k)
    EXPECT_NEAR(centres[static_cast<std::size_t>(k)] - centres[0], 999 * k * twip, 0.75) << k;
}

TEST(PrintedPlot, AMarkerOffTheGainAxisGetsNoRingNoRowAndTheNumbersRunOn) {
  if (PopplerMissing())
    GTEST_SKIP() << "poppler-utils are not installed";
  ScratchFolder folder;
  auto record = test::DesignedRecord(4);
  record->MarkerFreq[1] = 1500;
  record->MarkerFreq[2] = 9000;  // about -76 dB, below the -50 dB floor of the axis
  record->MarkerFreq[3] = 2000;
  record->MarkersOn = 1;
  const PlotShared shared;
  PrintPdf([&](PrintDevice& device, ScriptedDialogs& dialogs) {
    return PlotPrintout(*record, shared, device, dialogs).Run();
  });
  const auto words = WordTops();
  EXPECT_EQ(words.count("1"), 2u);  // on its ring and in its row
  EXPECT_EQ(words.count("2"), 2u);
  EXPECT_EQ(words.count("3"), 0u);
  EXPECT_EQ(words.count("1.5K"), 1u);
  EXPECT_EQ(words.count("9K"), 0u);  // 9 kHz is neither a row nor a grid label
}

TEST(PrintedPlot, OneDecadeLabelsOneToEightAndMoreThanADecadeOneTwoFive) {
  if (PopplerMissing())
    GTEST_SKIP() << "poppler-utils are not installed";
  ScratchFolder folder;
  const std::vector<std::pair<float, Strings>> cases{
      {10000, {"1K", "2K", "3K", "4K", "5K", "6K", "7K", "8K", "10K"}},
      {10001, {"1K", "2K", "5K", "10K"}},
  };
  for (const auto& [fstop, labels] : cases) {
    auto record = test::DesignedRecord(4);
    record->Fstop = fstop;
    Analyze(*record);
    ComputeGridFreqs(*record);
    const PlotShared shared;
    PrintPdf([&](PrintDevice& device, ScriptedDialogs& dialogs) {
      return PlotPrintout(*record, shared, device, dialogs).Run();
    });
    Strings printed;
    for (const auto& [word, top] : WordTops()) {
      if (word.back() == 'K')
        printed.push_back(word);
    }
    Strings expected = labels;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(printed, expected) << fstop;
  }
}

}  // namespace
}  // namespace kestro
