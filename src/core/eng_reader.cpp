// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/eng_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

#include "core/leading_number.h"

namespace kestro {

namespace {

constexpr std::size_t kReadWidth = 12;  // characters the reader takes
constexpr float kClamp = 1e10f;         // the reader's bound, and its overflow value

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos)
    return {};
  const auto last = text.find_last_not_of(' ');
  return {text.data() + first, last - first + 1};
}

std::optional<float> PrefixMultiplier(char c) {
  switch (c) {
    case 'P':
    case 'p':
      return 1e-12f;
    case 'N':
    case 'n':
      return 1e-9f;
    case 'U':
    case 'u':
      return 1e-6f;
    case 'm':
      return 1e-3f;
    case 'K':
    case 'k':
      return 1e3f;
    case 'M':
      return 1e6f;
    case 'G':
    case 'g':
      return 1e9f;
    default:
      return std::nullopt;
  }
}

// The numeric text built from the text, and the prefix multiplier that ended it. Each character
// taken adds at most one, so the read width bounds it and it needs no heap.
struct Scanned {
  std::array<char, kReadWidth> chars{};
  std::size_t size = 0;
  float multiplier = 1.0f;
  std::size_t prefixEnd = 0;  // characters taken up to and including the prefix letter; 0: none

  bool Empty() const { return size == 0; }
  char Back() const { return chars[size - 1]; }
  void Push(char c) {
    if (size < chars.size())
      chars[size++] = c;
  }
  std::string_view Text() const { return {chars.data(), size}; }
};

// Builds the numeric string one character at a time: digits and one decimal point up to the
// prefix letter, a sign at the start or after the exponent letter, one exponent letter, and one
// prefix letter (not after an exponent), which ends the number.
class EngScanner {
 public:
  void Take(char c) {
    ++taken_;
    if (c >= '0' && c <= '9') {  // the common case, which no other rule takes
      if (!suffixSeen_)
        scanned_.Push(c);
      return;
    }
    TakePoint(c);
    if ((c == '+' || c == '-') && (scanned_.Empty() || scanned_.Back() == 'E'))
      scanned_.Push(c);
    if (!scanned_.Empty() && !suffixSeen_)
      TakeLetter(c);
  }
  const Scanned& Result() const { return scanned_; }

 private:
  void TakePoint(char c) {
    if ((c == '.' || c == ',') && !pointSeen_ && !suffixSeen_) {
      pointSeen_ = true;
      scanned_.Push('.');
    }
  }

  void TakeLetter(char c) {
    if (c == 'E' || c == 'e') {
      if (!exponentSeen_) {
        exponentSeen_ = pointSeen_ = true;
        scanned_.Push('E');
      }
    } else if (!exponentSeen_) {
      if (const auto multiplier = PrefixMultiplier(c)) {
        suffixSeen_ = true;
        scanned_.multiplier = *multiplier;
        scanned_.prefixEnd = taken_;
        scanned_.Push(c);
      }
    }
  }

  Scanned scanned_;
  std::size_t taken_ = 0;
  bool suffixSeen_ = false;
  bool pointSeen_ = false;
  bool exponentSeen_ = false;
};

Scanned ScanEngText(std::string_view text) {
  EngScanner scanner;
  for (char c : text)
    scanner.Take(c);
  return scanner.Result();
}

// The blank-trimmed text cut to the characters the reader takes.
std::string_view ReadWindow(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  return {trimmed.data(), std::min(trimmed.size(), kReadWidth)};
}

}  // namespace

void ReadEngValue(std::string_view text, float& target) {
  const Scanned scanned = ScanEngText(ReadWindow(text));
  float value = kClamp;  // a run-time error (beyond the single range) leaves the overflow value
  // Rounded once from the decimal text, as the writers check.
  if (const std::optional<float> single = LeadingSingle(scanned.Text())) {
    const float product = *single * scanned.multiplier;
    if (std::isfinite(product))
      value = product;
  }
  target = std::clamp(value, -kClamp, kClamp);
}

void ReadEngValue(std::string_view text, int16_t& target) {
  float value = 0.0f;
  ReadEngValue(text, value);
  const long whole = std::lrint(value);  // |value| <= 1e10 fits a 64-bit long
  constexpr long kLow = std::numeric_limits<int16_t>::min();
  constexpr long kHigh = std::numeric_limits<int16_t>::max();
  target = static_cast<int16_t>(std::clamp(whole, kLow, kHigh));
}

std::string_view IgnoredAfterPrefix(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  const std::size_t prefixEnd = ScanEngText(ReadWindow(text)).prefixEnd;
  if (prefixEnd == 0)
    return {};
  const std::string_view rest = trimmed.substr(prefixEnd);
  const bool holdsDigit = rest.find_first_of("0123456789") != std::string_view::npos;
  return holdsDigit ? rest : std::string_view{};
}

}  // namespace kestro
