// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/limit_options.h"

#include <algorithm>
#include <cctype>

#include "analysis/analysis_point.h"
#include "analysis/limit_error.h"
#include "core/eng_reader.h"
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
std::string ReadLimit(LimitOption& limit) {
  const std::string& text = limit.text;
  const std::vector<std::string> parts = Split(text);
  if (parts.size() != 3) {
    return "--limit '" + text +
           "' needs SHAPE,FREQ,GAIN: three fields separated by commas (use '.' as the decimal "
           "point here)";
  }
  limit.shape = ShapeCode(parts[0]);
  if (limit.shape == 0)
    return "--limit '" + text + "': unknown shape '" + parts[0] +
           "' (choose one of: floor, ceiling-up, ceiling-dc, or 1, 2, 4)";
  ReadEngValue(parts[1], limit.freq);
  ReadEngValue(parts[2], limit.gain);
  if (!(limit.freq > 0))
    return "--limit '" + text + "': the frequency must be above 0 Hz";
  return {};
}

void NameDroppedDigits(const LimitOption& limit, Dialogs& dialogs) {
  const std::vector<std::string> parts = Split(limit.text);
  const char* const names[] = {"FREQ", "GAIN"};
  for (std::size_t k = 0; k < 2; ++k) {
    const std::string notice =
        PrefixNotice("--limit " + limit.text + ": " + names[k], parts[k + 1]);
    if (!notice.empty())
      dialogs.Message(notice);
  }
}

// The analysis frequency the limit's FREQ picks; a FREQ beyond the sweep is said to move.
float PickedFrequency(const LimitOption& limit, const DesignRecord& record, Dialogs& dialogs) {
  const float picked = AnalysisFrequencyNear(record, limit.freq);
  if (limit.freq < record.Fstart || limit.freq > record.Fstop) {
    dialogs.Message("--limit " + limit.text + ": " + PlainNumber(limit.freq) +
                    " Hz lies beyond the analysed sweep; the limit is placed at " +
                    PlainNumber(picked) + " Hz.");
  }
  return picked;
}

}  // namespace

std::vector<OptionSpec> LimitOptionSpecs() {
  return {
      {"limit",
       "SHAPE,FREQ,GAIN",
       "add a gain limit as a click at FREQ Hz and GAIN dB on the plot would, at the analysis "
       "frequency nearest FREQ: floor (1, the gain must be at least GAIN from DC to FREQ), "
       "ceiling-up (2, at most GAIN from FREQ upward) or ceiling-dc (4, at most GAIN from DC "
       "to FREQ); may be given up to 9 times",
       {}},
      {"erase-limits", "", "erase the limits (of the --open file) before any --limit", {}},
  };
}

std::optional<std::vector<LimitOption>> ReadLimitOptions(const CliArguments& args, Dialogs& dialogs,
                                                         std::string& error) {
  std::vector<LimitOption> limits;
  for (const std::string& text : args.AllValues("limit")) {
    LimitOption& limit = limits.emplace_back(LimitOption{text});
    error = ReadLimit(limit);
    if (!error.empty())
      return std::nullopt;
    NameDroppedDigits(limit, dialogs);
  }
  return limits;
}

void ApplyLimitOptions(const CliArguments& args, const std::vector<LimitOption>& limits,
                       DesignRecord& record, Dialogs& dialogs) {
  if (args.Flag("erase-limits"))
    EraseAllLimits(record);
  for (const LimitOption& limit : limits) {
    record.LimitsOn = 1;
    const float freq = PickedFrequency(limit, record, dialogs);
    if (!AddGainLimit(record, kGainLimitSet, limit.shape, freq, limit.gain)) {
      dialogs.Message("A limit set holds at most 9 limits; --limit " + limit.text +
                      " was not added.");
    }
  }
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
