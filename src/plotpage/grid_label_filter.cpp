#include "plotpage/grid_label_filter.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace kestro {
namespace {

// Multipliers (times a power of ten) never labelled, labelled only up to a decade, and labelled
// only up to three decades.
constexpr std::array<double, 6> kNeverLabelled{7, 70, 700, 9, 90, 900};
constexpr std::array<double, 15> kDecadeOnly{1.5, 15, 150, 3,   30, 300, 4,  40,
                                             400, 6,  60,  600, 8,  80,  800};
constexpr std::array<double, 6> kThreeDecadesOnly{2, 20, 200, 5, 50, 500};

template <std::size_t N>
bool Contains(const std::array<double, N>& values, double value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

}  // namespace

bool GridLabelFilter::Accept(float position, std::string_view text) {
  if (Full() || Crowded(position))
    return false;
  if (position > 0.95f && position < 0.999f)
    return false;  // room for the label at the end
  if (SkippedMultiplier(LeadingNumber(text)))
    return false;
  ++printed_;
  lastPosition_ = position;
  return true;
}

bool GridLabelFilter::Crowded(float position) const {
  return position - lastPosition_ < 0.04f;
}

bool GridLabelFilter::SkippedMultiplier(double leading) const {
  if (Contains(kNeverLabelled, leading))
    return true;
  if (span_ > 10 && Contains(kDecadeOnly, leading))
    return true;
  return span_ > 1000 && Contains(kThreeDecadesOnly, leading);
}

double GridLabelFilter::LeadingNumber(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && std::isspace(static_cast<unsigned char>(text[begin])))
    ++begin;
  std::size_t end = begin;
  if (end < text.size() && (text[end] == '-' || text[end] == '+'))
    ++end;
  bool point = false;
  for (; end < text.size(); ++end) {
    const char c = text[end];
    if (c == '.' && !point) {
      point = true;
    } else if (!std::isdigit(static_cast<unsigned char>(c))) {
      break;
    }
  }
  if (begin < end && text[begin] == '+')
    ++begin;
  double value = 0;  // an empty or sign-only text reads as 0
  std::from_chars(text.data() + begin, text.data() + end, value);
  return value;
}

}  // namespace kestro
