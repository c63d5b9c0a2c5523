// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/tabulated_files.h"

#include <algorithm>

#include "core/eng_value.h"
#include "files/file_names.h"
#include "files/text_file.h"

namespace kestro {

namespace {

constexpr const char* kWriteFailure =
    "A problem was encountered and so the tabulated-data file was not written";

// The text without its outer blanks, padded with blanks to width; longer text is kept whole.
std::string Field(const std::string& text, std::size_t width) {
  std::string field = Trimmed(text);
  if (field.size() < width)
    field.append(width - field.size(), ' ');
  return field;
}

int LastPoint(const DesignRecord& record) {
  return std::min<int>(record.Nints, kMaxNints);
}

using RowWriter = std::string (*)(const DesignRecord&, int);

std::string EasyRow(const DesignRecord& r, int i) {
  return Field(FormatFreq(r.Freq[i]), 10) + Field(FormatNum(r.Gain[i], '.'), 10) +
         Field(FormatNum(r.Phase[i], '.'), 10) + Field(FormatEng(r.Delay[i], '.'), 10);
}

std::string SciRow(const DesignRecord& r, int i) {
  std::string row;
  for (float value : {r.Freq[i], r.Gain[i], r.Phase[i], r.Delay[i]}) {
    row += Field(PadField(value), 14);
  }
  return row;
}

std::vector<std::string> Table(const DesignRecord& record, const char* heading1,
                               const char* heading2, RowWriter row) {
  std::vector<std::string> lines{"", heading1, heading2, ""};
  for (int i = 0; i <= LastPoint(record); ++i)
    lines.push_back(row(record, i));
  lines.push_back("");
  return lines;
}

FileFailure WriteTable(const std::vector<std::string>& lines, const std::string& fileName) {
  if (ReplaceFileText(ResolveFileName(fileName), JoinCrLf(lines)))
    return std::nullopt;
  return kWriteFailure;
}

}  // namespace

std::vector<std::string> TabulatedEasyLines(const DesignRecord& record) {
  return Table(record, "Freq,      Gain,    Phase,    Delay,",
               " Hz:        dB:      degrees:  secs:", EasyRow);
}

std::vector<std::string> TabulatedSciLines(const DesignRecord& record) {
  return Table(record, "Freq,          Gain,        Phase,         Delay,",
               " Hz:            dB:         degrees:       secs:", SciRow);
}

FileFailure WriteTabulatedEasy(const DesignRecord& record, const std::string& fileName) {
  return WriteTable(TabulatedEasyLines(record), fileName);
}

FileFailure WriteTabulatedSci(const DesignRecord& record, const std::string& fileName) {
  return WriteTable(TabulatedSciLines(record), fileName);
}

}  // namespace kestro
