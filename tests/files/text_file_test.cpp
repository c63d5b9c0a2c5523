// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/text_file.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
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

// A target that is no regular file is refused at once: a FIFO would block, a device would swallow
// the bytes and report success.
TEST(ReplaceFileText, RefusesFoldersFifosAndDevicesAtOnce) {
  ScratchFolder folder;
  ASSERT_EQ(::mkfifo("pipe.pdf", 0644), 0);
  fs::create_directory("folder.pdf");
  for (const char* target : {"pipe.pdf", "folder.pdf", "/dev/full", "/dev/null"}) {
    SCOPED_TRACE(target);
    EXPECT_FALSE(WithinSeconds([target] { return ReplaceFileText(target, "bytes"); }));
  }
  EXPECT_EQ(folder.Entries(), (Lines{"folder.pdf", "pipe.pdf"}));
}

struct stat StatusOf(const char* path) {
  struct stat info {};
  ::stat(path, &info);
  return info;
}

// A second hard link is kept (the file is rewritten in place, shorter and longer), and so are
// the owner and group of a file that the writing process does not own.
TEST(ReplaceFileText, KeepsHardLinksOwnerAndGroup) {
  ScratchFolder folder;
  PutFile("design.KST", "old text");
  fs::create_hard_link("design.KST", "copy.KST");
  for (const std::string& text :
       Lines{"new", std::string(100000, 'x'), std::string("\0binary\r\n", 10)}) {
    ASSERT_TRUE(ReplaceFileText("design.KST", text));
    EXPECT_EQ(FileText("copy.KST"), text);
    EXPECT_EQ(StatusOf("design.KST").st_nlink, 2u);
  }
  EXPECT_EQ(folder.Entries(), (Lines{"copy.KST", "design.KST"}));
  if (::geteuid() != 0)
    GTEST_SKIP() << "keeping another user's ownership needs root";
  PutFile("theirs.KST", "old");
  ASSERT_EQ(::chown("theirs.KST", 65534, 65534), 0);
  ASSERT_TRUE(ReplaceFileText("theirs.KST", "new"));
  const struct stat info = StatusOf("theirs.KST");
  EXPECT_EQ(
      (Lines{std::to_string(info.st_uid), std::to_string(info.st_gid), FileText("theirs.KST")}),
      (Lines{"65534", "65534", "new"}));
}

// A child that rewrites a 16 MiB file again and again is killed at random moments: the file is
// always one whole version, and no temporary file is left behind.
TEST(ReplaceFileText, AKilledWriteLeavesTheOldFileWholeAndNoTemporaryFile) {
  ScratchFolder folder;
  constexpr std::size_t kSize = std::size_t{16} << 20;
  PutFile("big.DAT", std::string(kSize, 'a'));
  ::alarm(120);  // a hang ends the test program instead of stalling the run
  for (int round = 0; round < 12; ++round) {
    const pid_t child = ::fork();
    if (child == 0) {
      for (char fill = 'b';; fill = fill == 'z' ? 'b' : static_cast<char>(fill + 1))
        ReplaceFileText("big.DAT", std::string(kSize, fill));
    }
    ::usleep(static_cast<useconds_t>(20000 + 37000 * round % 150000));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const std::string text = FileText("big.DAT");
    ASSERT_EQ(text.size(), kSize) << "round " << round;
    EXPECT_EQ(text.find_first_not_of(text[0]), std::string::npos) << "round " << round;
    // A kill between naming the finished file and renaming it leaves at most that one name,
    // which the next write removes.
    const Lines entries = folder.Entries();
    EXPECT_LE(entries.size(), 2u) << "round " << round;
    EXPECT_EQ(entries.back(), "big.DAT") << "round " << round;
  }
  ::alarm(0);
  EXPECT_TRUE(ReplaceFileText("big.DAT", "done"));
  EXPECT_EQ(folder.Entries(), Lines{"big.DAT"});
}

// A small file system of its own (tmpfs) that fills up; skipped where the test may not mount.
class FullDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", folder_.Path().c_str(), "tmpfs", 0, "size=256k") != 0)
      GTEST_SKIP() << "cannot mount a small tmpfs here (needs root): errno " << errno;
    mounted_ = true;
    fs::current_path(folder_.Path());  // into the new file system
    ::alarm(60);                       // a hang ends the test program instead of stalling the run
  }
  void TearDown() override {
    ::alarm(0);
    if (mounted_)
      ::umount2(folder_.Path().c_str(), MNT_DETACH);
  }
  ScratchFolder folder_;
  bool mounted_ = false;
};

// A full disk fails with its reason, for a new file, a replaced one and one rewritten in place;
// every old file stays whole and nothing is left behind.
TEST_F(FullDisk, FailsAndKeepsEveryOldFile) {
  const std::string big(512 * 1024, 'n');
  PutFile("old.pdf", "old");
  PutFile("linked.KST", "linked");
  fs::create_hard_link("linked.KST", "other.KST");
  for (const char* target : {"new.pdf", "old.pdf", "linked.KST"}) {
    SCOPED_TRACE(target);
    errno = 0;
    EXPECT_FALSE(ReplaceFileText(target, big));
    EXPECT_EQ(errno, ENOSPC);
  }
  const auto start = [](const char* name) { return FileText(name).substr(0, 10); };
  EXPECT_EQ((Lines{start("old.pdf"), start("linked.KST"), start("other.KST")}),
            (Lines{"old", "linked", "linked"}));
  EXPECT_EQ(folder_.Entries(), (Lines{"linked.KST", "old.pdf", "other.KST"}));
  EXPECT_TRUE(ReplaceFileText("old.pdf", "fits"));
  EXPECT_EQ(FileText("old.pdf"), "fits");
}

}  // namespace
}  // namespace kestro
