// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

namespace kestro {

// How one surface thins the labels of its frequency grid: the least distance between two labels
// (a fraction of the axis) and the multipliers (1 <= m < 10, labelled at m, 10 m and 100 m) it
// never labels, skips above a decade of span and skips above three decades.
struct GridLabelRule {
  float minSpacing;
  std::span<const double> never;
  std::span<const double> aboveOneDecade;
  std::span<const double> aboveThreeDecades;

  // The analysis page: 4 % apart; a decade or less 1, 1.5, 2, 3, 4, 5, 6, 8; more than a decade
  // 1, 2, 5; more than three decades powers of ten only.
  static const GridLabelRule& Screen();
  // The printed plot: 5 % apart; never 1.5; a decade or less 1 to 9; more than a decade 1, 2, 5;
  // more than three decades powers of ten only.
  static const GridLabelRule& Paper();
};

// Decides which vertical grid lines of the frequency axis get a label, so that labels neither
// crowd nor overlap: at least the rule's spacing apart, none just short of the right-hand end,
// and the rule's multipliers as the span grows. At most thirteen labels.
class GridLabelFilter final {
 public:
  static constexpr int kMaxLabels = 13;

  // span: Fstop / Fstart.
  GridLabelFilter(const GridLabelRule& rule, double span) : rule_(rule), span_(span) {}

  // True when the label text at normalised position `position` is printed. Call in increasing
  // frequency order; a printed label is remembered for the spacing rule and the count.
  bool Accept(float position, std::string_view text);
  // True once the thirteenth label has been printed.
  bool Full() const { return printed_ >= kMaxLabels; }

  // The leading decimal number of a label text: " 1.5K " reads 1.5, " 100mH" reads 100.
  static double LeadingNumber(std::string_view text);

 private:
  bool Crowded(float position) const;
  bool SkippedMultiplier(double leading) const;

  const GridLabelRule& rule_;
  double span_;
  float lastPosition_ = -1;
  int printed_ = 0;
};

}  // namespace kestro
