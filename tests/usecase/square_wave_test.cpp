// SPDX-License-Identifier: GPL-3.0-or-later
#include "usecase/square_wave.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scripted_dialogs.h"

namespace kestro {
namespace {

using Strings = std::vector<std::string>;

// The entry text as the transient page and the command line read it: 0.01 Hz and below (and a
// text without a number) become 1 Hz with the one message; anything above is kept as read.
TEST(SquareWave, AHundredthHertzOrLessIsResetToOneHertzWithTheMessage) {
  const struct {
    const char* text;
    float freq;
    bool reset;
  } cases[] = {{"300", 300, false}, {"2k", 2000, false}, {"0.011", 0.011f, false},
               {"0.01", 1, true},   {"9m", 1, true},     {"0", 1, true},
               {"-5", 1, true},     {"abc", 1, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    test::ScriptedDialogs dialogs;
    EXPECT_FLOAT_EQ(SquareWave::Read(c.text, dialogs), c.freq);
    EXPECT_EQ(dialogs.Texts(), c.reset ? Strings{"Squarewave has been reset to 1 Hz"} : Strings{});
  }
}

}  // namespace
}  // namespace kestro
