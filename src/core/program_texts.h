// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kestro {

// The start-up strings shown on the welcome and About pages and printed on plot printouts.
struct ProgramTexts {
  static constexpr const char* kTitle = "KestroLab";
  static constexpr const char* kVersion = "Version 0.1.0";
  static constexpr const char* kCredit = "Written by the KestroLab developers";
  static constexpr const char* kDescription =
      "The program to design and analyze unity-gain Sallen-Key lowpass filters";
  static constexpr const char* kAboutText =
      "KestroLab: a unity-gain Sallen-Key filter designer with an uncommon set of features "
      "including analysis in frequency and time domains, Monte Carlo analysis, markers and "
      "optimization.";
};

}  // namespace kestro
