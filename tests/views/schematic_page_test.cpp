// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/schematic_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/eng_value.h"
#include "printouts/print_schematic.h"
#include "support/recording_print_device.h"
#include "views_test_context.h"

namespace kestro::test {
namespace {

std::vector<float> LabelLefts(const RecordingCanvas& canvas) {
  std::vector<float> lefts;
  for (const DrawCommand& c : canvas.Printed())
    lefts.push_back(c.textX);
  return lefts;
}

// Only a drawing wider than the page gets a scroll bar; it moves the drawing to the left, every
// label with it, and its far end brings "Output" to the page's right edge, not past it.
TEST(SchematicPage, ScrollBarOnlyForWideDrawingsAndItsEndShowsTheDrawingsEnd) {
  for (const auto& [order, scrolls] :
       {std::pair(5, false), std::pair(6, false), std::pair(7, true), std::pair(11, true)}) {
    SCOPED_TRACE(order);
    ViewsTestContext app(kButterworth, static_cast<int16_t>(order));
    SchematicPage page(app.context);
    app.Show(page);
    EXPECT_EQ(page["HScroll1"].visible, scrolls);
    EXPECT_EQ(app.canvas.Printed().back().text.substr(0, 18), "Largest capacitor:");
    std::vector<float> before = LabelLefts(app.canvas);
    app.canvas.commands.clear();
    page.Spin("HScroll1", SchematicLayout::kScrollMaximum);
    const std::vector<float> after = LabelLefts(app.canvas);
    before.resize(after.size());  // without the capacitor range, which does not move
    const float shift = before[0] - after[0];
    for (std::size_t i = 0; i < after.size(); ++i)
      EXPECT_FLOAT_EQ(before[i] - after[i], shift) << "label " << i;
    const std::vector<DrawCommand> printed = app.canvas.Printed();
    const auto output = std::ranges::find(printed, "Output", &DrawCommand::text);
    ASSERT_NE(output, printed.end());
    const float outputEnd = output->textX + 80.0f * 6;  // 80 units a character
    EXPECT_LE(outputEnd, kPageWidth);
    EXPECT_GT(outputEnd, scrolls ? kPageWidth - 400 : 0);
    EXPECT_EQ(shift > 0, scrolls);
  }
}

// What a schematic shows, on either surface: its strokes and its labels.
struct Stroke {
  float x1, y1, x2, y2;
  float Length() const { return std::hypot(x2 - x1, y2 - y1); }
};
struct Label {
  float x, y;
  std::string text;
};
struct Picture {
  std::vector<Stroke> strokes;
  std::vector<Label> labels;
  float charWidth, textHeight;  // the label boxes
};

Picture OnPage(const RecordingCanvas& canvas) {
  // 80 units a character, 180 high: the page font on a 16:10 screen.
  Picture picture{{}, {}, 80, 180};
  float x = 0, y = 0;
  for (const DrawCommand& c : canvas.commands) {
    if (c.kind == Kind::Line)
      picture.strokes.push_back({c.x1, c.y1, x = c.x2, y = c.y2});
    if (c.kind == Kind::LineTo)
      picture.strokes.push_back({x, y, x = c.x1, y = c.y1});
  }
  for (const DrawCommand& c : canvas.Printed())
    picture.labels.push_back({c.textX, c.textY, c.text});
  return picture;
}

Picture OnPaper(const RecordingPrintDevice& device) {
  Picture picture{{}, {}, device.TextWidth("0"), device.TextHeight()};
  for (const std::string& call : device.calls) {
    Stroke s{};
    if (std::sscanf(call.c_str(), "Line %f,%f %f,%f", &s.x1, &s.y1, &s.x2, &s.y2) == 4)
      picture.strokes.push_back(s);
  }
  for (const RecordingPrintDevice::Text& t : device.texts)
    picture.labels.push_back({t.x, t.y, t.text});
  return picture;
}

// A box: left, top, right, bottom.
using Box = std::array<float, 4>;

bool Meet(const Box& a, const Box& b) {
  return a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3];
}

// Points every 2 % along each stroke, as tiny boxes.
std::vector<Box> StrokePoints(const Picture& picture) {
  std::vector<Box> points;
  for (const Stroke& s : picture.strokes) {
    for (float t = 0; t <= 1; t += 0.02f) {
      const float px = s.x1 + (s.x2 - s.x1) * t, py = s.y1 + (s.y2 - s.y1) * t;
      points.push_back({px, py, px + 0.01f, py + 0.01f});
    }
  }
  return points;
}

// Two strokes that pass through each other, away from both their ends: a wire drawn across a
// part or another wire. The strokes of a sign (shorter than 200) may cross.
bool Cross(const Stroke& a, const Stroke& b) {
  if (a.Length() < 200 && b.Length() < 200)
    return false;
  const float ax = a.x2 - a.x1, ay = a.y2 - a.y1, bx = b.x2 - b.x1, by = b.y2 - b.y1;
  const float det = ax * by - ay * bx;
  if (std::abs(det) < 1e-3f)
    return false;
  const float t = ((b.x1 - a.x1) * by - (b.y1 - a.y1) * bx) / det;
  const float u = ((b.x1 - a.x1) * ay - (b.y1 - a.y1) * ax) / det;
  constexpr float kEnd = 0.01f;
  return t > kEnd && t < 1 - kEnd && u > kEnd && u < 1 - kEnd;
}

// The first label whose box holds a point of a stroke or meets another label's box, else the
// first stroke crossing another; "" when the picture is clean.
std::string Clash(const Picture& picture) {
  std::vector<Box> boxes;
  for (const Label& l : picture.labels)
    boxes.push_back({l.x, l.y, l.x + picture.charWidth * static_cast<float>(l.text.size()),
                     l.y + picture.textHeight});
  const std::vector<Box> points = StrokePoints(picture);
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const auto meets = [&box = boxes[i]](const Box& other) { return Meet(box, other); };
    if (std::any_of(points.begin(), points.end(), meets) ||
        std::any_of(boxes.begin() + static_cast<long>(i) + 1, boxes.end(), meets))
      return picture.labels[i].text;
  }
  const auto& strokes = picture.strokes;
  for (std::size_t i = 0; i < strokes.size(); ++i)
    for (std::size_t j = i + 1; j < strokes.size(); ++j)
      if (Cross(strokes[i], strokes[j]))
        return "stroke at " + std::to_string(strokes[i].x1) + "," + std::to_string(strokes[i].y1);
  return "";
}

// On the page and on paper alike, no label covers a part and no wire runs across a part or
// another wire.
TEST(SchematicPage, PageAndPrintoutDrawEveryPartClearOfLabelsAndWires) {
  for (const int16_t family : {kButterworth, kChebyshev, kBessel}) {
    for (int order = 2; order <= (family == kBessel ? 10 : 11); ++order) {
      SCOPED_TRACE(std::to_string(family) + "/" + std::to_string(order));
      ViewsTestContext app(family, static_cast<int16_t>(order), family == kChebyshev ? 3.0f : 0.0f);
      app.record.Bandwidth = 1234;  // long capacitor values
      SynthesizeOrReport(app.record, app.dialogs);
      SchematicPage page(app.context);
      app.Show(page);
      EXPECT_EQ(Clash(OnPage(app.canvas)), "") << "page";
      RecordingPrintDevice paper;
      SchematicPrintout(app.record, paper, app.dialogs, app.clock).DrawSheets(paper);
      EXPECT_EQ(Clash(OnPaper(paper)), "") << "paper";
    }
  }
}

}  // namespace
}  // namespace kestro::test
