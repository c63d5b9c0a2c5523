#include "files/spice_schematic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/eng_value.h"
#include "files/scratch_folder.h"
#include "support/scripted_dialogs.h"

namespace kestro {
namespace {

using namespace test;

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
  std::vector<std::string> lines = SpiceSchematicLines(r);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().rfind("TEXT 0 464 Left 0 ;", 0), 0u);
  lines.pop_back();
  EXPECT_EQ(Joined(lines, "\n"),
            "Version 4\nSHEET 1 1 1\n"
            "SYMBOL voltage  0  48 M0\nWINDOW 123 24 132 Left 0\nSYMATTR InstName Vgen\n"
            "SYMATTR Value AC 1\nWIRE  0  0  0  64 \nWIRE  0  144  0  208 \nFLAG  0  208 0\n"
            "SYMBOL res  48  16 R270\nWINDOW 0  32  56  VTop 0\nWINDOW 3  0  56  VBottom 0\n"
            "SYMATTR InstName R1\nSYMATTR Value 4.7k\nWIRE  0  0  64  0 \nWIRE  144  0  208  0 \n"
            "SYMBOL cap  192  80 R0\nSYMATTR InstName C1\nSYMATTR Value 0.022uF\n"
            "WIRE  208  0  208  80 \nWIRE  208  144  208  208 \n"
            "SYMBOL res  256  16 R270\nWINDOW 0  32  56  VTop 0\nWINDOW 3  0  56  VBottom 0\n"
            "SYMATTR InstName R2\nSYMATTR Value 1.5MEG\nWIRE  208  0  272  0 \n"
            "WIRE  352  0  416  0 \n"
            "SYMBOL cap  400  80 R0\nSYMATTR InstName C2\nSYMATTR Value 4700pF\n"
            "WIRE  416  0  416  80 \nWIRE  416  144  416  208 \nFLAG  416  208 0\n"
            "SYMBOL Opamps\\\\opamp  592  80 M180\nSYMATTR InstName U1\nWIRE  416  0  560  0 \n"
            "WIRE  624  16  656  16 \nWIRE  656  96  528  96 \nWIRE  528  96  528  32 \n"
            "WIRE  528  32  560  32 \nWIRE  208  208  208  272 \nWIRE  208  272  656  272 \n"
            "WIRE  656  272  656  0 \nWIRE  656  0  720  0 \nFLAG  720  0 Output\n"
            "TEXT 0 368 Left 0 !.include Opamp.sub\n"
            "TEXT 0 416 Left 0 !.AC DEC 1000  1000   10000 \n");
}

TEST(SpiceSchematicLines, AnalysisRangeWithFractionsAndValueSuffixes) {
  DesignRecord r = Cascade(2);
  r.Fstart = 0.5f;
  r.Fstop = 2.5e6f;
  r.R[1][2] = 2.2e9f;
  r.R[1][3] = 100;
  const std::vector<std::string> lines = SpiceSchematicLines(r);
  for (const char* line : {"TEXT 0 416 Left 0 !.AC DEC 1000  0.5   2500000 ", "SYMATTR Value 2.2G",
                           "SYMATTR Value 100 "})
    EXPECT_EQ(std::count(lines.begin(), lines.end(), line), 1) << line;
}

// --- The schematic read back as a netlist ---

struct Point {
  long x, y;
  auto operator<=>(const Point&) const = default;
};

struct Part {
  std::string symbol, name, value;
  std::vector<Point> pins;
};

// Pin offsets of the four symbols in the rotation written; the op-amp's are the non-inverting
// input, the inverting input and the output.
const std::map<std::string, std::vector<Point>> kPins{
    {"res R270", {{16, -16}, {96, -16}}},
    {"cap R0", {{16, 0}, {16, 64}}},
    {"voltage M0", {{0, 16}, {0, 96}}},
    {"Opamps\\\\opamp M180", {{-32, -80}, {-32, -48}, {32, -64}}}};

bool OnSegment(Point p, Point a, Point b) {
  return (b.x - a.x) * (p.y - a.y) == (b.y - a.y) * (p.x - a.x) && p.x >= std::min(a.x, b.x) &&
         p.x <= std::max(a.x, b.x) && p.y >= std::min(a.y, b.y) && p.y <= std::max(a.y, b.y);
}

// Parts and flags of a schematic; wire ends, pins and flags join every wire they lie on, and
// flags of one name join each other.
struct Netlist {
  explicit Netlist(const std::vector<std::string>& lines) {
    std::vector<std::pair<Point, Point>> wires;
    std::vector<Point> points;
    for (const std::string& line : lines) {
      std::istringstream in(line);
      std::string keyword, word, rotation;
      Point a{}, b{};
      in >> keyword;
      if (keyword == "SYMBOL" && in >> word >> a.x >> a.y >> rotation) {
        parts.push_back({word, "", "", {}});
        const auto pins = kPins.find(word + " " + rotation);
        EXPECT_NE(pins, kPins.end()) << line;
        for (Point p : pins == kPins.end() ? std::vector<Point>{} : pins->second)
          parts.back().pins.push_back({a.x + p.x, a.y + p.y}),
              points.push_back(parts.back().pins.back());
      } else if (keyword == "SYMATTR" && in >> word && !parts.empty()) {
        std::getline(in >> std::ws, (word == "Value" ? parts.back().value : parts.back().name));
      } else if (keyword == "WIRE" && in >> a.x >> a.y >> b.x >> b.y) {
        wires.push_back({a, b}), points.insert(points.end(), {a, b});
      } else if (keyword == "FLAG" && in >> a.x >> a.y >> word) {
        points.push_back(a);
        if (flags.count(word) != 0)
          Unite(flags[word], a);
        flags[word] = a;
      }
    }
    for (Point p : points) {
      for (const auto& [a, b] : wires) {
        if (OnSegment(p, a, b))
          Unite(p, a);
      }
    }
  }

  Point Find(Point p) {
    auto [it, added] = parent_.try_emplace(p, p);
    return it->second == p ? p : it->second = Find(it->second);
  }
  void Unite(Point a, Point b) { parent_[Find(a)] = Find(b); }

  std::vector<Part> parts;
  std::map<std::string, Point> flags;

 private:
  std::map<Point, Point> parent_;
};

// Walks the parts in file order and checks that they form the record's Sallen-Key cascade: each
// two-pin part has one pin on the expected node, and each stage ends in a follower.
void CheckCascade(Netlist& net, const DesignRecord& r) {
  ASSERT_TRUE(net.flags.count("0") && net.flags.count("Output"));
  const Point ground = net.Find(net.flags["0"]);
  std::size_t next = 0;
  int counts[2] = {};  // resistors, capacitors
  // The nets of the next part's pins, after checking its symbol and name.
  const auto take = [&](const std::string& symbol, const std::string& name, std::size_t pins) {
    Part part{symbol, name, "", {}};
    if (next < net.parts.size())
      part = net.parts[next++];
    EXPECT_EQ(part.symbol + " " + part.name + " pins " + std::to_string(part.pins.size()),
              symbol + " " + name + " pins " + std::to_string(pins));
    part.pins.resize(pins, Point{-1, -1});
    for (Point& p : part.pins)
      p = net.Find(p);
    return part;
  };
  const auto twoPin = [&](bool cap, float value, Point from) {
    const std::string name = (cap ? "C" : "R") + std::to_string(++counts[cap]);
    const Part part = take(cap ? "cap" : "res", name, 2);
    EXPECT_EQ(part.value, cap ? FormatCap(value) : FormatNum(value)) << name;
    EXPECT_TRUE(part.pins[0] == from || part.pins[1] == from) << name << " is not on its node";
    return part.pins[0] == from ? part.pins[1] : part.pins[0];
  };
  const Part source = take("voltage", "Vgen", 2);
  Point in = source.pins[0];
  EXPECT_EQ(source.pins[1], ground);
  for (int s = 1; s <= StageCount(r); ++s) {
    if (s == 1 && r.Order % 2 == 1) {  // the three-pole stage's first section
      in = twoPin(false, r.R[s][1], in);
      EXPECT_EQ(twoPin(true, r.C[s][1], in), ground) << "C1 of the three-pole stage";
    }
    const Point a = twoPin(false, r.R[s][2], in), out = twoPin(true, r.C[s][2], a);
    const Point b = twoPin(false, r.R[s][3], a);
    EXPECT_EQ(twoPin(true, r.C[s][3], b), ground) << "C3 of stage " << s;
    EXPECT_EQ(take("Opamps\\\\opamp", "U" + std::to_string(s), 3).pins, (std::vector{b, out, out}))
        << "follower of stage " << s;
    EXPECT_EQ(std::set<Point>({in, a, b, out, ground}).size(), 5u) << "shorted nodes, stage " << s;
    in = out;
  }
  EXPECT_EQ(net.Find(net.flags["Output"]), in);
  EXPECT_EQ(next, net.parts.size()) << "parts beyond the cascade";
}

TEST(SpiceNetlist, OneFollowerPerStageAndEveryPartBetweenTheRightNodes) {
  for (int16_t order : {2, 3, 4, 5, 11}) {
    SCOPED_TRACE(testing::Message() << "order " << order);
    const DesignRecord r = Cascade(order);
    Netlist net(SpiceSchematicLines(r));
    CheckCascade(net, r);
  }
  // The check itself notices a capacitor whose lower wire starts on the signal wire.
  std::vector<std::string> lines = SpiceSchematicLines(Cascade(2));
  std::replace(lines.begin(), lines.end(), std::string("WIRE  416  144  416  208 "),
               std::string("WIRE  416  32  416  208 "));
  Netlist shorted(lines);
  ASSERT_EQ(shorted.parts.at(4).name, "C2");
  EXPECT_EQ(shorted.Find(shorted.parts[4].pins[0]), shorted.Find(shorted.parts[4].pins[1]));
}

TEST(WriteSpiceSchematic, WritesCrLfLinesOrReportsTheFailure) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  const DesignRecord r = Cascade(5);
  ASSERT_TRUE(WriteSpiceSchematic(r, "filter.ASC", dialogs));
  EXPECT_EQ(SplitCrLf(FileText("filter.ASC")), SpiceSchematicLines(r));
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_FALSE(WriteSpiceSchematic(r, "no/folder/filter.ASC", dialogs));
  EXPECT_FALSE(WriteSpiceSchematic(r, "", dialogs));
  EXPECT_EQ(dialogs.Texts(),
            std::vector<std::string>(
                2, "A problem was encountered and so the LTspice schematic file was not written"));
  EXPECT_EQ(dialogs.beeps, 2);
}

}  // namespace
}  // namespace kestro
