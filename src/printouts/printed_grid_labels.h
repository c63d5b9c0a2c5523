#pragma once

#include <string_view>

namespace kestro {

// Which vertical grid lines of the printed response plot get a frequency label. The printed
// axis thins differently from the page: labels at least 5 % of the axis apart, none just short
// of the right-hand end, never the 1.5 multipliers, and fewer multipliers as the span grows (a
// decade or less: 1 to 9; more than a decade: 1, 2, 5; more than three decades: powers of ten
// only). At most thirteen labels.
class PrintedGridLabels final {
 public:
  static constexpr int kMaxLabels = 13;

  // span: Fstop / Fstart.
  explicit PrintedGridLabels(double span) : span_(span) {}

  // True when the label text at normalised position `position` is printed. Call in increasing
  // frequency order; a printed label counts for the spacing rule and the count.
  bool Accept(float position, std::string_view text);
  bool Full() const { return printed_ >= kMaxLabels; }

 private:
  bool SkippedMultiplier(double leading) const;

  double span_;
  float lastPosition_ = -1;
  int printed_ = 0;
};

}  // namespace kestro
