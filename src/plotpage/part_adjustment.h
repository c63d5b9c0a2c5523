// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/app_context.h"
#include "plotpage/plot_page_controls.h"
#include "plotpage/response_plot.h"

namespace kestro {

// Hand adjustment of the parts on the analysis page: the part-tuning panel (a stage spinner and
// "<" / ">" steps of 1 % for each of R1..C3), the part-editing panel (typed values taken in by
// "Enter all"), Clear, which closes every panel and restores the page's button states, and
// Restore, which brings back the values saved before a rounding. Every change of a part makes
// the design hand-made (Family 4, PartsModified 1), so the next Design command keeps it.
class PartAdjustment final {
 public:
  PartAdjustment(PlotPageControls& controls, AppContext& context, ResponsePlot& plot);

  // --- Panels ---
  void OpenTunePanel();     // cmdTunePart
  void OpenEditPanel();     // cmdEditPart
  void TuneStageChanged();  // UpDown1
  void EditStageChanged();  // UpDown2

  // --- Changes ---
  // One step of part 0..5 (R1..C3) of the stage in lblStage: x 1.01 up, / 1.01 down.
  void Step(int part, bool up);
  // Takes the six typed values into the selected stage, clamped to 10 ohm..10 Mohm and
  // 1 pF..10 uF, and writes each value back as it was taken. A box the user did not edit keeps
  // its part exactly (the box shows fewer digits than the part has), and the absent R1 and C1
  // of a two-pole stage stay absent when typed as 0.
  void EnterAll();

  // --- Page states ---
  void Clear();    // cmdReset
  void Restore();  // cmdRestore

  int16_t SelectedStage() const { return selectedStage_; }

 private:
  void EnterPanel(Control& otherOpener);
  void ClearPanelArea();
  void ResetStageDisplay(Control& spinner, Control& label);
  void ShowTuneValues();
  void ShowEditValues();
  bool EnterPart(int part);
  void ClampPart(int part, float& value) const;
  bool IsTwoPoleStage() const;
  void RestoreButtonStates();
  void HideTransientControls();
  int16_t StageFromLabel(const Control& label) const;
  PartControls& Of(int part);
  float& PartValue(int part);
  static std::string FormatPart(int part, float value);

  PlotPageControls& controls_;
  DesignRecord& record_;
  PlotShared& shared_;
  ResponsePlot& plot_;
  int16_t selectedStage_ = 1;

  // What each edit box was last filled with, and the part value it then stood for.
  struct Shown {
    std::string text;
    float value = 0;
  };
  std::array<Shown, 6> shown_{};
};

}  // namespace kestro
