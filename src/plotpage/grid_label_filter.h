#pragma once

#include <string_view>

namespace kestro {

// Decides which vertical grid lines of the frequency axis get a label, so that labels neither
// crowd nor overlap: at least 4 % of the axis apart, none just short of the right-hand end, and
// fewer multipliers as the span grows (a decade or less: 1, 1.5, 2, 3, 4, 5, 6, 8; more than a
// decade: 1, 2, 5; more than three decades: powers of ten only). At most thirteen labels.
class GridLabelFilter final {
 public:
  static constexpr int kMaxLabels = 13;

  // span: Fstop / Fstart.
  explicit GridLabelFilter(double span) : span_(span) {}

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

  double span_;
  float lastPosition_ = -1;
  int printed_ = 0;
};

}  // namespace kestro
