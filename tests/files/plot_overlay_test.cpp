#include "files/plot_overlay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "files/scratch_folder.h"
#include "support/scripted_dialogs.h"

namespace kestro {
namespace {

using namespace test;
using Kinds = std::vector<OverlayKind>;

constexpr const char* kMissing =
    "File enabling overlay has not been written;\nClick on 'Save plot' first.";

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
  r.Gain[0] = -3.0103f;
  r.Phase[0] = 45;
  r.Delay[0] = 2.5e-4f;
  return r;
}

TEST(SavePlot, WritesThreeCrLfFilesThatGetPlotReadsBackInOrder) {
  const struct {
    OverlayKind kind;
    const char* name;
    const char* first;
  } cases[] = {{OverlayKind::Gain, "KSTdata.DB", " 1000 -3.0103 "},
               {OverlayKind::Phase, "KSTdata.PHS", " 1000  45 "},
               {OverlayKind::Delay, "KSTdata.DEL", " 1000  2.5E-04 "}};
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  const DesignRecord r = Response();
  ASSERT_TRUE(SavePlot(r, dialogs));
  for (const auto& c : cases) {
    EXPECT_EQ(OverlayFileName(c.kind), c.name);
    const std::vector<std::string> lines = SplitCrLf(FileText(c.name));
    EXPECT_EQ(lines, OverlayLines(r, c.kind));
    ASSERT_EQ(lines.size(), 513u) << c.name;
    EXPECT_EQ(lines[0], c.first);
  }
  Kinds seen;
  EXPECT_EQ(GetPlot(dialogs,
                    [&](const PlotOverlay& overlay) {
                      seen.push_back(overlay.kind);
                      ASSERT_EQ(overlay.OverlayLast, 512);
                      const PointArray& values = overlay.kind == OverlayKind::Gain    ? r.Gain
                                                 : overlay.kind == OverlayKind::Phase ? r.Phase
                                                                                      : r.Delay;
                      for (int i = 0; i <= 512; ++i) {
                        EXPECT_NEAR(overlay.OverlayFreq[i], r.Freq[i], 5e-7 * r.Freq[i]);
                        EXPECT_NEAR(overlay.OverlayValue[i], values[i],
                                    5e-7 * std::fabs(values[i]));
                      }
                    }),
            3);
  EXPECT_EQ(seen, (Kinds{OverlayKind::Gain, OverlayKind::Phase, OverlayKind::Delay}));
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

TEST(GetPlot, AMissingFileShowsTheMessageAndEndsTheReading) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  Kinds seen;
  const auto draw = [&](const PlotOverlay& o) { seen.push_back(o.kind); };
  EXPECT_EQ(GetPlot(dialogs, draw), 0);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  const auto& shown = dialogs.messages[0];
  EXPECT_EQ(
      std::tie(shown.text, shown.icon, shown.buttons, shown.title),
      std::tuple(kMissing, MessageIcon::Exclamation, MessageButtons::Ok, "File-present test"));
  PutFile("KSTDATA.db", " 1  2 \r\n");
  PutFile("KSTdata.DEL", " 1  2 \r\n");  // the phase file is missing
  EXPECT_EQ(GetPlot(dialogs, draw), 1);
  EXPECT_EQ(seen, Kinds{OverlayKind::Gain});
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>(2, kMissing));
}

TEST(ReadOverlayFile, NumbersAreTakenInPairsWhateverTheLayout) {
  std::string tooMany;
  for (int i = 0; i <= kMaxPoint + 1000; ++i)
    tooMany.append(" ").append(std::to_string(i)).append(" -1 \r\n");
  const struct {
    const char* name;
    std::string text;
    std::vector<float> numbers;  // freq, value, freq, value...
  } cases[] = {{"example line", " 1000 -3.0103 \r\n", {1000, -3.0103f}},
               {"commas and tabs", "1,2\t3,,4\n", {1, 2, 3, 4}},
               {"several per line", "1 2 3 4 5 6", {1, 2, 3, 4, 5, 6}},
               {"pair across lines", "10\r\n-20\r\n", {10, -20}},
               {"unpaired last number", "1 2 3", {1, 2}},
               {"exponents", " 1E+06 -1.5E-09 ", {1e6f, -1.5e-9f}},
               {"not numbers", "abc 5x", {0, 5}},
               {"too large", "1E+39 -1E+39", {3.4028235e38f, -3.4028235e38f}},
               {"empty", "", {}},
               {"more points than the arrays hold", tooMany, {}}};
  ScratchFolder folder;
  for (const auto& c : cases) {
    PutFile("overlay.txt", c.text);
    PlotOverlay overlay;
    ASSERT_TRUE(ReadOverlayFile("OVERLAY.txt", overlay)) << c.name;
    const int pairs = c.numbers.empty() && !c.text.empty() ? kMaxPoint + 1
                                                           : static_cast<int>(c.numbers.size() / 2);
    ASSERT_EQ(overlay.OverlayLast, pairs - 1) << c.name;
    for (int i = 0; i < pairs; ++i) {
      const float freq = c.numbers.empty() ? static_cast<float>(i) : c.numbers[2 * i];
      const float value = c.numbers.empty() ? -1 : c.numbers[2 * i + 1];
      EXPECT_EQ(overlay.OverlayFreq[i], freq) << c.name << " " << i;
      EXPECT_EQ(overlay.OverlayValue[i], value) << c.name << " " << i;
    }
  }
  PlotOverlay overlay;
  EXPECT_FALSE(ReadOverlayFile("KSTdata.none", overlay));
}

}  // namespace
}  // namespace kestro
