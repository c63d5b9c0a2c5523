// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cmath>
#include <vector>

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

// The reference the engine is measured against: the textbook per-stage formula as a plain
// scalar float loop over the same stages and points, with one log10 and one atan per stage and
// point, H = 1 / (1 + b1 s + b2 s^2 + b3 s^3) at s = j 2 pi f. What a user would write first.
struct ScalarReference {
  explicit ScalarReference(const DesignRecord& record) {
    for (int s = 1; s <= static_cast<int>(record.NrStages); ++s) {
      const float r1 = record.R[s][1], r2 = record.R[s][2], r3 = record.R[s][3];
      const float c1 = record.C[s][1] > 0 ? record.C[s][1] : 0, c2 = record.C[s][2];
      const float c3 = record.C[s][3];
      b1.push_back(r1 * c1 + (r1 + r2 + r3) * c3);
      b2.push_back(r1 * (r2 + r3) * c1 * c3 + (r1 + r2) * r3 * c2 * c3);
      b3.push_back(r1 * r2 * r3 * c1 * c2 * c3);
    }
  }

  void Run(const DesignRecord& record, int points) {
    for (int i = 0; i < points; ++i) {
      const float w = 6.2831853f * record.Freq[i];
      float g = 0, p = 0;
      for (std::size_t s = 0; s < b1.size(); ++s) {
        const float re = 1 - b2[s] * w * w;
        const float im = -(b1[s] * w - b3[s] * w * w * w);
        g -= 10 * std::log10(re * re + im * im);
        p += std::atan(im / re) * (180 / 3.14159f) + (re < 0 ? 180.0f : 0.0f);
      }
      gain[static_cast<std::size_t>(i)] = g;
      phase[static_cast<std::size_t>(i)] = p;
    }
  }

  std::vector<float> b1, b2, b3;
  std::array<float, kMaxPoint + 1> gain{}, phase{};
};

void BM_ScalarReferenceLoop(benchmark::State& state) {
  DesignRecord record = Design(kButterworth, 11);
  benchmark::DoNotOptimize(SynthesizeFamilyDesign(record));
  record.Nints = static_cast<int16_t>(state.range(0));
  Analyze(record);
  ScalarReference reference(record);
  for (auto _ : state) {
    reference.Run(record, record.Nints + 1);
    benchmark::DoNotOptimize(reference.phase.data());
  }
}
BENCHMARK(BM_ScalarReferenceLoop)->Arg(2048)->Unit(benchmark::kMicrosecond);

// Analyze and the reference loop timed in turn in one run; "ratio" is Analyze's time over the
// loop's (at most 0.5 is the goal). The argument is the op-amp's GBW in Hz, 0 for the follower.
void BM_AnalyzeOverScalarLoop(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  DesignRecord record = Design(kButterworth, 11);
  benchmark::DoNotOptimize(SynthesizeFamilyDesign(record));
  record.Nints = 2048;
  record.OpampGbw = static_cast<float>(state.range(0));
  record.OpampOn = state.range(0) > 0 ? 1 : 0;
  Analyze(record);
  ScalarReference reference(record);
  Clock::duration analyze{}, loop{};
  for (auto _ : state) {
    const auto start = Clock::now();
    Analyze(record);
    benchmark::DoNotOptimize(record.Delay.data());
    const auto middle = Clock::now();
    reference.Run(record, record.Nints + 1);
    benchmark::DoNotOptimize(reference.phase.data());
    analyze += middle - start;
    loop += Clock::now() - middle;
  }
  state.counters["ratio"] =
      static_cast<double>(analyze.count()) / static_cast<double>(loop.count());
  state.counters["analyze_us"] = std::chrono::duration<double, std::micro>(analyze).count() /
                                 static_cast<double>(state.iterations());
  state.counters["loop_us"] = std::chrono::duration<double, std::micro>(loop).count() /
                              static_cast<double>(state.iterations());
}
BENCHMARK(BM_AnalyzeOverScalarLoop)
    ->ArgName("gbw")
    ->Arg(0)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);

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
