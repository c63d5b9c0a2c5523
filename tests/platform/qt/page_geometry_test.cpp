#include "platform/qt/page_geometry.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

// The page font is 0.016 of the screen height: a page filling a 1280 x 800 screen, a window at
// 40 % of a 1080-pixel screen (which keeps the screen's font), and a control at font scale 2.
TEST(PageGeometry, FontIsAShareOfTheScreenHeight) {
  EXPECT_NEAR(PageGeometry(QSizeF(1280, 800)).FontPixels(), 12.8, 1e-3);
  EXPECT_NEAR(PageGeometry(QSizeF(768, 432), 0.4f).FontPixels(), 17.28, 1e-3);
  EXPECT_NEAR(PageGeometry(QSizeF(1920, 1080)).FontPixels(2.0f), 34.56, 1e-3);
}

}  // namespace
}  // namespace kestro
