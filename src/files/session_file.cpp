// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/session_file.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/eng_value.h"
#include "core/leading_number.h"
#include "files/file_names.h"
#include "files/limited_value_notice.h"
#include "files/line_reader.h"
#include "files/session_lines.h"
#include "files/text_file.h"

namespace kestro {

namespace {

constexpr const char* kWriteFailure = "The KESTRO file was problematic and not written";
constexpr const char* kReadFailure =
    "The KESTRO file was not read correctly; defaults are being used";
constexpr const char* kOpampDamaged =
    "The op-amp of the KESTRO file was not read correctly; an ideal op-amp is being used";

// --- Reading ---

enum class ReadEnd { Complete, EndOfFile, Failed };

bool OpampUsable(float gbw, float slew, float amplitude, int16_t on) {
  return gbw >= 0 && slew >= 0 && amplitude > 0 && (on == 0 || on == 1);
}

void SetIdealOpamp(DesignRecord& record) {
  record.OpampGbw = 0;
  record.OpampSlewRate = 0;
  record.OpampAmplitude = 1.0f;
  record.OpampOn = 0;
}

// Takes the value lines of a session file one at a time. The key text before the colon is never
// examined: the position of a value line alone decides which field it fills.
class SessionReader {
 public:
  SessionReader(DesignRecord& record, std::string_view bytes, SessionNotices& notices)
      : record_(record), lines_(bytes), notices_(notices) {}

  ReadEnd Run() {
    for (ReadEnd (SessionReader::*section)() :
         {&SessionReader::ReadAnalysis, &SessionReader::ReadDesign, &SessionReader::ReadComponents,
          &SessionReader::ReadMarkers, &SessionReader::ReadLimits, &SessionReader::ReadOpamp}) {
      const ReadEnd end = (this->*section)();
      if (end != ReadEnd::Complete)
        return end;
    }
    return ReadEnd::Complete;
  }

 private:
  // The next line that is not blank and does not begin with "*".
  bool NextValueLine(std::string_view& line) {
    while (lines_.ReadLine(line)) {
      if (!IsBlankLine(line) && line.front() != '*')
        return true;
    }
    return false;
  }

  bool AtEnd() {
    const LineReader saved = lines_;
    std::string_view line;
    const bool end = !NextValueLine(line);
    lines_ = saved;
    return end;
  }

  // Everything after the first colon of the next value line, or the whole line; key is the text
  // before the colon (empty without one), used only to name the value in a notice.
  bool NextValue(std::string_view& value, std::string_view& key) {
    std::string_view line;
    if (!NextValueLine(line))
      return false;
    const std::size_t colon = line.find(':');
    value = colon == std::string_view::npos ? line : line.substr(colon + 1);
    key = colon == std::string_view::npos ? std::string_view() : line.substr(0, colon);
    return true;
  }

  bool ReadField(int16_t& field) {
    std::string_view value;
    std::string_view key;
    if (!NextValue(value, key))
      return false;
    ReadEngValue(value, field);
    return true;
  }

  // A value beyond the reader's bound is held at it, and the notice says so.
  bool ReadField(float& field) {
    std::string_view value;
    std::string_view key;
    if (!NextValue(value, key))
      return false;
    ReadEngValue(value, field);
    if (auto notice = LimitedValueNotice(key, value, field))
      notices_.push_back(std::move(*notice));
    return true;
  }

  static ReadEnd EndOfFile() { return ReadEnd::EndOfFile; }

  // Nints is kept as read, in or out of range: the caller repairs it by the design page's rules.
  ReadEnd ReadAnalysis() {
    if (!ReadField(record_.Fstart) || !ReadField(record_.Fstop) || !ReadField(record_.Nints) ||
        !ReadField(record_.dBtop) || !ReadField(record_.dBbottom) ||
        !ReadField(record_.NrYintervals) || !ReadField(record_.DelayTop)) {
      return EndOfFile();
    }
    return ReadEnd::Complete;
  }

  // Family and Order are kept as read; only an order with more stages than the arrays hold fails.
  ReadEnd ReadDesign() {
    if (!ReadField(record_.Family))
      return EndOfFile();
    int16_t order = 0;
    if (!ReadField(record_.Bandwidth) || !ReadField(record_.Apass) || !ReadField(order)) {
      return EndOfFile();
    }
    const float stages = StagesForOrder(order);
    if (stages > kMaxStage)
      return ReadEnd::Failed;
    record_.Order = order;
    record_.NrStages = stages;
    return ReadEnd::Complete;
  }

  ReadEnd ReadComponents() {
    const int stages = StageCount(record_);
    for (int s = 1; s <= stages; ++s) {
      for (int k = 1; k <= 3; ++k) {
        if (!ReadField(record_.C[s][k]))
          return EndOfFile();
      }
    }
    for (int s = 1; s <= stages; ++s) {
      for (int k = 1; k <= 5; ++k) {
        if (!ReadField(record_.R[s][k]))
          return EndOfFile();
      }
    }
    return ReadEnd::Complete;
  }

  ReadEnd ReadMarkers() {
    int16_t count = 0;
    if (!ReadField(count))
      return EndOfFile();
    if (count > kMaxMarker)
      return ReadEnd::Failed;
    record_.NrMarkers = std::max<int16_t>(count, 0);
    for (int i = 1; i <= record_.NrMarkers; ++i) {
      if (!ReadField(record_.MarkerFreq[i]))
        return EndOfFile();
    }
    return ReadEnd::Complete;
  }

  ReadEnd ReadLimits() {
    int16_t count = 0;
    if (!ReadField(count))
      return EndOfFile();
    if (count > kMaxLimit)
      return ReadEnd::Failed;
    record_.NrLimits[1] = std::max<int16_t>(count, 0);
    if (count <= 0)
      return ReadEnd::Complete;
    record_.LimitsOn = 1;
    for (int j = 1; j <= count; ++j) {
      const ReadEnd end = ReadLimitLine(j);
      if (end != ReadEnd::Complete)
        return end;
    }
    return ReadEnd::Complete;
  }

  // Five blank-separated numbers: shape, start, stop, top, bottom. A missing number reads as 0,
  // one too large for a single as the largest single of its sign.
  ReadEnd ReadLimitLine(int j) {
    std::string_view view;
    if (!NextValueLine(view))
      return EndOfFile();
    std::string line(view);
    for (LimitTable* table : {&record_.LimitShape, &record_.LimitStart, &record_.LimitStop,
                              &record_.LimitTop, &record_.LimitBottom}) {
      std::string token;
      NextToken(line, token);
      (*table)[j][1] = LeadingDecimal(token);
    }
    return ReadEnd::Complete;
  }

  // The op-amp follows the limits, so that older readers stop before it. A file that ends
  // before it is an ideal op-amp; a section cut short or holding values no op-amp has gives the
  // ideal op-amp too, with a notice, and the rest of the file stands.
  ReadEnd ReadOpamp() {
    SetIdealOpamp(record_);
    if (AtEnd())
      return ReadEnd::Complete;
    float gbw = 0;
    float slew = 0;
    float amplitude = 0;
    int16_t on = 0;
    const bool whole = ReadField(gbw) && ReadField(slew) && ReadField(amplitude) && ReadField(on);
    if (!whole || !OpampUsable(gbw, slew, amplitude, on)) {
      notices_.push_back(kOpampDamaged);
      return ReadEnd::Complete;
    }
    record_.OpampGbw = gbw;
    record_.OpampSlewRate = slew;
    record_.OpampAmplitude = amplitude;
    record_.OpampOn = on;
    return ReadEnd::Complete;
  }

  DesignRecord& record_;
  LineReader lines_;
  SessionNotices& notices_;
};

void SetReadFailureDefaults(DesignRecord& record) {
  record.Family = kButterworth;
  record.Apass = 0;
  record.Order = 3;
  record.NrStages = StagesForOrder(record.Order);
  record.Bandwidth = 3000;
  record.Fstart = 1000;
  record.Fstop = 10000;
  record.Nints = 500;
  record.dBtop = 10;
  record.dBbottom = -50;
  record.NrYintervals = 6;
  record.DelayTop = 0.0012f;
  SetIdealOpamp(record);
}

}  // namespace

FileFailure WriteSessionFile(DesignRecord& record, const std::string& fileName,
                             const std::string& savedAt) {
  if (fileName.empty())
    return std::nullopt;
  const std::string text =
      JoinCrLf(SessionFileLines(record, std::string("* Active lowpass filter ").append(savedAt)));
  if (ReplaceFileText(ResolveFileName(fileName), text))
    return std::nullopt;
  return kWriteFailure;
}

FileFailure ReadSessionText(DesignRecord& record, std::string_view bytes, SessionNotices* notices) {
  SessionNotices said;
  const ReadEnd end = SessionReader(record, bytes, said).Run();
  if (notices)
    notices->insert(notices->end(), said.begin(), said.end());
  if (end != ReadEnd::Failed)
    return std::nullopt;
  SetReadFailureDefaults(record);
  return kReadFailure;
}

FileFailure ReadSessionFile(DesignRecord& record, const std::string& fileName,
                            SessionNotices* notices) {
  if (fileName.empty())
    return std::nullopt;
  std::string bytes;
  if (ReadFileBytes(ResolveFileName(fileName), bytes) != FileBytes::Read) {
    SetReadFailureDefaults(record);
    return kReadFailure;
  }
  return ReadSessionText(record, bytes, notices);
}

FileFailure ReadLastSession(DesignRecord& record, const std::string& fileName,
                            SessionNotices* notices) {
  record.SetOpeningDefaults();
  std::string bytes;
  const FileBytes file = ReadFileBytes(ResolveFileName(fileName), bytes);
  auto read = std::make_unique<DesignRecord>(record);
  SessionNotices said;
  if (file == FileBytes::Read && SessionReader(*read, bytes, said).Run() == ReadEnd::Complete) {
    record = *read;
    if (notices)
      notices->insert(notices->end(), said.begin(), said.end());
    return std::nullopt;
  }
  SetReadFailureDefaults(record);
  if (file == FileBytes::Missing)
    return std::nullopt;
  return kReadFailure;
}

void NextToken(std::string& line, std::string& token) {
  const std::size_t first = line.find_first_not_of(' ');
  if (first == std::string::npos) {
    line.clear();
    return;
  }
  const std::size_t blank = line.find(' ', first);
  if (blank == std::string::npos) {
    token = line.substr(first);
    line.clear();
    return;
  }
  token = line.substr(first, blank - first);
  const std::size_t rest = line.find_first_not_of(' ', blank);
  line = rest == std::string::npos ? std::string() : line.substr(rest);
}

}  // namespace kestro
