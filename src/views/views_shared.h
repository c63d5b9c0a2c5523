// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "analysis/transient.h"

namespace kestro {

// State of the views that lives for the whole run but is not saved: the square-wave frequency and
// waveforms of the transient page, and the names last chosen in the export dialogs (each dialog
// proposes its own last name again).
struct ViewsShared {
  TransientState transient;
  std::string TabFileEasy;
  std::string TabFileSci;
  std::string SpiceFile;
  std::string PartsListFile;
};

}  // namespace kestro
