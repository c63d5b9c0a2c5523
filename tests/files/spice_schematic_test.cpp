#include "files/spice_schematic.h"

#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/eng_value.h"
#include "files/scratch_folder.h"
#include "support/scripted_dialogs.h"

namespace kestro {
namespace {

using test::FileText;
using test::ScratchFolder;
using test::ScriptedDialogs;
using test::SplitCrLf;

// Parts with values that differ in every slot: R[s][k] = 1000 s + 10 k ohms, and
// C[s][k] = (10 s + k) nF.
DesignRecord Cascade(int16_t order) {
  DesignRecord r{};
  r.Order = order;
  r.NrStages = StagesForOrder(order);
  r.Fstart = 1000;
  r.Fstop = 10000;
  for (int s = 1; s <= kMaxStage; ++s) {
    for (int k = 1; k <= 5; ++k)
      r.R[s][k] = static_cast<float>(1000 * s + 10 * k);
    for (int k = 1; k <= 3; ++k)
      r.C[s][k] = static_cast<float>(10 * s + k) * 1e-9f;
  }
  return r;
}

TEST(SpiceSchematicLines, OrderTwoIsWrittenLineByLine) {
  DesignRecord r = Cascade(2);
  r.R[1][2] = 4700;
  r.R[1][3] = 1.5e6f;
  r.C[1][2] = 2.2e-8f;
  r.C[1][3] = 4.7e-9f;
  const std::vector<std::string> expected{
      "Version 4",
      "SHEET 1 1 1",
      "SYMBOL voltage  0  48 M0",
      "WINDOW 123 24 132 Left 0",
      "SYMATTR InstName Vgen",
      "SYMATTR Value AC 1",
      "WIRE  0  0  0  64 ",
      "WIRE  0  144  0  208 ",
      "FLAG  0  208 0",
      "SYMBOL res  48  16 R270",
      "WINDOW 0  32  56  VTop 0",
      "WINDOW 3  0  56  VBottom 0",
      "SYMATTR InstName R1",
      "SYMATTR Value 4.7k",
      "WIRE  0  0  64  0 ",
      "WIRE  144  0  208  0 ",
      "SYMBOL cap  192  80 R0",
      "SYMATTR InstName C1",
      "SYMATTR Value 0.022uF",
      "WIRE  208  0  208  80 ",
      "WIRE  208  144  208  208 ",
      "SYMBOL res  256  16 R270",
      "WINDOW 0  32  56  VTop 0",
      "WINDOW 3  0  56  VBottom 0",
      "SYMATTR InstName R2",
      "SYMATTR Value 1.5MEG",
      "WIRE  208  0  272  0 ",
      "WIRE  352  0  416  0 ",
      "SYMBOL cap  400  80 R0",
      "SYMATTR InstName C2",
      "SYMATTR Value 4700pF",
      "WIRE  416  0  416  80 ",
      "WIRE  416  144  416  208 ",
      "FLAG  416  208 0",
      "SYMBOL Opamps\\\\opamp  592  80 M180",
      "SYMATTR InstName U1",
      "WIRE  416  0  560  0 ",
      "WIRE  624  16  656  16 ",
      "WIRE  656  96  528  96 ",
      "WIRE  528  96  528  32 ",
      "WIRE  528  32  560  32 ",
      "WIRE  208  208  208  272 ",
      "WIRE  208  272  656  272 ",
      "WIRE  656  272  656  0 ",
      "WIRE  656  0  720  0 ",
      "FLAG  720  0 Output",
      "TEXT 0 368 Left 0 !.include Opamp.sub",
      "TEXT 0 416 Left 0 !.AC DEC 1000  1000   10000 ",
  };
  std::vector<std::string> lines = SpiceSchematicLines(r);
  ASSERT_EQ(lines.size(), expected.size() + 1);
  EXPECT_EQ(lines.back().rfind("TEXT 0 464 Left 0 ;", 0), 0u);
  lines.pop_back();
  EXPECT_EQ(lines, expected);
}

TEST(SpiceSchematicLines, AnalysisRangeWithFractionsAndValueSuffixes) {
  DesignRecord r = Cascade(2);
  r.Fstart = 0.5f;
  r.Fstop = 2.5e6f;
  r.R[1][2] = 2.2e9f;
  r.R[1][3] = 100;
  const std::vector<std::string> lines = SpiceSchematicLines(r);
  EXPECT_NE(
      std::find(lines.begin(), lines.end(), "TEXT 0 416 Left 0 !.AC DEC 1000  0.5   2500000 "),
      lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "SYMATTR Value 2.2G"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "SYMATTR Value 100 "), lines.end());
}

// --- The schematic read back as a netlist ---

struct Point {
  long x;
  long y;
  bool operator<(const Point& o) const { return x != o.x ? x < o.x : y < o.y; }
  bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

struct Part {
  std::string symbol;
  std::string name;
  std::string value;
  std::vector<Point> pins;
};

// Pin positions of the four symbols, relative to the symbol origin, in the rotation written.
std::vector<Point> PinsOf(const std::string& symbol, const std::string& rotation, Point at) {
  auto shifted = [&](std::initializer_list<Point> offsets) {
    std::vector<Point> pins;
    for (Point p : offsets)
      pins.push_back({at.x + p.x, at.y + p.y});
    return pins;
  };
  if (symbol == "res" && rotation == "R270")
    return shifted({{16, -16}, {96, -16}});
  if (symbol == "cap" && rotation == "R0")
    return shifted({{16, 0}, {16, 64}});
  if (symbol == "voltage" && rotation == "M0")
    return shifted({{0, 16}, {0, 96}});
  // Op-amp: non-inverting input, inverting input, output.
  if (symbol == "Opamps\\\\opamp" && rotation == "M180") {
    return shifted({{-32, -80}, {-32, -48}, {32, -64}});
  }
  ADD_FAILURE() << "unknown symbol " << symbol << " " << rotation;
  return {};
}

class Netlist {
 public:
  explicit Netlist(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
      Parse(line);
    JoinWires();
  }

  std::vector<Part> parts;
  std::map<std::string, int> flags;  // flag name -> net

  int NetAt(Point p) {
    for (const auto& [a, b] : wires_) {
      if (OnSegment(p, a, b))
        return Find(Id(a));
    }
    return Find(Id(p));  // a point on no wire is a net of its own
  }

 private:
  void Parse(const std::string& line) {
    std::istringstream in(line);
    std::string keyword;
    in >> keyword;
    if (keyword == "SYMBOL") {
      Part part;
      Point at{};
      std::string rotation;
      in >> part.symbol >> at.x >> at.y >> rotation;
      part.pins = PinsOf(part.symbol, rotation, at);
      parts.push_back(part);
    } else if (keyword == "SYMATTR") {
      std::string attribute;
      in >> attribute;
      std::string rest;
      std::getline(in, rest);
      rest = rest.substr(1);
      if (attribute == "InstName")
        parts.back().name = rest;
      if (attribute == "Value")
        parts.back().value = rest;
    } else if (keyword == "WIRE") {
      Point a{}, b{};
      in >> a.x >> a.y >> b.x >> b.y;
      wires_.push_back({a, b});
    } else if (keyword == "FLAG") {
      Point at{};
      std::string name;
      in >> at.x >> at.y >> name;
      flagPoints_.push_back({name, at});
    }
  }

  static bool OnSegment(Point p, Point a, Point b) {
    const long cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
    return cross == 0 && p.x >= std::min(a.x, b.x) && p.x <= std::max(a.x, b.x) &&
           p.y >= std::min(a.y, b.y) && p.y <= std::max(a.y, b.y);
  }

  // Wires join at their end points and where an end point lies on another wire.
  void JoinWires() {
    for (const auto& [a, b] : wires_)
      Unite(Id(a), Id(b));
    for (const auto& [a, b] : wires_) {
      for (const auto& [c, d] : wires_) {
        for (Point end : {c, d}) {
          if (OnSegment(end, a, b))
            Unite(Id(end), Id(a));
        }
      }
    }
    for (const auto& [name, at] : flagPoints_) {
      const int net = NetAt(at);
      if (flags.count(name) != 0)
        Unite(flags[name], net);
      flags[name] = net;
    }
    for (auto& [name, net] : flags)
      net = Find(net);
  }

  int Id(Point p) {
    const auto found = ids_.find(p);
    if (found != ids_.end())
      return found->second;
    const int id = static_cast<int>(parent_.size());
    parent_.push_back(id);
    ids_[p] = id;
    return id;
  }
  int Find(int id) { return parent_[id] == id ? id : parent_[id] = Find(parent_[id]); }
  void Unite(int a, int b) { parent_[Find(a)] = Find(b); }

  std::vector<std::pair<Point, Point>> wires_;
  std::vector<std::pair<std::string, Point>> flagPoints_;
  std::map<Point, int> ids_;
  std::vector<int> parent_;
};

// Walks the parts in file order and checks that they form the Sallen-Key cascade of the record.
class CascadeCheck {
 public:
  CascadeCheck(Netlist& net, const DesignRecord& r) : net_(net), r_(r) {}

  void Run() {
    ASSERT_TRUE(net_.flags.count("0") && net_.flags.count("Output"));
    ground_ = net_.flags["0"];
    const Part& source = Next("voltage");
    EXPECT_EQ(source.name, "Vgen");
    int in = Net(source, 0);
    EXPECT_EQ(Net(source, 1), ground_);
    EXPECT_NE(in, ground_);
    const int stages = static_cast<int>(StagesForOrder(r_.Order));
    for (int s = 1; s <= stages; ++s)
      in = Stage(s, in, r_.Order % 2 == 1 && s == 1);
    EXPECT_EQ(net_.flags["Output"], in);
    EXPECT_EQ(next_, net_.parts.size()) << "parts beyond the cascade";
  }

 private:
  const Part& Next(const std::string& symbol) {
    static const Part none;
    if (next_ >= net_.parts.size()) {
      ADD_FAILURE() << "missing " << symbol;
      return none;
    }
    const Part& part = net_.parts[next_++];
    EXPECT_EQ(part.symbol, symbol) << part.name;
    return part;
  }

  int Net(const Part& part, std::size_t pin) {
    return pin < part.pins.size() ? net_.NetAt(part.pins[pin]) : -1;
  }

  // A two-pin part between from and some other net; returns that other net.
  int TwoPin(const std::string& symbol, int from, const std::string& value,
             const std::string& name) {
    const Part& part = Next(symbol);
    EXPECT_EQ(part.name, name);
    EXPECT_EQ(part.value, value) << part.name;
    const int a = Net(part, 0), b = Net(part, 1);
    EXPECT_TRUE(a == from || b == from) << part.name << " is not on the expected node";
    return a == from ? b : a;
  }

  int Resistor(int from, float ohms) {
    return TwoPin("res", from, FormatNum(ohms), std::string("R") + std::to_string(++resistors_));
  }
  int Capacitor(int from, float farads) {
    return TwoPin("cap", from, FormatCap(farads), std::string("C") + std::to_string(++capacitors_));
  }

  int Stage(int s, int in, bool threePole) {
    if (threePole) {
      const int p = Resistor(in, r_.R[s][1]);
      EXPECT_EQ(Capacitor(p, r_.C[s][1]), ground_) << "C1 of the three-pole stage";
      in = p;
    }
    const int a = Resistor(in, r_.R[s][2]);
    const int out = Capacitor(a, r_.C[s][2]);
    const int b = Resistor(a, r_.R[s][3]);
    EXPECT_EQ(Capacitor(b, r_.C[s][3]), ground_) << "C3 of stage " << s;
    const Part& amp = Next("Opamps\\\\opamp");
    EXPECT_EQ(amp.name, std::string("U") + std::to_string(s));
    EXPECT_EQ(Net(amp, 0), b) << "non-inverting input of stage " << s;
    EXPECT_EQ(Net(amp, 1), out) << "inverting input of stage " << s;
    EXPECT_EQ(Net(amp, 2), out) << "output of stage " << s;
    const std::set<int> distinct{in, a, b, out, ground_};
    EXPECT_EQ(distinct.size(), 5u) << "stage " << s << " has shorted nodes";
    return out;
  }

  Netlist& net_;
  const DesignRecord& r_;
  int ground_ = -1;
  std::size_t next_ = 0;
  int resistors_ = 0;
  int capacitors_ = 0;
};

class SpiceNetlist : public ::testing::TestWithParam<int> {};

TEST_P(SpiceNetlist, OneFollowerPerStageAndEveryPartBetweenTheRightNodes) {
  const DesignRecord r = Cascade(static_cast<int16_t>(GetParam()));
  Netlist net(SpiceSchematicLines(r));
  int amps = 0;
  for (const Part& part : net.parts)
    amps += part.symbol == "Opamps\\\\opamp";
  EXPECT_EQ(amps, static_cast<int>(StagesForOrder(r.Order)));
  CascadeCheck(net, r).Run();
}

INSTANTIATE_TEST_SUITE_P(Orders, SpiceNetlist, ::testing::Values(2, 3, 4, 5, 11));

TEST(SpiceNetlist, TheCheckNoticesAShortedCapacitor) {
  // The capacitor's lower wire started on its upper wire would short it to ground.
  std::vector<std::string> lines = SpiceSchematicLines(Cascade(2));
  for (std::string& line : lines) {
    if (line == "WIRE  416  144  416  208 ")
      line = "WIRE  416  32  416  208 ";
  }
  Netlist net(lines);
  const Part& c2 = net.parts[4];
  ASSERT_EQ(c2.name, "C2");
  EXPECT_EQ(net.NetAt(c2.pins[0]), net.NetAt(c2.pins[1]));
}

TEST(WriteSpiceSchematic, WritesTheLinesWithCrLf) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  const DesignRecord r = Cascade(5);
  ASSERT_TRUE(WriteSpiceSchematic(r, "filter.ASC", dialogs));
  EXPECT_EQ(SplitCrLf(FileText("filter.ASC")), SpiceSchematicLines(r));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST(WriteSpiceSchematic, FailureIsReported) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  EXPECT_FALSE(WriteSpiceSchematic(Cascade(4), "no/folder/filter.ASC", dialogs));
  EXPECT_FALSE(WriteSpiceSchematic(Cascade(4), "", dialogs));
  EXPECT_EQ(dialogs.Texts(),
            std::vector<std::string>(
                2, "A problem was encountered and so the LTspice schematic file was not written"));
  EXPECT_EQ(dialogs.beeps, 2);
}

}  // namespace
}  // namespace kestro
