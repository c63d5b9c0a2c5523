// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/transient.h"
#include "platform/app_context.h"
#include "platform/page.h"

namespace kestro {

// The controls of the square-wave page, one member per control, named as the control.
struct TransientPageControls {
  Control* lblHeading = nullptr;
  Control* cmdFreqDown = nullptr;
  Control* cmdFreqUp = nullptr;
  Control* lblSquarewaveFreq = nullptr;
  Control* txtSquarewaveFreq = nullptr;
  Control* cmdPlot = nullptr;
  Control* cmdSave = nullptr;
  Control* cmdGet = nullptr;
  Control* cmdPrint = nullptr;
  Control* cmdPicture = nullptr;
  Control* cmdExitTransient = nullptr;
};

// The square-wave page frmTransientPlot: the filter's steady-state answer to a square wave of the
// frequency typed or stepped by 1 %, its first nine components, and a waveform saved to and read
// back from the transient data file for comparison. The state lives for the run, so the page
// reopens at the last frequency.
class TransientPage final : public Page {
 public:
  TransientPage(AppContext& context, TransientState& state);

  static constexpr const char* kNoWaveformMessage =
      "No complete waveform was found in KESTRO.TRAN, so nothing was drawn";

  void OnShown() override;

 private:
  void CreateControls();
  void OnFrequencyTyped();
  void OnStep(bool up);
  void OnPlotClicked();
  void ReplotTransient();
  void OnGetWaveform();
  void onPrintClicked();
  void onPictureClicked();
  void ShowFrequency();

  AppContext& context_;
  TransientState& state_;
  TransientPageControls controls_;
};

}  // namespace kestro
