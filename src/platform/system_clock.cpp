// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system_clock.h"

#include <ctime>

namespace kestro {
namespace {

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

}  // namespace

double SystemClock::SecondsSinceMidnight() const {
  const std::tm local = LocalNow();
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
}

std::string SystemClock::LocalDateTime() const {
  const std::tm local = LocalNow();
  char text[32] = {};
  // Only numeric fields: strftime gives the same text in every locale.
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

}  // namespace kestro
