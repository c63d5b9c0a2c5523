#include "views/transient_page.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    if (c.kind == Kind::Print && c.textX == 400 && c.textY <= 1400)
      lines.emplace_back(c.text.substr(0, 5), red);
  }
  using Line = std::pair<std::string, bool>;
  EXPECT_EQ(lines, (std::vector<Line>{
                       {"1st 9", false}, {"Funda", true}, {"Freq:", true}, {"dB: -", true}}));
}

std::vector<float> Heights(const std::vector<DrawCommand>& strokes) {
  std::vector<float> heights(strokes.size());
  std::transform(strokes.begin(), strokes.end(), heights.begin(),
                 [](const DrawCommand& c) { return c.y1; });
  return heights;
}

// A page in a scratch folder whose waveform was saved: the file's 181 lines.
struct WaveformFileTest : TransientPageTest {
  WaveformFileTest() : page(Open()) {
    page->Click("cmdSave");
    lines = SplitCrLf(FileText("KESTRO.TRAN"));
  }
  // The strokes drawn by Get waveform from the first `values` lines of the file.
  std::vector<DrawCommand> DrawnBack(std::size_t values) {
    PutFile("KESTRO.TRAN", Joined({lines.begin(), lines.begin() + static_cast<long>(values)}));
    app.canvas.commands.clear();
    page->Click("cmdGet");
    return app.canvas.OfKind(Kind::LineTo);
  }
  ScratchFolder folder;
  std::unique_ptr<TransientPage> page;
  Strings lines;
};

// All 181 values: 396 red segments after a green first point, on the computed curve. 180 values
// still draw the whole curve, since t = 180 mirrors t = 0.
TEST_F(WaveformFileTest, SavedWaveformIsDrawnBackOverThePlot) {
  ASSERT_EQ(lines.size(), 181u);
  const std::vector<DrawCommand> full = DrawnBack(181);
  ASSERT_EQ(full.size(), 396u);
  EXPECT_EQ(app.canvas.OfKind(Kind::Line).front().colour, (Rgb{0, 255, 0}));
  EXPECT_EQ(full[0].colour, (Rgb{204, 34, 34}));
  EXPECT_NEAR(full[100 + 35].y1, TransientPlot::Y(state.TransientWave[100]), 0.5);
  EXPECT_EQ(Heights(DrawnBack(180)), Heights(full));
  EXPECT_EQ(app.dialogs.Texts(), Strings{});
}

TEST_F(WaveformFileTest, AShorterFileDrawsNothingAndReturnCloses) {
  EXPECT_TRUE(DrawnBack(179).empty());
  EXPECT_EQ(app.dialogs.Texts(), Strings{TransientPage::kNoWaveformMessage});
  page->Click("cmdExitTransient");
  EXPECT_EQ(app.navigator.calls, (Calls{{Call::Kind::Close, PageId::Transient}}));
}

}  // namespace
}  // namespace kestro::test
