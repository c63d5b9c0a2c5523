// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/design_record.h"
#include "files/scratch_folder.h"
#include "files/session_lines.h"
#include "platform/app_context.h"
#include "plotpage/plot_shared.h"
#include "support/scripted_dialogs.h"
#include "support/sequence_random.h"

namespace kestro::test {

using Strings = std::vector<std::string>;

class RecordingNavigator final : public Navigator {
 public:
  struct Call {
    enum class Kind { Open, Close, End } kind;
    PageId page;
    OpenMode mode = OpenMode::Over;
    friend bool operator==(const Call&, const Call&) = default;
  };
  void Open(PageId p, OpenMode m) override { calls.push_back({Call::Kind::Open, p, m}); }
  void Close(PageId page) override { calls.push_back({Call::Kind::Close, page}); }
  void EndProgram() override { calls.push_back({Call::Kind::End, PageId::Opening}); }
  std::vector<Call> calls;
};
using Call = RecordingNavigator::Call;
using Calls = std::vector<Call>;

// The record, the shared state and the doubles a page works on, wired into one AppContext.
struct AppTestContext {
  explicit AppTestContext(const DesignRecord& start = {}) : record(start) {}
  DesignRecord record;
  PlotShared plot{};
  ScriptedDialogs dialogs;
  RecordingNavigator navigator;
  ManualEventPump events;
  ManualClock clock;
  SequenceRandom random;
  AppContext context{record, plot, dialogs, navigator, events, clock, random};
};

// The lines a session file of the record holds: every persistent field, to the seven
// significant digits the file keeps.
inline Strings Session(DesignRecord record) {
  return SessionFileLines(record, "* Active lowpass filter");
}

// The file dialogs asked for, a line each.
inline std::string Describe(const std::vector<FileDialogRequest>& requests) {
  std::string text;
  for (const FileDialogRequest& r : requests)
    text += r.title + " | " + r.filter + " | " + r.initialName + " | " +
            std::to_string(r.filterIndex) + (r.overwritePrompt ? " | overwrite prompt\n" : "\n");
  return text;
}

// The record as the welcome page leaves it after "Retrieve an olde design" with no file.
inline DesignRecord OpeningDefaults() {
  DesignRecord record{};
  record.SetOpeningDefaults();
  return record;
}

// Limit j of set 1.
inline void SetLimit(DesignRecord& r, std::size_t j, float shape, float start, float stop,
                     float top, float bottom) {
  r.LimitShape[j][1] = shape, r.LimitStart[j][1] = start, r.LimitStop[j][1] = stop;
  r.LimitTop[j][1] = top, r.LimitBottom[j][1] = bottom;
  r.NrLimits[1] = std::max(r.NrLimits[1], static_cast<int16_t>(j));
}

// A manual design with every persistent field set to a recognisable value.
inline DesignRecord DistinctSession() {
  DesignRecord r{};
  r.Family = kManual, r.Order = 5, r.Bandwidth = 2500, r.Apass = 0.5f, r.Fstart = 20;
  r.Fstop = 200000, r.Nints = 300, r.dBtop = 5, r.dBbottom = -70, r.NrYintervals = 7;
  r.DelayTop = 0.002f, r.MarkerFreq[1] = 1000, r.MarkerFreq[2] = 4000, r.NrMarkers = 2;
  SetLimit(r, 1, 2, 5000, 200000, -20, -100);
  r.NrStages = StagesForOrder(r.Order);
  for (std::size_t s = 1; s <= 2; ++s) {
    const auto part = [s](std::size_t k) { return static_cast<float>(10 * s + k); };
    r.C[s] = {0, 1e-9f * part(1), 1e-9f * part(2), 1e-9f * part(3)};
    r.R[s] = {0, 1e3f * part(1), 1e3f * part(2), 1e3f * part(3), 1e-5f, 1};
  }
  return r;
}

}  // namespace kestro::test
