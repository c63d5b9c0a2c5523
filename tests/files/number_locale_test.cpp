// SPDX-License-Identifier: GPL-3.0-or-later
// kestrolab-cli run as a user in a decimal-comma locale: its standard output and every file it
// writes are byte for byte those of the C locale, with "." in every number.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "files/scratch_folder.h"

namespace kestro {
namespace {

using test::FileText;

const char* const kFiles[] = {"filter.KST", "easy.DAT",    "sci.DAT",     "filter.ASC",
                              "KSTdata.DB", "KSTdata.PHS", "KSTdata.DEL", "KESTRO.TRAN"};

// Standard output, then the files, each after a line with its name. The session file's first
// line holds the time of writing and is left out. Then the session file is read back by a second
// run in the same locale, and its output follows.
std::string RunIn(const std::string& locale) {
  const std::string env = "env LC_ALL=" + locale + " LANG=" + locale + " " KESTROLAB_CLI " ";
  const std::string write =
      "design --family chebyshev --ripple 0,5 --order 5 --bandwidth 1.5k --intervals 20 "
      "--response --save filter.KST --tabulate-easy easy.DAT --tabulate-sci sci.DAT "
      "--spice filter.ASC --save-plot --transient 1k";
  EXPECT_EQ(std::system((env + write + " >stdout.txt 2>&1").c_str()), 0) << FileText("stdout.txt");
  std::string all = FileText("stdout.txt");
  for (const char* name : kFiles) {
    std::string text = FileText(name);
    if (std::string(name).ends_with(".KST"))
      text.erase(0, text.find('\n'));
    all += std::string("== ") + name + "\n" + text;
  }
  const std::string read = "design --open filter.KST --family manual --response";
  EXPECT_EQ(std::system((env + read + " >stdout.txt 2>&1").c_str()), 0) << FileText("stdout.txt");
  return all + "== read back\n" + FileText("stdout.txt");
}

TEST(NumberLocale, OutputAndFilesInADecimalCommaLocaleAreThoseOfC) {
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
    GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/ensure-packages.sh makes it)";
  std::setlocale(LC_NUMERIC, "C");
  test::ScratchFolder folder;
  const std::string c = RunIn("C");
  const std::string german = RunIn("de_DE.UTF-8");
  EXPECT_EQ(german, c);
  EXPECT_FALSE(std::regex_search(german, std::regex("[0-9],[0-9][0-9]"))) << german;
  for (const char* seen : {"Stage 2:", "\n1.5849K ", "SYMATTR Value", "WavePeak: "})
    EXPECT_NE(german.find(seen), std::string::npos) << seen << "\n" << german;
}

}  // namespace
}  // namespace kestro
