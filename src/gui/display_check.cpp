// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/display_check.h"

#include <cstdlib>

namespace kestro {

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

bool DisplayAvailable(const DisplayEnvironment& environment) {
  const std::string& platform = environment.platform;
  if (StartsWith(platform, "xcb"))
    return !environment.x11Display.empty();
  if (StartsWith(platform, "wayland"))
    return !environment.waylandDisplay.empty();
  if (!platform.empty())
    return true;  // offscreen, vnc, eglfs, ...: no display server needed
  return !environment.x11Display.empty() || !environment.waylandDisplay.empty();
}

std::string NoDisplayMessage() {
  return "kestrolab: no display found (DISPLAY and WAYLAND_DISPLAY are not set); start it under "
         "xvfb-run (xvfb-run ./run-kestrolab) or use kestrolab-cli for work without a window";
}

DisplayEnvironment CurrentDisplayEnvironment() {
  return {Variable("QT_QPA_PLATFORM"), Variable("DISPLAY"), Variable("WAYLAND_DISPLAY")};
}

}  // namespace kestro
