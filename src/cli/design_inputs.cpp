#include "cli/design_inputs.h"

#include "core/eng_value.h"

namespace kestro::cli {

namespace {

constexpr float kMaxFrequency = 1e7f;
constexpr int16_t kMaxOrder = 11;
constexpr int16_t kMaxBesselOrder = 10;
constexpr float kMinRipple = 0.001f;
constexpr float kMaxRipple = 20.0f;
constexpr float kMinStart = 0.1f;
constexpr int16_t kMinIntervals = 10;
constexpr float kMaxGainTop = 40.0f;
constexpr float kMinGainTop = 0.0f;
constexpr float kMaxGainBottom = -1.0f;
constexpr float kMinGainBottom = -100.0f;

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos)
    return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void Tell(Dialogs& dialogs, const std::string& text) {
  dialogs.Message(text);
}

// Steps 1-3: bandwidth, order, family.
void ApplyDesignParameters(DesignInputs& inputs, DesignRecord& record, Dialogs& dialogs) {
  ReadEngValue(inputs.width, record.Bandwidth);
  if (record.Bandwidth > kMaxFrequency) {
    record.Bandwidth = kMaxFrequency;
    inputs.width = "10M";
    Tell(dialogs, "The filter bandwidth has been reset downward to 10 MHz");
  }
  record.Order = inputs.order;
  if (record.Order > kMaxOrder) {
    record.Order = kMaxOrder;
    Tell(dialogs, "The order has been reset downward to 11");
  }
  if (inputs.family >= kButterworth && inputs.family <= kManual)
    record.Family = inputs.family;
}

// Steps 4-5: the Chebyshev ripple and the Bessel order limit.
void ApplyFamilyLimits(DesignInputs& inputs, DesignRecord& record, Dialogs& dialogs) {
  ReadEngValue(inputs.apass, record.Apass);
  if (record.Family != kChebyshev) {
    record.Apass = 0.0f;
  } else if (record.Apass < kMinRipple) {
    record.Apass = kMinRipple;
    inputs.apass = ".001";
    Tell(dialogs, "The Chebyshev family passband ripple value has been reset upward to .001 dB");
  } else if (record.Apass > kMaxRipple) {
    record.Apass = kMaxRipple;
    inputs.apass = "20";
    Tell(dialogs, "The Chebyshev family passband ripple value has been reset downward to 20 dB");
  }
  if (record.Family == kBessel && record.Order > kMaxBesselOrder) {
    Tell(dialogs, "Bessel family; order reset to 10");
    record.Order = kMaxBesselOrder;
  }
}

// Steps 6-8: the analysis band. False when the stop is not above the start.
bool ApplySweep(DesignInputs& inputs, DesignRecord& record, Dialogs& dialogs) {
  ReadEngValue(inputs.start, record.Fstart);
  if (record.Fstart < kMinStart) {
    record.Fstart = kMinStart;
    Tell(dialogs, "Analysis starting frequency has been set to .1");
  }
  ReadEngValue(inputs.stop, record.Fstop);
  if (!(record.Fstop > record.Fstart)) {
    Tell(dialogs,
         "Please enter an analysis stopping frequency\ngreater than the starting frequency");
    return false;
  }
  if (record.Fstop > kMaxFrequency) {
    record.Fstop = kMaxFrequency;
    inputs.stop = "10M";
    Tell(dialogs, "The analysis stopping frequency has been reset downward to 10 MHz");
  }
  return true;
}

// Steps 9-12: intervals and the graph axes.
void ApplyGraph(const DesignInputs& inputs, DesignRecord& record, Dialogs& dialogs) {
  ReadEngValue(inputs.intervals, record.Nints);
  if (record.Nints < kMinIntervals) {
    record.Nints = kMinIntervals;
    Tell(dialogs, "Number of test frequencies has been reset upward to 10");
  } else if (record.Nints > kMaxNints) {
    record.Nints = kMaxNints;
    Tell(dialogs, "Number of test frequencies has been reset downward to 2048");
  }
  ReadEngValue(inputs.dBTop, record.dBtop);
  if (record.dBtop > kMaxGainTop) {
    record.dBtop = kMaxGainTop;
    Tell(dialogs, "Gain top has been reset to +40");
  } else if (record.dBtop < kMinGainTop) {
    record.dBtop = kMinGainTop;
    Tell(dialogs, "Gain top has been reset to 0");
  }
  ReadEngValue(inputs.dBBottom, record.dBbottom);
  if (record.dBbottom > kMaxGainBottom) {
    record.dBbottom = kMaxGainBottom;
    Tell(dialogs, "Gain bottom has been reset to -1");
  } else if (record.dBbottom < kMinGainBottom) {
    record.dBbottom = kMinGainBottom;
    Tell(dialogs, "Gain bottom has been reset to -100");
  }
  ReadEngValue(inputs.delay, record.DelayTop);
}

}  // namespace

DesignInputs DesignInputs::FromRecord(const DesignRecord& record) {
  DesignInputs inputs;
  inputs.width = FormatFreq(record.Bandwidth);
  inputs.order = record.Order;
  inputs.family = record.Family;
  inputs.apass = FormatNum(record.Apass);
  inputs.start = FormatFreq(record.Fstart);
  inputs.stop = FormatFreq(record.Fstop);
  inputs.intervals = FormatNum(record.Nints);
  inputs.dBTop = FormatNum(record.dBtop);
  inputs.dBBottom = FormatNum(record.dBbottom);
  inputs.delay = Trimmed(FormatEng(record.DelayTop));
  return inputs;
}

bool ApplyDesignInputs(DesignInputs& inputs, DesignRecord& record, Dialogs& dialogs) {
  ApplyDesignParameters(inputs, record, dialogs);
  ApplyFamilyLimits(inputs, record, dialogs);
  if (!ApplySweep(inputs, record, dialogs))
    return false;
  ApplyGraph(inputs, record, dialogs);
  return true;
}

}  // namespace kestro::cli
