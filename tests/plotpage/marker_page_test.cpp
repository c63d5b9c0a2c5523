#include "plotpage/marker_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot_test_context.h"

namespace kestro {
namespace {

using test::FindPrint;
using test::Names;

TEST(MarkerPage, CaptionsAndFrequenciesReadBackAsShown) {
  test::PlotTestContext context;
  context.record.MarkerFreq[1] = 1234.567f;  // more digits than the box shows
  context.record.MarkerFreq[2] = 0.25f;
  MarkerPage page(context.context, context.link);
  EXPECT_EQ(page.WindowCaption(), "Markers");
  Names captions;
  for (const char* name : {"lblTitle", "lblMarkerFrequency8", "cmdMarkerErase", "cmdExit",
                           "txtMarkerFrequency1", "txtMarkerFrequency2", "txtMarkerFrequency3"})
    captions.push_back(page[name].caption);
  EXPECT_EQ(captions, (Names{"Markers", "Frequency 8:", "Erase all", "Return", " 1.2346K ",
                             " 250mH", "0.0 "}));
  // Every keystroke reaches the record; untouched boxes are read back as shown.
  page.Type("txtMarkerFrequency4", "2");
  EXPECT_EQ(context.record.MarkerFreq[4], 2.0f);
  page.Type("txtMarkerFrequency4", "2k");
  EXPECT_EQ((std::vector<float>(&context.record.MarkerFreq[1], &context.record.MarkerFreq[5])),
            (std::vector<float>{1234.6f, 0.25f, 0, 2000}));
  // Without an open plot page the buttons still work.
  page.Click("cmdMarkerOn");
  page.Click("cmdMarkerHide");
  EXPECT_EQ(context.record.MarkersOn, 0);
  EXPECT_EQ(context.navigator.closed.size(), 2u);
}

TEST(MarkerPage, ButtonsRedrawThePlotAndClose) {
  test::PlotPageFixture f(3);
  MarkerPage markers(f.context, f.link);
  const auto press = [&](const char* button) {
    f.canvas.commands.clear();
    markers.Click(button);
  };
  markers.Type("txtMarkerFrequency1", "-5");  // a negative frequency is no marker
  press("cmdMarkerOn");
  EXPECT_EQ(f.record.MarkersOn, 0);
  EXPECT_TRUE(f.canvas.commands.empty());
  EXPECT_EQ(f.navigator.closed, std::vector<PageId>{PageId::Marker});
  markers.Type("txtMarkerFrequency3", "1k");
  press("cmdMarkerOn");
  EXPECT_EQ(f.record.MarkersOn, 1);
  EXPECT_TRUE(f.Redrawn());
  EXPECT_LT(FindPrint(f.canvas, " 3"), f.canvas.commands.size());  // row 3
  // Hide clears the table, Return keeps the typed frequencies, Erase all forgets them.
  markers.Type("txtMarkerFrequency1", "1k");
  press("cmdMarkerHide");
  EXPECT_EQ(f.record.MarkersOn, 0);
  ASSERT_FALSE(f.canvas.commands.empty());
  EXPECT_EQ(f.canvas.commands[0].kind, test::Kind::FillRect);
  EXPECT_EQ(FindPrint(f.canvas, "Freq:"), f.canvas.commands.size());
  EXPECT_EQ(f.record.MarkerFreq[1], 1000.0f);
  markers.Type("txtMarkerFrequency2", "3k");
  press("cmdExit");
  EXPECT_EQ(f.record.MarkerFreq[2], 3000.0f);
  EXPECT_TRUE(f.canvas.commands.empty());
  f.record.MarkersOn = 1;
  press("cmdMarkerErase");
  EXPECT_EQ(f.record.MarkerFreq, decltype(f.record.MarkerFreq){});
  EXPECT_EQ(f.record.MarkersOn, 0);
  EXPECT_EQ(f.navigator.closed.size(), 5u);
}

}  // namespace
}  // namespace kestro
