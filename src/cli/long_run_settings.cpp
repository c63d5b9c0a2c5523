#include "cli/long_run_settings.h"

#include <charconv>
#include <sstream>
#include <string>

#include "core/eng_value.h"
#include "core/gain_limits.h"

namespace kestro::cli {
namespace {

constexpr int kMaxPasses = 32767;  // the page's pass counter is a 16-bit count

std::optional<int16_t> ShapeCode(const std::string& name) {
  if (name == "floor")
    return kFloorFromDc;
  if (name == "ceiling")
    return kCeilingUpward;
  if (name == "dc-ceiling")
    return kCeilingFromDc;
  return std::nullopt;
}

// "floor,900,-1": shape, frequency and gain, the numbers read like the entry fields.
std::optional<LimitOption> ParseLimit(const std::string& text) {
  std::istringstream fields(text);
  std::string shape, freq, gain, rest;
  if (!std::getline(fields, shape, ',') || !std::getline(fields, freq, ',') ||
      !std::getline(fields, gain, ',') || std::getline(fields, rest, ','))
    return std::nullopt;
  const auto code = ShapeCode(shape);
  if (!code)
    return std::nullopt;
  LimitOption limit{*code, 0, 0};
  ReadEngValue(freq, limit.freq);
  ReadEngValue(gain, limit.gain);
  if (!(limit.freq > 0))
    return std::nullopt;
  return limit;
}

template <typename Integer>
std::optional<Integer> WholeNumber(const std::string& text, Integer low, Integer high) {
  Integer value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
    return std::nullopt;
  return value;
}

bool ReadLimits(const std::string& text, LongRunSettings& settings, std::ostream& err) {
  std::istringstream items(text);
  for (std::string item; std::getline(items, item, ';');) {
    const auto limit = ParseLimit(item);
    if (!limit) {
      err << "kestrolab-cli: --limit '" << item
          << "' is not SHAPE,FREQ,DB with SHAPE floor, ceiling or dc-ceiling and FREQ above 0\n";
      return false;
    }
    settings.limits.push_back(*limit);
  }
  if (settings.limits.size() > static_cast<std::size_t>(kMaxEnteredLimits)) {
    err << "kestrolab-cli: --limit takes at most " << kMaxEnteredLimits << " limits\n";
    return false;
  }
  return true;
}

}  // namespace

std::vector<OptionSpec> LongRunOptionSpecs() {
  return {
      {"limit",
       "LIMITS",
       "gain limits, separated by ';', each SHAPE,FREQ,DB: floor (gain at least DB from DC up "
       "to FREQ), ceiling (at most DB from FREQ upward) or dc-ceiling (at most DB from DC up to "
       "FREQ), e.g. 'floor,900,-1;ceiling,5k,-40'; added to those of --open",
       {}},
      {"optimize",
       "",
       "fit the capacitors into the gain limits by the random search of the plot page (up to "
       "2000 trials); prints each improvement, the final parts and the limit error",
       {}},
      {"monte-carlo",
       "PERCENT",
       "toleranced analysis with every part spread uniformly by +-PERCENT (1, 2, 5, 10 or 20); "
       "prints the envelope (frequency, gain min and max, delay min and max) and, with gain "
       "limits, the yield",
       {"1", "2", "5", "10", "20"}},
      {"passes", "N", "Monte Carlo passes, 1 to 32767; default 1000", {}},
      {"seed",
       "N",
       "start the random generator at seed N (0 to 4294967295) to repeat a run; without it the "
       "sequence starts as the window's does",
       {}},
  };
}

std::optional<LongRunSettings> ReadLongRunSettings(const CliArguments& args, std::ostream& err) {
  LongRunSettings settings;
  settings.optimize = args.Flag("optimize");
  if (const auto percent = args.Value("monte-carlo"))
    settings.tolerance = 2.0f * static_cast<float>(std::stoi(*percent)) / 100.0f;
  if (const auto text = args.Value("passes")) {
    const auto passes = WholeNumber<int>(*text, 1, kMaxPasses);
    if (!passes) {
      err << "kestrolab-cli: --passes '" << *text << "' is not a whole number from 1 to "
          << kMaxPasses << '\n';
      return std::nullopt;
    }
    settings.passes = *passes;
  }
  if (const auto text = args.Value("seed")) {
    settings.seed = WholeNumber<uint32_t>(*text, 0, UINT32_MAX);
    if (!settings.seed) {
      err << "kestrolab-cli: --seed '" << *text << "' is not a whole number from 0 to 4294967295\n";
      return std::nullopt;
    }
  }
  if (const auto text = args.Value("limit"); text && !ReadLimits(*text, settings, err))
    return std::nullopt;
  return settings;
}

void AddLimitOptions(const LongRunSettings& settings, DesignRecord& record) {
  for (const LimitOption& limit : settings.limits)
    AddGainLimit(record, kGainLimitSet, limit.shape, limit.freq, limit.gain);
  if (!settings.limits.empty())
    record.LimitsOn = 1;
}

}  // namespace kestro::cli
