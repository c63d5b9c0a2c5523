// SPDX-License-Identifier: GPL-3.0-or-later
// Any text typed into a field or found on a value line: the number reader stays in its range.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/eng_reader.h"
#include "core/leading_number.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  float single = 7.0f;
  kestro::ReadEngValue(text, single);
  FUZZ_CHECK(std::fabs(single) <= 1e10f);
  int16_t count = 7;
  kestro::ReadEngValue(text, count);
  const std::size_t length = kestro::LeadingNumberLength(text);
  FUZZ_CHECK(length <= size);
  FUZZ_CHECK(!std::isnan(kestro::LeadingDecimal(text)));
  return 0;
}
