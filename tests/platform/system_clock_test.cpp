// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system_clock.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace kestro {
namespace {

// The date and time of session files and printed footers: "2026-12-06 11:45:03", and the time
// of day it shows agrees with the seconds since midnight read just before (within a minute
// boundary, checked again when the minute turned in between).
TEST(SystemClock, DateTimeTextAgreesWithTheSecondsSinceMidnight) {
  const SystemClock clock;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const double seconds = clock.SecondsSinceMidnight();
    const std::string text = clock.LocalDateTime();
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(
        text, parts, std::regex(R"(20\d\d-[01]\d-[0-3]\d ([0-2]\d):([0-5]\d):([0-5]\d))")))
        << text;
    const int shownMinute = std::stoi(parts[1]) * 60 + std::stoi(parts[2]);
    if (shownMinute == static_cast<int>(seconds) / 60) {
      SUCCEED();
      return;
    }
  }
  ADD_FAILURE() << "the text's time of day differs from the seconds since midnight";
}

}  // namespace
}  // namespace kestro
