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

// Parts, wires and flags of a schematic; wires join at their end points and where an end point
// lies on another wire.
class Netlist {
 public:
  explicit Netlist(const std::vector<std::string>& lines) {
    std::vector<std::pair<std::string, Point>> flagPoints;
    for (const std::string& line : lines) {
      std::istringstream in(line);
      std::string keyword, word;
      Point a{}, b{};
      in >> keyword;
      if (keyword == "SYMBOL") {
        std::string rotation;
        in >> word >> a.x >> a.y >> rotation;
        parts.push_back({word, "", "", {}});
        const auto pins = kPins.find(word + " " + rotation);
        EXPECT_NE(pins, kPins.end()) << line;
        for (Point p : pins == kPins.end() ? std::vector<Point>{} : pins->second)
          parts.back().pins.push_back({a.x + p.x, a.y + p.y});
      } else if (keyword == "SYMATTR" && in >> word && !parts.empty()) {
        std::getline(in >> std::ws, (word == "Value" ? parts.back().value : parts.back().name));
      } else if (keyword == "WIRE" && in >> a.x >> a.y >> b.x >> b.y) {
        wires_.push_back({a, b});
      } else if (keyword == "FLAG" && in >> a.x >> a.y >> word) {
        flagPoints.push_back({word, a});
      }
    }
    for (const auto& [a, b] : wires_) {
      Unite(a, b);
      for (const auto& [c, d] : wires_) {
        for (Point end : {c, d}) {
          if (OnSegment(end, a, b))
            Unite(end, a);
        }
      }
    }
    for (const auto& [name, at] : flagPoints) {
      if (flags.count(name) != 0)
        Unite(flags[name], at);
      flags[name] = at;
    }
  }

  // The net of a point: the root of the wire it lies on, or of the point itself.
  Point NetAt(Point p) {
    for (const auto& [a, b] : wires_) {
      if (OnSegment(p, a, b))
        return Find(a);
    }
    return Find(p);
  }

  std::vector<Part> parts;
  std::map<std::string, Point> flags;

 private:
  Point Find(Point p) {
    auto [it, added] = parent_.try_emplace(p, p);
    return it->second == p ? p : it->second = Find(it->second);
  }
  void Unite(Point a, Point b) { parent_[Find(a)] = Find(b); }

  std::vector<std::pair<Point, Point>> wires_;
  std::map<Point, Point> parent_;
};

// Walks the parts in file order and checks that they form the record's Sallen-Key cascade: each
// two-pin part has one pin on the expected node, and each stage ends in a follower.
void CheckCascade(Netlist& net, const DesignRecord& r) {
  ASSERT_TRUE(net.flags.count("0") && net.flags.count("Output"));
  const Point ground = net.NetAt(net.flags["0"]);
  std::size_t next = 0;
  int resistors = 0, capacitors = 0;
  const auto take = [&](const std::string& symbol, const std::string& name) -> const Part* {
    if (next >= net.parts.size()) {
      ADD_FAILURE() << "missing " << name;
      return nullptr;
    }
    const Part* part = &net.parts[next++];
    EXPECT_EQ(part->symbol + " " + part->name, symbol + " " + name);
    return part;
  };
  const auto twoPin = [&](const char* symbol, const std::string& name, const std::string& value,
                          Point from) {
    const Part* part = take(symbol, name);
    if (part == nullptr || part->pins.size() != 2)
      return Point{-1, -1};
    EXPECT_EQ(part->value, value) << name;
    const Point a = net.NetAt(part->pins[0]), b = net.NetAt(part->pins[1]);
    EXPECT_TRUE(a == from || b == from) << name << " is not on the expected node";
    return a == from ? b : a;
  };
  const auto resistor = [&](Point from, float ohms) {
    return twoPin("res", "R" + std::to_string(++resistors), FormatNum(ohms), from);
  };
  const auto capacitor = [&](Point from, float farads) {
    return twoPin("cap", "C" + std::to_string(++capacitors), FormatCap(farads), from);
  };
  const Part* source = take("voltage", "Vgen");
  ASSERT_TRUE(source != nullptr && source->pins.size() == 2);
  Point in = net.NetAt(source->pins[0]);
  EXPECT_EQ(net.NetAt(source->pins[1]), ground);
  for (int s = 1; s <= StageCount(r); ++s) {
    if (s == 1 && r.Order % 2 == 1) {  // the three-pole stage's first section
      in = resistor(in, r.R[s][1]);
      EXPECT_EQ(capacitor(in, r.C[s][1]), ground) << "C1 of the three-pole stage";
    }
    const Point a = resistor(in, r.R[s][2]);
    const Point out = capacitor(a, r.C[s][2]);
    const Point b = resistor(a, r.R[s][3]);
    EXPECT_EQ(capacitor(b, r.C[s][3]), ground) << "C3 of stage " << s;
    const Part* amp = take("Opamps\\\\opamp", "U" + std::to_string(s));
    ASSERT_TRUE(amp != nullptr && amp->pins.size() == 3);
    EXPECT_EQ(std::tuple(net.NetAt(amp->pins[0]), net.NetAt(amp->pins[1]), net.NetAt(amp->pins[2])),
              std::tuple(b, out, out))
        << "follower of stage " << s;
    EXPECT_EQ(std::set<Point>({in, a, b, out, ground}).size(), 5u) << "shorted nodes, stage " << s;
    in = out;
  }
  EXPECT_EQ(net.NetAt(net.flags["Output"]), in);
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
  EXPECT_EQ(shorted.NetAt(shorted.parts[4].pins[0]), shorted.NetAt(shorted.parts[4].pins[1]));
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
