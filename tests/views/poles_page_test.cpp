// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/poles_page.h"

#include <gtest/gtest.h>

#include "core/eng_value.h"
#include "views_test_context.h"

namespace kestro::test {
namespace {

// Every pole, a red point and a line of X and Y each, then the family, the order and the ripple.
// A Bessel design above order 10 is shown, and kept, as order 10. Grid adds the rectangular grid
// and takes it away again.
TEST(PolesPage, ListsEveryPoleThenFamilyOrderAndRippleAndGridToggles) {
  for (const auto& [family, apass, shown, name] :
       {std::tuple(kChebyshev, 1.0f, 11, "Chebyshev"), std::tuple(kBessel, 0.0f, 10, "Bessel")}) {
    SCOPED_TRACE(name);
    ViewsTestContext app(family, 10, apass);
    app.record.Order = 11;
    PolesPage page(app.context);
    app.Show(page);
    Strings printed;
    for (const DrawCommand& c : app.canvas.Printed())
      printed.push_back(c.text);
    ASSERT_EQ(printed.size(), 2u * static_cast<std::size_t>(shown) + 3);
    EXPECT_EQ(printed.front(), "X(1): " + FormatNum(-page.Poles().PoleX[1]));
    EXPECT_EQ(Strings(printed.end() - 3, printed.end()),
              (Strings{std::string("Family:  ") + name, "Order: " + std::to_string(shown),
                       "Apass: " + PlainNumber(apass)}));
    const auto count = [&app](Kind kind, Rgb colour) {
      const auto drawn = app.canvas.OfKind(kind);
      return std::count_if(drawn.begin(), drawn.end(),
                           [colour](const DrawCommand& c) { return c.colour == colour; });
    };
    EXPECT_EQ(count(Kind::Point, Rgb{255, 0, 0}), shown);
    EXPECT_EQ(app.record.Order, shown);
    std::vector<bool> grid{count(Kind::Line, Rgb{255, 153, 153}) > 0};
    for (int click = 0; click < 2; ++click) {
      app.canvas.commands.clear();
      page.Click("cmdGrid");
      grid.push_back(count(Kind::Line, Rgb{255, 153, 153}) > 0);
    }
    EXPECT_EQ(grid, (std::vector<bool>{false, true, false}));
  }
}

}  // namespace
}  // namespace kestro::test
