#include "files/session_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cfloat>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "files/scratch_folder.h"
#include "files/session_lines.h"

namespace kestro {
namespace {

using namespace test;
using Lines = std::vector<std::string>;

constexpr const char* kReadMessage =
    "The KESTRO file was not read correctly; defaults are being used";
constexpr const char* kWriteMessage = "The KESTRO file was problematic and not written";

// Butterworth order 3: one three-pole stage, markers in slots 2 and 5, one limit.
DesignRecord OrderThree() {
  DesignRecord r{};
  r.Family = kButterworth, r.Order = 3, r.Bandwidth = 1000, r.Fstart = 1000, r.Fstop = 10000;
  r.Nints = 512, r.dBtop = 10, r.dBbottom = -50, r.NrYintervals = 6, r.DelayTop = 0.0012f;
  r.MarkerFreq[2] = 1000, r.MarkerFreq[5] = 2000, r.NrLimits[1] = 1;
  r.C[1] = {0, 4.7e-9f, 2.2e-9f, 1e-13f};
  r.R[1] = {0, 47000, 47000, 47000, 1e-5f, 1};
  r.LimitShape[1][1] = 1, r.LimitStop[1][1] = 1000, r.LimitBottom[1][1] = -3;
  return r;
}

Lines Sample(int16_t order = 3) {
  DesignRecord r = OrderThree();
  r.Order = order;
  return SessionFileLines(r, "* Active lowpass filter 2024-01-01 00:00:00");
}

TEST(SessionFileLines, OrderThreeDesignLineByLine) {
  EXPECT_EQ(Joined(Sample(), "|"),
            "* Active lowpass filter 2024-01-01 00:00:00|* Analysis: ===========|Fstart: 1000|"
            "Fstop: 10000|Nr of intervals: 512|Plot dB top: 10|Plot dB bottom: -50|"
            "Plot Y intervals: 6|Plot delay top: 0.0012|* Design: =============|Family: 1|"
            "Bandwidth: 1000|Passband ripple: 0|Order: 3|* Capacitor values: ===|C1,1: 4.7E-09|"
            "C1,2: 2.2E-09|C1,3: 1E-13|* Resistor values: ====|R1,1: 47000|R1,2: 47000|"
            "R1,3: 47000|R1,4: 1E-05|R1,5: 1|* Markers: ============|Number: 2|#1: 1000|#2: 2000|"
            "* Limits: =============|Number: 1|* Shape/start/stop/top/bottom:|"
            " 1    0    1000    0   -3 |");
}

TEST(SessionFileLines, RecountsStagesAndMarkersAndEndsWithTwoCountsWhenEmpty) {
  DesignRecord r = OrderThree();
  r.Order = 8, r.NrStages = 7, r.NrMarkers = 9;
  r.MarkerFreq[9] = 5000;  // slots above 8 are not written
  const Lines lines = SessionFileLines(r, "*");
  const auto parts = [&](char c) {
    return std::ranges::count_if(
        lines, [c](const std::string& l) { return l.find(c) == 0 && l[2] == ','; });
  };
  EXPECT_EQ(r.NrStages, 4.0f);
  EXPECT_EQ(r.NrMarkers, 2);
  EXPECT_EQ(parts('C'), 12);
  EXPECT_EQ(parts('R'), 20);
  EXPECT_EQ(std::ranges::count(lines, "#3: 5000"), 0);
  r.MarkerFreq = {};
  r.NrLimits[1] = 0;
  EXPECT_TRUE(
      Joined(SessionFileLines(r, "*"), "|")
          .ends_with("|* Markers: ============|Number: 0|* Limits: =============|Number: 0|"));
}

// Values of at most seven significant digits, different in every slot, limits at +-1E11.
DesignRecord RoundTripRecord(int16_t family, int16_t order, int16_t limits) {
  DesignRecord r{};
  r.Family = family, r.Order = order, r.Bandwidth = 12345.67f, r.Fstart = 0.1f, r.Fstop = 9999999;
  r.Apass = family == kChebyshev ? 0.5f : 0, r.Nints = 2048, r.dBtop = 40, r.dBbottom = -100;
  r.NrYintervals = 12, r.DelayTop = 1e-39f, r.NrLimits[1] = limits;  // a subnormal single
  r.MarkerFreq = {0, 100, 0, 300, 0, 5e6f, 0, 7.25f, 8.5f};  // slot 8, the last written, set
  for (int s = 1; s <= kMaxStage; ++s) {
    for (int k = 1; k <= 3; ++k)
      r.C[s][k] = std::strtof(("1.0" + std::to_string(s * 10 + k) + "E-09").c_str(), nullptr);
    for (int k = 1; k <= 5; ++k)
      r.R[s][k] = static_cast<float>(s * 1000 + k * 7) + 0.5f;
  }
  for (int j = 1; j <= limits; ++j) {
    const auto fj = static_cast<float>(j);
    r.LimitShape[j][1] = static_cast<float>(j % 3 == 0 ? 4 : j % 3);
    r.LimitStart[j][1] = j == 1 ? -1e11f : 100.0f * fj;
    r.LimitStop[j][1] = j == 1 ? 1e11f : 250.5f * fj;
    r.LimitTop[j][1] =
        j == 2 ? -1e-39f : std::strtof(("-0.00" + std::to_string(j)).c_str(), nullptr);
    r.LimitBottom[j][1] = -3.25f * fj;
  }
  return r;
}

TEST(ReadSessionFile, WrittenRecordComesBackBitForBit) {
  const std::array<int16_t, 3> cases[] = {
      {kButterworth, 2, 0}, {kButterworth, 11, 15}, {kChebyshev, 3, 1}, {kChebyshev, 8, 4},
      {kBessel, 5, 2},      {kBessel, 10, 0},       {kManual, 7, 3},    {kManual, 4, 15}};
  ScratchFolder folder;
  for (const auto& [family, order, limits] : cases) {
    SCOPED_TRACE(testing::Message() << "family " << family << " order " << order);
    DesignRecord written = RoundTripRecord(family, order, limits), read{};
    ASSERT_EQ(WriteSessionFile(written, "design.KST"), std::nullopt);
    EXPECT_EQ(ReadSessionFile(read, "design.KST"), std::nullopt);
    // What must come back: the stages of the order, the markers packed into slots 1..5.
    DesignRecord expect = RoundTripRecord(family, order, limits);
    for (int s = static_cast<int>(StagesForOrder(order)) + 1; s <= kMaxStage; ++s)
      expect.C[s] = {}, expect.R[s] = {};
    expect.MarkerFreq = {0, 100, 300, 5e6f, 7.25f, 8.5f}, expect.NrMarkers = 5;
    expect.NrStages = StagesForOrder(order), expect.LimitsOn = limits > 0;
    const auto floats = [](const DesignRecord& r) {
      return std::vector{r.Fstart,   r.Fstop,     r.dBtop, r.dBbottom,
                         r.DelayTop, r.Bandwidth, r.Apass, r.NrStages};
    };
    const auto counts = [](const DesignRecord& r) {
      return std::vector<int>{r.Nints,     r.NrYintervals, r.Family,  r.Order,
                              r.NrMarkers, r.NrLimits[1],  r.LimitsOn};
    };
    EXPECT_EQ(floats(read), floats(expect));
    EXPECT_EQ(counts(read), counts(expect));
    EXPECT_EQ(read.C, expect.C);
    EXPECT_EQ(read.R, expect.R);
    EXPECT_EQ(read.MarkerFreq, expect.MarkerFreq);
    for (const LimitTable DesignRecord::*table :
         {&DesignRecord::LimitShape, &DesignRecord::LimitStart, &DesignRecord::LimitStop,
          &DesignRecord::LimitTop, &DesignRecord::LimitBottom})
      EXPECT_EQ(read.*table, expect.*table);
  }
}

// A record whose every field read from a file differs from what the test files hold.
DesignRecord Prefilled() {
  DesignRecord r{};
  r.Family = kBessel, r.Order = 6, r.Apass = 9, r.Fstart = 5, r.NrMarkers = 7, r.NrLimits[1] = 2;
  for (int s = 0; s <= kMaxStage; ++s)
    r.C[s].fill(-1), r.R[s].fill(-2);
  r.MarkerFreq.fill(-3);
  for (LimitTable* t : {&r.LimitShape, &r.LimitStart, &r.LimitStop, &r.LimitTop, &r.LimitBottom})
    (*t)[1][1] = -4;
  return r;
}

// The fields a read may change.
struct Seen {
  int family;
  float fstart, apass;
  int order;
  float stages, c11;
  int markers;
  float marker1, marker3;
  int limits, limitsOn;
  std::array<float, 5> limit1;  // shape, start, stop, top, bottom
  bool operator==(const Seen&) const = default;
};

void PrintTo(const Seen& s, std::ostream* os) {
  *os << "family " << s.family << ", Fstart " << s.fstart << ", ripple " << s.apass << ", order "
      << s.order << ", stages " << s.stages << ", C1,1 " << s.c11 << ", markers " << s.markers
      << " (#1 " << s.marker1 << ", #3 " << s.marker3 << "), limits " << s.limits << " on "
      << s.limitsOn << ", limit 1 " << testing::PrintToString(s.limit1);
}

Seen SeenIn(const DesignRecord& r) {
  return {r.Family,
          r.Fstart,
          r.Apass,
          r.Order,
          r.NrStages,
          r.C[1][1],
          r.NrMarkers,
          r.MarkerFreq[1],
          r.MarkerFreq[3],
          r.NrLimits[1],
          r.LimitsOn,
          {r.LimitShape[1][1], r.LimitStart[1][1], r.LimitStop[1][1], r.LimitTop[1][1],
           r.LimitBottom[1][1]}};
}

Lines Edited(Lines lines, std::size_t index, const std::string& text) {
  lines.at(index) = text;
  return lines;
}

Lines Cut(Lines lines, std::size_t from, std::size_t count = 9999) {
  lines.erase(lines.begin() + from, lines.begin() + std::min(from + count, lines.size()));
  return lines;
}

TEST(ReadSessionFile, ValuesAreTakenByPositionWhateverTheLayout) {
  constexpr std::array<float, 5> kLimit{1, 0, 1000, 0, -3}, kKept{-4, -4, -4, -4, -4};
  const Seen plain{1, 1000, 0, 3, 1, 4.7e-9f, 2, 1000, -3, 1, 1, kLimit};
  const std::pair<std::string, Seen> cases[] = {
      {Joined(Sample()), plain},
      {"  \r\n" + Joined(Sample(), "\r\n\r\n* a remark: 99\r\n   \r\n"), plain},  // comments
      // keys are not read, a line without a colon is all value
      {Joined(Edited(Edited(Sample(), 2, "  2k  "), 10, "Anything:2")),
       {2, 2000, 0, 3, 1, 4.7e-9f, 2, 1000, -3, 1, 1, kLimit}},
      // the removed ripple line shifts later values
      {Joined(Cut(Sample(), 12, 1)), {1, 1000, 3, 0, 0, -1, 0, -3, -3, 0, 0, kKept}},
      // the file ends after the design section
      {Joined(Cut(Edited(Sample(), 13, "Order: 4"), 14)),
       {1, 1000, 0, 4, 2, -1, 7, -3, -3, 2, 0, kKept}},
      {Joined(Cut(Sample(), 25)) + "Number: 0\r\n* Limits: =============\r\nNumber: 0\r\n",
       {1, 1000, 0, 3, 1, 4.7e-9f, 0, -3, -3, 0, 0, kKept}},
      {Joined(Edited(Sample(), 31, "  2   150.5e1x ")),  // short limit line
       {1, 1000, 0, 3, 1, 4.7e-9f, 2, 1000, -3, 1, 1, {2, 1505, 0, 0, 0}}},
      {Joined(Sample(23)), {1, 1000, 0, 23, 11, 4.7e-9f, 2, 1000, -3, 1, 1, kLimit}},
      // out-of-range values are read as they stand, for the caller to repair
      {Joined(Edited(Edited(Sample(), 10, "Family: 9"), 13, "Order: -5")),
       {9, 1000, 0, -5, -3, -1, 0, -3, -3, 0, 0, kKept}},
      // a limit value beyond the single range holds at the largest single of its sign
      {Joined(Edited(Sample(), 31, " 1  -1E+39  1E+39  0  0")),
       {1, 1000, 0, 3, 1, 4.7e-9f, 2, 1000, -3, 1, 1, {1, -FLT_MAX, FLT_MAX, 0, 0}}}};
  ScratchFolder folder;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    PutFile("LASTSESSION.KST", cases[i].first);
    DesignRecord r = Prefilled();
    EXPECT_EQ(ReadSessionFile(r, "LastSession.KST"), std::nullopt) << "case " << i;
    EXPECT_EQ(SeenIn(r), cases[i].second) << "case " << i;
  }
}

TEST(ReadSessionFile, BadCountsAndUnreadableFilesGiveTheMessageAndDefaults) {
  const struct {
    int line;  // the line of the sample replaced by text; -1: read the name text instead
    const char* text;
    float c11;  // components read before the failure stay
  } cases[] = {{13, "Order: 24", -1},       {25, "Number: 11", 4.7e-9f},
               {29, "Number: 16", 4.7e-9f}, {29, "Number: 9999999", 4.7e-9f},
               {-1, "nowhere.KST", -1},     {-1, "folder.KST", -1},
               {-1, "/dev/zero", -1},       {-1, "fifo.KST", -1}};
  ScratchFolder folder;
  std::filesystem::create_directory("folder.KST");
  ASSERT_EQ(::mkfifo("fifo.KST", 0600), 0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.line >= 0)
      PutFile("bad.KST", Joined(Edited(Sample(), c.line, c.text)));
    DesignRecord r = Prefilled();
    const std::string name = c.line >= 0 ? "bad.KST" : c.text;
    EXPECT_EQ(WithinSeconds([&] { return ReadSessionFile(r, name); }), kReadMessage);
    EXPECT_EQ(r.C[1][1], c.c11);
    // The reader's defaults: family, ripple, order, stages, bandwidth, sweep and plot.
    EXPECT_EQ(
        (std::vector<float>{float(r.Family), r.Apass, float(r.Order), r.NrStages, r.Bandwidth,
                            r.Fstart, r.Fstop, float(r.Nints), r.dBtop, r.dBbottom,
                            float(r.NrYintervals), r.DelayTop}),
        (std::vector<float>{kButterworth, 0, 3, 1, 3000, 1000, 10000, 500, 10, -50, 6, 0.0012f}));
  }
  DesignRecord r = Prefilled();
  EXPECT_EQ(ReadSessionFile(r, ""), std::nullopt);  // no name: nothing read, nothing said
  EXPECT_EQ(SeenIn(r), SeenIn(Prefilled()));
}

TEST(WriteSessionFile, ReplacesTheCaseVariantWholeOrNotAtAll) {
  ScratchFolder folder;
  DesignRecord r = OrderThree();
  PutFile("LASTSESSION.KST", std::string(5000, 'x'));
  ASSERT_EQ(WriteSessionFile(r, "lastsession.kst"), std::nullopt);
  EXPECT_EQ(folder.Entries(), Lines{"LASTSESSION.KST"});
  const std::string written = FileText("LASTSESSION.KST");
  Lines lines = SplitCrLf(written), expected = Sample();
  ASSERT_EQ(lines.size(), 32u);
  EXPECT_TRUE(lines[0].starts_with("* Active lowpass filter 2")) << lines[0];
  EXPECT_EQ(Lines(lines.begin() + 1, lines.end()), Lines(expected.begin() + 1, expected.end()));
  {
    FileSizeLimit limit(300);  // the session text is longer: the disk "fills up"
    EXPECT_EQ(WriteSessionFile(r, "LastSession.KST"), kWriteMessage);
  }
  EXPECT_EQ(FileText("LASTSESSION.KST"), written);
  std::filesystem::create_directory("folder.KST");
  ASSERT_EQ(::mkfifo("fifo.KST", 0600), 0);
  std::filesystem::create_symlink("fifo.KST", "link.KST");
  // Anything but a regular file is refused at once, not opened.
  for (const char* name : {"no/such/folder/x.KST", "FOLDER.kst", "link.KST", "/dev/null"})
    EXPECT_EQ(WithinSeconds([&] { return WriteSessionFile(r, name); }), kWriteMessage) << name;
  EXPECT_EQ(WriteSessionFile(r, ""), std::nullopt);  // no name: nothing written, nothing said
  EXPECT_TRUE(std::filesystem::is_fifo("fifo.KST"));
  EXPECT_EQ(folder.Entries(), (Lines{"LASTSESSION.KST", "fifo.KST", "folder.KST", "link.KST"}));
}

TEST(NextToken, SplitsAtRunsOfBlanks) {
  const struct {
    const char *line, *token, *rest;
  } cases[] = {{" 1    0    1000 ", "1", "0    1000 "},
               {"abc", "abc", ""},
               {"a b", "a", "b"},
               {"x   ", "x", ""},
               {"   ", "unchanged", ""},
               {"", "unchanged", ""},
               {"1\t2 3", "1\t2", "3"}};
  for (const auto& c : cases) {
    std::string line = c.line, token = "unchanged";
    NextToken(line, token);
    EXPECT_EQ(token, c.token) << '"' << c.line << '"';
    EXPECT_EQ(line, c.rest) << '"' << c.line << '"';
  }
}

}  // namespace
}  // namespace kestro
