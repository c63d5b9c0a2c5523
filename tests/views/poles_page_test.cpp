#include "views/poles_page.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/eng_value.h"
#include "views_test_context.h"

namespace kestro::test {
namespace {

// Butterworth and Chebyshev against their closed forms, Bessel against the roots of its reverse
// polynomial in the listing's slot order; compared in units of 1e-4.
TEST(PolesPage, ComputesThePolesAndTheScaleOfEachFamily) {
  const struct {
    int16_t family, order;
    float apass;
    int16_t scale;
    std::vector<float> first;  // X1, Y1, X2, Y2, ... of the first poles in listing order
  } cases[] = {
      {kButterworth, 3, 0, 1, {-0.5f, 0.8660254f, -1, 0, -0.5f, -0.8660254f}},
      {kChebyshev, 2, 1, 2, {-0.5489f, 0.8951f, -0.5489f, -0.8951f}},
      {kBessel, 3, 0, 3, {-2.3221854f, 0, -1.8389073f, -1.754381f, -1.8389073f, 1.754381f}},
      {kBessel, 8, 0, 7, {-5.2048408f, 2.6161752f, -5.2048408f, -2.6161752f}},
      {kBessel, 9, 0, 8, {-6.1293679f, 1.7378484f, -6.1293679f, -1.7378484f, -6.2970192f, 0}},
      {kBessel, 10, 0, 9, {-6.615291f, 2.6115679f, -6.615291f, -2.6115679f, -6.9220449f}}};
  for (const auto& c : cases) {
    ViewsTestContext app(c.family, c.order, c.apass);
    const PolesPage page(app.context);
    std::vector<long> listed, expected;
    for (std::size_t i = 0; i < c.first.size(); ++i) {
      const auto& part = i % 2 == 0 ? page.Poles().PoleX : page.Poles().PoleY;
      listed.push_back(std::lrint(part[i / 2 + 1] * 1e4f));
      expected.push_back(std::lrint(c.first[i] * 1e4f));
    }
    EXPECT_EQ(listed, expected) << c.family << "/" << c.order;
    EXPECT_EQ(page.PoleScale(), c.scale) << c.family << "/" << c.order;
  }
}

// Every pole, a red point and a line of X and Y each, then the family, the order and the ripple.
// A Bessel design above order 10 is shown, and kept, as order 10. Grid adds the rectangular grid
// and takes it away again.
TEST(PolesPage, ListsEveryPoleThenFamilyOrderAndRippleAndGridToggles) {
  for (const auto& [family, apass, shown, name] :
       {std::tuple(kChebyshev, 1.0f, 11, "Chebyshev"), std::tuple(kBessel, 0.0f, 10, "Bessel")}) {
    ViewsTestContext app(family, 10, apass);
    app.record.Order = 11;
    PolesPage page(app.context);
    app.Show(page);
    Strings printed;
    for (const DrawCommand& c : app.canvas.Printed())
      printed.push_back(c.text);
    ASSERT_EQ(printed.size(), 2u * static_cast<std::size_t>(shown) + 3) << name;
    EXPECT_EQ(printed.front(), "X(1): " + FormatNum(-page.Poles().PoleX[1]));
    EXPECT_EQ(Strings(printed.end() - 3, printed.end()),
              (Strings{std::string("Family:  ") + name, "Order: " + std::to_string(shown),
                       "Apass: " + PlainNumber(apass)}));
    const auto count = [&app](Kind kind, Rgb colour) {
      const auto drawn = app.canvas.OfKind(kind);
      return std::count_if(drawn.begin(), drawn.end(),
                           [colour](const DrawCommand& c) { return c.colour == colour; });
    };
    EXPECT_EQ(count(Kind::Point, Rgb{255, 0, 0}), shown) << name;
    EXPECT_EQ(app.record.Order, shown);
    std::vector<bool> grid{count(Kind::Line, Rgb{255, 153, 153}) > 0};
    for (int click = 0; click < 2; ++click) {
      app.canvas.commands.clear();
      page.Click("cmdGrid");
      grid.push_back(count(Kind::Line, Rgb{255, 153, 153}) > 0);
    }
    EXPECT_EQ(grid, (std::vector<bool>{false, true, false})) << name;
  }
}

}  // namespace
}  // namespace kestro::test
