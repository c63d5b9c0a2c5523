// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/spice_schematic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "files/scratch_folder.h"

namespace kestro {
namespace {

using namespace test;
using Lines = std::vector<std::string>;

// Parts with values that differ in every slot: R[s][k] = 1000 s + 10 k ohms, C[s][k] = (10 s + k)
// nF.
DesignRecord Cascade(int16_t order) {
  DesignRecord r{};
  r.Order = order, r.NrStages = StagesForOrder(order), r.Fstart = 1000, r.Fstop = 10000;
  for (int s = 1; s <= kMaxStage; ++s) {
    for (int k = 1; k <= 5; ++k)
      r.R[s][k] = static_cast<float>(1000 * s + 10 * k);
    for (int k = 1; k <= 3; ++k)
      r.C[s][k] = static_cast<float>(10 * s + k) * 1e-9f;
  }
  return r;
}

TEST(SpiceSchematicLines, OrderTwoLineByLineAndValueForms) {
  DesignRecord r = Cascade(2);
  r.R[1][1] = 0;  // a two-pole stage as designed: R1 a wire, so C1 drops out
  r.R[1][2] = 4700, r.R[1][3] = 1.5e6f, r.C[1][2] = 2.2e-8f, r.C[1][3] = 4.7e-9f;
  Lines lines = SpiceSchematicLines(r);
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(lines.back().starts_with("TEXT 0 464 Left 0 ;")) << lines.back();
  lines.pop_back();
  EXPECT_EQ(
      Joined(lines, "|"),
      "Version 4|SHEET 1 1 1|SYMBOL voltage  0  48 M0|WINDOW 123 24 132 Left 0|"
      "SYMATTR InstName Vgen|SYMATTR Value AC 1|WIRE  0  0  0  64 |WIRE  0  144  0  208 |"
      "FLAG  0  208 0|SYMBOL res  48  16 R270|WINDOW 0  32  56  VTop 0|"
      "WINDOW 3  0  56  VBottom 0|SYMATTR InstName R1|SYMATTR Value 4.7k|WIRE  0  0  64  0 |"
      "WIRE  144  0  208  0 |SYMBOL cap  192  80 R0|SYMATTR InstName C1|SYMATTR Value 0.022uF|"
      "WIRE  208  0  208  80 |WIRE  208  144  208  208 |SYMBOL res  256  16 R270|"
      "WINDOW 0  32  56  VTop 0|WINDOW 3  0  56  VBottom 0|SYMATTR InstName R2|"
      "SYMATTR Value 1.5MEG|WIRE  208  0  272  0 |WIRE  352  0  416  0 |SYMBOL cap  400  80 R0|"
      "SYMATTR InstName C2|SYMATTR Value 4700pF|WIRE  416  0  416  80 |"
      "WIRE  416  144  416  208 |FLAG  416  208 0|SYMBOL Opamps\\\\opamp  592  80 M180|"
      "SYMATTR InstName U1|WIRE  416  0  560  0 |WIRE  624  16  656  16 |"
      "WIRE  656  96  528  96 |WIRE  528  96  528  32 |WIRE  528  32  560  32 |"
      "WIRE  208  208  208  272 |WIRE  208  272  656  272 |WIRE  656  272  656  0 |"
      "WIRE  656  0  720  0 |FLAG  720  0 Output|TEXT 0 368 Left 0 !.include Opamp.sub|"
      "TEXT 0 416 Left 0 !.AC DEC 1000  1000   10000 |");
  // A fractional analysis range and the value suffixes not seen above.
  r.Fstart = 0.5f, r.Fstop = 2.5e6f, r.R[1][2] = 2.2e9f, r.R[1][3] = 100;
  lines = SpiceSchematicLines(r);
  for (const char* line : {"TEXT 0 416 Left 0 !.AC DEC 1000  0.5   2500000 ", "SYMATTR Value 2.2G",
                           "SYMATTR Value 100 "})
    EXPECT_EQ(std::ranges::count(lines, line), 1) << line;
}

// Every stage is drawn as the analysis evaluates it: R1 unless it is 0, C1 behind it when
// positive. Values the page form would round into another part are written exactly.
TEST(SpiceSchematicLines, DrawsEveryPartTheAnalysisUsesWithItsOwnValue) {
  const auto count = [](const Lines& lines, const std::string& text) {
    return std::ranges::count(lines, text);
  };
  const struct {
    const char* name;
    int16_t order;
    void (*edit)(DesignRecord&);
    long resistors, capacitors;
    Lines values;  // "SYMATTR Value" texts that must be present
  } cases[] = {
      {"two two-pole stages", 4, [](DesignRecord& r) { r.R[1][1] = r.R[2][1] = 0; }, 4, 4, {}},
      {"stage 2 given R1 and C1",
       4,
       [](DesignRecord& r) { r.R[1][1] = 0, r.R[2][1] = 1e4f, r.C[2][1] = 1e-9f; },
       5,
       5,
       {"10k", "1000pF"}},
      {"R1 alone, C1 open",
       4,
       [](DesignRecord& r) { r.R[1][1] = 0, r.R[2][1] = 4700, r.C[2][1] = 0; },
       5,
       4,
       {"4.7k"}},
      {"three three-pole stages", 6, [](DesignRecord&) {}, 9, 9, {"1.01k", "2.01k", "3.01k"}},
      {"values below the page forms",
       2,
       [](DesignRecord& r) { r.R[1][1] = 1e-12f, r.R[1][2] = 12345.67f, r.C[1][1] = 1e-20f; },
       3,
       3,
       {"1E-12", "12345.67", "1E-20"}},
      {"values beyond the page forms",
       2,
       [](DesignRecord& r) { r.R[1][3] = 1e12f, r.C[1][2] = 1e11f; },
       3,
       3,
       {"1E+12", "1E+11"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DesignRecord r = Cascade(c.order);
    c.edit(r);
    const Lines lines = SpiceSchematicLines(r);
    const auto symbols = [&](const char* kind) {
      return std::ranges::count_if(lines, [&](const std::string& line) {
        return line.starts_with(std::string("SYMBOL ") + kind + " ");
      });
    };
    EXPECT_EQ(symbols("res"), c.resistors);
    EXPECT_EQ(symbols("cap"), c.capacitors);
    for (const std::string& value : c.values)
      EXPECT_EQ(count(lines, "SYMATTR Value " + value), 1) << value;
    EXPECT_EQ(count(lines, "SYMATTR Value 0"), 0);
  }
}

// Each op-amp carries the GBW on its SpiceLine, right after its name, only while the analysis uses
// it (switched on with a finite positive GBW); otherwise the export is that of the ideal op-amp.
TEST(SpiceSchematicLines, OpampGbwOnEverySymbolOnlyWhenAnalysedWithIt) {
  const DesignRecord ideal = Cascade(5);
  const struct {
    float gbw;
    int16_t on;
    const char* line;  // nullptr: no SpiceLine, the lines of the ideal op-amp
  } cases[] = {{1e6f, 1, "SYMATTR SpiceLine GBW=1MEG"},
               {2.5e5f, 1, "SYMATTR SpiceLine GBW=250k"},
               {1234567, 1, "SYMATTR SpiceLine GBW=1234567"},
               {1e6f, 0, nullptr},
               {0, 1, nullptr},
               {-1e6f, 1, nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.gbw << " on " << c.on);
    DesignRecord r = Cascade(5);
    r.OpampGbw = c.gbw, r.OpampOn = c.on;
    Lines expected = SpiceSchematicLines(ideal);
    for (auto at = expected.begin(); c.line != nullptr && at != expected.end(); ++at) {
      if (at->starts_with("SYMATTR InstName U"))
        at = expected.insert(at + 1, c.line);
    }
    const Lines lines = SpiceSchematicLines(r);
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "SYMATTR InstName U2"), 1);
  }
}

TEST(WriteSpiceSchematic, WritesCrLfLinesOrReportsTheFailure) {
  ScratchFolder folder;
  ASSERT_EQ(WriteSpiceSchematic(Cascade(5), "filter.ASC"), std::nullopt);
  EXPECT_EQ(SplitCrLf(FileText("filter.ASC")), SpiceSchematicLines(Cascade(5)));
  for (const char* name : {"no/folder/filter.ASC", ""}) {
    EXPECT_EQ(WriteSpiceSchematic(Cascade(5), name),
              "A problem was encountered and so the LTspice schematic file was not written");
  }
}

}  // namespace
}  // namespace kestro
