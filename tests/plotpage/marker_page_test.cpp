// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/marker_page.h"

#include <gtest/gtest.h>

#include "plot_test_context.h"

namespace kestro::test {
namespace {

// The boxes show the frequencies with fewer digits and read them back as shown; every keystroke
// reaches the record. Show draws the table (a negative frequency is no marker), Hide clears it,
// Return keeps the typed frequencies, Erase all forgets them; each closes the window.
TEST(MarkerPage, FrequenciesAndButtons) {
  PlotPageFixture f(3);
  f.record.MarkerFreq[1] = 1234.567f;
  f.record.MarkerFreq[2] = 0.25f;
  MarkerPage markers(f.context, f.link);
  Names captions{markers.WindowCaption()};
  for (const char* name : {"lblMarkerFrequency8", "cmdMarkerErase", "cmdExit",
                           "txtMarkerFrequency1", "txtMarkerFrequency2", "txtMarkerFrequency3"})
    captions.push_back(markers[name].caption);
  EXPECT_EQ(captions, (Names{"Markers", "Frequency 8:", "Erase all", "Return", " 1.2346K ",
                             " 250mH", "0.0 "}));
  const auto press = [&](const char* button) {
    f.canvas.commands.clear();
    markers.Click(button);
    return f.Shows("Freq:");
  };
  markers.Type("txtMarkerFrequency2", "-5");
  markers.Type("txtMarkerFrequency3", "3k");
  EXPECT_EQ(Floats(&f.record.MarkerFreq[1], &f.record.MarkerFreq[4]), (Floats{1234.6f, -5, 3000}));
  EXPECT_TRUE(press("cmdMarkerOn"));
  EXPECT_TRUE(f.Redrawn());
  EXPECT_FALSE(f.Shows(" 2"));
  EXPECT_TRUE(f.Shows(" 3"));
  EXPECT_FALSE(press("cmdMarkerHide"));
  EXPECT_EQ(f.record.MarkersOn, 0);
  markers.Type("txtMarkerFrequency4", "2k");
  press("cmdExit");
  EXPECT_EQ(f.record.MarkerFreq[4], 2000.0f);
  EXPECT_TRUE(f.canvas.commands.empty());
  f.record.MarkersOn = 1;
  press("cmdMarkerErase");
  EXPECT_EQ(f.record.MarkerFreq, decltype(f.record.MarkerFreq){});
  EXPECT_EQ(f.record.MarkersOn, 0);
  EXPECT_EQ(f.navigator.closed, std::vector<PageId>(4, PageId::Marker));
  f.page.reset();  // without an open plot page the buttons still work
  markers.Click("cmdMarkerOn");
  EXPECT_EQ(f.navigator.closed.size(), 5u);
}

}  // namespace
}  // namespace kestro::test
