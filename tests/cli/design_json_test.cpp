// SPDX-License-Identifier: GPL-3.0-or-later
// The JSON and CSV documents of the design command, read back as a script reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_test_context.h"

namespace kestro::cli {
namespace {

using nlohmann::json;

constexpr double kPi = 3.14159265358979323846;

json JsonOf(const std::string& options) {
  const CliRun run = RunDesignCommand("--format json " + options);
  EXPECT_EQ(run.code, kExitOk) << run.err;
  return json::parse(run.out);  // throws, failing the test, on anything but one JSON document
}

// The CSV document: its header line and its rows of numbers, every row as wide as the header.
struct Csv {
  std::string header;
  std::vector<std::vector<double>> rows;
};

Csv CsvOf(const std::string& options) {
  const CliRun run = RunDesignCommand("--format csv " + options);
  EXPECT_EQ(run.code, kExitOk) << run.err;
  Csv csv;
  std::istringstream lines(run.out);
  std::getline(lines, csv.header);
  const auto columns = std::count(csv.header.begin(), csv.header.end(), ',') + 1;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    auto& row = csv.rows.emplace_back();
    for (std::string field; std::getline(fields, field, ',');)
      row.push_back(std::stod(field));
    EXPECT_EQ(static_cast<long>(row.size()), columns) << line;
  }
  return csv;
}

// Every key of the document, with all long runs asked for, is there with its type.
TEST(DesignJson, EveryKeyIsPresentWithItsType) {
  const json doc = JsonOf(
      "--family chebyshev --order 5 --ripple 1 --bandwidth 1k --start 100 --stop 10k "
      "--intervals 20 --response --limit floor,500,-2 --optimize --monte-carlo 5 --passes 20 "
      "--seed 1 --order 12");
  EXPECT_EQ(doc["version"], KESTRO_VERSION);
  EXPECT_EQ(doc["design"]["family"], "chebyshev");
  EXPECT_EQ(doc["design"]["order"], 11);
  EXPECT_EQ(doc["design"]["bandwidth_hz"], 1000.0);
  EXPECT_EQ(doc["design"]["ripple_db"], 1.0);
  EXPECT_EQ(doc["poles"].size(), 11u);
  ASSERT_EQ(doc["stages"].size(), 5u);
  for (const json& stage : doc["stages"]) {
    for (const char* key : {"stage", "kind", "f0_hz", "q", "real_pole_hz", "gbw_needed_hz"})
      EXPECT_TRUE(stage.contains(key)) << key;
    for (const char* key : {"R1_ohm", "R2_ohm", "R3_ohm", "C1_f", "C2_f", "C3_f"})
      EXPECT_TRUE(stage["parts"][key].is_number()) << key;
    EXPECT_TRUE(stage["warnings"].is_array());
  }
  ASSERT_EQ(doc["limits"].size(), 1u);
  EXPECT_EQ(doc["limits"][0]["shape"], "floor");
  EXPECT_EQ(doc["limits"][0]["top_db"], -2.0);
  EXPECT_TRUE(doc["limit_error"].is_number());
  EXPECT_EQ(doc["response"].size(), 21u);
  for (const char* key : {"f_hz", "gain_db", "phase_deg", "delay_s"})
    EXPECT_TRUE(doc["response"][20][key].is_number()) << key;
  EXPECT_EQ(doc["monte_carlo"]["envelope"].size(), 21u);
  EXPECT_EQ(doc["monte_carlo"]["passes"], 20);
  EXPECT_EQ(doc["monte_carlo"]["tolerance_percent"], 5.0);
  const double yield = doc["monte_carlo"]["yield"];
  EXPECT_TRUE(yield >= 0 && yield <= 1) << yield;
  EXPECT_LE(doc["optimizer"]["final_error"].get<double>(),
            doc["optimizer"]["start_error"].get<double>());
  EXPECT_GT(doc["optimizer"]["trials"].get<int>(), 0);
  EXPECT_EQ(doc["messages"], json::array({"The order has been reset downward to 11"}));
}

// Without limits or long runs those keys are null; a prefix notice is a message too.
TEST(DesignJson, KeysWithNothingToGiveAreNull) {
  const json doc = JsonOf("--order 4 --bandwidth 2k7");
  for (const char* key : {"limit_error", "response", "monte_carlo", "optimizer"})
    EXPECT_TRUE(doc[key].is_null()) << key;
  EXPECT_TRUE(doc["design"]["ripple_db"].is_null());
  EXPECT_EQ(doc["design"]["bandwidth_hz"], 2000.0);
  EXPECT_EQ(doc["limits"], json::array());
  EXPECT_EQ(doc["messages"],
            json::array({"--bandwidth 2k7 reads as 2k: '7' after the prefix letter was ignored"}));
}

// Butterworth order 5 at 1 kHz: the poles lie on the unit circle at angles (2k - 1) pi / 10 from
// the imaginary axis; the three-pole stage holds the real pole at 1 kHz and a pair, the other
// stage a pair, both pairs at 1 kHz with Q = 1 / (2 sin angle); the parts, in ohms and farads,
// give the two-pole stage's f0.
TEST(DesignJson, PolesStagesAndPartsInSiUnits) {
  const json doc = JsonOf("--order 5 --bandwidth 1k");
  std::vector<std::complex<double>> poles;
  for (const json& pole : doc["poles"])
    poles.emplace_back(pole["re"].get<double>(), pole["im"].get<double>());
  ASSERT_EQ(poles.size(), 5u);
  for (int k = 1; k <= 5; ++k) {
    const double angle = (2 * k - 1) * kPi / 10;
    const std::complex<double> expected(-std::sin(angle), std::cos(angle));
    EXPECT_TRUE(std::any_of(poles.begin(), poles.end(), [&](auto pole) {
      return std::abs(pole - expected) < 1e-6;
    })) << expected;
  }
  const json& stages = doc["stages"];
  ASSERT_EQ(stages.size(), 2u);
  EXPECT_EQ(stages[0]["kind"], "three-pole");
  EXPECT_EQ(stages[1]["kind"], "two-pole");
  EXPECT_NEAR(stages[0]["real_pole_hz"].get<double>(), 1000, 0.1);
  std::vector<double> qs;
  for (const json& stage : stages) {
    SCOPED_TRACE(stage.dump());
    EXPECT_NEAR(stage["f0_hz"].get<double>(), 1000, 0.1);
    qs.push_back(stage["q"]);
    EXPECT_GT(stage["gbw_needed_hz"].get<double>(), 1000);
    if (stage["kind"] == "two-pole") {
      const json& p = stage["parts"];
      const double product = p["R2_ohm"].get<double>() * p["R3_ohm"].get<double>() *
                             p["C2_f"].get<double>() * p["C3_f"].get<double>();
      EXPECT_NEAR(1 / (2 * kPi * std::sqrt(product)), 1000, 0.1);
      EXPECT_EQ(p["R1_ohm"], 0.0);
    }
  }
  std::sort(qs.begin(), qs.end());
  EXPECT_NEAR(qs[0], 1 / (2 * std::sin(3 * kPi / 10)), 1e-4);
  EXPECT_NEAR(qs[1], 1 / (2 * std::sin(kPi / 10)), 1e-4);
}

// CSV holds the response the JSON holds, or with Monte Carlo the envelope, under one header.
TEST(DesignCsv, ReadsBackAsTheJsonTables) {
  const std::string design = "--order 4 --bandwidth 1k --start 100 --stop 10k --intervals 40 ";
  const Csv response = CsvOf(design);
  EXPECT_EQ(response.header, "f_hz,gain_db,phase_deg,delay_s");
  const json doc = JsonOf(design + "--response");
  ASSERT_EQ(response.rows.size(), doc["response"].size());
  for (std::size_t i = 0; i < response.rows.size(); ++i) {
    const json& point = doc["response"][i];
    EXPECT_EQ(response.rows[i], (std::vector<double>{point["f_hz"], point["gain_db"],
                                                     point["phase_deg"], point["delay_s"]}));
  }
  EXPECT_NEAR(response.rows[20][0], 1000, 1e-3);
  EXPECT_NEAR(response.rows[20][1], -10 * std::log10(2.0), 1e-4);  // the 3 dB corner
  const std::string longRun = "--monte-carlo 2 --passes 30 --seed 4";
  const Csv envelope = CsvOf(design + longRun);
  EXPECT_EQ(envelope.header, "f_hz,gain_min_db,gain_max_db,delay_min_s,delay_max_s");
  const json spread = JsonOf(design + longRun)["monte_carlo"]["envelope"];
  ASSERT_EQ(envelope.rows.size(), spread.size());
  for (std::size_t i = 0; i < envelope.rows.size(); ++i) {
    const json& point = spread[i];
    EXPECT_EQ(envelope.rows[i],
              (std::vector<double>{point["f_hz"], point["gain_min_db"], point["gain_max_db"],
                                   point["delay_min_s"], point["delay_max_s"]}));
    EXPECT_LE(envelope.rows[i][1], response.rows[i][1]);
    EXPECT_GE(envelope.rows[i][2], response.rows[i][1]);
  }
}

}  // namespace
}  // namespace kestro::cli
