// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <unistd.h>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "analysis/response_engine.h"
#include "synthesis/stage_synthesis.h"

// The stage model checked against ngspice: a netlist of the cascade written here, each op-amp a
// transconductance of 1 S into a capacitor of 1/(2 pi GBW) (A(s) = 2 pi GBW / s, with 1e12 ohms
// across it for a DC path, so a DC gain of 1e12) buffered by a unity voltage source, its output
// tied to its inverting input. GBW 0 wires the ideal follower (a voltage source of gain 1).

namespace kestro {
namespace {

std::string StageLines(const DesignRecord& record, int s, double gbw) {
  std::ostringstream out;
  out.precision(9);
  const std::string in = s == 1 ? "in" : "o" + std::to_string(s - 1);
  const std::string n = std::to_string(s);
  const std::string o = "o" + n;
  std::string node1 = in;
  if (record.R[s][1] > 0) {
    node1 = "a" + n;
    out << "R1_" << n << " " << in << " " << node1 << " " << record.R[s][1] << "\n";
    out << "C1_" << n << " " << node1 << " 0 " << record.C[s][1] << "\n";
  }
  out << "R2_" << n << " " << node1 << " b" << n << " " << record.R[s][2] << "\n";
  out << "C2_" << n << " b" << n << " " << o << " " << record.C[s][2] << "\n";
  out << "R3_" << n << " b" << n << " c" << n << " " << record.R[s][3] << "\n";
  out << "C3_" << n << " c" << n << " 0 " << record.C[s][3] << "\n";
  if (gbw > 0) {
    out << "G_" << n << " 0 i" << n << " c" << n << " " << o << " 1\n";
    out << "CI_" << n << " i" << n << " 0 " << 1.0 / (2.0 * M_PI * gbw) << "\n";
    out << "RI_" << n << " i" << n << " 0 1e12\n";
    out << "E_" << n << " " << o << " 0 i" << n << " 0 1\n";
  } else {
    out << "E_" << n << " " << o << " 0 c" << n << " 0 1\n";
  }
  return out.str();
}

// Frequency and gain (dB) rows ngspice computes from bandwidth/10 to 10 x bandwidth.
std::vector<std::pair<double, double>> Simulate(const DesignRecord& record, double gbw) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kestro_opamp_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const int stages = StageCount(record);
  {
    std::ofstream deck(folder / "deck.cir");
    deck << "op-amp stages\nV1 in 0 AC 1\n";
    for (int s = 1; s <= stages; ++s)
      deck << StageLines(record, s, gbw);
    deck << ".ac dec 100 " << record.Bandwidth / 10 << " " << record.Bandwidth * 10 << "\n";
    deck << ".control\nrun\nwrdata " << (folder / "gain.txt").string() << " vdb(o" << stages
         << ")\n.endc\n.end\n";
  }
  const std::string command =
      "cd " + folder.string() + " && timeout 60 ngspice -b deck.cir >ngspice.log 2>&1";
  [[maybe_unused]] const int code = std::system(command.c_str());  // -b exits 1 without .plot
  std::vector<std::pair<double, double>> rows;
  std::ifstream in(folder / "gain.txt");
  for (double f = 0, db = 0; in >> f >> db;)
    rows.emplace_back(f, db);
  std::filesystem::remove_all(folder);
  return rows;
}

// Agreement measured: within 2e-5 dB above -60 dB for every row; 0.001 dB leaves margin for
// ngspice's own rounding and fails a model with any term of the derivation wrong.
TEST(OpampSpice, NgspiceAgreesWithTheSinglePoleModel) {
  if (std::system("command -v ngspice >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "ngspice is not installed (scripts/ensure-packages.sh installs it)";
  const struct {
    int16_t family, order;
    float apass, bandwidth, gbw;
  } cases[] = {
      {kButterworth, 4, 0, 10e3f, 1e6f},
      {kChebyshev, 6, 1, 20e3f, 2e6f},
      {kButterworth, 5, 0, 10e3f, 1e6f},
      {kChebyshev, 7, 3, 20e3f, 5e6f},
      // the three-pole stage with the follower at high ripple
      {kChebyshev, 3, 20, 1e3f, 0},
      {kChebyshev, 5, 10, 1e3f, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "family " << c.family << " order " << c.order << " GBW " << c.gbw);
    DesignRecord record;
    record.SetOpeningDefaults();
    record.Family = c.family, record.Order = c.order, record.Apass = c.apass;
    record.Bandwidth = c.bandwidth;
    ASSERT_TRUE(SynthesizeFamilyDesign(record));
    record.OpampGbw = c.gbw, record.OpampOn = 1;
    const auto rows = Simulate(record, c.gbw);
    ASSERT_EQ(rows.size(), 201u);
    for (const auto& [f, db] : rows) {
      if (db < -60)
        continue;
      float gain = 0;
      float phase = 0;
      ResponseAt(record, static_cast<float>(f), gain, phase);
      ASSERT_NEAR(gain, db, 0.001) << "at " << f << " Hz";
    }
  }
}

}  // namespace
}  // namespace kestro
