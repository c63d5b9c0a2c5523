// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestro::cli {
namespace {

using Args = std::vector<std::string>;

// A value may start with a minus sign; the family is taken in any case.
TEST(CliOptionsTest, ReadsValuesInBothFormsAndFlags) {
  const CliArguments parsed =
      CliOptions().Parse({"design", "--order", "5", "--bandwidth=4.7k", "--stop", "-5",
                          "--response", "--family", "Chebyshev"});
  ASSERT_TRUE(parsed.ok()) << parsed.error;
  Args values{parsed.command};
  for (const char* name : {"order", "bandwidth", "stop", "family"})
    values.push_back(parsed.Value(name).value_or("(none)"));
  EXPECT_EQ(values, (Args{"design", "5", "4.7k", "-5", "chebyshev"}));
  EXPECT_TRUE(parsed.Flag("response"));
  EXPECT_FALSE(parsed.Value("ripple").has_value());
}

// A bad command line names its fault; help is asked for alone or after the command.
TEST(CliOptionsTest, BadCommandLinesNameTheirFaultAndHelpIsRecognised) {
  const std::pair<Args, std::string> cases[] = {
      {{"draw"}, "unknown command 'draw'"},
      {{"design", "--colour", "red"}, "unknown option '--colour' for 'design'"},
      {{"design", "--order"}, "option --order needs a value (N)"},
      {{"design", "--family", "elliptic"},
       "unknown family 'elliptic' (choose one of: butterworth, chebyshev, bessel, manual)"},
      {{"design", "--response=yes"}, "option --response takes no value"},
      {{"design", "5"}, "unexpected argument '5'"},
  };
  for (const auto& [args, error] : cases)
    EXPECT_EQ(CliOptions().Parse(args).error, error);
  for (const Args& args : {Args{"--help"}, Args{"-h"}, Args{"help"}, Args{"design", "--help"}})
    EXPECT_TRUE(CliOptions().Parse(args).helpRequested) << args.back();
}

// The help lists every command and every option the parser accepts.
TEST(CliOptionsTest, HelpListsEveryCommandAndOption) {
  const CliOptions options;
  const std::string help = options.HelpText();
  for (const char* name : {"design", "print"}) {
    ASSERT_NE(options.FindCommand(name), nullptr) << name;
    EXPECT_NE(help.find(std::string("  ") + name), std::string::npos) << name;
    for (const OptionSpec& option : options.FindCommand(name)->options)
      EXPECT_NE(help.find("--" + option.name), std::string::npos) << name << " " << option.name;
  }
}

// Digits after a prefix letter are dropped by the reader; each engineering-number option that
// loses some is named once, in command-line order. Choices, files and counts are not numbers
// read this way.
TEST(CliOptionsTest, NamesDigitsDroppedAfterAPrefix) {
  const struct {
    Args args;
    Args notices;
  } cases[] = {
      {{"design", "--bandwidth", "4k7", "--start=1k5Hz", "--stop", "10k"},
       {"--bandwidth 4k7 reads as 4k: '7' after the prefix letter was ignored",
        "--start 1k5Hz reads as 1k: '5Hz' after the prefix letter was ignored"}},
      {{"design", "--bandwidth", "4.7k", "--order", "5", "--ripple", "500m", "--seed", "1k5"}, {}},
      {{"design", "--intervals", " 1k2 "},
       {"--intervals  1k2  reads as 1k: '2' after the "
        "prefix letter was ignored"}},
      {{"print", "waves", "--transient", "2n2", "--pdf", "4k7.pdf"},
       {"--transient 2n2 reads as 2n: '2' after the prefix letter was ignored"}},
  };
  for (const auto& c : cases) {
    const CliArguments parsed = CliOptions().Parse(c.args);
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    EXPECT_EQ(CliOptions().NumberNotices(parsed), c.notices) << c.args[2];
  }
}

}  // namespace
}  // namespace kestro::cli
