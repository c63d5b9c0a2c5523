// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/grid_label_filter.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace kestro {
namespace {

using Labels = std::vector<std::pair<float, std::string>>;

struct FilterCase {
  const char* name;
  bool paper;
  double span;
  Labels offered;                     // position on the axis and label text, left to right
  std::vector<std::string> accepted;  // the texts that get printed
};

void PrintTo(const FilterCase& c, std::ostream* os) {
  *os << c.name;
}

// Each surface's spacing and multipliers, read off its rule as the user sees the axis: the page
// labels 1.5 but never 7 or 9, the paper the reverse; both thin to 1, 2, 5 above a decade and to
// powers of ten above three decades; no label just short of the right-hand end.
class GridLabelFilterTest : public testing::TestWithParam<FilterCase> {};

TEST_P(GridLabelFilterTest, PrintsTheLabelsItsSurfaceKeeps) {
  const FilterCase& c = GetParam();
  GridLabelFilter filter(c.paper ? GridLabelRule::Paper() : GridLabelRule::Screen(), c.span);
  std::vector<std::string> accepted;
  for (const auto& [position, text] : c.offered) {
    if (filter.Accept(position, text))
      accepted.push_back(text);
  }
  EXPECT_EQ(accepted, c.accepted);
}

const Labels kDecade{{0, " 1K"},     {0.18f, " 1.5K"}, {0.5f, " 3K"}, {0.85f, " 7K"},
                     {0.92f, " 8K"}, {0.96f, " 9K"},   {1, " 10K"}};
const Labels kTwoDecades{{0, " 100"},   {0.15f, " 200"},  {0.24f, " 300"}, {0.35f, " 500"},
                         {0.5f, " 1K"}, {0.55f, " 1.5K"}, {0.65f, " 2K"},  {1, " 10K"}};
const Labels kFourDecades{{0, " 1"},      {0.1f, " 5"},   {0.25f, " 10"}, {0.3f, " 20"},
                          {0.5f, " 100"}, {0.75f, " 1K"}, {1, " 10K"}};
const Labels kClose{{0, " 1K"}, {0.045f, " 1.1K"}, {0.1f, " 1.2K"}, {0.13f, " 1.3K"}};

INSTANTIATE_TEST_SUITE_P(
    Surfaces, GridLabelFilterTest,
    testing::Values(
        FilterCase{"ScreenDecade", false, 10, kDecade, {" 1K", " 1.5K", " 3K", " 8K", " 10K"}},
        FilterCase{"PaperDecade", true, 10, kDecade, {" 1K", " 3K", " 7K", " 8K", " 10K"}},
        FilterCase{"ScreenTwoDecades",
                   false,
                   100,
                   kTwoDecades,
                   {" 100", " 200", " 500", " 1K", " 2K", " 10K"}},
        FilterCase{"PaperTwoDecades",
                   true,
                   100,
                   kTwoDecades,
                   {" 100", " 200", " 500", " 1K", " 2K", " 10K"}},
        FilterCase{
            "ScreenFourDecades", false, 1e4, kFourDecades, {" 1", " 10", " 100", " 1K", " 10K"}},
        FilterCase{
            "PaperFourDecades", true, 1e4, kFourDecades, {" 1", " 10", " 100", " 1K", " 10K"}},
        FilterCase{"ScreenSpacing", false, 10, kClose, {" 1K", " 1.1K", " 1.2K"}},
        FilterCase{"PaperSpacing", true, 10, kClose, {" 1K", " 1.2K"}}),
    [](const testing::TestParamInfo<FilterCase>& row) { return std::string(row.param.name); });

// Thirteen labels at most, however many lines are offered.
TEST(GridLabelFilter, StopsAfterThirteenLabels) {
  for (const GridLabelRule* rule : {&GridLabelRule::Screen(), &GridLabelRule::Paper()}) {
    GridLabelFilter filter(*rule, 10);
    int accepted = 0;
    for (int i = 0; i < 20; ++i)
      accepted += filter.Accept(0.06f * static_cast<float>(i) - 0.2f, " 1K") ? 1 : 0;
    EXPECT_EQ(accepted, GridLabelFilter::kMaxLabels);
    EXPECT_TRUE(filter.Full());
  }
}

}  // namespace
}  // namespace kestro
