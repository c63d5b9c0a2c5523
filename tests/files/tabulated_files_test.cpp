#include "files/tabulated_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/scratch_folder.h"
#include "support/scripted_dialogs.h"

namespace kestro {
namespace {

using namespace test;

constexpr const char* kFailure =
    "A problem was encountered and so the tabulated-data file was not written";

// Every point at 1000 Hz, -3.0103 dB, -90 degrees and 123.4568 us, except point 1.
DesignRecord TenIntervals() {
  DesignRecord r{};
  r.Nints = 10;
  for (int i = 0; i <= r.Nints; ++i) {
    r.Freq[i] = 1000;
    r.Gain[i] = -3.0103f;
    r.Phase[i] = -90;
    r.Delay[i] = 1.234568e-4f;
  }
  r.Freq[1] = 12.5f;
  r.Gain[1] = 0.5f;
  r.Phase[1] = 179.99f;
  r.Delay[1] = 0;
  r.Freq[r.Nints + 1] = 777;  // beyond the last point: never written
  return r;
}

TEST(TabulatedFiles, SixteenLinesForTenIntervalsInBothLayouts) {
  const struct {
    std::vector<std::string> (*lines)(const DesignRecord&);
    const char *heading1, *heading2, *row, *row1;  // row: a point at 1000 Hz; row1: point 1
  } cases[] = {{TabulatedEasyLines, "Freq,      Gain,    Phase,    Delay,",
                " Hz:        dB:      degrees:  secs:", "1K        -3.0103   -90       123.5u    ",
                "12.5Hz    0.5       179.99    0         "},
               {TabulatedSciLines, "Freq,          Gain,        Phase,         Delay,",
                " Hz:            dB:         degrees:       secs:",
                "1000          -3.0103       -90           1.234568E-04  ",
                "12.5          .5            179.99        0             "}};
  for (const auto& c : cases) {
    std::vector<std::string> expected{"", c.heading1, c.heading2, "", c.row, c.row1};
    expected.resize(15, c.row);
    expected.push_back("");
    EXPECT_EQ(c.lines(TenIntervals()), expected);
  }
}

TEST(TabulatedFiles, LongFieldsAreWrittenWhole) {
  DesignRecord r{};
  r.Nints = 0;
  r.Freq[0] = 1.234567e6f;
  r.Gain[0] = -123.4567f;
  r.Phase[0] = 12.5f;
  r.Delay[0] = -1.234567e-9f;
  const std::vector<std::string> lines = TabulatedSciLines(r);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[4], "1234567       -123.4567     12.5          -1.234567E-09 ");
}

// Both writers: a CR LF file replacing an old one of another case; failures reported, with the
// lines written before a full disk kept.
TEST(TabulatedFiles, WritersReplaceTheFileOrReportTheFailure) {
  using Writer = bool (*)(const DesignRecord&, const std::string&, Dialogs&);
  using Lines = std::vector<std::string> (*)(const DesignRecord&);
  const std::pair<Writer, Lines> writers[] = {{WriteTabulatedEasy, TabulatedEasyLines},
                                              {WriteTabulatedSci, TabulatedSciLines}};
  for (const auto& [write, lines] : writers) {
    ScratchFolder folder;
    ScriptedDialogs dialogs;
    test::PutFile("RESULT.DAT", std::string(10000, 'o'));
    ASSERT_TRUE(write(TenIntervals(), "result.dat", dialogs));
    EXPECT_EQ(SplitCrLf(FileText("RESULT.DAT")), lines(TenIntervals()));
    EXPECT_TRUE(dialogs.messages.empty());
    std::filesystem::create_directory("taken.DAT");
    EXPECT_FALSE(write(TenIntervals(), "", dialogs));
    EXPECT_FALSE(write(TenIntervals(), "missing/x.DAT", dialogs));
    EXPECT_FALSE(write(TenIntervals(), "taken.DAT", dialogs));
    {
      test::FileSizeLimit limit(100);
      EXPECT_FALSE(write(TenIntervals(), "full.DAT", dialogs));
    }
    EXPECT_EQ(FileText("full.DAT"), test::Joined(lines(TenIntervals())).substr(0, 100));
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>(4, kFailure));
    EXPECT_EQ(dialogs.beeps, 4);
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"RESULT.DAT", "full.DAT", "taken.DAT"}));
  }
}

}  // namespace
}  // namespace kestro
