// Random and mutated session, overlay and waveform files fed to the readers: whatever the bytes,
// every read ends in the file's own behaviour with the record's counts inside their arrays.
// Deterministic (fixed seed); run it in the sanitizer build to catch memory and UB faults.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "analysis/response_engine.h"
#include "files/plot_overlay.h"
#include "files/scratch_folder.h"
#include "files/session_file.h"
#include "files/session_lines.h"
#include "files/waveform_file.h"
#include "support/scripted_dialogs.h"

namespace kestro {
namespace {

using test::PutFile;
using test::ScratchFolder;
using test::ScriptedDialogs;

// Raw 32-bit draws of a fixed-seed Mersenne twister: the same files on every machine.
class Draws {
 public:
  uint32_t Below(uint32_t n) { return n == 0 ? 0 : engine_() % n; }
  bool OneIn(uint32_t n) { return Below(n) == 0; }
  char Byte() { return static_cast<char>(Below(256)); }

 private:
  std::mt19937 engine_{20240611u};
};

std::string CrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text.append(line).append("\r\n");
  return text;
}

std::string ValidSession(Draws& draws) {
  DesignRecord r{};
  r.SetOpeningDefaults();
  r.Order = static_cast<int16_t>(2 + draws.Below(10));
  for (int s = 1; s <= kMaxStage; ++s) {
    for (int k = 1; k <= 3; ++k)
      r.C[s][k] = 1e-9f * static_cast<float>(1 + draws.Below(1000));
    for (int k = 1; k <= 5; ++k)
      r.R[s][k] = static_cast<float>(draws.Below(100000));
  }
  for (int slot = 1; slot <= kUsedMarkers; ++slot) {
    if (draws.OneIn(2))
      r.MarkerFreq[slot] = static_cast<float>(draws.Below(20000));
  }
  r.NrLimits[1] = static_cast<int16_t>(draws.Below(16));
  for (int j = 1; j <= r.NrLimits[1]; ++j) {
    r.LimitShape[j][1] = static_cast<float>(1 + draws.Below(4));
    r.LimitStop[j][1] = draws.OneIn(4) ? 1e11f : static_cast<float>(draws.Below(9999));
    r.LimitBottom[j][1] = -static_cast<float>(draws.Below(80));
  }
  return CrLf(SessionFileLines(r, "* Active lowpass filter fuzz"));
}

std::string ValidOverlay(Draws& draws) {
  std::string text;
  const uint32_t points = draws.Below(2200);
  for (uint32_t i = 0; i < points; ++i) {
    text.append(" ").append(std::to_string(i + 1)).append(" -").append(std::to_string(i));
    text.append(" \r\n");
  }
  return text;
}

std::string ValidWaveform(Draws& draws) {
  std::string text;
  const uint32_t lines = 170 + draws.Below(20);
  for (uint32_t t = 0; t < lines; ++t)
    text.append(std::to_string(t % 7)).append("m\r\n");
  return text;
}

const char* const kNastyTexts[] = {"99999999999", "-1E+39",    "32768", "-32769", "1e400",
                                   "Number: 99",  "Order: 99", "*",     ":",      "\0",
                                   "\r",          "\n",        "E-",    "-.",     "1G5"};

// One of several damages: flipped or inserted bytes, cut or repeated pieces, nasty numbers,
// line ends removed.
void Mutate(std::string& text, Draws& draws) {
  const std::size_t size = text.size();
  switch (draws.Below(7)) {
    case 0:
      for (int i = 0; i < 8 && size > 0; ++i)
        text[draws.Below(size)] = draws.Byte();
      break;
    case 1:
      text.insert(draws.Below(size + 1), std::string(1 + draws.Below(40), draws.Byte()));
      break;
    case 2:
      if (size > 0)
        text.erase(draws.Below(size), draws.Below(200));
      break;
    case 3:
      if (size > 0)
        text.insert(draws.Below(size), text.substr(draws.Below(size), 300));
      break;
    case 4: {
      const std::string nasty(kNastyTexts[draws.Below(std::size(kNastyTexts))]);
      text.insert(draws.Below(size + 1), nasty.empty() ? std::string(1, '\0') : nasty);
      break;
    }
    case 5:
      std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
      break;
    default:
      text.resize(draws.Below(size + 1));
      break;
  }
}

std::string RandomBytes(Draws& draws) {
  std::string bytes(draws.Below(4096), '\0');
  for (char& c : bytes)
    c = draws.Byte();
  return bytes;
}

// Special files: one huge line, NUL bytes only, line ends only, and random or damaged ones.
std::string FuzzFile(int i, Draws& draws, std::string (*valid)(Draws&)) {
  switch (i) {
    case 0:
      return std::string(3'000'000, '7');
    case 1:
      return std::string(50'000, '\0');
    case 2:
      return std::string(20'000, '\r');
    case 3:
      return "";
    default:
      break;
  }
  if (draws.OneIn(5))
    return RandomBytes(draws);
  std::string text = valid(draws);
  const uint32_t damages = draws.Below(4);
  for (uint32_t d = 0; d < damages; ++d)
    Mutate(text, draws);
  return text;
}

constexpr int kFilesPerReader = 1200;

TEST(FileReadersFuzz, SessionReaderKeepsEveryCountInsideItsArrays) {
  ScratchFolder folder;
  Draws draws;
  int failures = 0;
  for (int i = 0; i < kFilesPerReader; ++i) {
    PutFile("fuzz.KST", FuzzFile(i, draws, ValidSession));
    DesignRecord r{};
    r.SetOpeningDefaults();
    r.NrStages = StagesForOrder(r.Order);
    ScriptedDialogs dialogs;
    ReadSessionFile(r, "FUZZ.kst", dialogs);
    failures += static_cast<int>(dialogs.messages.size());
    ASSERT_LE(dialogs.messages.size(), 1u) << "file " << i;
    ASSERT_GE(r.Nints, 1) << "file " << i;
    ASSERT_LE(r.Nints, kMaxNints) << "file " << i;
    ASSERT_GE(r.NrStages, 0.0f) << "file " << i;
    ASSERT_LE(r.NrStages, static_cast<float>(kMaxStage)) << "file " << i;
    ASSERT_EQ(r.NrStages, StagesForOrder(r.Order)) << "file " << i;
    ASSERT_GE(r.NrMarkers, 0) << "file " << i;
    ASSERT_LE(r.NrMarkers, kMaxMarker) << "file " << i;
    ASSERT_GE(r.NrLimits[1], 0) << "file " << i;
    ASSERT_LE(r.NrLimits[1], kMaxLimit) << "file " << i;
    ASSERT_GE(r.Family, 0) << "file " << i;
    ASSERT_LE(r.Family, kManual) << "file " << i;
    if (i % 16 == 0)
      Analyze(r);  // whatever was read, the analysis stays in its arrays
  }
  // The damage must reach the checks: some files fail, most are read.
  EXPECT_GT(failures, kFilesPerReader / 50);
  EXPECT_LT(failures, kFilesPerReader / 2);
}

TEST(FileReadersFuzz, OverlayReaderStaysInItsArraysWithFiniteValues) {
  ScratchFolder folder;
  Draws draws;
  int full = 0;
  for (int i = 0; i < kFilesPerReader; ++i) {
    PutFile("KSTdata.DB", FuzzFile(i, draws, ValidOverlay));
    PlotOverlay overlay;
    ASSERT_TRUE(ReadOverlayFile("kstdata.db", overlay)) << "file " << i;
    ASSERT_GE(overlay.OverlayLast, -1) << "file " << i;
    ASSERT_LE(overlay.OverlayLast, kMaxPoint) << "file " << i;
    full += overlay.OverlayLast == kMaxPoint;
    for (int p = 0; p <= overlay.OverlayLast; ++p) {
      ASSERT_TRUE(std::isfinite(overlay.OverlayFreq[p]) && std::isfinite(overlay.OverlayValue[p]))
          << "file " << i << " point " << p;
    }
  }
  EXPECT_GT(full, 0);
}

TEST(FileReadersFuzz, WaveformReaderDrawsOnlyCompleteWaves) {
  ScratchFolder folder;
  Draws draws;
  int drawn = 0;
  for (int i = 0; i < kFilesPerReader; ++i) {
    PutFile("KESTRO.TRAN", FuzzFile(i, draws, ValidWaveform));
    TransientState state;
    if (!GetWaveform(state))
      continue;
    ++drawn;
    for (int t = -36; t <= 360; ++t) {
      ASSERT_LE(std::fabs(state.SavedWave[t]), 1e10f) << "file " << i << " t " << t;
    }
    ASSERT_EQ(state.SavedWave[270], -state.SavedWave[90]) << "file " << i;
  }
  EXPECT_GT(drawn, kFilesPerReader / 10);
  EXPECT_LT(drawn, kFilesPerReader);
}

TEST(FileReadersFuzz, NextTokenAlwaysShortensTheLine) {
  Draws draws;
  for (int i = 0; i < 3000; ++i) {
    std::string line(draws.Below(60), ' ');
    for (char& c : line)
      c = draws.OneIn(3) ? ' ' : draws.Byte();
    std::string token = "none";
    while (!line.empty()) {
      const std::size_t before = line.size();
      NextToken(line, token);
      ASSERT_LT(line.size(), before);
      ASSERT_EQ(token.find(' '), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace kestro
