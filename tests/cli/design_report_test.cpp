// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/design_report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace kestro::cli {
namespace {

TEST(DesignReportTest, OddOrderListsTheRealPoleThenThePairsAndEveryPart) {
  DesignRecord record{};
  record.Family = kButterworth;
  record.Order = 3;
  record.NrStages = 1;
  record.Bandwidth = 1000;
  record.PoleRe[1] = 1.0f;
  record.PoleRe[2] = 0.5f;
  record.PoleIm[1] = -0.8660254f;  // either member of the pair may be stored
  record.R[1] = {0, 47000, 47000, 47000, 1e-5f, 1};
  record.C[1] = {0, 4.7e-9f, 1.2e-8f, 6.8e-10f};
  std::ostringstream out;
  WriteDesignReport(record, ReportOptions{}, out);
  EXPECT_EQ(out.str(),
            "Family: Butterworth\nOrder: 3\nBandwidth: 1000 Hz\nPoles:\n  -1\n"
            "  -0.5 \u00b1 j0.8660254\nStage 1:\n  R1 = 47k\n  R2 = 47k\n  R3 = 47k\n"
            "  C1 = 4700pF\n  C2 = 0.012uF\n  C3 = 680pF\n");
  record.Family = kManual;
  std::ostringstream poles;
  WritePoles(record, poles);
  EXPECT_EQ(poles.str(), "");
}

}  // namespace
}  // namespace kestro::cli
