// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis page's long runs in the real Qt window, offscreen at 1920 x 1080: page logic,
// engine, drawing into the window's backing image, event processing and repaints between
// passes, exactly as the program runs them. An order-11 Butterworth filter at 1 kHz, analysed
// at 512 intervals, with gain, phase and delay on.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <cstdlib>

#include "core/gain_limits.h"
#include "platform/app_context.h"
#include "platform/qt/page_window.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/uniform_random.h"
#include "plotpage/plot_link.h"
#include "plotpage/plot_page.h"
#include "silent_dialogs.h"
#include "synthesis/stage_synthesis.h"

namespace kestro {
namespace {

class IdleNavigator final : public Navigator {
 public:
  void Open(PageId, OpenMode) override {}
  void Close(PageId) override {}
  void EndProgram() override {}
};

class StillClock final : public Clock {
 public:
  double SecondsSinceMidnight() const override { return 0; }
  std::string LocalDateTime() const override { return "2026-01-01 00:00:00"; }
};

// Counts the window's repaints.
class PaintCounter final : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint)
      ++paints;
    return QObject::eventFilter(watched, event);
  }
  int paints = 0;
};

struct WindowBench {
  WindowBench() {
    record.SetOpeningDefaults();
    record.Order = 11;
    record.Bandwidth = 1000;
    record.Fstart = 100;
    record.Fstop = 10000;
    record.Nints = 512;
    record.dBtop = 10;
    record.dBbottom = -100;
    record.NrYintervals = 11;
    record.DelayTop = 0.005f;
    benchmark::DoNotOptimize(SynthesizeFamilyDesign(record));
    shared.DelayOn = 1;
    shared.PhaseOn = 1;
    auto owned = std::make_unique<PlotPage>(context, link);
    page = owned.get();
    window = new PageWindow(std::move(owned));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->resize(1920, 1080);
    window->show();
    window->installEventFilter(&counter);
    pump.beforePump = [this] { window->Sync(); };
    QCoreApplication::processEvents();
  }
  ~WindowBench() { delete window; }

  DesignRecord record;
  PlotShared shared;
  bench::SilentDialogs dialogs;
  IdleNavigator navigator;
  QtEventPump pump;
  StillClock clock;
  UniformRandom random;
  AppContext context{record, shared, dialogs, navigator, pump, clock, random};
  PlotLink link;
  PlotPage* page = nullptr;
  PageWindow* window = nullptr;
  PaintCounter counter;
};

// One press of "5%": 1000 passes, each drawn at once, then the nominal curves.
void BM_MonteCarlo1000Passes(benchmark::State& state) {
  WindowBench bench;
  bench.page->Click("cmdMonteCarlo");
  double seconds = 0;
  int paints = 0;
  for (auto _ : state) {
    const int before = bench.counter.paints;
    QElapsedTimer clock;
    clock.start();
    bench.page->Click("cmdMC5");
    QCoreApplication::processEvents();
    seconds += static_cast<double>(clock.nsecsElapsed()) * 1e-9;
    paints += bench.counter.paints - before;
  }
  state.counters["repaints_per_s"] = paints / seconds;
}
BENCHMARK(BM_MonteCarlo1000Passes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// One press of "Optimize" against a floor of +5 dB below 900 Hz that no trial can meet: all 2000
// trials with their traces (the page cleared every 100) and the error display.
void BM_Optimizer2000Trials(benchmark::State& state) {
  WindowBench bench;
  AddGainLimit(bench.record, kGainLimitSet, kFloorFromDc, 900, 5);
  AddGainLimit(bench.record, kGainLimitSet, kCeilingUpward, 5000, -60);
  bench.record.LimitsOn = 1;
  double seconds = 0;
  int paints = 0;
  for (auto _ : state) {
    const int before = bench.counter.paints;
    QElapsedTimer clock;
    clock.start();
    bench.page->Click("cmdOptimize");
    QCoreApplication::processEvents();
    seconds += static_cast<double>(clock.nsecsElapsed()) * 1e-9;
    paints += bench.counter.paints - before;
    state.PauseTiming();
    bench.page->Click("cmdReset");
    state.ResumeTiming();
  }
  state.counters["repaints_per_s"] = paints / seconds;
}
BENCHMARK(BM_Optimizer2000Trials)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

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
