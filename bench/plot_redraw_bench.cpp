// SPDX-License-Identifier: GPL-3.0-or-later
// One step of a part on the analysis page, drawn by the real Qt canvas into a 1920 x 1080 image:
// Analyze of an order-11 design at 2048 intervals, the grid, and the full redraw with gain,
// phase, delay and eight markers. The page logic runs exactly as the window would drive it.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cstdlib>

#include "analysis/response_engine.h"
#include "platform/app_context.h"
#include "platform/qt/qt_canvas.h"
#include "plotpage/plot_page.h"
#include "silent_dialogs.h"
#include "synthesis/stage_synthesis.h"

namespace kestro {
namespace {

// --- Platform services the page needs and the benchmark never uses ---

using bench::SilentDialogs;

class IdleNavigator final : public Navigator {
 public:
  void Open(PageId, OpenMode) override {}
  void Close(PageId) override {}
  void EndProgram() override {}
};

class IdlePump final : public EventPump {
 public:
  void ProcessPendingEvents() override {}
};

class StillClock final : public Clock {
 public:
  double SecondsSinceMidnight() const override { return 0; }
  std::string LocalDateTime() const override { return "2026-01-01 00:00:00"; }
};

class ZeroRandom final : public Random {
 public:
  float Next() override { return 0; }
};

// An order-11 Butterworth filter at 1 kHz, analysed from 10 Hz to 100 kHz at 2048 intervals,
// with delay, phase and eight markers switched on, on a plot page painting into a Full HD image.
struct PlotBench {
  PlotBench() : image(1920, 1080, QImage::Format_RGB32), canvas(image) {
    record.SetOpeningDefaults();
    record.Order = 11;
    record.Bandwidth = 1000;
    record.Fstart = 10;
    record.Fstop = 100000;
    record.Nints = 2048;
    record.dBtop = 10;
    record.dBbottom = -100;
    record.NrYintervals = 11;
    record.DelayTop = 0.005f;
    benchmark::DoNotOptimize(SynthesizeFamilyDesign(record));
    shared.DelayOn = 1;
    shared.PhaseOn = 1;
    record.MarkersOn = 1;
    const float markers[] = {20, 100, 500, 900, 1000, 1100, 2000, 50000};
    for (int k = 1; k <= kUsedMarkers; ++k)
      record.MarkerFreq[k] = markers[k - 1];
    page = std::make_unique<PlotPage>(context, link);
    page->SetCanvas(&canvas);
    page->OnShown();
  }

  DesignRecord record;
  PlotShared shared;
  SilentDialogs dialogs;
  IdleNavigator navigator;
  IdlePump pump;
  StillClock clock;
  ZeroRandom random;
  AppContext context{record, shared, dialogs, navigator, pump, clock, random};
  PlotLink link;
  QImage image;
  QtCanvas canvas;
  std::unique_ptr<PlotPage> page;
};

// A step as the user makes it: "Tune part" is open, so the marker table stays hidden and the
// delay markers are not evaluated.
void BM_PartStepWithPanelOpen(benchmark::State& state) {
  PlotBench bench;
  bench.page->Click("cmdTunePart");
  bool up = true;
  for (auto _ : state) {
    bench.page->Click(up ? "cmdC2up" : "cmdC2down");
    up = !up;
  }
}
BENCHMARK(BM_PartStepWithPanelOpen)->Unit(benchmark::kMillisecond);

// The whole refresh sequence with every overlay: Analyze, grid, gain, phase, delay, the gain and
// delay markers with their table.
void BM_FullRefreshEightMarkers(benchmark::State& state) {
  PlotBench bench;
  for (auto _ : state)
    bench.page->Plot().Refresh();
}
BENCHMARK(BM_FullRefreshEightMarkers)->Unit(benchmark::kMillisecond);

// The drawing alone, without Analyze and the grid: where the frame time goes.
void BM_RedrawOnly(benchmark::State& state) {
  PlotBench bench;
  for (auto _ : state)
    bench.page->Plot().Redraw();
}
BENCHMARK(BM_RedrawOnly)->Unit(benchmark::kMillisecond);

// The redraw with the drawing going nowhere: the page logic of the drawing alone.
void BM_RedrawWithoutPainting(benchmark::State& state) {
  PlotBench bench;
  bench.page->SetCanvas(nullptr);
  for (auto _ : state)
    bench.page->Plot().Redraw();
}
BENCHMARK(BM_RedrawWithoutPainting)->Unit(benchmark::kMillisecond);

// The same refresh with the drawing going nowhere: the page logic and the engine alone.
void BM_FullRefreshWithoutPainting(benchmark::State& state) {
  PlotBench bench;
  bench.page->SetCanvas(nullptr);
  for (auto _ : state)
    bench.page->Plot().Refresh();
}
BENCHMARK(BM_FullRefreshWithoutPainting)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestro

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr)
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
