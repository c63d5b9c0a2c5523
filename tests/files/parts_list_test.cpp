// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/parts_list.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "files/scratch_folder.h"
#include "files/spice_schematic.h"

namespace kestro {
namespace {

// An order-5 filter: the three-pole stage, then one pair. Its values lie on the series named
// beside them (IEC 60063), or on none.
DesignRecord FifthOrder() {
  DesignRecord record{};
  record.Order = 5;
  record.NrStages = 2;
  record.R[1] = {0, 4700, 8450, 1010, 0, 0};     // E6, E96, E192
  record.C[1] = {0, 1.5e-9f, 5.6e-9f, 1.1e-9f};  // E6, E12, E24
  record.R[2] = {0, 0, 1234, 56200, 0, 0};       // none, E48
  record.C[2] = {0, 1e-13f, 2.7e-8f, 3.3e-10f};  // (absent), E12, E6
  record.OpampGbw = 1e6f;
  return record;
}

// Designators and values are the LTspice schematic's, in its order; each value's smallest series
// and role follow it.
TEST(PartsListRows, NameThePartsAsTheSchematicAndFindTheirSeries) {
  const DesignRecord record = FifthOrder();
  std::vector<std::string> schematicParts;
  for (const std::string& line : SpiceSchematicLines(record)) {
    if (line.starts_with("SYMATTR InstName ") && !line.ends_with("Vgen"))
      schematicParts.push_back(line.substr(17));
    if (line.starts_with("SYMATTR Value ") && !line.ends_with("AC 1"))
      schematicParts.back() += " " + line.substr(14);
  }
  std::vector<std::string> listed;
  for (const PartsListRow& row : PartsListRows(record)) {
    listed.push_back(row.designator[0] == 'U' ? row.designator : row.designator + " " + row.value);
  }
  EXPECT_EQ(listed, schematicParts);

  std::ostringstream rows;
  for (const PartsListRow& row : PartsListRows(record))
    rows << row.designator << ' ' << row.series << ' ' << row.stage << ' ' << row.role << '|';
  EXPECT_EQ(rows.str(),
            "R1 E6 1 input resistor|C1 E6 1 input ground capacitor|R2 E96 1 second resistor|"
            "C2 E12 1 feedback capacitor|R3 E192 1 third resistor|C3 E24 1 ground capacitor|"
            "U1  1 op-amp, unity-gain follower|R4  2 input resistor|C4 E12 2 feedback capacitor|"
            "R5 E48 2 second resistor|C5 E6 2 ground capacitor|U2  2 op-amp, unity-gain follower|");
}

// A field is quoted only when it must be, and an inner quote doubles.
TEST(CsvField, QuotesCommasQuotesAndLineEnds) {
  const std::pair<std::string, std::string> cases[] = {{"47k", "47k"},
                                                       {"op-amp, follower", "\"op-amp, follower\""},
                                                       {"5\" rack", "\"5\"\" rack\""},
                                                       {"a\r\nb", "\"a\r\nb\""},
                                                       {"", ""}};
  for (const auto& [field, written] : cases)
    EXPECT_EQ(CsvField(field), written);
}

std::string PythonOutput(const std::string& script, const std::string& file) {
  const std::string command = "python3 -c '" + script + "' " + file;
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
      output += buffer;
    pclose(pipe);
  }
  return output;
}

// Python's csv module reads the written file as a spreadsheet would: a header and one row per
// part, the values those of the record, the quoted role whole.
TEST(WritePartsList, PythonsCsvReaderReadsOneRowPerPartWithTheRecordsValues) {
  if (std::system("python3 -c '' 2>/dev/null") != 0)
    GTEST_SKIP() << "python3 is not available";
  test::ScratchFolder folder;
  DesignRecord record = FifthOrder();
  ASSERT_EQ(WritePartsList(record, "parts.csv"), std::nullopt);
  EXPECT_EQ(test::SplitCrLf(test::FileText("parts.csv")).size(), 13u);  // fails on a bare LF
  const std::string rows = PythonOutput(
      "import csv,sys\n"
      "rows = list(csv.reader(open(sys.argv[1], newline=\"\")))\n"
      "print(len(rows), len(rows[0]))\n"
      "for r in rows[1:]: print(r[0], r[2] or \"-\", r[4], r[5].replace(\" \", \"_\"))\n",
      "parts.csv");
  std::istringstream read(rows);
  std::size_t count = 0, columns = 0;
  read >> count >> columns;
  EXPECT_EQ(count, 13u);
  EXPECT_EQ(columns, 6u);
  for (int s = 1; s <= 2; ++s) {
    const int first = s == 1 ? 1 : 2;
    for (int k = first; k <= 3; ++k) {
      for (const float value : {record.R[s][k], record.C[s][k]}) {
        std::string name, si, role;
        int stage = 0;
        read >> name >> si >> stage >> role;
        SCOPED_TRACE(name);
        EXPECT_NEAR(std::stod(si), value, 1e-6 * value);
        EXPECT_EQ(stage, s);
      }
    }
    std::string name, gbw, role;
    int stage = 0;
    read >> name >> gbw >> stage >> role;
    EXPECT_EQ(name, "U" + std::to_string(s));
    EXPECT_EQ(std::stod(gbw), 1e6);
    EXPECT_EQ(role, "op-amp,_unity-gain_follower");
  }
}

}  // namespace
}  // namespace kestro
