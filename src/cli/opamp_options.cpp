// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/opamp_options.h"

#include <string>

#include "core/eng_value.h"

namespace kestro::cli {

namespace {

// The option's value, read as an engineering number into target; false when given and not
// above 0.
bool ReadPositive(const CliArguments& args, const char* option, const char* what, float& target,
                  std::ostream& err) {
  const auto text = args.Value(option);
  if (!text)
    return true;
  float value = 0;
  ReadEngValue(*text, value);
  if (!(value > 0)) {
    err << "kestrolab-cli: --" << option << " '" << *text << "' is not " << what << " above 0\n";
    return false;
  }
  target = value;
  return true;
}

}  // namespace

std::vector<OptionSpec> OpampOptionSpecs() {
  return {
      {"gbw",
       "F",
       "analyse every stage with a single-pole op-amp of this gain-bandwidth product in Hz "
       "instead of an ideal follower; the stage lines then show each stage's margin",
       {},
       true},
      {"slew",
       "V/us",
       "the op-amp's slew rate in V/us: prints its full-power bandwidth, with a warning when "
       "that is below the filter's bandwidth",
       {},
       true},
      {"amplitude",
       "V",
       "the output amplitude in V peak the slew rate is checked at; default 1",
       {},
       true},
      {"sensitivity",
       "",
       "also print the part sensitivities: for each part the largest gain change (dB) a +1 % "
       "change of it causes where the gain is above -40 dB, largest first",
       {}},
  };
}

bool ReadOpampOptions(const CliArguments& args, DesignRecord& record, std::ostream& err) {
  float gbw = record.OpampGbw;
  float slew = record.OpampSlewRate;
  float amplitude = record.OpampAmplitude;
  if (!ReadPositive(args, "gbw", "a gain-bandwidth product", gbw, err) ||
      !ReadPositive(args, "slew", "a slew rate", slew, err) ||
      !ReadPositive(args, "amplitude", "an amplitude", amplitude, err))
    return false;
  record.OpampGbw = gbw;
  record.OpampSlewRate = slew;
  record.OpampAmplitude = amplitude;
  if (args.Value("gbw"))
    record.OpampOn = 1;
  return true;
}

}  // namespace kestro::cli
