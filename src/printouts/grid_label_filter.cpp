// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/grid_label_filter.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace kestro {
namespace {

constexpr std::array<double, 2> kScreenNever{7, 9};
constexpr std::array<double, 5> kScreenAboveOneDecade{1.5, 3, 4, 6, 8};
constexpr std::array<double, 1> kPaperNever{1.5};
constexpr std::array<double, 6> kPaperAboveOneDecade{3, 4, 6, 7, 8, 9};
constexpr std::array<double, 2> kAboveThreeDecades{2, 5};

// True when leading is one of the multipliers times 1, 10 or 100.
bool Contains(std::span<const double> multipliers, double leading) {
  return std::any_of(multipliers.begin(), multipliers.end(), [leading](double m) {
    return leading == m || leading == m * 10 || leading == m * 100;
  });
}

}  // namespace

const GridLabelRule& GridLabelRule::Screen() {
  static const GridLabelRule rule{0.04f, kScreenNever, kScreenAboveOneDecade, kAboveThreeDecades};
  return rule;
}

const GridLabelRule& GridLabelRule::Paper() {
  static const GridLabelRule rule{0.05f, kPaperNever, kPaperAboveOneDecade, kAboveThreeDecades};
  return rule;
}

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
  return position - lastPosition_ < rule_.minSpacing;
}

bool GridLabelFilter::SkippedMultiplier(double leading) const {
  if (Contains(rule_.never, leading))
    return true;
  if (span_ > 10 && Contains(rule_.aboveOneDecade, leading))
    return true;
  return span_ > 1000 && Contains(rule_.aboveThreeDecades, leading);
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
