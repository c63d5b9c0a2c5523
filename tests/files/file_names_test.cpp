// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_names.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/scratch_folder.h"

namespace kestro {
namespace {

using namespace test;

TEST(ResolveFileName, FindsTheCaseVariantInItsFolder) {
  ScratchFolder folder;
  std::filesystem::create_directory("Sub");
  for (const char* name : {"LASTSESSION.KST", "Sub/Design.kst", "both.kst", "BOTH.KST", "[.kst"})
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
      {"{.KST", "{.KST"},        // only letters differ by case: '[' + 32 is '{'
      {"LASTSESSION.KST ", "LASTSESSION.KST "},
      {"nofolder/x.KST", "nofolder/x.KST"},
      {"", ""}};
  for (const auto& [asked, resolved] : cases)
    EXPECT_EQ(ResolveFileName(asked), resolved) << asked;
}

}  // namespace
}  // namespace kestro
