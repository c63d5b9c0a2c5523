#include "files/session_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "files/scratch_folder.h"
#include "files/session_lines.h"
#include "support/scripted_dialogs.h"

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
  r.Family = kButterworth;
  r.Order = 3;
  r.Bandwidth = 1000;
  r.Fstart = 1000;
  r.Fstop = 10000;
  r.Nints = 512;
  r.dBtop = 10;
  r.dBbottom = -50;
  r.NrYintervals = 6;
  r.DelayTop = 0.0012f;
  r.C[1] = {0, 4.7e-9f, 2.2e-9f, 1e-13f};
  r.R[1] = {0, 47000, 47000, 47000, 1e-5f, 1};
  r.MarkerFreq[2] = 1000;
  r.MarkerFreq[5] = 2000;
  r.NrLimits[1] = 1;
  r.LimitShape[1][1] = 1;
  r.LimitStop[1][1] = 1000;
  r.LimitBottom[1][1] = -3;
  return r;
}

Lines Sample(int16_t order = 3) {
  DesignRecord r = OrderThree();
  r.Order = order;
  return SessionFileLines(r, "* Active lowpass filter 2024-01-01 00:00:00");
}

TEST(SessionFileLines, OrderThreeDesignLineByLine) {
  EXPECT_EQ(Joined(Sample(), "\n"), R"(* Active lowpass filter 2024-01-01 00:00:00
* Analysis: ===========
Fstart: 1000
Fstop: 10000
Nr of intervals: 512
Plot dB top: 10
Plot dB bottom: -50
Plot Y intervals: 6
Plot delay top: 0.0012
* Design: =============
Family: 1
Bandwidth: 1000
Passband ripple: 0
Order: 3
* Capacitor values: ===
C1,1: 4.7E-09
C1,2: 2.2E-09
C1,3: 1E-13
* Resistor values: ====
R1,1: 47000
R1,2: 47000
R1,3: 47000
R1,4: 1E-05
R1,5: 1
* Markers: ============
Number: 2
#1: 1000
#2: 2000
* Limits: =============
Number: 1
* Shape/start/stop/top/bottom:
 1    0    1000    0   -3 
)");
}

TEST(SessionFileLines, RecountsStagesAndMarkersAndEndsWithTwoCountsWhenEmpty) {
  DesignRecord r = OrderThree();
  r.Order = 8;
  r.NrStages = 7;
  r.NrMarkers = 9;
  r.MarkerFreq[9] = 5000;  // slots above 8 are not written
  Lines lines = SessionFileLines(r, "*");
  EXPECT_EQ(r.NrStages, 4.0f);
  EXPECT_EQ(r.NrMarkers, 2);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "#3: 5000"), 0);
  const auto starts = [&](char c) {
    return std::count_if(lines.begin(), lines.end(),
                         [c](const std::string& l) { return l[0] == c && l[2] == ','; });
  };
  EXPECT_EQ(starts('C'), 12);
  EXPECT_EQ(starts('R'), 20);
  r.MarkerFreq = {};
  r.NrLimits[1] = 0;
  lines = SessionFileLines(r, "*");
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(Lines(lines.end() - 4, lines.end()), (Lines{"* Markers: ============", "Number: 0",
                                                        "* Limits: =============", "Number: 0"}));
}

TEST(SessionNumber, ValueAndSignedPositionFormsFitTheReader) {
  const struct {
    float value;
    const char* valueLine;
    const char* limitField;
  } cases[] = {{1000, "1000", " 1000 "},          {-50, "-50", "-50 "},
               {2.2e-9f, "2.2E-09", " 2.2E-09 "}, {1e11f, "1E+11", " 1E+11 "},
               {-1e11f, "-1E+11", "-1E+11 "},     {0, "0", " 0 "}};
  for (const auto& c : cases) {
    EXPECT_EQ(SessionNumber(c.value), c.valueLine);
    EXPECT_TRUE(LimitLine(c.value, 0, 0, 0, 0).starts_with(c.limitField)) << c.limitField;
  }
  EXPECT_EQ(SessionNumber(-1.234567e-9f), "-1.23457E-09");  // 12 characters: one digit dropped
  for (float value : {-9.876543e22f, 1.234567e-30f, -0.001234567f, 3.402823e38f, 1.4e-45f}) {
    const std::string text = SessionNumber(value);
    EXPECT_LE(text.size(), 12u) << text;
    EXPECT_EQ(text.find(','), std::string::npos) << text;
  }
}

// --- Round trips ---

struct RoundTripCase {
  int16_t family, order, limits;
};

// Values of at most seven significant digits, different in every slot, limits at +-1E11.
DesignRecord RoundTripRecord(const RoundTripCase& c) {
  DesignRecord r{};
  r.Family = c.family;
  r.Order = c.order;
  r.Bandwidth = 12345.67f;
  r.Apass = c.family == kChebyshev ? 0.5f : 0;
  r.Fstart = 0.1f;
  r.Fstop = 9999999;
  r.Nints = 2048;
  r.dBtop = 40;
  r.dBbottom = -100;
  r.NrYintervals = 12;
  r.DelayTop = 1.5e-5f;
  for (int s = 1; s <= kMaxStage; ++s) {
    for (int k = 1; k <= 3; ++k)
      r.C[s][k] = std::strtof(("1.0" + std::to_string(s * 10 + k) + "E-09").c_str(), nullptr);
    for (int k = 1; k <= 5; ++k)
      r.R[s][k] = static_cast<float>(s * 1000 + k * 7) + 0.5f;
  }
  r.MarkerFreq = {0, 100, 0, 300, 0, 5e6f, 0, 7.25f, 0, 0, 0};
  r.NrLimits[1] = c.limits;
  for (int j = 1; j <= c.limits; ++j) {
    r.LimitShape[j][1] = static_cast<float>(j % 3 == 0 ? 4 : j % 3);
    r.LimitStart[j][1] = j == 1 ? -1e11f : 100.0f * j;
    r.LimitStop[j][1] = j == 1 ? 1e11f : 250.5f * j;
    r.LimitTop[j][1] = std::strtof(("-0.00" + std::to_string(j)).c_str(), nullptr);
    r.LimitBottom[j][1] = -3.25f * j;
  }
  return r;
}

// Every value a session file carries, the floats as their bits.
std::vector<uint32_t> Carried(const DesignRecord& r) {
  std::vector<uint32_t> bits;
  const auto add = [&](float x) { bits.push_back(std::bit_cast<uint32_t>(x)); };
  for (float x :
       {r.Bandwidth, r.Apass, r.Fstart, r.Fstop, r.dBtop, r.dBbottom, r.DelayTop, r.NrStages})
    add(x);
  for (int x : {r.Family, r.Order, r.Nints, r.NrYintervals, r.NrMarkers, r.NrLimits[1], r.LimitsOn})
    bits.push_back(static_cast<uint32_t>(x));
  for (int s = 0; s <= kMaxStage; ++s) {
    std::ranges::for_each(r.C[s], add);
    std::ranges::for_each(r.R[s], add);
  }
  std::ranges::for_each(r.MarkerFreq, add);
  for (const LimitTable* t :
       {&r.LimitShape, &r.LimitStart, &r.LimitStop, &r.LimitTop, &r.LimitBottom})
    for (int j = 0; j <= kMaxLimit; ++j)
      add((*t)[j][1]);
  return bits;
}

TEST(ReadSessionFile, WrittenRecordComesBackBitForBit) {
  const RoundTripCase cases[] = {{kButterworth, 2, 0}, {kButterworth, 11, 15}, {kChebyshev, 3, 1},
                                 {kChebyshev, 8, 4},   {kBessel, 5, 2},        {kBessel, 10, 0},
                                 {kManual, 7, 3},      {kManual, 4, 15}};
  ScratchFolder folder;
  for (const RoundTripCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "family " << c.family << " order " << c.order);
    ScriptedDialogs dialogs;
    DesignRecord written = RoundTripRecord(c), read{};
    ASSERT_TRUE(WriteSessionFile(written, "design.KST", dialogs));
    EXPECT_TRUE(ReadSessionFile(read, "design.KST", dialogs));
    EXPECT_TRUE(dialogs.messages.empty());
    // What must come back: the stages of the order, the markers packed into slots 1..4.
    DesignRecord expect = RoundTripRecord(c);
    for (int s = static_cast<int>(StagesForOrder(c.order)) + 1; s <= kMaxStage; ++s)
      expect.C[s] = {}, expect.R[s] = {};
    expect.MarkerFreq = {0, 100, 300, 5e6f, 7.25f};
    expect.NrStages = StagesForOrder(c.order);
    expect.NrMarkers = 4;
    expect.LimitsOn = c.limits > 0;
    EXPECT_EQ(Carried(read), Carried(expect));
  }
}

// --- Reader rules ---

// A record whose every field read from a file differs from what the test files hold.
DesignRecord Prefilled() {
  DesignRecord r{};
  r.Family = kBessel;
  r.Order = 6;
  r.Apass = 9;
  r.Fstart = 5;
  for (int s = 0; s <= kMaxStage; ++s)
    r.C[s].fill(-1), r.R[s].fill(-2);
  r.MarkerFreq.fill(-3);
  r.NrMarkers = 7;
  r.NrLimits[1] = 2;
  for (LimitTable* table :
       {&r.LimitShape, &r.LimitStart, &r.LimitStop, &r.LimitTop, &r.LimitBottom})
    (*table)[1][1] = -4;
  return r;
}

// The fields a read may change: family, Fstart, Apass, order, stages, C1,1, markers, marker 1,
// marker 3, limits, limits on, and limit 1.
using Seen = std::tuple<int, float, float, int, float, float, int, float, float, int, int,
                        std::array<float, 5>>;

Seen SeenIn(const DesignRecord& r) {
  const std::array<float, 5> limit{r.LimitShape[1][1], r.LimitStart[1][1], r.LimitStop[1][1],
                                   r.LimitTop[1][1], r.LimitBottom[1][1]};
  return {r.Family,    r.Fstart,        r.Apass,         r.Order,       r.NrStages, r.C[1][1],
          r.NrMarkers, r.MarkerFreq[1], r.MarkerFreq[3], r.NrLimits[1], r.LimitsOn, limit};
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
  const struct {
    const char* name;
    std::string text;
    Seen seen;
  } cases[] = {
      {"plain", Joined(Sample()), plain},
      {"comments and blank lines anywhere",
       "  \r\n" + Joined(Sample(), "\r\n\r\n* a remark: 99\r\n   \r\n"), plain},
      {"LF line ends", Joined(Sample(), "\n"), plain},
      {"CR line ends", Joined(Sample(), "\r"), plain},
      {"keys are not read, no colon is all value",
       Joined(Edited(Edited(Sample(), 2, "  2k  "), 10, "Anything:2")),
       {2, 2000, 0, 3, 1, 4.7e-9f, 2, 1000, -3, 1, 1, kLimit}},
      {"removed ripple line shifts later values",
       Joined(Cut(Sample(), 12, 1)),
       {1, 1000, 3, 0, 0, -1, 0, -3, -3, 0, 0, kKept}},
      {"file ends after the design section",
       Joined(Cut(Edited(Sample(), 13, "Order: 4"), 14)),
       {1, 1000, 0, 4, 2, -1, 7, -3, -3, 2, 0, kKept}},
      {"no markers and no limits",
       Joined(Cut(Sample(), 25)) + "Number: 0\r\n* Limits: =============\r\nNumber: 0\r\n",
       {1, 1000, 0, 3, 1, 4.7e-9f, 0, -3, -3, 0, 0, kKept}},
      {"short limit line",
       Joined(Edited(Sample(), 31, "  2   150.5e1x ")),
       {1, 1000, 0, 3, 1, 4.7e-9f, 2, 1000, -3, 1, 1, {2, 1505, 0, 0, 0}}},
      {"order 23, eleven stages",
       Joined(Sample(23)),
       {1, 1000, 0, 23, 11, 4.7e-9f, 2, 1000, -3, 1, 1, kLimit}},
  };
  ScratchFolder folder;
  for (const auto& c : cases) {
    ScriptedDialogs dialogs;
    PutFile("LASTSESSION.KST", c.text);
    DesignRecord r = Prefilled();
    EXPECT_TRUE(ReadSessionFile(r, "LastSession.KST", dialogs)) << c.name;
    EXPECT_EQ(SeenIn(r), c.seen) << c.name;
    EXPECT_EQ(dialogs.messages.size() + dialogs.beeps, 0u) << c.name;
  }
}

TEST(ReadSessionFile, BadCountsAndUnreadableFilesGiveTheMessageAndDefaults) {
  const struct {
    const char* name;
    int line;  // the line of the sample replaced by text; -1: read the name text instead
    const char* text;
    float c11;  // components read before the failure stay
  } cases[] = {{"twelve stages", 13, "Order: 24", -1},
               {"negative order", 13, "Order: -5", -1},
               {"eleven markers", 25, "Number: 11", 4.7e-9f},
               {"sixteen limits", 29, "Number: 16", 4.7e-9f},
               {"huge limit count", 29, "Number: 9999999", 4.7e-9f},
               {"no intervals", 4, "Nr of intervals: 0", -1},
               {"too many intervals", 4, "Nr of intervals: 2049", -1},
               {"unknown family", 10, "Family: 9", -1},
               {"limit beyond a single", 31, " 1  0  1E+39  0  0", 4.7e-9f},
               {"missing file", -1, "nowhere.KST", -1},
               {"a folder", -1, "folder.KST", -1}};
  ScratchFolder folder;
  std::filesystem::create_directory("folder.KST");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedDialogs dialogs;
    if (c.line >= 0)
      PutFile("bad.KST", Joined(Edited(Sample(), c.line, c.text)));
    DesignRecord r = Prefilled();
    EXPECT_FALSE(ReadSessionFile(r, c.line >= 0 ? "bad.KST" : c.text, dialogs));
    EXPECT_EQ(dialogs.Texts(), Lines{kReadMessage});
    EXPECT_EQ(dialogs.beeps, 1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(std::tie(r.Family, r.Apass, r.Order, r.NrStages, r.Bandwidth, r.Fstart, r.Fstop,
                       r.Nints, r.dBtop, r.dBbottom, r.NrYintervals, r.DelayTop),
              std::tuple(kButterworth, 0.0f, 3, 1.0f, 3000.0f, 1000.0f, 10000.0f, 500, 10.0f,
                         -50.0f, 6, 0.0012f));
    EXPECT_EQ(r.C[1][1], c.c11);
  }
  ScriptedDialogs dialogs;
  DesignRecord r = Prefilled();
  EXPECT_TRUE(ReadSessionFile(r, "", dialogs));  // no name: nothing read, nothing said
  EXPECT_EQ(SeenIn(r), SeenIn(Prefilled()));
  EXPECT_TRUE(dialogs.messages.empty());
}

// --- Writing ---

TEST(WriteSessionFile, ReplacesTheCaseVariantWholeOrNotAtAll) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  DesignRecord r = OrderThree();
  PutFile("LASTSESSION.KST", std::string(5000, 'x'));
  ASSERT_TRUE(WriteSessionFile(r, "lastsession.kst", dialogs));
  EXPECT_EQ(folder.Entries(), Lines{"LASTSESSION.KST"});
  const std::string written = FileText("LASTSESSION.KST");
  const Lines lines = SplitCrLf(written);
  ASSERT_EQ(lines.size(), 32u);
  EXPECT_TRUE(lines[0].starts_with("* Active lowpass filter 2")) << lines[0];
  const Lines expected = Sample();
  EXPECT_TRUE(std::equal(lines.begin() + 1, lines.end(), expected.begin() + 1));
  {
    test::FileSizeLimit limit(300);  // the session text is longer: the disk "fills up"
    EXPECT_FALSE(WriteSessionFile(r, "LastSession.KST", dialogs));
  }
  EXPECT_EQ(FileText("LASTSESSION.KST"), written);
  std::filesystem::create_directory("folder.KST");
  EXPECT_FALSE(WriteSessionFile(r, "no/such/folder/x.KST", dialogs));
  EXPECT_FALSE(WriteSessionFile(r, "FOLDER.kst", dialogs));
  EXPECT_TRUE(WriteSessionFile(r, "", dialogs));  // no name: nothing written, nothing said
  EXPECT_EQ(dialogs.Texts(), Lines(3, kWriteMessage));
  EXPECT_EQ(dialogs.beeps, 3);
  EXPECT_EQ(folder.Entries(), (Lines{"LASTSESSION.KST", "folder.KST"}));
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
    EXPECT_EQ(std::tie(token, line), std::tuple(c.token, c.rest)) << '"' << c.line << '"';
  }
}

}  // namespace
}  // namespace kestro
