#include "views/schematic_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/eng_value.h"
#include "views_test_context.h"

namespace kestro::test {
namespace {

std::vector<float> LabelLefts(const RecordingCanvas& canvas) {
  std::vector<float> lefts;
  for (const DrawCommand& c : canvas.Printed())
    lefts.push_back(c.textX);
  return lefts;
}

// Wide drawings get a scroll bar; it moves the drawing to the left, every label with it.
TEST(SchematicPage, ScrollBarOnlyForWideDrawingsAndItsEndShowsTheDrawingsEnd) {
  for (const auto& [order, scrolls] :
       {std::pair(5, false), std::pair(6, true), std::pair(11, true)}) {
    ViewsTestContext app(kButterworth, static_cast<int16_t>(order));
    SchematicPage page(app.context);
    app.Show(page);
    EXPECT_EQ(page["HScroll1"].visible, scrolls) << order;
    EXPECT_EQ(app.canvas.Printed().back().text.substr(0, 18), "Largest capacitor:");
    std::vector<float> before = LabelLefts(app.canvas);
    app.canvas.commands.clear();
    page.Spin("HScroll1", SchematicLayout::kScrollMaximum);
    const std::vector<float> after = LabelLefts(app.canvas);
    before.resize(after.size());  // without the capacitor range, which does not move
    const float shift = before[0] - after[0];
    for (std::size_t i = 0; i < after.size(); ++i)
      EXPECT_FLOAT_EQ(before[i] - after[i], shift) << order << " label " << i;
    EXPECT_GT(shift, 0) << order;
  }
}

// A box: left, top, right, bottom.
using Box = std::array<float, 4>;

bool Meet(const Box& a, const Box& b) {
  return a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3];
}

// Points every 2 % along each stroke, as tiny boxes.
std::vector<Box> StrokePoints(const RecordingCanvas& canvas) {
  std::vector<Box> points;
  float x = 0, y = 0;
  for (const DrawCommand& c : canvas.commands) {
    if (c.kind != Kind::Line && c.kind != Kind::LineTo)
      continue;
    const float fromX = c.kind == Kind::Line ? c.x1 : x, fromY = c.kind == Kind::Line ? c.y1 : y;
    x = c.kind == Kind::Line ? c.x2 : c.x1;
    y = c.kind == Kind::Line ? c.y2 : c.y1;
    for (float t = 0; t <= 1; t += 0.02f) {
      const float px = fromX + (x - fromX) * t, py = fromY + (y - fromY) * t;
      points.push_back({px, py, px + 0.01f, py + 0.01f});
    }
  }
  return points;
}

// The first label whose box (80 units a character, 180 high: the page font on a 16:10 screen)
// holds a point of a stroke or meets another label's box; "" when none does.
std::string Clash(const RecordingCanvas& canvas) {
  std::vector<Box> boxes;
  for (const DrawCommand& c : canvas.Printed())
    boxes.push_back(
        {c.textX, c.textY, c.textX + 80.0f * static_cast<float>(c.text.size()), c.textY + 180});
  const std::vector<Box> points = StrokePoints(canvas);
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const auto meets = [&box = boxes[i]](const Box& other) { return Meet(box, other); };
    if (std::any_of(points.begin(), points.end(), meets) ||
        std::any_of(boxes.begin() + static_cast<long>(i) + 1, boxes.end(), meets))
      return canvas.Printed()[i].text;
  }
  return "";
}

TEST(SchematicPage, LabelsNeverOverlapAPart) {
  for (const int16_t family : {kButterworth, kChebyshev, kBessel}) {
    for (int order = 2; order <= (family == kBessel ? 10 : 11); ++order) {
      ViewsTestContext app(family, static_cast<int16_t>(order), family == kChebyshev ? 3.0f : 0.0f);
      app.record.Bandwidth = 1234;  // long capacitor values
      SynthesizeOrReport(app.record, app.dialogs);
      SchematicPage page(app.context);
      app.Show(page);
      EXPECT_EQ(Clash(app.canvas), "") << family << "/" << order;
    }
  }
}

}  // namespace
}  // namespace kestro::test
