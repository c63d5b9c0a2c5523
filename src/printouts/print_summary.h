// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "analysis/stage_figures.h"

#include "core/design_record.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/print_device.h"

namespace kestro {

// The program summary: analysis settings, design parameters, poles, parts, the stage table with
// the build warnings, markers, gain limits and the session file name, in Arial from the top of the
// sheet down. Lines that would run past the 15200-twip drawing area continue on a new sheet. Sets
// MarkersOn from the marker slots. A failure beeps and shows "The summary text file was not sent to
// the printer.".
class SummaryPrintout final {
 public:
  SummaryPrintout(DesignRecord& record, PrintDevice& device, Dialogs& dialogs, const Clock& clock)
      : record_(record), device_(device), dialogs_(dialogs), clock_(clock) {}

  // Returns true when the sheets were sent.
  bool Run();
  void DrawSheets(PrintDevice& device);

  // --- Texts of the limit lines ---
  static std::string LimitStartText(float start);
  static std::string LimitStopText(float stop);
  static std::string LimitTopText(float top);
  static std::string LimitBottomText(float bottom);

 private:
  // Moves down by dy twips, onto a new sheet when the line would leave the drawing area.
  void Advance(float dy);
  void At(float x, const std::string& text);
  void AnalysisSection();
  void DesignSection();
  void PoleLines();
  void PartSections();
  void StageSection(const std::vector<StageFigures>& figures);
  void WarningSection(const std::vector<StageFigures>& figures);
  void MarkerSection();
  void LimitSection();

  DesignRecord& record_;
  PrintDevice& device_;
  Dialogs& dialogs_;
  const Clock& clock_;            // the date and time of the footer
  PrintDevice* sheet_ = nullptr;  // the device the sheets are drawn on
  float y_ = 0;                   // twips, the line being printed
};

}  // namespace kestro
