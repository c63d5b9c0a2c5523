#include "analysis/transient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <string>
#include <vector>

#include "core/eng_value.h"
#include "files/scratch_folder.h"
#include "files/waveform_file.h"
#include "support/scripted_dialogs.h"
#include "synthesis/stage_synthesis.h"

namespace kestro {
namespace {

using namespace test;

DesignRecord Butterworth3(float bandwidth) {
  DesignRecord r{};
  r.SetOpeningDefaults();
  r.Family = kButterworth, r.Order = 3, r.Bandwidth = bandwidth;
  EXPECT_TRUE(SynthesizeFamilyDesign(r));
  return r;
}

TEST(ComputeTransient, ButterworthMatchesTheSquareWaveSeriesThroughTheIdealFilter) {
  DesignRecord record = Butterworth3(1000);
  TransientState state;
  state.SquareFreq = 300;
  ComputeTransient(record, state);
  // Steady state of H(s) = 1 / ((s + 1)(s^2 + s + 1)), s in units of 2 pi 1 kHz, driven by the
  // +-1 square wave (4/pi) sum sin(n t)/n over odd n.
  const auto ideal = [](int degrees) {
    std::complex<double> sum = 0;
    for (int n = 1; n <= 511; n += 2) {
      const std::complex<double> s(0, 0.3 * n);
      sum += std::polar(4 / M_PI / n, n * degrees * M_PI / 180) / ((s + 1.0) * (s * s + s + 1.0));
    }
    return sum.imag();
  };
  double peak = -1;
  for (int t = 0; t < 360; ++t)
    peak = std::max(peak, ideal(t));
  // The step of 2 overshoots by twice the 8.15 % of a third-order Butterworth.
  EXPECT_NEAR(state.WavePeak, peak, 2e-3);
  EXPECT_GT(state.WavePeak, 1.0f);
  for (int t = -36; t <= 360; ++t)
    EXPECT_NEAR(state.TransientWave[t], ideal(t) / peak, 2e-3) << "t = " << t;
  EXPECT_EQ(state.TransientWave[180], -state.TransientWave[0]);
  EXPECT_EQ(*std::max_element(&state.TransientWave[-36], &state.TransientWave[360] + 1), 1.0f);
}

TEST(ComputeTransient, TransparentAndOpaqueFilters) {
  // A corner far above every harmonic passes the square-wave series (4/pi) sum sin(n t)/n over
  // odd n up to 511 unchanged.
  DesignRecord record{};
  record.Order = 2;
  record.R[1] = {0, 0, 1, 1, 1e-5f, 1};
  record.C[1] = {0, 1e-13f, 2e-13f, 1e-13f};
  const auto series = [](int degrees) {
    double sum = 0;
    for (int n = 1; n <= 511; n += 2)
      sum += std::sin(n * degrees * M_PI / 180) / n;
    return 4 / M_PI * sum;
  };
  TransientState state;
  state.SquareFreq = 1000;
  ComputeTransient(record, state);
  double peak = -1e38;
  for (int t = 0; t <= 180; ++t)
    peak = std::fmax(peak, series(t));
  EXPECT_NEAR(state.WavePeak, peak, 1e-4);
  for (int t : {1, 10, 45, 90, 135, 179}) {
    EXPECT_NEAR(state.TransientWave[t], series(t) / peak, 1e-4) << "t = " << t;
    EXPECT_NEAR(state.TransientWave[t + 180], -series(t) / peak, 1e-4) << "t = " << t;
  }
  // Far above the band only the fundamental, |H(50 kHz)| = 1/50^3, is left.
  record = Butterworth3(1000);
  state.SquareFreq = 50000;
  ComputeTransient(record, state);
  const double fundamental = 1.273239 / std::pow(50.0, 3);
  EXPECT_NEAR(state.WavePeak, fundamental, 0.015 * fundamental);  // harmonic 3 adds < 1/81
  // A filter that passes nothing leaves a finite wave.
  record.R[1] = {0, 0, 1e10f, 1e10f, 1e-5f, 1};
  record.C[1] = {0, 1e-13f, 1, 1};
  record.Order = 2;
  state.SquareFreq = 1e6f;
  ComputeTransient(record, state);
  for (int t = -36; t <= 360; ++t)
    EXPECT_TRUE(std::isfinite(state.TransientWave[t])) << t;
}

TEST(SaveWaveform, WritesOneHundredEightyOneLinesThatReadBackAsAWholePeriod) {
  ScratchFolder folder;
  TransientState triangle;  // 0 at t = 0, 1 at t = 90, 0 at t = 180
  for (int t = 0; t <= 180; ++t)
    triangle.TransientWave[t] = 1.0f - static_cast<float>(std::abs(t - 90)) / 90.0f;
  ASSERT_EQ(SaveWaveform(triangle.TransientWave), std::nullopt);
  const std::vector<std::string> lines = SplitCrLf(FileText("KESTRO.TRAN"));
  ASSERT_EQ(lines.size(), 181u);
  EXPECT_EQ(std::tie(lines[0], lines[45], lines[90], lines[180]),
            std::tuple("0", "0.5 ", "1 ", "0"));
  TransientState state;
  ASSERT_TRUE(GetWaveform(state.SavedWave));
  for (int t = 0; t <= 180; ++t) {
    float expected = 0;
    ReadEngValue(FormatNum(triangle.TransientWave[t]), expected);
    EXPECT_EQ(std::tuple(state.SavedWave[t], state.SavedWave[t + 180]),
              std::tuple(expected, -expected))
        << t;
  }
  for (int t = -36; t <= 0; ++t)
    EXPECT_EQ(state.SavedWave[t], state.SavedWave[t + 360]);
  std::filesystem::remove("KESTRO.TRAN");
  std::filesystem::create_directory("kestro.tran");
  EXPECT_EQ(SaveWaveform(triangle.TransientWave), "The transient data was not saved");
}

TEST(GetWaveform, ShortFilesAndBlankLines) {
  const auto values = [](int count, const char* separator = "\r\n") {
    std::string text;
    for (int k = 0; k < count; ++k)
      text += std::to_string(k) + "m" + separator;
    return text;
  };
  const std::pair<std::string, bool> cases[] = {// file, drawn
                                                {values(181), true},
                                                {values(182), true},
                                                {values(180), true},  // the last value is repeated
                                                {values(180) + "\r\n  \r\n", true},
                                                {values(179), false},
                                                {"", false},
                                                {values(181, "\r\n\r\n   \r\n"), true}};
  for (const auto& [text, drawn] : cases) {
    ScratchFolder folder;
    if (!text.empty())
      PutFile("Kestro.Tran", text);
    TransientState state;
    ASSERT_EQ(GetWaveform(state.SavedWave), drawn) << text.size();
    if (drawn) {
      EXPECT_EQ(std::tuple(state.SavedWave[1], state.SavedWave[179], state.SavedWave[359],
                           state.SavedWave[180] + state.SavedWave[0]),
                std::tuple(0.001f, 0.179f, -0.179f, 0.0f))
          << text.size();
    }
  }
}

}  // namespace
}  // namespace kestro
