// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/capacitor_range.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

// C1 counts only where the circuit has it: in the three-pole stage of an odd order.
TEST(CapacitorRange, LeavesOutTheAbsentFirstCapacitor) {
  const struct {
    int16_t order;
    std::array<float, 4> stage1, stage2;
    float smallest, largest;
  } cases[] = {{4, {0, 1e-13f, 5e-9f, 2e-9f}, {0, 9e-8f, 8e-9f, 3e-9f}, 2e-9f, 8e-9f},
               {5, {0, 5e-10f, 5e-9f, 2e-9f}, {0, 1e-13f, 8e-9f, 3e-9f}, 5e-10f, 8e-9f}};
  for (const auto& c : cases) {
    DesignRecord record{};
    record.Order = c.order, record.C[1] = c.stage1, record.C[2] = c.stage2;
    const CapacitorRange range = FindCapacitorRange(record);
    EXPECT_EQ(range.CapMin, c.smallest) << c.order;
    EXPECT_EQ(range.CapMax, c.largest) << c.order;
  }
}

}  // namespace
}  // namespace kestro
