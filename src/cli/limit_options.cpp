#include "cli/limit_options.h"

#include <algorithm>
#include <cctype>

#include "analysis/limit_error.h"
#include "core/eng_value.h"
#include "core/gain_limits.h"

namespace kestro::cli {
namespace {

// The shape names and codes --limit takes.
int16_t ShapeCode(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (name == "floor" || name == "1")
    return kFloorFromDc;
  if (name == "ceiling-up" || name == "2")
    return kCeilingUpward;
  if (name == "ceiling-dc" || name == "4")
    return kCeilingFromDc;
  return 0;
}

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts(1);
  for (const char c : text) {
    if (c == ',') {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

// One --limit value: SHAPE,FREQ,GAIN. Returns an error text, empty when the limit was read.
std::string ReadLimit(const std::string& text, int16_t& shape, float& freq, float& gain) {
  const std::vector<std::string> parts = Split(text);
  if (parts.size() != 3) {
    return "--limit '" + text +
           "' needs SHAPE,FREQ,GAIN: three fields separated by commas (use '.' as the decimal "
           "point here)";
  }
  shape = ShapeCode(parts[0]);
  if (shape == 0)
    return "--limit '" + text + "': unknown shape '" + parts[0] +
           "' (choose one of: floor, ceiling-up, ceiling-dc, or 1, 2, 4)";
  ReadEngValue(parts[1], freq);
  ReadEngValue(parts[2], gain);
  if (!(freq > 0))
    return "--limit '" + text + "': the frequency must be above 0 Hz";
  return {};
}

}  // namespace

std::vector<OptionSpec> LimitOptionSpecs() {
  return {
      {"limit",
       "SHAPE,FREQ,GAIN",
       "add a gain limit as a click at FREQ Hz and GAIN dB on the plot would: floor (1, the "
       "gain must be at least GAIN from DC to FREQ), ceiling-up (2, at most GAIN from FREQ "
       "upward) or ceiling-dc (4, at most GAIN from DC to FREQ); may be given up to 9 times",
       {}},
      {"erase-limits", "", "erase the limits (of the --open file) before any --limit", {}},
  };
}

bool ApplyLimitOptions(const CliArguments& args, DesignRecord& record, Dialogs& dialogs,
                       std::string& error) {
  if (args.Flag("erase-limits"))
    EraseAllLimits(record);
  for (const std::string& text : args.AllValues("limit")) {
    int16_t shape = 0;
    float freq = 0, gain = 0;
    error = ReadLimit(text, shape, freq, gain);
    if (!error.empty())
      return false;
    record.LimitsOn = 1;
    if (!AddGainLimit(record, kGainLimitSet, shape, freq, gain)) {
      dialogs.Message("A limit set holds at most 9 limits; --limit " + text + " was not added.");
    }
  }
  return true;
}

void WriteLimitReport(const DesignRecord& record, std::ostream& out) {
  const int count = LimitCount(record, kGainLimitSet);
  if (count == 0)
    return;
  out << "Limits:\n";
  for (int j = 1; j <= count; ++j) {
    if (LimitIsListed(record, j))
      out << LimitListRow(record, j) << '\n';
  }
  out << "LimitError: " << PlainNumber(ComputeLimitError(record)) << '\n';
}

}  // namespace kestro::cli
