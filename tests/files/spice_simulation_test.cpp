// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/response_engine.h"
#include "files/scratch_folder.h"
#include "files/spice_schematic.h"
#include "synthesis/stage_synthesis.h"

// End to end with a real circuit simulator: the exported LTspice schematic, read back into a
// SPICE deck with ideal op-amps (voltage-controlled sources of gain 1e7), simulated by ngspice,
// must agree with Analyze within 0.02 dB wherever the gain is above -60 dB. The exported values
// carry five or six digits, which moves the highest-Q stage (Q 43, Chebyshev 11 at 3 dB) by a
// few thousandths of a dB. An op-amp with a GBW on its SpiceLine becomes the single-pole model
// A(s) = 2 pi GBW / s, the GBW read by ngspice from the exported text itself.

namespace kestro {
namespace {

using Lines = std::vector<std::string>;
using Point = std::pair<long, long>;  // in the schematic's grid units

// Pin offsets of the symbols in the rotation written; the op-amp's are the non-inverting input,
// the inverting input and the output.
const std::map<std::string, std::vector<Point>> kPins{
    {"res R270", {{16, -16}, {96, -16}}},
    {"cap R0", {{16, 0}, {16, 64}}},
    {"voltage M0", {{0, 16}, {0, 96}}},
    {"Opamps\\\\opamp M180", {{-32, -80}, {-32, -48}, {32, -64}}}};

// The exported wires run straight across or down: a point on one shares its line and lies
// between its ends.
bool OnWire(Point p, Point a, Point b) {
  const auto [low, high] = std::minmax(a, b);
  return low <= p && p <= high &&
         (low.first == high.first ? p.first == low.first : p.second == low.second);
}

// The schematic read back: wire ends, pins and flags on a wire join it, and flags of one name
// join each other. Elements() gives one SPICE element line per part, ground as node 0 and the
// Output flag's node as "out"; an op-amp becomes an ideal one (a source of gain 1e7: out 0, + -),
// or with "GBW=" on its SpiceLine a transconductance of 1 S into 1 / (2 pi GBW) farads buffered
// to its output.
class Netlist {
 public:
  explicit Netlist(const Lines& lines) {
    for (const std::string& line : lines)
      Read(line);
    for (Point p : points_) {
      for (const auto& [a, b] : wires_) {
        if (OnWire(p, a, b))
          parent_[Find(p)] = Find(a);
      }
    }
  }

  std::string Elements() {
    std::map<Point, std::string> names{{Find(flags_.at("0")), "0"},
                                       {Find(flags_.at("Output")), "out"}};
    std::ostringstream text;
    for (const Part& part : parts_) {
      Lines n;
      for (Point pin : part.pins)
        n.push_back(names.try_emplace(Find(pin), "n" + std::to_string(names.size())).first->second);
      if (part.symbol.starts_with("Opamps"))
        text << Opamp(part, n);
      else
        text << part.name << ' ' << n.at(0) << ' ' << n.at(1) << ' ' << part.value << '\n';
    }
    return text.str();
  }

 private:
  struct Part {
    std::string symbol, name, value, spiceLine;
    std::vector<Point> pins;
  };

  static std::string Opamp(const Part& part, const Lines& n) {
    const std::string& u = part.name;
    if (!part.spiceLine.starts_with("GBW="))
      return "E" + u + ' ' + n.at(2) + " 0 " + n.at(0) + ' ' + n.at(1) + " 1e7\n";
    const std::string gbw = part.spiceLine.substr(4);
    return "G" + u + " 0 p" + u + ' ' + n.at(0) + ' ' + n.at(1) + " 1\nC" + u + " p" + u +
           " 0 {1/(6.283185307179586*" + gbw + ")}\nR" + u + " p" + u + " 0 1e12\nE" + u + ' ' +
           n.at(2) + " 0 p" + u + " 0 1\n";
  }

  std::string& Attribute(const std::string& word) {
    if (word == "Value")
      return parts_.back().value;
    return word == "SpiceLine" ? parts_.back().spiceLine : parts_.back().name;
  }

  void Read(const std::string& line) {
    std::istringstream in(line);
    std::string keyword, word, rotation;
    Point a{}, b{};
    in >> keyword;
    if (keyword == "SYMBOL" && in >> word >> a.first >> a.second >> rotation) {
      parts_.push_back({word, "", "", "", {}});
      for (Point p : kPins.at(word.append(" ").append(rotation)))
        parts_.back().pins.emplace_back(a.first + p.first, a.second + p.second);
      points_.insert(points_.end(), parts_.back().pins.begin(), parts_.back().pins.end());
    } else if (keyword == "SYMATTR" && in >> word && !parts_.empty()) {
      std::getline(in >> std::ws, Attribute(word));
    } else if (keyword == "WIRE" && in >> a.first >> a.second >> b.first >> b.second) {
      wires_.emplace_back(a, b);
      points_.insert(points_.end(), {a, b});
    } else if (keyword == "FLAG" && in >> a.first >> a.second >> word) {
      points_.push_back(a);
      if (flags_.count(word) != 0)
        parent_[Find(flags_[word])] = Find(a);
      flags_[word] = a;
    }
  }

  Point Find(Point p) {
    auto [it, added] = parent_.try_emplace(p, p);
    return it->second == p ? p : it->second = Find(it->second);
  }

  std::vector<Part> parts_;
  std::map<std::string, Point> flags_;
  std::map<Point, Point> parent_;
  std::vector<std::pair<Point, Point>> wires_;
  std::vector<Point> points_;  // wire ends, pins and flags
};

// The deck: every part, the schematic's own AC directive, and the gain in dB written to data.
std::string SpiceDeck(const Lines& schematic, const std::string& data) {
  std::string deck = "KestroLab export\n" + Netlist(schematic).Elements();
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

// The op-amp of a design: none (ideal), or a GBW in Hz with the tolerance it is checked at.
struct Opamp {
  float gbw = 0;
  double tolerance = 0.02;
};

// A family design at a bandwidth of B analysed from B/10 to 10 B in 2000 intervals, then edited
// by hand: the export's directive is 1000 points a decade, so ngspice computes the same 2001
// frequencies.
void ExpectAgreement(int16_t family, int16_t order, float apass,
                     void (*edit)(DesignRecord&) = nullptr, float bandwidth = 1000,
                     Opamp opamp = {}) {
  SCOPED_TRACE(testing::Message() << "family " << family << " order " << order << " GBW "
                                  << opamp.gbw);
  DesignRecord record;
  record.SetOpeningDefaults();
  record.Family = family, record.Order = order, record.Apass = apass;
  record.Bandwidth = bandwidth, record.Fstart = bandwidth / 10, record.Fstop = bandwidth * 10;
  record.Nints = 2000;
  ASSERT_TRUE(SynthesizeFamilyDesign(record));
  if (edit != nullptr)
    edit(record);
  record.OpampGbw = opamp.gbw, record.OpampOn = opamp.gbw > 0 ? 1 : 0;
  Analyze(record);
  const auto rows = Simulate(SpiceSchematicLines(record));
  ASSERT_EQ(rows.size(), 2001u) << test::FileText("ngspice.log");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    ASSERT_NEAR(rows[i].first, record.Freq[i], 1e-5 * record.Freq[i]);
    if (record.Gain[i] > -60.0f) {
      ASSERT_NEAR(rows[i].second, record.Gain[i], opamp.tolerance)
          << "at " << record.Freq[i] << " Hz";
    }
  }
}

bool HaveNgspice() {
  return std::system("command -v ngspice >/dev/null 2>&1") == 0;
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

// Manual designs: whatever parts a stage holds, the circuit simulated is the one analysed (a
// two-pole stage given an R1 and C1, an R1 without its C1, a resistor far below an ohm).
TEST(SpiceSimulation, NgspiceAgreesWithAnalyzeForManualStages) {
  if (!HaveNgspice())
    GTEST_SKIP() << "ngspice is not installed (scripts/ensure-packages.sh installs it)";
  const struct {
    const char* name;
    int16_t order;
    void (*edit)(DesignRecord&);
  } cases[] = {
      {"stage 2 R1 10k C1 1nF", 4, [](DesignRecord& r) { r.R[2][1] = 1e4f, r.C[2][1] = 1e-9f; }},
      {"stage 3 R1 10k C1 1nF", 6, [](DesignRecord& r) { r.R[3][1] = 1e4f, r.C[3][1] = 1e-9f; }},
      {"stage 1 R1 4.7k, C1 open", 4, [](DesignRecord& r) { r.R[1][1] = 4700, r.C[1][1] = 0; }},
      {"stage 1 R2 1e-12", 4, [](DesignRecord& r) { r.R[1][2] = 1e-12f; }},
  };
  test::ScratchFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectAgreement(kButterworth, c.order, 0, c.edit);
  }
}

// With a real op-amp the exported GBW turns each follower into the single-pole model that the
// analysis uses; a GBW low enough to move the response shows that the model is in the circuit.
TEST(SpiceSimulation, NgspiceAgreesWithAnalyzeWithTheOpampGbw) {
  if (!HaveNgspice())
    GTEST_SKIP() << "ngspice is not installed (scripts/ensure-packages.sh installs it)";
  const struct {
    int16_t family;
    int16_t order;
    float apass, bandwidth, gbw;
  } cases[] = {{kButterworth, 4, 0, 10000, 1e6f},
               {kChebyshev, 6, 1, 20000, 2e6f},
               {kChebyshev, 5, 3, 5000, 250000},
               {kBessel, 3, 0, 2000, 20000}};
  test::ScratchFolder folder;
  for (const auto& c : cases)
    ExpectAgreement(c.family, c.order, c.apass, nullptr, c.bandwidth, {c.gbw, 0.05});
}

}  // namespace
}  // namespace kestro
