#include "plotpage/marker_page.h"

#include <gtest/gtest.h>

#include <string>

#include "plot_page_fixture.h"

namespace kestro {
namespace {

using test::PlotPageFixture;

struct MarkerPageFixture : PlotPageFixture {
  MarkerPageFixture() : PlotPageFixture(3) { markers = std::make_unique<MarkerPage>(context); }
  std::unique_ptr<MarkerPage> markers;
  void Press(const std::string& button) {
    canvas.commands.clear();
    markers->Click(button);
  }
};

TEST(MarkerPage, LayoutAndCaptions) {
  MarkerPageFixture f;
  MarkerPage& page = *f.markers;
  EXPECT_EQ(page.WindowCaption(), "Markers");
  EXPECT_EQ(page["lblTitle"].caption, "Markers");
  EXPECT_EQ(page["lblMarkerFrequency8"].caption, "Frequency 8:");
  EXPECT_EQ(page["cmdMarkerErase"].caption, "Erase all");
  EXPECT_EQ(page["cmdExit"].caption, "Return");
  // The buttons stand under the boxes and inside the page.
  EXPECT_GT(page["cmdMarkerOn"].top, page["txtMarkerFrequency8"].top);
  EXPECT_LE(page["cmdExit"].top + page["cmdExit"].height, 9000);
}

TEST(MarkerPage, OpeningShowsAndReadsBackTheFrequencies) {
  test::PlotTestContext context;
  context.record.MarkerFreq[1] = 1234.567f;  // more digits than the box shows
  context.record.MarkerFreq[2] = 0.25f;
  MarkerPage page(context.context);
  EXPECT_EQ(page["txtMarkerFrequency1"].caption, " 1.2346K ");
  EXPECT_EQ(page["txtMarkerFrequency2"].caption, " 250mH");
  EXPECT_EQ(page["txtMarkerFrequency3"].caption, "0.0 ");
  EXPECT_FLOAT_EQ(context.record.MarkerFreq[1], 1234.6f);
  EXPECT_FLOAT_EQ(context.record.MarkerFreq[2], 0.25f);
  EXPECT_EQ(context.record.MarkerFreq[3], 0.0f);
}

TEST(MarkerPage, EveryKeystrokeReachesTheRecord) {
  MarkerPageFixture f;
  f.markers->Type("txtMarkerFrequency4", "2");
  EXPECT_EQ(f.record.MarkerFreq[4], 2.0f);
  f.markers->Type("txtMarkerFrequency4", "2k");
  EXPECT_EQ(f.record.MarkerFreq[4], 2000.0f);
}

TEST(MarkerPage, ShowDrawsTheMarkersAndCloses) {
  MarkerPageFixture f;
  f.markers->Type("txtMarkerFrequency3", "1k");
  f.Press("cmdMarkerOn");
  EXPECT_EQ(f.record.MarkersOn, 1);
  EXPECT_EQ(f.canvas.commands[0].kind, test::DrawCommand::Kind::FillRect);  // PlotGain first
  EXPECT_LT(test::FindPrint(f.canvas, " 3"), f.canvas.commands.size());     // row 3
  EXPECT_EQ(f.navigator.closed, std::vector<PageId>{PageId::Marker});
}

TEST(MarkerPage, ShowWithoutFrequenciesRedrawsNothing) {
  MarkerPageFixture f;
  f.markers->Type("txtMarkerFrequency1", "-5");  // a negative frequency is no marker
  f.Press("cmdMarkerOn");
  EXPECT_EQ(f.record.MarkersOn, 0);
  EXPECT_TRUE(f.canvas.commands.empty());
  EXPECT_EQ(f.navigator.closed.size(), 1u);
}

TEST(MarkerPage, HideClearsTheTableEraseForgetsReturnKeeps) {
  MarkerPageFixture f;
  f.markers->Type("txtMarkerFrequency1", "1k");
  f.Press("cmdMarkerHide");
  EXPECT_EQ(f.record.MarkersOn, 0);
  const auto& first = f.canvas.commands[0];
  EXPECT_EQ((std::vector<float>{first.x1, first.y1, first.x2, first.y2}),
            (std::vector<float>{300, 7280, 4200, 9800}));
  EXPECT_EQ(test::FindPrint(f.canvas, "Freq:"), f.canvas.commands.size());
  EXPECT_EQ(f.record.MarkerFreq[1], 1000.0f);

  f.markers->Type("txtMarkerFrequency2", "3k");
  f.Press("cmdExit");
  EXPECT_EQ(f.record.MarkerFreq[2], 3000.0f);
  EXPECT_TRUE(f.canvas.commands.empty());

  f.record.MarkersOn = 1;
  f.Press("cmdMarkerErase");
  for (int k = 1; k <= 8; ++k)
    EXPECT_EQ(f.record.MarkerFreq[k], 0.0f) << k;
  EXPECT_EQ(f.record.MarkersOn, 0);
  EXPECT_EQ(f.navigator.closed.size(), 3u);
}

TEST(MarkerPage, WorksWhileThePlotIsClosed) {
  test::PlotTestContext context;
  MarkerPage page(context.context);
  page.Type("txtMarkerFrequency1", "1k");
  page.Click("cmdMarkerOn");
  page.Click("cmdMarkerHide");
  EXPECT_EQ(context.record.MarkersOn, 0);
  EXPECT_EQ(context.navigator.closed.size(), 2u);
}

}  // namespace
}  // namespace kestro
