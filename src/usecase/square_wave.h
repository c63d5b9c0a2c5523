// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/dialogs.h"

namespace kestro {

// The square-wave frequency of the transient response, as its entry field reads it.
struct SquareWave {
  static constexpr float kLowestFreq = 0.01f;  // Hz; this or lower is reset to 1 Hz
  static constexpr const char* kResetMessage = "Squarewave has been reset to 1 Hz";

  // A frequency of kLowestFreq or less becomes 1 Hz, and the user is told.
  // Returns true when it was reset.
  static bool Repair(float& freq, Dialogs& dialogs);

  // The text read as an entry field (engineering prefixes), then repaired.
  static float Read(const std::string& text, Dialogs& dialogs);
};

}  // namespace kestro
