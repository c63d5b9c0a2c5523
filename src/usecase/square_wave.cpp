// SPDX-License-Identifier: GPL-3.0-or-later
#include "usecase/square_wave.h"

#include "core/eng_reader.h"

namespace kestro {

bool SquareWave::Repair(float& freq, Dialogs& dialogs) {
  if (!(freq <= kLowestFreq))
    return false;
  dialogs.Message(kResetMessage);
  freq = 1;
  return true;
}

float SquareWave::Read(const std::string& text, Dialogs& dialogs) {
  float freq = 0;
  ReadEngValue(text, freq);
  Repair(freq, dialogs);
  return freq;
}

}  // namespace kestro
