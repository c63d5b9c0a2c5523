// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/gain_limits.h"

#include <algorithm>

#include "core/eng_value.h"

namespace kestro {
namespace {

std::size_t Index(int i) {
  return static_cast<std::size_t>(i);
}

// Fills text with blanks on the right up to width characters; a longer text stays as it is.
void PadTo(std::string& text, std::size_t width) {
  if (text.size() < width)
    text.append(width - text.size(), ' ');
}

}  // namespace

int LimitCount(const DesignRecord& record, int set) {
  if (set < 0 || set > kMaxLimit)
    return 0;
  return std::clamp<int>(record.NrLimits[Index(set)], 0, kMaxLimit);
}

bool AddGainLimit(DesignRecord& record, int set, int16_t shape, float freq, float gain) {
  if (set < 1 || set > kMaxLimit || LimitCount(record, set) >= kMaxEnteredLimits)
    return false;
  const int n = LimitCount(record, set) + 1;
  record.NrLimits[Index(set)] = static_cast<int16_t>(n);
  const std::size_t j = Index(n);
  const std::size_t s = Index(set);
  record.LimitShape[j][s] = shape;
  const bool fromDc = shape != kCeilingUpward;
  record.LimitStart[j][s] = fromDc ? kLimitDc : freq;
  record.LimitStop[j][s] = fromDc ? freq : kLimitUpward;
  record.LimitTop[j][s] = shape == kFloorFromDc ? gain : kLimitOpenTop;
  record.LimitBottom[j][s] = shape == kFloorFromDc ? kLimitOpenBottom : gain;
  return true;
}

void EraseAllLimits(DesignRecord& record) {
  for (std::size_t s = 1; s <= kMaxLimit; ++s) {
    record.NrLimits[s] = 0;
    for (std::size_t j = 1; j <= kMaxLimit; ++j) {
      record.LimitShape[j][s] = 0, record.LimitStart[j][s] = 0, record.LimitStop[j][s] = 0;
      record.LimitTop[j][s] = 0, record.LimitBottom[j][s] = 0;
    }
  }
}

bool LimitIsListed(const DesignRecord& record, int j) {
  if (j < 1 || j > kMaxLimit)
    return false;
  const std::size_t at = Index(j);
  return record.LimitShape[at][kGainLimitSet] != 0 && record.LimitStart[at][kGainLimitSet] > 0 &&
         record.LimitStop[at][kGainLimitSet] > 0;
}

// Columns end at 10, 23, 37, at least 52 and 70 characters.
std::string LimitListRow(const DesignRecord& record, int j) {
  const std::size_t at = Index(std::clamp(j, 0, kMaxLimit));
  const float start = record.LimitStart[at][kGainLimitSet];
  std::string row = "   Gain";
  PadTo(row, 10);
  row += "Shape: " + std::to_string(static_cast<int>(record.LimitShape[at][kGainLimitSet]));
  PadTo(row, 23);
  row += start > kLimitDc ? "from" + FormatFreq(start) : std::string("DC up to ");
  PadTo(row, 37);
  const std::string stop = FormatFreq(record.LimitStop[at][kGainLimitSet]);
  row += stop == " 10G " ? std::string(" upward") : stop;
  PadTo(row, 52);
  row += "minimum: " + FormatEng(record.LimitTop[at][kGainLimitSet]);
  PadTo(row, 70);
  row += "maximum: " + FormatEng(record.LimitBottom[at][kGainLimitSet]);
  return row;
}

}  // namespace kestro
