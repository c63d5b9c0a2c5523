// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/stderr_dialogs.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestro::cli {
namespace {

// Messages are prefixed lines; questions are answered No, file dialogs cancelled, and a beep
// reaches stderr only when audible.
TEST(StderrDialogsTest, MessagesArePrefixedLinesAndQuestionsAreAnsweredNo) {
  for (const bool audible : {false, true}) {
    SCOPED_TRACE(audible ? "audible" : "silent");
    std::ostringstream err;
    StderrDialogs stderrDialogs(err, audible);
    Dialogs& dialogs = stderrDialogs;  // callers hold the interface, with its default arguments
    EXPECT_EQ(dialogs.Message("Gain top has been reset to +40"), MessageAnswer::Ok);
    EXPECT_EQ(dialogs.Message("Overwrite?", MessageButtons::YesNo, MessageIcon::Question, "Save"),
              MessageAnswer::No);
    dialogs.Beep();
    EXPECT_EQ(err.str(), std::string("kestrolab-cli: Gain top has been reset to +40\n"
                                     "kestrolab-cli: Save: Overwrite? [answered No]\n") +
                             (audible ? "\a" : ""));
    EXPECT_EQ(dialogs.OpenFile({"Read KESTRO file", "KESTRO files (*.KST)|*.KST", "", 1, false}) +
                  dialogs.SaveFile({"Save KESTRO file", "KESTRO files (*.KST)|*.KST", "", 1, true}),
              "");
  }
}

}  // namespace
}  // namespace kestro::cli
