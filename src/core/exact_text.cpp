// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exact_text.h"

#include <array>
#include <charconv>

namespace kestro {

std::string ExactText(float value) {
  std::array<char, 32> buffer{};
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), written.ptr);
}

std::string ExactText(double value) {
  std::array<char, 32> buffer{};
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), written.ptr);
}

}  // namespace kestro
