#include "cli/design_report.h"

#include <gtest/gtest.h>

#include <charconv>
#include <sstream>
#include <string>
#include <vector>

namespace kestro::cli {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);)
    lines.push_back(line);
  return lines;
}

DesignRecord ThreePoleRecord() {
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
  return record;
}

TEST(DesignReportTest, OddOrderListsTheRealPoleThenThePairsAndEveryPart) {
  std::ostringstream out;
  WriteDesignReport(ThreePoleRecord(), ReportOptions{}, out);
  const std::vector<std::string> expected = {"Family: Butterworth",
                                             "Order: 3",
                                             "Bandwidth: 1000 Hz",
                                             "Poles:",
                                             "  -1",
                                             "  -0.5 \u00b1 j0.8660254",
                                             "Stage 1:",
                                             "  R1 = 47k",
                                             "  R2 = 47k",
                                             "  R3 = 47k",
                                             "  C1 = 4700pF",
                                             "  C2 = 0.012uF",
                                             "  C3 = 680pF"};
  EXPECT_EQ(Lines(out.str()), expected);
}

TEST(DesignReportTest, EvenOrderListsOnePairPerSlotAndTheTwoPoleStages) {
  DesignRecord record{};
  record.Family = kChebyshev;
  record.Order = 4;
  record.NrStages = 2;
  record.Bandwidth = 2500;
  record.Apass = 0.5f;
  record.PoleRe = {0, 0.25f, 0.125f};
  record.PoleIm = {0, 0.5f, 1.5f};
  for (int s = 1; s <= 2; ++s) {
    record.R[s] = {0, 0, 10000, 10000, 1e-5f, 1};
    record.C[s] = {0, 1e-13f, 2.2e-7f, 3.3e-9f};
  }
  std::ostringstream out;
  WriteDesignReport(record, ReportOptions{}, out);
  const std::vector<std::string> lines = Lines(out.str());
  const std::vector<std::string> head = {
      "Family: Chebyshev",    "Order: 4",      "Bandwidth: 2500 Hz",
      "Ripple: 0.5 dB",       "Poles:",        "  -0.25 \u00b1 j0.5",
      "  -0.125 \u00b1 j1.5", "Stage 1:",      "  R1 = 0",
      "  R2 = 10k",           "  R3 = 10k",    "  C1 = 0.1pF",
      "  C2 = 0.22uF",        "  C3 = 3300pF", "Stage 2:"};
  ASSERT_EQ(lines.size(), head.size() + 6);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + head.size()), head);
}

TEST(DesignReportTest, ManualDesignHasNoPoles) {
  DesignRecord record = ThreePoleRecord();
  record.Family = kManual;
  std::ostringstream out;
  WritePoles(record, out);
  EXPECT_EQ(out.str(), "");
}

float ParseFloat(const std::string& text) {
  float value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_EQ(result.ptr, text.data() + text.size()) << "not a whole number: " << text;
  return value;
}

TEST(DesignReportTest, ResponseTableKeepsEverySingleExactly) {
  DesignRecord record{};
  record.Nints = 2;
  record.Freq = {1000.0f, 3162.2776f, 10000.0f};
  record.Gain = {-3.0102999f, -30.0412f, -60.000035f};
  record.Phase = {-179.99998f, 12.345678f, 0.0f};
  record.Delay = {4.1234567e-4f, 1.0e-6f, 2.5e-9f};
  std::ostringstream out;
  WriteResponse(record, out);
  const std::vector<std::string> lines = Lines(out.str());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].front(), '#');
  for (int i = 0; i <= 2; ++i) {
    std::istringstream fields(lines[static_cast<std::size_t>(i) + 1]);
    std::vector<std::string> parts;
    for (std::string part; std::getline(fields, part, '\t');)
      parts.push_back(part);
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_EQ(ParseFloat(parts[0]), record.Freq[i]);
    EXPECT_EQ(ParseFloat(parts[1]), record.Gain[i]);
    EXPECT_EQ(ParseFloat(parts[2]), record.Phase[i]);
    EXPECT_EQ(ParseFloat(parts[3]), record.Delay[i]);
  }
}

}  // namespace
}  // namespace kestro::cli
