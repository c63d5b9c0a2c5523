#include "files/file_names.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/line_reader.h"
#include "files/scratch_folder.h"

namespace kestro {
namespace {

using namespace test;

TEST(SameNameIgnoringCase, ComparesAsciiLettersOnly) {
  const struct {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {{"LastSession.KST", "LASTSESSION.KST", true},
               {"kstdata.db", "KSTdata.DB", true},
               {"KESTRO.TRAN", "KESTRO.TRAN ", false},
               {"a.kst", "b.kst", false},
               {"[", "{", false},  // '[' + 32 is '{', not a letter
               {"", "", true}};
  for (const auto& c : cases)
    EXPECT_EQ(SameNameIgnoringCase(c.a, c.b), c.same) << c.a;
}

TEST(ResolveFileName, FindsTheCaseVariantInItsFolder) {
  ScratchFolder folder;
  std::filesystem::create_directory("Sub");
  PutFile("LASTSESSION.KST", "x");
  PutFile("Sub/Design.kst", "y");
  PutFile("both.kst", "lower");
  PutFile("BOTH.KST", "upper");
  const std::string absolute = (folder.Path() / "sub").string();
  const struct {
    std::string asked;
    std::string resolved;
  } cases[] = {{"LastSession.KST", "LASTSESSION.KST"},
               {"LASTSESSION.KST", "LASTSESSION.KST"},
               {"Sub/DESIGN.KST", "Sub/Design.kst"},
               {(folder.Path() / "Sub" / "design.KST").string(),
                (folder.Path() / "Sub" / "Design.kst").string()},
               {"both.kst", "both.kst"},  // an exact match wins
               {"Both.Kst", "BOTH.KST"},  // else the first in name order
               {"new.KST", "new.KST"},    // nothing to match: the name as given
               {"nofolder/x.KST", "nofolder/x.KST"},
               {"", ""}};
  for (const auto& c : cases)
    EXPECT_EQ(ResolveFileName(c.asked), c.resolved) << c.asked;
}

TEST(LineReader, SplitsAtEveryKindOfLineEndAndKeepsOtherBytes) {
  ScratchFolder folder;
  PutFile("lines", std::string("a\r\nb\nc\rd\r\r\n\0e\x01\xff", 15) + "\r\nlast");
  LineReader reader;
  ASSERT_TRUE(reader.Open("lines"));
  std::vector<std::string> lines;
  std::string line;
  while (reader.ReadLine(line))
    lines.push_back(line);
  const std::vector<std::string> expected{"a",   "b", "c", "d", "", std::string("\0e\x01\xff", 4),
                                          "last"};
  EXPECT_EQ(lines, expected);
  EXPECT_FALSE(reader.Failed());
  EXPECT_FALSE(reader.Open(".") || reader.Open("missing"));
}

}  // namespace
}  // namespace kestro
