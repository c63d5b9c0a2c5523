// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/print_poles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "support/recording_print_device.h"
#include "views/views_test_context.h"

namespace kestro {
namespace {

// The polar grid's lines end on the imaginary axis, its rightmost points, and reach as far up
// and down as to the left: the outermost half circle is round on paper. The rectangular grid
// is printed only when asked for.
TEST(PolesPrintout, CirclesStayRoundAndTheRectangularGridOnlyWhenAsked) {
  for (const bool rectangularGrid : {false, true}) {
    SCOPED_TRACE(rectangularGrid);
    test::ViewsTestContext app(kChebyshev, 6, 1);
    test::RecordingPrintDevice device;
    test::ScriptedDialogs dialogs;
    ASSERT_TRUE(PolesPrintout(app.record, rectangularGrid, device, dialogs).Run());
    float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
    int rectangularLines = 0;
    for (const std::string& call : device.calls) {
      float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
      int r = 0, g = 0, b = 0;
      if (std::sscanf(call.c_str(), "Line %f,%f %f,%f %d,%d,%d", &x1, &y1, &x2, &y2, &r, &g, &b) !=
          7)
        continue;
      rectangularLines += r == 255 && g == 153 && b == 153 ? 1 : 0;
      if (r != 17 || g != 17 || b != 119)
        continue;
      left = std::min({left, x1, x2}), right = std::max({right, x1, x2});
      top = std::min({top, y1, y2}), bottom = std::max({bottom, y1, y2});
    }
    EXPECT_GT(right - left, 1000);
    EXPECT_NEAR(right - left, (bottom - top) / 2, 1);
    EXPECT_EQ(rectangularLines > 0, rectangularGrid);
  }
}

}  // namespace
}  // namespace kestro
