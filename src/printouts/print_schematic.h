// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/design_record.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/print_device.h"

namespace kestro {

// The schematic on paper: the source, every stage with its parts and values, the output lead,
// the family and bandwidth lines, the date and time, and the title "Lowpass Schematic". Up to
// two stages print in portrait, more in landscape; the fourth stage and any later one continue
// on a second row.
class SchematicPrintout final {
 public:
  SchematicPrintout(const DesignRecord& record, PrintDevice& device, Dialogs& dialogs,
                    const Clock& clock)
      : record_(record), device_(device), dialogs_(dialogs), clock_(clock) {}

  // Returns true when the sheets were sent.
  bool Run();
  void DrawSheets(PrintDevice& device);

  // The family line: "Family: Butterworth", "Family: Chebyshev - ripple: 0.5 dB", ...
  static std::string FamilyText(const DesignRecord& record);

 private:
  // --- Parts, drawn from the current position (x_, y_) on the signal line ---
  void Source();
  void Stage(int stage);
  void SeriesResistor(float ohms);
  void GroundedCapacitor(float farads);
  void FeedbackCapacitor(float farads);
  void Plates();
  void FollowerAmplifier();
  void Signs(float left);
  void Junction(float x, float y);
  void Ground(float x, float y);
  void OutputLead();

  const DesignRecord& record_;
  PrintDevice& device_;
  Dialogs& dialogs_;
  const Clock& clock_;  // the date and time of the footer
  PrintDevice* sheet_ = nullptr;
  float x_ = 0, y_ = 0;  // twips: the drawing position and the signal line of the row
  float feedbackX_ = 0;  // where the stage's feedback capacitor hangs
};

}  // namespace kestro
