// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/line_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/scratch_folder.h"

namespace kestro {
namespace {

using namespace test;

TEST(LineReader, SplitsAtEveryKindOfLineEndAndKeepsOtherBytes) {
  const std::string bytes = std::string("a\r\nb\nc\rd\r\r\n\0e\x01\xff", 15) + "\r\nlast";
  LineReader reader(bytes);
  std::vector<std::string> lines;
  for (std::string line; reader.ReadLine(line);)
    lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d", "", std::string("\0e\x01\xff", 4),
                                             "last"}));
  std::string line = "stale";
  EXPECT_FALSE(reader.ReadLine(line));
  EXPECT_EQ(line, "");
}

TEST(LineReader, AHugeLineKeepsItsStartAndTheNextLineFollows) {
  const std::string bytes = std::string(LineReader::kMaxLineLength + 10, 'x') + "\nnext";
  LineReader reader(bytes);
  std::string line;
  ASSERT_TRUE(reader.ReadLine(line));
  EXPECT_EQ(line, std::string(LineReader::kMaxLineLength, 'x'));
  ASSERT_TRUE(reader.ReadLine(line));
  EXPECT_EQ(line, "next");
}

// A file of exactly the bound is read whole, last byte included; one byte more and it is refused
// as damaged rather than cut. A missing name differs from a refused one.
TEST(ReadFileBytes, ReadsUpToTheBoundAndRefusesWhatIsLargerOrNoFile) {
  ScratchFolder folder;
  PutFile("full", std::string(kMaxFileBytes - 1, '\n') + "9");
  PutFile("over", std::string(kMaxFileBytes, '\n') + "9");
  PutFile("empty", "");
  std::filesystem::create_directory("folder");
  ASSERT_EQ(::mkfifo("fifo", 0600), 0);
  const struct {
    const char* name;
    FileBytes result;
    std::size_t size;
  } cases[] = {{"full", FileBytes::Read, kMaxFileBytes},
               {"over", FileBytes::Refused, 0},
               {"empty", FileBytes::Read, 0},
               {"none", FileBytes::Missing, 0},
               {"", FileBytes::Missing, 0},
               {"folder", FileBytes::Refused, 0},
               {"fifo", FileBytes::Refused, 0},
               {"/dev/zero", FileBytes::Refused, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bytes = "stale";
    EXPECT_EQ(WithinSeconds([&] { return ReadFileBytes(c.name, bytes); }), c.result);
    EXPECT_EQ(bytes.size(), c.size);
    if (c.size > 0) {
      EXPECT_EQ(bytes.back(), '9');
    }
  }
}

}  // namespace
}  // namespace kestro
