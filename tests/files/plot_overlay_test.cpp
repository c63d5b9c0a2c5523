#include "files/plot_overlay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "files/scratch_folder.h"
#include "support/scripted_dialogs.h"

namespace kestro {
namespace {

using test::FileText;
using test::PutFile;
using test::ScratchFolder;
using test::ScriptedDialogs;
using test::SplitCrLf;

constexpr const char* kMissing =
    "File enabling overlay has not been written;\nClick on 'Save plot' first.";

// A response of 512 intervals from 1 kHz to 10 kHz with negative and tiny values.
DesignRecord Response() {
  DesignRecord r{};
  r.Nints = 512;
  for (int i = 0; i <= r.Nints; ++i) {
    r.Freq[i] = 1000.0f * std::pow(10.0f, static_cast<float>(i) / 512.0f);
    r.Gain[i] = -0.125f * static_cast<float>(i);
    r.Phase[i] = 180.0f - 0.5f * static_cast<float>(i);
    r.Delay[i] = 1e-4f / static_cast<float>(i + 1);
  }
  return r;
}

TEST(OverlayLines, ExampleLineAndOneLinePerPoint) {
  DesignRecord r = Response();
  r.Freq[0] = 1000;
  r.Gain[0] = -3.0103f;
  r.Phase[0] = 45;
  r.Delay[0] = 2.5e-4f;
  const struct {
    OverlayKind kind;
    const char* name;
    const char* first;
  } cases[] = {{OverlayKind::Gain, "KSTdata.DB", " 1000 -3.0103 "},
               {OverlayKind::Phase, "KSTdata.PHS", " 1000  45 "},
               {OverlayKind::Delay, "KSTdata.DEL", " 1000  2.5E-04 "}};
  for (const auto& c : cases) {
    const std::vector<std::string> lines = OverlayLines(r, c.kind);
    EXPECT_EQ(OverlayFileName(c.kind), c.name);
    ASSERT_EQ(lines.size(), 513u) << c.name;
    EXPECT_EQ(lines[0], c.first);
  }
}

TEST(SavePlot, WritesThreeCrLfFilesThatReadBack) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  const DesignRecord r = Response();
  ASSERT_TRUE(SavePlot(r, dialogs));
  EXPECT_EQ(folder.Entries(),
            (std::vector<std::string>{"KSTdata.DB", "KSTdata.DEL", "KSTdata.PHS"}));
  std::vector<OverlayKind> seen;
  const int drawn = GetPlot(dialogs, [&](const PlotOverlay& overlay) {
    seen.push_back(overlay.kind);
    ASSERT_EQ(overlay.OverlayLast, 512);
    const PointArray& values = overlay.kind == OverlayKind::Gain    ? r.Gain
                               : overlay.kind == OverlayKind::Phase ? r.Phase
                                                                    : r.Delay;
    for (int i = 0; i <= 512; ++i) {
      EXPECT_NEAR(overlay.OverlayFreq[i], r.Freq[i], 5e-7 * r.Freq[i]);
      EXPECT_NEAR(overlay.OverlayValue[i], values[i], 5e-7 * std::fabs(values[i]));
    }
  });
  EXPECT_EQ(drawn, 3);
  EXPECT_EQ(seen,
            (std::vector<OverlayKind>{OverlayKind::Gain, OverlayKind::Phase, OverlayKind::Delay}));
  EXPECT_EQ(SplitCrLf(FileText("KSTdata.PHS")), OverlayLines(r, OverlayKind::Phase));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST(SavePlot, OverwritesCaseVariantsAndStopsAtTheFirstFailure) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  PutFile("kstdata.db", "old");
  std::filesystem::create_directory("KSTDATA.PHS");
  EXPECT_FALSE(SavePlot(Response(), dialogs));
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"KSTDATA.PHS", "kstdata.db"}));
  EXPECT_EQ(SplitCrLf(FileText("kstdata.db")).size(), 513u);
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"We are unable to write an overlay file"});
  EXPECT_EQ(dialogs.beeps, 1);
}

TEST(GetPlot, BeforeAnySaveShowsTheMessageAndDrawsNothing) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  int drawn = 0;
  EXPECT_EQ(GetPlot(dialogs, [&](const PlotOverlay&) { ++drawn; }), 0);
  EXPECT_EQ(drawn, 0);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, kMissing);
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(dialogs.messages[0].title, "File-present test");
}

TEST(GetPlot, AMissingLaterFileStopsAfterTheCurvesBeforeIt) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  PutFile("KSTDATA.db", " 1  2 \r\n");
  PutFile("KSTdata.DEL", " 1  2 \r\n");
  std::vector<OverlayKind> seen;
  EXPECT_EQ(GetPlot(dialogs, [&](const PlotOverlay& o) { seen.push_back(o.kind); }), 1);
  EXPECT_EQ(seen, std::vector<OverlayKind>{OverlayKind::Gain});
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{kMissing});
}

struct ReadCase {
  const char* name;
  std::string text;
  std::vector<float> numbers;  // freq, value, freq, value...
};

TEST(ReadOverlayFile, NumbersAreTakenInPairsWhateverTheLayout) {
  const ReadCase cases[] = {
      {"example line", " 1000 -3.0103 \r\n", {1000, -3.0103f}},
      {"commas and tabs", "1,2\t3,,4\n", {1, 2, 3, 4}},
      {"several per line", "1 2 3 4 5 6", {1, 2, 3, 4, 5, 6}},
      {"pair across lines", "10\r\n-20\r\n", {10, -20}},
      {"unpaired last number", "1 2 3", {1, 2}},
      {"exponents", " 1E+06 -1.5E-09 ", {1e6f, -1.5e-9f}},
      {"not numbers", "abc 5x", {0, 5}},
      {"too large", "1E+39 -1E+39", {3.4028235e38f, -3.4028235e38f}},
      {"empty", "", {}},
  };
  for (const ReadCase& c : cases) {
    ScratchFolder folder;
    PutFile("overlay.txt", c.text);
    PlotOverlay overlay;
    ASSERT_TRUE(ReadOverlayFile("overlay.txt", overlay)) << c.name;
    const int pairs = static_cast<int>(c.numbers.size() / 2);
    ASSERT_EQ(overlay.OverlayLast, pairs - 1) << c.name;
    for (int i = 0; i < pairs; ++i) {
      EXPECT_EQ(overlay.OverlayFreq[i], c.numbers[2 * i]) << c.name;
      EXPECT_EQ(overlay.OverlayValue[i], c.numbers[2 * i + 1]) << c.name;
    }
  }
}

TEST(ReadOverlayFile, MorePointsThanTheArraysHoldAreDropped) {
  ScratchFolder folder;
  std::string text;
  for (int i = 0; i < 3000; ++i)
    text.append(" ").append(std::to_string(i)).append(" -1 \r\n");
  PutFile("KSTdata.DB", text);
  PlotOverlay overlay;
  ASSERT_TRUE(ReadOverlayFile("KSTdata.DB", overlay));
  EXPECT_EQ(overlay.OverlayLast, kMaxPoint);
  EXPECT_EQ(overlay.OverlayFreq[kMaxPoint], static_cast<float>(kMaxPoint));
  EXPECT_FALSE(ReadOverlayFile("KSTdata.none", overlay));
}

}  // namespace
}  // namespace kestro
