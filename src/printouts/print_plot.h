// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "core/design_record.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/print_device.h"

namespace kestro {

// The response plot sheet (PrintPlot): the gain curve over the printed frequency grid, the delay
// and phase curves when they are on, the gain limits with their description, the numbered
// markers with a table of their values, and a footer. Printer coordinates are twips with the
// origin 800 right of and 1000 below the printable corner; the plot box is (1000, 1000)-(10000,
// 7000). Evaluates the response at the markers (GainAt, PhaseAt).
class PlotPrintout final {
 public:
  // The curves drawn besides the gain, as the analysis page shows them.
  struct Curves {
    bool delay = false;
    bool phase = false;
  };

  PlotPrintout(DesignRecord& record, Curves curves, PrintDevice& device, Dialogs& dialogs,
               const Clock& clock)
      : record_(record), curves_(curves), device_(device), dialogs_(dialogs), clock_(clock) {}

  // Returns true when the sheets were sent.
  bool Run();
  void DrawSheets(PrintDevice& device);

 private:
  // --- Mapping ---
  float Position(float f) const;
  float X(float f) const;
  float GainY(float dB) const;
  float DelayY(float seconds) const;
  static float PhaseY(float degrees);

  // --- Parts of the sheet ---
  void GainPart();
  void GainLabelsAndGrid();
  void FrequencyGrid();
  void DelayPart();
  void PhasePart();
  template <typename MapY>
  void Curve(const PointArray& values, MapY mapY, Rgb colour);
  void Limits();
  void LimitBox(std::size_t j);
  void LimitTexts();
  std::string LimitLine(std::size_t j) const;
  void GainMarkers();
  void TableHeadings();
  void DelayMarkers();
  void Ring(float x, float y, int number);
  void Footer();
  float MarkerDelay(float f);

  DesignRecord& record_;
  Curves curves_;
  PrintDevice& device_;
  Dialogs& dialogs_;
  const Clock& clock_;  // the date and time of the footer
  PrintDevice* sheet_ = nullptr;
  float printY_ = 0;                             // twips, the y of the last limits line printed
  std::array<int, kMaxMarker + 1> rowOfSlot_{};  // table row of each marker slot, 0 for none
};

}  // namespace kestro
