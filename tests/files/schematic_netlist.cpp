#include "files/schematic_netlist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <utility>

namespace kestro::test {
namespace {

// Pin offsets of the symbols in the rotation written; the op-amp's are the non-inverting input,
// the inverting input and the output.
const std::map<std::string, std::vector<Point>> kPins{
    {"res R270", {{16, -16}, {96, -16}}},
    {"cap R0", {{16, 0}, {16, 64}}},
    {"voltage M0", {{0, 16}, {0, 96}}},
    {"Opamps\\\\opamp M180", {{-32, -80}, {-32, -48}, {32, -64}}}};

}  // namespace

Netlist::Netlist(const std::vector<std::string>& lines) {
  std::vector<std::pair<Point, Point>> wires;
  std::vector<Point> points;
  for (const std::string& line : lines) {
    std::istringstream in(line);
    std::string keyword, word, rotation;
    Point a{}, b{};
    in >> keyword;
    if (keyword == "SYMBOL" && in >> word >> a.x >> a.y >> rotation) {
      const auto pins = kPins.find(word + " " + rotation);
      EXPECT_NE(pins, kPins.end()) << line;
      parts.push_back({word, "", "", {}});
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
      if ((b.x - a.x) * (p.y - a.y) == (b.y - a.y) * (p.x - a.x) && p.x >= std::min(a.x, b.x) &&
          p.x <= std::max(a.x, b.x) && p.y >= std::min(a.y, b.y) && p.y <= std::max(a.y, b.y))
        Unite(p, a);
    }
  }
}

Point Netlist::Find(Point p) {
  auto [it, added] = parent_.try_emplace(p, p);
  return it->second == p ? p : it->second = Find(it->second);
}

void Netlist::Unite(Point a, Point b) {
  parent_[Find(a)] = Find(b);
}

}  // namespace kestro::test
