// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/tabulated_rows.h"

#include <algorithm>

#include "core/eng_value.h"

namespace kestro {

namespace {
constexpr std::size_t kFieldWidth = 12;
constexpr std::size_t kLongTextGap = 2;
}  // namespace

std::string PadTabulatedField(const std::string& text) {
  const std::size_t blanks =
      text.size() <= kFieldWidth - kLongTextGap ? kFieldWidth - text.size() : kLongTextGap;
  return text + std::string(blanks, ' ');
}

std::string TabulatedRow(const DesignRecord& record, int i) {
  const auto point = static_cast<std::size_t>(i);
  return PadTabulatedField(FormatFreq(record.Freq[point])) +
         PadTabulatedField(FormatNum(record.Gain[point])) +
         PadTabulatedField(FormatNum(record.Phase[point])) +
         PadTabulatedField(FormatEng(record.Delay[point]));
}

std::vector<std::string> TabulatedRows(const DesignRecord& record) {
  const int last = std::clamp<int>(record.Nints, 0, kMaxPoint);
  std::vector<std::string> rows;
  rows.reserve(static_cast<std::size_t>(last) + 1);
  for (int i = 0; i <= last; ++i)
    rows.push_back(TabulatedRow(record, i));
  return rows;
}

}  // namespace kestro
