#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kestro::cli {
namespace {

using Args = std::vector<std::string>;

TEST(CliOptionsTest, ReadsValuesInBothFormsAndFlags) {
  const CliOptions options;
  const CliArguments parsed = options.Parse({"design", "--order", "5", "--bandwidth=4.7k", "--stop",
                                             "-5", "--response", "--family", "Chebyshev"});
  ASSERT_TRUE(parsed.ok()) << parsed.error;
  EXPECT_EQ(parsed.command, "design");
  EXPECT_EQ(parsed.Value("order"), "5");
  EXPECT_EQ(parsed.Value("bandwidth"), "4.7k");
  EXPECT_EQ(parsed.Value("stop"), "-5");  // a value may start with a minus sign
  EXPECT_EQ(parsed.Value("family"), "chebyshev");
  EXPECT_TRUE(parsed.Flag("response"));
  EXPECT_FALSE(parsed.Value("ripple").has_value());
  EXPECT_FALSE(parsed.helpRequested);
}

TEST(CliOptionsTest, BadCommandLinesNameTheirFault) {
  struct Case {
    Args args;
    std::string error;
  };
  const Case cases[] = {
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
  const CliOptions options;
  for (const Case& c : cases) {
    const CliArguments parsed = options.Parse(c.args);
    EXPECT_EQ(parsed.error, c.error) << "first argument " << (c.args.empty() ? "" : c.args[0]);
  }
}

TEST(CliOptionsTest, HelpIsRecognisedAloneOrAfterTheCommand) {
  const CliOptions options;
  for (const Args& args : {Args{"--help"}, Args{"-h"}, Args{"help"}, Args{"design", "--help"}}) {
    const CliArguments parsed = options.Parse(args);
    EXPECT_TRUE(parsed.ok());
    EXPECT_TRUE(parsed.helpRequested) << args.back();
  }
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
