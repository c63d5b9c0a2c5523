#include "files/file_names.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "files/decimal_text.h"
#include "files/line_reader.h"
#include "files/scratch_folder.h"

namespace kestro {
namespace {

using namespace test;

TEST(SameNameIgnoringCase, ComparesAsciiLettersOnly) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"LastSession.KST", "LASTSESSION.KST", true},
      {"kstdata.db", "KSTdata.DB", true},
      {"KESTRO.TRAN", "KESTRO.TRAN ", false},
      {"a.kst", "b.kst", false},
      {"[", "{", false},  // '[' + 32 is '{', not a letter
      {"", "", true}};
  for (const auto& [a, b, same] : cases)
    EXPECT_EQ(SameNameIgnoringCase(a, b), same) << a;
}

TEST(ResolveFileName, FindsTheCaseVariantInItsFolder) {
  ScratchFolder folder;
  std::filesystem::create_directory("Sub");
  for (const char* name : {"LASTSESSION.KST", "Sub/Design.kst", "both.kst", "BOTH.KST"})
    PutFile(name, name);
  const std::pair<std::string, std::string> cases[] = {
      // asked, resolved
      {"LastSession.KST", "LASTSESSION.KST"},
      {"LASTSESSION.KST", "LASTSESSION.KST"},
      {"Sub/DESIGN.KST", "Sub/Design.kst"},
      {(folder.Path() / "Sub" / "design.KST").string(),
       (folder.Path() / "Sub" / "Design.kst").string()},
      {"both.kst", "both.kst"},  // an exact match wins
      {"Both.Kst", "BOTH.KST"},  // else the first in name order
      {"new.KST", "new.KST"},    // nothing to match: the name as given
      {"nofolder/x.KST", "nofolder/x.KST"},
      {"", ""}};
  for (const auto& [asked, resolved] : cases)
    EXPECT_EQ(ResolveFileName(asked), resolved) << asked;
}

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
  EXPECT_FALSE(reader.Open(".") || reader.Open("missing"));
}

TEST(LeadingDecimal, ReadsTheNumberAtTheStartAndRefusesNumbersBeyondASingle) {
  const std::optional<float> no;
  const std::string tiny = "0." + std::string(46, '0') + "1", huge = "1" + std::string(39, '0');
  const std::pair<std::string, std::optional<float>> cases[] = {{"1000", 1000},
                                                                {"-3", -3},
                                                                {"+2.5", 2.5f},
                                                                {".5", 0.5f},
                                                                {"5.", 5},
                                                                {"1E+11", 1e11f},
                                                                {"-1E+11", -1e11f},
                                                                {"1e3", 1000},
                                                                {"2.2E-09", 2.2e-9f},
                                                                {"12abc", 12},
                                                                {"00012.50", 12.5f},
                                                                {"", 0},
                                                                {"1.5E", 1.5f},
                                                                {"1.5E+", 1.5f},
                                                                {"3,5", 3},
                                                                {"abc", 0},
                                                                {"-", 0},
                                                                {".", 0},
                                                                {"1E-99", 0},
                                                                {"-0.0", 0},
                                                                {"1.2.3", 1.2f},
                                                                {tiny, 0},
                                                                {"1E+39", no},
                                                                {"-4E+38", no},
                                                                {huge, no},
                                                                {"1E+99999999", no},
                                                                {"3.4028234E+38", FLT_MAX}};
  for (const auto& [text, value] : cases)
    EXPECT_EQ(LeadingDecimal(text), value) << text;
}

}  // namespace
}  // namespace kestro
