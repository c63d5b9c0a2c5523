#include "files/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/scratch_folder.h"

namespace kestro {
namespace {

using namespace test;

TEST(LineReader, SplitsAtEveryKindOfLineEndAndKeepsOtherBytes) {
  ScratchFolder folder;
  PutFile("lines", std::string("a\r\nb\nc\rd\r\r\n\0e\x01\xff", 15) + "\r\nlast");
  LineReader reader;
  ASSERT_TRUE(reader.Open("lines"));
  std::vector<std::string> lines;
  for (std::string line; reader.ReadLine(line);)
    lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d", "", std::string("\0e\x01\xff", 4),
                                             "last"}));
  EXPECT_FALSE(reader.Failed());
}

// Reading stops, as a failure, after kMaxFileBytes even when the file goes on.
TEST(LineReader, ReadsNoMoreThanItsBound) {
  ScratchFolder folder;
  PutFile("big", std::string(LineReader::kMaxFileBytes, '\n') + "beyond\n");
  LineReader reader;
  ASSERT_TRUE(reader.Open("big"));
  long lines = 0;
  for (std::string line; reader.ReadLine(line);)
    lines += line.empty() ? 1 : 1000000000;
  EXPECT_EQ(lines, LineReader::kMaxFileBytes);
  EXPECT_TRUE(reader.Failed());
}

}  // namespace
}  // namespace kestro
