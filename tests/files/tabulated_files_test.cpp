// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/tabulated_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/scratch_folder.h"

namespace kestro {
namespace {

using namespace test;
using Lines = std::vector<std::string>;

// Every point at 1000 Hz, -3.0103 dB, -90 degrees and 123.4568 us, except point 1.
DesignRecord TenIntervals() {
  DesignRecord r{};
  r.Nints = 10;
  for (int i = 0; i <= r.Nints; ++i)
    r.Freq[i] = 1000, r.Gain[i] = -3.0103f, r.Phase[i] = -90, r.Delay[i] = 1.234568e-4f;
  r.Freq[1] = 12.5f, r.Gain[1] = 0.5f, r.Phase[1] = 179.99f, r.Delay[1] = 0;
  r.Freq[r.Nints + 1] = 777;  // beyond the last point: never written
  return r;
}

TEST(TabulatedFiles, SixteenLinesForTenIntervalsInBothLayoutsAndLongFieldsWhole) {
  const struct {
    Lines (*lines)(const DesignRecord&);
    const char *heading1, *heading2, *row, *row1;  // row: a point at 1000 Hz; row1: point 1
  } cases[] = {{TabulatedEasyLines, "Freq,      Gain,    Phase,    Delay,",
                " Hz:        dB:      degrees:  secs:", "1K        -3.0103   -90       123.5u    ",
                "12.5Hz    0.5       179.99    0         "},
               {TabulatedSciLines, "Freq,          Gain,        Phase,         Delay,",
                " Hz:            dB:         degrees:       secs:",
                "1000          -3.0103       -90           1.234568E-04  ",
                "12.5          .5            179.99        0             "}};
  for (const auto& c : cases) {
    Lines expected{"", c.heading1, c.heading2, "", c.row, c.row1};
    expected.resize(15, c.row);
    expected.push_back("");
    EXPECT_EQ(c.lines(TenIntervals()), expected);
  }
  DesignRecord r{};
  r.Freq[0] = 1.234567e6f, r.Gain[0] = -123.4567f, r.Phase[0] = 12.5f, r.Delay[0] = -1.234567e-9f;
  EXPECT_EQ(TabulatedSciLines(r).at(4), "1234567       -123.4567     12.5          -1.234567E-09 ");
}

// Both writers: a CR LF file replacing an old one of another case; failures reported, a full
// disk leaving no partial file.
TEST(TabulatedFiles, WritersReplaceTheFileOrReportTheFailure) {
  using Writer = FileFailure (*)(const DesignRecord&, const std::string&);
  const std::pair<Writer, Lines (*)(const DesignRecord&)> writers[] = {
      {WriteTabulatedEasy, TabulatedEasyLines}, {WriteTabulatedSci, TabulatedSciLines}};
  for (const auto& [write, lines] : writers) {
    ScratchFolder folder;
    PutFile("RESULT.DAT", std::string(10000, 'o'));
    ASSERT_EQ(write(TenIntervals(), "result.dat"), std::nullopt);
    EXPECT_EQ(SplitCrLf(FileText("RESULT.DAT")), lines(TenIntervals()));
    std::filesystem::create_directory("taken.DAT");
    const FileSizeLimit limit(100);
    for (const char* name : {"", "missing/x.DAT", "taken.DAT", "full.DAT"}) {
      EXPECT_EQ(write(TenIntervals(), name),
                "A problem was encountered and so the tabulated-data file was not written")
          << name;
    }
    EXPECT_EQ(folder.Entries(), (Lines{"RESULT.DAT", "taken.DAT"}));
  }
}

}  // namespace
}  // namespace kestro
