// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/plot_overlay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "files/scratch_folder.h"

namespace kestro {
namespace {

using namespace test;
using Lines = std::vector<std::string>;
using Kinds = std::vector<OverlayKind>;

constexpr const char* kMissing =
    "File enabling overlay has not been written;\nClick on 'Save plot' first.";

// 512 intervals from 1 kHz to 10 kHz with negative and tiny values.
DesignRecord Response() {
  DesignRecord r{};
  r.Nints = 512;
  for (int i = 0; i <= r.Nints; ++i) {
    const auto x = static_cast<float>(i);
    r.Freq[i] = 1000.0f * std::pow(10.0f, x / 512.0f);
    r.Gain[i] = -0.125f * x, r.Phase[i] = 180.0f - 0.5f * x, r.Delay[i] = 1e-4f / (x + 1);
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
              const PointArray* values[] = {&r.Gain, &r.Phase, &r.Delay};
              const PointArray& value = *values[static_cast<int>(overlay.kind)];
              ASSERT_EQ(overlay.OverlayLast, 512);
              for (int i = 0; i <= 512; ++i) {
                EXPECT_NEAR(overlay.OverlayFreq[i], r.Freq[i], 5e-7 * r.Freq[i]);
                EXPECT_NEAR(overlay.OverlayValue[i], value[i], 5e-7 * std::fabs(value[i]));
              }
            }),
            std::nullopt);
  EXPECT_EQ(seen, (Kinds{OverlayKind::Gain, OverlayKind::Phase, OverlayKind::Delay}));
}

// Case variants are overwritten; the three files are one set, so a file that cannot be written
// leaves the others as they were; a missing file ends the reading with the message, after the
// curves read before it.
TEST(SavePlot, FailuresEndTheSaveAndTheReading) {
  ScratchFolder folder;
  PutFile("kstdata.db", "old");
  std::filesystem::create_directory("KSTDATA.PHS");
  EXPECT_EQ(SavePlot(Response()), "We are unable to write an overlay file");
  EXPECT_EQ(folder.Entries(), (Lines{"KSTDATA.PHS", "kstdata.db"}));
  EXPECT_EQ(FileText("kstdata.db"), "old");
  std::filesystem::remove("KSTDATA.PHS");
  ASSERT_EQ(SavePlot(Response()), std::nullopt);
  EXPECT_EQ(folder.Entries(), (Lines{"KSTdata.DEL", "KSTdata.PHS", "kstdata.db"}));
  EXPECT_EQ(SplitCrLf(FileText("kstdata.db")).size(), 513u);
  std::filesystem::remove("KSTdata.PHS");
  PutFile("KSTdata.DEL", " 1  2 \r\n");
  Kinds seen;
  EXPECT_EQ(GetPlot([&](const PlotOverlay& o) { seen.push_back(o.kind); }), kMissing);
  EXPECT_EQ(seen, Kinds{OverlayKind::Gain});
  std::filesystem::remove("kstdata.db");
  EXPECT_EQ(GetPlot([&](const PlotOverlay& o) { seen.push_back(o.kind); }), kMissing);
  EXPECT_EQ(seen, Kinds{OverlayKind::Gain});
}

// More points than the arrays hold are left to the reader fuzz, which checks that a full overlay
// is read.
TEST(ReadOverlayFile, NumbersAreTakenInPairsWhateverTheLayout) {
  const std::pair<std::string, std::vector<float>> cases[] = {
      // freq, value, freq, value...
      {" 1000 -3.0103 \r\n", {1000, -3.0103f}},
      {"1,2\t3,,4\n", {1, 2, 3, 4}},
      {"10\r\n-20\r\n", {10, -20}},
      {"1 2 3", {1, 2}},  // an unpaired last number is dropped
      {" 1E+06 -1.5E-09 ", {1e6f, -1.5e-9f}},
      {"abc 5x", {0, 5}},
      {"1E+39 -1E+39", {3.4028235e38f, -3.4028235e38f}},
      {"", {}}};
  ScratchFolder folder;
  PlotOverlay overlay;
  for (const auto& [text, numbers] : cases) {
    PutFile("overlay.txt", text);
    ASSERT_TRUE(ReadOverlayFile("OVERLAY.txt", overlay)) << text;
    std::vector<float> read;
    for (int i = 0; i <= overlay.OverlayLast; ++i)
      read.insert(read.end(), {overlay.OverlayFreq[i], overlay.OverlayValue[i]});
    EXPECT_EQ(read, numbers) << text;
  }
  EXPECT_FALSE(ReadOverlayFile("KSTdata.none", overlay));
}

}  // namespace
}  // namespace kestro
