// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/limit_entry.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "plot_test_context.h"

namespace kestro::test {
namespace {

void ClickShapeAt(PlotPageFixture& f, const char* shape, float x, float y) {
  f.Click(shape);
  f.page->OnMouseDown(1, x, y);
  f.page->OnMouseUp(1, x, y);
}

// Plot 100 Hz .. 10 kHz over 513 points, +10 dB at y = 1000 and -60 dB at y = 7000: x = 6500 is
// point Int(0.5 * 513) = 256, 1 kHz; y = 4000 is -25 dB, y = 7600 -67 dB. A click on the box's
// edge adds nothing; below the box still counts.
TEST(LimitEntry, AClickAddsTheShapeAtThePointAndGainUnderIt) {
  PlotPageFixture f;
  ClickShapeAt(f, "cmdLimit1", 6500, 4000);
  ClickShapeAt(f, "cmdLimit4", 6500, 7600);
  ClickShapeAt(f, "cmdLimit2", 2000, 4000);  // on the left edge: nothing
  ASSERT_EQ(f.record.NrLimits[1], 2);
  const DesignRecord& r = f.record;
  EXPECT_EQ((std::vector<float>{r.LimitShape[1][1], r.LimitStart[1][1], r.LimitBottom[1][1],
                                r.LimitShape[2][1], r.LimitTop[2][1]}),
            (std::vector<float>{1, 0.01f, -300, 4, 100}));
  EXPECT_NEAR(r.LimitStop[1][1], 1000, 0.1);
  EXPECT_NEAR(r.LimitTop[1][1], -25, 1e-3);
  EXPECT_NEAR(r.LimitBottom[2][1], -67, 1e-3);
  EXPECT_EQ(r.LimitEntrySet, 0) << "every release ends the entry";
  EXPECT_TRUE(f.Redrawn());
}

// Enter shows the shape buttons, locks the commands that would disturb the entry and prompts;
// the chosen shape is green until its limit is added, and two limits switch Optimize on. The
// tenth click is refused: the entry stays open, nothing is redrawn, the message line says why
// and keeps saying it while the mouse moves on.
TEST(LimitEntry, EnterLocksTheCommandsAndTheTenthClickIsRefused) {
  PlotPageFixture f;
  f.link.BeginLimitEntry();
  EXPECT_EQ(f.VisibleOf({"cmdLimit1", "cmdLimit4"}), (Names{"cmdLimit1", "cmdLimit4"}));
  EXPECT_EQ(f.EnabledOf({"cmdPoles", "cmdLimits", "cmdMonteCarlo", "cmdTunePart", "cmdDelay"}),
            (Names{"cmdDelay"}));
  EXPECT_TRUE(f.Shows(LimitEntry::kPrompt));
  f.Click("cmdLimit4");
  EXPECT_EQ(f["cmdLimit4"].face, (Rgb{0, 255, 0}));
  ClickShapeAt(f, "cmdLimit1", 5000, 3000);
  EXPECT_EQ(f["cmdLimit1"].face, f["cmdLimit2"].face);
  EXPECT_FALSE(f["cmdOptimize"].enabled) << "one limit";
  for (int n = 2; n <= 9; ++n)
    ClickShapeAt(f, "cmdLimit1", 3000.0f + 500.0f * static_cast<float>(n), 4000);
  EXPECT_TRUE(f["cmdOptimize"].enabled);
  ClickShapeAt(f, "cmdLimit2", 9000, 4000);
  EXPECT_EQ(f.record.NrLimits[1], 9);
  EXPECT_EQ(f.record.LimitEntrySet, 1);
  EXPECT_FALSE(f.Redrawn());
  f.page->OnMouseMove(0, 9100, 4100);  // the hand leaves the mouse: the message stays
  const auto& commands = f.canvas.commands;
  const auto said = std::ranges::find(commands.rbegin(), commands.rend(),
                                      std::string(LimitEntry::kSetFull), &DrawCommand::text);
  ASSERT_NE(said, commands.rend());
  EXPECT_TRUE(std::none_of(commands.rbegin(), said, [&said](const DrawCommand& c) {
    return c.kind == Kind::FillRect && c.x1 <= said->textX && c.x2 > said->textX &&
           c.y1 <= said->textY && c.y2 > said->textY;
  })) << "cleared after it was written";
}

}  // namespace
}  // namespace kestro::test
