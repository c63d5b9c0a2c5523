// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "views/main_view_page.h"

namespace kestro {

// The tabulated page's own controls, besides the navigation row.
struct TabulatedPageControls {
  Control* Label1 = nullptr;  // the column heading
  Control* lstTabulated = nullptr;
};

// The tabulated page frmTabulated: the response point by point in a list with a fixed-pitch
// font, under its column heading. Quit here saves the session and ends the program at once.
class TabulatedPage final : public MainViewPage {
 public:
  static constexpr const char* kLastSessionName = "LASTSESSION.KST";

  explicit TabulatedPage(AppContext& context);

 private:
  void onPrintClicked() override;
  void OnQuit() override;
  bool ConfirmQuitUnsaved();

  TabulatedPageControls controls_;
};

}  // namespace kestro
