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

// Splits a line at blanks, tabs and commas.
void AppendTokens(const std::string& line, std::vector<float>& numbers, std::size_t limit) {
  std::size_t pos = 0;
  while (numbers.size() < limit) {
    const std::size_t start = line.find_first_not_of(" \t,", pos);
    if (start == std::string::npos)
      return;
    const std::size_t end = std::min(line.find_first_of(" \t,", start), line.size());
    numbers.push_back(LeadingDecimal(std::string_view(line).substr(start, end - start)));
    pos = end;
  }
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
  LineReader lines;
  if (!lines.Open(ResolveFileName(fileName)))
    return false;
  constexpr auto kMaxNumbers = std::size_t{2} * (kMaxPoint + 1);
  std::vector<float> numbers;
  std::string line;
  while (numbers.size() < kMaxNumbers && lines.ReadLine(line)) {
    AppendTokens(line, numbers, kMaxNumbers);
  }
  if (lines.Failed())
    return false;
  const std::size_t pairs = numbers.size() / 2;
  for (std::size_t i = 0; i < pairs; ++i) {
    overlay.OverlayFreq[i] = numbers[2 * i];
    overlay.OverlayValue[i] = numbers[2 * i + 1];
  }
  overlay.OverlayLast = static_cast<int16_t>(static_cast<int>(pairs) - 1);
  return true;
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
