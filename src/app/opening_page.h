// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/app_context.h"
#include "platform/page.h"

namespace kestro {

// The welcome page: starts a session from an old design file or from the last session.
class OpeningPage final : public Page {
 public:
  explicit OpeningPage(AppContext& context);

  // Draws the decorative schematic.
  void OnShown() override;

  // The last-session name the restart command reads.
  static constexpr const char* kLastSessionName = "LastSession.KST";

  // What "Retrieve an olde design" does with the chosen file: defaults, then the file read over
  // them (a bad file gives its message and leaves the defaults), then the design page. An empty
  // name keeps the defaults.
  static void OpenSession(AppContext& context, const std::string& fileName);

 private:
  void AddControls();
  void OnGetOld();
  void OnStart();

  AppContext& context_;
};

}  // namespace kestro
