// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "views/main_view_page.h"

namespace kestro {

// The stage page's own controls, besides the navigation row.
struct StagesPageControls {
  Control* lblHeading = nullptr;
  Control* lblStageHeading = nullptr;
  Control* lstStages = nullptr;
  Control* lblGbw = nullptr;
  Control* txtGbw = nullptr;
  Control* lblSlewRate = nullptr;
  Control* txtSlewRate = nullptr;
  Control* lblAmplitude = nullptr;
  Control* txtAmplitude = nullptr;
  Control* cmdApply = nullptr;
  Control* optIdeal = nullptr;
  Control* optOpamp = nullptr;
  Control* lblFullPower = nullptr;
  Control* lblSlewWarning = nullptr;
  Control* lblWarnings = nullptr;
  Control* lstWarnings = nullptr;
  Control* lblSensitivity = nullptr;
  Control* lblSensitivityHeading = nullptr;
  Control* lstSensitivity = nullptr;
};

// The stage page frmStages: every stage as built now (its kind, f0 and Q, the GBW it needs and,
// with a GBW given, the margin), the op-amp the filter is analysed with, the parts and stages
// that cannot be built as drawn, and the parts ranked by how far 1 % of each moves the gain.
// Apply and the op-amp switch read the fields, store them and analyse the filter again, so every
// other page shows it with that op-amp.
class StagesPage final : public MainViewPage {
 public:
  static constexpr const char* kGbwResetMessage =
      "The op-amp GBW must be above 0 Hz and has been cleared: the op-amp is ideal";
  static constexpr const char* kSlewResetMessage =
      "The op-amp slew rate must be above 0 V/us and has been cleared";
  static constexpr const char* kAmplitudeResetMessage =
      "The output amplitude has been reset upward to 1 V";
  static constexpr const char* kNoGbwMessage =
      "Enter the op-amp GBW first: without it every stage is an ideal follower";

  explicit StagesPage(AppContext& context);

 private:
  void AddControls();
  void ShowOpampFields();
  void OnApply();
  void OnSwitch(bool on);
  void ReadGbw();
  void ReadSlewRate();
  void ReadAmplitude();
  void Refresh();
  void ShowSlewLimit();
  void onPrintClicked() override;

  StagesPageControls controls_;
};

}  // namespace kestro
