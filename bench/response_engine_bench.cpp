#include <benchmark/benchmark.h>

#include "analysis/response_engine.h"
#include "synthesis/stage_synthesis.h"

namespace kestro {
namespace {

DesignRecord Design(int16_t family, int16_t order, float apass = 0.0f) {
  DesignRecord record;
  record.SetOpeningDefaults();
  record.Family = family;
  record.Order = order;
  record.Apass = apass;
  return record;
}

// Analyze of an order-11 Butterworth design; the argument is Nints (points = Nints + 1).
void BM_AnalyzeOrder11(benchmark::State& state) {
  DesignRecord record = Design(kButterworth, 11);
  benchmark::DoNotOptimize(SynthesizeFamilyDesign(record));
  record.Nints = static_cast<int16_t>(state.range(0));
  for (auto _ : state) {
    Analyze(record);
    benchmark::DoNotOptimize(record.Delay.data());
  }
  state.SetItemsProcessed(state.iterations() * (state.range(0) + 1));
}
BENCHMARK(BM_AnalyzeOrder11)->Arg(512)->Arg(2048)->Unit(benchmark::kMicrosecond);

// The whole Design command path: synthesis then a 513-point analysis.
void BM_DesignAndAnalyze(benchmark::State& state, int16_t family, int16_t order, float apass) {
  DesignRecord record = Design(family, order, apass);
  for (auto _ : state) {
    benchmark::DoNotOptimize(SynthesizeFamilyDesign(record));
    Analyze(record);
    benchmark::DoNotOptimize(record.Gain.data());
  }
}
BENCHMARK_CAPTURE(BM_DesignAndAnalyze, Butterworth11, kButterworth, 11, 0.0f)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DesignAndAnalyze, Chebyshev11Ripple0_01dB, kChebyshev, 11, 0.01f)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DesignAndAnalyze, Bessel10, kBessel, 10, 0.0f)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DesignAndAnalyze, Bessel9, kBessel, 9, 0.0f)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestro
