// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/limited_value_notice.h"

#include <cmath>

#include "core/eng_value.h"
#include "core/leading_number.h"

namespace kestro {

namespace {

constexpr float kReadBound = 1e10f;  // the engineering reader holds every value within this

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos)
    return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

double PrefixScale(char letter) {
  switch (letter) {
    case 'k':
    case 'K':
      return 1e3;
    case 'M':
      return 1e6;
    case 'G':
    case 'g':
      return 1e9;
    default:
      return 1.0;
  }
}

// True when the text written in the file lies beyond the reader's bound, so that the value read
// (at the bound) is not the one the file holds. Only a value read at the bound needs the check.
bool LimitedOnReading(std::string_view text, float read) {
  if (std::fabs(read) < kReadBound)
    return false;
  // The characters the engineering reader takes, as it takes them: others between digits are
  // passed over ("2x0G" reads as 20G) and a comma is the decimal point.
  std::string window;
  for (const char c : TrimBlanks(text).substr(0, 12)) {
    if (std::string_view("0123456789.Ee+-kKMGg").find(c) != std::string_view::npos)
      window += c;
    else if (c == ',')
      window += '.';
  }
  const std::size_t length = LeadingNumberLength(window);
  const std::optional<double> number = LeadingNumber(window);
  if (length == 0 || !number)
    return length != 0;  // too large even for a double
  const double scale = length < window.size() ? PrefixScale(window[length]) : 1.0;
  return std::fabs(*number * scale) > static_cast<double>(kReadBound) * (1.0 + 1e-7);
}

}  // namespace

std::optional<std::string> LimitedValueNotice(std::string_view key, std::string_view text,
                                              float read) {
  if (!LimitedOnReading(text, read))
    return std::nullopt;
  std::string notice = "The value of ";
  const std::string_view name = TrimBlanks(key);
  notice += name.empty() ? std::string_view("a line") : name;
  notice += " in the KESTRO file has been reset ";
  notice += read > 0 ? "downward from " : "upward from ";
  notice += TrimBlanks(text).substr(0, 12);
  notice += " to ";
  notice += PlainNumber(read);
  return notice;
}

}  // namespace kestro
