// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/app_context.h"
#include "platform/page.h"

namespace kestro {

// The controls of the exit page, one member per control, named as the control.
struct ExitPageControls {
  Control* Label1 = nullptr;  // the notice that the session was saved
  Control* cmdCancel = nullptr;
  Control* cmdExit = nullptr;
};

// The exit confirmation frmExit, opened modally: Cancel goes on where the user was; Exit saves
// the session as "LASTSESSION.KST", shows that it did for three seconds and ends the program.
class ExitPage final : public Page {
 public:
  explicit ExitPage(AppContext& context);

  static constexpr const char* kLastSessionName = "LASTSESSION.KST";
  static constexpr double kWaitSeconds = 3.0;

  // Frames the window, which opens over a main page.
  void OnShown() override;

 private:
  void OnExit();
  bool ConfirmExitUnsaved();
  void WaitWhileRepainting(double seconds);
  void EndProgram();

  AppContext& context_;
  ExitPageControls controls_;
};

}  // namespace kestro
