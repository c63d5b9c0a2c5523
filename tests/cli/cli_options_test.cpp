#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <sstream>
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
  EXPECT_FALSE(parsed.helpRequested);
}

// A bad command line names its fault; help is asked for alone or after the command.
TEST(CliOptionsTest, BadCommandLinesNameTheirFaultAndHelpIsRecognised) {
  const std::pair<Args, std::string> cases[] = {
      {{}, "no command given"},
      {{"draw"}, "unknown command 'draw'"},
      {{"design", "--colour", "red"}, "unknown option '--colour' for 'design'"},
      {{"design", "--order"}, "option --order needs a value (N)"},
      {{"design", "--family", "elliptic"},
       "unknown family 'elliptic' (choose one of: butterworth, chebyshev, bessel, manual)"},
      {{"design", "--response=yes"}, "option --response takes no value"},
      {{"design", "5"}, "unexpected argument '5'"},
      {{"design", "--"}, "unexpected argument '--'"},
  };
  for (const auto& [args, error] : cases)
    EXPECT_EQ(CliOptions().Parse(args).error, error);
  for (const Args& args : {Args{"--help"}, Args{"-h"}, Args{"help"}, Args{"design", "--help"}})
    EXPECT_TRUE(CliOptions().Parse(args).helpRequested) << args.back();
}

// The text with every run of blanks and line breaks made one blank (the help wraps its lines).
std::string Flowed(const std::string& text) {
  std::istringstream words(text);
  std::string flowed;
  for (std::string word; words >> word;)
    flowed += (flowed.empty() ? "" : " ") + word;
  return flowed;
}

TEST(CliOptionsTest, HelpDocumentsEveryOptionAndTheNumberSyntax) {
  const CliOptions options;
  const std::string help = Flowed(options.HelpText());
  for (const OptionSpec& option : options.FindCommand("design")->options) {
    EXPECT_NE(help.find("--" + option.name), std::string::npos) << option.name;
    EXPECT_NE(help.find(Flowed(option.help)), std::string::npos) << option.name;
  }
  for (const char* piece : {"4k7", "milli", "mega", "12", "Exit codes", "butterworth"}) {
    EXPECT_NE(help.find(piece), std::string::npos) << piece;
  }
}

}  // namespace
}  // namespace kestro::cli
