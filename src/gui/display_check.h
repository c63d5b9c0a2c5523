// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kestro {

// What the environment says about a display, read before Qt starts (Qt aborts without one).
struct DisplayEnvironment {
  std::string platform;        // QT_QPA_PLATFORM
  std::string x11Display;      // DISPLAY
  std::string waylandDisplay;  // WAYLAND_DISPLAY
};

// Whether the window can open: a platform plugin that needs no display server (offscreen, vnc,
// ...), or a display for the one it needs.
bool DisplayAvailable(const DisplayEnvironment& environment);

// The one line printed when there is no display.
std::string NoDisplayMessage();

// Reads the three variables from the process environment.
DisplayEnvironment CurrentDisplayEnvironment();

}  // namespace kestro
