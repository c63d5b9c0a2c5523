// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/waveform_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "files/scratch_folder.h"

namespace kestro {
namespace {

using namespace test;

TEST(SaveWaveform, WritesOneHundredEightyOneLinesThatReadBackAsAWholePeriod) {
  ScratchFolder folder;
  DegreeWave triangle;  // 0 at t = 0, 1 at t = 90, 0 at t = 180
  for (int t = 0; t <= 180; ++t)
    triangle[t] = 1.0f - static_cast<float>(std::abs(t - 90)) / 90.0f;
  ASSERT_EQ(SaveWaveform(triangle), std::nullopt);
  const std::vector<std::string> lines = SplitCrLf(FileText("KESTRO.TRAN"));
  ASSERT_EQ(lines.size(), 181u);
  EXPECT_EQ((std::vector{lines[0], lines[45], lines[90], lines[180]}),
            (std::vector<std::string>{"0", "0.5 ", "1 ", "0"}));
  DegreeWave saved;
  ASSERT_TRUE(GetWaveform(saved));
  for (int t = 0; t <= 180; ++t) {
    EXPECT_NEAR(saved[t], triangle[t], 5e-4) << t;  // three decimals written
    EXPECT_EQ(saved[t + 180], -saved[t]) << t;
  }
  for (int t = -36; t <= 0; ++t)
    EXPECT_EQ(saved[t], saved[t + 360]);
  std::filesystem::remove("KESTRO.TRAN");
  std::filesystem::create_directory("kestro.tran");
  EXPECT_EQ(SaveWaveform(triangle), "The transient data was not saved");
}

// A file one value short repeats its last value; a shorter one is not drawn.
TEST(GetWaveform, ShortFilesAndBlankLines) {
  const auto values = [](int count, const char* separator = "\r\n") {
    std::string text;
    for (int k = 0; k < count; ++k)
      text += std::to_string(k) + "m" + separator;
    return text;
  };
  const std::pair<std::string, bool> cases[] = {// file, drawn
                                                {values(181), true},
                                                {values(182), true},
                                                {values(180), true},
                                                {values(180) + "\r\n  \r\n", true},
                                                {values(179), false},
                                                {"", false},
                                                {values(181, "\r\n\r\n   \r\n"), true}};
  for (const auto& [text, drawn] : cases) {
    ScratchFolder folder;
    if (!text.empty())
      PutFile("Kestro.Tran", text);
    DegreeWave saved;
    ASSERT_EQ(GetWaveform(saved), drawn) << text.size();
    if (drawn) {
      EXPECT_EQ((std::vector{saved[1], saved[179], saved[359], saved[180] + saved[0]}),
                (std::vector{0.001f, 0.179f, -0.179f, 0.0f}))
          << text.size();
    }
  }
}

}  // namespace
}  // namespace kestro
