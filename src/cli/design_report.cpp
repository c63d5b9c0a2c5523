// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/design_report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "core/eng_value.h"
#include "core/exact_text.h"
#include "core/family_name.h"

namespace kestro::cli {

namespace {

// A pole coordinate with seven significant digits.
std::string PoleNumber(float value) {
  std::array<char, 32> buffer{};
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                     std::chars_format::general, 7);
  return std::string(buffer.data(), written.ptr);
}

std::string TrimmedRight(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

// The family as the report names it: a manual design is "manual", an unknown code "none".
const char* ReportedFamily(int16_t family) {
  if (const char* name = FamilyName(family))
    return name;
  return family == kManual ? "manual" : "none";
}

void WritePair(float re, float im, std::ostream& out) {
  out << "  -" << PoleNumber(re) << " \u00b1 j" << PoleNumber(std::abs(im)) << '\n';
}

}  // namespace

void WriteDesignSummary(const DesignRecord& record, std::ostream& out) {
  out << "Family: " << ReportedFamily(record.Family) << '\n'
      << "Order: " << record.Order << '\n'
      << "Bandwidth: " << PlainNumber(record.Bandwidth) << " Hz\n";
  if (record.Family == kChebyshev)
    out << "Ripple: " << PlainNumber(record.Apass) << " dB\n";
}

void WritePoles(const DesignRecord& record, std::ostream& out) {
  if (record.Family < kButterworth || record.Family > kBessel)
    return;
  const int order = std::clamp<int>(record.Order, 0, 2 * kMaxStage + 1);
  out << "Poles:\n";
  if (order % 2 == 1) {
    out << "  -" << PoleNumber(record.PoleRe[1]) << '\n';
    for (int j = 1; j <= (order - 1) / 2; ++j)
      WritePair(record.PoleRe[j + 1], record.PoleIm[j], out);
  } else {
    for (int j = 1; j <= order / 2; ++j)
      WritePair(record.PoleRe[j], record.PoleIm[j], out);
  }
}

void WriteParts(const DesignRecord& record, std::ostream& out) {
  const int stages = StageCount(record);
  for (int s = 1; s <= stages; ++s) {
    out << "Stage " << s << ":\n";
    for (int k = 1; k <= 3; ++k) {
      out << "  R" << k << " = " << TrimmedRight(FormatNum(record.R[s][k])) << '\n';
    }
    for (int k = 1; k <= 3; ++k) {
      out << "  C" << k << " = " << FormatCap(record.C[s][k]) << '\n';
    }
  }
}

void WriteResponse(const DesignRecord& record, std::ostream& out) {
  out << "# frequency_Hz\tgain_dB\tphase_deg\tdelay_s\n";
  const int last = std::clamp<int>(record.Nints, -1, kMaxNints);
  for (int i = 0; i <= last; ++i) {
    out << ExactText(record.Freq[i]) << '\t' << ExactText(record.Gain[i]) << '\t'
        << ExactText(record.Phase[i]) << '\t' << ExactText(record.Delay[i]) << '\n';
  }
}

void WriteDesignReport(const DesignRecord& record, const ReportOptions& options,
                       std::ostream& out) {
  WriteDesignSummary(record, out);
  WritePoles(record, out);
  WriteParts(record, out);
  if (options.response)
    WriteResponse(record, out);
}

}  // namespace kestro::cli
