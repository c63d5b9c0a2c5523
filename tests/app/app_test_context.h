#pragma once

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/design_record.h"
#include "core/plot_shared.h"
#include "files/scratch_folder.h"
#include "files/session_lines.h"
#include "platform/app_context.h"
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

// A manual design with every persistent field set to a recognisable value.
inline DesignRecord DistinctSession() {
  DesignRecord r{};
  std::tie(r.Family, r.Order, r.Bandwidth, r.Apass, r.Fstart, r.Fstop, r.Nints, r.dBtop, r.dBbottom,
           r.NrYintervals, r.DelayTop) =
      std::make_tuple(kManual, 5, 2500.0f, 0.5f, 20.0f, 200000.0f, 300, 5.0f, -70.0f, 7, 0.002f);
  std::tie(r.MarkerFreq[1], r.MarkerFreq[2], r.NrMarkers, r.NrLimits[1], r.LimitShape[1][1],
           r.LimitStart[1][1], r.LimitStop[1][1], r.LimitTop[1][1], r.LimitBottom[1][1]) =
      std::make_tuple(1000.0f, 4000.0f, 2, 1, 2.0f, 5000.0f, 200000.0f, -20.0f, -100.0f);
  r.NrStages = StagesForOrder(r.Order);
  for (std::size_t s = 1; s <= 2; ++s) {
    const auto part = [s](std::size_t k) { return static_cast<float>(10 * s + k); };
    r.C[s] = {0, 1e-9f * part(1), 1e-9f * part(2), 1e-9f * part(3)};
    r.R[s] = {0, 1e3f * part(1), 1e3f * part(2), 1e3f * part(3), 1e-5f, 1};
  }
  return r;
}

}  // namespace kestro::test
