// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/transient.h"
#include "core/design_record.h"
#include "platform/dialogs.h"
#include "platform/print_device.h"

namespace kestro {

// The square-wave response sheet (PrintWaves): the output over one period and a tenth before
// it, on a grid of 11 by 10 divisions, its peak value, and the gain at the fundamental and the
// odd harmonics up to the 17th. Recomputes the response for the state's SquareFreq.
class WavesPrintout final {
 public:
  WavesPrintout(DesignRecord& record, TransientState& state, PrintDevice& device, Dialogs& dialogs)
      : record_(record), state_(state), device_(device), dialogs_(dialogs) {}

  // Returns true when the sheets were sent.
  bool Run();
  void DrawSheets(PrintDevice& device);

 private:
  void Title(PrintDevice& device);
  static void Grid(PrintDevice& device);
  void Waveform(PrintDevice& device);
  void Components(PrintDevice& device);

  DesignRecord& record_;
  TransientState& state_;
  PrintDevice& device_;
  Dialogs& dialogs_;
};

}  // namespace kestro
