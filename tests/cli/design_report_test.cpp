#include "cli/design_report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kestro::cli {
namespace {

using Strings = std::vector<std::string>;

Strings Lines(const std::string& text) {
  Strings lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);)
    lines.push_back(line);
  return lines;
}

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
  EXPECT_EQ(Lines(out.str()),
            (Strings{"Family: Butterworth", "Order: 3", "Bandwidth: 1000 Hz", "Poles:", "  -1",
                     "  -0.5 \u00b1 j0.8660254", "Stage 1:", "  R1 = 47k", "  R2 = 47k",
                     "  R3 = 47k", "  C1 = 4700pF", "  C2 = 0.012uF", "  C3 = 680pF"}));
  record.Family = kManual;
  std::ostringstream poles;
  WritePoles(record, poles);
  EXPECT_EQ(poles.str(), "");
}

}  // namespace
}  // namespace kestro::cli
