// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/transient_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/eng_value.h"
#include "files/scratch_folder.h"
#include "views/transient_plot.h"
#include "views_test_context.h"

namespace kestro::test {
namespace {

struct TransientPageTest : ::testing::Test {
  ViewsTestContext app{kButterworth, 3};
  TransientState state;
  // A page opened and shown over the shared state.
  std::unique_ptr<TransientPage> Open() {
    auto page = std::make_unique<TransientPage>(app.context, state);
    app.Show(*page);
    return page;
  }
  // The square wave's frequency as stored and as shown.
  std::string Shown(TransientPage& page) {
    return std::to_string(state.SquareFreq) + " " + page["txtSquarewaveFreq"].caption;
  }
  static std::string Expected(float hertz) {
    return std::to_string(hertz) + " " + FormatFreq(hertz);
  }
};

// The frequency opens at a tenth of the bandwidth and then is kept for the run. The typed text
// is read at Plot, its prefix included; the steps of 1 % go through the shown text, so 555 / 1.01
// shows as 549.5 Hz, and 549.5 x 1.01 as 554.99 Hz.
TEST_F(TransientPageTest, OpensAtATenthOfTheBandwidthAndStepsThroughTheText) {
  app.record.Bandwidth = 5550;
  auto page = Open();
  EXPECT_EQ(Shown(*page), Expected(555));
  page->Click("cmdFreqDown");
  EXPECT_EQ(Shown(*page), Expected(549.5f));
  page->Click("cmdFreqUp");
  EXPECT_EQ(Shown(*page), Expected(554.99f));
  page->Type("txtSquarewaveFreq", "2k");
  page->Click("cmdPlot");
  EXPECT_EQ(Shown(*page), Expected(2000));
  page.reset();
  app.record.Bandwidth = 5000;
  EXPECT_EQ(Shown(*Open()), Expected(2000));
  EXPECT_EQ(app.dialogs.Texts(), Strings{});
}

TEST_F(TransientPageTest, AFrequencyOfAHundredthHertzOrLessIsResetToOneHertz) {
  app.record.Bandwidth = 0;
  auto page = Open();
  EXPECT_EQ(app.dialogs.Texts(), Strings{"Squarewave has been reset to 1 Hz"});
  EXPECT_EQ(Shown(*page), Expected(1));
}

// A fundamental 6 dB down is red as a whole; a gain below -100 dB only on its own line.
TEST_F(TransientPageTest, ComponentsFarDownAreRed) {
  state.SquareFreq = 3000;  // three times the bandwidth
  Open();
  std::vector<std::pair<std::string, bool>> lines;
  bool red = false;
  for (const DrawCommand& c : app.canvas.commands) {
    if (c.kind == Kind::TextColour)
      red = (c.colour == Rgb{255, 0, 0});
    const bool listed = c.text.starts_with("1st 9") || !lines.empty();
    if (c.kind == Kind::Print && listed && lines.size() < 4)  // the heading, the fundamental
      lines.emplace_back(c.text.substr(0, 5), red);
  }
  using Line = std::pair<std::string, bool>;
  EXPECT_EQ(lines, (std::vector<Line>{
                       {"1st 9", false}, {"Funda", true}, {"Freq:", true}, {"dB: -", true}}));
}

// Get waveform draws the saved file back over the plot, red after a green start and on the
// computed curve; a file too short to hold a period draws nothing and says why.
TEST_F(TransientPageTest, ASavedWaveformIsDrawnBackFromItsFile) {
  ScratchFolder folder;
  auto page = Open();
  page->Click("cmdSave");
  app.canvas.commands.clear();
  page->Click("cmdGet");
  const std::vector<DrawCommand> strokes = app.canvas.OfKind(Kind::LineTo);
  const float middle = TransientPlot::Y(state.TransientWave[100]);
  EXPECT_EQ(app.canvas.OfKind(Kind::Line).front().colour, (Rgb{0, 255, 0}));
  EXPECT_TRUE(!strokes.empty() && std::all_of(strokes.begin(), strokes.end(), [](const auto& c) {
    return c.colour == Rgb{204, 34, 34};
  }));
  EXPECT_TRUE(std::any_of(strokes.begin(), strokes.end(), [middle](const DrawCommand& c) {
    return std::fabs(c.y1 - middle) < 0.5f;
  }));
  EXPECT_EQ(app.dialogs.Texts(), Strings{});
  PutFile("KESTRO.TRAN", Joined(Strings(179, "0.5")));
  app.canvas.commands.clear();
  page->Click("cmdGet");
  EXPECT_EQ(app.canvas.OfKind(Kind::LineTo).size(), 0u);
  EXPECT_EQ(app.dialogs.Texts(), Strings{TransientPage::kNoWaveformMessage});
  page->Click("cmdExitTransient");
  EXPECT_EQ(app.navigator.calls, (Calls{{Call::Kind::Close, PageId::Transient}}));
}

}  // namespace
}  // namespace kestro::test
