// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/netlist_file.h"

#include <array>
#include <charconv>
#include <cmath>

#include "core/exact_text.h"
#include "files/file_names.h"
#include "files/text_file.h"

namespace kestro {

namespace {

constexpr const char* kWriteFailure =
    "A problem was encountered and so the SPICE netlist file was not written";
constexpr int kPointsPerDecade = 100;
constexpr double kTwoPi = 6.283185307179586477;

bool SinglePoleOpamp(const DesignRecord& record) {
  const double gbw = record.OpampGbw;
  return record.OpampOn != 0 && std::isfinite(gbw) && gbw > 0.0;
}

// The op-amp: a transconductance of 1 S into 1 / (2 pi GBW) farads (1e12 ohms across it for a
// DC path), buffered by a unity source; or a plain differential gain of 1e7.
std::vector<std::string> OpampSubcircuit(const DesignRecord& record) {
  if (!SinglePoleOpamp(record)) {
    return {"* ideal op-amp: differential gain 1e7", ".subckt opamp inp inn outp",
            "E1 outp 0 inp inn 1e7", ".ends opamp"};
  }
  const double gbw = record.OpampGbw;
  return {"* single-pole op-amp: GBW " + ExactText(gbw) + " Hz",
          ".subckt opamp inp inn outp",
          "G1 0 pole inp inn 1",
          "C1 pole 0 " + ExactText(1.0 / (kTwoPi * gbw)),
          "R1 pole 0 1e12",
          "E1 outp 0 pole 0 1",
          ".ends opamp"};
}

// Stage s from node in to node out: R1 and C1 to ground, R2 to the feedback node, C2 from there
// to the output, R3 and C3 to ground, the follower.
void AddStage(const DesignRecord& record, int s, const std::string& in, const std::string& out,
              std::vector<std::string>& lines) {
  const auto& r = record.R[static_cast<std::size_t>(s)];
  const auto& c = record.C[static_cast<std::size_t>(s)];
  const std::string n = std::to_string(s);
  lines.push_back("* stage " + n);
  std::string first = in;
  if (r[1] > 0) {
    first = "a" + n;
    lines.push_back("R1_" + n + " " + in + " " + first + " " + ExactText(r[1]));
    if (c[1] > 0)
      lines.push_back("C1_" + n + " " + first + " 0 " + ExactText(c[1]));
  }
  lines.push_back("R2_" + n + " " + first + " b" + n + " " + ExactText(r[2]));
  lines.push_back("C2_" + n + " b" + n + " " + out + " " + ExactText(c[2]));
  lines.push_back("R3_" + n + " b" + n + " c" + n + " " + ExactText(r[3]));
  lines.push_back("C3_" + n + " c" + n + " 0 " + ExactText(c[3]));
  lines.push_back("X" + n + " c" + n + " " + out + " " + out + " opamp");
}

}  // namespace

std::vector<std::string> NetlistLines(const DesignRecord& record) {
  std::vector<std::string> lines{"* Sallen-Key lowpass filter written by KestroLab",
                                 "Vin in 0 DC 0 AC 1"};
  const int stages = StageCount(record);
  for (int s = 1; s <= stages; ++s) {
    const std::string in = s == 1 ? "in" : "s" + std::to_string(s - 1);
    const std::string out = s == stages ? "out" : "s" + std::to_string(s);
    AddStage(record, s, in, out, lines);
  }
  for (std::string& line : OpampSubcircuit(record))
    lines.push_back(std::move(line));
  lines.push_back(".ac dec " + std::to_string(kPointsPerDecade) + " " + ExactText(record.Fstart) +
                  " " + ExactText(record.Fstop));
  lines.push_back(".print ac vdb(out) vp(out)");
  lines.push_back(".end");
  return lines;
}

FileFailure WriteNetlist(const DesignRecord& record, const std::string& fileName) {
  if (ReplaceFileText(ResolveFileName(fileName), JoinCrLf(NetlistLines(record))))
    return std::nullopt;
  return kWriteFailure;
}

}  // namespace kestro
