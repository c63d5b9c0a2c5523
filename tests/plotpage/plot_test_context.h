#pragma once

#include <utility>
#include <vector>

#include "core/design_record.h"
#include "core/plot_shared.h"
#include "platform/app_context.h"
#include "support/recording_canvas.h"
#include "support/scripted_dialogs.h"

namespace kestro::test {

// A navigator that records what the pages asked for.
class RecordingNavigator final : public Navigator {
 public:
  void Open(PageId page, OpenMode mode) override { opened.emplace_back(page, mode); }
  void Close(PageId page) override { closed.push_back(page); }
  void EndProgram() override { ended = true; }

  std::vector<std::pair<PageId, OpenMode>> opened;
  std::vector<PageId> closed;
  bool ended = false;
};

class ZeroRandom final : public Random {
 public:
  float Next() override { return 0.0f; }
};

// Everything a page of the analysis page needs, with a designed filter: Butterworth, the given
// order, 1 kHz, analysed from 100 Hz to 10 kHz at 512 intervals, -60..+10 dB in 7 divisions.
struct PlotTestContext {
  explicit PlotTestContext(int16_t order = 4, int16_t family = kButterworth);

  DesignRecord record;
  PlotShared shared;
  ScriptedDialogs dialogs;
  RecordingNavigator navigator;
  ManualEventPump pump;
  ManualClock clock;
  ZeroRandom random;
  AppContext context{record, shared, dialogs, navigator, pump, clock, random};
  RecordingCanvas canvas;
};

// Index of the first command of `kind` at or after `from`; commands.size() when there is none.
std::size_t FindCommand(const RecordingCanvas& canvas, DrawCommand::Kind kind,
                        std::size_t from = 0);
// Index of the first Print of `text`; commands.size() when there is none.
std::size_t FindPrint(const RecordingCanvas& canvas, const std::string& text, std::size_t from = 0);
// Index of the first Print of `text` at text position x; commands.size() when there is none.
std::size_t FindPrintAt(const RecordingCanvas& canvas, const std::string& text, float x);

}  // namespace kestro::test
