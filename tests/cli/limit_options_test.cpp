#include "cli/limit_options.h"

#include <gtest/gtest.h>

#include <sstream>

#include "analysis/limit_error.h"
#include "cli/cli_app.h"
#include "cli/exit_codes.h"
#include "cli/stderr_dialogs.h"
#include "core/eng_value.h"
#include "core/gain_limits.h"
#include "files/scratch_folder.h"
#include "files/session_file.h"
#include "plotpage/edit_limits_page.h"
#include "plotpage/plot_test_context.h"

namespace kestro::cli {
namespace {

using Strings = std::vector<std::string>;

struct CliRun {
  int code = -1;
  Strings lines;
  std::string err;
};

CliRun Design(Strings options) {
  options.insert(options.begin(), "design");
  std::ostringstream out, err;
  StderrDialogs dialogs(err, false);
  CliRun run;
  run.code = RunCommandLine(options, out, err, dialogs);
  run.err = err.str();
  std::istringstream stream(out.str());
  for (std::string line; std::getline(stream, line);)
    run.lines.push_back(line);
  return run;
}

// The lines after "Limits:" up to "LimitError: ", and the error's text.
std::pair<Strings, std::string> LimitReport(const CliRun& run) {
  const auto start = std::find(run.lines.begin(), run.lines.end(), "Limits:");
  if (start == run.lines.end())
    return {};
  const auto end = std::find_if(start, run.lines.end(),
                                [](const std::string& l) { return l.starts_with("LimitError: "); });
  return {Strings(start + 1, end), end == run.lines.end() ? "" : end->substr(12)};
}

// Second-order Butterworth at 1 kHz analysed over 1..10 kHz in 10 intervals: the points
// 1000 * 10^(i/10) Hz, i = 0..9, lie below 9 kHz with gains -10 log10(1 + (f / 1 kHz)^4) dB from
// -3.01 to -36.0; a ceiling at -50 dB from DC is exceeded by 314.45 dB in all.
TEST(LimitOptions, ReportListsTheRowsAndTheLimitError) {
  const CliRun run =
      Design({"--order", "2", "--bandwidth", "1k", "--start", "1k", "--stop", "10k", "--intervals",
              "10", "--limit", "ceiling-dc,9k,-50", "--limit", "1,2k,-60"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  const auto [rows, error] = LimitReport(run);
  DesignRecord expected;
  AddGainLimit(expected, 1, kCeilingFromDc, 9000, -50);
  AddGainLimit(expected, 1, kFloorFromDc, 2000, -60);
  EXPECT_EQ(rows, (Strings{LimitListRow(expected, 1), LimitListRow(expected, 2)}));
  float value = 0;
  ReadEngValue(error, value);
  EXPECT_NEAR(value, 314.45, 0.05);
  EXPECT_EQ(LimitReport(Design({"--order", "2"})).first, Strings{}) << "no limits, no section";
}

TEST(LimitOptions, MalformedLimitsAreUsageErrors) {
  for (const char* limit : {"wall,1k,-3", "floor,1,5k,-3", "floor,1k", "ceiling-up,0,-3"}) {
    const CliRun run = Design({"--limit", limit});
    EXPECT_EQ(run.code, kExitUsage) << limit;
    EXPECT_NE(run.err.find(limit), std::string::npos) << run.err;
  }
}

// The tenth limit is refused with a message and the run goes on; --erase-limits empties the set
// read from a session before the --limit options add theirs.
TEST(LimitOptions, NineAtMostAndEraseFirst) {
  test::ScratchFolder folder;
  Strings options{"--save", "nine.KST"};
  for (int n = 1; n <= 10; ++n) {
    options.push_back("--limit");
    options.push_back("ceiling-up," + std::to_string(n) + "k,-40");
  }
  const CliRun run = Design(options);
  EXPECT_EQ(run.code, kExitOk);
  EXPECT_EQ(LimitReport(run).first.size(), 9u);
  EXPECT_NE(run.err.find("at most 9 limits; --limit ceiling-up,10k,-40 was not added"),
            std::string::npos);
  const CliRun erased =
      Design({"--open", "nine.KST", "--erase-limits", "--limit", "CEILING-DC,500,3"});
  EXPECT_EQ(LimitReport(erased).first,
            Strings{"   Gain   Shape: 4     DC up to       500Hz         minimum: 100      "
                    "maximum: 3  "});
}

// Limits saved by the command line show in the window's edit list as the command line listed
// them; limits entered with the mouse read back through --open with the same LimitError.
TEST(LimitOptions, SessionsCarryLimitsBetweenTheWindowAndTheCommandLine) {
  test::ScratchFolder folder;
  const CliRun saved =
      Design({"--limit", "floor,800,-1", "--limit", "ceiling-up,5k,-30", "--save", "cli.KST"});
  test::PlotTestContext window;
  window.record.SetOpeningDefaults();
  ASSERT_TRUE(ReadSessionFile(window.record, "cli.KST", window.dialogs));
  EditLimitsPage edit(window.context);
  EXPECT_EQ(edit["lstSelect"].rows, LimitReport(saved).first);

  test::PlotPageFixture f(5);
  for (const auto& [shape, x, y] :
       {std::tuple{"cmdLimit1", 5500.0f, 1300.0f}, std::tuple{"cmdLimit2", 8000.0f, 5000.0f}}) {
    f.Click(shape);
    f.page->OnMouseDown(1, x, y);
    f.page->OnMouseUp(1, x, y);
  }
  ASSERT_EQ(f.record.NrLimits[1], 2);
  const float drawnError = ComputeLimitError(f.record);
  EXPECT_GT(drawnError, 1.0f);
  ASSERT_TRUE(WriteSessionFile(f.record, "window.KST", f.dialogs));
  EXPECT_EQ(LimitReport(Design({"--open", "window.KST"})).second, PlainNumber(drawnError));
}

}  // namespace
}  // namespace kestro::cli
