// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/plot_overlay.h"

#include <algorithm>

#include "core/eng_value.h"
#include "core/leading_number.h"
#include "files/file_names.h"
#include "files/line_reader.h"
#include "files/staged_write_set.h"
#include "files/text_file.h"

namespace kestro {

namespace {

constexpr const char* kWriteFailure = "We are unable to write an overlay file";
constexpr const char* kMissingFile =
    "File enabling overlay has not been written;\nClick on 'Save plot' first.";
constexpr OverlayKind kKinds[] = {OverlayKind::Gain, OverlayKind::Phase, OverlayKind::Delay};

std::string WithDecimalPoint(std::string text) {
  std::replace(text.begin(), text.end(), ',', '.');
  return text;
}

const PointArray& ValuesOf(const DesignRecord& record, OverlayKind kind) {
  switch (kind) {
    case OverlayKind::Phase:
      return record.Phase;
    case OverlayKind::Delay:
      return record.Delay;
    case OverlayKind::Gain:
      break;
  }
  return record.Gain;
}

bool IsSeparator(char c) {
  return c == ' ' || c == '\t' || c == ',';
}

// Splits a line at blanks, tabs and commas into the curve's numbers, frequency and value in
// turn, while there is room; returns the count of numbers so far.
std::size_t ReadTokens(std::string_view line, PlotOverlay& overlay, std::size_t count) {
  constexpr std::size_t kMaxNumbers = std::size_t{2} * (kMaxPoint + 1);
  std::size_t pos = 0;
  while (count < kMaxNumbers) {
    while (pos < line.size() && IsSeparator(line[pos]))
      ++pos;
    if (pos == line.size())
      break;
    const std::size_t start = pos;
    while (pos < line.size() && !IsSeparator(line[pos]))
      ++pos;
    PointArray& numbers = count % 2 == 0 ? overlay.OverlayFreq : overlay.OverlayValue;
    numbers[count / 2] = LeadingDecimal(line.substr(start, pos - start));
    ++count;
  }
  return count;
}

}  // namespace

std::string OverlayFileName(OverlayKind kind) {
  switch (kind) {
    case OverlayKind::Phase:
      return "KSTdata.PHS";
    case OverlayKind::Delay:
      return "KSTdata.DEL";
    case OverlayKind::Gain:
      break;
  }
  return "KSTdata.DB";
}

std::vector<std::string> OverlayLines(const DesignRecord& record, OverlayKind kind) {
  const PointArray& values = ValuesOf(record, kind);
  std::vector<std::string> lines;
  const int last = std::min<int>(record.Nints, kMaxNints);
  for (int i = 0; i <= last; ++i) {
    lines.push_back(WithDecimalPoint(SignedPositionNumber(record.Freq[i])) +
                    WithDecimalPoint(SignedPositionNumber(values[i])));
  }
  return lines;
}

// The three files are one set: a later overlay drawn from two designs would mislead.
FileFailure SavePlot(const DesignRecord& record, const std::string& folder) {
  StagedWriteSet files;
  const bool staged = files.Capture([&record, &folder] {
    return std::ranges::all_of(kKinds, [&record, &folder](OverlayKind kind) {
      return ReplaceFileText(ResolveFileName(folder + OverlayFileName(kind)),
                             JoinCrLf(OverlayLines(record, kind)));
    });
  });
  if (staged && files.Commit())
    return std::nullopt;
  return kWriteFailure;
}

bool ReadOverlayFile(const std::string& fileName, PlotOverlay& overlay) {
  std::string bytes;
  if (ReadFileBytes(ResolveFileName(fileName), bytes) != FileBytes::Read)
    return false;
  ReadOverlayText(bytes, overlay);
  return true;
}

void ReadOverlayText(std::string_view bytes, PlotOverlay& overlay) {
  LineReader lines(bytes);
  std::size_t count = 0;
  for (std::string_view line; lines.ReadLine(line);)
    count = ReadTokens(line, overlay, count);
  overlay.OverlayLast = static_cast<int16_t>(static_cast<int>(count / 2) - 1);
}

FileFailure GetPlot(const std::function<void(const PlotOverlay&)>& draw) {
  PlotOverlay overlay;
  for (OverlayKind kind : kKinds) {
    overlay.kind = kind;
    if (!ReadOverlayFile(OverlayFileName(kind), overlay))
      return kMissingFile;
    draw(overlay);
  }
  return std::nullopt;
}

}  // namespace kestro
