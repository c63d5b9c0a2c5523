#include "files/tabulated_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/scratch_folder.h"
#include "support/scripted_dialogs.h"

namespace kestro {
namespace {

using test::FileText;
using test::ScratchFolder;
using test::ScriptedDialogs;
using test::SplitCrLf;

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

struct LayoutCase {
  const char* name;
  std::vector<std::string> (*lines)(const DesignRecord&);
  const char* heading1;
  const char* heading2;
  const char* row;   // a point at 1000 Hz
  const char* row1;  // point 1
};

std::ostream& operator<<(std::ostream& os, const LayoutCase& c) {
  return os << c.name;
}

class TabulatedLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(TabulatedLayout, SixteenLinesForTenIntervals) {
  const LayoutCase& c = GetParam();
  const std::vector<std::string> lines = c.lines(TenIntervals());
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], c.heading1);
  EXPECT_EQ(lines[2], c.heading2);
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4], c.row);
  EXPECT_EQ(lines[5], c.row1);
  for (int i = 6; i <= 14; ++i)
    EXPECT_EQ(lines[i], c.row) << "line " << i;
  EXPECT_EQ(lines[15], "");
}

INSTANTIATE_TEST_SUITE_P(
    Formats, TabulatedLayout,
    ::testing::Values(LayoutCase{"easy", TabulatedEasyLines, "Freq,      Gain,    Phase,    Delay,",
                                 " Hz:        dB:      degrees:  secs:",
                                 "1K        -3.0103   -90       123.5u    ",
                                 "12.5Hz    0.5       179.99    0         "},
                      LayoutCase{"scientific", TabulatedSciLines,
                                 "Freq,          Gain,        Phase,         Delay,",
                                 " Hz:            dB:         degrees:       secs:",
                                 "1000          -3.0103       -90           1.234568E-04  ",
                                 "12.5          .5            179.99        0             "}));

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

class TabulatedWriters : public ::testing::TestWithParam<int> {
 protected:
  static bool Write(int which, const DesignRecord& r, const std::string& name, Dialogs& d) {
    return which == 0 ? WriteTabulatedEasy(r, name, d) : WriteTabulatedSci(r, name, d);
  }
  static std::vector<std::string> Lines(int which, const DesignRecord& r) {
    return which == 0 ? TabulatedEasyLines(r) : TabulatedSciLines(r);
  }
};

TEST_P(TabulatedWriters, WriteCrLfFileAndReplaceAnOldOne) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  test::PutFile("RESULT.DAT", std::string(10000, 'o'));
  ASSERT_TRUE(Write(GetParam(), TenIntervals(), "result.dat", dialogs));
  EXPECT_EQ(SplitCrLf(FileText("RESULT.DAT")), Lines(GetParam(), TenIntervals()));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"RESULT.DAT"});
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_P(TabulatedWriters, FailuresAreReported) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  std::filesystem::create_directory("taken.DAT");
  EXPECT_FALSE(Write(GetParam(), TenIntervals(), "", dialogs));
  EXPECT_FALSE(Write(GetParam(), TenIntervals(), "missing/x.DAT", dialogs));
  EXPECT_FALSE(Write(GetParam(), TenIntervals(), "taken.DAT", dialogs));
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>(3, kFailure));
  EXPECT_EQ(dialogs.beeps, 3);
}

TEST_P(TabulatedWriters, LinesWrittenBeforeAFullDiskStay) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  {
    test::FileSizeLimit limit(100);
    EXPECT_FALSE(Write(GetParam(), TenIntervals(), "full.DAT", dialogs));
  }
  const std::string text = FileText("full.DAT");
  const std::string whole = [&] {
    std::string all;
    for (const std::string& line : Lines(GetParam(), TenIntervals()))
      all += line + "\r\n";
    return all;
  }();
  EXPECT_EQ(text.size(), 100u);
  EXPECT_EQ(whole.substr(0, text.size()), text);
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{kFailure});
}

INSTANTIATE_TEST_SUITE_P(EasyAndScientific, TabulatedWriters, ::testing::Values(0, 1));

}  // namespace
}  // namespace kestro
