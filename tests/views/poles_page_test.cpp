#include "views/poles_page.h"

#include <gtest/gtest.h>

#include <cmath>

#include "views_test_context.h"

namespace kestro::test {
namespace {

struct PoleCase {
  int16_t family, order;
  float apass;
  int16_t scale;
  std::vector<std::pair<float, float>> first;  // the first poles in listing order
};

// Butterworth and Chebyshev against their closed forms, Bessel against the roots of its reverse
// polynomial in the listing's slot order.
TEST(PolesPage, ComputesThePolesAndTheScaleOfEachFamily) {
  const PoleCase cases[] = {
      {kButterworth, 3, 0, 1, {{-0.5f, 0.8660254f}, {-1, 0}, {-0.5f, -0.8660254f}}},
      {kChebyshev, 2, 1, 2, {{-0.5489f, 0.8951f}, {-0.5489f, -0.8951f}}},
      {kBessel, 8, 0, 7, {{-5.2048408f, 2.6161752f}, {-5.2048408f, -2.6161752f}}},
      {kBessel, 9, 0, 8, {{-6.1293679f, 1.7378484f}, {-6.1293679f, -1.7378484f}, {-6.2970192f, 0}}},
      {kBessel,
       10,
       0,
       9,
       {{-6.615291f, 2.6115679f},
        {-6.615291f, -2.6115679f},
        {-6.9220449f, 0.8676652f},
        {-6.9220449f, -0.8676652f}}},
      {kBessel, 3, 0, 3, {{-2.3221854f, 0}, {-1.8389073f, -1.754381f}, {-1.8389073f, 1.754381f}}}};
  for (const PoleCase& c : cases) {
    ViewsTestContext app(c.family, c.order, c.apass);
    const PolesPage page(app.context);
    EXPECT_EQ(page.PoleScale(), c.scale) << c.family << "/" << c.order;
    // Listed poles to 5e-5, as (X, Y) rounded to units of 1e-4.
    std::vector<std::pair<long, long>> listed, expected;
    for (std::size_t k = 1; k <= c.first.size(); ++k) {
      listed.emplace_back(std::lrint(page.Poles().PoleX[k] * 1e4f),
                          std::lrint(page.Poles().PoleY[k] * 1e4f));
      expected.emplace_back(std::lrint(c.first[k - 1].first * 1e4f),
                            std::lrint(c.first[k - 1].second * 1e4f));
    }
    EXPECT_EQ(listed, expected) << c.family << "/" << c.order;
  }
  // Bessel 10's product of pole magnitudes is its polynomial's constant term, 20! / (2^10 10!).
  ViewsTestContext bessel(kBessel, 10);
  const PolesPage page(bessel.context);
  double product = 1;
  for (std::size_t k = 1; k <= 10; ++k)
    product *= std::hypot(page.Poles().PoleX[k], page.Poles().PoleY[k]);
  EXPECT_NEAR(product / 654729075.0, 1, 1e-6);
}

TEST(PolesPage, ABesselDesignAboveOrderTenIsShownAndKeptAsTen) {
  ViewsTestContext app(kBessel, 10);
  app.record.Order = 11;
  PolesPage page(app.context);
  app.Show(page);
  EXPECT_EQ(std::tuple(app.record.Order, app.PrintedAt(8600, 300 * 11 + 1400)),
            std::tuple(int16_t{10}, Strings{"Order: 10"}));
}

TEST(PolesPage, ListsEveryPoleThenFamilyOrderAndRipple) {
  ViewsTestContext app(kChebyshev, 11, 1);
  PolesPage page(app.context);
  app.Show(page);
  const std::vector<DrawCommand> printed = app.canvas.Printed();
  ASSERT_EQ(printed.size(), 2u * 11 + 3);
  EXPECT_EQ(std::tuple(printed[0].text.substr(0, 6), printed[0].textY, printed[1].textX),
            std::tuple(std::string("X(1): "), 800.0f, 10000.0f));
  EXPECT_EQ(app.PrintedAt(8600, 300 * 12 + 1100), Strings{"Family:  Chebyshev"});
  EXPECT_EQ(app.PrintedAt(8600, 5300), Strings{"Apass: 1"});
  const std::vector<DrawCommand> dots = app.canvas.OfKind(Kind::Point);
  EXPECT_EQ(std::count_if(dots.begin(), dots.end(),
                          [](const DrawCommand& c) {
                            return c.colour == Rgb{255, 0, 0};
                          }),
            11);
}

TEST(PolesPage, GridTogglesTheRectangularGridAndReturnCloses) {
  ViewsTestContext app(kButterworth, 5);
  PolesPage page(app.context);
  app.Show(page);
  const auto pinkLines = [&app] {
    const std::vector<DrawCommand> lines = app.canvas.OfKind(Kind::Line);
    return std::count_if(lines.begin(), lines.end(), [](const DrawCommand& c) {
      return c.colour == Rgb{255, 153, 153};
    });
  };
  const std::size_t opening = app.canvas.commands.size();
  std::vector<long> grids;
  for (int click = 0; click < 2; ++click) {
    app.canvas.commands.clear();
    page.Click("cmdGrid");
    EXPECT_EQ(app.canvas.commands.front().kind, Kind::Clear);
    grids.push_back(pinkLines());
  }
  // 11 vertical lines (0..1 by 0.1) and 21 horizontal ones (-1..1); then none, as on opening.
  EXPECT_EQ(grids, (std::vector<long>{11 + 21, 0}));
  EXPECT_EQ(std::tuple(page.GridOn(), app.canvas.commands.size()), std::tuple(0, opening + 1));
  page.Click("cmdExit");
  EXPECT_EQ(app.navigator.calls, (Calls{{Call::Kind::Close, PageId::Poles}}));
}

}  // namespace
}  // namespace kestro::test
