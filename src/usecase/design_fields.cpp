// SPDX-License-Identifier: GPL-3.0-or-later
#include "usecase/design_fields.h"

#include "core/eng_value.h"

namespace kestro {

namespace {

constexpr float kMaxFrequency = 1e7f;  // 10 MHz, the top of bandwidth and sweep
constexpr float kUnusableBandwidth = 1000.0f;
constexpr int16_t kMaxBesselOrder = 10;
constexpr float kMinRipple = 0.001f;
constexpr float kMaxRipple = 20.0f;
constexpr float kMinStart = 0.1f;
constexpr int16_t kMinIntervals = 10;
constexpr float kMaxGainTop = 40.0f;
constexpr float kMinGainTop = 0.0f;
constexpr float kMaxGainBottom = -1.0f;
constexpr float kMinGainBottom = -100.0f;

// A value outside [low, high] is set to the bound it passed, with that bound's message.
template <typename T>
void KeepWithin(T& value, T low, T high, const char* lowMessage, const char* highMessage,
                Dialogs& dialogs) {
  if (value < low) {
    value = low;
    dialogs.Message(lowMessage);
  } else if (value > high) {
    value = high;
    dialogs.Message(highMessage);
  }
}

// Bandwidth, order and family. A bandwidth of 0 or less (empty or unreadable text included)
// cannot be designed and gets the 1 kHz the page gives such a value when it loads; an order
// below 2 has no stages to design.
void ReadDesignParameters(DesignFields& fields, DesignRecord& record, Dialogs& dialogs) {
  ReadEngValue(fields.width, record.Bandwidth);
  if (record.Bandwidth > kMaxFrequency) {
    record.Bandwidth = kMaxFrequency;
    fields.width = "10M";
    dialogs.Message("The filter bandwidth has been reset downward to 10 MHz");
  } else if (record.Bandwidth <= 0) {
    record.Bandwidth = kUnusableBandwidth;
    fields.width = "1K";
    dialogs.Message("The filter bandwidth has been reset upward to 1 KHz");
  }
  ReadEngValue(fields.order, record.Order);
  if (record.Order > kMaxOrder) {
    record.Order = kMaxOrder;
    dialogs.Message("The order has been reset downward to 11");
  } else if (record.Order < kMinOrder) {
    record.Order = kMinOrder;
    fields.order = "2";
    dialogs.Message("The order has been reset upward to 2");
  }
  if (fields.family >= kButterworth && fields.family <= kManual)
    record.Family = fields.family;
}

// The Chebyshev ripple and the Bessel order limit.
void ReadFamilyLimits(DesignFields& fields, DesignRecord& record, Dialogs& dialogs) {
  ReadEngValue(fields.apass, record.Apass);
  if (record.Family != kChebyshev) {
    record.Apass = 0;
  } else if (record.Apass < kMinRipple) {
    record.Apass = kMinRipple;
    fields.apass = ".001";
    dialogs.Message("The Chebyshev family passband ripple value has been reset upward to .001 dB");
  } else if (record.Apass > kMaxRipple) {
    record.Apass = kMaxRipple;
    fields.apass = "20";
    dialogs.Message("The Chebyshev family passband ripple value has been reset downward to 20 dB");
  }
  if (record.Family == kBessel && record.Order > kMaxBesselOrder) {
    dialogs.Message("Bessel family; order reset to 10");
    record.Order = kMaxBesselOrder;
  }
}

// The analysis band. False when it is empty: a start at or above 10 MHz leaves no room for the
// stop once it is lowered to 10 MHz, and an empty sweep cannot be analysed or plotted.
bool ReadSweep(DesignFields& fields, DesignRecord& record, Dialogs& dialogs) {
  ReadEngValue(fields.start, record.Fstart);
  if (record.Fstart < kMinStart) {
    record.Fstart = kMinStart;
    dialogs.Message("Analysis starting frequency has been set to .1");
  }
  ReadEngValue(fields.stop, record.Fstop);
  if (record.Fstop <= record.Fstart) {
    dialogs.Message(
        "Please enter an analysis stopping frequency\ngreater than the starting frequency");
    return false;
  }
  if (record.Fstop > kMaxFrequency) {
    record.Fstop = kMaxFrequency;
    fields.stop = "10M";
    dialogs.Message("The analysis stopping frequency has been reset downward to 10 MHz");
    if (record.Fstop <= record.Fstart) {
      dialogs.Message("Please enter an analysis starting frequency\nbelow 10 MHz");
      return false;
    }
  }
  return true;
}

// The number of intervals and the graph axes.
void ReadGraph(const DesignFields& fields, DesignRecord& record, Dialogs& dialogs) {
  ReadEngValue(fields.intervals, record.Nints);
  KeepWithin<int16_t>(record.Nints, kMinIntervals, kMaxNints,
                      "Number of test frequencies has been reset upward to 10",
                      "Number of test frequencies has been reset downward to 2048", dialogs);
  ReadEngValue(fields.dBTop, record.dBtop);
  KeepWithin(record.dBtop, kMinGainTop, kMaxGainTop, "Gain top has been reset to 0",
             "Gain top has been reset to +40", dialogs);
  ReadEngValue(fields.dBBottom, record.dBbottom);
  KeepWithin(record.dBbottom, kMinGainBottom, kMaxGainBottom, "Gain bottom has been reset to -100",
             "Gain bottom has been reset to -1", dialogs);
  ReadEngValue(fields.delay, record.DelayTop);
}

}  // namespace

DesignFields DesignFields::FromRecord(const DesignRecord& record) {
  DesignFields fields;
  fields.width = FormatFreq(record.Bandwidth);
  fields.order = FormatNum(record.Order);
  fields.apass = FormatNum(record.Apass);
  fields.start = FormatFreq(record.Fstart);
  fields.stop = FormatFreq(record.Fstop);
  fields.intervals = FormatNum(record.Nints);
  fields.dBTop = FormatNum(record.dBtop);
  fields.dBBottom = FormatNum(record.dBbottom);
  fields.delay = Trimmed(FormatEng(record.DelayTop));
  fields.family = record.Family;
  return fields;
}

bool ReadDesignFields(DesignFields& fields, DesignRecord& record, Dialogs& dialogs) {
  ReadDesignParameters(fields, record, dialogs);
  ReadFamilyLimits(fields, record, dialogs);
  if (!ReadSweep(fields, record, dialogs))
    return false;
  ReadGraph(fields, record, dialogs);
  return true;
}

}  // namespace kestro
