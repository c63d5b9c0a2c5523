#include "views/schematic_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/eng_value.h"
#include "views_test_context.h"

namespace kestro::test {
namespace {

TEST(SchematicPage, ScrollBarOnlyForDrawingsWiderThanThePage) {
  const std::tuple<int16_t, float, bool> cases[] = {
      {2, 6500, false}, {5, 16000, false}, {6, 19500, true}, {11, 35500, true}};
  for (const auto& [order, width, scrolls] : cases) {
    ViewsTestContext app(kButterworth, order);
    SchematicPage page(app.context);
    EXPECT_EQ(std::tuple(page.Layout().W, page["HScroll1"].visible), std::tuple(width, scrolls))
        << order;
  }
}

// The first resistor's value sits 490 units right of the drawing's left end.
TEST(SchematicPage, ScrollingMovesTheWholeDrawing) {
  ViewsTestContext app(kButterworth, 6);
  SchematicPage page(app.context);
  app.Show(page);
  EXPECT_EQ(app.canvas.Printed().front().textX, 1000 + 490);
  app.canvas.commands.clear();
  page.Spin("HScroll1", 10000);
  EXPECT_NEAR(page.X0(), 1000 - 19500.0 * 10000 / 32767, 0.01);
  EXPECT_NEAR(page.X0(), -4951, 1);
  EXPECT_NEAR(app.canvas.Printed().front().textX, page.X0() + 490, 0.01);
}

// C1 counts only where the circuit has it: in the three-pole stage of an odd order.
TEST(SchematicPage, CapacitorRangeLeavesOutTheAbsentFirstCapacitor) {
  struct Case {
    int16_t order;
    std::array<float, 4> stage1, stage2;
    float smallest, largest;
  };
  const Case cases[] = {{4, {0, 1e-13f, 5e-9f, 2e-9f}, {0, 1e-13f, 8e-9f, 3e-9f}, 2e-9f, 8e-9f},
                        {4, {0, 1e-10f, 5e-9f, 2e-9f}, {0, 9e-8f, 8e-9f, 3e-9f}, 2e-9f, 8e-9f},
                        {5, {0, 5e-10f, 5e-9f, 2e-9f}, {0, 1e-13f, 8e-9f, 3e-9f}, 5e-10f, 8e-9f}};
  for (const Case& c : cases) {
    ViewsTestContext app(kManual, c.order);
    std::tie(app.record.C[1], app.record.C[2]) = std::pair(c.stage1, c.stage2);
    SchematicPage page(app.context);
    app.Show(page);
    EXPECT_EQ(std::tuple(app.PrintedAt(2000, 4500), app.PrintedAt(2000, 4740)),
              std::tuple(Strings{"Smallest capacitor: " + FormatCap(c.smallest)},
                         Strings{"Largest capacitor: " + FormatCap(c.largest)}))
        << c.order;
  }
}

// A text's box on a 16:10 screen: 80 units a character, 180 high (the page font is 144).
struct Box {
  float x1, y1, x2, y2;
  bool Holds(float x, float y) const { return x > x1 && x < x2 && y > y1 && y < y2; }
  bool Meets(const Box& o) const { return x1 < o.x2 && o.x1 < x2 && y1 < o.y2 && o.y1 < y2; }
};

std::vector<Box> LabelBoxes(const RecordingCanvas& canvas) {
  std::vector<Box> labels;
  for (const DrawCommand& c : canvas.Printed()) {
    labels.push_back(
        {c.textX, c.textY, c.textX + 80.0f * static_cast<float>(c.text.size()), c.textY + 180});
  }
  return labels;
}

// Points every fiftieth of each stroke, and the small filled marks (junctions) as boxes.
void PartsOf(const RecordingCanvas& canvas, std::vector<std::pair<float, float>>& points,
             std::vector<Box>& marks) {
  float x = 0, y = 0;
  for (const DrawCommand& c : canvas.commands) {
    if (c.kind == Kind::FillRect && c.x2 - c.x1 < 100)
      marks.push_back({c.x1, c.y1, c.x2, c.y2});
    if (c.kind != Kind::Line && c.kind != Kind::LineTo)
      continue;
    const bool line = c.kind == Kind::Line;
    const float fromX = line ? c.x1 : x, fromY = line ? c.y1 : y;
    std::tie(x, y) = line ? std::pair(c.x2, c.y2) : std::pair(c.x1, c.y1);
    for (int step = 0; step <= 50; ++step) {
      const float t = static_cast<float>(step) / 50;
      points.emplace_back(fromX + (x - fromX) * t, fromY + (y - fromY) * t);
    }
  }
}

// The first label that meets a part or another label; "" when none does.
std::string Clash(const RecordingCanvas& canvas) {
  const std::vector<Box> labels = LabelBoxes(canvas);
  std::vector<std::pair<float, float>> points;
  std::vector<Box> marks;
  PartsOf(canvas, points, marks);
  for (std::size_t i = 0; i < labels.size(); ++i) {
    const Box& label = labels[i];
    const auto inside = [&label](const auto& p) { return label.Holds(p.first, p.second); };
    const auto meets = [&label](const Box& other) { return label.Meets(other); };
    if (std::any_of(points.begin(), points.end(), inside) ||
        std::any_of(marks.begin(), marks.end(), meets) ||
        std::any_of(labels.begin() + static_cast<long>(i) + 1, labels.end(), meets))
      return canvas.Printed()[i].text;
  }
  return "";
}

TEST(SchematicPage, LabelsNeverOverlapAPart) {
  for (const int16_t family : {kButterworth, kChebyshev, kBessel}) {
    for (int order = 2; order <= (family == kBessel ? 10 : 11); ++order) {
      ViewsTestContext app(family, static_cast<int16_t>(order), family == kChebyshev ? 3.0f : 0.0f);
      app.record.Bandwidth = 1234;  // long capacitor values
      SynthesizeFamilyDesign(app.record, app.dialogs);
      SchematicPage page(app.context);
      app.Show(page);
      EXPECT_EQ(Clash(app.canvas), "") << family << "/" << order;
    }
  }
}

}  // namespace
}  // namespace kestro::test
