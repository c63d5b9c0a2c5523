// SPDX-License-Identifier: GPL-3.0-or-later
// The sheets printed into PDF files through Qt and read back with poppler's pdfinfo and
// pdftotext.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <regex>
#include <sstream>

#include "files/scratch_folder.h"
#include "platform/qt/qt_pdf_device.h"
#include "printouts/print_plot.h"
#include "printouts/print_poles.h"
#include "printouts/print_schematic.h"
#include "printouts/print_summary.h"
#include "printouts/print_tabulated.h"
#include "views/views_test_context.h"

namespace kestro {
namespace {

using test::ScriptedDialogs;
using Strings = std::vector<std::string>;

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

// Each test prints into sheet.pdf of a scratch folder.
struct PrintedPdf : ::testing::Test {
  void SetUp() override {
    if (Output("for p in pdftotext pdfinfo; do command -v $p; done | wc -l") != "2\n")
      GTEST_SKIP() << "poppler-utils are not installed";
  }
  // Prints answering Yes to any question; the messages shown.
  static Strings Print(const std::function<bool(PrintDevice&, ScriptedDialogs&)>& printout) {
    const auto device = std::make_unique<QtPdfDevice>("sheet.pdf");
    ScriptedDialogs dialogs;
    EXPECT_TRUE(printout(*device, dialogs)) << testing::PrintToString(dialogs.Texts());
    return dialogs.Texts();
  }
  // Every word with the top of its box, in points from the top of the page.
  static std::multimap<std::string, double> WordTops() {
    const std::string html = Output("pdftotext -bbox sheet.pdf -");
    const std::regex word(R"rx(<word xMin="[\d.]+" yMin="([\d.]+)"[^>]*>([^<]*)</word>)rx");
    std::multimap<std::string, double> words;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), word);
         it != std::sregex_iterator(); ++it)
      words.emplace((*it)[2].str(), std::stod((*it)[1].str()));
    return words;
  }
  test::ScratchFolder folder;
};

// The table rows of each page (a frequency and three numbers), and whether the last page
// carries the headings and a date.
std::pair<std::vector<int>, bool> TableSheets() {
  static const std::regex row(R"(^\s*[0-9][0-9.]*\S*\s+\S+\s+\S+\s+\S+\s*$)");
  std::vector<int> rows;
  std::string last;
  std::istringstream text(Output("pdftotext -layout sheet.pdf -"));
  for (std::string page; std::getline(text, page, '\f'); last = page) {
    rows.push_back(0);
    std::istringstream lines(page);
    for (std::string line; std::getline(lines, line);)
      rows.back() += std::regex_match(line, row) ? 1 : 0;
  }
  return {rows, last.find("Frequency:") != std::string::npos &&
                    std::regex_search(last, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d)"))};
}

TEST_F(PrintedPdf, TableSheetsHold41RowsThen44AndAFullLastSheetStillBreaks) {
  const std::vector<std::pair<int16_t, std::vector<int>>> cases{
      {39, {40}},
      {40, {41, 0}},  // the last row fills the first sheet: the second has headings and date
      {150, {41, 44, 44, 22}},
  };
  for (const auto& [nints, expectedRows] : cases) {
    test::ViewsTestContext app;
    app.record.Nints = nints;
    Analyze(app.record);
    const Strings asked = Print([&](PrintDevice& device, ScriptedDialogs& dialogs) {
      return TabulatedPrintout(app.record, device, dialogs, app.clock).Run();
    });
    EXPECT_EQ(asked.size(), nints > 40 ? 1u : 0u);  // how many sheets it takes, above 40 rows
    const auto [rows, footed] = TableSheets();
    EXPECT_EQ(rows, expectedRows) << nints;
    EXPECT_TRUE(footed) << nints;
  }
}

// The 47k labels of the resistors, counted by the row they stand in.
TEST_F(PrintedPdf, SchematicOfTwoStagesPortraitThreeLandscapeFourOnTwoRows) {
  for (const int16_t order : {int16_t{4}, int16_t{6}, int16_t{8}}) {
    test::ViewsTestContext app(kButterworth, order);
    Print([&](PrintDevice& device, ScriptedDialogs& dialogs) {
      return SchematicPrintout(app.record, device, dialogs, app.clock).Run();
    });
    const std::string info = Output("pdfinfo sheet.pdf");
    ASSERT_NE(info.find("Page size:"), std::string::npos) << info;
    double width = 0, height = 0;
    std::sscanf(info.c_str() + info.find("Page size:"), "Page size: %lf x %lf", &width, &height);
    EXPECT_EQ(width > height, order > 4) << order;
    std::map<double, int> perRow;
    for (const auto& [word, top] : WordTops())
      perRow[top] += word == "47k" ? 1 : 0;
    std::vector<int> counts;
    for (const auto& [top, count] : perRow)
      if (count > 0)
        counts.push_back(count);
    EXPECT_EQ(counts, (order == 8 ? std::vector<int>{6, 2} : std::vector<int>{order})) << order;
  }
}

// A manual design of two two-pole stages: no poles, no first capacitor or resistor, no markers.
TEST_F(PrintedPdf, SummaryOfAManualDesignAndItsLimitsInWords) {
  test::ViewsTestContext app;
  app.record.Family = kManual, app.record.SessionFile = "KSTdata.DEL";
  test::SetLimit(app.record, 1, 1, 0.01f, 900, -3, -300);
  test::SetLimit(app.record, 2, 2, 2500, 1E10f, 100, -40.5f);
  Print([&](PrintDevice& device, ScriptedDialogs& dialogs) {
    return SummaryPrintout(app.record, device, dialogs, app.clock).Run();
  });
  const std::string text = Output("pdftotext -layout sheet.pdf -");
  // The texts in reading order, '|' between them.
  std::istringstream inOrder(
      "Starting frequency: 1K|Number of intervals: 512|Plot delay top: 1.2m|Family: Modified|"
      "Order: 4|( Not applicable )|Stage 2:|C1: 0|R1: 0|( None )|DC|up to 900|-3 max|"
      "less than -100|2500|upward|more than +50|down to -40.5|File path/name: KSTdata.DEL|"
      "Printed by KestroLab - ");
  std::size_t at = 0;
  for (std::string expected; std::getline(inOrder, expected, '|');) {
    at = text.find(expected, at);
    ASSERT_NE(at, std::string::npos) << expected << " in order in\n" << text;
  }
}

TEST_F(PrintedPdf, PlotMarkerOffTheGainAxisGetsNoRingNoRowAndTheNumbersRunOn) {
  test::ViewsTestContext app;
  app.record.MarkerFreq[1] = 1500;
  app.record.MarkerFreq[2] = 9000;  // about -76 dB, below the -50 dB floor of the axis
  app.record.MarkerFreq[3] = 2000, app.record.MarkersOn = 1;
  Print([&](PrintDevice& device, ScriptedDialogs& dialogs) {
    return PlotPrintout(app.record, PlotPrintout::Curves{}, device, dialogs, app.clock).Run();
  });
  const auto words = WordTops();
  // Each number on its ring and in its row; 9 kHz is neither a row nor a grid label.
  const std::map<std::string, std::size_t> expected{
      {"1", 2}, {"2", 2}, {"3", 0}, {"1.5K", 1}, {"9K", 0}};
  for (const auto& [word, count] : expected)
    EXPECT_EQ(words.count(word), count) << word;
}

TEST_F(PrintedPdf, PlotOfOneDecadeLabelsOneToEightAndOfMoreOneTwoFive) {
  const std::vector<std::pair<float, Strings>> cases{
      {10000, {"10K", "1K", "2K", "3K", "4K", "5K", "6K", "7K", "8K"}},
      {10001, {"10K", "1K", "2K", "5K"}},
  };
  for (const auto& [fstop, labels] : cases) {
    test::ViewsTestContext app;
    app.record.Fstop = fstop;
    Analyze(app.record);
    ComputeGridFreqs(app.record);
    Print([&](PrintDevice& device, ScriptedDialogs& dialogs) {
      return PlotPrintout(app.record, PlotPrintout::Curves{}, device, dialogs, app.clock).Run();
    });
    Strings printed;  // in the order of the words, which the map sorts
    for (const auto& [word, top] : WordTops()) {
      if (word.back() == 'K')
        printed.push_back(word);
    }
    EXPECT_EQ(printed, labels) << fstop;
  }
}

// The listing beside the plot: poles of scipy.signal.cheb1ap(6, 1) and the design (pdftotext
// reads the two blanks after "Family:" as one).
TEST_F(PrintedPdf, PoleSheetListsThePolesAndTheDesign) {
  test::ViewsTestContext app(kChebyshev, 6, 1);
  Print([&](PrintDevice& device, ScriptedDialogs& dialogs) {
    return PolesPrintout(app.record, false, device, dialogs).Run();
  });
  const std::string text = Output("pdftotext -raw sheet.pdf -");
  for (const char* line : {"X(1): 0.06218", "Y(1): 0.99341", "Y(6): -0.99341",
                           "Family: Chebyshev\n", "Order: 6\n", "Apass: 1\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
}

}  // namespace
}  // namespace kestro
