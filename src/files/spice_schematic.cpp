// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/spice_schematic.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "core/eng_value.h"
#include "files/file_names.h"
#include "files/text_file.h"

namespace kestro {

namespace {

constexpr const char* kWriteFailure =
    "A problem was encountered and so the LTspice schematic file was not written";

// A keyword followed by numbers, each with its sign position and one trailing blank.
std::string Numbers(const std::string& keyword, std::initializer_list<double> values) {
  std::string line = keyword;
  for (double value : values)
    line += SignedPositionNumber(value);
  return line;
}

// "SYMATTR InstName R3": the kind's letter and its count so far.
std::string Named(const char* kind, int count) {
  return std::string("SYMATTR InstName ").append(kind).append(std::to_string(count));
}

// The page form ("47k", "0.01uF") where it reads back as the value itself; otherwise the exact
// decimal text, so that no part is rounded into another (1e-12 ohm into 0, a short).
std::string PartValue(float value, const std::string& pageForm) {
  float readBack = 0;
  ReadEngValue(pageForm, readBack);
  if (!pageForm.empty() && std::fabs(readBack - value) <= 1e-6f * std::fabs(value))
    return pageForm;
  return PlainNumber(value);
}

// A resistor or a GBW: the page form, with mega as "MEG" (LTspice reads "M" as milli).
std::string MegaValue(float value) {
  std::string text = PartValue(value, FormatNum(value, '.'));
  if (!text.empty() && text.back() == 'M')
    text += "EG";
  return text;
}

// The op-amp that the analysis uses: the single-pole model only while it is switched on with a
// finite positive GBW, the ideal follower otherwise.
bool AnalysedWithGbw(const DesignRecord& record) {
  const float gbw = record.OpampGbw;
  return record.OpampOn != 0 && std::isfinite(gbw) && gbw > 0.0f;
}

// Writes the blocks left to right, advancing the drawing position X.
class SchematicBuilder {
 public:
  std::vector<std::string> lines{"Version 4", "SHEET 1 1 1"};

  void Source() {
    Add(Numbers("SYMBOL voltage ", {x_, 48}) + "M0");
    Add("WINDOW 123 24 132 Left 0");
    Add("SYMATTR InstName Vgen");
    Add("SYMATTR Value AC 1");
    Add(Numbers("WIRE ", {x_, 0, x_, 64}));
    Add(Numbers("WIRE ", {x_, 144, x_, 208}));
    GroundFlag(x_);
    x_ += 48;
  }

  void Resistor(float ohms) {
    Add(Numbers("SYMBOL res ", {x_, 16}) + "R270");
    Add("WINDOW 0  32  56  VTop 0");
    Add("WINDOW 3  0  56  VBottom 0");
    Add(Named("R", ++resistors_));
    Add(std::string("SYMATTR Value ").append(MegaValue(ohms)));
    Add(Numbers("WIRE ", {x_ - 48, 0, x_ + 16, 0}));
    Add(Numbers("WIRE ", {x_ + 96, 0, x_ + 160, 0}));
    x_ += 144;
  }

  // The capacitor hangs from the signal line: its upper pin at (X + 16, 80), its lower pin at
  // (X + 16, 144), joined down to the rail at y = 208.
  void Capacitor(float farads) {
    Add(Numbers("SYMBOL cap ", {x_, 80}) + "R0");
    Add(Named("C", ++capacitors_));
    Add(std::string("SYMATTR Value ").append(PartValue(farads, FormatCap(farads, '.'))));
    Add(Numbers("WIRE ", {x_ + 16, 0, x_ + 16, 80}));
    Add(Numbers("WIRE ", {x_ + 16, 144, x_ + 16, 208}));
    x_ += 64;
  }

  // Grounds the lower end of the capacitor just written.
  void GroundBehind() { GroundFlag(x_ - 48); }

  // Unity-gain follower; its feedback path takes the stage's first capacitor (whose block began
  // at X - 272) to the output at X + 192. A GBW (empty for the ideal op-amp) goes on the
  // symbol's SpiceLine, the parameter line LTspice's generic op-amp takes.
  void OpAmp(const std::string& gbw) {
    Add(Numbers("SYMBOL Opamps\\\\opamp ", {x_ + 128, 80}) + "M180");
    Add(Named("U", ++opamps_));
    if (!gbw.empty())
      Add("SYMATTR SpiceLine GBW=" + gbw);
    Add(Numbers("WIRE ", {x_ - 48, 0, x_ + 96, 0}));
    Add(Numbers("WIRE ", {x_ + 160, 16, x_ + 192, 16}));
    Add(Numbers("WIRE ", {x_ + 192, 96, x_ + 64, 96}));
    Add(Numbers("WIRE ", {x_ + 64, 96, x_ + 64, 32}));
    Add(Numbers("WIRE ", {x_ + 64, 32, x_ + 96, 32}));
    Add(Numbers("WIRE ", {x_ - 256, 208, x_ - 256, 272}));
    Add(Numbers("WIRE ", {x_ - 256, 272, x_ + 192, 272}));
    Add(Numbers("WIRE ", {x_ + 192, 272, x_ + 192, 0}));
  }

  void NextStage() { x_ += 240; }

  void Output() {
    Add(Numbers("WIRE ", {x_ - 48, 0, x_ + 16, 0}));
    Add(Numbers("FLAG ", {x_ + 16, 0}) + "Output");
  }

  void Add(std::string line) { lines.push_back(std::move(line)); }

 private:
  void GroundFlag(double x) { Add(Numbers("FLAG ", {x, 208}) + "0"); }

  double x_ = 0;
  int resistors_ = 0;
  int capacitors_ = 0;
  int opamps_ = 0;
};

// Every stage is the three-pole network the analysis evaluates: R1 in series unless it is 0 (a
// wire), and C1 to ground behind it when positive (0 or less is open). With R1 = 0, C1 sits on a
// driven node and drops out, as in the analysis: a two-pole stage is that case.
void Stage(const DesignRecord& r, int s, SchematicBuilder& builder) {
  if (r.R[s][1] != 0.0f) {
    builder.Resistor(r.R[s][1]);
    if (r.C[s][1] > 0.0f) {
      builder.Capacitor(r.C[s][1]);
      builder.GroundBehind();
    }
  }
  builder.Resistor(r.R[s][2]);
  builder.Capacitor(r.C[s][2]);
  builder.Resistor(r.R[s][3]);
  builder.Capacitor(r.C[s][3]);
  builder.GroundBehind();
  builder.OpAmp(AnalysedWithGbw(r) ? MegaValue(r.OpampGbw) : std::string());
  builder.NextStage();
}

}  // namespace

std::vector<std::string> SpiceSchematicLines(const DesignRecord& record) {
  SchematicBuilder builder;
  builder.Source();
  const int stages =
      std::clamp(static_cast<int>(std::lrint(StagesForOrder(record.Order))), 0, kMaxStage);
  for (int s = 1; s <= stages; ++s)
    Stage(record, s, builder);
  builder.Output();
  builder.Add("TEXT 0 368 Left 0 !.include Opamp.sub");
  builder.Add(Numbers("TEXT 0 416 Left 0 !.AC DEC 1000 ", {record.Fstart}) + " " +
              SignedPositionNumber(record.Fstop));
  builder.Add("TEXT 0 464 Left 0 ;Sallen-Key lowpass filter written by KestroLab");
  return builder.lines;
}

FileFailure WriteSpiceSchematic(const DesignRecord& record, const std::string& fileName) {
  if (ReplaceFileText(ResolveFileName(fileName), JoinCrLf(SpiceSchematicLines(record))))
    return std::nullopt;
  return kWriteFailure;
}

}  // namespace kestro
