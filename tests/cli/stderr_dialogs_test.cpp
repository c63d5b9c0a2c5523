#include "cli/stderr_dialogs.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestro::cli {
namespace {

TEST(StderrDialogsTest, MessagesArePrefixedLinesAndQuestionsAreAnsweredNo) {
  std::ostringstream err;
  StderrDialogs stderrDialogs(err, false);
  Dialogs& dialogs = stderrDialogs;  // callers hold the interface, with its default arguments
  EXPECT_EQ(dialogs.Message("Gain top has been reset to +40"), MessageAnswer::Ok);
  EXPECT_EQ(dialogs.Message("Overwrite?", MessageButtons::YesNo, MessageIcon::Question, "Save"),
            MessageAnswer::No);
  EXPECT_EQ(err.str(),
            "kestrolab-cli: Gain top has been reset to +40\n"
            "kestrolab-cli: Save: Overwrite? [answered No]\n");
}

TEST(StderrDialogsTest, BeepOnlyWhenAudibleAndFileDialogsAreCancelled) {
  for (const bool audible : {false, true}) {
    std::ostringstream err;
    StderrDialogs dialogs(err, audible);
    dialogs.Beep();
    EXPECT_EQ(err.str(), audible ? "\a" : "");
    EXPECT_EQ(dialogs.OpenFile({"Read KESTRO file", "KESTRO files (*.KST)|*.KST", "", 1, false}) +
                  dialogs.SaveFile({"Save KESTRO file", "KESTRO files (*.KST)|*.KST", "", 1, true}),
              "");
  }
}

}  // namespace
}  // namespace kestro::cli
