#include "files/waveform_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/eng_value.h"
#include "files/scratch_folder.h"
#include "support/scripted_dialogs.h"

namespace kestro {
namespace {

using namespace test;

// A normalised triangle over the first half period: 0 at t = 0, 1 at t = 90, 0 at t = 180.
TransientState Triangle() {
  TransientState state;
  for (int t = 0; t <= 180; ++t)
    state.TransientWave[t] = 1.0f - static_cast<float>(std::abs(t - 90)) / 90.0f;
  return state;
}

TEST(SaveWaveform, WritesOneHundredEightyOneLinesThatReadBackAsAWholePeriod) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  ASSERT_TRUE(SaveWaveform(Triangle(), dialogs));
  const std::vector<std::string> lines = test::SplitCrLf(FileText("KESTRO.TRAN"));
  ASSERT_EQ(lines.size(), 181u);
  EXPECT_EQ(std::tie(lines[0], lines[45], lines[90], lines[180]),
            std::tuple("0", "0.5 ", "1 ", "0"));
  TransientState state;
  ASSERT_TRUE(GetWaveform(state));
  for (int t = 0; t <= 180; ++t) {
    float expected = 0;
    ReadEngValue(FormatNum(Triangle().TransientWave[t]), expected);
    EXPECT_EQ(state.SavedWave[t], expected) << t;
    EXPECT_EQ(state.SavedWave[t + 180], -state.SavedWave[t]) << t;
  }
  for (int t = -36; t <= 0; ++t)
    EXPECT_EQ(state.SavedWave[t], state.SavedWave[t + 360]);
  std::filesystem::remove("KESTRO.TRAN");
  std::filesystem::create_directory("kestro.tran");
  EXPECT_FALSE(SaveWaveform(Triangle(), dialogs));
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"The transient data was not saved"});
  EXPECT_EQ(dialogs.beeps, 1);
}

std::string ValueLines(int count, const char* separator = "\r\n") {
  std::string text;
  for (int k = 0; k < count; ++k)
    text += std::to_string(k) + "m" + separator;
  return text;
}

TEST(GetWaveform, ShortFilesAndBlankLines) {
  const struct {
    const char* name;
    std::string text;
    bool drawn;
  } cases[] = {{"181 values", ValueLines(181), true},
               {"182 values", ValueLines(182), true},
               {"180 values repeat the last", ValueLines(180), true},
               {"180 values and trailing blanks", ValueLines(180) + "\r\n  \r\n", true},
               {"179 values", ValueLines(179), false},
               {"no values", "", false},
               {"blank lines between values", ValueLines(181, "\r\n\r\n   \r\n"), true},
               {"LF line ends", ValueLines(181, "\n"), true}};
  for (const auto& c : cases) {
    ScratchFolder folder;
    if (!c.text.empty())
      PutFile("Kestro.Tran", c.text);
    TransientState state;
    ASSERT_EQ(GetWaveform(state), c.drawn) << c.name;
    if (c.drawn) {
      EXPECT_FLOAT_EQ(state.SavedWave[1], 0.001f) << c.name;
      EXPECT_FLOAT_EQ(state.SavedWave[179], 0.179f) << c.name;
      EXPECT_FLOAT_EQ(state.SavedWave[359], -0.179f) << c.name;
      EXPECT_EQ(state.SavedWave[180], -state.SavedWave[0]) << c.name;
    }
  }
}

}  // namespace
}  // namespace kestro
