// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/session_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cfloat>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/scratch_folder.h"
#include "files/session_lines.h"

namespace kestro {
namespace {

constexpr const char* kSavedAt = "2026-12-06 11:45:03";

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
            " 1    0    1000    0   -3 |* Op-amp: =============|GBW: 0|Slew rate: 0|"
            "Amplitude: 1|Analyse with this op-amp: 0|");
}

// Values of at most seven significant digits, different in every slot, limits at +-1E11. Stages
// and markers are counted again on writing.
DesignRecord RoundTripRecord(int16_t family, int16_t order, int16_t limits) {
  DesignRecord r{};
  r.Family = family, r.Order = order, r.Bandwidth = 12345.67f, r.Fstart = 0.1f, r.Fstop = 9999999;
  r.Apass = family == kChebyshev ? 0.5f : 0, r.Nints = 2048, r.dBtop = 40, r.dBbottom = -100;
  r.NrYintervals = 12, r.DelayTop = 1e-39f, r.NrLimits[1] = limits;  // a subnormal single
  // Slot 8, the last written, set; slot 9 is not written.
  r.MarkerFreq = {0, 100, 0, 300, 0, 5e6f, 0, 7.25f, 8.5f, 9.5f};
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
  r.OpampGbw = 1234567.0f * static_cast<float>(family), r.OpampSlewRate = 0.5f * float(order);
  r.OpampAmplitude = 2.75f, r.OpampOn = static_cast<int16_t>(order % 2);
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
    ASSERT_EQ(WriteSessionFile(written, "design.KST", kSavedAt), std::nullopt);
    EXPECT_EQ(ReadSessionFile(read, "design.KST"), std::nullopt);
    // What must come back: the stages of the order, the markers packed into slots 1..5.
    DesignRecord expect = RoundTripRecord(family, order, limits);
    for (int s = static_cast<int>(StagesForOrder(order)) + 1; s <= kMaxStage; ++s)
      expect.C[s] = {}, expect.R[s] = {};
    expect.MarkerFreq = {0, 100, 300, 5e6f, 7.25f, 8.5f}, expect.NrMarkers = 5;
    expect.NrStages = StagesForOrder(order), expect.LimitsOn = limits > 0;
    const auto floats = [](const DesignRecord& r) {
      return std::vector{r.Fstart,   r.Fstop,         r.dBtop,         r.dBbottom,
                         r.DelayTop, r.Bandwidth,     r.Apass,         r.NrStages,
                         r.OpampGbw, r.OpampSlewRate, r.OpampAmplitude};
    };
    const auto counts = [](const DesignRecord& r) {
      return std::vector<int>{r.Nints,     r.NrYintervals, r.Family,   r.Order,
                              r.NrMarkers, r.NrLimits[1],  r.LimitsOn, r.OpampOn};
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
  r.OpampGbw = 5e6f, r.OpampSlewRate = 13, r.OpampAmplitude = 3, r.OpampOn = 1;
  return r;
}

Lines Edited(Lines lines, std::size_t index, const std::string& text) {
  lines.at(index) = text;
  return lines;
}

Lines Cut(Lines lines, std::size_t size) {
  lines.resize(size);
  return lines;
}

// Comments, blank lines and the keys do not matter: values are taken by position, and a line
// without a colon is all value.
TEST(ReadSessionFile, ValuesAreTakenByPositionWhateverTheLayout) {
  const Lines sample = Sample();
  ScratchFolder folder;
  for (const std::string& text : {"  \r\n" + Joined(sample, "\r\n\r\n* a remark: 99\r\n   \r\n"),
                                  Joined(Edited(Edited(sample, 2, "  1k  "), 10, "Anything:1"))}) {
    PutFile("LASTSESSION.KST", text);
    DesignRecord r{};
    EXPECT_EQ(ReadSessionFile(r, "LastSession.KST"), std::nullopt);
    EXPECT_EQ(SessionFileLines(r, sample[0]), sample);
  }
}

// A file that ends early is no failure: what it holds is read, the rest stays. Values out of
// range are read as they stand, for the caller to repair; a short limit line leaves zeros, and a
// limit beyond the single range holds at the largest single of its sign.
TEST(ReadSessionFile, EarlyEndsAndValuesOutOfRange) {
  ScratchFolder folder;
  PutFile("a.KST", Joined(Cut(Edited(Edited(Sample(), 10, "Family: 9"), 13, "Order: 23"), 14)));
  DesignRecord r = Prefilled();
  EXPECT_EQ(ReadSessionFile(r, "a.KST"), std::nullopt);
  EXPECT_EQ((std::vector<float>{float(r.Family), float(r.Order), r.NrStages, r.C[1][1]}),
            (std::vector<float>{9, 23, 11, -1}));
  PutFile("a.KST", Joined(Edited(Sample(), 31, "  2   -1E+39x ")));
  EXPECT_EQ(ReadSessionFile(r, "a.KST"), std::nullopt);
  EXPECT_EQ((std::vector{r.LimitShape[1][1], r.LimitStart[1][1], r.LimitStop[1][1],
                         r.LimitTop[1][1], r.LimitBottom[1][1]}),
            (std::vector{2.0f, -FLT_MAX, 0.0f, 0.0f, 0.0f}));
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
    EXPECT_EQ((std::vector<float>{float(r.Family), r.Apass, float(r.Order), r.NrStages, r.Bandwidth,
                                  r.Fstart, r.Fstop, float(r.Nints), r.dBtop, r.dBbottom,
                                  float(r.NrYintervals), r.DelayTop, r.OpampGbw, r.OpampSlewRate,
                                  r.OpampAmplitude, float(r.OpampOn)}),
              (std::vector<float>{kButterworth, 0, 3, 1, 3000, 1000, 10000, 500, 10, -50, 6,
                                  0.0012f, 0, 0, 1, 0}));
  }
  DesignRecord r = Prefilled();
  EXPECT_EQ(ReadSessionFile(r, ""), std::nullopt);  // no name: nothing read, nothing said
  DesignRecord untouched = Prefilled();
  EXPECT_EQ(SessionFileLines(r, "*"), SessionFileLines(untouched, "*"));
}

// A file of exactly 16 MiB is read to its last byte; one byte more and the file is refused with
// the message, never read with its end cut off (a limit of -91 read as -9).
TEST(ReadSessionFile, AFileOverTheSizeBoundIsRefusedNotCut) {
  ScratchFolder folder;
  Lines lines = Cut(Edited(Sample(), 31, " 1    0    1000    0   -91"), 32);  // no op-amp
  std::string text = Joined(lines);
  text.resize(text.size() - 2);  // the file ends in the digit
  const std::size_t padding = (std::size_t{16} << 20) - text.size() - 3;
  const std::size_t second = text.find("\r\n") + 2;  // a comment line after the title
  for (const std::size_t extra : {0, 1}) {
    SCOPED_TRACE(extra);
    PutFile("big.KST", text.substr(0, second) + "*" + std::string(padding + extra, 'x') + "\r\n" +
                           text.substr(second));
    DesignRecord r = Prefilled();
    const FileFailure read = ReadSessionFile(r, "big.KST");
    EXPECT_EQ(read, extra == 0 ? FileFailure() : FileFailure(kReadMessage));
    EXPECT_EQ(r.LimitBottom[1][1], extra == 0 ? -91.0f : -4.0f);
  }
}

std::vector<float> Opamp(const DesignRecord& r) {
  return {r.OpampGbw, r.OpampSlewRate, r.OpampAmplitude, float(r.OpampOn)};
}

// The op-amp section is optional: a file of an older version ends at the limits and reads as an
// ideal op-amp at 1 V. A section cut short or holding values no op-amp has gives the ideal
// op-amp with a notice; the rest of the file stands, and the read is no failure.
TEST(ReadSessionFile, OpampSectionMissingOrDamaged) {
  constexpr const char* kDamaged =
      "The op-amp of the KESTRO file was not read correctly; an ideal op-amp is being used";
  const struct {
    std::size_t size;  // lines kept
    int line;          // a line replaced by text; 0: none
    const char* text;
    bool damaged;
    float gbw;  // the op-amp read
  } cases[] = {{32, 0, "", false, 0},
               {33, 0, "", false, 0},
               {35, 0, "", true, 0},
               {37, 33, "GBW: -1", true, 0},
               {37, 35, "Amplitude: 0", true, 0},
               {37, 36, "On: 2", true, 0},
               {37, 34, "Slew rate: x", false, 1e6f}};
  ScratchFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.size << " lines, " << c.text);
    Lines lines = Edited(Sample(), 33, "GBW: 1MEG");
    if (c.line > 0)
      lines = Edited(lines, static_cast<std::size_t>(c.line), c.text);
    PutFile("op.KST", Joined(Cut(lines, c.size)));
    for (const bool last : {false, true}) {
      DesignRecord r = Prefilled();
      SessionNotices notices;
      const FileFailure read =
          last ? ReadLastSession(r, "op.KST", &notices) : ReadSessionFile(r, "op.KST", &notices);
      EXPECT_EQ(read, std::nullopt);
      EXPECT_EQ(notices, c.damaged ? Lines{kDamaged} : Lines{});
      EXPECT_EQ(Opamp(r), (std::vector<float>{c.gbw, 0, 1, 0}));
      EXPECT_EQ((std::vector{r.C[1][1], r.LimitBottom[1][1]}), (std::vector{4.7e-9f, -3.0f}));
    }
  }
}

// A value beyond the reader's bound of 1E+10 is held at it, and a notice names the value and
// what it became; the bound itself, in any form, is no notice.
TEST(ReadSessionFile, ValueLimitedOnReadingSaysSo) {
  const struct {
    int line;
    const char* text;
    const char* notice;
  } cases[] = {
      {15, "C1,1: 1E+12",
       "The value of C1,1 in the KESTRO file has been reset downward from "
       "1E+12 to 1E+10"},
      {6, "Plot dB bottom: -2,5E+10",
       "The value of Plot dB bottom in the KESTRO file has been reset upward from -2,5E+10 to "
       "-1E+10"},
      {20, "R1,2: 1E+999",
       "The value of R1,2 in the KESTRO file has been reset downward from "
       "1E+999 to 1E+10"},
      {33, "GBW: 20000M",
       "The value of GBW in the KESTRO file has been reset downward from "
       "20000M to 1E+10"},
      {16, "C1,2: 2x0G",
       "The value of C1,2 in the KESTRO file has been reset downward from "
       "2x0G to 1E+10"},
      {15, "C1,1: 10G", nullptr},
      {15, "C1,1: 1 0 G", nullptr},
      {15, "C1,1: 1E+10", nullptr},
      {20, "R1,2: -10000000k", nullptr}};
  ScratchFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    PutFile("big.KST", Joined(Edited(Sample(), static_cast<std::size_t>(c.line), c.text)));
    for (const bool last : {false, true}) {
      DesignRecord r = Prefilled();
      SessionNotices notices;
      EXPECT_EQ(
          last ? ReadLastSession(r, "big.KST", &notices) : ReadSessionFile(r, "big.KST", &notices),
          std::nullopt);
      EXPECT_EQ(notices, c.notice ? Lines{c.notice} : Lines{});
    }
  }
}

TEST(WriteSessionFile, ReplacesTheCaseVariantWholeOrNotAtAll) {
  ScratchFolder folder;
  DesignRecord r = OrderThree();
  PutFile("LASTSESSION.KST", std::string(5000, 'x'));
  ASSERT_EQ(WriteSessionFile(r, "lastsession.kst", kSavedAt), std::nullopt);
  EXPECT_EQ(folder.Entries(), Lines{"LASTSESSION.KST"});
  const std::string written = FileText("LASTSESSION.KST");
  Lines lines = SplitCrLf(written), expected = Sample();
  ASSERT_EQ(lines.size(), 37u);
  EXPECT_EQ(lines[0], std::string("* Active lowpass filter ") + kSavedAt);
  EXPECT_EQ(Lines(lines.begin() + 1, lines.end()), Lines(expected.begin() + 1, expected.end()));
  {
    FileSizeLimit limit(300);  // the session text is longer: the disk "fills up"
    EXPECT_EQ(WriteSessionFile(r, "LastSession.KST", kSavedAt), kWriteMessage);
  }
  EXPECT_EQ(FileText("LASTSESSION.KST"), written);
  std::filesystem::create_directory("folder.KST");
  ASSERT_EQ(::mkfifo("fifo.KST", 0600), 0);
  std::filesystem::create_symlink("fifo.KST", "link.KST");
  // Anything but a regular file is refused at once, not opened.
  for (const char* name : {"no/such/folder/x.KST", "FOLDER.kst", "link.KST", "/dev/null"})
    EXPECT_EQ(WithinSeconds([&] { return WriteSessionFile(r, name, kSavedAt); }), kWriteMessage)
        << name;
  EXPECT_EQ(WriteSessionFile(r, "", kSavedAt),
            std::nullopt);  // no name: nothing written, nothing said
  EXPECT_TRUE(std::filesystem::is_fifo("fifo.KST"));
  EXPECT_EQ(folder.Entries(), (Lines{"LASTSESSION.KST", "fifo.KST", "folder.KST", "link.KST"}));
}

}  // namespace
}  // namespace kestro
