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

namespace {

bool OnWire(Point p, Point a, Point b) {
  return (b.x - a.x) * (p.y - a.y) == (b.y - a.y) * (p.x - a.x) && p.x >= std::min(a.x, b.x) &&
         p.x <= std::max(a.x, b.x) && p.y >= std::min(a.y, b.y) && p.y <= std::max(a.y, b.y);
}

}  // namespace

Netlist::Netlist(const std::vector<std::string>& lines) {
  for (const std::string& line : lines)
    ReadLine(line);
  for (Point p : points_) {
    for (const auto& [a, b] : wires_) {
      if (OnWire(p, a, b))
        Unite(p, a);
    }
  }
}

void Netlist::ReadLine(const std::string& line) {
  std::istringstream in(line);
  std::string keyword, word, rotation;
  Point a{}, b{};
  in >> keyword;
  if (keyword == "SYMBOL" && in >> word >> a.x >> a.y >> rotation) {
    AddSymbol(word, rotation, a);
  } else if (keyword == "SYMATTR" && in >> word && !parts.empty()) {
    std::getline(in >> std::ws, (word == "Value" ? parts.back().value : parts.back().name));
  } else if (keyword == "WIRE" && in >> a.x >> a.y >> b.x >> b.y) {
    wires_.emplace_back(a, b);
    points_.insert(points_.end(), {a, b});
  } else if (keyword == "FLAG" && in >> a.x >> a.y >> word) {
    points_.push_back(a);
    if (flags.count(word) != 0)
      Unite(flags[word], a);
    flags[word] = a;
  }
}

void Netlist::AddSymbol(const std::string& symbol, const std::string& rotation, Point at) {
  const auto pins = kPins.find(symbol + " " + rotation);
  EXPECT_NE(pins, kPins.end()) << symbol << " " << rotation;
  parts.push_back({symbol, "", "", {}});
  for (Point p : pins == kPins.end() ? std::vector<Point>{} : pins->second) {
    parts.back().pins.push_back({at.x + p.x, at.y + p.y});
    points_.push_back(parts.back().pins.back());
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
