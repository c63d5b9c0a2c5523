#include "files/waveform_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/eng_value.h"
#include "files/scratch_folder.h"
#include "support/scripted_dialogs.h"

namespace kestro {
namespace {

using test::FileText;
using test::PutFile;
using test::ScratchFolder;
using test::ScriptedDialogs;
using test::SplitCrLf;

// A normalised triangle over the first half period: 0 at t = 0, 1 at t = 90, 0 at t = 180.
TransientState Triangle() {
  TransientState state;
  for (int t = 0; t <= 180; ++t) {
    state.TransientWave[t] = 1.0f - static_cast<float>(std::abs(t - 90)) / 90.0f;
  }
  return state;
}

std::string ValueLines(int count, const char* separator = "\r\n") {
  std::string text;
  for (int k = 0; k < count; ++k)
    text += std::to_string(k) + "m" + separator;
  return text;
}

TEST(SaveWaveform, WritesOneHundredEightyOneFormattedLines) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  ASSERT_TRUE(SaveWaveform(Triangle(), dialogs));
  const std::vector<std::string> lines = SplitCrLf(FileText("KESTRO.TRAN"));
  ASSERT_EQ(lines.size(), 181u);
  EXPECT_EQ(lines[0], "0");
  EXPECT_EQ(lines[45], "0.5 ");
  EXPECT_EQ(lines[90], "1 ");
  EXPECT_EQ(lines[180], "0");
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST(SaveWaveform, FailureIsReported) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  std::filesystem::create_directory("kestro.tran");
  EXPECT_FALSE(SaveWaveform(Triangle(), dialogs));
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"The transient data was not saved"});
  EXPECT_EQ(dialogs.beeps, 1);
}

TEST(GetWaveform, ReadsTheSavedCurveAndCompletesThePeriod) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  ASSERT_TRUE(SaveWaveform(Triangle(), dialogs));
  TransientState state;
  ASSERT_TRUE(GetWaveform(state));
  for (int t = 0; t <= 180; ++t) {
    float expected = 0;
    ReadEngValue(FormatNum(Triangle().TransientWave[t]), expected);
    EXPECT_EQ(state.SavedWave[t], expected) << t;
  }
  for (int t = 181; t <= 360; ++t)
    EXPECT_EQ(state.SavedWave[t], -state.SavedWave[t - 180]);
  for (int t = -36; t <= 0; ++t)
    EXPECT_EQ(state.SavedWave[t], state.SavedWave[t + 360]);
  EXPECT_EQ(state.SavedWave[270], -1.0f);
}

struct ShortFileCase {
  const char* name;
  std::string text;
  bool drawn;
  float last;  // SavedWave[179] when drawn
};

TEST(GetWaveform, ShortFilesAndBlankLines) {
  const ShortFileCase cases[] = {
      {"181 values", ValueLines(181), true, 0.179f},
      {"182 values", ValueLines(182), true, 0.179f},
      {"180 values repeat the last", ValueLines(180), true, 0.179f},
      {"180 values and trailing blanks", ValueLines(180) + "\r\n  \r\n", true, 0.179f},
      {"179 values", ValueLines(179), false, 0},
      {"no values", "", false, 0},
      {"blank lines between values", ValueLines(181, "\r\n\r\n   \r\n"), true, 0.179f},
      {"LF line ends", ValueLines(181, "\n"), true, 0.179f},
  };
  for (const ShortFileCase& c : cases) {
    ScratchFolder folder;
    PutFile("Kestro.Tran", c.text);
    TransientState state;
    ASSERT_EQ(GetWaveform(state), c.drawn) << c.name;
    if (c.drawn) {
      // The second half is the negated first, so the value at t = 180 is that of t = 0.
      EXPECT_FLOAT_EQ(state.SavedWave[179], c.last) << c.name;
      EXPECT_FLOAT_EQ(state.SavedWave[359], -c.last) << c.name;
      EXPECT_EQ(state.SavedWave[180], -state.SavedWave[0]) << c.name;
      EXPECT_FLOAT_EQ(state.SavedWave[1], 0.001f) << c.name;
    }
  }
}

TEST(GetWaveform, MissingFileDrawsNothing) {
  ScratchFolder folder;
  TransientState state;
  EXPECT_FALSE(GetWaveform(state));
}

}  // namespace
}  // namespace kestro
