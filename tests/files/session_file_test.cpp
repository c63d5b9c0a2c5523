#include "files/session_file.h"

#include <gtest/gtest.h>

#include <algorithm>
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

using test::FileText;
using test::PutFile;
using test::ScratchFolder;
using test::ScriptedDialogs;
using test::SplitCrLf;

constexpr const char* kReadMessage =
    "The KESTRO file was not read correctly; defaults are being used";
constexpr const char* kWriteMessage = "The KESTRO file was problematic and not written";

// A hand-made Butterworth order 3 design: one three-pole stage, markers in slots 2 and 5, one
// limit.
DesignRecord OrderThreeRecord() {
  DesignRecord r{};
  r.Family = kButterworth;
  r.Order = 3;
  r.Bandwidth = 1000;
  r.Apass = 0;
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

std::vector<std::string> WrittenLines(DesignRecord record) {
  return SessionFileLines(record, "* Active lowpass filter 2024-01-01 00:00:00");
}

TEST(SessionFileLines, OrderThreeDesignIsWrittenLineByLine) {
  const std::vector<std::string> expected{
      "* Active lowpass filter 2024-01-01 00:00:00",
      "* Analysis: ===========",
      "Fstart: 1000",
      "Fstop: 10000",
      "Nr of intervals: 512",
      "Plot dB top: 10",
      "Plot dB bottom: -50",
      "Plot Y intervals: 6",
      "Plot delay top: 0.0012",
      "* Design: =============",
      "Family: 1",
      "Bandwidth: 1000",
      "Passband ripple: 0",
      "Order: 3",
      "* Capacitor values: ===",
      "C1,1: 4.7E-09",
      "C1,2: 2.2E-09",
      "C1,3: 1E-13",
      "* Resistor values: ====",
      "R1,1: 47000",
      "R1,2: 47000",
      "R1,3: 47000",
      "R1,4: 1E-05",
      "R1,5: 1",
      "* Markers: ============",
      "Number: 2",
      "#1: 1000",
      "#2: 2000",
      "* Limits: =============",
      "Number: 1",
      "* Shape/start/stop/top/bottom:",
      " 1    0    1000    0   -3 ",
  };
  EXPECT_EQ(WrittenLines(OrderThreeRecord()), expected);
}

TEST(SessionFileLines, SectionHeadersAreAllTwentyThreeCharacters) {
  int headers = 0;
  for (const std::string& line : WrittenLines(OrderThreeRecord())) {
    if (line.rfind("* ", 0) != 0 || line.find('=') == std::string::npos)
      continue;
    ++headers;
    EXPECT_EQ(line.size(), 23u) << line;
  }
  EXPECT_EQ(headers, 6);
}

TEST(SessionFileLines, WriterRecountsStagesAndMarkers) {
  DesignRecord r = OrderThreeRecord();
  r.NrStages = 7;
  r.NrMarkers = 9;
  r.MarkerFreq[9] = 5000;  // slots above 8 are not written
  const std::vector<std::string> lines = SessionFileLines(r, "*");
  EXPECT_EQ(r.NrStages, 1.0f);
  EXPECT_EQ(r.NrMarkers, 2);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "#3: 5000"), 0);
}

TEST(SessionFileLines, NoMarkersAndNoLimitsEndWithTwoCounts) {
  DesignRecord r = OrderThreeRecord();
  r.MarkerFreq = {};
  r.NrLimits[1] = 0;
  const std::vector<std::string> lines = WrittenLines(r);
  ASSERT_GE(lines.size(), 4u);
  const std::vector<std::string> tail(lines.end() - 4, lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"* Markers: ============", "Number: 0",
                                            "* Limits: =============", "Number: 0"}));
}

TEST(SessionFileLines, EvenOrderWritesEveryStage) {
  DesignRecord r = OrderThreeRecord();
  r.Order = 8;
  const std::vector<std::string> lines = WrittenLines(r);
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l[0] == 'C' && l[1] != 'a'; }),
            12);
  EXPECT_EQ(
      std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l[0] == 'R'; }),
      20);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "R4,5: 0"), lines.end());
}

struct NumberCase {
  float value;
  const char* valueLine;   // SessionNumber
  const char* limitField;  // signed-position form on a limit line
};

class SessionNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(SessionNumbers, ValueAndLimitForms) {
  const NumberCase& c = GetParam();
  EXPECT_EQ(SessionNumber(c.value), c.valueLine);
  EXPECT_EQ(LimitLine(c.value, 0, 0, 0, 0).substr(0, std::string(c.limitField).size()),
            c.limitField);
}

INSTANTIATE_TEST_SUITE_P(Examples, SessionNumbers,
                         ::testing::Values(NumberCase{1000, "1000", " 1000 "},
                                           NumberCase{-50, "-50", "-50 "},
                                           NumberCase{2.2e-9f, "2.2E-09", " 2.2E-09 "},
                                           NumberCase{1e11f, "1E+11", " 1E+11 "},
                                           NumberCase{-1e11f, "-1E+11", "-1E+11 "},
                                           NumberCase{0, "0", " 0 "}));

TEST(SessionNumber, EveryValueFitsTheTwelveCharactersTheReaderTakes) {
  const float values[] = {-1.234567e-9f, -9.876543e22f,    1.234567e-30f, -0.001234567f,
                          3.402823e38f,  -1.17549435e-38f, 1.4e-45f};
  for (float value : values) {
    const std::string text = SessionNumber(value);
    EXPECT_LE(text.size(), 12u) << text;
    EXPECT_EQ(text.find(','), std::string::npos) << text;
  }
  EXPECT_EQ(SessionNumber(-1.234567e-9f), "-1.23457E-09");
}

// --- Round trips ---

struct RoundTripCase {
  int16_t family;
  int16_t order;
  int16_t limits;
};

std::ostream& operator<<(std::ostream& os, const RoundTripCase& c) {
  return os << "family " << c.family << " order " << c.order << " limits " << c.limits;
}

// The single nearest to a decimal text.
float Dec(const std::string& text) {
  return std::strtof(text.c_str(), nullptr);
}

// Values of seven or fewer significant digits, different in every slot.
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
      r.C[s][k] = Dec(std::string("1.0") + std::to_string(s * 10 + k) + "E-09");
    for (int k = 1; k <= 5; ++k)
      r.R[s][k] = static_cast<float>(s * 1000 + k * 7) + 0.5f;
  }
  r.MarkerFreq = {0, 100, 0, 300, 0, 5e6f, 0, 7.25f, 0, 0, 0};
  r.NrLimits[1] = c.limits;
  for (int j = 1; j <= c.limits; ++j) {
    r.LimitShape[j][1] = static_cast<float>(j % 3 == 0 ? 4 : j % 3);
    r.LimitStart[j][1] = j == 1 ? -1e11f : 100.0f * j;
    r.LimitStop[j][1] = j == 1 ? 1e11f : 250.5f * j;
    r.LimitTop[j][1] = Dec(std::string("-0.00") + std::to_string(j));
    r.LimitBottom[j][1] = -3.25f * j;
  }
  return r;
}

void ExpectSameBits(float expected, float actual, const std::string& what) {
  EXPECT_EQ(std::bit_cast<uint32_t>(expected), std::bit_cast<uint32_t>(actual))
      << what << ": expected " << expected << ", got " << actual;
}

class SessionRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(SessionRoundTrip, RecordComesBackBitForBit) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  DesignRecord written = RoundTripRecord(GetParam());
  ASSERT_TRUE(WriteSessionFile(written, "design.KST", dialogs));
  DesignRecord read{};
  ReadSessionFile(read, "design.KST", dialogs);
  EXPECT_TRUE(dialogs.messages.empty());

  EXPECT_EQ(read.Family, written.Family);
  EXPECT_EQ(read.Order, written.Order);
  EXPECT_EQ(read.Nints, written.Nints);
  EXPECT_EQ(read.NrYintervals, written.NrYintervals);
  EXPECT_EQ(read.NrStages, StagesForOrder(written.Order));
  for (auto [name, a, b] : {std::tuple{"Bandwidth", written.Bandwidth, read.Bandwidth},
                            {"Apass", written.Apass, read.Apass},
                            {"Fstart", written.Fstart, read.Fstart},
                            {"Fstop", written.Fstop, read.Fstop},
                            {"dBtop", written.dBtop, read.dBtop},
                            {"dBbottom", written.dBbottom, read.dBbottom},
                            {"DelayTop", written.DelayTop, read.DelayTop}}) {
    ExpectSameBits(a, b, name);
  }
  const int stages = StageCount(written);
  for (int s = 1; s <= kMaxStage; ++s) {
    for (int k = 1; k <= 3; ++k) {
      ExpectSameBits(s <= stages ? written.C[s][k] : 0, read.C[s][k],
                     std::string("C") + std::to_string(s));
    }
    for (int k = 1; k <= 5; ++k) {
      ExpectSameBits(s <= stages ? written.R[s][k] : 0, read.R[s][k],
                     std::string("R") + std::to_string(s));
    }
  }
  // The markers of slots 1, 3, 5 and 7 come back in slots 1..4.
  EXPECT_EQ(read.NrMarkers, 4);
  const float markers[] = {100, 300, 5e6f, 7.25f};
  for (int i = 0; i < 4; ++i)
    ExpectSameBits(markers[i], read.MarkerFreq[i + 1], "marker");
  EXPECT_EQ(read.NrLimits[1], GetParam().limits);
  EXPECT_EQ(read.LimitsOn, GetParam().limits > 0 ? 1 : 0);
  for (int j = 1; j <= GetParam().limits; ++j) {
    ExpectSameBits(written.LimitShape[j][1], read.LimitShape[j][1], "shape");
    ExpectSameBits(written.LimitStart[j][1], read.LimitStart[j][1], "start");
    ExpectSameBits(written.LimitStop[j][1], read.LimitStop[j][1], "stop");
    ExpectSameBits(written.LimitTop[j][1], read.LimitTop[j][1], "top");
    ExpectSameBits(written.LimitBottom[j][1], read.LimitBottom[j][1], "bottom");
  }
}

INSTANTIATE_TEST_SUITE_P(
    FamiliesAndOrders, SessionRoundTrip,
    ::testing::Values(RoundTripCase{kButterworth, 2, 0}, RoundTripCase{kButterworth, 11, 15},
                      RoundTripCase{kChebyshev, 3, 1}, RoundTripCase{kChebyshev, 8, 4},
                      RoundTripCase{kBessel, 5, 2}, RoundTripCase{kBessel, 10, 0},
                      RoundTripCase{kManual, 7, 3}, RoundTripCase{kManual, 4, 15}));

// --- Reader rules ---

// A record whose every field read from a file differs from what the test files hold.
DesignRecord Prefilled() {
  DesignRecord r{};
  r.Family = kBessel;
  r.Order = 6;
  r.Nints = 100;
  r.Fstart = 5;
  for (int s = 0; s <= kMaxStage; ++s) {
    r.C[s] = {-1, -1, -1, -1};
    r.R[s] = {-2, -2, -2, -2, -2, -2};
  }
  r.MarkerFreq.fill(-3);
  r.NrLimits[1] = 2;
  r.LimitShape[1][1] = -4;
  r.LimitsOn = 0;
  return r;
}

std::string CrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  return text;
}

std::vector<std::string> SampleFileLines() {
  return WrittenLines(OrderThreeRecord());
}

TEST(ReadSessionFile, CommentsAndBlankLinesAnywhereChangeNothing) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  std::vector<std::string> padded;
  for (const std::string& line : SampleFileLines()) {
    padded.insert(padded.end(), {"", "* a remark: 99", "   ", line});
  }
  PutFile("plain.KST", CrLf(SampleFileLines()));
  PutFile("padded.KST", CrLf(padded));
  DesignRecord plain = Prefilled();
  DesignRecord withNoise = Prefilled();
  ReadSessionFile(plain, "plain.KST", dialogs);
  ReadSessionFile(withNoise, "padded.KST", dialogs);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(withNoise.Fstart, 1000.0f);
  EXPECT_EQ(withNoise.C[1][1], plain.C[1][1]);
  EXPECT_EQ(withNoise.R[1][3], 47000.0f);
  EXPECT_EQ(withNoise.MarkerFreq[2], 2000.0f);
  EXPECT_EQ(withNoise.LimitBottom[1][1], -3.0f);
  EXPECT_EQ(withNoise.LimitsOn, 1);
}

TEST(ReadSessionFile, LineEndsMayBeCrLfLfOrCr) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  for (const char* end : {"\r\n", "\n", "\r"}) {
    std::string text;
    for (const std::string& line : SampleFileLines())
      text += line + end;
    PutFile("ends.KST", text);
    DesignRecord r = Prefilled();
    ReadSessionFile(r, "ends.KST", dialogs);
    EXPECT_EQ(r.R[1][5], 1.0f);
    EXPECT_EQ(r.LimitStop[1][1], 1000.0f);
  }
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST(ReadSessionFile, KeysAreNotReadAndALineWithoutColonIsAllValue) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  std::vector<std::string> lines = SampleFileLines();
  lines[2] = "Anything at all: 2k";  // Fstart
  lines[3] = "  4.7k  ";             // Fstop, no colon
  lines[10] = "Family:2";            // no blank after the colon
  PutFile("keys.KST", CrLf(lines));
  DesignRecord r = Prefilled();
  ReadSessionFile(r, "keys.KST", dialogs);
  EXPECT_EQ(r.Fstart, 2000.0f);
  EXPECT_EQ(r.Fstop, 4700.0f);
  EXPECT_EQ(r.Family, kChebyshev);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST(ReadSessionFile, RemovedLineMovesLaterValuesOneFieldUp) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  std::vector<std::string> lines = SampleFileLines();
  lines.erase(lines.begin() + 12);  // "Passband ripple: 0"
  PutFile("shifted.KST", CrLf(lines));
  DesignRecord r = Prefilled();
  ReadSessionFile(r, "shifted.KST", dialogs);
  EXPECT_EQ(r.Apass, 3.0f);  // the order's value
  EXPECT_EQ(r.Order, 0);     // C1,1 = 4.7E-09 rounds to 0
  EXPECT_EQ(r.NrStages, 0.0f);
  EXPECT_EQ(r.NrMarkers, 0);    // C1,2
  EXPECT_EQ(r.NrLimits[1], 0);  // C1,3
  EXPECT_EQ(r.LimitsOn, 0);
  EXPECT_EQ(r.C[1][1], -1.0f);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST(ReadSessionFile, FileEndingAfterTheDesignSectionKeepsTheRest) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  std::vector<std::string> lines = SampleFileLines();
  lines.resize(14);  // up to "Order: 3"
  lines[13] = "Order: 4";
  PutFile("short.KST", CrLf(lines));
  DesignRecord r = Prefilled();
  EXPECT_TRUE(ReadSessionFile(r, "short.KST", dialogs));
  EXPECT_EQ(r.Order, 4);
  EXPECT_EQ(r.NrStages, 2.0f);
  EXPECT_EQ(r.Bandwidth, 1000.0f);
  EXPECT_EQ(r.C[1][1], -1.0f);
  EXPECT_EQ(r.R[2][5], -2.0f);
  EXPECT_EQ(r.MarkerFreq[1], -3.0f);
  EXPECT_EQ(r.NrLimits[1], 2);
  EXPECT_EQ(r.LimitShape[1][1], -4.0f);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(dialogs.beeps, 0);
}

TEST(ReadSessionFile, MarkersComeBackInTheFirstSlotsAndOthersStay) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  PutFile("markers.KST", CrLf(SampleFileLines()));
  DesignRecord r = Prefilled();
  ReadSessionFile(r, "markers.KST", dialogs);
  EXPECT_EQ(r.NrMarkers, 2);
  EXPECT_EQ(r.MarkerFreq[1], 1000.0f);
  EXPECT_EQ(r.MarkerFreq[2], 2000.0f);
  for (int slot = 3; slot <= kMaxMarker; ++slot)
    EXPECT_EQ(r.MarkerFreq[slot], -3.0f);
}

TEST(ReadSessionFile, NoMarkersThenTheNextValueIsTheLimitCount) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  DesignRecord source = OrderThreeRecord();
  source.MarkerFreq = {};
  source.NrLimits[1] = 0;
  PutFile("plain.KST", CrLf(WrittenLines(source)));
  DesignRecord r = Prefilled();
  ReadSessionFile(r, "plain.KST", dialogs);
  EXPECT_EQ(r.NrMarkers, 0);
  EXPECT_EQ(r.MarkerFreq[1], -3.0f);
  EXPECT_EQ(r.NrLimits[1], 0);
  EXPECT_EQ(r.LimitShape[1][1], -4.0f);  // no limits: the arrays and LimitsOn stay
  EXPECT_EQ(r.LimitsOn, 0);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST(ReadSessionFile, ShortLimitLineGivesZeroForMissingNumbers) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  std::vector<std::string> lines = SampleFileLines();
  lines.back() = "  2   150.5e1x ";
  PutFile("limit.KST", CrLf(lines));
  DesignRecord r = Prefilled();
  r.LimitTop[1][1] = 7;
  ReadSessionFile(r, "limit.KST", dialogs);
  EXPECT_EQ(r.LimitShape[1][1], 2.0f);
  EXPECT_EQ(r.LimitStart[1][1], 1505.0f);
  EXPECT_EQ(r.LimitStop[1][1], 0.0f);
  EXPECT_EQ(r.LimitTop[1][1], 0.0f);
  EXPECT_EQ(r.LimitBottom[1][1], 0.0f);
}

struct BadFileCase {
  const char* name;
  std::size_t line;      // index of the line to replace
  const char* replaced;  // its new text
};

std::ostream& operator<<(std::ostream& os, const BadFileCase& c) {
  return os << c.name;
}

class ReadSessionFailure : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(ReadSessionFailure, EndsInTheMessageAndTheDefaults) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  std::vector<std::string> lines = SampleFileLines();
  lines.at(GetParam().line) = GetParam().replaced;
  PutFile("bad.KST", CrLf(lines));
  DesignRecord r = Prefilled();
  r.Apass = 7;
  EXPECT_FALSE(ReadSessionFile(r, "bad.KST", dialogs));
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{kReadMessage});
  EXPECT_EQ(dialogs.beeps, 1);
  EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(r.Family, kButterworth);
  EXPECT_EQ(r.Apass, 0.0f);
  EXPECT_EQ(r.Order, 3);
  EXPECT_EQ(r.NrStages, 1.0f);
  EXPECT_EQ(r.Bandwidth, 3000.0f);
  EXPECT_EQ(r.Fstart, 1000.0f);
  EXPECT_EQ(r.Fstop, 10000.0f);
  EXPECT_EQ(r.Nints, 500);
  EXPECT_EQ(r.dBtop, 10.0f);
  EXPECT_EQ(r.dBbottom, -50.0f);
  EXPECT_EQ(r.NrYintervals, 6);
  EXPECT_EQ(r.DelayTop, 0.0012f);
}

INSTANTIATE_TEST_SUITE_P(
    TooLargeCounts, ReadSessionFailure,
    ::testing::Values(BadFileCase{"order of twelve stages", 13, "Order: 24"},
                      BadFileCase{"negative order", 13, "Order: -5"},
                      BadFileCase{"eleven markers", 25, "Number: 11"},
                      BadFileCase{"sixteen limits", 29, "Number: 16"},
                      BadFileCase{"huge limit count", 29, "Number: 9999999"},
                      BadFileCase{"no intervals", 4, "Nr of intervals: 0"},
                      BadFileCase{"too many intervals", 4, "Nr of intervals: 2049"},
                      BadFileCase{"unknown family", 10, "Family: 9"},
                      BadFileCase{"limit beyond a single", 31, " 1  0  1E+39  0  0"}));

TEST(ReadSessionFile, ComponentsReadBeforeAFailureStay) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  std::vector<std::string> lines = SampleFileLines();
  lines[25] = "Number: 12";
  PutFile("late.KST", CrLf(lines));
  DesignRecord r = Prefilled();
  ReadSessionFile(r, "late.KST", dialogs);
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{kReadMessage});
  EXPECT_EQ(r.C[1][2], 2.2e-9f);
  EXPECT_EQ(r.R[1][1], 47000.0f);
  EXPECT_EQ(r.MarkerFreq[1], -3.0f);
}

TEST(ReadSessionFile, TwentyThreeIsTheLargestOrderRead) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  DesignRecord source = OrderThreeRecord();
  source.Order = 23;
  PutFile("big.KST", CrLf(WrittenLines(source)));
  DesignRecord r = Prefilled();
  ReadSessionFile(r, "big.KST", dialogs);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(r.Order, 23);
  EXPECT_EQ(r.NrStages, 11.0f);
  EXPECT_EQ(r.R[11][5], 0.0f);
}

TEST(ReadSessionFile, MissingFileAndEmptyName) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  DesignRecord r = Prefilled();
  ReadSessionFile(r, "", dialogs);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(r.Order, 6);
  ReadSessionFile(r, "nowhere.KST", dialogs);
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{kReadMessage});
  EXPECT_EQ(r.Order, 3);
  EXPECT_EQ(r.Nints, 500);
  EXPECT_EQ(r.C[1][1], -1.0f);                          // components stay
  ReadSessionFile(r, folder.Path().string(), dialogs);  // a folder is no session file
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST(ReadSessionFile, NameIsFoundWithoutRegardToCase) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  DesignRecord written = OrderThreeRecord();
  ASSERT_TRUE(WriteSessionFile(written, "LASTSESSION.KST", dialogs));
  DesignRecord r = Prefilled();
  ReadSessionFile(r, "LastSession.KST", dialogs);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(r.R[1][2], 47000.0f);
  written.Bandwidth = 2500;
  ASSERT_TRUE(WriteSessionFile(written, "lastsession.kst", dialogs));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"LASTSESSION.KST"});
  ReadSessionFile(r, "LastSession.KST", dialogs);
  EXPECT_EQ(r.Bandwidth, 2500.0f);
}

// --- Writing ---

TEST(WriteSessionFile, WritesCrLfLinesWithDateAndReplacesTheFile) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  DesignRecord r = OrderThreeRecord();
  PutFile("design.KST", std::string(5000, 'x'));
  ASSERT_TRUE(WriteSessionFile(r, "design.KST", dialogs));
  const std::vector<std::string> lines = SplitCrLf(FileText("design.KST"));
  ASSERT_EQ(lines.size(), 32u);
  EXPECT_EQ(lines[0].rfind("* Active lowpass filter ", 0), 0u);
  EXPECT_GT(lines[0].size(), std::string("* Active lowpass filter ").size());
  const std::vector<std::string> expected = WrittenLines(r);
  EXPECT_TRUE(std::equal(lines.begin() + 1, lines.end(), expected.begin() + 1));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"design.KST"});
}

TEST(WriteSessionFile, EmptyNameWritesNothingAndSaysNothing) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  DesignRecord r = OrderThreeRecord();
  EXPECT_TRUE(WriteSessionFile(r, "", dialogs));
  EXPECT_TRUE(folder.Entries().empty());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST(WriteSessionFile, FailedWriteKeepsTheEarlierFileWhole) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  const std::string earlier(200, 'e');
  PutFile("LASTSESSION.KST", earlier);
  DesignRecord r = OrderThreeRecord();
  {
    test::FileSizeLimit limit(300);  // the session text is longer: the disk "fills up"
    EXPECT_FALSE(WriteSessionFile(r, "LastSession.KST", dialogs));
  }
  EXPECT_EQ(FileText("LASTSESSION.KST"), earlier);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"LASTSESSION.KST"});
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{kWriteMessage});
  EXPECT_EQ(dialogs.beeps, 1);
}

TEST(WriteSessionFile, UnwritablePlacesAreReported) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  DesignRecord r = OrderThreeRecord();
  std::filesystem::create_directory("folder.KST");
  EXPECT_FALSE(WriteSessionFile(r, "no/such/folder/x.KST", dialogs));
  EXPECT_FALSE(WriteSessionFile(r, "folder.KST", dialogs));
  EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{kWriteMessage, kWriteMessage}));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"folder.KST"});
}

// --- NextToken ---

struct TokenCase {
  const char* line;
  const char* token;
  const char* rest;
};

TEST(NextToken, SplitsAtRunsOfBlanks) {
  const TokenCase cases[] = {
      {" 1    0    1000 ", "1", "0    1000 "},
      {"abc", "abc", ""},
      {"a b", "a", "b"},
      {"x   ", "x", ""},
      {"   ", "unchanged", ""},
      {"", "unchanged", ""},
      {"-3 ", "-3", ""},
      {"1\t2 3", "1\t2", "3"},
  };
  for (const TokenCase& c : cases) {
    std::string line = c.line;
    std::string token = "unchanged";
    NextToken(line, token);
    EXPECT_EQ(token, c.token) << '"' << c.line << '"';
    EXPECT_EQ(line, c.rest) << '"' << c.line << '"';
  }
}

}  // namespace
}  // namespace kestro
