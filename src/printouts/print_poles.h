// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "core/design_record.h"
#include "platform/dialogs.h"
#include "platform/print_device.h"
#include "synthesis/pole_list.h"

namespace kestro {

// The pole plot on paper, landscape: the pole page's own drawing (the rectangular grid when
// asked, the polar grid, the poles and their listing) without the page's empty left part where
// the buttons stand. The poles are computed from a copy of the design, so a Bessel design above
// order 10 prints as order 10 and the design itself is left as it is.
class PolesPrintout final {
 public:
  PolesPrintout(const DesignRecord& record, bool rectangularGrid, PrintDevice& device,
                Dialogs& dialogs);

  // Returns true when the sheets were sent.
  bool Run();
  void DrawSheets(PrintDevice& device);

 private:
  DesignRecord record_;
  bool rectangularGrid_;
  PrintDevice& device_;
  Dialogs& dialogs_;
  PoleList poles_;
  int16_t poleScale_ = 1;
};

}  // namespace kestro
