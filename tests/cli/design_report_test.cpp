#include "cli/design_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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

// Every single is written with the digits that read back to it exactly, tab-separated.
TEST(DesignReportTest, ResponseTableKeepsEverySingleExactly) {
  DesignRecord record{};
  record.Nints = 2;
  record.Freq = {1000.0f, 3162.2776f, 10000.0f};
  record.Gain = {-3.0102999f, -30.0412f, -60.000035f};
  record.Phase = {-179.99998f, 12.345678f, 0.0f};
  record.Delay = {4.1234567e-4f, 1.0e-6f, 2.5e-9f};
  std::ostringstream out;
  WriteResponse(record, out);
  const Strings lines = Lines(out.str());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].front(), '#');
  for (std::size_t i = 0; i <= 2; ++i) {
    const std::string& line = lines[i + 1];
    std::istringstream fields(line);
    std::array<float, 4> read{};
    for (float& value : read)
      fields >> value;
    EXPECT_TRUE(!fields.fail() && (fields >> std::ws).eof()) << line;
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 3) << line;
    EXPECT_EQ(read, (std::array{record.Freq[i], record.Gain[i], record.Phase[i], record.Delay[i]}));
  }
}

}  // namespace
}  // namespace kestro::cli
