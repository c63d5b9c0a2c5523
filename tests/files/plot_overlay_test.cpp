#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "files/plot_overlay.h"
#include "files/scratch_folder.h"
#include "files/tabulated_files.h"

namespace kestro {
namespace {

using namespace test;
using Lines = std::vector<std::string>;
using Kinds = std::vector<OverlayKind>;

constexpr const char* kMissing =
    "File enabling overlay has not been written;\nClick on 'Save plot' first.";
constexpr const char* kTableFailure =
    "A problem was encountered and so the tabulated-data file was not written";

// 512 intervals from 1 kHz to 10 kHz with negative and tiny values; point 0 as in the example.
DesignRecord Response() {
  DesignRecord r{};
  r.Nints = 512;
  for (int i = 0; i <= r.Nints; ++i) {
    r.Freq[i] = 1000.0f * std::pow(10.0f, static_cast<float>(i) / 512.0f);
    r.Gain[i] = -0.125f * static_cast<float>(i);
    r.Phase[i] = 180.0f - 0.5f * static_cast<float>(i);
    r.Delay[i] = 1e-4f / static_cast<float>(i + 1);
  }
  r.Gain[0] = -3.0103f, r.Phase[0] = 45, r.Delay[0] = 2.5e-4f;
  return r;
}

TEST(SavePlot, WritesThreeCrLfFilesThatGetPlotReadsBackInOrder) {
  ScratchFolder folder;
  const DesignRecord r = Response();
  ASSERT_EQ(SavePlot(r), std::nullopt);
  EXPECT_EQ(folder.Entries(), (Lines{"KSTdata.DB", "KSTdata.DEL", "KSTdata.PHS"}));
  const char* first[] = {" 1000 -3.0103 ", " 1000  45 ", " 1000  2.5E-04 "};
  for (OverlayKind kind : {OverlayKind::Gain, OverlayKind::Phase, OverlayKind::Delay}) {
    const Lines lines = SplitCrLf(FileText(OverlayFileName(kind)));
    ASSERT_EQ(lines.size(), 513u);
    EXPECT_EQ(lines[0], first[static_cast<int>(kind)]);
    EXPECT_EQ(lines, OverlayLines(r, kind));
  }
  Kinds seen;
  EXPECT_EQ(GetPlot([&](const PlotOverlay& overlay) {
              seen.push_back(overlay.kind);
              ASSERT_EQ(overlay.OverlayLast, 512);
              const PointArray& values = overlay.kind == OverlayKind::Gain    ? r.Gain
                                         : overlay.kind == OverlayKind::Phase ? r.Phase
                                                                              : r.Delay;
              for (int i = 0; i <= 512; ++i) {
                EXPECT_NEAR(overlay.OverlayFreq[i], r.Freq[i], 5e-7 * r.Freq[i]);
                EXPECT_NEAR(overlay.OverlayValue[i], values[i], 5e-7 * std::fabs(values[i]));
              }
            }),
            std::nullopt);
  EXPECT_EQ(seen, (Kinds{OverlayKind::Gain, OverlayKind::Phase, OverlayKind::Delay}));
}

TEST(SavePlot, OverwritesCaseVariantsAndStopsAtTheFirstFailure) {
  ScratchFolder folder;
  PutFile("kstdata.db", "old");
  std::filesystem::create_directory("KSTDATA.PHS");
  EXPECT_EQ(SavePlot(Response()), "We are unable to write an overlay file");
  EXPECT_EQ(folder.Entries(), (Lines{"KSTDATA.PHS", "kstdata.db"}));
  EXPECT_EQ(SplitCrLf(FileText("kstdata.db")).size(), 513u);
}

TEST(GetPlot, AMissingFileEndsTheReadingWithTheMessage) {
  ScratchFolder folder;
  Kinds seen;
  const auto draw = [&](const PlotOverlay& o) { seen.push_back(o.kind); };
  EXPECT_EQ(GetPlot(draw), kMissing);
  EXPECT_EQ(seen, Kinds{});
  PutFile("KSTDATA.db", " 1  2 \r\n");
  PutFile("KSTdata.DEL", " 1  2 \r\n");  // the phase file is missing
  EXPECT_EQ(GetPlot(draw), kMissing);
  EXPECT_EQ(seen, Kinds{OverlayKind::Gain});
}

TEST(ReadOverlayFile, NumbersAreTakenInPairsWhateverTheLayout) {
  std::string tooMany;
  for (int i = 0; i <= kMaxPoint + 1000; ++i)
    tooMany += " " + std::to_string(i) + " -1 \r\n";
  const std::pair<std::string, std::vector<float>> cases[] = {
      // freq, value, freq, value...
      {" 1000 -3.0103 \r\n", {1000, -3.0103f}},
      {"1,2\t3,,4\n", {1, 2, 3, 4}},
      {"1 2 3 4 5 6", {1, 2, 3, 4, 5, 6}},
      {"10\r\n-20\r\n", {10, -20}},
      {"1 2 3", {1, 2}},  // an unpaired last number is dropped
      {" 1E+06 -1.5E-09 ", {1e6f, -1.5e-9f}},
      {"abc 5x", {0, 5}},
      {"1E+39 -1E+39", {3.4028235e38f, -3.4028235e38f}},
      {"", {}},
      {tooMany, {}}};  // more points than the arrays hold: the first kMaxPoint + 1
  ScratchFolder folder;
  for (const auto& [text, numbers] : cases) {
    PutFile("overlay.txt", text);
    PlotOverlay overlay;
    ASSERT_TRUE(ReadOverlayFile("OVERLAY.txt", overlay)) << text.substr(0, 40);
    const int pairs = text == tooMany ? kMaxPoint + 1 : static_cast<int>(numbers.size() / 2);
    ASSERT_EQ(overlay.OverlayLast, pairs - 1) << text.substr(0, 40);
    for (int i = 0; i < pairs; ++i) {
      EXPECT_EQ(std::tuple(overlay.OverlayFreq[i], overlay.OverlayValue[i]),
                text == tooMany ? std::tuple(static_cast<float>(i), -1.0f)
                                : std::tuple(numbers[2 * i], numbers[2 * i + 1]))
          << text.substr(0, 40) << " " << i;
    }
  }
  PlotOverlay overlay;
  EXPECT_FALSE(ReadOverlayFile("KSTdata.none", overlay));
}

// Every point at 1000 Hz, -3.0103 dB, -90 degrees and 123.4568 us, except point 1.
DesignRecord TenIntervals() {
  DesignRecord r{};
  r.Nints = 10;
  for (int i = 0; i <= r.Nints; ++i)
    r.Freq[i] = 1000, r.Gain[i] = -3.0103f, r.Phase[i] = -90, r.Delay[i] = 1.234568e-4f;
  r.Freq[1] = 12.5f, r.Gain[1] = 0.5f, r.Phase[1] = 179.99f, r.Delay[1] = 0;
  r.Freq[r.Nints + 1] = 777;  // beyond the last point: never written
  return r;
}

TEST(TabulatedFiles, SixteenLinesForTenIntervalsInBothLayoutsAndLongFieldsWhole) {
  const struct {
    Lines (*lines)(const DesignRecord&);
    const char *heading1, *heading2, *row, *row1;  // row: a point at 1000 Hz; row1: point 1
  } cases[] = {{TabulatedEasyLines, "Freq,      Gain,    Phase,    Delay,",
                " Hz:        dB:      degrees:  secs:", "1K        -3.0103   -90       123.5u    ",
                "12.5Hz    0.5       179.99    0         "},
               {TabulatedSciLines, "Freq,          Gain,        Phase,         Delay,",
                " Hz:            dB:         degrees:       secs:",
                "1000          -3.0103       -90           1.234568E-04  ",
                "12.5          .5            179.99        0             "}};
  for (const auto& c : cases) {
    Lines expected{"", c.heading1, c.heading2, "", c.row, c.row1};
    expected.resize(15, c.row);
    expected.push_back("");
    EXPECT_EQ(c.lines(TenIntervals()), expected);
  }
  DesignRecord r{};
  r.Freq[0] = 1.234567e6f, r.Gain[0] = -123.4567f, r.Phase[0] = 12.5f, r.Delay[0] = -1.234567e-9f;
  const Lines lines = TabulatedSciLines(r);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[4], "1234567       -123.4567     12.5          -1.234567E-09 ");
}

// Both writers: a CR LF file replacing an old one of another case; failures reported, a full
// disk leaving no partial file.
TEST(TabulatedFiles, WritersReplaceTheFileOrReportTheFailure) {
  using Writer = FileFailure (*)(const DesignRecord&, const std::string&);
  const std::pair<Writer, Lines (*)(const DesignRecord&)> writers[] = {
      {WriteTabulatedEasy, TabulatedEasyLines}, {WriteTabulatedSci, TabulatedSciLines}};
  for (const auto& [write, lines] : writers) {
    ScratchFolder folder;
    PutFile("RESULT.DAT", std::string(10000, 'o'));
    ASSERT_EQ(write(TenIntervals(), "result.dat"), std::nullopt);
    EXPECT_EQ(SplitCrLf(FileText("RESULT.DAT")), lines(TenIntervals()));
    std::filesystem::create_directory("taken.DAT");
    for (const char* name : {"", "missing/x.DAT", "taken.DAT"})
      EXPECT_EQ(write(TenIntervals(), name), kTableFailure) << name;
    {
      FileSizeLimit limit(100);
      EXPECT_EQ(write(TenIntervals(), "full.DAT"), kTableFailure);
    }
    EXPECT_EQ(folder.Entries(), (Lines{"RESULT.DAT", "taken.DAT"}));
  }
}

}  // namespace
}  // namespace kestro
