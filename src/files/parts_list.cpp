// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/parts_list.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "core/eng_value.h"
#include "core/standard_series.h"
#include "files/file_names.h"
#include "files/text_file.h"

namespace kestro {

namespace {

constexpr const char* kWriteFailure =
    "A problem was encountered and so the parts list file was not written";

// A value counts as lying on a series when it is that series' value to a few single-precision
// steps (computed values land a step or two off).
constexpr float kOnSeriesTolerance = 1e-6f;

// Six significant digits: the single's last digit is noise (8450 is stored as 8449.999), and a
// part is never known closer than that.
std::string SiNumber(float value) {
  std::array<char, 32> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size(),
                                     static_cast<double>(value), std::chars_format::general, 6);
  return std::string(text.data(), written.ptr);
}

std::string SeriesOf(float value) {
  for (const StandardSeries* series :
       {&StandardSeries::E6(), &StandardSeries::E12(), &StandardSeries::E24(),
        &StandardSeries::E48(), &StandardSeries::E96(), &StandardSeries::E192()}) {
    if (value > 0 && std::abs(series->Nearest(value) - value) <= kOnSeriesTolerance * value)
      return std::string(series->Name());
  }
  return {};
}

// Numbers the rows as the schematic names its blocks.
class RowBuilder {
 public:
  std::vector<PartsListRow> rows;

  void Resistor(float ohms, int stage, const char* role) {
    rows.push_back({"R" + std::to_string(++resistors_), Trimmed(FormatNum(ohms, '.')),
                    SiNumber(ohms), SeriesOf(ohms), stage, role});
  }
  void Capacitor(float farads, int stage, const char* role) {
    rows.push_back({"C" + std::to_string(++capacitors_), Trimmed(FormatCap(farads, '.')),
                    SiNumber(farads), SeriesOf(farads), stage, role});
  }
  // The follower; with a gain-bandwidth product chosen its value is that product.
  void OpAmp(float gbw, int stage) {
    PartsListRow row{"U" + std::to_string(++opamps_), "ideal", "", "", stage,
                     "op-amp, unity-gain follower"};
    if (gbw > 0 && std::isfinite(gbw)) {
      row.value = "GBW " + Trimmed(FormatNum(gbw, '.')) + "Hz";
      row.siValue = SiNumber(gbw);
    }
    rows.push_back(std::move(row));
  }

 private:
  int resistors_ = 0;
  int capacitors_ = 0;
  int opamps_ = 0;
};

// The three-pole stage has an input section (R1 and the grounded C1) before its pair.
void AddStage(const DesignRecord& r, int s, bool threePole, RowBuilder& builder) {
  if (threePole) {
    builder.Resistor(r.R[s][1], s, "input resistor");
    builder.Capacitor(r.C[s][1], s, "input ground capacitor");
  }
  builder.Resistor(r.R[s][2], s, threePole ? "second resistor" : "input resistor");
  builder.Capacitor(r.C[s][2], s, "feedback capacitor");
  builder.Resistor(r.R[s][3], s, threePole ? "third resistor" : "second resistor");
  builder.Capacitor(r.C[s][3], s, "ground capacitor");
  builder.OpAmp(r.OpampGbw, s);
}

}  // namespace

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos)
    return text;
  std::string quoted = "\"";
  for (char c : text) {
    quoted += c;
    if (c == '"')
      quoted += '"';
  }
  return quoted + '"';
}

std::vector<PartsListRow> PartsListRows(const DesignRecord& record) {
  RowBuilder builder;
  const int stages =
      std::clamp(static_cast<int>(std::lrint(StagesForOrder(record.Order))), 0, kMaxStage);
  const bool odd = record.Order % 2 != 0;
  for (int s = 1; s <= stages; ++s)
    AddStage(record, s, odd && s == 1, builder);
  return builder.rows;
}

std::vector<std::string> PartsListLines(const DesignRecord& record) {
  std::vector<std::string> lines{"Designator,Value,SI value,Series,Stage,Role"};
  for (const PartsListRow& row : PartsListRows(record)) {
    lines.push_back(CsvField(row.designator) + ',' + CsvField(row.value) + ',' +
                    CsvField(row.siValue) + ',' + CsvField(row.series) + ',' +
                    std::to_string(row.stage) + ',' + CsvField(row.role));
  }
  return lines;
}

FileFailure WritePartsList(const DesignRecord& record, const std::string& fileName) {
  if (ReplaceFileText(ResolveFileName(fileName), JoinCrLf(PartsListLines(record))))
    return std::nullopt;
  return kWriteFailure;
}

}  // namespace kestro
