// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/response_engine.h"
#include "files/netlist_file.h"
#include "files/scratch_folder.h"
#include "synthesis/stage_synthesis.h"

// The written netlist, run by ngspice exactly as it is on disk, must give the analysed table's
// gain within 0.02 dB wherever the gain is above -60 dB: with ideal op-amps and with a chosen GBW.

namespace kestro {
namespace {

struct Row {
  double f = 0, db = 0;
};

// The rows of ngspice's printed table: "index frequency vdb vp".
std::vector<Row> PrintedRows(const std::string& log) {
  std::vector<Row> rows;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    long index = 0;
    Row row;
    double phase = 0;
    if (fields >> index >> row.f >> row.db >> phase)
      rows.push_back(row);
  }
  return rows;
}

std::vector<Row> RunNetlist(const DesignRecord& record) {
  EXPECT_FALSE(WriteNetlist(record, "filter.cir").has_value());
  [[maybe_unused]] const int code =
      std::system("timeout 60 ngspice -b filter.cir >ngspice.log 2>&1");
  return PrintedRows(test::FileText("ngspice.log"));
}

TEST(NetlistFile, NgspiceRunsItAndAgreesWithTheTable) {
  if (std::system("command -v ngspice >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "ngspice is not installed (scripts/ensure-packages.sh installs it)";
  const struct {
    int16_t family, order;
    float apass, gbw;
    int16_t opampOn;
  } cases[] = {
      {kButterworth, 4, 0, 0, 0},      {kChebyshev, 5, 3, 0, 0},    {kBessel, 3, 0, 0, 0},
      {kButterworth, 5, 0, 200e3f, 1}, {kChebyshev, 6, 1, 1e6f, 1}, {kChebyshev, 11, 3, 0, 0},
      {kButterworth, 4, 0, 200e3f, 0},  // a GBW not switched on: the ideal op-amp
  };
  test::ScratchFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "family " << c.family << " order " << c.order << " GBW "
                                    << c.gbw << " on " << c.opampOn);
    DesignRecord record;
    record.SetOpeningDefaults();
    record.Family = c.family, record.Order = c.order, record.Apass = c.apass;
    record.Bandwidth = 1000, record.Fstart = 100, record.Fstop = 10000, record.Nints = 200;
    ASSERT_TRUE(SynthesizeFamilyDesign(record));
    record.OpampGbw = c.gbw, record.OpampOn = c.opampOn;
    Analyze(record);
    // 100 points a decade over two decades: the table's 201 frequencies.
    const auto rows = RunNetlist(record);
    ASSERT_EQ(rows.size(), 201u) << test::FileText("ngspice.log");
    int compared = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      ASSERT_NEAR(rows[i].f, record.Freq[i], 1e-5 * record.Freq[i]);
      if (record.Gain[i] > -60.0f) {
        ASSERT_NEAR(rows[i].db, record.Gain[i], 0.02) << "at " << record.Freq[i] << " Hz";
        ++compared;
      }
    }
    EXPECT_GT(compared, 100);
  }
}

}  // namespace
}  // namespace kestro
