#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kestro::test {

// A point of an LTspice schematic, in its grid units.
struct Point {
  long x, y;
  auto operator<=>(const Point&) const = default;
};

// A symbol of the schematic: its symbol and rotation, name, value and pin positions.
struct Part {
  std::string symbol, name, value;
  std::vector<Point> pins;
};

// Parts and flags of a schematic read back from its lines; wire ends, pins and flags join every
// wire they lie on, and flags of one name join each other. Find gives the node of a point.
struct Netlist {
  explicit Netlist(const std::vector<std::string>& lines);

  Point Find(Point p);
  void Unite(Point a, Point b);

  std::vector<Part> parts;
  std::map<std::string, Point> flags;

 private:
  void ReadLine(const std::string& line);
  void AddSymbol(const std::string& symbol, const std::string& rotation, Point at);

  std::map<Point, Point> parent_;
  std::vector<std::pair<Point, Point>> wires_;
  std::vector<Point> points_;  // wire ends, pins and flags
};

}  // namespace kestro::test
