// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <charconv>
#include <optional>
#include <string>

namespace kestro::cli {

// A whole decimal number from low to high and nothing else; nothing when the text is not one.
template <typename Integer>
std::optional<Integer> WholeNumber(const std::string& text, Integer low, Integer high) {
  Integer value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
    return std::nullopt;
  return value;
}

}  // namespace kestro::cli
