// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/staged_write_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/plot_overlay.h"
#include "files/scratch_folder.h"
#include "files/text_file.h"

namespace kestro {
namespace {

using namespace test;
using Lines = std::vector<std::string>;

// Nothing is visible before the commit, not even what a nested set (the overlay files) commits;
// a set dropped after a failure leaves every old file and no temporary file.
TEST(StagedWriteSet, FilesAppearTogetherOnlyAtTheCommit) {
  ScratchFolder folder;
  PutFile("a.KST", "old a");
  StagedWriteSet set;
  ASSERT_TRUE(set.Capture([] {
    DesignRecord record{};
    record.Nints = 10;
    return ReplaceFileText("a.KST", "new a") && ReplaceFileText("b.DAT", "new b") &&
           SavePlot(record) == std::nullopt;
  }));
  EXPECT_EQ(folder.Entries(), Lines{"a.KST"});
  EXPECT_EQ(FileText("a.KST"), "old a");
  ASSERT_TRUE(set.Commit());
  EXPECT_EQ(folder.Entries(),
            (Lines{"KSTdata.DB", "KSTdata.DEL", "KSTdata.PHS", "a.KST", "b.DAT"}));
  EXPECT_EQ((Lines{FileText("a.KST"), FileText("b.DAT")}), (Lines{"new a", "new b"}));
  {
    StagedWriteSet failed;
    EXPECT_FALSE(failed.Capture([] {
      return ReplaceFileText("a.KST", "lost") && ReplaceFileText("c.DAT", "lost") &&
             ReplaceFileText("no/folder/d.DAT", "lost");
    }));
  }
  EXPECT_EQ(folder.Entries(),
            (Lines{"KSTdata.DB", "KSTdata.DEL", "KSTdata.PHS", "a.KST", "b.DAT"}));
  EXPECT_EQ(FileText("a.KST"), "new a");
}

}  // namespace
}  // namespace kestro
