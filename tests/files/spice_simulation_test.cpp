#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/response_engine.h"
#include "files/schematic_netlist.h"
#include "files/scratch_folder.h"
#include "files/spice_schematic.h"
#include "synthesis/stage_synthesis.h"

// End to end with a real circuit simulator: the exported LTspice schematic, read back into a
// SPICE deck with ideal op-amps (voltage-controlled sources of gain 1e7), simulated by ngspice,
// must agree with Analyze within 0.02 dB wherever the gain is above -60 dB. The exported values
// carry five or six digits, which moves the highest-Q stage (Q 43, Chebyshev 11 at 3 dB) by a
// few thousandths of a dB.

namespace kestro {
namespace {

using Lines = std::vector<std::string>;

bool HaveNgspice() {
  return std::system("command -v ngspice >/dev/null 2>&1") == 0;
}

// One SPICE element line per schematic part; ground is node 0 and the Output flag node "out".
std::string ElementLine(test::Netlist& net, const test::Part& part,
                        const std::map<test::Point, std::string>& names) {
  std::string line = part.symbol == "Opamps\\\\opamp" ? "E" + part.name : part.name;
  const auto node = [&](std::size_t pin) { return " " + names.at(net.Find(part.pins.at(pin))); };
  if (part.symbol == "Opamps\\\\opamp")  // out 0, then + and -: an ideal op-amp
    return line + node(2) + " 0" + node(0) + node(1) + " 1e7";
  return line + node(0) + node(1) + " " + part.value;
}

// The deck: every part, the schematic's own AC directive, and the gain in dB written to data.
std::string SpiceDeck(const Lines& schematic, const std::string& data) {
  test::Netlist net(schematic);
  std::map<test::Point, std::string> names{{net.Find(net.flags.at("0")), "0"},
                                           {net.Find(net.flags.at("Output")), "out"}};
  std::string deck = "KestroLab export\n";
  for (const test::Part& part : net.parts) {
    for (const test::Point& pin : part.pins)
      names.try_emplace(net.Find(pin), "n" + std::to_string(names.size()));
    deck += ElementLine(net, part, names) + "\n";
  }
  for (const std::string& line : schematic) {
    if (const auto at = line.find("!.AC "); at != std::string::npos)
      deck += line.substr(at + 1) + "\n";
  }
  return deck + ".control\nrun\nwrdata " + data + " vdb(out)\n.endc\n.end\n";
}

// Frequency and gain (dB) rows that ngspice wrote. Its exit code is not used: -b exits 1 for a
// deck without a .plot line even when the run worked.
std::vector<std::pair<double, double>> Simulate(const Lines& schematic) {
  { std::ofstream("deck.cir") << SpiceDeck(schematic, "gain.txt"); }
  [[maybe_unused]] const int code = std::system("timeout 60 ngspice -b deck.cir >ngspice.log 2>&1");
  std::vector<std::pair<double, double>> rows;
  std::ifstream in("gain.txt");
  for (double f = 0, db = 0; in >> f >> db;)
    rows.emplace_back(f, db);
  return rows;
}

// A family design at 1 kHz analysed from 100 Hz to 10 kHz in 2000 intervals: the export's
// directive is 1000 points a decade, so ngspice computes the same 2001 frequencies.
void ExpectAgreement(int16_t family, int16_t order, float apass) {
  SCOPED_TRACE(testing::Message() << "family " << family << " order " << order);
  DesignRecord record;
  record.SetOpeningDefaults();
  record.Family = family, record.Order = order, record.Apass = apass;
  record.Bandwidth = 1000, record.Fstart = 100, record.Fstop = 10000, record.Nints = 2000;
  ASSERT_TRUE(SynthesizeFamilyDesign(record));
  Analyze(record);
  const auto rows = Simulate(SpiceSchematicLines(record));
  ASSERT_EQ(rows.size(), 2001u) << test::FileText("ngspice.log");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    ASSERT_NEAR(rows[i].first, record.Freq[i], 1e-5 * record.Freq[i]);
    if (record.Gain[i] > -60.0f) {
      ASSERT_NEAR(rows[i].second, record.Gain[i], 0.02) << "at " << record.Freq[i] << " Hz";
    }
  }
}

TEST(SpiceSimulation, NgspiceAgreesWithAnalyze) {
  if (!HaveNgspice())
    GTEST_SKIP() << "ngspice is not installed (scripts/ensure-packages.sh installs it)";
  const struct {
    int16_t family;
    float apass;
    std::vector<int16_t> orders;
  } cases[] = {{kButterworth, 0, {2, 3, 4, 5, 11}},
               {kChebyshev, 3, {2, 3, 4, 5, 11}},
               {kChebyshev, 0.5f, {11}},
               {kBessel, 0, {2, 3, 4, 5, 10}}};
  test::ScratchFolder folder;
  for (const auto& c : cases) {
    for (const int16_t order : c.orders)
      ExpectAgreement(c.family, order, c.apass);
  }
}

}  // namespace
}  // namespace kestro
