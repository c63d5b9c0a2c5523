#include "views/schematic_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/eng_value.h"
#include "views_test_context.h"

namespace kestro::test {
namespace {

// The scroll bar shows for drawings wider than the page; the first resistor's value sits 490
// units right of the drawing's left end, which the bar moves.
TEST(SchematicPage, ScrollBarOnlyForWideDrawingsAndItMovesTheWholeDrawing) {
  for (const auto& [order, width, scrolls] :
       {std::tuple(2, 6500.0f, false), std::tuple(5, 16000.0f, false),
        std::tuple(6, 19500.0f, true), std::tuple(11, 35500.0f, true)}) {
    ViewsTestContext app(kButterworth, static_cast<int16_t>(order));
    SchematicPage page(app.context);
    app.Show(page);
    EXPECT_EQ(std::tuple(page.Layout().W, page["HScroll1"].visible, page.X0()),
              std::tuple(width, scrolls, 1000.0f));
    app.canvas.commands.clear();
    page.Spin("HScroll1", 10000);  // order 6: 1000 - 19500 * 10000 / 32767
    EXPECT_NEAR(page.X0(), order == 6 ? -4951.1 : 1000 - width * 10000 / 32767, 0.1);
    EXPECT_NEAR(app.canvas.Printed().front().textX, page.X0() + 490, 0.01);
  }
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

// The first label whose box (80 units a character, 180 high: the page font on a 16:10 screen)
// holds a point of a stroke or meets another label's box; "" when none does.
std::string Clash(const RecordingCanvas& canvas) {
  std::vector<std::array<float, 4>> boxes;
  for (const DrawCommand& c : canvas.Printed())
    boxes.push_back(
        {c.textX, c.textY, c.textX + 80.0f * static_cast<float>(c.text.size()), c.textY + 180});
  std::vector<std::pair<float, float>> points;
  float x = 0, y = 0;
  for (const DrawCommand& c : canvas.commands) {
    if (c.kind != Kind::Line && c.kind != Kind::LineTo)
      continue;
    const float fromX = c.kind == Kind::Line ? c.x1 : x, fromY = c.kind == Kind::Line ? c.y1 : y;
    std::tie(x, y) = c.kind == Kind::Line ? std::pair(c.x2, c.y2) : std::pair(c.x1, c.y1);
    for (float t = 0; t <= 1; t += 0.02f)
      points.emplace_back(fromX + (x - fromX) * t, fromY + (y - fromY) * t);
  }
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const auto [x1, y1, x2, y2] = boxes[i];
    const auto inside = [&](const auto& p) {
      return p.first > x1 && p.first < x2 && p.second > y1 && p.second < y2;
    };
    const auto meets = [&](const auto& o) {
      return x1 < o[2] && o[0] < x2 && y1 < o[3] && o[1] < y2;
    };
    if (std::any_of(points.begin(), points.end(), inside) ||
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
