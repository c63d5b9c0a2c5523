// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/app_context.h"
#include "platform/page.h"

namespace kestro {

// The controls of the About window, one member per control, named as the control.
struct AboutPageControls {
  Control* lblTitle = nullptr;
  Control* lblDescription = nullptr;
  Control* lblVersion = nullptr;
  Control* lblCredit = nullptr;
  Control* lblPathCaption = nullptr;
  Control* lblPath = nullptr;
  Control* cmdExit = nullptr;
};

// The About window frmAbout: title, description, version, credit and the program's folder.
class AboutPage final : public Page {
 public:
  AboutPage(AppContext& context, const std::string& programFolder);

  // Frames the window, which opens over a main page.
  void OnShown() override;

 private:
  AppContext& context_;
  AboutPageControls controls_;
};

}  // namespace kestro
