#include "plotpage/marker_page.h"

#include <gtest/gtest.h>

#include "plot_test_context.h"

namespace kestro::test {
namespace {

// The boxes show the frequencies with fewer digits; every keystroke reaches the record.
TEST(MarkerPage, CaptionsAndFrequenciesReadBackAsShown) {
  PlotTestContext t;
  t.record.MarkerFreq[1] = 1234.567f;
  t.record.MarkerFreq[2] = 0.25f;
  MarkerPage page(t.context, t.link);
  Names captions{page.WindowCaption()};
  for (const char* name : {"lblMarkerFrequency8", "cmdMarkerErase", "cmdExit",
                           "txtMarkerFrequency1", "txtMarkerFrequency2", "txtMarkerFrequency3"})
    captions.push_back(page[name].caption);
  EXPECT_EQ(captions, (Names{"Markers", "Frequency 8:", "Erase all", "Return", " 1.2346K ",
                             " 250mH", "0.0 "}));
  page.Type("txtMarkerFrequency4", "2k");
  EXPECT_EQ((std::vector<float>(&t.record.MarkerFreq[1], &t.record.MarkerFreq[5])),
            (std::vector<float>{1234.6f, 0.25f, 0, 2000}));
  page.Click("cmdMarkerOn");  // without an open plot page the buttons still work
  page.Click("cmdMarkerHide");
  EXPECT_EQ(t.navigator.closed.size(), 2u);
}

// Show draws the table (a negative frequency is no marker), Hide clears it, Return keeps the
// typed frequencies, Erase all forgets them; each closes the window.
TEST(MarkerPage, ButtonsRedrawThePlotAndClose) {
  PlotPageFixture f(3);
  MarkerPage markers(f.context, f.link);
  const auto press = [&](const char* button) {
    f.canvas.commands.clear();
    markers.Click(button);
    return FindPrint(f.canvas, "Freq:") < f.canvas.commands.size();
  };
  markers.Type("txtMarkerFrequency1", "-5");
  EXPECT_FALSE(press("cmdMarkerOn"));
  EXPECT_EQ(f.record.MarkersOn, 0);
  markers.Type("txtMarkerFrequency3", "1k");
  EXPECT_TRUE(press("cmdMarkerOn"));
  EXPECT_TRUE(f.Redrawn());
  EXPECT_LT(FindPrint(f.canvas, " 3"), f.canvas.commands.size());  // row 3
  markers.Type("txtMarkerFrequency1", "1k");
  EXPECT_FALSE(press("cmdMarkerHide"));
  EXPECT_EQ(f.canvas.commands.at(0).kind, Kind::FillRect);
  EXPECT_EQ(f.record.MarkersOn, 0);
  markers.Type("txtMarkerFrequency2", "3k");
  press("cmdExit");
  EXPECT_EQ((std::vector<float>{f.record.MarkerFreq[1], f.record.MarkerFreq[2]}),
            (std::vector<float>{1000, 3000}));
  EXPECT_TRUE(f.canvas.commands.empty());
  f.record.MarkersOn = 1;
  press("cmdMarkerErase");
  EXPECT_EQ(f.record.MarkerFreq, decltype(f.record.MarkerFreq){});
  EXPECT_EQ(f.record.MarkersOn, 0);
  EXPECT_EQ(f.navigator.closed, std::vector<PageId>(5, PageId::Marker));
}

}  // namespace
}  // namespace kestro::test
