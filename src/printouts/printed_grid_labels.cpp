#include "printouts/printed_grid_labels.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace kestro {

namespace {

constexpr std::array<double, 3> kNeverLabelled{1.5, 15, 150};
constexpr std::array<double, 24> kUpToThreeDecades{
    2, 3, 4, 5, 6, 7, 8, 9, 20, 30, 40, 50, 60, 70, 80, 90, 200, 300, 400, 500, 600, 700, 800, 900};
constexpr std::array<double, 18> kUpToOneDecade{3,  4,  6,  7,   8,   9,   30,  40,  60,
                                                70, 80, 90, 300, 400, 600, 700, 800, 900};

// The leading decimal number of a label text: " 1.5K " reads 1.5, " 200Hz" reads 200.
double LeadingNumber(std::string_view text) {
  const std::size_t begin = std::min(text.find_first_not_of(' '), text.size());
  double value = 0;
  std::from_chars(text.data() + begin, text.data() + text.size(), value, std::chars_format::fixed);
  return value;
}

template <std::size_t N>
bool Contains(const std::array<double, N>& values, double value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

}  // namespace

bool PrintedGridLabels::Accept(float position, std::string_view text) {
  if (Full() || position - lastPosition_ < 0.05f)
    return false;
  if (position > 0.95f && position < 0.999f)
    return false;  // room for the label at the end
  if (SkippedMultiplier(LeadingNumber(text)))
    return false;
  ++printed_;
  lastPosition_ = position;
  return true;
}

bool PrintedGridLabels::SkippedMultiplier(double leading) const {
  if (Contains(kNeverLabelled, leading))
    return true;
  if (span_ > 1000 && Contains(kUpToThreeDecades, leading))
    return true;
  return span_ > 10 && Contains(kUpToOneDecade, leading);
}

}  // namespace kestro
