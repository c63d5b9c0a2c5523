// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/backed_canvas.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/qt/qt_test_support.h"

namespace kestro::test {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kBack{238, 255, 255};

// Each command is in the image at once, and the window learns to repaint every pixel it changed
// (the page window test shows the drawing again after resizes).
TEST(BackedCanvas, PaintsAtOnceAndMarksWhatChanged) {
  BackedCanvas canvas;
  canvas.SetBackground(QColor(238, 255, 255));
  canvas.Resize(QSize(1200, 900));
  canvas.FillRect(6000, 0, 12000, 4500, kRed);
  canvas.Line(0, 6000, 12000, 6000, kBlue);
  EXPECT_TRUE(canvas.TakeDirty().contains(QRect(0, 0, 1200, 601)));
  EXPECT_TRUE(canvas.TakeDirty().isNull());
  const QImage& before = canvas.Image();
  EXPECT_EQ((std::vector{PixelAt(before, 900, 200), PixelAt(before, 300, 200),
                         PixelAt(before, 300, 600), PixelAt(before, 300, 601)}),
            (std::vector{kRed, kBack, kBlue, kBack}));
}

}  // namespace
}  // namespace kestro::test
