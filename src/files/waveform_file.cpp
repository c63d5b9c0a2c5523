// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/waveform_file.h"

#include "core/eng_value.h"
#include "files/file_names.h"
#include "files/line_reader.h"
#include "files/text_file.h"

namespace kestro {

namespace {

constexpr const char* kWriteFailure = "The transient data was not saved";

bool NextNonBlankLine(LineReader& lines, std::string_view& line) {
  while (lines.ReadLine(line)) {
    if (!IsBlankLine(line))
      return true;
  }
  return false;
}

}  // namespace

std::string WaveformFileName() {
  return "KESTRO.TRAN";
}

std::vector<std::string> WaveformLines(const DegreeWave& wave) {
  std::vector<std::string> lines;
  for (int t = 0; t <= 180; ++t)
    lines.push_back(FormatNum(wave[t], '.'));
  return lines;
}

FileFailure SaveWaveform(const DegreeWave& wave, const std::string& folder) {
  if (ReplaceFileText(ResolveFileName(folder + WaveformFileName()), JoinCrLf(WaveformLines(wave))))
    return std::nullopt;
  return kWriteFailure;
}

bool ReadWaveformText(std::string_view bytes, DegreeWave& wave) {
  LineReader lines(bytes);
  bool ended = false;
  std::string_view line;
  for (int k = 0; k <= 180; ++k) {
    if (ended)
      return false;  // a second value sought after the end of the file
    if (NextNonBlankLine(lines, line)) {
      ReadEngValue(line, wave[k]);
    } else {
      if (k == 0)
        return false;
      wave[k] = wave[k - 1];
      ended = true;
    }
  }
  for (int t = 180; t <= 360; ++t)
    wave[t] = -wave[t - 180];
  for (int t = -36; t <= 0; ++t)
    wave[t] = wave[t + 360];
  return true;
}

bool GetWaveform(DegreeWave& wave) {
  std::string bytes;
  return ReadFileBytes(ResolveFileName(WaveformFileName()), bytes) == FileBytes::Read &&
         ReadWaveformText(bytes, wave);
}

}  // namespace kestro
