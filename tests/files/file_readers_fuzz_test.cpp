// SPDX-License-Identifier: GPL-3.0-or-later
// Random and mutated session files read from disk and then analysed: whatever the bytes, the
// record's counts stay inside their arrays and the analysis of what was read stays in its own.
// Deterministic (fixed seed); run it in the sanitizer build to catch memory and UB faults. The
// readers alone, on bytes in memory, are fuzzed at scale by tests/fuzz (scripts/fuzz.sh).

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "analysis/response_engine.h"
#include "files/scratch_folder.h"
#include "files/session_file.h"
#include "files/session_lines.h"

namespace kestro {
namespace {

using namespace test;

// Raw 32-bit draws of a fixed-seed Mersenne twister: the same files on every machine.
struct Draws {
  uint32_t Below(std::size_t n) { return n == 0 ? 0 : static_cast<uint32_t>(engine() % n); }
  char Byte() { return static_cast<char>(Below(256)); }
  std::mt19937 engine{20240611u};
};

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
  for (int slot = 1; slot <= kUsedMarkers; ++slot)
    r.MarkerFreq[slot] = draws.Below(2) == 0 ? static_cast<float>(draws.Below(20000)) : 0;
  r.NrLimits[1] = static_cast<int16_t>(draws.Below(16));
  for (int j = 1; j <= r.NrLimits[1]; ++j) {
    r.LimitShape[j][1] = static_cast<float>(1 + draws.Below(4));
    r.LimitStop[j][1] = draws.Below(4) == 0 ? 1e11f : static_cast<float>(draws.Below(9999));
    r.LimitBottom[j][1] = -static_cast<float>(draws.Below(80));
  }
  return Joined(SessionFileLines(r, "* Active lowpass filter fuzz"));
}

const std::string kNastyTexts[] = {
    "99999999999",        "-1E+39", "32768", "-32769", "1e400", "Number: 99", "Order: 99", "*", ":",
    std::string(1, '\0'), "\r",     "\n",    "E-",     "-.",    "1G5"};

// Special files (one huge line, NUL bytes only, line ends only, empty), random bytes, or a valid
// file with up to three damages: flipped or inserted bytes, cut or repeated pieces, nasty
// numbers, line ends removed, the end cut off.
std::string FuzzFile(int i, Draws& draws, std::string (*valid)(Draws&)) {
  if (i < 4)
    return std::string(std::array{3'000'000, 50'000, 20'000, 0}[i], "7\0\r"[i % 3]);
  std::string text(draws.Below(5) == 0 ? draws.Below(4096) : 0, '\0');
  if (!text.empty()) {
    std::ranges::generate(text, [&] { return draws.Byte(); });
    return text;
  }
  text = valid(draws);
  const auto at = [&](std::size_t extra) { return draws.Below(text.size() + extra); };
  const auto from = [&] { return std::min<std::size_t>(at(0), text.size()); };
  const std::function<void()> damages[] = {
      [&] {
        for (int k = 0; k < 8 && !text.empty(); ++k)
          text[at(0)] = draws.Byte();
      },
      [&] { text.insert(at(1), std::string(1 + draws.Below(40), draws.Byte())); },
      [&] { text.erase(from(), draws.Below(200)); },
      [&] { text.insert(at(1), text.substr(from(), 300)); },
      [&] { text.insert(at(1), kNastyTexts[draws.Below(std::size(kNastyTexts))]); },
      [&] { std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; }); },
      [&] { text.resize(at(1)); }};
  for (uint32_t d = 0, count = draws.Below(4); d < count; ++d)
    damages[draws.Below(7)]();
  return text;
}

constexpr int kFiles = 1200;  // per reader

TEST(FileReadersFuzz, EveryReadEndsInTheReadersOwnBehaviour) {
  // The file, a valid file to damage, a check of one read returning whether it succeeded, and
  // the range of successes that shows the damage reached the checks.
  const struct {
    const char* written;
    std::string (*valid)(Draws&);
    bool (*read)(int file);
    int minSuccesses, maxSuccesses;
  } cases[] = {{"fuzz.KST", ValidSession,
                [](int file) {
                  DesignRecord r{};
                  r.SetOpeningDefaults();
                  r.NrStages = StagesForOrder(r.Order);
                  const bool read = !ReadSessionFile(r, "FUZZ.kst");
                  // Family, Order and Nints come as read, for the caller to repair.
                  EXPECT_TRUE(r.NrStages <= kMaxStage && r.NrStages == StagesForOrder(r.Order) &&
                              r.NrMarkers >= 0 && r.NrMarkers <= kMaxMarker && r.NrLimits[1] >= 0 &&
                              r.NrLimits[1] <= kMaxLimit)
                      << r.NrStages << " " << r.NrMarkers << " " << r.NrLimits[1];
                  if (file % 16 == 0)
                    Analyze(r);  // whatever was read, the analysis stays in its arrays
                  return read;
                },
                kFiles / 2, kFiles * 49 / 50}};

  for (const auto& c : cases) {
    ScratchFolder folder;
    Draws draws;
    int successes = 0;
    for (int i = 0; i < kFiles && !HasFailure(); ++i) {
      SCOPED_TRACE(testing::Message() << c.written << " file " << i);
      PutFile(c.written, FuzzFile(i, draws, c.valid));
      successes += c.read(i);
    }
    EXPECT_TRUE(successes >= c.minSuccesses && successes <= c.maxSuccesses)
        << c.written << ": " << successes;
  }
}

}  // namespace
}  // namespace kestro
