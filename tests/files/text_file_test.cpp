#include "files/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/scratch_folder.h"

namespace kestro {
namespace {

using namespace test;
namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

mode_t ModeOf(const char* path) {
  struct stat info {};
  ::stat(path, &info);
  return info.st_mode & 07777;
}

// The call's answer from a child process that runs as the unprivileged user nobody when the tests
// run as root (who may create files in any folder); false when it fails or hangs for 5 seconds.
bool InUnprivilegedChild(bool (*call)()) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::alarm(5);  // a hung write ends the child with SIGALRM
    if (::geteuid() == 0 && ::setuid(65534) != 0)
      ::_exit(2);
    ::_exit(call() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(ReplaceFileText, FollowsLinksAndKeepsPermissionBits) {
  ScratchFolder folder;
  PutFile("real.KST", "old");
  ::chmod("real.KST", 0640);
  fs::create_symlink("real.KST", "link.KST");
  fs::create_symlink("made.KST", "dangling.KST");
  ASSERT_TRUE(ReplaceFileText("link.KST", "new"));
  ASSERT_TRUE(ReplaceFileText("dangling.KST", "made"));
  EXPECT_TRUE(fs::is_symlink("link.KST") && fs::is_symlink("dangling.KST"));
  EXPECT_EQ((Lines{FileText("real.KST"), FileText("made.KST")}), (Lines{"new", "made"}));
  EXPECT_EQ(ModeOf("real.KST"), 0640u);
  EXPECT_EQ(folder.Entries(), (Lines{"dangling.KST", "link.KST", "made.KST", "real.KST"}));
}

// Every name the file system accepts, up to its 255 bytes, can be written.
TEST(ReplaceFileText, WritesTheLongestNames) {
  ScratchFolder folder;
  const std::string name(255, 'n');
  PutFile(name, "old");
  EXPECT_TRUE(ReplaceFileText(name, "new"));
  EXPECT_EQ(folder.Entries(), Lines{name});
  EXPECT_EQ(FileText(name), "new");
}

// A folder that forbids new files: a writable target is rewritten in place, a read-only one is
// refused and kept.
TEST(ReplaceFileText, RewritesInPlaceWhereTheFolderForbidsNewFiles) {
  ScratchFolder folder;
  PutFile("open.KST", "old text, longer than the new");
  PutFile("shut.KST", "kept");
  ::chmod("open.KST", 0666);
  ::chmod("shut.KST", 0444);
  ::chmod(".", 0555);
  EXPECT_TRUE(InUnprivilegedChild([] { return ReplaceFileText("open.KST", "new"); }));
  EXPECT_FALSE(InUnprivilegedChild([] { return ReplaceFileText("shut.KST", "new"); }));
  EXPECT_FALSE(InUnprivilegedChild([] { return ReplaceFileText("added.KST", "new"); }));
  ::chmod(".", 0700);
  EXPECT_EQ((Lines{FileText("open.KST"), FileText("shut.KST")}), (Lines{"new", "kept"}));
  EXPECT_EQ(ModeOf("open.KST"), 0666u);
  EXPECT_EQ(folder.Entries(), (Lines{"open.KST", "shut.KST"}));
}

}  // namespace
}  // namespace kestro
