// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/design_record.h"
#include "files/file_failure.h"

namespace kestro {

// Plot overlay files: the current gain, phase and delay against frequency, saved in the working
// directory so that a later design can be compared with this one on the same plot.

enum class OverlayKind { Gain, Phase, Delay };

// The curve of one overlay file: points 0..OverlayLast (-1 when the file held none).
struct PlotOverlay {
  OverlayKind kind = OverlayKind::Gain;
  PointArray OverlayFreq{};
  PointArray OverlayValue{};
  int16_t OverlayLast = -1;
};

// "KSTdata.DB", "KSTdata.PHS" or "KSTdata.DEL".
std::string OverlayFileName(OverlayKind kind);

// The lines of one overlay file: " 1000 -3.0103 " for each point 0..Nints.
std::vector<std::string> OverlayLines(const DesignRecord& record, OverlayKind kind);

// Writes the three files (gain, phase, delay) as one set: all three are replaced, or, when any
// of them cannot be written, none is and the message is returned. A non-empty folder ("out/")
// is put before the names.
FileFailure SavePlot(const DesignRecord& record, const std::string& folder = {});

// Reads the number pairs of fileName, separated by blanks, commas or line ends, into overlay
// (at most kMaxPoint + 1 pairs; an unpaired last number is dropped). False when the file is
// missing or cannot be read.
bool ReadOverlayFile(const std::string& fileName, PlotOverlay& overlay);
// The same reading of the file's bytes already in memory.
void ReadOverlayText(std::string_view bytes, PlotOverlay& overlay);

// The caption of GetPlot's message, which is shown with an exclamation icon and no beep.
inline constexpr const char* kOverlayMissingTitle = "File-present test";

// Reads the three files in order and hands each curve to draw as soon as it is read. A missing
// or unreadable file ends the reading there and returns the message that asks for a saved plot.
FileFailure GetPlot(const std::function<void(const PlotOverlay&)>& draw);

}  // namespace kestro
